#include "editor/ini_file.h"

#include <algorithm>
#include <cwctype>
#include <memory>

namespace {

std::wstring Fold(const wchar_t* text) {
    std::wstring folded(text ? text : L"");
    for (wchar_t& c : folded)
        c = static_cast<wchar_t>(std::towlower(c));
    return folded;
}

std::wstring Trim(const wchar_t* begin, const wchar_t* end) {
    while (begin < end && SECEditIniFile::IsBlank(*begin))
        ++begin;
    while (end > begin && SECEditIniFile::IsBlank(end[-1]))
        --end;
    return std::wstring(begin, end);
}

// One pair of matching quotes around a value is not part of it.
std::wstring Unquote(std::wstring value) {
    const size_t n = value.size();
    if (n >= 2 && (value[0] == L'"' || value[0] == L'\'') && value[n - 1] == value[0])
        return value.substr(1, n - 2);
    return value;
}

bool ReadAll(const wchar_t* path, std::string& bytes, bool& missing) {
    missing = false;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return missing;
    }
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < 0x40000000;
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() ||
             (ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) &&
              read == bytes.size());
    }
    CloseHandle(file);
    return ok;
}

std::wstring Decode(const std::string& bytes, SECEditIniFile::Encoding& encoding) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    if (n >= 2 && ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF))) {
        encoding = SECEditIniFile::Encoding::utf16;
        const bool swap = b[0] == 0xFE;
        std::wstring text((n - 2) / 2, L'\0');
        for (size_t i = 0; i < text.size(); ++i) {
            const unsigned lo = b[2 + 2 * i + (swap ? 1 : 0)], hi = b[2 + 2 * i + (swap ? 0 : 1)];
            text[i] = static_cast<wchar_t>(lo | (hi << 8));
        }
        return text;
    }
    UINT codePage = CP_ACP;
    size_t skip = 0;
    encoding = SECEditIniFile::Encoding::ansi;
    if (n >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        encoding = SECEditIniFile::Encoding::utf8;
        codePage = CP_UTF8;
        skip = 3;
    }
    if (n == skip)
        return std::wstring();
    const int count = static_cast<int>(n - skip);
    const int wide = MultiByteToWideChar(codePage, 0, bytes.data() + skip, count, nullptr, 0);
    std::wstring text(static_cast<size_t>(wide), L'\0');
    if (wide > 0)
        MultiByteToWideChar(codePage, 0, bytes.data() + skip, count, &text[0], wide);
    return text;
}

// The bytes of the text in the encoding; false when an 8-bit code page cannot hold it exactly.
bool Encode(const std::wstring& text, SECEditIniFile::Encoding encoding, std::string& bytes) {
    if (encoding == SECEditIniFile::Encoding::utf16) {
        bytes.assign("\xFF\xFE", 2);
        bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * 2);
        return true;
    }
    const bool utf8 = encoding == SECEditIniFile::Encoding::utf8;
    bytes = utf8 ? std::string("\xEF\xBB\xBF") : std::string();
    if (text.empty())
        return true;
    // Every code page this runs under, and UTF-8, keeps ASCII as it is.
    const size_t head = bytes.size();
    bytes.resize(head + text.size());
    size_t i = 0;
    for (; i < text.size() && text[i] < 0x80; ++i)
        bytes[head + i] = static_cast<char>(text[i]);
    if (i == text.size())
        return true;
    bytes.resize(head);
    const UINT codePage = utf8 ? CP_UTF8 : CP_ACP;
    // Best-fit mappings and the default character are silent losses: refuse them.
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* lossy = utf8 ? nullptr : &usedDefault;
    const int count = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(codePage, flags, text.data(), count, nullptr, 0, nullptr, lossy);
    if (size <= 0 || usedDefault)
        return false;
    const size_t at = bytes.size();
    bytes.resize(at + static_cast<size_t>(size));
    WideCharToMultiByte(codePage, flags, text.data(), count, &bytes[at], size, nullptr, nullptr);
    return true;
}

bool WriteAll(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok =
        bytes.empty() ||
        (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size());
    return CloseHandle(file) && ok;
}

} // namespace

bool SECEditIniFile::IsBlank(wchar_t c) {
    // Printable ASCII, the bulk of every file, needs no look-up in the character tables.
    if (c > L' ' && c < 0x7F)
        return false;
    return std::iswspace(c) || c == 0x1A;
}

