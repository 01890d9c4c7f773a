// Every member of the list template, for the files that instantiate it (the control, the view
// and the controls built on them).
#pragma once

#include "listtree/list_columns.h"
#include "listtree/list_input.h"
#include "listtree/list_label.h"
#include "listtree/list_layout.h"
#include "listtree/list_model.h"
#include "listtree/list_notify.h"
#include "listtree/list_paint.h"
#include "listtree/list_select.h"
#include "listtree/list_window.h"
