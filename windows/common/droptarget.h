// The library's OLE drop target: it judges nothing itself but hands each drag event to the drop
// hooks of the window under the mouse, chosen by the window's class in a fixed order (trees,
// the memory grid, host-window views, the main frame); the hooks ask the host's drag-and-drop
// service. With drag and drop off, or on a window that is gone, every event is refused.
#pragma once

#include "framework/afx.h"

class CDropTarget : public COleDropTarget {
public:
    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pData, DWORD dwKeyState,
                           CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pData, DWORD dwKeyState,
                          CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pData, DROPEFFECT effect, CPoint point) override;
    // A drag never scrolls the window under it.
    DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point) override;
};
