// The host's command language on the lines the library sends, and its error for the others.
#include <functional>
#include <string>

#include "host/lib/command_line.h"
#include "host/lib/host_memory.h"
#include "host/lib/target_eval.h"
#include "tests/host/target_fixture.h"

namespace {

using CommandLine = TargetTest;

uint32_t LineAddress(const char* module, int line, int column = 0) {
    uint32_t address = 0;
    Sample().AddressOfLine(Sample().FileIndex(module), line, column, address);
    return address;
}

TEST_F(CommandLine, LinesOfTheLibraryChangeTheTarget) {
    const uint32_t total = Sample().FindSymbol("total")->address;
    const uint32_t square = Sample().FindSymbol("square")->address;
    const struct {
        int cores;
        const char* line;
        std::function<bool()> done;
    } cases[] = {
        {1, "SET BREAKPOINT AT main.c\\@LINE 20",
         [] { return M().BreakpointAt(LineAddress("main.c", 20)) != nullptr; }},
        {1, "SET BREAKPOINT AT C(& \"main.c\"\\@LINE 18:17)",
         [] { return M().BreakpointAt(LineAddress("main.c", 18, 17)) != nullptr; }},
        {1, "set breakpoint at square", [=] { return M().BreakpointAt(square) != nullptr; }},
        {1, "SET VALUE total=7", [] { return Word("total") == 7; }},
        {1, "SET VALUE origin.y = -3", [] { return Word("origin", 4) == -3; }},
        {1, "SET VALUE /SIZE=BYTE 0x4218=0x34,0x12", [] { return Word("total") == 0x1234; }},
        {1, "SET VALUE /SIZE=WORD 0x4218=0xBEEF", [] { return Word("total") == 0xBEEF; }},
        {1, "SET VALUE /SIZE=BYTE CORE:0(0x4218)=0x05 ; PAGE /ASSEMBLER CORE:0(0x4218)",
         [=] { return Word("total") == 5 && S().assemblerAddress == total; }},
        {1, "SET VALUE (origin).x=5", [] { return Word("origin") == 5; }},
        {1, "SET VALUE (buffer)[2]=-1", [] { return Word("buffer", 8) == -1; }},
        {1, "STEP ; STEP ; STEP ; SET VALUE (i)=3",
         [] {
             std::string value;
             return EvaluateValue("i", 0, value) && value == "i: 3";
         }},
        {2, "SET CORE /NOCAPTURE 1 ; SET VALUE R2=9 ; SET CORE /NOCAPTURE 0",
         [] {
             return M().Core(1).reg[R2] == 9 && M().Core(0).reg[R2] == 0 && S().currentCore == 0;
         }},
        {1, "SET REGISTER R1 = 0x20", [] { return M().Core(0).reg[R1] == 0x20; }},
        {1, "STEP ; SET VALUE R3 = 7",
         [] {
             const TargetCore& c = M().Core(0);
             return c.reg[R3] == 7 && c.changed[R3] && !c.changed[PC];
         }},
        {1, "SET VALUE 0x4218 = 0x1234", [] { return Word("total") == 0x1234; }},
        {1, "SET REGISTER /SIZE=LONG PC = 0x0104", [] { return M().Core(0).reg[PC] == 0x104; }},
        {1, "ASM /ADDR=0x0100 \"NOP\"", [] { return TargetMemory()[0x100] == 0x02; }},
        {1, "ASM /ADDR=CORE:0(square) \"MOVI R0, 9\"",
         [=] {
             Instruction in;
             return DecodeInstruction(TargetMemory(), square, in) && in.op == Op::movi &&
                    in.imm == 9;
         }},
        {1, "SET EVALUATE /WINDOW=3 /HEX total",
         [] { return S().watchExpressions == std::vector<std::string>{"total"}; }},
        {1, "PAGE /SOURCE square", [] { return true; }},
        {1, "STEP ; STEP", [] { return At() == "main.c:14:1"; }},
        {1, "GO", [] { return M().Core(0).state == CoreState::exited && Word("total") == 14; }},
        {1, "SET BREAKPOINT AT util.c\\@LINE 9 ; GO ; STEP /OUT ; STEP /OVER",
         [] { return At() == "main.c:20:9"; }},
        {1, "  ;  ; ", [] { return true; }},
        // The drop rules' lines.
        {1, "SET total = 12", [] { return Word("total") == 12; }},
        {2, "SET CORE /NOCAPTURE 1 ; SET R3 = ASM(SP) ; SET CORE /NOCAPTURE 0",
         [] { return M().Core(1).reg[R3] == M().Core(1).reg[SP]; }},
        {1, "SET REGISTER R1 = SYSREG(FLAGS)", [] { return M().Core(0).reg[R1] == 0; }},
        {1, "SET EVALUATE /WINDOW=2 /HEX ASM(PC)",
         [] { return S().watchExpressions == std::vector<std::string>{"ASM(PC)"}; }},
        {1, "DISPLAY SOURCE util.c ; LINE 9", [] { return true; }},
        {1, "SET MODULE main.c", [] { return true; }},
    };
    for (const auto& c : cases) {
        Configure(c.cores);
        EXPECT_EQ(1, T().ExecuteCommandLine(c.line)) << c.line << ": " << S().lastError;
        EXPECT_TRUE(c.done()) << c.line;
        EXPECT_EQ("", S().lastError) << c.line;
    }
}

TEST_F(CommandLine, ALineTheHostCannotCarryOutAnswersItsError) {
    const struct {
        int cores;
        const char* line;
        const char* error;
    } cases[] = {
        {1, "FROBNICATE 3", "Unknown command: FROBNICATE 3"},
        {1, "SET VALUES total=1", "Unknown command: SET VALUES total=1"},
        {1, "SET BREAKPOINT AT main.c\\@LINE 15", "no code at that line"},
        {1, "SET BREAKPOINT AT nowhere", "not an address: nowhere"},
        {1, "SET VALUE nothing=3", "cannot set nothing"},
        {1, "SET VALUE total", "SET VALUE without a value: total"},
        {1, "SET VALUE total=many", "not a value: many"},
        {1, "SET VALUE 0xFFFE = 1", "outside the target's memory"},
        {1, "SET VALUE /SIZE=BYTE 0xFFFF=0x01,0x02", "outside the target's memory"},
        {1, "SET VALUE /SIZE=BYTE 0x4218=0x100", "not a value: 0x100"},
        {1, "SET VALUE /SIZE=HUGE 0x4218=1", "unknown size: HUGE"},
        {1, "SET CORE /NOCAPTURE 1", "no core 1"},
        {2, "SET CORE /NOCAPTURE 1 ; SET VALUE nothing=3 ; SET CORE /NOCAPTURE 0",
         "cannot set nothing"},
        {1, "ASM /ADDR=0x0102 \"NOP\"", "not an instruction address"},
        {1, "ASM /ADDR=0x0100 \"FLY R0\"", "not an instruction: FLY R0"},
        {1, "ASM /ADDR=0x0100 NOP", "ASM without an instruction"},
        {1, "PAGE /ASSEMBLER", "not an address: "},
        {1, "PAGE /SOURCE 0x4218", "no source at 0x4218"},
        {1, "GO ; GO", "the program has ended"},
        {1, "SET EVALUATE /WINDOW", "SET EVALUATE without an expression"},
        {1, "SET WATCHPOINT AT total", "the target has no watchpoints"},
        {1, "DISPLAY SOURCE nowhere.c ; LINE 3", "no such module: nowhere.c"},
        {1, "LINE 3", "LINE without a module"},
        {1, "DISPLAY SOURCE main.c ; LINE x", "not a line: x"},
        {1, "SHOW MEMORY /WINDOW nowhere", "not an address: nowhere"},
        {1, "SHOW MEMORY /WINDOW &buffer", "no memory window"}, // the host has no library
        {1, "SET nothing = 1", "cannot set nothing"},
        {1, "SET R1 = ASM(R9)", "not a value: ASM(R9)"},
    };
    for (const auto& c : cases) {
        Configure(c.cores);
        EXPECT_EQ(0, T().ExecuteCommandLine(c.line)) << c.line;
        EXPECT_EQ(c.error, S().lastError) << c.line;
        EXPECT_EQ(0, S().currentCore) << c.line;
        const auto errors = CallLog::Get().Named("HostError");
        ASSERT_FALSE(errors.empty()) << c.line;
        EXPECT_EQ("\"" + std::string(c.error) + "\"", errors.back().args[0]) << c.line;
    }
    EXPECT_EQ(0, T().ExecuteCommandLine(nullptr));
}

} // namespace
