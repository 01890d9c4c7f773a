// SECFrameWnd: the docking machinery on a single-document frame.
#include "docking/sdi_frame.h"

#include "docking/bar_manager.h"
#include "docking/dock_state.h"
#include "docking/frame_caption.h"
#include "docking/frame_docking.h"
#include "docking/frame_dock_state.h"
#include "docking/frame_help.h"
#include "docking/frame_menu.h"
#include "docking/mini_dock_frame.h"
#include "editor/plugin/wnd_plugin.h"
#include "framework/win/wnd_state.h"

IMPLEMENT_DYNCREATE(SECFrameWnd, CFrameWnd)

UINT SECGetMenuMessage() {
    static const UINT s_nMsg = ::RegisterWindowMessageW(SEC_WM_GETMENU_NAME);
    return s_nMsg;
}

namespace {
const UINT kSecGetMenu = SECGetMenuMessage();
}

BEGIN_MESSAGE_MAP(SECFrameWnd, CFrameWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_CLOSE()
ON_WM_SYSCOLORCHANGE()
ON_WM_ENABLE()
ON_WM_NCACTIVATE()
ON_WM_NCPAINT()
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_WM_NCHITTEST()
ON_WM_ENTERIDLE()
ON_REGISTERED_MESSAGE(kSecGetMenu, OnSecGetMenu)
ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
ON_COMMAND_RANGE(43007, 43009, OnReservedCommand)
ON_COMMAND_RANGE(43012, 43014, OnReservedCommand)
ON_COMMAND_RANGE(ID_SEC_RESERVED_RANGE_FIRST, ID_SEC_RESERVED_RANGE_LAST, OnReservedCommand)
ON_UPDATE_COMMAND_UI_RANGE(43007, 43009, OnUpdateReservedCommand)
ON_UPDATE_COMMAND_UI_RANGE(43012, 43014, OnUpdateReservedCommand)
ON_UPDATE_COMMAND_UI(ID_SEC_RESERVED_RANGE_FIRST, OnUpdateReservedCommand)
END_MESSAGE_MAP()

SECFrameWnd::SECFrameWnd() : m_rectInside(0, 0, 0, 0) {}

SECFrameWnd::~SECFrameWnd() {
    if (m_hMenuDefaultBar != NULL)
        ::DestroyMenu(m_hMenuDefaultBar);
    // The frame owns the bars its dock state made (their windows are gone by now).
    while (!m_listCreatedBars.IsEmpty())
        delete m_listCreatedBars.RemoveHead();
    m_pMenuPlugIn.reset();
    m_pFramePlugIn.reset();
}

CDockBar* SECFrameWnd::CreateDockBar() {
    return new SECDockBar;
}

void SECFrameWnd::EnableDocking(DWORD dwDockStyle, DWORD dwDockBarExtraStyle) {
    sec_docking::FillClassSlots(this, nullptr, nullptr);
    sec_docking::EnableDocking(this, dwDockStyle, dwDockBarExtraStyle,
                               [this] { return CreateDockBar(); });
}

void SECFrameWnd::DockControlBarSized(CControlBar* pBar, SECDockPos* pPos, UINT nDockBarID,
                                      SECDockSize* pSize) {
    const SECDockPos pos = pPos != nullptr ? *pPos : SECDockPos{0, 0, 0};
    const SECDockSize size = pSize != nullptr ? *pSize : SECDockSize{};
    sec_docking::DockControlBarSized(this, pBar, pos, nDockBarID, size, nullptr);
}

void SECFrameWnd::FloatControlBar(CControlBar* pBar, int x, int y, DWORD dwStyle) {
    sec_docking::FloatControlBar(this, pBar, x, y, dwStyle, TRUE, nullptr);
}

void SECFrameWnd::FloatControlBarAt(CControlBar* pBar, int x, int y, DWORD dwStyle) {
    sec_docking::FloatControlBar(this, pBar, x, y, dwStyle, FALSE, nullptr);
}

void SECFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
    sec_docking::DockControlBarRect(this, pBar, pDockBar, lpRect, FALSE, nullptr);
}

void SECFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
    sec_docking::DockControlBarRect(this, pBar, pDockBar, lpRect, TRUE, nullptr);
}

void SECFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
    sec_docking::ShowControlBar(this, pBar, bShow, bDelay, FALSE);
}

