// Host windows: the view that sizes the host's child, placements kept by the host, icons,
// captions, the owner of the last message, and the view's drag-and-drop registration.
#include "tests/support/app_fixture.h"

#include "host/lib/host_window.h"
#include "tests/support/screenshot.h"
#include "ifac/h/hostwnd.h"

namespace {

using OpenFn = int(__cdecl*)(const char*, const WindowPosition*, HWND*);
using PosFn = int(__cdecl*)(intptr_t, int, const WindowPosition*);
using UpdateFn = void(__cdecl*)(intptr_t, int, const WindowPosition*);

class HostWindowTest : public AppTest {
protected:
    // Opens a host window with this placement; the view and the host's child in it.
    void Open(HostPlacement placement) {
        HostState::Get().placements[&m_position] = placement;
        ASSERT_EQ(1, Get<OpenFn>("GetMDIWindow")("Registers", &m_position, &m_view));
        ASSERT_TRUE(IsWindow(m_view));
        m_child = CreateRegistersWindow(m_view, [this](HWND child) {
            ++m_closeRequests;
            Get<int(__cdecl*)(intptr_t, int)>("CloseMDIWindow")((intptr_t)child, 0);
        });
        PumpAll();
    }
    HWND FrameOfView() const { return GetParent(m_view); }

