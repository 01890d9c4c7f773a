// What edits cost in a large file, counted rather than timed: how many line starts the text
// store has to find again behind the edits while the keys go through the window, the view
// painting after each. An edit that makes something ask for the lines far behind it (the
// widest line measured afresh, a search that moves the text, a walk to the end) costs a
// hundred thousand of them per key here.
#include "editorctl_support.h"

#include "editor/edit_controller.h"
#include "editor/text_store.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace ectest;

constexpr int kLines = 100000;

std::wstring LargeFile() {
    std::wstring text;
    text.reserve(size_t(kLines) * 28);
    for (int i = 0; i < kLines; ++i)
        text += L"int value = count + other;\n";
    return text;
}

TEST(EditCost, KeysInTheMiddleOfALargeFileCostTheLinesAroundThem) {
    Editor editor;
    const std::wstring original = LargeFile();
    editor.Load(original.c_str());
    SECEditController& controller = editor.Controller();
    SECEditModel& model = editor.Model();
    const int middle = kLines / 2;
    controller.SetCaretPosition(middle, 4, FALSE);
    controller.ScrollToCaret();
    PumpTranslated();
    const int lines = model.GetLineCount();
    const SECEditTextStore* store = model.GetStore();
    const int64_t before = store->GetLinesRescanned();
    int keys = 0;
    // Characters, line breaks that split and join lines, and a wider line than any.
    for (int round = 0; round < 20; ++round) {
        Type(editor.Window(), L"abc");
        Key(editor.Window(), VK_RETURN);
        Type(editor.Window(), std::wstring(40, L'w'));
        Key(editor.Window(), VK_HOME);
        Key(editor.Window(), VK_BACK); // joins the line to the one above
        keys += 3 + 1 + 40 + 1 + 1;
    }
    EXPECT_EQ(model.GetLineCount(), lines);
    int undone = 0;
    while (model.GetUndoCount() > 0 && undone < 1000) {
        Key(editor.Window(), 'Z', kCtrl);
        ++undone;
        ++keys;
    }
    EXPECT_EQ(Text(model), original);
    const int64_t rescanned = store->GetLinesRescanned() - before;
    // A screen of lines for each key at the most; every line behind once would be 50,000.
    EXPECT_LT(rescanned, int64_t(keys) * 50) << keys << " keys";
}

} // namespace
