// Drags through the system's own drag loop, driven by the real mouse: the button pressed in a
// selection, the pointer moved to another view (or elsewhere in the same one) and released.
#include "editorctl_support.h"

#include "editor/edit_controller.h"

#include <gtest/gtest.h>

#include <ole2.h>

#include <vector>

namespace {

using namespace ectest;

INPUT MouseInput(DWORD flags, POINT screen = {0, 0}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
        input.mi.dx = (screen.x * 65535 + cx / 2) / (cx - 1);
        input.mi.dy = (screen.y * 65535 + cy / 2) / (cy - 1);
    }
    return input;
}

INPUT KeyInput(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

void PumpFor(DWORD ms) {
    const DWORD start = ::GetTickCount();
    do {
        PumpTranslated();
        ::Sleep(5);
    } while (::GetTickCount() - start < ms);
}

POINT ScreenOf(HWND window, CPoint client) {
    POINT p = client;
    ::ClientToScreen(window, &p);
    return p;
}

// A drag that never ends would hang the test: after a few seconds Escape and a release end
// it, from inside the loop.
UINT_PTR g_watchdog = 0;
bool g_watchdogFired = false;
void CALLBACK EndStuckDrag(HWND, UINT, UINT_PTR, DWORD) {
    ::KillTimer(nullptr, g_watchdog);
    g_watchdog = 0;
    g_watchdogFired = true;
    INPUT inputs[3] = {KeyInput(VK_ESCAPE, false), KeyInput(VK_ESCAPE, true),
                       MouseInput(MOUSEEVENTF_LEFTUP)};
    ::SendInput(3, inputs, sizeof(INPUT));
}

// A drag held where it is: the release comes later, from inside the loop.
UINT_PTR g_release = 0;
void CALLBACK ReleaseHeldDrag(HWND, UINT, UINT_PTR, DWORD) {
    ::KillTimer(nullptr, g_release);
    g_release = 0;
    INPUT up = MouseInput(MOUSEEVENTF_LEFTUP);
    ::SendInput(1, &up, sizeof(INPUT));
}

// A window closed from inside the loop, as a drop target's handler might.
HWND g_closing = NULL;
UINT_PTR g_close = 0;
void CALLBACK CloseSource(HWND, UINT, UINT_PTR, DWORD) {
    ::KillTimer(nullptr, g_close);
    g_close = 0;
    ::DestroyWindow(g_closing);
}

class DragLoop : public ::testing::Test {
protected:
    void SetUp() override { ::OleInitialize(nullptr); }
    void TearDown() override {
        if (g_close)
            ::KillTimer(nullptr, g_close);
        g_close = 0;
        if (g_release)
            ::KillTimer(nullptr, g_release);
        g_release = 0;
        if (g_watchdog)
            ::KillTimer(nullptr, g_watchdog);
        g_watchdog = 0;
        ::OleUninitialize();
    }

    // Presses the button at `from`, moves in steps to `to` and releases there, every event
    // queued before the press reaches the window, so the drag loop reads them all; or, with
    // `holdMs`, releases that long after the press.
    static void Drag(HWND fromWindow, CPoint from, HWND toWindow, CPoint to, bool ctrl, bool escape,
                     UINT holdMs = 0) {
        const POINT a = ScreenOf(fromWindow, from), b = ScreenOf(toWindow, to);
        INPUT start = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, a);
        ::SendInput(1, &start, sizeof(INPUT));
        PumpFor(50);
        std::vector<INPUT> inputs;
        if (ctrl)
            inputs.push_back(KeyInput(VK_CONTROL, false));
        inputs.push_back(MouseInput(MOUSEEVENTF_LEFTDOWN));
        constexpr int kSteps = 6;
        for (int i = 1; i <= kSteps; ++i) {
            const POINT p{a.x + (b.x - a.x) * i / kSteps, a.y + (b.y - a.y) * i / kSteps};
            inputs.push_back(MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, p));
            if (escape && i == kSteps - 1) {
                inputs.push_back(KeyInput(VK_ESCAPE, false));
                inputs.push_back(KeyInput(VK_ESCAPE, true));
            }
        }
        if (holdMs)
            g_release = ::SetTimer(nullptr, 0, holdMs, &ReleaseHeldDrag);
        else
            inputs.push_back(MouseInput(MOUSEEVENTF_LEFTUP));
        if (ctrl)
            inputs.push_back(KeyInput(VK_CONTROL, true));
        g_watchdogFired = false;
        g_watchdog = ::SetTimer(nullptr, 0, 5000, &EndStuckDrag);
        ::SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
        PumpFor(200);
        if (g_watchdog)
            ::KillTimer(nullptr, g_watchdog);
        g_watchdog = 0;
        EXPECT_FALSE(g_watchdogFired) << "the drag loop did not end by itself";
    }
};

