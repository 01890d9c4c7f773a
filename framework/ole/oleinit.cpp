#include "framework/ole/oleinit.h"

#include <ole2.h>

namespace {
// Successful OleInitialize calls not yet undone; only those may be balanced by OleUninitialize.
int g_initCount = 0;
} // namespace

BOOL AfxOleInit() {
    HRESULT hr = ::OleInitialize(NULL);
    if (FAILED(hr))
        return FALSE;
    ++g_initCount;
    return TRUE;
}

void AfxOleTerm() {
    if (g_initCount == 0)
        return;
    if (g_initCount == 1)
        ::OleFlushClipboard();
    --g_initCount;
    ::OleUninitialize();
}

BOOL AfxOleIsInitialized() {
    return g_initCount > 0;
}
