#include "windows/list/list_tree.h"

#include "shell/app/appearance.h"
#include "shell/app/tarvikapp.h"
#include "shell/hostlink.h"
#include "windows/common/droptarget.h"
#include "windows/list/list_window.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CListTree, XSECTreeCtrl)

BEGIN_MESSAGE_MAP(CListTree, XSECTreeCtrl)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_CLOSE()
ON_WM_SIZE()
ON_WM_KEYDOWN()
ON_WM_VSCROLL()
ON_WM_MOUSEWHEEL()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

namespace {
constexpr UINT kListTreeId = 0xE900;
constexpr UINT kStateImagesBitmap = 178;

// The list's own fonts wrap the shared handles, which the library keeps for the whole run.
CFont* SharedFont(CFont* pFonts, int nMarks) {
    const SharedAppearance& a = Appearance();
    const HFONT handles[4] = {a.plain, a.bold, a.italic, a.boldItalic};
    HFONT h = handles[nMarks & 3] ? handles[nMarks & 3] : a.plain;
    if (h == NULL)
        return nullptr;
    CFont& font = pFonts[nMarks & 3];
    if (font.GetSafeHandle() != h) {
        font.Detach();
        font.Attach(h);
    }
    return &font;
}

struct SortContext {
    ListCompareFn fn;
    int column;
};
int CALLBACK CompareByHost(LPARAM a, LPARAM b, LPARAM c) {
    auto* ctx = reinterpret_cast<SortContext*>(c);
    auto* p1 = reinterpret_cast<CListItem*>(a);
    auto* p2 = reinterpret_cast<CListItem*>(b);
    return ctx->fn(p1 ? p1->Data() : nullptr, p2 ? p2->Data() : nullptr, ctx->column);
}

bool IsFunctionKey(UINT nKey) {
    return nKey >= VK_F1 && nKey <= VK_F24;
}

HWND HostKeyWindow() {
    HostCommandTable* table = HostTable();
    if (table == nullptr)
        return NULL;
    auto* object = static_cast<uint32_t*>(table->GetHostObject(kHostObjectKeyTarget, nullptr));
    if (object == nullptr)
        return NULL;
    HWND hWnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(object[kHostKeyTargetWord]));
    return ::IsWindow(hWnd) ? hWnd : NULL;
}
} // namespace

CListTree::CListTree(CListWindow* pWindow) : m_pWindow(pWindow) {}

CListTree::~CListTree() {
    for (CFont& font : m_fonts)
        font.Detach();
    if (GetSafeHwnd() != NULL)
        DestroyWindow();
}

BOOL CListTree::CreateIn(HWND hWndView) {
    CRect rc;
    ::GetClientRect(hWndView, &rc);
    return Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, rc, CWnd::FromHandle(hWndView), kListTreeId);
}

int CListTree::OnCreate(LPCREATESTRUCT lpcs) {
    if (XSECTreeCtrl::OnCreate(lpcs) == -1)
        return -1;
    // The host's rows are single lines.
    ModifyListStyle(0, LVS_NOLABELWRAP, FALSE);
    m_stateImages.Create(kStateImagesBitmap, 16, 0, RGB(255, 0, 0));
    m_images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 8);
    SetImageList(&m_images, TVSIL_NORMAL);
    if (m_stateImages.GetSafeHandle() != NULL)
        SetImageList(&m_stateImages, TVSIL_STATE);
    if (m_dwOptions & ListTreeOption::hostScrolling)
        ResetHostScrollBar();
    if (m_dwOptions & ListTreeOption::inputLocked)
        DeselectAllExcept(-1);
    if (CFont* pFont = SharedFont(m_fonts, 0))
        SetItemFont(pFont);
    // Drags over the list reach the tree's own hooks, which know the row under the point.
    auto pTarget = std::make_unique<CDropTarget>();
    if (pTarget->Register(this))
        m_pDropTarget = std::move(pTarget);
    const SharedAppearance& a = Appearance();
    SetTextColor(a.text);
    SetTextBkColor(a.background);
    SetBkColor(a.background);
    return 0;
}

int CListTree::AddImage(HICON hIcon) {
    if (m_images.GetSafeHandle() == NULL || hIcon == NULL)
        return -1;
    return m_images.Add(hIcon);
}

