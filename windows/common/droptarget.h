// The library's OLE drop target: the windows it is registered for hand the drag events to the
// host's drag-and-drop service through their own handlers.
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
};
