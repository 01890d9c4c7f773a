// The keyboard through the accelerator table: each row starts from a text, a caret and maybe
// a selection, presses keys, and checks the text, the caret, the selection and the undo steps.
#include "editorctl_support.h"

#include "editor/edit_commands.h"
#include "editor/edit_controller.h"
#include "editor/edit_find_state.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using namespace ectest;

struct Press {
    UINT vk;
    unsigned mods;
};

struct Row {
    const char* name;
    const wchar_t* text;
    SECEditPosition caret;
    std::vector<Press> keys; // pressed before `typed`
    const wchar_t* typed;    // WM_CHAR after the keys
    const wchar_t* expect;
    SECEditPosition caretAfter;
    int undoSteps;                                         // -1: not checked
    SECEditRange selection = SECEditRange(-1, -1, -1, -1); // line -1: none expected
};

const std::vector<Row>& Rows() {
    // One row a case, so that the table reads as a table.
    // clang-format off
    static const std::vector<Row> rows = {
        {"typing ab, blank, cd is three steps", L"", {0, 0}, {}, L"ab cd", L"ab cd", {0, 5}, 3},
        {"a delimiter after a blank joins it", L"", {0, 0}, {}, L"a (b", L"a (b", {0, 4}, 3},
        {"typing after a move starts a step", L"", {0, 0}, {{VK_LEFT, kNone}}, L"", L"", {0, 0}, 0},
        {"smart Home to the indentation", L"    x", {0, 2}, {{VK_HOME, kNone}}, L"", L"    x", {0, 4}, 0},
        {"second Home to column 0", L"    x", {0, 4}, {{VK_HOME, kNone}}, L"", L"    x", {0, 0}, 0},
        {"End", L"abc\nd", {0, 1}, {{VK_END, kNone}}, L"", L"abc\nd", {0, 3}, 0},
        {"Ctrl+End and Ctrl+Home", L"abc\nde", {0, 1}, {{VK_END, kCtrl}}, L"", L"abc\nde", {1, 2}, 0},
        {"Right wraps to the next line", L"ab\nc", {0, 2}, {{VK_RIGHT, kNone}}, L"", L"ab\nc", {1, 0}, 0},
        {"Left wraps to the previous line", L"ab\nc", {1, 0}, {{VK_LEFT, kNone}}, L"", L"ab\nc", {0, 2}, 0},
        {"Down and Up", L"abc\nabc\nabc", {0, 0}, {{VK_RIGHT, kNone}, {VK_RIGHT, kNone}, {VK_DOWN, kNone}, {VK_DOWN, kNone}, {VK_UP, kNone}}, L"", L"abc\nabc\nabc", {1, 2}, 0},
        {"Ctrl+Right skips the blank after a word", L"foo bar", {0, 0}, {{VK_RIGHT, kCtrl}}, L"", L"foo bar", {0, 4}, 0},
        {"Ctrl+Left to the word's start", L"foo bar", {0, 7}, {{VK_LEFT, kCtrl}}, L"", L"foo bar", {0, 4}, 0},
        {"Shift+Right selects", L"abc", {0, 0}, {{VK_RIGHT, kShift}, {VK_RIGHT, kShift}}, L"", L"abc", {0, 2}, 0, SECEditRange(0, 0, 0, 2)},
        {"Ctrl+Shift+End selects to the end", L"ab\ncd", {0, 1}, {{VK_END, kCtrl | kShift}}, L"", L"ab\ncd", {1, 2}, 0, SECEditRange(0, 1, 1, 2)},
        {"Esc clears the selection", L"abc", {0, 0}, {{VK_RIGHT, kShift}, {VK_ESCAPE, kNone}}, L"", L"abc", {0, 1}, 0},
        {"Ctrl+A: anchor at the end, caret at 0", L"abc", {0, 1}, {{'A', kCtrl}}, L"", L"abc", {0, 0}, 0, SECEditRange(0, 0, 0, 3)},
        {"Ctrl+Shift+W selects the word", L"foo bar", {0, 5}, {{'W', kCtrl | kShift}}, L"", L"foo bar", {0, 7}, 0, SECEditRange(0, 4, 0, 7)},
        {"typing replaces the selection in one step", L"abc", {0, 0}, {{VK_RIGHT, kShift}, {VK_RIGHT, kShift}}, L"x", L"xc", {0, 1}, 1},
        {"Enter keeps the indentation", L"  ab", {0, 4}, {{VK_RETURN, kNone}}, L"c", L"  ab\n  c", {1, 3}, 3},
        {"Enter inside a line indents the rest", L"  abcd", {0, 4}, {{VK_RETURN, kNone}}, L"", L"  ab\n  cd", {1, 2}, 1},
        {"Tab inserts a tab", L"ab", {0, 1}, {{VK_TAB, kNone}}, L"", L"a\tb", {0, 2}, 1},
        {"Tab over two lines is one step", L"a\nb", {0, 0}, {{'A', kCtrl}, {VK_TAB, kNone}}, L"", L"\ta\n\tb", {0, 0}, 1, SECEditRange(0, 0, 1, 2)},
        {"back-tab over lines", L"\ta\n    b\n  c", {0, 0}, {{'A', kCtrl}, {VK_TAB, kShift}}, L"", L"a\nb\nc", {0, 0}, 1, SECEditRange(0, 0, 2, 1)},
        {"back-tab to the previous stop", L"abcdef", {0, 6}, {{VK_TAB, kShift}}, L"", L"abcdef", {0, 4}, 0},
        {"Tab in overwrite goes to the next stop", L"abcdefghij", {0, 1}, {{VK_INSERT, kNone}, {VK_TAB, kNone}}, L"", L"abcdefghij", {0, 4}, 0},
        {"overwrite replaces a character", L"abc", {0, 0}, {{VK_INSERT, kNone}}, L"x", L"xbc", {0, 1}, 1},
        {"Backspace at the start does nothing", L"ab", {0, 0}, {{VK_BACK, kNone}}, L"", L"ab", {0, 0}, 0},
        {"Backspace joins lines", L"ab\ncd", {1, 0}, {{VK_BACK, kNone}}, L"", L"abcd", {0, 2}, 1},
        {"Delete a character", L"abc", {0, 1}, {{VK_DELETE, kNone}}, L"", L"ac", {0, 1}, 1},
        {"Delete at a line end takes the break", L"ab\ncd", {0, 2}, {{VK_DELETE, kNone}}, L"", L"abcd", {0, 2}, 1},
        {"Delete at the text's end does nothing", L"ab", {0, 2}, {{VK_DELETE, kNone}}, L"", L"ab", {0, 2}, 0},
        {"Ctrl+Backspace deletes the word before", L"foo bar", {0, 7}, {{VK_BACK, kCtrl}}, L"", L"foo ", {0, 4}, 1},
        {"Ctrl+Delete deletes to the next word", L"foo bar", {0, 0}, {{VK_DELETE, kCtrl}}, L"", L"bar", {0, 0}, 1},
        {"Ctrl+Shift+L deletes the line", L"a\nb\nc", {1, 0}, {{'L', kCtrl | kShift}}, L"", L"a\nc", {1, 0}, 1},
        {"Ctrl+Shift+L on the last line takes the break before it", L"a\nb", {1, 0}, {{'L', kCtrl | kShift}}, L"", L"a", {0, 1}, 1},
        {"Ctrl+Shift+U upper-cases beyond Latin", L"a\x0431z", {0, 0}, {{VK_END, kShift}, {'U', kCtrl | kShift}}, L"", L"A\x0411Z", {0, 3}, 1, SECEditRange(0, 0, 0, 3)},
        {"Ctrl+U lower-cases", L"AB", {0, 0}, {{VK_END, kShift}, {'U', kCtrl}}, L"", L"ab", {0, 2}, 1, SECEditRange(0, 0, 0, 2)},
        {"a run of letters is one step", L"", {0, 0}, {}, L"ab", L"ab", {0, 2}, 1},
        {"F2 with no bookmark stays", L"a\nb\nc", {1, 0}, {{VK_F2, kNone}}, L"", L"a\nb\nc", {1, 0}, 0},
        {"Ctrl+F2 then F2 comes round", L"a\nb\nc", {0, 0}, {{VK_F2, kCtrl}, {VK_DOWN, kNone}, {VK_DOWN, kNone}, {VK_F2, kNone}}, L"", L"a\nb\nc", {0, 0}, 0},
        {"Ctrl+Shift+F2 clears, F2 then stays", L"a\nb\nc", {0, 0}, {{VK_F2, kCtrl}, {VK_F2, kCtrl | kShift}, {VK_DOWN, kNone}, {VK_F2, kNone}}, L"", L"a\nb\nc", {1, 0}, 0},
        {"a control character is ignored", L"", {0, 0}, {}, L"\x01\x1b", L"", {0, 0}, 0},
        {"a surrogate pair is one character", L"", {0, 0}, {}, L"\xD83D\xDE00", L"\xD83D\xDE00", {0, 2}, 1},
    };
    // clang-format on
    return rows;
}

