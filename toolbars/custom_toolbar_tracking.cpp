// A custom toolbar's drop-down tracking mode: the open drop-down follows the mouse (or the
// keys, for the menu bar) from one drop-down button of the bar to the next.
#include "toolbars/custom_toolbar.h"

namespace {
bool IsDropDownKind(const SECStdBtn* pBtn) {
    return pBtn != nullptr && !(pBtn->m_nStyle & SEC_TBBS_HIDDEN) &&
           (pBtn->m_nType == SEC_BTNKIND_MENU || pBtn->m_nType == SEC_BTNKIND_DROPDOWN);
}
} // namespace

int SECCustomToolBar::FirstVisibleButton() const {
    for (int i = 0; i < GetButtonCount(); ++i)
        if (IsDropDownKind(m_btns[i].get()))
            return i;
    return -1;
}

int SECCustomToolBar::LastVisibleButton() const {
    for (int i = GetButtonCount() - 1; i >= 0; --i)
        if (IsDropDownKind(m_btns[i].get()))
            return i;
    return -1;
}

int SECCustomToolBar::FirstButtonOfKind3() const {
    for (int i = 0; i < GetButtonCount(); ++i)
        if (m_btns[i]->m_nType == SEC_BTNKIND_MENU && !(m_btns[i]->m_nStyle & SEC_TBBS_HIDDEN))
            return i;
    return -1;
}

int SECCustomToolBar::NextSelectableButton(BOOL bForward) const {
    if (m_nTrackBtn < 0)
        return bForward ? FirstVisibleButton() : LastVisibleButton();
    const int nStep = bForward ? 1 : -1;
    for (int i = m_nTrackBtn + nStep; i >= 0 && i < GetButtonCount(); i += nStep)
        if (IsDropDownKind(m_btns[i].get()))
            return i;
    return -1;
}

void SECCustomToolBar::SetTrackingButton(int nIndex) {
    if (SECStdBtn* pOld = GetButton(m_nTrackBtn)) {
        pOld->m_nStyle &= ~SEC_TBBS_HOT;
        InvalidateButton(m_nTrackBtn);
    }
    SECStdBtn* pBtn = GetButton(nIndex);
    m_nTrackBtn = pBtn != nullptr ? nIndex : -1;
    if (pBtn == nullptr)
        return;
    // The tracking button is the hot one: the mouse's hot button gives way.
    if (m_nHotBtn >= 0 && m_nHotBtn != nIndex)
        SetHotButton(-1);
    pBtn->m_nStyle |= SEC_TBBS_HOT;
    InvalidateButton(nIndex);
    if (!m_bTracking) {
        m_bTracking = TRUE;
        pBtn->SendNotify(SEC_TBN_BEGINTRACKING, 0, 0);
    }
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        SetStatusText(0);
}

void SECCustomToolBar::TrackButtonAt(CPoint point) {
    SetTrackingButton(HitTest(point.x, point.y));
}

void SECCustomToolBar::ExitTrackingMode() {
    if (!m_bTracking && m_nTrackBtn < 0)
        return;
    const BOOL bWasTracking = m_bTracking;
    m_bTracking = FALSE;
    SECStdBtn* pBtn = GetButton(m_nTrackBtn);
    if (pBtn != nullptr) {
        pBtn->m_nStyle &= ~(SEC_TBBS_HOT | SEC_TBBS_PRESSED);
        InvalidateButton(m_nTrackBtn);
    }
    m_nTrackBtn = -1;
    if (bWasTracking && m_hWnd != NULL) {
        // The record carries no button: the tracking one is gone.
        SECTBNotify record = {};
        record.hdr.hwndFrom = m_hWnd;
        record.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
        record.hdr.code = static_cast<UINT>(SEC_TBN_ENDTRACKING);
        record.nIndex = -1;
        if (CWnd* pOwner = GetBarOwner())
            ::SendMessageW(pOwner->GetSafeHwnd(), WM_NOTIFY, record.hdr.idFrom,
                           reinterpret_cast<LPARAM>(&record));
    }
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        SetStatusText(SEC_IDS_IDLEPROMPT);
}

void SECCustomToolBar::DropDownButton(SECStdBtn* pBtn, UINT nMenuId, int nPopup) {
    const int nIndex = IndexOfButton(pBtn);
    if (nIndex < 0)
        return;
    SetTrackingButton(nIndex);
    SECBtnHost::DropDownButton(pBtn, nMenuId, nPopup);
}

void SECCustomToolBar::SwitchDropDown(int nIndex) {
    if (nIndex == m_nTrackBtn)
        return;
    SECStdBtn* pOld = GetButton(m_nTrackBtn);
    ExitTrackingMode();
    SECStdBtn* pBtn = GetButton(nIndex);
    if (!IsDropDownKind(pBtn))
        return;
    if (pOld != nullptr) {
        pOld->OnCancel();
        pOld->SendNotify(SEC_TBN_CLOSEDROPDOWN, 0, 0);
    }
    pBtn->OnPress(pBtn->m_x, pBtn->m_y);
}

BOOL SECCustomToolBar::FilterTrackingMessage(const MSG& msg) {
    SECStdBtn* pTracking = GetButton(m_nTrackBtn);
    if (pTracking == nullptr || m_hWnd == NULL)
        return FALSE;
    if (msg.message != WM_MOUSEMOVE && msg.message != WM_LBUTTONDOWN)
        return FALSE;
    // The point is the screen's for messages of other windows (a drop-down's popup).
    CPoint point(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
    if (msg.hwnd != m_hWnd) {
        ::ClientToScreen(msg.hwnd, &point);
        ScreenToClient(&point);
    }
    const int nIndex = HitTest(point.x, point.y);
    if (msg.message == WM_MOUSEMOVE) {
        if (nIndex < 0 || nIndex == m_nTrackBtn)
            return FALSE;
        if (IsDropDownKind(GetButton(nIndex)))
            SwitchDropDown(nIndex);
        else
            pTracking->SendNotify(SEC_TBN_CLOSEDROPDOWN, 0, 0);
        return TRUE;
    }
    if (nIndex == m_nTrackBtn) {
        pTracking->SendNotify(SEC_TBN_CLOSEDROPDOWN, 0, 0);
        return TRUE;
    }
    return FALSE;
}

void SECCustomToolBar::CancelTracking() {
    if (SECStdBtn* pBtn = GetButton(m_nTrackBtn)) {
        pBtn->OnCancel();
        pBtn->m_nStyle &= ~SEC_TBBS_HOT;
        InvalidateButton(m_nTrackBtn);
    }
    m_nTrackBtn = -1;
    UpdateHotButton();
}
