// The folder a module was loaded from.
#pragma once

#include "framework/afx.h"

// The folder of the module's file, with its trailing backslash. Empty when the path cannot be
// read or does not fit in nCapacity characters: a cut path names another file.
CString ModuleDirectory(HMODULE hModule, DWORD nCapacity = MAX_PATH + 1);
