#include "windows/memory/mempopup.h"

#include <memory>
#include <string>

#include "ifac/h/hostwnd.h"
#include "shell/hostlink.h"
#include "windows/memory/memchildwnd.h"
#include "windows/memory/memstate.h"

namespace {

const MemMenuItem kSizeItems[] = {
    {"&Byte", 9, 21},  {"&Word", 9, 166},  {"&Long", 9, 90},         {"Lo&ng Long", 9, 425},
    {"&Float", 9, 62}, {"&Double", 9, 45}, {"Lon&g Double", 9, 424}, {nullptr, 0, 0},
};
const MemMenuItem kFormatItems[] = {
    {"&Hexadecimal", 9, 69}, {"&Decimal", 9, 35}, {"&Octal", 9, 201},
    {"&Binary", 9, 200},     {nullptr, 0, 0},
};
const MemMenuItem kItems[] = {
    {"&Modify ...", 6, 161},
    {"&Fill Memory ...", 2, 113},
    {"S&earch Memory ...", 2, 121},
    {"Search &Next", 2, 94},
    {"Re&place Memory ... ", 2, 124},
    {"Start A&ddress ...", 1, 2},
    {"&Reload", 1, 87},
    {"&Home", 1, 138},
    {"F&ollow", 10, 64},
    {"Bac&k", 9, 46},
    {"&Assembler", 2, 10},
    {"&Data-Breakpoint ...", 2, 168},
    {"&Size", kMemMenuNested, reinterpret_cast<uintptr_t>(kSizeItems)},
    {"&Format", kMemMenuNested, reinterpret_cast<uintptr_t>(kFormatItems)},
    {"&Based Mode", 9, 114},
    {"Auto &Update", 9, 110},
    {nullptr, 0, 0},
};

const HostMemoryTable& Mem() {
    return *g_pHostMemTable;
}

// The address of a cell as the host's text builder writes it; empty when the host gave none.
std::string AddressText(const MemWndState* s, const MemCell* cell) {
    const HostCommandTable* host = HostTable();
    host->ClearText();
    host->GetText();
    Mem().SelectAddress(s->object, cell->keyLow, cell->keyHigh);
    const char* text = host->GetText();
    return text ? text : "";
}

void ApplyFormat(const MemWndState* s, int format, int radix, uint32_t mode) {
    Mem().SetDisplayFormat(s->object, format, radix, mode);
}

void Assembler(MemWndState* s, const MemCell* cell) {
    HostRequest request{};
    request.code = 8;
    request.flags = 0x200;
    request.param[0] = 5;
    const HostCommandTable* host = HostTable();
    host->ClearText();
    host->GetText();
    Mem().SelectAddress(s->object, cell->keyLow, cell->keyHigh);
    host->GetHostObject(5, nullptr);
    const char* text = host->GetText();
    // Operation 7 hands the host its two further words where the text and the index go: the
    // builder's 8-bit text is the first of them, so the address reaches the host, and 1 the
    // second.
    SendHostRequest(&request, nullptr, 1, 7, reinterpret_cast<intptr_t>(text), 1, 0);
}

void Follow(MemWndState* s, const MemCell* cell, int format) {
    void* view = s->descriptor->view;
    const char* value = Mem().GetCellText(view, cell->keyLow, cell->keyHigh);
    if (value == nullptr || *value == 0)
        return;
    std::string target = value;
    if (format == MemFormat::near16 || format == MemFormat::near32) {
        const char* context = Mem().GetAsmContext(s);
        if (context == nullptr)
            return;
        const HostCommandTable* host = HostTable();
        host->ClearText();
        host->GetText();
        host->AppendText("ASM(", context, ":", target.c_str(), ")");
        const char* built = host->GetText();
        target = built ? built : "";
    }
    if (!IsLiveMemState(s))
        return;
    s->selRow = s->selCell = 0;
    Mem().GotoExpression(view, target.c_str());
}

void DataBreakpoint(MemWndState* s, const MemCell* cell) {
    MemBreakpointRecord record{};
    const std::string address = AddressText(s, cell);
    record.word[0] = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(address.c_str()));
    record.word[12] = static_cast<uint32_t>(s->descriptor->word8);
    record.word[14] = 2;
    record.word[15] = 0xFFFFFFFFu;
    auto* main = static_cast<HostMainWindowRecord*>(
        HostTable()->GetHostObject(kHostObjectMainWindow, nullptr));
    Mem().SubmitText(main ? main->frameWindow : nullptr, &record);
}

} // namespace

