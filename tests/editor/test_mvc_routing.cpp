// Controllers plugged into real windows: the order in which a viewport hands messages on, the
// controller's message filter, the plug-in's per-message flags, borrowed handles, the mouse
// capture, and windows destroyed from inside a handler.
#include "editor/mvc_controller.h"
#include "editor/mvc_viewport.h"
#include "framework/afx.h"
#include "geometry_print.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace corvalis::foundation;

std::vector<std::string> g_log;

constexpr UINT WM_TEST_PLAIN = WM_APP + 1;  // wParam 1: the handler asks for default processing
constexpr UINT WM_TEST_RESULT = WM_APP + 2; // the handler sets a result of its own
constexpr UINT WM_TEST_NESTED = WM_APP + 3; // asks for default, then sends WM_TEST_RESULT

// A controller that records which of its handlers ran. A left click destroys the window when
// told to, after setting its result.
class RecordingController : public MvcController {
public:
    explicit RecordingController(std::string name) : m_name(std::move(name)) {}
    ~RecordingController() override { g_log.push_back(m_name + ":deleted"); }
    bool destroyOnClick = false;

protected:
    void Note(const char* what) { g_log.push_back(m_name + ":" + what); }
    afx_msg void OnLButtonDown(UINT, CPoint) {
        Note("click");
        if (destroyOnClick) {
            SetHandledResult(9);
            ::DestroyWindow(m_hWnd); // deletes this controller on the way
        }
    }
    afx_msg void OnPaint() { Note("paint"); }
    afx_msg void OnSize(UINT, int, int) { Note("size"); }
    afx_msg void OnKeyDown(UINT, UINT, UINT) { Note("key"); }
    afx_msg BOOL OnSetCursor(CWnd*, UINT, UINT) {
        Note("cursor");
        return TRUE;
    }
    afx_msg void OnTimer(UINT_PTR) { Note("timer"); }
    afx_msg void OnContextMenu(CWnd*, CPoint) { Note("menu"); }
    afx_msg void OnShowWindow(BOOL, UINT) { Note("show"); }
    afx_msg void OnCommand100() { Note("command"); }
    DECLARE_MESSAGE_MAP()

private:
    std::string m_name;
};

BEGIN_MESSAGE_MAP(RecordingController, MvcController)
ON_WM_LBUTTONDOWN()
ON_WM_PAINT()
ON_WM_SIZE()
ON_WM_KEYDOWN()
ON_WM_SETCURSOR()
ON_WM_TIMER()
ON_WM_CONTEXTMENU()
ON_WM_SHOWWINDOW()
ON_COMMAND(100, OnCommand100)
END_MESSAGE_MAP()

// A window that offers its messages to its viewport first, as the editor's windows do.
class HostWnd : public CWnd {
public:
    MvcViewport viewport;
    bool selfDeleting = false;
    static int deleted;

    HostWnd() {}
    ~HostWnd() override { ++deleted; }

    // A hidden top-level window whose viewport covers rect and owns controller.
    static HostWnd* Make(const CRect& bounds, MvcController* controller) {
        auto host = std::make_unique<HostWnd>();
        if (!host->CreateEx(0, NULL, L"host", WS_POPUP, 0, 0, 300, 200, NULL, NULL))
            return nullptr;
        host->viewport.SetBounds(bounds);
        host->viewport.SetController(controller, TRUE);
        host->viewport.Create(host.get(), nullptr);
        host->selfDeleting = true;
        return host.release();
    }

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        if (viewport.OnWndMsg(message, wParam, lParam, pResult))
            return TRUE; // the window may be gone
        return CWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
    void PostNcDestroy() override {
        if (selfDeleting)
            delete this;
    }
    afx_msg void OnLButtonDown(UINT, CPoint) { g_log.push_back("host:click"); }
    afx_msg void OnPaint() {
        CPaintDC dc(this);
        g_log.push_back("host:paint");
    }
    DECLARE_MESSAGE_MAP()
};

int HostWnd::deleted = 0;

BEGIN_MESSAGE_MAP(HostWnd, CWnd)
ON_WM_LBUTTONDOWN()
ON_WM_PAINT()
END_MESSAGE_MAP()

