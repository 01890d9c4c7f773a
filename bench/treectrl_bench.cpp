// Times the tree control against the common controls' tree view (SysTreeView32 with lines,
// buttons and lines at root) in the same process and run: full-screen windows, the same font
// and texts. Shapes: flat (all top-level) and deep (chains 100 levels deep), at 1k, 10k and
// 100k items. Each figure is printed with the peer's and their ratio, the target beside it.
//   insert   with redraw off, then one layout: flat; deep under collapsed parents; deep under
//            expanded parents (each item getting its row at once);
//   expand   ExpandAll against TVM_EXPAND on every parent, parents first (a flat tree, where
//            there is nothing to expand, times the call as the median of many);
//   paint    the full window scrolled to the top left (the median of several);
//   page     a page scroll, the median over scrolling page by page from the top to the end
//            (at most 200 pages); the line gives the rows and each side's pages, and says so
//            where a side stopped before the last page or saw other rows;
//   delhalf  deleting half, one top-level item at a time;
//   delall   deleting everything (TVI_ROOT on both); up to 10k items the same half is built
//            again (untimed) and deleted again, and the median is printed. The two sides take
//            turns, each shown alone while it runs, so that a machine that speeds up or slows
//            down over the run weighs on both alike.
// Where a peer phase is skipped (too slow), the peer reaches the state after it untimed: its
// items inserted again expanded (expand), the half deleted at once and built again (delhalf),
// so that the phases after it see the same rows on both sides.
// The per-item cost at 100k is compared with that at 1k (target at most 2x); paint and a page
// scroll should not grow with the count.
#include "bench/bench_clock.h"
#include "listtree/tree_ctrl.h"
#include "toolbars/drawing/themeapi.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

const double kTarget = 1.0;

class Host : public CWnd {};

// One side's window after its phases up to delete-half, kept for the delete-all turns.
struct DelAllSide {
    std::function<void(bool)> show;  // untimed: shown (and painted) alone, or hidden
    std::function<void()> rebuild;   // untimed: the half kept by delete-half, expanded
    std::function<void()> deleteAll; // timed: TVI_ROOT, then the update
    std::function<void()> destroy;
};

struct Figures {
    std::map<std::string, double> ms;
    int nPages = 0;       // pages scrolled
    bool bPageEnd = true; // the page phase reached the last page (or scrolled kMaxPages)
    int nRows = 0;        // rows when the page phase began
    DelAllSide delAll;
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

double Median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The milliseconds of the median of nRuns calls of fn.
template <class F> double MedianMs(int nRuns, F&& fn) {
    std::vector<double> ms;
    for (int i = 0; i < nRuns; ++i) {
        const double t = Now();
        fn();
        ms.push_back((Now() - t) * 1000);
    }
    return Median(ms);
}

const int kPaintRuns = 9;
const int kTinyRuns = 101;
const int kMaxPages = 200;
const int kDelAllRuns = 11;
const int kDelAllRepeatMax = 10000;

// The items of one shape, in insertion order: every nDepth-th starts a new top-level chain.
struct Shape {
    int nItems;
    int nDepth;
    bool bExpanded;
};

// Inserts items [nFirst, nItems) of the shape through insert(parent, i, state), which returns the
// new item; collects the top-level items and the parents (pre-order).
template <class F>
void Build(const Shape& shape, int nFirst, bool bExpanded, F&& insert, std::vector<HTREEITEM>* tops,
           std::vector<HTREEITEM>* parents) {
    HTREEITEM hParent = TVI_ROOT;
    for (int i = nFirst; i < shape.nItems; ++i) {
        if (shape.nDepth > 1 && i % shape.nDepth == 0)
            hParent = TVI_ROOT;
        const HTREEITEM h = insert(hParent, i, bExpanded ? TVIS_EXPANDED : 0);
        if (hParent == TVI_ROOT && tops != nullptr)
            tops->push_back(h);
        if (shape.nDepth > 1 && (i + 1) % shape.nDepth != 0 && parents != nullptr)
            parents->push_back(h);
        if (shape.nDepth > 1)
            hParent = h;
    }
}

SCROLLINFO VertScroll(HWND hWnd, int nBar) {
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    if (!::GetScrollInfo(hWnd, nBar, &si))
        si.nMax = si.nPage = si.nPos = 0;
    return si;
}

// The vertical scroll bar (a window's own, or a bar control) shows the last page.
bool AtLastPage(HWND hWnd, int nBar) {
    const SCROLLINFO si = VertScroll(hWnd, nBar);
    return si.nPos + (int)si.nPage > si.nMax;
}

TVINSERTSTRUCTW InsertRecord(HTREEITEM hParent, const std::wstring& text, UINT state) {
    TVINSERTSTRUCTW is = {};
    is.hParent = hParent;
    is.hInsertAfter = TVI_LAST;
    is.item.mask = TVIF_TEXT | TVIF_STATE;
    is.item.pszText = const_cast<LPWSTR>(text.c_str());
    is.item.state = state;
    is.item.stateMask = TVIS_EXPANDED;
    return is;
}

// ---- Ours.

Figures RunOurs(HWND hHost, const RECT& rc, HFONT hFont, const Shape& shape) {
    Figures f;
    auto pTree = std::make_shared<SECTreeCtrl>();
    SECTreeCtrl& tree = *pTree;
    tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, rc,
                CWnd::FromHandle(hHost), 1);
    tree.SetItemFont(CFont::FromHandle(hFont));
    // Held by value: the delete-all turns use it after this function has returned.
    auto build = [pTree, shape](int nFirst, bool bExpanded, std::vector<HTREEITEM>* tops,
                                std::vector<HTREEITEM>* parents) {
        SECTreeCtrl& tree = *pTree;
        auto insert = [&](HTREEITEM hParent, int i, UINT state) {
            const std::wstring text = Text(i);
            TVINSERTSTRUCTW is = InsertRecord(hParent, text, state);
            return tree.InsertItem(&is);
        };
        tree.SetRedrawFlag(FALSE);
        Build(shape, nFirst, bExpanded, insert, tops, parents);
        tree.SetRedrawFlag(TRUE);
        tree.RecalcLayout();
        tree.Invalidate();
        tree.UpdateWindow();
    };
    std::vector<HTREEITEM> tops, parents; // parents in pre-order
    double t = Now();
    build(0, shape.bExpanded, &tops, &parents);
    f.ms["insert"] = (Now() - t) * 1000;

