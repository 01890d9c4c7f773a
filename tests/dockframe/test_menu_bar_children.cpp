// MDI children of a docking frame that shows its menus in a menu bar: the active child's
// template menu becomes the bar's buttons, the frame window never takes a Windows menu, and the
// frame's own menu comes back once the last child went. The same for the workbook's sheets.
#include "dockframe_fixture.h"

#include "docking/mdi_child_wnd.h"
#include "docking/workbook.h"
#include "tests/support/screenshot.h"
#include "toolbars/menu_bar.h"
#include "toolbars/toolbar_manager.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {
const UINT kToolBarIds[] = {ID_TEST_FIRST_COMMAND};

class CMenuChildDoc : public CDocument {
    DECLARE_DYNCREATE(CMenuChildDoc)
};
IMPLEMENT_DYNCREATE(CMenuChildDoc, CDocument)

class CMenuChildView : public CView {
    DECLARE_DYNCREATE(CMenuChildView)
protected:
    void OnDraw(CDC* pDC) override {
        CRect rect;
        GetClientRect(&rect);
        pDC->FillSolidRect(&rect, RGB(255, 255, 255));
    }
};
IMPLEMENT_DYNCREATE(CMenuChildView, CView)

// The main frames own their toolbar manager, as the application's does.
class CMenuBarMainFrame : public CTestMainFrame {
public:
    std::unique_ptr<SECToolBarManager> m_pManager{new SECToolBarManager(this, nullptr)};
};
class CMenuBarWorkbook : public SECWorkbookWnd {
public:
    std::unique_ptr<SECToolBarManager> m_pManager{new SECToolBarManager(this, nullptr)};
};

struct FrameKind {
    const char* name;
    std::function<SECMDIFrameWnd*()> make; // with its manager, not yet loaded
    CRuntimeClass* pChildClass;
};

void PrintTo(const FrameKind& kind, std::ostream* os) {
    *os << kind.name;
}

template <class TFrame> SECMDIFrameWnd* MakeFrame() {
    auto* pFrame = new TFrame;
    pFrame->SetControlBarManager(pFrame->m_pManager.get());
    pFrame->m_pManager->DefineDefaultToolBar(59392, L"Standard", 1, kToolBarIds, CBRS_ALIGN_ANY,
                                             AFX_IDW_DOCKBAR_TOP, 0, TRUE, TRUE);
    return pFrame;
}

std::vector<std::wstring> ButtonTexts(SECMenuBar* pBar) {
    std::vector<std::wstring> texts;
    for (int i = 0; i < pBar->GetButtonCount(); ++i)
        if (auto* pBtn = dynamic_cast<SECTBMenuBtn*>(pBar->GetButton(i)))
            if (dynamic_cast<SECCapMenuBtn*>(pBtn) == nullptr) // a maximised child's icon
                texts.push_back(pBtn->m_strText.GetString());
    return texts;
}

using Texts = std::vector<std::wstring>;
const Texts kFrameMenu = {L"&File", L"&Window"};
const Texts kSourceMenu = {L"&File", L"&Source", L"&Debug", L"&Window"};
const Texts kMemoryMenu = {L"&Memory", L"&Window"};

// The items of a menu, as the menu shows them.
std::vector<std::wstring> ItemTexts(HMENU hMenu) {
    std::vector<std::wstring> texts;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
        wchar_t text[128] = {};
        ::GetMenuStringW(hMenu, (UINT)i, text, 128, MF_BYPOSITION);
        texts.push_back(text);
    }
    return texts;
}

class MenuBarChildTest : public ::testing::TestWithParam<FrameKind> {
protected:
    void SetUp() override {
        ClearTestProfile();
        AfxGetApp()->SetRegistryKey(kTestRegistryKey);
        m_pFrame = GetParam().make();
        ASSERT_TRUE(m_pFrame->SetMenuBar(new SECMDIMenuBar));
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_TEST_MAIN, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
        m_pFrame->SetWindowPos(NULL, 20, 20, 640, 420, SWP_NOZORDER | SWP_NOACTIVATE);
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(static_cast<SECToolBarManager*>(m_pFrame->GetControlBarManager())
                        ->CreateDefaultToolBars());
        AfxGetApp()->m_pMainWnd = m_pFrame;
        m_pFrame->ShowWindow(SW_SHOW);
        if (auto* pBook = DYNAMIC_DOWNCAST(SECWorkbookWnd, m_pFrame))
            pBook->SetWorkbookMode(TRUE);
        for (UINT nID : {IDR_TEST_DOC_SOURCE, IDR_TEST_DOC_MEMORY, IDR_TEST_MISSING}) {
            auto* pTemplate =
                new CMultiDocTemplate(nID, RUNTIME_CLASS(CMenuChildDoc), GetParam().pChildClass,
                                      RUNTIME_CLASS(CMenuChildView));
            AfxGetDocManager()->AddDocTemplate(pTemplate);
            m_templates.push_back(pTemplate);
        }
        PumpIdle();
    }
    void TearDown() override {
        CloseFrame(m_pFrame);
        for (CMultiDocTemplate* pTemplate : m_templates) {
            AfxGetDocManager()->RemoveDocTemplate(pTemplate);
            delete pTemplate;
        }
        ClearTestProfile();
    }

