// The docking frames' context-help mode: a modal loop with the help cursor that ends with the
// help topic of what the user clicked.
#pragma once

#include "framework/afx.h"

namespace sec_frame_help {

// Runs the mode for pFrame. bHelpMode marks it running (it is not entered twice); when the frame
// cannot enter it now, ID_CONTEXT_HELP is posted again once and bPending marks that.
void RunContextHelp(CFrameWnd* pFrame, BOOL& bHelpMode, BOOL& bPending);
// The help id of a hit code in the maximised child's caption area (0: the menu bar takes it).
DWORD HelpIdOfHit(LRESULT nHit);

} // namespace sec_frame_help
