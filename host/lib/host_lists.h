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
    };
    std::vector<Register> registers;
    std::vector<Breakpoint> breakpoints;
    std::vector<std::string> frames;  // "function|location"
    std::vector<std::string> modules; // "name|base|size|path"
    static ListTarget& Get();
    void ResetToDefaults();
};

// The host's list windows ("SysRegWnd", "BrkWnd", "CallWnd", "ModWnd"), their ids once open.
struct HostLists {
    int registers = 0, breakpoints = 0, callStack = 0, modules = 0;
};
// Opens and fills the four windows through the library's interface; windows the library cannot
// open stay 0.
HostLists OpenHostLists(HMODULE library);
const HostLists& CurrentHostLists();
// Refills one window from the target (the host does so after every change).
void FillRegisters(int id);
void FillBreakpoints(int id);
