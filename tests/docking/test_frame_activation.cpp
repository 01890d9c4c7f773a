// A docked document frame as the main frame's active frame, and giving that up to an MDI child;
// the foreground given back after a view took it, and the posts of an application switch.
#include "docframe_test_support.h"

#include "docking/dockable_frame.h"
#include "docking_test_ids.h"

#include <vector>

namespace {
// Notes the caption state each WM_NCACTIVATE leaves.
struct NcActivateSpy {
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
        if (m == WM_NCACTIVATE)
            *reinterpret_cast<int*>(data) = w ? 1 : 0;
        return ::DefSubclassProc(h, m, w, l);
    }
};
} // namespace

TEST_F(DocFrameTest, ActivatingAnMDIChildLeavesNoDockedFrameActive) {
    CFrameWnd* pChild = Open(FALSE);
    CFrameWnd* pOther = Open(FALSE); // the active child from here on
    ASSERT_EQ(m_pMain->MDIGetActive(), pOther);
    CFrameWnd* pDocked = Open(TRUE, AFX_IDW_DOCKBAR_LEFT);
    ASSERT_NE(pChild, nullptr);
    auto* pDockable = DYNAMIC_DOWNCAST(SECDockableFrame, pDocked);
    ASSERT_NE(pDockable, nullptr);
    int nCaption = -1;
    ::SetWindowSubclass(pDocked->m_hWnd, &NcActivateSpy::Proc, 1, (DWORD_PTR)&nCaption);

    m_pMain->ActivateDockedFrame(pDockable, TRUE);
    EXPECT_EQ(m_pMain->GetActiveDockedFrame(), pDockable);
    EXPECT_EQ(m_pMain->GetActiveFrame(), pDocked);
    EXPECT_EQ(nCaption, 1);

    m_pMain->MDIActivate(pChild);
    PumpDocMessages();
    EXPECT_EQ(m_pMain->GetActiveDockedFrame(), nullptr);
    EXPECT_EQ(m_pMain->GetActiveFrame(), pChild);
    EXPECT_EQ(nCaption, 0);
    ::RemoveWindowSubclass(pDocked->m_hWnd, &NcActivateSpy::Proc, 1);

    // Activating it again and closing the whole frame leaves nothing behind (heap-checked run).
    m_pMain->ActivateDockedFrame(pDockable, TRUE);
    m_pMain->DeactivateDockedFrame(TRUE);
    EXPECT_EQ(m_pMain->GetActiveDockedFrame(), nullptr);
    EXPECT_EQ(m_pMain->MDIGetActive(), pChild);
}

namespace {

// A view whose activation hands the foreground to another window, as a view that opens a tool
// window or pops up a message might, and that notes the frame activations it is told of.
class CForegroundTakingView : public CDocTestView {
    DECLARE_DYNCREATE(CForegroundTakingView)
public:
    static HWND s_hTaker;
    static int s_nActivated;
    static std::vector<UINT> s_frameStates;

protected:
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override {
        if (bActivate) {
            ++s_nActivated;
            if (s_hTaker != NULL)
                ::SetForegroundWindow(s_hTaker);
        }
        CDocTestView::OnActivateView(bActivate, pActivateView, pDeactiveView);
    }
    void OnActivateFrame(UINT nState, CFrameWnd* pFrame) override {
        s_frameStates.push_back(nState);
        CDocTestView::OnActivateFrame(nState, pFrame);
    }
};
IMPLEMENT_DYNCREATE(CForegroundTakingView, CDocTestView)
HWND CForegroundTakingView::s_hTaker = NULL;
int CForegroundTakingView::s_nActivated = 0;
std::vector<UINT> CForegroundTakingView::s_frameStates;

class FrameActivationTest : public DocFrameTest {
protected:
    void SetUp() override {
        DocFrameTest::SetUp();
        m_pTakingTemplate = new SECMultiDocTemplate(IDR_TEST_DOC, RUNTIME_CLASS(CDocTestDoc), NULL,
                                                    RUNTIME_CLASS(CForegroundTakingView));
        AfxGetDocManager()->AddDocTemplate(m_pTakingTemplate);
        m_hTaker = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"taker", WS_POPUP | WS_VISIBLE,
                                     950, 40, 120, 60, NULL, NULL, NULL, NULL);
        CForegroundTakingView::s_hTaker = NULL;
        CForegroundTakingView::s_nActivated = 0;
        CForegroundTakingView::s_frameStates.clear();
    }
    void TearDown() override {
        CForegroundTakingView::s_hTaker = NULL;
        if (m_hTaker != NULL)
            ::DestroyWindow(m_hTaker);
        DocFrameTest::TearDown();
        AfxGetDocManager()->RemoveDocTemplate(m_pTakingTemplate);
        delete m_pTakingTemplate;
    }
    CFrameWnd* OpenTaking(BOOL bDocked) {
        CDocument* pDoc = m_pTakingTemplate->OpenDocumentFileEx(NULL, TRUE, bDocked, 0);
        PumpDocMessages();
        return FrameOf(pDoc);
    }

