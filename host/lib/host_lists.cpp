#include "host/lib/host_lists.h"

#include "host/lib/call_log.h"
#include "host/lib/host_memory.h"
#include "host/lib/host_state.h"
#include "host/lib/target_eval.h"
#include "host/lib/target_machine.h"
#include "include/list.h"

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <deque>
#include <map>

namespace {
const ListWindowInterface* g_iface = nullptr;
HostLists g_lists;

// Command ids of the breakpoints window's menu.
constexpr int kBrkGoTo = 4001, kBrkEnable = 4002, kBrkDisable = 4003, kBrkDelete = 4004,
              kBrkDeleteAll = 4005;
// Item flags the breakpoint items carry, as context flags of their menus: 16 an enabled one
// (Enable greys), 32 a disabled one (Disable greys).
constexpr uint32_t kContextEnabled = 16, kContextDisabled = 32;

const ListMenuEntry kBreakpointMenu[] = {
    {"&Go To Source", ListMenuFlag::defaultEntry | ListMenuFlag::greyIfContext1, kBrkGoTo},
    {"-", ListMenuFlag::separator, 0},
    {"&Enable", ListMenuFlag::greyIfContext1 | ListMenuFlag::greyIfContext16, kBrkEnable},
    {"&Disable", ListMenuFlag::greyIfContext1 | ListMenuFlag::greyIfContext32, kBrkDisable},
    {"De&lete", ListMenuFlag::greyIfContext1, kBrkDelete},
    {"Delete &All", 0, kBrkDeleteAll},
    {nullptr, 0, 0}};

// One row as the host hands it to a list window.
struct ListRow {
    int data;
    int parent;
    std::vector<std::string> texts;
    uint32_t flags = 0;
    int stateImage = 0xFFFF;
    bool operator==(const ListRow& o) const {
        return data == o.data && parent == o.parent && texts == o.texts && flags == o.flags &&
               stateImage == o.stateImage;
    }
};
// The rows each open window shows, by window id: a refill that keeps the rows' shape changes
// only the rows that differ.
std::map<int, std::vector<ListRow>> g_shown;

// The record of a row: the texts live until the library has copied them.
ListItemRecord RecordOf(int id, const ListRow& row, std::vector<const char*>& pointers) {
    pointers.clear();
    for (const std::string& t : row.texts)
        pointers.push_back(t.c_str());
    ListItemRecord r{};
    r.window = id;
    r.flags = row.flags;
    r.texts = pointers.data();
    r.data = &row.data;
    r.dataLength = sizeof row.data;
    r.parent = row.parent;
    r.image = 0xFFFF;
    r.stateImage = (uint16_t)row.stateImage;
    return r;
}

bool SameShape(const std::vector<ListRow>& a, const std::vector<ListRow>& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](auto& x, auto& y) {
               return x.data == y.data && x.parent == y.parent;
           });
}

// The last row asked to be selected, -1 when none is.
int SelectedRow(const std::vector<ListRow>& rows) {
    for (int i = (int)rows.size() - 1; i >= 0; --i)
        if (rows[i].flags & ListItemFlag::select)
            return i;
    return -1;
}

// Every row again: the list is emptied, filled and rebuilt.
void Refill(int id, const std::vector<ListRow>& rows) {
    g_iface->Reset(id, 8);
    std::vector<const char*> pointers;
    for (const ListRow& row : rows) {
        const ListItemRecord r = RecordOf(id, row, pointers);
        g_iface->InsertItem(&r);
    }
    g_iface->Rebuild(id);
}

