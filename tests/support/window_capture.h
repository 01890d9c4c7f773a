// Reading what windows draw: a window's own pixels (with its children, as they would show on
// screen) captured by asking each window to print itself, and a PNG file of them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/screenshot.h"

struct Capture {
    int cx = 0, cy = 0;
    std::vector<DWORD> pixels; // 0x00RRGGBB, top row first
    COLORREF At(int x, int y) const;
};

// The client area of hWnd as its WM_PRINTCLIENT draws it.
Capture CaptureClient(HWND hWnd);
// The whole window, frame and visible descendants included, each printing itself.
Capture CaptureWindow(HWND hWnd);
// The whole of a shown window as it has been painted, copied from its own DC.
Capture CaptureShownWindow(HWND hWnd);
// Writes the capture as a PNG file; false when it cannot be written.
bool SavePng(const Capture& capture, const std::wstring& path);