void SECEditIniFile::AppendEntry(std::wstring& text, const std::wstring& key,
                                 const std::wstring& value) {
    text.append(key).append(1, L'=');
    // Values that reading would trim or unquote go inside quotes, which reading removes again.
    const bool quote = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) ||
                                          value.front() == L'"' || value.front() == L'\'');
    if (quote)
        text += L'"';
    text += value;
    if (quote)
        text += L'"';
    text.append(L"\r\n");
}

bool SECEditIniFile::Load(const wchar_t* path) {
    m_preamble.clear();
    m_sections.clear();
    m_index.clear();
    m_hasDuplicates = false;
    m_encoding = Encoding::ansi;
    std::string bytes;
    bool missing = false;
    if (!ReadAll(path, bytes, missing))
        return false;
    Parse(Decode(bytes, m_encoding));
    return true;
}

void SECEditIniFile::Parse(const std::wstring& text) {
    const wchar_t* p = text.data();
    const wchar_t* const end = p + text.size();
    Section* current = nullptr;
    while (p < end) {
        const wchar_t* lineEnd = p;
        while (lineEnd < end && *lineEnd != L'\r' && *lineEnd != L'\n')
            ++lineEnd;
        const wchar_t* next = lineEnd;
        if (next < end && *next == L'\r')
            ++next;
        if (next < end && *next == L'\n')
            ++next;
        const wchar_t* a = p;
        while (a < lineEnd && IsBlank(*a))
            ++a;
        const wchar_t* close = lineEnd;
        while (close > a && *(close - 1) != L']')
            --close;
        if (a < lineEnd && *a == L'[' && close > a + 1) {
            current = &Obtain(Trim(a + 1, close - 1).c_str());
            // A repeated section header opens a section of its own, as the platform reads it.
            if (!current->entries.empty() || current != &m_sections.back()) {
                m_sections.push_back(Section{current->name, {}, {}, {}, false, false});
                current = &m_sections.back();
                m_hasDuplicates = true;
            }
        } else {
            Entry entry = ParseEntry(p, lineEnd);
            if (current)
                AddEntry(*current, std::move(entry));
            else if (entry.key.empty())
                m_preamble.push_back(entry.value);
            else
                m_preamble.push_back(std::wstring(p, lineEnd)); // kept as written
        }
        p = next;
    }
}

SECEditIniFile::Entry SECEditIniFile::ParseEntry(const wchar_t* line, const wchar_t* lineEnd) {
    const wchar_t* a = line;
    while (a < lineEnd && IsBlank(*a))
        ++a;
    const wchar_t* eq = a;
    while (eq < lineEnd && *eq != L'=')
        ++eq;
    Entry entry;
    if (a < lineEnd && *a != L';' && eq < lineEnd && eq > a) {
        entry.key = Trim(a, eq);
        entry.value = Unquote(Trim(eq + 1, lineEnd));
    } else {
        entry.value.assign(line, lineEnd);
    }
    return entry;
}

// A section given as text becomes entries only when something looks inside it.
void SECEditIniFile::Expand(const Section& section) {
    if (section.text.empty())
        return;
    const wchar_t* p = section.text.data();
    const wchar_t* const end = p + section.text.size();
    while (p < end) {
        const wchar_t* lineEnd = p;
        while (lineEnd < end && *lineEnd != L'\r' && *lineEnd != L'\n')
            ++lineEnd;
        section.entries.push_back(ParseEntry(p, lineEnd));
        p = lineEnd;
        if (p < end && *p == L'\r')
            ++p;
        if (p < end && *p == L'\n')
            ++p;
    }
    section.text.clear();
}

void SECEditIniFile::AddEntry(Section& section, Entry entry) {
    if (section.indexed && !entry.key.empty())
        section.keys.emplace(Fold(entry.key.c_str()), section.entries.size());
    section.entries.push_back(std::move(entry));
}

// A section is indexed by key on its first lookup: one that is only listed or replaced whole
// (the keywords) never pays for it.
const std::unordered_map<std::wstring, size_t>& SECEditIniFile::Keys(const Section& section) {
    Expand(section);
    if (!section.indexed) {
        for (size_t i = 0; i < section.entries.size(); ++i)
            if (!section.entries[i].key.empty())
                section.keys.emplace(Fold(section.entries[i].key.c_str()), i);
        section.indexed = true;
    }
    return section.keys;
}

