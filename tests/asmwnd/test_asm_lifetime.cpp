// The host closes an assembler window inside the window's own calls: while the window asks for
// more lines at the start of its lines, sends a command's request, asks its line colours while
// it paints, or asks the address of a line whose opcode bytes were just typed over; in its MDI
// form and docked. Run again under Wine's heap checks.
#include "tests/asmwnd/asm_fixture.h"

#include "host/lib/host_asm.h"
#include "host/lib/host_memory.h"
#include "tests/support/screen_image.h"

namespace {
constexpr int kAsm = 0x8, kAddress = 0x10;
constexpr int kShowMemory = 32999;

// What the replaced host word does before it answers: the host closes the window (once).
bool g_bClose = false;
void* g_original = nullptr;

void CloseNow() {
    if (g_bClose) {
        g_bClose = false;
        CloseAsmWindow(0);
    }
}

int __cdecl CloseInsideMoreLines(int kind, uint32_t* a, uint32_t* b, uint32_t* c) {
    CloseNow();
    return reinterpret_cast<int(__cdecl*)(int, uint32_t*, uint32_t*, uint32_t*)>(g_original)(
        kind, a, b, c);
}

int __cdecl CloseInsideRequest(HostRequest* r, const char* text, int index, int a, int b) {
    CloseNow();
    return reinterpret_cast<int(__cdecl*)(HostRequest*, const char*, int, int, int)>(g_original)(
        r, text, index, a, b);
}

int __cdecl CloseInsideColours(HFONT_WIRE* font, HFONT_WIRE* bold, uint32_t* text, uint32_t* back,
                               uint32_t* second) {
    CloseNow();
    *text = 0;
    *back = 0xFFFFFF;
    *second = 0;
    return font != nullptr && bold != nullptr ? 1 : 0;
}

// The host answers with the address, then closes the window before it returns.
int __cdecl CloseInsideItemText(int line, int size, char* buffer) {
    const int result =
        reinterpret_cast<int(__cdecl*)(int, int, char*)>(g_original)(line, size, buffer);
    CloseNow();
    return result;
}

struct Form {
    const char* name;
    HostPlacement placement;
};
const Form kForms[] = {{"MDI", {0x11, 10, 10, 600, 250}},
                       {"docked", {0x41 | 0x80, 0, 0, 600, 250}}};

class AsmWndLifetime : public AsmWndTest {
protected:
    void SetUp() override {
        AsmWndTest::SetUp();
        ASSERT_TRUE(StartStopped());
    }
    void TearDown() override {
        g_bClose = false;
        AsmWndTest::TearDown();
    }

    // The host's window of core 0 in the form, shown, with its disassembly pane; the host word
    // is replaced by the hook, which closes the window on the next call.
    HWND Open(const Form& form, unsigned word, void* hook) {
        const int id = OpenAsmWindow(0);
        EXPECT_GT(id, 0);
        const HostAsmWindow* w = AsmWindowOfCore(0);
        if (id <= 0 || w == nullptr)
            return nullptr;
        m_id = id;
        Place(id, &w->position, form.placement);
        HWND frame = FrameOf(id);
        if (form.placement.flags == 0x11)
            Show(frame, 600, 250);
        PumpAll();
        const std::vector<HWND> panes = Panes(frame);
        EXPECT_EQ(2u, panes.size());
        m_pane = panes.empty() ? nullptr : panes.back();
        g_original = HostState::Get().commands.Word(word);
        HostState::Get().commands.Word(word) = hook;
        m_word = word;
        g_bClose = true;
        return frame;
    }
    void Restore() { HostState::Get().commands.Word(m_word) = g_original; }
    // The window went, and the host can open the core's window again.
    void ExpectClosedAndReopened(HWND frame) {
        Restore();
        PumpAll();
        EXPECT_FALSE(g_bClose) << "the hook was never called";
        EXPECT_FALSE(IsWindow(frame));
        EXPECT_EQ(nullptr, AsmWindowOfCore(0));
        const int again = OpenAsmWindow(0);
        EXPECT_GT(again, 0);
        EXPECT_TRUE(IsWindow(FrameOf(again)));
        CloseAsmWindow(0);
        PumpAll();
    }

    HWND m_pane = nullptr;
    int m_id = 0;
    unsigned m_word = 0;
};
} // namespace

