// SECDockBar: construction, the shared drawing data, painting, cursors and the keyboard.
#include "docking/dock_bar.h"

#include "framework/docview/miniframe.h"

IMPLEMENT_DYNCREATE(SECDockBar, CDockBar)

BOOL SECDockBar::s_bContextMenu = FALSE;

BEGIN_MESSAGE_MAP(SECDockBar, CDockBar)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_SETCURSOR()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_CONTEXTMENU()
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_COMMAND_RANGE(ID_SEC_DOCKBAR_MENU_FIRST, ID_SEC_DOCKBAR_MENU_LAST, OnToggleBar)
END_MESSAGE_MAP()

namespace {
HCURSOR g_hcurSplitVert = NULL;
HCURSOR g_hcurSplitHorz = NULL;
} // namespace

SECDockAuxData::SECDockAuxData() {
    m_hcurArrow = ::LoadCursorW(NULL, IDC_ARROW);
    m_bWin4 = LOBYTE(LOWORD(::GetVersion())) >= 4;
    m_cxBorder = m_cyBorder = m_bWin4 ? 2 : 1;
    UpdateSysColors();
}

SECDockAuxData& SECDockAuxData::Get() {
    static SECDockAuxData data; // first use, never the library's load
    return data;
}

void SECDockAuxData::UpdateSysColors() {
    m_clrBtnFace = ::GetSysColor(COLOR_BTNFACE);
    m_clrBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_clrBtnHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_clrWindowFrame = ::GetSysColor(COLOR_WINDOWFRAME);
    m_clr3DLight = ::GetSysColor(COLOR_3DLIGHT);
    m_clr3DDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    m_clrWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_clrWindow = ::GetSysColor(COLOR_WINDOW);
    m_clrHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
    m_clrHighlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
}

void SECDockBar::Splitter::Draw(CDC* pDC) {
    pDC->FillSolidRect(&m_rect, ::GetSysColor(COLOR_BTNFACE));
    const COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (m_nOrientation == 1) {
        pDC->FillSolidRect(m_rect.left + 1, m_rect.top, 1, m_rect.Height(), clrHilite);
        pDC->FillSolidRect(m_rect.right - 2, m_rect.top, 1, m_rect.Height(), clrShadow);
    } else {
        pDC->FillSolidRect(m_rect.left, m_rect.top + 1, m_rect.Width(), 1, clrHilite);
        pDC->FillSolidRect(m_rect.left, m_rect.bottom - 2, m_rect.Width(), 1, clrShadow);
    }
}

void SECDockBar::ClientEdge::Draw(CDC* pDC) {
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    if (m_nOrientation == 1) {
        pDC->FillSolidRect(m_rect.left, m_rect.top, 1, m_rect.Height(), clrShadow);
        pDC->FillSolidRect(m_rect.left + 1, m_rect.top, 1, m_rect.Height(), clrHilite);
    } else {
        pDC->FillSolidRect(m_rect.left, m_rect.top, m_rect.Width(), 1, clrShadow);
        pDC->FillSolidRect(m_rect.left, m_rect.top + 1, m_rect.Width(), 1, clrHilite);
    }
}

SECDockBar::SECDockBar(BOOL bFloating, BOOL bHostedInMainWindow)
    : CDockBar(bFloating), m_bHostedInMainWindow(bHostedInMainWindow) {}

SECDockBar::~SECDockBar() {
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL SECDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    m_dwExStyle = 0;
    // The rows draw their own edges toward the frame: no border lines besides.
    return CDockBar::Create(pParentWnd, dwStyle & ~CBRS_BORDER_ANY, nID);
}

SECControlBar* SECDockBar::AsSECBar(CControlBar* pBar) {
    return pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(SECControlBar))
               ? static_cast<SECControlBar*>(pBar)
               : nullptr;
}

BOOL SECDockBar::IsBarVisible(const CControlBar* pBar) const {
    return pBar != nullptr && pBar->IsVisible();
}

