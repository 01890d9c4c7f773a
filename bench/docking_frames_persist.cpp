// Part (b) of the docking-frames bench: saving and loading a 200-bar layout.
//   save: SaveBarState against writing the same values through the profile functions directly;
//         target 1.5x the floor.
//   load: LoadBarState (read, bars made and placed) against reading the same values through the
//         profile functions plus the 200 bars placed in one deferred batch; target 2x.
#include "bench/bench_clock.h"
#include "docking/dock_state.h"
#include "docking/mdi_frame.h"
#include "framework/afx.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {
const int kRuns = 7;
const int kBars = 200;
const UINT kFirstBar = 0x9000;
const wchar_t kRegistryKey[] = L"MoxDockingFramesBench";
const wchar_t kLayout[] = L"Bench";
const wchar_t kDefault[] = L"BenchDefault";

class CBenchBar : public SECControlBar {
    DECLARE_DYNCREATE(CBenchBar)
};
IMPLEMENT_DYNCREATE(CBenchBar, SECControlBar)

// Every value a save writes, as the floor writes and reads them again.
struct Value {
    CString section, key, text;
    int number;
    bool isText;
};

class CRecordingStore : public CBarValueStore {
public:
    CRecordingStore(const CString& section, std::vector<Value>& out)
        : m_section(section), m_out(out) {}
    int GetInt(LPCTSTR, int nDefault) override { return nDefault; }
    void SetInt(LPCTSTR key, int n) override { m_out.push_back({m_section, key, L"", n, false}); }
    CString GetString(LPCTSTR, LPCTSTR def) override { return def; }
    void SetString(LPCTSTR key, LPCTSTR text) override {
        m_out.push_back({m_section, key, text, 0, true});
    }
    BOOL GetBinary(LPCTSTR, CByteArray&) override { return FALSE; }
    void SetBinary(LPCTSTR, const BYTE*, UINT) override {}

private:
    CString m_section;
    std::vector<Value>& m_out;
};

// Medians of the work and its floor, run in turns so that a busy machine slows both alike.
std::pair<double, double> MedianPair(int nRuns, const std::function<void()>& prepare,
                                     const std::function<void()>& work,
                                     const std::function<void()>& floor) {
    std::vector<double> a, b;
    for (int i = 0; i < nRuns; ++i) {
        prepare();
        double start = Now();
        work();
        a.push_back((Now() - start) * 1000.0);
        start = Now();
        floor();
        b.push_back((Now() - start) * 1000.0);
    }
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return {a[a.size() / 2], b[b.size() / 2]};
}

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// 190 bars docked in ten rows of five on each side (the last side short), 10 floating.
void Arrange(SECMDIFrameWnd* pFrame, const std::vector<CBenchBar*>& bars) {
    const UINT sides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                          AFX_IDW_DOCKBAR_RIGHT};
    for (int i = 0; i < kBars - 10; ++i) {
        const int nSide = i / 50, nInSide = i % 50;
        pFrame->DockControlBarAt(bars[(size_t)i], sides[nSide], nInSide % 5, nInSide / 5, 0.2f, 24);
    }
    for (int i = kBars - 10; i < kBars; ++i)
        pFrame->FloatControlBar(bars[(size_t)i], CPoint(100 + 30 * (i % 10), 100 + 20 * (i % 10)));
}
} // namespace

