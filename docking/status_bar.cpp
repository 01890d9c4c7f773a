// SECStatusBar: panes, their texts and layout, and the status control's messages.
#include "docking/status_bar.h"

#include <algorithm>
#include <cwchar>
#include <new>
#include <vector>

IMPLEMENT_DYNAMIC(SECStatusBar, SECControlBar)

BEGIN_MESSAGE_MAP(SECStatusBar, SECControlBar)
ON_WM_NCHITTEST()
ON_WM_NCPAINT()
ON_WM_NCCALCSIZE()
ON_WM_PAINT()
ON_WM_SIZE()
ON_WM_WINDOWPOSCHANGING()
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(WM_GETTEXT, OnGetText)
ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
ON_MESSAGE(SB_SETMINHEIGHT, OnSetMinHeight)
END_MESSAGE_MAP()

SECStatusBar::~SECStatusBar() {
    if (m_hWnd != NULL)
        DestroyWindow();
    FreePanes();
}

void SECStatusBar::FreePanes() {
    for (int i = 0; i < m_nCount; ++i)
        Pane(i)->~SECStatusPane();
    AllocElements(0, sizeof(SECStatusPane));
}

SECStatusPane* SECStatusBar::Pane(int nIndex) const {
    if (nIndex < 0 || nIndex >= m_nCount)
        return nullptr;
    return static_cast<SECStatusPane*>(m_pData) + nIndex;
}

BOOL SECStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL SECStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID) {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD dwWindow = (dwStyle & ~0x0040FFB1) | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NORESIZE |
                     CCS_NODIVIDER | dwCtrlStyle | WS_CHILD;
    CWnd* pFrame = pParentWnd;
    while (pFrame != nullptr && !pFrame->IsFrameWnd())
        pFrame = pFrame->GetParent();
    if (pFrame != nullptr && (pFrame->GetStyle() & WS_THICKFRAME))
        dwWindow |= SBARS_SIZEGRIP;
    if (!CWnd::Create(STATUSCLASSNAMEW, NULL, dwWindow, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    m_szHorzDock = m_szVertDock = m_szFloat = CSize(s_cxDefault, s_cyDefault);
    return TRUE;
}

BOOL SECStatusBar::PreCreateWindow(CREATESTRUCT& cs) {
    // The control's own styles share the low word with the bar bits: nothing is taken out here.
    return CWnd::PreCreateWindow(cs);
}

HFONT SECStatusBar::ControlFont() const {
    HFONT hFont = m_hWnd != NULL ? (HFONT)::SendMessageW(m_hWnd, WM_GETFONT, 0, 0) : NULL;
    return hFont != NULL ? hFont : (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
}

BOOL SECStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    if (nIDCount < 0 || (nIDCount > 0 && lpIDArray == nullptr))
        return FALSE;
    FreePanes();
    if (!AllocElements(nIDCount, sizeof(SECStatusPane)))
        return FALSE;
    HDC hDC = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, ControlFont());
    bool bStretchTaken = false;
    for (int i = 0; i < nIDCount; ++i) {
        SECStatusPane* p = new (Pane(i)) SECStatusPane{lpIDArray[i], 0, 0, 1, CString()};
        if (p->nID == ID_SEPARATOR) {
            // The first separator stretches over the space the indicators leave.
            p->nStyle = bStretchTaken ? 0 : (SBPS_NOBORDERS | SBPS_STRETCH);
            p->cxText = bStretchTaken ? 1 : 0;
            bStretchTaken = true;
            continue;
        }
        p->strText.LoadString(p->nID);
        SIZE size = {0, 0};
        ::GetTextExtentPoint32W(hDC, p->strText, p->strText.GetLength(), &size);
        p->cxText = size.cx;
    }
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(NULL, hDC);
    UpdateAllPanes(TRUE, TRUE);
    return TRUE;
}

int SECStatusBar::CommandToIndex(UINT nIDFind) const {
    for (int i = 0; i < m_nCount; ++i)
        if (Pane(i)->nID == nIDFind)
            return i;
    return -1;
}

UINT SECStatusBar::GetItemID(int nIndex) const {
    const SECStatusPane* p = Pane(nIndex);
    return p != nullptr ? p->nID : 0;
}

void SECStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
    if (lpRect == nullptr)
        return;
    ::SetRectEmpty(lpRect);
    if (Pane(nIndex) != nullptr)
        ::SendMessageW(m_hWnd, SB_GETRECT, (WPARAM)nIndex, (LPARAM)lpRect);
}

