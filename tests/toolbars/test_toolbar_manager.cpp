// The toolbar manager on a real frame: default bars in place, user bar ids and titles, the
// settings and their profile section, the bar under a rectangle, config mode.
#include "toolbar_test_frame.h"

#include "toolbars/settings/settings_tree.h"
#include "toolbars/toolbars_base.h"

#include <algorithm>
#include <vector>

namespace {
const UINT kIds[] = {40001, 40002, 0, 40003};

class ToolBarManagerTest : public ToolBarFrameTest {
protected:
    SECToolBarManager& Manager() { return m_pFrame->Manager(); }
    CRect WindowRect(UINT nID) {
        CRect rect;
        m_pFrame->GetControlBar(nID)->GetWindowRect(&rect);
        return rect;
    }
};
} // namespace

TEST_F(ToolBarManagerTest, DefaultBarsAreMadeInPlaceHiddenOrFloatingAsDefined) {
    Manager().DefineDefaultToolBar(59392, L"Standard", 4, kIds, CBRS_ALIGN_ANY,
                                   AFX_IDW_DOCKBAR_TOP);
    {
        // The caller's list may go before the bars are made: the manager keeps its own.
        std::vector<UINT> ids(std::begin(kIds), std::end(kIds));
        Manager().DefineDefaultToolBar(59393, L"Beside", 4, ids.data(), CBRS_ALIGN_ANY,
                                       AFX_IDW_DOCKBAR_TOP, 59392);
        std::fill(ids.begin(), ids.end(), 0xDEADu);
    }
    Manager().DefineDefaultToolBar(59394, L"Left", 4, kIds, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_LEFT);
    Manager().DefineDefaultToolBar(59395, L"Below", 4, kIds, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_LEFT,
                                   59394);
    Manager().DefineDefaultToolBar(59396, L"Hidden", 4, kIds, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP,
                                   0, TRUE, FALSE);
    Manager().DefineDefaultToolBar(59397, L"Floating", 4, kIds, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP,
                                   0, FALSE, TRUE);
    Manager().DefineDefaultToolBar(59398, L"Lonely", 4, kIds, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP,
                                   12345); // an unknown neighbour: docked without a place
    // Nothing restored: the first start builds them.
    Manager().LoadState(L"TbManagerNothing");
    PumpToolBarMessages();
    const std::vector<SECCustomToolBar*> bars = Manager().GetToolBars();
    ASSERT_EQ(7u, bars.size());
    // Beside the neighbour: in its row on the top, in its column on the left.
    EXPECT_EQ(WindowRect(59392).top, WindowRect(59393).top);
    EXPECT_GE(WindowRect(59393).left, WindowRect(59392).right - 2); // after it, not before
    EXPECT_EQ(WindowRect(59394).left, WindowRect(59395).left);
    EXPECT_GE(WindowRect(59395).top, WindowRect(59394).bottom - 2);
    EXPECT_FALSE(m_pFrame->GetControlBar(59396)->IsWindowVisible());
    EXPECT_TRUE(m_pFrame->GetControlBar(59397)->IsFloating());
    EXPECT_FALSE(m_pFrame->GetControlBar(59392)->IsFloating());
    EXPECT_TRUE(m_pFrame->GetControlBar(59398)->IsWindowVisible());
    CString title;
    Manager().FindToolBar(59393)->GetWindowText(title);
    EXPECT_STREQ(L"Beside", title.GetString());
    EXPECT_EQ(4, Manager().FindToolBar(59392)->GetButtonCount());
    SECCustomToolBar* pBeside = Manager().FindToolBar(59393);
    ASSERT_EQ(4, pBeside->GetButtonCount());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(kIds[i], pBeside->GetButton(i)->m_nID) << i;
    int nCount = 0;
    const UINT* pIDs = nullptr;
    EXPECT_TRUE(Manager().GetDefaultToolBarButtons(59393, nCount, pIDs));
    ASSERT_EQ(4, nCount);
    EXPECT_TRUE(std::equal(kIds, kIds + 4, pIDs));
    EXPECT_FALSE(Manager().GetDefaultToolBarButtons(1, nCount, pIDs));
    // The bars the manager makes carry its style.
    EXPECT_EQ(CBRS_TOOLTIPS | CBRS_FLYBY,
              Manager().FindToolBar(59392)->GetBarStyle() & (CBRS_TOOLTIPS | CBRS_FLYBY));
    // LoadState with no section keeps the defaults.
    EXPECT_TRUE(Manager().GetToolTips());
    EXPECT_FALSE(Manager().GetCoolLook());
    EXPECT_FALSE(Manager().GetLargeButtons());
}

