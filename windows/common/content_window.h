// The window a container holds: the first child whose parent is the container itself. It is
// looked up on first need and again once the one found is gone or has moved elsewhere (the host
// may replace its window, and a frame that changes form hands its children over).
#pragma once

#include <windows.h>

class CContentWindow {
public:
    // The content of hContainer, or NULL while it has none.
    HWND Get(HWND hContainer);

private:
    HWND m_hWnd = NULL;
};
