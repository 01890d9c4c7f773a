// Saved layouts that are damaged, forged or from another machine: each case loads without a
// crash or a hang, and every bar the damage does not touch comes back to its place.
#include "dockframe_fixture.h"
#include "layout_dump.h"

#include "docking/frame_docking.h"
#include "framework/core/archive.h"
#include "framework/core/file.h"

#include <climits>
#include <functional>
#include <set>

namespace {
const wchar_t kProfile[] = L"Hostile";
const UINT kBars[] = {ID_BAR_OUTPUT, ID_BAR_WATCH, ID_BAR_LOCALS, ID_BAR_MEMORY,
                      ID_BAR_STACK,  ID_BAR_REGS,  ID_BAR_THREADS};

CWinApp* App() {
    return AfxGetApp();
}

// The main frame with the default bars, all docked on top.
CTestMainFrame* OpenWithDefaults() {
    auto* pFrame = new CTestMainFrame;
    if (!pFrame->Open(900, 700))
        return nullptr;
    AfxGetApp()->m_pMainWnd = pFrame;
    for (UINT id : kBars) {
        auto* pBar = new CFrameTestBar;
        pBar->m_bAutoDelete = TRUE;
        CString name;
        name.Format(L"Bar %u", id);
        pBar->Make(pFrame, id, name);
        pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    }
    PumpIdle();
    return pFrame;
}

// The section index of the saved bar (or dock bar) with the id; -1 when none.
int SectionOf(UINT nID) {
    const int n = (int)App()->GetProfileInt(AfxSummarySection(kProfile), L"Bars", 0);
    for (int i = 0; i < n; ++i)
        if (App()->GetProfileInt(AfxBarSection(kProfile, i), L"BarID", 0) == nID)
            return i;
    return -1;
}

CString BarSection(UINT nID) {
    return AfxBarSection(kProfile, SectionOf(nID));
}

// The section of the dock bar whose saved list holds the bar.
CString SectionListing(UINT nBarID) {
    const int n = (int)App()->GetProfileInt(AfxSummarySection(kProfile), L"Bars", 0);
    for (int i = 0; i < n; ++i) {
        const CString s = AfxBarSection(kProfile, i);
        const int nIDs = (int)App()->GetProfileInt(s, L"Bars", 0);
        for (int j = 0; j < nIDs; ++j) {
            CString key;
            key.Format(L"Bar#%d", j);
            if (App()->GetProfileInt(s, key, 0) == nBarID)
                return s;
        }
    }
    return CString();
}

// A value of the wrong registry type: text where a number belongs.
void WriteTextValue(const CString& section, LPCTSTR key, LPCTSTR text) {
    App()->WriteProfileString(section, key, text);
}

struct HostileCase {
    const char* name;
    std::function<void()> damage;
    std::set<UINT> touched; // bars the damage may put elsewhere
    std::function<void(CTestMainFrame*)> check;
    // Run on the new frame before the load (a bar the host made that the layout does not know).
    std::function<void(CTestMainFrame*)> before = nullptr;
};

class HostileLayout : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        ClearTestProfile();
        App()->SetRegistryKey(kTestRegistryKey);
        CTestMainFrame* pFrame = OpenWithDefaults();
        ASSERT_NE(pFrame, nullptr);
        auto bar = [&](UINT id) { return pFrame->GetControlBar(id); };
        pFrame->DockControlBarAt(bar(ID_BAR_OUTPUT), AFX_IDW_DOCKBAR_TOP, 0, 0, 0.4f, 60);
        pFrame->DockControlBarAt(bar(ID_BAR_WATCH), AFX_IDW_DOCKBAR_TOP, 1, 0, 0.6f, 60);
        pFrame->DockControlBarAt(bar(ID_BAR_LOCALS), AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, 120);
        pFrame->DockControlBarAt(bar(ID_BAR_MEMORY), AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 120);
        pFrame->FloatControlBar(bar(ID_BAR_STACK), CPoint(500, 400));
        pFrame->FloatControlBarAsMDIChild(bar(ID_BAR_REGS), 40, 40, CBRS_ALIGN_TOP);
        pFrame->DockControlBarAt(bar(ID_BAR_THREADS), AFX_IDW_DOCKBAR_BOTTOM, 0, 0, 1.0f, 60);
        pFrame->ShowControlBar(bar(ID_BAR_THREADS), FALSE, FALSE);
        PumpIdle();
        pFrame->SaveBarState(kProfile);
        m_baseline = CaptureLayout(pFrame);
        CloseFrame(pFrame);
    }
    void TearDown() override {
        CloseFrame(m_pFrame);
        ClearTestProfile();
    }
    std::map<UINT, BarPlace> m_baseline;
    CTestMainFrame* m_pFrame = nullptr;
};

