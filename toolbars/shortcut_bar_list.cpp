// The shortcut list's window: creation, colours, the mouse, the scroll buttons' auto-repeat,
// the wheel and the icon-size menu.
#include "toolbars/shortcut_bar_list.h"

#include "toolbars/drawing/toolkitcolors.h"
#include "toolbars/registered_messages.h"

#include <objbase.h>

#include <algorithm>

IMPLEMENT_DYNCREATE(SECShortcutListCtrl, SECListCtrl)

namespace {
GUID g_sourceKey = {};
bool g_bSourceKeyMade = false;

void MakeSourceKey() {
    if (g_bSourceKeyMade)
        return;
    if (SUCCEEDED(::CoCreateGuid(&g_sourceKey)))
        g_bSourceKeyMade = true;
}
} // namespace

BEGIN_MESSAGE_MAP(SECShortcutListCtrl, SECListCtrl)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_SYSCOLORCHANGE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_WM_MOUSEWHEEL()
ON_WM_MBUTTONDOWN()
ON_WM_KILLFOCUS()
ON_WM_CONTEXTMENU()
ON_COMMAND(ID_SECSHORTCUT_LARGEICON, OnLargeIcons)
ON_COMMAND(ID_SECSHORTCUT_SMALLICON, OnSmallIcons)
END_MESSAGE_MAP()

SECShortcutListCtrl::SECShortcutListCtrl() = default;

SECShortcutListCtrl::~SECShortcutListCtrl() {
    if (m_pDropTarget)
        m_pDropTarget->Detach();
}

const GUID& SECShortcutListCtrl::GetSourceKey() {
    return g_sourceKey;
}

// ---- Creation and colours.

int SECShortcutListCtrl::OnCreate(LPCREATESTRUCT lpcs) {
    if (SECListCtrl::OnCreate(lpcs) == -1)
        return -1;
    m_pDropTarget.reset(NewDropTarget());
    m_pUpButton.reset(NewUpButton());
    m_pDownButton.reset(NewDownButton());
    ApplyColors();
    if (SEC_CF_LISTCTRL != 0 && m_pDropTarget) {
        m_pDropTarget->Attach(this);
        MakeSourceKey();
    }
    // No header: the up button sits where it would be, and small icons are a report of one
    // column.
    ModifyListStyle(0, LVS_NOSCROLL | LVS_SHAREIMAGELISTS | LVS_NOCOLUMNHEADER, FALSE);
    ModifyListExStyle(0, LVXS_FITCOLUMNSONSIZE, FALSE);
    return 0;
}

void SECShortcutListCtrl::OnDestroy() {
    KillRepeat();
    if (m_pDropTarget)
        m_pDropTarget->Detach();
    SECListCtrl::OnDestroy();
}

void SECShortcutListCtrl::OnSysColorChange() {
    SECListCtrl::OnSysColorChange();
    ApplyColors();
}

void SECShortcutListCtrl::SetFlatLook(BOOL bFlat) {
    m_bFlatLook = bFlat;
    ApplyColors();
    if (GetSafeHwnd() != NULL)
        Invalidate();
}

void SECShortcutListCtrl::ApplyColors() {
    if (m_bFlatLook) {
        SetBkColor(GetToolkitColor(0));
        SetTextColor(GetToolkitColor(2));
        SetTextBkColor(GetToolkitColor(0));
        SetSelTextBkColor(GetToolkitColor(0));
        return;
    }
    SetBkColor(::GetSysColor(COLOR_BTNSHADOW));
    SetTextColor(RGB(255, 255, 255));
    SetTextBkColor(::GetSysColor(COLOR_INACTIVECAPTION));
    SetSelTextBkColor(::GetSysColor(COLOR_INACTIVECAPTION));
}

BOOL SECShortcutListCtrl::SetTextColor(COLORREF rgb) {
    SetSelTextColor(rgb);
    return SECListCtrl::SetTextColor(rgb);
}

// ---- Items going: the hot item goes with them.

