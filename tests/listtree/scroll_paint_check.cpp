#include "scroll_paint_check.h"

#include "tests/support/window_capture.h"

#include <string>

#include <gtest/gtest.h>

void ExpectScrollsMatchWholePaints(HWND hWnd, const std::vector<std::pair<UINT, WPARAM>>& steps) {
    ::UpdateWindow(hWnd);
    RECT rcClient;
    ::GetClientRect(hWnd, &rcClient);
    int nStep = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(nStep++);
        ::SendMessageW(hWnd, step.first, step.second, 0);
        RECT rcUpdate = {};
        if (::GetUpdateRect(hWnd, &rcUpdate, FALSE)) {
            EXPECT_LT(rcUpdate.bottom - rcUpdate.top, (rcClient.bottom - rcClient.top) / 3);
        }
        ::UpdateWindow(hWnd);
        const Picture scrolled = CaptureOnScreen(hWnd);
        // The whole paint takes the scroll bars too: they must already show the new position.
        ::RedrawWindow(hWnd, NULL, NULL,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        const Picture whole = CaptureOnScreen(hWnd);
        const int nDiffer = DifferentPixels(scrolled, whole);
        EXPECT_EQ(0, nDiffer);
        if (nDiffer != 0) { // the two pictures, to look at
            SavePng(scrolled, ScreenshotPath(
                                  (L"scroll_mismatch_scrolled_" + std::to_wstring(nStep)).c_str()));
            SavePng(whole,
                    ScreenshotPath((L"scroll_mismatch_whole_" + std::to_wstring(nStep)).c_str()));
        }
    }
}
