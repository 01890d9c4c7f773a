// The main frame's tables of assembler frames (by core id) and of file viewers (by path), and
// the tests that tell a frame's kind.
#include "tests/shell/bound_host.h"

#include "windows/common/asm_frame_table.h"
#include "windows/common/families.h"
#include "windows/common/file_viewer_list.h"

namespace {

// A top-level frame the tables can hold; its window owns it.
CFrameWnd* NewFrame() {
    auto* pFrame = new CFrameWnd;
    EXPECT_TRUE(pFrame->Create(NULL, L"Frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 80)));
    return pFrame;
}

TEST(AsmFrameTable, GrowsPastTheIndexAndForgetsFramesThatAreGone) {
    BindTestHost(HostVersion(3, 13));
    CAsmFrameTable table;
    table.Reset();
    EXPECT_EQ(1, table.GetSize());
    EXPECT_EQ(nullptr, table.GetFrame(0));
    EXPECT_EQ(nullptr, table.GetFrame(1)); // past the end
    CFrameWnd* pFirst = NewFrame();
    CFrameWnd* pSecond = NewFrame();
    ASSERT_TRUE(table.SetMdiFrame(pFirst, 25));
    EXPECT_EQ(35, table.GetSize());
    EXPECT_EQ(pFirst, table.GetFrame(25));
    EXPECT_EQ((intptr_t)pFirst->m_hWnd, table.GetEntry(25)->tag); // no tag: the handle
    // The entry takes the other form with the old tag; the first form is emptied.
    ASSERT_TRUE(table.SetDockedFrame(pSecond, 25, (intptr_t)pFirst->m_hWnd));
    EXPECT_EQ(NULL, table.GetEntry(25)->hMdiFrame);
    EXPECT_EQ(pSecond, table.GetFrame(25));
    EXPECT_EQ(35, table.GetSize());
    // Cleared by the tag it carries, or by the frame it holds.
    const HWND hFirst = pFirst->m_hWnd;
    pFirst->DestroyWindow();
    table.ClearFrame(hFirst);
    EXPECT_EQ(nullptr, table.GetFrame(25));
    ASSERT_TRUE(table.SetMdiFrame(pSecond, 3));
    pSecond->DestroyWindow(); // gone without its entry being cleared
    EXPECT_EQ(nullptr, table.GetFrame(3));
    // A wild core id grows nothing.
    for (int index : {-1, CAsmFrameTable::kMaxIndex + 1, 0x7FFFFFFF})
        EXPECT_FALSE(table.SetMdiFrame(nullptr, index)) << index;
    EXPECT_EQ(35, table.GetSize());
}

TEST(FileViewerList, FindsAViewerByItsExactPathOnly) {
    CFileViewerList list;
    CFrameWnd* pFrame = NewFrame();
    list.Add(L"C:/src/main.c", pFrame->m_hWnd);
    list.Add(L"C:/src/main.c", pFrame->m_hWnd); // once a path
    EXPECT_EQ(1, list.GetCount());
    EXPECT_EQ(pFrame->m_hWnd, list.Find(L"C:/src/main.c"));
    EXPECT_EQ(NULL, list.Find(L"C:/SRC/MAIN.C"));
    EXPECT_EQ(NULL, list.Find(nullptr));
    EXPECT_FALSE(list.Remove(L"C:/src/other.c"));
    pFrame->DestroyWindow();
    EXPECT_EQ(NULL, list.Find(L"C:/src/main.c")); // listed, but gone
    EXPECT_TRUE(list.Remove(L"C:/src/main.c"));
    EXPECT_EQ(0, list.GetCount());
}

TEST(FrameKinds, SourceAndAssemblerFramesInEitherFormAndTheAssemblerCore) {
    CChildFrame source;
    CDocChildFrame dockedSource;
    CAsmFrame assembler;
    CDocAsmFrame dockedAssembler;
    CEvalWnd eval;
    const struct {
        const CWnd* pFrame;
        bool source, assembler;
    } cases[] = {{&source, true, false},    {&dockedSource, true, false},
                 {&assembler, false, true}, {&dockedAssembler, false, true},
                 {&eval, false, false},     {nullptr, false, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.source, IsSourceFrame(c.pFrame));
        EXPECT_EQ(c.assembler, IsAsmFrame(c.pFrame));
    }
    // The MDI form keeps a core only for a host that reports several; the docked form as given.
    BindTestHost(HostVersion(3, 13, 1));
    assembler.SetCoreId(2);
    dockedAssembler.SetCoreId(2);
    EXPECT_EQ(0, AsmFrameCoreId(&assembler));
    EXPECT_EQ(2, AsmFrameCoreId(&dockedAssembler));
    BindTestHost(HostVersion(3, 13, 4));
    assembler.SetCoreId(2);
    EXPECT_EQ(2, AsmFrameCoreId(&assembler));
    EXPECT_EQ(-1, AsmFrameCoreId(&eval));
}

} // namespace
