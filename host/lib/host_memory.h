// The stand-in host's memory service: the simulated target's memory (64 KB with named regions),
// the memory windows the host opens through the library's memory-window interface, and the
// service entries those windows call. The host draws every field itself.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "ifac/h/hostwnd.h"
#include "ifac/h/memwnd.h"

constexpr uint32_t kTargetMemorySize = 0x10000;
// Keys of the text cells (the ASCII column) carry this bit over the address.
constexpr uint32_t kTextCellKey = 0x80000000u;

struct TargetRegion {
    const char* name;
    uint32_t start;
    uint32_t size;
};
const std::vector<TargetRegion>& TargetRegions();
// The simulated target's memory, filled with the same contents for every run.
std::vector<uint8_t>& TargetMemory();
void ResetTargetMemory();

// One memory window as the host keeps it: the row descriptor it hands out, where it shows.
struct HostMemView {
    MemRowDescriptor descriptor{};
    MemBackRecord back{};
    MemWndState* state = nullptr;
    WindowPosition position{};
    uint32_t top = 0; // address of the first row
    int bytesPerRow = 8;
    std::vector<uint32_t> history; // addresses to go back to
    std::vector<uint32_t> changed; // bytes the last edit changed (drawn red)
};

// Binds the library's memory-window interface (its Mem_Connect export); null when it has none.
const MemoryWindowInterface* ConnectMemoryWindows(HMODULE library);
const MemoryWindowInterface* MemoryWindows();
// Opens a memory window showing address in a format and radix; null when the library refused.
// With a placement the host has one stored for the window; without, the window sizes itself.
struct HostMemViewOptions {
    int format = 21;
    int radix = 16;
    int bytesPerRow = 8;
    const char* caption = "Memory";
    const HostPlacement* placement = nullptr;
};
HostMemView* OpenMemoryView(uint32_t address, int rows, int columns,
                            const HostMemViewOptions& options);
inline HostMemView* OpenMemoryView(uint32_t address, int rows, int columns, int format = 21,
                                   int radix = 16) {
    HostMemViewOptions options;
    options.format = format;
    options.radix = radix;
    return OpenMemoryView(address, rows, columns, options);
}
// Asks the library to close the view's window and forgets the view.
void CloseMemoryView(HostMemView* view);
std::vector<std::unique_ptr<HostMemView>>& MemoryViews();
HostMemView* FindMemoryView(const void* object);

// The first memory window shows address at its top (one is opened when none is); false when the
// address is outside the target or the library opens no window.
bool ShowMemoryAt(uint32_t address);
// After a stop: every view marks the bytes that changed since the previous stop (drawn red) and
// is repainted.
void ShowMemoryChanges();
// The target starts again: the next stop marks nothing.
void ForgetMemoryChanges();

// The text a unit at address shows in the view's format and radix.
std::string FormatUnit(const HostMemView& view, uint32_t address);
// Bytes a unit of the view's format takes.
int UnitSize(int format);
// The title line over a view's grid: column heads for its format.
std::string ViewTitle(const HostMemView& view);

// The command-table entries that belong to the memory windows: the text builder (38 to 40) and
// the popup menu builder (43). A description of the last menu built, item by item
// ("text|gray|checked|default" joined by ';'), for tests.
struct HostCommandTable;
void FillMemoryCommands(HostCommandTable& table);
const std::string& LastMemoryMenu();
