// Times the dock bars' layout pass on 10, 50 and 200 thin sizable bars, spread over the four
// sides in rows of up to 5, against a plain frame moving as many plain child windows to the
// same rectangles in one deferred batch (the floor), and prints each figure as a ratio to the
// floor with its target:
//   (a) a resize that moves every bar: the frame's layout pass for a client 40 pixels wider
//       and higher, or narrower and lower, than the last one; target 2x the floor;
//   (b) a layout in which nothing changed; target 0.3x the floor;
//   and the time per bar of (a) at 200 bars against that at 10; target 1.5x.
#include "bench/bench_clock.h"
#include "docking/control_bar.h"
#include "docking/dock_bar.h"
#include "docking/mini_dock_frame.h"
#include "framework/afx.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {
const int kRuns = 9;
int kRepeat = 20; // more for fewer bars, so that each run is long enough to time

class CBenchApp : public CWinApp {
public:
    CBenchApp() : CWinApp(L"DockLayoutBench") {}
};
CBenchApp theApp;

class CBenchFrame : public CFrameWnd {
public:
    CBenchFrame() {
        m_pDockBarClass = RUNTIME_CLASS(SECDockBar);
        m_pFloatingFrameClass = RUNTIME_CLASS(SECMiniDockFrameWnd);
    }
};

double Median(const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const double start = Now();
        work();
        times.push_back((Now() - start) * 1000.0 / kRepeat);
    }
    std::sort(times.begin(), times.end());
    return times[kRuns / 2];
}

struct Result {
    double resize, still, floor;
};

// The rectangles of every bar (in its dock bar) after a layout.
std::vector<CRect> Rects(const std::vector<std::unique_ptr<SECControlBar>>& bars) {
    std::vector<CRect> rects;
    for (const auto& p : bars) {
        CRect r;
        p->GetWindowRect(&r);
        ::MapWindowPoints(NULL, ::GetParent(p->m_hWnd), reinterpret_cast<LPPOINT>(&r), 2);
        rects.push_back(r);
    }
    return rects;
}

Result Measure(int nBars) {
    kRepeat = std::max(20, 4000 / nBars);
    CBenchFrame* pFrame = new CBenchFrame;
    pFrame->Create(NULL, L"bench", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1200, 900));
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    const UINT sides[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                           AFX_IDW_DOCKBAR_RIGHT};
    std::vector<std::unique_ptr<SECControlBar>> bars;
    for (int i = 0; i < nBars; ++i) {
        auto bar = std::make_unique<SECControlBar>();
        bar->Create(pFrame, L"bar", WS_VISIBLE | CBRS_TOP, 0, 0xE900 + i);
        bar->EnableDocking(CBRS_ALIGN_ANY);
        bar->m_szHorzDock = CSize(100, 6);
        bar->m_szVertDock = CSize(6, 100);
        auto* pDock = static_cast<SECDockBar*>(pFrame->GetControlBar(sides[i % 4]));
        const int nOnSide = i / 4;
        pDock->DockControlBarColumnRow(bar.get(), nOnSide % 5, nOnSide / 5);
        bars.push_back(std::move(bar));
    }
    pFrame->RecalcLayout();
    // Two client sizes, 40 pixels apart each way: every bar's length changes between them. The
    // frame's layout runs for each as it does after a resize (the frame window itself is left
    // alone, as the floor has no frame to resize either).
    CRect client;
    pFrame->GetClientRect(&client);
    const CRect large(0, 0, client.right, client.bottom);
    const CRect small(0, 0, client.right - 40, client.bottom - 40);
    auto layout = [&](const CRect& rect) {
        pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CFrameWnd::reposDefault, NULL, &rect);
    };
    layout(large);
    const std::vector<CRect> wide = Rects(bars);
    layout(small);
    const std::vector<CRect> narrow = Rects(bars);
    for (int k = 0; k < 10; ++k)
        layout((k & 1) ? small : large); // warm
    int nFlip = 0;
    Result r;
    r.resize = Median([&] {
        for (int k = 0; k < kRepeat; ++k)
            layout((nFlip++ & 1) ? small : large);
    });
    r.still = Median([&] {
        for (int k = 0; k < kRepeat; ++k)
            pFrame->RecalcLayout();
    });
    // The floor: as many plain children of one plain window, moved to the same rectangles in
    // one batch each time.
    CWnd plain;
    plain.CreateEx(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 1200, 900, NULL, NULL);
    std::vector<HWND> children;
    for (int i = 0; i < nBars; ++i)
        children.push_back(::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 1, 1,
                                             plain.m_hWnd, NULL, NULL, NULL));
    int nMoved = 0;
    for (int i = 0; i < nBars; ++i)
        nMoved += wide[i] != narrow[i];
    if (nMoved != nBars)
        std::printf("  (only %d of %d bars move in the resize)\n", nMoved, nBars);
    int nSet = 0;
    r.floor = Median([&] {
        for (int k = 0; k < kRepeat; ++k) {
            const std::vector<CRect>& target = (nSet++ & 1) ? narrow : wide;
            HDWP hDWP = ::BeginDeferWindowPos(nBars);
            for (int i = 0; i < nBars && hDWP != NULL; ++i)
                hDWP = ::DeferWindowPos(hDWP, children[i], NULL, target[i].left, target[i].top,
                                        target[i].Width(), target[i].Height(),
                                        SWP_NOZORDER | SWP_NOACTIVATE);
            if (hDWP != NULL)
                ::EndDeferWindowPos(hDWP);
        }
    });
    plain.DestroyWindow();
    bars.clear();
    pFrame->DestroyWindow();
    return r;
}
} // namespace

int main() {
    SECControlBar::SetLayoutNoRedraw(0);
    std::printf("dock layout: median of %d runs, per layout\n", kRuns);
    double perBar10 = 0, perBar200 = 0;
    for (int n : {10, 50, 200}) {
        const Result r = Measure(n);
        std::printf("%4d bars  resize %.3f ms = %.2fx floor (target <= 2x)   unchanged %.3f ms = "
                    "%.2fx floor (target <= 0.3x)   floor %.3f ms\n",
                    n, r.resize, r.resize / r.floor, r.still, r.still / r.floor, r.floor);
        if (n == 10)
            perBar10 = r.resize / n;
        if (n == 200)
            perBar200 = r.resize / n;
    }
    std::printf("per bar at 200 = %.2fx per bar at 10 (target <= 1.5x)\n", perBar200 / perBar10);
    return 0;
}
