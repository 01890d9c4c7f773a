#include "editor/lang_ini.h"

#include "editor/lang_config.h"
#include "editor/lang_settings.h"

#include <cwchar>
#include <cwctype>
#include <memory>
#include <string>

namespace {

const wchar_t kMissing[] = L"\x01\x02missing";

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

// Values that the profile reader would trim or unquote are written inside quotes, which the
// reader removes again.
CString QuoteIfNeeded(const CString& value) {
    const int n = value.GetLength();
    if (n == 0)
        return value;
    const wchar_t first = value[0], last = value[n - 1];
    if (std::iswspace(first) || std::iswspace(last) || first == L'"' || first == L'\'')
        return L"\"" + value + L"\"";
    return value;
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

CString SECEditLangIniReader::ReadString(const wchar_t* section, const wchar_t* key) {
    for (DWORD size = 1024;; size *= 4) {
        std::unique_ptr<wchar_t[]> buffer(new wchar_t[size]);
        const DWORD n =
            GetPrivateProfileStringW(section, key, kMissing, buffer.get(), size, m_path);
        if (n + 1 < size || size >= (1u << 24))
            return CString(buffer.get(), static_cast<int>(n));
    }
}

bool SECEditLangIniReader::HasKey(const wchar_t* section, const wchar_t* key) {
    return ReadString(section, key) != kMissing;
}

void SECEditLangIniReader::Reject(const wchar_t* section, const wchar_t* key,
                                  const CString& value) {
    CString problem;
    problem.Format(L"%s/%s: %s", section, key, value.GetString());
    m_problems.push_back(problem);
}

bool SECEditLangIniReader::ReadInt(const wchar_t* section, const wchar_t* key, int& value, int low,
                                   int high) {
    const CString text = ReadString(section, key);
    if (text == kMissing)
        return false;
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
    const CString text = ReadString(section, key);
    if (text == kMissing)
        return false;
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
    ReadInt(L"ColorGroups", L"NumGroups", count, 0, 65535);
    for (int i = 1; i <= count; ++i) {
        CString key;
        key.Format(L"Group%d", i);
        CString name = ReadString(L"ColorGroups", key);
        if (name == kMissing || name.Trim().IsEmpty())
            continue;
        auto group = std::make_unique<SECEditColorGroup>();
        const CString display = ReadString(name, L"DisplayName");
        group->m_displayName = display == kMissing ? name : display;
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
        config->PutColorGroup(name, std::move(group));
    }
    config->RefreshDefaultGroups();
    return TRUE;
}

BOOL SECEditLangIniReader::ReadParser(SECEditLangConfig* config) {
    for (const SECEditLangCharClass& c : kCharClasses) {
        const CString chars = ReadString(L"Parser", c.key);
        if (chars != kMissing && !chars.IsEmpty())
            config->SetCharClass(chars, c.charClass, FALSE);
    }
    int count = 0;
    ReadInt(L"Parser", L"NumTags", count, 0, 65535);
    for (int i = 1; i <= count; ++i) {
        CString section;
        section.Format(L"Tag%d", i);
        auto tag = std::make_unique<SECEditTag>();
        const CString group = ReadString(section, L"ColorGroup");
        const int index = group == kMissing ? -1 : config->FindColorGroup(group);
        tag->m_group = static_cast<uint16_t>(index >= 0 ? index : 0);
        auto text = [&](const wchar_t* key) {
            const CString v = ReadString(section, key);
            return v == kMissing ? CString() : v;
        };
        tag->m_beginTag = text(L"BeginTag");
        tag->m_endTag = text(L"EndTag");
        tag->m_escapeChar = text(L"EscapeChar");
        ReadFlag(section, L"MultiLine", tag->m_multiLine);
        if (tag->m_beginTag.IsEmpty()) {
            if (HasKey(section, L"BeginTag") || HasKey(section, L"EndTag"))
                Reject(section, L"BeginTag", CString());
            continue;
        }
        config->PutTag(std::move(tag));
    }
    return TRUE;
}

BOOL SECEditLangIniReader::ReadKeywords(SECEditLangConfig* config) {
    std::unique_ptr<wchar_t[]> buffer;
    DWORD n = 0;
    for (DWORD size = 32760;; size *= 4) {
        buffer.reset(new wchar_t[size]);
        n = GetPrivateProfileSectionW(L"Keywords", buffer.get(), size, m_path);
        if (n + 2 < size || size >= (1u << 24))
            break;
    }
    for (const wchar_t* line = buffer.get(); line < buffer.get() + n && *line;
         line += std::wcslen(line) + 1) {
        const CString entry(line);
        const int eq = entry.Find(L'=');
        if (eq < 0)
            continue;
        CString keyword = entry.Left(eq);
        CString group = entry.Mid(eq + 1);
        keyword.Trim();
        group.Trim();
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
    const CString face = ReadString(L"Font", L"FaceName");
    if (face != kMissing) {
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
    return WritePrivateProfileStringW(section, key, value, m_path) != FALSE;
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
    const UINT groups = GetPrivateProfileIntW(L"ColorGroups", L"NumGroups", 0, m_path);
    for (UINT i = 1; i <= groups && i < 65536; ++i) {
        CString key;
        key.Format(L"Group%u", i);
        wchar_t name[1024] = {};
        GetPrivateProfileStringW(L"ColorGroups", key, L"", name, 1024, m_path);
        if (name[0] && !IsFixedSection(name))
            WritePrivateProfileStringW(name, nullptr, nullptr, m_path);
    }
    const UINT tags = GetPrivateProfileIntW(L"Parser", L"NumTags", 0, m_path);
    for (UINT i = 1; i <= tags && i < 65536; ++i) {
        CString section;
        section.Format(L"Tag%u", i);
        WritePrivateProfileStringW(section, nullptr, nullptr, m_path);
    }
    WritePrivateProfileStringW(L"ColorGroups", nullptr, nullptr, m_path);
    WritePrivateProfileStringW(L"Keywords", nullptr, nullptr, m_path);
}

BOOL SECEditLangIniWriter::Write(SECEditLangConfig* config) {
    if (!config)
        return FALSE;
    RemoveStaleSections();
    return WriteColorGroups(config) && WriteParser(config) && WriteFont(config) &&
           WriteKeywords(config) && WriteEditor(config);
}

BOOL SECEditLangIniWriter::WriteColorGroups(SECEditLangConfig* config) {
    if (!config)
        return FALSE;
    int written = 0;
    const bool ok =
        ForEachNamedColorGroup(*config, [&](const SECEditColorGroup& g, const CString& name) {
            CString key, fore, back;
            key.Format(L"Group%d", ++written);
            fore.Format(L"%d,%d,%d", GetRValue(g.m_foreground), GetGValue(g.m_foreground),
                        GetBValue(g.m_foreground));
            back.Format(L"%d,%d,%d", GetRValue(g.m_background), GetGValue(g.m_background),
                        GetBValue(g.m_background));
            return Put(L"ColorGroups", key, name) && Put(name, L"DisplayName", g.m_displayName) &&
                   PutInt(name, L"Configurable", g.m_configurable) &&
                   Put(name, L"Foreground", fore) &&
                   PutInt(name, L"ForeColorAutomatic", g.m_foreColorAutomatic) &&
                   Put(name, L"Background", back) &&
                   PutInt(name, L"BackColorAutomatic", g.m_backColorAutomatic);
        });
    if (!ok)
        return FALSE;
    return written < 1 || PutInt(L"ColorGroups", L"NumGroups", written);
}

BOOL SECEditLangIniWriter::WriteParser(SECEditLangConfig* config) {
    if (!config)
        return FALSE;
    for (const SECEditLangCharClass& c : kCharClasses) {
        CString chars;
        for (unsigned ch = 1; ch < 0xFFFF; ++ch)
            if (config->IsCharInClass(static_cast<wchar_t>(ch), c.charClass))
                chars.AppendChar(static_cast<wchar_t>(ch));
        if (!Put(L"Parser", c.key, QuoteIfNeeded(chars)))
            return FALSE;
    }
    std::vector<std::pair<CString, SECEditTag*>> tags;
    config->GetTagEntries(tags);
    int number = 0;
    for (const auto& entry : tags) {
        const SECEditTag* tag = entry.second;
        CString section;
        section.Format(L"Tag%d", ++number);
        const CString group = config->GetColorGroupName(tag->m_group);
        if ((!group.IsEmpty() && !Put(section, L"ColorGroup", group)) ||
            !Put(section, L"BeginTag", QuoteIfNeeded(tag->m_beginTag)) ||
            !Put(section, L"EndTag", QuoteIfNeeded(tag->m_endTag)) ||
            !Put(section, L"EscapeChar", QuoteIfNeeded(tag->m_escapeChar)) ||
            !Put(section, L"MultiLine", tag->m_multiLine ? L"1" : L"0"))
            return FALSE;
    }
    return PutInt(L"Parser", L"NumTags", number);
}

BOOL SECEditLangIniWriter::WriteKeywords(SECEditLangConfig* config) {
    if (!config)
        return FALSE;
    std::vector<CString> keywords;
    config->GetKeywords(keywords);
    std::wstring section;
    for (const CString& k : keywords) {
        int group = 0;
        if (!config->ClassifyWord(k, k.GetLength(), group))
            continue;
        const CString name = config->GetColorGroupName(group);
        // A keyword with "=" in it would not read back as itself.
        if (name.IsEmpty() || k.Find(L'=') >= 0)
            continue;
        section += k.str() + L"=" + name.str();
        section.push_back(L'\0');
    }
    section.push_back(L'\0');
    return WritePrivateProfileSectionW(L"Keywords", section.c_str(), m_path) != FALSE;
}

BOOL SECEditLangIniWriter::WriteFont(SECEditLangConfig* config) {
    if (!config)
        return FALSE;
    return Put(L"Font", L"FaceName", config->GetFaceName()) &&
           PutInt(L"Font", L"Size", config->GetSize()) &&
           PutFlags(L"Font", kFontFlags.data(), kFontFlags.size(), config);
}

BOOL SECEditLangIniWriter::WriteEditor(SECEditLangConfig* config) {
    if (!config)
        return FALSE;
    return PutInt(L"Editor", L"TabSize", config->GetTabSize()) &&
           PutFlags(L"Editor", kEditorFlags.data(), kEditorFlags.size(), config);
}
