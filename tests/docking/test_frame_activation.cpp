// A docked document frame as the main frame's active frame, and giving that up to an MDI child.
#include "docframe_test_support.h"

#include "docking/dockable_frame.h"

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
