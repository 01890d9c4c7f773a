// The three entries the library looks up in the host executable, and the means to hide them.
#include <utility>
#include <vector>
#include <windows.h>

#include <cstring>
#include <map>
#include <string>

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

// GetProcAddress consults only the export name table, so an entry is hidden by renaming it
// there. The new last character '~' sorts after every other, which keeps the table ordered for
// the loader's binary search. Showing it again puts the original character back, so that one
// process can play hosts with and without the entry one after the other.
namespace {

bool RenameHostExport(const char* name, bool hide) {
    static std::map<std::string, char> hidden; // name -> its original last character
    const auto known = hidden.find(name);
    if (!hide && known == hidden.end())
        return true;
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (!dir.VirtualAddress)
        return false;
    std::string entryName = name;
    if (known != hidden.end())
        entryName.back() = '~';
    auto* exports = reinterpret_cast<IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    auto* names = reinterpret_cast<DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        char* entry = reinterpret_cast<char*>(base + names[i]);
        if (entryName != entry)
            continue;
        if (known != hidden.end() && hide)
            return true;
        const size_t last = strlen(entry) - 1;
        DWORD old = 0;
        if (!VirtualProtect(entry + last, 1, PAGE_READWRITE, &old))
            return false;
        if (hide) {
            hidden[name] = entry[last];
            entry[last] = '~';
        } else {
            entry[last] = known->second;
            hidden.erase(known);
        }
        VirtualProtect(entry + last, 1, old, &old);
        return true;
    }
    return false;
}

} // namespace

bool HideHostExport(const char* name) {
    return RenameHostExport(name, true);
}

bool ShowHostExport(const char* name) {
    return RenameHostExport(name, false);
}
