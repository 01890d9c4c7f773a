// The application object (one static CWinApp per module), its message pump and idle time,
// profile settings, and the global accessors.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/win/cmdtarget.h"
#include "framework/core/cstring.h"
#include "framework/win/resources.h"

class CWnd;
class CCmdUI;
class CDocTemplate;
class CDocument;
class CPrintDialog;

// The string resource holding the application's title.
#define AFX_IDS_APP_TITLE 0xE000
#define AFX_IDS_IDLEMESSAGE 0xE001
// Commands of the recent-file list.
#define ID_FILE_MRU_FILE1 0xE110
#define ID_FILE_MRU_FIRST 0xE110
#define ID_FILE_MRU_LAST 0xE11F
#define AFX_ABBREV_FILENAME_LEN 30

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    ~CWinThread() override;

    CWnd* m_pMainWnd = NULL;
    // The message last taken from the queue by the pump.
    MSG m_msgCur = {};
    HANDLE m_hThread = NULL;
    DWORD m_nThreadID = 0;

    virtual BOOL InitInstance();
    // The exit code: the wParam of the current message.
    virtual int ExitInstance();
    // lCount 0: update the user interface of the main window; 1 and on: free temporary
    // wrappers. TRUE asks for another call.
    virtual BOOL OnIdle(LONG lCount);
    // The window chain from the message's window up to the main window, then the main window
    // for messages of other top-level windows.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Mouse moves to the same place and caret blinks do not restart idle processing.
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // Takes one message (waiting for it), pre-translates and dispatches it; FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    virtual int Run();
    virtual CWnd* GetMainWnd();

private:
    POINT m_ptCursorLast = {-1, -1};
    UINT m_nMsgLast = 0;
};

class CRecentFileList {
public:
    // Entries are stored as lpszEntryFormat (e.g. "File%d", 1-based) in lpszSection.
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return m_nSize; }
    // An index outside the list gives an empty name (and changes nothing).
    CString& operator[](int nIndex);
    // Puts the path first, removing an earlier entry of the same file.
    virtual void Add(LPCTSTR lpszPathName);
    virtual void Remove(int nIndex);
    virtual void ReadList();
    virtual void WriteList();
    // The name shown in the menu: the file name, or the path when it fits in the display length.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    // Replaces the first recent-file menu item by one item per file ("&1 name").
    virtual void UpdateMenu(CCmdUI* pCmdUI);

    int m_nSize;
    std::vector<CString> m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nMaxDisplayLength;
    CString m_strOriginal; // text of the menu item shown when the list is empty
};

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    // The one application object of the module; a second one is not registered.
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    ~CWinApp() override;

    LPCTSTR m_pszAppName = NULL;
    LPCTSTR m_pszExeName = NULL;
    LPCTSTR m_pszRegistryKey = NULL;
    LPCTSTR m_pszProfileName = NULL;
    LPCTSTR m_pszHelpFilePath = NULL;
    HINSTANCE m_hInstance = NULL;
    int m_nCmdShow = SW_SHOWNORMAL;
    CRecentFileList* m_pRecentFileList = NULL;
    // The printer the user chose last (Print Setup or a print dialog), owned by the
    // application; NULL until a printer is first needed.
    HGLOBAL m_hDevMode = NULL;
    HGLOBAL m_hDevNames = NULL;

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL OnIdle(LONG lCount) override;

    // Settings go to HKEY_CURRENT_USER\Software\<key>\<application name> from now on.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    // Open keys the caller closes; NULL without a registry key or on failure.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR lpszSection);

    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = NULL);
    // A NULL entry removes the section; a NULL value removes the entry.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // *ppData is allocated with new[] and owned by the caller (delete[]); NULL when missing.
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

    // Document templates, kept by the document manager (doctemplate.h); defined with it.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    afx_msg void OnFileNew();
    // Closes the main window the ordinary way: it gets WM_CLOSE and decides.
    afx_msg void OnAppExit();
    // The system's Print Setup dialog, starting from the kept printer choice.
    afx_msg void OnFilePrintSetup();

    // Runs a print dialog seeded with the kept printer choice and keeps what it ends with (the
    // handles in its m_pd stay the application's). Without a printer the system says so.
    virtual INT_PTR DoPrintDialog(CPrintDialog* pPD);
    // Puts the kept printer choice (the default printer when there is none yet) in the
    // structure's device handles, which stay the application's; FALSE without a printer.
    BOOL GetPrinterDeviceDefaults(PRINTDLGW* pPrintDlg);
    // Makes these handles the kept choice, freeing the previous ones that are not among them.
    void SelectPrinter(HGLOBAL hDevNames, HGLOBAL hDevMode);

    // Creates the recent-file list (nMaxMRU entries, none for 0) and reads it.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);

    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const;

    // nCode 1 begins, -1 ends, 0 restores the wait cursor.
    virtual void DoWaitCursor(int nCode);
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

protected:
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    BOOL UsesRegistry() const { return m_pszRegistryKey != NULL && *m_pszRegistryKey != 0; }
    std::wstring m_strAppName;
    std::wstring m_strExeName;
    std::wstring m_strRegistryKey;
    std::wstring m_strProfileName;
};

CWinApp* AfxGetApp();
CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
LPCTSTR AfxGetAppName();

// Shows a message box owned by the main window (or answers through the hook when one is set).
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// Tests replace the box by a function that records the text and returns the chosen answer.
typedef int (*AFX_MSGBOX_HOOK)(LPCTSTR lpszText, UINT nType);
AFX_MSGBOX_HOOK AfxSetMessageBoxHook(AFX_MSGBOX_HOOK pfnHook);

// Module state: m_bDLL tells whether the framework runs inside a library.
struct AFX_MODULE_STATE {
    BOOL m_bDLL = FALSE;
};
AFX_MODULE_STATE* AfxGetModuleState();

// Library start-up: runs the application object's InitInstance; FALSE (the load fails) when it
// returns 0, after ExitInstance and the clean-up have run.
BOOL AfxLibraryAttach(HINSTANCE hInstance);
// Library shutdown: ExitInstance, then (when the library is being freed rather than the process
// ending) the clean-up that destroys the module's remaining windows, whose procedures are about
// to disappear, frees temporary wrappers and unregisters the classes. Runs once; later calls
// and calls after a failed attach do nothing.
void AfxLibraryDetach(BOOL bFreeLibrary = TRUE);