// Windows destroyed at the end of a test whatever it left.
struct Hosts {
    std::vector<HWND> windows;
    HostWnd* Add(const CRect& bounds, MvcController* controller) {
        HostWnd* host = HostWnd::Make(bounds, controller);
        if (host)
            windows.push_back(host->m_hWnd);
        return host;
    }
    ~Hosts() {
        SetCaptureController(nullptr);
        for (HWND h : windows)
            if (::IsWindow(h))
                ::DestroyWindow(h);
    }
};

LPARAM Words(unsigned x, unsigned y) {
    return MAKELPARAM(x, y);
}

TEST(MvcRouting, MouseMessagesGoToTheCaptureControllerThenThroughTheHitTest) {
    g_log.clear();
    Hosts hosts;
    auto* own = new RecordingController("own");
    auto* other = new RecordingController("other");
    HostWnd* host = hosts.Add(CRect(0, 0, 100, 100), own);
    HostWnd* otherHost = hosts.Add(CRect(0, 0, 100, 100), other);
    ASSERT_TRUE(host && otherHost);
    const HWND hWnd = host->m_hWnd;
    const HWND otherWnd = otherHost->m_hWnd;
    EXPECT_TRUE(own->IsPluggedIn());
    EXPECT_EQ(own->m_hWnd, hWnd);

    ::SendMessageW(hWnd, WM_LBUTTONDOWN, 0, Words(10, 10));
    ::SendMessageW(hWnd, WM_LBUTTONDOWN, 0, Words(150, 10)); // outside the bounds
    EXPECT_EQ(g_log, (std::vector<std::string>{"own:click", "host:click"}));

    g_log.clear();
    SetCaptureController(other);
    EXPECT_EQ(::GetCapture(), otherWnd);
    ::SendMessageW(hWnd, WM_LBUTTONDOWN, 0, Words(10, 10));
    ::SendMessageW(hWnd, WM_LBUTTONDOWN, 0, Words(150, 10)); // the capture sees beyond bounds
    ::SendMessageW(hWnd, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"other:click", "other:click", "other:key"}));

    // The controller that holds the capture dies with its window: it lets go of the capture,
    // and the next message goes past it.
    g_log.clear();
    ::DestroyWindow(otherWnd);
    EXPECT_EQ(GetCaptureController(), nullptr);
    EXPECT_NE(::GetCapture(), otherWnd);
    ::SendMessageW(hWnd, WM_LBUTTONDOWN, 0, Words(10, 10));
    EXPECT_EQ(g_log, (std::vector<std::string>{"other:deleted", "own:click"}));

    // Unplugging lets go of the capture too; a controller plugged into no window cannot take it.
    SetCaptureController(own);
    EXPECT_EQ(::GetCapture(), hWnd);
    own->UnPlug();
    EXPECT_EQ(GetCaptureController(), nullptr);
    EXPECT_NE(::GetCapture(), hWnd);
    SetCaptureController(own);
    EXPECT_EQ(GetCaptureController(), nullptr);
    g_log.clear();
    ::SendMessageW(hWnd, WM_LBUTTONDOWN, 0, Words(10, 10));
    EXPECT_EQ(g_log, (std::vector<std::string>{"host:click"}));
}

// The words of lParam are unsigned: a point left of or above the window is far to the right or
// below, and a word above 0x7FFF lies inside bounds that reach that far.
TEST(MvcRouting, TheHitTestReadsTheWordsOfLParamUnsigned) {
    struct Case {
        CRect bounds;
        unsigned x, y;
        bool reached;
    } cases[] = {
        {CRect(-100, -100, 100, 100), 0xFFF0, 0x0010, false}, // (-16, 16) signed
        {CRect(-100, -100, 100, 100), 0x0010, 0xFFF0, false},
        {CRect(0, 0, 70000, 70000), 0x8000, 0x8000, true}, // -32768 signed
        {CRect(0, 0, 70000, 70000), 0xFFFF, 0x0000, true},
        {CRect(0, 0, 100, 100), 99, 99, true},
        {CRect(0, 0, 100, 100), 100, 50, false},
    };
    Hosts hosts;
    auto* controller = new RecordingController("own");
    HostWnd* host = hosts.Add(CRect(), controller);
    ASSERT_TRUE(host);
    for (const Case& c : cases) {
        g_log.clear();
        host->viewport.SetBounds(c.bounds);
        ::SendMessageW(host->m_hWnd, WM_LBUTTONDOWN, 0, Words(c.x, c.y));
        ASSERT_FALSE(g_log.empty());
        EXPECT_EQ(g_log.front(), c.reached ? "own:click" : "host:click")
            << std::hex << c.x << "," << c.y;
        CPoint point;
        EXPECT_TRUE(GetMousePoint(WM_LBUTTONDOWN, 0, Words(c.x, c.y), point));
        EXPECT_EQ(point, CPoint(int(c.x), int(c.y)));
    }
}