// A floating frame keeps at least 10 pixels on the work area.
void ExpectReachable(CTestMainFrame* pFrame) {
    CControlBar* pBar = pFrame->GetControlBar(ID_BAR_STACK);
    ASSERT_NE(pBar, nullptr);
    ASSERT_TRUE(pBar->IsFloating());
    CRect rect, work;
    pBar->GetParent()->GetParent()->GetWindowRect(&rect);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    CRect overlap;
    EXPECT_TRUE(overlap.IntersectRect(&rect, &work));
    EXPECT_GE(overlap.Width(), 10);
    EXPECT_GE(overlap.Height(), 10);
}

void ExpectNoBar(CTestMainFrame* pFrame, UINT nID) {
    EXPECT_EQ(pFrame->GetControlBar(nID), nullptr) << nID;
}

// A saved bar that names a class, in a new section at the end.
void AddForgedBar(UINT nID, LPCTSTR lpszClass, int nTypeID = 0) {
    const int n = (int)App()->GetProfileInt(AfxSummarySection(kProfile), L"Bars", 0);
    const CString section = AfxBarSection(kProfile, n);
    App()->WriteProfileInt(section, L"BarID", (int)nID);
    App()->WriteProfileInt(section, L"Visible", 1);
    App()->WriteProfileInt(section, L"Style", (int)(CBRS_TOP | WS_VISIBLE));
    App()->WriteProfileInt(section, L"TypeID", nTypeID);
    App()->WriteProfileString(section, L"ClassName", lpszClass);
    App()->WriteProfileInt(AfxSummarySection(kProfile), L"Bars", n + 1);
}

const UINT kForged = 0x8500;
const UINT kUnknown = 0x8600;

// What every load leaves, damaged or not: each bar in exactly one dock bar (its own), every
// floating frame shown exactly when it holds a shown bar, and every hidden bar comes back on
// the screen when shown.
void ExpectSoundLayout(CTestMainFrame* pFrame, const char* name) {
    std::vector<CDockBar*> dockBars;
    std::vector<CControlBar*> bars;
    for (CControlBar* pBar : sec_docking::FrameBars(pFrame)) {
        if (pBar->m_hWnd == NULL)
            continue;
        if (pBar->IsDockBar())
            dockBars.push_back(static_cast<CDockBar*>(pBar));
        else if (pBar->IsKindOf(RUNTIME_CLASS(SECControlBar)))
            bars.push_back(pBar);
    }
    for (CControlBar* pBar : bars) {
        int nHolders = 0;
        for (CDockBar* pDockBar : dockBars)
            nHolders += pDockBar->FindBar(pBar) >= 0 ? 1 : 0;
        EXPECT_EQ(nHolders, 1) << name << ": bar " << pBar->GetDlgCtrlID();
        if (nHolders == 1) {
            EXPECT_EQ(::GetParent(pBar->m_hWnd), pBar->m_pDockBar->m_hWnd)
                << name << ": bar " << pBar->GetDlgCtrlID();
        }
    }
    for (CDockBar* pDockBar : dockBars) {
        if (!pDockBar->m_bFloating)
            continue;
        const BOOL bShown = ::IsWindowVisible(pDockBar->GetParent()->m_hWnd);
        EXPECT_EQ(bShown != FALSE, pDockBar->GetDockedVisibleCount() > 0)
            << name << ": a floating frame shown " << bShown << " with "
            << pDockBar->GetDockedVisibleCount() << " shown bars";
    }
    for (CControlBar* pBar : bars) {
        if (pBar->GetStyle() & WS_VISIBLE)
            continue;
        pFrame->ShowControlBar(pBar, TRUE, FALSE);
        PumpIdle();
        EXPECT_TRUE(::IsWindowVisible(pBar->m_hWnd)) << name << ": bar " << pBar->GetDlgCtrlID();
        CRect rect;
        pBar->GetWindowRect(&rect);
        EXPECT_FALSE(rect.IsRectEmpty()) << name << ": bar " << pBar->GetDlgCtrlID();
    }
}

