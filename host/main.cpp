// moxhost.exe: the stand-in debugger host. It serves its tables, loads the library from its own
// folder and drives it the way the real host does: StartApp, a loop of PeekMessageApp, EndApp
// when the user closes the main window (command 37) or the script ends, then the unload.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/lib/call_log.h"
#include "host/lib/demo_script.h"
#include "host/lib/host_sim.h"
#include "host/lib/host_state.h"
#include "host/lib/plugin_tree.h"
#include "host/lib/source_link.h"
#include "tests/support/screenshot.h"

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

// The library's exports the host drives it through.
struct Library {
    HMODULE module = nullptr;
    template <typename F> F Get(const char* name) const {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
};

using IntFn = int(__cdecl*)();
using PeekFn = int(__cdecl*)(int);

bool WriteFrameScreenshot(const std::wstring& path) {
    HWND frame = static_cast<HWND>(HostState::Get().mainRecord.frameWindow);
    RECT rect{};
    if (!frame || !GetWindowRect(frame, &rect))
        return false;
    SetForegroundWindow(frame);
    RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return SaveScreenPng(rect, path.c_str());
}

int Drive(const Library& gui, const HostOptions& options) {
    auto start = gui.Get<IntFn>("StartApp");
    auto peek = gui.Get<PeekFn>("PeekMessageApp");
    auto end = gui.Get<IntFn>("EndApp");
    if (!start || !peek || !end)
        return 0; // a library without the life cycle only identifies itself
    LogHostCall("StartApp", start());
    // From here on every stop of the simulated target reaches the library's source windows.
    BindSourceLibrary(gui.module);
    if (options.demo || !options.screenshot.empty()) {
        // Room for every window of the session.
        if (HWND frame = static_cast<HWND>(HostState::Get().mainRecord.frameWindow))
            SetWindowPos(frame, nullptr, 0, 0, 1240, 990, SWP_NOZORDER | SWP_NOACTIVATE);
        RunDemoScript(gui.module);
    }
    using PluginDialogFn = int(__cdecl*)(PluginInfoNode*);
    if (options.plugins)
        if (auto plugins = gui.Get<PluginDialogFn>("PluginDialog"))
            LogHostCall("PluginDialog", plugins(StandInPluginTree()));
    // The script's length: the switch, else a moment for a screenshot, else one turn for a
    // scripted run and the user's closing of the window for the demo.
    const bool untilClosed =
        options.demo && options.runMilliseconds < 0 && options.screenshot.empty();
    DWORD length = 0;
    if (options.runMilliseconds >= 0)
        length = options.runMilliseconds;
    else if (!options.screenshot.empty())
        length = 1500;
    const DWORD begin = GetTickCount();
    // Mode 1 blocks until a message comes: a timer keeps the script moving.
    UINT_PTR tick = SetTimer(nullptr, 0, 50, nullptr);
    do {
        peek(options.pumpMode);
        if (options.pumpMode != 1)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    } while (!HostState::Get().closeRequested && (untilClosed || GetTickCount() - begin < length));
    if (tick)
        KillTimer(nullptr, tick);
    if (!options.screenshot.empty() && !WriteFrameScreenshot(options.screenshot))
        fwprintf(stderr, L"moxhost: could not write %ls\n", options.screenshot.c_str());
    LogHostCall("EndApp", end());
    BindSourceLibrary(nullptr);
    return 0;
}

int Run() {
    HostOptions options;
    std::wstring error;
    if (!ParseHostOptions(Arguments(), options, error)) {
        fwprintf(stderr, L"moxhost: %ls\n", error.c_str());
        fwprintf(stderr,
                 L"usage: moxhost [--host-version M.N] [--mem-version M.N] [--cores N] "
                 L"[--extension] [--busy] [--null-table] [--null-mem-table] "
                 L"[--no-gui-connect] [--no-mem-connect] [--no-coco] [--null-service] "
                 L"[--all-toolbar] [--menu-insert-a] [--disable-class N] "
                 L"[--take-message MSG] [--no-main-record] [--title TEXT] "
                 L"[--registry-root KEY] [--pump-mode N] [--run-ms N] "
                 L"[--screenshot FILE] [--log FILE] [--library DLL] [--demo] [--plugins]\n");
        return 2;
    }
    ConfigureHost(options);
    CaptureMessageBoxes();

    std::wstring library = OwnFolder() + L"\\" + options.library;
    Library gui;
    gui.module = LoadLibraryW(library.c_str());
    if (!gui.module) {
        fwprintf(stderr, L"moxhost: could not load %ls (error %lu)\n", library.c_str(),
                 GetLastError());
        return 3;
    }
    LogHostCall("LibraryLoaded");
    using VersionFn = const char*(__cdecl*)();
    auto version = gui.Get<VersionFn>("DLL_Version");
    LogHostCall("DLL_Version", version ? version() : nullptr);
    int result = Drive(gui, options);
    FreeLibrary(gui.module);
    LogHostCall("LibraryUnloaded");
    if (options.demo)
        for (const HostCall& call : CallLog::Get().Calls())
            printf("%s\n", call.Line().c_str());
    return result;
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
