// Times an evaluation window filled and refreshed by the host through UpdateEvalWindow against
// the platform's tree view given the same items by messages, in the same run, and prints each
// figure as a ratio to the peer with its target (<= 1.0): adding 1k, 10k and 100k items (flat,
// and nested three deep, expanded), a paint, and an update of every value as after a step.
// The program is the host: it serves the stand-in host's tables and loads the library.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "host/lib/host_sim.h"
#include "host/lib/host_state.h"
#include "ifac/h/evalrec.h"

namespace {
using UpdateFn = intptr_t(__cdecl*)(int, int, intptr_t, intptr_t);
using CreateFn = int(__cdecl*)(int, const WindowPosition*);
using IntFn = int(__cdecl*)();
using CloseFn = int(__cdecl*)(intptr_t, int);
constexpr double kTarget = 1.0;

template <typename F> F Export(HMODULE gui, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(gui, name)));
}

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L"\\/"));
}

struct Items {
    std::vector<std::string> names, values;
    std::vector<EvalItemRecord> records;
    EvalInfoRecord info{};
    explicit Items(int n) : names(n), values(n), records(n) {
        info.expression = "watch";
        info.dragKey = -1;
        for (int i = 0; i < n; ++i) {
            names[i] = "item" + std::to_string(i);
            values[i] = std::to_string(i * 7);
            records[i].name = names[i].c_str();
            records[i].value = values[i].c_str();
            records[i].info = &info;
            records[i].flags = EvalItemFlags::childrenRequested;
        }
    }
    // The peer's one column holds both texts.
    std::wstring PeerText(int i) const {
        const std::string text = names[i] + " = " + values[i];
        return std::wstring(text.begin(), text.end());
    }
    void Step() {
        for (size_t i = 0; i < values.size(); ++i) {
            values[i] = std::to_string(i * 7 + 1);
            records[i].value = values[i].c_str();
            records[i].flags |= EvalItemFlags::changed;
        }
    }
};

// The depth of item i: flat 0; nested in chains of three.
int Depth(bool nested, int i) {
    return nested ? i % 3 : 0;
}

struct Times {
    double add = 0, paint = 0, update = 0;
};

