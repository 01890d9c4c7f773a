// Reading and writing the text model's files.
#include "editor/edit_model.h"
#include "editor/line_breaker.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

// A chunk, and the same text converted, stay in the processor's cache until they are in the
// store: the text is read from memory once, and a load touches no more fresh pages than the
// store itself needs.
constexpr DWORD kChunkBytes = 131072;
// The first chunk is small: its lines tell how large to make the line table before the rest
// comes in, and the table needs no doubling on the way.
constexpr DWORD kFirstChunkBytes = 65536;

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : m_handle(h) {}
    ~FileHandle() {
        if (IsOpen())
            CloseHandle(m_handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }
    void Close() {
        if (IsOpen())
            CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE m_handle;
};

HANDLE OpenForReading(const wchar_t* path) {
    return CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

bool ReadExactly(HANDLE file, char* buffer, DWORD wanted, DWORD& got) {
    got = 0;
    while (got < wanted) {
        DWORD n = 0;
        if (!ReadFile(file, buffer + got, wanted - got, &n, nullptr))
            return false;
        if (n == 0)
            break;
        got += n;
    }
    return true;
}

// How many of the bytes can be converted now without cutting a character in two; the rest
// is carried over to the next chunk.
DWORD CompleteBytes(UINT codePage, const char* bytes, DWORD count) {
    CPINFO info = {};
    if (!GetCPInfo(codePage, &info) || info.MaxCharSize <= 1 || count == 0)
        return count;
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    if (codePage == CP_UTF8 || info.MaxCharSize > 2) {
        DWORD i = count;
        int back = 0;
        while (i > 0 && back < 4 && (b[i - 1] & 0xC0) == 0x80) {
            --i;
            ++back;
        }
        if (i == 0)
            return count;
        const unsigned char lead = b[i - 1];
        const int need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        return (need > 1 && back + 1 < need) ? i - 1 : count;
    }
    DWORD i = 0;
    while (i < count)
        i += IsDBCSLeadByteEx(codePage, b[i]) ? 2 : 1;
    return i > count ? count - 1 : count;
}

// Whether every byte is below 0x80: every ANSI code page maps those to themselves.
bool IsAscii(const char* bytes, int count) {
    uint64_t any = 0;
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        uint64_t word;
        std::memcpy(&word, bytes + i, sizeof word);
        any |= word;
    }
    for (; i < count; ++i)
        any |= static_cast<unsigned char>(bytes[i]);
    return (any & 0x8080808080808080ull) == 0;
}

// Whether the bytes convert without a replacement character: what cannot be converted would
// be written back as something else. Plain ASCII needs no checking conversion of its own,
// which would cost as much as the conversion itself.
bool ConvertsExactly(UINT codePage, const char* bytes, int count) {
    return count <= 0 || IsAscii(bytes, count) ||
           MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, count, nullptr, 0) > 0;
}

// A load's chunk buffer, straight from the system and given back to it whole: from the heap it
// would stay with the process after the load, as much memory as the index of a small file.
template <class T> class ChunkBuffer {
public:
    explicit ChunkBuffer(size_t count)
        : m_data(static_cast<T*>(
              VirtualAlloc(nullptr, count * sizeof(T), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))) {
        if (!m_data)
            throw std::bad_alloc();
    }
    ~ChunkBuffer() { VirtualFree(m_data, 0, MEM_RELEASE); }
    ChunkBuffer(const ChunkBuffer&) = delete;
    ChunkBuffer& operator=(const ChunkBuffer&) = delete;
    T* get() const { return m_data; }
    T& operator[](size_t i) const { return m_data[i]; }

private:
    T* m_data;
};

// Once the first chunk is in, the lines it held tell how many the whole file will have.
void ReserveLinesFor(SECEditTextStore& store, LONGLONG fileUnits, LONGLONG unitsRead) {
    if (unitsRead <= 0 || fileUnits <= unitsRead || fileUnits >= 0x7FFFFFF0)
        return;
    const LONGLONG expected = store.GetLineCount() * fileUnits / unitsRead;
    store.ReserveLines(static_cast<int>(std::min(fileUnits + 1, expected + expected / 16 + 1024)));
}

// Runs a read that fills the store. A file larger than the memory left is one that cannot
// be opened: the read fails like any other instead of ending the program.
template <class Read> BOOL Loaded(Read read) {
    try {
        return read();
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
}

} // namespace