void DockUnknownBar(CTestMainFrame* pFrame) {
    auto* pBar = new CFrameTestBar;
    pBar->m_bAutoDelete = TRUE;
    pBar->Make(pFrame, kUnknown, L"New bar");
    pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    PumpIdle();
}

void RemoveKeys(const CString& section, std::initializer_list<LPCTSTR> keys) {
    for (LPCTSTR key : keys)
        App()->WriteProfileString(section, key, nullptr);
}

// Writes every number of the section again as text (or as bytes).
void StoreNumbersAs(const CString& section, bool bText) {
    for (LPCTSTR key : {L"BarID", L"Visible", L"Horz", L"Floating", L"XPos", L"YPos", L"Style"}) {
        const int n = (int)App()->GetProfileInt(section, key, 0);
        CString text;
        text.Format(L"%d", n);
        App()->WriteProfileString(section, key, nullptr);
        if (bText)
            App()->WriteProfileString(section, key, text);
        else
            App()->WriteProfileBinary(section, key, (LPBYTE)&n, sizeof n);
    }
}

std::vector<HostileCase> Cases() {
    const CString summary = AfxSummarySection(kProfile);
    return {
        {"a bar the layout does not know, docked before the load",
         [] {},
         // A row more on top moves the sides and the main window's client down.
         {ID_BAR_LOCALS, ID_BAR_MEMORY, ID_BAR_REGS},
         [](CTestMainFrame* f) {
             ASSERT_NE(f->GetControlBar(kUnknown), nullptr);
             EXPECT_TRUE(f->GetControlBar(kUnknown)->IsVisible());
         },
         DockUnknownBar},
        {"a forged bar record with the floating dock bar's id",
         [] { AddForgedBar(AFX_IDW_DOCKBAR_FLOAT, L""); },
         {},
         nullptr},
        {"a forged bar record with a side's id",
         [] { AddForgedBar(AFX_IDW_DOCKBAR_LEFT, L"CFrameTestBar"); },
         {},
         nullptr},
        {"the main window's floating record half written",
         [] {
             RemoveKeys(SectionListing(ID_BAR_REGS),
                        {L"Bars", L"Bar#0", L"Bar#1", L"Bar#2", L"MDIChild"});
         },
         {ID_BAR_REGS},
         nullptr},
        {"the main window's floating record with a negative list count",
         [] { App()->WriteProfileInt(SectionListing(ID_BAR_REGS), L"Bars", -1); },
         {ID_BAR_REGS},
         nullptr},
        {"a side's record without its id",
         [] { App()->WriteProfileString(SectionListing(ID_BAR_LOCALS), L"BarID", nullptr); },
         {ID_BAR_LOCALS},
         nullptr},
        {"a side's record with a forged id",
         [] { App()->WriteProfileInt(SectionListing(ID_BAR_LOCALS), L"BarID", 0x7777); },
         {ID_BAR_LOCALS},
         nullptr},
        {"a side's record naming another side",
         [] {
             App()->WriteProfileInt(SectionListing(ID_BAR_LOCALS), L"BarID", AFX_IDW_DOCKBAR_RIGHT);
         },
         {ID_BAR_REGS, ID_BAR_LOCALS, ID_BAR_MEMORY},
         nullptr},
        {"a side's record with a list length of -5",
         [] { App()->WriteProfileInt(SectionListing(ID_BAR_LOCALS), L"Bars", -5); },
         {ID_BAR_LOCALS},
         nullptr},
        {"a side's record missing half its keys",
         [] {
             RemoveKeys(SectionListing(ID_BAR_MEMORY),
                        {L"Visible", L"Horz", L"Floating", L"Bar#1", L"Bar#2"});
         },
         {ID_BAR_MEMORY},
         nullptr},
        {"a side's record removed",
         [] { App()->WriteProfileString(SectionListing(ID_BAR_MEMORY), nullptr, nullptr); },
         {ID_BAR_MEMORY, ID_BAR_STACK, ID_BAR_REGS, ID_BAR_THREADS, ID_BAR_LOCALS},
         nullptr},
        {"the summary count cut to one",
         [=] { App()->WriteProfileInt(summary, L"Bars", 1); },
         {ID_BAR_OUTPUT, ID_BAR_WATCH, ID_BAR_LOCALS, ID_BAR_MEMORY, ID_BAR_STACK, ID_BAR_REGS,
          ID_BAR_THREADS},
         nullptr},
        {"a record with its numbers stored as text",
         [] { StoreNumbersAs(BarSection(ID_BAR_LOCALS), true); },
         {ID_BAR_REGS, ID_BAR_LOCALS},
         nullptr},
        {"a record with its numbers stored as bytes",
         [] { StoreNumbersAs(BarSection(ID_BAR_LOCALS), false); },
         {ID_BAR_REGS, ID_BAR_LOCALS},
         nullptr},
        {"summary count far too large",
         [=] { App()->WriteProfileInt(summary, L"Bars", INT_MAX); },
         {},
         nullptr},
        {"negative summary count keeps the default bars",
         [=] { App()->WriteProfileInt(summary, L"Bars", -7); },
         {ID_BAR_OUTPUT, ID_BAR_WATCH, ID_BAR_LOCALS, ID_BAR_MEMORY, ID_BAR_STACK, ID_BAR_REGS,
          ID_BAR_THREADS},
         nullptr},
        {"dock bar count far too large",
         [] { App()->WriteProfileInt(BarSection(AFX_IDW_DOCKBAR_TOP), L"Bars", INT_MAX); },
         {},
         nullptr},
        {"summary count above the sections saved",
         [=] {
             const int n = (int)App()->GetProfileInt(summary, L"Bars", 0);
             App()->WriteProfileInt(summary, L"Bars", n + 10);
         },
         {},
         nullptr},
        {"a bar section without its id",
         [] {
             const CString s = BarSection(ID_BAR_MEMORY);
             App()->WriteProfileString(s, L"BarID", nullptr);
         },
         {ID_BAR_MEMORY},
         nullptr},
        {"a bar section missing most keys",
         [] {
             RemoveKeys(BarSection(ID_BAR_LOCALS),
                        {L"Style", L"ExStyle", L"PctWidth", L"MRUFloatCX", L"MRUHorzDockCX",
                         L"MRUVertDockCX", L"DockingStyle", L"ClassName", L"XPos"});
         },
         {ID_BAR_REGS, ID_BAR_LOCALS},
         nullptr},
        {"a bar that no longer exists listed on a side",
         [] {
             const CString s = BarSection(AFX_IDW_DOCKBAR_TOP);
             const int n = (int)App()->GetProfileInt(s, L"Bars", 0);
             App()->WriteProfileInt(s, L"Bars", n + 2);
             CString key;
             key.Format(L"Bar#%d", n);
             App()->WriteProfileInt(s, key, 0x9999);
             key.Format(L"Bar#%d", n + 1);
             App()->WriteProfileInt(s, key, 0);
             AddForgedBar(0x9999, L"NoSuchClass");
         },
         {},
         [](CTestMainFrame* f) { ExpectNoBar(f, 0x9999); }},
        {"a document class by name",
         [] { AddForgedBar(kForged, L"CDocument"); },
         {},
         [](CTestMainFrame* f) { ExpectNoBar(f, kForged); }},
        {"a view class by name",
         [] { AddForgedBar(kForged, L"CView"); },
         {},
         [](CTestMainFrame* f) { ExpectNoBar(f, kForged); }},
        {"a frame class by name",
         [] { AddForgedBar(kForged, L"CFrameWnd"); },
         {},
         [](CTestMainFrame* f) { ExpectNoBar(f, kForged); }},
        {"a document frame's bar by name",
         [] { AddForgedBar(kForged, L"SECFrameBar"); },
         {},
         [](CTestMainFrame* f) { ExpectNoBar(f, kForged); }},
        {"a custom toolbar without a manager",
         [] { AddForgedBar(kForged, L"", 14946); },
         {},
         [](CTestMainFrame* f) { ExpectNoBar(f, kForged); }},
        {"a bar class by name with id 0 is refused",
         [] { AddForgedBar(0, L"CFrameTestBar"); },
         {},
         nullptr},
        {"a bar class by name comes back",
         [] { AddForgedBar(kForged, L"CFrameTestBar"); },
         {},
         [](CTestMainFrame* f) { EXPECT_NE(f->GetControlBar(kForged), nullptr); }},
        {"floating frame far up left",
         [] {
             const CString s = BarSection(AFX_IDW_DOCKBAR_FLOAT);
             App()->WriteProfileInt(s, L"XPos", -32000);
             App()->WriteProfileInt(s, L"YPos", -32000);
         },
         {ID_BAR_STACK},
         ExpectReachable},
        {"floating frame far down right",
         [] {
             const CString s = BarSection(AFX_IDW_DOCKBAR_FLOAT);
             App()->WriteProfileInt(s, L"XPos", 50000);
             App()->WriteProfileInt(s, L"YPos", 50000);
         },
         {ID_BAR_STACK},
         ExpectReachable},
        {"saved on a screen four times as large",
         [=] {
             App()->WriteProfileInt(summary, L"ScreenCX", ::GetSystemMetrics(SM_CXSCREEN) * 4);
             App()->WriteProfileInt(summary, L"ScreenCY", ::GetSystemMetrics(SM_CYSCREEN) * 4);
             const CString s = BarSection(AFX_IDW_DOCKBAR_FLOAT);
             App()->WriteProfileInt(s, L"XPos", ::GetSystemMetrics(SM_CXSCREEN) * 3);
             App()->WriteProfileInt(s, L"YPos", ::GetSystemMetrics(SM_CYSCREEN) * 3);
         },
         {ID_BAR_STACK},
         ExpectReachable},
        {"negative sizes and an inverted dock rectangle",
         [] {
             const CString s = BarSection(ID_BAR_LOCALS);
             App()->WriteProfileInt(s, L"MRUFloatCX", -500);
             App()->WriteProfileInt(s, L"MRUVertDockCY", -1);
             App()->WriteProfileInt(s, L"MRUDockLeftPos", 300);
             App()->WriteProfileInt(s, L"MRUDockRightPos", 10);
         },
         {ID_BAR_LOCALS},
         nullptr},
        {"shares that are no shares",
         [] {
             App()->WriteProfileString(BarSection(ID_BAR_LOCALS), L"PctWidth", L"-5");
             App()->WriteProfileString(BarSection(ID_BAR_MEMORY), L"PctWidth", L"abc");
             App()->WriteProfileString(BarSection(ID_BAR_OUTPUT), L"PctWidth", L"99999999999");
         },
         {ID_BAR_LOCALS, ID_BAR_MEMORY, ID_BAR_OUTPUT, ID_BAR_WATCH},
         nullptr},
        {"a number stored as text",
         [] { WriteTextValue(BarSection(ID_BAR_LOCALS), L"Visible", L"yes"); },
         {ID_BAR_LOCALS},
         nullptr},
        {"a 43-byte placement",
         [] {
             const CString s = BarSection(ID_BAR_LOCALS);
             App()->WriteProfileInt(s, L"MDIChild", 1);
             BYTE bytes[43] = {};
             App()->WriteProfileBinary(s, L"MDIChildWindowPlacement", bytes, sizeof bytes);
         },
         {ID_BAR_LOCALS},
         nullptr},
        {"one bar in two dock bars",
         [] {
             // The top row's first bar is listed on the left side as well.
             const CString left = BarSection(AFX_IDW_DOCKBAR_LEFT);
             const int n = (int)App()->GetProfileInt(left, L"Bars", 0);
             CString key;
             key.Format(L"Bar#%d", n);
             App()->WriteProfileInt(left, key, (int)ID_BAR_OUTPUT);
             key.Format(L"Bar#%d", n + 1);
             App()->WriteProfileInt(left, key, 0);
             App()->WriteProfileInt(left, L"Bars", n + 2);
         },
         {},
         [](CTestMainFrame* f) {
             int nPlaces = 0;
             for (UINT id : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                             AFX_IDW_DOCKBAR_RIGHT})
                 if (SECDockBar* p = f->DockBar(id))
                     nPlaces += p->FindBar(f->GetControlBar(ID_BAR_OUTPUT)) >= 0 ? 1 : 0;
             EXPECT_EQ(nPlaces, 1);
         }},
    };
}
} // namespace

