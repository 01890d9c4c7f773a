// SECWorkbookWnd: the sheet list, modes, layout with the client's margins, clicks and tips.
#include "docking/workbook.h"

#include "framework/docview/document.h"
#include "framework/win/cmdui.h"

#include <cstdlib>
#include <cwchar>

using namespace WorkbookTabs;

IMPLEMENT_DYNCREATE(SECWorkbookWnd, SECMDIFrameWnd)
IMPLEMENT_DYNAMIC(SECWorkbookClientWnd, CWnd)

BOOL SECWorkbookWnd::s_b3DTabs = FALSE;

BEGIN_MESSAGE_MAP(SECWorkbookWnd, SECMDIFrameWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_DESTROY()
ON_MESSAGE(WM_WORKBOOK_SHEETACTIVATED, OnSheetActivated)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(SECWorkbookClientWnd, CWnd)
ON_MESSAGE(WM_MDISETMENU, OnMDISetMenu)
ON_MESSAGE(WM_WORKBOOK_MENUCHANGED, OnMDISetMenu)
END_MESSAGE_MAP()

// --- the client --------------------------------------------------------------------------------

void SECWorkbookClientWnd::SetMargins(int nLeft, int nRight, int nTop, int nBottom) {
    m_nLeft = nLeft;
    m_nRight = nRight;
    m_nTop = nTop;
    m_nBottom = nBottom;
}

void SECWorkbookClientWnd::GetMargins(int& nLeft, int& nRight, int& nTop, int& nBottom) const {
    nLeft = m_nLeft;
    nRight = m_nRight;
    nTop = m_nTop;
    nBottom = m_nBottom;
}

// The space the frame's layout gives the client, less the margins.
void SECWorkbookClientWnd::CalcWindowRect(LPRECT lpClientRect, UINT) {
    lpClientRect->left += m_nLeft;
    lpClientRect->top += m_nTop;
    lpClientRect->right -= m_nRight;
    lpClientRect->bottom -= m_nBottom;
    if (lpClientRect->right < lpClientRect->left)
        lpClientRect->right = lpClientRect->left;
    if (lpClientRect->bottom < lpClientRect->top)
        lpClientRect->bottom = lpClientRect->top;
}

LRESULT SECWorkbookClientWnd::OnMDISetMenu(WPARAM wParam, LPARAM lParam) {
    LRESULT lResult = 0;
    if (wParam != (WPARAM)-1 && lParam != (LPARAM)-1)
        lResult = DefWindowProc(WM_MDISETMENU, wParam, lParam);
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_WORKBOOK_SHEETACTIVATED, 0, 0);
    return lResult;
}

// --- sheets ------------------------------------------------------------------------------------

SECWorkbookWnd::SECWorkbookWnd() {
    m_rectLastLayout.SetRectEmpty();
    m_pFloatingMDIChildClass = RUNTIME_CLASS(SECControlBarWorksheet);
}

SECWorkbookWnd::~SECWorkbookWnd() = default;

SECWorksheetWnd* SECWorkbookWnd::GetSheet(int nIndex) const {
    return static_cast<SECWorksheetWnd*>(m_sheets[nIndex]);
}

CRect SECWorkbookWnd::ClientWindowRect() const {
    CRect rect(0, 0, 0, 0);
    if (m_hWndMDIClient != NULL) {
        ::GetWindowRect(m_hWndMDIClient, &rect);
        ScreenToClient(&rect);
    }
    return rect;
}

void SECWorkbookWnd::GetClientAreaRect(CRect& rect) const {
    rect = ClientWindowRect();
    if (m_pClient != NULL) {
        int l, r, t, b;
        m_pClient->GetMargins(l, r, t, b);
        rect.InflateRect(l, t, r, b);
    }
}

BOOL SECWorkbookWnd::CanActivateSheet(SECWorksheetWnd*) {
    return TRUE;
}

int SECWorkbookWnd::ComputeTabWidth() const {
    return TabWidth(ClientWindowRect().Width(), GetSheetCount(), m_nTabWidth);
}

int SECWorkbookWnd::GetTabColumn(SECWorksheetWnd* pSheet) const {
    int nColumn = pSheet->m_nSheetIndex;
    for (int i = 0; i < pSheet->m_nSheetIndex && i < GetSheetCount(); ++i)
        if (!(GetSheet(i)->GetStyle() & WS_VISIBLE))
            --nColumn;
    return nColumn;
}

SECWorksheetWnd* SECWorkbookWnd::ActiveSheet() const {
    CMDIChildWnd* pActive = MDIGetActive();
    for (int i = 0; i < GetSheetCount(); ++i)
        if (GetSheet(i) == pActive)
            return GetSheet(i);
    return NULL;
}

bool SECWorkbookWnd::IsShownAsActive(SECWorksheetWnd* pSheet) const {
    return pSheet->m_bPressed || pSheet == MDIGetActive();
}

