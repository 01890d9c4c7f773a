// No test may wait on a human: message boxes are logged and answered as soon as they show.
#include <windows.h>

#include <string>

#include "host/lib/call_log.h"
#include "host/lib/host_sim.h"

namespace {

HHOOK g_hook = nullptr;

std::string Narrow(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? size - 1 : 0, '\0');
    if (size > 1)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], size, nullptr, nullptr);
    return out;
}

std::wstring WindowText(HWND hwnd) {
    wchar_t buffer[2048] = {};
    GetWindowTextW(hwnd, buffer, 2048);
    return buffer;
}

bool IsMessageBox(HWND hwnd) {
    wchar_t cls[16] = {};
    GetClassNameW(hwnd, cls, 16);
    return std::wstring(cls) == L"#32770" && GetDlgItem(hwnd, 0xFFFF) != nullptr;
}

// The first of the buttons a box can have, in the order a careful user would pick them.
int Answer(HWND box) {
    for (int id : {IDOK, IDCANCEL, IDNO, IDYES, IDABORT, IDIGNORE, IDRETRY})
        if (GetDlgItem(box, id))
            return id;
    return IDCANCEL;
}

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        if (IsMessageBox(box)) {
            std::string caption = Narrow(WindowText(box));
            std::string text = Narrow(WindowText(GetDlgItem(box, 0xFFFF)));
            LogHostCall("MessageBox", caption.c_str(), text.c_str());
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(Answer(box), BN_CLICKED), 0);
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

} // namespace

void CaptureMessageBoxes() {
    if (!g_hook)
        g_hook = SetWindowsHookExW(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
}

void ReleaseMessageBoxes() {
    if (g_hook)
        UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
}
