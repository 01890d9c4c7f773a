// Driving an edit control as a user does: keys posted with their modifiers and pumped through
// the windows' pre-translation, characters, and mouse messages at text positions.
#pragma once

#include "tests/support/editorwin_support.h"

#include "editor/edit_model.h"

#include <string>

namespace ectest {

enum Mods : unsigned { kNone = 0, kCtrl = 1, kShift = 2, kAlt = 4 };

// Runs what is pending, each message offered to the pre-translation first.
void PumpTranslated();
// One key pressed and released with the modifiers held.
void Key(HWND window, UINT vk, unsigned mods = kNone);
// Characters as WM_CHAR, one message each.
void Type(HWND window, const std::wstring& text);
std::wstring Text(SECEditModel& model);

// An edit control over the test language with its focus, auto-indent on.
class Editor : public ewtest::Host {
public:
    explicit Editor(int width = 480, int height = 240);
    HWND Window() { return Ctrl().m_hWnd; }
    void Load(const wchar_t* text);
    SECEditPosition Caret() { return Controller().GetCaretPosition(); }
    // A click at the position's left edge, as a user puts the caret there.
    void SetCaret(int line, int column);
    // The client point in the middle of the character cell at (line, column).
    CPoint CellPoint(int line, int column);
};

} // namespace ectest
