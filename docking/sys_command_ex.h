// The docking commands of a document frame: one registered message carries a command record
// from the caption extras (button, right double-click, context menu) to the frame, whose
// command filter moves the document between an MDI child, a docked frame and a floating one.
#pragma once

#include <windows.h>

#include "framework/core/arrays.h"

#include <cstdint>

struct SECDockPos;
struct SECDockSize;

namespace Corvalis {
// The registered message; registered on first use.
UINT WM_SYSCOMMANDEX();
} // namespace Corvalis

namespace nsSysCommandEx {

// Where a document frame lives. Values 1..4, 5..9 and 10 form the three categories.
enum FrameState : int32_t {
    stateNone = 0,
    stateMDIChild = 1,
    stateMDIChildMinimized = 2,
    stateMDIChildMaximized = 3,
    stateMDIChildRestored = 4,
    stateDocked = 5,
    stateDockedLeft = 6,
    stateDockedTop = 7,
    stateDockedRight = 8,
    stateDockedBottom = 9,
    stateFloating = 10,
    stateToggle = -1 // as a target: the other form
};

// wParam of the message (the low four bits are ignored).
enum Command : UINT {
    cmdExecute = 0xC000, // change to the record's target state
    cmdQuery = 0xC010,   // answer the current state into the record
    cmdMenu = 0xC020     // show the docking menu at the record's point, execute the choice
};

// The record's flags.
enum RecordFlags : uint32_t {
    flagPosition = 0x1, // a place is given (x, y, or the position record)
    flagSize = 0x2      // a size is given (cx, cy, or the size record)
};

// lParam of the message. All zero before it is filled; receivers copy it before changing it.
struct SysCommandExRecord {
    HWND hWnd;        // the sending frame
    uint32_t dwFlags; // RecordFlags
    int32_t x, y;     // screen point (the menu point for a button press)
    int32_t cx, cy;   // with the flags, for MDI-child and floating targets
    RECT rectButton;  // the caption button, screen coordinates
    int32_t nState;   // the current state, or the answer of a query
    int32_t nTarget;  // FrameState; stateToggle = the other form
    SECDockPos* pPos; // for docked targets with the flags; NULL: defaults
    SECDockSize* pSize;
    BYTE reserved[52];
};
// The record crosses the message boundary with this layout in the 32-bit library.
static_assert(sizeof(void*) != 4 || sizeof(SysCommandExRecord) == 108,
              "the docking command record is 108 bytes");

// 1 for 1..4, 5 for 5..9, 10 for 10, else 0.
int GetCategory(int nState);
// What a toggle goes to from nState: docked from an MDI child, an MDI child from anything else.
int GetToggleTarget(int nState);
// The state of a docked frame on dock side nSide (0 top, 1 left, 2 bottom, 3 right, 4 floating).
int StateForDockSide(int nSide);
// The dock bar id of a side state (6..9), else 0.
UINT DockBarForState(int nState);
// The docking menu with the check marks for nCurrent; the caller destroys it.
HMENU BuildDockingMenu(int nCurrent);

// The switch record of a document frame's five caption filters (command, caption list, button,
// right double-click, context menu) for a template's option bits: on = 0x1; list and button: on
// and not 0x2; right double-click: on and not 0x4; context menu: on and not 0x8.
void CaptionButtonRecord(DWORD dwOptions, CDWordArray& record);

// TRUE for the codes that change a frame (execute and menu), ignoring the low four bits.
inline BOOL IsSysCommandEx(WPARAM wParam) {
    const UINT nCode = (UINT)wParam & 0xFFF0u;
    return nCode == cmdExecute || nCode == cmdMenu;
}

} // namespace nsSysCommandEx
