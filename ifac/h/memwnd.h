// The memory window's wire records: the interface table the library hands the host through
// Mem_Connect, the per-window state block whose address the host keeps, the cell record the
// window fills in host memory, and the host's row descriptor. Both sides compile against this
// header; every size and offset is fixed.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ifac/h/wire32.h"

constexpr int kMemMaxRows = 400;
constexpr int kMemMaxCells = 400;
constexpr int kMemTitleBytes = 100;

// Flags of MemWndState::flags.
constexpr uint32_t kMemStateNoTitle = 2;

// Flags of MemCell::flags.
constexpr uint32_t kMemCellActive = 1;
constexpr uint32_t kMemCellLastOfRow = 2;

// A value cell as the window records it; the host allocates it (AllocCell) and may read it.
struct MemCell {
    uint32_t flags;
    uint32_t reserved;
    uint32_t keyLow;  // the field's value key
    uint32_t keyHigh; // always 0
    int32_t x;        // in characters
    int32_t y;        // text line
    int32_t length;   // in characters
};
MOX_WIRE32_ASSERT(sizeof(MemCell) == 28, "cell record is 7 words");
MOX_WIRE32_ASSERT(offsetof(MemCell, keyLow) == 8, "key at 8");
MOX_WIRE32_ASSERT(offsetof(MemCell, keyHigh) == 12, "key high word at 12");
MOX_WIRE32_ASSERT(offsetof(MemCell, x) == 16, "x at 16");
MOX_WIRE32_ASSERT(offsetof(MemCell, y) == 20, "y at 20");
MOX_WIRE32_ASSERT(offsetof(MemCell, length) == 24, "length at 24");

// Display formats (the host's command numbers of the format menu) and the descriptor's bits.
namespace MemFormat {
constexpr int byte = 21, word = 166, longWord = 90, longLong = 425;
constexpr int single = 62, doubleFloat = 45, longDouble = 424, longDoubleOld = 59;
constexpr int near16 = 325, near32 = 326, far16 = 327, far32 = 328;
inline bool IsPointer(int f) {
    return f >= near16 && f <= far32;
}
inline bool IsFarPointer(int f) {
    return f == far16 || f == far32;
}
} // namespace MemFormat
constexpr uint32_t kMemModeBased = 1; // vertical scroll bar disabled
constexpr uint32_t kMemModeAutoUpdate = 2;

// The host's record behind descriptor word 5: word 1 is 0 when there is nothing to go back to.
struct MemBackRecord {
    uint32_t word0;
    uint32_t depth;
};

// The host's description of a window's rows, read (never written) by the window at each use.
struct MemRowDescriptor {
    uint32_t mode;  // kMemMode* bits
    void* view;     // the host's view handle
    int32_t radix;  // 2, 8, 10 or 16
    int32_t format; // MemFormat
    uint32_t word4;
    MemBackRecord* back; // null or the back record
    uint32_t word6;
    int32_t firstCharCell; // format 21: index of the first character cell of a row
    int32_t word8;         // passed into the data-breakpoint record; 4 allows "F&ollow"
};
MOX_WIRE32_ASSERT(offsetof(MemRowDescriptor, view) == 4, "view at word 1");
MOX_WIRE32_ASSERT(offsetof(MemRowDescriptor, radix) == 8, "radix at word 2");
MOX_WIRE32_ASSERT(offsetof(MemRowDescriptor, format) == 12, "format at word 3");
MOX_WIRE32_ASSERT(offsetof(MemRowDescriptor, back) == 20, "back record at word 5");
MOX_WIRE32_ASSERT(offsetof(MemRowDescriptor, firstCharCell) == 28, "first char cell at word 7");
MOX_WIRE32_ASSERT(offsetof(MemRowDescriptor, word8) == 32, "word 8 at 32");

