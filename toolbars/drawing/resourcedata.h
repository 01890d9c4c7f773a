// The bytes of a resource of the resource module, with their count.
#pragma once

#include <windows.h>

// NULL when the resource is missing or cannot be loaded; cbSize is then 0.
const BYTE* LockResourceData(LPCTSTR lpszName, LPCTSTR lpszType, DWORD& cbSize);
