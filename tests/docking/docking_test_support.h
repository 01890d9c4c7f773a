// The docking tests' application, frame and bars, and the idle pump they measure after.
#pragma once

#include "tests/support/message_pump.h"

#include "docking/control_bar.h"
#include "docking/dock_bar.h"
#include "docking/dock_context.h"
#include "docking/mini_dock_frame.h"
#include "framework/afx.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

// Readable rectangles and sizes in failures.
inline void PrintTo(const CRect& r, std::ostream* os) {
    *os << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}
inline void PrintTo(const CSize& s, std::ostream* os) {
    *os << s.cx << "x" << s.cy;
}

// A frame whose dock bars and floating frames are the docking library's.
class CDockTestFrame : public CFrameWnd {
public:
    CDockTestFrame();
    // Shown at (x, y) with a client of cx × cy; docking on every side.
    BOOL Open(int cx = 640, int cy = 480);
    SECDockBar* DockBar(UINT nID);
};

// A sizable bar that counts the moves it is given.
class CTestBar : public SECControlBar {
public:
    BOOL Make(CFrameWnd* pFrame, UINT nID, LPCTSTR lpszName, DWORD dwExStyle = 0,
              DWORD dwStyle = WS_VISIBLE | CBRS_TOP);
    CRect RectInParent() const;
    int m_nPosChanged = 0;
    static std::map<HWND, int> s_moves;

protected:
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    DECLARE_MESSAGE_MAP()
};

// One idle pass of the application, after the waiting messages.
// Hides every shown top-level window of the thread (see TearDown).
void HideThreadWindows();
// Posts a mouse message to hWnd for a point given in screen coordinates.
void PostMouse(HWND hWnd, UINT message, CPoint ptScreen, WPARAM wParam = 0);

// A fresh shown frame for each test, hidden and destroyed after it.
class DockingTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    CDockTestFrame* m_pFrame = nullptr;
};