void CListTree::OnDestroy() {
    ClearEditBusy();
    UnregisterDrag();
    // Revoked with the window: a registration left behind would send the next drag into the
    // freed tree.
    if (m_pDropTarget) {
        m_pDropTarget->Revoke();
        m_pDropTarget.reset();
    }
    XSECTreeCtrl::OnDestroy();
}

void CListTree::OnClose() {
    Notify(nullptr, ListNotice::closing, 0);
}

// ---- Redrawing.

void CListTree::SuspendRedraw(DWORD dwFlags) {
    m_dwRedraw |= dwFlags;
    // The control then neither repaints nor lays out its bars for each row the host adds.
    if (m_dwRedraw != 0 && IsRedrawOn()) {
        m_bControlRedrawWasOn = TRUE;
        SetRedrawFlag(FALSE);
    }
}

void CListTree::ResumeRedraw(DWORD dwFlags, BOOL bRepaint) {
    const bool bWasSuspended = m_dwRedraw != 0;
    m_dwRedraw &= ~dwFlags;
    if (!bWasSuspended || m_dwRedraw != 0)
        return;
    if (m_bControlRedrawWasOn) {
        m_bControlRedrawWasOn = FALSE;
        SetRedrawFlag(TRUE);
        m_bBarsPendingWhileSuspended = TRUE;
    }
    if (GetSafeHwnd() == NULL)
        return;
    if (m_bBarsPendingWhileSuspended) {
        m_bBarsPendingWhileSuspended = FALSE;
        UpdateScrollBars();
    }
    if (bRepaint) {
        Invalidate(FALSE);
        UpdateWindow();
    }
}

void CListTree::DoPaint(CDC* pDC) {
    if (m_dwRedraw != 0)
        return; // the picture stays as it was until the host resumes
    // The host is asked for the colours of the rows painted, not of rows only measured.
    m_bPainting = TRUE;
    XSECTreeCtrl::DoPaint(pDC);
    m_bPainting = FALSE;
}

void CListTree::UpdateScrollBars() {
    if (m_dwRedraw != 0) {
        m_bBarsPendingWhileSuspended = TRUE;
        return;
    }
    XSECTreeCtrl::UpdateScrollBars();
}

void CListTree::UpdateVScroll(int nRowCount) {
    if (m_dwOptions & ListTreeOption::hostScrolling) {
        // The host moves the rows; the list only keeps its page full.
        const int nTop =
            nRowCount <= GetCountPerPage() ? 0 : std::min(m_nTopIndex, GetLastPageTopIndex());
        if (nTop != m_nTopIndex) {
            m_nTopIndex = nTop;
            Repaint(TRUE);
        }
        ResetHostScrollBar();
        return;
    }
    XSECTreeCtrl::UpdateVScroll(nRowCount);
}

void CListTree::ResetHostScrollBar() {
    if (GetSafeHwnd() == NULL)
        return;
    SCROLLINFO si = {sizeof(SCROLLINFO),
                     SIF_ALL | SIF_DISABLENOSCROLL,
                     0,
                     kListHostScrollRange,
                     0,
                     kListHostScrollRest,
                     0};
    ShowScrollBarCtrl(SB_VERT, TRUE, &si);
}

// ---- Items and rows.

CListItem* CListTree::ItemOfRow(int nRow) {
    HTREEITEM hItem = GetItemFromIndex(nRow);
    return hItem ? reinterpret_cast<CListItem*>(GetItemData(hItem)) : nullptr;
}

CListItem* CListTree::SelectedListItem() {
    HTREEITEM hItem = GetSelectedItem();
    if (hItem == NULL || !(GetItemState(hItem, TVIS_SELECTED) & TVIS_SELECTED))
        return nullptr;
    return reinterpret_cast<CListItem*>(GetItemData(hItem));
}

int CListTree::RowOfItem(CListItem* pItem) {
    return pItem && pItem->m_hItem ? FindItemIndex(pItem->m_hItem) : -1;
}

// ---- Columns.

int CListTree::HostColumnOfControl(int nControlColumn) {
    return m_pWindow ? m_pWindow->ShownColumn(nControlColumn) : -1;
}

