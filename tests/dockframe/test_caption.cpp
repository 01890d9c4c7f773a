// The frames' own caption: the stepped gradient and the caption rectangle, read back from a
// 32-bit DIB, and the painted caption on a live frame.
#include "dockframe_fixture.h"

#include "docking/frame_caption.h"
#include "tests/support/picture_canvas.h"
#include "tests/support/screenshot.h"

#include <vector>

namespace {
// What the canvas is cleared to: a pixel of it was left unpainted.
const COLORREF kMarker = RGB(1, 2, 3);
} // namespace

TEST(GradientFill, BandsChannelsAndTheUnpaintedLastRow) {
    const struct {
        const char* name;
        CRect rect;
        int steps;
        COLORREF from, to;
        std::vector<std::pair<int, COLORREF>> columns; // x, colour in row 0
    } cases[] = {
        // 240 wide in 120 steps: bands of 2, red rises by 2 a step.
        {"rising",
         {0, 0, 240, 4},
         120,
         RGB(0, 0, 0),
         RGB(240, 120, 60),
         {{0, RGB(0, 0, 0)}, {1, RGB(0, 0, 0)}, {2, RGB(2, 1, 0)}, {239, RGB(238, 119, 59)}}},
        // Narrower than the steps: a band a column, the last column near the end colour.
        {"narrow",
         {0, 0, 10, 3},
         120,
         RGB(0, 0, 0),
         RGB(100, 100, 100),
         {{0, RGB(0, 0, 0)}, {1, RGB(10, 10, 10)}, {9, RGB(90, 90, 90)}}},
        // Falling channels step down and never below the end value.
        {"falling",
         {0, 0, 4, 2},
         4,
         RGB(200, 100, 7),
         RGB(0, 50, 0),
         {{0, RGB(200, 100, 7)}, {1, RGB(150, 87, 5)}, {3, RGB(50, 62, 1)}}},
        // A width not divisible by the steps: the last band runs to the right edge.
        {"remainder",
         {0, 0, 7, 2},
         3,
         RGB(0, 0, 0),
         RGB(90, 90, 90),
         {{0, RGB(0, 0, 0)}, {2, RGB(30, 30, 30)}, {4, RGB(60, 60, 60)}, {6, RGB(60, 60, 60)}}},
    };
    for (const auto& c : cases) {
        PictureCanvas canvas(c.rect.right + 2, c.rect.bottom + 2);
        canvas.DC().FillSolidRect(0, 0, c.rect.right + 2, c.rect.bottom + 2, kMarker);
        sec_caption::GradientFill(canvas.DC().m_hDC, c.rect, c.steps, c.from, c.to);
        const Picture dib = canvas.Take();
        for (const auto& [x, colour] : c.columns)
            EXPECT_EQ(dib.At(x, 0), colour) << c.name << " x=" << x;
        // Every row but the last is painted; the last row and the column after stay.
        EXPECT_EQ(dib.At(0, c.rect.bottom - 1), kMarker) << c.name;
        EXPECT_NE(dib.At(c.rect.right - 1, c.rect.bottom - 2), kMarker) << c.name;
        EXPECT_EQ(dib.At(c.rect.right, 0), kMarker) << c.name;
    }
    // Nothing for no width or no steps.
    for (const auto& [rect, steps] :
         {std::pair<CRect, int>{{5, 0, 5, 4}, 120}, std::pair<CRect, int>{{0, 0, 8, 4}, 0}}) {
        PictureCanvas canvas(10, 6);
        canvas.DC().FillSolidRect(0, 0, 10, 6, kMarker);
        sec_caption::GradientFill(canvas.DC().m_hDC, rect, steps, RGB(255, 0, 0), RGB(0, 0, 255));
        const Picture dib = canvas.Take();
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(dib.At(x, 0), kMarker);
    }
}

