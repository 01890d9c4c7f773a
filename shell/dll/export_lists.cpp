// The host's entries for the list windows and the window-update switches.
#include "shell/dll/export_guard.h"
#include "shell/frame/window_update.h"
#include "windows/list/list_iface.h"

extern "C" {

__declspec(dllexport) const ListWindowInterface** __cdecl GetListWndIfacPtr(
    const ListWindowInterface** out) {
    return GuardExport(L"GetListWndIfacPtr", out, [=] {
        if (out != nullptr)
            *out = ListWindowTable();
        return out;
    });
}

__declspec(dllexport) uint32_t __cdecl EnableWindowUpdate(uint32_t mask, int on) {
    return GuardExport(L"EnableWindowUpdate", WindowUpdateMask(),
                       [=] { return SetWindowUpdate(mask, on != 0); });
}
}
