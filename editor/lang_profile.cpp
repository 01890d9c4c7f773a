#include "editor/lang_profile.h"

#include "editor/lang_config.h"
#include "editor/lang_settings.h"
#include "framework/win/winapp.h"

namespace {

BOOL Flag(CWinApp* app, const CString& section, const wchar_t* key, BOOL current) {
    return app->GetProfileInt(section, key, current ? 1 : 0) != 0;
}

// Each flag keeps its current value when the profile has none.
template <size_t N>
void ReadFlags(CWinApp* app, const CString& section, const std::array<SECEditLangFlag, N>& flags,
               SECEditLangConfig* config) {
    for (const SECEditLangFlag& f : flags)
        (config->*f.set)(Flag(app, section, f.key, (config->*f.get)()));
}

template <size_t N>
bool WriteFlags(CWinApp* app, const CString& section, const std::array<SECEditLangFlag, N>& flags,
                const SECEditLangConfig* config) {
    for (const SECEditLangFlag& f : flags)
        if (!app->WriteProfileInt(section, f.key, (config->*f.get)()))
            return false;
    return true;
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
    ReadFlags(app, s, kEditorFlags, config);
    return TRUE;
}

BOOL SECEditLangProfileReader::ReadColorGroups(SECEditLangConfig* config) {
    CWinApp* app = AfxGetApp();
    if (!app)
        return FALSE;
    ForEachNamedColorGroup(*config, [&](SECEditColorGroup& g, const CString& name) {
        const CString s = m_base + L"Color Groups\\" + name;
        g.m_backColorAutomatic = Flag(app, s, L"BackColorAutomatic", g.m_backColorAutomatic);
        g.m_foreColorAutomatic = Flag(app, s, L"ForeColorAutomatic", g.m_foreColorAutomatic);
        g.m_background = app->GetProfileInt(s, L"Background", static_cast<int>(g.m_background));
        g.m_foreground = app->GetProfileInt(s, L"Foreground", static_cast<int>(g.m_foreground));
        g.m_displayName = app->GetProfileString(s, L"DisplayName", g.m_displayName);
        g.m_configurable = Flag(app, s, L"Configurable", g.m_configurable);
        return true;
    });
    return TRUE;
}

BOOL SECEditLangProfileReader::ReadFont(SECEditLangConfig* config) {
    CWinApp* app = AfxGetApp();
    if (!app)
        return FALSE;
    const CString s = m_base + L"Font";
    config->SetFaceName(app->GetProfileString(s, L"Facename", config->GetFaceName()));
    config->SetSize(static_cast<int>(app->GetProfileInt(s, L"Size", config->GetSize())));
    ReadFlags(app, s, kFontFlags, config);
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
           WriteFlags(app, s, kEditorFlags, config);
}

BOOL SECEditLangProfileWriter::WriteColorGroups(SECEditLangConfig* config) {
    CWinApp* app = AfxGetApp();
    if (!app)
        return FALSE;
    return ForEachNamedColorGroup(*config, [&](const SECEditColorGroup& g, const CString& name) {
        const CString s = m_base + L"Color Groups\\" + name;
        return app->WriteProfileInt(s, L"BackColorAutomatic", g.m_backColorAutomatic) &&
               app->WriteProfileInt(s, L"ForeColorAutomatic", g.m_foreColorAutomatic) &&
               app->WriteProfileInt(s, L"Background", static_cast<int>(g.m_background)) &&
               app->WriteProfileInt(s, L"Foreground", static_cast<int>(g.m_foreground)) &&
               app->WriteProfileString(s, L"DisplayName", g.m_displayName) &&
               app->WriteProfileInt(s, L"Configurable", g.m_configurable);
    });
}

BOOL SECEditLangProfileWriter::WriteFont(SECEditLangConfig* config) {
    CWinApp* app = AfxGetApp();
    const CString s = m_base + L"Font";
    return app && app->WriteProfileString(s, L"Facename", config->GetFaceName()) &&
           app->WriteProfileInt(s, L"Size", config->GetSize()) &&
           WriteFlags(app, s, kFontFlags, config);
}
