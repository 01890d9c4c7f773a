#include "host/lib/host_requests.h"

#include <string>

#include "host/lib/host_asm.h"
#include "host/lib/host_memory.h"
#include "host/lib/host_state.h"
#include "host/lib/source_link.h"
#include "host/lib/target_eval.h"
#include "host/lib/target_machine.h"

namespace {

namespace Code = HostRequestCode;

HostState& S() {
    return HostState::Get();
}

// Where a statement's value stands in the text's place (a statement breakpoint), the "text" is
// that number: the first 64 KB of an address space are never mapped.
bool IsNumberText(const char* text, uint32_t& value) {
    const uintptr_t v = reinterpret_cast<uintptr_t>(text);
    value = static_cast<uint32_t>(v);
    return v != 0 && v < 0x10000;
}

bool Breakpoint(bool set, const char* text) {
    TargetMachine& m = TargetMachine::Get();
    uint32_t address = 0;
    if (IsNumberText(text, address))
        return (set ? m.SetAddressBreakpoint(address) : m.ClearBreakpoint(address)) ||
               ReportHostError(set ? m.Error() : "no breakpoint there");
    CodeLine code;
    if (!ParseCodeLine(text, code)) {
        // The assembler window names the instruction by its address.
        if (!EvaluateAddress(text, S().currentCore, address))
            return ReportHostError("not a code address: " + std::string(text ? text : ""));
        return (set ? m.SetAddressBreakpoint(address) : m.ClearBreakpoint(address)) ||
               ReportHostError(set ? m.Error() : "no breakpoint there");
    }
    if (set)
        return m.SetLineBreakpoint(code.file, code.line, code.column) || ReportHostError(m.Error());
    // Clearing a line clears every breakpoint on it; a column, the one of its statement.
    bool cleared = false;
    for (const Statement* s : Sample().StatementsOfLine(code.file, code.line))
        if (code.column <= 0 || s->column == code.column)
            cleared = m.ClearBreakpoint(s->address) || cleared;
    return cleared || ReportHostError("no breakpoint there");
}

bool Run(uint32_t flags, const char* text, int core) {
    TargetMachine& m = TargetMachine::Get();
    bool ran = false;
    if (flags & Code::runToLine) {
        uint32_t address = 0;
        if (!EvaluateAddress(text, core, address))
            return ReportHostError("no code at " + std::string(text ? text : "(none)"));
        ran = m.RunTo(core, address);
    } else if (flags & Code::runUntilCaller)
        ran = m.StepOut(core);
    else if (flags & Code::runUntilReturn)
        ran = m.RunUntilReturn(core);
    else
        ran = m.Run(core);
    if (ran)
        S().activeCore = core;
    return ran || ReportHostError(m.Error());
}

bool SetValue(const HostRequest& r, const char* text, intptr_t a, int core) {
    std::string error;
    if (r.flags & Code::setValueOfExpression) {
        const char* expression = reinterpret_cast<const char*>(a);
        uint32_t number = 0;
        if (expression == nullptr || IsNumberText(expression, number) || text == nullptr)
            return ReportHostError("no expression or value");
        return SetTargetValue(expression, text, core, error) || ReportHostError(error);
    }
    // Set PC: the register named in slot 0 takes the code address of the text.
    const char* reg = r.Text(0);
    uint32_t address = 0;
    if (reg == nullptr || !EvaluateAddress(text, core, address))
        return ReportHostError("no code at " + std::string(text ? text : "(none)"));
    return SetTargetValue(reg, std::to_string(address), core, error) || ReportHostError(error);
}

bool Jump(const HostRequest& r, const char* text, int core) {
    uint32_t address = 0;
    switch (r.param[0]) {
    case Code::jumpDefinition: {
        int file = -1, line = 0;
        if (text && FindDefinition(text, file, line))
            return ShowSourceLine(file, line, core), true;
        // An instruction's address: the source line it was made from.
        const Statement* s =
            EvaluateAddress(text, core, address) ? Sample().StatementAt(address) : nullptr;
        if (s == nullptr)
            return ReportHostError("no definition of " + std::string(text ? text : "(none)"));
        ShowSourceLine(s->file, s->line, core);
        return true;
    }
    case Code::jumpAssembler:
        if (!EvaluateAddress(text, core, address))
            return ReportHostError("no code at " + std::string(text ? text : "(none)"));
        S().assemblerAddress = address;
        return ShowAsmAddress(core, address);
    case Code::jumpCoverage:
        if (!EvaluateAddress(text, core, address))
            return ReportHostError("no code at " + std::string(text ? text : "(none)"));
        S().assemblerAddress = address;
        return true;
    default:
        return ReportHostError("unknown jump " + std::to_string(r.param[0]));
    }
}

// One record; sets changed when the target's state changed.
bool RunOne(const HostRequest& r, const char* text, intptr_t a, bool& changed) {
    const int core = S().currentCore;
    std::string answer;
    uint32_t address = 0;
    switch (r.code) {
    case kHostRequestSelectCore: {
        const uint64_t to = r.param[1];
        if (to >= static_cast<uint64_t>(TargetMachine::Get().CoreCount()))
            return ReportHostError("no core " + std::to_string(to));
        S().currentCore = static_cast<int>(to);
        return true;
    }
    case Code::setBreakpoint:
    case Code::clearBreakpoint:
        changed = true;
        return Breakpoint(r.code == Code::setBreakpoint, text);
    case Code::run:
        changed = true;
        return Run(r.flags, text, core);
    case Code::setValue:
        changed = true;
        return SetValue(r, text, a, core);
    case Code::commit:
        changed = true;
        return true;
    case Code::jump:
        return Jump(r, text, core);
    case Code::evaluate:
        if (!EvaluateValue(text ? text : "", core, answer))
            return ReportHostError(answer);
        S().lastEvaluation = answer;
        return true;
    case Code::addWatch:
        if (text == nullptr || !*text)
            return ReportHostError("nothing to watch");
        S().watchExpressions.push_back(text);
        return true;
    case Code::close:
        // The source and assembler windows' closes; the other windows' are the host's own
        // business.
        if (r.flags & Code::closeSource)
            return CloseSourceModule(r.Text(0)) || ReportHostError("no such source window");
        if (r.param[4] == kAsmCloseSlot)
            return CloseAsmWindow(core) || ReportHostError("no assembler window");
        return true;
    case Code::showMemory:
        if (!EvaluateAddress(text, core, address) || !MemoryWindows())
            return ReportHostError("no memory at " + std::string(text ? text : "(none)"));
        return OpenMemoryView(address, 8, 80) != nullptr || ReportHostError("no memory window");
    case Code::closeMemory:
        CloseMemoryView(
            FindMemoryView(reinterpret_cast<void*>(static_cast<uintptr_t>(r.param[1]))));
        return true;
    default:
        // Requests of windows the simulated target does not model are taken as done.
        return true;
    }
}

} // namespace

bool ReportHostError(const std::string& why) {
    S().lastError = why;
    LogHostCall("HostError", why.c_str());
    return false;
}

int RunRequestChain(const HostRequest* chain, const char* text, int, intptr_t a, intptr_t) {
    S().lastError.clear();
    bool changed = false, ok = true;
    // After a failure only the core selections still run: the chain's last record brings the
    // host back to the core it came from.
    for (int n = 0; chain && n < 64; ++n, chain = chain->next)
        if (ok || chain->code == kHostRequestSelectCore)
            ok = RunOne(*chain, text, a, changed) && ok;
    if (changed)
        PublishStop();
    return ok ? 1 : 0;
}
