#include "host/lib/source_link.h"

#include <algorithm>
#include <vector>

#include "host/lib/host_asm.h"
#include "host/lib/host_eval.h"
#include "host/lib/host_lists.h"
#include "host/lib/host_memory.h"
#include "host/lib/host_source.h"
#include "host/lib/host_state.h"
#include "host/lib/target_machine.h"

namespace {

// The columns the host asks for: both, the choice given.
constexpr int kSourceColumns = 0x1 | 0x2 | 0x4;
// SetColumnDatas: the source view's marks, the line-number column's records, the coverage
// column's records.
constexpr int kColumnDataView = 0x1, kColumnDataLineNumbers = 0x2, kColumnDataCoverage = 0x4;

LibraryWindowExports g_exports;

std::list<HostSourceWindow>& Windows() {
    static std::list<HostSourceWindow> windows;
    return windows;
}

template <typename F> F Find(HMODULE library, const char* name) {
    return library ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)))
                   : nullptr;
}

bool MultiCore() {
    return TargetMachine::Get().CoreCount() > 1;
}

HostSourceWindow* WindowOf(int file, int core) {
    for (HostSourceWindow& w : Windows())
        if (w.file == file && w.core == core)
            return &w;
    return nullptr;
}

std::string OwnFolder() {
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n);
    const size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? "." : folder.substr(0, slash);
}

void Update(HostSourceWindow& w, int line, int start, int end) {
    if (!g_exports.update)
        return;
    w.line = line;
    const std::string& module = Sample().files[w.file].module;
    const std::string path = SamplePath(w.file);
    g_exports.update(w.id, module.c_str(), path.c_str(), line, kSourceColumns, start, end, 0,
                     SourceContextTag(w.file, w.core));
}

const char* StopText(const TargetCore& c) {
    switch (c.state) {
    case CoreState::exited:
        return "Ended";
    case CoreState::faulted:
        return "Fault";
    default:
        return c.lastStop == StopReason::breakpoint ? "Breakpoint"
               : c.lastStop == StopReason::budget   ? "Halted (instruction limit)"
                                                    : "Halted";
    }
}

// The status panes: why the active core stopped (pane 1), where (pane 2), its PC (pane 4).
void ShowStopInPanes(int core) {
    HostState& s = HostState::Get();
    const TargetCore& c = TargetMachine::Get().Core(core);
    const SourcePosition at = CurrentPosition(core);
    s.paneText[1] = StopText(c);
    s.paneText[2] =
        at.file < 0 ? "-" : Sample().files[at.file].module + ":" + std::to_string(at.line);
    s.paneText[4] = "Core " + std::to_string(core) + " at " + HexAddress(c.reg[PC]);
    if (g_exports.pane)
        g_exports.pane(s.paneText[4].c_str());
}

} // namespace

const LibraryWindowExports& WindowExports() {
    return g_exports;
}

void BindSourceLibrary(HMODULE library) {
    g_exports.create = Find<LibraryWindowExports::CreateFn>(library, "CreateSourceWindow");
    g_exports.update = Find<LibraryWindowExports::UpdateFn>(library, "UpdateSourceWindow");
    g_exports.columns = Find<LibraryWindowExports::ColumnFn>(library, "SetColumnDatas");
    g_exports.activate = Find<LibraryWindowExports::ActivateFn>(library, "ActivateSourceWindow");
    g_exports.close = Find<LibraryWindowExports::CloseFn>(library, "CloseMDIWindow");
    g_exports.pane = Find<LibraryWindowExports::PaneFn>(library, "SetPaneInfoText");
    Windows().clear();
    ForgetAsmWindows();
}

std::string SamplePath(int file) {
    const auto& files = Sample().files;
    if (file < 0 || file >= static_cast<int>(files.size()))
        return "";
    return OwnFolder() + "\\sample\\" + files[file].module;
}

const std::list<HostSourceWindow>& SourceWindows() {
    return Windows();
}

