// The requests of the source windows as the library sends them (records, chains wrapped in
// core selections, statement values in the text's place), carried out on the target.
#include <cstdint>
#include <string>

#include "host/lib/host_requests.h"
#include "tests/host/target_fixture.h"

namespace {

class Requests : public TargetTest {
protected:
    static HostRequest Record(uint32_t code, uint32_t flags) {
        HostRequest r{};
        r.code = code;
        r.flags = flags;
        return r;
    }
    // select(core), the request, select(back): what a wrapped request looks like.
    struct Wrapped {
        HostRequest first{}, last{};
        HostRequest* Around(HostRequest& r, int core, int back) {
            first.code = last.code = kHostRequestSelectCore;
            first.flags = last.flags = kHostRequestSelectCoreFlags;
            first.param[1] = static_cast<uint64_t>(core);
            last.param[1] = static_cast<uint64_t>(back);
            first.next = &r;
            r.next = &last;
            return &first;
        }
    };
    uint32_t Line(const char* module, int line, int column = 0) {
        uint32_t address = 0;
        EXPECT_TRUE(Sample().AddressOfLine(File(module), line, column, address));
        return address;
    }
};

TEST_F(Requests, BreakpointsAreSetAndClearedByLineColumnAndStatementValue) {
    HostRequest set = Record(HostRequestCode::setBreakpoint, 0x8000);
    HostRequest clear = Record(HostRequestCode::clearBreakpoint, 0x8400);
    EXPECT_EQ(1, T().ExecuteRequest(&set, "C(& main.c\\@LINE 20)", 0, 0, 0));
    EXPECT_EQ(1, T().ExecuteRequest(&set, "C(& \"main.c\"\\@LINE 18:24)", 0, 0, 0));
    // A statement breakpoint: the statement's value stands where the text goes.
    const uint32_t second = Line("main.c", 17, 19);
    EXPECT_EQ(1,
              T().ExecuteRequest(&set, reinterpret_cast<const char*>(uintptr_t{second}), 0, 0, 0));
    ASSERT_EQ(3u, M().Breakpoints().size());
    EXPECT_NE(nullptr, M().BreakpointAt(second));
    EXPECT_EQ("ExecuteRequest([116/0x8000], #" + std::to_string(second) + ", 0, 0, 0)",
              CallLog::Get().Calls().back().Line());

    EXPECT_EQ(1, T().ExecuteRequest(&clear, "C(& main.c\\@LINE 18:24)", 0, 0, 0));
    EXPECT_EQ(nullptr, M().BreakpointAt(Line("main.c", 18, 24)));
    EXPECT_EQ(
        1, T().ExecuteRequest(&clear, reinterpret_cast<const char*>(uintptr_t{second}), 0, 0, 0));
    EXPECT_EQ(1u, M().Breakpoints().size());
    // What cannot be done says why and changes nothing.
    const struct {
        HostRequest* request;
        const char* text;
        const char* error;
    } refused[] = {{&set, "C(& main.c\\@LINE 15)", "no code at that line"},
                   {&set, "C(& nowhere.c\\@LINE 3)", "not a code address: C(& nowhere.c\\@LINE 3)"},
                   {&set, nullptr, "not a code address: "},
                   {&clear, "C(& main.c\\@LINE 22)", "no breakpoint there"}};
    for (const auto& r : refused) {
        EXPECT_EQ(0, T().ExecuteRequest(r.request, r.text, 0, 0, 0)) << r.error;
        EXPECT_EQ(r.error, S().lastError);
    }
    EXPECT_EQ(1u, M().Breakpoints().size());
}

TEST_F(Requests, RunRequestsMoveTheCoreTheWindowBelongsTo) {
    Configure(2);
    Wrapped w;
    HostRequest goHere = Record(HostRequestCode::run, HostRequestCode::runToLine);
    EXPECT_EQ(1, T().ExecuteRequest(w.Around(goHere, 1, 0), "C(& util.c\\@LINE 16)", 0, 0, 0));
    EXPECT_EQ("util.c:16:9", At(1));
    EXPECT_EQ("start.s:4:9", At(0));
    EXPECT_EQ(0, S().currentCore) << "the chain selects the core it came from";
    EXPECT_EQ(1, S().activeCore);

    HostRequest toSquare = Record(HostRequestCode::run, HostRequestCode::runToLine);
    ASSERT_EQ(1, T().ExecuteRequest(&toSquare, "C(& util.c\\@LINE 9)", 0, 0, 0));
    EXPECT_EQ("util.c:9:5", At(0));
    int out = -1;
    HostRequest untilReturn = Record(HostRequestCode::run, HostRequestCode::runUntilReturn);
    ASSERT_EQ(1, T().ExecuteRequestChain(1, &untilReturn, &out, 0, 1));
    EXPECT_EQ("util.c:11:1", At(0));
    HostRequest caller = Record(HostRequestCode::run, HostRequestCode::runUntilCaller);
    ASSERT_EQ(1, T().ExecuteRequestChain(1, &caller, &out, 0, 1));
    EXPECT_EQ("main.c:19:9", At(0));
    EXPECT_EQ(0, out);

    // A request that fails inside a wrapped chain still returns to the first core.
    Wrapped w2;
    HostRequest bad = Record(HostRequestCode::run, HostRequestCode::runToLine);
    EXPECT_EQ(0, T().ExecuteRequest(w2.Around(bad, 1, 0), "C(& main.c\\@LINE 3)", 0, 0, 0));
    EXPECT_EQ(0, S().currentCore);
    EXPECT_EQ("no code at C(& main.c\\@LINE 3)", S().lastError);
    Wrapped w3;
    HostRequest other = Record(HostRequestCode::run, 0);
    EXPECT_EQ(0, T().ExecuteRequest(w3.Around(other, 5, 0), nullptr, 0, 0, 0));
    EXPECT_EQ("no core 5", S().lastError);
    // A chain that loops ends.
    HostRequest loop = Record(HostRequestCode::commit, 0x8000);
    loop.next = &loop;
    EXPECT_EQ(1, T().ExecuteRequest(&loop, nullptr, 0, 0, 0));
}

TEST_F(Requests, SetPCSetValueEvaluateAndWatch) {
    ASSERT_TRUE(M().RunTo(0, Line("main.c", 19)));
    HostRequest setPC = Record(HostRequestCode::setValue, HostRequestCode::setRegister);
    setPC.SetText(0, "PC");
    setPC.param[2] = 90;
    HostRequest commit = Record(HostRequestCode::commit, 0x8000);
    ASSERT_EQ(1, T().ExecuteRequest(&setPC, "C(& main.c\\@LINE 22)", 1, 0, 0));
    int out = 0;
    ASSERT_EQ(1, T().ExecuteRequestChain(1, &commit, &out, 0, 1));
    EXPECT_EQ("main.c:22:5", At());
    EXPECT_TRUE(M().Core(0).changed[PC]);

    if (sizeof(void*) == 4) { // the expression travels in a 32-bit word
        HostRequest value =
            Record(HostRequestCode::setValue, HostRequestCode::setValueOfExpression);
        value.param[3] = 1;
        const char* expression = "buffer[2]";
        const int word = static_cast<int>(reinterpret_cast<intptr_t>(expression));
        ASSERT_EQ(1, T().ExecuteRequest(&value, "0x2A", 1, word, 0));
        EXPECT_EQ(42, Word("buffer", 8));
        EXPECT_EQ(0, T().ExecuteRequest(&value, "many", 1, word, 0));
        EXPECT_EQ("not a value: many", S().lastError);
        EXPECT_EQ(0, T().ExecuteRequest(&value, "1", 1, 0, 0));
    }

    HostRequest evaluate = Record(HostRequestCode::evaluate, 0x8000);
    ASSERT_EQ(1, T().ExecuteRequest(&evaluate, "&origin", 0, 0, 0));
    EXPECT_EQ("&origin: 16912", S().lastEvaluation);
    EXPECT_EQ(0, T().ExecuteRequest(&evaluate, "*nothing", 0, 0, 0));
    EXPECT_EQ("unknown symbol: *nothing", S().lastError);
    HostRequest watch = Record(HostRequestCode::addWatch, 0x80);
    ASSERT_EQ(1, T().ExecuteRequest(&watch, "*(&total)", 0, 0, 0));
    ASSERT_EQ(1u, S().watchExpressions.size());
    EXPECT_EQ("*(&total)", S().watchExpressions[0]);

    HostRequest jump = Record(HostRequestCode::jump, 0x200);
    jump.param[0] = HostRequestCode::jumpAssembler;
    ASSERT_EQ(1, T().ExecuteRequest(&jump, "C(& util.c\\@LINE 10)", 1, 0, 0));
    EXPECT_EQ(Line("util.c", 10), S().assemblerAddress);
    jump.param[0] = HostRequestCode::jumpDefinition;
    EXPECT_EQ(1, T().ExecuteRequest(&jump, "&square", 1, 0, 0));
    EXPECT_EQ(0, T().ExecuteRequest(&jump, "&nothing", 1, 0, 0));
    EXPECT_EQ("no definition of &nothing", S().lastError);

    HostRequest close = Record(HostRequestCode::close, 0x800 | 0x200);
    close.SetText(0, "main.c");
    EXPECT_EQ(0, T().ExecuteRequestChain(1, &close, &out, 0, 1)) << "no window is open";
    EXPECT_EQ("no such source window", S().lastError);
}

} // namespace
