#include "shell/app/module_directory.h"

#include <vector>

CString ModuleDirectory(HMODULE hModule, DWORD nCapacity) {
    if (nCapacity == 0)
        return CString();
    std::vector<wchar_t> path(nCapacity, L'\0');
    const DWORD length = ::GetModuleFileNameW(hModule, path.data(), nCapacity);
    // A path that fills the buffer was cut (the terminator took the last place).
    if (length == 0 || length >= nCapacity)
        return CString();
    const CString full(path.data(), static_cast<int>(length));
    const int slash = full.ReverseFind(L'\\');
    return slash >= 0 ? full.Left(slash + 1) : CString();
}