TEST(CaptionRect, FromTheStyleAndTheStandardButtons) {
    const int fx = ::GetSystemMetrics(SM_CXFRAME), fy = ::GetSystemMetrics(SM_CYFRAME);
    const int bx = ::GetSystemMetrics(SM_CXBORDER), by = ::GetSystemMetrics(SM_CYBORDER);
    const int sx = ::GetSystemMetrics(SM_CXSIZE), sy = ::GetSystemMetrics(SM_CYSIZE);
    const int cx = 500;
    const struct {
        const char* name;
        DWORD style;
        BOOL win4, close;
        CRect expected;
    } cases[] = {
        {"thick frame, all buttons",
         WS_OVERLAPPEDWINDOW,
         TRUE,
         TRUE,
         {fx, fy, cx - fx - 3 * sx - bx, fy + sy}},
        {"close greyed",
         WS_OVERLAPPEDWINDOW,
         TRUE,
         FALSE,
         {fx, fy, cx - fx - 2 * sx - bx, fy + sy}},
        {"before Windows 4", WS_OVERLAPPEDWINDOW, FALSE, TRUE, {fx, fy, cx - fx, fy + sy}},
        {"thin border, close only",
         WS_CAPTION | WS_SYSMENU,
         TRUE,
         TRUE,
         {bx, by + 1, cx - bx - sx, by + 1 + sy}},
        {"boxes without a system menu count not",
         WS_CAPTION | WS_MAXIMIZEBOX | WS_MINIMIZEBOX,
         TRUE,
         FALSE,
         {bx, by + 1, cx - bx, by + 1 + sy}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sec_caption::CaptionRect(c.style, cx, c.win4, c.close), c.expected) << c.name;
}

TEST_F(FrameTest, OwnCaptionPaintsTheGradientAndFollowsActivation) {
    if (!m_pFrame->EnableOwnCaption(TRUE) && !m_pFrame->HasOwnCaption())
        GTEST_SKIP() << "visual themes draw the caption here";
    m_pFrame->SetWindowText(L"MOX - a.c");
    m_pFrame->SendMessage(WM_NCACTIVATE, TRUE);
    PumpMessages();
    const CRect caption = sec_caption::CaptionRect(m_pFrame->m_hWnd, TRUE);
    CRect window;
    m_pFrame->GetWindowRect(&window);
    HDC hdc = ::GetWindowDC(m_pFrame->m_hWnd);
    const int sx = ::GetSystemMetrics(SM_CXSIZE);
    // The gradient starts after the icon box with the active caption colour.
    const COLORREF start = ::GetPixel(hdc, caption.left + sx, caption.bottom - 1);
    const COLORREF expected = ::GetSysColor(COLOR_GRADIENTACTIVECAPTION) != 0
                                  ? ::GetSysColor(COLOR_ACTIVECAPTION)
                                  : RGB(0, 0, 0);
    EXPECT_EQ(start, expected);
    EXPECT_EQ(::GetPixel(hdc, caption.left + 1, caption.top + 1) == RGB(0, 0, 0) ||
                  ::GetPixel(hdc, caption.left, caption.top) == RGB(0, 0, 0),
              true)
        << "the icon box of an active caption is black";
    ::ReleaseDC(m_pFrame->m_hWnd, hdc);
    const CRect shot(window.left, window.top, window.right, window.top + caption.bottom + 4);
    SaveScreenPng(shot, ScreenshotPath(L"dockframe_caption.png").c_str());

    m_pFrame->SendMessage(WM_NCACTIVATE, FALSE);
    PumpMessages();
    hdc = ::GetWindowDC(m_pFrame->m_hWnd);
    const COLORREF inactive = ::GetPixel(hdc, caption.left + sx, caption.bottom - 1);
    ::ReleaseDC(m_pFrame->m_hWnd, hdc);
    EXPECT_EQ(inactive, ::GetSysColor(COLOR_INACTIVECAPTION));
    m_pFrame->EnableOwnCaption(FALSE);
}
