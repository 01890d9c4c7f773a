// A custom toolbar's saved buttons: the "Buttons" bytes, their bounded reading, and the archive,
// profile and tree-node forms.
#include "toolbars/custom_toolbar_info.h"
#include "toolbars/settings/settings_tree.h"

#include <gtest/gtest.h>

namespace {
SECBtnInfoArray Buttons(std::initializer_list<UINT> ids) {
    SECBtnInfoArray out;
    for (UINT id : ids) {
        SECBtnInfo info;
        info.m_nID = id;
        out.push_back(info);
    }
    return out;
}

std::vector<UINT> Ids(const SECBtnInfoArray& buttons) {
    std::vector<UINT> out;
    for (const SECBtnInfo& info : buttons)
        out.push_back(info.m_nID);
    return out;
}
} // namespace

TEST(ToolBarInfo, ButtonsAreFiveBytesEachLittleEndian) {
    const std::vector<BYTE> expected = {0x00, 0xE1, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                        0x00, 0x00, 0x01, 0xE1, 0x00, 0x00, 0x00};
    EXPECT_EQ(expected, SECEncodeButtons(Buttons({57600, 0, 57601})));
    SECBtnInfoArray back;
    EXPECT_TRUE(SECDecodeButtons(expected.data(), expected.size(), back));
    EXPECT_EQ((std::vector<UINT>{57600, 0, 57601}), Ids(back));
}

TEST(ToolBarInfo, CutOrOverlongRecordsKeepOnlyTheWholeRecordsBeforeThem) {
    // 57600 with 2 data bytes, then 57601, then a record cut inside its id.
    const std::vector<BYTE> bytes = {0x00, 0xE1, 0x00, 0x00, 0x02, 0xAA, 0xBB, 0x01,
                                     0xE1, 0x00, 0x00, 0x00, 0x02, 0xE1, 0x00};
    struct Case {
        size_t nSize;
        std::vector<UINT> ids;
        BOOL bWhole;
    } cases[] = {
        {bytes.size(), {57600, 57601}, FALSE}, // cut inside the third record's id
        {12, {57600, 57601}, TRUE},
        {6, {}, FALSE}, // the data length runs past the end
        {3, {}, FALSE},
        {0, {}, TRUE},
    };
    for (const Case& c : cases) {
        SECBtnInfoArray out = Buttons({1, 2, 3});
        EXPECT_EQ(c.bWhole, SECDecodeButtons(bytes.data(), c.nSize, out)) << c.nSize;
        EXPECT_EQ(c.ids, Ids(out)) << c.nSize;
    }
    SECBtnInfoArray out;
    ASSERT_TRUE(SECDecodeButtons(bytes.data(), 12, out));
    EXPECT_EQ((std::vector<BYTE>{0xAA, 0xBB}), out[0].m_data);
}

TEST(ToolBarInfo, ArchiveRoundTripKeepsTitleIdsAndData) {
    SECCustomToolBarInfoEx info;
    info.m_strTitle = L"Debug";
    info.m_btnInfo = Buttons({100, 0, 101});
    info.m_btnInfo[2].m_data = {1, 2, 3};
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        info.Serialize(ar, nullptr);
        ar.Close();
    }
    file.SeekToBegin();
    SECCustomToolBarInfoEx back;
    {
        CArchive ar(&file, CArchive::load);
        back.Serialize(ar, nullptr);
    }
    EXPECT_STREQ(L"Debug", back.m_strTitle.GetString());
    EXPECT_EQ((std::vector<UINT>{100, 0, 101}), Ids(back.m_btnInfo));
    EXPECT_EQ((std::vector<BYTE>{1, 2, 3}), back.m_btnInfo[2].m_data);
}

TEST(ToolBarInfo, TreeNodeFormLivesInItsChildNodeAndAnEmptyTitleIsDeleted) {
    SECPersistentTreeNode root;
    root.Create(L"Bar0");
    SECCustomToolBarInfoEx info;
    info.m_strTitle = L"Old";
    info.m_btnInfo = Buttons({57600, 0});
    ASSERT_TRUE(info.SaveToTreeNode(&root, nullptr));
    ASSERT_NE(nullptr, root.FindChildNode(L"ToolBarInfoEx"));
    info.m_strTitle.Empty();
    ASSERT_TRUE(info.SaveToTreeNode(&root, nullptr));
    SECCustomToolBarInfoEx back;
    back.m_strTitle = L"Stale";
    ASSERT_TRUE(back.LoadFromTreeNode(&root, nullptr));
    EXPECT_STREQ(L"", back.m_strTitle.GetString());
    EXPECT_EQ((std::vector<UINT>{57600, 0}), Ids(back.m_btnInfo));
    // The neutral base does nothing and succeeds.
    SECControlBarInfoEx base;
    EXPECT_TRUE(base.SaveToProfile(L"x", nullptr));
    EXPECT_TRUE(base.LoadFromTreeNode(nullptr, nullptr));
}