void SECStatusBar::GetPaneText(int nIndex, CString& rString) const {
    const SECStatusPane* p = Pane(nIndex);
    rString = p != nullptr ? p->strText : CString();
}

CString SECStatusBar::GetPaneText(int nIndex) const {
    CString s;
    GetPaneText(nIndex, s);
    return s;
}

void SECStatusBar::SendPaneText(int nIndex) {
    SECStatusPane* p = Pane(nIndex);
    if (p == nullptr || m_hWnd == NULL)
        return;
    p->nFlags &= ~1u;
    const bool bOwnerDraw = (p->nStyle & SBPS_OWNERDRAW) != 0;
    // A disabled pane shows nothing, as a disabled indicator should.
    LPCWSTR lpszText = (p->nStyle & SBPS_DISABLED) ? L"" : p->strText.GetString();
    ::SendMessageW(m_hWnd, SB_SETTEXTW, (WPARAM)((p->nStyle & 0xFF00) | (UINT)nIndex),
                   bOwnerDraw ? (LPARAM)0 : (LPARAM)lpszText);
}

BOOL SECStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate) {
    SECStatusPane* p = Pane(nIndex);
    if (p == nullptr)
        return FALSE;
    const bool bOwnerDraw = (p->nStyle & SBPS_OWNERDRAW) != 0;
    if (!bOwnerDraw && (lpszNewText == nullptr ? p->strText.IsEmpty() : p->strText == lpszNewText))
        return TRUE; // the same text: nothing to send
    try {
        p->strText = lpszNewText != nullptr ? lpszNewText : L"";
    } catch (CException* e) {
        e->Delete(); // the old text stays
        return FALSE;
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    if (!bUpdate)
        p->nFlags |= 1;
    else
        SendPaneText(nIndex);
    return TRUE;
}

void SECStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
    const SECStatusPane* p = Pane(nIndex);
    nID = p != nullptr ? p->nID : 0;
    nStyle = p != nullptr ? p->nStyle : 0;
    cxWidth = p != nullptr ? p->cxText : 0;
}

void SECStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
    SECStatusPane* p = Pane(nIndex);
    if (p == nullptr)
        return;
    const bool bLayout = p->cxText != cxWidth || ((p->nStyle ^ nStyle) & SBPS_STRETCH);
    p->nID = nID;
    p->cxText = std::max(cxWidth, 0);
    const UINT nOld = p->nStyle;
    p->nStyle = nStyle;
    if (bLayout)
        UpdateAllPanes(TRUE, FALSE);
    if (nOld != nStyle)
        SendPaneText(nIndex);
}

UINT SECStatusBar::GetPaneStyle(int nIndex) const {
    const SECStatusPane* p = Pane(nIndex);
    return p != nullptr ? p->nStyle : 0;
}

void SECStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
    SECStatusPane* p = Pane(nIndex);
    if (p == nullptr || p->nStyle == nStyle)
        return;
    const bool bStretchChanged = ((p->nStyle ^ nStyle) & SBPS_STRETCH) != 0;
    p->nStyle = nStyle;
    if (bStretchChanged)
        UpdateAllPanes(TRUE, FALSE);
    SendPaneText(nIndex);
}

void SECStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText) {
    if (m_hWnd == NULL)
        return;
    if (bUpdateRects && m_nCount > 0) {
        int borders[3] = {0, 0, 0};
        ::SendMessageW(m_hWnd, SB_GETBORDERS, 0, (LPARAM)borders);
        CRect client;
        GetClientRect(&client);
        CRect inside(0, 0, client.Width(), client.Height());
        CalcInsideRect(inside, TRUE);
        // Each pane is its text with a margin; what is left goes to the stretchy panes.
        const int cxMargin = 2 * ::GetSystemMetrics(SM_CXBORDER) + 4;
        int nFixed = 0, nStretch = 0;
        for (int i = 0; i < m_nCount; ++i) {
            nFixed += Pane(i)->cxText + cxMargin + (i > 0 ? borders[2] : 0);
            nStretch += (Pane(i)->nStyle & SBPS_STRETCH) != 0;
        }
        const int nExtra = std::max(0, (int)inside.Width() - nFixed);
        std::vector<int> edges((size_t)m_nCount);
        int x = inside.left;
        int nGiven = 0;
        for (int i = 0; i < m_nCount; ++i) {
            x += Pane(i)->cxText + cxMargin + (i > 0 ? borders[2] : 0);
            if ((Pane(i)->nStyle & SBPS_STRETCH) && nStretch > 0) {
                const int nShare = nGiven + 1 == nStretch ? nExtra - nExtra / nStretch * nGiven
                                                          : nExtra / nStretch;
                x += nShare;
                ++nGiven;
            }
            edges[(size_t)i] = x;
        }
        ::SendMessageW(m_hWnd, SB_SETPARTS, (WPARAM)m_nCount, (LPARAM)edges.data());
        for (int i = 0; i < m_nCount; ++i)
            Pane(i)->nFlags |= 1; // the control forgets texts of changed parts
        bUpdateText = TRUE;
    }
    if (bUpdateText)
        for (int i = 0; i < m_nCount; ++i)
            if (Pane(i)->nFlags & 1)
                SendPaneText(i);
}

void SECStatusBar::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL SECStatusBar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        if (pResult != nullptr)
            *pResult = TRUE;
        return TRUE;
    }
    return SECControlBar::OnChildNotify(message, wParam, lParam, pResult);
}

CSize SECStatusBar::CalcFixedLayout(BOOL, BOOL bHorz) {
    if (!bHorz)
        return CSize(0, 0);
    HDC hDC = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, ControlFont());
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(hDC, &tm);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(NULL, hDC);
    int borders[3] = {0, 0, 0};
    if (m_hWnd != NULL)
        ::SendMessageW(m_hWnd, SB_GETBORDERS, 0, (LPARAM)borders);
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, TRUE);
    int cy = tm.tmHeight - tm.tmInternalLeading - 1 +
             2 * (::GetSystemMetrics(SM_CYBORDER) + borders[1]) - inside.Height();
    cy = std::max(cy, m_nMinHeight);
    return CSize(32767, cy);
}

void SECStatusBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
    CalcInsideRectEx(rect, bHorz, FALSE);
    if (m_hWnd == NULL || !(GetStyle() & SBARS_SIZEGRIP))
        return;
    CWnd* pParent = GetParentFrame();
    if (pParent != nullptr && pParent->IsZoomed())
        return; // a maximised frame has no grip to keep clear
    int borders[3] = {0, 0, 0};
    ::SendMessageW(m_hWnd, SB_GETBORDERS, 0, (LPARAM)borders);
    rect.right -=
        2 * ::GetSystemMetrics(SM_CXBORDER) + borders[0] + ::GetSystemMetrics(SM_CXVSCROLL);
}

void SECStatusBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) {
    if (m_hWnd != NULL && ((dwOldStyle ^ dwNewStyle) & CBRS_BORDER_ANY))
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void SECStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    SECStatusCmdUI state;
    state.m_pOther = this;
    state.m_pStatusBar = this;
    state.m_nIndexMax = (UINT)m_nCount;
    for (int i = 0; i < m_nCount; ++i) {
        state.m_nIndex = (UINT)i;
        state.m_nID = Pane(i)->nID;
        // A pane without a handler keeps the state it has.
        state.DoUpdate(pTarget, FALSE);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

LRESULT SECStatusBar::OnNcHitTest(CPoint) {
    return Default() == HTBOTTOMRIGHT ? HTBOTTOMRIGHT : HTCLIENT;
}

void SECStatusBar::OnNcPaint() {
    SECControlBar::OnNcPaint();
}

void SECStatusBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
    CRect rect(0, 0, 0, 0);
    CalcInsideRectEx(rect, TRUE, FALSE);
    RECT& r = lpncsp->rgrc[0];
    r.left += rect.left;
    r.top += rect.top - 2;
    r.right += rect.right;
    r.bottom += rect.bottom;
    if (r.bottom < r.top)
        r.bottom = r.top;
}

void SECStatusBar::OnPaint() {
    UpdateAllPanes(FALSE, TRUE);
    Default();
}

void SECStatusBar::OnSize(UINT nType, int cx, int cy) {
    SECControlBar::OnSize(nType, cx, cy);
    UpdateAllPanes(TRUE, TRUE);
}

void SECStatusBar::OnWindowPosChanging(WINDOWPOS*) {
    const DWORD dwOld = m_dwStyle;
    m_dwStyle &= ~CBRS_BORDER_ANY;
    Default();
    m_dwStyle = dwOld;
}

LRESULT SECStatusBar::OnSetText(WPARAM, LPARAM lParam) {
    const int nIndex = CommandToIndex(ID_SEPARATOR);
    if (nIndex < 0)
        return -1;
    return SetPaneText(nIndex, reinterpret_cast<LPCTSTR>(lParam)) ? TRUE : FALSE;
}

LRESULT SECStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
    const int nIndex = CommandToIndex(ID_SEPARATOR);
    auto* pBuffer = reinterpret_cast<LPWSTR>(lParam);
    const int nMax = (int)wParam;
    if (nIndex < 0 || nMax <= 0 || pBuffer == nullptr)
        return 0; // nothing is written before or past the buffer
    const CString& text = Pane(nIndex)->strText;
    const int n = std::min(text.GetLength(), nMax - 1);
    wmemcpy(pBuffer, text.GetString(), (size_t)n);
    pBuffer[n] = L'\0';
    return n;
}

LRESULT SECStatusBar::OnGetTextLength(WPARAM, LPARAM) {
    const int nIndex = CommandToIndex(ID_SEPARATOR);
    return nIndex < 0 ? 0 : Pane(nIndex)->strText.GetLength();
}

LRESULT SECStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM) {
    const LRESULT lResult = Default();
    m_nMinHeight = (int)wParam;
    return lResult;
}

void SECStatusCmdUI::Enable(BOOL bOn) {
    m_bEnableChanged = TRUE;
    if (m_pStatusBar == nullptr)
        return;
    const UINT nOld = m_pStatusBar->GetPaneStyle((int)m_nIndex);
    m_pStatusBar->SetPaneStyle((int)m_nIndex,
                               bOn ? (nOld & ~SBPS_DISABLED) : (nOld | SBPS_DISABLED));
}

void SECStatusCmdUI::SetCheck(int nCheck) {
    if (m_pStatusBar == nullptr)
        return;
    const UINT nOld = m_pStatusBar->GetPaneStyle((int)m_nIndex);
    m_pStatusBar->SetPaneStyle((int)m_nIndex,
                               nCheck ? (nOld | SBPS_POPOUT) : (nOld & ~SBPS_POPOUT));
}

void SECStatusCmdUI::SetText(LPCTSTR lpszText) {
    if (m_pStatusBar != nullptr)
        m_pStatusBar->SetPaneText((int)m_nIndex, lpszText);
}
