// Times the docking frames and prints each figure as a ratio to its floor with the target:
//   (a) switching among 50 workbook sheets by clicks on their tabs, each followed by
//       UpdateWindow, against the same 50 worksheets in a plain CMDIFrameWnd switched by
//       WM_MDIACTIVATE and UpdateWindow (the workbook adds only the repainting of two tabs);
//       target 2x the floor.
//   (b) saving and loading a 200-bar layout (docking_frames_persist.cpp).
#include "bench/bench_clock.h"
#include "docking/workbook.h"
#include "framework/afx.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
const int kRuns = 9;
const int kSheets = 50;
const int kSwitches = 200;

class CBenchApp : public CWinApp {
public:
    CBenchApp() : CWinApp(L"DockingFramesBench") {}
};
CBenchApp theApp;

double Median(const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const double start = Now();
        work();
        times.push_back((Now() - start) * 1000.0 / kSwitches);
    }
    std::sort(times.begin(), times.end());
    return times[kRuns / 2];
}

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Opens a frame of the class at the same place and size, with kSheets children of pChildClass.
template <class TFrame>
TFrame* OpenFrame(CRuntimeClass* pChildClass, std::vector<CMDIChildWnd*>& children) {
    auto* pFrame = new TFrame;
    if (!pFrame->Create(NULL, L"Bench", WS_OVERLAPPEDWINDOW, CRect(20, 20, 1020, 720)))
        return nullptr;
    pFrame->ShowWindow(SW_SHOWNA);
    theApp.m_pMainWnd = pFrame;
    for (int i = 0; i < kSheets; ++i) {
        auto* pChild = static_cast<CMDIChildWnd*>(pChildClass->CreateObject());
        if (!pChild->LoadFrame(4000, WS_OVERLAPPEDWINDOW, pFrame, nullptr))
            return nullptr;
        CString strTitle;
        strTitle.Format(L"sheet%d.c", i);
        pChild->SetWindowText(strTitle);
        pChild->ShowWindow(SW_SHOWNORMAL);
        children.push_back(pChild);
    }
    Pump();
    return pFrame;
}

} // namespace

void RunPersistBench();

int main() {
    // The floor: a plain MDI frame switching its children.
    std::vector<CMDIChildWnd*> plain;
    CMDIFrameWnd* pPlain = OpenFrame<CMDIFrameWnd>(RUNTIME_CLASS(SECWorksheetWnd), plain);
    if (pPlain == nullptr)
        return 1;
    int nNext = 0;
    const double floor = Median([&] {
        for (int i = 0; i < kSwitches; ++i) {
            CMDIChildWnd* pChild = plain[(nNext = (nNext + 7) % kSheets)];
            ::SendMessageW(pPlain->m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)pChild->m_hWnd, 0);
            pPlain->UpdateWindow();
        }
    });
    pPlain->DestroyWindow();
    Pump();

    // The workbook: a click on a tab, then UpdateWindow.
    std::vector<CMDIChildWnd*> sheets;
    SECWorkbookWnd* pBook = OpenFrame<SECWorkbookWnd>(RUNTIME_CLASS(SECWorksheetWnd), sheets);
    if (pBook == nullptr)
        return 1;
    pBook->EnableDocking(CBRS_ALIGN_ANY);
    pBook->SetWorkbookMode(TRUE);
    Pump();
    std::vector<CPoint> tabs;
    for (int i = 0; i < kSheets; ++i) {
        std::vector<POINT> p;
        pBook->GetTabPolygon(pBook->GetSheet(i), p);
        tabs.emplace_back((p[0].x + p[5].x) / 2, p[0].y + 10);
    }
    nNext = 0;
    const double book = Median([&] {
        for (int i = 0; i < kSwitches; ++i) {
            const CPoint pt = tabs[(nNext = (nNext + 7) % kSheets)];
            pBook->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
            pBook->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
            pBook->UpdateWindow();
        }
    });
    const bool bFollowed = pBook->MDIGetActive() == pBook->GetSheet(nNext);
    pBook->DestroyWindow();
    Pump();

    std::printf("docking_frames_bench: median of %d runs, %d switches each\n", kRuns, kSwitches);
    std::printf("(a) switch among %d sheets: workbook tab click %.3f ms, plain MDI %.3f ms: "
                "%.2fx (target <= 2x)%s\n",
                kSheets, book, floor, book / floor, bFollowed ? "" : "  [tabs did not follow]");
    RunPersistBench();
    return 0;
}