int SECDockBar::GetRowLength() const {
    CRect rect(0, 0, 0, 0);
    if (m_pLayout != nullptr)
        rect = m_pLayout->rect;
    else if (m_hWnd != NULL)
        GetClientRect(&rect);
    return IsHorz() ? rect.Width() : rect.Height();
}

CFrameWnd* SECDockBar::GetFrame() const {
    if (m_pDockSite != nullptr)
        return m_pDockSite;
    return GetParentFrame();
}

void SECDockBar::MarkFrameForLayout() {
    if (CFrameWnd* pFrame = GetFrame())
        pFrame->DelayRecalcLayout();
    if (m_bFloating)
        if (CWnd* pParent = GetParent())
            if (pParent->IsFrameWnd())
                static_cast<CFrameWnd*>(pParent)->DelayRecalcLayout();
}

int SECDockBar::OnCreate(LPCREATESTRUCT lpcs) {
    if (CDockBar::OnCreate(lpcs) == -1)
        return -1;
    if (g_hcurSplitVert == NULL) {
        HINSTANCE hInst =
            AfxFindResourceHandle(MAKEINTRESOURCEW(IDC_SEC_SPLIT_VERT), RT_GROUP_CURSOR);
        g_hcurSplitVert = ::LoadCursorW(hInst, MAKEINTRESOURCEW(IDC_SEC_SPLIT_VERT));
        g_hcurSplitHorz = ::LoadCursorW(hInst, MAKEINTRESOURCEW(IDC_SEC_SPLIT_HORZ));
        if (g_hcurSplitVert == NULL)
            g_hcurSplitVert = ::LoadCursorW(NULL, IDC_SIZEWE);
        if (g_hcurSplitHorz == NULL)
            g_hcurSplitHorz = ::LoadCursorW(NULL, IDC_SIZENS);
    }
    SECDockAuxData::Get();
    return 0;
}

void SECDockBar::OnDestroy() {
    m_splitters.clear();
    m_edges.clear();
    m_pLastChangedBar = nullptr;
    CDockBar::OnDestroy();
}

BOOL SECDockBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (pWnd == this)
        return TRUE; // set by the mouse moves
    return CDockBar::OnSetCursor(pWnd, nHitTest, message);
}

SECDockBar::Splitter* SECDockBar::SplitterAt(CPoint pt) const {
    for (const auto& s : m_splitters)
        if (s->m_rect.PtInRect(pt))
            return s.get();
    return nullptr;
}

void SECDockBar::OnMouseMove(UINT nFlags, CPoint point) {
    const Splitter* pSplitter = SplitterAt(point);
    if (pSplitter == nullptr)
        ::SetCursor(SECDockAuxData::Get().m_hcurArrow);
    else
        ::SetCursor(pSplitter->m_nOrientation == 1 ? g_hcurSplitVert : g_hcurSplitHorz);
    CDockBar::OnMouseMove(nFlags, point);
}

void SECDockBar::OnLButtonDown(UINT nFlags, CPoint point) {
    if (Splitter* pSplitter = SplitterAt(point)) {
        TrackAndApplySplitter(pSplitter, point);
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

BOOL SECDockBar::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_SYSCHAR) {
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, pMsg->wParam);
        return TRUE;
    }
    return CDockBar::PreTranslateMessage(pMsg);
}

void SECDockBar::DoPaint(CDC* pDC) {
    for (const auto& e : m_edges)
        e->Draw(pDC);
    for (const auto& s : m_splitters)
        s->Draw(pDC);
    if (m_bRedrawAll)
        for (INT_PTR i = 0; i < m_arrInvalidBars.GetSize(); ++i) {
            auto* pBar = static_cast<CControlBar*>(m_arrInvalidBars[i]);
            if (FindBar(pBar) >= 0 && ::IsWindow(pBar->m_hWnd))
                pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        }
    m_arrInvalidBars.RemoveAll();
    m_bRowsChanged = FALSE;
    CDockBar::DoPaint(pDC);
}

void SECDockBar::RedrawInvalidBars() {
    m_bRedrawAll = TRUE;
    if (m_arrInvalidBars.GetSize() > 0 && m_hWnd != NULL)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    m_bRedrawAll = FALSE;
}
