// The drop target fed test-made data objects: the key and block checks, the three kinds of
// drop position and the image fallback; and drags between and within lists.
#include "scbar_fixture.h"

namespace {
struct DropCase {
    const char* name;
    bool ownKey;
    SIZE_T cb;
    int nImage;
    DROPEFFECT effect;
    int nImageAfter; // -1: nothing inserted
};
} // namespace

TEST_F(ShortcutFixture, DropChecksKeyBlockAndImage) {
    // 56 bytes on i686.
    const SIZE_T full = SECSHORTCUT_DRAGDATA_SIZE;
    const DropCase cases[] = {
        {"own key, image 2", true, full, 2, DROPEFFECT_MOVE, 2},
        {"foreign key", false, full, 1, DROPEFFECT_NONE, -1},
        {"block one byte short", true, full - 1, 1, DROPEFFECT_NONE, -1},
        {"negative image", true, full, -5, DROPEFFECT_MOVE, 0},
        {"image past the list", true, full, 3, DROPEFFECT_MOVE, 0},
        {"longer block", true, full + 24, 1, DROPEFFECT_MOVE, 1},
    };
    for (const DropCase& c : cases) {
        SCOPED_TRACE(c.name);
        right.DeleteAllItems();
        Fill(right, 2);
        const CPoint below(4, RowSpan(right, right.GetItemCount() - 1).second + 10); // appends
        GUID key = SECShortcutListCtrl::GetSourceKey();
        if (!c.ownKey)
            key.Data1 ^= 0x5A5A5A5A;
        std::vector<BYTE> bytes = DragBytes(key, L"Dropped", c.nImage, 77);
        bytes.resize(c.cb);
        COleDataSource* pSource = MakeDragData(bytes.data(), bytes.size());
        const int nBefore = right.GetItemCount();
        EXPECT_EQ(c.effect, FeedDrop(&right, pSource->GetDataObject(), below));
        pSource->InternalRelease();
        if (c.nImageAfter < 0) {
            EXPECT_EQ(nBefore, right.GetItemCount());
            continue;
        }
        ASSERT_EQ(nBefore + 1, right.GetItemCount());
        LVITEM item = {};
        item.mask = LVIF_IMAGE | LVIF_PARAM;
        item.iItem = nBefore;
        ASSERT_TRUE(right.GetItem(&item));
        EXPECT_EQ(c.nImageAfter, item.iImage);
        EXPECT_EQ(77, item.lParam);
        EXPECT_EQ(L"Dropped", Texts(right).back());
    }
}