void RunPersistBench() {
    CWinApp* pApp = AfxGetApp();
    std::wstring key = L"Software\\";
    key += kRegistryKey;
    ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    pApp->SetRegistryKey(kRegistryKey);

    auto* pFrame = new SECMDIFrameWnd;
    if (!pFrame->Create(NULL, L"Bench", WS_OVERLAPPEDWINDOW, CRect(10, 10, 1250, 1000)))
        return;
    pApp->m_pMainWnd = pFrame;
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->ShowWindow(SW_SHOWNA);
    std::vector<CBenchBar*> bars;
    for (int i = 0; i < kBars; ++i) {
        auto* pBar = new CBenchBar;
        pBar->m_bAutoDelete = TRUE;
        CString name;
        name.Format(L"Bar %d", i);
        pBar->Create(pFrame, name, WS_VISIBLE | CBRS_TOP, 0, kFirstBar + (UINT)i);
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
        bars.push_back(pBar);
    }
    pFrame->RecalcLayout();
    pFrame->SaveBarState(kDefault);
    Arrange(pFrame, bars);
    pFrame->RecalcLayout();
    Pump();

    // What a save writes, value for value.
    std::vector<Value> values;
    {
        SECDockState state;
        state.CaptureFromFrame(pFrame);
        state.DropUnsavedBars();
        int n = 0;
        for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
            CRecordingStore store(AfxBarSection(kLayout, n), values);
            if (!state.GetInfo(i)->SaveValues(store))
                continue;
            state.GetInfo(i)->SaveExtension(store);
            ++n;
        }
        CRecordingStore summary(AfxSummarySection(kLayout), values);
        summary.SetInt(L"Bars", n);
        summary.SetInt(L"ScreenCX", 0);
        summary.SetInt(L"ScreenCY", 0);
    }

    const auto writeValues = [&] {
        for (const Value& v : values)
            if (v.isText)
                pApp->WriteProfileString(v.section, v.key, v.text);
            else
                pApp->WriteProfileInt(v.section, v.key, v.number);
    };
    const auto [save, saveFloor] = MedianPair(
        kRuns, [] {}, [&] { pFrame->SaveBarState(kLayout); }, writeValues);

    // The places the load must give, for the floor's batch.
    std::vector<std::pair<HWND, CRect>> places;
    for (CBenchBar* pBar : bars) {
        CRect rect;
        pBar->GetWindowRect(&rect);
        ::MapWindowPoints(NULL, ::GetParent(pBar->m_hWnd), (LPPOINT)&rect, 2);
        places.emplace_back(pBar->m_hWnd, rect);
    }
    const auto reset = [&] {
        pFrame->LoadBarState(kDefault);
        Pump();
    };
    bool bPlaced = true;
    const auto checkPlaces = [&] {
        for (const auto& [hWnd, rect] : places) {
            CRect now;
            ::GetWindowRect(hWnd, &now);
            ::MapWindowPoints(NULL, ::GetParent(hWnd), (LPPOINT)&now, 2);
            bPlaced = bPlaced && now == rect;
        }
    };
    const auto readAndPlace = [&] {
        int nSum = 0;
        for (const Value& v : values)
            if (v.isText)
                nSum += pApp->GetProfileString(v.section, v.key, L"").GetLength();
            else
                nSum += (int)pApp->GetProfileInt(v.section, v.key, 0);
        HDWP hDWP = ::BeginDeferWindowPos((int)places.size());
        for (const auto& [hWnd, rect] : places)
            if (hDWP != NULL)
                hDWP = ::DeferWindowPos(hDWP, hWnd, NULL, rect.left, rect.top + (nSum & 0),
                                        rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        if (hDWP != NULL)
            ::EndDeferWindowPos(hDWP);
    };
    const auto [load, loadFloor] = MedianPair(
        kRuns, reset, [&] { pFrame->LoadBarState(kLayout); }, readAndPlace);
    reset();
    pFrame->LoadBarState(kLayout);
    checkPlaces();

    std::printf("(b) %d-bar layout (%d values): save %.2f ms, profile writes %.2f ms: %.2fx "
                "(target <= 1.5x)\n",
                kBars, (int)values.size(), save, saveFloor, save / saveFloor);
    std::printf("    load and apply %.2f ms, profile reads + one deferred batch %.2f ms: %.2fx "
                "(target <= 2x)%s\n",
                load, loadFloor, load / loadFloor, bPlaced ? "" : "  [bars not back in place]");
    pApp->m_pMainWnd = nullptr;
    pFrame->ShowWindow(SW_HIDE);
    pFrame->DestroyWindow();
    Pump();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}
