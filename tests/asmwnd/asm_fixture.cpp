#include "tests/asmwnd/asm_fixture.h"

#include "host/lib/source_link.h"
#include "host/lib/target_machine.h"
#include "tests/support/window_parts.h"

#include <cstdio>

namespace {
constexpr int kCopyAll = 503;
using CreateFn = int(__cdecl*)(const char*, const char*, int, const WindowPosition*, int);
using UpdateFn = intptr_t(__cdecl*)(int, const char*, const char*, int, int, int, int, int, int);
using ColumnsFn = int(__cdecl*)(int, int, const void*, int);
using HandleFn = HWND(__cdecl*)(int);
using TableFn = const ListWindowInterface**(__cdecl*)(const ListWindowInterface**);
using PlaceFn = void(__cdecl*)(intptr_t, int, const WindowPosition*);

bool KeyHeld(WORD key) {
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}

void PressKey(WORD key, bool bDown) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = bDown ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
    for (int i = 0; i < 20 && KeyHeld(key) != bDown; ++i)
        Sleep(10);
}
} // namespace

TestChain::TestChain(int count, uint32_t firstKey) : records(count) {
    texts.reserve(static_cast<size_t>(count) * 3);
    for (int i = 0; i < count; ++i) {
        char address[16], opcode[16], source[32];
        std::snprintf(address, sizeof address, "0x%04X", 0x1000 + 2 * i);
        std::snprintf(opcode, sizeof opcode, "%02X %02X", i, 0xA0 + i % 16);
        std::snprintf(source, sizeof source, "add r%d, r%d   ", i % 8, (i + 1) % 8);
        texts.push_back(address);
        texts.push_back(opcode);
        texts.push_back(source);
    }
    for (int i = 0; i < count; ++i) {
        AsmLineRecord& r = records[static_cast<size_t>(i)];
        r.next = i + 1 < count ? &records[static_cast<size_t>(i) + 1] : nullptr;
        r.addressText = texts[static_cast<size_t>(i) * 3].c_str();
        r.opcodeText = texts[static_cast<size_t>(i) * 3 + 1].c_str();
        r.sourceText = texts[static_cast<size_t>(i) * 3 + 2].c_str();
        r.flags = kAsmLineCode;
        r.addressKey = firstKey + static_cast<uint32_t>(i);
        r.background = 0xFFFFFFFF;
    }
}

void AsmWndTest::TearDown() {
    BindSourceLibrary(nullptr);
    AppTest::TearDown();
}

bool AsmWndTest::StartStopped(HostOptions options) {
    Start(options);
    BindSourceLibrary(m_module);
    return TargetMachine::Get().StepInto(0);
}

int AsmWndTest::Create(int flags, int core) {
    return Get<CreateFn>("CreateSourceWindow")("", "", flags, &m_position, core);
}

intptr_t AsmWndTest::Update(int id, int line, int flags) {
    return Get<UpdateFn>("UpdateSourceWindow")(id, "", "", line, flags, 0, 0, 0, 0);
}

int AsmWndTest::SetColumnDatas(int id, int flags, const void* data) {
    return Get<ColumnsFn>("SetColumnDatas")(id, flags, data, 0);
}

HWND AsmWndTest::FrameOf(int id) {
    HWND h = Get<HandleFn>("GetWindowHandle")(id);
    return h == reinterpret_cast<HWND>(-1) ? nullptr : h;
}

std::vector<HWND> AsmWndTest::Panes(HWND frame) {
    return SourcePanes(frame);
}

const ListWindowInterface* AsmWndTest::Lists() {
    const ListWindowInterface* table = nullptr;
    Get<TableFn>("GetListWndIfacPtr")(&table);
    return table;
}

int AsmWndTest::TopIndex(HWND pane) {
    int index = -1;
    return Lists()->QueryItem(static_cast<int>(reinterpret_cast<intptr_t>(pane)), 64 | 16, nullptr,
                              &index)
               ? index
               : -1;
}

int AsmWndTest::Selected(HWND pane) {
    int index = -1;
    return Lists()->QueryItem(static_cast<int>(reinterpret_cast<intptr_t>(pane)), 2 | 16, nullptr,
                              &index)
               ? index
               : -1;
}

int AsmWndTest::PerPage(HWND pane) {
    int count = 0;
    Lists()->QueryItem(static_cast<int>(reinterpret_cast<intptr_t>(pane)), 128, nullptr, &count);
    return count;
}

std::string AsmWndTest::AllText(HWND pane) {
    SendMessageW(ListOf(pane), WM_COMMAND, kCopyAll, 0);
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            for (; *p; ++p)
                text.push_back(static_cast<char>(*p));
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

void AsmWndTest::Show(HWND frame, int width, int height) {
    SetWindowPos(Frame(), HWND_TOP, 0, 0, 1000, 700, SWP_SHOWWINDOW);
    SetWindowPos(frame, HWND_TOP, 0, 0, width, height, SWP_SHOWWINDOW);
    PumpAll();
}

int AsmWndTest::OpenWithChain(const TestChain& chain) {
    const int id = Create(0x8 | 0x10);
    m_frame = FrameOf(id);
    if (id <= 0 || m_frame == nullptr)
        return 0;
    Show(m_frame, 600, 250);
    if (SetColumnDatas(id, 0x8, chain.Head()) != 1)
        return 0;
    m_panes = Panes(m_frame);
    return m_panes.size() == 2 ? id : 0;
}

void AsmWndTest::Place(int id, const WindowPosition* position, const HostPlacement& placement) {
    HostState::Get().placements[position] = placement;
    Get<PlaceFn>("UpdateWndPos")(id, 1, position);
    PumpAll();
}

bool AsmWndTest::ScrollPastTheEnd(HWND pane, bool bDown) {
    const WORD key = bDown ? VK_DOWN : VK_UP;
    PressKey(key, true);
    const bool bHeld = KeyHeld(key);
    if (bHeld)
        SendMessageW(ListOf(pane), WM_VSCROLL, bDown ? SB_LINEDOWN : SB_LINEUP, 0);
    PressKey(key, false);
    // The key's own messages are not part of the scroll.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    PumpAll();
    return bHeld;
}