TEST_P(HostileLayout, LoadsWithEveryUntouchedBarInPlace) {
    const HostileCase c = Cases()[(size_t)GetParam()];
    SCOPED_TRACE(c.name);
    c.damage();
    m_pFrame = OpenWithDefaults();
    ASSERT_NE(m_pFrame, nullptr);
    if (c.before)
        c.before(m_pFrame);
    m_pFrame->LoadBarState(kProfile);
    PumpIdle();
    const auto got = CaptureLayout(m_pFrame);
    for (const auto& [id, place] : m_baseline) {
        if (c.touched.count(id) != 0 || got.count(id) == 0)
            continue;
        EXPECT_EQ(CompareLayouts({{id, place}}, {{id, got.at(id)}}), "") << c.name;
    }
    for (UINT id : kBars)
        EXPECT_NE(m_pFrame->GetControlBar(id), nullptr) << c.name;
    if (c.check)
        c.check(m_pFrame);
    ExpectSoundLayout(m_pFrame, c.name);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileLayout, ::testing::Range(0, (int)Cases().size()),
                         [](const ::testing::TestParamInfo<int>& info) {
                             std::string name = Cases()[(size_t)info.param].name;
                             for (char& ch : name)
                                 if (!isalnum((unsigned char)ch))
                                     ch = '_';
                             return name;
                         });

