// Process OLE set-up for the library's thread: drag and drop, the clipboard and automation all
// need it.
#pragma once

#include <windows.h>

// Initialises OLE on the calling thread; TRUE when OLE is ready (also when it already was).
// Each successful call is balanced by AfxOleTerm.
BOOL AfxOleInit();
// Undoes what AfxOleInit did; the clipboard keeps its data (it is flushed first).
void AfxOleTerm();
// Whether AfxOleInit has succeeded and not been undone yet.
BOOL AfxOleIsInitialized();
