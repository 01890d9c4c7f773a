// In-place editing of the disassembly pane: typed opcode bytes become a SET VALUE line that
// writes them and pages the window again, typed source text an ASM line; either goes to the
// host as the pending command.
#include "windows/asm/asm_callbacks.h"

#include <windows.h>

#include <cstring>

#include "framework/core/guard.h"
#include "shell/app/pending_command.h"
#include "shell/hostlink.h"
#include "windows/asm/asm_line_host.h"
#include "windows/eval/set_value_line.h"

namespace {
bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The core part of an address: "CORE:n(address)" or the address itself.
std::string OnCore(const char* address, int core) {
    if (core < 0)
        return address;
    return "CORE:" + std::to_string(core) + "(" + address + ")";
}

bool FitsPendingBuffer(const std::string& line) {
    return line.size() + 1 <= sizeof PendingHostCommand.line;
}

bool UsableAddress(const char* address) {
    return address != nullptr && *address != 0 && !HasControlCharacter(address);
}

int EndEdit(AsmLineRecord* record, const char* typed, int column, int core) {
    if (record == nullptr || !(record->flags & kAsmLineCode) || typed == nullptr ||
        HostTable() == nullptr)
        return 0;
    // Which column was edited is read off the pane before the host is called: the host may
    // close the window while it answers.
    const int opcodeColumn = AsmOpcodeColumn(AsmPaneHasCoverage(core));
    if (column != opcodeColumn && column != opcodeColumn + 1)
        return 0;
    std::optional<HostCoreScope> onCore;
    EnterAsmCore(onCore, core);
    const std::string address = AsmAddressText(*record, core);
    if (address.empty())
        return 0;
    const int lineCore = HostMultiCore() ? core : -1;
    SetAsmPanesRedraw(core, false);
    std::string line;
    const bool bOpcode = column == opcodeColumn;
    const bool bBuilt = bOpcode ? AsmSetValueLine(address.c_str(), typed, lineCore, line)
                                : AsmAssembleLine(address.c_str(), typed, lineCore, line);
    if (!bBuilt || !LeavePendingHostCommand(line, bOpcode ? 1 : 0))
        ::MessageBeep((UINT)-1);
    SetAsmPanesRedraw(core, true);
    return 0; // the host pages the window with the new code
}
} // namespace

bool AsmOpcodeBytes(const char* text, std::string& out) {
    if (text == nullptr)
        return false;
    std::string bytes;
    const char* p = text;
    while (*p != 0) {
        while (*p == ' ')
            ++p;
        const char* start = p;
        while (*p != 0 && *p != ' ') {
            if (!IsHexDigit(*p))
                return false;
            ++p;
        }
        // The group from its end, two digits a byte; an odd leading digit is the last byte.
        for (const char* end = p; end > start;) {
            const char* from = end - start >= 2 ? end - 2 : start;
            if (!bytes.empty())
                bytes += ",0x";
            bytes.append(from, end);
            end = from;
        }
    }
    if (bytes.empty())
        return false;
    out = std::move(bytes);
    return true;
}

bool AsmSetValueLine(const char* address, const char* typed, int core, std::string& line) {
    std::string bytes;
    if (!UsableAddress(address) || !AsmOpcodeBytes(typed, bytes))
        return false;
    const std::string target = OnCore(address, core);
    std::string result =
        "SET VALUE /SIZE=BYTE " + target + "=0x" + bytes + " ; PAGE /ASSEMBLER " + target;
    if (!FitsPendingBuffer(result))
        return false;
    line = std::move(result);
    return true;
}

bool AsmAssembleLine(const char* address, const char* typed, int core, std::string& line) {
    // The text stands inside quotes the host's language has no escape for: a quote would end
    // it and let the rest run as commands.
    if (!UsableAddress(address) || typed == nullptr || HasControlCharacter(typed) ||
        std::strchr(typed, '"') != nullptr || typed[std::strspn(typed, " ")] == 0)
        return false;
    std::string result = "ASM /ADDR=" + OnCore(address, core) + " \"" + typed + "\"";
    if (!FitsPendingBuffer(result))
        return false;
    line = std::move(result);
    return true;
}

int __cdecl AsmEditStart(void* data) {
    return AfxGuardWndProc(L"assembler edit start", 0, [&] {
        const AsmLineRecord* record = AsmRecordOf(data);
        return record != nullptr && (record->flags & kAsmLineCode) ? 1 : 0;
    });
}

int __cdecl AsmEditEnd(void* data, const char* text, int column, int user) {
    return AfxGuardWndProc(L"assembler edit end", 0,
                           [&] { return EndEdit(AsmRecordOf(data), text, column, user); });
}
