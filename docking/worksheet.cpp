// SECWorksheetWnd and SECControlBarWorksheet: MDI children that are the workbook's sheets.
#include "docking/workbook.h"

#include "framework/docview/view.h"
#include "framework/win/resources.h"
#include "framework/win/winapp.h"

IMPLEMENT_DYNCREATE(SECWorksheetWnd, SECMDIChildWnd)
IMPLEMENT_DYNCREATE(SECControlBarWorksheet, SECWorksheetWnd)

BEGIN_MESSAGE_MAP(SECWorksheetWnd, SECMDIChildWnd)
ON_WM_DESTROY()
ON_WM_SHOWWINDOW()
ON_WM_MOUSEACTIVATE()
ON_WM_MDIACTIVATE()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(SECControlBarWorksheet, SECWorksheetWnd)
ON_WM_SIZE()
ON_WM_CLOSE()
ON_WM_WINDOWPOSCHANGED()
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

SECWorksheetWnd::~SECWorksheetWnd() {
    if (m_hTabIcon != NULL)
        ::DestroyIcon(m_hTabIcon);
}

SECWorkbookWnd* SECWorksheetWnd::GetWorkbook() const {
    if (m_hWnd != NULL)
        if (auto* pBook = DYNAMIC_DOWNCAST(SECWorkbookWnd, GetMDIFrame()))
            return pBook;
    return DYNAMIC_DOWNCAST(SECWorkbookWnd, AfxGetMainWnd());
}

BOOL SECWorksheetWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                                CCreateContext* pContext) {
    if (SECMDIChildWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext) != TRUE)
        return FALSE;
    if (SECWorkbookWnd* pBook = GetWorkbook())
        pBook->AddSheet(this);
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_GROUP_ICON);
    m_hTabIcon = (HICON)::LoadImageW(hInst, MAKEINTRESOURCEW(nIDResource), IMAGE_ICON, 16, 16, 0);
    return TRUE;
}

void SECWorksheetWnd::OnDestroy() {
    if (SECWorkbookWnd* pBook = GetWorkbook())
        pBook->RemoveSheet(this);
    SECMDIChildWnd::OnDestroy();
    if (m_hTabIcon != NULL) {
        ::DestroyIcon(m_hTabIcon);
        m_hTabIcon = NULL;
    }
}

void SECWorksheetWnd::OnShowWindow(BOOL, UINT) {
    Default();
    if (SECWorkbookWnd* pBook = GetWorkbook())
        pBook->InvalidateTab(this, TRUE);
}

void SECWorksheetWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    SECMDIChildWnd::OnUpdateFrameTitle(bAddToTitle);
    // Every activation updates the title: the tab is drawn again only when its label changed.
    if (SECWorkbookWnd* pBook = GetWorkbook())
        if (pBook->GetTabLabel(this) != m_strTabLabel)
            pBook->InvalidateTab(this);
    ActivateFrameMenu(this);
}

void SECWorksheetWnd::OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt) {
    SECMDIChildWnd::OnUpdateFrameMenu(bActive, pActivateWnd, hMenuAlt);
    // A sheet whose menu lives in a menu bar changes the menu without WM_MDISETMENU.
    if (m_hMenuShared == NULL && m_bUsesMenuBar)
        if (SECWorkbookWnd* pBook = GetWorkbook())
            if (pBook->m_hWndMDIClient != NULL)
                ::SendMessageW(pBook->m_hWndMDIClient, WM_WORKBOOK_MENUCHANGED, (WPARAM)-1,
                               (LPARAM)-1);
}

int SECWorksheetWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    SECWorkbookWnd* pBook = GetWorkbook();
    if (pBook != NULL)
        pBook->DeactivateDockedFrame(FALSE);
    const int nResult = CMDIChildWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (pBook == NULL || pBook->MDIGetActive() == this)
        return nResult;
    const HMENU hMenuBefore = ::GetMenu(pBook->m_hWnd);
    pBook->MDIActivate(this);
    if (CView* pView = GetActiveView()) {
        HWND hFocus = ::GetFocus();
        if (hFocus != pView->m_hWnd && !::IsChild(pView->m_hWnd, hFocus))
            pView->SetFocus();
    }
    SendMessage(WM_NCACTIVATE, TRUE);
    OnUpdateFrameTitle(TRUE);
    ActivateFrameMenu(this);
    // The menu bar is drawn again when the sheet brought another menu.
    if (::GetMenu(pBook->m_hWnd) != hMenuBefore)
        ::DrawMenuBar(pBook->m_hWnd);
    if (pBook->HasMenuBar())
        pBook->SwitchMenuBarMenu(m_nMenuID);
    return nResult;
}

// The tabs of the sheet that lost and the sheet that took the activation are drawn again, also
// when the frame's menu stays the same (no WM_MDISETMENU tells the workbook then).
void SECWorksheetWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) {
    SECMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
    if (bActivate)
        if (SECWorkbookWnd* pBook = GetWorkbook())
            pBook->SendMessage(WM_WORKBOOK_SHEETACTIVATED, 0, 0);
}

// --- the control-bar worksheet -----------------------------------------------------------------

BOOL SECControlBarWorksheet::PreCreateWindow(CREATESTRUCT& cs) {
    if (!SECWorksheetWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL SECControlBarWorksheet::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                                       CCreateContext* pContext) {
    if (!SECWorksheetWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    // The tab icon comes from the bar.
    if (m_hTabIcon != NULL) {
        ::DestroyIcon(m_hTabIcon);
        m_hTabIcon = NULL;
    }
    return TRUE;
}

BOOL SECControlBarWorksheet::OnCreateClient(LPCREATESTRUCT, CCreateContext*) {
    auto* pSite = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    if (pSite == NULL)
        return FALSE;
    return m_host.Create(this, pSite);
}

void SECControlBarWorksheet::RecalcLayout(BOOL bNotify) {
    if (m_bInRecalcLayout)
        return;
    SECWorksheetWnd::RecalcLayout(bNotify);
    m_host.ShowTextAsCaption(this);
}

void SECControlBarWorksheet::OnUpdateFrameTitle(BOOL bAddToTitle) {
    SECFloatBarHost::KeepCaption(this, [&] { SECWorksheetWnd::OnUpdateFrameTitle(bAddToTitle); });
    if (m_hTabIcon != NULL)
        return;
    // The first bar with an icon lends it to the tab and the sheet.
    for (INT_PTR i = 0; i < m_host.GetDockBar().m_arrBars.GetSize(); ++i) {
        auto* pBar = static_cast<CControlBar*>(m_host.GetDockBar().m_arrBars[i]);
        if (pBar == NULL || IS_INTRESOURCE(pBar) || pBar->GetSafeHwnd() == NULL)
            continue;
        if (HICON hIcon = (HICON)pBar->SendMessage(WM_GETICON, ICON_BIG, 0)) {
            m_hTabIcon = ::CopyIcon(hIcon);
            SendMessage(WM_SETICON, ICON_BIG, (LPARAM)hIcon);
            return;
        }
    }
    m_hTabIcon = ::CopyIcon(::LoadIconW(NULL, IDI_WINLOGO));
}

void SECControlBarWorksheet::OnSize(UINT nType, int cx, int cy) {
    m_host.OnSize(cx, cy);
    SECWorksheetWnd::OnSize(nType, cx, cy);
}

void SECControlBarWorksheet::OnClose() {
    if (!m_host.OnClose(this))
        SECWorksheetWnd::OnClose();
}

void SECControlBarWorksheet::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
    m_host.OnWindowPosChanged(this);
    SECWorksheetWnd::OnWindowPosChanged(lpwndpos);
}

void SECControlBarWorksheet::OnShowWindow(BOOL bShow, UINT nStatus) {
    SECWorksheetWnd::OnShowWindow(bShow, nStatus);
    if (SECWorkbookWnd* pBook = GetWorkbook())
        if (pBook->m_hWndMDIClient != NULL)
            ::PostMessageW(pBook->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
}