// Not damage at all: a bar floating in the main window, hidden when the layout was saved, comes
// back hidden, and its frame with it; shown again it is where it was.
TEST(HiddenInMainWindow, ComesBackWithoutAnEmptyFrame) {
    ClearTestProfile();
    App()->SetRegistryKey(kTestRegistryKey);
    CTestMainFrame* pFrame = OpenWithDefaults();
    ASSERT_NE(pFrame, nullptr);
    CControlBar* pBar = pFrame->GetControlBar(ID_BAR_REGS);
    pFrame->FloatControlBarAsMDIChild(pBar, 40, 40, CBRS_ALIGN_TOP);
    PumpIdle();
    CRect before;
    pBar->GetParentFrame()->GetWindowRect(&before);
    pFrame->ShowControlBar(pBar, FALSE, FALSE);
    PumpIdle();
    pFrame->SaveBarState(kProfile);
    CloseFrame(pFrame);

    pFrame = OpenWithDefaults();
    ASSERT_NE(pFrame, nullptr);
    pFrame->LoadBarState(kProfile);
    PumpIdle();
    pBar = pFrame->GetControlBar(ID_BAR_REGS);
    ASSERT_NE(pBar, nullptr);
    EXPECT_FALSE(pBar->GetStyle() & WS_VISIBLE);
    auto* pDockBar = DYNAMIC_DOWNCAST(SECDockBar, pBar->m_pDockBar);
    ASSERT_NE(pDockBar, nullptr);
    EXPECT_TRUE(pDockBar->m_bHostedInMainWindow);
    EXPECT_FALSE(::IsWindowVisible(pDockBar->GetParent()->m_hWnd)) << "an empty frame is shown";
    ExpectSoundLayout(pFrame, "hidden in the main window");
    CRect after;
    pBar->GetParentFrame()->GetWindowRect(&after);
    EXPECT_EQ(after, before);
    CloseFrame(pFrame);
    ClearTestProfile();
}