// One block per window, allocated zero-filled by the window; the host gets its address back
// from the create entry and passes it to every other entry.
struct MemWndState {
    uint32_t flags;    // kMemStateNoTitle
    void* object;      // the host's window object
    void* memWnd;      // HWND of CMemWnd
    void* grid;        // HWND of CMemChildWnd
    void* title;       // HWND of the title
    int32_t x, y;      // current position while fields are added
    int32_t cellIndex; // next cell index in the current grid row
    int32_t row;       // current grid row while fields are added
    int32_t selCell;   // selected cell index
    int32_t selRow;    // selected grid row
    void* dc;          // grid DC during a refill
    int32_t rows;      // rows that fit the grid window
    int32_t columns;   // characters that fit the grid window
    char titleText[kMemTitleBytes];
    MemRowDescriptor* descriptor;
    MemCell* cells[kMemMaxRows][kMemMaxCells];
    void* cellPool;
};
MOX_WIRE32_ASSERT(sizeof(MemWndState) == 640164, "state block is 640,164 bytes");
MOX_WIRE32_ASSERT(offsetof(MemWndState, object) == 4, "object at 4");
MOX_WIRE32_ASSERT(offsetof(MemWndState, memWnd) == 8, "window at 8");
MOX_WIRE32_ASSERT(offsetof(MemWndState, grid) == 12, "grid at 12");
MOX_WIRE32_ASSERT(offsetof(MemWndState, title) == 16, "title at 16");
MOX_WIRE32_ASSERT(offsetof(MemWndState, x) == 20, "x at 20");
MOX_WIRE32_ASSERT(offsetof(MemWndState, y) == 24, "y at 24");
MOX_WIRE32_ASSERT(offsetof(MemWndState, cellIndex) == 28, "cell index at 28");
MOX_WIRE32_ASSERT(offsetof(MemWndState, row) == 32, "row at 32");
MOX_WIRE32_ASSERT(offsetof(MemWndState, selCell) == 36, "selected cell at 36");
MOX_WIRE32_ASSERT(offsetof(MemWndState, selRow) == 40, "selected row at 40");
MOX_WIRE32_ASSERT(offsetof(MemWndState, dc) == 44, "dc at 44");
MOX_WIRE32_ASSERT(offsetof(MemWndState, rows) == 48, "rows at 48");
MOX_WIRE32_ASSERT(offsetof(MemWndState, columns) == 52, "columns at 52");
MOX_WIRE32_ASSERT(offsetof(MemWndState, titleText) == 56, "title text at 56");
MOX_WIRE32_ASSERT(offsetof(MemWndState, descriptor) == 156, "descriptor at 156");
MOX_WIRE32_ASSERT(offsetof(MemWndState, cells) == 160, "cell table at 160");
MOX_WIRE32_ASSERT(offsetof(MemWndState, cellPool) == 640160, "cell pool at 640,160");

// Flags of the add-field entry.
namespace MemField {
constexpr uint32_t notCell = 1, inactive = 2, endOfRow = 4;
constexpr uint32_t mark8 = 8, mark16 = 16, attr20 = 0x20, attr40 = 0x40, attr80 = 0x80;
} // namespace MemField

struct WindowPosition;
// The table Mem_Connect hands the host: version 3.13 and six plain C entries.
extern "C" {
typedef int(__cdecl* MemWndCreateFn)(void* object, int rows, int columns, MemWndState** out,
                                     WindowPosition* position);
typedef int(__cdecl* MemWndTextFn)(MemWndState* state, const char* text);
typedef int(__cdecl* MemWndAddFieldFn)(MemWndState* state, const char* text, uint32_t key,
                                       uint32_t ignored, int gap, uint32_t flags);
typedef int(__cdecl* MemWndRepaintFn)(MemWndState* state, int erase);
typedef int(__cdecl* MemWndCloseFn)(MemWndState* state);
}
struct MemoryWindowInterface {
    uint32_t major; // 3
    uint32_t minor; // 13
    MemWndCreateFn Create;
    MemWndTextFn SetCaption;
    MemWndAddFieldFn AddField;
    MemWndTextFn SetTitle;
    MemWndRepaintFn Repaint;
    MemWndCloseFn Close;
};
MOX_WIRE32_ASSERT(sizeof(MemoryWindowInterface) == 32, "version pair and six entries");
MOX_WIRE32_ASSERT(offsetof(MemoryWindowInterface, Create) == 8, "entry 0 at word 2");
MOX_WIRE32_ASSERT(offsetof(MemoryWindowInterface, Close) == 28, "entry 5 at word 7");

// The popup menu's item table that BuildMemPopupMenu receives: {text, flags, command}, ended by
// an all-zero item; flag 16 makes command the address of a nested table.
struct MemMenuItem {
    const char* text;
    uint32_t flags;
    uintptr_t command;
};
MOX_WIRE32_ASSERT(sizeof(MemMenuItem) == 12, "three words an item");
constexpr uint32_t kMemMenuNested = 16;
// (menu, command) -> the item's check state.
extern "C" typedef int(__cdecl* MemMenuEnableFn)(void* menu, int command);

// The data-breakpoint record handed to SubmitText.
struct MemBreakpointRecord {
    uint32_t word[16];
};
static_assert(sizeof(MemBreakpointRecord) == 64, "64 bytes");
