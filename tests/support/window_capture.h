// Reading what windows draw: a window's own pixels (with its children, as they would show on
// screen) captured by asking each window to print itself, copied from what it painted, or read
// from the screen.
#pragma once

#include <windows.h>

#include "tests/support/picture.h"
#include "tests/support/screenshot.h"

// The client area of hWnd as its WM_PRINTCLIENT draws it.
Picture CaptureClient(HWND hWnd);
// The whole window, frame and visible descendants included, each printing itself.
Picture CaptureWindow(HWND hWnd);
// The client area of a shown window as it has been painted, copied from its own DC.
Picture CaptureShownClient(HWND hWnd);
// The whole of a shown window as it has been painted, copied from its own DC.
Picture CaptureShownWindow(HWND hWnd);
// The whole of a shown, uncovered window as the screen shows it, once the thread's last paints
// have reached the display; an empty picture when the screen cannot be read.
Picture CaptureOnScreen(HWND hWnd);
