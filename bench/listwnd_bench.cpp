// The host fills a list window through the list-window interface, against the platform's list
// view (flat) and tree view (two levels) filled with the same items by messages, in the same run.
// Run: scripts/wine-run build/bin/listwnd_bench.exe (under a display).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "host/lib/host_sim.h"
#include "host/lib/host_state.h"
#include "include/list.h"

namespace {
constexpr int kColumns = 4;
constexpr double kTarget = 1.0;
int g_colourCalls = 0;
std::set<size_t> g_rowsAsked;

int __cdecl CountColours(void* data, int, uint32_t*, uint32_t*) {
    ++g_colourCalls;
    if (data)
        g_rowsAsked.insert(*static_cast<size_t*>(data));
    return 0;
}

struct Texts {
    std::vector<std::string> storage;
    std::vector<const char*> pointers;
    explicit Texts(int i) {
        storage = {"item " + std::to_string(i), "0x" + std::to_string(4096 + i), "value",
                   "C:\\target\\module" + std::to_string(i % 13) + ".c"};
        for (const auto& s : storage)
            pointers.push_back(s.c_str());
    }
};

struct Host {
    HMODULE library = nullptr;
    const ListWindowInterface* t = nullptr;
    int id = 0;
    HWND tree = nullptr;
    WindowPosition position{};
};

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// One refill as a host does it on every step: reset, the items, rebuild (which paints).
void FillOurs(Host& h, const std::vector<Texts>& items, bool tree) {
    h.t->Reset(h.id, 8);
    ListItemRecord r{};
    r.window = h.id;
    r.image = 0xFFFF;
    r.stateImage = 0xFFFF;
    for (size_t i = 0; i < items.size(); ++i) {
        r.texts = items[i].pointers.data();
        r.data = &i;
        r.dataLength = sizeof i;
        const bool root = !tree || i % 10 == 0;
        r.parent = tree ? (root ? ListParent::rememberedRoot : ListParent::childOfRemembered)
                        : ListParent::root;
        r.flags = tree && root ? ListItemFlag::expanded : 0;
        h.t->InsertItem(&r);
    }
    h.t->Rebuild(h.id);
}

HWND MakePeer(bool tree, HWND parent) {
    RECT rc;
    GetClientRect(parent, &rc);
    HWND hWnd =
        CreateWindowExW(0, tree ? WC_TREEVIEWW : WC_LISTVIEWW, L"",
                        WS_CHILD | WS_VISIBLE |
                            (tree ? TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT : LVS_REPORT),
                        0, 0, rc.right, rc.bottom, parent, nullptr, nullptr, nullptr);
    if (!tree)
        for (int c = 0; c < kColumns; ++c) {
            LVCOLUMNW col = {};
            col.mask = LVCF_TEXT | LVCF_WIDTH;
            col.cx = 100;
            col.pszText = const_cast<wchar_t*>(L"Column");
            SendMessageW(hWnd, LVM_INSERTCOLUMNW, c, (LPARAM)&col);
        }
    return hWnd;
}

void FillPeer(HWND hWnd, const std::vector<Texts>& items, bool tree) {
    SendMessageW(hWnd, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hWnd, tree ? TVM_DELETEITEM : LVM_DELETEALLITEMS, 0, tree ? (LPARAM)TVI_ROOT : 0);
    HTREEITEM root = nullptr;
    std::vector<HTREEITEM> roots;
    for (size_t i = 0; i < items.size(); ++i) {
        if (tree) {
            TVINSERTSTRUCTA ins = {};
            const bool isRoot = i % 10 == 0;
            ins.hParent = isRoot ? TVI_ROOT : root;
            ins.hInsertAfter = TVI_LAST;
            ins.item.mask = TVIF_TEXT;
            ins.item.pszText = const_cast<char*>(items[i].pointers[0]);
            HTREEITEM h = (HTREEITEM)SendMessageA(hWnd, TVM_INSERTITEMA, 0, (LPARAM)&ins);
            if (isRoot) {
                root = h;
                roots.push_back(h);
            }
        } else {
            LVITEMA item = {};
            item.mask = LVIF_TEXT;
            item.iItem = (int)i;
            item.pszText = const_cast<char*>(items[i].pointers[0]);
            const int row = (int)SendMessageA(hWnd, LVM_INSERTITEMA, 0, (LPARAM)&item);
            for (int c = 1; c < kColumns; ++c) {
                LVITEMA sub = {};
                sub.iSubItem = c;
                sub.pszText = const_cast<char*>(items[i].pointers[c]);
                SendMessageA(hWnd, LVM_SETITEMTEXTA, row, (LPARAM)&sub);
            }
        }
    }
    for (HTREEITEM h : roots)
        SendMessageW(hWnd, TVM_EXPAND, TVE_EXPAND, (LPARAM)h);
    SendMessageW(hWnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hWnd, nullptr, TRUE);
    UpdateWindow(hWnd);
}

void Line(const char* what, double ours, double peer) {
    const double ratio = peer > 0 ? ours / peer : 0;
    std::printf("  %-22s %10.2f ms vs %10.2f ms  ratio %6.2f  (target <= %.1f)%s\n", what,
                ours * 1000, peer * 1000, ratio, kTarget, ratio <= kTarget ? "" : "  OVER");
}
} // namespace