TEST(EditorKeys, TheTable) {
    Editor editor;
    for (const Row& row : Rows()) {
        SCOPED_TRACE(row.name);
        editor.Load(row.text);
        editor.Model().SetOvertype(FALSE);
        editor.SetCaret(row.caret.m_line, row.caret.m_column);
        for (const Press& press : row.keys)
            Key(editor.Window(), press.vk, press.mods);
        Type(editor.Window(), row.typed);
        EXPECT_EQ(Text(editor.Model()), std::wstring(row.expect));
        EXPECT_EQ(editor.Caret().m_line, row.caretAfter.m_line);
        EXPECT_EQ(editor.Caret().m_column, row.caretAfter.m_column);
        if (row.undoSteps >= 0) {
            EXPECT_EQ(editor.Model().GetUndoCount(), row.undoSteps);
        }
        SECEditRange selection;
        const BOOL selected = editor.Controller().GetSelection(selection, FALSE);
        if (row.selection.m_start.m_line < 0) {
            EXPECT_FALSE(selected && editor.Controller().HasSelection());
        } else {
            EXPECT_TRUE(selected);
            EXPECT_TRUE(selection == row.selection);
        }
    }
}

TEST(EditorKeys, UndoRedoFormsAndTheRunForgottenOnUndo) {
    Editor editor;
    editor.Load(L"");
    const HWND w = editor.Window();
    Type(w, L"ab");
    Key(w, 'Z', kCtrl);
    EXPECT_EQ(Text(editor.Model()), L"");
    Key(w, 'Y', kCtrl);
    EXPECT_EQ(Text(editor.Model()), L"ab");
    Key(w, VK_BACK, kAlt);
    EXPECT_EQ(Text(editor.Model()), L"") << "Alt+Backspace undoes";
    Key(w, 'Z', kCtrl | kShift);
    EXPECT_EQ(Text(editor.Model()), L"ab") << "Ctrl+Shift+Z redoes";
    Key(w, VK_BACK, kAlt);
    Key(w, VK_BACK, kAlt | kShift);
    EXPECT_EQ(Text(editor.Model()), L"ab") << "Alt+Shift+Backspace redoes";
    // The redone run is not joined: typing on makes a step of its own.
    editor.SetCaret(0, 2);
    Type(w, L"cd");
    EXPECT_EQ(editor.Model().GetUndoCount(), 2);
    Key(w, 'Z', kCtrl);
    EXPECT_EQ(Text(editor.Model()), L"ab");
    // A new run after an undo, in memory the undone command may have freed, is its own step.
    Type(w, L"xy");
    Key(w, 'Z', kCtrl);
    EXPECT_EQ(Text(editor.Model()), L"ab");
}