void Paint(HWND hWnd) {
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

BOOL CALLBACK FindCtrl(HWND hWnd, LPARAM lParam) {
    if (GetDlgCtrlID(hWnd) == 190270) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

Times Ours(HMODULE gui, int n, bool nested) {
    auto create = Export<CreateFn>(gui, "CreateEvalWindow");
    auto update = Export<UpdateFn>(gui, "UpdateEvalWindow");
    auto close = Export<CloseFn>(gui, "CloseMDIWindow");
    static WindowPosition position{};
    HostState::Get().placements[&position] = HostPlacement{0x11, 0, 0, 600, 700};
    const int id = create(1, &position);
    HWND frame = Export<HWND(__cdecl*)(int)>(gui, "GetWindowHandle")(id);
    HWND ctrl = nullptr;
    EnumChildWindows(frame, &FindCtrl, reinterpret_cast<LPARAM>(&ctrl));
    Items items(n);
    Times t;
    double t0 = Now();
    HTREEITEM parents[3] = {};
    for (int i = 0; i < n; ++i) {
        const int depth = Depth(nested, i);
        TVINSERTSTRUCTA insert{};
        insert.hParent = depth == 0 ? TVI_ROOT : parents[depth - 1];
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
        insert.item.pszText = LPSTR_TEXTCALLBACKA;
        insert.item.cChildren = nested && depth < 2 ? 1 : 0;
        insert.item.lParam = reinterpret_cast<LPARAM>(&items.records[i]);
        parents[depth] =
            reinterpret_cast<HTREEITEM>(update(4, id, reinterpret_cast<intptr_t>(&insert), 0));
        if (depth > 0)
            update(8, id, 0, reinterpret_cast<intptr_t>(parents[depth - 1]));
    }
    t.add = Now() - t0;
    t0 = Now();
    Paint(ctrl);
    t.paint = Now() - t0;
    items.Step();
    t0 = Now();
    update(512, id, 0, 0);
    Paint(ctrl);
    t.update = Now() - t0;
    close(id, 1);
    return t;
}

Times Peer(int n, bool nested) {
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 600, 700, nullptr,
                                  nullptr, nullptr, nullptr);
    HWND tree =
        CreateWindowExW(0, WC_TREEVIEWW, L"",
                        WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0,
                        0, 600, 700, parent, nullptr, nullptr, nullptr);
    Items items(n);
    std::vector<HTREEITEM> handles(n);
    Times t;
    double t0 = Now();
    HTREEITEM parents[3] = {};
    for (int i = 0; i < n; ++i) {
        const int depth = Depth(nested, i);
        const std::wstring text = items.PeerText(i);
        TVINSERTSTRUCTW insert{};
        insert.hParent = depth == 0 ? TVI_ROOT : parents[depth - 1];
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
        insert.item.pszText = const_cast<wchar_t*>(text.c_str());
        insert.item.cChildren = nested && depth < 2 ? 1 : 0;
        insert.item.lParam = i;
        handles[i] = parents[depth] = reinterpret_cast<HTREEITEM>(
            SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
        if (depth > 0)
            SendMessageW(tree, TVM_EXPAND, TVE_EXPAND,
                         reinterpret_cast<LPARAM>(parents[depth - 1]));
    }
    t.add = Now() - t0;
    t0 = Now();
    Paint(tree);
    t.paint = Now() - t0;
    items.Step();
    t0 = Now();
    for (int i = 0; i < n; ++i) {
        const std::wstring text = items.PeerText(i);
        TVITEMW item{};
        item.mask = TVIF_TEXT | TVIF_HANDLE;
        item.hItem = handles[i];
        item.pszText = const_cast<wchar_t*>(text.c_str());
        SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    Paint(tree);
    t.update = Now() - t0;
    DestroyWindow(parent);
    return t;
}

void Line(const char* phase, double ours, double peer) {
    const double ratio = peer > 0 ? ours / peer : 0;
    std::printf("  %-7s %10.2f ms vs %10.2f ms  ratio %6.2f  (target <= %.1f)%s\n", phase,
                ours * 1e3, peer * 1e3, ratio, kTarget, ratio <= kTarget ? "" : "  OVER");
}
} // namespace

int main(int argc, char** argv) {
    // An optional largest count, for a quick run.
    const int largest = argc > 1 ? std::atoi(argv[1]) : 100000;
    // Wine's tree view repaints on every insert and text change: past this count it is not run.
    const int peerLargest = argc > 2 ? std::atoi(argv[2]) : 1000;
    HostOptions options;
    options.registryRoot = "Software\\Orvex\\EvalWndBench";
    options.registryRootGiven = true;
    ConfigureHost(options);
    CaptureMessageBoxes();
    InitCommonControls();
    HMODULE gui = LoadLibraryW((OwnFolder() + L"\\moxguiu.dll").c_str());
    if (!gui) {
        std::fprintf(stderr, "evalwnd_bench: the library did not load\n");
        return 1;
    }
    Export<IntFn>(gui, "StartApp")();
    std::printf("evalwnd_bench: UpdateEvalWindow vs the platform's tree view by messages\n");
    for (bool nested : {false, true})
        for (int n : {1000, 10000, 100000}) {
            if (n > largest)
                continue;
            std::printf("%s, %d items\n", nested ? "nested three deep, expanded" : "flat", n);
            const Times ours = Ours(gui, n, nested);
            if (n > peerLargest) {
                std::printf("  add     %10.2f ms  paint %8.2f ms  update %8.2f ms  (peer skipped: "
                            "too slow)\n",
                            ours.add * 1e3, ours.paint * 1e3, ours.update * 1e3);
            } else {
                const Times peer = Peer(n, nested);
                Line("add", ours.add, peer.add);
                Line("paint", ours.paint, peer.paint);
                Line("update", ours.update, peer.update);
            }
            std::fflush(stdout);
        }
    Export<IntFn>(gui, "EndApp")();
    FreeLibrary(gui);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Orvex\\EvalWndBench");
    return 0;
}
