#include "docking/dialog_bar.h"

#include "docking/control_bar_info.h"
#include "framework/docview/dockbar.h"

IMPLEMENT_DYNCREATE(SECDialogBar, SECControlBar)
IMPLEMENT_DYNCREATE(SECFrameBar, SECControlBar)

BEGIN_MESSAGE_MAP(SECDialogBar, SECControlBar)
ON_MESSAGE(WM_INITDIALOG, OnInitDialog)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(SECFrameBar, SECControlBar)
ON_WM_PARENTNOTIFY()
ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

SECDialogBar::~SECDialogBar() {
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL SECDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, DWORD dwStyle, DWORD dwExStyle,
                          UINT nID) {
    if (m_hWnd != NULL || pParentWnd == nullptr)
        return FALSE;
    m_dwStyle = dwStyle & CBRS_ALL;
    m_dwExStyle = dwExStyle;
    CREATESTRUCT cs = {};
    cs.style = (dwStyle & ~CBRS_ALL) | WS_CHILD;
    cs.lpszClass = AfxControlBarClassName();
    cs.hMenu = (HMENU)(UINT_PTR)nID;
    cs.hwndParent = pParentWnd->m_hWnd;
    cs.hInstance = AfxGetInstanceHandle();
    if (!PreCreateWindow(cs))
        return FALSE;
    m_nTemplateInCreation = nIDTemplate;
    const BOOL bMade = CreateDlg(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
    m_nTemplateInCreation = 0;
    if (!bMade)
        return FALSE;
    m_nResourceID = nIDTemplate;
    SetDlgCtrlID((int)nID);
    CRect rect;
    GetWindowRect(&rect);
    const CSize size = rect.Size();
    ModifyStyle(WS_CAPTION, WS_CLIPSIBLINGS);
    if (!ExecuteDlgInit(MAKEINTRESOURCEW(nIDTemplate))) {
        DestroyWindow();
        return FALSE;
    }
    m_dwExStyle |= CBRS_EX_SCALECHILDREN;
    SaveChildRects();
    SetWindowPos(NULL, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                     ((dwStyle & WS_VISIBLE) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    m_szFloat = m_szHorzDock = m_szVertDock = size;
    return TRUE;
}

LRESULT SECDialogBar::OnInitDialog(WPARAM, LPARAM) {
    Default();
    return TRUE;
}

void SECDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void SECDialogBar::GetBarInfoEx(SECControlBarInfo* pInfo) {
    pInfo->m_nResourceID = m_nResourceID;
    SECControlBar::GetBarInfoEx(pInfo);
}

void SECFrameBar::OnParentNotify(UINT, LPARAM) {
    Default();
}

int SECFrameBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    if (IsFloating()) {
        if (CWnd* pFrame = m_pDockBar->GetParent())
            pFrame->SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        return MA_ACTIVATE;
    }
    return SECControlBar::OnMouseActivate(pDesktopWnd, nHitTest, message);
}
