// The toolkit colour table: 33 colours derived from eight system colours, from which the flat
// look of bars, menus and buttons is painted; and the process-wide flat-look switch.
#pragma once

#include <windows.h>

const int kToolkitColorCount = 33;

// The system colours the table is derived from.
struct ToolkitBaseColors {
    COLORREF window;      // COLOR_WINDOW
    COLORREF windowText;  // COLOR_WINDOWTEXT
    COLORREF face;        // COLOR_BTNFACE
    COLORREF shadow;      // COLOR_BTNSHADOW
    COLORREF buttonText;  // COLOR_BTNTEXT
    COLORREF highlight;   // COLOR_HIGHLIGHT
    COLORREF grayText;    // COLOR_GRAYTEXT
    COLORREF windowFrame; // COLOR_WINDOWFRAME
};

// Reads the system colours and recomputes the table; again whenever they change.
void UpdateToolkitColors();
// Recomputes the table from the given colours.
void UpdateToolkitColors(const ToolkitBaseColors& base);
// Entry nIndex; white for an index outside the table.
COLORREF GetToolkitColor(int nIndex);
// The colours the table was last derived from.
const ToolkitBaseColors& GetToolkitBaseColors();

// The flat look: off unless switched on; this program never switches it on.
BOOL IsFlatLook();
void SetFlatLook(BOOL bFlat);
