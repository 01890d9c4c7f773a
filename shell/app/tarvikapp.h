// The library's application object: start-up when the host loads the library, the message pump
// that the host drives one turn at a time, and the end of the run.
#pragma once

#include "framework/afx.h"

class CMainFrame;

class CTarvikApp : public CWinApp {
public:
    CTarvikApp();
    ~CTarvikApp() override;

    BOOL InitInstance() override;
    BOOL OnIdle(LONG lCount) override;
    // Runs on every turn of the pump that finds no message: it frees and saves nothing and only
    // answers the wParam of the last message taken.
    int ExitInstance() override;

    // How mode 1 waits for a message: GetMessageW, or a stand-in that tests let fail.
    using MessageFetch = BOOL(WINAPI*)(LPMSG, HWND, UINT, UINT);
    // One turn of the pump (mode 1 waits for a message); see tarvikapp_pump.cpp.
    int PumpTurn(int mode, MessageFetch fetch = &::GetMessageW);
    // The library's directory with its trailing backslash, empty when its path was unusable.
    const CString& LibraryDirectory() const { return m_strDirectory; }
    CDocTemplate* FindTemplateByName(LPCTSTR lpszName);
    // The source windows' template (the first one added).
    CDocTemplate* SourceTemplate() const { return m_pSourceTemplate; }
    // The window of the message being pumped before the current one; null between turns.
    HWND LastMessageWindow() const { return m_hWndLastMessage; }

    // The most idle calls one turn makes: an idle handler that always wants more cannot hold
    // the host inside the pump.
    static constexpr LONG kMaxIdleCalls = 64;
    // The user-interface update of idle time runs after a message was pumped, and otherwise at
    // most this often: the host's own state (a target that starts running) shows within it.
    static constexpr DWORD kIdleUpdateInterval = 100;
    // The next idle time updates the user interface (a host call changed what it shows).
    void RequestIdleUpdate() { m_bIdleUpdateDue = TRUE; }

protected:
    afx_msg void OnAppAbout();
    afx_msg void OnOpenRecentFile(UINT nID);
    DECLARE_MESSAGE_MAP()

    // Hands the host's drag-and-drop service the rule set of every window kind; nothing without
    // the service.
    void RegisterDropRules();

private:
    void AddTemplates();
    void TrimMenus(HMENU hMenu);
    void RegisterLanguages();
    CString RegistryKeyFromHost() const;

    CDocTemplate* m_pSourceTemplate = nullptr;
    CString m_strDirectory;
    HWND m_hWndLastMessage = NULL;
    BOOL m_bIdleUpdateDue = TRUE;
    DWORD m_dwLastIdleUpdate = 0;
};

CTarvikApp* TarvikApp();

// The busy flag: set while a command of the user runs in the host, so that a second one beeps.
extern BYTE g_bHostCommandBusy;
// Runs fn under the busy flag; beeps and runs nothing when the flag is already set. The flag is
// cleared on every way out, also when fn throws.
template <class F> bool RunHostCommandGuarded(F&& fn) {
    if (g_bHostCommandBusy) {
        ::MessageBeep((UINT)-1);
        return false;
    }
    struct Clear {
        ~Clear() { g_bHostCommandBusy = 0; }
    } clear;
    g_bHostCommandBusy = 1;
    fn();
    return true;
}