TEST_F(ToolBarManagerTest, UserBarsTakeTheFirstFreeIdAndStopBeforeTheMenuBar) {
    SECCustomToolBar* pFirst = Manager().CreateUserToolBar();
    ASSERT_NE(nullptr, pFirst);
    EXPECT_EQ(59424, pFirst->GetDlgCtrlID());
    CString title;
    pFirst->GetWindowText(title);
    EXPECT_STREQ(L"ToolBar1", title.GetString());
    SECCustomToolBar* pSecond = Manager().CreateUserToolBar(L"Two");
    SECCustomToolBar* pThird = Manager().CreateUserToolBar(L"Three");
    ASSERT_NE(nullptr, pThird);
    pSecond->DestroyWindow();
    SECCustomToolBar* pGap = Manager().CreateUserToolBar(std::wstring(200, L'x').c_str());
    ASSERT_NE(nullptr, pGap);
    EXPECT_EQ(59425, pGap->GetDlgCtrlID());
    pGap->GetWindowText(title);
    EXPECT_EQ(127, title.GetLength());
    int nMade = 3;
    while (Manager().CreateUserToolBar(L"More") != nullptr)
        ++nMade;
    EXPECT_EQ(59646 - 59424 + 1, nMade);
    EXPECT_EQ(nullptr, Manager().FindToolBar(59647));
}

TEST_F(ToolBarManagerTest, SettingsGoToTheirSectionAndLargeButtonsResizeEveryBar) {
    Manager().GetBmpMgr()->SetLargeImageSize(32, 30);
    Manager().DefineDefaultToolBar(59392, L"Standard", 4, kIds, CBRS_ALIGN_ANY,
                                   AFX_IDW_DOCKBAR_TOP);
    Manager().DefineDefaultToolBar(59393, L"Float", 4, kIds, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP, 0,
                                   FALSE);
    ASSERT_TRUE(Manager().CreateDefaultToolBars());
    PumpToolBarMessages();
    SECCustomToolBar* pFloat = Manager().FindToolBar(59393);
    CRect before;
    pFloat->GetParentFrame()->GetWindowRect(&before);

    SECToolBarsBase dialogBase; // the customize dialogs' view of the settings
    dialogBase.SetManager(&Manager());
    dialogBase.m_bLargeButtons = TRUE;
    dialogBase.m_bCoolLook = TRUE;
    dialogBase.ApplySettings();
    PumpToolBarMessages();
    for (SECCustomToolBar* pBar : Manager().GetToolBars()) {
        CRect rect;
        pBar->GetButtonRect(0, rect);
        EXPECT_EQ(CSize(39, 37), rect.Size());
        EXPECT_EQ(0x300u, pBar->GetExBarStyle() & 0x300);
    }
    CRect after;
    pFloat->GetParentFrame()->GetWindowRect(&after);
    EXPECT_GT(after.Height(), before.Height()); // the floating frame was laid out again

    Manager().SaveState(L"TbManagerTest");
    CWinApp* pApp = AfxGetApp();
    EXPECT_EQ(1, pApp->GetProfileInt(L"TbManagerTest-ToolBarManager", L"LargeButtons", 7));
    EXPECT_EQ(1, pApp->GetProfileInt(L"TbManagerTest-ToolBarManager", L"CoolLook", 7));
    EXPECT_EQ(1, pApp->GetProfileInt(L"TbManagerTest-ToolBarManager", L"ToolTips", 7));
    pApp->WriteProfileInt(L"TbManagerTest-ToolBarManager", L"LargeButtons", 0);
    pApp->WriteProfileInt(L"TbManagerTest-ToolBarManager", L"ToolTips", 0);
    Manager().LoadState(L"TbManagerTest");
    EXPECT_FALSE(Manager().GetLargeButtons());
    EXPECT_FALSE(Manager().GetToolTips());
    EXPECT_FALSE(Manager().FindToolBar(59392)->GetBarStyle() & CBRS_TOOLTIPS);
    EXPECT_EQ(2u, Manager().GetToolBars().size()); // bars present: none made again
    pApp->WriteProfileString(L"TbManagerTest-ToolBarManager", nullptr, nullptr);
}