TEST(EditorKeys, StatusPositionAndUpdateHandlers) {
    Editor editor;
    editor.Load(L"\tab\ncd");
    editor.SetCaret(0, 2);
    EXPECT_EQ(std::wstring(editor.Controller().FormatCaretStatus()), L"Ln 1, Col 6")
        << "the display column, tabs expanded";
    const HWND w = editor.Window();
    SECEditLangConfig* config = editor.Model().GetLangConfig();
    const BOOL shown = config->GetShowWhitespace();
    Key(w, '8', kCtrl | kShift);
    EXPECT_NE(config->GetShowWhitespace(), shown);
    Key(w, '8', kCtrl | kShift);
    EXPECT_EQ(config->GetShowWhitespace(), shown);
    Key(w, VK_F9, kNone);
    EXPECT_TRUE(editor.Model().GetLineFlag(0, SECEDIT_FLAG_BREAKPOINT));
    ::SendMessageW(w, WM_COMMAND, SECEDIT_ID_TOGGLE_HIGHLIGHT, 0);
    EXPECT_TRUE(editor.Model().GetLineFlag(0, SECEDIT_FLAG_HIGHLIGHT));
    EXPECT_FALSE(
        editor.Model().GetLineFlag(0, SECEDIT_ID_TOGGLE_HIGHLIGHT - SECEDIT_ID_FLAG_TOGGLE))
        << "45270 is the highlight, not flag 20";
}

