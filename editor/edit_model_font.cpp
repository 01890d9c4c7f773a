// The model's font and colour choice, through the font and colour dialog.
#include "editor/edit_model.h"
#include "editor/edit_msg.h"
#include "editor/font_colour_dialog.h"

BOOL SECEditModel::ChooseFont() {
    SECEditLangConfig* pConfig = m_langConfig;
    if (pConfig == nullptr)
        return FALSE;
    LOGFONTW logFont = {};
    if (m_displayInfo != nullptr)
        if (HFONT hFont = m_displayInfo->GetFont(0))
            ::GetObjectW(hFont, sizeof(logFont), &logFont);
    logFont.lfCharSet = (BYTE)CharsetFromOemCodePage(::GetOEMCP());
    // Held while the dialog runs: an observer may let the model drop the configuration.
    pConfig->AddRef();
    BOOL bChosen = FALSE;
    {
        SECEditFontColorDlg dialog;
        dialog.SetSettings(pConfig, &logFont);
        if (dialog.DoModal() == IDOK) {
            dialog.GetSettings(pConfig);
            bChosen = TRUE;
        }
    }
    if (bChosen) {
        SECEditMsg message(SECEDIT_HINT_FONT);
        pConfig->NotifyObservers(nullptr, &message);
    }
    pConfig->Release();
    return bChosen;
}
