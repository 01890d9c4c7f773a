// Reading what windows draw: a window's own pixels (with its children, as they would show on
// screen) captured by asking each window to print itself, or copied from what it painted.
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
