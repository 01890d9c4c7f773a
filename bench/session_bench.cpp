// Times single steps of the sample program with every window of the demo open (source with
// both columns, registers, breakpoints, call stack, modules, memory, watch and locals): from the
// host's step to every window painted. The floor, in the same run, windows and sizes: the same
// windows repainted with no step, so nothing is refilled. The ratio is printed with its target
// (<= 1.5x, OVER when over), then the host calls the library made per step, window by window:
// during the step's updates and during each window's paint. Run under Xvfb.
#include "bench/bench_clock.h"
#include "host/lib/call_log.h"
#include "host/lib/command_line.h"
#include "host/lib/demo_script.h"
#include "host/lib/host_sim.h"
#include "host/lib/host_source.h"
#include "host/lib/host_state.h"
#include "host/lib/source_link.h"
#include "host/lib/target_machine.h"
#include "host/lib/target_program.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kSteps = 1000;
constexpr double kTarget = 1.5;

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L"\\/"));
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

struct Window {
    HWND hwnd;
    std::string title;
    size_t calls = 0; // host calls during its paints
};

// The demo's windows: the main frame's MDI children.
std::vector<Window> DemoWindows() {
    std::vector<Window> windows;
    HWND client = static_cast<HWND>(HostState::Get().mainRecord.mdiClientWindow);
    for (HWND w = GetWindow(client, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (!IsWindowVisible(w))
            continue;
        char title[128] = {};
        GetWindowTextA(w, title, sizeof title);
        windows.push_back({w, title});
    }
    return windows;
}

void PaintAll(std::vector<Window>& windows, bool count) {
    for (Window& w : windows) {
        const size_t before = CallLog::Get().Calls().size();
        RedrawWindow(w.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        if (count)
            w.calls += CallLog::Get().Calls().size() - before;
    }
}

// The program from its start into main, outside the timed part.
void Restart() {
    TargetMachine& m = TargetMachine::Get();
    m.Reset(1);
    const int mainFile = Sample().FileIndex("main.c");
    for (int step = 0; step < 16 && CurrentPosition(0).file != mainFile; ++step)
        m.StepInto(0);
    RunHostCommandLine(""); // nothing changed: no update
}

bool Ended() {
    return TargetMachine::Get().Core(0).state != CoreState::halted;
}

} // namespace

int main() {
    HostOptions options;
    options.registryRoot = "Software\\Orvex\\Bench\\session";
    options.registryRootGiven = true;
    options.demo = true;
    ConfigureHost(options);
    CaptureMessageBoxes();
    HMODULE library = LoadLibraryW((ProgramFolder() + L"\\moxguiu.dll").c_str());
    auto startApp = reinterpret_cast<int(__cdecl*)()>(
        reinterpret_cast<void*>(GetProcAddress(library, "StartApp")));
    if (!library || !startApp || startApp() != 1) {
        fprintf(stderr, "session_bench: the library did not start\n");
        return 1;
    }
    HWND frame = static_cast<HWND>(HostState::Get().mainRecord.frameWindow);
    SetWindowPos(frame, HWND_TOP, 0, 0, 1240, 980, SWP_SHOWWINDOW);
    BindSourceLibrary(library);
    RunDemoScript(library);
    Pump();
    std::vector<Window> windows = DemoWindows();

    // Warm both paths once.
    PaintAll(windows, false);
    RunHostCommandLine("STEP");
    Pump();
    PaintAll(windows, false);

    double floor = 0, steps = 0, updates = 0;
    size_t updateCalls = 0;
    int restarts = 0;
    for (int i = 0; i < kSteps; ++i) {
        if (Ended()) {
            Restart();
            Pump();
            ++restarts;
        }
        CallLog::Get().Clear();
        const double t0 = Now();
        RunHostCommandLine("STEP");
        Pump();
        const double t1 = Now();
        updateCalls += CallLog::Get().Calls().size();
        PaintAll(windows, true);
        const double t2 = Now();
        steps += t2 - t0;
        updates += t1 - t0;
    }
    for (int i = 0; i < kSteps; ++i) {
        CallLog::Get().Clear();
        const double t0 = Now();
        PaintAll(windows, false);
        floor += Now() - t0;
    }

    const double ratio = steps / floor;
    printf("session: %d steps with %zu windows open (%d restarts of the program)\n", kSteps,
           windows.size(), restarts);
    printf("%-34s %9.1f ms  floor %9.1f ms  %5.2fx (target <= %.1fx)%s\n",
           "step to every window painted", steps * 1000, floor * 1000, ratio, kTarget,
           ratio > kTarget ? " OVER" : "");
    printf("of which the host's step and the windows' updates: %.1f ms\n", updates * 1000);
    printf("calls into the host per step: %.1f during the step's updates\n",
           static_cast<double>(updateCalls) / kSteps);
    for (const Window& w : windows)
        printf("  %-28s %.1f during its paint\n", w.title.c_str(),
               static_cast<double>(w.calls) / kSteps);

    reinterpret_cast<int(__cdecl*)()>(reinterpret_cast<void*>(GetProcAddress(library, "EndApp")))();
    BindSourceLibrary(nullptr);
    FreeLibrary(library);
    RegDeleteTreeA(HKEY_CURRENT_USER, options.registryRoot.c_str());
    return 0;
}
