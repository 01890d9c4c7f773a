// SECFrameImpl's members: the menu plug-in the frame offers every message to first, its menus,
// command routing and the context-help mode. Included once, by the file that instantiates the
// template.
#pragma once

#include "docking/bar_manager.h"
#include "docking/frame_impl.h"
#include "docking/frame_menu.h"
#include "editor/plugin/wnd_plugin.h"
#include "framework/docview/preview_view.h"
#include "framework/win/wnd_state.h"

namespace sec_frame_impl {
const DWORD kHidScMinimize = 0x1EF02;
const DWORD kHidScRestore = 0x1EF12;
const DWORD kHidScClose = 0x1EF06;
const DWORD kHidBaseNcArea = 0x40000;
const DWORD kHidBaseCommand = 0x10000;

// The help id of a hit code in the non-client area (0: the menu bar takes it).
inline DWORD HelpIdOfHit(LRESULT nHit) {
    switch (nHit) {
    case 0:
        return 0;
    case HTMINBUTTON:
        return kHidScMinimize;
    case HTMAXBUTTON:
        return kHidScRestore;
    case HTCLOSE:
        return kHidScClose;
    default:
        return kHidBaseNcArea + (DWORD)nHit;
    }
}

// What a click on hWnd at ptScreen asks help for: -1 the default topic, 0 nothing known.
inline DWORD HelpIdAt(HWND hWnd, CPoint ptScreen) {
    const LRESULT nHit = ::SendMessageW(hWnd, WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
    if (nHit != HTCLIENT && nHit != HTNOWHERE && nHit != HTERROR)
        return HelpIdOfHit(nHit);
    // A window that knows its help answers WM_HELPHITTEST; else its control id names it.
    for (HWND h = hWnd; h != NULL; h = ::GetParent(h)) {
        CPoint pt = ptScreen;
        ::ScreenToClient(h, &pt);
        const LRESULT id = ::SendMessageW(h, WM_HELPHITTEST, 0, MAKELPARAM(pt.x, pt.y));
        if (id != 0)
            return (DWORD)id;
    }
    const int nID = ::GetDlgCtrlID(hWnd);
    return nID > 0 ? kHidBaseCommand + (DWORD)nID : (DWORD)-1;
}
} // namespace sec_frame_impl

// The menu plug-in.
template <class TBase>
std::unique_ptr<corvalis::foundation::SECWndPlugIn>
SECFrameImpl<TBase>::CreateMenuPlugIn(SECMenuPlugInFactory::Kind kind, BOOL bBindMenuBar,
                                      BOOL bShareImages) {
    using corvalis::foundation::SECWndPlugIn;
    const SECMenuPlugInFactory* pFactory = SECMenuPlugInFactory::Get(kind);
    std::unique_ptr<SECWndPlugIn> pPlugIn =
        pFactory != nullptr ? pFactory->CreatePlugIn() : nullptr;
    if (pPlugIn == nullptr)
        return nullptr;
    if (bBindMenuBar) {
        auto* pLink = dynamic_cast<SECMenuBarLink*>(pPlugIn.get());
        if (pLink == nullptr)
            return nullptr;
        pLink->BindMenuBar(m_pMenuBar);
    }
    pPlugIn->PlugInTo(this);
    // Menus draw the toolbars' images only while bitmap menus are on.
    if (m_pControlBarManager != nullptr && bShareImages)
        m_pControlBarManager->ShareMenuImages(pPlugIn.get());
    return pPlugIn;
}

template <class TBase> SECMenuBarLink* SECFrameImpl<TBase>::GetMenuBarLink() const {
    return dynamic_cast<SECMenuBarLink*>(m_pMenuPlugIn.get());
}

template <class TBase> BOOL SECFrameImpl<TBase>::InConfigMode() const {
    return m_pControlBarManager != nullptr && m_pControlBarManager->IsConfigMode();
}

template <class TBase> void SECFrameImpl<TBase>::EnableBitmapMenus(BOOL bEnable, BOOL bSecond) {
    m_bBitmapMenus = bEnable;
    m_bBitmapMenus2 = bSecond;
}

template <class TBase>
BOOL SECFrameImpl<TBase>::AttachMenuBar(SECMenuBar* pMenuBar, CControlBar* pBar) {
    if (pMenuBar == nullptr || pBar == nullptr || m_pMenuBar != nullptr || m_hWnd != NULL)
        return FALSE;
    // The frame's bar outlives its window: the frame deletes it, not the window's end.
    pBar->m_bAutoDelete = FALSE;
    m_pMenuBar = pMenuBar;
    m_pMenuBarOwned.reset(pBar);
    return TRUE;
}

// The three words are the caller's configuration of the plug-in; the window plug-ins of this
// library take none (they are set up by being plugged in), so the words go nowhere.
template <class TBase>
CObject* SECFrameImpl<TBase>::CreateFramePlugIn(WPARAM, WPARAM, CRuntimeClass* pClass, WPARAM) {
    using corvalis::foundation::SECWndPlugIn;
    // The new plug-in is in place before the one it replaces goes.
    std::unique_ptr<CObject> pObject(pClass != nullptr ? pClass->CreateObject() : nullptr);
    auto* pPlugIn = dynamic_cast<SECWndPlugIn*>(pObject.get());
    if (pPlugIn != nullptr)
        pPlugIn->PlugInTo(this);
    if (pPlugIn == nullptr || !pPlugIn->IsPluggedIn())
        pObject.reset();
    m_pFramePlugIn = std::move(pObject);
    return m_pFramePlugIn.get();
}

// Menus.
template <class TBase> HMENU SECFrameImpl<TBase>::GetDefaultMenu() {
    return m_pMenuBar != nullptr ? m_hMenuDefaultBar : TBase::GetDefaultMenu();
}

template <class TBase> HMENU SECFrameImpl<TBase>::FindMenuByID(UINT nID) {
    return nID != 0 && nID == m_nDefaultMenuID ? GetDefaultMenu() : NULL;
}

template <class TBase> LRESULT SECFrameImpl<TBase>::OnSecGetMenu(WPARAM wParam, LPARAM lParam) {
    HMENU hMenu = FindMenuByID((UINT)wParam);
    if (hMenu == NULL || lParam < 0 || lParam >= ::GetMenuItemCount(hMenu))
        return 0;
    return (LRESULT)::GetSubMenu(hMenu, (int)lParam);
}

template <class TBase> void SECFrameImpl<TBase>::OnMenuBarMenuLoaded(UINT nIDResource) {
    if (SECMenuBarLink* pLink = GetMenuBarLink())
        if (pLink->ShowMenuOnBar(m_hMenuDefaultBar, nIDResource))
            pLink->RelayoutBar();
}

template <class TBase>
BOOL SECFrameImpl<TBase>::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                                    CCreateContext* pContext) {
    m_nDefaultMenuID = nIDResource;
    if (!TBase::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    if (m_pMenuBar != nullptr) {
        // The menus show in the bar (an MDI frame's loaded menu stays its client's window-list
        // source).
        ::SetMenu(m_hWnd, NULL);
        if (m_hMenuDefaultBar == NULL)
            m_hMenuDefaultBar = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource));
        OnMenuBarMenuLoaded(nIDResource);
    }
    return TRUE;
}

