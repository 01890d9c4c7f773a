// SECMDIFrameWnd: construction, docking, floating and the frame's life.
#include "docking/mdi_frame.h"

#include "docking/bar_manager.h"
#include "docking/bar_mdi_child.h"
#include "docking/doc_template.h"
#include "docking/msgfilter_list.h"
#include "docking/dock_state.h"
#include "docking/frame_docking.h"
#include "docking/mini_dock_frame.h"
#include "docking/sys_command_filters.h"
#include "editor/plugin/wnd_plugin.h"
#include "framework/docview/doctemplate.h"

#include <cstdarg>

using nsSysCommandEx::ScxButtonMDIMaxChildMsgFilter;
using nsSysCommandEx::ScxMsgFilter;
using nsSysCommandEx::ScxNCRDBLClkMDIMaxChildMsgFilter;

IMPLEMENT_DYNCREATE(SECMDIFrameWnd, CMDIFrameWnd)

namespace {
const UINT kSecGetMenu = SECGetMenuMessage();

// The dock-bar ring: six passes, a 0 before an entry starts a new row with it.
std::vector<UINT> BuildDockRing() {
    std::vector<UINT> ring;
    for (int i = 0; i < 6; ++i) {
        if (i % 3 == 0)
            ring.push_back(0);
        ring.push_back(AFX_IDW_DOCKBAR_BOTTOM);
        if (i % 2 == 0)
            ring.push_back(0);
        ring.push_back(AFX_IDW_DOCKBAR_LEFT);
        if (i % 2 == 0)
            ring.push_back(0);
        ring.push_back(AFX_IDW_DOCKBAR_RIGHT);
    }
    return ring;
}

BOOL AnyDockingTemplate() {
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return FALSE;
    CRuntimeClass* pClass = RUNTIME_CLASS(SECMultiDocTemplate);
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL;) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
        if (pTemplate != nullptr && pTemplate->IsKindOf(pClass))
            return TRUE;
    }
    return FALSE;
}
} // namespace

BEGIN_MESSAGE_MAP(SECMDIFrameWnd, CMDIFrameWnd)
SEC_FRAME_IMPL_MESSAGES(kSecGetMenu)
ON_WM_ACTIVATE()
ON_WM_ACTIVATEAPP()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCRBUTTONDOWN()
ON_WM_NCRBUTTONDBLCLK()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
ON_MESSAGE(WM_SEC_EXTENDCONTEXTMENU, OnExtendContextMenu)
END_MESSAGE_MAP()

SECMDIFrameWnd::SECMDIFrameWnd() : m_filters(this) {
    m_filters.AddDescriptor(SEC_FILTER_SYSCOMMANDEX, -1, RUNTIME_CLASS(ScxMsgFilter), 0);
    m_pCapConLstDescriptor = m_filters.AddDescriptor(
        SEC_FILTER_CAPTIONLIST, -1, RUNTIME_CLASS(SECCapConLstMDIMaxChildMsgFilter), 0);
    m_filters.AddDescriptor(SEC_FILTER_MAXCHILD_BUTTON, SEC_FILTER_CAPTIONLIST,
                            RUNTIME_CLASS(ScxButtonMDIMaxChildMsgFilter), 0);
    m_filters.AddDescriptor(SEC_FILTER_MAXCHILD_NCRDBLCLK, -1,
                            RUNTIME_CLASS(ScxNCRDBLClkMDIMaxChildMsgFilter), 0);
    EnableCaptionButtons(AnyDockingTemplate() ? 1 : 0);
    m_bWin4 = LOBYTE(LOWORD(::GetVersion())) >= 4;
    m_dockRing = BuildDockRing();
}

SECMDIFrameWnd::~SECMDIFrameWnd() {
    for (auto& entry : m_menuMap)
        ::DestroyMenu(entry.second);
    m_menuMap.clear();
}

