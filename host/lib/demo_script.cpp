#include "host/lib/demo_script.h"

#include <cstdint>

#include "host/lib/host_memory.h"
#include "host/lib/host_state.h"
#include "host/lib/host_window.h"

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
    // A window of the host's own: the registers, in a view the library opens.
    using OpenFn = int(__cdecl*)(const char*, const WindowPosition*, HWND*);
    using CloseFn = int(__cdecl*)(intptr_t, int);
    static WindowPosition registers{};
    HostState::Get().placements[&registers] = HostPlacement{0x11, 20, 20, 260, 190};
    HWND view = nullptr;
    auto open = Export<OpenFn>(library, "GetMDIWindow");
    auto close = Export<CloseFn>(library, "CloseMDIWindow");
    if (open && open("Registers", &registers, &view) && view)
        CreateRegistersWindow(view, [close](HWND child) {
            if (close)
                close(reinterpret_cast<intptr_t>(child), 0);
        });
    // A memory window at the simulated program's data.
    static const HostPlacement memoryPlace{0x11, 290, 20, 645, 250};
    HostMemViewOptions memory;
    memory.bytesPerRow = 16;
    memory.caption = "Memory - data";
    memory.placement = &memoryPlace;
    if (ConnectMemoryWindows(library))
        OpenMemoryView(TargetRegions()[1].start, 8, 80, memory);
}
