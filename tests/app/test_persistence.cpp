// Host toolbars keep their places across runs: a first run creates them, floats one and docks
// one on the left with the mouse and ends; a second run on the same profile creates them again.
#include "tests/support/app_fixture.h"
#include "tests/support/screenshot.h"

#include <map>
#include <set>
#include <sstream>

namespace {

using CreateFn = int(__cdecl*)(int*, const char*, int);
using AddFn = int(__cdecl*)(int, unsigned, unsigned, const char*, unsigned);

void Input(DWORD flags, POINT at) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = (at.x * 65535 + cx / 2) / (cx - 1);
    input.mi.dy = (at.y * 65535 + cy / 2) / (cy - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

class Persistence : public AppTest {
protected:
    // Drags a bar by its left edge to the point, with the real mouse.
    void Drag(HWND bar, POINT to) {
        RECT r{};
        GetWindowRect(bar, &r);
        const POINT from{r.left + 3, (r.top + r.bottom) / 2};
        Input(0, from);
        PumpFor(50);
        Input(MOUSEEVENTF_LEFTDOWN, from);
        for (int step = 1; step <= 8; ++step)
            Input(0,
                  POINT{from.x + (to.x - from.x) * step / 8, from.y + (to.y - from.y) * step / 8});
        Input(MOUSEEVENTF_LEFTUP, to);
        PumpFor(300);
    }
    void PumpFor(DWORD ms) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < ms) {
            Peek();
            Sleep(5);
        }
    }
    void CreateBars() {
        auto create = Get<CreateFn>("CreateGuiToolbar");
        auto add = Get<AddFn>("AddTBButton");
        int trace = -1, watch = -1;
        ASSERT_EQ(1, create(&trace, "Trace", 0));
        ASSERT_EQ(1, create(&watch, "Watch", 0));
        add(trace, 179, 0, "Trace on", 1030);
        add(watch, 179, 0, "Watch", 1031);
        PumpFor(100);
    }
    // Every shown bar on the top dock bar: its title and its rectangle in the frame's client
    // area, one line each, sorted by row and then by place along the row.
    std::string TopBarPlaces() {
        HWND top = GetDlgItem(Frame(), 0xE81B);
        std::map<std::pair<LONG, LONG>, std::string> places;
        for (HWND h = GetWindow(top, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
            if (!IsWindowVisible(h))
                continue;
            RECT r{};
            GetWindowRect(h, &r);
            MapWindowPoints(nullptr, Frame(), reinterpret_cast<POINT*>(&r), 2);
            char title[64] = {};
            GetWindowTextA(h, title, sizeof title);
            std::ostringstream line;
            line << title << " " << r.left << "," << r.top << "-" << r.right << "," << r.bottom
                 << "\n";
            places[{r.top, r.left}] = line.str();
        }
        std::string all;
        for (const auto& [at, line] : places)
            all += line;
        return all;
    }
    HostOptions SharedRoot() {
        HostOptions o;
        o.registryRoot = RegistryRoot();
        o.registryRootGiven = true;
        return o;
    }
    void EndRunKeepingProfile() {
        Call("EndApp");
        m_started = false;
        FreeLibrary(m_module);
        m_module = nullptr;
    }
};

TEST_F(Persistence, HostToolbarsComeBackWithTheirIdsAndPlaces) {
    RegDeleteTreeA(HKEY_CURRENT_USER, RegistryRoot().c_str());
    Start(SharedRoot());
    SetWindowPos(Frame(), HWND_TOP, 0, 0, 900, 700, SWP_SHOWWINDOW);
    SetForegroundWindow(Frame());
    CreateBars();
    HWND trace = ChildTitled(Frame(), L"Trace");
    HWND watch = ChildTitled(Frame(), L"Watch");
    ASSERT_TRUE(trace && watch);
    const int traceId = GetDlgCtrlID(trace), watchId = GetDlgCtrlID(watch);
    RECT client{};
    HWND mdi = static_cast<HWND>(HostState::Get().mainRecord.mdiClientWindow);
    GetWindowRect(mdi, &client);
    Drag(trace, POINT{(client.left + client.right) / 2, (client.top + client.bottom) / 2});
    // A side dock bar takes a drag only with the pointer over it.
    RECT left{};
    GetWindowRect(GetDlgItem(Frame(), 0xE81C), &left);
    Drag(watch, POINT{left.left, (client.top + client.bottom) / 2});
    const bool traceFloats = GetAncestor(trace, GA_ROOT) != Frame();
    const bool watchLeft = GetDlgCtrlID(GetParent(watch)) == 0xE81C;
    EXPECT_TRUE(traceFloats);
    EXPECT_TRUE(watchLeft);
    EndRunKeepingProfile();

    Start(SharedRoot());
    SetWindowPos(Frame(), HWND_TOP, 0, 0, 900, 700, SWP_SHOWWINDOW);
    CreateBars();
    trace = ChildTitled(Frame(), L"Trace");
    HWND floating = nullptr;
    if (trace == nullptr) { // floating: in a frame of its own
        for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT))
            if (HWND found = ChildTitled(top, L"Trace"); found && top != Frame())
                floating = found;
        trace = floating;
    }
    watch = ChildTitled(Frame(), L"Watch");
    ASSERT_TRUE(trace && watch);
    EXPECT_EQ(traceId, GetDlgCtrlID(trace));
    EXPECT_EQ(watchId, GetDlgCtrlID(watch));
    if (traceFloats) {
        EXPECT_NE(Frame(), GetAncestor(trace, GA_ROOT));
    }
    if (watchLeft) {
        EXPECT_EQ(0xE81C, GetDlgCtrlID(GetParent(watch)));
    }
    int users = 0;
    for (HWND h = GetWindow(GetDlgItem(Frame(), 0xE81B), GW_CHILD); h;
         h = GetWindow(h, GW_HWNDNEXT)) {
        wchar_t text[16] = {};
        GetWindowTextW(h, text, 16);
        users += wcscmp(text, L"User") == 0;
    }
    EXPECT_LE(users, 1);
    EndRunKeepingProfile();

    // Each section with a title names one bar.
    std::set<std::string> titles;
    const std::string profile = RegistryRoot() + "\\MoxGui";
    for (int n = 0; n < 64; ++n) {
        const std::string section = profile + "\\MOX Frame-Bar" + std::to_string(n);
        char title[64] = {};
        DWORD size = sizeof title;
        if (RegGetValueA(HKEY_CURRENT_USER, section.c_str(), "Title", RRF_RT_REG_SZ, nullptr, title,
                         &size) == ERROR_SUCCESS) {
            EXPECT_TRUE(titles.insert(title).second) << title;
        }
    }
    EXPECT_EQ(1u, titles.count("Trace"));
    EXPECT_EQ(1u, titles.count("Watch"));
}

