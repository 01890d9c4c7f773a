// CWinApp: the application object, global accessors and message boxes.
#include "framework/win/winapp.h"

#include "framework/docview/frameids.h"
#include "framework/win/wnd.h"

namespace {
CWinApp* g_pApp = NULL;
AFX_MSGBOX_HOOK g_pfnMessageBoxHook = NULL;

std::wstring ModuleBaseName(HINSTANCE hModule) {
    wchar_t path[MAX_PATH] = L"";
    DWORD n = ::GetModuleFileNameW(hModule, path, MAX_PATH);
    std::wstring name(path, n);
    size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        name.erase(0, slash + 1);
    size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos)
        name.erase(dot);
    return name;
}
} // namespace

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName) {
    if (g_pApp == NULL)
        g_pApp = this;
    m_hInstance = AfxGetResourceHandle();
    m_strExeName = ModuleBaseName(m_hInstance);
    if (lpszAppName != NULL) {
        m_strAppName = lpszAppName;
    } else {
        CString title;
        m_strAppName =
            title.LoadString(AFX_IDS_APP_TITLE) ? std::wstring((LPCTSTR)title) : m_strExeName;
    }
    m_pszAppName = m_strAppName.c_str();
    m_pszExeName = m_strExeName.c_str();
    m_strProfileName = m_strExeName + L".INI";
    m_pszProfileName = m_strProfileName.c_str();
}

CWinApp::~CWinApp() {
    delete m_pRecentFileList;
    m_pRecentFileList = NULL;
    SelectPrinter(NULL, NULL);
    if (g_pApp == this)
        g_pApp = NULL;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

// Inside a library the host owns the settings' lifetime: nothing is saved here.
int CWinApp::ExitInstance() {
    if (!AfxGetModuleState()->m_bDLL)
        SaveStdProfileSettings();
    return CWinThread::ExitInstance();
}

BOOL CWinApp::OnIdle(LONG lCount) {
    if (lCount <= 0) {
        CWinThread::OnIdle(lCount);
        return TRUE;
    }
    if (lCount == 1)
        CWinThread::OnIdle(lCount);
    return FALSE;
}

void CWinApp::OnAppExit() {
    if (CWnd* pMainWnd = GetMainWnd(); pMainWnd != NULL && pMainWnd->GetSafeHwnd() != NULL)
        pMainWnd->SendMessage(WM_CLOSE);
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const {
    return ::LoadCursorW(AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR),
                         lpszResourceName);
}
HCURSOR CWinApp::LoadCursor(UINT nIDResource) const {
    return LoadCursor(MAKEINTRESOURCEW(nIDResource));
}
HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const {
    return ::LoadCursorW(NULL, lpszCursorName);
}
HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const {
    return ::LoadIconW(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}
HICON CWinApp::LoadIcon(UINT nIDResource) const {
    return LoadIcon(MAKEINTRESOURCEW(nIDResource));
}
HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const {
    return ::LoadIconW(NULL, lpszIconName);
}

void CWinApp::DoWaitCursor(int nCode) {
    AfxDoWaitCursor(nCode);
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) {
    if (g_pfnMessageBoxHook != NULL)
        return g_pfnMessageBoxHook(lpszPrompt, nType);
    HWND hWndTop = NULL;
    CWnd* pOwner = CWnd::GetSafeOwner(NULL, &hWndTop);
    return ::MessageBoxW(pOwner->GetSafeHwnd(), lpszPrompt, m_pszAppName, nType);
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd) {
    if (m_pszHelpFilePath == NULL)
        return;
    ::WinHelpW(AfxGetMainWnd()->GetSafeHwnd(), m_pszHelpFilePath, nCmd, dwData);
}

CWinApp* AfxGetApp() {
    return g_pApp;
}
CWinThread* AfxGetThread() {
    return g_pApp;
}
CWnd* AfxGetMainWnd() {
    return g_pApp ? g_pApp->GetMainWnd() : NULL;
}
HINSTANCE AfxGetInstanceHandle() {
    return (g_pApp && g_pApp->m_hInstance) ? g_pApp->m_hInstance : AfxGetResourceHandle();
}
LPCTSTR AfxGetAppName() {
    return (g_pApp && g_pApp->m_pszAppName) ? g_pApp->m_pszAppName : L"";
}

AFX_MSGBOX_HOOK AfxSetMessageBoxHook(AFX_MSGBOX_HOOK pfnHook) {
    AFX_MSGBOX_HOOK old = g_pfnMessageBoxHook;
    g_pfnMessageBoxHook = pfnHook;
    return old;
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp) {
    if (lpszText == NULL)
        lpszText = L"";
    if (g_pApp != NULL)
        return g_pApp->DoMessageBox(lpszText, nType, nIDHelp);
    if (g_pfnMessageBoxHook != NULL)
        return g_pfnMessageBoxHook(lpszText, nType);
    return ::MessageBoxW(NULL, lpszText, AfxGetAppName(), nType);
}

// A missing string is named rather than shown as an empty box.
int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
    CString text;
    if (!text.LoadString(nIDPrompt))
        text.Format(L"Message %u is missing from the resources.", nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == (UINT)-1 ? nIDPrompt : nIDHelp);
}

AFX_MODULE_STATE* AfxGetModuleState() {
    static AFX_MODULE_STATE state;
    return &state;
}
