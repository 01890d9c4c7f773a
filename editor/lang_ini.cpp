#include "editor/lang_ini.h"

#include "editor/lang_config.h"
#include "editor/lang_settings.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <memory>
#include <string>

namespace {

// Strict integer parse: optional blanks and sign, digits, optional trailing blanks.
bool ParseInt(const CString& text, int& value) {
    const wchar_t* p = text.GetString();
    wchar_t* end = nullptr;
    errno = 0;
    const long v = std::wcstol(p, &end, 10);
    if (end == p || errno == ERANGE)
        return false;
    while (*end == L' ' || *end == L'\t')
        ++end;
    if (*end != 0 || v < INT_MIN || v > INT_MAX)
        return false;
    value = static_cast<int>(v);
    return true;
}

CString FormatInt(int value) {
    CString s;
    s.Format(L"%d", value);
    return s;
}

const wchar_t* const kFixedSections[] = {L"Editor", L"Font", L"ColorGroups", L"Keywords",
                                         L"Parser"};

bool IsFixedSection(const CString& name) {
    for (const wchar_t* s : kFixedSections)
        if (name.CompareNoCase(s) == 0)
            return true;
    return false;
}

} // namespace

const SECEditIniFile& SECEditLangIniReader::File() {
    if (!m_loaded) {
        if (!m_file.Load(m_path))
            m_problems.push_back(L"the file cannot be read: " + m_path);
        m_loaded = true;
    }
    return m_file;
}

const std::wstring* SECEditLangIniReader::Find(const wchar_t* section, const wchar_t* key) {
    return File().Find(section, key);
}

CString SECEditLangIniReader::ReadString(const wchar_t* section, const wchar_t* key) {
    const std::wstring* value = Find(section, key);
    return value ? CString(*value) : CString();
}

bool SECEditLangIniReader::HasKey(const wchar_t* section, const wchar_t* key) {
    return Find(section, key) != nullptr;
}

void SECEditLangIniReader::Reject(const wchar_t* section, const wchar_t* key,
                                  const CString& value) {
    CString problem;
    problem.Format(L"%s/%s: %s", section, key, value.GetString());
    m_problems.push_back(problem);
}

bool SECEditLangIniReader::ReadInt(const wchar_t* section, const wchar_t* key, int& value, int low,
                                   int high) {
    if (!HasKey(section, key))
        return false;
    const CString text = ReadString(section, key);
    int v = 0;
    if (!ParseInt(text, v) || v < low || v > high) {
        Reject(section, key, text);
        return false;
    }
    value = v;
    return true;
}

bool SECEditLangIniReader::ReadFlag(const wchar_t* section, const wchar_t* key, BOOL& value) {
    int v = 0;
    if (!ReadInt(section, key, v, 0, 1))
        return false;
    value = v;
    return true;
}

bool SECEditLangIniReader::ReadColour(const wchar_t* section, const wchar_t* key, COLORREF& value) {
    if (!HasKey(section, key))
        return false;
    const CString text = ReadString(section, key);
    int rgb[3] = {0, 0, 0};
    int start = 0;
    bool ok = true;
    for (int i = 0; i < 3 && ok; ++i) {
        const int comma = text.Find(L',', start);
        const bool last = i == 2;
        if (last != (comma < 0)) {
            ok = false;
            break;
        }
        const CString field = last ? text.Mid(start) : text.Mid(start, comma - start);
        ok = ParseInt(field, rgb[i]) && rgb[i] >= 0;
        start = comma + 1;
    }
    if (!ok) {
        Reject(section, key, text);
        return false;
    }
    value = RGB(rgb[0] % 256, rgb[1] % 256, rgb[2] % 256);
    return true;
}

void SECEditLangIniReader::ReadFlags(const wchar_t* section, const SECEditLangFlag* flags,
                                     size_t count, SECEditLangConfig* config) {
    for (const SECEditLangFlag* f = flags; f != flags + count; ++f) {
        BOOL value = FALSE;
        (config->*f->set)(ReadFlag(section, f->key, value) ? value : f->missing);
    }
}

