// Push buttons that paint themselves: SECOwnerDrawButton draws the frame (plain, pressed, focus,
// flat, hot, themed and disabled looks) double-buffered, and its subclasses paint the face.
#pragma once

#include "framework/afx.h"

#include <uxtheme.h>

namespace corvalis {
namespace foundation {

// Button flag: answer as the default push button while the button has the focus.
const DWORD ODB_DEFAULTWHENFOCUSED = 0x1;

class SECOwnerDrawButton : public CButton {
    DECLARE_DYNAMIC(SECOwnerDrawButton)
public:
    SECOwnerDrawButton();

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    virtual BOOL AttachButton(UINT nID, CWnd* pParentWnd, DWORD dwFlags = 0);
    virtual BOOL CreateButton(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect,
                              CWnd* pParentWnd, UINT nID, DWORD dwFlags = 0);
    virtual void OnClicked();
    virtual void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
    virtual void SetFlat(BOOL bFlat) { m_bFlat = bFlat; }
    virtual BOOL IsFlat() const { return m_bFlat; }
    virtual void PrepareDC(CDC* pItemDC, CDC* pMemDC);
    // Frame and background into r (the item rectangle); answers the face rectangle in r.
    virtual void DrawFrame(CRect& r, CDC* pDC, LPDRAWITEMSTRUCT lpDIS);
    virtual void RestoreDC(CDC* pItemDC, CDC* pMemDC);
    virtual void DrawDisabled(CDC* pDC, int cx, int cy);
    virtual void DrawFocusRectangle(CDC* pDC, CRect rect);
    virtual void DrawFocus(CDC* pDC, LPDRAWITEMSTRUCT lpDIS);
    virtual void DrawContent(CDC* pDC, LPDRAWITEMSTRUCT lpDIS, const CRect& rcFace);

    BOOL IsHot() const { return m_bHot; }
    DWORD GetButtonFlags() const { return m_dwButtonFlags; }
    // The old (pre-4.0) look is reached only through this switch.
    void SetNewLook(BOOL bNewLook) { m_bNewLook = bNewLook; }

    // The family's colours, read at construction and on every system-colour change.
    static COLORREF s_clrShadow, s_clrHighlight, s_clrFace, s_clrFrame;
    static void ReadSysColors();

protected:
    // The button counts as themed when visual styles are on and the theme has a button part;
    // the theme (to be closed by the caller) or NULL.
    static HTHEME OpenButtonTheme();
    void SetHot(BOOL bHot);

    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    BOOL m_bNewLook = TRUE;
    BOOL m_bFlat = FALSE;
    DWORD m_dwButtonFlags = 0;
    BOOL m_bHot = FALSE;
};

} // namespace foundation
} // namespace corvalis
