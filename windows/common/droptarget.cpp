#include "windows/common/droptarget.h"

#include "shell/frame/mainframe.h"
#include "shell/hostlink.h"
#include "windows/common/docview.h"
#include "windows/common/mem_drop_hooks.h"
#include "windows/common/xsec_tree_ctrl.h"

namespace {
// Calls the hook (a call that takes any of the four kinds) of the first kind the window is,
// derived classes counting, or answers none.
template <class Hook> int Dispatch(CWnd* pWnd, Hook hook) {
    if (DragDropService() == nullptr || pWnd == nullptr || !::IsWindow(pWnd->GetSafeHwnd()))
        return DROPEFFECT_NONE;
    if (auto* pTree = DYNAMIC_DOWNCAST(XSECTreeCtrl, pWnd))
        return hook(pTree);
    if (auto* pGrid = dynamic_cast<CMemChildDropHooks*>(pWnd))
        return hook(pGrid);
    if (auto* pView = DYNAMIC_DOWNCAST(CDocView, pWnd))
        return hook(pView);
    if (auto* pFrame = DYNAMIC_DOWNCAST(CMainFrame, pWnd))
        return hook(pFrame);
    return DROPEFFECT_NONE;
}
} // namespace

DROPEFFECT CDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pData, DWORD dwKeyState,
                                    CPoint point) {
    auto enter = [&](auto* p) {
        return static_cast<int>(p->OnDragEnter(pData, dwKeyState, point));
    };
    return Dispatch(pWnd, enter);
}

DROPEFFECT CDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pData, DWORD dwKeyState,
                                   CPoint point) {
    auto over = [&](auto* p) { return static_cast<int>(p->OnDragOver(pData, dwKeyState, point)); };
    return Dispatch(pWnd, over);
}

void CDropTarget::OnDragLeave(CWnd* pWnd) {
    auto leave = [](auto* p) { return p->OnDragLeave(), 0; };
    Dispatch(pWnd, leave);
}

BOOL CDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pData, DROPEFFECT effect, CPoint point) {
    auto drop = [&](auto* p) { return static_cast<int>(p->OnDrop(pData, effect, point)); };
    return Dispatch(pWnd, drop);
}

DROPEFFECT CDropTarget::OnDragScroll(CWnd*, DWORD, CPoint) {
    return DROPEFFECT_NONE;
}
