#include "editor_test_support.h"

#include <cstdio>

namespace edtest {

TempDir::TempDir() {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    m_path = std::wstring(base) + L"edtest_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
             std::to_wstring(++counter);
    CreateDirectoryW(m_path.c_str(), nullptr);
}

TempDir::~TempDir() {
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW((m_path + L"\\*").c_str(), &data);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name != L"." && name != L"..") {
                const std::wstring file = m_path + L"\\" + name;
                SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(file.c_str());
            }
        } while (FindNextFileW(h, &data));
        FindClose(h);
    }
    RemoveDirectoryW(m_path.c_str());
}

ThreadLocale::ThreadLocale(LANGID language)
    : m_before(GetThreadLocale()),
      m_set(SetThreadLocale(MAKELCID(language, SORT_DEFAULT)) != FALSE) {
    CPINFOEXW info = {};
    if (GetCPInfoExW(CP_THREAD_ACP, 0, &info))
        m_codePage = info.CodePage;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f)
        return;
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

std::string ReadBytes(const std::wstring& path) {
    std::string out;
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f)
        return out;
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0)
        out.append(buffer, n);
    fclose(f);
    return out;
}

void WriteText(const std::wstring& path, const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), nullptr, 0,
                                      nullptr, nullptr);
    std::string bytes(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), &bytes[0], n, nullptr, nullptr);
    WriteBytes(path, bytes);
}

void RecordingObserver::OnUpdate(corvalis::foundation::ISubject*,
                                 corvalis::foundation::IMessage* m) {
    Entry e{m ? m->GetTypeID() : 0u, -1, -1};
    if (auto* lines = dynamic_cast<SECEditLineMsg*>(m)) {
        e.first = lines->m_firstLine;
        e.last = lines->m_lastLine;
    }
    entries.push_back(e);
}

int RecordingObserver::Count(uint32_t hint) const {
    int n = 0;
    for (const Entry& e : entries)
        n += e.hint == hint;
    return n;
}

std::wstring TextOf(SECEditModel& model) {
    CString text;
    model.GetAllText(text);
    return text.str();
}

namespace {
bool IsHigh(wchar_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLow(wchar_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}
} // namespace

std::string CheckBrokenCopy(const std::wstring& text, const std::wstring& original, int tabSize) {
    const size_t n = text.size();
    size_t i = 0, j = 0;
    while (i < n || j < original.size()) {
        if (i < n && j < original.size() && text[i] == original[j]) {
            ++i, ++j;
            continue;
        }
        // A break put in just before a CR of the original: the CR matched the break's own.
        if (i > 0 && i + 1 < n && j > 0 && text[i - 1] == L'\r' && text[i] == L'\n' &&
            original[j - 1] == L'\r' && text[i + 1] == L'\r') {
            ++i, --j;
            continue;
        }
        if (i + 1 >= n || text[i] != L'\r' || text[i + 1] != L'\n')
            return "differs from the original at " + std::to_string(i);
        if (i > 0 && i + 2 < n && IsHigh(text[i - 1]) && IsLow(text[i + 2]))
            return "a break splits the surrogate pair at " + std::to_string(i);
        i += 2;
    }
    int column = 0, line = 0;
    for (wchar_t c : text) {
        if (c == L'\n') {
            column = 0;
            ++line;
            continue;
        }
        column += c == L'\t' ? tabSize - column % tabSize : c == L'\r' ? 0 : 1;
        if (column > 2048)
            return "line " + std::to_string(line) + " is wider than 2048 columns";
    }
    return "";
}

} // namespace edtest
