// The pump: pre-translation from the message's window up to the main window, the kick-idle
// message, idle-time updates, and the exit code.
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
std::vector<std::string> g_log;

class CPumpWnd : public CWnd {
public:
    explicit CPumpWnd(const char* name, BOOL bTakeKeys = FALSE)
        : m_name(name), m_bTakeKeys(bTakeKeys) {}
    BOOL PreTranslateMessage(MSG* pMsg) override {
        g_log.push_back(m_name + ":pre:" + std::to_string(pMsg->message));
        return m_bTakeKeys && pMsg->message == WM_KEYDOWN;
    }
    int idleUpdates = 0;

protected:
    afx_msg void OnKeyDown(UINT, UINT, UINT) { g_log.push_back(m_name + ":keydown"); }
    afx_msg void OnChar(UINT, UINT, UINT) { g_log.push_back(m_name + ":char"); }
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM) {
        g_log.push_back(m_name + ":kickidle");
        return 0;
    }
    afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM) {
        idleUpdates++;
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    std::string m_name;
    BOOL m_bTakeKeys;
};

BEGIN_MESSAGE_MAP(CPumpWnd, CWnd)
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

bool Logged(const std::string& entry) {
    for (const auto& e : g_log)
        if (e == entry)
            return true;
    return false;
}

class PumpTest : public ::testing::Test {
protected:
    void SetUp() override {
        PumpPending();
        g_log.clear();
        app = AfxGetApp();
        ASSERT_TRUE(CreateTopLevel(mainWnd));
        ASSERT_TRUE(child.Create(NULL, L"child", WS_VISIBLE, CRect(0, 0, 50, 50), &mainWnd, 5));
        app->m_pMainWnd = &mainWnd;
    }
    void TearDown() override {
        app->m_pMainWnd = NULL;
        mainWnd.DestroyWindow();
        PumpPending();
    }
    std::string Pre(const char* name, UINT message) {
        return std::string(name) + ":pre:" + std::to_string(message);
    }
    CWinApp* app = nullptr;
    CPumpWnd mainWnd{"main", TRUE};
    CPumpWnd child{"child"};
};
} // namespace

TEST_F(PumpTest, PreTranslationWalksUpToTheMainWindow) {
    child.PostMessage(WM_KEYDOWN, 'A', 0);
    ASSERT_TRUE(app->PumpMessage());
    EXPECT_TRUE(Logged(Pre("child", WM_KEYDOWN)));
    EXPECT_TRUE(Logged(Pre("main", WM_KEYDOWN)));
    EXPECT_FALSE(Logged("child:keydown")); // the main window took it (as accelerators do)
    EXPECT_EQ(app->m_msgCur.message, (UINT)WM_KEYDOWN);

    child.PostMessage(WM_CHAR, 'a', 0);
    ASSERT_TRUE(app->PumpMessage());
    EXPECT_TRUE(Logged("child:char"));
}

TEST_F(PumpTest, OtherTopLevelWindowsStillGetTheMainWindowsKeys) {
    CPumpWnd other("other");
    ASSERT_TRUE(CreateTopLevel(other));
    other.PostMessage(WM_KEYDOWN, 'B', 0);
    ASSERT_TRUE(app->PumpMessage());
    EXPECT_TRUE(Logged(Pre("other", WM_KEYDOWN)));
    EXPECT_TRUE(Logged(Pre("main", WM_KEYDOWN)));
    EXPECT_FALSE(Logged("other:keydown"));
}

TEST_F(PumpTest, KickIdleIsNeverDispatched) {
    child.PostMessage(WM_KICKIDLE);
    ASSERT_TRUE(app->PumpMessage());
    EXPECT_EQ(app->m_msgCur.message, (UINT)WM_KICKIDLE);
    EXPECT_FALSE(Logged("child:kickidle"));
    EXPECT_FALSE(Logged(Pre("child", WM_KICKIDLE)));
}

TEST_F(PumpTest, IdleUpdatesTheVisibleMainWindowAndItsChildren) {
    mainWnd.ShowWindow(SW_SHOWNOACTIVATE);
    EXPECT_TRUE(app->OnIdle(0));
    EXPECT_EQ(mainWnd.idleUpdates, 1);
    EXPECT_EQ(child.idleUpdates, 1);
    EXPECT_FALSE(app->OnIdle(1));
    mainWnd.ShowWindow(SW_HIDE);
    app->OnIdle(0);
    EXPECT_EQ(mainWnd.idleUpdates, 1);
}

TEST_F(PumpTest, QuitEndsThePumpAndItsCodeIsTheExitCode) {
    ::PostQuitMessage(7);
    EXPECT_FALSE(app->PumpMessage());
    EXPECT_EQ(app->ExitInstance(), 7);
}

TEST_F(PumpTest, DestroyingTheMainWindowClearsTheApplicationsPointer) {
    mainWnd.DestroyWindow();
    EXPECT_EQ(app->m_pMainWnd, nullptr);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
}