int CListTree::HostColumnOfSubItem(int nSubItem) {
    for (int i = 0; i < GetColumnCount(); ++i)
        if (GetColumnAt(i)->iSubItem == nSubItem)
            return HostColumnOfControl(i);
    return -1;
}

int CListTree::ControlColumnOfHost(int nColumn) {
    if (m_pWindow == nullptr || nColumn < 0 || nColumn >= m_pWindow->ColumnCount() ||
        (m_pWindow->ColumnFlags(nColumn) & ListColumnFlag::hidden))
        return -1;
    return m_pWindow->ShownBefore(nColumn);
}

void CListTree::LayoutColumns() {
    if (m_pWindow == nullptr || GetSafeHwnd() == NULL)
        return;
    CRect rc;
    GetInsideRect(&rc);
    const int cx = rc.Width();
    if (cx <= 0)
        return;
    const int nColumns = m_pWindow->ColumnCount();
    if (m_dwOptions & ListTreeOption::rememberedWidths) {
        // Columns 1 and up keep their share of the client width; the first share is taken from
        // the widths the host gave, or the current ones.
        if ((int)m_columnShares.size() != nColumns) {
            m_columnShares.assign(nColumns, 0);
            for (int i = 1; i < nColumns; ++i) {
                const int nSpec = m_pWindow->ColumnWidthSpec(i);
                const int nControl = ControlColumnOfHost(i);
                int nShare = nSpec;
                if (m_pWindow->ColumnFlags(i) & ListColumnFlag::pixels || nSpec == 0)
                    nShare = nControl >= 0 ? GetColumnWidth(nControl) * 100 / cx : 0;
                m_columnShares[i] = (WORD)std::min(nShare, 100);
            }
        }
        int nUsed = 0;
        for (int i = 1; i < nColumns; ++i)
            if (int nControl = ControlColumnOfHost(i); nControl >= 0) {
                const int w = cx * m_columnShares[i] / 100;
                SetColumnWidth(nControl, w);
                nUsed += w;
            }
        if (int nFirst = ControlColumnOfHost(0); nFirst >= 0 && m_pWindow->ColumnWidthSpec(0) == 0)
            SetColumnWidth(nFirst, std::max(20, cx - nUsed));
        else if (nFirst >= 0)
            SetColumnWidth(nFirst, m_pWindow->ColumnWidthSpec(0));
        return;
    }
    // The host's widths, then the fill column takes what the others leave free.
    int nFill = -1, nUsed = 0;
    for (int i = 0; i < nColumns; ++i) {
        const int nControl = ControlColumnOfHost(i);
        if (nControl < 0)
            continue;
        const uint32_t flags = m_pWindow->ColumnFlags(i);
        if (flags & ListColumnFlag::fill) {
            nFill = nControl;
            continue;
        }
        const int nSpec = m_pWindow->ColumnWidthSpec(i);
        if (nSpec > 0)
            SetColumnWidth(nControl, (flags & ListColumnFlag::pixels) ? nSpec : cx * nSpec / 100);
        nUsed += GetColumnWidth(nControl);
    }
    if (nFill >= 0)
        SetColumnWidth(nFill, std::max(20, cx - nUsed));
}

BOOL CListTree::ToggleColumn(int nColumn) {
    if (m_pWindow == nullptr || nColumn < 0 || nColumn >= m_pWindow->ColumnCount())
        return FALSE;
    const uint32_t flags = m_pWindow->ColumnFlags(nColumn);
    if (flags & ListColumnFlag::hidden) {
        // Back at its place among the shown columns.
        m_pWindow->SetColumnHidden(nColumn, false);
        const int nPos = m_pWindow->ShownBefore(nColumn);
        InsertColumnArgs(nPos, m_pWindow->ColumnTitle(nColumn), LVCFMT_LEFT, 80, -1, -1, FALSE);
    } else {
        // The last shown column stays: a list shows at least one.
        int nShown = 0;
        for (int i = 0; i < m_pWindow->ColumnCount(); ++i)
            nShown += (m_pWindow->ColumnFlags(i) & ListColumnFlag::hidden) ? 0 : 1;
        if (nShown <= 1)
            return FALSE;
        const int nPos = m_pWindow->ShownBefore(nColumn);
        if (nPos == 0) {
            // The control's first column is the tree column: the next shown title moves in.
            m_pWindow->SetColumnHidden(nColumn, true);
            DeleteColumn(1);
            SetColumnText(0, m_pWindow->ColumnTitle(m_pWindow->ShownColumn(0)));
        } else {
            m_pWindow->SetColumnHidden(nColumn, true);
            DeleteColumn(nPos);
        }
    }
    LayoutColumns();
    if (GetSafeHwnd()) {
        Invalidate();
        UpdateWindow();
    }
    return TRUE;
}

