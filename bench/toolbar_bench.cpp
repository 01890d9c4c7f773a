// The custom toolbar against the common controls' toolbar (ToolbarWindow32, wrapable) with the
// same buttons, strip, width and height in one window: a committed layout against a resize with
// TB_AUTOSIZE, and a full paint of each. Medians of five runs, printed as ratios to the peer.
#include "bench_clock.h"
#include "docking/dock_bar.h"
#include "docking/mini_dock_frame.h"
#include "toolbars/custom_toolbar.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {
const int kRuns = 5;
const int kRepeat = 10;
const int kWidth = 600;

class CBenchApp : public CWinApp {
public:
    CBenchApp() : CWinApp(L"ToolbarBench") {}
};
CBenchApp theApp;

double Median(const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const double start = Now();
        for (int r = 0; r < kRepeat; ++r)
            work();
        times.push_back((Now() - start) * 1000.0 / kRepeat);
    }
    std::sort(times.begin(), times.end());
    return times[kRuns / 2];
}

HBITMAP MakeStrip(int nCount) {
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 16 * nCount, 15);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    for (int i = 0; i < nCount; ++i) {
        HBRUSH hBrush = ::CreateSolidBrush(RGB(i * 37 % 256, i * 91 % 256, i * 53 % 256));
        RECT r = {i * 16, 0, i * 16 + 16, 15};
        ::FillRect(hDC, &r, hBrush);
        ::DeleteObject(hBrush);
    }
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::ReleaseDC(NULL, hScreen);
    return hBitmap;
}

struct Result {
    double oursLayout, peerLayout, oursPaint, peerPaint;
};

Result Measure(CWnd& host, int nButtons) {
    std::vector<UINT> ids;
    for (int i = 0; i < nButtons; ++i)
        ids.push_back(i % 10 == 9 ? 0 : 1000 + i);
    HBITMAP hOurs = MakeStrip(nButtons);
    HBITMAP hPeer = MakeStrip(nButtons);
    // Ours.
    std::unique_ptr<SECCustomToolBar> pBar(new SECCustomToolBar);
    pBar->CreateEx(0, &host, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC, 100);
    std::vector<UINT> imageIds;
    for (UINT id : ids)
        if (id != 0)
            imageIds.push_back(id);
    pBar->GetBmpMgr()->AddBitmap(hOurs, NULL, imageIds.data(), static_cast<int>(imageIds.size()));
    pBar->SetButtons(ids.data(), nButtons);
    const CSize size = pBar->CalcLayout(kWidth, LM_HORZ | LM_COMMIT);
    pBar->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER);
    // The peer.
    // The peer gets the same place and size; each is measured while the other is hidden, so
    // both paint every button and neither clips the other.
    HWND hPeerBar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, NULL,
                                      WS_CHILD | TBSTYLE_WRAPABLE | CCS_NORESIZE |
                                          CCS_NOPARENTALIGN | CCS_NODIVIDER,
                                      0, 0, kWidth, size.cy, host.m_hWnd, NULL, NULL, NULL);
    ::SendMessageW(hPeerBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBADDBITMAP add = {NULL, (UINT_PTR)hPeer};
    ::SendMessageW(hPeerBar, TB_ADDBITMAP, nButtons, (LPARAM)&add);
    std::vector<TBBUTTON> buttons;
    int iImage = 0;
    for (UINT id : ids) {
        TBBUTTON b = {};
        b.fsState = TBSTATE_ENABLED;
        if (id == 0) {
            b.fsStyle = TBSTYLE_SEP;
            b.iBitmap = 8;
        } else {
            b.idCommand = static_cast<int>(id);
            b.iBitmap = iImage++;
        }
        buttons.push_back(b);
    }
    ::SendMessageW(hPeerBar, TB_ADDBUTTONSW, buttons.size(), (LPARAM)buttons.data());
    Result r;
    int flip = 0;
    r.oursLayout =
        Median([&] { pBar->CalcLayout(kWidth - (flip++ & 1) * 40, LM_HORZ | LM_COMMIT); });
    r.peerLayout = Median([&] {
        ::SetWindowPos(hPeerBar, NULL, 0, 0, kWidth - (flip++ & 1) * 40, size.cy,
                       SWP_NOZORDER | SWP_NOMOVE);
        ::SendMessageW(hPeerBar, TB_AUTOSIZE, 0, 0);
    });
    ::SetWindowPos(hPeerBar, NULL, 0, 0, kWidth, size.cy, SWP_NOZORDER | SWP_NOMOVE);
    ::SendMessageW(hPeerBar, TB_AUTOSIZE, 0, 0);
    r.oursPaint = Median([&] {
        ::RedrawWindow(pBar->m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    });
    pBar->ShowWindow(SW_HIDE);
    ::ShowWindow(hPeerBar, SW_SHOWNA);
    r.peerPaint = Median(
        [&] { ::RedrawWindow(hPeerBar, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); });
    pBar->DestroyWindow();
    ::DestroyWindow(hPeerBar);
    ::DeleteObject(hPeer);
    ::DeleteObject(hOurs);
    return r;
}
} // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    CFrameWnd* pHost = new CFrameWnd;
    pHost->Create(NULL, L"Toolbar bench", WS_OVERLAPPEDWINDOW, CRect(0, 0, kWidth + 40, 600));
    pHost->ShowWindow(SW_SHOWNA);
    std::printf("toolbar: median of %d runs of %d, ours vs ToolbarWindow32 (theme: %s)\n", kRuns,
                kRepeat, ::IsAppThemed() ? "on" : "off");
    double perButton100 = 0, perButton500 = 0;
    for (int n : {10, 100, 500}) {
        const Result r = Measure(*pHost, n);
        std::printf("%4d buttons  layout %.3f ms = %.2fx peer (target <= 1.0)   paint %.3f ms = "
                    "%.2fx peer (target <= 1.0)\n",
                    n, r.oursLayout, r.oursLayout / r.peerLayout, r.oursPaint,
                    r.oursPaint / r.peerPaint);
        if (n == 100)
            perButton100 = (r.oursLayout + r.oursPaint) / n;
        if (n == 500)
            perButton500 = (r.oursLayout + r.oursPaint) / n;
    }
    std::printf("per button at 500 = %.2fx per button at 100 (target <= 1.5x)\n",
                perButton500 / perButton100);
    pHost->DestroyWindow();
    return 0;
}