TEST_F(ToolBarManagerTest, SettingsComeBackFromTheTreeNodeTheyWereSavedTo) {
    SECPersistentTreeNode root;
    ASSERT_EQ(0u, root.Create(L"Frame"));
    SECPersistentTreeNode* pNode = root.CreateChildNode(L"Manager", &root);
    ASSERT_NE(nullptr, pNode);
    struct Case {
        SECPersistentTreeNode* pSaveNode; // null: the parent holds the settings
        SECPersistentTreeNode* pLoadNode;
    } cases[] = {{pNode, pNode}, {nullptr, &root}};
    for (const Case& c : cases) {
        Manager().SetToolTips(FALSE);
        Manager().SetCoolLook(FALSE);
        Manager().SetLargeButtons(TRUE);
        ASSERT_TRUE(Manager().SaveStateToNode(c.pSaveNode, &root));
        Manager().SetToolTips(TRUE);
        Manager().SetCoolLook(TRUE);
        Manager().SetLargeButtons(FALSE);
        EXPECT_TRUE(Manager().LoadStateFromNode(c.pLoadNode));
        EXPECT_FALSE(Manager().GetToolTips()) << (c.pSaveNode != nullptr);
        EXPECT_FALSE(Manager().GetCoolLook()) << (c.pSaveNode != nullptr);
        EXPECT_TRUE(Manager().GetLargeButtons()) << (c.pSaveNode != nullptr);
    }
    // A node that holds no settings gives the defaults; no node at all is refused.
    SECPersistentTreeNode empty;
    ASSERT_EQ(0u, empty.Create(L"Empty"));
    EXPECT_TRUE(Manager().LoadStateFromNode(&empty));
    EXPECT_TRUE(Manager().GetToolTips());
    EXPECT_TRUE(Manager().GetCoolLook());
    EXPECT_FALSE(Manager().GetLargeButtons());
    EXPECT_FALSE(Manager().SaveStateToNode(pNode, nullptr));
    EXPECT_FALSE(Manager().LoadStateFromNode(nullptr));
}

TEST_F(ToolBarManagerTest, TheBarUnderARectanglePrefersTheFloatingOne) {
    Manager().DefineDefaultToolBar(59392, L"Docked", 4, kIds, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP);
    Manager().DefineDefaultToolBar(59393, L"Float", 4, kIds, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP, 0,
                                   FALSE);
    ASSERT_TRUE(Manager().CreateDefaultToolBars());
    SECCustomToolBar* pDocked = Manager().FindToolBar(59392);
    SECCustomToolBar* pFloat = Manager().FindToolBar(59393);
    CRect rcDocked;
    pDocked->GetWindowRect(&rcDocked);
    m_pFrame->FloatControlBar(pFloat, rcDocked.TopLeft());
    PumpToolBarMessages();
    EXPECT_EQ(pFloat, Manager().ToolBarFromRect(CRect(rcDocked.left + 2, rcDocked.top + 2,
                                                      rcDocked.left + 6, rcDocked.top + 6)));
    CRect rcFloat;
    pFloat->GetParentFrame()->GetWindowRect(&rcFloat);
    const CRect below(rcDocked.left, rcFloat.bottom + 200, rcDocked.left + 4, rcFloat.bottom + 204);
    EXPECT_EQ(nullptr, Manager().ToolBarFromRect(below));
}

