// Times the owner-drawn list against the common controls' list view (SysListView32, report
// view) in the same run: full-screen windows, the same font, five columns and the same texts,
// at 1k, 10k and 100k rows of four sub-items each. Each figure is printed with its ratio to the
// list view's and the target beside it:
//   insert: rows with redraw off, then one layout (the list view: WM_SETREDRAW off and on);
//   insert-on: 10k rows with redraw on, a layout after each;
//   sort: the owner sorts its data and rebuilds the rows with redraw off, against
//         LVM_SORTITEMSEX on the same keys;
//   paint: the whole window, updated at once;
//   pages: page by page to the end, updated each time (per page);
//   select: every row selected (SelectRange against LVM_SETITEMSTATE with -1), updated.
#include "bench/bench_clock.h"
#include "listtree/list_ctrl.h"
#include "toolbars/drawing/themeapi.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {

const double kTarget = 1.0;
const int kColumns = 5;
const int kSubItems = kColumns - 1;

std::vector<std::wstring> g_names;
std::vector<std::wstring> g_cells; // row * kSubItems + (k - 1)
std::vector<int> g_keys;

void MakeTexts(int rows) {
    g_names.resize(rows);
    g_cells.resize((size_t)rows * kSubItems);
    g_keys.resize(rows);
    std::mt19937 rng(7);
    for (int r = 0; r < rows; ++r) {
        g_names[r] = L"variable_" + std::to_wstring(r);
        for (int k = 1; k <= kSubItems; ++k)
            g_cells[(size_t)r * kSubItems + k - 1] = std::to_wstring(r) + L"." + std::to_wstring(k);
        g_keys[r] = (int)(rng() % 1000000);
    }
}

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

double Time(const std::function<void()>& work) {
    const double start = Now();
    work();
    return (Now() - start) * 1000.0;
}

void Report(const char* what, int rows, double ours, double peer, double target = kTarget) {
    const double ratio = peer > 0 ? ours / peer : 0;
    std::printf(
        "  %-9s %6d rows: %10.2f ms vs list view %10.2f ms  ratio %6.2f  (target <= %.1f)%s\n",
        what, rows, ours, peer, ratio, target, ratio <= target ? "" : "  OVER");
}

// ---- Ours.

struct Ours {
    CWnd frame;
    SECListCtrl list;
    void Create(const RECT& rc) {
        frame.CreateEx(0, NULL, L"ours", WS_POPUP | WS_VISIBLE, rc.left, rc.top, rc.right - rc.left,
                       rc.bottom - rc.top, NULL, NULL);
        list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOLABELWRAP | LVS_SHOWSELALWAYS,
                    CRect(0, 0, rc.right - rc.left, rc.bottom - rc.top), &frame, 1);
        for (int c = 0; c < kColumns; ++c)
            list.AppendColumnArgs((L"Column " + std::to_wstring(c)).c_str(), LVCFMT_LEFT, 180);
    }
    void InsertRow(int at, int r) {
        list.InsertItemText(at, g_names[r].c_str());
        LVITEM item = {};
        item.mask = LVIF_TEXT | LVIF_DI_SETITEM;
        item.iItem = at;
        for (int k = 1; k <= kSubItems; ++k) {
            item.iSubItem = k;
            item.pszText = const_cast<LPWSTR>(g_cells[(size_t)r * kSubItems + k - 1].c_str());
            list.SetItem(&item, list.IsRedrawOn());
        }
    }
    void Fill(int rows) {
        list.SetRedrawFlag(FALSE);
        for (int r = 0; r < rows; ++r)
            InsertRow(r, r);
        list.SetRedrawFlag(TRUE);
        list.RecalcLayout();
    }
    void Clear() { list.DeleteAllItems(); }
    int Top() { return list.GetTopIndex(); }
};

// ---- The peer.

