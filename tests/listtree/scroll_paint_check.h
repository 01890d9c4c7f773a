// Scrolling checked against whole paints, as the screen shows both.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

// Scrolls hWnd by each message in turn (WM_VSCROLL or WM_MOUSEWHEEL with its wParam) and
// checks that a small scroll leaves only a strip to paint (less than a third of the window),
// and that the window, once updated, looks exactly as after painting it whole (its scroll bars
// included).
void ExpectScrollsMatchWholePaints(HWND hWnd, const std::vector<std::pair<UINT, WPARAM>>& steps);
