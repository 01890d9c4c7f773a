// The test program is the host of memory windows: it serves the memory table over the simulated
// target, opens windows through the library's memory-window interface and drives them with
// messages, as a user would.
#pragma once

#include "tests/support/app_fixture.h"

#include "host/lib/host_memory.h"
#include "tests/support/window_parts.h"

class MemWndTest : public AppTest {
protected:
    void TearDown() override;

    // StartApp, then the memory-window interface bound.
    void StartMemory(HostOptions options = HostOptions());
    // 8 rows of 16 cells (8 values, 8 characters) at the program's data in bytes, hex.
    HostMemView* OpenGrid(int format = MemFormat::byte, int radix = 16, uint32_t address = 0x4000);
    static HWND Grid(const HostMemView* view) { return static_cast<HWND>(view->state->grid); }
    static HWND FrameOf(const HostMemView* view);
    // The metrics of the memory font, measured as the library measures them.
    static GridMetrics Metrics() { return MemoryGridMetrics(); }
    // Client point of character offset in a cell.
    static POINT PointIn(const MemCell* cell, int offset) { return MemoryCellPoint(cell, offset); }
    void Click(const HostMemView* view, int row, int cell, int offset = 0);
    void Key(const HostMemView* view, UINT key);
    void Char(const HostMemView* view, wchar_t ch);
    // The log lines starting with prefix since the last ClearLog.
    std::vector<std::string> Since(const std::string& prefix) const { return Lines(prefix); }
    void ClearLog() { CallLog::Get().Clear(); }
};
