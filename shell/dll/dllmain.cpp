// Library start-up until the application object takes it over: bind the host and import its
// drag-and-drop service as soon as the host loads us, and bind the visual-theme entries and
// derive the toolkit colours before anything paints; unbind them on unload.
#include <windows.h>

#include "shell/hostlink.h"
#include "toolbars/drawing/themeapi.h"
#include "toolbars/drawing/toolkitcolors.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    // At process exit the system unloads the libraries itself.
    if (reason == DLL_PROCESS_DETACH && reserved == NULL)
        FreeThemeApi();
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    try {
        ConnectHost(nullptr);
        ImportDragDropService();
        InitThemeApi();
        UpdateToolkitColors();
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}
