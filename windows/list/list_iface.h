// The table of the list-window interface that GetListWndIfacPtr hands the host.
#pragma once

#include "include/list.h"

const ListWindowInterface* ListWindowTable();
