// CColorDialog: the system's colour chooser. The sixteen custom colours are shared by every
// colour dialog of the process, so a colour mixed once is offered again.
#pragma once

#include "framework/dialogs/commondialog.h"

class CColorDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CColorDialog)
public:
    // clrInit: the colour selected first (0 means none given).
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = NULL);

    INT_PTR DoModal() override;

    COLORREF GetColor() const { return m_cc.rgbResult; }
    // The process's custom colours (16 entries).
    static COLORREF* PASCAL GetSavedCustomColors();

    CHOOSECOLORW m_cc;
};
