// The list-window interface: the table of plain C entries that the library hands the host for
// the lists the host fills (registers, breakpoints, call stack, modules), the item and menu
// records the host passes in, and the shapes of the callbacks the host stores with the windows.
// The library and the stand-in host compile against this one header.
//
// Readings this header fixes:
// - ShowColumn (entry 26) takes a plain column index, the index SetColumn gave the column, the
//   same numbering as the column menu's commands 1000 + n; it toggles that column.
// - InsertItem (entry 7) returns the item's index in the list order, the index every other
//   entry takes (for a flat list and an expanded tree it is also the item's row).
// - The drag events pass no point to the host's service: the point only chooses the column
//   whose title ends the target type.
// - Callbacks 8192 and 32 receive items as their data-block pointers (the library's copy), as
//   every other callback does.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ifac/h/hostwnd.h"
#include "ifac/h/wire32.h"
#include "include/idragdrp.h"

// The host's description of one item (8-bit texts).
struct ListItemRecord {
    int32_t window;           // list window id
    uint32_t flags;           // item flags, also the context flags of the item's menu
    const char* const* texts; // one text per column; null or short: blanks
    const void* data;         // the host's data block (may be null); the item keeps a copy
    uint32_t dataLength;      // bytes
    int32_t parent;           // -1 root, -2 remembered root, -3 child of it, >= 0 an index
    uint16_t image;           // 65535: none
    uint16_t stateImage;      // 65535: none; 0..15
    uint32_t word;            // kept with the item
};
MOX_WIRE32_ASSERT(sizeof(ListItemRecord) == 32, "ListItemRecord is 32 bytes");
MOX_WIRE32_ASSERT(offsetof(ListItemRecord, texts) == 8, "texts at 8");
MOX_WIRE32_ASSERT(offsetof(ListItemRecord, dataLength) == 16, "length at 16");
MOX_WIRE32_ASSERT(offsetof(ListItemRecord, parent) == 20, "parent at 20");
MOX_WIRE32_ASSERT(offsetof(ListItemRecord, image) == 24, "image at 24");
MOX_WIRE32_ASSERT(offsetof(ListItemRecord, stateImage) == 26, "state image at 26");
MOX_WIRE32_ASSERT(offsetof(ListItemRecord, word) == 28, "word at 28");

namespace ListItemFlag {
constexpr uint32_t select = 0x2;          // becomes the selected item at the next rebuild
constexpr uint32_t secondOff = 0x4;       // clears the second text colour
constexpr uint32_t grey = 0x8;            // grey text
constexpr uint32_t bold = 0x80;           // bold font
constexpr uint32_t second = 0x200;        // the host's second text colour
constexpr uint32_t expanded = 0x40000000; // inserted expanded; not stored
} // namespace ListItemFlag

namespace ListParent {
constexpr int32_t root = -1;
constexpr int32_t rememberedRoot = -2;
constexpr int32_t childOfRemembered = -3;
} // namespace ListParent

// One entry of the host's context-menu table; a table ends with an entry whose text is null.
struct ListMenuEntry {
    const char* text;
    uint32_t flags;
    uintptr_t command; // the command id, or the sub-table of a popup
};
MOX_WIRE32_ASSERT(sizeof(ListMenuEntry) == 12, "ListMenuEntry is three words");
MOX_WIRE32_ASSERT(offsetof(ListMenuEntry, command) == 8, "command at word 2");

namespace ListMenuFlag {
constexpr uint32_t greyIfContext1 = 0x2;
constexpr uint32_t defaultEntry = 0x4;
constexpr uint32_t adjust = 0x8; // callback code 1 first
constexpr uint32_t popup = 0x10;
constexpr uint32_t alwaysGrey = 0x40;
constexpr uint32_t greyIfContext16 = 0x80;
constexpr uint32_t greyIfContext32 = 0x100;
constexpr uint32_t greyIfContext64 = 0x200;
constexpr uint32_t greyIfContext400 = 0x400;
constexpr uint32_t checked = 0x800;
constexpr uint32_t leaveOut = 0x1000;
constexpr uint32_t separator = 0x2000;
} // namespace ListMenuFlag

// The context flags of a menu opened where no item is.
constexpr uint32_t kListNoItemContext = 0x471;

// Commands and notices the list sends through callback code 8.
namespace ListNotice {
constexpr int closing = 500;
constexpr int activated = 501;
constexpr int copy = 502;
constexpr int copyAll = 503;
constexpr int selectAll = 504;
constexpr int expanded = 505;
constexpr int deleteKey = 506;
constexpr int firstColumnCommand = 1000;
constexpr int lastColumnCommand = 1050;
} // namespace ListNotice

