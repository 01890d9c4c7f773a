// SECTreeView: the tree as a document view, on the list view (and so printed as the list
// view prints, with the tree's own drawing).
#pragma once

#include "listtree/list_view.h"
#include "listtree/tree_base.h"

using SECTreeBaseV = SECTreeImpl<SECListView>;
// Instantiated once, in tree_impl.cpp.
extern template class SECTreeImpl<SECListView>;

class SECTreeView : public SECTreeBaseV {
    DECLARE_DYNCREATE(SECTreeView)
public:
    SECTreeView();
    ~SECTreeView() override;

protected:
    DECLARE_MESSAGE_MAP()
};
