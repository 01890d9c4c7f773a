// A custom toolbar's mouse: presses and releases that send a command to the owner frame, hot
// tracking in cool look, the customize selection and drops of dragged buttons.
#include "toolbars/custom_toolbar.h"

#include "toolbars/registered_messages.h"
#include "toolbars/toolbar_manager.h"

#include <algorithm>

namespace {
// The bar the handlers run for is still alive: its window exists and still belongs to it.
bool StillAlive(HWND hWnd, const CWnd* pWnd) {
    return ::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == pWnd;
}
} // namespace

void SECCustomToolBar::SetStatusText(UINT nID) {
    CWnd* pOwner = GetBarOwner();
    if (pOwner != nullptr && ::IsWindow(pOwner->GetSafeHwnd()))
        pOwner->SendMessage(WM_SETMESSAGESTRING, nID, 0);
}

void SECCustomToolBar::OnLButtonDown(UINT nFlags, CPoint point) {
    const int nIndex = HitTest(point.x, point.y);
    SECStdBtn* pBtn = GetButton(nIndex);
    if (pBtn == nullptr || IsBtnCommandBeingSent()) {
        SECControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    const bool bAlt = ::GetKeyState(VK_MENU) < 0;
    if ((pBtn->m_nStyle & SEC_TBBS_DISABLED) && !bAlt && !m_bCustomize) {
        SECControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    if ((m_bCustomize || bAlt) && pBtn->CanDrag()) {
        SECToolBarManager* pManager = GetToolBarManager();
        // The drag may take this bar's last button: the bar then goes after the drag, so
        // nothing of it is touched once the drag has run.
        const BOOL bChanged = DragViaManager(nIndex, point.x, point.y);
        if (bAlt && !m_bCustomize && bChanged && pManager != nullptr &&
            pManager->GetSelectionBar() != nullptr)
            pManager->GetSelectionBar()->ClearSelection(TRUE);
        return;
    }
    PressButton(nIndex, point);
}

void SECCustomToolBar::PressButton(int nIndex, CPoint point) {
    SECStdBtn* pBtn = GetButton(nIndex);
    if (pBtn == nullptr)
        return;
    UpdateButtonUI(nIndex);
    HWND hWnd = m_hWnd;
    const int nAccept = pBtn->OnPress(point.x, point.y);
    if (!StillAlive(hWnd, this) || nAccept == 0)
        return;
    m_nCurBtn = nIndex;
    InvalidateButton(nIndex);
    UpdateWindow();
    SetCapture();
    m_bCapturing = TRUE;
    SetStatusText(pBtn->m_nID);
}

void SECCustomToolBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
    // The second press of a double click starts no drag: the user means the toggle, and a
    // double click that comes without its button-up would leave the tracking loop waiting for
    // one. Off an enabled button (the gripper, the background) it toggles docked and floating.
    const int nIndex = HitTest(point.x, point.y);
    SECStdBtn* pBtn = GetButton(nIndex);
    if (m_bCustomize || pBtn == nullptr || IsBtnCommandBeingSent() ||
        (pBtn->m_nStyle & SEC_TBBS_DISABLED)) {
        SECControlBar::OnLButtonDblClk(nFlags, point);
        return;
    }
    PressButton(nIndex, point);
}

void SECCustomToolBar::OnMouseMove(UINT nFlags, CPoint point) {
    if (IsBtnCommandBeingSent())
        return;
    SECStdBtn* pBtn = m_bCustomize ? nullptr : GetButton(m_nCurBtn);
    if (pBtn == nullptr) {
        UpdateHotButton();
        SECControlBar::OnMouseMove(nFlags, point);
        return;
    }
    const DWORD dwOld = pBtn->m_nStyle;
    if (::GetCapture() == m_hWnd) {
        pBtn->OnTrack(point.x, point.y);
    } else {
        pBtn->OnCancel();
        m_nCurBtn = -1;
        SetStatusText(SEC_IDS_IDLEPROMPT);
    }
    if (pBtn->m_nStyle != dwOld)
        InvalidateButton(IndexOfButton(pBtn));
}

void SECCustomToolBar::OnLButtonUp(UINT nFlags, CPoint point) {
    SECStdBtn* pBtn = m_bCustomize ? nullptr : GetButton(m_nCurBtn);
    if (pBtn == nullptr) {
        SECControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    const int nIndex = m_nCurBtn;
    UINT nID = 0;
    if (::GetCapture() == m_hWnd) {
        m_bCapturing = FALSE;
        ::ReleaseCapture();
        UpdateButtonUI(nIndex);
        nID = pBtn->OnRelease(point.x, point.y);
    } else {
        pBtn->OnCancel();
    }
    SetStatusText(SEC_IDS_IDLEPROMPT);
    UpdateButtonUI(nIndex);
    InvalidateButton(nIndex);
    m_nCurBtn = -1;
    if (nID != 0)
        SendCommand(nIndex, nID);
}

void SECCustomToolBar::SendCommand(int nIndex, UINT nID) {
    CWnd* pOwner = GetBarOwner();
    if (pOwner == nullptr)
        return;
    const HWND hOwner = pOwner->GetSafeHwnd();
    // The command may destroy this bar: only the shared record is touched after it.
    SECToolBarManager* pManager = GetToolBarManager();
    std::shared_ptr<SECPressedBtnInfo> pPressed =
        pManager != nullptr ? pManager->GetPressedBtnInfo() : nullptr;
    if (pPressed) {
        CRect rect;
        GetButtonRect(nIndex, rect);
        ClientToScreen(&rect);
        pPressed->m_rect = rect;
        pPressed->m_bPressed = TRUE;
    }
    SetBtnCommandBeingSent(TRUE);
    if (::IsWindow(hOwner))
        ::SendMessageW(hOwner, WM_COMMAND, MAKEWPARAM(nID, 0), 0);
    SetBtnCommandBeingSent(FALSE);
    if (pPressed)
        pPressed->m_bPressed = FALSE;
}

void SECCustomToolBar::OnCancelMode() {
    SECControlBar::OnCancelMode();
    if (m_bTracking)
        ExitTrackingMode();
    if (m_bCustomize)
        return;
    if (SECStdBtn* pBtn = GetButton(m_nCurBtn)) {
        pBtn->OnCancel();
        InvalidateButton(m_nCurBtn);
        m_nCurBtn = -1;
    }
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_bCapturing = FALSE;
}

void SECCustomToolBar::SetHotButton(int nIndex) {
    if (nIndex == m_nHotBtn)
        return;
    if (SECStdBtn* pOld = GetButton(m_nHotBtn)) {
        pOld->m_nStyle &= ~SEC_TBBS_HOT;
        InvalidateButton(m_nHotBtn);
    }
    if (nIndex < 0) {
        m_nHotBtn = -1;
        KillTimer(SEC_HOT_TIMER);
        return;
    }
    if (m_nHotBtn < 0)
        SetTimer(SEC_HOT_TIMER, 100, NULL);
    m_nHotBtn = nIndex;
    m_btns[nIndex]->m_nStyle |= SEC_TBBS_HOT;
    InvalidateButton(nIndex);
}

void SECCustomToolBar::UpdateHotButton() {
    if (m_hWnd == NULL || !IsCoolLook() || IsBtnCommandBeingSent() || m_nTrackBtn >= 0)
        return;
    if (m_nCurBtn >= 0 && !m_bCustomize)
        return;
    int nIndex = -1;
    CPoint pt;
    ::GetCursorPos(&pt);
    if (::GetActiveWindow() != NULL && ::WindowFromPoint(pt) == m_hWnd) {
        ScreenToClient(&pt);
        nIndex = HitTest(pt.x, pt.y);
        if (SECStdBtn* pBtn = GetButton(nIndex))
            if (pBtn->m_nStyle & (SEC_TBBS_DISABLED | SEC_TBBS_SEPARATOR))
                nIndex = -1;
    }
    SetHotButton(nIndex);
}

void SECCustomToolBar::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == SEC_HOT_TIMER)
        UpdateHotButton();
    else
        SECControlBar::OnTimer(nIDEvent);
}

int SECCustomToolBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    if (m_bCustomize && !IsFloating())
        return MA_NOACTIVATE;
    return SECControlBar::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

void SECCustomToolBar::OnShowWindow(BOOL bShow, UINT nStatus) {
    SECControlBar::OnShowWindow(bShow, nStatus);
    if (SECToolBarManager* pManager = GetToolBarManager())
        pManager->BroadcastBarNotify(GetDlgCtrlID(),
                                     bShow ? SEC_BARNOTIFY_SHOWN : SEC_BARNOTIFY_HIDDEN);
}

void SECCustomToolBar::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
    SECControlBar::OnWindowPosChanging(lpwndpos);
    SECToolBarManager* pManager = GetToolBarManager();
    if (pManager == nullptr)
        return;
    if (lpwndpos->flags & SWP_SHOWWINDOW)
        pManager->BroadcastBarNotify(GetDlgCtrlID(), SEC_BARNOTIFY_SHOWN);
    else if (lpwndpos->flags & SWP_HIDEWINDOW)
        pManager->BroadcastBarNotify(GetDlgCtrlID(), SEC_BARNOTIFY_HIDDEN);
}

void SECCustomToolBar::OnSysColorChange() {
    SECControlBar::OnSysColorChange();
    if (m_pOwnCache)
        m_pOwnCache->RebuildDitherBrush();
    if (SECToolBarManager* pManager = GetToolBarManager())
        pManager->GetDrawingCache().RebuildDitherBrush();
    if (m_pBmpMgr != nullptr)
        m_pBmpMgr->ReloadBitmaps(TRUE);
}

