#include "listtree/list_ctrl.h"

IMPLEMENT_DYNAMIC(SECListCtrl, CWnd)

SECListCtrl::SECListCtrl() = default;
SECListCtrl::~SECListCtrl() = default;

BEGIN_MESSAGE_MAP(SECListCtrl, CWnd)
SEC_LIST_MESSAGE_ENTRIES()
END_MESSAGE_MAP()
