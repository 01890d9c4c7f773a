// The module whose resources the framework loads: the one that holds the framework code (the
// library in the product, the test program in tests), never the host that loaded it.
#pragma once

#include <windows.h>

HINSTANCE AfxGetResourceHandle();
// The module that holds resource lpszName of lpszType; always the resource module here.
HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
// True when the framework lives in a library rather than in the program itself.
BOOL AfxIsLibraryModule();

// Loads an accelerator table or menu from the resource module; NULL when missing.
HACCEL AfxLoadAccelerators(LPCTSTR lpszResourceName);
HMENU AfxLoadMenu(LPCTSTR lpszResourceName);
