#include "editor/lang_profile.h"

#include "editor/lang_config.h"
#include "framework/winapp.h"

namespace {

BOOL Flag(CWinApp* app, const CString& section, const wchar_t* key, BOOL current) {
    return app->GetProfileInt(section, key, current ? 1 : 0) != 0;
}

} // namespace

BOOL SECEditLangProfileReader::Read(SECEditLangConfig* config) {
    if (!config || !AfxGetApp())
        return FALSE;
    if (m_resetFirst)
        config->SetDefaults();
    const BOOL editor = ReadEditor(config);
    const BOOL groups = ReadColorGroups(config);
    const BOOL font = ReadFont(config);
    return editor && groups ? font : FALSE;
}

BOOL SECEditLangProfileReader::ReadEditor(SECEditLangConfig* config) {
    CWinApp* app = AfxGetApp();
    if (!app)
        return FALSE;
    const CString s = m_base + L"Editor";
    config->SetTabSize(static_cast<int>(app->GetProfileInt(s, L"TabSize", config->GetTabSize())));
    config->SetAutoIndent(Flag(app, s, L"AutoIndent", config->GetAutoIndent()));
    config->SetShowWhitespace(Flag(app, s, L"ShowWhitespace", config->GetShowWhitespace()));
    config->SetVirtualWhitespace(
        Flag(app, s, L"VirtualWhitespace", config->GetVirtualWhitespace()));
    config->SetReplaceTabs(Flag(app, s, L"ReplaceTabs", config->GetReplaceTabs()));
    config->SetMatchCase(Flag(app, s, L"MatchCase", config->GetMatchCase()));
    return TRUE;
}

BOOL SECEditLangProfileReader::ReadColorGroups(SECEditLangConfig* config) {
    CWinApp* app = AfxGetApp();
    if (!app)
        return FALSE;
    for (int i = 0; i < config->GetColorGroupCount(); ++i) {
        const CString name = config->GetColorGroupName(i);
        if (name.IsEmpty())
            continue;
        SECEditColorGroup* g = config->GetColorGroup(i);
        const CString s = m_base + L"Color Groups\\" + name;
        g->m_backColorAutomatic = Flag(app, s, L"BackColorAutomatic", g->m_backColorAutomatic);
        g->m_foreColorAutomatic = Flag(app, s, L"ForeColorAutomatic", g->m_foreColorAutomatic);
        g->m_background = app->GetProfileInt(s, L"Background", static_cast<int>(g->m_background));
        g->m_foreground = app->GetProfileInt(s, L"Foreground", static_cast<int>(g->m_foreground));
        g->m_displayName = app->GetProfileString(s, L"DisplayName", g->m_displayName);
        g->m_configurable = Flag(app, s, L"Configurable", g->m_configurable);
    }
    return TRUE;
}

BOOL SECEditLangProfileReader::ReadFont(SECEditLangConfig* config) {
    CWinApp* app = AfxGetApp();
    if (!app)
        return FALSE;
    const CString s = m_base + L"Font";
    config->SetFaceName(app->GetProfileString(s, L"Facename", config->GetFaceName()));
    config->SetSize(static_cast<int>(app->GetProfileInt(s, L"Size", config->GetSize())));
    config->SetItalic(Flag(app, s, L"Italic", config->GetItalic()));
    config->SetBold(Flag(app, s, L"Bold", config->GetBold()));
    return TRUE;
}

BOOL SECEditLangProfileWriter::Write(SECEditLangConfig* config) {
    if (!config || !AfxGetApp())
        return FALSE;
    if (WriteEditor(config) && WriteColorGroups(config))
        WriteFont(config);
    return TRUE;
}

BOOL SECEditLangProfileWriter::WriteEditor(SECEditLangConfig* config) {
    CWinApp* app = AfxGetApp();
    const CString s = m_base + L"Editor";
    return app && app->WriteProfileInt(s, L"TabSize", config->GetTabSize()) &&
           app->WriteProfileInt(s, L"AutoIndent", config->GetAutoIndent()) &&
           app->WriteProfileInt(s, L"ShowWhitespace", config->GetShowWhitespace()) &&
           app->WriteProfileInt(s, L"VirtualWhitespace", config->GetVirtualWhitespace()) &&
           app->WriteProfileInt(s, L"ReplaceTabs", config->GetReplaceTabs()) &&
           app->WriteProfileInt(s, L"MatchCase", config->GetMatchCase());
}

BOOL SECEditLangProfileWriter::WriteColorGroups(SECEditLangConfig* config) {
    CWinApp* app = AfxGetApp();
    if (!app)
        return FALSE;
    for (int i = 0; i < config->GetColorGroupCount(); ++i) {
        const CString name = config->GetColorGroupName(i);
        if (name.IsEmpty())
            continue;
        const SECEditColorGroup* g = config->GetColorGroup(i);
        const CString s = m_base + L"Color Groups\\" + name;
        if (!app->WriteProfileInt(s, L"BackColorAutomatic", g->m_backColorAutomatic) ||
            !app->WriteProfileInt(s, L"ForeColorAutomatic", g->m_foreColorAutomatic) ||
            !app->WriteProfileInt(s, L"Background", static_cast<int>(g->m_background)) ||
            !app->WriteProfileInt(s, L"Foreground", static_cast<int>(g->m_foreground)) ||
            !app->WriteProfileString(s, L"DisplayName", g->m_displayName) ||
            !app->WriteProfileInt(s, L"Configurable", g->m_configurable))
            return FALSE;
    }
    return TRUE;
}

BOOL SECEditLangProfileWriter::WriteFont(SECEditLangConfig* config) {
    CWinApp* app = AfxGetApp();
    const CString s = m_base + L"Font";
    return app && app->WriteProfileString(s, L"Facename", config->GetFaceName()) &&
           app->WriteProfileInt(s, L"Size", config->GetSize()) &&
           app->WriteProfileInt(s, L"Italic", config->GetItalic()) &&
           app->WriteProfileInt(s, L"Bold", config->GetBold());
}
