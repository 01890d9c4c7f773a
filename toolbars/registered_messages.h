// The window messages and the clipboard format the toolbars register by name when the library
// loads. Each holds 0 only before the library's static initialisation has run.
#pragma once

#include <windows.h>

// wParam the bar id, lParam the event: 0 shown, 1 hidden, 2 created, 3 destroyed, 4 the
// customize selection changed.
extern const UINT WM_BARNOTIFY;
// A floating bar in customize mode hides at once instead of after the delay.
extern const UINT WM_NODELAYHIDE;
// Sent to the toolbar manager's notify windows when the toolbar settings change.
extern const UINT WM_TOOLBARSTYLECHANGING;
// The menu bar's request to open a popup.
extern const UINT WM_SEC_MENUPROD;
// The drag data of the shortcut-bar list.
extern const UINT SEC_CF_LISTCTRL;
