// SECControlBar: creation, styles, remembered sizes and the layout of its children.
#include "docking/control_bar.h"

#include "docking/control_bar_info.h"
#include "docking/dock_bar.h"
#include "docking/dock_context.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(SECControlBar, CControlBar)
IMPLEMENT_DYNAMIC(SECControlBarInfoEx, CObject)

int SECControlBar::s_nLayoutNoRedraw = 1;

BEGIN_MESSAGE_MAP(SECControlBar, CControlBar)
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_CONTEXTMENU()
ON_WM_ERASEBKGND()
ON_WM_DESTROY()
ON_COMMAND(ID_SEC_ALLOWDOCKING, OnAllowDocking)
ON_COMMAND(ID_SEC_HIDE, OnHide)
ON_COMMAND(ID_SEC_FLOATMAINWINDOW, OnFloatInMainWindow)
END_MESSAGE_MAP()

SECGripperInfo::SECGripperInfo() {
    m_strCloseTip.LoadString(IDS_SEC_HIDE_TIP);
    m_strExpandTip.LoadString(IDS_SEC_EXPAND_TIP);
    m_strContractTip.LoadString(IDS_SEC_CONTRACT_TIP);
}

int SECGripperInfo::GetHorzExtent() const {
    int n = 0;
    for (int v : m_horz)
        n += v;
    return n;
}

int SECGripperInfo::GetVertExtent() const {
    int n = 0;
    for (int v : m_vert)
        n += v;
    return n;
}

SECControlBar::SECControlBar()
    : m_szHorzDock(0, 0), m_szVertDock(0, 0), m_szFloat(0, 0), m_rectBorder(10, 10, 10, 10),
      m_rectClose(0, 0, 0, 0), m_rectExpand(0, 0, 0, 0) {}

