#include "listtree/tree_view.h"

namespace {
const UINT g_nViewEndLabelEditMessage =
    ::RegisterWindowMessageW(L"SECTreeCtrlNotifyEndLabelEditRegMsg");
} // namespace

UINT SECTreeViewEndLabelEditMessage() {
    return g_nViewEndLabelEditMessage;
}

IMPLEMENT_DYNCREATE(SECTreeView, SECListView)

SECTreeView::SECTreeView() = default;
SECTreeView::~SECTreeView() = default;

BEGIN_MESSAGE_MAP(SECTreeView, SECListView)
ON_WM_DESTROY()
ON_WM_LBUTTONDBLCLK()
ON_WM_LBUTTONDOWN()
ON_WM_TIMER()
ON_WM_CHAR()
END_MESSAGE_MAP()