TEST_F(ShortcutFixture, DropPositionsFrontEndAndAfterAnItem) {
    Fill(right, 3);
    const auto row0 = RowSpan(right, 0);
    const auto row1 = RowSpan(right, 1);
    const auto row2 = RowSpan(right, 2);
    struct {
        const char* name;
        CPoint pt;
        int nPosition;
        std::vector<std::wstring> after;
    } cases[] = {
        {"top spacing",
         CPoint(4, row0.first + 2),
         SECSHORTCUT_DROP_FRONT,
         {L"New", L"Item 0", L"Item 1", L"Item 2"}},
        {"below the rows",
         CPoint(4, row2.second + 20),
         SECSHORTCUT_DROP_END,
         {L"Item 0", L"Item 1", L"Item 2", L"New"}},
        {"lower half of row 1",
         CPoint(4, row1.second - 3),
         1,
         {L"Item 0", L"Item 1", L"New", L"Item 2"}},
        {"upper half of row 1",
         CPoint(4, row1.first + 3),
         0,
         {L"Item 0", L"New", L"Item 1", L"Item 2"}},
        {"lower half of the last row",
         CPoint(4, row2.second - 3),
         SECSHORTCUT_DROP_END,
         {L"Item 0", L"Item 1", L"Item 2", L"New"}},
        {"on an icon",
         IconPoint(right, 1),
         SECSHORTCUT_DROP_NONE,
         {L"Item 0", L"Item 1", L"Item 2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        right.DeleteAllItems();
        Fill(right, 3);
        EXPECT_EQ(c.nPosition, right.FindDropPosition(c.pt));
        const std::vector<BYTE> bytes =
            DragBytes(SECShortcutListCtrl::GetSourceKey(), L"New", 0, 0);
        COleDataSource* pSource = MakeDragData(bytes.data(), bytes.size());
        FeedDrop(&right, pSource->GetDataObject(), c.pt);
        pSource->InternalRelease();
        EXPECT_EQ(c.after, Texts(right));
    }
}

TEST_F(ShortcutFixture, MoveBetweenTwoListsAndWithinOne) {
    Fill(left, 3, L"L");
    Fill(right, 2, L"R");
    const auto rowR = RowSpan(right, 1);
    left.dropInto = &right;
    left.dropAt = CPoint(4, rowR.second + 20);
    const CPoint down = IconPoint(left, 1);
    Send(left, WM_LBUTTONDOWN, MK_LBUTTON, down);
    Send(left, WM_MOUSEMOVE, MK_LBUTTON, down + CPoint(0, 12));
    Send(left, WM_LBUTTONUP, 0, down + CPoint(0, 12));
    EXPECT_EQ(1, left.drags);
    EXPECT_EQ((std::vector<std::wstring>{L"L0", L"L2"}), Texts(left));
    EXPECT_EQ((std::vector<std::wstring>{L"R0", L"R1", L"L1"}), Texts(right));
    EXPECT_EQ(-1, left.GetHotItem());

    // Within one list the copy lands before the dragged row: the row deleted afterwards is
    // the dragged one, not the one now at its old index.
    right.dropInto = &right;
    const auto rowTop = RowSpan(right, 0);
    right.dropAt = CPoint(4, rowTop.first + 2);
    const CPoint down2 = IconPoint(right, 2);
    Send(right, WM_LBUTTONDOWN, MK_LBUTTON, down2);
    Send(right, WM_MOUSEMOVE, MK_LBUTTON, down2 + CPoint(-9, 0));
    Send(right, WM_LBUTTONUP, 0, down2 + CPoint(-9, 0));
    EXPECT_EQ((std::vector<std::wstring>{L"L1", L"R0", L"R1"}), Texts(right));

    // A refused drop leaves the row where it was.
    left.dropAt = IconPoint(right, 0);
    const CPoint down3 = IconPoint(left, 0);
    Send(left, WM_LBUTTONDOWN, MK_LBUTTON, down3);
    Send(left, WM_MOUSEMOVE, MK_LBUTTON, down3 + CPoint(7, 7));
    Send(left, WM_LBUTTONUP, 0, down3 + CPoint(7, 7));
    EXPECT_EQ(2, left.drags);
    EXPECT_EQ((std::vector<std::wstring>{L"L0", L"L2"}), Texts(left));
}

TEST_F(ShortcutFixture, MovesWithinFivePixelsStartNoDrag) {
    Fill(left, 2);
    left.dropInto = &right;
    const CPoint down = IconPoint(left, 0);
    const struct {
        CPoint offset;
        int drags;
    } cases[] = {{{5, 0}, 0}, {{-5, 5}, 0}, {{0, -5}, 0}, {{6, 0}, 1}, {{0, -6}, 1}, {{-6, 6}, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.offset.x << "," << c.offset.y);
        left.drags = 0;
        Send(left, WM_LBUTTONDOWN, MK_LBUTTON, down);
        Send(left, WM_MOUSEMOVE, MK_LBUTTON, down + c.offset);
        EXPECT_EQ(c.drags, left.drags);
        Send(left, WM_LBUTTONUP, 0, down + c.offset);
        right.DeleteAllItems();
        left.DeleteAllItems();
        Fill(left, 2);
    }
}
