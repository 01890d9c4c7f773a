// Times the tree control against the common controls' tree view (SysTreeView32 with lines,
// buttons and lines at root) in the same process and run: full-screen windows, the same font
// and texts. Shapes: flat (all top-level) and deep (chains 100 levels deep), at 1k, 10k and
// 100k items. Each figure is printed with the peer's and their ratio, the target beside it.
//   insert   with redraw off, then one layout: flat; deep under collapsed parents; deep under
//            expanded parents (each item getting its row at once);
//   expand   ExpandAll against TVM_EXPAND on every parent, parents first;
//   paint    the full window;
//   page     a page scroll, averaged over scrolling page by page to the end;
//   delhalf  deleting half, one top-level item at a time;
//   delall   deleting everything (TVI_ROOT on both).
// The per-item cost at 100k is compared with that at 1k (target at most 2x); paint and a page
// scroll should not grow with the count.
#include "bench/bench_clock.h"
#include "listtree/tree_ctrl.h"
#include "toolbars/drawing/themeapi.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

const double kTarget = 1.0;

class Host : public CWnd {};

struct Figures {
    std::map<std::string, double> ms;
};

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

std::wstring Text(int i) {
    return L"item " + std::to_wstring(i);
}

// ---- Ours.

Figures RunOurs(HWND hHost, const RECT& rc, HFONT hFont, int nItems, int nDepth, bool bExpanded) {
    Figures f;
    SECTreeCtrl tree;
    tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, rc,
                CWnd::FromHandle(hHost), 1);
    tree.SetItemFont(CFont::FromHandle(hFont));
    tree.SetRedrawFlag(FALSE);
    std::vector<HTREEITEM> tops;
    std::vector<HTREEITEM> parents; // pre-order
    double t = Now();
    HTREEITEM hParent = TVI_ROOT;
    for (int i = 0; i < nItems; ++i) {
        if (nDepth > 1 && i % nDepth == 0)
            hParent = TVI_ROOT;
        TVINSERTSTRUCTW is = {};
        is.hParent = hParent;
        is.hInsertAfter = TVI_LAST;
        is.item.mask = TVIF_TEXT | TVIF_STATE;
        const std::wstring text = Text(i);
        is.item.pszText = const_cast<LPWSTR>(text.c_str());
        is.item.state = bExpanded ? TVIS_EXPANDED : 0;
        is.item.stateMask = TVIS_EXPANDED;
        const HTREEITEM h = tree.InsertItem(&is);
        if (hParent == TVI_ROOT)
            tops.push_back(h);
        if (nDepth > 1 && (i + 1) % nDepth != 0)
            parents.push_back(h);
        if (nDepth > 1)
            hParent = h;
    }
    tree.SetRedrawFlag(TRUE);
    tree.RecalcLayout();
    tree.Invalidate();
    tree.UpdateWindow();
    f.ms["insert"] = (Now() - t) * 1000;
    std::fprintf(stderr, " insert %.0f\n", f.ms["insert"]);

    t = Now();
    tree.ExpandAll(TVI_ROOT, TRUE);
    tree.UpdateWindow();
    f.ms["expand"] = (Now() - t) * 1000;

    t = Now();
    for (int i = 0; i < 5; ++i) {
        tree.Invalidate();
        tree.UpdateWindow();
    }
    f.ms["paint"] = (Now() - t) * 1000 / 5;

    t = Now();
    int nPages = 0;
    for (int nLast = -1; nPages < 200 && tree.GetTopIndex() != nLast; ++nPages) {
        nLast = tree.GetTopIndex();
        tree.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
        tree.UpdateWindow();
    }
    f.ms["page"] = (Now() - t) * 1000 / std::max(nPages, 1);

    t = Now();
    for (size_t i = 0; i < tops.size() / 2; ++i)
        tree.DeleteItem(tops[i]);
    tree.UpdateWindow();
    f.ms["delhalf"] = (Now() - t) * 1000;

    t = Now();
    tree.DeleteItem(TVI_ROOT);
    tree.UpdateWindow();
    f.ms["delall"] = (Now() - t) * 1000;
    tree.DestroyWindow();
    Pump();
    return f;
}

// ---- Wine's tree view.

