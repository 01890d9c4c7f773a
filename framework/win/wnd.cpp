// CWnd: the handle map, binding and unbinding objects, and the path of a message from the window
// procedure through the message map.
#include "framework/win/wnd.h"

#include "framework/core/exceptions.h"
#include "framework/core/guard.h"
#include "framework/win/winapp.h"
#include "framework/win/wnd_state.h"

#include <string>
#include <vector>

namespace {
using WndTraits = CHandleMemberTraits<CWnd, HWND, &CWnd::m_hWnd>;
CHandleMap<CWnd, HWND, WndTraits>& WndMap() {
    static CHandleMap<CWnd, HWND, WndTraits> map;
    return map;
}

// What a message returns when its handler failed with an exception: creation is refused,
// everything else reports "not processed" the way an empty handler would.
LRESULT ResultAfterException(UINT message) {
    if (message == WM_CREATE)
        return -1;
    return 0;
}

// An update request that only asks whether the command is enabled.
class CEnabledProbeCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
    BOOL m_bEnabled = TRUE;
};

BOOL ReflectMsg(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    CWnd* pChild = CWnd::FromHandlePermanent(hWndChild);
    return pChild ? pChild->OnChildNotify(message, wParam, lParam, pResult) : FALSE;
}
} // namespace

AFX_WND_STATE& AfxGetWndState() {
    static AFX_WND_STATE state;
    return state;
}

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_WM_COMPAREITEM()
ON_WM_DELETEITEM()
ON_WM_VKEYTOITEM()
ON_WM_CHARTOITEM()
ON_WM_CTLCOLOR()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
END_MESSAGE_MAP()

CWnd::CWnd() {}
CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd) {}

CWnd::~CWnd() {
    if (m_hWnd != NULL && WndMap().FromHandlePermanent(m_hWnd) == this)
        ::DestroyWindow(m_hWnd);
    // Destruction may fail (a window of another thread): never leave a dangling binding.
    if (m_hWnd != NULL)
        Detach();
}

// Handle map.
CWnd* PASCAL CWnd::FromHandle(HWND hWnd) {
    return WndMap().FromHandle(hWnd);
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd) {
    return WndMap().FromHandlePermanent(hWnd);
}

void PASCAL CWnd::DeleteTempMap() {
    WndMap().DeleteTempMap();
}

void AfxDestroyPermanentWindows() {
    std::vector<HWND> windows;
    WndMap().ForEachPermanent([&](HWND hWnd, CWnd*) { windows.push_back(hWnd); });
    // A parent takes its children along; skip handles already gone.
    for (HWND hWnd : windows)
        if (WndMap().FromHandlePermanent(hWnd) != NULL && ::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
    // Windows of other threads cannot be destroyed from here: unbind them at least.
    windows.clear();
    WndMap().ForEachPermanent([&](HWND hWnd, CWnd*) { windows.push_back(hWnd); });
    for (HWND hWnd : windows)
        if (CWnd* pWnd = WndMap().FromHandlePermanent(hWnd))
            pWnd->UnsubclassWindow();
}

CWnd* AfxWndFromHandle(HWND hWnd) {
    return CWnd::FromHandle(hWnd);
}

// A window has one object: a second one cannot take it over.
BOOL CWnd::Attach(HWND hWndNew) {
    if (WndMap().FromHandlePermanent(hWndNew) != NULL)
        return FALSE;
    return WndMap().Attach(*this, hWndNew);
}

HWND CWnd::Detach() {
    return WndMap().Detach(*this);
}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC old = (WNDPROC)::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
    if (old == NULL) {
        Detach();
        return FALSE;
    }
    if (old != &AfxWndProc)
        m_pfnSuper = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), (int)nID);
    return hWndControl ? SubclassWindow(hWndControl) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
    if (m_hWnd != NULL && m_pfnSuper != NULL)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    return Detach();
}

void CWnd::FinishNcDestroy() {
    HWND hWnd = m_hWnd;
    if (m_pfnSuper != NULL && (WNDPROC)::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == &AfxWndProc)
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    Detach();
    if (CWinThread* pThread = AfxGetThread())
        if (pThread->m_pMainWnd == this)
            pThread->m_pMainWnd = NULL;
    PostNcDestroy();
}

void CWnd::PostNcDestroy() {}

void CWnd::OnNcDestroy() {
    Default();
    FinishNcDestroy();
}

BOOL CWnd::DestroyWindow() {
    HWND hWnd = m_hWnd;
    if (hWnd == NULL)
        return FALSE;
    const bool bPermanent = WndMap().FromHandlePermanent(hWnd) == this;
    BOOL bResult = ::DestroyWindow(hWnd);
    // A bound object may have deleted itself on the way; an unbound one just lets go.
    if (!bPermanent)
        m_hWnd = NULL;
    return bResult;
}

