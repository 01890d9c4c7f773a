// Escape pressed while a search or a Replace All runs: the search stops, says so, and leaves
// the text, the selection and the undo steps as they were; the Escape closes nothing else.
#include "find_support.h"

#include "editor/edit_find_dialog.h"
#include "editor/edit_model.h"
#include "editor/mvc_interfaces.h"
#include "tests/support/font_dialog_driver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using corvalis::foundation::IMessage;
using corvalis::foundation::IObserver;
using corvalis::foundation::ISubject;

void PressEscape(bool down, bool up) {
    INPUT inputs[2]{};
    int n = 0;
    for (bool release : {false, true}) {
        if (release ? !up : !down)
            continue;
        inputs[n].type = INPUT_KEYBOARD;
        inputs[n].ki.wVk = VK_ESCAPE;
        inputs[n].ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
        ++n;
    }
    ::SendInput(n, inputs, sizeof(INPUT));
}

// Whether an Escape press still waits in this thread's queue.
bool EscapeWaiting() {
    MSG msg;
    return ::PeekMessageW(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE) &&
           msg.wParam == VK_ESCAPE;
}

// Lines of text in which no digit follows a 'q': three of the expression search's windows.
std::wstring LongTextWithoutMatch() {
    std::wstring text;
    for (int i = 0; i < 3000; ++i)
        text += L"the quick brown fox jumps over the lazy dog, again and again\n";
    return text;
}

class FindStop : public ::testing::Test {
protected:
    void SetUp() override {
        eftest::ResetFindState();
        ::SetForegroundWindow(host.Frame().m_hWnd);
        ::SetFocus(host.Ctrl().m_hWnd);
        ewtest::Pump();
    }
    void TearDown() override {
        PressEscape(false, true);
        ewtest::Pump();
    }
    SECEditFindReplaceState& State() { return SECEditGetFindReplaceState(); }
    ewtest::Host host;
    eftest::Messages messages;
};

TEST_F(FindStop, EscapeStopsAnExpressionSearch) {
    const std::wstring text = LongTextWithoutMatch();
    host.Load(text.c_str());
    State().m_bRegExp = TRUE;
    State().m_strFind = L"q[0-9]+";
    host.Controller().SetSelection(SECEditRange(1, 4, 1, 9), SECEditSelection::modeStream);
    // Without Escape the search goes through every window and finds nothing.
    EXPECT_FALSE(host.Controller().Find(&State()));
    EXPECT_EQ(messages.Last(), L"Cannot find the string 'q[0-9]+'.");
    host.Controller().SetSelection(SECEditRange(1, 4, 1, 9), SECEditSelection::modeStream);

    const std::wstring stopped = L"The search for 'q[0-9]+' was stopped. Nothing was changed.";
    PressEscape(true, true);
    EXPECT_FALSE(host.Controller().Find(&State()));
    EXPECT_EQ(messages.Last(), stopped);
    EXPECT_FALSE(EscapeWaiting()) << "the Escape stopped the search and went";
    EXPECT_EQ(eftest::Selection(host), (std::vector<int>{1, 4, 1, 9}));
    EXPECT_EQ(eftest::AllText(host), text);

    // F3 is the same search, and Shift+F3 the one that looks back from the end.
    for (UINT command : {SECEDIT_CMD_FIND_NEXT, SECEDIT_CMD_FIND_PREVIOUS}) {
        host.Controller().SetSelection(SECEditRange(2000, 4, 2000, 9),
                                       SECEditSelection::modeStream);
        messages.texts.clear();
        PressEscape(true, true);
        host.Controller().OnFindNextCommand(command);
        EXPECT_EQ(messages.Last(), stopped);
        EXPECT_EQ(eftest::Selection(host), (std::vector<int>{2000, 4, 2000, 9}));
        EXPECT_FALSE(EscapeWaiting());
    }
}

// Presses Escape (and keeps it down) once the text has seen a number of edits.
class EscapeAfterEdits : public IObserver {
public:
    EscapeAfterEdits(ISubject& subject, int edits) : m_subject(subject), m_left(edits) {
        m_subject.AddObserver(this);
    }
    ~EscapeAfterEdits() { m_subject.RemoveObserver(this); }
    bool QueryGuid(const GUID&, void**) override { return false; }
    int32_t AddRef() override { return 1; }
    int32_t Release() override { return 1; }
    void OnUpdate(ISubject*, IMessage* message) override {
        if (message == nullptr || m_left <= 0 || --m_left > 0)
            return;
        PressEscape(true, false);
        ::Sleep(40); // longer than the search waits between looks at the keyboard
        pressed = true;
    }
    bool pressed = false;

private:
    ISubject& m_subject;
    int m_left;
};

TEST_F(FindStop, EscapeDuringReplaceAllUndoesWhatItReplaced) {
    std::wstring text;
    for (int i = 0; i < 100; ++i)
        text += L"one two one\n";
    host.Load(text.c_str());
    host.Model().ClearUndo();
    host.Controller().SetSelection(SECEditRange(0, 4, 0, 7), SECEditSelection::modeStream);
    const uint64_t undo = host.Model().GetUndoTopSerial();
    State().m_strFind = L"one";
    State().m_strReplace = L"1";
    {
        EscapeAfterEdits escape(host.Model(), 6);
        EXPECT_FALSE(host.Controller().ReplaceAll(&State()));
        ASSERT_TRUE(escape.pressed) << "replacements were under way when Escape came";
    }
    EXPECT_EQ(messages.Last(), L"The search for 'one' was stopped. Nothing was changed.");
    EXPECT_EQ(eftest::AllText(host), text);
    EXPECT_EQ(host.Model().GetUndoTopSerial(), undo) << "no step left to undo";
    EXPECT_EQ(eftest::Selection(host), (std::vector<int>{0, 4, 0, 7})) << "selection kept";
    EXPECT_EQ(host.Controller().GetCaretPosition(), SECEditPosition(0, 7));
    host.Model().Redo();
    EXPECT_EQ(eftest::AllText(host), text) << "the stopped run is not redone either";
    PressEscape(false, true);
    ewtest::Pump();
    // Without Escape the same action runs to its end, in one step.
    messages.texts.clear();
    EXPECT_TRUE(host.Controller().ReplaceAll(&State()));
    EXPECT_EQ(messages.Last(), L"The document has been searched and 200 replacements were made.");
    host.Model().Undo();
    EXPECT_EQ(eftest::AllText(host), text);
}

TEST_F(FindStop, EscapeInTheFindDialogStopsTheSearchNotTheDialog) {
    const std::wstring text = LongTextWithoutMatch();
    host.Load(text.c_str());
    bool openAfter = false, escapeLeft = true;
    {
        ModalDriver driver(L"Find", [&](HWND d) {
            eftest::TypeInto(d, IDC_SECEDIT_FINDWHAT, L"q[0-9]+");
            eftest::SetCheck(d, IDC_SECEDIT_REGEXP, true);
            PressEscape(true, true);
            ::SendMessageW(d, WM_COMMAND, IDOK, 0);
            escapeLeft = EscapeWaiting();
            openAfter = ::IsWindowVisible(d) != FALSE;
            return IDCANCEL;
        });
        host.Controller().ShowFindReplace(TRUE);
        EXPECT_TRUE(driver.ran);
    }
    EXPECT_EQ(messages.Last(), L"The search for 'q[0-9]+' was stopped. Nothing was changed.");
    EXPECT_TRUE(openAfter) << "a stopped search leaves the dialog open";
    EXPECT_FALSE(escapeLeft) << "the Escape does not go on to close the dialog";
}

} // namespace
