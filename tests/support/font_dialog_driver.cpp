#include "tests/support/font_dialog_driver.h"

#include "editor/font_colour_dialog.h"

const wchar_t kCaption[] = L"Font and Color Settings";

namespace {
ModalDriver* g_pActive = nullptr;

struct Search {
    const std::wstring* caption;
    HWND hFound;
};

BOOL CALLBACK Find(HWND hWnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    wchar_t text[128] = L"";
    ::GetWindowTextW(hWnd, text, 128);
    if (::IsWindowVisible(hWnd) && *search->caption == text) {
        search->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}
} // namespace

ModalDriver::ModalDriver(const wchar_t* caption, std::function<int(HWND)> script)
    : m_caption(caption), m_script(std::move(script)), m_start(::GetTickCount()) {
    g_pActive = this;
    m_timer = ::SetTimer(NULL, 0, 30, &ModalDriver::OnTimer);
}

ModalDriver::~ModalDriver() {
    ::KillTimer(NULL, m_timer);
    g_pActive = nullptr;
}

void CALLBACK ModalDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    ModalDriver* self = g_pActive;
    if (self == nullptr || self->m_running)
        return;
    Search search{&self->m_caption, NULL};
    ::EnumThreadWindows(::GetCurrentThreadId(), &Find, (LPARAM)&search);
    if (search.hFound == NULL)
        return;
    if (self->ran) {
        if (::GetTickCount() - self->m_start > 15000)
            ::PostMessageW(search.hFound, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    self->m_running = true;
    const int nButton = self->m_script(search.hFound);
    self->m_running = false;
    self->ran = true;
    ::PostMessageW(search.hFound, WM_COMMAND, MAKEWPARAM(nButton, BN_CLICKED), 0);
}

void Click(HWND hDlg, int nID) {
    ::SendMessageW(::GetDlgItem(hDlg, nID), BM_CLICK, 0, 0);
}

bool SelectGroup(HWND hDlg, const wchar_t* name) {
    HWND hList = ::GetDlgItem(hDlg, IDC_SECEDIT_GROUPS);
    const LRESULT nItem = ::SendMessageW(hList, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)name);
    if (nItem == LB_ERR)
        return false;
    ::SendMessageW(hList, LB_SETCURSEL, (WPARAM)nItem, 0);
    ::SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDC_SECEDIT_GROUPS, LBN_SELCHANGE), (LPARAM)hList);
    return true;
}

void PickColour(HWND hDlg, int nWell, COLORREF colour) {
    ::SendMessageW(::GetDlgItem(hDlg, nWell), corvalis::foundation::WM_COLORWELL_CHANGED, 0,
                   (LPARAM)colour);
}
