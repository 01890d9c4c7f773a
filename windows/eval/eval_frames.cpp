#include "windows/eval/eval_frames.h"

#include "shell/frame/mainframe.h"

IMPLEMENT_DYNCREATE(CEvalView, CDocView)
IMPLEMENT_DYNCREATE(CEvalWnd, SECMDIChildWnd)
IMPLEMENT_DYNCREATE(CDocEvalWnd, SECDockableFrame)

BEGIN_MESSAGE_MAP(CEvalView, CDocView)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CEvalWnd, SECMDIChildWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CDocEvalWnd, SECDockableFrame)
ON_WM_CLOSE()
END_MESSAGE_MAP()

namespace {
constexpr DWORD kCtrlStyle = 0x5000002F;
// The list's: columns fit the width, both grids.
constexpr DWORD kCtrlExStyle = 0x06C00000;
// Full-row selection and both grids.
constexpr DWORD kListExStyleAdded = 0x02C00000;
} // namespace

int CEvalView::OnCreate(LPCREATESTRUCT lpcs) {
    if (CDocView::OnCreate(lpcs) == -1)
        return -1;
    CRect rect;
    if (CWnd* pParent = GetParent())
        pParent->GetClientRect(&rect);
    if (!m_ctrl.CreateEx(kCtrlStyle, kCtrlExStyle, rect, this, kEvalCtrlId))
        return -1;
    m_ctrl.SetColumnWidth(0, 0);
    m_ctrl.SetColumnText(0, L"Variable");
    m_ctrl.InsertColumnArgs(1, L"Value");
    m_ctrl.ModifyStyles(0, 0, 0, kListExStyleAdded, FALSE);
    // A value is one line: Enter ends its edit instead of breaking the line.
    m_ctrl.ModifyListStyle(0, LVS_NOLABELWRAP, FALSE);
    m_ctrl.Invalidate();
    return 0;
}

void CEvalView::OnSize(UINT nType, int cx, int cy) {
    CDocView::OnSize(nType, cx, cy);
    if (cx == 0 || cx == m_nLastWidth || m_ctrl.GetSafeHwnd() == NULL)
        return;
    const int value = m_ctrl.GetColumnWidth(1);
    if (value > 0)
        m_nLastValueWidth = value;
    const long long scaled = static_cast<long long>(m_nLastValueWidth) * cx / m_nLastWidth;
    m_nLastValueWidth = static_cast<int>(scaled);
    if (value > 0 && scaled >= 0 && scaled <= cx) {
        m_ctrl.SetColumnWidth(1, m_nLastValueWidth);
        m_ctrl.SetColumnWidth(0, cx - m_nLastValueWidth);
    } else {
        m_ctrl.SetColumnWidth(1, cx / 2);
        m_ctrl.SetColumnWidth(0, cx / 2);
    }
    m_nLastWidth = cx;
}

int CEvalWnd::OnCreate(LPCREATESTRUCT lpcs) {
    if (CMainFrame* pMain = MainFrame())
        pMain->PlaceNewFrame(this);
    return SECMDIChildWnd::OnCreate(lpcs) == -1 ? -1 : 0;
}

CEvalCtrl* EvalCtrlOfFrame(CWnd* pFrame) {
    auto* pFrameWnd = DYNAMIC_DOWNCAST(CFrameWnd, pFrame);
    if (pFrameWnd == nullptr)
        return nullptr;
    auto* pView = DYNAMIC_DOWNCAST(CEvalView, pFrameWnd->GetActiveView());
    if (pView == nullptr) {
        // A frame being built has no active view yet: its first child is the view.
        CWnd* pChild = CWnd::FromHandlePermanent(::GetWindow(pFrameWnd->m_hWnd, GW_CHILD));
        pView = DYNAMIC_DOWNCAST(CEvalView, pChild);
    }
    return pView != nullptr && pView->Ctrl().GetSafeHwnd() != NULL ? &pView->Ctrl() : nullptr;
}

// The frame never closes itself: the host closes it when it has the request.
void CEvalWnd::OnClose() {
    EvalWnd_RequestClose(EvalCtrlOfFrame(this));
}

void CDocEvalWnd::OnClose() {
    EvalWnd_RequestClose(EvalCtrlOfFrame(this));
}

void CEvalFamilySteps::CloseDocked(CFrameWnd* pDocked) {
    if (auto* pFrame = DYNAMIC_DOWNCAST(CDocEvalWnd, pDocked))
        pFrame->CloseFrame();
    else
        CFrameFamilySteps::CloseDocked(pDocked);
}
