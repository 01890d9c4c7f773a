// Windows that the host closes while the library is inside them: during the refill, twice,
// while queued for a refill, from inside the window's own key handling, and drags and commands
// that arrive after the window went. Run again under Wine's heap checks.
#include "tests/memwnd/memwnd_fixture.h"

#include <functional>

namespace {

std::function<void(HostMemView*)> g_duringFill;
void* g_realFill = nullptr;
std::vector<void*> g_filled; // the windows' host objects, in the order they were filled

void __cdecl FillThenAct(void* object, int rows, int columns) {
    g_filled.push_back(object);
    HostMemView* view = FindMemoryView(object);
    MemWndState* state = view ? view->state : nullptr;
    reinterpret_cast<void(__cdecl*)(void*, int, int)>(g_realFill)(object, rows, columns);
    if (g_duringFill && state) {
        auto act = std::move(g_duringFill);
        g_duringFill = nullptr;
        act(view);
        // The host goes on adding fields to the window it closed: they must be ignored.
        MemoryWindows()->AddField(state, "late", 1, 0, 0, 0);
    }
}

class MemWndLifetime : public MemWndTest {
protected:
    void SetUp() override {
        StartMemory();
        g_realFill = HostState::Get().memory.Word(10);
        HostState::Get().memory.Word(10) = reinterpret_cast<void*>(&FillThenAct);
    }
    void TearDown() override {
        HostState::Get().memory.Word(10) = g_realFill;
        g_duringFill = nullptr;
        MemWndTest::TearDown();
    }
    int Releases() const { return static_cast<int>(Since("Mem.ReleaseHandle").size()); }
};

TEST_F(MemWndLifetime, CloseDuringTheRefill) {
    HostMemView* view = OpenGrid();
    ASSERT_NE(nullptr, view);
    HWND grid = Grid(view);
    MemWndState* state = view->state;
    g_duringFill = [](HostMemView* v) { MemoryWindows()->Close(v->state); };
    MemoryWindows()->Repaint(state, 1);
    PumpAll();
    EXPECT_FALSE(IsWindow(grid));
    EXPECT_EQ(1, Releases());
    EXPECT_EQ(0, MemoryWindows()->Repaint(state, 1)) << "the state names no window now";
}

TEST_F(MemWndLifetime, CloseTwice) {
    HostMemView* view = OpenGrid();
    ASSERT_NE(nullptr, view);
    MemWndState* state = view->state;
    EXPECT_EQ(0, MemoryWindows()->Close(state));
    EXPECT_EQ(0, MemoryWindows()->Close(state));
    PumpAll();
    EXPECT_EQ(1, Releases());
}

TEST_F(MemWndLifetime, CloseWhileQueuedForARefill) {
    HostMemView* first = OpenGrid();
    HostMemView* second = OpenGrid(MemFormat::byte, 16, 0x5000);
    ASSERT_TRUE(first && second);
    HWND secondGrid = Grid(second);
    // While the first window refills, the second asks for its refill (queued behind the running
    // loop) and is closed before the loop reaches it.
    g_duringFill = [second](HostMemView*) {
        MemoryWindows()->Repaint(second->state, 1);
        MemoryWindows()->Close(second->state);
    };
    g_filled.clear();
    MemoryWindows()->Repaint(first->state, 1);
    PumpAll();
    EXPECT_FALSE(IsWindow(secondGrid));
    EXPECT_EQ(std::count(g_filled.begin(), g_filled.end(), first), g_filled.size())
        << "the closed window was never filled";
    // The first still works.
    Click(first, 0, 1, 0);
    EXPECT_TRUE(Logged("Mem.RequestRows(16385, 1, 0)"));
}

TEST_F(MemWndLifetime, MoreWindowsWaitingThanTheQueueHoldsAreFilledLater) {
    std::vector<HostMemView*> views;
    for (int i = 0; i < 44; ++i) {
        HostMemView* view = OpenMemoryView(0x100u * i, 2, 30);
        ASSERT_NE(nullptr, view) << i;
        views.push_back(view);
    }
    PumpAll();
    // While the first refills, every other window asks for its refill: more than the queue's 40.
    g_duringFill = [&views](HostMemView*) {
        for (size_t i = 1; i < views.size(); ++i)
            MemoryWindows()->Repaint(views[i]->state, 0);
    };
    g_filled.clear();
    MemoryWindows()->Repaint(views[0]->state, 0);
    for (int i = 0; i < 5; ++i)
        PumpAll();
    for (HostMemView* view : views)
        EXPECT_NE(g_filled.end(), std::find(g_filled.begin(), g_filled.end(), view));
}

// The host's modify command closes the window from inside the window's own key handling.
void __cdecl ModifyCloses(MemWndState* state) {
    MemoryWindows()->Close(state);
}

TEST_F(MemWndLifetime, CloseFromInsideTheWindowsOwnKey) {
    HostMemView* view = OpenGrid();
    ASSERT_NE(nullptr, view);
    HWND grid = Grid(view);
    void* modify = HostState::Get().memory.Word(18);
    HostState::Get().memory.Word(18) = reinterpret_cast<void*>(&ModifyCloses);
    Click(view, 0, 0, 0);
    SendMessageW(grid, WM_KEYDOWN, VK_RETURN, 0);
    HostState::Get().memory.Word(18) = modify;
    PumpAll();
    EXPECT_FALSE(IsWindow(grid));
    EXPECT_EQ(1, Releases());
}

TEST_F(MemWndLifetime, InputAndCommandsAfterTheWindowWent) {
    HostMemView* view = OpenGrid();
    ASSERT_NE(nullptr, view);
    HWND grid = Grid(view);
    MemWndState* state = view->state;
    Click(view, 0, 2, 0);
    // A command and a drag wait in the queue when the host closes the window.
    PostMessageW(grid, WM_COMMAND, 168, 0);
    PostMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 5));
    MemoryWindows()->Close(state);
    ClearLog();
    PumpAll();
    SendMessageW(grid, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(0, MemoryWindows()->AddField(state, "x", 1, 0, 0, 0));
    EXPECT_EQ(0, MemoryWindows()->SetTitle(state, "x"));
    for (const std::string& line : Lines())
        EXPECT_NE(0u, line.rfind("Mem.", 0)) << line;
    for (const std::string& line : Lines())
        EXPECT_NE(0u, line.rfind("DD.StartDrag", 0)) << line;
}

} // namespace
