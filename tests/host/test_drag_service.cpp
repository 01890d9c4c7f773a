// The stand-in host's drag-and-drop service through its entries, as the library calls them:
// the rule sets it keeps, the records it collects, and what a drag gets at each drop point.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "host/lib/call_log.h"
#include "host/lib/host_sim.h"
#include "host/lib/host_state.h"

namespace {

class DragService : public ::testing::Test {
protected:
    void SetUp() override { Configure(HostOptions()); }
    void Configure(const HostOptions& options) {
        ConfigureHost(options);
        CallLog::Get().Clear();
    }
    IDragDrop& Service() { return HostState::Get().service; }
    HostDragDrop& State() { return HostState::Get().dragDrop; }

    // Hands a set over from storage that is gone (and overwritten) after the call.
    void AddRules(const char* kind, const std::vector<DropRule>& rules) {
        auto texts = std::make_unique<std::vector<std::string>>();
        std::vector<DropRule> wire;
        texts->reserve(rules.size() * 3);
        for (const DropRule& r : rules) {
            texts->push_back(r.pattern);
            texts->push_back(r.command);
            texts->push_back(r.description);
            const size_t n = texts->size();
            wire.push_back({(*texts)[n - 3].c_str(), (*texts)[n - 2].c_str(), r.effect,
                            (*texts)[n - 1].c_str()});
        }
        wire.push_back(DropRule{});
        Service().AddRules(kind, wire.data());
        for (std::string& t : *texts)
            t.assign(t.size(), '#');
        texts.reset();
        wire.assign(wire.size(), DropRule{});
    }
    // Starts a drag from (kind, id) with these string properties.
    int Drag(const char* kind, int id, const char* type,
             const std::vector<std::pair<const char*, const char*>>& properties) {
        void* record = nullptr;
        Service().BeginRecord(kDragRecordSourceView, &record);
        int index = 0;
        for (const auto& p : properties)
            Service().AddString(record, index++, p.first, p.second);
        const int started = Service().StartDrag(kind, id, type, record);
        Service().EndRecord(kDragRecordSourceView, record);
        return started;
    }
    uint32_t Over(const char* kind, int id, const char* target, uint32_t keys = 0) {
        uint32_t effect = 99;
        Service().DragOver(kind, id, target, keys, &effect);
        return effect;
    }
    std::vector<std::string> Commands() const { return HostState::Get().dragDrop.commands; }
};

TEST_F(DragService, SetsAreCopiedAndTheFirstFittingRuleAnswers) {
    AddRules("BrkWnd",
             {{"{ADDRESS} {KEYSTATE_CTRL}", "SET WATCHPOINT AT {ADDRESS}", 1, "W {ADDRESS}"},
              {"{ADDRESS}", "SET BREAKPOINT AT {ADDRESS}", 4, "B {ADDRESS}"}});
    ASSERT_EQ(1u, State().sets.count("BrkWnd"));
    EXPECT_EQ("SET WATCHPOINT AT {ADDRESS}", State().sets["BrkWnd"].rules[0].command);
    EXPECT_FALSE(State().sets["BrkWnd"].committed);
    EXPECT_EQ(1, Service().CommitRules("BrkWnd"));
    EXPECT_TRUE(State().sets["BrkWnd"].committed);
    EXPECT_EQ(0, Service().CommitRules("NoSuchWnd"));

    ASSERT_EQ(1, Drag("SrcWnd", 2, "SrcWndLine", {{"ADDRESS", "0x40"}}));
    uint32_t effect = 99;
    Service().DragEnter("BrkWnd", 0, "BrkWnd", 0, &effect);
    EXPECT_EQ(4u, effect);
    EXPECT_EQ((std::vector<std::string>{"4", "\"B 0x40\""}),
              CallLog::Get().Named("DD.Offer")[0].args);
    EXPECT_EQ(1u, Over("BrkWnd", 0, "BrkWnd", MK_CONTROL | MK_LBUTTON));
    EXPECT_EQ(0u, Over("ModWnd", 0, "ModWnd")); // no set: nothing offered
    // The drop keeps the key state of the last move.
    Service().DragOver("BrkWnd", 0, "BrkWnd", MK_CONTROL, &effect);
    EXPECT_EQ(1, Service().Drop("BrkWnd", 0, "BrkWnd"));
    EXPECT_EQ((std::vector<std::string>{"SET WATCHPOINT AT 0x40"}), Commands());
    EXPECT_EQ(1u, CallLog::Get().Named("DD.Command").size());
    // The drop ended the drag.
    EXPECT_EQ(0u, Over("BrkWnd", 0, "BrkWnd"));
    EXPECT_EQ(0, Service().Drop("BrkWnd", 0, "BrkWnd"));
    EXPECT_EQ(1u, Commands().size());
}

TEST_F(DragService, TheServicesOwnPropertiesDescribeSourceAndPoint) {
    HostOptions o;
    o.cores = 4;
    o.extension = true;
    Configure(o);
    HostState::Get().activeCore = 1;
    State().targetItem = [](const HostDropPoint& point, DragProperties& p) {
        if (point.targetType == "EvalWndValue")
            p["TARGET_ITEM_NAME"] = "count";
    };
    AddRules("EvalWnd",
             {{"{SELF}", "self", 4, ""},
              {"{COREID} {ACTIVECOREID}", "SET CORE {COREID} ; {TARGET_ITEM_NAME} ; {ACTIVECOREID}",
               4, ""},
              {"{EXTENSION_MODE} {KEYSTATE_CTRL}",
               "{SOURCE_NAME} {SOURCE_TYPE} {SOURCE_ID} {TARGET_TYPE} {TARGET_ID}", 1, ""},
              {"{TARGET_ITEM_NAME}", "item {TARGET_ITEM_NAME} {COREID}", 4, ""}});
    // From the same window: SELF. A record cannot claim the service's flags itself.
    Drag("EvalWnd", 3, "EvalWndSymbol", {{"ACTIVECOREID", "7"}, {"KEYSTATE_CTRL", nullptr}});
    Service().DragOver("EvalWnd", 3, "EvalWndValue", 0, nullptr);
    Service().Drop("EvalWnd", 3, "EvalWndValue");
    // From core 2 while core 1 is active: the core variant, with the target item filled in.
    Drag("SrcWnd", 1, "SrcWndLine", {{"COREID", "2"}});
    Service().DragOver("EvalWnd", 3, "EvalWndValue", 0, nullptr);
    Service().Drop("EvalWnd", 3, "EvalWndValue");
    // From the active core: no switch back to offer, so the plain rule.
    Drag("SrcWnd", 1, "SrcWndLine", {{"COREID", "1"}});
    Service().DragOver("EvalWnd", 3, "EvalWndValue", 0, nullptr);
    Service().Drop("EvalWnd", 3, "EvalWndValue");
    // Ctrl in extension mode.
    Drag("MemWnd", 5, "MemWndValue", {});
    Service().DragOver("EvalWnd", 8, "EvalWndSymbol", MK_CONTROL, nullptr);
    Service().Drop("EvalWnd", 8, "EvalWndSymbol");
    EXPECT_EQ((std::vector<std::string>{"self", "SET CORE 2 ; count ; 1", "item count 1",
                                        "MemWnd MemWndValue 5 EvalWndSymbol 8"}),
              Commands());
}

TEST_F(DragService, ARuleThatCannotFireIsPassedOver) {
    AddRules("MemWnd", {{"{ADDRESS} ?{SIZE}", "unknown term", 4, ""},
                        {"{ADDRESS}", "SET VALUE /SIZE={TYPE} {ADDRESS}", 4, ""}, // no TYPE
                        {"{ADDRESS}", "SHOW MEMORY {ADDRESS}", 2, "Show {ADDRESS}"}});
    Drag("AsmWnd", 1, "AsmWndAddress", {{"ADDRESS", "0x10"}});
    EXPECT_EQ(2u, Over("MemWnd", 1, "MemWndValue"));
    EXPECT_EQ(2, Service().Drop("MemWnd", 1, "MemWndValue"));
    EXPECT_EQ((std::vector<std::string>{"SHOW MEMORY 0x10"}), Commands());
    // Nothing fits: no effect, no command.
    Drag("AsmWnd", 1, "AsmWndAddress", {{"LINE", "3"}});
    EXPECT_EQ(0u, Over("MemWnd", 1, "MemWndValue"));
    EXPECT_EQ(0, Service().Drop("MemWnd", 1, "MemWndValue"));
    EXPECT_EQ(1u, Commands().size());
}

TEST_F(DragService, BadRecordsAndSetsAreRefusedWithoutHarm) {
    // Records the service did not hand out, keys without a name, drags without a record.
    int notARecord = 0;
    EXPECT_EQ(0, Service().AddString(&notARecord, 0, "ADDRESS", "1"));
    EXPECT_EQ(0, Service().AddInteger(nullptr, 0, "LINE", 1));
    EXPECT_EQ(0, Service().BeginRecord(kDragRecordItem, nullptr));
    void* record = nullptr;
    Service().BeginRecord(kDragRecordItem, &record);
    EXPECT_EQ(0, Service().AddString(record, 0, nullptr, "x"));
    EXPECT_EQ(0, Service().AddString(record, 0, "", "x"));
    EXPECT_EQ(1, Service().AddInteger(record, 1, "LINE", -12));
    EXPECT_EQ(-12, std::stoi(State().records.front().properties["LINE"]));
    EXPECT_EQ(1, Service().EndRecord(kDragRecordItem, record));
    EXPECT_EQ(0, Service().EndRecord(kDragRecordItem, record));
    EXPECT_EQ(0, Service().StartDrag("SrcWnd", 1, "SrcWndLine", record)); // ended already
    EXPECT_EQ(0, Service().StartDrag("SrcWnd", 1, "SrcWndLine", nullptr));
    EXPECT_FALSE(State().dragging);
    // Sets without a kind or an array; a rule whose pattern or command is null never fires.
    EXPECT_EQ(0, Service().AddRules(nullptr, nullptr));
    EXPECT_EQ(0, Service().AddRules("SrcWnd", nullptr));
    const DropRule half[] = {{nullptr, "never", 4, nullptr},
                             {"{A}", nullptr, 4, nullptr},
                             {"{A}", "A={A}", 1, nullptr},
                             {}};
    EXPECT_EQ(1, Service().AddRules("SrcWnd", half));
    Drag("MemWnd", 1, "MemWndValue", {{"A", "1"}});
    EXPECT_EQ(1, Service().Drop("SrcWnd", 1, "SrcWnd"));
    EXPECT_EQ((std::vector<std::string>{"A=1"}), Commands());
}

TEST_F(DragService, ARefusedKindKeepsNothingAndTheNextSetIsKept) {
    HostOptions o;
    o.refusedRuleKinds = {"AsmWnd"};
    Configure(o);
    const DropRule rules[] = {{"{A}", "a", 4, "a"}, {}};
    EXPECT_EQ(0, Service().AddRules("AsmWnd", rules));
    EXPECT_EQ(1, Service().AddRules("MemWnd", rules));
    EXPECT_EQ((std::vector<std::string>{"MemWnd"}), State().addOrder);
    EXPECT_EQ(0u, State().sets.count("AsmWnd"));
}

TEST_F(DragService, HugeRecordsReachTheCommandWhole) {
    AddRules("CmdWnd", {{"{TEXT}", "PRINT \"{TEXT}\"", 1, "Print"}});
    void* record = nullptr;
    Service().BeginRecord(kDragRecordItem, &record);
    for (int i = 0; i < 1000; ++i)
        Service().AddInteger(record, i, ("KEY" + std::to_string(i)).c_str(), i);
    const std::string big(65536, 'x');
    Service().AddString(record, 1000, "TEXT", big.c_str());
    Service().AddString(record, 1001, "NOVALUE", nullptr);
    ASSERT_EQ(1, Service().StartDrag("SrcWnd", 1, "SrcWndSymbol", record));
    Service().EndRecord(kDragRecordItem, record);
    EXPECT_EQ(1002u + 5u, DropPointProperties({"CmdWnd", 0, "CmdWnd"}).size());
    const DWORD start = GetTickCount();
    EXPECT_EQ(1u, Over("CmdWnd", 0, "CmdWnd"));
    EXPECT_EQ(1, Service().Drop("CmdWnd", 0, "CmdWnd"));
    EXPECT_LT(GetTickCount() - start, 2000u);
    ASSERT_EQ(1u, Commands().size());
    EXPECT_EQ("PRINT \"" + big + "\"", Commands()[0]);
    const auto logged = CallLog::Get().Named("DD.Command");
    ASSERT_EQ(1u, logged.size());
    EXPECT_EQ("\"PRINT \"" + big + "\"\"", logged[0].args[0]); // the log line is whole too
}

} // namespace

namespace {

TEST(HostSwitches, RefusedRuleKindsRepeatAndNeedAName) {
    HostOptions o;
    std::wstring error;
    ASSERT_TRUE(ParseHostOptions(
        {L"--refuse-rules", L"SrcWnd", L"--cores", L"2", L"--refuse-rules", L"MainWnd"}, o, error));
    EXPECT_EQ((std::vector<std::string>{"SrcWnd", "MainWnd"}), o.refusedRuleKinds);
    for (const std::vector<std::wstring>& bad :
         {std::vector<std::wstring>{L"--refuse-rules"}, {L"--refuse-rules", L""}}) {
        HostOptions b;
        EXPECT_FALSE(ParseHostOptions(bad, b, error));
        EXPECT_NE(std::wstring::npos, error.find(L"--refuse-rules"));
    }
}

} // namespace
