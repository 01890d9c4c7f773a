// Shared pieces of the editor window tests: a language whose groups each paint their own
// background, a C fixture, a host window with an edit control (read what it painted with the
// window captures).
#pragma once

#include "editor/edit_ctrl.h"
#include "editor/edit_view.h"
#include "framework/afx.h"
#include "tests/support/window_capture.h"

#include <memory>
#include <string>
#include <vector>

namespace ewtest {

// Backgrounds of the test language's groups.
constexpr COLORREF kTextBack = RGB(255, 255, 255);
constexpr COLORREF kSelectionBack = RGB(0, 0, 160);
constexpr COLORREF kKeywordBack = RGB(200, 230, 255);
constexpr COLORREF kCommentBack = RGB(200, 255, 200);
constexpr COLORREF kStringBack = RGB(255, 220, 220);
constexpr COLORREF kHighlightBack = RGB(255, 255, 0);

// The language's name; registered on first use.
const wchar_t* TestLanguage();

// Lines 0..6 of a small C file: keywords, a comment over two lines, a string.
extern const wchar_t* const kFixture;

// Runs what is pending, paint messages included.
void Pump();

// A visible top-level window with an edit control over its client area.
class Host {
public:
    explicit Host(int width = 480, int height = 240, SECEditCtrl* control = nullptr);
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    CWnd& Frame() { return *m_frame; }
    SECEditCtrl& Ctrl() { return *m_ctrl; }
    SECEditController& Controller() { return *m_ctrl->GetEditController(); }
    SECEditModel& Model() { return *m_ctrl->GetEditModel(); }
    // Loads text in the test language and paints.
    void Load(const wchar_t* text);
    int LineHeight() { return m_ctrl->GetLineHeight(); }
    int CharWidth() { return m_ctrl->GetCharWidth(); }
    int TextLeft() { return Controller().GetTextLeft(); }
    // The device point of a text position's top-left corner.
    CPoint PointOf(int line, int column);
    void Repaint();

private:
    std::unique_ptr<CWnd> m_frame;
    std::unique_ptr<SECEditCtrl> m_ctrl;
};

std::string Hex(COLORREF c);

} // namespace ewtest