TEST_F(AsmWndLifetime, TheHostClosesTheWindowWhileItAsksForMoreLines) {
    for (const Form& form : kForms) {
        SCOPED_TRACE(form.name);
        HWND frame = Open(form, 19, reinterpret_cast<void*>(&CloseInsideMoreLines));
        ASSERT_NE(nullptr, m_pane);
        Update(m_id, -1000000, kAsmWindowColumns); // the first line: the list at its start
        if (!ScrollPastTheEnd(m_pane, false))
            GTEST_SKIP() << "the display takes no injected input";
        ExpectClosedAndReopened(frame);
    }
}

TEST_F(AsmWndLifetime, TheHostClosesTheWindowInsideACommandsRequest) {
    for (const Form& form : kForms) {
        SCOPED_TRACE(form.name);
        HWND frame = Open(form, 2, reinterpret_cast<void*>(&CloseInsideRequest));
        ASSERT_NE(nullptr, m_pane);
        Lists()->SelectItem(static_cast<int>(reinterpret_cast<intptr_t>(m_pane)), 3, 1);
        SendMessageW(ListOf(m_pane), WM_COMMAND, kShowMemory, 0);
        ExpectClosedAndReopened(frame);
    }
}

TEST_F(AsmWndLifetime, TheHostClosesTheWindowWhileItPaintsALine) {
    for (const Form& form : kForms) {
        SCOPED_TRACE(form.name);
        HWND frame = Open(form, 61, reinterpret_cast<void*>(&CloseInsideColours));
        ASSERT_NE(nullptr, m_pane);
        // The colours are asked on the first paint after the host shows the window a line.
        Update(m_id, 5, kAsmWindowColumns);
        RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        ExpectClosedAndReopened(frame);
    }
}

namespace {
// The client point of the opcode cell of the disassembly list's selected row (the current
// instruction, a code line), found by the colour the focused list draws its selection in.
POINT SelectedOpcodeCell(HWND list, const ListWindowInterface* lists, int listId) {
    POINT cell{-1, -1};
    SetFocus(list);
    RedrawWindow(list, nullptr, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ScreenImage image;
    if (!image.Read(list))
        return cell;
    RECT rc{};
    GetWindowRect(list, &rc);
    POINT origin{0, 0};
    ClientToScreen(list, &origin);
    constexpr COLORREF kFocusedSelection = 0x800000;
    for (int y = rc.top; y < rc.bottom && cell.y < 0; ++y)
        for (int x = origin.x; x < origin.x + 60 && cell.y < 0; ++x)
            if (image.At(x, y) == Rgb(kFocusedSelection))
                cell.y = y - origin.y + 2;
    // The coverage column comes first.
    cell.x = lists->GetColumnWidth(listId, 0) + lists->GetColumnWidth(listId, 1) / 2;
    return cell;
}
} // namespace

TEST_F(AsmWndLifetime, TheHostClosesTheWindowAtTheEndOfAnOpcodeEdit) {
    for (const Form& form : kForms) {
        SCOPED_TRACE(form.name);
        HWND frame = Open(form, 12, reinterpret_cast<void*>(&CloseInsideItemText));
        ASSERT_NE(nullptr, m_pane);
        g_bClose = false; // not while the window shows its lines
        const uint32_t address = AsmWindowOfCore(0)->shownAddress;
        HWND list = ListOf(m_pane);
        const POINT cell =
            SelectedOpcodeCell(list, Lists(), static_cast<int>(reinterpret_cast<intptr_t>(m_pane)));
        ASSERT_GE(cell.y, 0);
        SendMessageW(list, WM_LBUTTONDBLCLK, 0, MAKELPARAM(cell.x, cell.y));
        PumpAll();
        HWND edit = FindWindowExW(list, nullptr, L"Edit", nullptr);
        ASSERT_NE(nullptr, edit) << "a double click on the opcode bytes edits them";
        SetWindowTextW(edit, L"12 34");
        g_bClose = true;
        SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
        Restore();
        PumpAll();
        EXPECT_FALSE(g_bClose) << "the hook was never called";
        EXPECT_FALSE(IsWindow(frame));
        // The edit still reached the host, which wrote the bytes and paged a new window to them.
        EXPECT_EQ(0x12, TargetMemory()[address]);
        EXPECT_EQ(0x34, TargetMemory()[address + 1]);
        const HostAsmWindow* again = AsmWindowOfCore(0);
        ASSERT_NE(nullptr, again);
        EXPECT_TRUE(IsWindow(FrameOf(again->id)));
        CloseAsmWindow(0);
        PumpAll();
    }
}
