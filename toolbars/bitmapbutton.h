// Owner-drawn buttons with a bitmap (whose greys follow the system colours) beside, above,
// below or instead of the caption, and the menu button that drops a popup menu.
#pragma once

#include "toolbars/ownerdrawbutton.h"

namespace corvalis {
namespace foundation {

// Where the bitmap sits relative to the caption.
enum BitmapPosition {
    BitmapLeft = 0,
    BitmapRight = 1,
    BitmapAbove = 2,
    BitmapBelow = 3,
    BitmapCentered = 4 // no caption
};

class SECBitmapButton : public SECOwnerDrawButton {
    DECLARE_DYNAMIC(SECBitmapButton)
public:
    SECBitmapButton() = default;

    using SECOwnerDrawButton::AttachButton;
    using SECOwnerDrawButton::CreateButton;
    virtual BOOL AttachButton(UINT nID, int nBitmapPos, UINT nBitmapID, CWnd* pParentWnd,
                              DWORD dwFlags = 0);
    virtual BOOL AttachButton(UINT nID, int nBitmapPos, LPCTSTR lpszBitmap, CWnd* pParentWnd,
                              DWORD dwFlags = 0);
    virtual BOOL CreateButton(LPCTSTR lpszCaption, DWORD dwStyle, int nBitmapPos, UINT nBitmapID,
                              const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwFlags = 0);
    virtual BOOL CreateButton(LPCTSTR lpszCaption, DWORD dwStyle, int nBitmapPos,
                              LPCTSTR lpszBitmap, const RECT& rect, CWnd* pParentWnd, UINT nID,
                              DWORD dwFlags = 0);
    virtual void LayoutContent();

    void DrawContent(CDC* pDC, LPDRAWITEMSTRUCT lpDIS, const CRect& rcFace) override;
    void DrawFocusRectangle(CDC* pDC, CRect rect) override;

    // Resizes the window to its bitmap and caption with the spacing around them.
    void SizeToContent();
    // Loads another bitmap; on failure the previous one stays and the answer is FALSE.
    BOOL SetBitmap(UINT nBitmapID);
    void SetSpacing(int nHorz, int nVert);
    int GetBitmapPosition() const { return m_nBitmapPos; }
    const CRect& GetBitmapRect() const { return m_rcBitmap; }
    const CRect& GetTextRect() const { return m_rcText; }

protected:
    BOOL LoadButtonBitmap();
    LPCTSTR BitmapName() const;
    CSize BitmapSize() const;
    // The caption's extent in the button's font (or the GUI font).
    CSize MeasureCaption(CDC* pDC);
    void Setup(int nBitmapPos, UINT nBitmapID, LPCTSTR lpszBitmap);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSysColorChange();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    UINT m_nBitmapID = 0;
    CString m_strBitmapName;
    CBitmap m_bitmap;
    int m_nSpaceX = 5;
    int m_nSpaceY = 5;
    CRect m_rcBitmap;
    CRect m_rcText;
    int m_nBitmapPos = BitmapLeft;
    CPoint m_ptFace; // origin of the face rectangle of the last paint
};

const UINT IDB_MENUBUTTON_DOWN = 23000;
const UINT IDB_MENUBUTTON_RIGHT = 23001;

class SECMenuButton : public SECBitmapButton {
    DECLARE_DYNAMIC(SECMenuButton)
public:
    SECMenuButton() = default;

    // Takes the dialog item nID with the popup menu hMenu (owned from now on), dropping below
    // the button or, with bDropRight, to its right.
    BOOL AttachMenuButton(UINT nID, CWnd* pParentWnd, HMENU hMenu, BOOL bDropRight = FALSE,
                          DWORD dwFlags = 0);
    BOOL CreateMenuButton(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                          UINT nID, HMENU hMenu, BOOL bDropRight = FALSE, DWORD dwFlags = 0);
    void SetupMenu(HMENU hMenu, BOOL bDropRight);
    void SetDirection(BOOL bDropRight);

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void OnClicked() override;
    // Where the menu drops (screen coordinates).
    CPoint GetDropPoint() const;

protected:
    CMenu m_menu;
    BOOL m_bDropRight = FALSE;
    BOOL m_bPaint = TRUE;
};

} // namespace foundation
} // namespace corvalis
