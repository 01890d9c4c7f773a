// The find and replace dialogs driven from inside their modal loops over a real edit control:
// text typed into the combo box, options clicked, buttons pressed, message boxes answered.
#include "find_support.h"
#include "tests/support/font_dialog_driver.h"

#include "editor/edit_find_dialog.h"
#include "editor/edit_model.h"

#include <gtest/gtest.h>

#include <functional>

using eftest::IsChecked;
using eftest::IsEnabled;
using eftest::SetCheck;
using eftest::TypeInto;

namespace {

struct DialogCase {
    const char* name;
    const wchar_t* text;
    std::vector<int> selectionBefore; // line, column, line, column; one pair: the caret
    bool find;                        // the find form, else the replace form
    std::function<void(HWND)> script; // types and clicks; the dialog is cancelled after
    const wchar_t* textAfter;
    std::vector<int> selectionAfter;
    const wchar_t* message; // the last message shown, or empty
};

void Place(ewtest::Host& host, const std::vector<int>& at) {
    SECEditController& c = host.Controller();
    if (at.size() == 2)
        c.SetCaretPosition(at[0], at[1], FALSE);
    else
        c.SetSelection(SECEditRange(at[0], at[1], at[2], at[3]), SECEditSelection::modeStream);
}

std::function<void(HWND)> Press(const wchar_t* what, std::function<void(HWND)> options,
                                std::vector<int> buttons) {
    return [=](HWND dialog) {
        TypeInto(dialog, IDC_SECEDIT_FINDWHAT, what);
        if (options)
            options(dialog);
        for (int id : buttons)
            if (::IsWindow(dialog))
                ::SendMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    };
}

std::function<void(HWND)> ReplaceWith(const wchar_t* with, std::function<void(HWND)> more) {
    return [=](HWND dialog) {
        TypeInto(dialog, IDC_SECEDIT_REPLACEWITH, with);
        if (more)
            more(dialog);
    };
}

const std::vector<int> kNone{-1, -1, -1, -1};

const DialogCase kCases[] = {
    {"plain",
     L"two one one",
     {0, 0},
     true,
     Press(L"one", nullptr, {IDOK}),
     L"two one one",
     {0, 4, 0, 7},
     L""},
    {"whole word",
     L"ones one",
     {0, 0},
     true,
     Press(L"one", [](HWND d) { SetCheck(d, IDC_SECEDIT_WHOLEWORD, true); }, {IDOK}),
     L"ones one",
     {0, 5, 0, 8},
     L""},
    {"match case",
     L"One one",
     {0, 0},
     true,
     Press(L"one", [](HWND d) { SetCheck(d, IDC_SECEDIT_MATCHCASE, true); }, {IDOK}),
     L"One one",
     {0, 4, 0, 7},
     L""},
    {"no case",
     L"xx One",
     {0, 0},
     true,
     Press(L"one", nullptr, {IDOK}),
     L"xx One",
     {0, 3, 0, 6},
     L""},
    {"regular expression",
     L"a1 b22 b3",
     {0, 0},
     true,
     Press(L"b[0-9]+", [](HWND d) { SetCheck(d, IDC_SECEDIT_REGEXP, true); }, {IDOK}),
     L"a1 b22 b3",
     {0, 3, 0, 6},
     L""},
    {"up",
     L"x one y one z",
     {0, 9},
     true,
     Press(L"one", [](HWND d) { ::SendMessageW(::GetDlgItem(d, IDC_SECEDIT_UP), BM_CLICK, 0, 0); },
           {IDOK}),
     L"x one y one z",
     {0, 2, 0, 5},
     L""},
    {"wraps at the end",
     L"one\nzz",
     {1, 1},
     true,
     Press(L"one", nullptr, {IDOK}),
     L"one\nzz",
     {0, 0, 0, 3},
     L""},
    {"not found",
     L"abc",
     {0, 0, 0, 1},
     true,
     Press(L"zzz", nullptr, {IDOK}),
     L"abc",
     kNone,
     L"Cannot find the string 'zzz'."},
    {"replace finds first, then replaces",
     L"a b a",
     {0, 0},
     false,
     Press(L"a", ReplaceWith(L"XY", nullptr), {IDC_SECEDIT_REPLACE, IDC_SECEDIT_REPLACE}),
     L"XY b a",
     {0, 5, 0, 6},
     L""},
    {"replace all in the file",
     L"a b a\na",
     {0, 2},
     false,
     Press(L"a", ReplaceWith(L"X", nullptr), {IDC_SECEDIT_REPLACEALL}),
     L"X b X\nX",
     kNone,
     L"The document has been searched and 3 replacements were made."},
    {"replace all in a selection",
     L"a\na\na\na\na",
     {1, 0, 3, 1},
     false,
     Press(L"a",
           ReplaceWith(
               L"[a]",
               [](HWND d) { ::SendMessageW(::GetDlgItem(d, IDC_SECEDIT_UP), BM_CLICK, 0, 0); }),
           {IDC_SECEDIT_REPLACEALL}),
     L"a\n[a]\n[a]\n[a]\na",
     kNone,
     L"The selection has been searched and 3 replacements were made."},
    {"replace all with an expression",
     L"k=1 k=22",
     {0, 0},
     false,
     Press(L"k=([0-9]+)", ReplaceWith(L"$1", [](HWND d) { SetCheck(d, IDC_SECEDIT_REGEXP, true); }),
           {IDC_SECEDIT_REPLACEALL}),
     L"1 22",
     kNone,
     L"The document has been searched and 2 replacements were made."},
    {"replace all finds nothing",
     L"abc",
     {0, 0},
     false,
     Press(L"q", ReplaceWith(L"X", nullptr), {IDC_SECEDIT_REPLACEALL}),
     L"abc",
     kNone,
     L"Finished searching for 'q'."},
    {"format characters shown as typed",
     L"abc",
     {0, 0},
     true,
     Press(L"%s%1%n%d", nullptr, {IDOK}),
     L"abc",
     kNone,
     L"Cannot find the string '%s%1%n%d'."},
    {"mark all, format characters",
     L"abc",
     {0, 0},
     true,
     Press(L"%s%1", nullptr, {IDC_SECEDIT_MARKALL}),
     L"abc",
     kNone,
     L"Cannot find the string '%s%1'."},
    {"mistyped expression",
     L"a(b",
     {0, 0},
     true,
     Press(L"[a-", [](HWND d) { SetCheck(d, IDC_SECEDIT_REGEXP, true); }, {IDOK}),
     L"a(b",
     kNone,
     L"'[a-' is not a valid regular expression."},
};

class FindDialogs : public ::testing::TestWithParam<DialogCase> {};

TEST_P(FindDialogs, ActionOnTheView) {
    const DialogCase& c = GetParam();
    eftest::ResetFindState();
    ewtest::Host host;
    host.Load(c.text);
    Place(host, c.selectionBefore);
    eftest::Messages messages;
    const uint64_t undoBefore = host.Model().GetUndoTopSerial();
    {
        ModalDriver driver(c.find ? L"Find" : L"Replace", [&](HWND dialog) {
            c.script(dialog);
            return IDCANCEL;
        });
        host.Controller().ShowFindReplace(c.find);
        EXPECT_TRUE(driver.ran);
    }
    EXPECT_EQ(eftest::AllText(host), c.textAfter);
    EXPECT_EQ(eftest::Selection(host), c.selectionAfter);
    EXPECT_EQ(messages.Last(), c.message);
    EXPECT_EQ(SECEditGetFindReplaceState().m_pDialog, nullptr) << "a modal dialog is forgotten";
    if (std::wstring(c.text) != c.textAfter) {
        // Whatever one action changed, one undo restores exactly.
        host.Model().Undo();
        EXPECT_EQ(eftest::AllText(host), c.text);
    } else {
        EXPECT_EQ(host.Model().GetUndoTopSerial(), undoBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, FindDialogs, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<DialogCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 name += isalnum((unsigned char)*p) ? *p : '_';
                             return name;
                         });

TEST(FindDialogForm, ButtonsFollowTheTextAndRegularExpressionsRunForward) {
    eftest::ResetFindState();
    ewtest::Host host;
    host.Load(L"abc");
    struct Seen {
        bool emptyFind = true, emptyMark = true;
        bool findAfterText = false;
        bool wholeWordChecked = true, wholeWordEnabled = true, upEnabled = true;
        bool downChecked = false, upEnabledAgain = false;
        bool regExpVisible = false;
    } seen;
    {
        ModalDriver driver(L"Find", [&](HWND d) {
            TypeInto(d, IDC_SECEDIT_FINDWHAT, L"");
            seen.emptyFind = IsEnabled(d, IDOK);
            seen.emptyMark = IsEnabled(d, IDC_SECEDIT_MARKALL);
            TypeInto(d, IDC_SECEDIT_FINDWHAT, L"b");
            seen.findAfterText = IsEnabled(d, IDOK) && IsEnabled(d, IDC_SECEDIT_MARKALL);
            seen.regExpVisible = ::IsWindowVisible(::GetDlgItem(d, IDC_SECEDIT_REGEXP)) != FALSE;
            ::SendMessageW(::GetDlgItem(d, IDC_SECEDIT_UP), BM_CLICK, 0, 0);
            SetCheck(d, IDC_SECEDIT_WHOLEWORD, true);
            SetCheck(d, IDC_SECEDIT_REGEXP, true);
            seen.wholeWordChecked = IsChecked(d, IDC_SECEDIT_WHOLEWORD);
            seen.wholeWordEnabled = IsEnabled(d, IDC_SECEDIT_WHOLEWORD);
            seen.upEnabled = IsEnabled(d, IDC_SECEDIT_UP);
            seen.downChecked = IsChecked(d, IDC_SECEDIT_DOWN);
            SetCheck(d, IDC_SECEDIT_REGEXP, false);
            seen.upEnabledAgain =
                IsEnabled(d, IDC_SECEDIT_UP) && IsEnabled(d, IDC_SECEDIT_WHOLEWORD);
            return IDCANCEL;
        });
        host.Controller().ShowFindReplace(TRUE);
    }
    EXPECT_FALSE(seen.emptyFind);
    EXPECT_FALSE(seen.emptyMark);
    EXPECT_TRUE(seen.findAfterText);
    EXPECT_TRUE(seen.regExpVisible);
    EXPECT_FALSE(seen.wholeWordChecked);
    EXPECT_FALSE(seen.wholeWordEnabled);
    EXPECT_FALSE(seen.upEnabled);
    EXPECT_TRUE(seen.downChecked);
    EXPECT_TRUE(seen.upEnabledAgain);
}

TEST(FindDialogForm, ReplaceInSelectionLeavesOnlyReplaceAll) {
    eftest::ResetFindState();
    ewtest::Host host;
    host.Load(L"a\na\na");
    host.Controller().SetSelection(SECEditRange(0, 0, 1, 1), SECEditSelection::modeStream);
    bool findNext = true, replace = true, replaceAll = false, selectionEnabled = false;
    {
        ModalDriver driver(L"Replace", [&](HWND d) {
            TypeInto(d, IDC_SECEDIT_FINDWHAT, L"a");
            selectionEnabled = IsEnabled(d, IDC_SECEDIT_UP);
            ::SendMessageW(::GetDlgItem(d, IDC_SECEDIT_UP), BM_CLICK, 0, 0);
            findNext = IsEnabled(d, IDOK);
            replace = IsEnabled(d, IDC_SECEDIT_REPLACE);
            replaceAll = IsEnabled(d, IDC_SECEDIT_REPLACEALL);
            return IDCANCEL;
        });
        host.Controller().ShowFindReplace(FALSE);
    }
    EXPECT_TRUE(selectionEnabled);
    EXPECT_FALSE(findNext);
    EXPECT_FALSE(replace);
    EXPECT_TRUE(replaceAll);
}

TEST(FindDialogForm, TextTooLongIsRefusedAndNothingReported) {
    eftest::ResetFindState();
    ewtest::Host host;
    const std::wstring longText(129, L'a');
    host.Load((longText + L"\n").c_str());
    host.Controller().SetCaretPosition(1, 0, FALSE);
    eftest::Messages messages;
    {
        ModalDriver driver(L"Find", [&](HWND d) {
            TypeInto(d, IDC_SECEDIT_FINDWHAT, longText.c_str());
            ::SendMessageW(::GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
            return IDCANCEL;
        });
        host.Controller().ShowFindReplace(TRUE);
    }
    EXPECT_FALSE(host.Controller().HasSelection()) << "the search never ran";
    EXPECT_TRUE(SECEditGetFindReplaceState().m_strFind.IsEmpty());
    EXPECT_TRUE(SECEditGetFindReplaceState().m_findHistory.empty());
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find(L"128"), std::wstring::npos) << "the limit is named";
}

TEST(FindDialogForm, HistoryKeepsSixteenNewestFirst) {
    std::vector<CString> findHistory, replaceHistory;
    SECEditFindReplaceDlg dialog(FALSE);
    dialog.SetHistories(&findHistory, &replaceHistory);
    for (int i = 0; i < 17; ++i) {
        CString text;
        text.Format(L"t%d", i);
        dialog.SetFindString(text);
        dialog.SetReplaceString(L"r");
        dialog.SaveHistory();
    }
    ASSERT_EQ(findHistory.size(), 16u);
    EXPECT_EQ(findHistory.front(), CString(L"t16"));
    EXPECT_EQ(findHistory.back(), CString(L"t1")) << "the oldest went";
    EXPECT_EQ(replaceHistory.size(), 1u) << "a repeat is not a second entry";
    dialog.SetFindString(L"t5");
    dialog.SaveHistory();
    EXPECT_EQ(findHistory.size(), 16u);
    EXPECT_EQ(findHistory.front(), CString(L"t5"));
    EXPECT_EQ(std::count(findHistory.begin(), findHistory.end(), CString(L"t5")), 1);
}

TEST(FindDialogForm, HistoryFillsTheListAndTheEmptyBox) {
    eftest::ResetFindState();
    SECEditFindReplaceState& state = SECEditGetFindReplaceState();
    state.m_findHistory = {CString(L"newest"), CString(L"older")};
    ewtest::Host host;
    host.Load(L"   ");
    std::wstring shown;
    LRESULT listed = 0;
    {
        ModalDriver driver(L"Find", [&](HWND d) {
            wchar_t text[64] = L"";
            ::GetDlgItemTextW(d, IDC_SECEDIT_FINDWHAT, text, 64);
            shown = text;
            listed = ::SendDlgItemMessageW(d, IDC_SECEDIT_FINDWHAT, CB_GETCOUNT, 0, 0);
            return IDCANCEL;
        });
        host.Controller().ShowFindReplace(TRUE);
    }
    EXPECT_EQ(shown, L"newest") << "no word at the caret: the last text searched";
    EXPECT_EQ(listed, 2);
}

} // namespace
