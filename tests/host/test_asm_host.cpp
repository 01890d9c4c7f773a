// The host's side of the assembler windows: the line chains it hands them (blocks around an
// instruction, more lines at either end with the first line moved during the call, source
// annotations on and off), the texts it answers for a line, and the command lines and requests
// the windows send, carried out on the target.
#include <cstring>
#include <string>
#include <vector>

#include "host/lib/command_line.h"
#include "host/lib/host_asm.h"
#include "host/lib/host_memory.h"
#include "host/lib/host_requests.h"
#include "host/lib/source_link.h"
#include "tests/host/library_stub.h"
#include "tests/host/target_fixture.h"

namespace {

class AsmHost : public TargetTest {
protected:
    void SetUp() override {
        TargetTest::SetUp();
        BindLibraryStub();
    }
    void TearDown() override { BindSourceLibrary(nullptr); }

    static std::vector<const AsmLineRecord*> Records(int core = 0) {
        std::vector<const AsmLineRecord*> out;
        for (const AsmLineRecord* r = Stub().chains[core]; r && out.size() < 4096; r = r->next)
            out.push_back(r);
        return out;
    }
    static const AsmLineRecord* RecordAt(uint32_t address, int core = 0) {
        for (const AsmLineRecord* r : Records(core))
            if ((r->flags & kAsmLineCode) && r->hostWords[0] == address)
                return r;
        return nullptr;
    }
    static uint32_t FirstKey(int core = 0) {
        return Stub().chains[core] ? Stub().chains[core]->addressKey : 0;
    }
    static uint32_t KeyOf(uint32_t address) {
        return kAsmLineKeyBase + static_cast<uint32_t>(AsmLineOfAddress(address));
    }
    static uint32_t Symbol(const char* name) { return Sample().FindSymbol(name)->address; }
    static std::string ItemText(uint32_t key, int size = 200) {
        char buffer[200];
        std::memset(buffer, 'x', sizeof buffer);
        const int ok = T().GetListItemText(static_cast<int>(key), size, buffer);
        return std::to_string(ok) + ":" + std::string(buffer, strnlen(buffer, sizeof buffer));
    }
};

TEST_F(AsmHost, AWindowGetsABlockAroundItsCoresInstruction) {
    ASSERT_TRUE(M().StepInto(0));
    const uint32_t pc = M().Core(0).reg[PC];
    ASSERT_EQ(1, OpenAsmWindow(0));
    const int line = AsmLineOfAddress(pc);
    const std::string key = std::to_string(kAsmLineKeyBase + line);
    EXPECT_EQ((std::vector<std::string>{"Create(, , 28, pos, -1)", "Columns(1, 8)",
                                        "Update(1, , , " + key + ", 28, 0, 0, 0, 0)"}),
              Stub().seen);
    const std::vector<const AsmLineRecord*> records = Records();
    ASSERT_EQ(static_cast<size_t>(kAsmBlockLines), records.size());
    EXPECT_EQ(kAsmLineKeyBase + std::max(0, line - kAsmLinesAbove), FirstKey());
    EXPECT_EQ(kAsmLineKeyBase + line, static_cast<uint32_t>(Stub().selected[0]));
    for (size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(FirstKey() + i, records[i]->addressKey) << i;
    // The current instruction stands out; source lines are plain text lines before their code.
    const AsmLineRecord* current = RecordAt(pc);
    ASSERT_NE(nullptr, current);
    EXPECT_EQ(kCurrentLineColor, current->background);
    EXPECT_EQ(HexAddress(pc), current->addressText);
    int sourceLines = 0;
    for (const AsmLineRecord* r : records)
        if (!(r->flags & kAsmLineCode)) {
            ++sourceLines;
            EXPECT_STREQ("", r->addressText);
            EXPECT_NE(nullptr, std::strchr(r->sourceText, ':')) << r->sourceText;
            ASSERT_NE(nullptr, r->next);
            EXPECT_EQ(r->hostWords[0], r->next->hostWords[0]) << "its code follows";
        }
    EXPECT_GT(sourceLines, 0);
    // Opening it again is the same window; the library refusing one leaves none.
    EXPECT_EQ(1, OpenAsmWindow(0));
    EXPECT_EQ(1u, AsmWindows().size());
    EXPECT_EQ(-1, OpenAsmWindow(5));
}

TEST_F(AsmHost, ALineIdAnswersItsAddressText) {
    const uint32_t square = Symbol("square");
    const struct {
        uint32_t key;
        int size;
        std::string expected;
    } cases[] = {{KeyOf(square), 200, "1:" + HexAddress(square)},
                 {KeyOf(square) - 1, 200, "0:"}, // the source line before it
                 {KeyOf(square), 6, "0:"},       // no room for the terminator
                 {kAsmLineKeyBase - 1, 200, "0:"},
                 {kAsmLineKeyBase + static_cast<uint32_t>(AsmLineCount()), 200, "0:"}};
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, ItemText(c.key, c.size)) << c.key;
    EXPECT_EQ(0, T().GetListItemText(static_cast<int>(KeyOf(square)), 200, nullptr));
}

} // namespace

