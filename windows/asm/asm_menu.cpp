// The assembler panes' context menu: the tables the lists are created with, and the adjustment
// of each entry to the line under the mouse before it is added.
#include "windows/asm/asm_callbacks.h"

#include "framework/core/guard.h"
#include "shell/hostlink.h"

namespace {
using namespace AsmCommand;

constexpr uint32_t kAdjusted = ListMenuFlag::adjust | ListMenuFlag::greyIfContext1; // 10
constexpr uint32_t kGrey = kAdjusted | ListMenuFlag::alwaysGrey;                    // 74
constexpr uint32_t kBlockCommentOff = kAdjusted | ListMenuFlag::leaveOut;           // 4106

const ListMenuEntry kCoverageMenu[] = {
    {"Jump To &Browser", ListMenuFlag::greyIfContext1, jumpToBrowser},
    {"&Add Block Comment ...", kAdjusted, addBlockComment},
    {"&Edit Block Comment ...", kAdjusted, editBlockComment},
    {"&Delete Block Comment ...", kAdjusted, deleteBlockComment},
    {nullptr, 0, 0},
};

const ListMenuEntry kFullMenu[] = {
    {"Toggle &Breakpoint", kAdjusted, setBreakpoint},
    {"", ListMenuFlag::separator, 0},
    {"&Go Here", kAdjusted, goHere},
    {"&Set PC", kAdjusted, setPc},
    {"&Find Source Code", kAdjusted, findSource},
    {"Show &Memory", kAdjusted, showMemory},
    {"Change &Address ...", kAdjusted, changeAddress},
    {"", ListMenuFlag::separator, 0},
    {"&Home", kAdjusted, home},
    {"Co&verage", kAdjusted | ListMenuFlag::popup, reinterpret_cast<uintptr_t>(kCoverageMenu)},
    {"", ListMenuFlag::separator, 0},
    {"&Include Source Annotations", ListMenuFlag::adjust, sourceAnnotations},
    {nullptr, 0, 0},
};

const ListMenuEntry kExtensionMenu[] = {
    {"Change &Address ...", kAdjusted, changeAddress},
    {"&Home", kAdjusted, home},
    {nullptr, 0, 0},
};

// Add is offered unless the line has a kind-4 comment, or a kind-3 one with both qualifiers.
bool CanAddBlockComment(const AsmLineRecord& r) {
    if (!(r.blockComment & kAsmBlockComment))
        return true;
    const uint32_t kind = r.blockComment & kAsmBlockCommentKindMask;
    if (kind == 4)
        return false;
    return !(kind == 3 && r.blockCommentQual[0] != 0 && r.blockCommentQual[1] != 0);
}

bool HasKind4Comment(const AsmLineRecord& r) {
    return (r.blockComment & kAsmBlockComment) && (r.blockComment & kAsmBlockCommentKindMask) == 4;
}

void Adjust(ListMenuEntry& entry, const AsmLineRecord* r) {
    if (r == nullptr) {
        entry.flags |= ListMenuFlag::leaveOut;
        return;
    }
    const bool bCode = (r->flags & kAsmLineCode) != 0;
    switch (entry.command) {
    case setBreakpoint:
        if (const int command = AsmBreakpointCommand(r))
            entry.command = static_cast<uintptr_t>(command);
        else
            entry.flags = kGrey;
        return;
    case goHere:
    case setPc:
    case findSource:
        if (!bCode)
            entry.flags = kGrey;
        return;
    case sourceAnnotations:
        if (HostTable() != nullptr && HostTable()->GetOption(0) == 1)
            entry.flags |= ListMenuFlag::checked;
        return;
    case addBlockComment:
        entry.flags = CanAddBlockComment(*r) ? kAdjusted : kBlockCommentOff;
        return;
    case editBlockComment:
    case deleteBlockComment:
        entry.flags = HasKind4Comment(*r) ? kAdjusted : kBlockCommentOff;
        return;
    default:
        return;
    }
}
} // namespace

AsmLineRecord* AsmRecordOf(void* data) {
    return data != nullptr ? static_cast<AsmItemData*>(data)->record : nullptr;
}

const ListMenuEntry* AsmMenuTable() {
    return HostExtensionMode() ? kExtensionMenu : kFullMenu;
}

int AsmBreakpointCommand(const AsmLineRecord* r) {
    if (r == nullptr)
        return 0;
    const bool bCode = (r->flags & kAsmLineCode) != 0;
    if (bCode && (r->flags & kAsmLineNoBreakpoint))
        return 0;
    if (r->flags & kAsmLineBreakpoint)
        return clearBreakpoint;
    return bCode ? setBreakpoint : 0;
}

int AsmOpcodeColumn(bool bCoverageColumn) {
    return bCoverageColumn ? 1 : 0;
}

int __cdecl AsmAdjustMenu(ListMenuEntry* entry, void* data, int) {
    return AfxGuardWndProc(L"assembler menu entry", 0, [&] {
        if (entry != nullptr)
            Adjust(*entry, AsmRecordOf(data));
        return 1;
    });
}
