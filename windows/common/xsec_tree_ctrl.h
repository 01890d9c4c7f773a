// The tree-list control base of the windows that take drops into a tree (evaluation window,
// list windows, plug-ins dialog): the library's drop target hands it the drag events, and the
// derived trees forward them to the host's drag-and-drop service.
#pragma once

#include "framework/afx.h"
#include "listtree/tree_ctrl.h"

class XSECTreeCtrl : public SECTreeCtrl {
    DECLARE_DYNCREATE(XSECTreeCtrl)
public:
    // A tree takes no drop until a derived tree says otherwise.
    virtual DROPEFFECT OnDragEnter(COleDataObject* pData, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(COleDataObject* pData, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDrop(COleDataObject* pData, DROPEFFECT effect, CPoint point);
    virtual void OnDragLeave();
};
