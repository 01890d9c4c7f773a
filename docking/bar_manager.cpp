#include "docking/bar_manager.h"

IMPLEMENT_DYNAMIC(SECControlBarManager, CObject)
