// Driving the find and replace dialogs and answering the editor's message boxes.
#pragma once

#include "tests/support/editorwin_support.h"

#include "editor/edit_find_state.h"

#include <string>
#include <vector>

namespace eftest {

// While alive, every framework message box is answered with OK and its text kept.
class Messages {
public:
    Messages();
    ~Messages();
    Messages(const Messages&) = delete;
    Messages& operator=(const Messages&) = delete;
    std::vector<std::wstring> texts;
    std::wstring Last() const { return texts.empty() ? L"" : texts.back(); }
};

// The process's find state back to what a fresh process has.
void ResetFindState();

// Types into a combo box's edit field as a person would (the box reports the change).
void TypeInto(HWND dialog, int id, const wchar_t* text);
void SetCheck(HWND dialog, int id, bool on);
bool IsChecked(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);

// The host's text, whole.
std::wstring AllText(ewtest::Host& host);
// The selection as (line, column, line, column); all -1 without one.
std::vector<int> Selection(ewtest::Host& host);

} // namespace eftest
