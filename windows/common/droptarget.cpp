#include "windows/common/droptarget.h"

#include "shell/frame/mainframe.h"
#include "windows/common/docview.h"
#include "windows/memory/memchildwnd.h"

// The windows are asked in a fixed order of kinds; the kinds of the debugger windows join the
// main frame as those windows come.
namespace {
CMainFrame* AsMainFrame(CWnd* pWnd) {
    return DYNAMIC_DOWNCAST(CMainFrame, pWnd);
}
CMemChildWnd* AsMemGrid(CWnd* pWnd) {
    return DYNAMIC_DOWNCAST(CMemChildWnd, pWnd);
}
CDocView* AsDocView(CWnd* pWnd) {
    return DYNAMIC_DOWNCAST(CDocView, pWnd);
}
} // namespace

DROPEFFECT CDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pData, DWORD dwKeyState,
                                    CPoint point) {
    if (CMemChildWnd* pGrid = AsMemGrid(pWnd))
        return pGrid->OnDragEnter(pData, dwKeyState, point);
    if (CDocView* pView = AsDocView(pWnd))
        return pView->OnDragEnter(pData, dwKeyState, point);
    if (CMainFrame* pFrame = AsMainFrame(pWnd))
        return pFrame->OnDragEnter(pData, dwKeyState, point);
    return DROPEFFECT_NONE;
}

DROPEFFECT CDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pData, DWORD dwKeyState,
                                   CPoint point) {
    if (CMemChildWnd* pGrid = AsMemGrid(pWnd))
        return pGrid->OnDragOver(pData, dwKeyState, point);
    if (CDocView* pView = AsDocView(pWnd))
        return pView->OnDragOver(pData, dwKeyState, point);
    if (CMainFrame* pFrame = AsMainFrame(pWnd))
        return pFrame->OnDragOver(pData, dwKeyState, point);
    return DROPEFFECT_NONE;
}

void CDropTarget::OnDragLeave(CWnd* pWnd) {
    if (CMemChildWnd* pGrid = AsMemGrid(pWnd))
        pGrid->OnDragLeave();
    else if (CDocView* pView = AsDocView(pWnd))
        pView->OnDragLeave();
    else if (CMainFrame* pFrame = AsMainFrame(pWnd))
        pFrame->OnDragLeave();
}

BOOL CDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pData, DROPEFFECT effect, CPoint point) {
    if (CMemChildWnd* pGrid = AsMemGrid(pWnd))
        return pGrid->OnDrop(pData, effect, point);
    if (CDocView* pView = AsDocView(pWnd))
        return pView->OnDrop(pData, effect, point);
    if (CMainFrame* pFrame = AsMainFrame(pWnd))
        return pFrame->OnDrop(pData, effect, point);
    return FALSE;
}