SECEditIniFile::Section* SECEditIniFile::FindSection(const wchar_t* name) {
    auto it = m_index.find(Fold(name));
    return it == m_index.end() ? nullptr : &m_sections[it->second];
}

const SECEditIniFile::Section* SECEditIniFile::FindSection(const wchar_t* name) const {
    auto it = m_index.find(Fold(name));
    return it == m_index.end() ? nullptr : &m_sections[it->second];
}

SECEditIniFile::Section& SECEditIniFile::Obtain(const wchar_t* name) {
    if (Section* found = FindSection(name))
        return *found;
    m_index.emplace(Fold(name), m_sections.size());
    m_sections.push_back(Section{name, {}, {}, {}, false, false});
    return m_sections.back();
}

const std::wstring* SECEditIniFile::Find(const wchar_t* section, const wchar_t* key) const {
    const Section* s = FindSection(section);
    if (!s)
        return nullptr;
    const auto& keys = Keys(*s);
    auto it = keys.find(Fold(key));
    return it == keys.end() ? nullptr : &s->entries[it->second].value;
}

std::vector<std::pair<std::wstring, std::wstring>>
SECEditIniFile::Entries(const wchar_t* section) const {
    std::vector<std::pair<std::wstring, std::wstring>> entries;
    const Section* s = FindSection(section);
    if (!s)
        return entries;
    Expand(*s);
    for (const Entry& e : s->entries)
        if (!e.key.empty())
            entries.emplace_back(e.key, e.value);
    return entries;
}

void SECEditIniFile::Set(const wchar_t* section, const wchar_t* key, const std::wstring& value) {
    Section& s = Obtain(section);
    const auto& keys = Keys(s);
    auto it = keys.find(Fold(key));
    if (it != keys.end())
        s.entries[it->second].value = value;
    else
        AddEntry(s, Entry{key, value});
}

void SECEditIniFile::RemoveSection(const wchar_t* section) {
    auto drop = [](Section& s) {
        s.removed = true;
        s.entries.clear();
        s.text.clear();
        s.keys.clear();
        s.indexed = false;
    };
    const std::wstring folded = Fold(section);
    auto it = m_index.find(folded);
    if (it == m_index.end())
        return;
    drop(m_sections[it->second]);
    m_index.erase(it);
    if (m_hasDuplicates)
        for (Section& s : m_sections)
            if (!s.removed && Fold(s.name.c_str()) == folded)
                drop(s);
}

void SECEditIniFile::SetSection(const wchar_t* section,
                                std::vector<std::pair<std::wstring, std::wstring>> entries) {
    Section& s = Obtain(section);
    s.entries.clear();
    s.text.clear();
    s.entries.reserve(entries.size());
    s.keys.clear();
    s.indexed = false;
    for (auto& e : entries)
        s.entries.push_back(Entry{std::move(e.first), std::move(e.second)});
}

void SECEditIniFile::SetSectionText(const wchar_t* section, std::wstring text) {
    Section& s = Obtain(section);
    s.entries.clear();
    s.keys.clear();
    s.indexed = false;
    s.text = std::move(text);
}

std::wstring SECEditIniFile::Text() const {
    size_t size = 0;
    for (const std::wstring& line : m_preamble)
        size += line.size() + 2;
    for (const Section& s : m_sections) {
        size += s.text.size();
        for (const Entry& e : s.entries)
            size += e.key.size() + e.value.size() + 5;
    }
    std::wstring text;
    text.reserve(size + m_sections.size() * 8);
    for (const std::wstring& line : m_preamble)
        text.append(line).append(L"\r\n");
    for (const Section& s : m_sections) {
        if (s.removed)
            continue;
        text.append(L"[").append(s.name).append(L"]\r\n");
        for (const Entry& e : s.entries) {
            if (e.key.empty())
                text.append(e.value).append(L"\r\n");
            else
                AppendEntry(text, e.key, e.value);
        }
        text += s.text;
    }
    return text;
}

bool SECEditIniFile::Save(const wchar_t* path) const {
    const std::wstring text = Text();
    std::string bytes;
    if (!Encode(text, m_encoding, bytes) && !Encode(text, Encoding::utf16, bytes))
        return false;
    const std::wstring temporary = std::wstring(path) + L".new";
    if (!WriteAll(temporary, bytes)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    if (!MoveFileExW(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}
