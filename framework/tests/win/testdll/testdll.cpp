// A small library with a static application object. TESTDLL_INIT_RESULT is what its
// InitInstance returns (after creating its main window). It reports what happened at start-up
// and shutdown through environment variables, which outlive the library.
#include "framework/afx.h"

#ifndef TESTDLL_INIT_RESULT
#error TESTDLL_INIT_RESULT must be 0 or 1
#endif

namespace {
const wchar_t* const kPrefix = TESTDLL_INIT_RESULT ? L"MOX_TESTDLL_OK_" : L"MOX_TESTDLL_FAIL_";

void Report(const wchar_t* name, const wchar_t* value) {
    CString var = CString(kPrefix) + name;
    ::SetEnvironmentVariableW(var, value);
}

class CTestDllWnd : public CWnd {
protected:
    afx_msg void OnDestroy() {
        Report(L"DESTROYED", L"1");
        CWnd::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDllWnd, CWnd)
ON_WM_DESTROY()
END_MESSAGE_MAP()

class CTestDllApp : public CWinApp {
public:
    CTestDllApp() : CWinApp(L"TestDll") {}

    BOOL InitInstance() override {
        if (!m_wnd.CreateEx(0, AfxRegisterWndClass(0), L"test library", WS_POPUP, 0, 0, 10, 10,
                            NULL, NULL))
            return FALSE;
        m_pMainWnd = &m_wnd;
        CString handle;
        handle.Format(L"%p", (void*)m_wnd.m_hWnd);
        Report(L"HWND", handle);
        return TESTDLL_INIT_RESULT;
    }

    int ExitInstance() override {
        Report(L"EXIT", L"1");
        return CWinApp::ExitInstance();
    }

    CTestDllWnd m_wnd;
};

CTestDllApp theApp;
} // namespace

extern "C" __declspec(dllexport) HWND TestDllMainWindow() {
    return AfxGetMainWnd()->GetSafeHwnd();
}

extern "C" __declspec(dllexport) HINSTANCE TestDllResourceHandle() {
    return AfxGetResourceHandle();
}

// String 101 as the library loads it.
extern "C" __declspec(dllexport) int TestDllLoadString(wchar_t* buffer, int size) {
    CString text;
    if (!text.LoadString(101))
        return 0;
    lstrcpynW(buffer, text, size);
    return text.GetLength();
}