SECControlBar::~SECControlBar() {
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL SECControlBar::Create(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwExStyle,
                           UINT nID, CCreateContext* pContext) {
    return CreateEx(NULL, lpszWindowName, nID, dwStyle, dwExStyle, CRect(0, 0, 0, 0), pParentWnd,
                    pContext);
}

BOOL SECControlBar::CreateEx(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, UINT nID, DWORD dwStyle,
                             DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd,
                             CCreateContext* pContext) {
    m_dwStyle = dwStyle & CBRS_ALL;
    m_dwExStyle = dwExStyle;
    if (!CWnd::Create(lpszClassName, lpszWindowName, (dwStyle & ~CBRS_ALL) | WS_CHILD, rect,
                      pParentWnd, nID, pContext))
        return FALSE;
    if (m_dwExStyle & CBRS_EX_SCALECHILDREN)
        SaveChildRects();
    m_szHorzDock = m_szVertDock = m_szFloat = CSize(s_cxDefault, s_cyDefault);
    SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    return TRUE;
}

SECDockBar* SECControlBar::GetSECDockBar() const {
    return m_pDockBar != nullptr && m_pDockBar->IsKindOf(RUNTIME_CLASS(SECDockBar))
               ? static_cast<SECDockBar*>(m_pDockBar)
               : nullptr;
}

CFrameWnd* SECControlBar::GetFrameForCommands() const {
    if (m_pDockContext != nullptr && m_pDockContext->m_pDockSite != nullptr)
        return m_pDockContext->m_pDockSite;
    if (m_pDockSite != nullptr)
        return m_pDockSite;
    return GetParentFrame(); // no dock site: the parent frame stands in
}

void SECControlBar::GetInsideRect(CRect& rect) const {
    GetClientRect(&rect);
    const int nMargin = m_gripper.m_nCaptionMargin;
    if (IsDocked() && (m_dwExStyle & CBRS_EX_GRIPPER)) {
        if (IsHorzDocked()) {
            rect.left += m_gripper.GetHorzExtent();
            rect.top += nMargin;
            rect.right -= nMargin;
            rect.bottom -= nMargin;
        } else {
            rect.top += m_gripper.GetVertExtent();
            rect.left += nMargin;
            rect.right -= nMargin;
            rect.bottom -= nMargin;
        }
    } else if (m_dwExStyle & CBRS_EX_BORDERSPACE) {
        rect.left += m_rectBorder.left;
        rect.top += m_rectBorder.top;
        rect.right -= m_rectBorder.right;
        rect.bottom -= m_rectBorder.bottom;
    }
}

CDockContext* SECControlBar::CreateDockContext() {
    try {
        return new SECDockContext(this);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void SECControlBar::EnableDocking(DWORD dwDockStyle) {
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
    if (m_pDockContext == nullptr)
        m_pDockContext = CreateDockContext();
    if (m_hWndOwner == NULL && m_hWnd != NULL)
        m_hWndOwner = ::GetParent(m_hWnd);
}

DWORD SECControlBar::SetExBarStyle(DWORD dwExStyle, BOOL bRedraw) {
    const DWORD dwOld = m_dwExStyle;
    if (IsFloating()) {
        CWnd* pFrame = m_pDockBar->GetParent();
        if (pFrame != nullptr) {
            if (dwExStyle & CBRS_EX_FIXEDSIZE)
                pFrame->ModifyStyle(WS_THICKFRAME | 0x400, 0x200, SWP_FRAMECHANGED);
            else
                pFrame->ModifyStyle(0x200, WS_THICKFRAME | 0x400, SWP_FRAMECHANGED);
        }
    }
    if ((dwExStyle ^ dwOld) & CBRS_EX_SCALECHILDREN) {
        if (dwExStyle & CBRS_EX_SCALECHILDREN)
            SaveChildRects();
        else
            FreeChildRects();
    }
    if (dwExStyle != dwOld && bRedraw && m_hWnd != NULL)
        SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE); // the next layout gives the size back
    m_dwExStyle = dwExStyle | (dwOld & CBRS_EX_STICKY);
    return CBRS_EX_STICKY;
}

DWORD SECControlBar::ModifyBarStyleEx(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw) {
    return SetExBarStyle((m_dwExStyle & ~dwRemove) | dwAdd, bRedraw);
}

CSize SECControlBar::CalcFixedLayout(BOOL, BOOL bHorz) {
    return bHorz ? m_szHorzDock : m_szVertDock;
}

CSize SECControlBar::CalcDynamicLayout(int nLength, DWORD nMode) {
    if (nMode & LM_COMMIT) {
        int nValue = nLength;
        if (nMode & LM_STRETCH)
            nValue = (int)((float)nLength * m_fFloatProportion);
        nValue = std::max(nValue, 0); // a frame of no size gives no negative lengths
        const bool bY = (nMode & LM_LENGTHY) != 0;
        if (nMode & LM_HORZDOCK)
            (bY ? m_szHorzDock.cy : m_szHorzDock.cx) = nValue;
        else if (nMode & LM_VERTDOCK)
            (bY ? m_szVertDock.cy : m_szVertDock.cx) = nValue;
        else if (bY)
            m_szFloat.cy = nValue;
        else
            m_szFloat.cx = m_nMRUWidth = nValue;
    }
    if (nMode & (LM_HORZDOCK | LM_VERTDOCK))
        return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
    return m_szFloat;
}

void SECControlBar::CalcInsideRectEx(CRect& rect, BOOL bHorz, BOOL bGripper) const {
    if (!(m_dwExStyle & CBRS_EX_COOL)) {
        CControlBar::CalcInsideRect(
            rect, bHorz); // the framework's (bars override CalcInsideRect with this)
        return;
    }
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left++;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top++;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right--;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom--;
    const bool bGripperShown = IsDocked() && (m_dwExStyle & CBRS_EX_GRIPPER);
    if (bHorz) {
        if (bGripperShown) {
            CSize size(0, 0);
            rect.left += AddGripperSize(size, TRUE);
        } else {
            rect.left += m_cxLeftBorder;
        }
        rect.top += m_cyTopBorder;
    } else {
        rect.left += m_cxLeftBorder;
        if (bGripper && bGripperShown) {
            CSize size(0, 0);
            rect.top += AddGripperSize(size, FALSE);
        } else {
            rect.top += m_cyTopBorder;
        }
    }
    rect.right -= m_cxRightBorder;
    rect.bottom -= m_cyBottomBorder;
}

int SECControlBar::AddGripperSize(CSize& size, BOOL bHorz) const {
    if (bHorz) {
        const int n = m_gripper.GetHorzExtent();
        size.cx += n;
        return n;
    }
    const int n = m_gripper.GetVertExtent();
    size.cy += n;
    return n;
}

void SECControlBar::AttachToDockBar(SECDockBar* pDockBar) {
    m_pSECDockBar = pDockBar;
    if (pDockBar == nullptr)
        return;
    m_bCanExpand = !pDockBar->IsBarExpanded(this);
    m_bExpandEnabled = !pDockBar->IsOnlyVisibleBarInRow(this);
}

BOOL SECControlBar::GetDockPosition(int& nRow, int& nCol, UINT& nDockBarID, float& fPctWidth,
                                    int& nHeight) const {
    nRow = nCol = nHeight = 0;
    nDockBarID = 0;
    fPctWidth = 0.0f;
    SECDockBar* pDockBar = GetSECDockBar();
    if (pDockBar == nullptr || !IsVisible())
        return FALSE;
    int nThickness = 0;
    if (!pDockBar->GetBarRowPosition(const_cast<SECControlBar*>(this), nRow, nCol, nThickness)) {
        nRow = nCol = 0;
        return FALSE;
    }
    nDockBarID = (UINT)LOWORD(pDockBar->GetDlgCtrlID());
    fPctWidth = m_fFloatProportion;
    nHeight = nThickness;
    return TRUE;
}

BOOL SECControlBar::GetDockPosition(int& nRow, int& nCol, UINT& nDockBarID) const {
    float f;
    int n;
    return GetDockPosition(nRow, nCol, nDockBarID, f, n);
}

BOOL SECControlBar::GetDockPosition(int& nRow, int& nCol) const {
    UINT nID;
    return GetDockPosition(nRow, nCol, nID);
}

UINT SECControlBar::FindFreeBarID(CFrameWnd* pFrame, UINT nFirst) {
    if (pFrame == nullptr)
        return 0;
    for (UINT n = 0; n < 1000; ++n) {
        const UINT nID = nFirst + n;
        if (nID > 0xFFFF)
            return 0;
        if (pFrame->GetControlBar(nID) == nullptr)
            return nID;
    }
    return 0;
}

void SECControlBar::SaveChildRects() {
    auto rects = std::make_unique<std::vector<std::pair<HWND, CRect>>>();
    CRect client(0, 0, 0, 0);
    if (m_hWnd != NULL)
        GetInsideRect(client);
    rects->emplace_back(m_hWnd, client);
    for (HWND h = m_hWnd != NULL ? ::GetTopWindow(m_hWnd) : NULL; h != NULL;
         h = ::GetWindow(h, GW_HWNDNEXT)) {
        CRect rect;
        ::GetWindowRect(h, &rect);
        ::MapWindowPoints(NULL, m_hWnd, reinterpret_cast<LPPOINT>(&rect), 2);
        rect.OffsetRect(-client.left, -client.top);
        rects->emplace_back(h, rect);
    }
    m_pChildRects = std::move(rects);
}

void SECControlBar::OnSize(UINT nType, int cx, int cy) {
    CControlBar::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED && cx >= 1 && cy >= 1)
        LayoutChildren(cx, cy);
}

void SECControlBar::LayoutChildren(int cx, int cy) {
    CRect area(0, 0, cx, cy);
    const int nMargin = m_gripper.m_nCaptionMargin;
    const bool bGripper = (m_dwExStyle & CBRS_EX_GRIPPER) != 0;
    if (bGripper && IsDocked() && IsHorzDocked())
        area = CRect(m_gripper.GetHorzExtent(), nMargin, cx - nMargin, cy - nMargin);
    else if (bGripper && IsDocked())
        area = CRect(nMargin, m_gripper.GetVertExtent(), cx - nMargin, cy - nMargin);
    else if (m_dwExStyle & CBRS_EX_BORDERSPACE)
        area = CRect(m_rectBorder.left, m_rectBorder.top, cx - m_rectBorder.right,
                     cy - m_rectBorder.bottom);
    area.right = std::max(area.right, area.left);
    area.bottom = std::max(area.bottom, area.top);

    if ((m_dwExStyle & CBRS_EX_SCALECHILDREN) && m_pChildRects != nullptr &&
        !m_pChildRects->empty()) {
        const CRect saved = m_pChildRects->front().second;
        // Nothing scales from a client that had no size (the bar was made empty): the layout
        // that gives it one is saved instead.
        if (saved.Width() <= 0 || saved.Height() <= 0) {
            SaveChildRects();
            return;
        }
        HDWP hDWP = ::BeginDeferWindowPos((int)m_pChildRects->size());
        const UINT nFlags =
            SWP_NOZORDER | SWP_NOACTIVATE | (s_nLayoutNoRedraw > 0 ? SWP_NOREDRAW : 0);
        for (size_t i = 1; i < m_pChildRects->size() && hDWP != NULL; ++i) {
            const auto& child = (*m_pChildRects)[i];
            if (!::IsWindow(child.first) || ::GetParent(child.first) != m_hWnd)
                continue;
            const CRect& r = child.second;
            const int l = area.left + MulDiv(r.left, area.Width(), saved.Width());
            const int t = area.top + MulDiv(r.top, area.Height(), saved.Height());
            const int rr = area.left + MulDiv(r.right, area.Width(), saved.Width());
            const int b = area.top + MulDiv(r.bottom, area.Height(), saved.Height());
            hDWP = ::DeferWindowPos(hDWP, child.first, NULL, l, t, rr - l, b - t, nFlags);
        }
        if (hDWP != NULL)
            ::EndDeferWindowPos(hDWP);
        if (IsFloating())
            Invalidate();
        return;
    }
    if (m_dwExStyle & CBRS_EX_FILLCHILD) {
        if (IsFloating() && bGripper)
            area = CRect(0, 0, cx, cy); // the floating frame shows its own caption
        HWND hChild = ::GetTopWindow(m_hWnd);
        if (hChild != NULL)
            ::SetWindowPos(hChild, NULL, area.left, area.top, area.Width(), area.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE |
                               (s_nLayoutNoRedraw > 0 ? SWP_NOREDRAW : 0));
    }
}

BOOL SECControlBar::OnEraseBkgnd(CDC* pDC) {
    if (!(m_dwExStyle & CBRS_EX_BORDERSPACE))
        return CControlBar::OnEraseBkgnd(pDC);
    CRect client, inside;
    GetClientRect(&client);
    GetInsideRect(inside);
    CBrush brush(::GetSysColor(COLOR_BTNFACE));
    CBrush* pOld = pDC->SelectObject(&brush);
    pDC->PatBlt(client.left, client.top, client.Width(), inside.top - client.top, PATCOPY);
    pDC->PatBlt(client.left, inside.bottom, client.Width(), client.bottom - inside.bottom, PATCOPY);
    pDC->PatBlt(client.left, inside.top, inside.left - client.left, inside.Height(), PATCOPY);
    pDC->PatBlt(inside.right, inside.top, client.right - inside.right, inside.Height(), PATCOPY);
    pDC->SelectObject(pOld);
    return TRUE;
}

void SECControlBar::OnDestroy() {
    CFrameWnd* pFrame = GetFrameForCommands();
    if (SECDockBar* pDockBar = GetSECDockBar())
        pDockBar->RemoveInvalidBar(this);
    FreeChildRects();
    CControlBar::OnDestroy();
    if (pFrame != nullptr && ::IsWindow(pFrame->m_hWnd))
        pFrame->DelayRecalcLayout();
}