BOOL SECShortcutListCtrl::DeleteItemObject(SECListItem* pItem) {
    m_nHotItem = -1;
    if (pItem == m_pDragItem)
        m_pDragItem = NULL;
    return SECListCtrl::DeleteItemObject(pItem);
}

BOOL SECShortcutListCtrl::DeleteItems(int nFirst, int nCount) {
    m_nHotItem = -1;
    for (int i = nFirst; i < nFirst + nCount && IsValidRow(i); ++i)
        if (GetItemAt(i) == m_pDragItem)
            m_pDragItem = NULL;
    return SECListCtrl::DeleteItems(nFirst, nCount);
}

BOOL SECShortcutListCtrl::DeleteAllItems() {
    m_nHotItem = -1;
    m_pDragItem = NULL;
    return SECListCtrl::DeleteAllItems();
}

void SECShortcutListCtrl::InvalidateAllHeights() {
    SECListCtrl::InvalidateAllHeights();
}

int SECShortcutListCtrl::GetRowSpacing() {
    return 12;
}

// ---- Hot and pressed states.

UINT SECShortcutListCtrl::GetHotState(int nRow) {
    return GetItemState(nRow, SECSHORTCUT_STATE_MASK);
}

void SECShortcutListCtrl::SetHotState(int nRow, UINT nBits, BOOL bSet) {
    if (!IsValidRow(nRow))
        return;
    const UINT nOld = GetHotState(nRow);
    const UINT nNew = bSet ? (nOld | nBits) : (nOld & ~nBits);
    if (nNew == nOld)
        return;
    SetItemState(nRow, nNew, SECSHORTCUT_STATE_MASK);
    if (GetSafeHwnd() != NULL)
        Invalidate(FALSE);
}

void SECShortcutListCtrl::ClearAllHotBits() {
    for (int i = 0; i < GetItemCount(); ++i)
        SetHotState(i, SECSHORTCUT_STATE_MASK, FALSE);
    if (GetSafeHwnd() != NULL)
        Invalidate(FALSE);
}

void SECShortcutListCtrl::InvalidateRow(int nRow) {
    InvalidateItem(nRow);
}

// ---- Scrolling and its auto-repeat.

void SECShortcutListCtrl::StartRepeat() {
    if (GetSafeHwnd() == NULL)
        return;
    m_nRepeatTimer = ::SetTimer(m_hWnd, SECSHORTCUT_REPEAT_TIMER, SECSHORTCUT_REPEAT_MS, NULL);
}

void SECShortcutListCtrl::KillRepeat() {
    if (m_nRepeatTimer != 0 && GetSafeHwnd() != NULL)
        ::KillTimer(m_hWnd, SECSHORTCUT_REPEAT_TIMER);
    m_nRepeatTimer = 0;
}

void SECShortcutListCtrl::ScrollUp() {
    SendMessage(WM_VSCROLL, SB_LINEUP, (LPARAM)GetScrollBarCtrl(SB_VERT)->GetSafeHwnd());
    Invalidate();
    StartRepeat();
}

void SECShortcutListCtrl::ScrollDown() {
    SendMessage(WM_VSCROLL, SB_LINEDOWN, (LPARAM)GetScrollBarCtrl(SB_VERT)->GetSafeHwnd());
    Invalidate();
    StartRepeat();
}

void SECShortcutListCtrl::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != SECSHORTCUT_REPEAT_TIMER) {
        SECListCtrl::OnTimer(nIDEvent);
        return;
    }
    KillRepeat();
    const DWORD dwPos = ::GetMessagePos();
    CPoint pt((short)LOWORD(dwPos), (short)HIWORD(dwPos));
    ScreenToClient(&pt);
    CRect rcClient;
    SECListCtrl::GetClientRect(&rcClient);
    if (!rcClient.PtInRect(pt) && m_nHotItem >= 0) {
        SetHotState(m_nHotItem, SECSHORTCUT_STATE_MASK, FALSE);
        m_nHotItem = -1;
        Invalidate(FALSE);
    }
    if (m_pUpButton && m_pUpButton->IsPressed() && m_pUpButton->m_rect.PtInRect(pt))
        ScrollUp();
    else if (m_pDownButton && m_pDownButton->IsPressed() && m_pDownButton->m_rect.PtInRect(pt))
        ScrollDown();
}

