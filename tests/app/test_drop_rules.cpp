// The drag-and-drop rule sets as the host's service receives them at start-up, and the command
// lines that drags between the debugger's windows run with them.
#include "tests/support/app_fixture.h"

#include <cstring>
#include <map>

namespace {

// The registration calls as the host saw them, in order.
std::vector<std::string> RuleCalls() {
    std::vector<std::string> lines;
    for (const HostCall& call : CallLog::Get().Calls())
        if (call.name == "DD.AddRules" || call.name == "DD.CommitRules")
            lines.push_back(call.Line());
    return lines;
}

std::vector<std::string> Registered(const std::vector<std::pair<const char*, int>>& sets) {
    std::vector<std::string> lines;
    for (const auto& set : sets) {
        lines.push_back("DD.AddRules(\"" + std::string(set.first) + "\", " +
                        std::to_string(set.second) + ")");
        if (std::strcmp(set.first, "MainWnd") != 0)
            lines.push_back("DD.CommitRules(\"" + std::string(set.first) + "\")");
    }
    return lines;
}

const std::vector<std::pair<const char*, int>> kHostSets = {
    {"SrcWnd", 18}, {"AsmWnd", 14}, {"MemWnd", 22}, {"EvalWnd", 26}, {"SysRegWnd", 10},
    {"CmdWnd", 14}, {"ModWnd", 4},  {"BrkWnd", 20}, {"CallWnd", 0}};

std::vector<std::pair<const char*, int>> With(std::vector<std::pair<const char*, int>> sets,
                                              std::vector<std::pair<const char*, int>> more) {
    sets.insert(sets.end(), more.begin(), more.end());
    return sets;
}

TEST_F(AppTest, StartUpRegistersTheSetsTheHostsStateCallsFor) {
    const auto all = Registered(With(kHostSets, {{"CoreWnd", 0}, {"MainWnd", 24}}));
    const auto noCores = Registered(With(kHostSets, {{"MainWnd", 24}}));
    const auto extension = Registered({{"EvalWnd", 26}, {"SysRegWnd", 10}, {"MainWnd", 24}});
    HostOptions noCoco = Host(3, 13, 2), nullService = Host(3, 13, 2);
    noCoco.noCoco = true;
    nullService.nullService = true;
    const struct {
        const char* name;
        HostOptions host;
        std::vector<std::string> calls;
    } cases[] = {
        {"3.13 multi-core", Host(3, 13, 2), all},
        {"3.2 multi-core", Host(3, 2, 4), all},
        {"3.2 single core", Host(3, 2), noCores},
        {"3.1 multi-core", Host(3, 1, 2), noCores},
        {"3.13 extension", Host(3, 13, 2, true), extension},
        {"3.2 asks for extension", Host(3, 2, 2, true), all},
        {"no __COCO__", noCoco, {}},
        {"no service", nullService, {}},
    };
    for (const auto& c : cases) {
        Load(c.host);
        EXPECT_EQ(c.calls, RuleCalls()) << c.name;
        // The rules are in place before the main frame becomes a drop target.
        const int target = IndexOf("DD.RegisterDropTarget(\"MainWnd\", 0)");
        if (c.calls.empty()) {
            EXPECT_TRUE(Lines("DD.AddRules").empty()) << c.name;
        } else {
            EXPECT_LT(IndexOf(c.calls.back().c_str()), target) << c.name;
            EXPECT_FALSE(HostState::Get().dragDrop.sets["MainWnd"].committed) << c.name;
            EXPECT_TRUE(HostState::Get().dragDrop.sets["EvalWnd"].committed) << c.name;
        }
        EXPECT_EQ(1, Call("StartApp")) << c.name;
        m_started = true;
        Unload();
    }
}

TEST_F(AppTest, ASetTheServiceRefusesDoesNotStopTheOthers) {
    HostOptions o = Host(3, 13, 2);
    o.refusedRuleKinds = {"SrcWnd", "MemWnd", "MainWnd"};
    Load(o);
    EXPECT_EQ(Registered(With(kHostSets, {{"CoreWnd", 0}, {"MainWnd", 24}})), RuleCalls());
    const auto& order = HostState::Get().dragDrop.addOrder;
    EXPECT_EQ((std::vector<std::string>{"AsmWnd", "EvalWnd", "SysRegWnd", "CmdWnd", "ModWnd",
                                        "BrkWnd", "CallWnd", "CoreWnd"}),
              order);
    EXPECT_TRUE(Logged("DD.RegisterDropTarget(\"MainWnd\", 0)"));
    EXPECT_EQ(1, Call("StartApp"));
    m_started = true;
    EXPECT_TRUE(IsWindow(Frame()));
}

// The rules as they are written down: a pair (core variant, plain rule) by its plain rule and
// the two descriptions; a rule without a pair (second number 0) whole.
struct WrittenRule {
    const char* set;
    int first, second;
    const char* pattern;
    const char* command;
    uint32_t effect;
    const char* description;
    const char* coreDescription;
};

const WrittenRule kWrittenRules[] = {
    {"SrcWnd", 1, 2, "{SOURCE_NAME}=AsmWnd {MODULE} {LINE}",
     "DISPLAY SOURCE {MODULE} ; LINE {LINE}", 4, "Jump To Sourceline {LINE} Of Module {MODULE}",
     "Jump To Sourceline {LINE} Of Module {MODULE} From Core {COREID}"},
    {"SrcWnd", 3, 4, "{SOURCE_NAME}=AsmWnd {ADDRESS}", "PAGE /SOURCE {ADDRESS}", 4,
     "Jump To Sourcecode Of Address {ADDRESS}",
     "Jump To Sourcecode Of Address {ADDRESS} From Core {COREID}"},
    {"SrcWnd", 5, 6, "{SOURCE_NAME}=ModWnd {MODULE}", "DISPLAY SOURCE {MODULE}", 4,
     "Open Module {MODULE}", "Open Module {MODULE} From Core {COREID}"},
    {"SrcWnd", 7, 8, "{SOURCE_NAME}=CallWnd {MODULE} {LINE}",
     "DISPLAY SOURCE {MODULE} ; LINE {LINE}", 4, "Jump To Sourceline {LINE} Of Module {MODULE}",
     "Jump To Sourceline {LINE} Of Module {MODULE} From Core {COREID}"},
    {"SrcWnd", 9, 10, "{SOURCE_NAME}=CallWnd {ADDRESS}", "PAGE /SOURCE {ADDRESS}", 4,
     "Jump To Sourcecode Of Address {ADDRESS}",
     "Jump To Sourcecode Of Address {ADDRESS} From Core {COREID}"},
    {"SrcWnd", 11, 12, "{SOURCE_NAME}=BrkWnd {MODULE} {LINE}",
     "DISPLAY SOURCE {MODULE} ; LINE {LINE}", 4,
     "Jump To Breakpoint At Line {LINE} Of Module {MODULE}",
     "Jump To Breakpoint At Line {LINE} Of Module {MODULE} From Core {COREID}"},
    {"SrcWnd", 13, 14, "{SOURCE_NAME}=BrkWnd {ADDRESS}", "PAGE /SOURCE {ADDRESS}", 4,
     "Jump To Breakpoint At Address {ADDRESS}",
     "Jump To Breakpoint At Address {ADDRESS} From Core {COREID}"},
    {"SrcWnd", 15, 16, "{MODULE} {LINE}", "DISPLAY SOURCE {MODULE} ; LINE {LINE}", 4,
     "Jump Line {LINE} Of Module {MODULE}",
     "Jump To Line {LINE} Of Module {MODULE} From Core {COREID}"},
    {"SrcWnd", 17, 18, "{ADDRESS}", "PAGE /SOURCE {ADDRESS}", 4, "Show Source At Address {ADDRESS}",
     "Show Source From Core {COREID} At Address {ADDRESS}"},
    {"AsmWnd", 1, 2,
     "{SOURCE_NAME}=SrcWnd {TARGET_TYPE}=AsmWndOpcode {VALUE} {TARGET_ITEM_ADDRESS}",
     "SET VALUE {TARGET_ITEM_ADDRESS} = {VALUE}", 4,
     "Copy Value {VALUE} Into Opcode At Address {TARGET_ITEM_ADDRESS}",
     "Copy Value {VALUE} From Core {COREID} Into Opcode At Address {TARGET_ITEM_ADDRESS}"},
    {"AsmWnd", 3, 4, "{SOURCE_NAME}=SrcWnd {ADDRESS}", "PAGE /ASSEMBLER {ADDRESS}", 4,
     "Jump To Disassembly Code At {ADDRESS}",
     "Jump To Disassembly Code At {ADDRESS} From Core {COREID}"},
    {"AsmWnd", 5, 6,
     "{SOURCE_NAME}=MemWnd {TARGET_TYPE}=AsmWndOpcode {VALUE} {TARGET_ITEM_ADDRESS}",
     "SET VALUE {TARGET_ITEM_ADDRESS} = {VALUE}", 4,
     "Copy Value {VALUE} Into Opcode At Address {TARGET_ITEM_ADDRESS}",
     "Copy Value {VALUE} From Core {COREID} Into Opcode At Address {TARGET_ITEM_ADDRESS}"},
    {"AsmWnd", 7, 8, "{SOURCE_NAME}=MemWnd {ADDRESS}", "PAGE /ASSEMBLER {ADDRESS}", 4,
     "Jump To Disassembly Code At {ADDRESS}",
     "Jump To Disassembly Code At {ADDRESS} From Core {COREID}"},
    {"AsmWnd", 9, 10, "{SOURCE_NAME}=CallWnd {ADDRESS}", "PAGE /ASSEMBLER {ADDRESS}", 4,
     "Jump To Disassembly Code At {ADDRESS}",
     "Jump To Disassembly Code At {ADDRESS} From Core {COREID}"},
    {"AsmWnd", 11, 12, "{SOURCE_NAME}=BrkWnd {ADDRESS}", "PAGE /ASSEMBLER {ADDRESS}", 4,
     "Jump To Disassembly Code Of Breakpoint At {ADDRESS}",
     "Jump To Disassembly Code Of Breakpoint At {ADDRESS} From Core {COREID}"},
    {"AsmWnd", 13, 14, "{ADDRESS} !{SELF}", "PAGE /ASSEMBLER {ADDRESS}", 4,
     "Jump To Disassembly Code At {ADDRESS}",
     "Jump To Disassembly Code At {ADDRESS} From Core {COREID}"},
    {"MemWnd", 1, 2,
     "{SOURCE_NAME}=SrcWnd {TARGET_TYPE}=MemWndValue {VALUE} {TYPE} {TARGET_ITEM_ADDRESS}",
     "SET VALUE /SIZE={TYPE} {TARGET_ITEM_ADDRESS} = {VALUE}", 4,
     "Copy Value {VALUE} Into Memory At Address {TARGET_ITEM_ADDRESS}",
     "Copy Value {VALUE} From Core {COREID} Into Memory At Address {TARGET_ITEM_ADDRESS}"},
    {"MemWnd", 3, 4, "{SOURCE_NAME}=SrcWnd {SOURCE_TYPE}=SrcWndSymbol {NAME} {TARGET_ID}",
     "SHOW MEMORY /WINDOW /ID={TARGET_ID} {NAME}", 4,
     "Show Memory Of {NAME} in Memory Window {TARGET_ID}",
     "Show Memory Of {NAME} From Core {COREID} in Memory Window {TARGET_ID}"},
    {"MemWnd", 5, 6, "{SOURCE_NAME}=SrcWnd {ADDRESS} {TARGET_ID}",
     "SHOW MEMORY /WINDOW /ID={TARGET_ID} {ADDRESS}", 4,
     "Show Memory At {ADDRESS} In Memory Window {TARGET_ID}",
     "Show Memory At {ADDRESS} From Core {COREID} In Memory Window {TARGET_ID}"},
    {"MemWnd", 7, 8, "{SOURCE_NAME}=AsmWnd {TARGET_TYPE}=MemWndValue {VALUE} {TARGET_ITEM_ADDRESS}",
     "SET VALUE /SIZE={TYPE} {TARGET_ITEM_ADDRESS} = {VALUE}", 4,
     "Copy Value {VALUE} Into Memory At Address {TARGET_ITEM_ADDRESS}",
     "Copy Value {VALUE} From Core {COREID} Into Memory At Address {TARGET_ITEM_ADDRESS}"},
    {"MemWnd", 9, 10, "{SOURCE_NAME}=AsmWnd {ADDRESS} {TARGET_ID}",
     "SHOW MEMORY /WINDOW /ID={TARGET_ID} {ADDRESS}", 4,
     "Show Memory At {ADDRESS} In Memory Window {TARGET_ID}",
     "Show Memory At {ADDRESS} From Core {COREID} In Memory Window {TARGET_ID}"},
    {"MemWnd", 11, 12, "{SOURCE_NAME}=MemWnd {ADDRESS} {TARGET_ID}",
     "SHOW MEMORY /WINDOW /ID={TARGET_ID} {ADDRESS}", 4,
     "Show Memory At {ADDRESS} In Memory Window {TARGET_ID}",
     "Show Memory At {ADDRESS} From Core {COREID} In Memory Window {TARGET_ID}"},
    {"MemWnd", 13, 14,
     "{SOURCE_NAME}=EvalWnd {TARGET_TYPE}=MemWndValue {VALUE} {TARGET_ITEM_ADDRESS}",
     "SET VALUE /SIZE={TYPE} {TARGET_ITEM_ADDRESS} = {VALUE}", 4,
     "Copy Value {VALUE} Into Memory At Address {TARGET_ITEM_ADDRESS}",
     "Copy Value {VALUE} From Core {COREID} Into Memory At Address {TARGET_ITEM_ADDRESS}"},
    {"MemWnd", 15, 16, "{SOURCE_NAME}=EvalWnd {NAME} {TARGET_ID}",
     "SHOW MEMORY /WINDOW /ID={TARGET_ID} {NAME}", 4,
     "Show Memory Of {NAME} In Memory Window {TARGET_ID}",
     "Show Memory Of {NAME} From Core {COREID} In Memory Window {TARGET_ID}"},
    {"MemWnd", 17, 18, "{SOURCE_NAME}=CallWnd {FUNCTION} {MODULE} {TARGET_ID}",
     "SHOW MEMORY /WINDOW /ID={TARGET_ID} {MODULE}\\{FUNCTION}", 4,
     "Show Memory Of {MODULE}\\{FUNCTION} In Memory Window {TARGET_ID}",
     "Show Memory Of {MODULE}\\{FUNCTION} From Core {COREID} In Memory Window {TARGET_ID}"},
    {"MemWnd", 19, 20, "{SOURCE_NAME}=CallWnd {ADDRESS} {TARGET_ID}",
     "SHOW MEMORY /WINDOW /ID={TARGET_ID} {ADDRESS}", 4,
     "Show Memory Of {ADDRESS} In Memory Window {TARGET_ID}",
     "Show Memory Of {ADDRESS} From Core {COREID} In Memory Window {TARGET_ID}"},
    {"MemWnd", 21, 22, "{ADDRESS} {TARGET_ID}", "SHOW MEMORY /WINDOW /ID={TARGET_ID} {ADDRESS}", 4,
     "Show Memory Of {ADDRESS} In Memory Window {TARGET_ID}",
     "Show Memory Of {ADDRESS} From Core {COREID} In Memory Window {TARGET_ID}"},
    {"EvalWnd", 1, 2, "{SOURCE_NAME}=SrcWnd {TARGET_TYPE}=EvalWndValue {VALUE} {TARGET_ITEM_NAME}",
     "SET {TARGET_ITEM_NAME} = {VALUE}", 4, "Set {TARGET_ITEM_NAME} = {VALUE}",
     "Set {TARGET_ITEM_NAME} = {VALUE} In Core {COREID}"},
    {"EvalWnd", 3, 4, "{SOURCE_NAME}=SrcWnd {SOURCE_TYPE}=SrcWndSymbol {NAME}",
     "SET EVALUATE /WINDOW={TARGET_ID} {NAME}", 4, "Evaluate {NAME} In Evaluations[{TARGET_ID}]",
     "Evaluate {NAME} From Core {COREID} In Evaluations[{TARGET_ID}]"},
    {"EvalWnd", 5, 0,
     "{SOURCE_NAME}=MemWnd {TARGET_TYPE}=EvalWndValue {VALUE} {TARGET_ITEM_NAME}  {COREID} "
     "{ACTIVECOREID}",
     "SET CORE /NOCAPTURE {COREID} ; SET {TARGET_ITEM_NAME} = {VALUE} ; SET CORE /NOCAPTURE "
     "{ACTIVECOREID}",
     4, "Set {TARGET_ITEM_NAME} = {VALUE} In Core {COREID}", nullptr},
    {"EvalWnd", 6, 0, "{SOURCE_NAME}=MemWnd {TARGET_TYPE}=EvalWndValue {VALUE} {TARGET_ITEM_NAME}",
     "SET {TARGET_ITEM_NAME} = {VALUE}", 4, "Set {TARGET_ITEM_NAME} = {VALUE}", nullptr},
    {"EvalWnd", 7, 8, "{SOURCE_NAME}=MemWnd {POINTER} {KEYSTATE_CTRL} {VALUE} {TYPE} {FORMAT}",
     "SET EVALUATE /WINDOW={TARGET_ID} /{FORMAT} *({TYPE}*){VALUE}", 1,
     "Evaluate Indirect Pointer To Memory Address {VALUE} In Evaluations[{TARGET_ID}]",
     "Evaluate Indirect Pointer To Memory Address {VALUE} From Core {COREID} In "
     "Evaluations[{TARGET_ID}]"},
    {"EvalWnd", 9, 10, "{SOURCE_NAME}=MemWnd {ADDRESS} {TYPE} {FORMAT}",
     "SET EVALUATE /WINDOW={TARGET_ID} /{FORMAT} *({TYPE}*){ADDRESS}", 4,
     "Evaluate Pointer To Memory Address {ADDRESS} In Evaluations[{TARGET_ID}]",
     "Evaluate Pointer To Memory Address {ADDRESS} From Core {COREID} In Evaluations[{TARGET_ID}]"},
    {"EvalWnd", 11, 12,
     "{SOURCE_NAME}=EvalWnd {TARGET_TYPE}=EvalWndValue {VALUE} {TARGET_ITEM_NAME}",
     "SET {TARGET_ITEM_NAME} = {VALUE}", 4, "Set {TARGET_ITEM_NAME} = {VALUE}",
     "Set {TARGET_ITEM_NAME} = {VALUE} In Core {COREID}"},
    {"EvalWnd", 13, 14,
     "!{SELF} !{LOCAL_WIN} {SOURCE_NAME}=EvalWnd !{KEYSTATE_CTRL} {NAME} {FORMAT}",
     "DELETE EVALUATE /ID={ID}; SET EVALUATE /WINDOW={TARGET_ID} /{FORMAT} {NAME}", 2,
     "Move {NAME} From Evaluations[{SOURCE_ID}] To Evaluations[{TARGET_ID}]",
     "Move {NAME} From Core {COREID} From Evaluations[{SOURCE_ID}] To Evaluations[{TARGET_ID}]"},
    {"EvalWnd", 15, 16, "!{SELF} !{LOCAL_WIN} {SOURCE_NAME}=EvalWnd !{KEYSTATE_CTRL} {NAME}",
     "DELETE EVALUATE /ID={ID}; SET EVALUATE /WINDOW={TARGET_ID} {NAME}", 2,
     "Move {NAME} From Evaluations[{SOURCE_ID}] To Evaluations[{TARGET_ID}]",
     "Move {NAME} From Core {COREID} From Evaluations[{SOURCE_ID}] To Evaluations[{TARGET_ID}]"},
    {"EvalWnd", 17, 18, "!{SELF} {SOURCE_NAME}=EvalWnd {KEYSTATE_CTRL} {NAME} {FORMAT}",
     "SET EVALUATE /WINDOW={TARGET_ID} /{FORMAT} {NAME}", 1,
     "Copy {NAME} From Evaluations[{SOURCE_ID}] To Evaluations[{TARGET_ID}]",
     "Copy {NAME} From Core {COREID} From Evaluations[{SOURCE_ID}] To Evaluations[{TARGET_ID}]"},
    {"EvalWnd", 19, 20, "!{SELF} {SOURCE_NAME}=EvalWnd {KEYSTATE_CTRL} {NAME}",
     "SET EVALUATE /WINDOW={TARGET_ID} {NAME}", 1,
     "Copy {NAME} From Evaluations[{SOURCE_ID}] To Evaluations[{TARGET_ID}]",
     "Copy {NAME} From Core {COREID} From Evaluations[{SOURCE_ID}] To Evaluations[{TARGET_ID}]"},
    {"EvalWnd", 21, 22, "{REGISTER} {TARGET_TYPE}=EvalWndValue {NAME} {TARGET_ITEM_NAME}",
     "SET {TARGET_ITEM_NAME} = ASM({NAME})", 4,
     "Set {TARGET_ITEM_NAME} To Content of Register {NAME}",
     "Set {TARGET_ITEM_NAME} From Core {COREID} To Content of Register {NAME}"},
    {"EvalWnd", 23, 24, "{REGISTER} {NAME}", "SET EVALUATE /WINDOW={TARGET_ID} /HEX ASM({NAME})", 4,
     "Evaluate Register {NAME} In Evaluations[{TARGET_ID}]",
     "Evaluate Register {NAME} From Core {COREID} In Evaluations[{TARGET_ID}]"},
    {"EvalWnd", 25, 26, "{SYSREG} {NAME}", "SET EVALUATE /WINDOW={TARGET_ID} /HEX SYSREG({NAME})",
     4, "Evaluate System Register {NAME} In Evaluations[{TARGET_ID}]",
     "Evaluate System Register {NAME} From Core {COREID} In Evaluations[{TARGET_ID}]"},
    {"SysRegWnd", 1, 2, "{SOURCE_NAME}=SrcWnd {VALUE} {TYPE:=[BYTE|WORD|LONG]} {TARGET_ITEM_NAME}",
     "SET REGISTER /SIZE={TYPE} {TARGET_ITEM_NAME} = {VALUE}", 4,
     "Set Register {TARGET_ITEM_NAME} To Value {VALUE}",
     "Set Register {TARGET_ITEM_NAME} From Core {COREID} To Value {VALUE}"},
    {"SysRegWnd", 3, 4, "{SOURCE_NAME}=EvalWnd {VALUE} {TYPE:=[BYTE|WORD|LONG]} {TARGET_ITEM_NAME}",
     "SET REGISTER /SIZE={TYPE} {TARGET_ITEM_NAME} = {VALUE}", 4,
     "Set Register {TARGET_ITEM_NAME} To Value {VALUE}",
     "Set Register {TARGET_ITEM_NAME} From Core {COREID} To Value {VALUE}"},
    {"SysRegWnd", 5, 6, "{SOURCE_NAME}=MemWnd {VALUE} {TYPE:=[BYTE|WORD|LONG]} {TARGET_ITEM_NAME}",
     "SET REGISTER /SIZE={TYPE} {TARGET_ITEM_NAME} = {VALUE}", 4,
     "Set Register {TARGET_ITEM_NAME} To Value {VALUE}",
     "Set Register {TARGET_ITEM_NAME} From Core {COREID} To Value {VALUE}"},
    {"SysRegWnd", 7, 8, "{REGISTER} {NAME} {TARGET_ITEM_NAME}",
     "SET REGISTER {TARGET_ITEM_NAME} = ASM({NAME})", 4,
     "Copy Register {NAME} To Register {TARGET_ITEM_NAME}",
     "Copy Register {NAME} From Core {COREID} To Register {TARGET_ITEM_NAME}"},
    {"SysRegWnd", 9, 10, "{REGISTER} {NAME} {TARGET_ITEM_NAME}",
     "SET REGISTER {TARGET_ITEM_NAME} = ASM({NAME})", 4,
     "Copy Register {NAME} To Register {TARGET_ITEM_NAME}",
     "Copy Register {NAME} From Core {COREID} To Register {TARGET_ITEM_NAME}"},
    {"CmdWnd", 1, 0, "{SOURCE_NAME}=SrcWnd {SOURCE_TYPE}=SrcWndSymbol {SELECTED_TEXT}",
     "PRINT \"{SELECTED_TEXT}\"", 4, "Print \"{SELECTED_TEXT}\" To Command Window", nullptr},
    {"CmdWnd", 2, 0, "{SOURCE_NAME}=SrcWnd {SOURCE_TYPE}=SrcWndSymbol {KEYSTATE_CTRL} {NAME}",
     "PRINT \"{NAME}\"", 4, "Print \"{NAME}\" To Command Window", nullptr},
    {"CmdWnd", 3, 0, "{SOURCE_NAME}=SrcWnd {SOURCE_TYPE}=SrcWndLine {LINE}", "PRINT \"{LINE}\"", 4,
     "Print \"{LINE}\" To Command Window", nullptr},
    {"CmdWnd", 4, 0, "{SOURCE_NAME}=AsmWnd {SOURCE_TYPE}=AsmWndAddress {ADDRESS}",
     "PRINT \"{ADDRESS}\"", 4, "Print \"{ADDRESS}\" To Command Window", nullptr},
    {"CmdWnd", 5, 0, "{SOURCE_NAME}=AsmWnd {SOURCE_TYPE}=AsmWndOpcode {OPCODE}",
     "PRINT \"{OPCODE}\"", 4, "Print \"{OPCODE}\" To Command Window", nullptr},
    {"CmdWnd", 6, 0, "{SOURCE_NAME}=AsmWnd {SOURCE_TYPE}=AsmWndSource {TEXT}", "PRINT \"{TEXT}\"",
     4, "Print \"{TEXT}\" To Command Window", nullptr},
    {"CmdWnd", 7, 0, "{SOURCE_NAME}=MemWnd {SOURCE_TYPE}=MemWndAddr {ADDRESS}",
     "PRINT \"{ADDRESS}\"", 4, "Print \"{ADDRESS}\" To Command Window", nullptr},
    {"CmdWnd", 8, 0, "{SOURCE_NAME}=MemWnd {SOURCE_TYPE}=MemWndValue {VALUE}", "PRINT \"{VALUE}\"",
     4, "Print \"{VALUE}\" To Command Window", nullptr},
    {"CmdWnd", 9, 0, "{SOURCE_NAME}=ModWnd {MODULE}", "PRINT \"{MODULE}\"", 4,
     "Print \"{MODULE}\" To Command Window", nullptr},
    {"CmdWnd", 10, 0, "!{KEYSTATE_CTRL} {VALUE}", "PRINT \"{VALUE}\"", 4,
     "Print \"{VALUE}\" To Command Window", nullptr},
    {"CmdWnd", 11, 0, "{KEYSTATE_CTRL} {TEXT}", "PRINT \"{TEXT}\"", 1,
     "Print \"{TEXT}\" To Command Window", nullptr},
    {"CmdWnd", 12, 0, "{VALUE}", "PRINT \"{VALUE}\"", 4, "Print \"{VALUE}\" To Command Window",
     nullptr},
    {"CmdWnd", 13, 0, "{TEXT}", "PRINT \"{TEXT}\"", 1, "Print \"{TEXT}\" To Command Window",
     nullptr},
    {"CmdWnd", 14, 0, "{ADDRESS}", "PRINT \"{ADDRESS}\"", 4,
     "Print \"{ADDRESS}\" To Command Window", nullptr},
    {"ModWnd", 1, 2, "{SOURCE_NAME}=SrcWnd {MODULE}", "SET MODULE {MODULE}", 4,
     "Set Module {MODULE}", "Set Module {MODULE} From Core {COREID}"},
    {"ModWnd", 3, 4, "{MODULE}", "SET MODULE {MODULE}", 4, "Set Module {MODULE}",
     "Set Module {MODULE} From Core {COREID}"},
    {"BrkWnd", 1, 2, "{SOURCE_NAME}=SrcWnd {ADDRESS} {KEYSTATE_CTRL}",
     "SET BREAKPOINT AT {ADDRESS}", 1, "Set Breakpoint At {ADDRESS}",
     "Set Breakpoint In Core {COREID} At {ADDRESS}"},
    {"BrkWnd", 3, 4, "{SOURCE_NAME}=SrcWnd {SOURCE_TYPE}=SrcWndSymbol {NAME}",
     "SET WATCHPOINT AT {NAME}", 4, "Set Watchpoint At {NAME}",
     "Set Watchpoint At {NAME} From Core {COREID}"},
    {"BrkWnd", 5, 6, "{SOURCE_NAME}=SrcWnd {MODULE} {LINE}",
     "SET BREAKPOINT AT {MODULE}\\@LINE {LINE}", 4, "Set Breakpoint At {MODULE} Linenumber {LINE}",
     "Set Breakpoint In Core {COREID} At {MODULE} Linenumber {LINE}"},
    {"BrkWnd", 7, 8, "{SOURCE_NAME}=AsmWnd {ADDRESS}", "SET BREAKPOINT AT {ADDRESS}", 4,
     "Set Breakpoint At {ADDRESS}", "Set Breakpoint In Core {COREID} At {ADDRESS}"},
    {"BrkWnd", 9, 10, "{SOURCE_NAME}=MemWnd {ADDRESS} {SIZE}",
     "SET WATCHPOINT /LENGTH={SIZE} AT {ADDRESS}", 4,
     "Set Watchpoint At {ADDRESS} With {SIZE} Byte Length",
     "Set Watchpoint In Core {COREID} At {ADDRESS} With {SIZE} Byte Length"},
    {"BrkWnd", 11, 12, "{SOURCE_NAME}=EvalWnd {NAME}", "SET WATCHPOINT AT {NAME}", 4,
     "Set Watchpoint At {NAME}", "Set Watchpoint In Core {COREID} At {NAME}"},
    {"BrkWnd", 13, 14, "{SOURCE_NAME}=CallWnd {MODULE} {LINE}",
     "SET BREAKPOINT AT {MODULE}\\@LINE {LINE}", 4, "Set Breakpoint At {MODULE} Linenumber {LINE}",
     "Set Breakpoint In Core {COREID} At {MODULE} Linenumber {LINE}"},
    {"BrkWnd", 15, 16, "{SOURCE_NAME}=CallWnd {ADDRESS}", "SET BREAKPOINT AT {ADDRESS}", 4,
     "Set Breakpoint At {ADDRESS}", "Set Breakpoint In Core {COREID} At {ADDRESS}"},
    {"BrkWnd", 17, 0, "{ADDRESS} {COREID} {ACTIVECOREID} {KEYSTATE_CTRL}",
     "SET CORE /NOCAPTURE {COREID} ; SET WATCHPOINT AT {ADDRESS} ; SET CORE /NOCAPTURE "
     "{ACTIVECOREID}",
     1, "Set Watchpoint At {COREID} At {ADDRESS}", nullptr},
    {"BrkWnd", 18, 0, "{ADDRESS} {COREID} {ACTIVECOREID}",
     "SET CORE /NOCAPTURE {COREID} ; SET BREAKPOINT AT {ADDRESS} ; SET CORE /NOCAPTURE "
     "{ACTIVECOREID}",
     4, "Set Breakpoint In Core {COREID} At {ADDRESS}", nullptr},
    {"BrkWnd", 19, 0, "{ADDRESS} {KEYSTATE_CTRL}", "SET WATCHPOINT AT {ADDRESS}", 1,
     "Set Watchpoint At {ADDRESS}", nullptr},
    {"BrkWnd", 20, 0, "{ADDRESS}", "SET BREAKPOINT AT {ADDRESS}", 4, "Set Breakpoint At {ADDRESS}",
     nullptr},
    {"MainWnd", 1, 2, "{SOURCE_NAME}=AsmWnd {ADDRESS}", "SHOW MEMORY /WINDOW {ADDRESS}", 4,
     "Show Memory At {ADDRESS} In A Memory Window",
     "Show Memory At {ADDRESS} From Core {COREID} In A Memory Window"},
    {"MainWnd", 3, 4, "{SOURCE_NAME}=SrcWnd {SOURCE_TYPE}=SrcWndSymbol {NAME}",
     "SET EVALUATE /WINDOW {NAME}", 4, "Evaluate {NAME} In Evaluations[0]",
     "Evaluate {NAME} From Core {COREID} In Evaluations[0]"},
    {"MainWnd", 5, 6, "{SOURCE_NAME}=ModWnd {MODULE}", "DISPLAY SOURCE {MODULE}", 4,
     "Open Module {MODULE}", "Open Module {MODULE} From Core {COREID}"},
    {"MainWnd", 7, 8, "{SOURCE_NAME}=MemWnd {ADDRESS}", "SHOW MEMORY /WINDOW {ADDRESS}", 4,
     "Show Memory At {ADDRESS}", "Show Memory From Core {COREID} At {ADDRESS}"},
    {"MainWnd", 9, 10, "{SOURCE_NAME}=BrkWnd {MODULE} {LINE}",
     "DISPLAY SOURCE {MODULE} ; LINE {LINE}", 4, "Show Source {MODULE} At Line {LINE}",
     "Show Source {MODULE} From Core {COREID} At Line {LINE}"},
    {"MainWnd", 11, 12, "{REGISTER} {NAME}", "SET EVALUATE /WINDOW /HEX ASM({NAME})", 4,
     "Evaluate Register {NAME} In Evaluations Window",
     "Evaluate Register {NAME} From Core {COREID} In Evaluations Window"},
    {"MainWnd", 13, 14, "{SYSREG} {NAME}", "SET EVALUATE /WINDOW /HEX SYSREG({NAME})", 4,
     "Evaluate System Register {NAME} In Evaluations Window",
     "Evaluate System Register {NAME} From Core {COREID} In Evaluations Window"},
    {"MainWnd", 15, 0, "{KEYSTATE_CTRL} {ADDRESS} {COREID} {ACTIVECOREID} !{LANGUAGE}=ASM",
     "SET CORE /NOCAPTURE {COREID} ; PAGE /ASSEMBLER {ADDRESS} ; SET CORE /NOCAPTURE "
     "{ACTIVECOREID}",
     1, "Show Disassembly From Core {COREID} At Address {ADDRESS}", nullptr},
    {"MainWnd", 16, 0, "{MODULE} {LINE} {COREID} {ACTIVECOREID} !{EXTENSION_MODE}",
     "SET CORE /NOCAPTURE {COREID} ; DISPLAY SOURCE {MODULE} ; LINE {LINE} ; SET CORE /NOCAPTURE "
     "{ACTIVECOREID}",
     4, "Show Source {MODULE} AT Line {LINE} From Core {COREID}", nullptr},
    {"MainWnd", 17, 0, "{ADDRESS} {COREID} {ACTIVECOREID} {LANGUAGE}=ASM",
     "SET CORE /NOCAPTURE {COREID} ; PAGE /ASSEMBLER {ADDRESS} ; SET CORE /NOCAPTURE "
     "{ACTIVECOREID}",
     4, "Show Disassembly From Core {COREID} At Address {ADDRESS}", nullptr},
    {"MainWnd", 18, 0, "{ADDRESS} {COREID} {ACTIVECOREID} {LANGUAGE}=C++ !{EXTENSION_MODE}",
     "SET CORE /NOCAPTURE {COREID} ; PAGE /SOURCE {ADDRESS} ; SET CORE /NOCAPTURE {ACTIVECOREID}",
     4, "Show Source From Core {COREID} At Address {ADDRESS}", nullptr},
    {"MainWnd", 19, 0, "{ADDRESS} {COREID} {ACTIVECOREID} !{EXTENSION_MODE}",
     "SET CORE /NOCAPTURE {COREID} ; PAGE /SOURCE {ADDRESS} ; SET CORE /NOCAPTURE {ACTIVECOREID}",
     4, "Show Source From Core {COREID} At Address {ADDRESS}", nullptr},
    {"MainWnd", 20, 0, "{KEYSTATE_CTRL} {ADDRESS} !{LANGUAGE}=ASM", "PAGE /ASSEMBLER {ADDRESS}", 1,
     "Show Disassembly At Address {ADDRESS}", nullptr},
    {"MainWnd", 21, 0, "{MODULE} {LINE} !{EXTENSION_MODE}", "DISPLAY SOURCE {MODULE} ; LINE {LINE}",
     4, "Show Source {MODULE} AT Line {LINE}", nullptr},
    {"MainWnd", 22, 0, "{ADDRESS} {LANGUAGE}=ASM", "PAGE /ASSEMBLER {ADDRESS}", 4,
     "Show Disassembly At Address {ADDRESS}", nullptr},
    {"MainWnd", 23, 0, "{ADDRESS} {LANGUAGE}=C++ !{EXTENSION_MODE}", "PAGE /SOURCE {ADDRESS}", 4,
     "Show Source At Address {ADDRESS}", nullptr},
    {"MainWnd", 24, 0, "{ADDRESS} !{EXTENSION_MODE}", "PAGE /SOURCE {ADDRESS}", 4,
     "Show Source At Address {ADDRESS}", nullptr},
};

struct Rule {
    std::string pattern, command;
    uint32_t effect;
    std::string description;
    bool operator==(const Rule& o) const {
        return pattern == o.pattern && command == o.command && effect == o.effect &&
               description == o.description;
    }
};

std::ostream& operator<<(std::ostream& out, const Rule& r) {
    return out << "[" << r.pattern << "] [" << r.command << "] " << r.effect << " ["
               << r.description << "]";
}

// A pair's core variant: the core terms at the end of the pattern (before the Ctrl term in the
// first rule of the breakpoint list), the command run on the source's core.
Rule CoreVariant(const WrittenRule& w) {
    std::string pattern = w.pattern;
    if (std::string(w.set) == "BrkWnd" && w.first == 1) {
        const size_t ctrl = pattern.find("{KEYSTATE_CTRL}");
        pattern.insert(ctrl, "{COREID} {ACTIVECOREID} ");
    } else {
        pattern += " {COREID} {ACTIVECOREID}";
    }
    return {pattern,
            "SET CORE /NOCAPTURE {COREID} ; " + std::string(w.command) +
                " ; SET CORE /NOCAPTURE {ACTIVECOREID}",
            w.effect, w.coreDescription};
}

TEST_F(AppTest, EveryRuleReachesTheHostByteForByte) {
    Load(Host(3, 13, 2));
    std::map<std::string, std::vector<Rule>> expected;
    std::map<std::string, int> last;
    for (const WrittenRule& w : kWrittenRules) {
        std::vector<Rule>& rules = expected[w.set];
        // The numbers run on without a gap; a pair is two numbers.
        EXPECT_EQ(last[w.set] + 1, w.first) << w.set << " " << w.first;
        last[w.set] = w.second ? w.second : w.first;
        if (w.second) {
            EXPECT_EQ(w.first + 1, w.second);
            rules.push_back(CoreVariant(w));
        }
        rules.push_back({w.pattern, w.command, w.effect, w.description});
    }
    size_t total = 0;
    for (const auto& set : HostState::Get().dragDrop.sets) {
        std::vector<Rule> got;
        for (const HostDropRule& r : set.second.rules)
            got.push_back({r.pattern, r.command, r.effect, r.description});
        const std::vector<Rule>& want = expected[set.first];
        ASSERT_EQ(want.size(), got.size()) << set.first;
        for (size_t i = 0; i < got.size(); ++i)
            EXPECT_EQ(want[i], got[i]) << set.first << " rule " << i + 1;
        total += got.size();
    }
    EXPECT_EQ(152u, total);
    EXPECT_EQ(11u, HostState::Get().dragDrop.sets.size());

    // The backslashes of the host's language are there, one each, byte for byte.
    auto& sets = HostState::Get().dragDrop.sets;
    EXPECT_EQ("SET BREAKPOINT AT {MODULE}\x5C@LINE {LINE}", sets["BrkWnd"].rules[5].command);
    EXPECT_EQ("SET CORE /NOCAPTURE {COREID} ; SET BREAKPOINT AT {MODULE}\x5C@LINE {LINE} ; SET "
              "CORE /NOCAPTURE {ACTIVECOREID}",
              sets["BrkWnd"].rules[12].command);
    EXPECT_EQ("SHOW MEMORY /WINDOW /ID={TARGET_ID} {MODULE}\x5C{FUNCTION}",
              sets["MemWnd"].rules[17].command);
    EXPECT_EQ("Show Memory Of {MODULE}\x5C{FUNCTION} From Core {COREID} In Memory Window "
              "{TARGET_ID}",
              sets["MemWnd"].rules[16].description);
    EXPECT_EQ("{SOURCE_NAME}=SrcWnd {ADDRESS} {COREID} {ACTIVECOREID} {KEYSTATE_CTRL}",
              sets["BrkWnd"].rules[0].pattern);
}

// A drag as a window's drag source describes it, and where it is dropped.
struct DragCase {
    const char* name;
    const char* sourceKind;
    int sourceId;
    const char* sourceType;
    std::vector<std::pair<std::string, std::string>> properties;
    const char* targetKind;
    int targetId;
    const char* targetType;
    bool ctrl;
    uint32_t effect;     // offered on the way and answered by the drop; 0: refused
    const char* command; // what the target ran; null: nothing
};

// Drives the service's drag events for one drag, as the windows' drop hooks do.
void RunDrag(const DragCase& c, std::vector<std::string>& commands, std::vector<uint32_t>& offered,
             int& dropped) {
    IDragDrop& dd = HostState::Get().service;
    void* record = nullptr;
    dd.BeginRecord(kDragRecordItem, &record);
    int index = 0;
    for (const auto& p : c.properties)
        dd.AddString(record, index++, p.first.c_str(), p.second.c_str());
    ASSERT_EQ(1, dd.StartDrag(c.sourceKind, c.sourceId, c.sourceType, record)) << c.name;
    const uint32_t keys = MK_LBUTTON | (c.ctrl ? MK_CONTROL : 0);
    uint32_t enter = 99, over = 99;
    dd.DragEnter(c.targetKind, c.targetId, c.targetType, keys, &enter);
    dd.DragOver(c.targetKind, c.targetId, c.targetType, keys, &over);
    offered = {enter, over};
    dropped = dd.Drop(c.targetKind, c.targetId, c.targetType);
    dd.EndRecord(kDragRecordItem, record);
    commands = HostState::Get().dragDrop.commands;
    HostState::Get().dragDrop.commands.clear();
}

TEST_F(AppTest, DragsBetweenWindowsRunTheCommandOfTheFirstFittingRule) {
    Load(Host(3, 13, 4)); // active core 0
    // The host knows the item under the mouse in its evaluation and memory windows.
    HostState::Get().dragDrop.targetItem = [](const HostDropPoint& point, DragProperties& p) {
        if (point.targetType == "EvalWndValue")
            p["TARGET_ITEM_NAME"] = "count";
        if (point.targetType == "MemWndValue")
            p["TARGET_ITEM_ADDRESS"] = "0x2000";
    };
    using P = std::vector<std::pair<std::string, std::string>>;
    const P line = {{"MODULE", "main"}, {"LINE", "12"}, {"ID", "12"}};
    const P lineOnCore2 = {{"MODULE", "main"}, {"LINE", "12"}, {"COREID", "2"}};
    const P lineOnCore0 = {{"MODULE", "main"}, {"LINE", "12"}, {"COREID", "0"}};
    const P address = {{"ADDRESS", "0x400"}};
    const P value = {{"VALUE", "0x2A"}, {"ADDRESS", "0x1000"}};
    const P valueOnCore1 = {{"VALUE", "0x2A"}, {"COREID", "1"}};
    const P item = {{"NAME", "x"}, {"FORMAT", "HEX"}, {"ID", "7"}};
    const P frame = {{"FUNCTION", "run"}, {"MODULE", "main"}};
    const DragCase cases[] = {
        {"source line on the breakpoints", "SrcWnd", 1, "SrcWndLine", line, "BrkWnd", 0, "BrkWnd",
         false, 4, "SET BREAKPOINT AT main\x5C@LINE 12"},
        {"source line from another core", "SrcWnd", 1, "SrcWndLine", lineOnCore2, "BrkWnd", 0,
         "BrkWnd", false, 4,
         "SET CORE /NOCAPTURE 2 ; SET BREAKPOINT AT main\x5C@LINE 12 ; SET CORE /NOCAPTURE 0"},
        {"source line from the active core", "SrcWnd", 1, "SrcWndLine", lineOnCore0, "BrkWnd", 0,
         "BrkWnd", false, 4, "SET BREAKPOINT AT main\x5C@LINE 12"},
        {"address on the breakpoints", "AsmWnd", 2, "AsmWndAddress", address, "BrkWnd", 0, "BrkWnd",
         false, 4, "SET BREAKPOINT AT 0x400"},
        {"address on the breakpoints with Ctrl", "CmdWnd", 0, "CmdWnd", address, "BrkWnd", 0,
         "BrkWnd", true, 1, "SET WATCHPOINT AT 0x400"},
        {"address on a memory window", "AsmWnd", 2, "AsmWndAddress", address, "MemWnd", 3,
         "MemWndAddress", false, 4, "SHOW MEMORY /WINDOW /ID=3 0x400"},
        {"call frame on a memory window", "CallWnd", 0, "CallWnd", frame, "MemWnd", 3,
         "MemWndAddress", false, 4, "SHOW MEMORY /WINDOW /ID=3 main\x5Crun"},
        {"memory value on an evaluation item", "MemWnd", 3, "MemWndValue", value, "EvalWnd", 1,
         "EvalWndValue", false, 4, "SET count = 0x2A"},
        {"memory value from core 1", "MemWnd", 3, "MemWndValue", valueOnCore1, "EvalWnd", 1,
         "EvalWndValue", false, 4,
         "SET CORE /NOCAPTURE 1 ; SET count = 0x2A ; SET CORE /NOCAPTURE 0"},
        {"evaluation moved to another window", "EvalWnd", 2, "EvalWndSymbol", item, "EvalWnd", 1,
         "EvalWndSymbol", false, 2, "DELETE EVALUATE /ID=7; SET EVALUATE /WINDOW=1 /HEX x"},
        {"evaluation copied with Ctrl", "EvalWnd", 2, "EvalWndSymbol", item, "EvalWnd", 1,
         "EvalWndSymbol", true, 1, "SET EVALUATE /WINDOW=1 /HEX x"},
        {"evaluation on its own window", "EvalWnd", 1, "EvalWndSymbol", item, "EvalWnd", 1,
         "EvalWndSymbol", false, 0, nullptr},
        {"address on its own disassembly", "AsmWnd", 2, "AsmWndAddress", address, "AsmWnd", 2,
         "AsmWnd", false, 0, nullptr},
        {"address on another disassembly", "CmdWnd", 0, "CmdWnd", address, "AsmWnd", 2, "AsmWnd",
         false, 4, "PAGE /ASSEMBLER 0x400"},
        {"source line on the main frame", "BrkWnd", 0, "BrkWnd", line, "MainWnd", 0, "MainWnd",
         false, 4, "DISPLAY SOURCE main ; LINE 12"},
        {"address without a type on a memory value", "AsmWnd", 2, "AsmWndOpcode", value, "MemWnd",
         3, "MemWndValue", false, 4, "SHOW MEMORY /WINDOW /ID=3 0x1000"},
        {"nothing a call stack takes", "SrcWnd", 1, "SrcWndLine", line, "CallWnd", 0, "CallWnd",
         false, 0, nullptr},
    };
    for (const DragCase& c : cases) {
        std::vector<std::string> commands;
        std::vector<uint32_t> offered;
        int dropped = -1;
        RunDrag(c, commands, offered, dropped);
        EXPECT_EQ((std::vector<uint32_t>{c.effect, c.effect}), offered) << c.name;
        EXPECT_EQ(static_cast<int>(c.effect), dropped) << c.name;
        EXPECT_EQ(c.command ? std::vector<std::string>{c.command} : std::vector<std::string>{},
                  commands)
            << c.name;
    }
}

TEST_F(AppTest, InExtensionModeTheMainFrameOpensNoSource) {
    Load(Host(3, 13, 1, true));
    IDragDrop& dd = HostState::Get().service;
    void* record = nullptr;
    dd.BeginRecord(kDragRecordItem, &record);
    dd.AddString(record, 0, "MODULE", "main");
    dd.AddString(record, 1, "LINE", "12");
    dd.StartDrag("CmdWnd", 0, "CmdWnd", record);
    dd.EndRecord(kDragRecordItem, record);
    uint32_t effect = 99;
    dd.DragOver("MainWnd", 0, "MainWnd", MK_LBUTTON, &effect);
    EXPECT_EQ(0u, effect); // its source rules all want the host outside extension mode
    EXPECT_EQ(0, dd.Drop("MainWnd", 0, "MainWnd"));
    EXPECT_TRUE(HostState::Get().dragDrop.commands.empty());
}

} // namespace
