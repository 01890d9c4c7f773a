// The table of memory-window entries that Mem_Connect hands the host.
#pragma once

#include "ifac/h/memwnd.h"

const MemoryWindowInterface& MemoryWindowTable();
