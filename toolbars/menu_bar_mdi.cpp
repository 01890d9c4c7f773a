// SECMDIMenuBar: for an MDI frame whose active child is maximised, the child's system-menu icon
// first and its minimise, restore and close glyphs last in the bar's first row.
#include "toolbars/menu_bar.h"

#include "toolbars/drawing/frame_glyphs.h"
#include "toolbars/drawing/themeapi.h"
#include "toolbars/tbbtn_cache.h"

#include <vssym32.h>

#include <algorithm>

IMPLEMENT_DYNCREATE(SECMDIMenuBar, SECMenuBar)

BEGIN_MESSAGE_MAP(SECMDIMenuBar, SECMenuBar)
ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {
SECStdBtn* CreateCapMenuBtn() {
    return new SECCapMenuBtn;
}
SECStdBtn* CreateBtnCaption() {
    return new SECBtnCaption;
}
const int kGlyphGap = 2;
} // namespace

// The icon button.

const SECButtonClass SECCapMenuBtn::classSECCapMenuBtn = {"SECCapMenuBtn", &CreateCapMenuBtn};

SECCapMenuBtn::SECCapMenuBtn() {
    m_nType = SEC_BTNKIND_PLAIN; // not one of the menus the keys move along
}

HICON SECCapMenuBtn::ChildIcon(HWND hChild) {
    if (hChild == NULL)
        return NULL;
    HICON hIcon = reinterpret_cast<HICON>(::SendMessageW(hChild, WM_GETICON, ICON_SMALL, 0));
    if (hIcon == NULL)
        hIcon = reinterpret_cast<HICON>(::SendMessageW(hChild, WM_GETICON, ICON_BIG, 0));
    if (hIcon == NULL)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(hChild, GCLP_HICONSM));
    return hIcon;
}

BOOL SECCapMenuBtn::SetChild(HWND hChild) {
    const HICON hIcon = ChildIcon(hChild);
    if (hChild == m_hChild && hIcon == m_hIcon)
        return FALSE;
    m_hChild = hChild;
    m_hIcon = hIcon;
    Invalidate(FALSE);
    return TRUE;
}

void SECCapMenuBtn::RecalcSize() {
    m_cx = 16 + 4;
    m_cy = 16 + 4;
    if (m_pBar != NULL)
        m_pBar->RaiseLargestButtonSize(m_cx, m_cy);
}

void SECCapMenuBtn::DrawFace(SECBtnDrawingCache& cache, BOOL, CRect& rcImage) {
    CDC& dc = cache.FaceDC();
    ::FillRect(dc, CRect(0, 0, m_cx, m_cy), ::GetSysColorBrush(COLOR_BTNFACE));
    rcImage = CRect(CPoint((m_cx - 16) / 2, (m_cy - 16) / 2), CSize(16, 16));
    if (m_hIcon != NULL)
        ::DrawIconEx(dc, rcImage.left, rcImage.top, m_hIcon, 16, 16, 0, NULL, DI_NORMAL);
}

int SECCapMenuBtn::OnPress(int, int) {
    // The second press of a double click does not open the menu again.
    const DWORD dwNow = ::GetMessageTime();
    const bool bDouble = m_dwLastPress != 0 && dwNow - m_dwLastPress < ::GetDoubleClickTime();
    m_dwLastPress = dwNow;
    if (bDouble) {
        SendDefaultCommand();
        return 0;
    }
    TrackSystemMenu();
    return 0;
}

void SECCapMenuBtn::TrackSystemMenu() {
    CWnd* pBar = m_pBar != NULL ? m_pBar->GetBarWnd() : NULL;
    const HWND hChild = m_hChild;
    HMENU hMenu = ::IsWindow(hChild) ? ::GetSystemMenu(hChild, FALSE) : NULL;
    if (pBar == NULL || hMenu == NULL)
        return;
    CRect rect = GetRect();
    pBar->ClientToScreen(&rect);
    const UINT nCmd = static_cast<UINT>(
        ::TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD,
                         rect.left, rect.bottom, 0, pBar->GetSafeHwnd(), NULL));
    if (nCmd != 0 && ::IsWindow(hChild))
        ::PostMessageW(hChild, WM_SYSCOMMAND, nCmd, 0);
}

