// The shortcut file: its name, round trips, and files that are missing, locked or malformed.
#include "shortcut_test_app.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

// A table whose two file places are folders of the test's own.
class PlacedTable : public SECShortcutTable {
public:
    void GetFileName(CString& strFileName, BOOL bWindowsDir) override {
        strFileName = bWindowsDir ? m_strWindows : m_strNext;
    }
    CString m_strNext, m_strWindows;
};

std::wstring TempFolder() {
    wchar_t base[MAX_PATH];
    ::GetTempPathW(MAX_PATH, base);
    std::wstring dir = std::wstring(base) + L"shortcut-" +
                       std::to_wstring(::GetCurrentProcessId()) + L"-" +
                       std::to_wstring(::GetTickCount());
    ::CreateDirectoryW(dir.c_str(), NULL);
    return dir;
}

void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW data;
    HANDLE hFind = ::FindFirstFileW((dir + L"\\*").c_str(), &data);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(dir + L"\\" + name);
            else
                ::DeleteFileW((dir + L"\\" + name).c_str());
        } while (::FindNextFileW(hFind, &data));
        ::FindClose(hFind);
    }
    ::RemoveDirectoryW(dir.c_str());
}

std::string ReadBytes(const CString& path) {
    std::string bytes;
    HANDLE h = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[65536];
    DWORD n = 0;
    while (::ReadFile(h, buffer, sizeof buffer, &n, NULL) && n > 0)
        bytes.append(buffer, n);
    ::CloseHandle(h);
    return bytes;
}

void WriteBytes(const CString& path, const std::string& bytes) {
    HANDLE h = ::CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD n = 0;
    ::WriteFile(h, bytes.data(), (DWORD)bytes.size(), &n, NULL);
    ::CloseHandle(h);
}

std::string Le16(unsigned v) {
    return std::string{char(v & 0xFF), char((v >> 8) & 0xFF)};
}
std::string Le32(unsigned v) {
    return Le16(v & 0xFFFF) + Le16(v >> 16);
}
std::string Entry(BYTE fVirt, WORD key, WORD cmd) {
    return std::string{char(fVirt), 0} + Le16(key) + Le16(cmd);
}