// One drag: text of the source view and of the target (empty: the source itself), the
// selection dragged, where the press and the release happen, and what each text becomes with
// its undo steps.
struct DragCase {
    const char* name;
    const wchar_t* source;
    const wchar_t* target; // null: a drag inside the source view
    SECEditRange selected;
    SECEditPosition press, release;
    bool ctrl, readOnlyTarget, escape;
    const wchar_t* sourceAfter;
    const wchar_t* targetAfter;
    int sourceUndo, targetUndo;
};

const DragCase kDrags[] = {
    {"move to another view",
     L"hello world",
     L"abc",
     {0, 6, 0, 11},
     {0, 8},
     {0, 1},
     false,
     false,
     false,
     L"hello ",
     L"aworldbc",
     1,
     1},
    {"copy with Ctrl",
     L"hello world",
     L"abc",
     {0, 0, 0, 5},
     {0, 2},
     {0, 3},
     true,
     false,
     false,
     L"hello world",
     L"abchello",
     0,
     1},
    {"onto a read-only view",
     L"hello world",
     L"abc",
     {0, 0, 0, 5},
     {0, 2},
     {0, 1},
     false,
     true,
     false,
     L"hello world",
     L"abc",
     0,
     0},
    {"cancelled by Escape",
     L"hello world",
     L"abc",
     {0, 0, 0, 5},
     {0, 2},
     {0, 1},
     false,
     false,
     true,
     L"hello world",
     L"abc",
     0,
     0},
    {"move inside one view",
     L"one two three",
     nullptr,
     {0, 0, 0, 4},
     {0, 1},
     {0, 8},
     false,
     false,
     false,
     L"two one three",
     nullptr,
     1,
     0},
    {"move down a line inside one view",
     L"first\nsecond\nthird",
     nullptr,
     {0, 0, 1, 0},
     {0, 2},
     {2, 0},
     false,
     false,
     false,
     L"second\nfirst\nthird",
     nullptr,
     1,
     0},
    {"into the dragged text",
     L"one two three",
     nullptr,
     {0, 4, 0, 7},
     {0, 5},
     {0, 6},
     false,
     false,
     false,
     L"one two three",
     nullptr,
     0,
     0},
};

