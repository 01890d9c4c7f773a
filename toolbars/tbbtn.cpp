#include "toolbars/tbbtn.h"

#include <algorithm>

namespace {
BOOL g_bCommandBeingSent = FALSE;

SECStdBtn* CreateStdBtn() {
    return new SECStdBtn;
}
} // namespace

BOOL IsBtnCommandBeingSent() {
    return g_bCommandBeingSent;
}

void SetBtnCommandBeingSent(BOOL bSending) {
    g_bCommandBeingSent = bSending;
}

// The bar side.

CWnd* SECBtnHost::GetBarOwner() {
    CWnd* pBar = GetBarWnd();
    if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
        return NULL;
    CWnd* pOwner = pBar->GetOwner();
    return pOwner != NULL ? pOwner : pBar->GetParent();
}

int SECBtnHost::GetImageWidth() {
    SECBmpMgr* pStore = GetBmpMgr();
    return pStore != NULL ? pStore->GetImageWidth() : 16;
}

int SECBtnHost::GetImageHeight() {
    SECBmpMgr* pStore = GetBmpMgr();
    return pStore != NULL ? pStore->GetImageHeight() : 15;
}

CFont* SECBtnHost::GetBarFont() {
    // A font of the bar's own, made like the stock GUI font: stock handles are shared and not
    // to be owned by an object.
    if (m_defaultFont.GetSafeHandle() == NULL) {
        LOGFONTW lf = {};
        if (::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf) == 0 ||
            !m_defaultFont.CreateFontIndirect(&lf))
            return NULL;
    }
    return &m_defaultFont;
}

void SECBtnHost::RaiseLargestButtonSize(int cx, int cy) {
    m_cxLargest = std::max(m_cxLargest, cx);
    m_cyLargest = std::max(m_cyLargest, cy);
}

void SECBtnHost::DropDownButton(SECStdBtn* pBtn, UINT nMenuId, int nPopup) {
    if (pBtn != NULL)
        pBtn->SendNotify(SEC_TBN_OPENDROPDOWN, static_cast<LPARAM>(nMenuId), nPopup);
}

// The button.

const SECButtonClass SECStdBtn::classSECStdBtn = {"SECStdBtn", &CreateStdBtn};

SECStdBtn::~SECStdBtn() {
    for (DeleteWatch* pWatch = m_pWatch; pWatch != nullptr; pWatch = pWatch->m_pOuter)
        pWatch->m_bDeleted = true;
}

SECStdBtn::DeleteWatch::DeleteWatch(SECStdBtn* pBtn) : m_pBtn(pBtn), m_pOuter(pBtn->m_pWatch) {
    pBtn->m_pWatch = this;
}

SECStdBtn::DeleteWatch::~DeleteWatch() {
    if (!m_bDeleted)
        m_pBtn->m_pWatch = m_pOuter;
}

void SECStdBtn::SetPos(int x, int y) {
    m_x = x;
    m_y = y;
}

void SECStdBtn::SetBar(SECBtnHost* pBar) {
    m_pBar = pBar;
    RecalcSize();
}

void SECStdBtn::Init(SECBtnHost* pBar, const UINT_PTR*) {
    SetBar(pBar);
}

void SECStdBtn::Invalidate(BOOL bErase) {
    CWnd* pBar = m_pBar != NULL ? m_pBar->GetBarWnd() : NULL;
    if (pBar == NULL || !::IsWindow(pBar->GetSafeHwnd()))
        return;
    const CRect rect = GetRect();
    ::InvalidateRect(pBar->GetSafeHwnd(), &rect, bErase);
}

void SECStdBtn::RepaintNow() {
    Invalidate(FALSE);
    CWnd* pBar = m_pBar != NULL ? m_pBar->GetBarWnd() : NULL;
    if (pBar != NULL && ::IsWindow(pBar->GetSafeHwnd()))
        ::UpdateWindow(pBar->GetSafeHwnd());
}

BOOL SECStdBtn::HitsButton(int x, int y) const {
    return x >= m_x && x <= m_x + m_cx && y >= m_y && y <= m_y + m_cy;
}

