// Message maps on real windows: chaining to the base map, cracking, routing of commands and
// notifications, default processing, and the exception barrier of the window procedure.
#include "test_support.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {
constexpr UINT WM_TEST_USER = WM_APP + 1;
constexpr UINT WM_TEST_THROW_FRAMEWORK = WM_APP + 2;
constexpr UINT WM_TEST_THROW_STD = WM_APP + 3;
constexpr UINT WM_TEST_UNMAPPED = WM_APP + 9;
constexpr UINT ID_BASE = 3001;
constexpr UINT ID_SHARED = 3002;
constexpr UINT ID_RANGE_FIRST = 3010;
constexpr UINT ID_RANGE_LAST = 3019;
constexpr UINT ID_EX = 3020;
constexpr UINT ID_CHILD = 77;

UINT g_nRegistered = ::RegisterWindowMessageW(L"MoxFwWinTestRegisteredMessage");

std::vector<UINT> g_classProcMessages;

// The class procedure below the framework's: what the map leaves reaches it.
LRESULT CALLBACK RecordingClassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    g_classProcMessages.push_back(message);
    if (message == WM_TEST_UNMAPPED)
        return 1234;
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

LPCWSTR RecordingClass() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &RecordingClassProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.lpszClassName = L"MoxFwRecordingClass";
        registered = ::RegisterClassW(&wc) != 0;
    }
    return L"MoxFwRecordingClass";
}

class CBaseTestWnd : public CWnd {
public:
    std::vector<std::string> log;
    CSize lastSize;

protected:
    afx_msg void OnSize(UINT, int cx, int cy) {
        log.push_back("base:size");
        lastSize = CSize(cx, cy);
    }
    afx_msg LRESULT OnTestUser(WPARAM wParam, LPARAM) {
        log.push_back("base:user");
        return (LRESULT)wParam + 1;
    }
    afx_msg void OnBaseCommand() { log.push_back("base:cmd"); }
    afx_msg void OnShared() { log.push_back("base:shared"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTestWnd, CWnd)
ON_WM_SIZE()
ON_MESSAGE(WM_TEST_USER, OnTestUser)
ON_COMMAND(ID_BASE, OnBaseCommand)
ON_COMMAND(ID_SHARED, OnShared)
END_MESSAGE_MAP()

class CDerivedTestWnd : public CBaseTestWnd {
public:
    CPoint lastClick;
    LRESULT notifyResult = 42;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct) {
        log.push_back("derived:create");
        return CBaseTestWnd::OnCreate(lpCreateStruct);
    }
    afx_msg void OnShared() { log.push_back("derived:shared"); }
    afx_msg void OnRange(UINT nID) { log.push_back("range:" + std::to_string(nID)); }
    afx_msg BOOL OnCommandEx(UINT) {
        log.push_back("ex");
        return FALSE;
    }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM) { return (LRESULT)wParam * 2; }
    afx_msg void OnLButtonDown(UINT, CPoint point) { lastClick = point; }
    afx_msg LRESULT OnThrowFramework(WPARAM, LPARAM) { AfxThrowResourceException(); }
    afx_msg LRESULT OnThrowStd(WPARAM, LPARAM) { throw std::runtime_error("handler failed"); }
    afx_msg void OnChildNotify(NMHDR* pNMHDR, LRESULT* pResult) {
        log.push_back("parent:notify:" + std::to_string((int)pNMHDR->code));
        *pResult = notifyResult;
    }
    afx_msg void OnChildChange() { log.push_back("parent:en_change"); }
    afx_msg void OnChildClicked() { log.push_back("parent:clicked"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTestWnd, CBaseTestWnd)
ON_WM_CREATE()
ON_WM_LBUTTONDOWN()
ON_COMMAND(ID_SHARED, OnShared)
ON_COMMAND_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, OnRange)
ON_COMMAND_EX(ID_EX, OnCommandEx)
ON_REGISTERED_MESSAGE(g_nRegistered, OnRegistered)
ON_MESSAGE(WM_TEST_THROW_FRAMEWORK, OnThrowFramework)
ON_MESSAGE(WM_TEST_THROW_STD, OnThrowStd)
ON_NOTIFY(NM_CLICK, ID_CHILD, OnChildNotify)
ON_NOTIFY(NM_DBLCLK, ID_CHILD, OnChildNotify)
ON_EN_CHANGE(ID_CHILD, OnChildChange)
ON_BN_CLICKED(ID_CHILD, OnChildClicked)
END_MESSAGE_MAP()

// A child that handles some of its own notifications through reflection.
class CReflectingChild : public CWnd {
public:
    std::vector<std::string> log;

protected:
    afx_msg void OnReflectedClick(NMHDR*, LRESULT* pResult) {
        log.push_back("child:nm_click");
        *pResult = 9;
    }
    afx_msg BOOL OnReflectedClicked() {
        log.push_back("child:clicked");
        return FALSE; // the parent hears of it too
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingChild, CWnd)
ON_NOTIFY_REFLECT(NM_CLICK, OnReflectedClick)
ON_CONTROL_REFLECT_EX(BN_CLICKED, OnReflectedClicked)
END_MESSAGE_MAP()

class CThrowOnCreate : public CWnd {
protected:
    afx_msg int OnCreate(LPCREATESTRUCT) { throw std::runtime_error("no window today"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowOnCreate, CWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

bool Contains(const std::vector<std::string>& log, const std::string& entry) {
    for (const auto& e : log)
        if (e == entry)
            return true;
    return false;
}

class MessageMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_classProcMessages.clear();
        ASSERT_TRUE(wnd.CreateEx(0, RecordingClass(), L"map", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                 NULL, NULL));
    }
    void TearDown() override { wnd.DestroyWindow(); }
    bool ClassProcSaw(UINT message) const {
        for (UINT m : g_classProcMessages)
            if (m == message)
                return true;
        return false;
    }
    LRESULT Command(UINT nID) { return wnd.SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0); }
    CDerivedTestWnd wnd;
};
} // namespace

TEST_F(MessageMapTest, DerivedAndBaseEntriesBothReachTheObject) {
    EXPECT_TRUE(Contains(wnd.log, "derived:create"));
    wnd.MoveWindow(0, 0, 250, 150);
    CRect client;
    wnd.GetClientRect(&client);
    EXPECT_TRUE(Contains(wnd.log, "base:size"));
    EXPECT_EQ(wnd.lastSize, CSize(client.Width(), client.Height()));
    EXPECT_EQ(wnd.SendMessage(WM_TEST_USER, 5), 6);
    EXPECT_EQ(wnd.SendMessage(g_nRegistered, 21), 42);
}

TEST_F(MessageMapTest, CommandsFindTheirHandlerDerivedFirst) {
    Command(ID_BASE);
    Command(ID_SHARED);
    Command(ID_RANGE_FIRST + 3);
    EXPECT_TRUE(Contains(wnd.log, "base:cmd"));
    EXPECT_TRUE(Contains(wnd.log, "derived:shared"));
    EXPECT_FALSE(Contains(wnd.log, "base:shared"));
    EXPECT_TRUE(Contains(wnd.log, "range:" + std::to_string(ID_RANGE_FIRST + 3)));
    EXPECT_FALSE(ClassProcSaw(WM_COMMAND));
}

TEST_F(MessageMapTest, UnmappedMessagesReachTheDefaultProcedure) {
    EXPECT_EQ(wnd.SendMessage(WM_TEST_UNMAPPED), 1234);
    EXPECT_TRUE(ClassProcSaw(WM_TEST_UNMAPPED));
    // An _EX handler that declines passes the command on as unhandled.
    Command(ID_EX);
    EXPECT_TRUE(Contains(wnd.log, "ex"));
    EXPECT_TRUE(ClassProcSaw(WM_COMMAND));
    wnd.SetWindowText(L"caption");
    CString text;
    wnd.GetWindowText(text);
    EXPECT_EQ(text, L"caption");
}

TEST_F(MessageMapTest, MousePointsAreSigned) {
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, -7));
    EXPECT_EQ(wnd.lastClick, CPoint(-5, -7));
}

