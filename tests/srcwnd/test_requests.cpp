// Every request of the source commands as the host receives it: the record byte for byte, the
// text, the host word and the dispatcher's arguments, and the core-selection records around it.
#include <cstring>

#include "tests/srcwnd/source_host.h"
#include "windows/source/src_requests.h"

namespace {

struct RowCase {
    const char* name;
    SourceRequest request;
    uint32_t code, flags;
    int slot;        // number slot, -1 none
    uint32_t number; // its value
    const char* word;
    const char* text; // as the host reads it; null: no text
    int index;
    int context;
};

const wchar_t kAddress[] = L"C(& main.c\\@LINE 12)";

SourceRequestArgs Args() {
    SourceRequestArgs args;
    args.core = 1;
    args.codeAddress = kAddress;
    args.selection = L"count";
    args.entryValue = 0x1234;
    return args;
}

HostRequest Expected(const RowCase& c) {
    HostRequest r{};
    r.code = c.code;
    r.flags = c.flags;
    if (c.slot >= 0)
        r.param[c.slot] = c.number;
    return r;
}

void ExpectBytes(const HostRequest& expected, const HostRequest& actual) {
    EXPECT_EQ(0, std::memcmp(&expected, &actual, sizeof(HostRequest)))
        << "code " << actual.code << " flags 0x" << std::hex << actual.flags;
}

// The context that the dispatcher switched to for the request, 0 for none.
int SwitchedContext() {
    for (const std::string& line : CallLines())
        if (line.rfind("SwitchContext(", 0) == 0)
            return std::stoi(line.substr(14));
    return 0;
}

class RequestRow : public ::testing::TestWithParam<RowCase> {};

TEST_P(RequestRow, ReachesTheHostAsItsRowSays) {
    const RowCase& c = GetParam();
    SourceHost::Bind(HostVersion(3, 13));
    SourceHost::Get().textIsValue = c.request == SourceRequest::SetStatementBreakpoint ||
                                    c.request == SourceRequest::ClearStatementBreakpoint;
    EXPECT_EQ(1, SendSourceRequest(c.request, Args()));
    ASSERT_EQ(1u, SourceHost::Get().sent.size());
    const SentRequest& s = SourceHost::Get().sent[0];
    EXPECT_EQ(c.word, s.word);
    ASSERT_EQ(1u, s.records.size()) << "a single-core host gets the record alone";
    ExpectBytes(Expected(c), s.records[0]);
    if (s.word == "ExecuteRequest") {
        if (SourceHost::Get().textIsValue) {
            EXPECT_EQ(0x1234u, s.text) << "the entry's value stands in the text's place";
        } else if (c.text) {
            EXPECT_EQ(c.text, s.textRead);
        } else {
            EXPECT_EQ(0u, s.text);
        }
        EXPECT_EQ(c.index, s.index);
        EXPECT_EQ(0, s.a);
        EXPECT_EQ(0, s.b);
    } else {
        EXPECT_EQ(1, s.index);
        EXPECT_EQ(0, s.a);
        EXPECT_EQ(1, s.b);
    }
    EXPECT_EQ(c.context, SwitchedContext());
}

const char kAddressText[] = "C(& main.c\\@LINE 12)";

INSTANTIATE_TEST_SUITE_P(
    Table, RequestRow,
    ::testing::Values(RowCase{"SetBreakpoint", SourceRequest::SetBreakpoint, 116, 0x8000, -1, 0,
                              "ExecuteRequest", kAddressText, 0, 2},
                      RowCase{"ClearBreakpoint", SourceRequest::ClearBreakpoint, 101, 0x8400, -1, 0,
                              "ExecuteRequest", kAddressText, 0, 2},
                      RowCase{"SetStatement", SourceRequest::SetStatementBreakpoint, 116, 0x8000,
                              -1, 0, "ExecuteRequest", nullptr, 0, 2},
                      RowCase{"ClearStatement", SourceRequest::ClearStatementBreakpoint, 101,
                              0x8400, -1, 0, "ExecuteRequest", nullptr, 0, 2},
                      RowCase{"GoHere", SourceRequest::GoHere, 106, 0x1000, -1, 0, "ExecuteRequest",
                              kAddressText, 0, 2},
                      RowCase{"RunUntilCaller", SourceRequest::RunUntilCaller, 106, 0x400, -1, 0,
                              "ExecuteRequestChain", nullptr, 0, 2},
                      RowCase{"RunUntilReturn", SourceRequest::RunUntilReturn, 106, 0x2000, -1, 0,
                              "ExecuteRequestChain", nullptr, 0, 2},
                      RowCase{"SetPcSecond", SourceRequest::SetPcSecond, 138, 0x8000, -1, 0,
                              "ExecuteRequestChain", nullptr, 0, 2},
                      RowCase{"JumpToAssembler", SourceRequest::JumpToAssembler, 8, 0x200, 0, 5,
                              "ExecuteRequest", kAddressText, 1, 1},
                      RowCase{"JumpToDefinition", SourceRequest::JumpToDefinition, 8, 0x200, 0, 4,
                              "ExecuteRequest", "&count", 1, 2},
                      RowCase{"CoverageJump", SourceRequest::CoverageJump, 8, 0x200, 0, 13,
                              "ExecuteRequest", kAddressText, 1, 2},
                      RowCase{"Evaluate", SourceRequest::Evaluate, 105, 0x8000, -1, 0,
                              "ExecuteRequest", "count", 0, 2},
                      RowCase{"EvaluateFromPointer", SourceRequest::EvaluateFromPointer, 105,
                              0x8000, -1, 0, "ExecuteRequest", "*count", 0, 2},
                      RowCase{"EvaluateAddress", SourceRequest::EvaluateAddress, 105, 0x8000, -1, 0,
                              "ExecuteRequest", "&count", 0, 2},
                      RowCase{"AddToEval", SourceRequest::AddToEval, 140, 0x80, -1, 0,
                              "ExecuteRequest", "count", 0, 2},
                      RowCase{"AddToEvalFromPointer", SourceRequest::AddToEvalFromPointer, 140,
                              0x80, -1, 0, "ExecuteRequest", "*count", 0, 2},
                      RowCase{"AddToEvalAddress", SourceRequest::AddToEvalAddress, 140, 0x80, -1, 0,
                              "ExecuteRequest", "&count", 0, 2}),
    [](const ::testing::TestParamInfo<RowCase>& info) { return std::string(info.param.name); });

TEST(RequestWrap, AMultiCoreHostGetsTheRequestBetweenTwoCoreSelections) {
    SourceHost::Bind(HostVersion(3, 13, 2));
    HostState::Get().activeCore = 0;
    SendSourceRequest(SourceRequest::GoHere, Args());
    ASSERT_EQ(1u, SourceHost::Get().sent.size());
    const std::vector<HostRequest>& chain = SourceHost::Get().sent[0].records;
    ASSERT_EQ(3u, chain.size());
    HostRequest select{};
    select.code = 130;
    select.flags = 0x30000;
    select.param[1] = 1;
    ExpectBytes(select, chain[0]);
    HostRequest goHere{};
    goHere.code = 106;
    goHere.flags = 0x1000;
    ExpectBytes(goHere, chain[1]);
    select.param[1] = 0;
    ExpectBytes(select, chain[2]);
}

TEST(RequestWrap, SetPcAsksTheRegisterOnTheViewsCoreAndSendsItsSecondRecordAlone) {
    SourceHost::Bind(HostVersion(3, 13, 2));
    HostState::Get().currentCore = 0;
    HostState::Get().coreMode = 1;
    EXPECT_EQ(1, SendSetPc(Args()));
    std::vector<std::string> calls = CallLines();
    std::vector<std::string> head(calls.begin(), calls.begin() + 8);
    EXPECT_EQ(
        (std::vector<std::string>{"IsMultiCore()", "GetCoreMode()", "GetCurrentCore()",
                                  "SetCoreMode(0)", "SetCurrentCore(1)", "GetPCRegisterName()",
                                  "SetCurrentCore(0)", "SetCoreMode(1)"}),
        head);
    const std::vector<SentRequest>& sent = SourceHost::Get().sent;
    ASSERT_EQ(2u, sent.size());
    ASSERT_EQ(3u, sent[0].records.size());
    HostRequest first{};
    first.code = 115;
    first.flags = 0x8000;
    first.param[2] = 90;
    ExpectBytes(first, sent[0].records[1]);
    EXPECT_EQ("PC", sent[0].slot0[1]);
    EXPECT_EQ("ExecuteRequest", sent[0].word);
    EXPECT_EQ(kAddressText, sent[0].textRead);
    EXPECT_EQ(1, sent[0].index);
    ASSERT_EQ(1u, sent[1].records.size()) << "the second record is not wrapped";
    HostRequest second{};
    second.code = 138;
    second.flags = 0x8000;
    ExpectBytes(second, sent[1].records[0]);
    EXPECT_EQ("ExecuteRequestChain", sent[1].word);
}

} // namespace

