// What the stand-in host keeps: its options, the tables it hands out and the simulated target.
#pragma once

#include "host/lib/call_log.h"
#include "host/lib/host_dragdrop.h"
#include "host/lib/host_sim.h"
#include "ifac/h/coco.h"
#include "ifac/h/hostcmd.h"
#include "ifac/h/hostwnd.h"

#include <functional>
#include <map>
#include <string>
#include <vector>
#include "include/idragdrp.h"

struct HostState {
    static HostState& Get();

    HostOptions options;
    HostCommandTable commands{};
    HostMemoryTable memory{};
    CocoComponent component{};
    IDragDrop service{};
    HostDragDrop dragDrop;

    // The simulated target.
    int currentCore = 0;
    int activeCore = 0;
    int coreMode = 1;
    int context = 0;
    std::string registryRoot = "Software\\MOX\\Stand-in Host";
    const char* registryRootAnswer = nullptr; // what GetRegistryRoot hands out (null allowed)

    // GetHostObject(15)'s record: the title the library reads, the handles it writes back.
    HostMainWindowRecord mainRecord{};
    // GetHostObject(1)'s record: word 47 is the window that takes the function keys pressed in
    // the library's windows (a test may put its own there; 0 or a window that is gone: the
    // host's own key window is made again).
    HostKeyObject keyObject{};
    // GetOption answers by option code (absent: 0); GetValueTypeFlags answers these bits.
    std::map<int, int> optionAnswers;
    int valueTypeFlags = 0;
    std::string title;
    // Pane texts by pane code 1 to 4; GetPaneInfo answers 0 for an empty one.
    std::string paneText[5];
    // Placements and states kept by key (the address of the window's position record).
    std::map<const void*, HostPlacement> placements;
    std::map<const void*, int32_t> states;
    // The list fonts the host hands out (made by ConfigureHost) and its colours.
    void* font = nullptr;
    void* boldFont = nullptr;
    uint32_t colors[3] = {0x000000, 0xFFFFFF, 0x0000FF};
    // GetHostObject(5): the host's assembler object.
    uint32_t assemblerObject[16] = {};
    // The source windows' side of the target: whether coverage is recorded, how many colour
    // queries the windows made, the host's last error text and evaluation, the expressions the
    // user added to the watch window, the address the assembler window was asked to show.
    bool coverageActive = true;
    unsigned colourQueries = 0;
    std::string lastError;
    std::string lastEvaluation;
    std::vector<std::string> watchExpressions;
    uint32_t assemblerAddress = 0;
    // Set when the library sends command 37 (the user closes the main window).
    bool closeRequested = false;
    // The target's language: 0 high level, 1 assembler; command 186 switches it.
    int language = 0;
    // Tests and the demo act inside host calls through these.
    std::function<void(int)> onCommand;
    std::function<int(void*)> preTranslate;
    // A window's command (ExecuteWindowCommand): (window, command, item record) -> answer.
    std::function<int(void*, int, int)> onWindowCommand;
    // A command line the library sends (ExecuteCommandLine), after it is logged.
    std::function<void(const char*)> onCommandLine;
    // A request the library sends (ExecuteRequest), after it is logged: (chain, text).
    std::function<void(const HostRequest*, const char*)> onRequest;
};

// Fills the tables with the host's entries (host_commands.cpp, host_dragdrop.cpp).
void FillCommandTable(HostCommandTable& table);
void FillMemoryTable(HostMemoryTable& table);
void FillDragDropComponent(CocoComponent& component, IDragDrop& service);

// Hides one of the host's exports from the library's lookup, or shows it again.
bool HideHostExport(const char* name);
bool ShowHostExport(const char* name);
