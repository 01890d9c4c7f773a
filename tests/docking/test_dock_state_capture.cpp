// The frame's dock state as the shell's toolbar state takes it and as SaveBarState writes it:
// the same bars in the same order, with document frames present, docked and floating.
#include "docframe_test_support.h"
#include "docking_test_support.h"

#include "docking/dialog_bar.h"
#include "docking/dock_state.h"

#include <vector>

namespace {
const wchar_t kKey[] = L"MoxDockingCaptureTests";
const wchar_t kProfile[] = L"Capture";

void ClearKey() {
    std::wstring key = L"Software\\";
    key += kKey;
    ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

std::vector<UINT> SavedSectionIds() {
    std::vector<UINT> ids;
    CWinApp* pApp = AfxGetApp();
    const int n = (int)pApp->GetProfileInt(AfxSummarySection(kProfile), L"Bars", 0);
    for (int i = 0; i < n; ++i)
        ids.push_back(pApp->GetProfileInt(AfxBarSection(kProfile, i), L"BarID", 0));
    return ids;
}

// The ids the framework's form numbers, skipping what it declines to save, as SaveState does.
std::vector<UINT> CapturedIds(const CDockState& state) {
    std::vector<UINT> ids;
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
        auto* pInfo = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        if (!pInfo->IsDeclined())
            ids.push_back(pInfo->m_nBarID);
    }
    return ids;
}

class DockStateCapture : public DocFrameTest {
protected:
    void SetUp() override {
        ClearKey();
        AfxGetApp()->SetRegistryKey(kKey);
        DocFrameTest::SetUp();
    }
    void TearDown() override {
        DocFrameTest::TearDown();
        AfxGetApp()->SetRegistryKey(L"");
        ClearKey();
    }
};
} // namespace

TEST_F(DockStateCapture, ShellStateAndSaveBarStateNumberTheSameBars) {
    for (UINT id : {0x8601u, 0x8602u, 0x8603u}) {
        auto* pBar = new CTestBar;
        pBar->m_bAutoDelete = TRUE;
        ASSERT_TRUE(pBar->Make(m_pMain, id, L"Bar"));
        m_pMain->DockControlBar(pBar, id == 0x8602u ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_TOP);
    }
    m_pMain->FloatControlBar(m_pMain->GetControlBar(0x8603), CPoint(520, 420));
    CFrameWnd* pDocked = Open(TRUE, AFX_IDW_DOCKBAR_LEFT);
    CFrameWnd* pFloating = Open(TRUE, AFX_IDW_DOCKBAR_RIGHT);
    ASSERT_NE(pDocked, nullptr);
    ASSERT_NE(pFloating, nullptr);
    auto* pHost = DYNAMIC_DOWNCAST(SECFrameBar, pFloating->GetParent());
    ASSERT_NE(pHost, nullptr);
    m_pMain->FloatControlBar(pHost, CPoint(300, 300));
    PumpDocMessages();
    ASSERT_TRUE(pHost->IsFloating());

    m_pMain->SaveBarState(kProfile);
    CDockState shellState; // the framework's own form, as the shell keeps it
    static_cast<CFrameWnd*>(m_pMain)->GetDockState(shellState);
    const std::vector<UINT> saved = SavedSectionIds();
    EXPECT_EQ(CapturedIds(shellState), saved);
    // Document frames' bars are no part of the layout, and nothing without an id is.
    const UINT nDockedBar = (UINT)pDocked->GetParent()->GetDlgCtrlID();
    const UINT nFloatingBar = (UINT)pHost->GetDlgCtrlID();
    for (UINT id : saved) {
        EXPECT_NE(id, 0u);
        EXPECT_NE(id, nDockedBar);
        EXPECT_NE(id, nFloatingBar);
    }
    for (UINT id : {0x8601u, 0x8602u, 0x8603u})
        EXPECT_NE(std::find(saved.begin(), saved.end(), id), saved.end()) << id;
    // Nor does a side keep a place for a document frame's bar.
    for (INT_PTR i = 0; i < shellState.m_arrBarInfo.GetSize(); ++i) {
        auto* pInfo = static_cast<CControlBarInfo*>(shellState.m_arrBarInfo[i]);
        for (INT_PTR j = 0; j < pInfo->m_arrBarID.GetSize(); ++j)
            EXPECT_NE(LOWORD(pInfo->m_arrBarID[j]), nDockedBar);
    }
}
