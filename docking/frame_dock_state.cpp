// The docking frames' dock-state persistence.
#include "docking/frame_dock_state.h"

namespace sec_frame_state {

void LoadBarState(CFrameWnd* pFrame, SECControlBarManager* pManager, CObList& createdBars,
                  LPCTSTR lpszProfileName) {
    SECDockState state(pManager);
    state.SetCreatedBarsList(&createdBars);
    if (CWinApp* pApp = AfxGetApp())
        if (pApp->m_pMainWnd == nullptr)
            pApp->m_pMainWnd = pFrame;
    state.LoadState(lpszProfileName);
    state.ApplyToFrame(pFrame);
}

void SaveBarState(const CFrameWnd* pFrame, SECControlBarManager* pManager,
                  LPCTSTR lpszProfileName) {
    SECDockState state(pManager);
    if (state.CaptureFromFrame(const_cast<CFrameWnd*>(pFrame))) {
        state.DropUnsavedBars();
        state.SaveState(lpszProfileName);
    }
}

void CaptureSaved(const CFrameWnd* pFrame, SECDockState& state) {
    if (state.CaptureFromFrame(const_cast<CFrameWnd*>(pFrame)))
        state.DropUnsavedBars();
}

void CaptureSavedInto(const CFrameWnd* pFrame, SECControlBarManager* pManager, CDockState& state) {
    SECDockState captured(pManager);
    captured.CaptureFromFrame(const_cast<CFrameWnd*>(pFrame));
    captured.DropUnsavedBars();
    captured.MoveInfosTo(state);
}

void ApplyDockState(CFrameWnd* pFrame, const CDockState& state) {
    if (auto* pSEC = dynamic_cast<const SECDockState*>(&state))
        const_cast<SECDockState*>(pSEC)->ApplyToFrame(pFrame);
    else
        pFrame->CFrameWnd::SetDockState(state);
}

} // namespace sec_frame_state