void CListTree::OnSize(UINT nType, int cx, int cy) {
    XSECTreeCtrl::OnSize(nType, cx, cy);
    LayoutColumns();
}

int CListTree::TrackColumnResize(int x, int y, int nCol) {
    const int dx = XSECTreeCtrl::TrackColumnResize(x, y, nCol);
    if (m_pWindow != nullptr && GetSafeHwnd() != NULL && dx != 0) {
        // The user's width becomes the column's own; the layout follows with the next size.
        const int nHost = HostColumnOfControl(nCol);
        CRect rc;
        GetInsideRect(&rc);
        if (nHost >= 0 && rc.Width() > 0) {
            const int w = std::max(0, GetColumnWidth(nCol) + dx);
            const bool bPixels = (m_pWindow->ColumnFlags(nHost) & ListColumnFlag::pixels) != 0;
            m_pWindow->SetColumnWidthSpec(nHost, bPixels ? w : std::max(1, w * 100 / rc.Width()));
            if (nHost < (int)m_columnShares.size())
                m_columnShares[nHost] = (WORD)std::min(100, w * 100 / rc.Width());
        }
        CRect client;
        ::GetClientRect(m_hWnd, &client);
        PostMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
    }
    return dx;
}

LRESULT CListTree::NotifyColumnClick(int nCol) {
    const LRESULT lResult = XSECTreeCtrl::NotifyColumnClick(nCol);
    if (m_pWindow == nullptr)
        return lResult;
    m_nLastColumn = HostColumnOfControl(nCol);
    auto compare = reinterpret_cast<ListCompareFn>(m_pWindow->Callback(ListCallback::compare));
    if (compare == nullptr || GetSafeHwnd() == NULL)
        return lResult;
    SortContext context{compare, m_nLastColumn};
    TVSORTCB sort = {};
    sort.hParent = TVI_ROOT;
    sort.lParam = reinterpret_cast<LPARAM>(&context);
    sort.lpfnCompare = &CompareByHost;
    CListCallScope scope(this);
    SortChildrenCB(&sort, TRUE);
    if (GetSafeHwnd())
        Invalidate(FALSE);
    return lResult;
}

// ---- Display.

LRESULT CListTree::NotifyGetDispInfo(TVITEMW* pItem) {
    auto* pListItem = reinterpret_cast<CListItem*>(pItem->lParam);
    if (pListItem == nullptr || m_pWindow == nullptr)
        return 0;
    if ((pItem->mask & TVIF_TEXT) && pItem->pszText != NULL && pItem->cchTextMax > 0)
        SECListCopyText(pItem->pszText, pItem->cchTextMax, pListItem->Text(HostColumnOfControl(0)));
    if (pItem->mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE)) {
        int nImage = pListItem->Image() == 0xFFFF ? SECTREE_NO_IMAGE : pListItem->Image();
        if (auto fn = reinterpret_cast<ListImageFn>(m_pWindow->Callback(ListCallback::image))) {
            CListCallScope scope(this);
            nImage = fn(pListItem->Data(), RowOfItem(pListItem), m_nUser);
            if (nImage < 0 || nImage == 0xFFFF)
                nImage = SECTREE_NO_IMAGE;
        }
        pItem->iImage = nImage;
        pItem->iSelectedImage = nImage;
    }
    return 0;
}