    auto expand = [&] {
        tree.ExpandAll(TVI_ROOT, TRUE);
        tree.UpdateWindow();
    };
    f.ms["expand"] = MedianMs(parents.empty() ? kTinyRuns : 1, expand);

    // Paint and pages start from the top left on both sides (an expand may have scrolled).
    tree.SendMessage(WM_VSCROLL, SB_TOP, 0);
    tree.SendMessage(WM_HSCROLL, SB_LEFT, 0);
    tree.UpdateWindow();
    f.ms["paint"] = MedianMs(kPaintRuns, [&] {
        tree.Invalidate();
        tree.UpdateWindow();
    });

    f.nRows = tree.GetItemCount();
    std::vector<double> pages;
    while ((int)pages.size() < kMaxPages) {
        const int nBefore = tree.GetTopIndex();
        t = Now();
        tree.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
        tree.UpdateWindow();
        const double ms = (Now() - t) * 1000;
        if (tree.GetTopIndex() == nBefore)
            break;
        pages.push_back(ms);
    }
    f.ms["page"] = Median(pages);
    f.nPages = (int)pages.size();
    f.bPageEnd =
        f.nPages == kMaxPages || AtLastPage(tree.GetScrollBarCtrl(SB_VERT)->m_hWnd, SB_CTL);

    t = Now();
    for (size_t i = 0; i < tops.size() / 2; ++i)
        tree.DeleteItem(tops[i]);
    tree.UpdateWindow();
    f.ms["delhalf"] = (Now() - t) * 1000;

    // The half left: everything from the first top-level item not deleted, all expanded.
    const int nKeptFirst = (int)(tops.size() / 2) * shape.nDepth;
    f.delAll.show = [pTree](bool bShow) {
        pTree->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
        pTree->UpdateWindow();
    };
    f.delAll.rebuild = [build, nKeptFirst] { build(nKeptFirst, true, nullptr, nullptr); };
    f.delAll.deleteAll = [pTree] {
        pTree->DeleteItem(TVI_ROOT);
        pTree->UpdateWindow();
    };
    f.delAll.destroy = [pTree] {
        pTree->DestroyWindow();
        Pump();
    };
    return f;
}

// ---- Wine's tree view.

