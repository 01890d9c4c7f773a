// SECFrameWnd: a single-document frame with the docking machinery: dock bars of the library's
// own kind, sized docking, floating frames, a bar manager, dock-state persistence, a menu
// plug-in, its own caption when asked for. It is the base of the document frame that docks.
#pragma once

#include "docking/frame_impl.h"

class SECFrameWnd : public SECFrameImpl<CFrameWnd> {
    DECLARE_DYNCREATE(SECFrameWnd)
public:
    // A single-document frame keeps its menu as it is when its main window's menu changes.
    virtual void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt);
    using CFrameWnd::OnUpdateFrameMenu;

    DECLARE_MESSAGE_MAP()
};
