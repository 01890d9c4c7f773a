// Times source windows driven by the stand-in host through the library's exports, on C files
// of 1,000, 100,000 and 1,000,000 lines: UpdateSourceWindow to the first complete paint of the
// window (both columns), a page-by-page scroll to the end with the host answering every colour
// query, and 1,000 steps (the current line moves by one, as after a single step). The floor,
// in the same run, window size, file and font: the editor's own view (SECEditView) in a frame
// reading the file and painting it, then paging it with no host, and one repaint of the two
// lines a step changes. Each figure is printed as its ratio to the floor with the target beside
// it (open and page <= 1.3x, a step <= 1.5x); a figure over its target ends its line with OVER.
// A file of more pages than kMaxPagedPages is paged through its first kMaxPagedPages pages in
// both windows, and both times are scaled to all of its pages (the line says so). Run under
// Xvfb: srcwnd_bench [largest size in lines [nopage]].
#include "bench/bench_clock.h"
#include "tests/support/run_host.h"
#include "editor/edit_controller.h"
#include "editor/edit_model.h"
#include "editor/edit_view.h"
#include "editor/lang_ini.h"
#include "editor/lang_registry.h"
#include "host/lib/host_sim.h"
#include "host/lib/host_state.h"
#include "ifac/h/hostwnd.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

namespace {

constexpr int kSteps = 1000;
// The steps run this many times in each window and the fastest round counts: a machine shared
// with other work slows single rounds, never all of them.
constexpr int kStepRounds = 3;
// At most this many pages are paged through (the first ones, in both windows alike); the
// times of a longer file are scaled to all of its pages and printed as such.
constexpr int kMaxPagedPages = 2600;
constexpr int kWidth = 900, kHeight = 700;
long g_colourQueries = 0;
// "nopage" as the second argument leaves the paging out of both windows, for quick rounds on
// the open and the steps.
bool g_paging = true;

uint32_t __cdecl CountedColour(int line, int, int) {
    ++g_colourQueries;
    return line % 7 == 0 ? 0x00E0F0FF : 0x01000000;
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::string WriteCFile(int lines) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring wide = std::wstring(temp) + L"srcwnd_bench_" + std::to_wstring(lines) + L".c";
    std::string path(wide.begin(), wide.end());
    std::ofstream out(path, std::ios::binary);
    static const char* const shapes[] = {
        "    int value_%d = compute(alpha, beta) + %d; /* running total */\r\n",
        "    if (count > %d && flags != %d) return limit;\r\n",
        "        for (unsigned i = 0; i < %d; ++i) total += table[i] * %d;\r\n",
        "// %d: a line comment about line %d\r\n",
        "static const char* name_%d = \"string %d\";\r\n",
    };
    char buffer[160];
    for (int i = 0; i < lines; ++i) {
        const int n = std::snprintf(buffer, sizeof buffer, shapes[i % 5], i, i * 7);
        out.write(buffer, n);
    }
    return path;
}

// The floor's view: the editor's own view over a model of the file, without any host. The
// model outlives the view, which stops observing it as it goes.
class FloorView : public SECEditView {
public:
    explicit FloorView(SECEditModel& model) : m_model(model) {}
    SECEditModel* CreateModel() override { return &m_model; }
    void PostNcDestroy() override {} // owned by the bench

private:
    SECEditModel& m_model;
};

// The current line of step i (1-based): a walk up and down the middle third of a page at the
// top of the file, one line at a time, so that no step scrolls and each changes two lines.
int StepLine(int i, int linesPerPage) {
    const int low = linesPerPage / 2 - linesPerPage / 8 + 1;
    const int span = std::max(1, linesPerPage / 4);
    const int phase = i % (2 * span);
    return low + (phase < span ? phase : 2 * span - phase);
}

struct Times {
    double open = 0, page = 0, step = 0;
    int pages = 0;
};

Times Floor(const std::string& path, int width, int height, int pages, int linesPerPage) {
    Times t;
    // The floor opens as a user sees it: a frame, the file read into the editor's model, the
    // view over it to its first complete paint.
    double start = Now();
    CWnd frame;
    frame.CreateEx(0, nullptr, L"floor", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                   nullptr);
    SECEditModel model;
    model.SetLangConfigByName(L"CPP");
    const std::wstring widePath(path.begin(), path.end());
    model.OpenFile(widePath.c_str());
    auto view = std::make_unique<FloorView>(model);
    view->Create(nullptr, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL,
                 CRect(0, 0, width, height), &frame, 1);
    view->OnInitialUpdate();
    view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    t.open = Now() - start;
    SECEditController* controller = view->GetEditController();
    start = Now();
    for (int i = 0; i < pages && controller; ++i) {
        controller->MoveCaret(SECEditController::movePageDown, FALSE);
        view->UpdateWindow();
    }
    GdiFlush();
    t.page = Now() - start;
    t.pages = pages;
    // The floor of a step: one repaint of the two lines it changed, with the page at the top.
    view->SetLogOrigin(0, 0);
    view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    t.step = 1e9;
    for (int round = 0; round < kStepRounds; ++round) {
        start = Now();
        for (int i = 0; i < kSteps; ++i) {
            const int from = StepLine(i, linesPerPage) - 1, to = StepLine(i + 1, linesPerPage) - 1;
            view->InvalidateLines(std::min(from, to), std::max(from, to));
            view->UpdateWindow();
        }
        GdiFlush();
        t.step = std::min(t.step, Now() - start);
    }
    view->DestroyWindow();
    view.reset();
    frame.DestroyWindow();
    Pump();
    return t;
}

using CreateFn = int(__cdecl*)(const char*, const char*, int, const WindowPosition*, int);
using UpdateFn = intptr_t(__cdecl*)(int, const char*, const char*, int, int, int, int, int, int);
using PageFn = int(__cdecl*)(int, int, int);
using HandleFn = HWND(__cdecl*)(int);
using CloseFn = int(__cdecl*)(intptr_t, int);

template <typename F> F Export(HMODULE m, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name)));
}

