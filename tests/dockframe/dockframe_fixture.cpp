#include "dockframe_fixture.h"

const wchar_t kTestRegistryKey[] = L"MoxDockFrameTests";

namespace {
class CFrameTestApp : public CWinApp {
public:
    CFrameTestApp() : CWinApp(L"DockFrameTests") {}
    // No help viewer starts under test: the request is noted.
    void WinHelp(DWORD_PTR dwData, UINT nCmd) override { HelpCalls().push_back({dwData, nCmd}); }
};
CFrameTestApp theApp;
} // namespace

IMPLEMENT_DYNCREATE(CFrameTestBar, SECControlBar)
IMPLEMENT_DYNCREATE(CTestMainFrame, SECMDIFrameWnd)

std::vector<std::pair<DWORD_PTR, UINT>>& HelpCalls() {
    static std::vector<std::pair<DWORD_PTR, UINT>> s_calls;
    return s_calls;
}

void ClearTestProfile() {
    std::wstring key = L"Software\\";
    key += kTestRegistryKey;
    ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

BOOL CFrameTestBar::Make(CFrameWnd* pFrame, UINT nID, LPCTSTR lpszName, DWORD dwStyle,
                         DWORD dwExStyle) {
    if (!Create(pFrame, lpszName, dwStyle, dwExStyle, nID))
        return FALSE;
    EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
}

BOOL CTestMainFrame::Open(int cx, int cy) {
    if (!LoadFrame(IDR_TEST_MAIN, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
        return FALSE;
    SetWindowPos(NULL, 20, 20, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    EnableDocking(CBRS_ALIGN_ANY);
    ShowWindow(SW_SHOWNA);
    return TRUE;
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

void CloseFrame(CFrameWnd* pFrame) {
    if (AfxGetApp()->m_pMainWnd == pFrame)
        AfxGetApp()->m_pMainWnd = nullptr;
    HideThreadWindows();
    if (pFrame != nullptr && ::IsWindow(pFrame->m_hWnd))
        pFrame->DestroyWindow();
    PumpMessages();
}

void FrameTest::SetUp() {
    ClearTestProfile();
    AfxGetApp()->SetRegistryKey(kTestRegistryKey);
    m_pFrame = new CTestMainFrame;
    ASSERT_TRUE(m_pFrame->Open());
    AfxGetApp()->m_pMainWnd = m_pFrame;
    PumpIdle();
}

void FrameTest::TearDown() {
    CloseFrame(m_pFrame);
    m_pFrame = nullptr;
    ClearTestProfile();
}
