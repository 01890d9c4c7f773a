// The source window's columns as their text shows them: the line numbers a count gives (and
// the count that gets none, with the user told), and the coverage texts joined from the host's
// answers over whatever the column showed before.
#include "tests/srcwnd/source_docs_fixture.h"

#include "editor/edit_model.h"
#include "host/lib/host_state.h"
#include "ifac/h/srclines.h"
#include "tests/support/dialog_test_support.h"
#include "windows/source/line_ctrl.h"
#include "windows/source/line_wnd.h"
#include "windows/source/src_frames.h"

#include <string>

namespace {

TEST_F(SourceDocs, TheLineNumberColumnNumbersTheCountAndKeepsItsTextPastTheLimit) {
    auto* doc = dynamic_cast<CTarvikDoc*>(s_framed->OpenDocumentFile(FixturePath("sample.c")));
    ASSERT_NE(doc, nullptr);
    Pump();
    CTarvikView* view = doc->GetSourceView();
    ASSERT_NE(view, nullptr);
    CLineWnd* lines = SourceFrameLineNumbers(view->GetParentFrame());
    ASSERT_NE(lines, nullptr);
    ASSERT_NE(lines->LineCtrl(), nullptr);
    SECEditModel& model = *lines->LineCtrl()->GetEditModel();
    const std::wstring ten = L"1\n2\n3\n4\n5\n6\n7\n8\n9\n10";
    const struct {
        int count;
        const wchar_t* text;
    } cases[] = {{16, L"1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16"},
                 {0, L"1"},
                 {1, L"1"},
                 {10, ten.c_str()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        DialogDismisser answer(IDOK);
        EXPECT_TRUE(lines->SetLineCount(c.count));
        EXPECT_EQ(c.text, ModelText(model));
        EXPECT_TRUE(answer.m_titles.empty());
    }
    DialogDismisser answer(IDOK);
    EXPECT_FALSE(lines->SetLineCount(CLineWnd::kMaxNumberedLines));
    ASSERT_EQ(1u, answer.m_titles.size());
    EXPECT_EQ(L"Message", answer.m_titles[0]);
    EXPECT_NE(std::wstring::npos, answer.m_texts[0].find(L"Show file without linenumbers"));
    EXPECT_EQ(ten, ModelText(model)) << "the column keeps its old text";
}

const char* __cdecl MultiLineText(const char* name, int) {
    const std::string n = name ? name : "";
    return n == "first" ? "a<NL>b" : n == "second" ? "c" : "";
}

TEST_F(SourceDocs, TheCoverageColumnShowsTheFirstPartOfEachHostTextInPlaceOfTheOld) {
    HostState::Get().commands.Word(21) = reinterpret_cast<void*>(&MultiLineText);
    CoverageRecord second{nullptr, 1, "second", 0};
    CoverageRecord first{&second, 0, "first", 0};
    for (bool reset : {false, true}) {
        SCOPED_TRACE(reset ? "LoadHostTextReset" : "LoadHostText");
        auto* column = new CLineCov; // its window deletes it
        ASSERT_TRUE(column->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 60, 200),
                                   m_main, 1));
        const auto load = [&] {
            return reset ? column->LoadHostTextReset() : column->LoadHostText();
        };
        SECEditModel& model = *column->GetEditModel();
        column->ReplaceText(L"old", 3, true); // one line: it goes all the same
        column->SetColumnData(&first);
        EXPECT_EQ(1, load());
        EXPECT_EQ(L"a\nc", ModelText(model));
        EXPECT_TRUE(model.IsReadOnly());
        column->SetColumnData(nullptr);
        EXPECT_EQ(0, load()) << "an empty list";
        EXPECT_EQ(L"a\nc", ModelText(model)) << "leaves the text as it was";
        column->DestroyWindow();
    }
}

} // namespace