    WindowPosition m_position{};
    HWND m_view = nullptr;
    HWND m_child = nullptr;
    int m_closeRequests = 0; // the host's child asked to close
};

// The three forms a host window takes, as the host places them and as it reads them back.
struct Form {
    const char* name;
    HostPlacement placement;
    int32_t reported; // flags bits 0x7F1
};
const Form kForms[] = {{"MDI", {0x11, 20, 30, 240, 160}, 0x11},
                       {"docked left", {0x41 | 0x80, 0, 0, 100, 150}, 0x41 | 0x80},
                       {"floating", {0x21, 300, 200, 260, 180}, 0x21}};

TEST_F(HostWindowTest, TheViewSizesTheHostsChild) {
    Start();
    Open({0x11, 10, 10, 300, 200});
    SetWindowPos(FrameOfView(), nullptr, 0, 0, 420, 330, SWP_NOMOVE | SWP_NOZORDER);
    PumpAll();
    RECT view{}, child{};
    GetClientRect(m_view, &view);
    GetWindowRect(m_child, &child);
    EXPECT_EQ(view.right, child.right - child.left);
    EXPECT_EQ(view.bottom, child.bottom - child.top);
    wchar_t title[64] = {};
    GetWindowTextW(FrameOfView(), title, 64);
    EXPECT_STREQ(L"Registers", title);
    EXPECT_EQ(m_view, Get<HWND(__cdecl*)(HWND)>("CDocViewFromHandle")(m_child));
    EXPECT_EQ(nullptr, Get<HWND(__cdecl*)(HWND)>("CDocViewFromHandle")(Frame()));
}

TEST_F(HostWindowTest, APlacementReportedIsAPlacementRestored) {
    Start();
    Open({0x11, 30, 40, 300, 200});
    RECT placed{};
    GetWindowRect(FrameOfView(), &placed);
    MapWindowPoints(nullptr, GetParent(FrameOfView()), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(30, placed.left);
    EXPECT_EQ(300, placed.right - placed.left);
    SetWindowPos(FrameOfView(), nullptr, 70, 80, 250, 150, SWP_NOZORDER);
    ASSERT_EQ(1, Get<PosFn>("GetWindowPos")((intptr_t)m_view, 0, &m_position));
    const HostPlacement saved = HostState::Get().placements[&m_position];
    EXPECT_EQ(0x11, saved.flags);
    EXPECT_EQ(70, saved.x);
    EXPECT_EQ(250, saved.width);
    SetWindowPos(FrameOfView(), nullptr, 5, 5, 100, 100, SWP_NOZORDER);
    Get<UpdateFn>("UpdateWndPos")((intptr_t)m_view, 0, &m_position);
    RECT back{};
    GetWindowRect(FrameOfView(), &back);
    MapWindowPoints(nullptr, GetParent(FrameOfView()), reinterpret_cast<POINT*>(&back), 2);
    EXPECT_EQ(70, back.left);
    EXPECT_EQ(80, back.top);
    EXPECT_EQ(250, back.right - back.left);
    // A placement the host marks as its own is left alone.
    HostState::Get().placements[&m_position].flags |= PlacementFlags::leaveAlone;
    HostState::Get().placements[&m_position].x = 200;
    Get<UpdateFn>("UpdateWndPos")((intptr_t)m_view, 0, &m_position);
    GetWindowRect(FrameOfView(), &back);
    MapWindowPoints(nullptr, GetParent(FrameOfView()), reinterpret_cast<POINT*>(&back), 2);
    EXPECT_EQ(70, back.left);
    Get<UpdateFn>("UpdateWndPos")((intptr_t)m_view, 0, nullptr); // no record: no placement
}

TEST_F(HostWindowTest, TheIconReachesTheFrameAsKindThenIcon) {
    Start();
    Open({0x11, 10, 10, 300, 200});
    HICON icon = LoadIcon(nullptr, IDI_WARNING);
    auto setIcon = Get<LRESULT(__cdecl*)(intptr_t, int, HICON, int)>("SetWndIcon");
    setIcon((intptr_t)m_view, 0, icon, ICON_SMALL);
    EXPECT_EQ((LRESULT)icon, SendMessageW(FrameOfView(), WM_GETICON, ICON_SMALL, 0));
    EXPECT_EQ(0, setIcon((intptr_t)m_view, 0, icon, 7)); // no icon kind
}

TEST_F(HostWindowTest, TheLastMessagesOwnerIsTheViewAroundIt) {
    Start();
    Open({0x11, 10, 10, 300, 200});
    auto owner = Get<HWND(__cdecl*)()>("GetLastMessageOwner");
    HWND seen = nullptr;
    HostState::Get().onCommand = [&](int) { seen = owner(); };
    PostMessageW(m_child, WM_USER + 5, 0, 0);
    PostMessageW(Frame(), 0x408, 45, 0);
    Peek();
    HostState::Get().onCommand = nullptr;
    EXPECT_EQ(m_view, seen);
}

TEST_F(HostWindowTest, TheViewRegistersUnderTheHostsKindName) {
    Start();
    Open({0x11, 10, 10, 300, 200});
    auto drop = Get<int(__cdecl*)(const char*, HWND)>("InitMDIDropTarget");
    CallLog::Get().Clear();
    EXPECT_EQ(1, drop("HostWnd", m_child));
    EXPECT_EQ(1, drop("HostWnd2", m_child)); // replaces the first
    EXPECT_EQ(0, drop(nullptr, m_child));
    EXPECT_EQ(0, drop("X", Frame())); // no view around the frame
    const std::string id = std::to_string((intptr_t)m_child);
    EXPECT_EQ((std::vector<std::string>{"DD.RegisterDropTarget(\"HostWnd\", " + id + ")",
                                        "DD.UnregisterDropTarget(\"HostWnd\", " + id + ")",
                                        "DD.RegisterDropTarget(\"HostWnd2\", " + id + ")"}),
              Lines("DD."));
}

TEST_F(HostWindowTest, DockedWindowsMoveBetweenSidesAndBackToMDI) {
    Start();
    Open({0x41, 0, 0, 100, 150});
    HWND view = m_view;
    auto pos = Get<PosFn>("GetWindowPos");
    auto update = Get<UpdateFn>("UpdateWndPos");
    // Docked on the left with half of its row.
    HostState::Get().placements[&m_position] = {0x41 | 0x80, 0, 0, 50, 150};
    update((intptr_t)view, 0, &m_position);
    PumpAll();
    ASSERT_EQ(1, pos((intptr_t)view, 0, &m_position));
    HostPlacement p = HostState::Get().placements[&m_position];
    EXPECT_EQ(0x41, p.flags & 0x41);
    EXPECT_EQ(0x80, p.flags & 0x780);
    // Back to an MDI child at a placement of its own.
    HostState::Get().placements[&m_position] = {0x11, 20, 30, 240, 160};
    update((intptr_t)view, 0, &m_position);
    PumpAll();
    ASSERT_EQ(1, pos((intptr_t)view, 0, &m_position));
    p = HostState::Get().placements[&m_position];
    EXPECT_EQ(0x11, p.flags & 0x71);
    EXPECT_TRUE(IsWindow(m_child));
}

TEST_F(HostWindowTest, HostsBefore34KeepNoPlacements) {
    HostOptions o;
    o.major = 3;
    o.minor = 3;
    Start(o);
    CallLog::Get().Clear();
    Open({0x11, 10, 10, 300, 200});
    EXPECT_TRUE(Lines("GetWindowSetting").empty());
    EXPECT_TRUE(Lines("SetWindowSetting").empty());
    EXPECT_TRUE(IsWindow(m_child));
    EXPECT_EQ(0, Get<PosFn>("GetWindowPos")((intptr_t)Frame(), 0, &m_position));
}

TEST_F(HostWindowTest, AFloatingPlacementFloatsTheWindowAndIsReportedSo) {
    Start();
    Open({0x11, 10, 10, 300, 200});
    HostState::Get().placements[&m_position] = {0x21, 300, 200, 260, 180};
    Get<UpdateFn>("UpdateWndPos")((intptr_t)m_view, 0, &m_position);
    PumpAll();
    EXPECT_NE(Frame(), GetAncestor(m_view, GA_ROOT)); // in a frame of its own
    ASSERT_EQ(1, Get<PosFn>("GetWindowPos")((intptr_t)m_view, 0, &m_position));
    EXPECT_EQ(0x21, HostState::Get().placements[&m_position].flags);
}

TEST_F(HostWindowTest, TwoWindowsInARowReportSharesThatAddUpAndComeBackTheSame) {
    Start();
    Open({0x41, 0, 0, 100, 150});
    WindowPosition otherPosition{};
    HWND other = nullptr;
    HostState::Get().placements[&otherPosition] = {0x41, 0, 0, 100, 150};
    ASSERT_EQ(1, Get<OpenFn>("GetMDIWindow")("Other", &otherPosition, &other));
    auto pos = Get<PosFn>("GetWindowPos");
    auto update = Get<UpdateFn>("UpdateWndPos");
    auto placeBoth = [&] {
        update((intptr_t)m_view, 0, &m_position);
        update((intptr_t)other, 0, &otherPosition);
        PumpAll();
        ASSERT_EQ(1, pos((intptr_t)m_view, 0, &m_position));
        ASSERT_EQ(1, pos((intptr_t)other, 0, &otherPosition));
    };
    // The row settles the shares by its pixels; what it reports, put back, stays put.
    for (int percent : {29, 57, 71}) {
        SCOPED_TRACE(percent);
        HostState::Get().placements[&m_position] = {0x41 | 0x80, 0, 0, percent, 150};
        HostState::Get().placements[&otherPosition] = {0x41 | 0x80, 0, 1, 100 - percent, 150};
        placeBoth();
        const HostPlacement first = HostState::Get().placements[&m_position];
        const HostPlacement second = HostState::Get().placements[&otherPosition];
        EXPECT_EQ(0xC1, first.flags);
        EXPECT_EQ(0xC1, second.flags);
        EXPECT_EQ(0, first.y);
        EXPECT_EQ(1, second.y);
        EXPECT_EQ(100, first.width + second.width); // cut shares lose a percent
        for (int round = 0; round < 3; ++round) {
            placeBoth();
            EXPECT_EQ(first.width, HostState::Get().placements[&m_position].width);
            EXPECT_EQ(second.width, HostState::Get().placements[&otherPosition].width);
        }
    }
}

TEST_F(HostWindowTest, AFloatingPlacementMovesOnlyTheFloatingFrame) {
    Start();
    Open({0x11, 10, 10, 300, 200});
    HostState::Get().placements[&m_position] = {0x21, 300, 200, 260, 180};
    auto update = Get<UpdateFn>("UpdateWndPos");
    update((intptr_t)m_view, 0, &m_position);
    PumpAll();
    HWND floating = GetAncestor(m_view, GA_ROOT);
    ASSERT_NE(Frame(), floating);
    RECT mainBefore{};
    GetWindowRect(Frame(), &mainBefore);
    // Already floating: the floating frame goes to the new place, nothing else moves.
    HostState::Get().placements[&m_position] = {0x21, 120, 140, 330, 210};
    update((intptr_t)m_view, 0, &m_position);
    PumpAll();
    RECT moved{}, mainAfter{};
    GetWindowRect(floating, &moved);
    GetWindowRect(Frame(), &mainAfter);
    EXPECT_EQ(120, moved.left);
    EXPECT_EQ(140, moved.top);
    EXPECT_TRUE(EqualRect(&mainBefore, &mainAfter));
    EXPECT_EQ(floating, GetAncestor(m_view, GA_ROOT));
}

// A floating window takes the host's whole placement, x, y, width and height, on the floating
// frame the user sees; what it reports is that rectangle, and puts it back unchanged.
TEST_F(HostWindowTest, AFloatingWindowTakesTheHostsRectangle) {
    auto rectOf = [](HWND hWnd) {
        RECT r{};
        GetWindowRect(hWnd, &r);
        return std::vector<LONG>{r.left, r.top, r.right - r.left, r.bottom - r.top};
    };
    const std::vector<LONG> wanted = {300, 200, 260, 180};
    Start();
    Open({0x21, 300, 200, 260, 180}); // opened floating
    HWND floating = GetAncestor(m_view, GA_ROOT);
    ASSERT_NE(Frame(), floating);
    EXPECT_EQ(wanted, rectOf(floating));
    // From an MDI child and from a docked bar the same.
    auto update = Get<UpdateFn>("UpdateWndPos");
    for (int32_t from : {0x11, 0x41 | 0x80}) {
        SCOPED_TRACE(from);
        HostState::Get().placements[&m_position] = {from, 10, 10, 300, 200};
        update((intptr_t)m_view, 0, &m_position);
        PumpAll();
        ASSERT_EQ(Frame(), GetAncestor(m_view, GA_ROOT));
        HostState::Get().placements[&m_position] = {0x21, 120, 140, 330, 210};
        update((intptr_t)m_view, 0, &m_position);
        PumpAll();
        floating = GetAncestor(m_view, GA_ROOT);
        ASSERT_NE(Frame(), floating);
        EXPECT_EQ((std::vector<LONG>{120, 140, 330, 210}), rectOf(floating));
    }
    RedrawWindow(floating, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpAll();
    RECT shown{};
    GetWindowRect(floating, &shown);
    EXPECT_TRUE(SaveScreenPng(shown, ScreenshotPath(L"app_floating_host_window.png").c_str()));
    // Reported, then put back: nothing moves.
    ASSERT_EQ(1, Get<PosFn>("GetWindowPos")((intptr_t)m_view, 0, &m_position));
    const HostPlacement reported = HostState::Get().placements[&m_position];
    EXPECT_EQ(0x21, reported.flags);
    EXPECT_EQ((std::vector<LONG>{reported.x, reported.y, reported.width, reported.height}),
              rectOf(floating));
    for (int round = 0; round < 2; ++round) {
        update((intptr_t)m_view, 0, &m_position);
        PumpAll();
        EXPECT_EQ((std::vector<LONG>{120, 140, 330, 210}), rectOf(floating));
    }
}

WNDPROC g_registersProc = nullptr;
int g_sizes = 0;
LRESULT CALLBACK CountSizes(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE)
        ++g_sizes;
    return CallWindowProcW(g_registersProc, hWnd, message, wParam, lParam);
}

TEST_F(HostWindowTest, FontAndColourChangesLayEveryWindowOutAgain) {
    Start();
    Open({0x11, 10, 10, 300, 200});
    g_registersProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(m_child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountSizes)));
    g_sizes = 0;
    LOGFONTW lf{};
    lf.lfHeight = -20;
    wcscpy(lf.lfFaceName, L"Courier New");
    HFONT font = CreateFontIndirectW(&lf);
    Get<void(__cdecl*)(HFONT, HFONT)>("GUIChangeFont")(font, nullptr);
    EXPECT_GE(g_sizes, 1);
    const int afterFont = g_sizes;
    Get<int(__cdecl*)(COLORREF, COLORREF, COLORREF)>("GUIChangeColor")(0, 0xFFFFFF, 0xFF);
    EXPECT_GT(g_sizes, afterFont);
    DeleteObject(font);
    SetWindowLongPtrW(m_child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_registersProc));
}