// Phases the peer would take too long for are skipped (its time printed as "-").
Figures RunPeer(HWND hHost, const RECT& rc, HFONT hFont, const Shape& shape,
                const std::map<std::string, bool>& skip) {
    Figures f;
    auto skipped = [&](const char* phase) {
        auto it = skip.find(phase);
        if (it == skip.end() || !it->second)
            return false;
        f.ms[phase] = -1;
        return true;
    };
    HWND hTree = ::CreateWindowExW(
        0, WC_TREEVIEWW, L"",
        WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, rc.left, rc.top,
        rc.right - rc.left, rc.bottom - rc.top, hHost, (HMENU)2, NULL, NULL);
    ::SendMessageW(hTree, WM_SETFONT, (WPARAM)hFont, TRUE);
    auto build = [hTree, shape](int nFirst, bool bExpanded, std::vector<HTREEITEM>* tops,
                                std::vector<HTREEITEM>* parents) {
        auto insert = [&](HTREEITEM hParent, int i, UINT state) {
            const std::wstring text = Text(i);
            TVINSERTSTRUCTW is = InsertRecord(hParent, text, state);
            return (HTREEITEM)::SendMessageW(hTree, TVM_INSERTITEMW, 0, (LPARAM)&is);
        };
        ::SendMessageW(hTree, WM_SETREDRAW, FALSE, 0);
        Build(shape, nFirst, bExpanded, insert, tops, parents);
        ::SendMessageW(hTree, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(hTree, NULL, TRUE);
        ::UpdateWindow(hTree);
    };
    std::vector<HTREEITEM> tops, parents;
    double t = Now();
    build(0, shape.bExpanded, &tops, &parents);
    f.ms["insert"] = (Now() - t) * 1000;

    if (!skipped("expand")) {
        f.ms["expand"] = MedianMs(parents.empty() ? kTinyRuns : 1, [&] {
            for (HTREEITEM h : parents)
                ::SendMessageW(hTree, TVM_EXPAND, TVE_EXPAND, (LPARAM)h);
            ::UpdateWindow(hTree);
        });
    } else if (!shape.bExpanded) {
        // The same rows as ours after its expand: the items again, inserted expanded (untimed).
        ::SendMessageW(hTree, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
        tops.clear();
        parents.clear();
        build(0, true, &tops, &parents);
    }

    ::SendMessageW(hTree, WM_VSCROLL, SB_TOP, 0);
    ::SendMessageW(hTree, WM_HSCROLL, SB_LEFT, 0);
    ::UpdateWindow(hTree);
    f.ms["paint"] = MedianMs(kPaintRuns, [&] {
        ::InvalidateRect(hTree, NULL, TRUE);
        ::UpdateWindow(hTree);
    });

    f.nRows = VertScroll(hTree, SB_VERT).nMax + 1;
    std::vector<double> pages;
    while ((int)pages.size() < kMaxPages) {
        const HTREEITEM hBefore =
            (HTREEITEM)::SendMessageW(hTree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0);
        t = Now();
        ::SendMessageW(hTree, WM_VSCROLL, SB_PAGEDOWN, 0);
        ::UpdateWindow(hTree);
        const double ms = (Now() - t) * 1000;
        if ((HTREEITEM)::SendMessageW(hTree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0) == hBefore)
            break;
        pages.push_back(ms);
    }
    f.ms["page"] = Median(pages);
    f.nPages = (int)pages.size();
    f.bPageEnd = f.nPages == kMaxPages || AtLastPage(hTree, SB_VERT);

    t = Now();
    if (!skipped("delhalf")) {
        for (size_t i = 0; i < tops.size() / 2; ++i)
            ::SendMessageW(hTree, TVM_DELETEITEM, 0, (LPARAM)tops[i]);
        ::UpdateWindow(hTree);
        f.ms["delhalf"] = (Now() - t) * 1000;
    } else {
        // The same half goes untimed, all at once, and comes back expanded without the rest.
        ::SendMessageW(hTree, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
        build((int)(tops.size() / 2) * shape.nDepth, true, nullptr, nullptr);
    }

    const int nKeptFirst = (int)(tops.size() / 2) * shape.nDepth;
    f.delAll.show = [hTree](bool bShow) {
        ::ShowWindow(hTree, bShow ? SW_SHOW : SW_HIDE);
        ::UpdateWindow(hTree);
    };
    f.delAll.rebuild = [build, nKeptFirst] { build(nKeptFirst, true, nullptr, nullptr); };
    f.delAll.deleteAll = [hTree] {
        ::SendMessageW(hTree, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
        ::UpdateWindow(hTree);
    };
    f.delAll.destroy = [hTree] {
        ::DestroyWindow(hTree);
        Pump();
    };
    return f;
}

// Delete-all, the two sides taking turns (the first in each round alternating): each turn shows
// its side alone, builds the kept half again after the first round (untimed), and times the
// deletion. Both windows are destroyed afterwards.
void DelAllInTurns(Figures* pOurs, Figures* pPeer, int nItems) {
    Figures* sides[2] = {pOurs, pPeer};
    std::vector<double> ms[2];
    const int nRuns = nItems <= kDelAllRepeatMax ? kDelAllRuns : 1;
    for (int k = 0; k < nRuns; ++k) {
        for (int j = 0; j < 2; ++j) {
            const int i = (k + j) % 2;
            DelAllSide& side = sides[i]->delAll;
            sides[1 - i]->delAll.show(false);
            side.show(true);
            if (k > 0)
                side.rebuild();
            Pump();
            const double t = Now();
            side.deleteAll();
            ms[i].push_back((Now() - t) * 1000);
        }
    }
    for (int i = 0; i < 2; ++i) {
        sides[i]->ms["delall"] = Median(ms[i]);
        sides[i]->delAll.destroy();
    }
}

// Both sides paged over the same rows from the top: the pages each scrolled, and a warning
// where one of them stopped short of the last page or saw other rows.
void PrintPaging(const Figures& ours, const Figures& peer) {
    std::printf("  [%d rows, %d vs %d pages]", ours.nRows, ours.nPages, peer.nPages);
    if (!ours.bPageEnd || !peer.bPageEnd)
        std::printf("  NOT AT THE END (%s)", !peer.bPageEnd ? "peer" : "ours");
    if (ours.nRows != peer.nRows)
        std::printf("  ROWS DIFFER (peer %d)", peer.nRows);
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
    struct NamedShape {
        const char* name;
        int nDepth;
        bool bExpanded;
    } shapes[] = {
        {"flat", 1, false}, {"deep, collapsed", 100, false}, {"deep, expanded", 100, true}};
    const char* phases[] = {"insert", "expand", "paint", "page", "delhalf", "delall"};
    std::printf("treectrl_bench: ours vs Wine's SysTreeView32, %d x %d, ratio target <= %.1f\n", cx,
                cy, kTarget);
    for (const NamedShape& shape : shapes) {
        std::map<int, Figures> ours, peer;
        for (int n : {1000, 10000, 100000}) {
            if (n > nMax)
                break;
            const Shape sized = {n, shape.nDepth, shape.bExpanded};
            ours[n] = RunOurs(host.m_hWnd, rc, hFont, sized);
            ours[n].delAll.show(false); // the peer's phases run with the window to themselves
            // A peer phase that would pass 30 s at this count (growing as the square) is skipped.
            std::map<std::string, bool> skip;
            for (const char* phase : phases) {
                const int nPrev = n / 10;
                if (peer.count(nPrev)) {
                    const double prev = peer[nPrev].ms[phase];
                    skip[phase] = prev < 0 || prev * 100 > 30000;
                }
            }
            peer[n] = RunPeer(host.m_hWnd, rc, hFont, sized, skip);
            DelAllInTurns(&ours[n], &peer[n], n);
            std::printf("%s, %d items\n", shape.name, n);
            for (const char* phase : phases) {
                const double a = ours[n].ms[phase], b = peer[n].ms[phase];
                if (b < 0) {
                    std::printf("  %-8s %10.2f ms vs          - (peer skipped: too slow)\n", phase,
                                a);
                    continue;
                }
                const double ratio = b > 0 ? a / b : 0;
                std::printf("  %-8s %10.2f ms vs %10.2f ms  ratio %6.2f  (target <= %.1f)%s", phase,
                            a, b, ratio, kTarget, ratio <= kTarget ? "" : "  OVER");
                if (std::string(phase) == "page")
                    PrintPaging(ours[n], peer[n]);
                std::printf("\n");
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
                std::printf(
                    "  %-8s at 100k over 1k %6.2f (target: independent of the count)\n", phase,
                    ours[1000].ms[phase] > 0 ? ours[100000].ms[phase] / ours[1000].ms[phase] : 0);
    }
    host.DestroyWindow();
    return 0;
}
