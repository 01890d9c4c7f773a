// The stand-in host's lists: its simulated target's registers, breakpoints, call stack and
// modules, filled into the library's list windows through the list-window interface as a
// debugger host fills them, and refilled when the user edits a value or runs a command.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ListWindowInterface;

// The simulated target behind the lists.
struct ListTarget {
    struct Register {
        std::string group, name;
        uint32_t value;
        bool changed = false;
    };
    struct Breakpoint {
        std::string file;
        int line;
        bool enabled;
        int hits;
        uint32_t address = 0; // on the simulated processor
    };
    std::vector<Register> registers;
    std::vector<Breakpoint> breakpoints;
    std::vector<std::string> frames;  // "function|location"
    std::vector<std::string> modules; // "name|base|size|path"
    // Set once the lists show the simulated processor (after its first stop): edits and
    // breakpoint commands then reach the processor as well.
    bool followsTarget = false;
    static ListTarget& Get();
    void ResetToDefaults();
};

// After a stop of the simulated processor: the registers of the core that stopped, the
// breakpoints and the call stack are taken from it, and the open windows refilled.
void SyncListsWithTarget(int core);

// The host's list windows ("SysRegWnd", "BrkWnd", "CallWnd", "ModWnd"), their ids once open.
struct HostLists {
    int registers = 0, breakpoints = 0, callStack = 0, modules = 0;
};
// Opens and fills the four windows through the library's interface, at the placements given
// (registers, breakpoints, call stack, modules; none: MDI children side by side); windows the
// library cannot open stay 0.
struct HostPlacement;
HostLists OpenHostLists(HMODULE library, const HostPlacement* placements = nullptr);
const HostLists& CurrentHostLists();
// Refills one window from the target (the host does so after every change).
void FillRegisters(int id);
void FillBreakpoints(int id);