BOOL SECShortcutListCtrl::OnMouseWheel(UINT, short zDelta, CPoint pt) {
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (!rcWindow.PtInRect(pt))
        return TRUE;
    // The sign of the delta says the direction; a turn the same way as the last keeps it.
    if (zDelta > 0)
        ScrollUp();
    else if (zDelta < 0)
        ScrollDown();
    m_nLastWheelDelta = zDelta;
    return TRUE;
}

// ---- The mouse.

void SECShortcutListCtrl::PressAt(CPoint point) {
    m_ptDown = point;
    const int nHit = HitTest(point.x, point.y, NULL, NULL);
    if (nHit == SECSHORTCUT_HIT_UP || nHit == SECSHORTCUT_HIT_DOWN) {
        ScrollButton* pButton =
            nHit == SECSHORTCUT_HIT_UP ? m_pUpButton.get() : m_pDownButton.get();
        pButton->SetPressed(TRUE);
        InvalidateRect(&pButton->m_rect, FALSE);
        if (nHit == SECSHORTCUT_HIT_UP)
            ScrollUp();
        else
            ScrollDown();
        return;
    }
    UINT nFlags = 0;
    const int nRow = HitTest(point.x, point.y, &nFlags, NULL);
    if (nRow < 0)
        return;
    SetHotState(nRow, SECSHORTCUT_STATE_HOT, FALSE);
    if (IsOnItemPart(nFlags))
        SetHotState(nRow, SECSHORTCUT_STATE_PRESSED, TRUE);
}

void SECShortcutListCtrl::OnLButtonDown(UINT, CPoint point) {
    PressAt(point);
}

void SECShortcutListCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) {
    if (nFlags & MK_LBUTTON)
        PressAt(point);
}

void SECShortcutListCtrl::OnLButtonUp(UINT, CPoint point) {
    if (m_ptDown.x == -1 && m_ptDown.y == -1)
        return;
    m_ptDown = CPoint(-1, -1);
    for (ScrollButton* pButton : {m_pUpButton.get(), m_pDownButton.get()})
        if (pButton != NULL && pButton->IsPressed()) {
            pButton->SetPressed(FALSE);
            InvalidateRect(&pButton->m_rect, FALSE);
        }
    UINT nFlags = 0;
    const int nRow = HitTest(point.x, point.y, &nFlags, NULL);
    if (nRow < 0)
        return;
    const std::weak_ptr<int> alive = LifeToken();
    SetHotState(nRow, SECSHORTCUT_STATE_PRESSED, FALSE);
    const BOOL bOnItem = IsOnItemPart(nFlags);
    if (bOnItem) {
        SetHotState(nRow, SECSHORTCUT_STATE_HOT, TRUE);
        m_nHotItem = nRow;
    }
    NotifyParent(NM_CLICK);
    if (bOnItem && Alive(alive))
        NotifyShortcut(SECSHORTCUT_NOTIFY_CLICK, nRow);
}

