// Memory windows in a debugging session: each stop marks the bytes the program wrote since the
// previous one, and the drop rules' "SHOW MEMORY" moves the window.
#include "tests/memwnd/memwnd_fixture.h"

#include "host/lib/command_line.h"
#include "host/lib/target_program.h"

namespace {

using MemSession = MemWndTest;

TEST_F(MemSession, EachStopMarksTheBytesTheProgramWrote) {
    StartMemory();
    const uint32_t data = SampleProgram::kDataBase;
    HostMemView* view = OpenGrid(MemFormat::byte, 16, data);
    ASSERT_NE(nullptr, view);
    ASSERT_TRUE(RunHostCommandLine("STEP ; STEP ; STEP")); // main's first statement
    EXPECT_TRUE(view->changed.empty()) << "the first stop has nothing to compare with";
    ClearLog();
    // origin.x = 1; origin.y = 2 (total = 0 writes the zero that was there).
    ASSERT_TRUE(RunHostCommandLine("SET BREAKPOINT AT main.c\\@LINE 18 ; GO"));
    EXPECT_EQ((std::vector<uint32_t>{data + 0x10, data + 0x14}), view->changed);
    PumpAll();
    EXPECT_FALSE(Since("Mem.FillWindow").empty()) << "the window was repainted";
    // The next stop marks only what it changed.
    ASSERT_TRUE(RunHostCommandLine("STEP /OVER ; STEP /OVER ; STEP /OVER"));
    EXPECT_EQ(std::vector<uint32_t>{}, view->changed) << "buffer[0] = 0 writes no new byte";
    ASSERT_TRUE(RunHostCommandLine("SET VALUE total=0x0102"));
    EXPECT_EQ((std::vector<uint32_t>{data + 0x18, data + 0x19}), view->changed);

    ASSERT_TRUE(RunHostCommandLine("SHOW MEMORY /WINDOW &total"));
    EXPECT_EQ(data + 0x18, view->top);
    EXPECT_EQ(1u, view->history.size()) << "the window can go back";
    EXPECT_FALSE(RunHostCommandLine("SHOW MEMORY /WINDOW 0x12345"));
    EXPECT_EQ(data + 0x18, view->top);
}

} // namespace
