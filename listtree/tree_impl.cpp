// The tree's one implementation, instantiated over the list control and the list view.
#include "listtree/tree_ctrl.h"
#include "listtree/tree_view.h"

#include "listtree/impl/tree_expand.h"
#include "listtree/impl/tree_input.h"
#include "listtree/impl/tree_model.h"
#include "listtree/impl/tree_paint.h"
#include "listtree/impl/tree_styles.h"

template class SECTreeImpl<SECListCtrl>;
template class SECTreeImpl<SECListView>;
