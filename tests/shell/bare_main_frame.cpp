#include "tests/shell/bare_main_frame.h"

BEGIN_MESSAGE_MAP(CBareMainFrame, CMainFrame)
ON_WM_CREATE()
END_MESSAGE_MAP()