int ShowSourceFile(int file, int core) {
    if (file < 0 || file >= static_cast<int>(Sample().files.size()))
        return -1;
    if (HostSourceWindow* open = WindowOf(file, core))
        return open->id;
    if (!g_exports.create)
        return -1;
    HostSourceWindow w;
    w.file = file;
    w.core = core;
    Windows().push_back(w);
    HostSourceWindow& kept = Windows().back(); // the position record's address is its key
    const std::string path = SamplePath(file);
    kept.id = g_exports.create(Sample().files[file].module.c_str(), path.c_str(), kSourceColumns,
                               &kept.position, MultiCore() ? core : -1);
    if (kept.id < 0) {
        Windows().pop_back();
        return -1;
    }
    return kept.id;
}

void ShowSourceLine(int file, int line, int core) {
    if (ShowSourceFile(file, core) < 0)
        return;
    // The library may close the window inside the update, which erases its record.
    const int id = WindowOf(file, core)->id;
    Update(*WindowOf(file, core), line, 0, 0);
    if (g_exports.activate)
        g_exports.activate(id);
}

namespace {

// A core that stands nowhere in the program (it ended) has no current line: its windows stay
// where they are with an empty highlight.
void ClearCurrentLine(int core) {
    std::vector<int> files;
    for (const HostSourceWindow& w : Windows())
        if (w.core == core)
            files.push_back(w.file);
    // The library may close a window inside an update, which erases its record.
    for (int file : files)
        if (HostSourceWindow* w = WindowOf(file, core))
            Update(*w, std::max(w->line, 1), 1, 1);
}

// Each core's current line in its file's window, the active core's window on top, and every
// source window's records.
void ShowStopInSources(int active) {
    TargetMachine& m = TargetMachine::Get();
    for (int core = 0; core < m.CoreCount(); ++core) {
        const SourcePosition at = CurrentPosition(core);
        if (at.file < 0) {
            ClearCurrentLine(core);
            continue;
        }
        if (ShowSourceFile(at.file, core) < 0)
            continue;
        // The library may close the window inside the update, which erases its record.
        const int id = WindowOf(at.file, core)->id;
        Update(*WindowOf(at.file, core), at.line, at.column, at.column + at.length);
        if (core == active && g_exports.activate)
            g_exports.activate(id);
    }
    if (!g_exports.columns)
        return;
    // A copy, for the same reason; the library refuses the id of a window closed on the way.
    std::vector<HostSourceWindow> shown(Windows().begin(), Windows().end());
    for (const HostSourceWindow& w : shown) {
        const SourceLineRecord* records = SourceLineRecords(w.file, w.core);
        g_exports.columns(w.id, kColumnDataView, records, 0);
        g_exports.columns(w.id, kColumnDataLineNumbers, records, 0);
        if (HostState::Get().coverageActive)
            g_exports.columns(w.id, kColumnDataCoverage, CoverageRecords(w.file, w.core), 0);
    }
}

// The after-stop routine's parts in their order.
struct StopPart {
    const char* name;
    void (*run)(int activeCore);
};
const StopPart kStopParts[] = {
    {"lists", &SyncListsWithTarget},
    {"evaluation", [](int) { HostEvalWindow::UpdateAll(); }},
    {"memory", [](int) { ShowMemoryChanges(); }},
    {"status panes", &ShowStopInPanes},
    {"source", &ShowStopInSources},
    {"assembler", [](int) { PublishAsmStop(); }},
};

} // namespace

std::function<void(const char*)> g_onStopPart;

void PublishStop() {
    TargetMachine& m = TargetMachine::Get();
    const int active = std::clamp(HostState::Get().activeCore, 0, m.CoreCount() - 1);
    for (const StopPart& part : kStopParts) {
        if (g_onStopPart)
            g_onStopPart(part.name);
        part.run(active);
    }
    if (g_onStopPart)
        g_onStopPart(nullptr);
}

bool CloseSourceModule(const char* module) {
    if (module == nullptr)
        return false;
    const int file = Sample().FileIndex(module);
    auto& windows = Windows();
    auto found = std::find_if(windows.begin(), windows.end(),
                              [file](const HostSourceWindow& w) { return w.file == file; });
    if (found == windows.end())
        return false;
    const int id = found->id;
    windows.erase(found);
    if (g_exports.close)
        g_exports.close(id, 1);
    return true;
}
