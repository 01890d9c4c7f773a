// What the stand-in host keeps: its options, the tables it hands out and the simulated target.
#pragma once

#include "host/lib/call_log.h"
#include "host/lib/host_sim.h"
#include "ifac/h/coco.h"
#include "ifac/h/hostcmd.h"
#include "include/idragdrp.h"

struct HostState {
    static HostState& Get();

    HostOptions options;
    HostCommandTable commands{};
    HostMemoryTable memory{};
    CocoComponent component{};
    IDragDrop service{};

    // The simulated target.
    int currentCore = 0;
    int activeCore = 0;
    int coreMode = 1;
    int context = 0;
    std::string registryRoot = "Software\\MOX\\Stand-in Host";
};

// Fills the tables with the host's entries (host_commands.cpp, host_dragdrop.cpp).
void FillCommandTable(HostCommandTable& table);
void FillMemoryTable(HostMemoryTable& table);
void FillDragDropComponent(CocoComponent& component, IDragDrop& service);

bool HideHostExport(const char* name);