Figures RunPeer(HWND hHost, const RECT& rc, HFONT hFont, int nItems, int nDepth, bool bExpanded) {
    Figures f;
    HWND hTree = ::CreateWindowExW(0, WC_TREEVIEWW, L"",
                                   WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS |
                                       TVS_LINESATROOT,
                                   rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, hHost,
                                   (HMENU)2, NULL, NULL);
    ::SendMessageW(hTree, WM_SETFONT, (WPARAM)hFont, TRUE);
    ::SendMessageW(hTree, WM_SETREDRAW, FALSE, 0);
    std::vector<HTREEITEM> tops, parents;
    double t = Now();
    HTREEITEM hParent = TVI_ROOT;
    for (int i = 0; i < nItems; ++i) {
        if (nDepth > 1 && i % nDepth == 0)
            hParent = TVI_ROOT;
        TVINSERTSTRUCTW is = {};
        is.hParent = hParent;
        is.hInsertAfter = TVI_LAST;
        is.item.mask = TVIF_TEXT | TVIF_STATE;
        const std::wstring text = Text(i);
        is.item.pszText = const_cast<LPWSTR>(text.c_str());
        is.item.state = bExpanded ? TVIS_EXPANDED : 0;
        is.item.stateMask = TVIS_EXPANDED;
        const HTREEITEM h = (HTREEITEM)::SendMessageW(hTree, TVM_INSERTITEMW, 0, (LPARAM)&is);
        if (hParent == TVI_ROOT)
            tops.push_back(h);
        if (nDepth > 1 && (i + 1) % nDepth != 0)
            parents.push_back(h);
        if (nDepth > 1)
            hParent = h;
    }
    ::SendMessageW(hTree, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(hTree, NULL, TRUE);
    ::UpdateWindow(hTree);
    f.ms["insert"] = (Now() - t) * 1000;
    std::fprintf(stderr, " insert %.0f\n", f.ms["insert"]);

    t = Now();
    for (HTREEITEM h : parents)
        ::SendMessageW(hTree, TVM_EXPAND, TVE_EXPAND, (LPARAM)h);
    ::UpdateWindow(hTree);
    f.ms["expand"] = (Now() - t) * 1000;

    t = Now();
    for (int i = 0; i < 5; ++i) {
        ::InvalidateRect(hTree, NULL, TRUE);
        ::UpdateWindow(hTree);
    }
    f.ms["paint"] = (Now() - t) * 1000 / 5;

    t = Now();
    int nPages = 0;
    for (HTREEITEM hLast = NULL; nPages < 200; ++nPages) {
        const HTREEITEM hTop =
            (HTREEITEM)::SendMessageW(hTree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0);
        if (nPages > 0 && hTop == hLast)
            break;
        hLast = hTop;
        ::SendMessageW(hTree, WM_VSCROLL, SB_PAGEDOWN, 0);
        ::UpdateWindow(hTree);
    }
    f.ms["page"] = (Now() - t) * 1000 / std::max(nPages, 1);

    t = Now();
    for (size_t i = 0; i < tops.size() / 2; ++i)
        ::SendMessageW(hTree, TVM_DELETEITEM, 0, (LPARAM)tops[i]);
    ::UpdateWindow(hTree);
    f.ms["delhalf"] = (Now() - t) * 1000;

    t = Now();
    ::SendMessageW(hTree, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
    ::UpdateWindow(hTree);
    f.ms["delall"] = (Now() - t) * 1000;
    ::DestroyWindow(hTree);
    Pump();
    return f;
}

} // namespace

int main(int argc, char** argv) {
    // An optional largest count (the default runs all three).
    const int nMax = argc > 1 ? std::atoi(argv[1]) : 100000;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    FreeThemeApi();
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    Host host;
    host.CreateEx(0, NULL, L"tree bench", WS_POPUP | WS_VISIBLE, 0, 0, cx, cy, NULL, NULL);
    const RECT rc = {0, 0, cx, cy};
    HFONT hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    struct Shape {
        const char* name;
        int nDepth;
        bool bExpanded;
    } shapes[] = {{"flat", 1, false}, {"deep, collapsed", 100, false}, {"deep, expanded", 100, true}};
    const char* phases[] = {"insert", "expand", "paint", "page", "delhalf", "delall"};
    std::printf("treectrl_bench: ours vs Wine's SysTreeView32, %d x %d, ratio target <= %.1f\n",
                cx, cy, kTarget);
    for (const Shape& shape : shapes) {
        std::map<int, Figures> ours, peer;
        for (int n : {1000, 10000, 100000}) {
            if (n > nMax)
                break;
            std::fprintf(stderr, "%s %d\n", shape.name, n);
            ours[n] = RunOurs(host.m_hWnd, rc, hFont, n, shape.nDepth, shape.bExpanded);
            peer[n] = RunPeer(host.m_hWnd, rc, hFont, n, shape.nDepth, shape.bExpanded);
            std::printf("%s, %d items\n", shape.name, n);
            for (const char* phase : phases) {
                const double a = ours[n].ms[phase], b = peer[n].ms[phase];
                const double ratio = b > 0 ? a / b : 0;
                std::printf("  %-8s %10.2f ms vs %10.2f ms  ratio %6.2f  (target <= %.1f)%s\n", phase,
                            a, b, ratio, kTarget, ratio <= kTarget ? "" : "  OVER");
            }
            std::fflush(stdout);
        }
        std::printf("%s: per-item cost at 100k over 1k (target <= 2.0)\n", shape.name);
        for (const char* phase : {"insert", "expand", "delhalf", "delall"}) {
            if (!ours.count(100000))
                break;
            const double k1 = ours[1000].ms[phase] / 1000, k100 = ours[100000].ms[phase] / 100000;
            std::printf("  %-8s %6.2f%s\n", phase, k1 > 0 ? k100 / k1 : 0,
                        k1 > 0 && k100 / k1 > 2.0 ? "  OVER" : "");
        }
        for (const char* phase : {"paint", "page"})
            if (ours.count(100000))
                std::printf("  %-8s at 100k over 1k %6.2f (target: independent of the count)\n", phase,
                        ours[1000].ms[phase] > 0 ? ours[100000].ms[phase] / ours[1000].ms[phase] : 0);
    }
    host.DestroyWindow();
    return 0;
}