namespace {

TEST_F(AsmHost, MoreLinesAtAnEndMoveTheFirstLineDuringTheCall) {
    ASSERT_TRUE(ShowAsmAddress(0, Symbol("square")));
    const uint32_t first = FirstKey();
    uint32_t seenFirst = 0;
    Stub().onColumns = [&seenFirst](int, int) { seenFirst = FirstKey(); };
    uint32_t a = 0, b = 0, c = 0;
    // Above: the block grows upward, the window learns it inside the call.
    EXPECT_EQ(1, T().GetLineColors(kAsmMoreAbove, &a, &b, &c));
    EXPECT_EQ(first - kAsmBlockLines, seenFirst);
    EXPECT_EQ(first - kAsmBlockLines, a);
    EXPECT_EQ(static_cast<uint32_t>(2 * kAsmBlockLines), b);
    EXPECT_EQ(static_cast<size_t>(b), Records().size());
    // Below, again and again: the window never holds more than the most, its top moves down.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(1, T().GetLineColors(kAsmMoreBelow, &a, &b, &c));
    EXPECT_EQ(static_cast<size_t>(kAsmMaxLines), Records().size());
    EXPECT_EQ(first + kAsmBlockLines + 4 * kAsmBlockLines - kAsmMaxLines, FirstKey());
    // The start and the end of the memory: nothing more, the lines stay.
    ASSERT_TRUE(ShowAsmAddress(0, 0));
    const std::string before = Stub().seen.back();
    EXPECT_EQ(0, T().GetLineColors(kAsmMoreAbove, &a, &b, &c));
    EXPECT_EQ(0u, c);
    EXPECT_EQ(before, Stub().seen.back()) << "nothing handed over";
    ASSERT_TRUE(ShowAsmAddress(0, kTargetMemorySize - kInstructionSize));
    EXPECT_EQ(0, T().GetLineColors(kAsmMoreBelow, &a, &b, &c));
    EXPECT_EQ(kAsmLineKeyBase + static_cast<uint32_t>(AsmLineCount()), a + b);
    EXPECT_EQ(0, T().GetLineColors(7, nullptr, nullptr, nullptr)) << "no such kind";
    // A core without a window gets nothing.
    S().currentCore = 1;
    EXPECT_EQ(0, T().GetLineColors(kAsmMoreBelow, &a, &b, &c));
}

TEST_F(AsmHost, SourceAnnotationsOffLeaveOnlyInstructionsFromTheSameTop) {
    const uint32_t square = Symbol("square");
    ASSERT_TRUE(ShowAsmAddress(0, square));
    const uint32_t topAddress = Records().front()->hostWords[0];
    EXPECT_EQ(1, T().GetOption(0));
    T().SetOption(0, 0);
    EXPECT_EQ(0, T().GetOption(0));
    const std::vector<const AsmLineRecord*> records = Records();
    ASSERT_FALSE(records.empty());
    for (const AsmLineRecord* r : records)
        EXPECT_TRUE(r->flags & kAsmLineCode) << r->sourceText;
    EXPECT_EQ(topAddress, records.front()->hostWords[0]);
    EXPECT_EQ(KeyOf(square), static_cast<uint32_t>(Stub().selected[0]));
    EXPECT_EQ(square / kInstructionSize, KeyOf(square) - kAsmLineKeyBase);
    T().SetOption(1, 0);
    EXPECT_NE(nullptr, RecordAt(square));
    EXPECT_FALSE(Records()[static_cast<size_t>(KeyOf(square) - 1 - FirstKey())]->flags &
                 kAsmLineCode);
}

TEST_F(AsmHost, AnOpcodeEditWritesTheBytesAndShowsTheLineAgain) {
    const uint32_t at = Symbol("square") + 8;
    ASSERT_EQ(1, OpenAsmWindow(0));
    const std::string address = HexAddress(at);
    EXPECT_EQ(1, T().ExecuteCommandLine(("SET VALUE /SIZE=BYTE " + address +
                                         "=0x34,0x12,0x56 ; PAGE /ASSEMBLER " + address)
                                            .c_str()));
    EXPECT_EQ(0x34, TargetMemory()[at]);
    EXPECT_EQ(0x12, TargetMemory()[at + 1]);
    EXPECT_EQ(0x56, TargetMemory()[at + 2]);
    const AsmLineRecord* edited = RecordAt(at);
    ASSERT_NE(nullptr, edited);
    EXPECT_EQ(0, std::strncmp("34 12 56", edited->opcodeText, 8)) << edited->opcodeText;
    EXPECT_EQ(KeyOf(at), static_cast<uint32_t>(Stub().selected[0]));
    // An instruction typed in its place, assembled by the host.
    EXPECT_EQ(1, T().ExecuteCommandLine(("ASM /ADDR=" + address + " \"MOV FP, SP\"").c_str()));
    EXPECT_STREQ("MOV     FP, SP", RecordAt(at)->sourceText);
    EXPECT_EQ(0, RecordAt(at)->flags & kAsmLineNoBreakpoint);
    // What the target cannot take answers an error and changes nothing.
    const std::vector<uint8_t> memory = TargetMemory();
    const char* refused[] = {"SET VALUE /SIZE=BYTE 0xFFFF=0x1,0x2 ; PAGE /ASSEMBLER 0xFFFF",
                             "SET VALUE /SIZE=BYTE 0x10000=0x1",
                             "SET VALUE /SIZE=BYTE 0x100=0x100",
                             "ASM /ADDR=0x0102 \"HALT\"",
                             "ASM /ADDR=0x0100 \"FLY R0\"",
                             "ASM /ADDR=nowhere \"HALT\"",
                             "PAGE /ASSEMBLER 0x10000"};
    for (const char* line : refused) {
        EXPECT_EQ(0, T().ExecuteCommandLine(line)) << line;
        EXPECT_FALSE(S().lastError.empty()) << line;
    }
    EXPECT_EQ(memory, TargetMemory());
}

TEST_F(AsmHost, TwoCoresHaveAWindowEachAfterEveryStop) {
    Configure(2);
    BindLibraryStub();
    S().activeCore = 0;
    ASSERT_EQ(1, OpenAsmWindow(0));
    ASSERT_EQ(2, OpenAsmWindow(1));
    EXPECT_EQ("Create(, , 28, pos, 0)", Stub().seen[0]);
    EXPECT_EQ("Create(, , 28, pos, 1)", Stub().seen[3]);
    EXPECT_EQ(0, S().activeCore) << "the host's active core comes back";
    EXPECT_NE(nullptr, RecordAt(M().Core(0).reg[PC], 0));
    EXPECT_NE(nullptr, RecordAt(M().Core(1).reg[PC], 1));
    EXPECT_EQ(kCurrentLineColor, RecordAt(M().Core(1).reg[PC], 1)->background);
    // Core 1 steps: its window follows, core 0's stays where it was.
    const int zeroSelected = Stub().selected[0];
    EXPECT_EQ(1, T().ExecuteCommandLine("SET CORE /NOCAPTURE 1 ; STEP /INSTRUCTION ; SET CORE "
                                        "/NOCAPTURE 0"));
    EXPECT_EQ(KeyOf(M().Core(1).reg[PC]), static_cast<uint32_t>(Stub().selected[1]));
    EXPECT_EQ(zeroSelected, Stub().selected[0]);
    // The closing of one: the host closes it in the library and forgets it.
    HostRequest close{};
    close.code = HostRequestCode::close;
    close.param[4] = kAsmCloseSlot;
    S().currentCore = 1;
    EXPECT_EQ(1, T().ExecuteRequest(&close, nullptr, 0, 0, 0));
    EXPECT_EQ("Close(2, 1)", Stub().seen.back());
    EXPECT_EQ(nullptr, AsmWindowOfCore(1));
    EXPECT_EQ(0, T().ExecuteRequest(&close, nullptr, 0, 0, 0)) << "none open any more";
}

} // namespace

