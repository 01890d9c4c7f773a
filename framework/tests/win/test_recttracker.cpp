#include <gtest/gtest.h>

#include "framework/win/recttracker.h"
#include "test_support.h"

namespace {

const UINT WM_TAKE_CAPTURE = WM_APP + 40;

// Gives the mouse to the window a WM_TAKE_CAPTURE is posted to, as it is taken off the queue.
LRESULT CALLBACK TakeCaptureHook(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_TAKE_CAPTURE)
        ::SetCapture(msg->hwnd);
    return ::CallNextHookEx(NULL, code, wParam, lParam);
}

// A shown window at a known place; its tracker moves are fed as posted mouse messages, which
// the move loop reads before any real input.
class RectTrackerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateTopLevel(m_wnd, L"tracker"));
        m_wnd.SetWindowPos(NULL, 100, 100, 300, 200, SWP_NOZORDER | SWP_SHOWWINDOW);
        ASSERT_TRUE(CreateTopLevel(m_other, L"other"));
        PumpPending();
    }
    void TearDown() override {
        if (::GetCapture() != NULL)
            ::ReleaseCapture();
        m_wnd.DestroyWindow();
        m_other.DestroyWindow();
    }
    void Post(UINT message, WPARAM wParam, int x, int y) {
        ::PostMessageW(m_wnd.m_hWnd, message, wParam, MAKELPARAM(x, y));
    }
    CWnd m_wnd;
    CWnd m_other;
};

TEST_F(RectTrackerTest, MovesTheWholeRectangleAndEndsOnRelease) {
    CRectTracker tracker(CRect(10, 10, 50, 30), CRectTracker::resizeInside);
    Post(WM_MOUSEMOVE, MK_LBUTTON, 25, 20);
    Post(WM_MOUSEMOVE, MK_LBUTTON, 40, 35);
    Post(WM_LBUTTONUP, 0, 45, 40);
    EXPECT_TRUE(tracker.Track(&m_wnd, CPoint(20, 15)));
    EXPECT_EQ(CRect(35, 35, 75, 55), tracker.m_rect);
    EXPECT_EQ(NULL, ::GetCapture());
}

TEST_F(RectTrackerTest, CancelsKeepTheRectangle) {
    struct {
        const char* name;
        UINT message;
        WPARAM wParam;
    } cancels[] = {
        {"escape", WM_KEYDOWN, VK_ESCAPE},
        {"right button", WM_RBUTTONDOWN, MK_RBUTTON},
    };
    for (const auto& c : cancels) {
        CRectTracker tracker(CRect(10, 10, 50, 30), CRectTracker::resizeInside);
        Post(WM_MOUSEMOVE, MK_LBUTTON, 60, 60);
        ::PostMessageW(m_wnd.m_hWnd, c.message, c.wParam, 0);
        Post(WM_LBUTTONUP, 0, 60, 60); // never reached: the loop has ended
        EXPECT_FALSE(tracker.Track(&m_wnd, CPoint(20, 15))) << c.name;
        EXPECT_EQ(CRect(10, 10, 50, 30), tracker.m_rect) << c.name;
        EXPECT_EQ(NULL, ::GetCapture()) << c.name;
        MSG msg;
        EXPECT_TRUE(::PeekMessageW(&msg, m_wnd.m_hWnd, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE));
    }
}

TEST_F(RectTrackerTest, LostCaptureCancels) {
    CRectTracker tracker(CRect(10, 10, 50, 30), CRectTracker::resizeInside);
    Post(WM_MOUSEMOVE, MK_LBUTTON, 60, 60);
    // Another window of the thread takes the mouse while the loop runs.
    ::PostMessageW(m_other.m_hWnd, WM_TAKE_CAPTURE, 0, 0);
    Post(WM_MOUSEMOVE, MK_LBUTTON, 70, 70);
    Post(WM_LBUTTONUP, 0, 70, 70);
    MSG msg;
    HHOOK hook = ::SetWindowsHookExW(WH_GETMESSAGE, &TakeCaptureHook, NULL, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    const BOOL result = tracker.Track(&m_wnd, CPoint(20, 15));
    ::UnhookWindowsHookEx(hook);
    EXPECT_FALSE(result);
    EXPECT_EQ(CRect(10, 10, 50, 30), tracker.m_rect);
    EXPECT_EQ(m_other.m_hWnd, ::GetCapture());
    EXPECT_TRUE(::PeekMessageW(&msg, m_wnd.m_hWnd, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE));
}

TEST_F(RectTrackerTest, NeverStartsWhileAnotherWindowHoldsTheMouse) {
    ::SetCapture(m_other.m_hWnd);
    CRectTracker tracker(CRect(10, 10, 50, 30), CRectTracker::resizeInside);
    Post(WM_LBUTTONUP, 0, 60, 60);
    EXPECT_FALSE(tracker.Track(&m_wnd, CPoint(20, 15)));
    EXPECT_EQ(m_other.m_hWnd, ::GetCapture());
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, m_wnd.m_hWnd, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE));
}

TEST_F(RectTrackerTest, PointerStaysOnTheDesktop) {
    CRect desktop;
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    CPoint origin(0, 0);
    ::ClientToScreen(m_wnd.m_hWnd, &origin);
    CRectTracker tracker(CRect(10, 10, 50, 30), CRectTracker::resizeInside);
    // Far right and below the screen, then far left and above it.
    Post(WM_MOUSEMOVE, MK_LBUTTON, 30000, 30000);
    Post(WM_LBUTTONUP, 0, 30000, 30000);
    EXPECT_TRUE(tracker.Track(&m_wnd, CPoint(20, 15)));
    const CPoint lastPoint(desktop.right - 1 - origin.x, desktop.bottom - 1 - origin.y);
    EXPECT_EQ(CRect(10, 10, 50, 30) + CPoint(lastPoint.x - 20, lastPoint.y - 15), tracker.m_rect);

    CRectTracker back(CRect(10, 10, 50, 30), CRectTracker::resizeInside);
    Post(WM_LBUTTONUP, 0, -30000, -30000);
    EXPECT_TRUE(back.Track(&m_wnd, CPoint(20, 15)));
    const CPoint firstPoint(desktop.left - origin.x, desktop.top - origin.y);
    EXPECT_EQ(CRect(10, 10, 50, 30) + CPoint(firstPoint.x - 20, firstPoint.y - 15), back.m_rect);
}

TEST_F(RectTrackerTest, QuitEndsTheMoveAndReachesTheOuterLoop) {
    CRectTracker tracker(CRect(10, 10, 50, 30), CRectTracker::resizeInside);
    Post(WM_MOUSEMOVE, MK_LBUTTON, 60, 60);
    ::PostQuitMessage(9);
    EXPECT_FALSE(tracker.Track(&m_wnd, CPoint(20, 15)));
    EXPECT_EQ(CRect(10, 10, 50, 30), tracker.m_rect);
    EXPECT_EQ(NULL, ::GetCapture());
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(9u, msg.wParam);
}

} // namespace
