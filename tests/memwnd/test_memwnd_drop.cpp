// The grid as a drop target: the events OLE delivers reach the service as "MemWnd" with the
// area under the point as the target type, and nothing outside the rows.
#include "tests/memwnd/memwnd_fixture.h"

#include <ole2.h>

namespace {

// The drop target OLE keeps for a registered window (the system's own window property).
IDropTarget* DropTargetOf(HWND hWnd) {
    return static_cast<IDropTarget*>(GetPropW(hWnd, L"OleDropTargetInterface"));
}

POINTL ScreenPoint(HWND grid, int x, int y) {
    POINT p{x, y};
    ClientToScreen(grid, &p);
    return {p.x, p.y};
}

TEST_F(MemWndTest, DropEventsNameTheAreaUnderThePoint) {
    StartMemory();
    HostMemView* view = OpenGrid();
    ASSERT_NE(nullptr, view);
    IDropTarget* target = DropTargetOf(Grid(view));
    if (target == nullptr)
        GTEST_SKIP() << "this system keeps drop targets elsewhere";
    const GridMetrics m = Metrics();
    const std::string id = std::to_string(static_cast<int>(reinterpret_cast<intptr_t>(view)));
    const POINT value = PointIn(view->state->cells[1][2], 0);
    const POINTL onValue = ScreenPoint(Grid(view), value.x, value.y);
    const POINTL onAddress = ScreenPoint(Grid(view), m.leftMargin + m.colPitch, value.y);
    IDataObject* data = nullptr; // any data: the service decides from the drag's properties
    ASSERT_EQ(S_OK, OleGetClipboard(&data));
    ClearLog();
    DWORD effect = DROPEFFECT_COPY;
    target->DragEnter(data, MK_LBUTTON, onValue, &effect);
    target->DragOver(MK_LBUTTON, onAddress, &effect);
    target->DragLeave();
    {
        TakeEveryDrag take;
        target->DragEnter(data, MK_LBUTTON, onAddress, &effect);
        effect = DROPEFFECT_COPY;
        target->Drop(data, 0, onValue, &effect);
    }
    const std::vector<std::string> expected = {
        "DD.DragEnter(\"MemWnd\", " + id + ", \"MemWndValue\", 1)",
        "DD.DragOver(\"MemWnd\", " + id + ", \"MemWndAddress\", 1)",
        "DD.DragLeave(\"MemWnd\", " + id + ")",
        "DD.DragEnter(\"MemWnd\", " + id + ", \"MemWndAddress\", 1)",
        "DD.DragOver(\"MemWnd\", " + id + ", \"MemWndValue\", 0)",
        "DD.Drop(\"MemWnd\", " + id + ", \"MemWndValue\")",
        "DD.DragLeave(\"MemWnd\", " + id + ")", // the stand-in service took nothing
    };
    EXPECT_EQ(expected, Since("DD."));
    // The margins left of the first column and above the first line belong to them.
    ClearLog();
    effect = DROPEFFECT_COPY;
    target->DragEnter(data, MK_LBUTTON, ScreenPoint(Grid(view), 0, 0), &effect);
    target->DragLeave();
    EXPECT_EQ(
        (std::vector<std::string>{"DD.DragEnter(\"MemWnd\", " + id + ", \"MemWndAddress\", 1)",
                                  "DD.DragLeave(\"MemWnd\", " + id + ")"}),
        Since("DD."));
    // Near the end of memory the host fills two rows: the lines below them hit nothing.
    view->top = kTargetMemorySize - 16;
    MemoryWindows()->Repaint(view->state, 1);
    const POINTL below = ScreenPoint(Grid(view), value.x, value.y + 3 * m.rowPitch);
    ClearLog();
    effect = DROPEFFECT_COPY;
    target->DragEnter(data, MK_LBUTTON, below, &effect);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), effect);
    EXPECT_TRUE(Since("DD.Drag").empty()) << "nothing outside the rows";
    target->DragLeave();
    data->Release();
}

TEST_F(MemWndTest, WithoutTheServiceTheGridIsNoDropTargetAndDragsNothing) {
    HostOptions options;
    options.nullService = true;
    StartMemory(options);
    HostMemView* view = OpenGrid();
    ASSERT_NE(nullptr, view);
    EXPECT_EQ(nullptr, DropTargetOf(Grid(view)));
    ClearLog();
    Click(view, 0, 1, 0);
    EXPECT_TRUE(Since("DD.").empty());
    EXPECT_TRUE(Logged("Mem.RequestRows(16385, 1, 0)"));
}

} // namespace