void SECFrameWnd::EnableBitmapMenus(BOOL bEnable, BOOL bSecond) {
    m_bBitmapMenus = bEnable;
    m_bBitmapMenus2 = bSecond;
}

// Dock state.
void SECFrameWnd::LoadBarState(LPCTSTR lpszProfileName) {
    sec_frame_state::LoadBarState(this, m_pControlBarManager, m_listCreatedBars, lpszProfileName);
}

void SECFrameWnd::SaveBarState(LPCTSTR lpszProfileName) const {
    sec_frame_state::SaveBarState(this, m_pControlBarManager, lpszProfileName);
}

void SECFrameWnd::SetDockState(SECDockState& state) {
    state.ApplyToFrame(this);
}

void SECFrameWnd::GetDockState(SECDockState& state) const {
    sec_frame_state::CaptureSaved(this, state);
}

void SECFrameWnd::GetDockState(CDockState& state) const {
    sec_frame_state::GetDockState(*this, m_pControlBarManager, state);
}

void SECFrameWnd::SetDockState(const CDockState& state) {
    sec_frame_state::ApplyDockState(this, state);
}

// Caption.
BOOL SECFrameWnd::CreateCaptionFontItalic(CFont& font) {
    return sec_caption::CreateCaptionFont(font, TRUE);
}

BOOL SECFrameWnd::CreateCaptionFont(CFont& font) {
    return sec_caption::CreateCaptionFont(font, FALSE);
}

void SECFrameWnd::DrawGradientCaption() {
    CFont font, fontItalic;
    CreateCaptionFont(font);
    CreateCaptionFontItalic(fontItalic);
    if (!sec_caption::DrawGradientCaption(this, m_bCaptionActive, m_bWin4, font, fontItalic))
        EnableOwnCaption(FALSE);
}

BOOL SECFrameWnd::EnableOwnCaption(BOOL bEnable) {
    return sec_caption::EnableOwnCaption(this, m_bOwnCaption, m_bWin4, bEnable);
}

BOOL SECFrameWnd::OnNcActivate(BOOL bActive) {
    if (!m_bOwnCaption)
        return CFrameWnd::OnNcActivate(bActive);
    if (m_bStayActive)
        bActive = TRUE;
    if (!IsWindowEnabled())
        bActive = FALSE;
    m_bCaptionActive = bActive;
    const BOOL bResult = sec_caption::DefaultHidden(this, WM_NCACTIVATE, bActive, 0);
    SendMessage(WM_NCPAINT, 1, 0);
    return bResult;
}

void SECFrameWnd::OnNcPaint() {
    if (!m_bOwnCaption) {
        Default();
        return;
    }
    sec_caption::PaintFrameAroundCaption(this, m_bWin4);
    DrawGradientCaption();
}

LRESULT SECFrameWnd::OnSetText(WPARAM wParam, LPARAM lParam) {
    if (!m_bOwnCaption)
        return Default();
    const LRESULT result = sec_caption::DefaultHidden(this, WM_SETTEXT, wParam, lParam);
    DrawGradientCaption();
    return result;
}

// Menus.
HMENU SECFrameWnd::GetDefaultMenu() {
    return m_pMenuBar != nullptr ? m_hMenuDefaultBar : CFrameWnd::GetDefaultMenu();
}

HMENU SECFrameWnd::FindMenuByID(UINT nID) {
    return nID != 0 && nID == m_nDefaultMenuID ? GetDefaultMenu() : NULL;
}

void SECFrameWnd::OnUpdateFrameMenu(BOOL, CWnd*, HMENU) {}

LRESULT SECFrameWnd::OnSecGetMenu(WPARAM wParam, LPARAM lParam) {
    return (LRESULT)sec_frame_menu::SubMenu(FindMenuByID((UINT)wParam), lParam);
}

CObject* SECFrameWnd::CreateFramePlugIn(WPARAM w1, WPARAM w2, CRuntimeClass* pClass, WPARAM w3) {
    m_pFramePlugIn.reset(sec_frame_menu::CreateFramePlugIn(this, w1, w2, pClass, w3));
    return m_pFramePlugIn.get();
}

