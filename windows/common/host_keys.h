// Function keys pressed in the library's source, evaluation and list windows belong to the host:
// they go to the window its key object names.
#pragma once

#include <windows.h>

// F1 to F24.
bool IsFunctionKey(UINT nKey);
// The window of the host's key object (word 47), or NULL when the host names none or a window
// that is gone.
HWND HostKeyWindow();
// Sends WM_KEYDOWN (key, flags) to that window; false when there is none.
bool SendFunctionKeyToHost(WPARAM key, LPARAM flags);