LRESULT CListTree::NotifyGetDispInfo(LVITEM* pItem) {
    if (pItem != nullptr && pItem->iSubItem > 0 && (pItem->mask & LVIF_TEXT)) {
        CListItem* pListItem = ItemOfRow(pItem->iItem);
        if (pListItem != nullptr && pItem->pszText != NULL && pItem->cchTextMax > 0)
            SECListCopyText(pItem->pszText, pItem->cchTextMax,
                            pListItem->Text(HostColumnOfSubItem(pItem->iSubItem)));
        if (pItem->mask == LVIF_TEXT)
            return 0;
    }
    return XSECTreeCtrl::NotifyGetDispInfo(pItem);
}

void CListTree::ApplyColors(SECListPaintContext* pContext, CListItem* pItem, int nColumn) {
    const SharedAppearance& a = Appearance();
    COLORREF text = a.text, back = a.background;
    if (pItem->m_bGrey)
        text = kListGreyText;
    else if (pItem->m_bSecond)
        text = a.secondText;
    auto fn = reinterpret_cast<ListColorsFn>(m_pWindow->Callback(ListCallback::colors));
    if (fn != nullptr && m_bPainting) {
        uint32_t t = text, b = back;
        {
            CListCallScope scope(this);
            fn(pItem->Data(), nColumn, &t, &b);
        }
        if (m_pWindow == nullptr || !m_pWindow->Owns(pItem))
            return; // the host deleted the item or the window while answering
        const uint32_t marks = t & 0xFF000000;
        if (marks != 0) {
            pItem->m_bBold = (marks == 0x1000000 || marks == 0x3000000) ? 1 : 0;
            pItem->m_bItalic = (marks == 0x2000000 || marks == 0x3000000) ? 1 : 0;
        }
        text = t & 0xFFFFFF;
        back = b & 0xFFFFFF;
    }
    pContext->rgbText = text;
    pContext->rgbTextBk = back;
}

void CListTree::PickTextColors(SECListPaintContext* pContext) {
    XSECTreeCtrl::PickTextColors(pContext);
    CListItem* pItem = m_pWindow ? ItemOfRow(pContext->lvi.iItem) : nullptr;
    if (pItem == nullptr)
        return;
    const int nColumn =
        pContext->pCol ? HostColumnOfSubItem(pContext->pCol->iSubItem) : HostColumnOfControl(0);
    const bool bSelected = (pContext->lvi.state & LVIS_SELECTED) != 0;
    const bool bSubCell = pContext->pCol != NULL && pContext->pCol->iSubItem != 0;
    const bool bHighlight = bSelected && (!bSubCell || HasExStyle(LVXS_FULLROWSELECT));
    if (bHighlight && HasFocusNow()) {
        pContext->rgbText = kListSelectedText;
        pContext->rgbTextBk = kListSelectedBack;
        // The marks still come from the host.
        SECListPaintContext scratch;
        ApplyColors(&scratch, pItem, nColumn);
        return;
    }
    // Without the focus the selected row shows the host's colours like any other row: the
    // assembler marks its current line that way.
    ApplyColors(pContext, pItem, nColumn);
}

CFont* CListTree::PickTextFont(SECListPaintContext* pContext) {
    CFont* pBase = XSECTreeCtrl::PickTextFont(pContext);
    CListItem* pItem = m_pWindow ? ItemOfRow(pContext->lvi.iItem) : nullptr;
    if (pItem == nullptr)
        return pBase;
    CFont* pFont = SharedFont(m_fonts, (pItem->m_bBold ? 1 : 0) | (pItem->m_bItalic ? 2 : 0));
    return pFont ? pFont : pBase;
}

// ---- Host calls.

int CListTree::Notify(CListItem* pItem, int nCommand, int nRow) {
    if (m_pWindow == nullptr)
        return 0;
    auto fn = reinterpret_cast<ListCommandFn>(m_pWindow->Callback(ListCallback::command));
    if (fn == nullptr)
        return 0;
    const int nId = (int)m_pWindow->Id();
    CListCallScope scope(this);
    return fn(pItem ? pItem->Data() : nullptr, nCommand, pItem ? nRow : 0, m_nUser, nId);
}

