// The on/off settings of a language configuration as every stored form names them, so that
// the ini file and the application's profile read and write the same keys the same way.
#pragma once

#include "editor/lang_config.h"

#include <array>

struct SECEditLangFlag {
    const wchar_t* key;
    BOOL (SECEditLangConfig::*get)() const;
    void (SECEditLangConfig::*set)(BOOL);
    BOOL missing; // what a file without the key gives
};

// Section "Editor", after its tab size.
inline const std::array<SECEditLangFlag, 5> kEditorFlags{{
    {L"AutoIndent", &SECEditLangConfig::GetAutoIndent, &SECEditLangConfig::SetAutoIndent, FALSE},
    {L"ShowWhitespace", &SECEditLangConfig::GetShowWhitespace,
     &SECEditLangConfig::SetShowWhitespace, FALSE},
    {L"VirtualWhitespace", &SECEditLangConfig::GetVirtualWhitespace,
     &SECEditLangConfig::SetVirtualWhitespace, FALSE},
    {L"ReplaceTabs", &SECEditLangConfig::GetReplaceTabs, &SECEditLangConfig::SetReplaceTabs, FALSE},
    {L"MatchCase", &SECEditLangConfig::GetMatchCase, &SECEditLangConfig::SetMatchCase, TRUE},
}};

// Section "Font", after its face name and size.
inline const std::array<SECEditLangFlag, 2> kFontFlags{{
    {L"Italic", &SECEditLangConfig::GetItalic, &SECEditLangConfig::SetItalic, FALSE},
    {L"Bold", &SECEditLangConfig::GetBold, &SECEditLangConfig::SetBold, FALSE},
}};

// The character classes of section "Parser" by key.
struct SECEditLangCharClass {
    const wchar_t* key;
    int charClass;
};

inline const std::array<SECEditLangCharClass, 5> kCharClasses{{
    {L"Operators", SECEDIT_OPERATORS},
    {L"Delimiters", SECEDIT_DELIMITERS},
    {L"KWStartChars", SECEDIT_KWSTART},
    {L"KWMiddleChars", SECEDIT_KWMIDDLE},
    {L"KWEndChars", SECEDIT_KWEND},
}};

// Calls visit(group, name) for every colour group that has a name, in index order, until one
// call returns false; a group without a name cannot be stored, as its name is its key.
template <class Visit> bool ForEachNamedColorGroup(const SECEditLangConfig& config, Visit visit) {
    const std::vector<CString> names = config.GetColorGroupNames();
    for (int i = 0; i < static_cast<int>(names.size()); ++i) {
        const CString& name = names[i];
        if (!name.IsEmpty() && !visit(*config.GetColorGroup(i), name))
            return false;
    }
    return true;
}
