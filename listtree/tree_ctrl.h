// SECTreeCtrl: the tree as a child control, on the list control.
#pragma once

#include "listtree/list_ctrl.h"
#include "listtree/tree_base.h"

using SECTreeBaseC = SECTreeImpl<SECListCtrl>;
// Instantiated once, in tree_impl.cpp.
extern template class SECTreeImpl<SECListCtrl>;

class SECTreeCtrl : public SECTreeBaseC {
    DECLARE_DYNCREATE(SECTreeCtrl)
public:
    SECTreeCtrl();
    ~SECTreeCtrl() override;

protected:
    DECLARE_MESSAGE_MAP()
};
