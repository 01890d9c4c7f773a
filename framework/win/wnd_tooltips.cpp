// Tooltips for windows that enable them: one tooltip control per process (the library runs on
// one thread), fed with the tool under the mouse by FilterToolTipMessage.
#include "framework/win/wnd.h"

#include "framework/win/wnd_state.h"

#include <cstdlib>

namespace {
struct ToolTipState {
    HWND hWndTip = NULL;     // the tooltip control
    HWND hWndOwner = NULL;   // window whose tool is current
    INT_PTR nLastHit = -1;   // id OnToolHitTest gave for it
    TOOLINFOW lastTool = {}; // the tool added to the control (text not kept)
};

ToolTipState& TipState() {
    static ToolTipState state;
    return state;
}

bool IsMouseMessage(UINT message) {
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

HWND EnsureTipControl(HWND hWndTopLevel) {
    ToolTipState& state = TipState();
    if (state.hWndTip != NULL && !::IsWindow(state.hWndTip))
        state.hWndTip = NULL; // went with its owner
    if (state.hWndTip == NULL) {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
        state.hWndTip =
            ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, NULL,
                              WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, hWndTopLevel, NULL, NULL, NULL);
        if (state.hWndTip != NULL)
            ::SendMessageW(state.hWndTip, TTM_SETMAXTIPWIDTH, 0, SHRT_MAX);
        state.hWndOwner = NULL;
        state.nLastHit = -1;
    }
    return state.hWndTip;
}

void RemoveCurrentTool() {
    ToolTipState& state = TipState();
    if (state.hWndTip != NULL && ::IsWindow(state.hWndTip) && state.hWndOwner != NULL) {
        ::SendMessageW(state.hWndTip, TTM_ACTIVATE, FALSE, 0);
        ::SendMessageW(state.hWndTip, TTM_DELTOOLW, 0, (LPARAM)&state.lastTool);
    }
    state.hWndOwner = NULL;
    state.nLastHit = -1;
    state.lastTool = TOOLINFOW{};
}

void FreeToolText(TOOLINFOW& ti) {
    if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACKW && !IS_INTRESOURCE(ti.lpszText))
        std::free(ti.lpszText);
    ti.lpszText = NULL;
}

} // namespace

BOOL CWnd::EnableToolTips(BOOL bEnable) {
    BOOL bOld = m_bToolTips;
    m_bToolTips = bEnable ? TRUE : FALSE;
    if (!ShowsToolTips() && TipState().hWndOwner == m_hWnd)
        RemoveCurrentTool();
    return bOld;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
    if (hWndChild == NULL || hWndChild == m_hWnd)
        return -1;
    int nID = ::GetDlgCtrlID(hWndChild);
    if (nID == 0 || nID == -1 || nID == 0xFFFF)
        return -1;
    if (pTI != NULL && pTI->cbSize >= TTTOOLINFOW_V2_SIZE) {
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)hWndChild;
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACKW;
    }
    return nID;
}

void PASCAL CWnd::CancelToolTips(BOOL) {
    ToolTipState& state = TipState();
    if (state.hWndTip != NULL && ::IsWindow(state.hWndTip))
        ::SendMessageW(state.hWndTip, TTM_POP, 0, 0);
    RemoveCurrentTool();
}

void CWnd::FilterToolTipMessage(MSG* pMsg) {
    ToolTipState& state = TipState();
    if (pMsg == NULL || !IsMouseMessage(pMsg->message))
        return;

    // The nearest window from the message's up that shows tips.
    CWnd* pOwner = NULL;
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL && pOwner == NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->ShowsToolTips() && ::IsWindowVisible(hWnd))
            pOwner = pWnd;
    }
    if (pOwner == NULL) {
        if (state.hWndOwner != NULL)
            RemoveCurrentTool();
        return;
    }
    // The pre-translation walk offers the message to every window up the chain: only the one
    // that shows the tips acts on it.
    if (pOwner != this)
        return;
    CPoint point(pMsg->pt);
    pOwner->ScreenToClient(&point);
    TOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    INT_PTR nHit = pOwner->OnToolHitTest(point, &ti);

    HWND hWndTip = EnsureTipControl(pOwner->GetTopLevelParent()->GetSafeHwnd());
    if (hWndTip == NULL) {
        FreeToolText(ti);
        return;
    }
    if (nHit != state.nLastHit || pOwner->m_hWnd != state.hWndOwner) {
        RemoveCurrentTool();
        if (nHit != -1) {
            // The control matches relayed messages against the window they came to, in its
            // coordinates, where the hit test measured the tool: a tool that names another
            // window (a bar naming the frame that answers its texts) is kept on the window
            // under the mouse, whose text requests a control bar passes on to its owner.
            if (ti.hwnd == NULL || !(ti.uFlags & TTF_IDISHWND))
                ti.hwnd = pOwner->m_hWnd;
            if (!(ti.uFlags & TTF_IDISHWND) && ::IsRectEmpty(&ti.rect))
                ::GetClientRect(ti.hwnd, &ti.rect);
            // The control copies the text; the heap copy the hit test made is ours to free.
            ::SendMessageW(hWndTip, TTM_ADDTOOLW, 0, (LPARAM)&ti);
            ::SendMessageW(hWndTip, TTM_ACTIVATE, TRUE, 0);
            state.lastTool = ti;
            state.lastTool.lpszText = NULL;
            state.hWndOwner = pOwner->m_hWnd;
            state.nLastHit = nHit;
        }
    }
    FreeToolText(ti);
    if (state.hWndOwner != NULL) {
        MSG relay = *pMsg;
        ::SendMessageW(hWndTip, TTM_RELAYEVENT, 0, (LPARAM)&relay);
    }
}

void AfxToolTipTerm() {
    ToolTipState& state = TipState();
    RemoveCurrentTool();
    if (state.hWndTip != NULL && ::IsWindow(state.hWndTip))
        ::DestroyWindow(state.hWndTip);
    state = ToolTipState{};
}