// Callback codes of ListWnd_SetCallback and the shapes the host's functions have.
namespace ListCallback {
constexpr int adjustMenu = 1;
constexpr int stored2 = 2;
constexpr int stored4 = 4;
constexpr int command = 8;
constexpr int compare = 32;
constexpr int imageClick = 512;
constexpr int editEnd = 1024;
constexpr int image = 2048;
constexpr int scroll = 4096;
constexpr int colors = 8192;
constexpr int editStart = 16384;
} // namespace ListCallback
extern "C" {
typedef int(__cdecl* ListAdjustMenuFn)(ListMenuEntry* entry, void* data, int window);
typedef int(__cdecl* ListCommandFn)(void* data, int command, int row, int user, int window);
typedef int(__cdecl* ListCompareFn)(void* data1, void* data2, int column);
typedef int(__cdecl* ListImageClickFn)(void* data, int row, int user);
typedef int(__cdecl* ListEditEndFn)(void* data, const char* text, int column, int user);
typedef int(__cdecl* ListImageFn)(void* data, int row, int user);
typedef int(__cdecl* ListScrollFn)(int code, int amount, int flag, int perPage, int user);
typedef int(__cdecl* ListColorsFn)(void* data, int column, uint32_t* text, uint32_t* back);
typedef int(__cdecl* ListEditStartFn)(void* data);
// Fills the property record of a drag that starts on the item; nonzero with a record starts it.
typedef int(__cdecl* ListDragSourceFn)(void* data, int row, void** record, int user);
}

// Host scroll codes of callback 4096.
namespace ListScroll {
constexpr int bottom = 1;
constexpr int lineDown = 2;
constexpr int pageDown = 4;
constexpr int top = 8;
constexpr int pageUp = 16;
constexpr int lineUp = 32;
constexpr int thumbTrack = 256;
constexpr int selection = 512;
} // namespace ListScroll

// The table. Every entry but Create (0) and the two rule entries (23, 24) takes the window id
// first: the handle of the host window that holds the list.
struct ListWindowInterface {
    uint32_t major; // 2
    uint32_t minor; // 2
    int(__cdecl* Create)(const char* name, const WindowPosition* position, int* id,
                         const ListMenuEntry* menu, int frameExists);
    int(__cdecl* Destroy)(int id);
    int(__cdecl* SetCaption)(int id, const char* text);
    int(__cdecl* SetIcon)(int id, void* icon);
    int(__cdecl* QueryItem)(int id, uint32_t flags, void** data, int* index);
    int(__cdecl* Reset)(int id, uint32_t flags);
    int(__cdecl* UpdateItem)(int index, const ListItemRecord* record);
    int(__cdecl* InsertItem)(const ListItemRecord* record);
    int(__cdecl* Rebuild)(int id);
    int(__cdecl* SetWindowPos)(int id, const WindowPosition* position);
    int(__cdecl* SetStyle)(int id, uint32_t remove, uint32_t add);
    int(__cdecl* SetColumn)(int id, int column, const char* title, uint32_t flags);
    int(__cdecl* SetCallback)(int id, int code, uintptr_t value);
    int(__cdecl* SetImage)(int id, void* icon);
    int(__cdecl* SetItemImage)(int id, int index, int image, int stateImage);
    int(__cdecl* GetColumnWidth)(int id, int column);
    int(__cdecl* SetColumnWidth)(int id, int column, int width);
    int(__cdecl* GetWindowPos)(int id, WindowPosition* position);
    int(__cdecl* SelectItem)(int id, int index, int clearFirst);
    int(__cdecl* EnsureVisible)(int id, int index, int clearFirst);
    int(__cdecl* SetDragSource)(int id, ListDragSourceFn callback, const char* kind);
    int(__cdecl* SetUserData)(int id, int value);
    int(__cdecl* GetUserData)(int id);
    int(__cdecl* AddDropRules)(const char* kind, const DropRule* rules);
    int(__cdecl* DropServiceCall)(uint32_t a, uint32_t b);
    int(__cdecl* SetColumnTitle)(int id, int column, const char* title);
    int(__cdecl* ShowColumn)(int id, int column);
    int(__cdecl* GetItemState)(int id, int index, uint32_t* bits);
    uint32_t zero[2];
};
MOX_WIRE32_ASSERT(sizeof(ListWindowInterface) == 32 * 4, "32 words");
MOX_WIRE32_ASSERT(offsetof(ListWindowInterface, Create) == 2 * 4, "entry 0 at word 2");
MOX_WIRE32_ASSERT(offsetof(ListWindowInterface, GetItemState) == 29 * 4, "entry 27 at word 29");
MOX_WIRE32_ASSERT(offsetof(ListWindowInterface, zero) == 30 * 4, "zero words at 30");

// Column flags of SetColumn.
namespace ListColumnFlag {
constexpr uint32_t editable = 1;
constexpr uint32_t inMenu = 2;
constexpr uint32_t hidden = 4;
constexpr uint32_t pixels = 8;
constexpr uint32_t fill = 16;
} // namespace ListColumnFlag

// What GetItemState answers.
namespace ListItemState {
constexpr uint32_t expanded = 1;
constexpr uint32_t shown = 2;
constexpr uint32_t selected = 8;
} // namespace ListItemState

// GetHostObject kind 1: the host's object whose word 47 is the window that takes the function
// keys pressed in the library's windows.
constexpr int kHostObjectKeyTarget = 1;
constexpr unsigned kHostKeyTargetWord = 47;
