#include "shell/frame/window_update.h"

#include "shell/app/lifecycle.h"
#include "shell/frame/mainframe.h"

namespace {
uint32_t g_mask = kUpdateAssembler | kUpdateSource;
} // namespace

uint32_t WindowUpdateMask() {
    return g_mask;
}

uint32_t SetWindowUpdate(uint32_t bits, bool on) {
    const uint32_t before = g_mask;
    g_mask = on ? (g_mask | bits) : (g_mask & ~bits);
    if (bits & kUpdateAssembler)
        if (CMainFrame* pFrame = ActiveFrame())
            pFrame->EnableWindowUpdate(on ? TRUE : FALSE);
    return before;
}