TEST(EditorKeys, ReadOnlyRefusesEveryTextChange) {
    Editor editor;
    const UINT ids[] = {SECEDIT_ID_DELETE_WORD_BACK,
                        SECEDIT_ID_TAB,
                        SECEDIT_ID_BACKSPACE,
                        SECEDIT_ID_NEWLINE,
                        SECEDIT_ID_DELETE_WORD,
                        SECEDIT_ID_DELETE,
                        SECEDIT_ID_CUT_LINE,
                        SECEDIT_ID_DELETE_LINE,
                        SECEDIT_ID_LOWER_CASE,
                        SECEDIT_ID_UPPER_CASE,
                        SECEDIT_ID_BACK_TAB,
                        SECEDIT_ID_CUT,
                        SECEDIT_ID_PASTE,
                        SECEDIT_ID_UNDO,
                        SECEDIT_ID_REDO};
    for (UINT id : ids) {
        SCOPED_TRACE(id);
        editor.Load(L"\tAb cd\nef");
        editor.Controller().InsertChar(L"x"); // something to undo
        editor.Model().SetReadOnly(TRUE);
        editor.Controller().SetSelection(SECEditRange(0, 1, 1, 1), SECEditSelection::modeStream);
        const std::wstring before = Text(editor.Model());
        ::SendMessageW(editor.Window(), WM_COMMAND, id, 0);
        Type(editor.Window(), L"z");
        EXPECT_EQ(Text(editor.Model()), before);
        editor.Model().SetReadOnly(FALSE);
    }
}

} // namespace

// F3 and Shift+F3 reach the find actions through the accelerators.
TEST(EditorKeys, F3FindsTheSearchedTextBothWays) {
    Editor editor;
    editor.Load(L"ab cd ab cd");
    SECEditFindReplaceState& state = SECEditGetFindReplaceState();
    const CString saved = state.m_strFind;
    const BOOL savedCase = state.m_bMatchCase, savedWord = state.m_bWholeWord,
               savedRegExp = state.m_bRegExp;
    state.m_strFind = L"cd";
    state.m_bMatchCase = state.m_bWholeWord = state.m_bRegExp = FALSE;
    editor.SetCaret(0, 0);
    Key(editor.Window(), VK_F3, kNone);
    SECEditRange selection;
    ASSERT_TRUE(editor.Controller().GetSelection(selection, FALSE));
    EXPECT_TRUE(selection == SECEditRange(0, 3, 0, 5));
    Key(editor.Window(), VK_F3, kNone);
    ASSERT_TRUE(editor.Controller().GetSelection(selection, FALSE));
    EXPECT_TRUE(selection == SECEditRange(0, 9, 0, 11));
    Key(editor.Window(), VK_F3, kShift);
    ASSERT_TRUE(editor.Controller().GetSelection(selection, FALSE));
    EXPECT_TRUE(selection == SECEditRange(0, 3, 0, 5));
    EXPECT_EQ(Text(editor.Model()), L"ab cd ab cd");
    state.m_strFind = saved;
    state.m_bMatchCase = savedCase;
    state.m_bWholeWord = savedWord;
    state.m_bRegExp = savedRegExp;
}
