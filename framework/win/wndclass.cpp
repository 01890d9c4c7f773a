// Window classes registered by the framework for this module, and their clean-up.
#include "framework/win/wnd.h"

#include "framework/core/exceptions.h"
#include "framework/win/winapp.h"

#include <cwchar>
#include <list>
#include <string>

namespace {
// Stable storage: the names handed out must stay valid while the classes are registered.
std::list<std::wstring>& RegisteredClasses() {
    static std::list<std::wstring> names;
    return names;
}
} // namespace

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    HINSTANCE hInst = AfxGetInstanceHandle();
    wchar_t name[96];
    swprintf(name, 96, L"Afx:%p:%x:%p:%p:%p", (void*)hInst, nClassStyle, (void*)hCursor,
             (void*)hbrBackground, (void*)hIcon);
    for (const std::wstring& known : RegisteredClasses())
        if (known == name)
            return known.c_str();

    WNDCLASSW wc = {};
    if (!::GetClassInfoW(hInst, name, &wc)) {
        wc.style = nClassStyle;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = hInst;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.hIcon = hIcon;
        wc.lpszClassName = name;
        if (!::RegisterClassW(&wc))
            AfxThrowResourceException();
    }
    RegisteredClasses().push_back(name);
    return RegisteredClasses().back().c_str();
}

LPCTSTR AfxRegisterNamedWndClass(LPCTSTR lpszName, UINT nClassStyle, HCURSOR hCursor,
                                 HBRUSH hbrBackground) {
    for (const std::wstring& known : RegisteredClasses())
        if (known == lpszName)
            return known.c_str();
    HINSTANCE hInst = AfxGetInstanceHandle();
    WNDCLASSW wc = {};
    if (!::GetClassInfoW(hInst, lpszName, &wc)) {
        wc.style = nClassStyle;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = hInst;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.lpszClassName = lpszName;
        if (!::RegisterClassW(&wc))
            AfxThrowResourceException();
    }
    RegisteredClasses().push_back(lpszName);
    return RegisteredClasses().back().c_str();
}

void AfxWinTerm() {
    HINSTANCE hInst = AfxGetInstanceHandle();
    auto& names = RegisteredClasses();
    for (auto it = names.begin(); it != names.end();) {
        if (::UnregisterClassW(it->c_str(), hInst) ||
            ::GetLastError() == ERROR_CLASS_DOES_NOT_EXIST)
            it = names.erase(it);
        else
            ++it;
    }
}