struct Peer {
    HWND hFrame = NULL, hList = NULL;
    void Create(const RECT& rc) {
        hFrame = ::CreateWindowExW(0, L"STATIC", L"peer", WS_POPUP | WS_VISIBLE, rc.left, rc.top,
                                   rc.right - rc.left, rc.bottom - rc.top, NULL, NULL, NULL, NULL);
        hList = ::CreateWindowExW(
            0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0,
            rc.right - rc.left, rc.bottom - rc.top, hFrame, (HMENU)1, NULL, NULL);
        ::SendMessageW(hList, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), TRUE);
        for (int c = 0; c < kColumns; ++c) {
            std::wstring heading = L"Column " + std::to_wstring(c);
            LVCOLUMNW col = {};
            col.mask = LVCF_TEXT | LVCF_WIDTH;
            col.cx = 180;
            col.pszText = &heading[0];
            ::SendMessageW(hList, LVM_INSERTCOLUMNW, c, (LPARAM)&col);
        }
    }
    void InsertRow(int at, int r) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = at;
        item.lParam = r;
        item.pszText = const_cast<LPWSTR>(g_names[r].c_str());
        const int row = (int)::SendMessageW(hList, LVM_INSERTITEMW, 0, (LPARAM)&item);
        for (int k = 1; k <= kSubItems; ++k) {
            LVITEMW sub = {};
            sub.iSubItem = k;
            sub.pszText = const_cast<LPWSTR>(g_cells[(size_t)r * kSubItems + k - 1].c_str());
            ::SendMessageW(hList, LVM_SETITEMTEXTW, row, (LPARAM)&sub);
        }
    }
    void Fill(int rows) {
        ::SendMessageW(hList, WM_SETREDRAW, FALSE, 0);
        for (int r = 0; r < rows; ++r)
            InsertRow(r, r);
        ::SendMessageW(hList, WM_SETREDRAW, TRUE, 0);
    }
    void Clear() { ::SendMessageW(hList, LVM_DELETEALLITEMS, 0, 0); }
    int Top() { return (int)::SendMessageW(hList, LVM_GETTOPINDEX, 0, 0); }
};

// Rows stand in data order before the sort, so a row index is its key index.
int CALLBACK CompareKeys(LPARAM a, LPARAM b, LPARAM) {
    return g_keys[(size_t)a] - g_keys[(size_t)b];
}

void Show(HWND hShow, HWND hHide) {
    ::ShowWindow(hHide, SW_HIDE);
    ::ShowWindow(hShow, SW_SHOW);
    ::SetForegroundWindow(hShow);
    Pump();
}

template <class List> double PageToEnd(List& list, HWND hList, int* pPages) {
    list.Top();
    ::SendMessageW(hList, WM_VSCROLL, SB_TOP, 0);
    ::UpdateWindow(hList);
    int pages = 0;
    const double ms = Time([&] {
        for (;;) {
            const int top = list.Top();
            ::SendMessageW(hList, WM_VSCROLL, SB_PAGEDOWN, 0);
            ::UpdateWindow(hList);
            if (list.Top() == top)
                break;
            ++pages;
        }
    });
    *pPages = std::max(pages, 1);
    return ms;
}

