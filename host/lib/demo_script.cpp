#include "host/lib/demo_script.h"

#include <cstdint>

#include "host/lib/command_line.h"
#include "host/lib/host_asm.h"
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
        pane("Target halted");
    HostState::Get().paneText[3] = "C"; // the language pane: the sample's source language
    // The default layout: the target's state docked on the right, the modules (their paths
    // long) along the bottom; the source with the disassembly below it, the memory and the
    // variables beside them. Docked placements: flags 0x41 and the side, then row, position in
    // the row, share of the row in percent and the row's thickness.
    constexpr int32_t kRight = 0x41 | 0x100;
    constexpr int32_t kBottom = 0x41 | 0x200;
    static const HostPlacement lists[4] = {{kRight, 0, 0, 44, 270},    // registers
                                           {kRight, 0, 2, 26, 270},    // breakpoints
                                           {kRight, 0, 1, 30, 270},    // call stack
                                           {kBottom, 0, 0, 100, 110}}; // modules
    static const HostPlacement memoryPlace{0x11, 620, 0, 310, 300};
    HostMemViewOptions memory;
    memory.bytesPerRow = 4; // the data's 64 bytes in 16 rows
    memory.caption = "Memory - data";
    memory.placement = &memoryPlace;
    if (ConnectMemoryWindows(library))
        OpenMemoryView(SampleProgram::kDataBase, 16, 40, memory);
    OpenHostLists(library, lists);
    // The watch and local-variables windows over the target's variables, the array opened.
    static HostEvalWindow watch(library, HostEvalWindow::watch);
    static HostEvalWindow locals(library, HostEvalWindow::locals);
    HostState::Get().placements[&watch.position] = HostPlacement{0x11, 620, 300, 310, 250};
    HostState::Get().placements[&locals.position] = HostPlacement{0x11, 620, 550, 310, 150};
    if (watch.Open())
        if (HostEvalWindow::Node* buffer = watch.Find("buffer"))
            watch.Update(8, 0, reinterpret_cast<intptr_t>(buffer->item));
    locals.Open();
    // The sample's main file with its coverage and line-number columns: the program is stepped
    // from its start-up code into main, and its window placed once it is open.
    const int mainFile = Sample().FileIndex("main.c");
    for (int step = 0; step < 16 && CurrentPosition(0).file != mainFile; ++step)
        if (!TargetMachine::Get().StepInto(0))
            break;
    PublishStop();
    using PlaceFn = void(__cdecl*)(intptr_t, int, const WindowPosition*);
    // The disassembly of each core below the source, the later cores' cascaded over it.
    const int cores = TargetMachine::Get().CoreCount();
    for (int core = 0; core < cores; ++core)
        OpenAsmWindow(core);
    if (auto place = Export<PlaceFn>(library, "UpdateWndPos")) {
        for (const HostSourceWindow& w : SourceWindows()) {
            HostState::Get().placements[&w.position] = HostPlacement{0x11, 0, 0, 620, 440};
            place(w.id, 1, &w.position);
        }
        for (const HostAsmWindow& w : AsmWindows()) {
            const int32_t step = 24 * w.core;
            HostState::Get().placements[&w.position] =
                HostPlacement{0x11, step, 440 + step, 620, 260};
            place(w.id, 1, &w.position);
        }
    }
    // A breakpoint in the loop, and two passes through it: the values the loop changed show red.
    RunHostCommandLine("SET BREAKPOINT AT main.c\\@LINE 20 ; GO ; GO ; STEP /OVER");
}