BOOL SECEditLangIniReader::Read(SECEditLangConfig* config) {
    if (!config)
        return FALSE;
    m_problems.clear();
    m_loaded = false; // the file may have changed since the last read
    if (m_resetFirst)
        config->SetDefaults();
    // Colour groups first: tags and keywords name them.
    BOOL ok = ReadColorGroups(config);
    ok = ReadParser(config) && ok;
    ok = ReadFont(config) && ok;
    ok = ReadKeywords(config) && ok;
    ok = ReadEditor(config) && ok;
    return ok && m_problems.empty();
}

BOOL SECEditLangIniReader::ReadColorGroups(SECEditLangConfig* config) {
    int count = 0;
    if (HasKey(L"ColorGroups", L"NumGroups")) {
        const CString text = ReadString(L"ColorGroups", L"NumGroups");
        if (!ParseInt(text, count) || count < 0) {
            Reject(L"ColorGroups", L"NumGroups", text);
            count = 0;
        } else if (count > SECEditLangConfig::kMaxColorGroups) {
            // Group indexes are 16 bits wide: more would wrap onto other groups.
            Reject(L"ColorGroups", L"NumGroups", text);
            count = SECEditLangConfig::kMaxColorGroups;
        }
    }
    for (int i = 1; i <= count; ++i) {
        CString key;
        key.Format(L"Group%d", i);
        const std::wstring* entry = Find(L"ColorGroups", key);
        if (!entry)
            continue;
        CString name(*entry);
        if (name.Trim().IsEmpty())
            continue;
        auto group = std::make_unique<SECEditColorGroup>();
        const std::wstring* display = Find(name, L"DisplayName");
        group->m_displayName = display ? CString(*display) : name;
        ReadFlag(name, L"Configurable", group->m_configurable);
        if (ReadColour(name, L"Foreground", group->m_foreground)) {
            ReadFlag(name, L"ForeColorAutomatic", group->m_foreColorAutomatic);
        } else {
            group->m_foreground = 0;
            group->m_foreColorAutomatic = TRUE;
        }
        if (ReadColour(name, L"Background", group->m_background)) {
            ReadFlag(name, L"BackColorAutomatic", group->m_backColorAutomatic);
        } else {
            group->m_background = 0xFFFFFF;
            group->m_backColorAutomatic = TRUE;
        }
        if (config->PutColorGroup(name, std::move(group)) < 0)
            Reject(L"ColorGroups", key, name + L" (no room for another group)");
    }
    config->RefreshDefaultGroups();
    return TRUE;
}

BOOL SECEditLangIniReader::ReadParser(SECEditLangConfig* config) {
    for (const SECEditLangCharClass& c : kCharClasses) {
        const std::wstring* chars = Find(L"Parser", c.key);
        if (chars && !chars->empty())
            config->SetCharClass(chars->c_str(), c.charClass, FALSE);
    }
    int count = 0;
    ReadInt(L"Parser", L"NumTags", count, 0, 65535);
    for (int i = 1; i <= count; ++i) {
        CString section;
        section.Format(L"Tag%d", i);
        const std::wstring* begin = Find(section, L"BeginTag");
        const std::wstring* end = Find(section, L"EndTag");
        if (!begin || begin->empty()) {
            if (begin || end)
                Reject(section, L"BeginTag", CString());
            continue;
        }
        if (begin->size() > static_cast<size_t>(kMaxTagLength)) {
            CString shown;
            shown.Format(L"%d characters, more than %d", static_cast<int>(begin->size()),
                         kMaxTagLength);
            Reject(section, L"BeginTag", shown);
            continue;
        }
        auto tag = std::make_unique<SECEditTag>();
        const std::wstring* group = Find(section, L"ColorGroup");
        const int index = group ? config->FindColorGroup(group->c_str()) : -1;
        tag->m_group = static_cast<uint16_t>(index >= 0 ? index : 0);
        tag->m_beginTag = begin->c_str();
        tag->m_endTag = ReadString(section, L"EndTag");
        tag->m_escapeChar = ReadString(section, L"EscapeChar");
        ReadFlag(section, L"MultiLine", tag->m_multiLine);
        config->PutTag(std::move(tag));
    }
    return TRUE;
}

BOOL SECEditLangIniReader::ReadKeywords(SECEditLangConfig* config) {
    for (const auto& entry : File().Entries(L"Keywords")) {
        const CString keyword(entry.first), group(entry.second);
        if (keyword.IsEmpty() || group.IsEmpty())
            continue;
        const int index = config->FindColorGroup(group);
        if (index >= 0)
            config->PutKeyword(keyword, static_cast<uint16_t>(index));
    }
    config->RebuildFoldedKeywords();
    return TRUE;
}

