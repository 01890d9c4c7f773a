#include <gtest/gtest.h>

#include "windows/asm/asm_view_map.h"

// The map names no view for an index outside it, and the cached pair follows the selection.
TEST(AsmViewMap, IndicesOutsideTheTableNameNoView) {
    CAsmViewMap map;
    auto* a = reinterpret_cast<CAsmAddrView*>(0x1000);
    auto* s = reinterpret_cast<CAsmSourceView*>(0x2000);
    map.SetAddrView(2, a);
    map.SetSourceView(2, s);
    EXPECT_EQ(3, map.GetSize());
    for (int index : {-1, -100, 3, 4096, 1 << 30}) {
        EXPECT_EQ(nullptr, map.GetAddrView(index)) << index;
        EXPECT_EQ(nullptr, map.GetSourceView(index)) << index;
    }
    map.SetAddrView(CAsmViewMap::kMaxIndex + 1, a); // a wild core id grows nothing
    EXPECT_EQ(3, map.GetSize());
    map.Select(2);
    EXPECT_EQ(a, map.CurrentAddrView());
    EXPECT_EQ(s, map.CurrentSourceView());
    map.Select(-1);
    EXPECT_EQ(nullptr, map.CurrentSourceView());
    map.Select(2);
    map.Forget(s);
    EXPECT_EQ(nullptr, map.CurrentSourceView());
    EXPECT_EQ(a, map.CurrentAddrView());
}