const MemMenuItem* MemoryPopupTable() {
    return kItems;
}

extern "C" int __cdecl MemoryPopupEnable(void* menu, int command) {
    const MemWndState* s = CurrentMemState();
    const MemRowDescriptor* d = IsLiveMemState(s) ? s->descriptor : nullptr;
    if (d == nullptr)
        return 0;
    HMENU hMenu = static_cast<HMENU>(menu);
    switch (command) {
    case 35:
        return d->radix == 10;
    case 69:
        return d->radix == 16;
    case 200:
        return d->radix == 2;
    case 201:
        return d->radix == 8;
    case 110:
        return (d->mode & kMemModeAutoUpdate) != 0;
    case 114:
        return (d->mode & kMemModeBased) != 0;
    case 46:
        if (d->back == nullptr || d->back->depth == 0)
            ::EnableMenuItem(hMenu, 46, MF_BYCOMMAND | MF_GRAYED | MF_DISABLED);
        return 0;
    case 64:
        if (!MemFormat::IsPointer(d->format) && d->word8 != 4)
            ::EnableMenuItem(hMenu, 64, MF_BYCOMMAND | MF_GRAYED | MF_DISABLED);
        return 0;
    default:
        return d->format == command;
    }
}

void MemoryPopupDispatch(MemWndState* s, int command) {
    if (!IsLiveMemState(s) || s->descriptor == nullptr || g_pHostMemTable == nullptr ||
        HostTable() == nullptr)
        return;
    CurrentMemState() = s;
    const MemRowDescriptor& d = *s->descriptor;
    int format = d.format, radix = d.radix;
    uint32_t mode = d.mode;
    const MemCell* cell = SelectedMemCell(s);
    const MemCell* active = IsActiveCell(cell) ? cell : nullptr;
    switch (command) {
    case 2:
        return Mem().PopupCommand2(s);
    case 113:
        return Mem().PopupCommand113(s);
    case 121:
        return Mem().PopupCommand121(s);
    case 161:
        return Mem().PopupCommand161(s);
    case 10:
        if (active)
            Assembler(s, active);
        return;
    case 21:
    case 45:
    case 59:
    case 62:
    case 90:
    case 166:
    case 325:
    case 326:
    case 327:
    case 328:
    case 424:
    case 425:
        return ApplyFormat(s, command, radix, mode);
    case 35:
        return ApplyFormat(s, format, 10, mode);
    case 69:
        return ApplyFormat(s, format, 16, mode);
    case 200:
        return ApplyFormat(s, format, 2, mode);
    case 201:
        return ApplyFormat(s, format, 8, mode);
    case 110:
        return ApplyFormat(s, format, radix, mode ^ kMemModeAutoUpdate);
    case 114: {
        const bool wasBased = (mode & kMemModeBased) != 0;
        ::EnableScrollBar(static_cast<HWND>(s->grid), SB_VERT,
                          wasBased ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
        return ApplyFormat(s, format, radix, mode ^ kMemModeBased);
    }
    case 46:
        return Mem().PopupCommand46(d.view);
    case 64:
        if (active)
            Follow(s, active, format);
        return;
    case 87:
        return Mem().PopupCommand87(s->object);
    case 94: {
        HostRequest request{};
        request.code = 12;
        request.flags = 0x284;
        request.param[5] =
            static_cast<uint64_t>(static_cast<int64_t>(reinterpret_cast<intptr_t>(s->object)));
        SendHostRequest(&request, nullptr, 0, 3, 0, 0, 0);
        return;
    }
    case 124:
        if (g_pHostMemTable->major > 1 ||
            (g_pHostMemTable->major == 1 && g_pHostMemTable->minor >= 3))
            Mem().ReplaceMemory(s);
        else
            HostTable()->ExecuteCommand(281);
        return;
    case 138: {
        s->selRow = s->selCell = 0;
        if (CMemChildWnd* pGrid = CMemChildWnd::FromState(s))
            pGrid->SetCaretOffset(0);
        Mem().GotoExpression(d.view, nullptr);
        if (!IsLiveMemState(s))
            return;
        if (const MemCell* first = MemCellAt(s, 0, 0))
            Mem().RequestRows(s->object, first->keyLow, IsActiveCell(first) ? 1 : 0, 0);
        return;
    }
    case 168:
        if (active)
            DataBreakpoint(s, active);
        return;
    }
}