TEST_F(MessageMapTest, ExceptionsInHandlersStopAtTheWindowProcedure) {
    EXPECT_EQ(wnd.SendMessage(WM_TEST_THROW_FRAMEWORK), 0);
    EXPECT_EQ(wnd.SendMessage(WM_TEST_THROW_STD), 0);
    // The window and its object carry on.
    EXPECT_TRUE(::IsWindow(wnd.m_hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    EXPECT_EQ(wnd.SendMessage(WM_TEST_USER, 1), 2);
}

TEST(MessageMapCreation, ExceptionInOnCreateRefusesTheWindow) {
    CThrowOnCreate wnd;
    EXPECT_FALSE(CreateTopLevel(wnd));
    EXPECT_EQ(wnd.m_hWnd, (HWND)NULL);
}

TEST_F(MessageMapTest, NotificationsReflectToTheChildBeforeTheParent) {
    CReflectingChild child;
    ASSERT_TRUE(child.Create(NULL, L"child", WS_VISIBLE, CRect(0, 0, 20, 20), &wnd, ID_CHILD));

    NMHDR hdr = {child.m_hWnd, ID_CHILD, (UINT)NM_CLICK};
    EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, ID_CHILD, (LPARAM)&hdr), 9);
    EXPECT_TRUE(Contains(child.log, "child:nm_click"));
    EXPECT_FALSE(Contains(wnd.log, "parent:notify:" + std::to_string((int)NM_CLICK)));

    hdr.code = (UINT)NM_DBLCLK;
    EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, ID_CHILD, (LPARAM)&hdr), 42);
    EXPECT_TRUE(Contains(wnd.log, "parent:notify:" + std::to_string((int)NM_DBLCLK)));

    // Without a sender nothing is reflected, and the parent's map still answers.
    child.log.clear();
    NMHDR unsent = {NULL, ID_CHILD, (UINT)NM_CLICK};
    EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, ID_CHILD, (LPARAM)&unsent), 42);
    EXPECT_TRUE(Contains(wnd.log, "parent:notify:" + std::to_string((int)NM_CLICK)));
    EXPECT_TRUE(child.log.empty());

    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CHILD, EN_CHANGE), (LPARAM)child.m_hWnd);
    EXPECT_TRUE(Contains(wnd.log, "parent:en_change"));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CHILD, BN_CLICKED), (LPARAM)child.m_hWnd);
    EXPECT_TRUE(Contains(child.log, "child:clicked"));
    EXPECT_TRUE(Contains(wnd.log, "parent:clicked"));
}