// Docking.
CDockBar* SECMDIFrameWnd::CreateDockBar() {
    CRuntimeClass* pClass =
        m_pSECDockBarClass != nullptr ? m_pSECDockBarClass : RUNTIME_CLASS(SECDockBar);
    CObject* pObject = pClass->CreateObject();
    if (auto* pDockBar = DYNAMIC_DOWNCAST(CDockBar, pObject))
        return pDockBar;
    delete pObject;
    return nullptr;
}

void SECMDIFrameWnd::EnableDocking(DWORD dwDockStyle, DWORD dwDockBarExtraStyle) {
    if (m_pFloatingMDIChildClass == nullptr)
        m_pFloatingMDIChildClass = RUNTIME_CLASS(SECControlBarMDIChildWnd);
    SECFrameImpl::EnableDocking(dwDockStyle, dwDockBarExtraStyle);
}

void SECMDIFrameWnd::DockControlBarAt(CControlBar* pBar, UINT nDockBarID, int b, int a,
                                      float fProportion, int nLength) {
    SECDockPos pos{a, b, 0};
    SECDockSize size{fProportion, nLength};
    DockControlBarSized(pBar, &pos, nDockBarID, &size);
}

CFrameWnd* SECMDIFrameWnd::CreateControlBarMDIChild(DWORD dwStyle, CControlBar*) {
    if (m_pFloatingMDIChildClass == nullptr)
        AfxThrowMemoryException();
    CObject* pObject = m_pFloatingMDIChildClass->CreateObject();
    auto* pChild = DYNAMIC_DOWNCAST(CFrameWnd, pObject);
    if (pChild == nullptr) {
        delete pObject;
        AfxThrowMemoryException();
    }
    m_dwCreatingFloatStyle = dwStyle;
    const BOOL bLoaded = pChild->LoadFrame(IDR_SEC_MDIFLOAT, 0x42CFA000, this, nullptr);
    m_dwCreatingFloatStyle = 0;
    if (!bLoaded)
        return nullptr; // a frame whose creation failed has deleted itself
    return pChild;
}

