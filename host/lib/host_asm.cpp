#include "host/lib/host_asm.h"

#include <algorithm>
#include <cstring>

#include "host/lib/call_log.h"
#include "host/lib/host_requests.h"
#include "host/lib/host_state.h"
#include "host/lib/source_link.h"
#include "host/lib/target_eval.h"
#include "host/lib/target_machine.h"

namespace {

// Chains a window may still read from: the one it holds while a callback of it runs, plus the
// ones the host handed over inside that callback.
constexpr size_t kKeptChains = 4;

HostState& S() {
    return HostState::Get();
}

std::list<HostAsmWindow>& Windows() {
    static std::list<HostAsmWindow> windows;
    return windows;
}

HostAsmWindow* WindowOf(int core) {
    for (HostAsmWindow& w : Windows())
        if (w.core == core)
            return &w;
    return nullptr;
}

// The library keys its assembler views by the active core: the host makes the window's core
// active while it talks to the window.
class ActiveCore {
public:
    explicit ActiveCore(int core) : m_saved(S().activeCore) { S().activeCore = core; }
    ~ActiveCore() { S().activeCore = m_saved; }
    ActiveCore(const ActiveCore&) = delete;
    ActiveCore& operator=(const ActiveCore&) = delete;

private:
    int m_saved;
};

// Hands the window lines [first, first + count) and, with a line, selects it.
void Hand(HostAsmWindow& w, int first, int count, int line) {
    w.chains.push_back(std::make_unique<AsmChain>(first, count, w.core));
    while (w.chains.size() > kKeptChains)
        w.chains.pop_front();
    const LibraryWindowExports& e = WindowExports();
    ActiveCore active(w.core);
    if (e.columns)
        e.columns(w.id, kAsmColumnData, w.Chain()->Head(), 0);
    if (line >= 0 && e.update)
        e.update(w.id, "", "", static_cast<int>(kAsmLineKeyBase) + line, kAsmWindowColumns, 0, 0, 0,
                 0);
}

// Shows a line: the window's lines stay when it holds the line, else it gets a block around it.
void ShowLine(HostAsmWindow& w, int line) {
    const AsmChain* chain = w.Chain();
    if (chain && line >= chain->First() && line < chain->First() + chain->Count())
        Hand(w, chain->First(), chain->Count(), line);
    else
        Hand(w, line - kAsmLinesAbove, kAsmBlockLines, line);
}

bool CurrentInstruction(int core, uint32_t& pc) {
    const TargetMachine& m = TargetMachine::Get();
    if (core < 0 || core >= m.CoreCount() || m.Core(core).state == CoreState::exited)
        return false;
    pc = m.Core(core).reg[PC];
    return true;
}

// --- the command table's entries of the assembler windows ---

int __cdecl GetListItemText(int line, int size, char* buffer) {
    LogHostCall("GetListItemText", line, size);
    if (buffer == nullptr || size <= 0)
        return 0;
    buffer[0] = 0;
    std::string text;
    if (!AsmAddressTextOfKey(static_cast<uint32_t>(line), text) ||
        text.size() >= static_cast<size_t>(size))
        return 0;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return 1;
}

int __cdecl GetLineColors(int kind, uint32_t* a, uint32_t* b, uint32_t* c) {
    LogHostCall("GetLineColors", kind);
    const bool more = MoreAsmLines(S().currentCore, kind);
    const HostAsmWindow* w = WindowOf(S().currentCore);
    const AsmChain* chain = w ? w->Chain() : nullptr;
    uint32_t* outs[3] = {a, b, c};
    const uint32_t values[3] = {chain ? kAsmLineKeyBase + chain->First() : 0,
                                chain ? static_cast<uint32_t>(chain->Count()) : 0, more ? 1u : 0u};
    for (int i = 0; i < 3; ++i)
        if (outs[i])
            *outs[i] = values[i];
    return more ? 1 : 0;
}

void __cdecl SetOption(int value, int option) {
    LogHostCall("SetOption", value, option);
    const bool annotations = AsmSourceAnnotations();
    S().optionAnswers[option] = value;
    if (AsmSourceAnnotations() != annotations)
        RefreshAsmWindows();
}

} // namespace

const std::list<HostAsmWindow>& AsmWindows() {
    return Windows();
}

const HostAsmWindow* AsmWindowOfCore(int core) {
    return WindowOf(core);
}

void ForgetAsmWindows() {
    Windows().clear();
}