// The window procedure.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, message, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    AFX_WND_STATE& state = AfxGetWndState();
    const MSG previous = state.lastSentMsg;
    const DWORD dwPos = ::GetMessagePos();
    state.lastSentMsg = MSG{hWnd,
                            message,
                            wParam,
                            lParam,
                            (DWORD)::GetMessageTime(),
                            {(short)LOWORD(dwPos), (short)HIWORD(dwPos)}};
    const LRESULT lResult =
        AfxGuardWndProc(L"window procedure", ResultAfterException(message),
                        [&] { return pWnd->WindowProc(message, wParam, lParam); });
    // A handler that took WM_NCDESTROY without the framework's clean-up still must unbind.
    if (message == WM_NCDESTROY)
        if (CWnd* pStill = CWnd::FromHandlePermanent(hWnd))
            pStill->FinishNcDestroy();
    state.lastSentMsg = previous;
    return lResult;
}

const MSG* AfxGetCurrentMessage() {
    return &AfxGetWndState().lastSentMsg;
}
const MSG* PASCAL CWnd::GetCurrentMessage() {
    return AfxGetCurrentMessage();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

// The handler may destroy and delete this object: nothing here touches it afterwards.
BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    LRESULT lResult = 0;
    if (pResult == NULL)
        pResult = &lResult;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    // A notification without a sender skips reflection but still reaches the map.
    if (message == WM_NOTIFY)
        return lParam != 0 && OnNotify(wParam, lParam, pResult);
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(message);
    if (pEntry == NULL)
        return FALSE;
    AFX_DISPATCH dispatch = {message, wParam, lParam, 0, nullptr, 0};
    BOOL bHandled = pEntry->pfn(this, dispatch);
    *pResult = dispatch.lResult;
    return bHandled;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != NULL)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG& msg = AfxGetWndState().lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

// Menu and accelerator commands run only when their update handler leaves them enabled;
// control notifications go to the control first (reflection), then to the map.
BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);
    if (hWndCtrl == NULL) {
        if (nID == 0)
            return FALSE;
        CEnabledProbeCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    } else {
        if (ReflectMsg(hWndCtrl, WM_COMMAND, wParam, lParam, NULL))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR == NULL || pResult == NULL)
        return FALSE;
    if (pNMHDR->hwndFrom != NULL &&
        ReflectMsg(pNMHDR->hwndFrom, WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg((UINT)pNMHDR->idFrom, (int)MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, NULL);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

// The child's own map sees its notification as a reflected message first.
BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
    case WM_COMMAND: {
        int nCode = HIWORD(wParam);
        if (!CCmdTarget::OnCmdMsg(0, (int)MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), NULL,
                                  NULL))
            return FALSE;
        if (pResult != NULL)
            *pResult = 1;
        return TRUE;
    }
    case WM_NOTIFY: {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (pNMHDR == NULL)
            return FALSE;
        LRESULT lDummy = 0;
        AFX_NOTIFY notify = {pResult ? pResult : &lDummy, pNMHDR};
        return CCmdTarget::OnCmdMsg(0, (int)MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY),
                                    &notify, NULL);
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    default:
        return FALSE;
    }
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
    const MSG& msg = AfxGetWndState().lastSentMsg;
    return ReflectMsg(hWndChild, msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg) {
    FilterToolTipMessage(pMsg);
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

std::vector<HWND> AfxChildWindows(HWND hWndParent) {
    std::vector<HWND> children;
    for (HWND h = ::GetTopWindow(hWndParent); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        children.push_back(h);
    return children;
}

BOOL AfxIsChildStill(HWND hWndParent, HWND hWndChild) {
    return ::IsWindow(hWndChild) && ::GetParent(hWndChild) == hWndParent;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm) const {
    const HWND hWndParent = m_hWnd;
    for (HWND hChild : AfxChildWindows(hWndParent)) {
        if (!AfxIsChildStill(hWndParent, hChild))
            continue; // gone, or moved elsewhere, during an earlier call
        if (bOnlyPerm) {
            if (CWnd* pWnd = FromHandlePermanent(hChild))
                AfxCallWndProc(pWnd, hChild, message, wParam, lParam);
        } else {
            ::SendMessageW(hChild, message, wParam, lParam);
        }
        if (bDeep && ::IsWindow(hChild) && ::GetTopWindow(hChild) != NULL) {
            CWnd child(hChild);
            child.SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
            child.m_hWnd = NULL;
        }
    }
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendDlgItemMessageW(m_hWnd, nID, message, wParam, lParam);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
    CCmdUI state;
    const HWND hWndParent = m_hWnd;
    for (HWND hChild : AfxChildWindows(hWndParent)) {
        if (!AfxIsChildStill(hWndParent, hChild))
            continue;
        int nID = ::GetDlgCtrlID(hChild);
        if (nID == 0 || nID == 0xFFFF)
            continue;
        // Only push buttons are disabled for want of a handler; labels and edits have none.
        const LRESULT code = ::SendMessageW(hChild, WM_GETDLGCODE, 0, 0);
        const BOOL bButton = (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
        state.m_pOther = FromHandle(hChild);
        state.m_nID = (UINT)nID;
        state.DoUpdate(pTarget, bDisableIfNoHndler && bButton);
    }
}