void SECMDIFrameWnd::FloatControlBarAsMDIChild(CControlBar* pBar, int x, int y, DWORD dwStyle) {
    if (pBar == nullptr || pBar->m_hWnd == NULL || m_hWndMDIClient == NULL)
        return;
    auto* pSEC = DYNAMIC_DOWNCAST(SECControlBar, pBar);
    if (pSEC != nullptr)
        pSEC->OnPreFloatAsMDIChild();
    CRect rectClient;
    ::GetWindowRect(m_hWndMDIClient, &rectClient);
    CPoint pt(x, y);
    if (x < 0 || y < 0) {
        pt = m_ptNextFloat;
        m_ptNextFloat.Offset(20, 23);
        if (m_ptNextFloat.x > rectClient.Width() - 30)
            m_ptNextFloat.x = 30;
        if (m_ptNextFloat.y > rectClient.Height() - 30)
            m_ptNextFloat.y = 30;
    } else {
        ::ScreenToClient(m_hWndMDIClient, &pt);
    }
    pt.x = pt.x < 1 ? 0 : std::min<int>(pt.x, rectClient.Width());
    pt.y = pt.y < 1 ? 0 : std::min<int>(pt.y, rectClient.Height() - 30);

    CDockBar* pOld = pBar->m_pDockBar;
    auto* pOldSEC = DYNAMIC_DOWNCAST(SECDockBar, pOld);
    if (pOldSEC != nullptr && pOldSEC->m_bHostedInMainWindow && pOld->GetDockedCount() == 1 &&
        (dwStyle & pOld->GetBarStyle() & CBRS_ALIGN_ANY)) {
        auto* pChild = DYNAMIC_DOWNCAST(CFrameWnd, pOld->GetParent());
        if (pChild != nullptr) {
            pChild->SetWindowPos(NULL, pt.x, pt.y, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            pChild->RecalcLayout();
            pChild->UpdateWindow();
        }
        return;
    }
    dwStyle = sec_docking::FloatStyleFor(pBar, dwStyle);
    CFrameWnd* pChild = CreateControlBarMDIChild(dwStyle, pBar);
    if (pChild == nullptr)
        return;
    const HWND hChild = pChild->m_hWnd;
    if (pChild->GetOwner() == nullptr || pChild->GetOwner() == this)
        pChild->SetOwner(pBar);
    if (pBar->m_pDockSite == nullptr)
        pBar->m_pDockSite = this;
    if (auto* pDockBar = DYNAMIC_DOWNCAST(CDockBar, pChild->GetDlgItem(AFX_IDW_DOCKBAR_FLOAT)))
        pDockBar->DockControlBar(pBar, NULL);
    if (!::IsWindow(hChild))
        return;
    pChild->RecalcLayout();
    pChild->SetWindowPos(NULL, pt.x, pt.y, 0, 0, SWP_NOSIZE);
    pChild->ShowWindow(SW_SHOWNA);
    pChild->UpdateWindow();
    if (HICON hIcon = (HICON)pBar->SendMessage(WM_GETICON, ICON_BIG, 0))
        pChild->SendMessage(WM_SETICON, ICON_BIG, (LPARAM)hIcon);
    if (pSEC != nullptr)
        pSEC->OnPostFloatAsMDIChild();
}

SECFrameWnd* SECMDIFrameWnd::GetBarHostedFrame(CControlBar* pBar) {
    return sec_docking::GetBarHostedFrame(pBar);
}

namespace {
const wchar_t kPreFloatStyle[] = L"SECDockableFrame PreFloat Docked Style";
const wchar_t kPreFloatExStyle[] = L"SECDockableFrame PreFloat Docked ExStyle";
} // namespace

void SECMDIFrameWnd::SwapPreFloatStyle(SECFrameWnd* pFrame, BOOL bFloating) {
    if (pFrame == nullptr || pFrame->m_hWnd == NULL)
        return;
    const HWND h = pFrame->m_hWnd;
    if (bFloating) {
        ::SetPropW(h, kPreFloatStyle, (HANDLE)(UINT_PTR)pFrame->GetStyle());
        ::SetPropW(h, kPreFloatExStyle, (HANDLE)(UINT_PTR)pFrame->GetExStyle());
        if (CFrameWnd* pMini = pFrame->GetParentFrame()) {
            pMini->ModifyStyle(GetStyle(), WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
            pMini->ModifyStyleEx(GetExStyle(), 0);
        }
        pFrame->ModifyStyle(0, (GetStyle() & 0x10CFFFFF) | WS_CAPTION);
        pFrame->ModifyStyleEx(0, GetExStyle() & 0x203A9, SWP_FRAMECHANGED);
        return;
    }
    // Only styles that were stored come back: a frame floated another way keeps its own.
    if (!::GetPropW(h, kPreFloatStyle) && !::GetPropW(h, kPreFloatExStyle))
        return;
    const DWORD dwStyle = (DWORD)(UINT_PTR)::RemovePropW(h, kPreFloatStyle);
    const DWORD dwExStyle = (DWORD)(UINT_PTR)::RemovePropW(h, kPreFloatExStyle);
    ::SetWindowLongW(h, GWL_STYLE, (LONG)dwStyle);
    ::SetWindowLongW(h, GWL_EXSTYLE, (LONG)dwExStyle);
    ::SetWindowPos(h, NULL, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void SECMDIFrameWnd::FitToParent(CWnd* pWnd) {
    sec_docking::FitToParent(pWnd);
}

// A bar already in that state is left alone.
void SECMDIFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
    if (pBar != nullptr && pBar->m_hWnd != NULL && (pBar->IsVisible() != FALSE) == (bShow != FALSE))
        return;
    SECFrameImpl::ShowControlBar(pBar, bShow, bDelay);
}

void SECMDIFrameWnd::GetNextDockingPosition(UINT& nDockBarID, SECDockPos& pos, SECDockSize& size) {
    size = SECDockSize{1.0f, 150};
    nDockBarID = 0;
    const UINT n = (UINT)m_dockRing.size();
    UINT index = n != 0 ? m_nNextRingIndex % n : 0;
    for (UINT step = 0; step < n; ++step) {
        const UINT i = index;
        index = (index + 1) % n;
        const UINT id = m_dockRing[i];
        if (id == 0)
            continue;
        nDockBarID = id;
        pos = SECDockPos{0, 1, 2};
        if (id == AFX_IDW_DOCKBAR_TOP || id == AFX_IDW_DOCKBAR_LEFT)
            pos.dwFlags = 3;
        if (n > 1 && m_dockRing[(i + n - 1) % n] == 0) {
            pos.dwFlags |= 4;
            if (pos.dwFlags & 1) // counted from the far end: the new row comes after the last
                pos.nRow = 1;
        }
        break;
    }
    m_nNextRingIndex = index;
    if (nDockBarID == 0) {
        nDockBarID = AFX_IDW_DOCKBAR_BOTTOM;
        pos = SECDockPos{0, 0, 4};
    }
}

void SECMDIFrameWnd::EnableCaptionButtons(DWORD dwFlags) {
    // One word per descriptor: 257, 256, 260, 261.
    CDWordArray record;
    const BOOL bOn = (dwFlags & 0x1) != 0;
    record.Add(bOn);
    record.Add(bOn && !(dwFlags & 0x2));
    record.Add(bOn && !(dwFlags & 0x2));
    record.Add(bOn && !(dwFlags & 0x4));
    m_filters.Apply(record);
    if (m_pMenuBar != nullptr && m_pCapConLstDescriptor != nullptr)
        m_filters.GetRoot()->EnableDescriptor(m_pCapConLstDescriptor, FALSE);
}

// Life.
int SECMDIFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
    if (SECFrameImpl::OnCreate(lpcs) == -1)
        return -1;
    // A menu bar shows the maximised child's buttons itself.
    if (m_pMenuBar != nullptr && m_pCapConLstDescriptor != nullptr)
        m_filters.GetRoot()->EnableDescriptor(m_pCapConLstDescriptor, FALSE);
    SECDockBar::s_bContextMenu = TRUE;
    return 0;
}

void SECMDIFrameWnd::OnDestroy() {
    m_pActiveDockedFrame = nullptr;
    SECFrameImpl::OnDestroy();
}

void SECMDIFrameWnd::OnDockedFrameDestroyed(SECFrameWnd* pFrame) {
    if (pFrame != nullptr && m_pActiveDockedFrame == pFrame)
        m_pActiveDockedFrame = nullptr;
}

LRESULT SECMDIFrameWnd::OnExtendContextMenu(WPARAM wParam, LPARAM lParam) {
    // Pointers are believed only from this thread, and only when they name a bar of this frame.
    if (::InSendMessage())
        return 0;
    SECControlBar* pBar = nullptr;
    for (CControlBar* p : sec_docking::FrameBars(this))
        if (reinterpret_cast<WPARAM>(static_cast<CObject*>(p)) == wParam)
            pBar = DYNAMIC_DOWNCAST(SECControlBar, p);
    auto* pMenu = reinterpret_cast<CMenu*>(lParam);
    if (pBar == nullptr || pMenu == nullptr || !::IsMenu(pMenu->m_hMenu))
        return 0;
    HMENU hMenu = pMenu->m_hMenu;
    auto* pDockBar = DYNAMIC_DOWNCAST(SECDockBar, pBar->m_pDockBar);
    const BOOL bInMain = pDockBar != nullptr && pDockBar->m_bHostedInMainWindow;
    if (bInMain)
        ::EnableMenuItem(hMenu, ID_SEC_ALLOWDOCKING, MF_BYCOMMAND | MF_GRAYED);
    if (pBar->GetExBarStyle() & CBRS_EX_ALLOW_MDI_FLOAT) {
        CString text;
        text.LoadString(ID_SEC_FLOATMAINWINDOW);
        if (text.IsEmpty())
            text = L"Float In Main Window";
        ::AppendMenuW(hMenu, MF_SEPARATOR, 0, NULL);
        ::AppendMenuW(hMenu, MF_STRING | (bInMain ? MF_CHECKED : 0), ID_SEC_FLOATMAINWINDOW, text);
    }
    return 0;
}
