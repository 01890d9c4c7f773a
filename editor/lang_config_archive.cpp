// The archive form of a language configuration.
#include "editor/lang_config.h"

#include "framework/core/archive.h"

IMPLEMENT_SERIAL(SECEditLangConfig, CObject, VERSIONABLE_SCHEMA | 1)

namespace {

void PutFlag(CArchive& ar, BOOL value) {
    ar << static_cast<LONG>(value);
}

BOOL GetFlag(CArchive& ar) {
    LONG v = 0;
    ar >> v;
    return v != 0;
}

} // namespace

void SECEditLangConfig::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << static_cast<LONG>(m_groups.size());
        for (const auto& g : m_groups) {
            ar << static_cast<WORD>(g->m_id) << static_cast<DWORD>(g->m_foreground)
               << static_cast<DWORD>(g->m_background);
            PutFlag(ar, g->m_foreColorAutomatic);
            PutFlag(ar, g->m_backColorAutomatic);
            ar << g->m_displayName;
            PutFlag(ar, g->m_configurable);
        }
        ar << static_cast<LONG>(m_tags.size());
        for (const auto& entry : m_tags) {
            ar << CString(entry.first);
            const SECEditTag* tag = entry.second.get();
            PutFlag(ar, tag != nullptr);
            if (tag) {
                ar << tag->m_beginTag << tag->m_endTag << tag->m_escapeChar
                   << static_cast<WORD>(tag->m_group);
                PutFlag(ar, tag->m_multiLine);
            }
        }
        for (BOOL v : {m_matchCase, m_showWhitespace, m_replaceTabs, m_virtualWhitespace})
            PutFlag(ar, v);
        ar << static_cast<LONG>(m_tabSize);
        PutFlag(ar, m_autoIndent);
        ar << m_faceName << static_cast<LONG>(m_size);
        PutFlag(ar, m_italic);
        PutFlag(ar, m_bold);
        for (const SECEditCharSet* set :
             {&m_kwStart, &m_kwMiddle, &m_kwEnd, &m_delimiters, &m_operators})
            ar << set->List();
        ar.WriteCount(m_keywords.size());
        for (const auto& k : m_keywords)
            ar << CString(k.first) << static_cast<WORD>(k.second);
        ar.WriteCount(m_groupNames.size());
        for (const auto& g : m_groupNames)
            ar << CString(g.first) << static_cast<WORD>(g.second);
        return;
    }
    Clear();
    LONG groups = 0;
    ar >> groups;
    for (LONG i = 0; i < groups; ++i) {
        auto g = std::make_unique<SECEditColorGroup>();
        WORD id = 0;
        DWORD fore = 0, back = 0;
        ar >> id >> fore >> back;
        g->m_id = id;
        g->m_foreground = fore;
        g->m_background = back;
        g->m_foreColorAutomatic = GetFlag(ar);
        g->m_backColorAutomatic = GetFlag(ar);
        ar >> g->m_displayName;
        g->m_configurable = GetFlag(ar);
        m_groups.push_back(std::move(g));
    }
    LONG tags = 0;
    ar >> tags;
    for (LONG i = 0; i < tags; ++i) {
        CString key;
        ar >> key;
        std::unique_ptr<SECEditTag> tag;
        if (GetFlag(ar)) {
            tag = std::make_unique<SECEditTag>();
            WORD group = 0;
            ar >> tag->m_beginTag >> tag->m_endTag >> tag->m_escapeChar >> group;
            tag->m_group = group;
            tag->m_multiLine = GetFlag(ar);
        }
        m_tags[key.str()] = std::move(tag);
    }
    m_matchCase = GetFlag(ar);
    m_showWhitespace = GetFlag(ar);
    m_replaceTabs = GetFlag(ar);
    m_virtualWhitespace = GetFlag(ar);
    LONG tab = 4, size = 10;
    ar >> tab;
    SetTabSize(tab);
    m_autoIndent = GetFlag(ar);
    CString face;
    ar >> face >> size;
    SetFaceName(face);
    SetSize(size);
    m_italic = GetFlag(ar);
    m_bold = GetFlag(ar);
    for (SECEditCharSet* set : {&m_kwStart, &m_kwMiddle, &m_kwEnd, &m_delimiters, &m_operators}) {
        CString chars;
        ar >> chars;
        set->Add(chars);
    }
    for (DWORD_PTR n = ar.ReadCount(); n > 0; --n) {
        CString keyword;
        WORD group = 0;
        ar >> keyword >> group;
        m_keywords[keyword.str()] = group;
    }
    RebuildFoldedKeywords(); // which also forgets the start filters of the old tables
    for (DWORD_PTR n = ar.ReadCount(); n > 0; --n) {
        CString name;
        WORD index = 0;
        ar >> name >> index;
        m_groupNames[name.str()] = index;
    }
    // The archive does not keep the default groups' indexes: find them by name again.
    RefreshDefaultGroups();
}
