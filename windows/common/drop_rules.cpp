// The rule table: a rule with a core description stands for a pair, its core variant first,
// which runs the command on the drag source's core and switches back to the active core.
#include "windows/common/drop_rules.h"

#include <cstring>

namespace {

constexpr uint32_t kCopy = 1, kMove = 2, kLink = 4; // OLE drop effects

// Where a core variant's core terms go in its pattern.
enum CorePlacement { kAtEnd, kBeforeCtrl };

struct RulePart {
    const char* pattern;
    const char* command;
    uint32_t effect;
    const char* description;
    const char* coreDescription; // null: a rule without a core variant
    CorePlacement placement = kAtEnd;
};

// The texts are the host's command language, whose "\@" and "\{" are two characters each: the
// literals below write the backslash doubled.
const RulePart kSrcWndRules[] = {
    {"{SOURCE_NAME}=AsmWnd {MODULE} {LINE}", "DISPLAY SOURCE {MODULE} ; LINE {LINE}", kLink,
     "Jump To Sourceline {LINE} Of Module {MODULE}",
     "Jump To Sourceline {LINE} Of Module {MODULE} From Core {COREID}"},
    {"{SOURCE_NAME}=AsmWnd {ADDRESS}", "PAGE /SOURCE {ADDRESS}", kLink,
     "Jump To Sourcecode Of Address {ADDRESS}",
     "Jump To Sourcecode Of Address {ADDRESS} From Core {COREID}"},
    {"{SOURCE_NAME}=ModWnd {MODULE}", "DISPLAY SOURCE {MODULE}", kLink, "Open Module {MODULE}",
     "Open Module {MODULE} From Core {COREID}"},
    {"{SOURCE_NAME}=CallWnd {MODULE} {LINE}", "DISPLAY SOURCE {MODULE} ; LINE {LINE}", kLink,
     "Jump To Sourceline {LINE} Of Module {MODULE}",
     "Jump To Sourceline {LINE} Of Module {MODULE} From Core {COREID}"},
    {"{SOURCE_NAME}=CallWnd {ADDRESS}", "PAGE /SOURCE {ADDRESS}", kLink,
     "Jump To Sourcecode Of Address {ADDRESS}",
     "Jump To Sourcecode Of Address {ADDRESS} From Core {COREID}"},
    {"{SOURCE_NAME}=BrkWnd {MODULE} {LINE}", "DISPLAY SOURCE {MODULE} ; LINE {LINE}", kLink,
     "Jump To Breakpoint At Line {LINE} Of Module {MODULE}",
     "Jump To Breakpoint At Line {LINE} Of Module {MODULE} From Core {COREID}"},
    {"{SOURCE_NAME}=BrkWnd {ADDRESS}", "PAGE /SOURCE {ADDRESS}", kLink,
     "Jump To Breakpoint At Address {ADDRESS}",
     "Jump To Breakpoint At Address {ADDRESS} From Core {COREID}"},
    {"{MODULE} {LINE}", "DISPLAY SOURCE {MODULE} ; LINE {LINE}", kLink,
     "Jump Line {LINE} Of Module {MODULE}",
     "Jump To Line {LINE} Of Module {MODULE} From Core {COREID}"},
    {"{ADDRESS}", "PAGE /SOURCE {ADDRESS}", kLink, "Show Source At Address {ADDRESS}",
     "Show Source From Core {COREID} At Address {ADDRESS}"},
};
const RulePart kAsmWndRules[] = {
    {"{SOURCE_NAME}=SrcWnd {TARGET_TYPE}=AsmWndOpcode {VALUE} {TARGET_ITEM_ADDRESS}",
     "SET VALUE {TARGET_ITEM_ADDRESS} = {VALUE}", kLink,
     "Copy Value {VALUE} Into Opcode At Address {TARGET_ITEM_ADDRESS}",
     "Copy Value {VALUE} From Core {COREID} Into Opcode At Address {TARGET_ITEM_ADDRESS}"},
    {"{SOURCE_NAME}=SrcWnd {ADDRESS}", "PAGE /ASSEMBLER {ADDRESS}", kLink,
     "Jump To Disassembly Code At {ADDRESS}",
     "Jump To Disassembly Code At {ADDRESS} From Core {COREID}"},
    {"{SOURCE_NAME}=MemWnd {TARGET_TYPE}=AsmWndOpcode {VALUE} {TARGET_ITEM_ADDRESS}",
     "SET VALUE {TARGET_ITEM_ADDRESS} = {VALUE}", kLink,
     "Copy Value {VALUE} Into Opcode At Address {TARGET_ITEM_ADDRESS}",
     "Copy Value {VALUE} From Core {COREID} Into Opcode At Address {TARGET_ITEM_ADDRESS}"},
    {"{SOURCE_NAME}=MemWnd {ADDRESS}", "PAGE /ASSEMBLER {ADDRESS}", kLink,
     "Jump To Disassembly Code At {ADDRESS}",
     "Jump To Disassembly Code At {ADDRESS} From Core {COREID}"},
    {"{SOURCE_NAME}=CallWnd {ADDRESS}", "PAGE /ASSEMBLER {ADDRESS}", kLink,
     "Jump To Disassembly Code At {ADDRESS}",
     "Jump To Disassembly Code At {ADDRESS} From Core {COREID}"},
    {"{SOURCE_NAME}=BrkWnd {ADDRESS}", "PAGE /ASSEMBLER {ADDRESS}", kLink,
     "Jump To Disassembly Code Of Breakpoint At {ADDRESS}",
     "Jump To Disassembly Code Of Breakpoint At {ADDRESS} From Core {COREID}"},
    {"{ADDRESS} !{SELF}", "PAGE /ASSEMBLER {ADDRESS}", kLink,
     "Jump To Disassembly Code At {ADDRESS}",
     "Jump To Disassembly Code At {ADDRESS} From Core {COREID}"},
};
const RulePart kMemWndRules[] = {
    {"{SOURCE_NAME}=SrcWnd {TARGET_TYPE}=MemWndValue {VALUE} {TYPE} {TARGET_ITEM_ADDRESS}",
     "SET VALUE /SIZE={TYPE} {TARGET_ITEM_ADDRESS} = {VALUE}", kLink,
     "Copy Value {VALUE} Into Memory At Address {TARGET_ITEM_ADDRESS}",
     "Copy Value {VALUE} From Core {COREID} Into Memory At Address {TARGET_ITEM_ADDRESS}"},
    {"{SOURCE_NAME}=SrcWnd {SOURCE_TYPE}=SrcWndSymbol {NAME} {TARGET_ID}",
     "SHOW MEMORY /WINDOW /ID={TARGET_ID} {NAME}", kLink,
     "Show Memory Of {NAME} in Memory Window {TARGET_ID}",
     "Show Memory Of {NAME} From Core {COREID} in Memory Window {TARGET_ID}"},
    {"{SOURCE_NAME}=SrcWnd {ADDRESS} {TARGET_ID}", "SHOW MEMORY /WINDOW /ID={TARGET_ID} {ADDRESS}",
     kLink, "Show Memory At {ADDRESS} In Memory Window {TARGET_ID}",
     "Show Memory At {ADDRESS} From Core {COREID} In Memory Window {TARGET_ID}"},
    {"{SOURCE_NAME}=AsmWnd {TARGET_TYPE}=MemWndValue {VALUE} {TARGET_ITEM_ADDRESS}",
     "SET VALUE /SIZE={TYPE} {TARGET_ITEM_ADDRESS} = {VALUE}", kLink,
     "Copy Value {VALUE} Into Memory At Address {TARGET_ITEM_ADDRESS}",
     "Copy Value {VALUE} From Core {COREID} Into Memory At Address {TARGET_ITEM_ADDRESS}"},
    {"{SOURCE_NAME}=AsmWnd {ADDRESS} {TARGET_ID}", "SHOW MEMORY /WINDOW /ID={TARGET_ID} {ADDRESS}",
     kLink, "Show Memory At {ADDRESS} In Memory Window {TARGET_ID}",
     "Show Memory At {ADDRESS} From Core {COREID} In Memory Window {TARGET_ID}"},
    {"{SOURCE_NAME}=MemWnd {ADDRESS} {TARGET_ID}", "SHOW MEMORY /WINDOW /ID={TARGET_ID} {ADDRESS}",
     kLink, "Show Memory At {ADDRESS} In Memory Window {TARGET_ID}",
     "Show Memory At {ADDRESS} From Core {COREID} In Memory Window {TARGET_ID}"},
    {"{SOURCE_NAME}=EvalWnd {TARGET_TYPE}=MemWndValue {VALUE} {TARGET_ITEM_ADDRESS}",
     "SET VALUE /SIZE={TYPE} {TARGET_ITEM_ADDRESS} = {VALUE}", kLink,
     "Copy Value {VALUE} Into Memory At Address {TARGET_ITEM_ADDRESS}",
     "Copy Value {VALUE} From Core {COREID} Into Memory At Address {TARGET_ITEM_ADDRESS}"},
    {"{SOURCE_NAME}=EvalWnd {NAME} {TARGET_ID}", "SHOW MEMORY /WINDOW /ID={TARGET_ID} {NAME}",
     kLink, "Show Memory Of {NAME} In Memory Window {TARGET_ID}",
     "Show Memory Of {NAME} From Core {COREID} In Memory Window {TARGET_ID}"},
    {"{SOURCE_NAME}=CallWnd {FUNCTION} {MODULE} {TARGET_ID}",
     "SHOW MEMORY /WINDOW /ID={TARGET_ID} {MODULE}\\{FUNCTION}", kLink,
     "Show Memory Of {MODULE}\\{FUNCTION} In Memory Window {TARGET_ID}",
     "Show Memory Of {MODULE}\\{FUNCTION} From Core {COREID} In Memory Window {TARGET_ID}"},
    {"{SOURCE_NAME}=CallWnd {ADDRESS} {TARGET_ID}", "SHOW MEMORY /WINDOW /ID={TARGET_ID} {ADDRESS}",
     kLink, "Show Memory Of {ADDRESS} In Memory Window {TARGET_ID}",
     "Show Memory Of {ADDRESS} From Core {COREID} In Memory Window {TARGET_ID}"},
    {"{ADDRESS} {TARGET_ID}", "SHOW MEMORY /WINDOW /ID={TARGET_ID} {ADDRESS}", kLink,
     "Show Memory Of {ADDRESS} In Memory Window {TARGET_ID}",
     "Show Memory Of {ADDRESS} From Core {COREID} In Memory Window {TARGET_ID}"},
};
const RulePart kEvalWndRules[] = {
    {"{SOURCE_NAME}=SrcWnd {TARGET_TYPE}=EvalWndValue {VALUE} {TARGET_ITEM_NAME}",
     "SET {TARGET_ITEM_NAME} = {VALUE}", kLink, "Set {TARGET_ITEM_NAME} = {VALUE}",
     "Set {TARGET_ITEM_NAME} = {VALUE} In Core {COREID}"},
    {"{SOURCE_NAME}=SrcWnd {SOURCE_TYPE}=SrcWndSymbol {NAME}",
     "SET EVALUATE /WINDOW={TARGET_ID} {NAME}", kLink,
     "Evaluate {NAME} In Evaluations[{TARGET_ID}]",
     "Evaluate {NAME} From Core {COREID} In Evaluations[{TARGET_ID}]"},
    {"{SOURCE_NAME}=MemWnd {TARGET_TYPE}=EvalWndValue {VALUE} {TARGET_ITEM_NAME}  {COREID} "
     "{ACTIVECOREID}",
     "SET CORE /NOCAPTURE {COREID} ; SET {TARGET_ITEM_NAME} = {VALUE} ; SET CORE /NOCAPTURE "
     "{ACTIVECOREID}",
     kLink, "Set {TARGET_ITEM_NAME} = {VALUE} In Core {COREID}", nullptr},
    {"{SOURCE_NAME}=MemWnd {TARGET_TYPE}=EvalWndValue {VALUE} {TARGET_ITEM_NAME}",
     "SET {TARGET_ITEM_NAME} = {VALUE}", kLink, "Set {TARGET_ITEM_NAME} = {VALUE}", nullptr},
    {"{SOURCE_NAME}=MemWnd {POINTER} {KEYSTATE_CTRL} {VALUE} {TYPE} {FORMAT}",
     "SET EVALUATE /WINDOW={TARGET_ID} /{FORMAT} *({TYPE}*){VALUE}", kCopy,
     "Evaluate Indirect Pointer To Memory Address {VALUE} In Evaluations[{TARGET_ID}]",
     "Evaluate Indirect Pointer To Memory Address {VALUE} From Core {COREID} In "
     "Evaluations[{TARGET_ID}]"},
    {"{SOURCE_NAME}=MemWnd {ADDRESS} {TYPE} {FORMAT}",
     "SET EVALUATE /WINDOW={TARGET_ID} /{FORMAT} *({TYPE}*){ADDRESS}", kLink,
     "Evaluate Pointer To Memory Address {ADDRESS} In Evaluations[{TARGET_ID}]",
     "Evaluate Pointer To Memory Address {ADDRESS} From Core {COREID} In Evaluations[{TARGET_ID}]"},
    {"{SOURCE_NAME}=EvalWnd {TARGET_TYPE}=EvalWndValue {VALUE} {TARGET_ITEM_NAME}",
     "SET {TARGET_ITEM_NAME} = {VALUE}", kLink, "Set {TARGET_ITEM_NAME} = {VALUE}",
     "Set {TARGET_ITEM_NAME} = {VALUE} In Core {COREID}"},
    {"!{SELF} !{LOCAL_WIN} {SOURCE_NAME}=EvalWnd !{KEYSTATE_CTRL} {NAME} {FORMAT}",
     "DELETE EVALUATE /ID={ID}; SET EVALUATE /WINDOW={TARGET_ID} /{FORMAT} {NAME}", kMove,
     "Move {NAME} From Evaluations[{SOURCE_ID}] To Evaluations[{TARGET_ID}]",
     "Move {NAME} From Core {COREID} From Evaluations[{SOURCE_ID}] To Evaluations[{TARGET_ID}]"},
    {"!{SELF} !{LOCAL_WIN} {SOURCE_NAME}=EvalWnd !{KEYSTATE_CTRL} {NAME}",
     "DELETE EVALUATE /ID={ID}; SET EVALUATE /WINDOW={TARGET_ID} {NAME}", kMove,
     "Move {NAME} From Evaluations[{SOURCE_ID}] To Evaluations[{TARGET_ID}]",
     "Move {NAME} From Core {COREID} From Evaluations[{SOURCE_ID}] To Evaluations[{TARGET_ID}]"},
    {"!{SELF} {SOURCE_NAME}=EvalWnd {KEYSTATE_CTRL} {NAME} {FORMAT}",
     "SET EVALUATE /WINDOW={TARGET_ID} /{FORMAT} {NAME}", kCopy,
     "Copy {NAME} From Evaluations[{SOURCE_ID}] To Evaluations[{TARGET_ID}]",
     "Copy {NAME} From Core {COREID} From Evaluations[{SOURCE_ID}] To Evaluations[{TARGET_ID}]"},
    {"!{SELF} {SOURCE_NAME}=EvalWnd {KEYSTATE_CTRL} {NAME}",
     "SET EVALUATE /WINDOW={TARGET_ID} {NAME}", kCopy,
     "Copy {NAME} From Evaluations[{SOURCE_ID}] To Evaluations[{TARGET_ID}]",
     "Copy {NAME} From Core {COREID} From Evaluations[{SOURCE_ID}] To Evaluations[{TARGET_ID}]"},
    {"{REGISTER} {TARGET_TYPE}=EvalWndValue {NAME} {TARGET_ITEM_NAME}",
     "SET {TARGET_ITEM_NAME} = ASM({NAME})", kLink,
     "Set {TARGET_ITEM_NAME} To Content of Register {NAME}",
     "Set {TARGET_ITEM_NAME} From Core {COREID} To Content of Register {NAME}"},
    {"{REGISTER} {NAME}", "SET EVALUATE /WINDOW={TARGET_ID} /HEX ASM({NAME})", kLink,
     "Evaluate Register {NAME} In Evaluations[{TARGET_ID}]",
     "Evaluate Register {NAME} From Core {COREID} In Evaluations[{TARGET_ID}]"},
    {"{SYSREG} {NAME}", "SET EVALUATE /WINDOW={TARGET_ID} /HEX SYSREG({NAME})", kLink,
     "Evaluate System Register {NAME} In Evaluations[{TARGET_ID}]",
     "Evaluate System Register {NAME} From Core {COREID} In Evaluations[{TARGET_ID}]"},
};
const RulePart kSysRegWndRules[] = {
    {"{SOURCE_NAME}=SrcWnd {VALUE} {TYPE:=[BYTE|WORD|LONG]} {TARGET_ITEM_NAME}",
     "SET REGISTER /SIZE={TYPE} {TARGET_ITEM_NAME} = {VALUE}", kLink,
     "Set Register {TARGET_ITEM_NAME} To Value {VALUE}",
     "Set Register {TARGET_ITEM_NAME} From Core {COREID} To Value {VALUE}"},
    {"{SOURCE_NAME}=EvalWnd {VALUE} {TYPE:=[BYTE|WORD|LONG]} {TARGET_ITEM_NAME}",
     "SET REGISTER /SIZE={TYPE} {TARGET_ITEM_NAME} = {VALUE}", kLink,
     "Set Register {TARGET_ITEM_NAME} To Value {VALUE}",
     "Set Register {TARGET_ITEM_NAME} From Core {COREID} To Value {VALUE}"},
    {"{SOURCE_NAME}=MemWnd {VALUE} {TYPE:=[BYTE|WORD|LONG]} {TARGET_ITEM_NAME}",
     "SET REGISTER /SIZE={TYPE} {TARGET_ITEM_NAME} = {VALUE}", kLink,
     "Set Register {TARGET_ITEM_NAME} To Value {VALUE}",
     "Set Register {TARGET_ITEM_NAME} From Core {COREID} To Value {VALUE}"},
    {"{REGISTER} {NAME} {TARGET_ITEM_NAME}", "SET REGISTER {TARGET_ITEM_NAME} = ASM({NAME})", kLink,
     "Copy Register {NAME} To Register {TARGET_ITEM_NAME}",
     "Copy Register {NAME} From Core {COREID} To Register {TARGET_ITEM_NAME}"},
    {"{REGISTER} {NAME} {TARGET_ITEM_NAME}", "SET REGISTER {TARGET_ITEM_NAME} = ASM({NAME})", kLink,
     "Copy Register {NAME} To Register {TARGET_ITEM_NAME}",
     "Copy Register {NAME} From Core {COREID} To Register {TARGET_ITEM_NAME}"},
};
const RulePart kCmdWndRules[] = {
    {"{SOURCE_NAME}=SrcWnd {SOURCE_TYPE}=SrcWndSymbol {SELECTED_TEXT}", "PRINT \"{SELECTED_TEXT}\"",
     kLink, "Print \"{SELECTED_TEXT}\" To Command Window", nullptr},
    {"{SOURCE_NAME}=SrcWnd {SOURCE_TYPE}=SrcWndSymbol {KEYSTATE_CTRL} {NAME}", "PRINT \"{NAME}\"",
     kLink, "Print \"{NAME}\" To Command Window", nullptr},
    {"{SOURCE_NAME}=SrcWnd {SOURCE_TYPE}=SrcWndLine {LINE}", "PRINT \"{LINE}\"", kLink,
     "Print \"{LINE}\" To Command Window", nullptr},
    {"{SOURCE_NAME}=AsmWnd {SOURCE_TYPE}=AsmWndAddress {ADDRESS}", "PRINT \"{ADDRESS}\"", kLink,
     "Print \"{ADDRESS}\" To Command Window", nullptr},
    {"{SOURCE_NAME}=AsmWnd {SOURCE_TYPE}=AsmWndOpcode {OPCODE}", "PRINT \"{OPCODE}\"", kLink,
     "Print \"{OPCODE}\" To Command Window", nullptr},
    {"{SOURCE_NAME}=AsmWnd {SOURCE_TYPE}=AsmWndSource {TEXT}", "PRINT \"{TEXT}\"", kLink,
     "Print \"{TEXT}\" To Command Window", nullptr},
    {"{SOURCE_NAME}=MemWnd {SOURCE_TYPE}=MemWndAddr {ADDRESS}", "PRINT \"{ADDRESS}\"", kLink,
     "Print \"{ADDRESS}\" To Command Window", nullptr},
    {"{SOURCE_NAME}=MemWnd {SOURCE_TYPE}=MemWndValue {VALUE}", "PRINT \"{VALUE}\"", kLink,
     "Print \"{VALUE}\" To Command Window", nullptr},
    {"{SOURCE_NAME}=ModWnd {MODULE}", "PRINT \"{MODULE}\"", kLink,
     "Print \"{MODULE}\" To Command Window", nullptr},
    {"!{KEYSTATE_CTRL} {VALUE}", "PRINT \"{VALUE}\"", kLink, "Print \"{VALUE}\" To Command Window",
     nullptr},
    {"{KEYSTATE_CTRL} {TEXT}", "PRINT \"{TEXT}\"", kCopy, "Print \"{TEXT}\" To Command Window",
     nullptr},
    {"{VALUE}", "PRINT \"{VALUE}\"", kLink, "Print \"{VALUE}\" To Command Window", nullptr},
    {"{TEXT}", "PRINT \"{TEXT}\"", kCopy, "Print \"{TEXT}\" To Command Window", nullptr},
    {"{ADDRESS}", "PRINT \"{ADDRESS}\"", kLink, "Print \"{ADDRESS}\" To Command Window", nullptr},
};
const RulePart kModWndRules[] = {
    {"{SOURCE_NAME}=SrcWnd {MODULE}", "SET MODULE {MODULE}", kLink, "Set Module {MODULE}",
     "Set Module {MODULE} From Core {COREID}"},
    {"{MODULE}", "SET MODULE {MODULE}", kLink, "Set Module {MODULE}",
     "Set Module {MODULE} From Core {COREID}"},
};
const RulePart kBrkWndRules[] = {
    {"{SOURCE_NAME}=SrcWnd {ADDRESS} {KEYSTATE_CTRL}", "SET BREAKPOINT AT {ADDRESS}", kCopy,
     "Set Breakpoint At {ADDRESS}", "Set Breakpoint In Core {COREID} At {ADDRESS}", kBeforeCtrl},
    {"{SOURCE_NAME}=SrcWnd {SOURCE_TYPE}=SrcWndSymbol {NAME}", "SET WATCHPOINT AT {NAME}", kLink,
     "Set Watchpoint At {NAME}", "Set Watchpoint At {NAME} From Core {COREID}"},
    {"{SOURCE_NAME}=SrcWnd {MODULE} {LINE}", "SET BREAKPOINT AT {MODULE}\\@LINE {LINE}", kLink,
     "Set Breakpoint At {MODULE} Linenumber {LINE}",
     "Set Breakpoint In Core {COREID} At {MODULE} Linenumber {LINE}"},
    {"{SOURCE_NAME}=AsmWnd {ADDRESS}", "SET BREAKPOINT AT {ADDRESS}", kLink,
     "Set Breakpoint At {ADDRESS}", "Set Breakpoint In Core {COREID} At {ADDRESS}"},
    {"{SOURCE_NAME}=MemWnd {ADDRESS} {SIZE}", "SET WATCHPOINT /LENGTH={SIZE} AT {ADDRESS}", kLink,
     "Set Watchpoint At {ADDRESS} With {SIZE} Byte Length",
     "Set Watchpoint In Core {COREID} At {ADDRESS} With {SIZE} Byte Length"},
    {"{SOURCE_NAME}=EvalWnd {NAME}", "SET WATCHPOINT AT {NAME}", kLink, "Set Watchpoint At {NAME}",
     "Set Watchpoint In Core {COREID} At {NAME}"},
    {"{SOURCE_NAME}=CallWnd {MODULE} {LINE}", "SET BREAKPOINT AT {MODULE}\\@LINE {LINE}", kLink,
     "Set Breakpoint At {MODULE} Linenumber {LINE}",
     "Set Breakpoint In Core {COREID} At {MODULE} Linenumber {LINE}"},
    {"{SOURCE_NAME}=CallWnd {ADDRESS}", "SET BREAKPOINT AT {ADDRESS}", kLink,
     "Set Breakpoint At {ADDRESS}", "Set Breakpoint In Core {COREID} At {ADDRESS}"},
    {"{ADDRESS} {COREID} {ACTIVECOREID} {KEYSTATE_CTRL}",
     "SET CORE /NOCAPTURE {COREID} ; SET WATCHPOINT AT {ADDRESS} ; SET CORE /NOCAPTURE "
     "{ACTIVECOREID}",
     kCopy, "Set Watchpoint At {COREID} At {ADDRESS}", nullptr},
    {"{ADDRESS} {COREID} {ACTIVECOREID}",
     "SET CORE /NOCAPTURE {COREID} ; SET BREAKPOINT AT {ADDRESS} ; SET CORE /NOCAPTURE "
     "{ACTIVECOREID}",
     kLink, "Set Breakpoint In Core {COREID} At {ADDRESS}", nullptr},
    {"{ADDRESS} {KEYSTATE_CTRL}", "SET WATCHPOINT AT {ADDRESS}", kCopy,
     "Set Watchpoint At {ADDRESS}", nullptr},
    {"{ADDRESS}", "SET BREAKPOINT AT {ADDRESS}", kLink, "Set Breakpoint At {ADDRESS}", nullptr},
};
const RulePart kMainWndRules[] = {
    {"{SOURCE_NAME}=AsmWnd {ADDRESS}", "SHOW MEMORY /WINDOW {ADDRESS}", kLink,
     "Show Memory At {ADDRESS} In A Memory Window",
     "Show Memory At {ADDRESS} From Core {COREID} In A Memory Window"},
    {"{SOURCE_NAME}=SrcWnd {SOURCE_TYPE}=SrcWndSymbol {NAME}", "SET EVALUATE /WINDOW {NAME}", kLink,
     "Evaluate {NAME} In Evaluations[0]", "Evaluate {NAME} From Core {COREID} In Evaluations[0]"},
    {"{SOURCE_NAME}=ModWnd {MODULE}", "DISPLAY SOURCE {MODULE}", kLink, "Open Module {MODULE}",
     "Open Module {MODULE} From Core {COREID}"},
    {"{SOURCE_NAME}=MemWnd {ADDRESS}", "SHOW MEMORY /WINDOW {ADDRESS}", kLink,
     "Show Memory At {ADDRESS}", "Show Memory From Core {COREID} At {ADDRESS}"},
    {"{SOURCE_NAME}=BrkWnd {MODULE} {LINE}", "DISPLAY SOURCE {MODULE} ; LINE {LINE}", kLink,
     "Show Source {MODULE} At Line {LINE}",
     "Show Source {MODULE} From Core {COREID} At Line {LINE}"},
    {"{REGISTER} {NAME}", "SET EVALUATE /WINDOW /HEX ASM({NAME})", kLink,
     "Evaluate Register {NAME} In Evaluations Window",
     "Evaluate Register {NAME} From Core {COREID} In Evaluations Window"},
    {"{SYSREG} {NAME}", "SET EVALUATE /WINDOW /HEX SYSREG({NAME})", kLink,
     "Evaluate System Register {NAME} In Evaluations Window",
     "Evaluate System Register {NAME} From Core {COREID} In Evaluations Window"},
    {"{KEYSTATE_CTRL} {ADDRESS} {COREID} {ACTIVECOREID} !{LANGUAGE}=ASM",
     "SET CORE /NOCAPTURE {COREID} ; PAGE /ASSEMBLER {ADDRESS} ; SET CORE /NOCAPTURE "
     "{ACTIVECOREID}",
     kCopy, "Show Disassembly From Core {COREID} At Address {ADDRESS}", nullptr},
    {"{MODULE} {LINE} {COREID} {ACTIVECOREID} !{EXTENSION_MODE}",
     "SET CORE /NOCAPTURE {COREID} ; DISPLAY SOURCE {MODULE} ; LINE {LINE} ; SET CORE /NOCAPTURE "
     "{ACTIVECOREID}",
     kLink, "Show Source {MODULE} AT Line {LINE} From Core {COREID}", nullptr},
    {"{ADDRESS} {COREID} {ACTIVECOREID} {LANGUAGE}=ASM",
     "SET CORE /NOCAPTURE {COREID} ; PAGE /ASSEMBLER {ADDRESS} ; SET CORE /NOCAPTURE "
     "{ACTIVECOREID}",
     kLink, "Show Disassembly From Core {COREID} At Address {ADDRESS}", nullptr},
    {"{ADDRESS} {COREID} {ACTIVECOREID} {LANGUAGE}=C++ !{EXTENSION_MODE}",
     "SET CORE /NOCAPTURE {COREID} ; PAGE /SOURCE {ADDRESS} ; SET CORE /NOCAPTURE {ACTIVECOREID}",
     kLink, "Show Source From Core {COREID} At Address {ADDRESS}", nullptr},
    {"{ADDRESS} {COREID} {ACTIVECOREID} !{EXTENSION_MODE}",
     "SET CORE /NOCAPTURE {COREID} ; PAGE /SOURCE {ADDRESS} ; SET CORE /NOCAPTURE {ACTIVECOREID}",
     kLink, "Show Source From Core {COREID} At Address {ADDRESS}", nullptr},
    {"{KEYSTATE_CTRL} {ADDRESS} !{LANGUAGE}=ASM", "PAGE /ASSEMBLER {ADDRESS}", kCopy,
     "Show Disassembly At Address {ADDRESS}", nullptr},
    {"{MODULE} {LINE} !{EXTENSION_MODE}", "DISPLAY SOURCE {MODULE} ; LINE {LINE}", kLink,
     "Show Source {MODULE} AT Line {LINE}", nullptr},
    {"{ADDRESS} {LANGUAGE}=ASM", "PAGE /ASSEMBLER {ADDRESS}", kLink,
     "Show Disassembly At Address {ADDRESS}", nullptr},
    {"{ADDRESS} {LANGUAGE}=C++ !{EXTENSION_MODE}", "PAGE /SOURCE {ADDRESS}", kLink,
     "Show Source At Address {ADDRESS}", nullptr},
    {"{ADDRESS} !{EXTENSION_MODE}", "PAGE /SOURCE {ADDRESS}", kLink,
     "Show Source At Address {ADDRESS}", nullptr},
};

// When a set is registered.
enum When { kAlways, kOutsideExtension, kMultiCoreOutsideExtension };

struct SetPart {
    const char* kind;
    const RulePart* rules;
    size_t count;
    When when;
    bool commit;
};

template <size_t N> constexpr size_t Count(const RulePart (&)[N]) {
    return N;
}

const SetPart kSets[] = {
    {"SrcWnd", kSrcWndRules, Count(kSrcWndRules), kOutsideExtension, true},
    {"AsmWnd", kAsmWndRules, Count(kAsmWndRules), kOutsideExtension, true},
    {"MemWnd", kMemWndRules, Count(kMemWndRules), kOutsideExtension, true},
    {"EvalWnd", kEvalWndRules, Count(kEvalWndRules), kAlways, true},
    {"SysRegWnd", kSysRegWndRules, Count(kSysRegWndRules), kAlways, true},
    {"CmdWnd", kCmdWndRules, Count(kCmdWndRules), kOutsideExtension, true},
    {"ModWnd", kModWndRules, Count(kModWndRules), kOutsideExtension, true},
    {"BrkWnd", kBrkWndRules, Count(kBrkWndRules), kOutsideExtension, true},
    {"CallWnd", nullptr, 0, kOutsideExtension, true},
    {"CoreWnd", nullptr, 0, kMultiCoreOutsideExtension, true},
    // The main frame's set is added only: the service takes it as it stands.
    {"MainWnd", kMainWndRules, Count(kMainWndRules), kAlways, false},
};

const SetPart* FindSet(const char* kind) {
    for (const SetPart& set : kSets)
        if (kind && std::strcmp(set.kind, kind) == 0)
            return &set;
    return nullptr;
}

bool Registered(When when, const DropRuleHost& host) {
    switch (when) {
    case kAlways:
        return true;
    case kOutsideExtension:
        return !host.extensionMode;
    case kMultiCoreOutsideExtension:
        return host.multiCore && !host.extensionMode;
    }
    return false;
}

std::string CorePattern(const RulePart& rule) {
    static const char kCoreTerms[] = "{COREID} {ACTIVECOREID}";
    static const char kCtrl[] = " {KEYSTATE_CTRL}";
    std::string pattern = rule.pattern;
    const size_t ctrl = pattern.rfind(kCtrl);
    if (rule.placement == kBeforeCtrl && ctrl != std::string::npos)
        return pattern.insert(ctrl + 1, std::string(kCoreTerms) + " ");
    return pattern + " " + kCoreTerms;
}

std::string CoreCommand(const RulePart& rule) {
    return std::string("SET CORE /NOCAPTURE {COREID} ; ") + rule.command +
           " ; SET CORE /NOCAPTURE {ACTIVECOREID}";
}

} // namespace

DropRuleSet::DropRuleSet(const char* kind) {
    if (const SetPart* set = FindSet(kind)) {
        for (size_t i = 0; i < set->count; ++i) {
            const RulePart& rule = set->rules[i];
            if (rule.coreDescription)
                m_rules.push_back({Keep(CorePattern(rule)), Keep(CoreCommand(rule)), rule.effect,
                                   rule.coreDescription});
            m_rules.push_back({rule.pattern, rule.command, rule.effect, rule.description});
        }
    }
    m_rules.push_back(DropRule{});
}

const char* DropRuleSet::Keep(std::string text) {
    m_texts.push_back(std::move(text));
    return m_texts.back().c_str();
}

void RegisterDropRuleSets(IDragDrop& service, const DropRuleHost& host) {
    for (const SetPart& part : kSets) {
        if (!Registered(part.when, host))
            continue;
        const DropRuleSet set(part.kind);
        service.AddRules(part.kind, set.Rules());
        if (part.commit)
            service.CommitRules(part.kind);
    }
}
