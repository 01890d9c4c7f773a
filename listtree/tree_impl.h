// Every member of the tree template, for the files that instantiate it.
#pragma once

#include "listtree/impl/tree_expand.h"
#include "listtree/impl/tree_input.h"
#include "listtree/impl/tree_model.h"
#include "listtree/impl/tree_paint.h"
#include "listtree/impl/tree_styles.h"
