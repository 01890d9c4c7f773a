// The source windows the stand-in host opens in the library for the sample program, and the
// one place where the host tells the library that a core stopped: it opens or updates the
// window of the stop's file at the stop's line and hands every window its line records. The
// library's exports are looked up by name; a library without them is simply not told.
#pragma once

#include <windows.h>

#include <functional>
#include <list>
#include <string>

#include "ifac/h/hostwnd.h"

// The library the source windows live in; null unbinds (the host then only keeps its state and
// forgets the windows it had opened).
void BindSourceLibrary(HMODULE library);

// The library's exports that open and update its source and assembler windows; null where the
// library has none.
struct LibraryWindowExports {
    using CreateFn = int(__cdecl*)(const char*, const char*, int, WindowPosition*, int);
    using UpdateFn = int(__cdecl*)(int, const char*, const char*, int, int, int, int, int, int);
    using ColumnFn = int(__cdecl*)(int, int, const void*, int);
    using ActivateFn = int(__cdecl*)(int);
    using CloseFn = int(__cdecl*)(int, int);
    using PaneFn = int(__cdecl*)(const char*);
    CreateFn create = nullptr;
    UpdateFn update = nullptr;
    ColumnFn columns = nullptr;
    ActivateFn activate = nullptr;
    CloseFn close = nullptr;
    PaneFn pane = nullptr; // SetPaneInfoText
};
const LibraryWindowExports& WindowExports();

// The sample's files are shipped next to the host, in its "sample" folder.
std::string SamplePath(int file);

struct HostSourceWindow {
    int id = -1;
    int file = -1;
    int core = 0;
    int line = 0; // the line the host last moved the window to
    WindowPosition position{};
};
const std::list<HostSourceWindow>& SourceWindows();

// The window id of the file's window for a core, opened when there is none (-1 when the
// library refuses or is not bound).
int ShowSourceFile(int file, int core);
// Shows a line of a file (a jump to a definition): the window is opened or updated there.
void ShowSourceLine(int file, int line, int core);
// After every stop (and every edit of the target): the list windows refilled from the active
// core, the evaluation windows read again with the changed values marked, the memory windows'
// changed bytes marked and repainted, the status panes, each core's current line in its file's
// window and every source window's records.
void PublishStop();
// The routine runs in parts, each named by the windows it brings up to date ("lists",
// "evaluation", "memory", "status panes", "source", "assembler"); this is told the name of each
// part as it begins, and null once the last has ended (a bench times the
// parts with it); empty: nothing is told.
extern std::function<void(const char*)> g_onStopPart;
// The host closes the window of a module (the library asked it to): false when none is open.
bool CloseSourceModule(const char* module);
