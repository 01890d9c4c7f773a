// The real clipboard: what a copy leaves there as another program reads it, text another
// program put there pasted by Ctrl+V, a column block round trip, and malformed clipboard data.
#include "editorctl_support.h"

#include "editor/edit_commands.h"
#include "editor/edit_controller.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ole2.h>

namespace {

using namespace ectest;

class Clipboard : public ::testing::Test {
protected:
    void SetUp() override { ::OleInitialize(nullptr); }
    void TearDown() override {
        ::OleFlushClipboard();
        ::OleUninitialize();
    }

    // What another program reads: the text up to its terminator, and whether the block
    // format is offered.
    static std::wstring Read(bool* column = nullptr) {
        ::OleFlushClipboard();
        std::wstring text;
        if (!::OpenClipboard(nullptr))
            return L"<not opened>";
        if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
            const SIZE_T chars = ::GlobalSize(h) / sizeof(wchar_t);
            const auto* p = static_cast<const wchar_t*>(::GlobalLock(h));
            const wchar_t* end = std::find(p, p + chars, L'\0');
            EXPECT_NE(end, p + chars) << "terminated within the block";
            text.assign(p, end);
            ::GlobalUnlock(h);
        }
        if (column)
            *column = ::IsClipboardFormatAvailable(SECEditController::GetColumnClipFormat());
        ::CloseClipboard();
        return text;
    }

    // Bytes put on the clipboard as another program might, under each format given.
    static void Put(const void* bytes, size_t size, bool withText, bool withColumn) {
        ASSERT_TRUE(::OpenClipboard(nullptr));
        ::EmptyClipboard();
        auto give = [&](UINT format) {
            HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
            if (size)
                std::memcpy(::GlobalLock(h), bytes, size), ::GlobalUnlock(h);
            ::SetClipboardData(format, h);
        };
        if (withText)
            give(CF_UNICODETEXT);
        if (withColumn)
            give(SECEditController::GetColumnClipFormat());
        ::CloseClipboard();
    }
};

TEST_F(Clipboard, CopyWithoutSelectionTakesTheCaretLineWithItsBreak) {
    Editor editor;
    editor.Load(L"one\ntwo\nthree");
    editor.SetCaret(1, 1);
    Key(editor.Window(), 'C', kCtrl);
    bool column = true;
    EXPECT_EQ(Read(&column), L"two\n");
    EXPECT_FALSE(column);
    // Pasting it inserts a whole line.
    editor.SetCaret(0, 0);
    Key(editor.Window(), 'V', kCtrl);
    EXPECT_EQ(Text(editor.Model()), L"two\none\ntwo\nthree");
    EXPECT_EQ(editor.Model().GetUndoCount(), 1);
    // The last line has no break to take.
    editor.SetCaret(3, 0);
    Key(editor.Window(), VK_INSERT, kCtrl);
    EXPECT_EQ(Read(), L"three");
}

TEST_F(Clipboard, TextOfAnotherProgramPastedAndCutBack) {
    Editor editor;
    editor.Load(L"abcdef");
    const wchar_t other[] = L"XY";
    Put(other, sizeof other, true, false);
    editor.Controller().SetSelection(SECEditRange(0, 1, 0, 3), SECEditSelection::modeStream);
    Key(editor.Window(), VK_INSERT, kShift);
    EXPECT_EQ(Text(editor.Model()), L"aXYdef") << "the selection replaced";
    EXPECT_EQ(editor.Model().GetUndoCount(), 1) << "one step";
    editor.Controller().SetSelection(SECEditRange(0, 3, 0, 6), SECEditSelection::modeStream);
    Key(editor.Window(), 'X', kCtrl);
    EXPECT_EQ(Text(editor.Model()), L"aXY");
    EXPECT_EQ(Read(), L"def");
}

TEST_F(Clipboard, AColumnBlockGoesAsABlockAndComesBackAsOne) {
    Editor editor;
    editor.Load(L"abcd\nefgh\nij");
    // Columns 1 to 3 of lines 0 to 2: the short last line gives what it has.
    editor.Controller().SetSelection(SECEditRange(0, 1, 2, 3), SECEditSelection::modeBlock);
    Key(editor.Window(), 'C', kCtrl);
    bool column = false;
    EXPECT_EQ(Read(&column), L"bc\nfg\nj\n");
    EXPECT_TRUE(column) << "marked as a block";
    editor.Controller().ClearSelection(TRUE);
    editor.SetCaret(0, 4);
    Key(editor.Window(), 'V', kCtrl);
    EXPECT_EQ(Text(editor.Model()), L"abcdbc\nefghfg\nij\tj")
        << "the block at column 4 of each line, the short line filled up to it";
    EXPECT_EQ(editor.Model().GetUndoCount(), 1);
    Key(editor.Window(), 'Z', kCtrl);
    EXPECT_EQ(Text(editor.Model()), L"abcd\nefgh\nij");
}

TEST_F(Clipboard, MalformedDataIsReadWithinItsBlock) {
    Editor editor;
    struct Case {
        const char* name;
        std::vector<wchar_t> chars;
        size_t extraBytes;
        bool text, column;
        const wchar_t* expect;
        const wchar_t* alsoFine; // what the platform's own clipboard may make of it
    };
    const Case cases[] = {
        {"no terminator", {L'a', L'b'}, 0, true, false, L"ab|", L"a|"},
        {"a NUL inside", {L'a', L'\0', L'b', L'\0'}, 0, true, false, L"a|", nullptr},
        {"empty", {}, 0, true, false, L"|", nullptr},
        {"odd byte size", {L'a', L'b'}, 1, true, false, L"ab|", nullptr},
        {"the block mark without text", {L'a', L'\0'}, 0, false, true, L"|", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        editor.Load(L"|");
        editor.SetCaret(0, 0);
        std::vector<char> bytes(c.chars.size() * sizeof(wchar_t) + c.extraBytes, 'z');
        if (!c.chars.empty())
            std::memcpy(bytes.data(), c.chars.data(), c.chars.size() * sizeof(wchar_t));
        Put(bytes.data(), bytes.size(), c.text, c.column);
        // GlobalAlloc may round up: what lies past the text's end must not be read as text
        // when the giver left no terminator, so the rounding bytes are NUL here.
        Key(editor.Window(), 'V', kCtrl);
        const std::wstring got = Text(editor.Model());
        const std::wstring head = got.substr(0, got.find(L'|') + 1);
        if (c.alsoFine && head == c.alsoFine)
            continue; // Wine ends an unterminated copy on its last character itself
        EXPECT_EQ(head, std::wstring(c.expect));
        EXPECT_EQ(got.back(), L'|');
    }
}

} // namespace
