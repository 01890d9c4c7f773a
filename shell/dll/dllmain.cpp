// Library start-up until the application object takes it over: bind the host and import its
// drag-and-drop service as soon as the host loads us.
#include <windows.h>

#include "shell/hostlink.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    try {
        ConnectHost(nullptr);
        ImportDragDropService();
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}
