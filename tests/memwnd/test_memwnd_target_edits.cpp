// What the host does with the edits the grid hands it: a text that is no value of the unit is
// refused with the host's error and writes nothing, and a good edit is seen by every view.
#include "tests/memwnd/memwnd_fixture.h"

#include "host/lib/target_machine.h"

TEST_F(MemWndTest, AnEditThatIsNoValueOfItsUnitIsRefusedAndWritesNothing) {
    StartMemory();
    HostMemView* view = OpenGrid(MemFormat::byte, 10);
    ASSERT_NE(nullptr, view);
    const uint8_t before = TargetMemory()[0x4000];
    ClearLog();
    Click(view, 0, 0, 0);
    Char(view, L'9'); // a hundreds digit of 9 is past what a byte holds
    const std::vector<std::string> errors = Since("HostError");
    ASSERT_EQ(1u, errors.size());
    EXPECT_NE(std::string::npos, errors[0].find("not a value: 9"));
    EXPECT_EQ(before, TargetMemory()[0x4000]);
}

TEST_F(MemWndTest, AGoodEditIsMarkedInEveryViewThatShowsTheByte) {
    StartMemory();
    HostMemView* first = OpenGrid();
    HostMemView* second = OpenGrid();
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    const uint8_t before = TargetMemory()[0x4000];
    const wchar_t digit = (before >> 4) == 0xA ? L'B' : L'A';
    ClearLog();
    Click(first, 0, 0, 0);
    Char(first, digit);
    EXPECT_TRUE(Since("HostError").empty());
    EXPECT_NE(before, TargetMemory()[0x4000]);
    for (const HostMemView* view : {first, second})
        EXPECT_NE(view->changed.end(),
                  std::find(view->changed.begin(), view->changed.end(), 0x4000u));
}
