#include "host/lib/demo_script.h"

#include <cstdint>

#include "host/lib/host_memory.h"
#include "host/lib/host_eval.h"
#include "host/lib/host_state.h"
#include "host/lib/host_lists.h"
#include "host/lib/host_source.h"
#include "host/lib/source_link.h"
#include "host/lib/target_machine.h"
#include "host/lib/target_program.h"

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
    static const HostPlacement memoryPlace{0x11, 15, 312, 440, 228};
    HostMemViewOptions memory;
    memory.bytesPerRow = 8;
    memory.caption = "Memory - data";
    memory.placement = &memoryPlace;
    if (ConnectMemoryWindows(library))
        OpenMemoryView(TargetRegions()[1].start, 8, 80, memory);
    // The host's lists: registers, breakpoints, call stack and modules.
    OpenHostLists(library);
    // The watch and local-variables windows over the target's variables, one struct opened,
    // after a step (its changed values red).
    static HostEvalWindow watch(library, HostEvalWindow::watch);
    static HostEvalWindow locals(library, HostEvalWindow::locals);
    HostState::Get().placements[&watch.position] = HostPlacement{0x11, 615, 160, 325, 200};
    HostState::Get().placements[&locals.position] = HostPlacement{0x11, 615, 365, 325, 165};
    if (watch.Open())
        if (HostEvalWindow::Node* point = watch.Find("point"))
            watch.Update(8, 0, reinterpret_cast<intptr_t>(point->item));
    if (locals.Open())
        if (HostEvalWindow::Node* origin = locals.Find("origin"))
            locals.Update(8, 0, reinterpret_cast<intptr_t>(origin->item));
    watch.Step();
    locals.Step();
    // The sample's main file at the current line, with its coverage and line-number columns,
    // below the lists: the program is stepped from its start-up code into main.
    const int mainFile = Sample().FileIndex("main.c");
    for (int step = 0; step < 16 && CurrentPosition(0).file != mainFile; ++step)
        if (!TargetMachine::Get().StepInto(0))
            break;
    PublishStop();
    using PlaceFn = void(__cdecl*)(intptr_t, int, const WindowPosition*);
    if (auto place = Export<PlaceFn>(library, "UpdateWndPos"))
        for (const HostSourceWindow& w : SourceWindows()) {
            HostState::Get().placements[&w.position] = HostPlacement{0x11, 10, 280, 600, 282};
            place(w.id, 1, &w.position);
        }
}