TEST_F(DragLoop, DragsThroughTheSystemLoop) {
    for (const DragCase& c : kDrags) {
        SCOPED_TRACE(c.name);
        Editor a, b;
        ::SetWindowPos(b.Frame().m_hWnd, nullptr, 520, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        a.Load(c.source);
        b.Load(c.target ? c.target : L"");
        b.Model().SetReadOnly(c.readOnlyTarget);
        Editor& to = c.target ? b : a;
        a.Controller().SetSelection(c.selected, SECEditSelection::modeStream);
        PumpTranslated();
        const CString dragged = a.Controller().GetSelectedText();
        Drag(a.Window(), a.CellPoint(c.press.m_line, c.press.m_column), to.Window(),
             to.PointOf(c.release.m_line, c.release.m_column) + CPoint(1, 2), c.ctrl, c.escape);
        EXPECT_EQ(Text(a.Model()), c.sourceAfter);
        EXPECT_EQ(a.Model().GetUndoCount(), c.sourceUndo);
        if (c.target) {
            EXPECT_EQ(Text(b.Model()), c.targetAfter);
            EXPECT_EQ(b.Model().GetUndoCount(), c.targetUndo);
        }
        const bool dropped = c.sourceUndo + c.targetUndo > 0;
        if (dropped) {
            EXPECT_EQ(to.Controller().GetSelectedText(), dragged) << "the dropped text selected";
        } else {
            EXPECT_FALSE(a.Controller().HasSelection());
            EXPECT_EQ(a.Caret(), c.press) << "the caret where the drag began";
        }
        EXPECT_EQ(a.Model().GetDragSource(), nullptr) << "the marker lasts only for the drag";
        EXPECT_EQ(::GetCapture(), HWND(NULL));
        // Whatever changed goes back in one step each.
        if (c.sourceUndo)
            a.Model().Undo();
        if (c.target && c.targetUndo)
            b.Model().Undo();
        EXPECT_EQ(Text(a.Model()), c.source);
        if (c.target) {
            EXPECT_EQ(Text(b.Model()), c.target);
        }
    }
}

TEST_F(DragLoop, HeldAtTheTargetsBottomEdgeItScrollsAndDropsBelow) {
    Editor a, b;
    ::SetWindowPos(b.Frame().m_hWnd, nullptr, 520, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    a.Load(L"word");
    std::wstring lines;
    for (int i = 0; i < 200; ++i)
        lines += L"line\n";
    b.Load(lines.c_str());
    const int lastVisible = b.Controller().GetLastVisibleLine();
    a.Controller().SetSelection(SECEditRange(0, 0, 0, 4), SECEditSelection::modeStream);
    PumpTranslated();
    CRect client;
    ::GetClientRect(b.Window(), &client);
    const CPoint edge(b.TextLeft() + 2 * b.CharWidth(), client.bottom - 3);
    Drag(a.Window(), a.CellPoint(0, 1), b.Window(), edge, false, false, 1200);
    EXPECT_GT(b.Controller().GetFirstVisibleLine(), 0) << "the view scrolled while held";
    SECEditRange dropped;
    ASSERT_TRUE(b.Controller().GetSelection(dropped, FALSE));
    EXPECT_GT(dropped.m_start.m_line, lastVisible) << "dropped on a line scrolled into view";
    EXPECT_EQ(b.Controller().GetSelectedText(), CString(L"word"));
    EXPECT_EQ(Text(a.Model()), L"");
}

// What the target showed halfway through a held drag.
struct MidDrag {
    SECEditController* target = nullptr;
    bool caret = false;
    POINT caretAt{-1, -1};
    SECEditPosition position;
};
MidDrag g_mid;
UINT_PTR g_look = 0;
void CALLBACK LookAtTarget(HWND, UINT, UINT_PTR, DWORD) {
    ::KillTimer(nullptr, g_look);
    g_look = 0;
    g_mid.caret = g_mid.target->HasCaret() != FALSE;
    ::GetCaretPos(&g_mid.caretAt);
    g_mid.position = g_mid.target->GetCaretPosition();
}

TEST_F(DragLoop, WhileHeldOverAViewItsCaretFollowsThePointer) {
    Editor a, b;
    ::SetWindowPos(b.Frame().m_hWnd, nullptr, 520, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    a.Load(L"word");
    b.Load(L"one two\nthree four");
    a.Controller().SetSelection(SECEditRange(0, 0, 0, 4), SECEditSelection::modeStream);
    PumpTranslated();
    g_mid = MidDrag();
    g_mid.target = &b.Controller();
    g_look = ::SetTimer(nullptr, 0, 300, &LookAtTarget);
    Drag(a.Window(), a.CellPoint(0, 1), b.Window(), b.PointOf(1, 6) + CPoint(1, 2), false, false,
         600);
    if (g_look)
        ::KillTimer(nullptr, g_look);
    g_look = 0;
    EXPECT_TRUE(g_mid.caret) << "the drop caret shows where the text would go";
    EXPECT_EQ(g_mid.position, SECEditPosition(1, 6));
    const CPoint cell = b.PointOf(1, 6);
    EXPECT_EQ(CPoint(g_mid.caretAt), CPoint(cell.x - 1, cell.y)) << "a pixel left of the cell";
    EXPECT_EQ(Text(b.Model()), L"one two\nthree wordfour");
    EXPECT_EQ(Text(a.Model()), L"");
}

// A source view that its window's end deletes, as a view in a frame is.
class ClosingCtrl : public SECEditCtrl {
protected:
    void PostNcDestroy() override { delete this; }
};

using DragLoopLifetime = DragLoop;

// The source view closes while its text is dragged over another view of the same text: the
// drop must not call on the view that is gone, and the text is not lost.
TEST_F(DragLoopLifetime, TheSourceViewClosedDuringTheDrag) {
    Editor b;
    ::SetWindowPos(b.Frame().m_hWnd, nullptr, 520, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    b.Load(L"hello world");
    CWnd frame;
    frame.CreateEx(0, nullptr, L"source", WS_POPUP | WS_VISIBLE, 0, 0, 480, 240, nullptr, nullptr);
    auto* a = new ClosingCtrl;
    ASSERT_TRUE(
        a->Create(nullptr, L"SECEdit", WS_CHILD | WS_VISIBLE, CRect(0, 0, 480, 240), &frame, 100));
    a->SetModel(&b.Model(), FALSE);
    SECEditController& source = *a->GetEditController();
    source.SetSelection(SECEditRange(0, 6, 0, 11), SECEditSelection::modeStream);
    PumpTranslated();
    CPoint press;
    source.PointFromPosition(press, SECEditPosition(0, 8));
    press += CPoint(1, a->GetLineHeight() / 2) - a->GetLogOrigin();
    g_closing = a->m_hWnd;
    g_close = ::SetTimer(nullptr, 0, 300, &CloseSource);
    Drag(g_closing, press, b.Window(), b.PointOf(0, 1) + CPoint(1, 2), false, false, 800);
    EXPECT_FALSE(::IsWindow(g_closing));
    EXPECT_EQ(Text(b.Model()), L"hworldello world") << "dropped as a copy: the source is gone";
    EXPECT_EQ(b.Model().GetDragSource(), nullptr);
    frame.DestroyWindow();
}

} // namespace
