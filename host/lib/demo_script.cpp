#include "host/lib/demo_script.h"

#include <cstdint>

#include "host/lib/host_eval.h"
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
    // The watch and local-variables windows over the target's variables, one struct opened,
    // after a step (its changed values red).
    static HostEvalWindow watch(library, HostEvalWindow::watch);
    static HostEvalWindow locals(library, HostEvalWindow::locals);
    HostState::Get().placements[&watch.position] = HostPlacement{0x11, 300, 20, 360, 250};
    HostState::Get().placements[&locals.position] = HostPlacement{0x11, 300, 290, 360, 170};
    if (watch.Open())
        if (HostEvalWindow::Node* point = watch.Find("point"))
            watch.Update(8, 0, reinterpret_cast<intptr_t>(point->item));
    if (locals.Open())
        if (HostEvalWindow::Node* origin = locals.Find("origin"))
            locals.Update(8, 0, reinterpret_cast<intptr_t>(origin->item));
    watch.Step();
    locals.Step();
}