void SECCustomToolBar::OnDestroy() {
    ClearSelection(FALSE);
    if (SECToolBarManager* pManager = GetToolBarManager())
        pManager->BroadcastBarNotify(GetDlgCtrlID(), SEC_BARNOTIFY_DESTROYED);
    KillTimer(SEC_HOT_TIMER);
    SECControlBar::OnDestroy();
}

void SECCustomToolBar::DelayShow(BOOL bShow) {
    // While a customize dialog runs, the frame's idle time, which would hide the bar, may not
    // come before the user looks: a floating bar hides itself as soon as its message arrives.
    SECToolBarManager* pManager = GetToolBarManager();
    const BOOL bShown = m_hWnd != NULL && (GetStyle() & WS_VISIBLE) != 0;
    if (bShow || !bShown || pManager == nullptr || !pManager->IsConfigMode() || !IsFloating()) {
        SECControlBar::DelayShow(bShow);
        return;
    }
    const BOOL bPosted = (m_nStateFlags & delayHide) != 0;
    m_nStateFlags = (m_nStateFlags & ~delayShow) | delayHide;
    if (!bPosted)
        PostMessage(WM_NODELAYHIDE);
}

LRESULT SECCustomToolBar::OnNoDelayHide(WPARAM, LPARAM) {
    // A show asked for since then, or the idle time, has had the last word.
    if (!(m_nStateFlags & delayHide) || !m_bCustomize || !IsFloating())
        return 0;
    m_nStateFlags &= ~delayHide;
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->ShowControlBar(this, FALSE, FALSE);
    return 0;
}

BOOL SECCustomToolBar::DropButton(const CRect& rect, SECStdBtn* pBtn, SECCustomToolBar* pSource,
                                  BOOL bCopy, BOOL bNoUpdate) {
    if (pBtn == nullptr)
        return FALSE;
    // Read first: the source may lose the button (and a user bar itself) below.
    const UINT nID = (pBtn->m_nStyle & SEC_TBBS_SEPARATOR) ? 0 : pBtn->m_nID;
    const int nSource = pSource != nullptr ? pSource->IndexOfButton(pBtn) : -1;
    const CRect rcOld = pBtn->GetRect();
    // The row under the rectangle's top, then the button whose middle its left passes.
    const int nCount = GetButtonCount();
    int nAt = nCount;
    int nRowStart = 0;
    for (int i = 0; i < nCount; ++i) {
        const SECStdBtn* p = m_btns[i].get();
        const bool bEnd = (p->m_nStyle & SEC_TBBS_WRAPPED) || i == nCount - 1;
        if (!bEnd)
            continue;
        int bottom = INT_MIN;
        for (int j = nRowStart; j <= i; ++j)
            bottom = std::max(bottom, m_btns[j]->m_y + m_btns[j]->m_cy);
        if (rect.top < bottom || i == nCount - 1) {
            nAt = i + 1;
            for (int j = nRowStart; j <= i; ++j) {
                const SECStdBtn* q = m_btns[j].get();
                if (rect.left < q->m_x + q->m_cx / 2) {
                    nAt = j;
                    break;
                }
            }
            break;
        }
        nRowStart = i + 1;
    }
    if (pSource == this && !bCopy && (nAt == nSource || nAt == nSource + 1)) {
        const int dx = rect.left - rcOld.left;
        if (std::abs(dx) < 2)
            return FALSE;
        auto isSep = [this](int i) {
            return i >= 0 && i < GetButtonCount() &&
                   (m_btns[i]->m_nStyle & SEC_TBBS_SEPARATOR) != 0;
        };
        if (dx < 0) {
            if (isSep(nSource - 1))
                RemoveButton(nSource - 1, bNoUpdate);
            else if (nSource + 1 < GetButtonCount() && !isSep(nSource + 1))
                InsertButton(nSource + 1, 0, TRUE, bNoUpdate);
            else
                return FALSE;
        } else {
            if (nSource > 0 && !isSep(nSource - 1))
                InsertButton(nSource, 0, TRUE, bNoUpdate);
            else if (isSep(nSource + 1))
                RemoveButton(nSource + 1, bNoUpdate);
            else
                return FALSE;
        }
        return TRUE;
    }
    if (!bCopy && pSource != nullptr && nSource >= 0) {
        if (pSource == this && nSource < nAt)
            --nAt;
        pSource->RemoveButton(nSource, pSource == this ? TRUE : bNoUpdate);
    }
    InsertButton(nAt, nID, nID == 0, bNoUpdate);
    if (m_bCustomize && !IsAltButtonDrag())
        SelectButton(std::min(nAt, GetButtonCount() - 1), TRUE);
    return TRUE;
}
