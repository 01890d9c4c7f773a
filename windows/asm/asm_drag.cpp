// The assembler panes as drag sources: a code line leaves as a record of kind 7 with its core,
// address, opcode, text, line id and language, built through the host's component object.
#include "windows/asm/asm_callbacks.h"

#include "framework/core/guard.h"
#include "shell/hostlink.h"
#include "windows/asm/asm_line_host.h"

namespace {
bool Present(const char* text) {
    return text != nullptr && *text != 0;
}

int FillRecord(const AsmLineRecord* line, void** out, int core) {
    CocoComponent* component = g_pCocoComponent;
    if (line == nullptr || !(line->flags & kAsmLineCode) || out == nullptr ||
        component == nullptr || DragDropService() == nullptr || HostTable() == nullptr)
        return 0;
    void* record = nullptr;
    component->BeginRecord(kDragRecordAsmLine, &record);
    if (record == nullptr)
        return 0;
    int index = 0;
    const bool bOnCore = HostMultiCore() && core >= 0;
    if (bOnCore)
        component->AddInteger(record, index++, "COREID", core);
    // Asked on the line's core: on a single-core host the scope does nothing.
    const std::string address = AsmAddressText(*line, bOnCore ? core : -1);
    if (!address.empty())
        component->AddString(record, index++, "ADDRESS", address.c_str());
    if (Present(line->opcodeText))
        component->AddString(record, index++, "OPCODE", line->opcodeText);
    if (Present(line->sourceText))
        component->AddString(record, index++, "TEXT", line->sourceText);
    component->AddInteger(record, index++, "ID",
                          static_cast<int>(line->addressKey - kAsmLineKeyBase));
    component->AddString(record, index++, "LANGUAGE", "ASM");
    *out = record;
    return 1;
}
} // namespace

int __cdecl AsmDragSource(void* data, int, void** record, int user) {
    return AfxGuardWndProc(L"assembler drag source", 0,
                           [&] { return FillRecord(AsmRecordOf(data), record, user); });
}