// The rows that differ from the shown ones, each repainted alone; false when one could not be.
bool UpdateRows(int id, const std::vector<ListRow>& shown, const std::vector<ListRow>& rows) {
    std::vector<const char*> pointers;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i] == shown[i])
            continue;
        const ListItemRecord r = RecordOf(id, rows[i], pointers);
        if (!g_iface->UpdateItem((int)i, &r))
            return false;
    }
    // The selection follows the host's choice as a rebuild would, scrolled to it.
    const int select = SelectedRow(rows);
    int selected = -1;
    void* data = nullptr;
    if (select >= 0 && (!g_iface->QueryItem(id, 2 | 16, &data, &selected) || selected != select)) {
        g_iface->EnsureVisible(id, select, 1);
        g_iface->SelectItem(id, select, 1);
    }
    return true;
}

// Shows the rows in the window: nothing when they are shown already, only the changed rows when
// the list keeps its shape, else a refill.
void Show(int id, std::vector<ListRow> rows) {
    if (!id)
        return;
    // A copy: the library's answers may run host code that forgets the window.
    const auto found = g_shown.find(id);
    const std::vector<ListRow> shown =
        found != g_shown.end() ? found->second : std::vector<ListRow>();
    const bool same = found != g_shown.end() && SameShape(shown, rows);
    if (!same || !UpdateRows(id, shown, rows))
        Refill(id, rows);
    g_shown[id] = std::move(rows);
}

void Forget(int id) {
    g_shown.erase(id);
}

int DataOf(void* data) {
    return data ? *static_cast<int*>(data) : -1;
}

std::string Hex(uint32_t v) {
    char text[16];
    snprintf(text, sizeof text, "0x%08X", v);
    return text;
}

std::vector<std::string> Split(const std::string& s) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t bar; (bar = s.find('|', start)) != std::string::npos; start = bar + 1)
        parts.push_back(s.substr(start, bar - start));
    parts.push_back(s.substr(start));
    return parts;
}

// ---- Callbacks of the windows.

int __cdecl OnRegisterCommand(void* data, int command, int row, int user, int window) {
    LogHostCall("SysRegWnd.Command", DataOf(data), command, row, user);
    if (command == ListNotice::closing)
        Forget(window), g_iface->Destroy(window), g_lists.registers = 0;
    return 0;
}
int __cdecl OnRegisterEditStart(void* data) {
    return DataOf(data) >= 0 ? 1 : 0; // groups have no value
}
int __cdecl OnRegisterEditEnd(void* data, const char* text, int column, int) {
    const int index = DataOf(data);
    auto& regs = ListTarget::Get().registers;
    LogHostCall("SysRegWnd.SetValue", index, text, column);
    if (index < 0 || index >= (int)regs.size() || text == nullptr)
        return 0;
    char* end = nullptr;
    const unsigned long value = strtoul(text, &end, 0);
    if (end == text || *end != 0)
        return 0; // no number: the old value stays
    for (auto& r : regs)
        r.changed = false;
    regs[index].value = (uint32_t)value;
    regs[index].changed = true;
    std::string error;
    if (ListTarget::Get().followsTarget)
        SetTargetValue(regs[index].name, text, HostState::Get().activeCore, error);
    FillRegisters(g_lists.registers);
    return 0; // the refill shows the new value
}
int __cdecl OnRegisterColors(void* data, int column, uint32_t* text, uint32_t*) {
    const int index = DataOf(data);
    const auto& regs = ListTarget::Get().registers;
    if (index < 0)
        *text = (*text & 0xFFFFFF) | 0x1000000; // group rows in bold
    else if (column == 1 && index < (int)regs.size() && regs[index].changed)
        *text = 0x0000FF; // a changed value in red
    return 0;
}

