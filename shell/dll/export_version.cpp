// DLL_Version: the library's identification line for the host.
#include <windows.h>

#include <cstdio>

#include "shell/dll/export_guard.h"
#include "shell/hostlink.h"

namespace {
// This library's own module, found by an address inside it: a copy under another file name
// answers with its own path.
HMODULE OwnModule() {
    HMODULE self = NULL;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                             GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&OwnModule), &self);
    return self;
}

const char* FormatVersionLine() {
    // A 1023-character path is up to 2046 bytes in a double-byte code page, then the fields.
    static char line[2048 + 128];
    wchar_t path[1024] = {};
    HMODULE self = OwnModule();
    DWORD length = self ? GetModuleFileNameW(self, path, 1024) : 0;
    if (length >= 1024)
        path[1023] = L'\0';
    char* ansi = nullptr;
    WideToAnsiHeap(path, &ansi);
    snprintf(line, sizeof line, "%s,%s,Graphical User Interface for Windows %s,%s,,KQV,2.0",
             ansi ? ansi : "", "MOXGUIU.DLL", "NT|2000|XP", "2.4.2");
    if (ansi)
        HeapFree(GetProcessHeap(), 0, ansi);
    return line;
}
} // namespace

extern "C" __declspec(dllexport) const char* __cdecl DLL_Version() {
    return GuardExport(L"DLL_Version", "", [] { return FormatVersionLine(); });
}