void SECWorkbookWnd::AddSheet(SECWorksheetWnd* pSheet) {
    if (pSheet == NULL)
        return;
    pSheet->m_nSheetIndex = GetSheetCount();
    m_sheets.Add(pSheet);
    const int nWidth = ComputeTabWidth();
    if (nWidth != m_nTabWidth) {
        m_nTabWidth = nWidth;
        if (m_bWorkbookMode)
            InvalidateTabStrip();
    } else if (m_bWorkbookMode) {
        if (GetSheetCount() < 2)
            Invalidate();
        else
            InvalidateTab(pSheet);
    }
    // Tips for cut labels come from the framework's tip control, asked through OnToolHitTest.
    EnableToolTips(TRUE);
}

void SECWorkbookWnd::RemoveSheet(SECWorksheetWnd* pSheet) {
    int nIndex = -1;
    for (int i = 0; i < GetSheetCount() && nIndex < 0; ++i)
        if (GetSheet(i) == pSheet)
            nIndex = i;
    if (nIndex < 0)
        return;
    m_sheets.RemoveAt(nIndex);
    if (m_pClient == NULL)
        return;
    for (int i = nIndex; i < GetSheetCount(); ++i)
        GetSheet(i)->m_nSheetIndex = i;
    if (GetSheetCount() > 0) {
        const int nWidth = ComputeTabWidth();
        if (nWidth != m_nTabWidth) {
            m_nTabWidth = nWidth;
            if (m_bWorkbookMode)
                InvalidateTabStrip();
            return;
        }
    }
    if (!m_bWorkbookMode)
        return;
    if (GetSheetCount() == 0)
        Invalidate();
    else
        InvalidateTab(pSheet, TRUE);
}

// --- geometry ----------------------------------------------------------------------------------

void SECWorkbookWnd::GetTabPolygon(SECWorksheetWnd* pSheet, std::vector<POINT>& points) const {
    points.assign(polygonPoints, POINT{0, 0});
    TabPolygon(ClientWindowRect(), GetTabColumn(pSheet), m_nTabWidth, IsShownAsActive(pSheet),
               m_bFlatTabs != FALSE, points.data());
}

BOOL SECWorkbookWnd::GetTabLabelRect(const std::vector<POINT>& points, int nIconWidth,
                                     CRect& rect) const {
    if (points.size() < polygonPoints) {
        rect.SetRectEmpty();
        return FALSE;
    }
    rect = LabelRect(points.data(), nIconWidth);
    return TRUE;
}

CString SECWorkbookWnd::GetTabLabel(SECWorksheetWnd* pSheet) const {
    CString strLabel;
    if (pSheet == NULL || pSheet->GetSafeHwnd() == NULL)
        return strLabel;
    if (CDocument* pDoc = pSheet->GetActiveDocument())
        return pDoc->GetTitle();
    pSheet->GetWindowText(strLabel);
    return strLabel;
}

