#include "docking_test_support.h"

namespace {
class CDockTestApp : public CWinApp {
public:
    CDockTestApp() : CWinApp(L"DockingTests") {}
};
CDockTestApp theApp;
} // namespace

std::map<HWND, int> CTestBar::s_moves;

BEGIN_MESSAGE_MAP(CTestBar, SECControlBar)
ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

CDockTestFrame::CDockTestFrame() {
    m_pDockBarClass = RUNTIME_CLASS(SECDockBar);
    m_pFloatingFrameClass = RUNTIME_CLASS(SECMiniDockFrameWnd);
}

BOOL CDockTestFrame::Open(int cx, int cy) {
    CRect rect(0, 0, cx, cy);
    ::AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, 0);
    rect.OffsetRect(40 - rect.left, 40 - rect.top);
    if (!Create(NULL, L"Docking", WS_OVERLAPPEDWINDOW, rect))
        return FALSE;
    EnableDocking(CBRS_ALIGN_ANY);
    ShowWindow(SW_SHOWNA);
    return TRUE;
}

SECDockBar* CDockTestFrame::DockBar(UINT nID) {
    return static_cast<SECDockBar*>(GetControlBar(nID));
}

BOOL CTestBar::Make(CFrameWnd* pFrame, UINT nID, LPCTSTR lpszName, DWORD dwExStyle, DWORD dwStyle) {
    if (!Create(pFrame, lpszName, dwStyle, dwExStyle, nID))
        return FALSE;
    EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
}

CRect CTestBar::RectInParent() const {
    CRect rect;
    GetWindowRect(&rect);
    ::MapWindowPoints(NULL, ::GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

void CTestBar::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
    ++m_nPosChanged;
    ++s_moves[m_hWnd];
    SECControlBar::OnWindowPosChanged(lpwndpos);
}

void DockingTest::SetUp() {
    SECControlBar::SetLayoutNoRedraw(0);
    m_pFrame = new CDockTestFrame;
    ASSERT_TRUE(m_pFrame->Open());
    AfxGetApp()->m_pMainWnd = m_pFrame;
    PumpIdle();
}

namespace {
BOOL CALLBACK HideShown(HWND hWnd, LPARAM) {
    if (::IsWindowVisible(hWnd))
        ::ShowWindow(hWnd, SW_HIDE);
    return TRUE;
}
} // namespace

void HideThreadWindows() {
    ::EnumThreadWindows(::GetCurrentThreadId(), &HideShown, 0);
}

void DockingTest::TearDown() {
    AfxGetApp()->m_pMainWnd = nullptr;
    HideThreadWindows(); // floating frames too
    if (m_pFrame != nullptr && ::IsWindow(m_pFrame->m_hWnd)) {
        // Hidden first: a shown top-level window under Xvfb without a window manager waits
        // for a withdrawal that never comes.
        m_pFrame->ShowWindow(SW_HIDE);
        m_pFrame->DestroyWindow();
    }
    m_pFrame = nullptr;
    PumpMessages();
}

void PostMouse(HWND hWnd, UINT message, CPoint ptScreen, WPARAM wParam) {
    CPoint pt = ptScreen;
    if (message < WM_NCMOUSEMOVE || message > WM_NCMBUTTONDBLCLK)
        ::ScreenToClient(hWnd, &pt);
    ::PostMessageW(hWnd, message, wParam, MAKELPARAM(pt.x, pt.y));
}