void Bench(Ours& ours, Peer& peer, int rows, double* pInsertPerRow) {
    MakeTexts(rows);
    std::printf("%d rows, %d sub-items each:\n", rows, kSubItems);

    Show(ours.frame.m_hWnd, peer.hFrame);
    const double insertOurs = Time([&] {
        ours.Fill(rows);
        ::UpdateWindow(ours.list.m_hWnd);
    });
    Show(peer.hFrame, ours.frame.m_hWnd);
    const double insertPeer = Time([&] {
        peer.Fill(rows);
        ::UpdateWindow(peer.hList);
    });
    Report("insert", rows, insertOurs, insertPeer);
    *pInsertPerRow = insertOurs / rows;

    // Sorting: the owner orders its data, then the rows are built again.
    Show(ours.frame.m_hWnd, peer.hFrame);
    const double sortOurs = Time([&] {
        std::vector<int> order(rows);
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(), [](int a, int b) { return g_keys[a] < g_keys[b]; });
        ours.list.SetRedrawFlag(FALSE);
        ours.Clear();
        for (int i = 0; i < rows; ++i)
            ours.InsertRow(i, order[i]);
        ours.list.SetRedrawFlag(TRUE);
        ours.list.RecalcLayout();
        ::UpdateWindow(ours.list.m_hWnd);
    });
    Show(peer.hFrame, ours.frame.m_hWnd);
    const double sortPeer = Time([&] {
        ::SendMessageW(peer.hList, LVM_SORTITEMSEX, 0, (LPARAM)&CompareKeys);
        ::UpdateWindow(peer.hList);
    });
    Report("sort", rows, sortOurs, sortPeer);

    const int kPaints = 10;
    Show(ours.frame.m_hWnd, peer.hFrame);
    const double paintOurs = Time([&] {
                                 for (int i = 0; i < kPaints; ++i)
                                     ::RedrawWindow(ours.list.m_hWnd, NULL, NULL,
                                                    RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
                             }) /
                             kPaints;
    Show(peer.hFrame, ours.frame.m_hWnd);
    const double paintPeer =
        Time([&] {
            for (int i = 0; i < kPaints; ++i)
                ::RedrawWindow(peer.hList, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        }) /
        kPaints;
    Report("paint", rows, paintOurs, paintPeer);

    int pagesOurs = 1, pagesPeer = 1;
    Show(ours.frame.m_hWnd, peer.hFrame);
    const double scrollOurs = PageToEnd(ours, ours.list.m_hWnd, &pagesOurs) / pagesOurs;
    Show(peer.hFrame, ours.frame.m_hWnd);
    const double scrollPeer = PageToEnd(peer, peer.hList, &pagesPeer) / pagesPeer;
    Report("page", rows, scrollOurs, scrollPeer);

    Show(ours.frame.m_hWnd, peer.hFrame);
    const double selectOurs = Time([&] {
        ours.list.SelectRange(0, rows - 1, TRUE);
        ::UpdateWindow(ours.list.m_hWnd);
    });
    Show(peer.hFrame, ours.frame.m_hWnd);
    const double selectPeer = Time([&] {
        LVITEMW item = {};
        item.stateMask = LVIS_SELECTED;
        item.state = LVIS_SELECTED;
        ::SendMessageW(peer.hList, LVM_SETITEMSTATE, (WPARAM)-1, (LPARAM)&item);
        ::UpdateWindow(peer.hList);
    });
    Report("select", rows, selectOurs, selectPeer);

    ours.Clear();
    peer.Clear();
}

void BenchInsertRedrawOn(Ours& ours, Peer& peer) {
    const int rows = 10000;
    MakeTexts(rows);
    Show(ours.frame.m_hWnd, peer.hFrame);
    ours.list.SetRedrawFlag(TRUE);
    const double oursMs = Time([&] {
        for (int r = 0; r < rows; ++r)
            ours.InsertRow(r, r);
        ::UpdateWindow(ours.list.m_hWnd);
    });
    Show(peer.hFrame, ours.frame.m_hWnd);
    const double peerMs = Time([&] {
        for (int r = 0; r < rows; ++r)
            peer.InsertRow(r, r);
        ::UpdateWindow(peer.hList);
    });
    Report("insert-on", rows, oursMs, peerMs);
    ours.Clear();
    peer.Clear();
}

} // namespace

int main() {
    InitCommonControls();
    FreeThemeApi(); // both lists draw classic
    RECT screen = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    Ours ours;
    ours.Create(screen);
    Peer peer;
    peer.Create(screen);
    Pump();
    std::printf("listctrl_bench: ours vs SysListView32, %ld x %ld, DEFAULT_GUI_FONT\n",
                screen.right, screen.bottom);
    double perRow1k = 0, perRow = 0;
    for (int rows : {1000, 10000, 100000}) {
        Bench(ours, peer, rows, &perRow);
        if (rows == 1000)
            perRow1k = perRow;
    }
    std::printf("insert per row at 100k / at 1k: %.2f  (target <= 2.0)%s\n",
                perRow1k > 0 ? perRow / perRow1k : 0,
                perRow1k > 0 && perRow / perRow1k <= 2.0 ? "" : "  OVER");
    BenchInsertRedrawOn(ours, peer);
    ours.list.DestroyWindow();
    ours.frame.DestroyWindow();
    ::DestroyWindow(peer.hFrame);
    return 0;
}