namespace {

HostRequest Request(uint32_t code, uint32_t flags, uint64_t slot0 = 0) {
    HostRequest r{};
    r.code = code;
    r.flags = flags;
    r.param[0] = slot0;
    return r;
}

TEST_F(AsmHost, TheWindowsRequestsActOnTheInstructionItNames) {
    ASSERT_EQ(1, OpenAsmWindow(0));
    const uint32_t square = Symbol("square");
    const std::string at = HexAddress(square + 4);
    HostRequest set = Request(HostRequestCode::setBreakpoint, 0x8000);
    HostRequest clear = Request(HostRequestCode::clearBreakpoint, 0x8400);
    EXPECT_EQ(1, T().ExecuteRequest(&set, at.c_str(), 0, 0, 0));
    ASSERT_NE(nullptr, M().BreakpointAt(square + 4));
    ShowAsmAddress(0, square);
    EXPECT_TRUE(RecordAt(square + 4)->flags & kAsmLineBreakpoint) << "the lines again";
    EXPECT_EQ(kBreakpointColor, RecordAt(square + 4)->background);
    EXPECT_EQ(1, T().ExecuteRequest(&clear, at.c_str(), 0, 0, 0));
    EXPECT_EQ(nullptr, M().BreakpointAt(square + 4));
    EXPECT_FALSE(RecordAt(square + 4)->flags & kAsmLineBreakpoint);
    // Go Here, then the commit: the core runs there and the window follows.
    HostRequest go = Request(HostRequestCode::run, HostRequestCode::runToLine);
    HostRequest commit = Request(HostRequestCode::commit, 0x8000);
    EXPECT_EQ(1, T().ExecuteRequest(&go, at.c_str(), 0, 0, 0));
    EXPECT_EQ(1, T().ExecuteRequestChain(1, &commit, nullptr, 0, 1));
    EXPECT_EQ(square + 4, M().Core(0).reg[PC]);
    EXPECT_EQ(KeyOf(square + 4), static_cast<uint32_t>(Stub().selected[0]));
    EXPECT_EQ(kCurrentLineColor, RecordAt(square + 4)->background);
    // Set PC: the register named in slot 0 takes the address.
    const std::string main = HexAddress(Symbol("main"));
    HostRequest pc = Request(HostRequestCode::setValue, 0x8000);
    pc.SetText(0, T().GetPCRegisterName());
    pc.param[2] = 90;
    EXPECT_EQ(1, T().ExecuteRequest(&pc, main.c_str(), 1, 0, 0));
    EXPECT_EQ(Symbol("main"), M().Core(0).reg[PC]);
    // Home: the current instruction's expression as the window builds it.
    ShowAsmAddress(0, square);
    HostRequest home = Request(HostRequestCode::jump, 0x200, HostRequestCode::jumpAssembler);
    EXPECT_NE(54, T().GetTargetType());
    const std::string expression = std::string("(char *)ASM(") + T().GetPCRegisterName() + ")";
    EXPECT_EQ(1, T().ExecuteRequest(&home, expression.c_str(), 1, 1, 0));
    EXPECT_EQ(KeyOf(Symbol("main")), static_cast<uint32_t>(Stub().selected[0]));
    // Find Source Code: the source window of the instruction's line.
    HostRequest find = Request(HostRequestCode::jump, 0x200, HostRequestCode::jumpDefinition);
    EXPECT_EQ(1, T().ExecuteRequest(&find, at.c_str(), 1, 2, 0));
    const std::string shown = Stub().seen[Stub().seen.size() - 2];
    EXPECT_EQ(0u, shown.find("Update(")) << shown;
    EXPECT_NE(std::string::npos, shown.find("util.c, util.c, 7,")) << shown;
    EXPECT_EQ(0u, Stub().seen.back().find("Activate("));
    // Change Address: the host's prompt answers, the window shows it.
    AsmChangeAddressAnswer() = "square";
    T().ExecuteCommand(155);
    EXPECT_EQ(KeyOf(square), static_cast<uint32_t>(Stub().selected[0]));
    // What names no instruction answers an error.
    HostRequest memory = Request(HostRequestCode::showMemory, 0x400);
    const struct {
        HostRequest* request;
        const char* text;
    } refused[] = {{&set, "0x0102"},  {&set, "nowhere"}, {&clear, at.c_str()},
                   {&find, "0x4218"}, {&home, "ASM("},   {&memory, at.c_str()}};
    for (const auto& r : refused) {
        EXPECT_EQ(0, T().ExecuteRequest(r.request, r.text, 0, 0, 0)) << r.text;
        EXPECT_FALSE(S().lastError.empty()) << r.text;
    }
}

TEST_F(AsmHost, ARecordsCoverageTextAndBlockCommentReachTheHost) {
    const uint32_t square = Symbol("square");
    ASSERT_TRUE(M().Run(0));
    ASSERT_TRUE(ShowAsmAddress(0, square));
    const AsmLineRecord* r = RecordAt(square);
    ASSERT_NE(nullptr, r);
    const std::string ran = std::to_string(M().Executed(square));
    EXPECT_EQ(
        ran + "x<NL>" + HexAddress(square) + " ran " + ran + " times",
        std::string(T().GetMultiLineText(reinterpret_cast<const char*>(&r->blockComment), 0)));
    EXPECT_STREQ("", T().GetMultiLineText(reinterpret_cast<const char*>(&r[-1].blockComment), 0))
        << "a source line has none";
    // A block comment added through the record's word 27: the line shows it afterwards.
    EXPECT_EQ(0u, r->blockComment);
    T().ReportEvaluationError(1, &r->blockCommentArea);
    EXPECT_EQ(kAsmBlockComment | kBlockKindComment, RecordAt(square)->blockComment);
    T().ReportEvaluationError(0, &RecordAt(square)->blockCommentArea);
    EXPECT_EQ(0u, RecordAt(square)->blockComment);
}

} // namespace