BOOL CListTree::Expand(HTREEITEM hItem, UINT nCode, BOOL bRedraw, BOOL bForce) {
    CListItem* pItem =
        hItem && ItemFromHandle(hItem) ? reinterpret_cast<CListItem*>(GetItemData(hItem)) : nullptr;
    const BOOL bWasExpanded = hItem && ItemFromHandle(hItem) ? IsItemExpanded(hItem) : FALSE;
    const auto token = LifeToken();
    const BOOL bResult = XSECTreeCtrl::Expand(hItem, nCode, bRedraw, bForce);
    if (token.expired() || pItem == nullptr || !m_bTreeMode || m_pWindow == nullptr ||
        !m_pWindow->Owns(pItem))
        return bResult;
    const UINT nAction = nCode & 3;
    if (nAction == TVE_EXPAND)
        pItem->m_nExpanded = 1;
    else if (nAction == TVE_COLLAPSE)
        pItem->m_nExpanded = 0;
    else if (nAction == TVE_TOGGLE)
        pItem->m_nExpanded = bWasExpanded ? 0 : 1;
    if (bResult && pItem->m_nExpanded && !bWasExpanded)
        Notify(pItem, ListNotice::expanded, RowOfItem(pItem));
    return bResult;
}

void CListTree::NotifySelChanged(int nRow, int nOldRow, BOOL bHow) {
    const auto token = LifeToken();
    XSECTreeCtrl::NotifySelChanged(nRow, nOldRow, bHow);
    if (token.expired() || m_pWindow == nullptr || nRow < 0)
        return;
    if (auto fn = reinterpret_cast<ListScrollFn>(m_pWindow->Callback(ListCallback::scroll))) {
        CListCallScope scope(this);
        fn(ListScroll::selection, nRow, 0, GetCountPerPage(), m_nUser);
    }
}

// ---- Keys and mouse.

BOOL CListTree::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && IsFunctionKey((UINT)pMsg->wParam)) {
        if (HWND hHost = HostKeyWindow())
            ::SendMessageW(hHost, WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    return XSECTreeCtrl::PreTranslateMessage(pMsg);
}

LRESULT CListTree::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_dwOptions & ListTreeOption::inputLocked) {
        const bool bMouse = message >= WM_MOUSEFIRST && message <= WM_MOUSELAST &&
                            message != WM_RBUTTONDOWN && message != WM_RBUTTONUP &&
                            message != WM_RBUTTONDBLCLK;
        const bool bKey = message >= WM_KEYFIRST && message <= WM_KEYLAST;
        if (bMouse || bKey)
            return 0;
    }
    if (message == WM_KEYDOWN && IsFunctionKey((UINT)wParam)) {
        if (HWND hHost = HostKeyWindow())
            ::SendMessageW(hHost, WM_KEYDOWN, wParam, lParam);
        return 0;
    }
    return XSECTreeCtrl::WindowProc(message, wParam, lParam);
}

BOOL CListTree::OnReturnKey(int nRow, int, BOOL, BOOL, UINT, UINT) {
    Activate(SelectedListItem(), nRow);
    return TRUE;
}

void CListTree::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar == VK_DELETE) {
        CListItem* pItem = SelectedListItem();
        if (pItem != nullptr && pItem->Data() != nullptr)
            Notify(pItem, ListNotice::deleteKey, RowOfItem(pItem));
        return;
    }
    if ((nChar == VK_UP || nChar == VK_DOWN) && m_pWindow != nullptr &&
        m_pWindow->Callback(ListCallback::scroll) != 0) {
        const auto token = LifeToken();
        HostScroll(nChar == VK_UP ? ListScroll::lineUp : ListScroll::lineDown, 1);
        if (token.expired() || GetSafeHwnd() == NULL)
            return;
    }
    XSECTreeCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}

int CListTree::HostScrollPercent(int nCode) {
    const int nTop = GetTopIndex(), nPage = GetCountPerPage();
    if ((nCode == ListScroll::lineDown || nCode == ListScroll::pageDown) &&
        nTop + nPage >= GetItemCount())
        return 100;
    if ((nCode == ListScroll::lineUp || nCode == ListScroll::pageUp) && nTop == 0)
        return 0;
    return 50;
}

void CListTree::HostScroll(int nCode, int nFlag) {
    HostScroll(nCode, nFlag, HostScrollPercent(nCode));
}

