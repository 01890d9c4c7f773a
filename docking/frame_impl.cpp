// The docking frame's one implementation, instantiated for the two frame bases.
#include "docking/frame_impl.h"

#include "docking/impl/frame_docking.h"
#include "docking/impl/frame_menus.h"

UINT SECGetMenuMessage() {
    static const UINT s_nMsg = ::RegisterWindowMessageW(SEC_WM_GETMENU_NAME);
    return s_nMsg;
}

template class SECFrameImpl<CFrameWnd>;
template class SECFrameImpl<CMDIFrameWnd>;
