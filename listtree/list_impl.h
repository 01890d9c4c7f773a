// Every member of the list template, for the files that instantiate it (the control, the view
// and the controls built on them).
#pragma once

#include "listtree/impl/list_columns.h"
#include "listtree/impl/list_input.h"
#include "listtree/impl/list_label.h"
#include "listtree/impl/list_layout.h"
#include "listtree/impl/list_model.h"
#include "listtree/impl/list_notify.h"
#include "listtree/impl/list_paint.h"
#include "listtree/impl/list_select.h"
#include "listtree/impl/list_window.h"