// The source view of a frame: the body of the splitter's last pane.
HWND SourceViewOf(HWND frame) {
    HWND splitter = GetDlgItem(frame, 0xE900);
    HWND pane = nullptr;
    for (int col = 2; col >= 0 && pane == nullptr; --col)
        pane = GetDlgItem(splitter, 0xE900 + col);
    for (HWND c = GetWindow(pane, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t cls[16] = {};
        GetClassNameW(c, cls, 16);
        if (_wcsicmp(cls, L"Button") != 0)
            return c;
    }
    return nullptr;
}

void Print(const char* size, const char* what, double value, double floor, double target) {
    const double ratio = floor > 0 ? value / floor : 0;
    std::printf("%-10s %-28s %9.1f ms  floor %9.1f ms  %5.2fx (target <= %.1fx)%s\n", size, what,
                value * 1000, floor * 1000, ratio, target, ratio > target ? " OVER" : "");
}

void Run(HMODULE library, HWND mainFrame, int lines, const char* size) {
    const std::string path = WriteCFile(lines);
    static WindowPosition position{};
    HostState::Get().placements[&position] = HostPlacement{0x11, 0, 0, kWidth, kHeight};
    g_colourQueries = 0;
    double start = Now();
    const int id =
        Export<CreateFn>(library, "CreateSourceWindow")("bench", path.c_str(), 7, &position, -1);
    Export<UpdateFn>(library, "UpdateSourceWindow")(id, "bench", path.c_str(), 1, 7, 0, 0, 0, 1);
    HWND frame = Export<HandleFn>(library, "GetWindowHandle")(id);
    RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    const double open = Now() - start;
    HWND view = SourceViewOf(frame);
    RECT client{};
    GetClientRect(view, &client);
    // The pages to the end, as the floor's window of the same size shows them.
    TEXTMETRICW tm{};
    HDC dc = GetDC(view);
    GetTextMetricsW(dc, &tm);
    ReleaseDC(view, dc);
    const int lineHeight = std::max<int>(1, tm.tmHeight);
    const int allPages = lines / std::max(1, static_cast<int>(client.bottom) / lineHeight) + 1;
    const int pages = g_paging ? std::min(allPages, kMaxPagedPages) : 0;
    const double scale = pages > 0 ? double(allPages) / pages : 0;
    // The steps, from the top of the file, where the window opened.
    const int linesPerPage = std::max(4, static_cast<int>(client.bottom) / lineHeight);
    double step = 1e9;
    for (int round = 0; round < kStepRounds; ++round) {
        start = Now();
        for (int i = 0; i < kSteps; ++i) {
            Export<UpdateFn>(library, "UpdateSourceWindow")(
                id, "bench", path.c_str(), StepLine(i + 1, linesPerPage), 7, 0, 0, 0, 1);
            RedrawWindow(frame, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
        GdiFlush();
        step = std::min(step, Now() - start);
    }
    const long queriesBefore = g_colourQueries;
    start = Now();
    for (int i = 0; i < pages; ++i) {
        Export<PageFn>(library, "PageSourceWindow")(id, 2, 1);
        RedrawWindow(frame, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    GdiFlush();
    const double page = (Now() - start) * scale;
    const long pageQueries = g_colourQueries - queriesBefore;
    Export<CloseFn>(library, "CloseMDIWindow")(id, 1);
    Pump();
    (void)mainFrame;

    const Times floor = Floor(path, client.right + GetSystemMetrics(SM_CXVSCROLL),
                              client.bottom + GetSystemMetrics(SM_CYHSCROLL), pages, linesPerPage);
    DeleteFileA(path.c_str());
    if (size == nullptr)
        return; // a warm-up
    Print(size, "open to first paint", open, floor.open, 1.3);
    char pageLabel[64] = "page by page to the end";
    if (pages < allPages)
        std::snprintf(pageLabel, sizeof pageLabel, "pages (%d of %d, scaled)", pages, allPages);
    if (pages > 0)
        Print(size, pageLabel, page, floor.page * scale, 1.3);
    Print(size, "a step (1,000 steps)", step, floor.step, 1.5);
    if (pages > 0)
        std::printf("%-10s host colour queries per page: %.1f (%d pages)\n", size,
                    double(pageQueries) / pages, pages);
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    // The largest file size to run (1000, 100000 or 1000000 lines; all by default).
    const int largest = argc > 1 ? std::atoi(argv[1]) : 1000000;
    g_paging = !(argc > 2 && std::strcmp(argv[2], "nopage") == 0);
    const std::wstring folder = ProgramFolder();
    auto* reader = new SECEditLangIniReader((folder + L"\\cpp.ini").c_str());
    SECEditLangConfigRegistry::RegisterLangConfig(L"CPP", reader, nullptr);
    reader->Release();

    HostOptions options;
    options.registryRoot = "Software\\Orvex\\SrcWndBench";
    options.registryRootGiven = true;
    ConfigureHost(options);
    CaptureMessageBoxes();
    HMODULE library = LoadLibraryW((folder + L"\\moxguiu.dll").c_str());
    if (library == nullptr) {
        std::printf("moxguiu.dll is not beside the bench\n");
        return 1;
    }
    if (Export<int(__cdecl*)()>(library, "StartApp")() != 1)
        return 1;
    Pump();
    HostState::Get().commands.Word(22) = reinterpret_cast<void*>(&CountedColour);
    HWND mainFrame = static_cast<HWND>(HostState::Get().mainRecord.frameWindow);
    SetWindowPos(mainFrame, HWND_TOP, 0, 0, kWidth + 100, kHeight + 200, SWP_SHOWWINDOW);
    Pump();
    const struct {
        int lines;
        const char* name;
    } sizes[] = {{1000, "1k"}, {100000, "100k"}, {1000000, "1M"}};
    // Both windows are warmed once first (fonts, language colours, window classes): the first
    // window of a run pays for those, whichever it is.
    Run(library, mainFrame, 100, nullptr);
    for (const auto& size : sizes)
        if (size.lines <= largest)
            Run(library, mainFrame, size.lines, size.name);
    Export<int(__cdecl*)()>(library, "EndApp")();
    FreeLibrary(library);
    RegDeleteTreeA(HKEY_CURRENT_USER, options.registryRoot.c_str());
    return 0;
}
