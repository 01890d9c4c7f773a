// Reading what windows draw: a window's own pixels (with its children, as they would show on
// screen) captured by asking each window to print itself, and a PNG file of them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

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
// Writes an uncompressed (stored) PNG; FALSE when the file cannot be written.
bool SavePng(const Capture& capture, const std::wstring& path);
// build-tree/screens/<name>, the folder made when missing.
std::wstring ScreenshotPath(const wchar_t* name);