// Only input, commands, cursor, timer and context-menu messages pass the controller's filter,
// whatever its map holds: paint stays with the window.
TEST(MvcRouting, TheControllerFilterKeepsPaintWithTheWindow) {
    Hosts hosts;
    auto* controller = new RecordingController("own");
    HostWnd* host = hosts.Add(CRect(0, 0, 300, 200), controller);
    ASSERT_TRUE(host);
    const HWND hWnd = host->m_hWnd;
    host->ShowWindow(SW_SHOWNOACTIVATE); // a hidden window is not painted

    g_log.clear();
    ::InvalidateRect(hWnd, NULL, FALSE);
    ::UpdateWindow(hWnd);
    EXPECT_EQ(g_log, (std::vector<std::string>{"host:paint"}));

    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        const char* recorded;
    } cases[] = {
        {WM_SIZE, SIZE_RESTORED, MAKELPARAM(10, 10), nullptr},
        {WM_SHOWWINDOW, TRUE, 0, nullptr},
        {WM_KEYDOWN, 'A', 0, "own:key"},
        {WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), "own:cursor"},
        {WM_TIMER, 5, 0, "own:timer"},
        {WM_CONTEXTMENU, 0, MAKELPARAM(5, 5), "own:menu"},
        {WM_COMMAND, 100, 0, "own:command"},
    };
    for (const Case& c : cases) {
        g_log.clear();
        ::SendMessageW(hWnd, c.message, c.wParam, c.lParam);
        EXPECT_EQ(g_log,
                  c.recorded ? std::vector<std::string>{c.recorded} : std::vector<std::string>{})
            << c.message;
    }
}

TEST(MvcRouting, AHandlerMayDestroyTheWindowAndItsController) {
    Hosts hosts;
    auto* controller = new RecordingController("own");
    controller->destroyOnClick = true;
    HostWnd* host = hosts.Add(CRect(0, 0, 100, 100), controller);
    ASSERT_TRUE(host);
    const HWND hWnd = host->m_hWnd;
    SetCaptureController(controller);
    const int deletedBefore = HostWnd::deleted;

    g_log.clear();
    EXPECT_EQ(::SendMessageW(hWnd, WM_LBUTTONDOWN, 0, Words(10, 10)), 9);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(HostWnd::deleted, deletedBefore + 1);
    EXPECT_EQ(GetCaptureController(), nullptr);
    EXPECT_EQ(g_log, (std::vector<std::string>{"own:click", "own:deleted"}));
}

// A plain window procedure that records what reaches it, subclassed by a framework object that
// offers every message to a plug-in first.
std::vector<UINT> g_reachedWindow;

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_APP)
        g_reachedWindow.push_back(message);
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

HWND MakePlainWindow() {
    static const wchar_t* const kClass = L"MvcRoutingPlain";
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &RecordingProc;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.lpszClassName = kClass;
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, kClass, L"plain", WS_POPUP, 0, 0, 100, 100, NULL, NULL,
                             wc.hInstance, NULL);
}

