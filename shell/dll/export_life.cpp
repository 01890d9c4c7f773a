// The host's life-cycle entries: start, one turn of the pump, end; and the window of the last
// message pumped.
#include "framework/afx.h"
#include "shell/app/lifecycle.h"
#include "shell/app/tarvikapp.h"
#include "shell/dll/export_guard.h"
#include "shell/frame/mainframe.h"
#include "windows/common/docview.h"

extern "C" {

__declspec(dllexport) int __cdecl StartApp() {
    return GuardExport(L"StartApp", 0, [] { return StartLibrary(); });
}

__declspec(dllexport) int __cdecl PeekMessageApp(int mode) {
    return GuardExport(L"PeekMessageApp", 0, [mode] {
        if (CurrentPhase() != LibraryPhase::started)
            return 0;
        return TarvikApp()->PumpTurn(mode);
    });
}

__declspec(dllexport) int __cdecl EndApp() {
    return GuardExport(L"EndApp", 0, [] { return EndLibrary(); });
}

__declspec(dllexport) int __cdecl GUISetWaitCursor() {
    return GuardExport(L"GUISetWaitCursor", 0, [] { return 0; });
}

__declspec(dllexport) HWND __cdecl GetLastMessageOwner() {
    return GuardExport(L"GetLastMessageOwner", static_cast<HWND>(NULL), []() -> HWND {
        if (ActiveFrame() == nullptr)
            return NULL;
        return OutermostDocViewAround(TarvikApp()->LastMessageWindow());
    });
}
}
