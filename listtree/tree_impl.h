// Every member of the tree template, for the files that instantiate it.
#pragma once

#include "listtree/tree_expand.h"
#include "listtree/tree_input.h"
#include "listtree/tree_model.h"
#include "listtree/tree_paint.h"
#include "listtree/tree_styles.h"
