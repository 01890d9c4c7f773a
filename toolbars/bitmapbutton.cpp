#include "toolbars/bitmapbutton.h"

#include "toolbars/drawing/imageeffects.h"
#include "toolbars/drawing/syscolorbitmap.h"
#include "toolbars/drawing/themeapi.h"

#include <algorithm>

namespace corvalis {
namespace foundation {

namespace {
const UINT kCaptionFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

CFont* ButtonFont(const CWnd* pWnd) {
    CFont* pFont = pWnd->GetFont();
    return pFont != nullptr ? pFont : CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT));
}
} // namespace

IMPLEMENT_DYNAMIC(SECBitmapButton, SECOwnerDrawButton)

BEGIN_MESSAGE_MAP(SECBitmapButton, SECOwnerDrawButton)
ON_WM_SIZE()
ON_WM_SYSCOLORCHANGE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

void SECBitmapButton::Setup(int nBitmapPos, UINT nBitmapID, LPCTSTR lpszBitmap) {
    m_nBitmapPos = nBitmapPos;
    m_nBitmapID = nBitmapID;
    m_strBitmapName = lpszBitmap != nullptr ? lpszBitmap : L"";
}

LPCTSTR SECBitmapButton::BitmapName() const {
    return m_strBitmapName.IsEmpty() ? MAKEINTRESOURCE(m_nBitmapID) : (LPCTSTR)m_strBitmapName;
}

BOOL SECBitmapButton::LoadButtonBitmap() {
    return LoadSysColorBitmap(m_bitmap, BitmapName());
}

BOOL SECBitmapButton::AttachButton(UINT nID, int nBitmapPos, UINT nBitmapID, CWnd* pParentWnd,
                                   DWORD dwFlags) {
    Setup(nBitmapPos, nBitmapID, nullptr);
    if (!LoadButtonBitmap() || !SECOwnerDrawButton::AttachButton(nID, pParentWnd, dwFlags))
        return FALSE;
    LayoutContent();
    return TRUE;
}

BOOL SECBitmapButton::AttachButton(UINT nID, int nBitmapPos, LPCTSTR lpszBitmap, CWnd* pParentWnd,
                                   DWORD dwFlags) {
    Setup(nBitmapPos, 0, lpszBitmap);
    if (!LoadButtonBitmap() || !SECOwnerDrawButton::AttachButton(nID, pParentWnd, dwFlags))
        return FALSE;
    LayoutContent();
    return TRUE;
}

BOOL SECBitmapButton::CreateButton(LPCTSTR lpszCaption, DWORD dwStyle, int nBitmapPos,
                                   UINT nBitmapID, const RECT& rect, CWnd* pParentWnd, UINT nID,
                                   DWORD dwFlags) {
    Setup(nBitmapPos, nBitmapID, nullptr);
    if (!LoadButtonBitmap() ||
        !SECOwnerDrawButton::CreateButton(lpszCaption, dwStyle, rect, pParentWnd, nID, dwFlags))
        return FALSE;
    LayoutContent();
    return TRUE;
}

BOOL SECBitmapButton::CreateButton(LPCTSTR lpszCaption, DWORD dwStyle, int nBitmapPos,
                                   LPCTSTR lpszBitmap, const RECT& rect, CWnd* pParentWnd, UINT nID,
                                   DWORD dwFlags) {
    Setup(nBitmapPos, 0, lpszBitmap);
    if (!LoadButtonBitmap() ||
        !SECOwnerDrawButton::CreateButton(lpszCaption, dwStyle, rect, pParentWnd, nID, dwFlags))
        return FALSE;
    LayoutContent();
    return TRUE;
}