int SECWorkbookWnd::MeasureText(HDC hDC, const CString& strText) const {
    HGDIOBJ hOld =
        ::SelectObject(hDC, m_fontTab.GetSafeHandle() != NULL ? m_fontTab.GetSafeHandle()
                                                              : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE size = {0, 0};
    ::GetTextExtentPoint32W(hDC, strText, strText.GetLength(), &size);
    ::SelectObject(hDC, hOld);
    return size.cx;
}

BOOL SECWorkbookWnd::TabLabelFits(SECWorksheetWnd* pSheet) const {
    const CString strLabel = GetTabLabel(pSheet);
    if (strLabel.IsEmpty())
        return FALSE;
    std::vector<POINT> points;
    GetTabPolygon(pSheet, points);
    CRect rect;
    GetTabLabelRect(points, 16, rect);
    HDC hDC = ::GetDC(m_hWnd);
    const int nWidth = MeasureText(hDC, strLabel);
    ::ReleaseDC(m_hWnd, hDC);
    return nWidth <= rect.Width();
}

HICON SECWorkbookWnd::GetTabIcon(SECWorksheetWnd* pSheet) const {
    return m_bShowTabIcons && pSheet != NULL ? pSheet->m_hTabIcon : NULL;
}

BOOL SECWorkbookWnd::SetTabIcon(SECWorksheetWnd* pSheet, HICON hIcon, BOOL bRedraw) {
    if (pSheet == NULL)
        return FALSE;
    if (pSheet->m_hTabIcon != NULL && pSheet->m_hTabIcon != hIcon)
        ::DestroyIcon(pSheet->m_hTabIcon);
    pSheet->m_hTabIcon = hIcon;
    if (bRedraw)
        InvalidateTab(pSheet);
    return TRUE;
}

void SECWorkbookWnd::InvalidateTab(SECWorksheetWnd* pSheet, BOOL bToStripEnd) {
    if (m_hWnd == NULL || pSheet == NULL)
        return;
    CRect rectFrame;
    GetClientRect(&rectFrame);
    const CRect rect = TabInvalidRect(ClientWindowRect(), GetTabColumn(pSheet), m_nTabWidth,
                                      m_bFlatTabs != FALSE, bToStripEnd != FALSE, rectFrame.right);
    InvalidateRect(&rect, FALSE);
}

void SECWorkbookWnd::InvalidateTabStrip() {
    if (m_hWnd == NULL)
        return;
    CRect rectFrame;
    GetClientRect(&rectFrame);
    const CRect rect = StripRect(ClientWindowRect(), rectFrame.left, rectFrame.right);
    InvalidateRect(&rect, FALSE);
}

// Only the frame: a sheet that is being activated would otherwise be painted before its
// activation has brought it to the front, and once more afterwards.
void SECWorkbookWnd::UpdateTabsNow() {
    if (m_hWnd != NULL)
        ::RedrawWindow(m_hWnd, NULL, NULL, RDW_UPDATENOW | RDW_NOCHILDREN);
}

SECWorksheetWnd* SECWorkbookWnd::SheetFromPoint(CPoint point, BOOL bSkipActive) const {
    CMDIChildWnd* pActive = MDIGetActive();
    const CRect r = ClientWindowRect();
    int nColumn = -1;
    for (int i = 0; i < GetSheetCount(); ++i) {
        SECWorksheetWnd* pSheet = GetSheet(i);
        if (!(pSheet->GetStyle() & WS_VISIBLE))
            continue;
        ++nColumn;
        if (bSkipActive && pSheet == pActive)
            continue;
        // Only a tab whose columns hold the point is tested against its outline.
        const int nLeft = r.left + nColumn * m_nTabWidth - WorkbookTabs::activeWidening;
        if (point.x < nLeft || point.x > nLeft + m_nTabWidth + 2 * WorkbookTabs::activeWidening)
            continue;
        std::vector<POINT> points;
        GetTabPolygon(pSheet, points);
        HRGN hRgn = ::CreatePolygonRgn(points.data(), (int)points.size(), ALTERNATE);
        const bool bHit = hRgn != NULL && ::PtInRegion(hRgn, point.x, point.y);
        if (hRgn != NULL)
            ::DeleteObject(hRgn);
        if (bHit)
            return pSheet;
    }
    return NULL;
}

// --- modes and layout --------------------------------------------------------------------------

void SECWorkbookWnd::SetWorkbookMode(BOOL bMode) {
    m_bWorkbookMode = bMode;
    SetFlatTabs(m_bFlatTabs);
}

void SECWorkbookWnd::SetFlatTabs(BOOL bFlat) {
    m_bFlatTabs = bFlat;
    const CRect margins = ClientMargins(m_bWorkbookMode != FALSE, bFlat != FALSE);
    if (m_pClient != NULL)
        m_pClient->SetMargins(margins.left, margins.right, margins.top, margins.bottom);
    s_b3DTabs = bFlat ? FALSE : m_bWorkbookMode;
    if (m_hWnd != NULL) {
        RecalcLayout(TRUE);
        Invalidate();
    }
}

void SECWorkbookWnd::SetShowTabIcons(BOOL bShow) {
    m_bShowTabIcons = bShow;
    InvalidateTabStrip();
}

void SECWorkbookWnd::OnUpdateWorkbookMode(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_bWorkbookMode ? 1 : 0);
}

void SECWorkbookWnd::OnUpdateTabIcons(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_bShowTabIcons ? 1 : 0);
}