TEST_F(ToolBarManagerTest, ConfigModeReenablesExactlyWhatItDisabled) {
    CWnd* pChild[3] = {};
    for (int i = 0; i < 3; ++i) {
        pChild[i] = new CWnd;
        ASSERT_TRUE(
            pChild[i]->CreateEx(0, L"STATIC", L"", WS_CHILD, CRect(0, 0, 5, 5), m_pFrame, 100 + i));
    }
    pChild[1]->EnableWindow(FALSE); // disabled before: stays so
    m_pFrame->EnableWindow(FALSE);  // the modal dialog's doing
    Manager().EnterConfigMode();
    EXPECT_TRUE(Manager().IsConfigMode());
    EXPECT_TRUE(m_pFrame->IsWindowEnabled());
    EXPECT_FALSE(pChild[0]->IsWindowEnabled());
    EXPECT_TRUE(m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP)->IsWindowEnabled());
    pChild[2]->DestroyWindow(); // gone meanwhile: skipped
    Manager().ExitConfigMode();
    EXPECT_FALSE(Manager().IsConfigMode());
    EXPECT_FALSE(m_pFrame->IsWindowEnabled());
    EXPECT_TRUE(pChild[0]->IsWindowEnabled());
    EXPECT_FALSE(pChild[1]->IsWindowEnabled());
    m_pFrame->EnableWindow(TRUE);
    for (CWnd* p : pChild) {
        if (p->GetSafeHwnd() != NULL)
            p->DestroyWindow();
        delete p;
    }
}

// A layout whose record of a default toolbar was unusable leaves the frame with its other
// toolbars: the missing one is made again, at its default place, beside its docked neighbour.
TEST_F(ToolBarManagerTest, ADefaultToolbarMissingAfterALoadIsMadeAgain) {
    Manager().DefineDefaultToolBar(59392, L"Standard", 4, kIds, CBRS_ALIGN_ANY,
                                   AFX_IDW_DOCKBAR_TOP);
    Manager().DefineDefaultToolBar(59393, L"Beside", 4, kIds, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP,
                                   59392);
    Manager().DefineDefaultToolBar(59394, L"Hidden", 4, kIds, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_LEFT,
                                   0, TRUE, FALSE);
    ASSERT_TRUE(Manager().CreateDefaultToolBars());
    PumpToolBarMessages();
    const CRect besideBefore = WindowRect(59393);
    for (UINT nID : {59393u, 59394u})
        m_pFrame->GetControlBar(nID)->DestroyWindow();
    PumpToolBarMessages();
    ASSERT_EQ(1u, Manager().GetToolBars().size());

    Manager().LoadState(L"TbManagerMissing");
    PumpToolBarMessages();
    ASSERT_EQ(3u, Manager().GetToolBars().size());
    SECCustomToolBar* pBeside = Manager().FindToolBar(59393);
    ASSERT_NE(nullptr, pBeside);
    EXPECT_TRUE(pBeside->IsVisible());
    EXPECT_EQ(besideBefore, WindowRect(59393));
    SECCustomToolBar* pHidden = Manager().FindToolBar(59394);
    ASSERT_NE(nullptr, pHidden);
    EXPECT_FALSE(pHidden->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT), pHidden->m_pDockBar);
    AfxGetApp()->WriteProfileString(L"TbManagerMissing-ToolBarManager", nullptr, nullptr);
}
