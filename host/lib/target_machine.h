// The simulated processor that runs the sample program on the target's memory: one or two cores,
// breakpoints on lines and addresses, source-level run control (run, step into, over and out,
// run to an address, run until the function returns) and the execution counts that coverage
// shows. Everything is deterministic: a run is bounded by an instruction budget.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/lib/target_program.h"

enum class CoreState { halted, exited, faulted };
// budget: the run took its whole instruction budget and the host halted it there; halt: the
// user halted the core.
enum class StopReason { none, step, breakpoint, exited, fault, budget, halt };

struct TargetCore {
    uint32_t reg[kRegisterCount] = {};
    CoreState state = CoreState::halted;
    StopReason lastStop = StopReason::none;
    bool changed[kRegisterCount] = {}; // set by the last command
};

// The frame of the function a core stands in: where its frame pointer points once the frame is
// built (the caller's frame pointer kept there, the return address above it), also while the
// function's first two instructions build it and at its return, after it is taken down.
struct TargetFrame {
    uint32_t base = 0;
    uint32_t returnAddress = 0;
    uint32_t callerBase = 0;
};

struct TargetBreakpoint {
    uint32_t address = 0;
    int file = -1, line = 0, column = 0; // where it was set (-1: an address breakpoint)
    bool enabled = true;
    int hits = 0;
};

class TargetMachine {
public:
    static TargetMachine& Get();
    // Loads the program into the target's memory and puts every core at its entry. Breakpoints
    // and coverage counts go as well.
    void Reset(int cores);

    int CoreCount() const { return static_cast<int>(m_cores.size()); }
    TargetCore& Core(int core);
    const TargetCore& Core(int core) const;

    // Run control of one core; each returns false (and says why in Error) when the core cannot
    // run: the program has ended, the core faulted, or there is no such core.
    bool Run(int core);
    bool StepInstruction(int core);
    bool StepInto(int core);
    bool StepOver(int core);
    bool StepOut(int core);
    bool RunUntilReturn(int core);
    bool RunTo(int core, uint32_t address);
    // The core stops where it stands (a run never outlasts the command that started it).
    bool Halt(int core);
    bool SetPC(int core, uint32_t address);
    const std::string& Error() const { return m_error; }

    // Breakpoints. A line breakpoint on a line without code is refused.
    bool SetLineBreakpoint(int file, int line, int column);
    bool SetAddressBreakpoint(uint32_t address);
    bool ClearBreakpoint(uint32_t address);
    void EnableBreakpoint(uint32_t address, bool enabled);
    const TargetBreakpoint* BreakpointAt(uint32_t address) const;
    const std::vector<TargetBreakpoint>& Breakpoints() const { return m_breakpoints; }
    std::vector<TargetBreakpoint>& Breakpoints() { return m_breakpoints; }

    // Coverage: how often the instruction at address ran; how often a branch went each way.
    uint32_t Executed(uint32_t address) const;
    uint32_t Taken(uint32_t address) const;
    uint32_t NotTaken(uint32_t address) const;

    // The frame of the function at the core's PC (a function without a frame: its base is FP).
    static TargetFrame CurrentFrame(const TargetCore& c);

    // 32-bit values in the target's memory (little-endian, addresses wrap at 64 KB).
    static uint32_t ReadWord(uint32_t address);
    static void WriteWord(uint32_t address, uint32_t value);

    // The instructions a run may take before it gives up (the target "still runs").
    static constexpr int kBudget = 200000;

private:
    enum class Mode { run, into, over, out, untilReturn, to };
    bool Go(int core, Mode mode, uint32_t target = 0);
    // Executes the instruction at PC; false when it halts or faults the core.
    bool Execute(TargetCore& c);
    bool Ready(int core);

    std::vector<TargetCore> m_cores;
    std::vector<TargetBreakpoint> m_breakpoints;
    std::vector<uint32_t> m_executed, m_taken, m_notTaken; // by instruction index
    std::string m_error;
};