void SECWorkbookWnd::RecalcLayout(BOOL bNotify) {
    SECMDIFrameWnd::RecalcLayout(bNotify);
    if (m_hWnd == NULL || m_hWndMDIClient == NULL)
        return;
    CRect rect;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect);
    if (m_pClient != NULL && m_bWorkbookMode) {
        // The client gives up its margins to the tab strip and the border.
        CRect rectClient = rect;
        m_pClient->CalcWindowRect(&rectClient);
        ::SetWindowPos(m_hWndMDIClient, NULL, rectClient.left, rectClient.top, rectClient.Width(),
                       rectClient.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (m_bWorkbookMode && rect != m_rectLastLayout) {
        if (GetSheetCount() > 0)
            m_nTabWidth = ComputeTabWidth();
        Invalidate();
        m_rectLastLayout = rect;
    }
}

BOOL SECWorkbookWnd::CreateClient(LPCREATESTRUCT lpcs, HMENU hWindowMenu) {
    const BOOL bMade = SECMDIFrameWnd::CreateClient(lpcs, hWindowMenu);
    if (!bMade || m_hWndMDIClient == NULL)
        return bMade;
    auto pClient = std::make_unique<SECWorkbookClientWnd>();
    if (pClient->SubclassWindow(m_hWndMDIClient)) {
        m_pClient = std::move(pClient);
        const CRect margins = ClientMargins(m_bWorkbookMode != FALSE, m_bFlatTabs != FALSE);
        m_pClient->SetMargins(margins.left, margins.right, margins.top, margins.bottom);
        MakeDrawingTools();
    }
    return bMade;
}

CFrameWnd* SECWorkbookWnd::CreateControlBarMDIChild(DWORD dwStyle, CControlBar* pBar) {
    CFrameWnd* pChild = SECMDIFrameWnd::CreateControlBarMDIChild(dwStyle, pBar);
    auto* pSheet = DYNAMIC_DOWNCAST(SECControlBarWorksheet, pChild);
    if (pSheet == NULL || pBar == NULL || pBar->GetSafeHwnd() == NULL)
        return pChild;
    if (HICON hIcon = (HICON)pBar->SendMessage(WM_GETICON, ICON_BIG, 0))
        SetTabIcon(pSheet, ::CopyIcon(hIcon), TRUE);
    return pChild;
}

void SECWorkbookWnd::MakeDrawingTools() {
    HGDIOBJ hFont = ::GetStockObject(DEFAULT_GUI_FONT);
    if (hFont == NULL)
        hFont = ::GetStockObject(SYSTEM_FONT);
    LOGFONTW lf = {};
    ::GetObjectW(hFont, sizeof lf, &lf);
    m_fontTab.CreateFontIndirect(&lf);
    m_penHighlight.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    m_penBlack.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    m_penShadow.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    m_penFace.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
}

void SECWorkbookWnd::OnDestroy() {
    SECMDIFrameWnd::OnDestroy();
    if (m_pClient != NULL) {
        if (m_pClient->GetSafeHwnd() != NULL)
            m_pClient->UnsubclassWindow();
        m_pClient.reset();
    }
}

// --- mouse and tips ----------------------------------------------------------------------------

void SECWorkbookWnd::OnLButtonDown(UINT, CPoint point) {
    SECWorksheetWnd* pSheet = m_bWorkbookMode ? SheetFromPoint(point, TRUE) : NULL;
    if (pSheet != NULL && CanActivateSheet(pSheet)) {
        pSheet->m_bPressed = TRUE;
        InvalidateTab(pSheet);
        UpdateTabsNow(); // the tab is drawn raised at once
        pSheet->SendMessage(WM_MOUSEACTIVATE, (WPARAM)m_hWnd, 0);
    }
    Default();
}

void SECWorkbookWnd::OnLButtonUp(UINT, CPoint) {
    if (m_bWorkbookMode)
        for (int i = 0; i < GetSheetCount(); ++i)
            GetSheet(i)->m_bPressed = FALSE;
    Default();
}

INT_PTR SECWorkbookWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    if (!m_bWorkbookMode)
        return SECMDIFrameWnd::OnToolHitTest(point, pTI);
    SECWorksheetWnd* pSheet = SheetFromPoint(point, FALSE);
    if (pSheet == NULL || TabLabelFits(pSheet))
        return -1;
    std::vector<POINT> points;
    GetTabPolygon(pSheet, points);
    HRGN hRgn = ::CreatePolygonRgn(points.data(), (int)points.size(), ALTERNATE);
    CRect rect(0, 0, 0, 0);
    if (hRgn != NULL) {
        ::GetRgnBox(hRgn, &rect);
        ::DeleteObject(hRgn);
    }
    const CString strLabel = GetTabLabel(pSheet);
    if (pTI != NULL) {
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)(pSheet->m_nSheetIndex + 1);
        pTI->rect = rect;
        // The tip control's owner frees the text.
        const size_t nBytes = (strLabel.GetLength() + 1) * sizeof(wchar_t);
        pTI->lpszText = static_cast<LPWSTR>(std::malloc(nBytes));
        if (pTI->lpszText != NULL)
            std::memcpy(pTI->lpszText, strLabel.GetString(), nBytes);
    }
    return pSheet->m_nSheetIndex + 1;
}

LRESULT SECWorkbookWnd::OnSheetActivated(WPARAM, LPARAM) {
    if (m_nLastActive < GetSheetCount())
        InvalidateTab(GetSheet(m_nLastActive));
    SECWorksheetWnd* pActive = ActiveSheet();
    // A tab being clicked was drawn raised, on top, when it was pressed: as it looks active.
    if (pActive != NULL && !pActive->m_bPressed)
        InvalidateTab(pActive);
    m_nLastActive = pActive != NULL ? pActive->m_nSheetIndex : GetSheetCount();
    BOOL bMaximized = FALSE;
    if (MDIGetActive(&bMaximized) != NULL && !bMaximized)
        UpdateTabsNow();
    return 0;
}
