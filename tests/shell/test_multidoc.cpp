// A window family's template turns only its own frames into their other form, refuses the others
// before it touches the list of open windows, and leaves the old frame as it was when the new
// one cannot be made.
#include "tests/shell/bound_host.h"

#include <algorithm>

#include "shell/app/tarvikapp.h"
#include "shell/frame/mainframe.h"
#include "windows/common/families.h"

namespace {

// A docked frame that cannot be made.
class CFailingDockedFrame : public CDocChildFrame {
    DECLARE_DYNCREATE(CFailingDockedFrame)
protected:
    afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CFailingDockedFrame, CDocChildFrame)
BEGIN_MESSAGE_MAP(CFailingDockedFrame, CDocChildFrame)
ON_WM_CREATE()
END_MESSAGE_MAP()

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool Listed(HWND hWnd) {
    const auto& handles = WindowIdList().Handles();
    return std::find(handles.begin(), handles.end(), hWnd) != handles.end();
}

class MultiDocTest : public ::testing::Test {
protected:
    void SetUp() override {
        BindTestHost(HostVersion(3, 13));
        m_pMain = new SECMDIFrameWnd; // its window owns it
        ASSERT_TRUE(
            m_pMain->Create(NULL, L"Families", WS_OVERLAPPEDWINDOW, CRect(40, 40, 800, 600)));
        m_pMain->EnableDocking(CBRS_ALIGN_ANY);
        m_pMain->ShowWindow(SW_SHOWNORMAL);
        TarvikApp()->m_pMainWnd = m_pMain;
    }
    void TearDown() override {
        for (HWND hWnd : m_opened)
            WindowIdList().Remove(hWnd);
        TarvikApp()->m_pMainWnd = nullptr;
        m_pMain->DestroyWindow();
        Pump();
    }
    // A template of the source family's classes, with this docked frame.
    std::unique_ptr<CMultiDoc> Template(CRuntimeClass* pFrame, CRuntimeClass* pDocked) {
        auto pTemplate = std::make_unique<CMultiDoc>(129, RUNTIME_CLASS(CTarvikDoc), pFrame,
                                                     RUNTIME_CLASS(CTarvikView));
        pTemplate->m_pDockingFrameClass = pDocked;
        return pTemplate;
    }
    // A document opened by the template as an MDI child, listed as the main frame lists it.
    CFrameWnd* Open(CMultiDoc& tpl) {
        CDocument* pDoc = tpl.OpenDocumentFile(nullptr, TRUE);
        EXPECT_NE(nullptr, pDoc);
        POSITION pos = pDoc ? pDoc->GetFirstViewPosition() : nullptr;
        CView* pView = pos ? pDoc->GetNextView(pos) : nullptr;
        CFrameWnd* pFrame = pView ? pView->GetParentFrame() : nullptr;
        EXPECT_NE(nullptr, pFrame);
        if (pFrame != nullptr) {
            WindowIdList().Add(pFrame->m_hWnd);
            m_opened.push_back(pFrame->m_hWnd);
        }
        Pump();
        return pFrame;
    }
    static HWND ViewWindow(CFrameWnd* pFrame) {
        return ::GetDlgItem(pFrame->m_hWnd, AFX_IDW_PANE_FIRST);
    }

    SECMDIFrameWnd* m_pMain = nullptr;
    std::vector<HWND> m_opened;
};

TEST_F(MultiDocTest, AnotherFamilysFrameIsRefusedAndStaysListed) {
    auto source = Template(RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(CDocChildFrame));
    auto eval = Template(RUNTIME_CLASS(CEvalWnd), RUNTIME_CLASS(CDocEvalWnd));
    CFrameWnd* pEval = Open(*eval);
    ASSERT_NE(nullptr, pEval);
    const HWND hEval = pEval->m_hWnd;
    EXPECT_EQ(nullptr, source->DockMDIChild(pEval));
    EXPECT_EQ(nullptr, source->UndockToMDIChild(pEval)); // not docked either
    EXPECT_TRUE(::IsWindow(hEval));
    EXPECT_TRUE(Listed(hEval));
    // Its own family's template converts it, and the list follows.
    CFrameWnd* pDocked = eval->DockMDIChild(pEval);
    ASSERT_NE(nullptr, pDocked);
    m_opened.push_back(pDocked->m_hWnd);
    EXPECT_TRUE(pDocked->IsKindOf(RUNTIME_CLASS(CDocEvalWnd)));
    EXPECT_FALSE(Listed(hEval));
    EXPECT_TRUE(Listed(pDocked->m_hWnd));
    // A docked frame of another family is refused the other way too.
    EXPECT_EQ(nullptr, source->UndockToMDIChild(pDocked));
    EXPECT_TRUE(Listed(pDocked->m_hWnd));
}

TEST_F(MultiDocTest, AConversionThatFailsLeavesTheOldFrameAsItWas) {
    auto tpl = Template(RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(CFailingDockedFrame));
    CFrameWnd* pChild = Open(*tpl);
    ASSERT_NE(nullptr, pChild);
    // The source frame's first pane is its splitter row, which holds the view.
    const HWND hChild = pChild->m_hWnd, hView = ViewWindow(pChild);
    ASSERT_NE(nullptr, hView);
    CView* pActive = pChild->GetActiveView();
    ASSERT_NE(nullptr, pActive);
    EXPECT_EQ(nullptr, tpl->DockMDIChild(pChild));
    Pump();
    ASSERT_TRUE(::IsWindow(hChild));
    EXPECT_EQ(hChild, ::GetParent(hView)); // the row stayed in it
    EXPECT_EQ(pActive, pChild->GetActiveView());
    EXPECT_TRUE(::IsChild(hChild, pActive->m_hWnd));
    EXPECT_TRUE(Listed(hChild));
    EXPECT_EQ(1u,
              std::count(WindowIdList().Handles().begin(), WindowIdList().Handles().end(), hChild));
}

} // namespace
