// The docking frames' dock-state persistence: what both the single- and the multi-document
// frame do when their layout is loaded, saved, captured or applied.
#pragma once

#include "docking/dock_state.h"
#include "framework/afx.h"

class SECControlBarManager;

namespace sec_frame_state {

// Reads the layout saved under lpszProfileName and applies it to pFrame; the bars it has to
// make go to createdBars (the frame owns them). A frame loading its layout with no main window
// set becomes the main window first, so the bars it makes find their home.
void LoadBarState(CFrameWnd* pFrame, SECControlBarManager* pManager, CObList& createdBars,
                  LPCTSTR lpszProfileName);
// Writes pFrame's layout under lpszProfileName; nothing when it cannot be captured.
void SaveBarState(const CFrameWnd* pFrame, SECControlBarManager* pManager, LPCTSTR lpszProfileName);
// Exactly the bars SaveBarState saves, in its order, whoever asks.
void CaptureSaved(const CFrameWnd* pFrame, SECDockState& state);
// The same for a state of the framework's own form.
void CaptureSavedInto(const CFrameWnd* pFrame, SECControlBarManager* pManager, CDockState& state);
// A state of the library's kind is applied as the library's; another goes to the framework.
void ApplyDockState(CFrameWnd* pFrame, const CDockState& state);

// Whatever form the caller keeps, it holds exactly the bars SaveBarState saves; a state of the
// library's kind goes through the frame's own (overridable) capture.
template <class Frame>
void GetDockState(const Frame& frame, SECControlBarManager* pManager, CDockState& state) {
    if (auto* pSEC = dynamic_cast<SECDockState*>(&state))
        frame.GetDockState(*pSEC);
    else
        CaptureSavedInto(&frame, pManager, state);
}

} // namespace sec_frame_state
