#include "tests/memwnd/memwnd_fixture.h"

void MemWndTest::TearDown() {
    MemoryViews().clear();
    ResetTargetMemory();
    AppTest::TearDown();
}

void MemWndTest::StartMemory(HostOptions options) {
    Start(options);
    ASSERT_NE(nullptr, ConnectMemoryWindows(m_module));
}

HostMemView* MemWndTest::OpenGrid(int format, int radix, uint32_t address) {
    HostMemView* view = OpenMemoryView(address, 8, 44, format, radix);
    if (view != nullptr)
        PumpAll();
    return view;
}

HWND MemWndTest::FrameOf(const HostMemView* view) {
    return GetParent(GetParent(static_cast<HWND>(view->state->memWnd)));
}

void MemWndTest::Click(const HostMemView* view, int row, int cell, int offset) {
    const MemCell* c = view->state->cells[row][cell];
    ASSERT_NE(nullptr, c);
    const POINT p = PointIn(c, offset);
    SendMessageW(Grid(view), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageW(Grid(view), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    PumpAll();
}

void MemWndTest::Key(const HostMemView* view, UINT key) {
    SendMessageW(Grid(view), WM_KEYDOWN, key, 0);
    PumpAll();
}

void MemWndTest::Char(const HostMemView* view, wchar_t ch) {
    SendMessageW(Grid(view), WM_CHAR, ch, 0);
    PumpAll();
}
