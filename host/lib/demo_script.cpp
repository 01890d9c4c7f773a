#include "host/lib/demo_script.h"

#include <cstdint>

#include "host/lib/host_memory.h"
#include "host/lib/host_state.h"
#include "host/lib/host_lists.h"

namespace {
template <typename F> F Export(HMODULE library, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}
} // namespace

void RunDemoScript(HMODULE library) {
    using CreateTbFn = int(__cdecl*)(int*, const char*, int);
    using AddBtnFn = int(__cdecl*)(int, int, int, const char*, int);
    using ChangeFn = int(__cdecl*)(const char*, const char*, int, int, int, int);
    using MenuFn = int(__cdecl*)(const char*, int, int, int);
    using TextFn = int(__cdecl*)(const char*);
    int index = -1;
    if (auto create = Export<CreateTbFn>(library, "CreateGuiToolbar");
        create && create(&index, "Trace", 0))
        if (auto add = Export<AddBtnFn>(library, "AddTBButton"))
            add(index, 179, 180, "Trace on", 1030);
    if (auto change = Export<ChangeFn>(library, "ChangeButtons"))
        change("Reset", "Reset the target", 0x1 | 0x2, 0, 0, 0);
    if (auto menu = Export<MenuFn>(library, "InsertGuiMenuItem"))
        menu("&Trace Settings ...", 1031, -5, 0);
    if (auto pane = Export<TextFn>(library, "SetPaneInfoText"))
        pane("Target halted at 0x00401000");
    // A memory window at the simulated program's data.
    static const HostPlacement memoryPlace{0x11, 275, 290, 645, 250};
    HostMemViewOptions memory;
    memory.bytesPerRow = 16;
    memory.caption = "Memory - data";
    memory.placement = &memoryPlace;
    if (ConnectMemoryWindows(library))
        OpenMemoryView(TargetRegions()[1].start, 8, 80, memory);
    // The host's lists: registers, breakpoints, call stack and modules.
    OpenHostLists(library);
}
