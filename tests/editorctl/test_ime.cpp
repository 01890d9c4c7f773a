// The input method's path through the editor, as far as a display without an input method lets
// it run: the composition window placed at the caret in the editor's font, the caret given up
// while composing and taken back after, and composed characters arriving as typing.
#include "editorctl_support.h"

#include "editor/display_info.h"
#include "editor/edit_controller.h"

#include <gtest/gtest.h>

#include <imm.h>

#include <string>

namespace {

using namespace ectest;

std::wstring Lines(int count) {
    std::wstring text;
    for (int i = 0; i < count; ++i)
        text += L"line " + std::to_wstring(i) + L"\n";
    return text;
}

TEST(EditorInputMethod, CompositionAtTheCaretInTheEditorsFont) {
    Editor e;
    e.Load(Lines(200).c_str());
    e.SetCaret(3, 4);
    HIMC context = ::ImmGetContext(e.Window());
    if (context == NULL)
        GTEST_SKIP() << "no input context on this display";
    // The caret scrolled out of sight: composing brings it back first.
    e.Controller().ScrollLines(40, 0);
    ASSERT_EQ(e.Controller().GetFirstVisibleLine(), 40);
    ::SendMessageW(e.Window(), WM_IME_STARTCOMPOSITION, 0, 0);
    EXPECT_FALSE(e.Controller().HasCaret()) << "the composition window stands for the caret";
    EXPECT_LE(e.Controller().GetFirstVisibleLine(), 3);

    COMPOSITIONFORM form = {};
    ASSERT_TRUE(::ImmGetCompositionWindow(context, &form));
    EXPECT_EQ(form.dwStyle, DWORD(CFS_POINT));
    EXPECT_EQ(CPoint(form.ptCurrentPos), e.PointOf(3, 4));
    CRect client;
    ::GetClientRect(e.Window(), &client);
    EXPECT_EQ(CRect(form.rcArea), client);

    LOGFONTW used = {}, editor = {};
    ASSERT_TRUE(::ImmGetCompositionFontW(context, &used));
    ::GetObjectW(e.Controller().GetDisplayInfo()->GetFont(0), sizeof editor, &editor);
    EXPECT_EQ(std::wstring(used.lfFaceName), std::wstring(editor.lfFaceName));
    EXPECT_EQ(used.lfHeight, editor.lfHeight);
    ::ImmReleaseContext(e.Window(), context);

    ::SendMessageW(e.Window(), WM_IME_ENDCOMPOSITION, 0, 0);
    EXPECT_TRUE(e.Controller().HasCaret());
    EXPECT_TRUE(e.Controller().IsCaretShown());
}

TEST(EditorInputMethod, ComposedCharactersArriveAsTyping) {
    Editor e;
    e.Load(L"ab");
    e.SetCaret(0, 1);
    // What an input method hands over when a composition is done: each character as WM_IME_CHAR,
    // which the window's default handling turns into a typed character.
    for (wchar_t ch : std::wstring(L"\x4E2D\x6587"))
        ::PostMessageW(e.Window(), WM_IME_CHAR, ch, 1);
    PumpTranslated();
    EXPECT_EQ(Text(e.Model()), L"a\x4E2D\x6587"
                               L"b");
    EXPECT_EQ(e.Caret(), SECEditPosition(0, 3));
    e.Model().Undo();
    EXPECT_EQ(Text(e.Model()), L"ab") << "one word typed, one step";
}

} // namespace