void CListTree::HostScroll(int nCode, int nFlag, int nPercent) {
    if (m_pWindow == nullptr)
        return;
    auto fn = reinterpret_cast<ListScrollFn>(m_pWindow->Callback(ListCallback::scroll));
    if (fn == nullptr)
        return;
    const int nPage = GetCountPerPage();
    const auto token = LifeToken();
    {
        CListCallScope scope(this);
        fn(nCode, nPercent, nFlag, nPage, m_nUser);
    }
    // The thumb goes back to rest after every call, from the bar, the keys or the wheel; only
    // while it is dragged does it stay where the user holds it.
    if (!token.expired() && GetSafeHwnd() != NULL &&
        (m_dwOptions & ListTreeOption::hostScrolling) && nCode != ListScroll::thumbTrack)
        ResetHostScrollBar();
}

// A list that keeps its own rows moves them first; the host hears where the list stood when the
// user scrolled, and a step down that could not move the rows stood at the end.
template <class Scroll> void CListTree::ScrollSelfThenHost(int nCode, int nFlag, Scroll scroll) {
    int nPercent = HostScrollPercent(nCode);
    const int nTop = GetTopIndex();
    const auto token = LifeToken();
    scroll();
    if (token.expired() || GetSafeHwnd() == NULL)
        return;
    if ((nCode == ListScroll::lineDown || nCode == ListScroll::pageDown) && GetTopIndex() == nTop)
        nPercent = 100;
    HostScroll(nCode, nFlag, nPercent);
}

void CListTree::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
    if (m_pWindow == nullptr || m_pWindow->Callback(ListCallback::scroll) == 0) {
        XSECTreeCtrl::OnVScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    static const struct {
        UINT sb;
        int host;
    } kCodes[] = {{SB_LINEUP, ListScroll::lineUp},         {SB_LINEDOWN, ListScroll::lineDown},
                  {SB_PAGEUP, ListScroll::pageUp},         {SB_PAGEDOWN, ListScroll::pageDown},
                  {SB_THUMBTRACK, ListScroll::thumbTrack}, {SB_TOP, ListScroll::top},
                  {SB_BOTTOM, ListScroll::bottom}};
    int nCode = 0;
    for (const auto& c : kCodes)
        if (c.sb == nSBCode)
            nCode = c.host;
    if (nCode == 0)
        return;
    if (m_dwOptions & ListTreeOption::hostScrolling) {
        HostScroll(nCode, 0);
        return;
    }
    ScrollSelfThenHost(nCode, 0, [&] { XSECTreeCtrl::OnVScroll(nSBCode, nPos, pScrollBar); });
}

BOOL CListTree::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) {
    if (m_pWindow == nullptr || m_pWindow->Callback(ListCallback::scroll) == 0)
        return XSECTreeCtrl::OnMouseWheel(nFlags, zDelta, pt);
    const int nCode = zDelta > 0 ? ListScroll::lineUp : ListScroll::lineDown;
    if (m_dwOptions & ListTreeOption::hostScrolling) {
        HostScroll(nCode, 1);
        return TRUE;
    }
    ScrollSelfThenHost(nCode, 1, [&] { XSECTreeCtrl::OnMouseWheel(nFlags, zDelta, pt); });
    return TRUE;
}

void CListTree::OnLButtonDown(UINT nFlags, CPoint point) {
    const auto token = LifeToken();
    XSECTreeCtrl::OnLButtonDown(nFlags, point);
    if (token.expired() || GetSafeHwnd() == NULL || m_pfnDrag == nullptr)
        return;
    if (HTREEITEM hItem = ItemAtPoint(point, nullptr, nullptr))
        StartDrag(point, FindItemIndex(hItem));
}

HTREEITEM CListTree::ItemAtPoint(CPoint point, int* pControlColumn, UINT* pTreeHit) {
    // Any column of the row counts: the tree's own test knows only the tree column.
    UINT nListHit = 0;
    int nCol = -1;
    const int nRow = SECListBaseC::HitTest(point.x, point.y, &nListHit, &nCol);
    if (pControlColumn)
        *pControlColumn = nCol;
    if (pTreeHit)
        HitTest(point, pTreeHit);
    return (nListHit & SECLVHT_ONROW) ? GetItemFromIndex(nRow) : NULL;
}