TEST_F(HostWindowTest, AWindowThatChangesFormIsStillLaidOutAgain) {
    Start();
    Open({0x11, 10, 10, 300, 200});
    g_registersProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(m_child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountSizes)));
    auto update = Get<UpdateFn>("UpdateWndPos");
    auto changeColor = Get<int(__cdecl*)(COLORREF, COLORREF, COLORREF)>("GUIChangeColor");
    const HostPlacement forms[] = {{0x41 | 0x80, 0, 0, 100, 150}, // docked: a new frame
                                   {0x11, 20, 30, 240, 160}};     // and back to MDI: another
    for (const HostPlacement& form : forms) {
        SCOPED_TRACE(form.flags);
        HWND before = GetParent(m_view);
        HostState::Get().placements[&m_position] = form;
        update((intptr_t)m_view, 0, &m_position);
        PumpAll();
        ASSERT_TRUE(IsWindow(m_child));
        ASSERT_NE(before, GetParent(m_view)); // the frame was replaced
        g_sizes = 0;
        changeColor(0, 0xFFFFFF, 0xFF);
        EXPECT_GE(g_sizes, 1); // the new frame is in the list of open windows
    }
    SetWindowLongPtrW(m_child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_registersProc));
}

// MDI -> docked -> floating -> MDI, the host naming the window by its own child each time.
TEST_F(HostWindowTest, AWindowKeepsItsContentIconAndRegistrationThroughEveryForm) {
    Start();
    Open(kForms[0].placement);
    HICON icon = LoadIcon(nullptr, IDI_WARNING);
    auto setIcon = Get<LRESULT(__cdecl*)(intptr_t, int, HICON, int)>("SetWndIcon");
    auto caption = Get<int(__cdecl*)(intptr_t, int, const char*)>("SetWndCaption");
    auto update = Get<UpdateFn>("UpdateWndPos");
    auto pos = Get<PosFn>("GetWindowPos");
    setIcon((intptr_t)m_child, 0, icon, ICON_SMALL);
    ASSERT_EQ(1, Get<int(__cdecl*)(const char*, HWND)>("InitMDIDropTarget")("HostWnd", m_child));
    CallLog::Get().Clear();
    for (const Form* form : {&kForms[1], &kForms[2], &kForms[0]}) {
        SCOPED_TRACE(form->name);
        HostState::Get().placements[&m_position] = form->placement;
        update((intptr_t)m_child, 0, &m_position);
        PumpAll();
        ASSERT_TRUE(IsWindow(m_child));
        EXPECT_EQ(m_view, GetParent(m_child));
        EXPECT_EQ((LRESULT)icon, SendMessageW(FrameOfView(), WM_GETICON, ICON_SMALL, 0));
        // The host's child names the frame in this form too.
        HICON large = LoadIcon(nullptr, IDI_INFORMATION);
        setIcon((intptr_t)m_child, 0, large, ICON_BIG);
        EXPECT_EQ((LRESULT)large, SendMessageW(FrameOfView(), WM_GETICON, ICON_BIG, 0));
        ASSERT_EQ(1, pos((intptr_t)m_child, 0, &m_position));
        EXPECT_EQ(form->reported, HostState::Get().placements[&m_position].flags & 0x7F1);
        if (form == &kForms[1]) { // docked on the left: worth a look
            RECT shown{};
            GetWindowRect(Frame(), &shown);
            RedrawWindow(Frame(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            PumpAll();
            EXPECT_TRUE(
                SaveScreenPng(shown, ScreenshotPath(L"app_host_window_docked_left.png").c_str()));
        }
        const std::string title = std::string("Registers ") + form->name;
        EXPECT_EQ(1, caption((intptr_t)m_child, 0, title.c_str()));
        wchar_t shown[64] = {};
        GetWindowTextW(FrameOfView(), shown, 64);
        EXPECT_EQ(std::wstring(title.begin(), title.end()), shown);
    }
    EXPECT_EQ(0, m_closeRequests);
    for (const std::string& line : Lines("DD."))
        EXPECT_EQ(std::string::npos, line.find("DropTarget")) << line; // never announced again
}

// A docked window goes to the side its placement names: opened docked, or docked by the host.
TEST_F(HostWindowTest, ANewlyDockedWindowTakesTheSideItsPlacementNames) {
    Start();
    auto open = Get<OpenFn>("GetMDIWindow");
    auto update = Get<UpdateFn>("UpdateWndPos");
    auto pos = Get<PosFn>("GetWindowPos");
    auto close = Get<int(__cdecl*)(intptr_t, int)>("CloseMDIWindow");
    const struct {
        int32_t side, reported;
    } sides[] = {{0x80, 0x80}, {0x100, 0x100}, {0x400, 0x400}, {0x200, 0x200}, {0, 0x200}};
    for (const auto& s : sides) {
        SCOPED_TRACE(s.side);
        WindowPosition opened{}, moved{};
        HWND openedView = nullptr, movedView = nullptr;
        HostState::Get().placements[&opened] = {0x41 | s.side, 0, 0, 100, 150};
        HostState::Get().placements[&moved] = {0x11, 10, 10, 200, 120};
        ASSERT_EQ(1, open("Opened", &opened, &openedView));
        ASSERT_EQ(1, open("Moved", &moved, &movedView));
        HostState::Get().placements[&moved] = {0x41 | s.side, 0, 1, 100, 150};
        update((intptr_t)movedView, 0, &moved);
        PumpAll();
        ASSERT_EQ(1, pos((intptr_t)openedView, 0, &opened));
        ASSERT_EQ(1, pos((intptr_t)movedView, 0, &moved));
        EXPECT_EQ(0x41 | s.reported, HostState::Get().placements[&opened].flags);
        EXPECT_EQ(0x41 | s.reported, HostState::Get().placements[&moved].flags);
        close((intptr_t)openedView, 0);
        close((intptr_t)movedView, 0);
        PumpAll();
        EXPECT_FALSE(IsWindow(openedView));
        EXPECT_FALSE(IsWindow(movedView));
    }
    // Row, column, share and thickness out of range: the side still holds, nothing else breaks.
    WindowPosition wild{};
    HWND wildView = nullptr;
    HostState::Get().placements[&wild] = {0x41 | 0x100, -5, 99999, 5000, -1};
    ASSERT_EQ(1, open("Wild", &wild, &wildView));
    PumpAll();
    ASSERT_EQ(1, pos((intptr_t)wildView, 0, &wild));
    EXPECT_EQ(0x41 | 0x100, HostState::Get().placements[&wild].flags);
    EXPECT_LE(HostState::Get().placements[&wild].width, 100);
}

// Without the host's drag-and-drop service (here: the component has none; a host without
// "__COCO__" cannot be had again in this process) a window is no drop target, and nothing asks
// for one.
TEST_F(HostWindowTest, WithoutTheServiceNothingIsAnnounced) {
    HostOptions o;
    o.nullService = true;
    Start(o);
    Open(kForms[1].placement);
    EXPECT_EQ(0, Get<int(__cdecl*)(const char*, HWND)>("InitMDIDropTarget")("HostWnd", m_child));
    EXPECT_EQ(1, Get<int(__cdecl*)(intptr_t, int)>("CloseMDIWindow")((intptr_t)m_child, 0));
    PumpAll();
    EXPECT_FALSE(IsWindow(m_view));
    EXPECT_TRUE(Lines("DD.").empty());
}

class HostWindowLifetime : public HostWindowTest {};

// Closed by the host through its child's handle, or by the user through the frame, in every
// form: the window goes once, and the host's child is asked at most once.
TEST_F(HostWindowLifetime, AWindowClosesFromEveryForm) {
    Start();
    auto close = Get<int(__cdecl*)(intptr_t, int)>("CloseMDIWindow");
    for (const Form& form : kForms)
        for (bool byUser : {false, true}) {
            SCOPED_TRACE(std::string(form.name) + (byUser ? " by the user" : " by the host"));
            m_closeRequests = 0;
            Open(form.placement);
            const HWND frame = FrameOfView();
            if (byUser)
                PostMessageW(frame, WM_CLOSE, 0, 0);
            else
                EXPECT_EQ(1, close((intptr_t)m_child, 0));
            PumpAll();
            EXPECT_FALSE(IsWindow(m_child));
            EXPECT_FALSE(IsWindow(m_view));
            EXPECT_FALSE(IsWindow(frame));
            EXPECT_EQ(byUser ? 1 : 0, m_closeRequests);
            EXPECT_TRUE(IsWindow(Frame()));
        }
}

TEST_F(HostWindowLifetime, TheHostsChildClosesItsWindowWhenTheFrameIsClosed) {
    Start();
    Open({0x11, 10, 10, 300, 200});
    HWND frame = FrameOfView();
    PostMessageW(frame, WM_CLOSE, 0, 0);
    PumpAll();
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_FALSE(IsWindow(m_child));
    EXPECT_TRUE(IsWindow(Frame()));
}

} // namespace
