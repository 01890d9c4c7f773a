// The list's one implementation, instantiated for the control (on CWnd) and the view (on CView).
#include "listtree/list_base.h"

#include "listtree/impl/list_columns.h"
#include "listtree/impl/list_input.h"
#include "listtree/impl/list_label.h"
#include "listtree/impl/list_layout.h"
#include "listtree/impl/list_model.h"
#include "listtree/impl/list_notify.h"
#include "listtree/impl/list_paint.h"
#include "listtree/impl/list_select.h"
#include "listtree/impl/list_window.h"

template class SECListImpl<CWnd>;
template class SECListImpl<CView>;
