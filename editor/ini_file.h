// A private profile file held in memory: read once, looked up by hash, changed in place and
// written back in one piece. It follows the platform's profile rules (case-blind section and
// key names, blanks trimmed, one pair of matching quotes removed, ";" comments) and keeps the
// lines it does not understand, so hand-written comments and unknown keys survive a rewrite.
#pragma once

#include <windows.h>

#include <string>
#include <unordered_map>
#include <vector>

class SECEditIniFile {
public:
    enum class Encoding { ansi, utf8, utf16 };

    // Reads the whole file. A missing file reads as an empty one; FALSE only when the file
    // exists but cannot be read.
    bool Load(const wchar_t* path);
    // Writes the whole file through a temporary beside it, so a failed write leaves the old
    // file as it was. An 8-bit file that cannot hold the text exactly becomes UTF-16.
    bool Save(const wchar_t* path) const;

    // The value as the profile functions give it, or null when the key is missing.
    const std::wstring* Find(const wchar_t* section, const wchar_t* key) const;
    // The "key=value" entries of the first section of that name, in file order (trimmed,
    // comments left out).
    std::vector<std::pair<std::wstring, std::wstring>> Entries(const wchar_t* section) const;

    void Set(const wchar_t* section, const wchar_t* key, const std::wstring& value);
    void RemoveSection(const wchar_t* section);
    // Replaces a section's contents by the given entries.
    void SetSection(const wchar_t* section,
                    std::vector<std::pair<std::wstring, std::wstring>> entries);
    // Replaces a section's contents by lines built with AppendEntry: a large section costs one
    // buffer, not an entry per line.
    void SetSectionText(const wchar_t* section, std::wstring text);
    // Appends "key=value" and a line end as the file holds it.
    static void AppendEntry(std::wstring& text, const std::wstring& key, const std::wstring& value);

    Encoding GetEncoding() const { return m_encoding; }
    // The text as it would be written.
    std::wstring Text() const;

    static bool IsBlank(wchar_t c);

private:
    struct Entry {
        std::wstring key;   // empty for a comment or a line without "="
        std::wstring value; // the value as read (unquoted) or the raw line
    };
    struct Section {
        std::wstring name;
        mutable std::vector<Entry> entries; // filled from `text` on the first look inside
        mutable std::wstring text;          // lines not yet split into entries
        mutable std::unordered_map<std::wstring, size_t> keys; // folded key -> first entry
        mutable bool indexed = false;
        bool removed = false;
    };

    void Parse(const std::wstring& text);
    Section* FindSection(const wchar_t* name);
    const Section* FindSection(const wchar_t* name) const;
    Section& Obtain(const wchar_t* name);
    static void AddEntry(Section& section, Entry entry);
    static Entry ParseEntry(const wchar_t* line, const wchar_t* lineEnd);
    static void Expand(const Section& section);
    static const std::unordered_map<std::wstring, size_t>& Keys(const Section& section);

    std::vector<std::wstring> m_preamble; // lines before the first section
    std::vector<Section> m_sections;
    std::unordered_map<std::wstring, size_t> m_index; // folded name -> first live section
    bool m_hasDuplicates = false;                     // a section name appears twice
    Encoding m_encoding = Encoding::ansi;
};