    SECMDIChildWnd* Open(int nTemplate) {
        CDocument* pDoc = m_templates[nTemplate]->OpenDocumentFile(nullptr);
        PumpIdle();
        POSITION pos = pDoc != nullptr ? pDoc->GetFirstViewPosition() : NULL;
        CView* pView = pos != NULL ? pDoc->GetNextView(pos) : nullptr;
        return pView != nullptr ? DYNAMIC_DOWNCAST(SECMDIChildWnd, pView->GetParentFrame())
                                : nullptr;
    }
    void CloseChild(SECMDIChildWnd* pChild) {
        pChild->SendMessage(WM_CLOSE);
        PumpIdle();
    }
    SECMenuBar* Bar() const { return m_pFrame->GetMenuBar(); }
    HMENU WindowMenu() const { return ::GetMenu(m_pFrame->m_hWnd); }

    SECMDIFrameWnd* m_pFrame = nullptr;
    std::vector<CMultiDocTemplate*> m_templates;
};
} // namespace

TEST_P(MenuBarChildTest, TheActiveChildsMenuIsOnTheBarAndTheFramesComesBackAtTheEnd) {
    ASSERT_EQ(kFrameMenu, ButtonTexts(Bar()));
    SECMDIChildWnd* pSource = Open(0);
    ASSERT_NE(nullptr, pSource);
    EXPECT_TRUE(pSource->m_bUsesMenuBar);
    EXPECT_EQ((UINT)IDR_TEST_DOC_SOURCE, pSource->m_nMenuID);
    EXPECT_EQ(kSourceMenu, ButtonTexts(Bar()));
    EXPECT_EQ((UINT)IDR_TEST_DOC_SOURCE, Bar()->GetMenuId());
    EXPECT_EQ(HMENU(NULL), WindowMenu());
    // The MDI client lists its children in the Window popup of the menu the bar shows.
    HMENU hSourceWindow = ::GetSubMenu(m_templates[0]->m_hMenuShared, 3);
    EXPECT_EQ(0u, ItemTexts(hSourceWindow).back().rfind(L"&1 ", 0)) << "the first child's entry";

    SECMDIChildWnd* pMemory = Open(1);
    ASSERT_NE(nullptr, pMemory);
    EXPECT_EQ(kMemoryMenu, ButtonTexts(Bar()));
    EXPECT_EQ(HMENU(NULL), WindowMenu());
    CRect shot;
    m_pFrame->GetWindowRect(&shot);
    const std::string name = std::string("menubar-child-") + GetParam().name + ".png";
    EXPECT_TRUE(SaveScreenPng(
        shot, ScreenshotPath(std::wstring(name.begin(), name.end()).c_str()).c_str()));

    // Activation through the client, and by the mouse.
    m_pFrame->MDIActivate(pSource);
    PumpIdle();
    EXPECT_EQ(kSourceMenu, ButtonTexts(Bar()));
    EXPECT_EQ(HMENU(NULL), WindowMenu());
    pMemory->SendMessage(WM_MOUSEACTIVATE, (WPARAM)m_pFrame->m_hWnd,
                         MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    PumpIdle();
    EXPECT_EQ(pMemory, m_pFrame->MDIGetActive());
    EXPECT_EQ(kMemoryMenu, ButtonTexts(Bar()));
    EXPECT_EQ(HMENU(NULL), WindowMenu());

    // A template without a menu of its own shows the frame's.
    SECMDIChildWnd* pPlain = Open(2);
    ASSERT_NE(nullptr, pPlain);
    EXPECT_EQ(kFrameMenu, ButtonTexts(Bar()));
    CloseChild(pPlain);

    // The active one closes: the other one's menu; the last one closes: the frame's.
    ASSERT_EQ(pMemory, m_pFrame->MDIGetActive());
    CloseChild(pMemory);
    EXPECT_EQ(pSource, m_pFrame->MDIGetActive());
    EXPECT_EQ(kSourceMenu, ButtonTexts(Bar()));
    CloseChild(pSource);
    EXPECT_EQ(nullptr, m_pFrame->MDIGetActive());
    EXPECT_EQ(kFrameMenu, ButtonTexts(Bar()));
    EXPECT_EQ((UINT)IDR_TEST_MAIN, Bar()->GetMenuId());
    EXPECT_EQ(HMENU(NULL), WindowMenu());
}

// A maximised child lends the bar its icon and caption buttons; they go when it is restored.
TEST_P(MenuBarChildTest, AMaximisedChildsButtonsFollowItsSize) {
    SECMDIChildWnd* pSource = Open(0);
    ASSERT_NE(nullptr, pSource);
    auto* pBar = static_cast<SECMDIMenuBar*>(Bar());
    EXPECT_EQ(nullptr, pBar->GetIconButton());
    m_pFrame->MDIMaximize(pSource);
    PumpIdle();
    EXPECT_NE(nullptr, pBar->GetIconButton());
    EXPECT_NE(nullptr, pBar->GetCaptionButton());
    EXPECT_EQ(kSourceMenu, ButtonTexts(Bar()));
    EXPECT_EQ(HMENU(NULL), WindowMenu());
    m_pFrame->MDIRestore(pSource);
    PumpIdle();
    EXPECT_EQ(nullptr, pBar->GetIconButton());
    EXPECT_EQ(nullptr, pBar->GetCaptionButton());
}

INSTANTIATE_TEST_SUITE_P(Frames, MenuBarChildTest,
                         ::testing::Values(FrameKind{"mdi", &MakeFrame<CMenuBarMainFrame>,
                                                     RUNTIME_CLASS(SECMDIChildWnd)},
                                           FrameKind{"workbook", &MakeFrame<CMenuBarWorkbook>,
                                                     RUNTIME_CLASS(SECWorksheetWnd)}),
                         [](const ::testing::TestParamInfo<FrameKind>& info) {
                             return std::string(info.param.name);
                         });
