// The docking frame's dock bars, sized docking, floating and the docking-position rotation.
#include "dockframe_fixture.h"

#include "docking/frame_docking.h"

TEST_F(FrameTest, EnableDockingMakesTheFourLibraryDockBarsWithTheirSides) {
    const struct {
        UINT id;
        DWORD style;
    } sides[] = {{AFX_IDW_DOCKBAR_TOP, 0x2800},
                 {AFX_IDW_DOCKBAR_BOTTOM, 0x8200},
                 {AFX_IDW_DOCKBAR_LEFT, 0x1400},
                 {AFX_IDW_DOCKBAR_RIGHT, 0x4100}};
    for (const auto& side : sides) {
        SECDockBar* pDockBar = m_pFrame->DockBar(side.id);
        ASSERT_NE(pDockBar, nullptr) << side.id;
        EXPECT_EQ(pDockBar->GetBarStyle() & CBRS_ALIGN_ANY, side.style & CBRS_ALIGN_ANY) << side.id;
        EXPECT_TRUE(pDockBar->GetStyle() & WS_VISIBLE);
    }
    EXPECT_EQ(m_pFrame->m_pFloatingFrameClass, RUNTIME_CLASS(SECMiniDockFrameWnd));
    // A second call makes nothing twice.
    const INT_PTR nBars = m_pFrame->m_listControlBars.GetCount();
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    EXPECT_EQ(m_pFrame->m_listControlBars.GetCount(), nBars);
}

TEST_F(FrameTest, NextDockingPositionRotatesThroughTheRingAndWraps) {
    const struct {
        UINT id;
        SECDockPos pos;
    } expected[] = {
        {AFX_IDW_DOCKBAR_BOTTOM, {0, 1, 6}}, {AFX_IDW_DOCKBAR_LEFT, {1, 1, 7}},
        {AFX_IDW_DOCKBAR_RIGHT, {0, 1, 6}},  {AFX_IDW_DOCKBAR_BOTTOM, {0, 1, 2}},
        {AFX_IDW_DOCKBAR_LEFT, {0, 1, 3}},   {AFX_IDW_DOCKBAR_RIGHT, {0, 1, 2}},
    };
    ASSERT_EQ(m_pFrame->RingSize(), 26u);
    for (int cycle = 0; cycle < 2; ++cycle) {
        for (size_t i = 0; i < 6; ++i) {
            UINT id = 0;
            SECDockPos pos{-1, -1, 0};
            SECDockSize size{0.0f, 0};
            m_pFrame->GetNextDockingPosition(id, pos, size);
            if (cycle == 0) {
                EXPECT_EQ(id, expected[i].id) << i;
                EXPECT_EQ(pos.nRow, expected[i].pos.nRow) << i;
                EXPECT_EQ(pos.nCol, expected[i].pos.nCol) << i;
                EXPECT_EQ(pos.dwFlags, expected[i].pos.dwFlags) << i;
                EXPECT_EQ(size.fPctWidth, 1.0f);
                EXPECT_EQ(size.nHeight, 150);
            }
        }
        // The rest of the ring: 20 ids in all per turn, then it starts over.
        for (int i = 6; i < 20 && cycle == 0; ++i) {
            UINT id = 0;
            SECDockPos pos{};
            SECDockSize size{};
            m_pFrame->GetNextDockingPosition(id, pos, size);
            EXPECT_NE(id, 0u);
        }
    }
}
