#include "framework/win/resources.h"

namespace {
// Any function of this module serves as the address that identifies it.
void ModuleMarker() {}
} // namespace

HINSTANCE AfxGetResourceHandle() {
    static HMODULE hModule = NULL;
    if (hModule == NULL)
        ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                 GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             reinterpret_cast<LPCWSTR>(&ModuleMarker), &hModule);
    return hModule;
}

HINSTANCE AfxFindResourceHandle(LPCTSTR, LPCTSTR) {
    return AfxGetResourceHandle();
}

BOOL AfxIsLibraryModule() {
    return AfxGetResourceHandle() != ::GetModuleHandleW(NULL);
}

HACCEL AfxLoadAccelerators(LPCTSTR lpszResourceName) {
    return ::LoadAcceleratorsW(AfxFindResourceHandle(lpszResourceName, RT_ACCELERATOR),
                               lpszResourceName);
}

HMENU AfxLoadMenu(LPCTSTR lpszResourceName) {
    return ::LoadMenuW(AfxFindResourceHandle(lpszResourceName, RT_MENU), lpszResourceName);
}
