// The main frame's caption as its active frame changes: an MDI child, restored or maximised, a
// docked document frame, none; and a frame that adds nothing to its title. Leaving a print
// preview draws the whole frame again.
#include "docframe_test_support.h"

#include "framework/docview/preview_state.h"

namespace {

CString TextOf(CWnd* pWnd) {
    CString str;
    pWnd->GetWindowText(str);
    return str;
}

} // namespace

TEST_F(DocFrameTest, TheCaptionNamesTheActiveFramesDocument) {
    m_pMain->OnUpdateFrameTitle(TRUE);
    EXPECT_STREQ(L"Docking Frames", TextOf(m_pMain));
    CDocument* pDoc = m_pTemplate->OpenDocumentFileEx(L"C:\\src\\a.c", TRUE, FALSE, 0);
    PumpDocMessages();
    CFrameWnd* pChild = FrameOf(pDoc);
    ASSERT_NE(nullptr, pChild);
    CDocument* pDockedDoc =
        m_pTemplate->OpenDocumentFileEx(L"C:\\src\\d.c", TRUE, TRUE, AFX_IDW_DOCKBAR_LEFT);
    PumpDocMessages();
    auto* pDocked = DYNAMIC_DOWNCAST(SECDockableFrame, FrameOf(pDockedDoc));
    ASSERT_NE(nullptr, pDocked);

    const struct {
        const wchar_t* what;
        bool bDocked;    // the docked frame is the active frame
        bool bMaximized; // the MDI child is maximised
        BOOL bAddToTitle;
        const wchar_t* caption;
    } cases[] = {
        {L"restored child", false, false, TRUE, L"Docking Frames - a.c"},
        {L"restored child, no document part asked", false, false, FALSE, L"Docking Frames - a.c"},
        {L"docked frame", true, false, TRUE, L"Docking Frames - d.c"},
        {L"maximised child", false, true, TRUE, L"Docking Frames - [a.c]"},
        {L"docked frame over a maximised child", true, true, TRUE, L"Docking Frames - d.c - [a.c]"},
    };
    for (const auto& c : cases) {
        if (c.bMaximized)
            m_pMain->MDIMaximize(pChild);
        else
            m_pMain->MDIRestore(pChild);
        if (c.bDocked)
            m_pMain->ActivateDockedFrame(pDocked, TRUE);
        else
            m_pMain->DeactivateDockedFrame(TRUE);
        PumpDocMessages();
        m_pMain->OnUpdateFrameTitle(c.bAddToTitle);
        EXPECT_STREQ(c.caption, TextOf(m_pMain)) << c.what;
    }

    // A frame that adds nothing to its title keeps the text it has.
    m_pMain->DeactivateDockedFrame(TRUE);
    m_pMain->MDIRestore(pChild);
    m_pMain->ModifyStyle(FWS_ADDTOTITLE, 0);
    m_pMain->SetWindowText(L"Fixed");
    m_pMain->OnUpdateFrameTitle(TRUE);
    EXPECT_STREQ(L"Fixed", TextOf(m_pMain));
}

TEST_F(DocFrameTest, LeavingPrintPreviewDrawsTheWholeFrameAgain) {
    CFrameWnd* pChild = Open(FALSE);
    ASSERT_NE(nullptr, pChild);
    CPrintPreviewState state;
    m_pMain->OnSetPreviewMode(TRUE, &state);
    EXPECT_FALSE(::IsWindowVisible(m_pMain->m_hWndMDIClient));
    PumpDocMessages();
    // Everything drawn: nothing is left to paint before the preview goes.
    m_pMain->RedrawWindow(NULL, NULL, RDW_VALIDATE | RDW_NOERASE | RDW_NOFRAME | RDW_ALLCHILDREN);
    m_pMain->OnSetPreviewMode(FALSE, &state);
    EXPECT_TRUE(::IsWindowVisible(m_pMain->m_hWndMDIClient));
    CRect client;
    m_pMain->GetClientRect(&client);
    CRect update;
    EXPECT_TRUE(::GetUpdateRect(m_pMain->m_hWnd, &update, FALSE));
    EXPECT_EQ(client, update);
    // The frame's children too, down to the document's view.
    CRect view;
    pChild->GetActiveView()->GetClientRect(&view);
    EXPECT_TRUE(::GetUpdateRect(pChild->GetActiveView()->m_hWnd, &update, FALSE));
    EXPECT_EQ(view, update);
    PumpDocMessages();
}
