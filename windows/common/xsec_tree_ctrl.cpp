#include "windows/common/xsec_tree_ctrl.h"

IMPLEMENT_DYNCREATE(XSECTreeCtrl, SECTreeCtrl)

DROPEFFECT XSECTreeCtrl::OnDragEnter(COleDataObject*, DWORD, CPoint) {
    return DROPEFFECT_NONE;
}

DROPEFFECT XSECTreeCtrl::OnDragOver(COleDataObject*, DWORD, CPoint) {
    return DROPEFFECT_NONE;
}

DROPEFFECT XSECTreeCtrl::OnDrop(COleDataObject*, DROPEFFECT, CPoint) {
    return DROPEFFECT_NONE;
}

void XSECTreeCtrl::OnDragLeave() {}
