// Resource ids of the list test program.
#pragma once

#define IDR_LISTMAIN 7000
#define IDR_LISTVIEW 7001
