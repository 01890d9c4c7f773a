// Screenshots for a person to look at: a bitmap written as a PNG file by the system's imaging
// component, into the build tree's screens folder.
#pragma once

#include <windows.h>

#include <string>

// Writes hBitmap (not selected into any DC) as a PNG file; false when it cannot be written.
bool WriteBitmapPng(HBITMAP hBitmap, const std::wstring& path);

// <build tree>\screens\<name> for the running test program; the folder is made when missing.
std::wstring ScreenshotPath(const wchar_t* name);

// What the screen shows inside rect (screen coordinates), once the thread's last paints have
// reached the display; the caller deletes the bitmap. Null when it cannot be read.
HBITMAP CaptureScreen(const RECT& rect);

// Writes what the screen shows inside rect (screen coordinates) as a PNG file.
bool SaveScreenPng(const RECT& rect, const wchar_t* pszPath);
