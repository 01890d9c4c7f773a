// The library's entry point: the application object's start-up on load, its shutdown on unload.
// Linked into a library only (a program never refers to it).
#include "framework/core/guard.h"
#include "framework/win/winapp.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved) {
    return AfxGuardLibraryEntry(L"library entry", FALSE, [&]() -> BOOL {
        if (dwReason == DLL_PROCESS_ATTACH)
            return AfxLibraryAttach(hInstance);
        if (dwReason == DLL_PROCESS_DETACH)
            AfxLibraryDetach(lpReserved == NULL);
        return TRUE;
    });
}
