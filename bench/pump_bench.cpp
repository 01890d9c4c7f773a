// Times the pump the host drives against the bare platform calls that one of its turns needs,
// on the same frame window, and prints each figure as a ratio to that floor with its target:
//   (a) PeekMessageApp(0) on an empty queue: two idle calls (the host's OnIdle included) and
//       the three peeks of an empty turn; floor: the three peeks; target 1.5x;
//   (b) draining 1,000 messages posted to the main frame in one PeekMessageApp(0); floor: for
//       each message a peek that takes it, TranslateMessage, DispatchMessageW and a peek that
//       looks for the next; target 1.5x.
// The program is the host: it serves the stand-in host's tables and loads the library.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "host/lib/call_log.h"
#include "host/lib/host_sim.h"
#include "host/lib/host_state.h"

namespace {
const int kRuns = 9;
const int kEmptyTurns = 2000;
const int kMessages = 1000;
const UINT kBenchMessage = WM_APP + 17;

using PeekFn = int(__cdecl*)(int);
using IntFn = int(__cdecl*)();

double Median(const std::function<double()>& run) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i)
        times.push_back(run());
    std::sort(times.begin(), times.end());
    return times[kRuns / 2];
}

void DrainWithLibrary(PeekFn peek) {
    for (int i = 0; i < 1000 && peek(0) == 1; ++i) {
    }
}

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L"\\/"));
}
} // namespace

int main() {
    HostOptions options;
    options.registryRoot = "Software\\Orvex\\PumpBench";
    options.registryRootGiven = true;
    ConfigureHost(options);
    CaptureMessageBoxes();
    HMODULE gui = LoadLibraryW((OwnFolder() + L"\\moxguiu.dll").c_str());
    if (!gui) {
        fprintf(stderr, "pump_bench: the library did not load\n");
        return 1;
    }
    auto start = reinterpret_cast<IntFn>(reinterpret_cast<void*>(GetProcAddress(gui, "StartApp")));
    auto peek =
        reinterpret_cast<PeekFn>(reinterpret_cast<void*>(GetProcAddress(gui, "PeekMessageApp")));
    auto end = reinterpret_cast<IntFn>(reinterpret_cast<void*>(GetProcAddress(gui, "EndApp")));
    start();
    HWND frame = static_cast<HWND>(HostState::Get().mainRecord.frameWindow);
    RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    DrainWithLibrary(peek);

    // (a) Empty turns.
    const double emptyLibrary = Median([&] {
        CallLog::Get().Clear();
        const double t0 = Now();
        for (int i = 0; i < kEmptyTurns; ++i)
            peek(0);
        return (Now() - t0) / kEmptyTurns;
    });
    const double emptyFloor = Median([&] {
        MSG msg;
        const double t0 = Now();
        for (int i = 0; i < kEmptyTurns; ++i) {
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
            PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);
        }
        return (Now() - t0) / kEmptyTurns;
    });

    // (b) 1,000 posted messages.
    const double drainLibrary = Median([&] {
        DrainWithLibrary(peek);
        CallLog::Get().Clear();
        for (int i = 0; i < kMessages; ++i)
            PostMessageW(frame, kBenchMessage, i, 0);
        const double t0 = Now();
        peek(0);
        return (Now() - t0) / kMessages;
    });
    const double drainFloor = Median([&] {
        DrainWithLibrary(peek);
        for (int i = 0; i < kMessages; ++i)
            PostMessageW(frame, kBenchMessage, i, 0);
        MSG msg;
        const double t0 = Now();
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
        }
        return (Now() - t0) / kMessages;
    });

    printf("pump_bench: %d empty turns, %d messages, median of %d runs\n", kEmptyTurns, kMessages,
           kRuns);
    printf("(a) empty turn:   library %.2f us, floor %.2f us, ratio %.2fx (target <= 1.5x)\n",
           emptyLibrary * 1e6, emptyFloor * 1e6, emptyLibrary / emptyFloor);
    printf("(b) per message:  library %.2f us, floor %.2f us, ratio %.2fx (target <= 1.5x)\n",
           drainLibrary * 1e6, drainFloor * 1e6, drainLibrary / drainFloor);
    end();
    FreeLibrary(gui);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Orvex\\PumpBench");
    return 0;
}