void SECCapMenuBtn::SendDefaultCommand() {
    const HWND hChild = m_hChild;
    HMENU hMenu = ::IsWindow(hChild) ? ::GetSystemMenu(hChild, FALSE) : NULL;
    if (hMenu == NULL)
        return;
    UINT nCmd = ::GetMenuDefaultItem(hMenu, FALSE, 0);
    if (nCmd == static_cast<UINT>(-1)) {
        nCmd = SC_CLOSE;
        ::SetMenuDefaultItem(hMenu, SC_CLOSE, FALSE);
    }
    ::SendMessageW(hChild, WM_SYSCOMMAND, nCmd, 0);
}

// The caption glyphs.

const SECButtonClass SECBtnCaption::classSECBtnCaption = {"SECBtnCaption", &CreateBtnCaption};

SECBtnCaption::SECBtnCaption() {
    m_nType = SEC_BTNKIND_FAREND;
    m_nStyle = SEC_TBBS_NODISABLE;
}

CSize SECBtnCaption::GlyphSize() {
    if (IsThemed())
        return CSize(::GetSystemMetrics(SM_CXMENUSIZE), ::GetSystemMetrics(SM_CYMENUSIZE));
    return CSize(::GetSystemMetrics(SM_CXSIZE) - 2, ::GetSystemMetrics(SM_CYSIZE) - 4);
}

void SECBtnCaption::RecalcSize() {
    const CSize glyph = GlyphSize();
    m_cx = 3 * glyph.cx + kGlyphGap;
    m_cy = glyph.cy + 2;
    if (m_pBar != NULL)
        m_pBar->RaiseLargestButtonSize(m_cx, m_cy);
}

CRect SECBtnCaption::GlyphRect(Glyph glyph) const {
    const CSize size = GlyphSize();
    const int top = m_y + (m_cy - size.cy) / 2;
    int left = m_x + static_cast<int>(glyph) * size.cx;
    if (glyph == glyphClose)
        left += kGlyphGap;
    return glyph == glyphNone ? CRect() : CRect(CPoint(left, top), size);
}

SECBtnCaption::Glyph SECBtnCaption::GlyphAt(int x, int y) const {
    for (Glyph glyph : {glyphMin, glyphRestore, glyphClose})
        if (GlyphRect(glyph).PtInRect(CPoint(x, y)))
            return glyph;
    return glyphNone;
}

void SECBtnCaption::DrawFace(SECBtnDrawingCache& cache, BOOL, CRect& rcImage) {
    CDC& dc = cache.FaceDC();
    ::FillRect(dc, CRect(0, 0, m_cx, m_cy), ::GetSysColorBrush(COLOR_BTNFACE));
    rcImage.SetRectEmpty();
    const BOOL bNoMin =
        m_hChild != NULL && !(::GetWindowLongW(m_hChild, GWL_STYLE) & WS_MINIMIZEBOX);
    HTHEME hTheme = IsThemed() && m_pBar != NULL
                        ? DynOpenThemeData(m_pBar->GetBarWnd()->GetSafeHwnd(), L"Window")
                        : NULL;
    const UINT kinds[3] = {DFCS_CAPTIONMIN, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE};
    const int parts[3] = {WP_MDIMINBUTTON, WP_MDIRESTOREBUTTON, WP_MDICLOSEBUTTON};
    for (Glyph glyph : {glyphMin, glyphRestore, glyphClose}) {
        CRect rect = GlyphRect(glyph);
        rect.OffsetRect(-m_x, -m_y);
        const bool bPressed = glyph == m_pressed && m_bInside;
        const bool bInactive = bNoMin && glyph != glyphClose;
        if (hTheme != NULL) {
            const int nState = bInactive ? 4 : (bPressed ? 3 : 1);
            if (SUCCEEDED(DynDrawThemeBackground(hTheme, dc, parts[glyph], nState, &rect, NULL)))
                continue;
        }
        DrawFrameButton(dc, &rect, DFC_CAPTION,
                        kinds[glyph] | (bPressed ? DFCS_PUSHED : 0) |
                            (bInactive ? DFCS_INACTIVE : 0));
    }
    if (hTheme != NULL)
        DynCloseThemeData(hTheme);
}

int SECBtnCaption::OnPress(int x, int y) {
    m_pressed = GlyphAt(x, y);
    const bool bInactive = m_hChild != NULL && m_pressed != glyphClose &&
                           !(::GetWindowLongW(m_hChild, GWL_STYLE) & WS_MINIMIZEBOX);
    if (m_pressed == glyphNone || bInactive) {
        m_pressed = glyphNone;
        return 0;
    }
    m_bInside = TRUE;
    Invalidate(FALSE);
    return 1; // the bar holds the mouse until the release
}