int __cdecl OnBreakpointCommand(void* data, int command, int row, int user, int window) {
    LogHostCall("BrkWnd.Command", DataOf(data), command, row, user);
    auto& bps = ListTarget::Get().breakpoints;
    const int index = DataOf(data);
    const bool valid = index >= 0 && index < (int)bps.size();
    switch (command) {
    case ListNotice::closing:
        Forget(window);
        g_iface->Destroy(window);
        g_lists.breakpoints = 0;
        return 0;
    case kBrkEnable:
    case kBrkDisable:
        if (valid)
            bps[index].enabled = command == kBrkEnable;
        if (valid && ListTarget::Get().followsTarget)
            TargetMachine::Get().EnableBreakpoint(bps[index].address, command == kBrkEnable);
        break;
    case kBrkDelete:
    case ListNotice::deleteKey:
        if (valid && ListTarget::Get().followsTarget)
            TargetMachine::Get().ClearBreakpoint(bps[index].address);
        if (valid)
            bps.erase(bps.begin() + index);
        break;
    case kBrkDeleteAll:
        if (ListTarget::Get().followsTarget)
            TargetMachine::Get().Breakpoints().clear();
        bps.clear();
        break;
    default:
        return 0;
    }
    FillBreakpoints(g_lists.breakpoints);
    return 0;
}

int __cdecl OnPlainCommand(void* data, int command, int row, int user, int window) {
    LogHostCall("List.Command", DataOf(data), command, row, user);
    if (command == ListNotice::closing) {
        Forget(window);
        g_iface->Destroy(window);
        if (window == g_lists.callStack)
            g_lists.callStack = 0;
        if (window == g_lists.modules)
            g_lists.modules = 0;
    }
    return 0;
}

int Open(const char* name, WindowPosition* position, const ListMenuEntry* menu) {
    int id = 0;
    return g_iface->Create(name, position, &id, menu, 0) ? id : 0;
}

void FillCallStack(int id) {
    std::vector<ListRow> rows;
    int n = 0;
    for (const std::string& frame : ListTarget::Get().frames) {
        const auto parts = Split(frame);
        rows.push_back({n,
                        ListParent::root,
                        {parts[0], parts.size() > 1 ? parts[1] : ""},
                        n == 0 ? ListItemFlag::bold | ListItemFlag::select : 0});
        ++n;
    }
    Show(id, std::move(rows));
}

void FillModules(int id) {
    std::vector<ListRow> rows;
    int n = 0;
    for (const std::string& module : ListTarget::Get().modules)
        rows.push_back({n++, ListParent::root, Split(module)});
    Show(id, std::move(rows));
}

WindowPosition g_positions[4];
} // namespace

ListTarget& ListTarget::Get() {
    static ListTarget target = [] {
        ListTarget t;
        t.ResetToDefaults();
        return t;
    }();
    return target;
}

void ListTarget::ResetToDefaults() {
    followsTarget = false;
    registers.clear();
    const char* core[] = {"EAX", "EBX", "ECX", "EDX", "ESI", "EDI", "EBP", "ESP", "EIP"};
    for (int i = 0; i < 9; ++i)
        registers.push_back({"Core", core[i], 0x00401000u + i * 0x111u});
    registers.push_back({"Status", "EFLAGS", 0x00000246u});
    registers.push_back({"Status", "CS", 0x0000001Bu});
    breakpoints = {{"main.c", 12, true, 3}, {"main.c", 40, false, 0}, {"util.c", 7, true, 1}};
    frames = {"main|main.c:12", "start|crt0.s:88", "boot|boot.s:4"};
    // The program the simulated target runs: its code from kCodeBase, its data after it.
    const SampleProgram& p = Sample();
    modules = {"sample|" + HexAddress(SampleProgram::kCodeBase) + "|" +
                   HexAddress(static_cast<uint32_t>(p.image.size())) + "|sample\\main.c",
               "data|" + HexAddress(SampleProgram::kDataBase) + "|" +
                   HexAddress(SampleProgram::kDataSize) + "|"};
}