    SECMultiDocTemplate* m_pTakingTemplate = nullptr;
    HWND m_hTaker = NULL;
};

} // namespace

TEST_F(FrameActivationTest, ActivationGivesTheForegroundBackOnceAndTellsTheView) {
    CFrameWnd* pChild = OpenTaking(FALSE);
    ASSERT_NE(nullptr, pChild);
    ASSERT_TRUE(::IsWindow(m_hTaker));
    const struct {
        UINT nState;
        BOOL bMinimized;
        int nActivated; // OnActivateView (TRUE) calls
    } cases[] = {
        {WA_ACTIVE, FALSE, 1},   // the view takes the foreground: it comes back, once
        {WA_ACTIVE, TRUE, 0},    // minimised: the view is not activated
        {WA_INACTIVE, FALSE, 0}, // going inactive: neither
    };
    for (const auto& c : cases) {
        const HWND hFront = m_pMain->m_hWnd;
        ::SetForegroundWindow(hFront);
        PumpDocMessages();
        ASSERT_EQ(hFront, ::GetForegroundWindow());
        CForegroundTakingView::s_hTaker = m_hTaker;
        CForegroundTakingView::s_nActivated = 0;
        CForegroundTakingView::s_frameStates.clear();
        m_pMain->ActivateFrameEx(c.nState, nullptr, c.bMinimized);
        CForegroundTakingView::s_hTaker = NULL;
        EXPECT_EQ(c.nActivated, CForegroundTakingView::s_nActivated) << c.nState;
        EXPECT_EQ(hFront, ::GetForegroundWindow()) << c.nState;
        // The view hears of the frame's state last (after what the frame's own losing of the
        // foreground told it).
        ASSERT_FALSE(CForegroundTakingView::s_frameStates.empty()) << c.nState;
        EXPECT_EQ(c.nState, CForegroundTakingView::s_frameStates.back()) << c.nState;
        PumpDocMessages();
    }
    EXPECT_EQ(pChild, m_pMain->GetActiveFrame());
}

TEST_F(FrameActivationTest, LeavingTheApplicationPostsTheDockedFramesCaptionState) {
    CFrameWnd* pChild = Open(FALSE);
    CFrameWnd* pDocked = Open(TRUE, AFX_IDW_DOCKBAR_LEFT);
    auto* pDockable = DYNAMIC_DOWNCAST(SECDockableFrame, pDocked);
    ASSERT_TRUE(pChild != nullptr && pDockable != nullptr);
    const HWND hClient = m_pMain->m_hWndMDIClient;
    const auto taken = [](HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam) {
        MSG msg;
        if (!::PeekMessageW(&msg, hWnd, message, message, PM_REMOVE))
            return false;
        wParam = msg.wParam;
        lParam = msg.lParam;
        return true;
    };
    const struct {
        bool bDockedActive;
        BOOL bActive;
    } cases[] = {{true, FALSE}, {true, TRUE}, {false, FALSE}, {false, TRUE}};
    for (const auto& c : cases) {
        if (c.bDockedActive)
            m_pMain->ActivateDockedFrame(pDockable, TRUE);
        else
            m_pMain->DeactivateDockedFrame(TRUE);
        PumpDocMessages();
        m_pMain->SendMessage(WM_ACTIVATEAPP, c.bActive, 0);
        WPARAM wParam = 99;
        LPARAM lParam = 99;
        const bool bMDIActivate = taken(hClient, WM_MDIACTIVATE, wParam, lParam);
        EXPECT_EQ(c.bDockedActive, bMDIActivate) << c.bActive;
        if (bMDIActivate) {
            EXPECT_EQ(0u, wParam);
            EXPECT_EQ(0, lParam);
        }
        const bool bClientNc = taken(hClient, WM_NCACTIVATE, wParam, lParam);
        EXPECT_EQ(c.bDockedActive, bClientNc) << c.bActive;
        if (bClientNc) {
            EXPECT_EQ(0u, wParam);
        }
        const bool bDockedNc = taken(pDocked->m_hWnd, WM_NCACTIVATE, wParam, lParam);
        EXPECT_EQ(c.bDockedActive, bDockedNc) << c.bActive;
        if (bDockedNc) {
            EXPECT_EQ((WPARAM)c.bActive, wParam);
        }
        PumpDocMessages();
        // The docked frame stays the active frame across the switch of applications.
        EXPECT_EQ(c.bDockedActive ? pDocked : pChild, m_pMain->GetActiveFrame()) << c.bActive;
    }
}
