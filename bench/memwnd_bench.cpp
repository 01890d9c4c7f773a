// Times the memory window with the stand-in host adding and drawing every field, at the default
// size (8 rows of 8 bytes) and at 1920 x 1080 (32 bytes a row): 200 repaints, and 500 pages
// down (each a host scroll step and its refill). The floor, measured in the same run: the same
// fields drawn with ExtTextOutW into the same window with the same font, plus as many calls
// through the host's memory table as the window's refill made, without any window behind them.
// Each figure is printed as its ratio to the floor with the target beside it; a figure over its
// target ends its line with OVER. Run under Xvfb with a screen of at least 1920 x 1200.
#include "bench/bench_clock.h"
#include "host/lib/call_log.h"
#include "host/lib/host_memory.h"
#include "host/lib/host_sim.h"
#include "host/lib/host_state.h"
#include "tests/support/run_host.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const double kTarget = 1.5;

struct Field {
    std::wstring text;
    int x, y;
};
using Page = std::vector<Field>;

std::vector<Page>* g_capture = nullptr;
int g_calls = 0; // host table calls of the refills

void __cdecl CaptureField(HWND, int32_t* xy, const char* text, int length, HDC, uint32_t) {
    g_capture->back().push_back({std::wstring(text, text + length), xy[0], xy[1]});
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The pages a run shows, field by field, recorded by swapping the host's drawing entry.
template <typename F> std::vector<Page> Record(int pages, F step) {
    std::vector<Page> recorded;
    g_capture = &recorded;
    void* draw = HostState::Get().memory.Word(17);
    HostState::Get().memory.Word(17) = reinterpret_cast<void*>(&CaptureField);
    for (int i = 0; i < pages; ++i) {
        recorded.emplace_back();
        step();
    }
    HostState::Get().memory.Word(17) = draw;
    return recorded;
}

// The floor: the fields drawn as the window places them, and the table calls without a window.
double Floor(HWND grid, const std::vector<Page>& pages, int calls, HFONT font) {
    HDC dc = GetDC(grid);
    TEXTMETRICW tm{};
    HGDIOBJ old = SelectObject(dc, font);
    GetTextMetricsW(dc, &tm);
    const int rowPitch = tm.tmHeight + tm.tmExternalLeading;
    const double start = Now();
    for (const Page& page : pages) {
        for (const Field& f : page) {
            const int left = f.x * tm.tmAveCharWidth + tm.tmAveCharWidth / 2;
            const int top = f.y * rowPitch + tm.tmExternalLeading;
            const RECT r{left, top, left + static_cast<int>(f.text.size()) * tm.tmAveCharWidth,
                         top + rowPitch};
            SetTextColor(dc, RGB(0, 0, 0));
            SetBkColor(dc, RGB(255, 255, 255));
            ExtTextOutW(dc, left, top, ETO_OPAQUE, &r, f.text.c_str(),
                        static_cast<UINT>(f.text.size()), nullptr);
        }
        GdiFlush();
    }
    for (int i = 0; i < calls; ++i)
        HostState::Get().memory.Call<void*>(15, static_cast<void*>(nullptr), 1);
    const double elapsed = Now() - start;
    SelectObject(dc, old);
    ReleaseDC(grid, dc);
    return elapsed;
}

// Host table calls one refill makes: the fill, a drawing call a field, and a cell allocation
// for each empty slot (none once the window is filled).
int CallsOf(const std::vector<Page>& pages) {
    int calls = 0;
    for (const Page& page : pages)
        calls += 1 + static_cast<int>(page.size());
    return calls;
}

void Report(const char* what, double seconds, double floor) {
    const double ratio = seconds / floor;
    printf("%-28s %8.2f ms  floor %8.2f ms  %5.2fx floor (target <= %.1fx)%s\n", what,
           seconds * 1000, floor * 1000, ratio, kTarget, ratio > kTarget ? " OVER" : "");
}

HFONT MemoryFont() {
    return static_cast<HFONT>(HostState::Get().font);
}

void Run(const char* label, HostMemView* view, int repaints, int pagesDown) {
    HWND grid = static_cast<HWND>(view->state->grid);
    const MemoryWindowInterface* t = MemoryWindows();
    // The host's refresh after the target stopped: the fields cover what they change.
    auto repaint = [&] { t->Repaint(view->state, 0); };
    auto pageDown = [&] {
        SendMessageW(grid, WM_KEYDOWN, VK_NEXT, 0);
        if (view->top + 2u * view->bytesPerRow * view->state->rows >= kTargetMemorySize)
            view->top = 0; // wrap before the end of memory, so every step scrolls
    };
    CallLog::Get().Clear();
    const std::vector<Page> repainted = Record(repaints, repaint);
    const uint32_t top = view->top;
    const std::vector<Page> paged = Record(pagesDown, pageDown);
    view->top = top;
    repaint();
    Pump();

    double start = Now();
    for (int i = 0; i < repaints; ++i) {
        repaint();
        GdiFlush();
    }
    const double repaintTime = Now() - start;
    start = Now();
    for (int i = 0; i < pagesDown; ++i) {
        pageDown();
        GdiFlush();
    }
    const double pageTime = Now() - start;
    CallLog::Get().Clear();

    const double repaintFloor = Floor(grid, repainted, CallsOf(repainted), MemoryFont());
    const double pageFloor = Floor(grid, paged, CallsOf(paged) + pagesDown, MemoryFont());
    char what[64];
    snprintf(what, sizeof what, "repaint x%d %s", repaints, label);
    Report(what, repaintTime, repaintFloor);
    snprintf(what, sizeof what, "page down x%d %s", pagesDown, label);
    Report(what, pageTime, pageFloor);
}

} // namespace

int main() {
    HostOptions options;
    options.registryRoot = "Software\\Orvex\\Bench\\memwnd";
    options.registryRootGiven = true;
    ConfigureHost(options);
    CaptureMessageBoxes();
    HMODULE library = LoadLibraryW((ProgramFolder() + L"\\moxguiu.dll").c_str());
    auto startApp = reinterpret_cast<int(__cdecl*)()>(
        reinterpret_cast<void*>(GetProcAddress(library, "StartApp")));
    if (!library || !startApp || startApp() != 1 || !ConnectMemoryWindows(library)) {
        fprintf(stderr, "memwnd_bench: the library did not start\n");
        return 1;
    }
    Pump();
    HWND frame = static_cast<HWND>(HostState::Get().mainRecord.frameWindow);

    HostMemView* small = OpenMemoryView(0x4000, 8, 44);
    Pump();
    Run("default size", small, 200, 500);
    CloseMemoryView(small);
    Pump();

    SetWindowPos(frame, nullptr, 0, 0, 1960, 1200, SWP_NOZORDER);
    HostMemView* big = OpenMemoryView(0x0000, 64, 140);
    big->bytesPerRow = 32;
    HWND bigFrame = GetParent(GetParent(static_cast<HWND>(big->state->memWnd)));
    SetWindowPos(bigFrame, nullptr, 0, 0, 1920, 1080, SWP_NOZORDER);
    Pump();
    MemoryWindows()->Repaint(big->state, 1);
    Run("1920 x 1080", big, 200, 500);
    CloseMemoryView(big);
    Pump();

    reinterpret_cast<int(__cdecl*)()>(reinterpret_cast<void*>(GetProcAddress(library, "EndApp")))();
    FreeLibrary(library);
    RegDeleteTreeA(HKEY_CURRENT_USER, options.registryRoot.c_str());
    return 0;
}
