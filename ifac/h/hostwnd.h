// Records that the host and the library exchange about windows: the host's main-window record,
// the status-pane answer, window placements kept by the host, and the 5-word position record
// that the window-opening exports pass.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ifac/h/wire32.h"

// GetHostObject kind 15: the host's record of its main window. The library reads the title and
// writes the handles of its main frame and MDI client; the rest belongs to the host.
constexpr int kHostObjectMainWindow = 15;
struct HostMainWindowRecord {
    uint8_t hostOwned0[28];
    const char* title; // 8-bit frame title; null: the library's own
    uint8_t hostOwned1[184 - 32];
    void* frameWindow;     // written by StartApp
    void* mdiClientWindow; // written by StartApp
    uint8_t hostOwned2[64];
};
MOX_WIRE32_ASSERT(offsetof(HostMainWindowRecord, title) == 28, "title at 28");
MOX_WIRE32_ASSERT(offsetof(HostMainWindowRecord, frameWindow) == 184, "frame at 184");
MOX_WIRE32_ASSERT(offsetof(HostMainWindowRecord, mdiClientWindow) == 188, "MDI client at 188");

// GetHostObject kind 1: the host's object whose word 47 is the window that takes the function
// keys pressed in the library's source, evaluation and list windows.
constexpr int kHostObjectKeys = 1;
struct HostKeyObject {
    uint32_t word[48];
    void SetKeyWindow(void* hwnd) {
        word[47] = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd));
    }
};

// GetPaneInfo (pane code, out): the host fills this record and answers non-zero when it has data
// for the pane. The text stays the host's; the library copies it at once. Pane codes: 1 "DI",
// 2 "PC", 3 "Lan", 4 "Info".
struct HostPaneInfo {
    const char* text; // 8-bit pane text, null for none
    uint32_t flags;   // reserved for the host, 0
};
MOX_WIRE32_ASSERT(sizeof(HostPaneInfo) == 8, "pane info is two words");

// The host's 5-word window position record; its address is the key of the placement the host
// keeps for the window.
struct WindowPosition {
    int32_t word[5];
};
static_assert(sizeof(WindowPosition) == 20, "five words");

// SetWindowSetting codes.
constexpr int kWindowSettingState = 1;
constexpr int kWindowSettingPlacement = 64;

// Placement flag bits (flags, x, y, width, height as GetWindowSetting reports them).
namespace PlacementFlags {
constexpr int32_t stored = 0x1;
constexpr int32_t leaveAlone = 0x2;
constexpr int32_t mdiChild = 0x10;
constexpr int32_t floating = 0x20;
constexpr int32_t docked = 0x40;
constexpr int32_t sideLeft = 0x80;
constexpr int32_t sideRight = 0x100;
constexpr int32_t sideBottom = 0x200;
constexpr int32_t sideTop = 0x400;
constexpr int32_t activate = 0x1000;
constexpr int32_t minimized = 0x8000;
} // namespace PlacementFlags
constexpr int32_t kDefaultPlacementCoordinate = static_cast<int32_t>(0x80000000u);

// GetWindowSetting's out block: flags, then four words whose meaning the flags give.
struct HostPlacement {
    int32_t flags, x, y, width, height;
};
static_assert(sizeof(HostPlacement) == 20, "five words");

// InitMDIDropTarget (kind name, window) and InitMDIDragSource (kind name, window, context,
// callback): the window lies in a view of a host window; the view registers under the 8-bit
// kind name with the window's handle as its id at the drag-and-drop service. For a drag source
// the window is also the list whose selected row (LB_GETCURSEL) the callback is asked about:
// callback (context, row, out property record, user word) -> non-zero to start the drag.
typedef int(__cdecl* HostDragCallback)(intptr_t context, int row, void** record, int user);