int main() {
    HostOptions options;
    options.registryRoot = "Software\\MOX\\ListBench";
    options.registryRootGiven = true;
    ConfigureHost(options);
    CaptureMessageBoxes();
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dll(path);
    dll = dll.substr(0, dll.find_last_of(L"\\/") + 1) + L"moxguiu.dll";
    Host h;
    h.library = LoadLibraryW(dll.c_str());
    auto start = h.library ? (int(__cdecl*)())GetProcAddress(h.library, "StartApp") : nullptr;
    auto get = h.library ? (const ListWindowInterface**(__cdecl*)(const ListWindowInterface**))
                               GetProcAddress(h.library, "GetListWndIfacPtr")
                         : nullptr;
    if (!start || !get || start() != 1 || !get(&h.t) || !h.t) {
        std::printf("listwnd_bench: the library did not start\n");
        return 1;
    }
    Pump();
    HostState::Get().placements[&h.position] = HostPlacement{0x11, 0, 0, 700, 500};
    if (!h.t->Create("Bench", &h.position, &h.id, nullptr, 0)) {
        std::printf("listwnd_bench: no list window\n");
        return 1;
    }
    for (int c = 0; c < kColumns; ++c)
        h.t->SetColumn(h.id, c, "Column", c == kColumns - 1 ? ListColumnFlag::fill : 0);
    h.t->SetCallback(h.id, ListCallback::colors, (uintptr_t)&CountColours);
    HWND view = (HWND)(intptr_t)h.id;
    h.tree = GetWindow(view, GW_CHILD);
    HWND peerParent = CreateWindowW(L"STATIC", L"peer", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 720, 0,
                                    700, 500, nullptr, nullptr, nullptr, nullptr);
    Pump();
    std::printf("listwnd_bench: list window filled through the interface vs the platform's list "
                "view (flat) and tree view (tree), %d columns\n",
                kColumns);
    const int sizes[] = {1000, 10000, 100000};
    for (bool tree : {false, true}) {
        h.t->SetStyle(h.id, tree ? 0 : 7, tree ? 7 : 0);
        HWND peer = MakePeer(tree, peerParent);
        double perItem[3] = {}, perItemPeer[3] = {};
        std::printf("%s\n", tree ? "tree, two levels" : "flat");
        for (int s = 0; s < 3; ++s) {
            std::vector<Texts> items;
            items.reserve(sizes[s]);
            for (int i = 0; i < sizes[s]; ++i)
                items.emplace_back(i);
            double t0 = Now();
            FillOurs(h, items, tree);
            const double ours = Now() - t0;
            t0 = Now();
            FillPeer(peer, items, tree);
            const double theirs = Now() - t0;
            char what[64];
            std::snprintf(what, sizeof what, "fill %d", sizes[s]);
            Line(what, ours, theirs);
            perItem[s] = ours / sizes[s];
            perItemPeer[s] = theirs / sizes[s];
            Pump();
            if (s == 2) {
                // Only the rows on the page ask the host.
                g_colourCalls = 0;
                g_rowsAsked.clear();
                InvalidateRect(h.tree, nullptr, FALSE);
                UpdateWindow(h.tree);
                int perPage = 0;
                void* none = nullptr;
                h.t->QueryItem(h.id, 128, &none, &perPage);
                const int rows = (int)g_rowsAsked.size();
                std::printf("  host callbacks in one paint of %d items: %d, from %d items for "
                            "%d rows on the page (target: no more items than rows on it)%s\n",
                            sizes[s], g_colourCalls, rows, perPage + 1,
                            rows <= perPage + 1 ? "" : "  OVER");
            }
        }
        const double growth = perItem[0] > 0 ? perItem[2] / perItem[0] : 0;
        std::printf("  per-item cost at 100k over 1k: %.2f (target <= 2.0)%s  [peer %.2f]\n",
                    growth, growth <= 2.0 ? "" : "  OVER",
                    perItemPeer[0] > 0 ? perItemPeer[2] / perItemPeer[0] : 0);
        // The refill a host does on every step.
        std::vector<Texts> items;
        for (int i = 0; i < 1000; ++i)
            items.emplace_back(i);
        double t0 = Now();
        for (int k = 0; k < 100; ++k) {
            FillOurs(h, items, tree);
            Pump();
        }
        const double ours = Now() - t0;
        t0 = Now();
        for (int k = 0; k < 100; ++k) {
            FillPeer(peer, items, tree);
            Pump();
        }
        Line("refill 1000 x 100", ours, Now() - t0);
        DestroyWindow(peer);
    }
    DestroyWindow(peerParent);
    if (auto end = (int(__cdecl*)())GetProcAddress(h.library, "EndApp"))
        end();
    FreeLibrary(h.library);
    return 0;
}