// Creation and destruction.
BOOL SECFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                            CCreateContext* pContext) {
    m_nDefaultMenuID = nIDResource;
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    if (m_pMenuBar != nullptr) {
        ::SetMenu(m_hWnd, NULL); // the menus show in the bar
        if (m_hMenuDefaultBar == NULL)
            m_hMenuDefaultBar = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource));
        if (SECMenuBarLink* pLink = sec_frame_menu::MenuBarLinkOf(m_pMenuPlugIn.get()))
            if (pLink->ShowMenuOnBar(m_hMenuDefaultBar, nIDResource))
                pLink->RelayoutBar();
    }
    return TRUE;
}

BOOL SECFrameWnd::AttachMenuBar(SECMenuBar* pMenuBar, CControlBar* pBar) {
    return sec_frame_menu::AttachMenuBar(this, m_pMenuBar, m_pMenuBarOwned, pMenuBar, pBar);
}

int SECFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    if (m_pMenuBar != nullptr)
        m_pMenuPlugIn = sec_frame_menu::CreateMenuBarFeature(this, m_pMenuBar, m_pControlBarManager,
                                                             m_bBitmapMenus);
    else if (m_bBitmapMenus)
        m_pMenuPlugIn = sec_frame_menu::CreateBitmapMenuPlugIn(this, m_pControlBarManager);
    return 0;
}

// The framework's close sequence (documents asked, the window destroyed); the menu plug-in goes
// with the window in OnDestroy, before the bars.
void SECFrameWnd::OnClose() {
    CFrameWnd::OnClose();
}

void SECFrameWnd::OnDestroy() {
    m_pMenuPlugIn.reset();
    sec_docking::DestroyBars(this);
    CFrameWnd::OnDestroy();
}

// Routing.
BOOL SECFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    BOOL bHandled = FALSE;
    if (sec_frame_menu::CommandInPlugIn(m_pFramePlugIn.get(), nID, nCode, pExtra, pHandlerInfo,
                                        &bHandled))
        return bHandled;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL SECFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (sec_frame_menu::PreTranslateInPlugIn(m_pMenuPlugIn.get(), this, pMsg))
        return TRUE;
    if (pMsg->message == WM_SYSCOMMAND && (pMsg->wParam & 0xFFF0) == SC_CLOSE &&
        sec_frame_menu::InConfigMode(m_pControlBarManager))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

LRESULT SECFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (message == WM_INITMENUPOPUP && m_bBitmapMenus) {
        // The frame brings the items up to date first; the plug-in then draws what they are.
        const HWND hWnd = m_hWnd;
        result = CFrameWnd::WindowProc(message, wParam, lParam);
        if (::IsWindow(hWnd))
            sec_frame_menu::OfferToPlugIn(m_pMenuPlugIn.get(), message, wParam, lParam, &result);
        return result;
    }
    if (sec_frame_menu::OfferToPlugIn(m_pMenuPlugIn.get(), message, wParam, lParam, &result))
        return result;
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

// Layout.
void SECFrameWnd::RecalcLayout(BOOL bNotify) {
    CFrameWnd::RecalcLayout(bNotify);
    sec_docking::AfterLayout(this);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &m_rectInside);
}

void SECFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
    CFrameWnd::OnSetPreviewMode(bPreview, pState);
    if (!bPreview)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void SECFrameWnd::OnIdleLayout(UINT nWhy, CWnd* pWho) {
    sec_frame_menu::LayoutWhileConfiguring(this, m_pControlBarManager, nWhy);
    CFrameWnd::OnEnterIdle(nWhy, pWho);
}

void SECFrameWnd::OnEnterIdle(UINT nWhy, CWnd* pWho) {
    OnIdleLayout(nWhy, pWho);
}

// Other handlers.
void SECFrameWnd::OnSysColorChange() {
    sec_docking::RefreshColors(this);
}

void SECFrameWnd::OnEnable(BOOL bEnable) {
    if (sec_frame_menu::InConfigMode(m_pControlBarManager))
        m_bStayActive = FALSE;
    CFrameWnd::OnEnable(bEnable);
}

LRESULT SECFrameWnd::OnNcHitTest(CPoint) {
    if (sec_frame_menu::InConfigMode(m_pControlBarManager))
        return HTERROR;
    return Default();
}

void SECFrameWnd::OnContextHelp() {
    sec_frame_help::RunContextHelp(this, m_bHelpMode, m_bHelpPending);
}

void SECFrameWnd::OnReservedCommand(UINT) {}

void SECFrameWnd::OnUpdateReservedCommand(CCmdUI*) {}
