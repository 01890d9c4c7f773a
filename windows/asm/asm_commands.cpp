// The assembler panes' commands: the context menu's requests, the image double click, the
// source-annotation option and the block comments.
#include "windows/asm/asm_callbacks.h"

#include <cstdio>
#include <cstring>

#include "framework/core/guard.h"
#include "shell/hostlink.h"
#include "windows/asm/asm_line_host.h"
#include "windows/source/src_requests.h"

namespace {
using namespace AsmCommand;
using T = SourceRequestText;

// The longest program-counter register name taken from the host.
constexpr size_t kMaxPcName = 64;

// code, flags, number slot and value, PC name, text, operation, index, context, wrapped
const SourceRequestRow kSetBreakpoint = {116, 0x8000, -1, 0, false, T::CodeAddress, 1, 0, 1, true};
const SourceRequestRow kClearBreakpoint = {101, 0x8400, -1, 0,   false, T::CodeAddress,
                                           1,   0,      1,  true};
const SourceRequestRow kGoHere = {106, 0x1000, -1, 0, false, T::CodeAddress, 1, 0, 1, true};
const SourceRequestRow kSetPcFirst = {115, 0x8000, 2, 90, true, T::CodeAddress, 1, 1, 1, true};
const SourceRequestRow kContinue = {138, 0x8000, -1, 0, false, T::None, 3, 0, 1, false};
const SourceRequestRow kFindSource = {8, 0x200, 0, 4, false, T::CodeAddress, 1, 1, 2, true};
const SourceRequestRow kHome = {8, 0x200, 0, 5, false, T::CodeAddress, 1, 1, 1, false};
const SourceRequestRow kShowMemory = {109, 0x400, -1, 0, false, T::CodeAddress, 1, 0, 1, true};
const SourceRequestRow kJumpToBrowser = {8, 0x200, 0, 13, false, T::CodeAddress, 1, 1, 1, true};

// The commands that send one request with the line's address.
struct AddressCommand {
    int command;
    const SourceRequestRow* row;
};
const AddressCommand kAddressCommands[] = {
    {setBreakpoint, &kSetBreakpoint}, {clearBreakpoint, &kClearBreakpoint},
    {findSource, &kFindSource},       {showMemory, &kShowMemory},
    {jumpToBrowser, &kJumpToBrowser},
};

SourceRequestArgs ArgsFor(int core, const std::string& text) {
    SourceRequestArgs args;
    args.core = core;
    args.codeAddress = CString(text.c_str());
    return args;
}

void SendHome(int core) {
    HostCommandTable* host = HostTable();
    std::string pcName;
    if (const char* name = host->GetPCRegisterName())
        pcName.assign(name, strnlen(name, kMaxPcName));
    const std::string expression = AsmCurrentInstruction(
        host->GetTargetType(), pcName.empty() ? nullptr : pcName.c_str(), HostMultiCore(), core);
    SendRequestRow(kHome, ArgsFor(core, expression));
}

void BlockComment(AsmLineRecord* record, int mode) {
    if (record != nullptr)
        HostTable()->ReportEvaluationError(mode, &record->blockCommentArea[0]);
}

void ToggleSourceAnnotations() {
    HostCommandTable* host = HostTable();
    host->SetOption(host->GetOption(0) == 1 ? 0 : 1, 0);
}

const SourceRequestRow* SingleRequestOf(int command) {
    for (const AddressCommand& c : kAddressCommands)
        if (c.command == command)
            return c.row;
    return nullptr;
}

// The commands that need the line's address: false for another command, or when the line has no
// address (nothing is sent).
bool RunAddressCommand(AsmLineRecord* record, int command, int core) {
    const SourceRequestRow* single = SingleRequestOf(command);
    if (record == nullptr || (single == nullptr && command != goHere && command != setPc))
        return false;
    const std::string address = AsmAddressText(*record, core);
    if (address.empty())
        return false;
    const SourceRequestArgs args = ArgsFor(core, address);
    if (single != nullptr) {
        SendRequestRow(*single, args);
    } else if (command == goHere) {
        SendRequestRow(kGoHere, args);
        SendRequestRow(kContinue, args);
    } else {
        SendSetPcRows(kSetPcFirst, kContinue, args);
    }
    if (command != findSource && command != showMemory && command != jumpToBrowser)
        RepaintAsmPanes(core);
    return true;
}

int RunCommand(AsmLineRecord* record, int command, int core) {
    if (HostTable() == nullptr)
        return 0;
    std::optional<HostCoreScope> onCore;
    EnterAsmCore(onCore, core);
    if (command == changeAddress) {
        HostTable()->ExecuteCommand(155);
        return 1;
    }
    if (command == home) {
        SendHome(core);
        return 1;
    }
    if (HostExtensionMode())
        return 0;
    switch (command) {
    case addBlockComment:
        BlockComment(record, 1);
        return 1;
    case deleteBlockComment:
        BlockComment(record, 0);
        return 1;
    case editBlockComment:
        BlockComment(record, -1);
        return 1;
    case sourceAnnotations:
        ToggleSourceAnnotations();
        return 1;
    default:
        return RunAddressCommand(record, command, core) ? 1 : 0;
    }
}
} // namespace

std::string AsmCurrentInstruction(int targetType, const char* pcName, bool bMultiCore, int core) {
    char text[160];
    if (targetType == 54) {
        if (bMultiCore)
            std::snprintf(text, sizeof text, "CORE:%i(ASM(CS:[EIP]))", core);
        else
            std::snprintf(text, sizeof text, "ASM(CS:[EIP])");
    } else if (pcName != nullptr && *pcName != 0) {
        const int n = static_cast<int>(strnlen(pcName, kMaxPcName));
        if (bMultiCore)
            std::snprintf(text, sizeof text, "(char *)CORE:%i(ASM(%.*s))", core, n, pcName);
        else
            std::snprintf(text, sizeof text, "(char *)ASM(%.*s)", n, pcName);
    } else if (bMultiCore) {
        std::snprintf(text, sizeof text, "CORE:%i(ASM(CS:[IP]))", core);
    } else {
        std::snprintf(text, sizeof text, "ASM(CS:[IP])");
    }
    return text;
}

int __cdecl AsmListCommand(void* data, int command, int, int user, int) {
    return AfxGuardWndProc(L"assembler command", 0,
                           [&] { return RunCommand(AsmRecordOf(data), command, user); });
}

int __cdecl AsmImageClick(void* data, int row, int user) {
    return AfxGuardWndProc(L"assembler image click", 0, [&] {
        const int command = AsmBreakpointCommand(AsmRecordOf(data));
        return command != 0 ? AsmListCommand(data, command, row, user, 0) : 0;
    });
}