int FilesIn(const std::wstring& dir) {
    int n = 0;
    WIN32_FIND_DATAW data;
    HANDLE hFind = ::FindFirstFileW((dir + L"\\*").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    do
        n += (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    while (::FindNextFileW(hFind, &data));
    ::FindClose(hFind);
    return n;
}

struct ShortcutFile : testing::Test {
    void SetUp() override {
        root = TempFolder();
        next = root + L"\\exe";
        windows = root + L"\\win";
        ::CreateDirectoryW(next.c_str(), NULL);
        ::CreateDirectoryW(windows.c_str(), NULL);
        table.m_strNext = (next + L"\\host.MAC").c_str();
        table.m_strWindows = (windows + L"\\host.MAC").c_str();
    }
    void TearDown() override { RemoveTree(root); }
    // Something that is neither the default nor any file's content.
    void Scribble() {
        table.RemoveAll();
        ACCEL marker = {FVIRTKEY, VK_F12, 4242};
        table.Add(marker);
    }
    bool HoldsScribble() const { return table.GetSize() == 1 && table[0].cmd == 4242; }
    bool HoldsDefault() const {
        return SameEntries(EntriesOf(table), EntriesOf(TestDefaultAccel()));
    }
    std::wstring root, next, windows;
    PlacedTable table;
};

} // namespace

TEST(ShortcutFileName, ExtensionOfTheFilePartAndTheWindowsFolder) {
    struct Case {
        const wchar_t* module;
        const wchar_t* windows;
        const wchar_t* next;
        const wchar_t* inWindows;
    };
    const Case cases[] = {
        {L"C:\\dbg\\host.exe", L"C:\\windows", L"C:\\dbg\\host.MAC", L"C:\\windows\\host.MAC"},
        {L"C:\\dbg\\host.tar.exe", L"C:\\windows", L"C:\\dbg\\host.tar.MAC",
         L"C:\\windows\\host.tar.MAC"},
        // The dot of a folder is no extension.
        {L"C:\\dbg.v2\\host", L"C:\\windows", L"C:\\dbg.v2\\host.MAC", L"C:\\windows\\host.MAC"},
        {L"C:\\dbg\\host.", L"C:\\", L"C:\\dbg\\host.MAC", L"C:\\host.MAC"},
        {L"host.exe", L"C:\\windows", L"host.MAC", L"C:\\windows\\host.MAC"},
        {L"C:\\dbg\\host.exe", NULL, L"C:\\dbg\\host.MAC", L"\\host.MAC"},
        {L"C:\\dbg\\host.exe", L"", L"C:\\dbg\\host.MAC", L"\\host.MAC"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SECShortcutTable::MakeFileName(c.module, c.windows, FALSE), CString(c.next));
        EXPECT_EQ(SECShortcutTable::MakeFileName(c.module, c.windows, TRUE), CString(c.inWindows));
    }
    // The real one: the executable, not a library.
    wchar_t module[MAX_PATH];
    ::GetModuleFileNameW(NULL, module, MAX_PATH);
    wchar_t windowsDir[MAX_PATH];
    ::GetWindowsDirectoryW(windowsDir, MAX_PATH);
    SECShortcutTable table;
    CString name;
    table.GetFileName(name, FALSE);
    EXPECT_EQ(name, SECShortcutTable::MakeFileName(module, NULL, FALSE));
    table.GetFileName(name, TRUE);
    EXPECT_EQ(name, SECShortcutTable::MakeFileName(module, windowsDir, TRUE));
}

TEST_F(ShortcutFile, RoundTripsAtEveryCountForm) {
    // Below 0xFFFF the count is 16 bits; from 0xFFFF on, 0xFFFF and 32 bits.
    const DWORD counts[] = {0, 3, 0xFFFE, 0xFFFF, 0x10000};
    for (DWORD n : counts) {
        table.SetSize((INT_PTR)n);
        for (DWORD i = 0; i < n; ++i)
            table[i] = ACCEL{BYTE(FVIRTKEY | (i % 3 == 0 ? FCONTROL : FALT)), WORD(0x30 + i % 40),
                             WORD(i + 1)};
        const std::vector<ACCEL> saved = EntriesOf(table);
        ASSERT_TRUE(table.Save()) << n;
        const std::string bytes = ReadBytes(table.m_strNext);
        const size_t header = n < 0xFFFF ? 8 : 12;
        ASSERT_EQ(bytes.size(), header + 6 * n) << n;
        EXPECT_EQ(bytes.substr(0, 6), std::string("MACR") + Le16(1));
        EXPECT_EQ(bytes.substr(6, header - 6), n < 0xFFFF ? Le16(n) : Le16(0xFFFF) + Le32(n));
        if (n > 0) {
            EXPECT_EQ(bytes.substr(header, 6), Entry(saved[0].fVirt, saved[0].key, 1));
            EXPECT_EQ(bytes[header + 1], 0); // the reserved byte
        }
        Scribble();
        ASSERT_TRUE(table.Load()) << n;
        EXPECT_TRUE(SameEntries(EntriesOf(table), saved)) << n;
    }
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(FilesIn(next), 1);
}

TEST_F(ShortcutFile, TheWindowsFolderServesWhenTheFileNextToTheProgramIsMissing) {
    WriteBytes(table.m_strWindows, "MACR" + Le16(1) + Le16(1) + Entry(FVIRTKEY, VK_F9, 77));
    ASSERT_TRUE(table.Load());
    ASSERT_EQ(table.GetSize(), 1);
    EXPECT_EQ(table[0].cmd, 77);

    // And takes the save when the program's folder cannot hold one.
    RemoveTree(next);
    ASSERT_TRUE(table.Save());
    EXPECT_EQ(ReadBytes(table.m_strWindows).size(), 8u + 6);
}

TEST_F(ShortcutFile, MalformedFilesLoadNothingAndLeaveTheDefaults) {
    const std::string good = "MACR" + Le16(1);
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"wrong signature", "MACX" + Le16(1) + Le16(0)},
        {"version 2", "MACR" + Le16(2) + Le16(1) + Entry(FVIRTKEY, VK_F9, 77)},
        {"short header", "MAC"},
        {"no count", good},
        {"cut count", good + Le16(0xFFFF) + "\x01"},
        {"cut entries",
         good + Le16(3) + Entry(FVIRTKEY, VK_F9, 77) + Entry(FVIRTKEY, VK_F8, 78) + "\x01\x00"},
        {"count past the end", good + Le16(0xFFFF) + Le32(0x7FFFFFFF) + Entry(FVIRTKEY, 'A', 1)},
        {"largest count", good + Le16(0xFFFF) + Le32(0xFFFFFFFF) + Entry(FVIRTKEY, 'A', 1)},
        {"empty file", ""},
    };
    for (const Case& c : cases) {
        WriteBytes(table.m_strNext, c.bytes);
        Scribble();
        EXPECT_FALSE(table.Load()) << c.what;
        EXPECT_TRUE(HoldsDefault()) << c.what;
    }
    // A file with no entries is a valid, empty table.
    WriteBytes(table.m_strNext, good + Le16(0));
    Scribble();
    EXPECT_TRUE(table.Load());
    EXPECT_EQ(table.GetSize(), 0);
}

TEST_F(ShortcutFile, MissingOrLockedFilesLeaveTheTableAsItWas) {
    Scribble();
    EXPECT_FALSE(table.Load());
    EXPECT_TRUE(HoldsScribble());

    WriteBytes(table.m_strNext, "MACR" + Le16(1) + Le16(0));
    HANDLE hLock = ::CreateFileW(table.m_strNext, GENERIC_READ | GENERIC_WRITE, 0, NULL,
                                 OPEN_EXISTING, 0, NULL);
    ASSERT_NE(hLock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(table.Load());
    EXPECT_TRUE(HoldsScribble());
    ::CloseHandle(hLock);
}

TEST_F(ShortcutFile, AFailedSaveKeepsTheOldFile) {
    table.RemoveAll();
    ACCEL entry = {FVIRTKEY, VK_F9, 77};
    table.Add(entry);
    ASSERT_TRUE(table.Save());
    const std::string old = ReadBytes(table.m_strNext);
    // The old file stays open without leave to delete it: the new one cannot take its place.
    HANDLE hHold =
        ::CreateFileW(table.m_strNext, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(hHold, INVALID_HANDLE_VALUE);
    Scribble();
    EXPECT_FALSE(table.Save());
    ::CloseHandle(hHold);
    EXPECT_EQ(ReadBytes(table.m_strNext), old);
    EXPECT_EQ(FilesIn(next), 1);
    EXPECT_EQ(FilesIn(windows), 0);
}
