// A docking frame with a toolbar manager for the toolbar tests; it counts the commands its
// bars send.
#pragma once

#include <gtest/gtest.h>

#include "docking/dock_bar.h"
#include "docking/mini_dock_frame.h"
#include "editor/plugin/wnd_plugin.h"
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
    // Sees the frame's messages first (a menu-bar feature, say).
    corvalis::foundation::SECWndPlugIn* m_pPlugIn = nullptr;
    // The bars' button notifications (code, command id, a), in order.
    struct Notice {
        int nCode;
        UINT nID;
        LPARAM a;
        bool operator==(const Notice& o) const {
            return nCode == o.nCode && nID == o.nID && a == o.a;
        }
    };
    std::vector<Notice> m_notices;
    // Called with the popup window when a menu loop of the frame has nothing to do.
    std::function<void(HWND)> m_onMenuIdle;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    std::unique_ptr<SECToolBarManager> m_pManager;
};

// Messages that wait, then an idle pass of the frames.
void PumpToolBarMessages();

// The real mouse and keyboard (SendInput), each followed by the messages it brings.
void MoveMouseTo(CPoint screen);
void PressMouse(BOOL bDown);
// Press and release as one input, pumped afterwards (a press that starts a modal drag loop
// finds its release waiting).
void ClickMouse();
void PressKey(WORD vk);
// Pumps until done() or the timeout (ms); done()'s last answer.
bool PumpUntil(const std::function<bool()>& done, DWORD nTimeout = 1000);

// A shown frame per test, destroyed after it.
class ToolBarFrameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    CToolBarTestFrame* m_pFrame = nullptr;
};