void FillRegisters(int id) {
    std::vector<ListRow> rows;
    const auto& regs = ListTarget::Get().registers;
    // The changed register is selected; with none, the first group, so the list shows its top.
    bool anyChanged = false;
    for (const auto& r : regs)
        anyChanged = anyChanged || r.changed;
    std::string group;
    for (int i = 0; i < (int)regs.size(); ++i) {
        if (regs[i].group != group) {
            group = regs[i].group;
            const uint32_t select = !anyChanged && i == 0 ? ListItemFlag::select : 0;
            rows.push_back(
                {-1, ListParent::rememberedRoot, {group, ""}, ListItemFlag::expanded | select});
        }
        rows.push_back({i,
                        ListParent::childOfRemembered,
                        {regs[i].name, Hex(regs[i].value)},
                        regs[i].changed ? ListItemFlag::select : 0u});
    }
    Show(id, std::move(rows));
}

void FillBreakpoints(int id) {
    std::vector<ListRow> rows;
    int n = 0;
    for (const auto& bp : ListTarget::Get().breakpoints) {
        const uint32_t flags = bp.enabled ? kContextEnabled : kContextDisabled | ListItemFlag::grey;
        rows.push_back({n++,
                        ListParent::root,
                        {bp.file + ":" + std::to_string(bp.line),
                         bp.enabled ? "enabled" : "disabled", std::to_string(bp.hits)},
                        flags,
                        bp.enabled ? 1 : 2});
    }
    Show(id, std::move(rows));
}

const HostLists& CurrentHostLists() {
    return g_lists;
}

HostLists OpenHostLists(HMODULE library, const HostPlacement* placements) {
    using GetFn = const ListWindowInterface**(__cdecl*)(const ListWindowInterface**);
    auto get = reinterpret_cast<GetFn>(
        reinterpret_cast<void*>(GetProcAddress(library, "GetListWndIfacPtr")));
    g_lists = HostLists();
    g_shown.clear();
    if (get == nullptr || get(&g_iface) == nullptr || g_iface == nullptr)
        return g_lists;
    auto& t = *g_iface;
    // MDI children side by side (flags 0x11: x, y, width, height).
    const HostPlacement sideBySide[4] = {{0x11, 10, 10, 250, 300},
                                         {0x11, 270, 10, 330, 130},
                                         {0x11, 270, 150, 330, 120},
                                         {0x11, 610, 10, 330, 160}};
    const HostPlacement* places = placements ? placements : sideBySide;
    for (int i = 0; i < 4; ++i)
        HostState::Get().placements[&g_positions[i]] = places[i];
    auto set = [&t](int id, int code, auto fn) {
        t.SetCallback(id, code, reinterpret_cast<uintptr_t>(fn));
    };

    if (int id = g_lists.registers = Open("Registers", &g_positions[0], nullptr)) {
        t.SetColumn(id, 0, "Register", ListColumnFlag::inMenu);
        t.SetColumn(id, 1, "Value", ListColumnFlag::editable | ListColumnFlag::fill);
        t.SetColumnWidth(id, 0, 45);
        t.SetStyle(id, 0, 1 | 2 | 4 | 8 | 0x100); // a tree, its labels editable
        set(id, ListCallback::command, &OnRegisterCommand);
        set(id, ListCallback::editStart, &OnRegisterEditStart);
        set(id, ListCallback::editEnd, &OnRegisterEditEnd);
        set(id, ListCallback::colors, &OnRegisterColors);
        t.SetDragSource(id, nullptr, "SysRegWnd");
        FillRegisters(id);
    }
    if (int id = g_lists.breakpoints = Open("Breakpoints", &g_positions[1], kBreakpointMenu)) {
        t.SetColumn(id, 0, "Location", ListColumnFlag::inMenu);
        t.SetColumn(id, 1, "State", ListColumnFlag::inMenu);
        t.SetColumn(id, 2, "Hits", ListColumnFlag::inMenu | ListColumnFlag::fill);
        t.SetColumnWidth(id, 0, 50);
        t.SetColumnWidth(id, 1, 30);
        t.SetStyle(id, 0, 0x100);
        set(id, ListCallback::command, &OnBreakpointCommand);
        t.SetDragSource(id, nullptr, "BrkWnd");
        FillBreakpoints(id);
    }
    if (int id = g_lists.callStack = Open("Call Stack", &g_positions[2], nullptr)) {
        t.SetColumn(id, 0, "Function", 0);
        t.SetColumn(id, 1, "Location", ListColumnFlag::fill);
        t.SetColumnWidth(id, 0, 45);
        t.SetStyle(id, 0, 0x100);
        set(id, ListCallback::command, &OnPlainCommand);
        t.SetDragSource(id, nullptr, "CallWnd");
        FillCallStack(id);
    }
    if (int id = g_lists.modules = Open("Modules", &g_positions[3], nullptr)) {
        t.SetColumn(id, 0, "Module", ListColumnFlag::inMenu);
        t.SetColumn(id, 1, "Base", ListColumnFlag::inMenu);
        t.SetColumn(id, 2, "Size", ListColumnFlag::inMenu);
        t.SetColumn(id, 3, "Path", ListColumnFlag::inMenu | ListColumnFlag::fill);
        t.SetColumnWidth(id, 0, 25);
        t.SetColumnWidth(id, 1, 22);
        t.SetColumnWidth(id, 2, 22);
        t.SetStyle(id, 0, 0x100);
        set(id, ListCallback::command, &OnPlainCommand);
        t.SetDragSource(id, nullptr, "ModWnd");
        FillModules(id);
    }
    return g_lists;
}

