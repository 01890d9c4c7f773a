// The dock state's archive and settings-tree forms, and the share as the profile keeps it.
#include "dockframe_fixture.h"
#include "layout_dump.h"

#include "docking/control_bar_info.h"
#include "framework/core/archive.h"
#include "framework/core/file.h"
#include "toolbars/settings/settings_tree.h"
#include "toolbars/settings/settings_tree_strategy.h"

#include <vector>

namespace {
const UINT kBars[] = {ID_BAR_OUTPUT, ID_BAR_WATCH, ID_BAR_LOCALS, ID_BAR_MEMORY};

void AddDefaultBars(CTestMainFrame* pFrame) {
    for (UINT id : kBars) {
        auto* pBar = new CFrameTestBar;
        pBar->m_bAutoDelete = TRUE;
        pBar->Make(pFrame, id, L"Bar");
        pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    }
    PumpIdle();
}

void Arrange(CTestMainFrame* pFrame) {
    pFrame->DockControlBarAt(pFrame->GetControlBar(ID_BAR_OUTPUT), AFX_IDW_DOCKBAR_TOP, 0, 0, 0.25f,
                             60);
    pFrame->DockControlBarAt(pFrame->GetControlBar(ID_BAR_WATCH), AFX_IDW_DOCKBAR_TOP, 1, 0, 0.75f,
                             60);
    pFrame->DockControlBarAt(pFrame->GetControlBar(ID_BAR_LOCALS), AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f,
                             100);
    pFrame->FloatControlBar(pFrame->GetControlBar(ID_BAR_MEMORY), CPoint(600, 420));
    PumpIdle();
}

std::vector<BYTE> Store(SECDockState& state) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        state.Serialize(ar);
    }
    const UINT n = (UINT)file.GetLength();
    BYTE* p = file.Detach();
    std::vector<BYTE> bytes(p, p + n);
    free(p);
    return bytes;
}

// Loads bytes into state: FALSE when the archive exception came.
BOOL Load(SECDockState& state, std::vector<BYTE> bytes) {
    CMemFile file(bytes.data(), (UINT)bytes.size());
    try {
        CArchive ar(&file, CArchive::load);
        state.Serialize(ar);
    } catch (CArchiveException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

class StateForms : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        AddDefaultBars(m_pFrame);
    }
    // A second main frame with the default bars, beside the first.
    CTestMainFrame* OpenSecond() {
        m_pSecond = new CTestMainFrame;
        EXPECT_TRUE(m_pSecond->Open());
        AddDefaultBars(m_pSecond);
        return m_pSecond;
    }
    void TearDown() override {
        CloseFrame(m_pSecond);
        FrameTest::TearDown();
    }
    CTestMainFrame* m_pSecond = nullptr;
};
} // namespace

TEST_F(StateForms, ArchiveRoundTripPlacesEveryBarAgain) {
    Arrange(m_pFrame);
    const auto before = CaptureLayout(m_pFrame);
    SECDockState saved;
    ASSERT_TRUE(saved.CaptureFromFrame(m_pFrame));
    const std::vector<BYTE> bytes = Store(saved);
    CloseFrame(m_pFrame);
    m_pFrame = nullptr;

    CTestMainFrame* pFrame = OpenSecond();
    SECDockState loaded;
    ASSERT_TRUE(Load(loaded, bytes));
    EXPECT_EQ(loaded.GetVersion(), 2u);
    ASSERT_TRUE(loaded.ApplyToFrame(pFrame));
    PumpIdle();
    EXPECT_EQ(CompareLayouts(before, CaptureLayout(pFrame)), "");
}

TEST_F(StateForms, ArchiveOfALaterVersionOrCutShortChangesNothing) {
    SECDockState saved;
    ASSERT_TRUE(saved.CaptureFromFrame(m_pFrame));
    std::vector<BYTE> bytes = Store(saved);
    Arrange(m_pFrame);
    const auto before = CaptureLayout(m_pFrame);

    std::vector<BYTE> later = bytes;
    later[0] = 3; // the version word
    std::vector<std::vector<BYTE>> bad = {later};
    for (size_t cut : {size_t(1), size_t(6), bytes.size() / 2, bytes.size() - 1})
        bad.emplace_back(bytes.begin(), bytes.begin() + (ptrdiff_t)cut);
    for (const auto& data : bad) {
        SECDockState state;
        EXPECT_FALSE(Load(state, data)) << data.size();
        EXPECT_EQ(state.m_arrBarInfo.GetSize(), 0) << data.size();
        state.ApplyToFrame(m_pFrame); // nothing to apply: the frame keeps its layout
        PumpIdle();
        EXPECT_EQ(CompareLayouts(before, CaptureLayout(m_pFrame)), "") << data.size();
    }
}

TEST_F(StateForms, SettingsTreeRoundTripThroughTheRegistry) {
    Arrange(m_pFrame);
    const auto before = CaptureLayout(m_pFrame);
    std::wstring base = L"Software\\";
    base += kTestRegistryKey;
    base += L"\\Tree";
    SECPTNStrategyRegistry strategy(base.c_str(), HKEY_CURRENT_USER);
    {
        SECPersistentTreeNode root;
        ASSERT_EQ(root.Create(L"Layout"), 0u);
        SECDockState saved;
        ASSERT_TRUE(saved.CaptureFromFrame(m_pFrame));
        ASSERT_TRUE(saved.SaveToTreeNode(&root));
        ASSERT_TRUE(root.SaveNode(&strategy));
    }
    CloseFrame(m_pFrame);
    m_pFrame = nullptr;

    CTestMainFrame* pFrame = OpenSecond();
    SECPersistentTreeNode root;
    ASSERT_EQ(root.Create(L"Layout"), 0u);
    ASSERT_TRUE(root.LoadNode(&strategy));
    SECDockState loaded;
    ASSERT_TRUE(loaded.LoadFromTreeNode(&root));
    ASSERT_TRUE(loaded.ApplyToFrame(pFrame));
    PumpIdle();
    EXPECT_EQ(CompareLayouts(before, CaptureLayout(pFrame)), "");
}

TEST(ShareText, IsAMillionthRoundedAndReadsBadTextAsZero) {
    const struct {
        float share;
        const wchar_t* text;
    } saved[] = {
        {0.5f, L"500000"}, {0.3f, L"300000"}, {0.7f, L"700000"}, {1.0f, L"1000000"}, {0.0f, L"0"}};
    for (const auto& c : saved) {
        EXPECT_STREQ((LPCTSTR)SECControlBarInfo::FormatShare(c.share), c.text);
        // Read back and saved again, the text stays the same.
        EXPECT_STREQ((LPCTSTR)SECControlBarInfo::FormatShare(SECControlBarInfo::ParseShare(c.text)),
                     c.text);
    }
    const struct {
        const wchar_t* text;
        float share;
    } read[] = {{L"500000", 0.5f}, {L"-5", 0.0f},          {L"abc", 0.0f},    {L"", 0.0f},
                {L"12abc", 0.0f},  {L"99999999999", 0.0f}, {L"250000", 0.25f}};
    for (const auto& c : read)
        EXPECT_FLOAT_EQ(SECControlBarInfo::ParseShare(c.text), c.share) << c.text;
}