void SECBtnCaption::OnTrack(int x, int y) {
    const BOOL bInside = m_pressed != glyphNone && GlyphAt(x, y) == m_pressed;
    if (bInside != m_bInside) {
        m_bInside = bInside;
        Invalidate(FALSE);
    }
}

void SECBtnCaption::OnCancel() {
    m_pressed = glyphNone;
    m_bInside = FALSE;
    Invalidate(FALSE);
}

UINT SECBtnCaption::OnRelease(int x, int y) {
    const Glyph glyph = m_pressed;
    OnCancel();
    if (glyph == glyphNone || GlyphAt(x, y) != glyph || !::IsWindow(m_hChild))
        return 0;
    const UINT commands[3] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
    CPoint point;
    ::GetCursorPos(&point);
    ::PostMessageW(m_hChild, WM_SYSCOMMAND, commands[glyph], MAKELPARAM(point.x, point.y));
    return 0; // no command for the frame
}

// The bar.

HWND SECMDIMenuBar::MaximizedChild() {
    auto* pFrame = dynamic_cast<CMDIFrameWnd*>(GetBarOwner());
    if (pFrame == nullptr) {
        pFrame = dynamic_cast<CMDIFrameWnd*>(GetParentFrame());
    }
    if (pFrame == nullptr || pFrame->m_hWndMDIClient == NULL)
        return NULL;
    BOOL bMaximized = FALSE;
    const HWND hChild = reinterpret_cast<HWND>(::SendMessageW(
        pFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&bMaximized)));
    return hChild != NULL && bMaximized ? hChild : NULL;
}

SECCapMenuBtn* SECMDIMenuBar::GetIconButton() const {
    return GetButtonCount() > 0 ? dynamic_cast<SECCapMenuBtn*>(m_btns.front().get()) : nullptr;
}

SECBtnCaption* SECMDIMenuBar::GetCaptionButton() const {
    return GetButtonCount() > 0 ? dynamic_cast<SECBtnCaption*>(m_btns.back().get()) : nullptr;
}

BOOL SECMDIMenuBar::SetMenu(HMENU hMenu, UINT nMenuId) {
    if (!SECMenuBar::SetMenu(hMenu, nMenuId))
        return FALSE;
    RefreshChildButtons();
    AfterLayoutChange();
    return TRUE;
}

BOOL SECMDIMenuBar::RefreshChildButtons() {
    const HWND hChild = MaximizedChild();
    SECCapMenuBtn* pIcon = GetIconButton();
    SECBtnCaption* pCaption = GetCaptionButton();
    if (hChild == NULL) {
        if (pIcon == nullptr && pCaption == nullptr)
            return FALSE;
        if (pCaption != nullptr)
            m_btns.pop_back();
        if (pIcon != nullptr)
            m_btns.erase(m_btns.begin());
        m_nHotBtn = m_nCurBtn = -1;
        ExitTrackingMode();
        m_bRecalcMRU = m_bRecalcHorz = m_bRecalcVert = TRUE;
        return TRUE;
    }
    BOOL bChanged = FALSE;
    if (pIcon == nullptr) {
        std::unique_ptr<SECCapMenuBtn> pNew(new SECCapMenuBtn);
        pNew->Init(this, nullptr);
        pIcon = pNew.get();
        m_btns.insert(m_btns.begin(), std::move(pNew));
        if (m_nTrackBtn >= 0)
            ++m_nTrackBtn;
        m_nHotBtn = m_nCurBtn = -1;
        bChanged = TRUE;
    }
    if (pCaption == nullptr) {
        std::unique_ptr<SECBtnCaption> pNew(new SECBtnCaption);
        pNew->Init(this, nullptr);
        pCaption = pNew.get();
        m_btns.push_back(std::move(pNew));
        bChanged = TRUE;
    }
    bChanged = pIcon->SetChild(hChild) || bChanged;
    if (pCaption->GetChild() != hChild) {
        pCaption->SetChild(hChild);
        pCaption->Invalidate(FALSE);
        bChanged = TRUE;
    }
    if (bChanged)
        m_bRecalcMRU = m_bRecalcHorz = m_bRecalcVert = TRUE;
    return bChanged;
}

void SECMDIMenuBar::OnSize(UINT nType, int cx, int cy) {
    SECMenuBar::OnSize(nType, cx, cy);
    if (!IsVertical())
        PlaceFarEndButton(CSize(cx, cy), TRUE);
}
