#include "tests/support/dialog_test_support.h"

namespace {
DialogDismisser* g_pActive = NULL;

struct Search {
    HWND hWndIgnore;
    HWND hFound;
};

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    wchar_t className[32] = L"";
    ::GetClassNameW(hWnd, className, 32);
    if (hWnd != search->hWndIgnore && ::IsWindowVisible(hWnd) &&
        ::lstrcmpW(className, L"#32770") == 0) {
        search->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectText(HWND hWnd, LPARAM lParam) {
    wchar_t className[32] = L"";
    ::GetClassNameW(hWnd, className, 32);
    if (::lstrcmpiW(className, L"Static") == 0) {
        wchar_t text[512] = L"";
        ::GetWindowTextW(hWnd, text, 512);
        auto* all = reinterpret_cast<std::wstring*>(lParam);
        all->append(text);
    }
    return TRUE;
}
} // namespace

DialogDismisser::DialogDismisser(int nButton, HWND hWndIgnore)
    : m_nButton(nButton), m_hWndIgnore(hWndIgnore) {
    g_pActive = this;
    m_nTimer = ::SetTimer(NULL, 0, 50, &DialogDismisser::OnTimer);
}

DialogDismisser::~DialogDismisser() {
    ::KillTimer(NULL, m_nTimer);
    g_pActive = NULL;
}

void CALLBACK DialogDismisser::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (g_pActive != NULL)
        g_pActive->Poll();
}

void DialogDismisser::Poll() {
    Search search = {m_hWndIgnore, NULL};
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindDialog, (LPARAM)&search);
    if (search.hFound == NULL || search.hFound == m_hLastPressed)
        return;
    m_hLastPressed = search.hFound;
    wchar_t title[256] = L"";
    ::GetWindowTextW(search.hFound, title, 256);
    std::wstring text;
    ::EnumChildWindows(search.hFound, &CollectText, (LPARAM)&text);
    m_titles.push_back(title);
    m_texts.push_back(text);
    if (m_beforePress)
        m_beforePress(search.hFound);
    HWND hButton = ::GetDlgItem(search.hFound, m_nButton);
    ::PostMessageW(search.hFound, WM_COMMAND, MAKEWPARAM(m_nButton, BN_CLICKED), (LPARAM)hButton);
}

void PumpPendingMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}