void SECShortcutListCtrl::OnMouseMove(UINT nFlags, CPoint point) {
    UINT nHitFlags = 0;
    const int nHit = HitTest(point.x, point.y, &nHitFlags, NULL);
    const int nRow = nHit >= 0 ? nHit : -1;
    if (nRow < 0 || !IsOnItemPart(nHitFlags)) {
        bool bAny = false;
        for (int i = 0; i < GetItemCount(); ++i)
            bAny = bAny || GetHotState(i) != 0;
        if (bAny)
            ClearAllHotBits();
    }
    if (nFlags & MK_LBUTTON) {
        for (ScrollButton* pButton : {m_pUpButton.get(), m_pDownButton.get()})
            if (pButton != NULL && pButton->IsPressed() && !pButton->m_rect.PtInRect(point)) {
                pButton->SetPressed(FALSE);
                InvalidateRect(&pButton->m_rect, FALSE);
            }
        if (m_ptDown.x != -1 || m_ptDown.y != -1) {
            UINT nDownFlags = 0;
            const int nDownRow = HitTest(m_ptDown.x, m_ptDown.y, &nDownFlags, NULL);
            if (nDownRow >= 0) {
                // A press wobbles: only a move out of the 10 x 10 box round it drags.
                if (std::abs(point.x - m_ptDown.x) <= 5 && std::abs(point.y - m_ptDown.y) <= 5)
                    return;
                m_ptDown = CPoint(-1, -1);
                DragItem(nDownRow);
                return;
            }
        }
    }
    if (nRow >= 0) {
        if (IsOnItemPart(nHitFlags))
            SetHotState(nRow, SECSHORTCUT_STATE_HOT, TRUE);
        else
            SetHotState(nRow, SECSHORTCUT_STATE_MASK, FALSE);
        if (m_nHotItem >= 0 && m_nHotItem != nRow)
            SetHotState(m_nHotItem, SECSHORTCUT_STATE_MASK, FALSE);
        m_nHotItem = nRow;
        StartRepeat();
    } else if (m_nHotItem >= 0) {
        SetHotState(m_nHotItem, SECSHORTCUT_STATE_MASK, FALSE);
        m_nHotItem = -1;
    }
}

void SECShortcutListCtrl::OnMButtonDown(UINT, CPoint) {
    SetFocus();
}

void SECShortcutListCtrl::OnKillFocus(CWnd* pNewWnd) {
    SECListCtrl::OnKillFocus(pNewWnd);
    if (m_nHotItem >= 0) {
        SetHotState(m_nHotItem, SECSHORTCUT_STATE_MASK, FALSE);
        Invalidate(FALSE);
    }
}

LRESULT SECShortcutListCtrl::NotifyShortcut(UINT nCode, int nRow) {
    CWnd* pTarget = GetNotifyTarget();
    if (pTarget == NULL || pTarget->GetSafeHwnd() == NULL)
        return 0;
    SECShortcutNotify nm = {};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    nm.hdr.code = nCode;
    nm.iItem = IsValidRow(nRow) ? nRow : -1;
    const std::weak_ptr<int> alive = LifeToken();
    const LRESULT lResult = ::SendMessage(pTarget->m_hWnd, WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm);
    if (Alive(alive)) // the target may have destroyed the list
        m_lLastNotifyResult = lResult;
    return lResult;
}

// ---- The icon-size menu.

void SECShortcutListCtrl::CustomizeContextMenu(CMenu*) {}

void SECShortcutListCtrl::OnContextMenu(CWnd*, CPoint point) {
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCEW(SECSHORTCUT_MENU), RT_MENU);
    HMENU hMenu = ::LoadMenuW(hInst, MAKEINTRESOURCEW(SECSHORTCUT_MENU));
    if (hMenu == NULL)
        return;
    CMenu menu;
    menu.Attach(hMenu);
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup != NULL) {
        const DWORD dwView = GetListStyle() & 3;
        pPopup->CheckMenuItem(ID_SECSHORTCUT_LARGEICON,
                              MF_BYCOMMAND | (dwView == 0 ? MF_CHECKED : MF_UNCHECKED));
        pPopup->CheckMenuItem(ID_SECSHORTCUT_SMALLICON,
                              MF_BYCOMMAND | (dwView == 1 ? MF_CHECKED : MF_UNCHECKED));
        CustomizeContextMenu(pPopup);
        pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
    }
    menu.DestroyMenu();
}

void SECShortcutListCtrl::OnLargeIcons() {
    ModifyListStyle(3, 0, TRUE);
}

void SECShortcutListCtrl::OnSmallIcons() {
    ModifyListStyle(3, 1, TRUE);
}
