#include "tests/support/window_parts.h"

#include "host/lib/host_state.h"

namespace {
const int kPaneFirst = 0xE900;
}

HWND SourceSplitter(HWND frame) {
    return frame ? GetDlgItem(frame, kPaneFirst) : nullptr;
}

std::vector<HWND> SourcePanes(HWND frame) {
    std::vector<HWND> panes;
    HWND splitter = SourceSplitter(frame);
    for (int col = 0; splitter && col < 16; ++col) {
        HWND pane = GetDlgItem(splitter, kPaneFirst + col);
        if (!pane)
            break;
        panes.push_back(pane);
    }
    return panes;
}

HWND SourcePaneBody(HWND pane) {
    for (HWND child = GetWindow(pane, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        GetClassNameW(child, cls, 32);
        if (_wcsicmp(cls, L"Button") != 0)
            return child;
    }
    return nullptr;
}

GridMetrics MemoryGridMetrics() {
    HDC dc = GetDC(nullptr);
    HFONT font = static_cast<HFONT>(HostState::Get().font);
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(ANSI_FIXED_FONT));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {tm.tmHeight + tm.tmExternalLeading, tm.tmExternalLeading, tm.tmAveCharWidth,
            tm.tmAveCharWidth / 2};
}

POINT MemoryCellPoint(const MemCell* cell, int offset) {
    const GridMetrics m = MemoryGridMetrics();
    return {(cell->x + offset) * m.colPitch + m.leftMargin + m.colPitch / 2,
            cell->y * m.rowPitch + m.topMargin + m.rowPitch / 2};
}