BOOL SECEditModel::IsUnicodeFile(const wchar_t* path) {
    FileHandle file(OpenForReading(path));
    if (!file.IsOpen()) {
        ReportFileError(path, GetLastError());
        m_unicode = FALSE;
        return FALSE;
    }
    unsigned char bom[2] = {};
    DWORD got = 0;
    ReadExactly(file.Get(), reinterpret_cast<char*>(bom), 2, got);
    m_unicode = got == 2 && bom[0] == 0xFF && bom[1] == 0xFE;
    return m_unicode;
}

BOOL SECEditModel::OpenFile(const wchar_t* path) {
    return m_unicode ? ReadUnicodeFile(path) : ReadAnsiFile(path);
}

SECEditLineBreaker SECEditModel::CreateLineBreaker() const {
    return SECEditLineBreaker(m_langConfig ? m_langConfig->GetTabSize() : 4, m_maxLineColumns);
}

BOOL SECEditModel::FinishLoad(BOOL ok, int breaks) {
    m_loading = FALSE;
    if (!ok) {
        ResetDocument();
        ReportOpenFailure();
        return FALSE;
    }
    ResizeLineArrays(GetLineCount());
    m_spans.RemoveAll();
    m_firstDirtyLine = 0;
    NotifyHint(SECEDIT_HINT_INITIALIZE);
    // What was read is the saved state: nothing to undo and nothing to save, unless lines had
    // to be broken on the way in (the reader breaks them as it goes, in the same pass).
    ClearTransactions();
    m_savedTop = breaks > 0 ? kNeverSaved : 0; // an edit undone is still not the file
    m_modified = breaks > 0;
    if (breaks > 0)
        NotifyObservers(nullptr, nullptr);
    return TRUE;
}

BOOL SECEditModel::ReadAnsiChunks(HANDLE file, int& breaks) {
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file, &size))
        size.QuadPart = 0;
    if (size.QuadPart < 0x7FFFFFF0)
        // Never more characters than bytes; the slack lets the first edits in without moving
        // the whole text to a larger block.
        m_store->Reserve(static_cast<int>(size.QuadPart + size.QuadPart / 16 + 4096));
    const UINT codePage = CP_THREAD_ACP;
    SECEditLineBreaker breaker = CreateLineBreaker();
    ChunkBuffer<char> bytes(kChunkBytes + 8);
    // Never more characters than bytes: one conversion call, no measuring call before it.
    ChunkBuffer<wchar_t> wide(kChunkBytes + 8);
    DWORD carried = 0;
    bool first = true;
    for (;;) {
        DWORD got = 0;
        if (!ReadExactly(file, bytes.get() + carried, first ? kFirstChunkBytes : kChunkBytes, got))
            return FALSE;
        const DWORD total = carried + got;
        if (total == 0)
            return TRUE;
        const DWORD usable = got == 0 ? total : CompleteBytes(codePage, bytes.get(), total);
        if (usable > 0) {
            if (m_textExact && !ConvertsExactly(codePage, bytes.get(), static_cast<int>(usable)))
                m_textExact = FALSE;
            const int n = MultiByteToWideChar(codePage, 0, bytes.get(), static_cast<int>(usable),
                                              wide.get(), static_cast<int>(kChunkBytes + 8));
            if (n <= 0)
                return FALSE;
            breaks += m_store->AppendLines(wide.get(), n, breaker);
            if (first)
                ReserveLinesFor(*m_store, size.QuadPart, usable);
            first = false;
        }
        carried = total - usable;
        std::copy(bytes.get() + usable, bytes.get() + total, bytes.get());
        if (got == 0)
            return TRUE;
    }
}

BOOL SECEditModel::ReadUnicodeChunks(HANDLE file, int& breaks) {
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file, &size))
        size.QuadPart = 0;
    if (size.QuadPart < 0x7FFFFFF0)
        m_store->Reserve(static_cast<int>(size.QuadPart / 2 + size.QuadPart / 32 + 4096));
    SECEditLineBreaker breaker = CreateLineBreaker();
    constexpr DWORD kUnits = kChunkBytes / sizeof(wchar_t);
    ChunkBuffer<wchar_t> chunk(kUnits + 1);
    bool first = true;
    DWORD carried = 0; // a high surrogate whose low half is in the next chunk
    for (;;) {
        DWORD got = 0;
        if (!ReadExactly(file, reinterpret_cast<char*>(chunk.get() + carried),
                         first ? kFirstChunkBytes : kChunkBytes, got))
            return FALSE;
        if (got % 2 != 0)
            return FALSE; // half a character: the file is not what it says it is
        const DWORD units = carried + got / 2;
        DWORD usable = units;
        if (got > 0 && SECEditIsHighSurrogate(chunk[units - 1]))
            --usable;
        breaks += m_store->AppendLines(chunk.get(), static_cast<int>(usable), breaker);
        if (first)
            ReserveLinesFor(*m_store, size.QuadPart / 2, usable);
        first = false;
        carried = units - usable;
        if (carried)
            chunk[0] = chunk[units - 1];
        if (got == 0)
            return TRUE;
    }
}

