// A docking frame with a toolbar manager for the toolbar tests; it counts the commands its
// bars send.
#pragma once

#include <gtest/gtest.h>

#include "docking/dock_bar.h"
#include "docking/mini_dock_frame.h"
#include "framework/afx.h"
#include "toolbars/toolbar_manager.h"

#include <functional>
#include <memory>
#include <vector>

class CToolBarTestFrame : public CFrameWnd {
public:
    CToolBarTestFrame();
    ~CToolBarTestFrame() override;
    BOOL Open(int cx = 640, int cy = 400);
    SECToolBarManager& Manager() { return *m_pManager; }

    std::vector<UINT> m_commands;
    // Run inside the command, before it is counted.
    std::function<void(UINT)> m_onCommand;
    // Commands with an update handler that disables them.
    UINT m_nDisabledID = 0;

protected:
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    std::unique_ptr<SECToolBarManager> m_pManager;
};

// Messages that wait, then an idle pass of the frames.
void PumpToolBarMessages();

// A shown frame per test, destroyed after it.
class ToolBarFrameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    CToolBarTestFrame* m_pFrame = nullptr;
};