BOOL SECEditLangIniReader::ReadFont(SECEditLangConfig* config) {
    if (HasKey(L"Font", L"FaceName")) {
        const CString face = ReadString(L"Font", L"FaceName");
        if (face.IsEmpty() || face.GetLength() > SECEditLangConfig::kMaxFaceName)
            Reject(L"Font", L"FaceName", face);
        else
            config->SetFaceName(face);
    }
    int size = config->GetSize();
    if (ReadInt(L"Font", L"Size", size, 1, 1638))
        config->SetSize(size);
    ReadFlags(L"Font", kFontFlags.data(), kFontFlags.size(), config);
    return TRUE;
}

BOOL SECEditLangIniReader::ReadEditor(SECEditLangConfig* config) {
    int tab = 4;
    ReadInt(L"Editor", L"TabSize", tab, SECEditLangConfig::kMinTabSize,
            SECEditLangConfig::kMaxTabSize);
    config->SetTabSize(tab);
    ReadFlags(L"Editor", kEditorFlags.data(), kEditorFlags.size(), config);
    return TRUE;
}

BOOL SECEditLangIniWriter::Put(const wchar_t* section, const wchar_t* key, const CString& value) {
    m_file.Set(section, key, value.str());
    return TRUE;
}

BOOL SECEditLangIniWriter::PutInt(const wchar_t* section, const wchar_t* key, int value) {
    return Put(section, key, FormatInt(value));
}

BOOL SECEditLangIniWriter::PutFlags(const wchar_t* section, const SECEditLangFlag* flags,
                                    size_t count, SECEditLangConfig* config) {
    for (const SECEditLangFlag* f = flags; f != flags + count; ++f)
        if (!Put(section, f->key, (config->*f->get)() ? L"1" : L"0"))
            return FALSE;
    return TRUE;
}

void SECEditLangIniWriter::RemoveStaleSections() {
    // The sections of groups and tags that an earlier, larger file had would otherwise
    // survive next to the new ones.
    auto count = [&](const wchar_t* section, const wchar_t* key) {
        const std::wstring* value = m_file.Find(section, key);
        int n = 0;
        return value && ParseInt(value->c_str(), n) ? std::min(std::max(n, 0), 65535) : 0;
    };
    const int groups = count(L"ColorGroups", L"NumGroups");
    for (int i = 1; i <= groups; ++i) {
        CString key;
        key.Format(L"Group%d", i);
        const std::wstring* name = m_file.Find(L"ColorGroups", key);
        if (name && !name->empty() && !IsFixedSection(name->c_str()))
            m_file.RemoveSection(name->c_str());
    }
    const int tags = count(L"Parser", L"NumTags");
    for (int i = 1; i <= tags; ++i) {
        CString section;
        section.Format(L"Tag%d", i);
        m_file.RemoveSection(section);
    }
    m_file.RemoveSection(L"ColorGroups");
    m_file.RemoveSection(L"Keywords");
}

template <class Part> BOOL SECEditLangIniWriter::Run(Part part) {
    if (m_inWrite)
        return part();
    // A part on its own changes the file as it stands.
    return m_file.Load(m_path) && part() && m_file.Save(m_path);
}

BOOL SECEditLangIniWriter::Write(SECEditLangConfig* config) {
    if (!config || !m_file.Load(m_path))
        return FALSE;
    m_inWrite = true;
    RemoveStaleSections();
    BOOL ok = WriteColorGroups(config) && WriteParser(config) && WriteFont(config);
    // Keywords the format cannot hold make the answer FALSE, but the rest is still saved.
    const BOOL bKeywordsWhole = ok && WriteKeywords(config);
    ok = ok && WriteEditor(config);
    m_inWrite = false;
    return ok && m_file.Save(m_path) && bKeywordsWhole;
}

