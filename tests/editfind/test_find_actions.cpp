// The controller's searches without a dialog: F3 and its forms, Mark All, the refusals, and
// searches that cannot finish.
#include "find_support.h"

#include "editor/edit_model.h"
#include "editor/regexp_bounded.h"

#include <gtest/gtest.h>

namespace {

class FindActions : public ::testing::Test {
protected:
    void SetUp() override { eftest::ResetFindState(); }
    SECEditFindReplaceState& State() { return SECEditGetFindReplaceState(); }
    ewtest::Host host;
    eftest::Messages messages;
};

TEST_F(FindActions, F3WithNothingSearchedTakesTheWordAtTheCaret) {
    host.Load(L"foo bar foo");
    host.Controller().SetCaretPosition(0, 1, FALSE);
    host.Controller().OnFindNextCommand(SECEDIT_CMD_FIND_NEXT);
    EXPECT_EQ(eftest::Selection(host), (std::vector<int>{0, 8, 0, 11}));
    EXPECT_EQ(State().m_strFind, CString(L"foo"));
    // Round the end to the first, then back to where it began: the search has come round.
    host.Controller().OnFindNextCommand(SECEDIT_CMD_FIND_NEXT);
    EXPECT_EQ(eftest::Selection(host), (std::vector<int>{0, 0, 0, 3}));
    EXPECT_TRUE(messages.texts.empty());
    // The only match, found again: the search has come round.
    host.Load(L"one two");
    host.Controller().SetCaretPosition(0, 0, FALSE);
    State().m_strFind = L"one";
    EXPECT_TRUE(host.Controller().Find(&State()));
    EXPECT_FALSE(host.Controller().Find(&State())) << "the same match again";
    EXPECT_EQ(messages.Last(), L"Finished searching for 'one'.");
    EXPECT_EQ(eftest::Selection(host), (std::vector<int>{0, 0, 0, 3})) << "selection kept";
}

TEST_F(FindActions, CtrlF3FormsSearchTheSelectionAndShiftGoesUp) {
    host.Load(L"ab cd ab cd ab");
    State().m_strFind = L"cd";
    host.Controller().SetSelection(SECEditRange(0, 6, 0, 8), SECEditSelection::modeStream);
    host.Controller().OnFindNextCommand(SECEDIT_CMD_FIND_PREVIOUS_SELECTED);
    EXPECT_EQ(State().m_strFind, CString(L"ab"));
    EXPECT_EQ(eftest::Selection(host), (std::vector<int>{0, 0, 0, 2}));
    host.Controller().OnFindNextCommand(SECEDIT_CMD_FIND_PREVIOUS);
    EXPECT_EQ(eftest::Selection(host), (std::vector<int>{0, 12, 0, 14})) << "wrapped upwards";
    host.Controller().OnFindNextCommand(SECEDIT_CMD_FIND_NEXT);
    EXPECT_EQ(eftest::Selection(host), (std::vector<int>{0, 0, 0, 2}));
}

TEST_F(FindActions, CtrlF3WithoutAWordOpensTheFindDialog) {
    host.Load(L"    ");
    host.Controller().SetModalFindDialogs(FALSE);
    host.Controller().OnFindNextCommand(SECEDIT_CMD_FIND_NEXT_SELECTED);
    CDialog* dialog = State().m_pDialog;
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(::IsWindowVisible(dialog->m_hWnd));
    ::SendMessageW(dialog->m_hWnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(State().m_pDialog, nullptr);
    EXPECT_EQ(State().m_pViewport, nullptr);
}

TEST_F(FindActions, MarkAllBookmarksEachMatchedLineOnce) {
    host.Load(L"one one\ntwo\nxone\none");
    State().m_strFind = L"one";
    State().m_bRegExp = TRUE; // never an expression for marks: "one" is taken as typed
    host.Controller().SetCaretPosition(1, 1, FALSE);
    EXPECT_TRUE(host.Controller().MarkAll(&State()));
    SECEditModel& model = host.Model();
    EXPECT_TRUE(model.GetLineFlag(0, 17));
    EXPECT_FALSE(model.GetLineFlag(1, 17));
    EXPECT_TRUE(model.GetLineFlag(2, 17));
    EXPECT_TRUE(model.GetLineFlag(3, 17));
    EXPECT_EQ(model.CountFlaggedLines(17), 3);
    EXPECT_EQ(host.Controller().GetCaretPosition(), SECEditPosition(2, 0)) << "first match";
    // Up, from the last line's end: the first match is on the last line.
    State().m_bSearchDown = FALSE;
    host.Controller().SetCaretPosition(3, 4, FALSE);
    EXPECT_TRUE(host.Controller().MarkAll(&State()));
    EXPECT_EQ(model.CountFlaggedLines(17), 3) << "marks are set, never toggled off";
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(FindActions, ReplaceRefusesReadOnlyAndOverlongLines) {
    const std::wstring line = std::wstring(2040, L'x') + L"a";
    host.Load(line.c_str());
    State().m_strFind = L"a";
    State().m_strReplace = std::wstring(20, L'b').c_str();
    host.Model().SetReadOnly(TRUE);
    EXPECT_FALSE(host.Controller().ReplaceAll(&State()));
    EXPECT_EQ(messages.Last(), L"Text is read-only. Cannot perform replace.");
    EXPECT_FALSE(host.Controller().Replace(&State()));
    EXPECT_EQ(messages.Last(), L"Text is read-only. Cannot perform replace.");
    host.Model().SetReadOnly(FALSE);
    EXPECT_FALSE(host.Controller().Replace(&State()));
    EXPECT_EQ(messages.Last(), L"Cannot replace text. Line would exceed 2048 characters.");
    EXPECT_EQ(eftest::AllText(host), line);
    host.Controller().SetCaretPosition(0, 0, FALSE);
    EXPECT_FALSE(host.Controller().ReplaceAll(&State()));
    EXPECT_EQ(eftest::AllText(host), line);
    // Seven more characters still fit.
    State().m_strReplace = L"bbbbbbbb";
    host.Controller().SetCaretPosition(0, 0, FALSE);
    EXPECT_TRUE(host.Controller().ReplaceAll(&State()));
    EXPECT_EQ(host.Model().GetLineTextLength(0), 2048);
}

// A line of 'a's without an end that the pattern wants: the backtracking has no end worth
// waiting for.
std::wstring Catastrophic(int lines) {
    std::wstring text = L"x\n";
    for (int i = 0; i < lines; ++i)
        text += std::wstring(60, L'a') + L"b\n";
    return text;
}

TEST_F(FindActions, EndlessExpressionIsStoppedAndChangesNothing) {
    const std::wstring text = Catastrophic(400);
    host.Load(text.c_str());
    State().m_bRegExp = TRUE;
    State().m_strFind = L"(a+)+$";
    State().m_strReplace = L"Z";
    host.Controller().SetSelection(SECEditRange(0, 0, 0, 1), SECEditSelection::modeStream);
    const uint64_t undo = host.Model().GetUndoTopSerial();
    const DWORD start = ::GetTickCount();
    EXPECT_FALSE(host.Controller().Find(&State()));
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.Last().find(L"stopped"), std::wstring::npos) << "not \"Cannot find\"";
    EXPECT_EQ(eftest::Selection(host), (std::vector<int>{0, 0, 0, 1}));
    host.Controller().OnFindNextCommand(SECEDIT_CMD_FIND_NEXT);
    EXPECT_NE(messages.Last().find(L"stopped"), std::wstring::npos);
    // One match first, then the search stops: what was replaced is undone.
    State().m_strFind = L"x|(a+)+$";
    host.Controller().SetCaretPosition(0, 0, FALSE);
    EXPECT_FALSE(host.Controller().ReplaceAll(&State()));
    EXPECT_NE(messages.Last().find(L"stopped"), std::wstring::npos);
    EXPECT_EQ(eftest::AllText(host), text);
    EXPECT_LT(::GetTickCount() - start, 20000u);
    EXPECT_EQ(host.Model().GetUndoTopSerial(), undo);
    host.Model().Undo();
    EXPECT_EQ(eftest::AllText(host), text) << "nothing left on the undo stack to undo";
    host.Model().Redo();
    EXPECT_EQ(eftest::AllText(host), text) << "nor on the redo stack to redo";
}

TEST_F(FindActions, OneEngineServesEverySearch) {
    host.Load(L"a1 a2 a3");
    State().m_bRegExp = TRUE;
    State().m_strFind = L"a[0-9]";
    SECEditBoundedRegExp* engine = State().m_pRegExp.get();
    ASSERT_NE(engine, nullptr);
    EXPECT_TRUE(host.Controller().Find(&State()));
    EXPECT_TRUE(host.Controller().Find(&State()));
    EXPECT_EQ(State().m_pRegExp.get(), engine);
    EXPECT_EQ(engine->GetPattern(), CString(L"a[0-9]"));
    EXPECT_EQ(eftest::Selection(host), (std::vector<int>{0, 3, 0, 5}));
}

} // namespace
