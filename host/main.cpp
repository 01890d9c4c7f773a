// moxhost.exe: the stand-in debugger host. It serves its tables, loads the library from its own
// folder and drives it the way the real host does.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/lib/call_log.h"
#include "host/lib/host_sim.h"

namespace {

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    size_t slash = folder.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : folder.substr(0, slash);
}

std::vector<std::wstring> Arguments() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::wstring> args;
    for (int i = 1; argv && i < argc; ++i)
        args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}

int Run() {
    HostOptions options;
    std::wstring error;
    if (!ParseHostOptions(Arguments(), options, error)) {
        fwprintf(stderr, L"moxhost: %ls\n", error.c_str());
        fwprintf(stderr, L"usage: moxhost [--host-version M.N] [--mem-version M.N] [--cores N] "
                         L"[--extension] [--busy] [--null-table] [--null-mem-table] "
                         L"[--no-gui-connect] [--no-mem-connect] [--no-coco] [--null-service] "
                         L"[--log FILE] [--library DLL] [--demo]\n");
        return 2;
    }
    ConfigureHost(options);
    CaptureMessageBoxes();

    std::wstring library = OwnFolder() + L"\\" + options.library;
    HMODULE gui = LoadLibraryW(library.c_str());
    if (!gui) {
        fwprintf(stderr, L"moxhost: could not load %ls (error %lu)\n", library.c_str(),
                 GetLastError());
        return 3;
    }
    LogHostCall("LibraryLoaded");
    using VersionFn = const char*(__cdecl*)();
    auto version =
        reinterpret_cast<VersionFn>(reinterpret_cast<void*>(GetProcAddress(gui, "DLL_Version")));
    LogHostCall("DLL_Version", version ? version() : nullptr);
    FreeLibrary(gui);
    LogHostCall("LibraryUnloaded");
    if (options.demo)
        for (const HostCall& call : CallLog::Get().Calls())
            printf("%s\n", call.Line().c_str());
    return 0;
}

} // namespace

int main() {
    try {
        return Run();
    } catch (...) {
        fprintf(stderr, "moxhost: unexpected failure\n");
        return 4;
    }
}