// Routing.
template <class TBase>
BOOL SECFrameImpl<TBase>::OnCmdMsg(UINT nID, int nCode, void* pExtra,
                                   AFX_CMDHANDLERINFO* pHandlerInfo) {
    CFrameWnd* pChild = GetRoutingChild();
    if (pChild != nullptr && pChild->m_hWnd != NULL) {
        CPushRoutingFrame push(this);
        if (pChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    }
    // The frame's plug-in may end the routing, handled or not.
    if (auto* pPlugIn = dynamic_cast<corvalis::foundation::SECWndPlugIn*>(m_pFramePlugIn.get())) {
        const BOOL bHandled = pPlugIn->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        if (pPlugIn->GetExitFlag()) {
            pPlugIn->SetExitFlag(FALSE);
            return bHandled;
        }
    }
    return this->CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

template <class TBase> BOOL SECFrameImpl<TBase>::PreTranslateMessage(MSG* pMsg) {
    // A print preview keeps its keys from the plug-in.
    corvalis::foundation::SECWndPlugIn* pPlugIn = m_pMenuPlugIn.get();
    if (pPlugIn != nullptr && pPlugIn->IsPluggedIn()) {
        CView* pView = this->GetActiveView();
        if ((pView == nullptr || !pView->IsKindOf(RUNTIME_CLASS(CPreviewView))) &&
            pPlugIn->PreTranslateMessage(pMsg))
            return TRUE;
    }
    if (pMsg->message == WM_SYSCOMMAND && (pMsg->wParam & 0xFFF0) == SC_CLOSE && InConfigMode())
        return TRUE;
    return TBase::PreTranslateMessage(pMsg);
}

template <class TBase>
LRESULT SECFrameImpl<TBase>::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Offers a message to the plug-in: TRUE (with *pResult) when the plug-in finished it.
    const auto offer = [this, message, wParam, lParam](LRESULT* pResult) {
        corvalis::foundation::SECWndPlugIn* pPlugIn = m_pMenuPlugIn.get();
        if (pPlugIn == nullptr || !pPlugIn->IsPluggedIn())
            return FALSE;
        LRESULT result = 0;
        pPlugIn->OnWndMsg(message, wParam, lParam, &result);
        if (!pPlugIn->GetExitFlag())
            return FALSE;
        *pResult = result;
        return TRUE;
    };
    LRESULT result = 0;
    if (message == WM_INITMENUPOPUP && m_bBitmapMenus) {
        // The frame brings the items up to date first; the plug-in then draws what they are.
        const HWND hWnd = m_hWnd;
        result = TBase::WindowProc(message, wParam, lParam);
        if (::IsWindow(hWnd))
            offer(&result);
        return result;
    }
    if (offer(&result))
        return result;
    return TBase::WindowProc(message, wParam, lParam);
}

// Idle and other handlers.
template <class TBase> void SECFrameImpl<TBase>::OnIdleLayout(UINT nWhy, CWnd* pWho) {
    // While the bars are customized, a layout waiting for idle time is done at once and painted,
    // so the bars being dragged about show where they land.
    if (InConfigMode() && nWhy == 0 && (this->m_nIdleFlags & CFrameWnd::idleLayout)) {
        this->m_nIdleFlags |= CFrameWnd::idleNotify;
        this->RecalcLayout(TRUE);
        this->UpdateWindow();
    }
    TBase::OnEnterIdle(nWhy, pWho);
}

template <class TBase> void SECFrameImpl<TBase>::OnEnterIdle(UINT nWhy, CWnd* pWho) {
    OnIdleLayout(nWhy, pWho);
}

template <class TBase> void SECFrameImpl<TBase>::OnEnable(BOOL bEnable) {
    if (InConfigMode())
        this->m_bStayActive = FALSE;
    TBase::OnEnable(bEnable);
}

template <class TBase> LRESULT SECFrameImpl<TBase>::OnNcHitTest(CPoint) {
    if (InConfigMode())
        return HTERROR;
    return this->Default();
}

template <class TBase> void SECFrameImpl<TBase>::OnReservedCommand(UINT) {}

template <class TBase> void SECFrameImpl<TBase>::OnUpdateReservedCommand(CCmdUI*) {}

// Context help: a modal loop with the help cursor that ends with the help topic of what the
// user clicked.
template <class TBase> void SECFrameImpl<TBase>::OnContextHelp() {
    RunContextHelp();
}

template <class TBase> void SECFrameImpl<TBase>::RunContextHelp() {
    if (m_bHelpMode || m_hWnd == NULL)
        return;
    MSG msg;
    if (::PeekMessageW(&msg, NULL, WM_EXITHELPMODE, WM_EXITHELPMODE, PM_NOREMOVE))
        return;
    const HWND hFrame = m_hWnd;
    if (::GetCapture() != NULL || !::IsWindowEnabled(hFrame)) {
        // Not now: once more when the frame can take it, and only once while that waits.
        if (!m_bHelpPending) {
            m_bHelpPending = TRUE;
            ::PostMessageW(hFrame, WM_COMMAND, ID_CONTEXT_HELP, 0);
        }
        return;
    }
    m_bHelpPending = FALSE;
    m_bHelpMode = TRUE;
    if (::SendMessageW(hFrame, WM_SETMESSAGESTRING, AFX_IDS_HELPMODEMESSAGE, 0) == 0)
        ::SendMessageW(hFrame, WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
    ::SetCursor(::LoadCursorW(NULL, IDC_HELP));
    ::SetCapture(hFrame);
    DWORD dwHelp = 0;
    bool bDone = false;
    while (!bDone && ::IsWindow(hFrame)) {
        if (!::PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            if (CWinApp* pApp = AfxGetApp())
                pApp->OnIdle(0);
            ::WaitMessage();
            continue;
        }
        if (!::GetMessageW(&msg, NULL, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_EXITHELPMODE ||
            (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)) {
            bDone = true;
        } else if (msg.message == WM_LBUTTONDOWN || msg.message == WM_NCLBUTTONDOWN) {
            CPoint pt;
            ::GetCursorPos(&pt);
            HWND hHit = ::WindowFromPoint(pt);
            dwHelp = hHit != NULL ? sec_frame_impl::HelpIdAt(hHit, pt) : (DWORD)-1;
            bDone = true;
        } else if ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
                   (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK)) {
            ::SetCursor(::LoadCursorW(NULL, IDC_HELP)); // moves only keep the help cursor
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (::GetCapture() == hFrame)
        ::ReleaseCapture();
    m_bHelpMode = FALSE;
    if (!::IsWindow(hFrame))
        return;
    ::SendMessageW(hFrame, WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
    if (dwHelp != 0)
        if (CWinApp* pApp = AfxGetApp())
            pApp->WinHelp(dwHelp == (DWORD)-1 ? ID_DEFAULT_HELP : dwHelp, HELP_CONTEXT);
    ::PostMessageW(hFrame, WM_IDLEUPDATECMDUI, 0, 0);
}
