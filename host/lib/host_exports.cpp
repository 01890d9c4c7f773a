// The three entries the library looks up in the host executable, and the means to hide them.
#include <utility>
#include <vector>
#include <windows.h>

#include <cstring>

#include "host/lib/host_state.h"

extern "C" {

__declspec(dllexport) void __cdecl gui_Connect(HostCommandTable** table) {
    LogHostCall("gui_Connect", static_cast<const void*>(table));
    if (table)
        *table = HostState::Get().options.nullTable ? nullptr : &HostState::Get().commands;
}

__declspec(dllexport) void __cdecl Mem_ConnectG2C(HostMemoryTable** table) {
    LogHostCall("Mem_ConnectG2C", static_cast<const void*>(table));
    if (table)
        *table = HostState::Get().options.nullMemTable ? nullptr : &HostState::Get().memory;
}

__declspec(dllexport) int __cdecl __COCO__(uint32_t componentId, void** out) {
    LogHostCall("__COCO__", componentId, static_cast<const void*>(out));
    if (!out || componentId != kDragDropComponentId)
        return 0;
    *out = &HostState::Get().component;
    return 1;
}
}

namespace {
// The entries hidden so far and the last characters they had: a later configuration of the
// same process shows them again.
std::vector<std::pair<char*, char>>& HiddenExports() {
    static std::vector<std::pair<char*, char>> hidden;
    return hidden;
}
void SetLastChar(char* p, char c) {
    DWORD old = 0;
    if (VirtualProtect(p, 1, PAGE_READWRITE, &old)) {
        *p = c;
        VirtualProtect(p, 1, old, &old);
    }
}
} // namespace

void RestoreHostExports() {
    for (const auto& [p, c] : HiddenExports())
        SetLastChar(p, c);
    HiddenExports().clear();
}

// GetProcAddress consults only the export name table, so an entry is hidden by renaming it
// there. The new last character '~' sorts after every other, which keeps the table ordered for
// the loader's binary search.
bool HideHostExport(const char* name) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (!dir.VirtualAddress)
        return false;
    auto* exports = reinterpret_cast<IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    auto* names = reinterpret_cast<DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        char* entry = reinterpret_cast<char*>(base + names[i]);
        if (strcmp(entry, name) != 0)
            continue;
        size_t last = strlen(entry) - 1;
        HiddenExports().push_back({entry + last, entry[last]});
        SetLastChar(entry + last, '~');
        return true;
    }
    return false;
}
