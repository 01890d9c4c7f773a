// The docking-frame tests' application, main frame and bars.
#pragma once

#include "tests/support/message_pump.h"

#include "docking/control_bar.h"
#include "docking/dock_bar.h"
#include "docking/dock_state.h"
#include "docking/mdi_frame.h"
#include "docking/mini_dock_frame.h"
#include "docking/sdi_frame.h"
#include "dockframe_ids.h"
#include "framework/afx.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

inline void PrintTo(const CRect& r, std::ostream* os) {
    *os << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}

// The tests' profile lives in the registry below this key; each test starts without it.
extern const wchar_t kTestRegistryKey[];
void ClearTestProfile();
// The help requests the application got (help id, command).
std::vector<std::pair<DWORD_PTR, UINT>>& HelpCalls();

// A sizable bar of the tests, creatable by its class name.
class CFrameTestBar : public SECControlBar {
    DECLARE_DYNCREATE(CFrameTestBar)
public:
    BOOL Make(CFrameWnd* pFrame, UINT nID, LPCTSTR lpszName, DWORD dwStyle = WS_VISIBLE | CBRS_TOP,
              DWORD dwExStyle = CBRS_EX_ALLOW_MDI_FLOAT);
};

// The main frame of the tests: shown, docking on every side.
class CTestMainFrame : public SECMDIFrameWnd {
    DECLARE_DYNCREATE(CTestMainFrame)
public:
    BOOL Open(int cx = 800, int cy = 600);
    SECDockBar* DockBar(UINT nID) { return DYNAMIC_DOWNCAST(SECDockBar, GetControlBar(nID)); }
    // The ring index, for tests of the docking-position rotation.
    UINT RingSize() const { return (UINT)m_dockRing.size(); }
};

void HideThreadWindows();
// Hides and destroys a top-level frame (a shown one under Xvfb without a window manager waits
// for a withdrawal that never comes).
void CloseFrame(CFrameWnd* pFrame);

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    CTestMainFrame* m_pFrame = nullptr;
};
