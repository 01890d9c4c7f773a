// Times single steps of the sample program with every window of the demo open (source with
// both columns, registers, breakpoints, call stack, modules, memory, watch and locals): from the
// host's step until every window has painted what the step changed. The floor, in the same loop,
// turn about with the steps: the same windows invalidated whole and painted with no step, until
// every window has painted, measured the same way. The ratio is printed with its target (<= 1.5x,
// OVER when over). Then where a step's time goes: each part of the host's after-stop routine (its
// time as a share of the floor, the host calls the library made in it), and each window (its
// messages until painted after a step against its repaint alone, with the same target, and the
// host calls the library made in them). Run under Xvfb.
#include "bench/bench_clock.h"
#include "tests/support/run_host.h"
#include "host/lib/call_log.h"
#include "host/lib/command_line.h"
#include "host/lib/demo_script.h"
#include "host/lib/host_lists.h"
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

size_t HostCalls() {
    return CallLog::Get().Calls().size();
}

struct Window {
    HWND hwnd;
    std::string title;
    double step = 0, floor = 0; // seconds in its messages after a step, after a repaint alone
    size_t calls = 0;           // host calls in its messages after a step
};

// The window a message is for: one of the demo's, or null.
Window* Owner(std::vector<Window>& windows, HWND hwnd) {
    for (Window& w : windows)
        if (hwnd == w.hwnd || IsChild(w.hwnd, hwnd))
            return &w;
    return nullptr;
}

enum class Round { warm, step, floor };

// Until every window is painted: dispatches what is queued, the paints included; each message's
// time (and, after a step, its host calls) goes to its window.
void PaintPending(std::vector<Window>& windows, Round round) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        const double t0 = Now();
        const size_t before = HostCalls();
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        Window* w = round == Round::warm ? nullptr : Owner(windows, msg.hwnd);
        if (w == nullptr)
            continue;
        const double spent = Now() - t0;
        if (round == Round::step) {
            w->step += spent;
            w->calls += HostCalls() - before;
        } else {
            w->floor += spent;
        }
    }
}

void InvalidateAll(const std::vector<Window>& windows) {
    for (const Window& w : windows)
        RedrawWindow(w.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// The after-stop routine's parts as the host names them: time and host calls in each.
struct Part {
    double time = 0;
    size_t calls = 0;
};
struct PartClock {
    std::map<std::string, Part> parts;
    std::vector<std::string> order;
    std::string current;
    double since = 0;
    size_t callsSince = 0;

    void Told(const char* name) {
        const double now = Now();
        if (!current.empty()) {
            Part& p = parts[current];
            p.time += now - since;
            p.calls += HostCalls() - callsSince;
        }
        current = name ? name : "";
        if (name && parts.find(current) == parts.end())
            order.push_back(current);
        since = now;
        callsSince = HostCalls();
    }
};

// The demo's windows: the main frame's MDI children and the host's lists docked beside them.
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
    const HostLists& lists = CurrentHostLists();
    const std::pair<int, const char*> named[] = {{lists.registers, "Registers"},
                                                 {lists.breakpoints, "Breakpoints"},
                                                 {lists.callStack, "Call Stack"},
                                                 {lists.modules, "Modules"}};
    for (const auto& [id, name] : named) {
        HWND view = reinterpret_cast<HWND>(static_cast<intptr_t>(id));
        if (id != 0 && IsWindow(view) && !IsChild(client, view))
            windows.push_back({view, std::string(name) + " (docked)"});
    }
    return windows;
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
    std::vector<Window> windows = DemoWindows();
    PaintPending(windows, Round::warm);

    // Warm both paths once.
    RunHostCommandLine("STEP");
    PaintPending(windows, Round::warm);
    InvalidateAll(windows);
    PaintPending(windows, Round::warm);
    PartClock clock;

    // A step and a repaint alone in turn, so that both see the same state of the machine.
    double floor = 0, steps = 0, updates = 0;
    size_t stepCalls = 0;
    int restarts = 0;
    for (int i = 0; i < kSteps; ++i) {
        if (Ended()) {
            Restart();
            PaintPending(windows, Round::warm);
            ++restarts;
        }
        CallLog::Get().Clear();
        const double t0 = Now();
        g_onStopPart = [&clock](const char* name) { clock.Told(name); };
        RunHostCommandLine("STEP");
        g_onStopPart = nullptr;
        const double t1 = Now();
        PaintPending(windows, Round::step);
        steps += Now() - t0;
        updates += t1 - t0;
        stepCalls += HostCalls();

        const double f0 = Now();
        InvalidateAll(windows);
        PaintPending(windows, Round::floor);
        floor += Now() - f0;
    }

    const double ratio = steps / floor;
    printf("session: %d steps with %zu windows open (%d restarts of the program)\n", kSteps,
           windows.size(), restarts);
    printf("%-34s %9.1f ms  floor %9.1f ms  %5.2fx (target <= %.1fx)%s\n",
           "step to every window painted", steps * 1000, floor * 1000, ratio, kTarget,
           ratio > kTarget ? " OVER" : "");
    printf("of which the host's step and its updates: %.1f ms\n", updates * 1000);
    printf("calls into the host per step: %.1f\n", static_cast<double>(stepCalls) / kSteps);
    printf("the after-stop routine per step, part by part (time as a share of the floor):\n");
    for (const std::string& name : clock.order) {
        const Part& p = clock.parts[name];
        printf("  %-28s %7.3f ms  %5.3fx  %6.1f host calls\n", name.c_str(), p.time * 1000 / kSteps,
               p.time / floor, static_cast<double>(p.calls) / kSteps);
    }
    printf("each window per step: its messages until painted after the step, against its "
           "repaint alone, and the host calls in them:\n");
    for (const Window& w : windows) {
        const double r = w.floor > 0 ? w.step / w.floor : 0;
        printf("  %-28.28s %7.3f ms  floor %7.3f ms  %5.2fx (target <= %.1fx)  %5.1f host calls "
               "per step%s\n",
               w.title.c_str(), w.step * 1000 / kSteps, w.floor * 1000 / kSteps, r, kTarget,
               static_cast<double>(w.calls) / kSteps, r > kTarget ? " OVER" : "");
    }

    reinterpret_cast<int(__cdecl*)()>(reinterpret_cast<void*>(GetProcAddress(library, "EndApp")))();
    BindSourceLibrary(nullptr);
    FreeLibrary(library);
    RegDeleteTreeA(HKEY_CURRENT_USER, options.registryRoot.c_str());
    return 0;
}