namespace {

// "function|file:line" of an address of the program.
std::string FrameText(uint32_t address) {
    const SampleProgram& p = Sample();
    const Symbol* f = p.FunctionAt(address);
    const Statement* s = p.StatementAt(address);
    if (f == nullptr || s == nullptr)
        return HexAddress(address) + "|";
    return f->name + "|" + p.files[s->file].module + ":" + std::to_string(s->line);
}

// The frames from the core's PC outward: each function's frame keeps the caller's frame
// pointer at its base and the return address above it.
std::vector<std::string> CallStackOf(const TargetCore& c) {
    std::vector<std::string> frames;
    const SampleProgram& p = Sample();
    const uint32_t pc = c.reg[PC];
    const Symbol* f = p.FunctionAt(pc);
    frames.push_back(FrameText(pc));
    if (f == nullptr || f->name.rfind("_start", 0) == 0)
        return frames;
    const TargetFrame frame = TargetMachine::CurrentFrame(c);
    uint32_t ret = frame.returnAddress, fp = frame.callerBase;
    // A frame chain the program wrote over ends at the first address outside a function.
    for (int depth = 0; depth < 16; ++depth) {
        const Symbol* caller = p.FunctionAt(ret);
        if (caller == nullptr)
            break;
        frames.push_back(FrameText(ret - kInstructionSize)); // the call, not the return
        if (caller->name.rfind("_start", 0) == 0)
            break;
        ret = TargetMachine::ReadWord(fp + 4);
        fp = TargetMachine::ReadWord(fp);
    }
    return frames;
}

} // namespace

void SyncListsWithTarget(int core) {
    const TargetMachine& m = TargetMachine::Get();
    const TargetCore& c = m.Core(core);
    ListTarget& t = ListTarget::Get();
    t.followsTarget = true;
    t.registers.clear();
    for (int r = 0; r < kRegisterCount; ++r)
        t.registers.push_back(
            {r == FLAGS ? "Status" : "Core", RegisterName(r), c.reg[r], c.changed[r]});
    t.breakpoints.clear();
    for (const TargetBreakpoint& b : m.Breakpoints()) {
        const std::string file =
            b.file >= 0 ? Sample().files[b.file].module : HexAddress(b.address);
        t.breakpoints.push_back({file, b.line, b.enabled, b.hits, b.address});
    }
    t.frames = CallStackOf(c);
    if (!g_iface)
        return;
    FillRegisters(g_lists.registers);
    FillBreakpoints(g_lists.breakpoints);
    FillCallStack(g_lists.callStack);
}