class FlagPlugIn : public SECWndPlugIn {
protected:
    afx_msg LRESULT OnPlain(WPARAM wParam, LPARAM) {
        if (wParam == 1)
            SetCallDefault(TRUE);
        Default();
        return 7;
    }
    afx_msg LRESULT OnResult(WPARAM, LPARAM) {
        SetHandledResult(42);
        return 5;
    }
    afx_msg LRESULT OnNested(WPARAM, LPARAM) {
        SetCallDefault(TRUE);
        ::SendMessageW(m_hWnd, WM_TEST_RESULT, 0, 0);
        Default();
        return 8;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FlagPlugIn, SECWndPlugIn)
ON_MESSAGE(WM_TEST_PLAIN, OnPlain)
ON_MESSAGE(WM_TEST_RESULT, OnResult)
ON_MESSAGE(WM_TEST_NESTED, OnNested)
END_MESSAGE_MAP()

class PlugInHost : public CWnd {
public:
    SECWndPlugIn* plugIn = nullptr;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        if (plugIn && plugIn->OnWndMsg(message, wParam, lParam, pResult))
            return TRUE;
        return CWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
};

TEST(WndPlugIn, DefaultProcessingReachesTheWindowOnlyWithTheCallDefaultFlag) {
    const HWND hWnd = MakePlainWindow();
    ASSERT_NE(hWnd, nullptr);
    PlugInHost host;
    ASSERT_TRUE(host.SubclassWindow(hWnd));
    FlagPlugIn plugIn;
    host.plugIn = &plugIn;
    plugIn.PlugInTo(&host);

    struct Case {
        UINT message;
        WPARAM wParam;
        LRESULT result;
        std::vector<UINT> reached;
    } cases[] = {
        {WM_TEST_PLAIN, 0, 7, {}},
        {WM_TEST_PLAIN, 1, 7, {WM_TEST_PLAIN}},
        {WM_TEST_RESULT, 0, 42, {}},
        // A message sent from a handler has flags of its own: the outer message keeps its
        // call-default flag and its own result.
        {WM_TEST_NESTED, 0, 8, {WM_TEST_NESTED}},
    };
    for (const Case& c : cases) {
        g_reachedWindow.clear();
        EXPECT_EQ(::SendMessageW(hWnd, c.message, c.wParam, 0), c.result) << c.message;
        EXPECT_EQ(g_reachedWindow, c.reached) << c.message;
    }

    // Unplugged, it answers nothing and the window handles its messages itself.
    plugIn.UnPlug();
    g_reachedWindow.clear();
    LRESULT result = 0;
    EXPECT_FALSE(plugIn.OnWndMsg(WM_TEST_RESULT, 0, 0, &result));
    EXPECT_EQ(::SendMessageW(hWnd, WM_TEST_RESULT, 0, 0), 0);
    EXPECT_EQ(g_reachedWindow, std::vector<UINT>{WM_TEST_RESULT});
    host.plugIn = nullptr;
    host.DestroyWindow();
}

TEST(WndPlugIn, BorrowsTheHandleWithoutBindingOrDestroyingTheWindow) {
    const HWND hWnd = MakePlainWindow();
    ASSERT_NE(hWnd, nullptr);
    {
        auto plugIn = std::make_unique<FlagPlugIn>();
        plugIn->PlugInTo(CWnd::FromHandle(hWnd));
        EXPECT_EQ(plugIn->m_hWnd, hWnd);
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
        // CWnd's own default entries are the window's business, not the plug-in's.
        for (UINT message : {WM_HSCROLL, WM_VSCROLL, WM_CTLCOLOREDIT})
            EXPECT_FALSE(plugIn->OnWndMsg(message, 0, 0, nullptr)) << message;
        EXPECT_TRUE(plugIn->IsPluggedIn());
        plugIn.reset(); // deleted while plugged in
    }
    EXPECT_TRUE(::IsWindow(hWnd));
    {
        FlagPlugIn plugIn;
        plugIn.PlugInTo(CWnd::FromHandle(hWnd));
        EXPECT_EQ(plugIn.UnPlug(), 0);
        EXPECT_EQ(plugIn.m_hWnd, nullptr);
        EXPECT_FALSE(plugIn.IsPluggedIn());
    }
    EXPECT_TRUE(::IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);

    // A window bound to an object stays bound to it.
    PlugInHost host;
    ASSERT_TRUE(host.SubclassWindow(hWnd));
    {
        FlagPlugIn plugIn;
        plugIn.PlugInTo(&host);
    }
    EXPECT_TRUE(::IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &host);
    host.DestroyWindow();
}

} // namespace
