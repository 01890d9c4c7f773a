// A colour button: a swatch with a drop-down arrow that opens a popup colour well and reports
// the colour picked there (or in the colour dialog behind its "&Other...") to its parent.
#pragma once

#include "toolbars/colorwell.h"
#include "toolbars/ownerdrawbutton.h"

#include <memory>

namespace corvalis {
namespace foundation {

class SECWellButton : public SECOwnerDrawButton {
    DECLARE_DYNAMIC(SECWellButton)
public:
    SECWellButton();
    ~SECWellButton() override;

    void OnClicked() override;
    void PrepareDC(CDC* pItemDC, CDC* pMemDC) override;
    void RestoreDC(CDC* pItemDC, CDC* pMemDC) override;
    void DrawFocusRectangle(CDC* pDC, CRect rect) override;
    void DrawContent(CDC* pDC, LPDRAWITEMSTRUCT lpDIS, const CRect& rcFace) override;

    virtual void SetColorDialogFlags(DWORD dwFlags) { m_dwColorDialogFlags = dwFlags; }
    virtual DWORD GetColorDialogFlags() const { return m_dwColorDialogFlags; }
    virtual void SetCustomColors(COLORREF* pColors) { m_pCustomColors = pColors; }
    virtual BOOL CreateWellPalette();
    virtual void OpenPopup();

    void SetColor(COLORREF color);
    COLORREF GetColor() const;
    // Palette mode: the swatch and the popup's cells paint with palette indexes.
    void SetPopupColors(BOOL bPaletteMode) { m_bPaletteMode = bPaletteMode; }
    BOOL GetPopupColors() const { return m_bPaletteMode; }
    // Whether the popup gets its "&Other..." button.
    void SetPopupStyle(BOOL bOtherButton) { m_bPopupHasOther = bOtherButton; }
    BOOL GetPopupStyle() const { return m_bPopupHasOther; }
    COLORREF* GetCustomColors() const { return m_pCustomColors; }
    SECPopupColorWell* GetPopup() const { return m_pPopup.get(); }

protected:
    afx_msg LRESULT OnColorChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOtherColor(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    std::unique_ptr<SECPopupColorWell> m_pPopup;
    CPalette m_palette;
    CPalette* m_pOldItemPalette = nullptr;
    CPalette* m_pOldMemPalette = nullptr;
    BOOL m_bPaletteMode = FALSE;
    BOOL m_bPopupHasOther = TRUE;
    DWORD m_dwColorDialogFlags = CC_RGBINIT | CC_FULLOPEN;
    COLORREF* m_pCustomColors = nullptr;
};

// Dialog data exchange of a well button's colour.
void AFXAPI DDX_WellButtonColor(CDataExchange* pDX, SECWellButton& button, COLORREF& color);

} // namespace foundation
} // namespace corvalis