BOOL SECEditModel::LoadText(const wchar_t* text, int length) {
    ResetDocument();
    m_loading = TRUE;
    m_textExact = TRUE;
    int breaks = 0;
    const BOOL ok = Loaded([&] {
        if (text == nullptr || length <= 0)
            return TRUE;
        if (length < 0x70000000)
            m_store->Reserve(length + length / 16 + 4096);
        SECEditLineBreaker breaker = CreateLineBreaker();
        breaks = m_store->AppendLines(text, length, breaker);
        return TRUE;
    });
    if (!ok) {
        // Nothing was read from a file: the text in memory is refused without the file's
        // message.
        m_loading = FALSE;
        ResetDocument();
        return FALSE;
    }
    return FinishLoad(TRUE, breaks);
}

BOOL SECEditModel::ReadAnsiFile(const wchar_t* path) {
    FileHandle file(OpenForReading(path));
    if (!file.IsOpen()) {
        ReportFileError(path, GetLastError());
        return FALSE;
    }
    ResetDocument();
    m_loading = TRUE;
    m_textExact = TRUE;
    int breaks = 0;
    const BOOL ok = Loaded([&] { return ReadAnsiChunks(file.Get(), breaks); });
    return FinishLoad(ok, breaks);
}

BOOL SECEditModel::ReadUnicodeFile(const wchar_t* path) {
    FileHandle file(OpenForReading(path));
    if (!file.IsOpen()) {
        ReportFileError(path, GetLastError());
        return FALSE;
    }
    unsigned char bom[2] = {};
    DWORD got = 0;
    ReadExactly(file.Get(), reinterpret_cast<char*>(bom), 2, got);
    if (got < 2 || bom[0] != 0xFF || bom[1] != 0xFE) {
        // Without its byte-order mark the file is no UTF-16 file of ours.
        file.Close();
        m_unicode = FALSE;
        return ReadAnsiFile(path);
    }
    ResetDocument();
    m_loading = TRUE;
    m_textExact = TRUE;
    int breaks = 0;
    const BOOL ok = Loaded([&] { return ReadUnicodeChunks(file.Get(), breaks); });
    return FinishLoad(ok, breaks);
}

void SECEditModel::ReportOpenFailure() {
    ShowMessage(L"Unable to Open File", MB_ICONEXCLAMATION);
}

BOOL SECEditModel::SaveFile(const wchar_t* path) {
    if (!m_store || !path)
        return FALSE;
    const DWORD attributes = GetFileAttributesW(path);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) {
        CString text(L"The file '%1' exists and is read-only. Please save to a different "
                     L"filename.");
        text.Replace(L"%1", path);
        ShowMessage(text, MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (exists) {
        FileHandle probe(CreateFileW(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        if (!probe.IsOpen()) {
            ReportFileError(path, GetLastError());
            return FALSE;
        }
    }
    // Write beside the target and replace it only when the new text is complete.
    CString temp(path);
    temp += L".~sav";
    FileHandle out(CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.IsOpen()) {
        ReportFileError(temp, GetLastError());
        return FALSE;
    }
    const BOOL written = m_store->Save(out.Get(), m_unicode);
    const DWORD error = GetLastError();
    out.Close();
    if (!written && m_store->WasLossy()) {
        DeleteFileW(temp);
        CString text(L"The file '%1' was not saved: it holds characters that the current code "
                     L"page cannot represent.");
        text.Replace(L"%1", path);
        ShowMessage(text, MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (!written || !MoveFileExW(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD reason = written ? GetLastError() : error;
        DeleteFileW(temp);
        ReportFileError(path, reason ? reason : ERROR_WRITE_FAULT);
        return FALSE;
    }
    m_savedTop = GetUndoTopSerial();
    m_modified = FALSE;
    return TRUE;
}
