// The docking layout as the main frame loads it: the records of host toolbars and of the user
// toolbar stay out, because those bars do not exist until the host (or the frame) makes them;
// they find their places through the titled toolbar state.
#pragma once

#include "docking/dock_state.h"

class CTBSECState : public SECDockState {
public:
    CTBSECState(SECControlBarManager* pManager, CFrameWnd* pFrame)
        : SECDockState(pManager), m_pFrame(pFrame) {}
    void LoadState(LPCTSTR lpszProfileName) override;

    // Whether a loaded record is left out (the drop rules, for the records' ids and form).
    static bool IsDropped(const CControlBarInfo& info);

private:
    CFrameWnd* m_pFrame;
};
