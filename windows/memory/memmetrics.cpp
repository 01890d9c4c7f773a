#include "windows/memory/memmetrics.h"

#include <algorithm>

#include "shell/app/appearance.h"

RECT MemMetrics::FieldRect(int x, int y, int length) const {
    const int left = x * colPitch + leftMargin;
    const int top = y * rowPitch + topMargin;
    return RECT{left, top, left + length * colPitch, top + rowPitch};
}

MemMetrics MemoryMetrics() {
    if (Appearance().memoryMetrics.tmHeight == 0)
        InitWindowFonts(); // a window made before start-up
    const TEXTMETRICW& tm = Appearance().memoryMetrics;
    MemMetrics m;
    m.rowPitch = std::max<int>(1, tm.tmHeight + tm.tmExternalLeading);
    m.topMargin = std::max<int>(0, tm.tmExternalLeading);
    m.colPitch = std::max<int>(1, tm.tmAveCharWidth);
    m.leftMargin = std::max<int>(0, tm.tmAveCharWidth / 2);
    return m;
}

HFONT MemoryFont() {
    if (HFONT font = Appearance().memoryFont)
        return font;
    return static_cast<HFONT>(::GetStockObject(ANSI_FIXED_FONT));
}

HFONT MemoryTitleFont() {
    return static_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT));
}