int SECStdBtn::OnPress(int, int) {
    if (m_nStyle & SEC_TBBS_DISABLED)
        return 0;
    m_nStyle |= SEC_TBBS_PRESSED;
    if (!(m_nStyle & SEC_TBBS_DROPDOWN))
        return 1;
    // A drop-down answers at once and never holds the mouse.
    RepaintNow();
    SetBtnCommandBeingSent(TRUE);
    SECBtnHost* pBar = m_pBar;
    DeleteWatch watch(this);
    SendNotify(SEC_TBN_DROPDOWN, 0, 0);
    SetBtnCommandBeingSent(FALSE);
    if (watch.IsDeleted())
        return 0; // the owner destroyed the bar with its buttons
    m_nStyle &= ~SEC_TBBS_PRESSED;
    Invalidate(FALSE);
    if (pBar != NULL)
        pBar->ReevaluateHotButton();
    return 0;
}

void SECStdBtn::OnTrack(int x, int y) {
    const DWORD old = m_nStyle;
    if (HitsButton(x, y))
        m_nStyle |= SEC_TBBS_PRESSED;
    else
        m_nStyle &= ~SEC_TBBS_PRESSED;
    if (old != m_nStyle)
        Invalidate(FALSE);
}

void SECStdBtn::OnCancel() {
    m_nStyle &= ~SEC_TBBS_PRESSED;
    Invalidate(FALSE);
}

UINT SECStdBtn::OnRelease(int x, int y) {
    m_nStyle &= ~SEC_TBBS_PRESSED;
    if (!HitsButton(x, y))
        return 0;
    if ((m_nStyle & SEC_TBBS_CHECKBOX) && !(m_nStyle & SEC_TBBS_DISABLED)) {
        // Every button of the command on every bar toggles with this one.
        SECBtnStyleChange change = {0, SEC_TBBS_INDETERMINATE};
        if (m_nStyle & SEC_TBBS_CHECKED)
            change.dwClear |= SEC_TBBS_CHECKED;
        else
            change.dwSet |= SEC_TBBS_CHECKED;
        if (m_pBar != NULL)
            m_pBar->NotifyButtons(m_nID, SEC_BTN_NOTIFY_STYLE, &change, TRUE);
        else
            OnNotify(SEC_BTN_NOTIFY_STYLE, &change);
    }
    return m_nID;
}

void SECStdBtn::OnHiddenChanged() {
    Invalidate(TRUE);
}

UINT SECStdBtn::ToolHitTest(int, int, TOOLINFO* pTI) {
    if (pTI != NULL) {
        CWnd* pOwner = m_pBar != NULL ? m_pBar->GetBarOwner() : NULL;
        pTI->uFlags = 0;
        pTI->hwnd = pOwner != NULL ? pOwner->GetSafeHwnd() : NULL;
        pTI->uId = m_nID;
        pTI->rect = GetRect();
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return m_nID;
}

void SECStdBtn::OnNotify(UINT nCode, void* pData) {
    if (nCode != SEC_BTN_NOTIFY_STYLE || pData == NULL)
        return;
    const auto* pChange = static_cast<const SECBtnStyleChange*>(pData);
    m_nStyle = (m_nStyle & ~pChange->dwClear) | pChange->dwSet;
    Invalidate(FALSE);
}

void SECStdBtn::RecalcSize() {
    if (m_pBar == NULL)
        return;
    if (m_nStyle & SEC_TBBS_SEPARATOR) {
        m_cx = m_pBar->GetSeparatorWidth();
        m_cy = m_pBar->GetSeparatorHeight();
    } else {
        m_cx = m_pBar->GetButtonWidth();
        m_cy = m_pBar->GetButtonHeight();
    }
    m_pBar->RaiseLargestButtonSize(m_cx, m_cy);
}

LRESULT SECStdBtn::SendNotify(int nCode, LPARAM a, LPARAM b) {
    if (m_pBar == NULL)
        return 0;
    CWnd* pBar = m_pBar->GetBarWnd();
    CWnd* pOwner = m_pBar->GetBarOwner();
    const HWND hBar = pBar != NULL ? pBar->GetSafeHwnd() : NULL;
    const HWND hOwner = pOwner != NULL ? pOwner->GetSafeHwnd() : NULL;
    if (hOwner == NULL || !::IsWindow(hOwner))
        return 0;
    SECTBNotify record = {};
    record.hdr.hwndFrom = hBar;
    record.hdr.idFrom = hBar != NULL ? static_cast<UINT_PTR>(::GetDlgCtrlID(hBar)) : 0;
    record.hdr.code = static_cast<UINT>(nCode);
    record.nID = static_cast<int32_t>(m_nID);
    record.nIndex = m_pBar->IndexOfButton(this);
    record.a = a;
    record.b = b;
    return ::SendMessageW(hOwner, WM_NOTIFY, record.hdr.idFrom, reinterpret_cast<LPARAM>(&record));
}
