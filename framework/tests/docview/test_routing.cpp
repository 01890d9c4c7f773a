// Commands travel view -> document -> child frame -> main frame -> application.
#include "test_app.h"

namespace {
struct RouteCase {
    UINT nID;
    std::vector<std::string> handledBy;
};

// Which of the menu's items are enabled after the frame updated the popup.
UINT ItemState(HMENU hPopup, UINT nID) {
    return ::GetMenuState(hPopup, nID, MF_BYCOMMAND);
}
} // namespace

TEST_F(DocViewTest, CommandsRouteFromTheViewToTheApplication) {
    ASSERT_NE(nullptr, OpenNew(TestApp().m_pTextTemplate));
    const RouteCase cases[] = {
        {ID_TEST_VIEW, {"view"}},
        {ID_TEST_DOC, {"doc"}},
        {ID_TEST_FRAME, {"frame"}},
        {ID_TEST_MAIN, {"main"}},
        {ID_TEST_APP, {"app"}},
        // Handlers that pass the command on show the whole route in order.
        {ID_TEST_ALL, {"view", "doc", "frame", "main", "app"}},
        // Handled by several: the first on the route takes it.
        {ID_TEST_NOT_VIEW, {"doc"}},
        {ID_TEST_NONE, {}},
    };
    for (const RouteCase& c : cases) {
        g_log.clear();
        m_pMain->SendMessage(WM_COMMAND, c.nID);
        EXPECT_EQ(c.handledBy, g_log) << "command " << c.nID;
    }
}

TEST_F(DocViewTest, WithoutAChildCommandsGoToTheMainFrameAndTheApplication) {
    m_pMain->SendMessage(WM_COMMAND, ID_TEST_ALL);
    EXPECT_EQ((std::vector<std::string>{"main", "app"}), g_log);
    g_log.clear();
    m_pMain->SendMessage(WM_COMMAND, ID_TEST_NOT_VIEW);
    EXPECT_EQ((std::vector<std::string>{"main"}), g_log);
}

TEST_F(DocViewTest, MenusAreUpdatedThroughTheRouteWhenTheyOpen) {
    ASSERT_NE(nullptr, OpenNew(TestApp().m_pNoteTemplate)); // no menu of its own
    HMENU hMenu = ::GetMenu(m_pMain->m_hWnd);
    HMENU hTest = ::GetSubMenu(hMenu, 1);
    ASSERT_NE(nullptr, hTest);
    m_pMain->SendMessage(WM_INITMENUPOPUP, (WPARAM)hTest, MAKELPARAM(1, FALSE));
    // The note document has no handlers: the document's items are disabled, the frame's and
    // the application's stay enabled; nothing handles ID_TEST_NONE.
    EXPECT_TRUE(ItemState(hTest, ID_TEST_DOC) & MF_GRAYED);
    EXPECT_FALSE(ItemState(hTest, ID_TEST_MAIN) & MF_GRAYED);
    EXPECT_FALSE(ItemState(hTest, ID_TEST_APP) & MF_GRAYED);
    EXPECT_TRUE(ItemState(hTest, ID_TEST_NONE) & MF_GRAYED);

    // Without auto-enabling, items nobody handles are left as they are.
    m_pMain->m_bAutoMenuEnable = FALSE;
    ::EnableMenuItem(hTest, ID_TEST_NONE, MF_BYCOMMAND | MF_ENABLED);
    m_pMain->SendMessage(WM_INITMENUPOPUP, (WPARAM)hTest, MAKELPARAM(1, FALSE));
    EXPECT_FALSE(ItemState(hTest, ID_TEST_NONE) & MF_GRAYED);
}

TEST_F(DocViewTest, ATemplateMenuShowsWhileItsChildIsActive) {
    HMENU hFrameMenu = ::GetMenu(m_pMain->m_hWnd);
    CFrameWnd* pText = nullptr;
    ASSERT_NE(nullptr, OpenNew(TestApp().m_pTextTemplate, &pText));
    auto* pTemplate = static_cast<CMultiDocTemplate*>(TestApp().m_pTextTemplate);
    EXPECT_EQ(pTemplate->m_hMenuShared, ::GetMenu(m_pMain->m_hWnd));
    // The update handler of the document checks its item in the template's menu as well.
    HMENU hTextPopup = ::GetSubMenu(pTemplate->m_hMenuShared, 1);
    m_pMain->SendMessage(WM_INITMENUPOPUP, (WPARAM)hTextPopup, MAKELPARAM(1, FALSE));
    EXPECT_FALSE(ItemState(hTextPopup, ID_TEST_VIEW) & MF_GRAYED);

    CFrameWnd* pNote = nullptr;
    ASSERT_NE(nullptr, OpenNew(TestApp().m_pNoteTemplate, &pNote));
    EXPECT_EQ(hFrameMenu, ::GetMenu(m_pMain->m_hWnd));
    static_cast<CMDIChildWnd*>(pText)->MDIActivate();
    EXPECT_EQ(pTemplate->m_hMenuShared, ::GetMenu(m_pMain->m_hWnd));
    pText->SendMessage(WM_CLOSE);
    pNote->SendMessage(WM_CLOSE);
    PumpPending();
    EXPECT_EQ(hFrameMenu, ::GetMenu(m_pMain->m_hWnd));
}

TEST_F(DocViewTest, AcceleratorsOfTheActiveChildAndOfTheFrameRaiseCommands) {
    CFrameWnd* pFrame = nullptr;
    ASSERT_NE(nullptr, OpenNew(TestApp().m_pTextTemplate, &pFrame));
    HWND hView = pFrame->GetActiveView()->m_hWnd;
    const struct {
        UINT vk;
        const char* handler;
    } keys[] = {{VK_F7, "view"}, {VK_F8, "app"}};
    for (const auto& key : keys) {
        g_log.clear();
        MSG msg = {hView, WM_KEYDOWN, key.vk, 0x00410001, ::GetTickCount(), {0, 0}};
        EXPECT_TRUE(TestApp().PreTranslateMessage(&msg));
        EXPECT_EQ(std::vector<std::string>{key.handler}, g_log);
    }
}