void CListTree::OnLButtonDblClk(UINT nFlags, CPoint point) {
    UINT nHit = 0;
    int nControlColumn = -1;
    HTREEITEM hItem = ItemAtPoint(point, &nControlColumn, &nHit);
    if (hItem == NULL || (nHit & TVHT_ONITEMBUTTON) || m_pWindow == nullptr) {
        XSECTreeCtrl::OnLButtonDblClk(nFlags, point);
        return;
    }
    auto* pItem = reinterpret_cast<CListItem*>(GetItemData(hItem));
    const int nRow = FindItemIndex(hItem);
    if (nHit & (TVHT_ONITEMICON | TVHT_ONITEMSTATEICON)) {
        if (auto fn =
                reinterpret_cast<ListImageClickFn>(m_pWindow->Callback(ListCallback::imageClick))) {
            CListCallScope scope(this);
            fn(pItem->Data(), nRow, m_nUser);
        }
        return;
    }
    const int nHost = HostColumnOfControl(nControlColumn);
    if (nHost >= 0 && (m_pWindow->ColumnFlags(nHost) & ListColumnFlag::editable) &&
        m_pWindow->Callback(ListCallback::editStart) != 0) {
        EditLabel(hItem, nControlColumn);
        return;
    }
    Activate(pItem, nRow);
}

// ---- In-place editing.

LRESULT CListTree::NotifyBeginLabelEdit(int nRow, int nSubItem) {
    CListItem* pItem = ItemOfRow(nRow);
    const int nHost = HostColumnOfSubItem(nSubItem);
    if (pItem == nullptr || m_pWindow == nullptr || nHost < 0 ||
        !(m_pWindow->ColumnFlags(nHost) & ListColumnFlag::editable))
        return 1;
    if (auto fn = reinterpret_cast<ListEditStartFn>(m_pWindow->Callback(ListCallback::editStart))) {
        int nAllow = 0;
        {
            CListCallScope scope(this);
            nAllow = fn(pItem->Data());
        }
        if (nAllow == 0 || m_pWindow == nullptr || !m_pWindow->Owns(pItem) || GetSafeHwnd() == NULL)
            return 1;
    }
    // Menu commands wait while the edit runs.
    if (g_bHostCommandBusy)
        return 1;
    g_bHostCommandBusy = 1;
    m_bEditBusy = true;
    m_nEditColumnHost = nHost;
    return 0;
}

BOOL CListTree::NotifyEndLabelEdit(int nRow, int nSubItem, CString* pText, BOOL bAccept) {
    CListItem* pItem = ItemOfRow(nRow);
    const int nHost = m_nEditColumnHost >= 0 ? m_nEditColumnHost : HostColumnOfSubItem(nSubItem);
    ClearEditBusy();
    if (!bAccept || pText == nullptr || pItem == nullptr || m_pWindow == nullptr)
        return FALSE;
    auto fn = reinterpret_cast<ListEditEndFn>(m_pWindow->Callback(ListCallback::editEnd));
    if (fn == nullptr)
        return FALSE;
    char* text = nullptr;
    WideToAnsiHeap(*pText, &text);
    if (text == nullptr)
        return FALSE;
    int nKeep = 0;
    {
        CListCallScope scope(this);
        nKeep = fn(pItem->Data(), text, nHost, m_nUser);
    }
    ::HeapFree(::GetProcessHeap(), 0, text);
    if (nKeep == 0 || m_pWindow == nullptr || !m_pWindow->Owns(pItem))
        return FALSE;
    pItem->SetText(nHost, *pText);
    if (GetSafeHwnd())
        InvalidateItem(RowOfItem(pItem));
    // The item keeps the text itself; the control stores nothing.
    return FALSE;
}

void CListTree::OnEndLabelEditDone(int nRow, int nSubItem) {
    ClearEditBusy();
    XSECTreeCtrl::OnEndLabelEditDone(nRow, nSubItem);
}

void CListTree::ClearEditBusy() {
    if (m_bEditBusy) {
        m_bEditBusy = false;
        g_bHostCommandBusy = 0;
    }
    m_nEditColumnHost = -1;
}