namespace {

struct GoHereCase {
    unsigned minor;
    int column;
    const char* text;
};

class GoHere : public ::testing::TestWithParam<GoHereCase> {};

// The host's context names: 3.9 hosts put the name of the view's context in the address.
const char* __cdecl ContextName(int context) {
    return context == 7 ? "task2" : nullptr;
}

TEST_P(GoHere, SendsTheCodeAddressInTheHostsForm) {
    const GoHereCase& c = GetParam();
    SourceHost::Bind(HostVersion(3, c.minor));
    HostState::Get().commands.Word(62) = reinterpret_cast<void*>(&ContextName);
    for (int context : {7, 8}) {
        SourceHost::Get().sent.clear();
        SendSourceRequest(SourceRequest::GoHere,
                          LineRequestArgs(L"main.c", 12, c.column, context, -1));
        ASSERT_EQ(1u, SourceHost::Get().sent.size());
        const SentRequest& s = SourceHost::Get().sent[0];
        HostRequest goHere{};
        goHere.code = 106;
        goHere.flags = 0x1000;
        ASSERT_EQ(1u, s.records.size());
        EXPECT_EQ(0, std::memcmp(&goHere, &s.records[0], sizeof goHere));
        std::string expected = c.text;
        // A context without a name reads ".".
        if (context == 8 && expected.find("task2") != std::string::npos)
            expected.replace(expected.find("task2"), 5, ".");
        EXPECT_EQ(expected, s.textRead);
    }
}

INSTANTIATE_TEST_SUITE_P(Hosts, GoHere,
                         ::testing::Values(GoHereCase{0, 0, "C(& main.c\\@LINE 12)"},
                                           GoHereCase{0, 4, "C(& main.c\\@LINE 12:4)"},
                                           GoHereCase{7, 0, "C(& \"main.c\"\\@LINE 12)"},
                                           GoHereCase{8, 4, "C(& \"main.c\"\\@LINE 12:4)"},
                                           GoHereCase{9, 0, "C(& {\"task2\"}\"main.c\"\\@LINE 12)"},
                                           GoHereCase{13, 4,
                                                      "C(& {\"task2\"}\"main.c\"\\@LINE 12:4)"}));

} // namespace