int OpenAsmWindow(int core) {
    if (core < 0 || core >= TargetMachine::Get().CoreCount())
        return -1;
    if (const HostAsmWindow* open = WindowOf(core))
        return open->id;
    const LibraryWindowExports& e = WindowExports();
    if (!e.create)
        return -1;
    Windows().emplace_back();
    HostAsmWindow& w = Windows().back(); // the position record's address is its key
    w.core = core;
    {
        ActiveCore active(core);
        w.id = e.create("", "", kAsmWindowColumns, &w.position,
                        TargetMachine::Get().CoreCount() > 1 ? core : -1);
    }
    if (w.id < 0) {
        Windows().pop_back();
        return -1;
    }
    uint32_t pc = 0;
    if (CurrentInstruction(core, pc)) {
        w.shownPc = w.shownAddress = pc;
        ShowLine(w, AsmLineOfAddress(pc));
    }
    return w.id;
}

bool ShowAsmAddress(int core, uint32_t address) {
    const int line = AsmLineOfAddress(address);
    if (line < 0)
        return ReportHostError("no code at " + HexAddress(address));
    if (OpenAsmWindow(core) < 0)
        // Without a library the host only keeps where it stands; a library that refuses the
        // window is told so.
        return !WindowExports().create || ReportHostError("no assembler window");
    HostAsmWindow& w = *WindowOf(core);
    w.shownAddress = address & ~(kInstructionSize - 1);
    ShowLine(w, line);
    return true;
}

void PublishAsmStop() {
    for (HostAsmWindow& w : Windows()) {
        uint32_t pc = 0;
        if (CurrentInstruction(w.core, pc) && pc != w.shownPc)
            w.shownPc = w.shownAddress = pc;
        ShowLine(w, AsmLineOfAddress(w.shownAddress));
    }
}

void RefreshAsmWindows() {
    for (HostAsmWindow& w : Windows()) {
        const AsmChain* chain = w.Chain();
        AsmListingLine top;
        if (chain == nullptr || !AsmLineAt(chain->First(), top)) {
            ShowLine(w, AsmLineOfAddress(w.shownAddress));
            continue;
        }
        // The listing may have changed under the window: it keeps the address at its top.
        Hand(w, AsmLineOfAddress(top.address), chain->Count(), AsmLineOfAddress(w.shownAddress));
    }
}

bool MoreAsmLines(int core, int kind) {
    HostAsmWindow* w = WindowOf(core);
    const AsmChain* chain = w ? w->Chain() : nullptr;
    if (chain == nullptr || (kind != kAsmMoreAbove && kind != kAsmMoreBelow))
        return false;
    int first = chain->First();
    int end = first + chain->Count();
    if (kind == kAsmMoreAbove) {
        first = std::max(0, first - kAsmBlockLines);
        if (first == chain->First())
            return false;
        end = std::min(end, first + kAsmMaxLines);
    } else {
        end = std::min(AsmLineCount(), end + kAsmBlockLines);
        if (end == chain->First() + chain->Count())
            return false;
        first = std::max(first, end - kAsmMaxLines);
    }
    Hand(*w, first, end - first, -1);
    return true;
}

bool CloseAsmWindow(int core) {
    auto& windows = Windows();
    auto found = std::find_if(windows.begin(), windows.end(),
                              [core](const HostAsmWindow& w) { return w.core == core; });
    if (found == windows.end())
        return false;
    // The records live until the library has closed the window: it may read them meanwhile.
    std::list<HostAsmWindow> closing;
    closing.splice(closing.end(), windows, found);
    if (WindowExports().close)
        WindowExports().close(closing.front().id, 1);
    return true;
}

bool AsmCoverageTextOfName(const void* name, std::string& text) {
    for (const HostAsmWindow& w : Windows())
        for (const auto& chain : w.chains)
            if (const AsmLineRecord* r = chain->RecordOfName(name)) {
                text = AsmCoverageText(*chain, *r);
                return true;
            }
    return false;
}

std::string& AsmChangeAddressAnswer() {
    static std::string answer = "main";
    return answer;
}

bool ChangeAsmAddress(int core) {
    LogHostCall("ChangeAddressPrompt", AsmChangeAddressAnswer().c_str());
    uint32_t address = 0;
    if (!EvaluateAddress(AsmChangeAddressAnswer().c_str(), core, address))
        return ReportHostError("not an address: " + AsmChangeAddressAnswer());
    return ShowAsmAddress(core, address);
}

void FillAsmCommands(HostCommandTable& t) {
    auto set = [&t](unsigned word, auto fn) { t.Word(word) = reinterpret_cast<void*>(fn); };
    set(12, &GetListItemText);
    set(19, &GetLineColors);
    set(26, &SetOption);
}