BOOL SECEditLangIniWriter::WriteColorGroups(SECEditLangConfig* config) {
    if (!config)
        return FALSE;
    return Run([&] {
        int written = 0;
        ForEachNamedColorGroup(*config, [&](const SECEditColorGroup& g, const CString& name) {
            CString key, fore, back;
            key.Format(L"Group%d", ++written);
            fore.Format(L"%d,%d,%d", GetRValue(g.m_foreground), GetGValue(g.m_foreground),
                        GetBValue(g.m_foreground));
            back.Format(L"%d,%d,%d", GetRValue(g.m_background), GetGValue(g.m_background),
                        GetBValue(g.m_background));
            Put(L"ColorGroups", key, name);
            Put(name, L"DisplayName", g.m_displayName);
            PutInt(name, L"Configurable", g.m_configurable);
            Put(name, L"Foreground", fore);
            PutInt(name, L"ForeColorAutomatic", g.m_foreColorAutomatic);
            Put(name, L"Background", back);
            PutInt(name, L"BackColorAutomatic", g.m_backColorAutomatic);
            return true;
        });
        return written < 1 || PutInt(L"ColorGroups", L"NumGroups", written);
    });
}

BOOL SECEditLangIniWriter::WriteParser(SECEditLangConfig* config) {
    if (!config)
        return FALSE;
    return Run([&] {
        for (const SECEditLangCharClass& c : kCharClasses) {
            CString chars;
            for (unsigned ch = 1; ch < 0xFFFF; ++ch)
                if (ch != L'\r' && ch != L'\n' &&
                    config->IsCharInClass(static_cast<wchar_t>(ch), c.charClass))
                    chars.AppendChar(static_cast<wchar_t>(ch));
            Put(L"Parser", c.key, chars);
        }
        std::vector<std::pair<CString, SECEditTag*>> tags;
        config->GetTagEntries(tags);
        const std::vector<CString> names = config->GetColorGroupNames();
        int number = 0;
        for (const auto& entry : tags) {
            const SECEditTag* tag = entry.second;
            CString section;
            section.Format(L"Tag%d", ++number);
            if (tag->m_group < names.size() && !names[tag->m_group].IsEmpty())
                Put(section, L"ColorGroup", names[tag->m_group]);
            Put(section, L"BeginTag", tag->m_beginTag);
            Put(section, L"EndTag", tag->m_endTag);
            Put(section, L"EscapeChar", tag->m_escapeChar);
            Put(section, L"MultiLine", tag->m_multiLine ? L"1" : L"0");
        }
        return PutInt(L"Parser", L"NumTags", number);
    });
}

namespace {

// A keyword is a key of its line: one that reading would take for something else, or split, is
// left out.
bool CanBeKey(const std::wstring& k) {
    return !k.empty() && k[0] != L';' && k[0] != L'[' && !SECEditIniFile::IsBlank(k.front()) &&
           !SECEditIniFile::IsBlank(k.back()) && std::none_of(k.begin(), k.end(), [](wchar_t c) {
               return c == L'=' || c == L'\r' || c == L'\n';
           });
}

} // namespace

BOOL SECEditLangIniWriter::WriteKeywords(SECEditLangConfig* config) {
    if (!config)
        return FALSE;
    bool bWhole = true; // a keyword that cannot be a key is lost: the answer says so
    const BOOL bWritten = Run([&] {
        std::vector<std::pair<const std::wstring*, uint16_t>> keywords;
        config->GetKeywordEntries(keywords);
        const std::vector<CString> names = config->GetColorGroupNames();
        std::wstring lines;
        lines.reserve(keywords.size() * 32); // a guess: measuring first costs a second walk
        for (const auto& k : keywords) {
            if (k.second >= names.size() || names[k.second].IsEmpty())
                continue;
            if (CanBeKey(*k.first))
                SECEditIniFile::AppendEntry(lines, *k.first, names[k.second].str());
            else
                bWhole = false;
        }
        m_file.SetSectionText(L"Keywords", std::move(lines));
        return TRUE;
    });
    return bWritten && bWhole;
}

BOOL SECEditLangIniWriter::WriteFont(SECEditLangConfig* config) {
    if (!config)
        return FALSE;
    return Run([&] {
        return Put(L"Font", L"FaceName", config->GetFaceName()) &&
               PutInt(L"Font", L"Size", config->GetSize()) &&
               PutFlags(L"Font", kFontFlags.data(), kFontFlags.size(), config);
    });
}

BOOL SECEditLangIniWriter::WriteEditor(SECEditLangConfig* config) {
    if (!config)
        return FALSE;
    return Run([&] {
        return PutInt(L"Editor", L"TabSize", config->GetTabSize()) &&
               PutFlags(L"Editor", kEditorFlags.data(), kEditorFlags.size(), config);
    });
}