CSize SECBitmapButton::BitmapSize() const {
    BITMAP bm{};
    if (m_bitmap.GetSafeHandle() == NULL || !m_bitmap.GetBitmap(&bm))
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

void SECBitmapButton::LayoutContent() {
    if (m_hWnd == NULL)
        return;
    CRect area;
    GetClientRect(&area);
    area.right -= 3;
    area.bottom -= 3;
    const CSize size = BitmapSize();
    CRect bitmap(0, 0, size.cx, size.cy);
    CRect text = area;
    const int centreX = area.left + (area.Width() - size.cx) / 2;
    const int centreY = area.top + (area.Height() - size.cy) / 2;
    switch (m_nBitmapPos) {
    case BitmapLeft:
        bitmap.OffsetRect(area.left + m_nSpaceX, centreY);
        text.left = bitmap.right + 1;
        break;
    case BitmapRight:
        bitmap.OffsetRect(area.right - m_nSpaceX - size.cx, centreY);
        text.right = bitmap.left - 1;
        break;
    case BitmapAbove:
        bitmap.OffsetRect(centreX, area.top + m_nSpaceY);
        text.top = bitmap.bottom + 1;
        break;
    case BitmapBelow:
        bitmap.OffsetRect(centreX, area.bottom - m_nSpaceY - size.cy);
        text.bottom = bitmap.top - 1;
        break;
    case BitmapCentered:
        bitmap.OffsetRect(centreX, centreY);
        text.SetRectEmpty();
        break;
    default:
        return;
    }
    m_rcBitmap.IntersectRect(&bitmap, &area);
    if (!m_rcText.IntersectRect(&text, &area))
        m_rcText.SetRectEmpty();
}

CSize SECBitmapButton::MeasureCaption(CDC* pDC) {
    CString caption;
    GetWindowText(caption);
    CFont* pOldFont = pDC->SelectObject(ButtonFont(this));
    CRect rect(0, 0, 0, 0);
    pDC->DrawText(caption, &rect, DT_CALCRECT | DT_SINGLELINE);
    pDC->SelectObject(pOldFont);
    return rect.Size();
}

void SECBitmapButton::SizeToContent() {
    CSize text(0, 0);
    if (m_nBitmapPos != BitmapCentered) {
        CClientDC dc(this);
        text = MeasureCaption(&dc);
    }
    const CSize bitmap = BitmapSize();
    CSize content;
    if (m_nBitmapPos == BitmapLeft || m_nBitmapPos == BitmapRight)
        content = CSize(bitmap.cx + text.cx + 5, std::max(bitmap.cy, text.cy));
    else
        content = CSize(std::max(bitmap.cx, text.cx), bitmap.cy + text.cy + 5);
    SetWindowPos(NULL, 0, 0, content.cx + 2 * m_nSpaceX + 3, content.cy + 2 * m_nSpaceY + 3,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutContent();
}

BOOL SECBitmapButton::SetBitmap(UINT nBitmapID) {
    const UINT nOldID = m_nBitmapID;
    const CString strOldName = m_strBitmapName;
    m_nBitmapID = nBitmapID;
    m_strBitmapName.Empty();
    if (!LoadButtonBitmap()) {
        m_nBitmapID = nOldID;
        m_strBitmapName = strOldName;
        LoadButtonBitmap();
        return FALSE;
    }
    LayoutContent();
    if (m_hWnd != NULL)
        Invalidate(TRUE);
    return TRUE;
}

void SECBitmapButton::SetSpacing(int nHorz, int nVert) {
    m_nSpaceX = nHorz;
    m_nSpaceY = nVert;
    LayoutContent();
    if (m_hWnd != NULL)
        Invalidate(TRUE);
}

void SECBitmapButton::DrawContent(CDC* pDC, LPDRAWITEMSTRUCT lpDIS, const CRect& rcFace) {
    m_ptFace = rcFace.TopLeft();
    if (m_bitmap.GetSafeHandle() == NULL)
        return;
    const int shift = ((lpDIS->itemState & ODS_FOCUS) && !m_bFlat) ? 1 : 0;
    const int x = rcFace.left + m_rcBitmap.left - shift;
    const int y = rcFace.top + m_rcBitmap.top - shift;
    CDC source;
    if (source.CreateCompatibleDC(pDC)) {
        CBitmap* pOld = source.SelectObject(&m_bitmap);
        if (IsThemed())
            DrawBitmapBrightened(pDC, x, y, m_rcBitmap.Width(), m_rcBitmap.Height(), &source, 0, 0,
                                 ::GetSysColor(COLOR_BTNFACE), FALSE);
        else
            pDC->BitBlt(x, y, m_rcBitmap.Width(), m_rcBitmap.Height(), &source, 0, 0, SRCCOPY);
        source.SelectObject(pOld);
    }
    if (m_nBitmapPos == BitmapCentered)
        return;
    CString caption;
    GetWindowText(caption);
    CRect text = m_rcText;
    text.OffsetRect(rcFace.left - shift, rcFace.top - shift);
    CFont* pOldFont = pDC->SelectObject(ButtonFont(this));
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOld = pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->DrawText(caption, &text, kCaptionFormat);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

void SECBitmapButton::DrawFocusRectangle(CDC* pDC, CRect) {
    CRect focus;
    if (m_nBitmapPos == BitmapCentered) {
        focus = m_rcBitmap;
        focus.OffsetRect(m_ptFace);
        focus.InflateRect(3, 3);
    } else {
        const CSize extent = MeasureCaption(pDC);
        CRect text = m_rcText;
        text.OffsetRect(m_ptFace);
        focus.left = text.left + (text.Width() - extent.cx) / 2 - 1;
        focus.top = text.top + (text.Height() - extent.cy) / 2;
        focus.right = focus.left + extent.cx + 2;
        focus.bottom = focus.top + extent.cy;
    }
    pDC->DrawFocusRect(&focus);
}

void SECBitmapButton::OnSize(UINT nType, int cx, int cy) {
    SECOwnerDrawButton::OnSize(nType, cx, cy);
    LayoutContent();
}

void SECBitmapButton::OnSysColorChange() {
    SECOwnerDrawButton::OnSysColorChange();
    // The bitmap's greys follow the new system colours.
    LoadButtonBitmap();
}

void SECBitmapButton::OnDestroy() {
    m_bitmap.DeleteObject();
    SECOwnerDrawButton::OnDestroy();
}

// ---- SECMenuButton -----------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(SECMenuButton, SECBitmapButton)

void SECMenuButton::SetupMenu(HMENU hMenu, BOOL bDropRight) {
    if (m_menu.GetSafeHmenu() != hMenu) {
        m_menu.DestroyMenu();
        if (hMenu != NULL)
            m_menu.Attach(hMenu);
    }
    m_bDropRight = bDropRight;
    m_nBitmapID = bDropRight ? IDB_MENUBUTTON_RIGHT : IDB_MENUBUTTON_DOWN;
    m_strBitmapName.Empty();
}

BOOL SECMenuButton::AttachMenuButton(UINT nID, CWnd* pParentWnd, HMENU hMenu, BOOL bDropRight,
                                     DWORD dwFlags) {
    HWND hItem = pParentWnd != nullptr ? ::GetDlgItem(pParentWnd->GetSafeHwnd(), nID) : NULL;
    if (hItem == NULL)
        return FALSE;
    wchar_t caption[101] = L"";
    ::GetWindowTextW(hItem, caption, 101);
    SetupMenu(hMenu, bDropRight);
    return SECBitmapButton::AttachButton(nID, caption[0] ? BitmapRight : BitmapCentered,
                                         m_nBitmapID, pParentWnd, dwFlags);
}

BOOL SECMenuButton::CreateMenuButton(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect,
                                     CWnd* pParentWnd, UINT nID, HMENU hMenu, BOOL bDropRight,
                                     DWORD dwFlags) {
    SetupMenu(hMenu, bDropRight);
    const int nPos = (lpszCaption != nullptr && lpszCaption[0]) ? BitmapRight : BitmapCentered;
    return SECBitmapButton::CreateButton(lpszCaption, dwStyle, nPos, m_nBitmapID, rect, pParentWnd,
                                         nID, dwFlags);
}

void SECMenuButton::SetDirection(BOOL bDropRight) {
    m_bDropRight = bDropRight;
    SetBitmap(bDropRight ? IDB_MENUBUTTON_RIGHT : IDB_MENUBUTTON_DOWN);
}

void SECMenuButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    if (m_bPaint)
        SECBitmapButton::DrawItem(lpDIS);
}

CPoint SECMenuButton::GetDropPoint() const {
    CRect rect;
    GetWindowRect(&rect);
    return m_bDropRight ? CPoint(rect.right, rect.top) : CPoint(rect.left, rect.bottom);
}

void SECMenuButton::OnClicked() {
    if (m_menu.GetSafeHmenu() == NULL)
        return;
    CWnd* pOwner = GetParent();
    if (pOwner != nullptr && pOwner->IsKindOf(RUNTIME_CLASS(CView)))
        pOwner = pOwner->GetParentFrame();
    const HWND hOwner = pOwner != nullptr ? pOwner->GetSafeHwnd() : NULL;
    const HWND hSelf = m_hWnd;
    const CPoint drop = GetDropPoint();
    m_bPaint = FALSE;
    // The chosen command comes back here, so that the click that chose it can be dropped and
    // the command still reaches the owner.
    const UINT nCommand = (UINT)::TrackPopupMenu(m_menu.GetSafeHmenu(), TPM_RETURNCMD, drop.x,
                                                 drop.y, 0, hOwner, NULL);
    if (!::IsWindow(hSelf))
        return;
    if (nCommand != 0) {
        MSG msg;
        ::PeekMessageW(&msg, hSelf, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE);
    }
    m_bPaint = TRUE;
    m_bHot = FALSE;
    Invalidate(TRUE);
    UpdateWindow();
    if (nCommand != 0 && ::IsWindow(hOwner))
        ::SendMessageW(hOwner, WM_COMMAND, MAKEWPARAM(nCommand, 0), 0);
}

} // namespace foundation
} // namespace corvalis
