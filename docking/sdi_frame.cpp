// SECFrameWnd: the docking machinery on a single-document frame.
#include "docking/sdi_frame.h"

IMPLEMENT_DYNCREATE(SECFrameWnd, CFrameWnd)

namespace {
const UINT kSecGetMenu = SECGetMenuMessage();
}

BEGIN_MESSAGE_MAP(SECFrameWnd, CFrameWnd)
SEC_FRAME_IMPL_MESSAGES(kSecGetMenu)
END_MESSAGE_MAP()

void SECFrameWnd::OnUpdateFrameMenu(BOOL, CWnd*, HMENU) {}
