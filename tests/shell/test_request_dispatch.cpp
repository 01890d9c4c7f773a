// The request dispatcher: which host word each operation reaches, with what.
#include "tests/shell/bound_host.h"

namespace {

class Dispatch : public ::testing::Test {
protected:
    void SetUp() override { BindTestHost(HostVersion(3, 13)); }
    HostRequest request{};
};

struct OperationCase {
    int operation;
    int index;
    std::string expected; // the one call the host sees; empty: none
};

class DispatchOperation : public Dispatch, public ::testing::WithParamInterface<OperationCase> {};

TEST_P(DispatchOperation, ReachesItsHostWord) {
    // A request and a command line the stand-in host carries out whatever the texts.
    request.code = 122;
    request.flags = 0x4000;
    const OperationCase& c = GetParam();
    static const char command[] = "SET VALUE total=1";
    intptr_t a = c.operation == 6 || c.operation == 7 ? reinterpret_cast<intptr_t>(command) : 11;
    int b = 22;
    int result = SendHostRequest(&request, L"main.c", c.index, c.operation, a, b, 0);
    std::vector<std::string> calls = CallLines();
    if (c.expected.empty()) {
        EXPECT_EQ(0, result);
        EXPECT_TRUE(calls.empty());
        return;
    }
    EXPECT_EQ(1, result);
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ(c.expected, calls[0]);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DispatchOperation,
    ::testing::Values(
        OperationCase{1, 4, "ExecuteRequest([122/0x4000], \"main.c\", 4, 0, 0)"},
        OperationCase{3, 4, "ExecuteRequestChain(1, [122/0x4000], ptr, 0, 1)"},
        OperationCase{4, 4, "ExecuteRequest([122/0x4000], \"main.c\", 4, 11, 22)"},
        OperationCase{5, 4, "ExecuteRequestEx([122/0x4000], \"main.c\", 4, 11, 22)"},
        OperationCase{6, 4, "ExecuteCommandLine(\"SET VALUE total=1\")"},
        // a and b stand in the text and index places; the text is converted but never sent.
        OperationCase{7, 4, "ExecuteRequest([122/0x4000], \"SET VALUE total=1\", 22, 0, 0)"},
        OperationCase{0, 4, ""}, OperationCase{8, 4, ""}, OperationCase{-1, 4, ""}));

TEST_F(Dispatch, OperationTwoPutsTheTextInItsSlotForTheCall) {
    std::string seenText;
    uint32_t seenWord3Args = 0;
    CallLog::Get().observer = [&](const HostCall& call) {
        if (call.name != "ExecuteRequestChain")
            return;
        seenText = request.Text(3) ? request.Text(3) : "(null)";
        seenWord3Args = call.args.size();
    };
    ASSERT_EQ(1, SendHostRequest(&request, L"count", 3, 2, 0, 0, 0));
    EXPECT_EQ("count", seenText);
    EXPECT_EQ(5u, seenWord3Args);
    // The copy is freed after the call, so the record no longer points at it.
    EXPECT_EQ(0u, request.param[3]);
}

TEST_F(Dispatch, OperationTwoRefusesASlotOutsideTheRecord) {
    for (int index : {-1, 10, 1000}) {
        HostRequest guard[2]{};
        EXPECT_EQ(0, SendHostRequest(&guard[0], L"x", index, 2, 0, 0, 0));
        EXPECT_EQ(0u, guard[1].code);
    }
    EXPECT_TRUE(CallLines().empty());
}

TEST_F(Dispatch, NullTextReachesTheHostAsNull) {
    SendHostRequest(&request, nullptr, 0, 1, 0, 0, 0);
    EXPECT_EQ("ExecuteRequest([0/0x0], null, 0, 0, 0)", CallLines().at(0));
}

TEST_F(Dispatch, TextIsConvertedToTheHostCodePage) {
    SendHostRequest(&request, L"caf\u00e9 = 1", 0, 1, 0, 0, 0);
    char expected[32] = {};
    WideCharToMultiByte(CP_ACP, 0, L"caf\u00e9 = 1", -1, expected, 32, nullptr, nullptr);
    EXPECT_EQ(std::string("ExecuteRequest([0/0x0], \"") + expected + "\", 0, 0, 0)",
              CallLines().at(0));
}

struct ContextCase {
    unsigned minor;
    int context;
    std::vector<std::string> expected;
};

class ContextBracket : public ::testing::TestWithParam<ContextCase> {};

TEST_P(ContextBracket, SwitchesOnlyFromHostThreeTwelve) {
    const ContextCase& c = GetParam();
    BindTestHost(HostVersion(3, c.minor));
    HostState::Get().context = 7; // the context the host is in before the request
    HostRequest request{};
    SendHostRequest(&request, nullptr, 0, 1, 0, 0, c.context);
    EXPECT_EQ(c.expected, CallLines());
    EXPECT_EQ(7, HostState::Get().context);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ContextBracket,
    ::testing::Values(ContextCase{11, 2, {"ExecuteRequest([0/0x0], null, 0, 0, 0)"}},
                      ContextCase{12, 0, {"ExecuteRequest([0/0x0], null, 0, 0, 0)"}},
                      // The restore uses what the first switch returned.
                      ContextCase{12,
                                  2,
                                  {"SwitchContext(2)", "ExecuteRequest([0/0x0], null, 0, 0, 0)",
                                   "SwitchContext(7)"}}));

TEST(VersionGate, ComparesMajorThenMinor) {
    struct {
        unsigned major, minor, wantMajor, wantMinor;
        bool open;
    } cases[] = {{3, 13, 3, 12, true}, {3, 12, 3, 12, true}, {3, 11, 3, 12, false},
                 {3, 0, 2, 3, true},   {3, 2, 3, 2, true},   {3, 1, 3, 2, false},
                 {4, 0, 3, 99, true},  {2, 99, 3, 0, false}};
    HostCommandTable table{};
    HostCommandTable* bound = g_pHostCmdTable;
    for (const auto& c : cases) {
        table.major = c.major;
        table.minor = c.minor;
        g_pHostCmdTable = &table;
        EXPECT_EQ(c.open, HostVersionAtLeast(c.wantMajor, c.wantMinor))
            << c.major << "." << c.minor << " vs " << c.wantMajor << "." << c.wantMinor;
    }
    g_pHostCmdTable = nullptr;
    EXPECT_FALSE(HostVersionAtLeast(0, 0)); // an unbound table opens no gate
    g_pHostCmdTable = bound;
}

TEST(HostTable, NullEntryAnswersZeroInsteadOfBeingCalled) {
    HostCommandTable table{};
    table.major = 3;
    table.minor = 13;
    EXPECT_EQ(0, table.IsMultiCore());
    EXPECT_EQ(nullptr, table.GetRegistryRoot());
    IDragDrop service{};
    EXPECT_EQ(0, service.RegisterDropTarget("SrcWnd", 1));
}

} // namespace