// The default toolbars share the top row with the host's toolbar and the user toolbar; a restart
// brings every one back in its row, in its order, at its place along the row.
TEST_F(Persistence, TopRowComesBackInItsOrderAndPlaces) {
    RegDeleteTreeA(HKEY_CURRENT_USER, RegistryRoot().c_str());
    auto change = [this] {
        using ChangeFn = int(__cdecl*)(const char*, const char*, int, int, int, int);
        Get<ChangeFn>("ChangeButtons")("Reset", "Reset the target", 0x1 | 0x2, 0, 0, 0);
    };
    std::string runs[3];
    for (std::string& places : runs) {
        Start(SharedRoot());
        SetWindowPos(Frame(), HWND_TOP, 0, 0, 900, 700, SWP_SHOWWINDOW);
        CreateBars();
        change();
        PumpFor(100);
        places = TopBarPlaces();
        if (&places == &runs[1]) { // the first start on a saved layout
            RECT frame{};
            GetWindowRect(Frame(), &frame);
            RedrawWindow(Frame(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            EXPECT_TRUE(SaveScreenPng(frame, ScreenshotPath(L"app_restarted_top_row.png").c_str()));
        }
        EndRunKeepingProfile();
    }
    // The default bars stand in the order they are defined, each beside the one before.
    const char* order[] = {"Main ", "Eval ", "Debug ", "Edit ", "Display ", "Run "};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        EXPECT_LT(runs[0].find(order[i]), runs[0].find(order[i + 1])) << runs[0];
    EXPECT_EQ(runs[0], runs[1]);
    EXPECT_EQ(runs[1], runs[2]);
}

// A restart with the same host toolbars saves the same layout: the host adds its buttons again
// at each start, and nothing moved, so no bar's remembered floating width may change.
TEST_F(Persistence, RestartsWithTheSameButtonsSaveTheSameWidths) {
    RegDeleteTreeA(HKEY_CURRENT_USER, RegistryRoot().c_str());
    auto widths = [this] {
        std::map<std::string, DWORD> byTitle;
        const std::string profile = RegistryRoot() + "\\MoxGui";
        for (int n = 0; n < 64; ++n) {
            const std::string section = profile + "\\MOX Frame-Bar" + std::to_string(n);
            char title[64] = {};
            DWORD size = sizeof title;
            DWORD width = 0, widthSize = sizeof width;
            if (RegGetValueA(HKEY_CURRENT_USER, section.c_str(), "Title", RRF_RT_REG_SZ, nullptr,
                             title, &size) == ERROR_SUCCESS &&
                RegGetValueA(HKEY_CURRENT_USER, section.c_str(), "MRUWidth", RRF_RT_REG_DWORD,
                             nullptr, &width, &widthSize) == ERROR_SUCCESS)
                byTitle[title] = width;
        }
        return byTitle;
    };
    std::map<std::string, DWORD> saved[3];
    for (auto& runWidths : saved) {
        Start(SharedRoot());
        SetWindowPos(Frame(), HWND_TOP, 0, 0, 900, 700, SWP_SHOWWINDOW);
        SetForegroundWindow(Frame());
        CreateBars();
        if (&runWidths == &saved[0]) { // one bar floats: its width is a real one
            RECT client{};
            GetWindowRect(static_cast<HWND>(HostState::Get().mainRecord.mdiClientWindow), &client);
            Drag(ChildTitled(Frame(), L"Watch"),
                 POINT{(client.left + client.right) / 2, (client.top + client.bottom) / 2});
        }
        EndRunKeepingProfile();
        runWidths = widths();
    }
    EXPECT_EQ(32767u, saved[0]["Trace"]);
    EXPECT_LT(saved[0]["Watch"], 32767u);
    EXPECT_EQ(saved[0], saved[1]);
    EXPECT_EQ(saved[1], saved[2]);
}

} // namespace

// Nothing damaged: a start whose host first makes a toolbar the saved layout does not know, and
// then its usual ones, keeps the new one docked where it was put, beside the others and over
// none of them (the usual ones' saved places are applied after it was docked).
TEST_F(Persistence, AToolbarTheLayoutDoesNotKnowKeepsItsPlace) {
    RegDeleteTreeA(HKEY_CURRENT_USER, RegistryRoot().c_str());
    Start(SharedRoot());
    SetWindowPos(Frame(), HWND_TOP, 0, 0, 900, 700, SWP_SHOWWINDOW);
    CreateBars();
    EndRunKeepingProfile();

    Start(SharedRoot());
    SetWindowPos(Frame(), HWND_TOP, 0, 0, 900, 700, SWP_SHOWWINDOW);
    int fresh = -1;
    ASSERT_EQ(1, Get<CreateFn>("CreateGuiToolbar")(&fresh, "Fresh", 0));
    Get<AddFn>("AddTBButton")(fresh, 179, 0, "Fresh", 1032);
    CreateBars();
    PumpFor(100);
    HWND hFresh = ChildTitled(Frame(), L"Fresh");
    ASSERT_NE(nullptr, hFresh);
    RECT frame{};
    GetWindowRect(Frame(), &frame);
    RedrawWindow(Frame(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(SaveScreenPng(frame, ScreenshotPath(L"app_unknown_toolbar_kept.png").c_str()));
    EXPECT_TRUE(IsWindowVisible(hFresh));
    const int side = GetDlgCtrlID(GetParent(hFresh));
    EXPECT_TRUE(side >= 0xE81B && side <= 0xE81E) << side;
    RECT r{};
    GetWindowRect(hFresh, &r);
    EXPECT_GT(r.right - r.left, 0);
    for (HWND h = GetWindow(GetParent(hFresh), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (h == hFresh || !IsWindowVisible(h))
            continue;
        RECT other{}, overlap{};
        GetWindowRect(h, &other);
        char title[64] = {};
        GetWindowTextA(h, title, sizeof title);
        EXPECT_FALSE(IntersectRect(&overlap, &r, &other)) << "the new toolbar lies over " << title;
    }
    EndRunKeepingProfile();
}
