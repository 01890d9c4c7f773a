// CFontDialog: the system's font chooser over a LOGFONT (and a text colour with CF_EFFECTS).
#pragma once

#include "framework/dialogs/commondialog.h"
#include "framework/core/cstring.h"

class CDC;

class CFontDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFontDialog)
public:
    // lplfInitial: the font shown first (copied). pdcPrinter: list the printer's fonts too.
    explicit CFontDialog(LPLOGFONT lplfInitial = NULL, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* pdcPrinter = NULL, CWnd* pParentWnd = NULL);

    // A dialog template of the library (CF_ENABLETEMPLATE with m_cf.lpTemplateName) is taken
    // from the library's resources.
    INT_PTR DoModal() override;

    // The chosen font (the one shown while the dialog is up).
    void GetCurrentFont(LPLOGFONT lplf);
    CString GetFaceName() const { return CString(m_lf.lfFaceName); }
    int GetSize() const { return m_cf.iPointSize; } // tenths of a point
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return (int)m_lf.lfWeight; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic != 0; }
    BOOL IsUnderline() const { return m_lf.lfUnderline != 0; }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut != 0; }

    CHOOSEFONTW m_cf;
    LOGFONTW m_lf;
};
