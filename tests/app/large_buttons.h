// Turning the toolbars' large buttons on as the user does, through the Toolbars dialog.
#pragma once

#include <windows.h>

#include <functional>

// Opens "&Toolbars ..." on the frame, clicks "&Large Buttons" and closes the dialog with OK;
// pump turns the host's loop. True when the dialog came and went.
bool ToggleLargeButtons(HWND frame, const std::function<void()>& pump);
