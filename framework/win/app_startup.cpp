// Start-up and shutdown of the framework inside a library (called from the library's entry).
#include "framework/core/guard.h"
#include "framework/win/handlemap.h"
#include "framework/win/winapp.h"
#include "framework/win/wnd.h"
#include "framework/win/wnd_state.h"

#include <commctrl.h>

namespace {
// Plain data: still valid when the entry runs again after the static objects are gone.
bool g_bAttached = false;

template <class F> BOOL CallGuarded(LPCWSTR lpszWhere, F f) {
    return AfxGuardLibraryEntry(lpszWhere, FALSE, f);
}
} // namespace

BOOL AfxLibraryAttach(HINSTANCE hInstance) {
    AfxGetModuleState()->m_bDLL = TRUE;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES |
                                                 ICC_COOL_CLASSES | ICC_USEREX_CLASSES};
    ::InitCommonControlsEx(&icc);
    g_bAttached = true;
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return TRUE; // a library without an application object just loads
    pApp->m_hInstance = hInstance;
    if (CallGuarded(L"InitInstance", [&] { return pApp->InitInstance(); }))
        return TRUE;
    AfxLibraryDetach(TRUE);
    return FALSE;
}

void AfxLibraryDetach(BOOL bFreeLibrary) {
    if (!g_bAttached)
        return;
    g_bAttached = false;
    if (CWinApp* pApp = AfxGetApp())
        CallGuarded(L"ExitInstance", [&] {
            pApp->ExitInstance();
            return TRUE;
        });
    // When the process ends, its windows end with it; only a library being freed must take
    // its windows and classes along before its code goes.
    if (bFreeLibrary) {
        CallGuarded(L"library clean-up", [] {
            AfxDestroyPermanentWindows();
            AfxToolTipTerm();
            return TRUE;
        });
        AfxDeleteTempMaps();
        AfxWinTerm();
    }
}
