// The edit control as a dialog's child: taking a placeholder's place, keys, focus notices; its
// edit-control calls; and the lifetimes of its model and controller.
#include "tests/support/editorwin_support.h"

#include <gtest/gtest.h>

namespace {

using namespace ewtest;
using corvalis::foundation::GetCaptureController;
using corvalis::foundation::SetCaptureController;

// A parent that notes the commands its children send.
class RecordingParent : public CWnd {
public:
    std::vector<std::pair<WPARAM, LPARAM>> commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.emplace_back(wParam, lParam);
        return TRUE;
    }
};

// A control that notes the keys that reach its own handler.
class KeyCtrl : public SECEditCtrl {
public:
    std::vector<UINT> keys;

protected:
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
        keys.push_back(nChar);
        SECEditCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
    }
    DECLARE_MESSAGE_MAP()
};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-local-typedefs"
BEGIN_MESSAGE_MAP(KeyCtrl, SECEditCtrl)
ON_WM_KEYDOWN()
END_MESSAGE_MAP()
#pragma GCC diagnostic pop

struct Dialog {
    RecordingParent parent;
    HWND one = NULL, placeholder = NULL, two = NULL;
    Dialog() {
        parent.CreateEx(WS_EX_CONTROLPARENT, nullptr, L"dialog", WS_POPUP | WS_VISIBLE, 0, 0, 400,
                        200, nullptr, nullptr);
        one = ::CreateWindowExW(0, L"BUTTON", L"one", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10,
                                80, 24, parent.m_hWnd, HMENU(1), nullptr, nullptr);
        placeholder = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 40, 300, 120,
                                        parent.m_hWnd, HMENU(200), nullptr, nullptr);
        two = ::CreateWindowExW(0, L"BUTTON", L"two", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 320, 10,
                                70, 24, parent.m_hWnd, HMENU(2), nullptr, nullptr);
    }
    ~Dialog() { parent.DestroyWindow(); }
    int Children() const {
        int n = 0;
        for (HWND h = ::GetWindow(parent.m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
            ++n;
        return n;
    }
};

TEST(EditorCtrl, TakesThePlaceholdersRectangleIdAndTabPosition) {
    Dialog dialog;
    CRect wanted;
    ::GetWindowRect(dialog.placeholder, &wanted);
    ::MapWindowPoints(nullptr, dialog.parent.m_hWnd, reinterpret_cast<POINT*>(&wanted), 2);
    KeyCtrl control;
    ASSERT_TRUE(control.CreateEditWindow(200, &dialog.parent, WS_EX_CLIENTEDGE));
    const HWND edit = control.m_hWnd;
    EXPECT_FALSE(::IsWindow(dialog.placeholder));
    CRect got;
    ::GetWindowRect(edit, &got);
    ::MapWindowPoints(nullptr, dialog.parent.m_hWnd, reinterpret_cast<POINT*>(&got), 2);
    EXPECT_EQ(got, wanted);
    EXPECT_EQ(::GetDlgCtrlID(edit), 200);
    EXPECT_EQ(::GetDlgItem(dialog.parent.m_hWnd, 200), edit);
    EXPECT_EQ(::GetWindow(dialog.one, GW_HWNDNEXT), edit);
    EXPECT_EQ(::GetWindow(edit, GW_HWNDNEXT), dialog.two);
    EXPECT_TRUE(::GetWindowLongW(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(::GetWindowLongW(edit, GWL_STYLE) & (WS_CHILD | WS_VISIBLE | WS_TABSTOP),
              LONG(WS_CHILD | WS_VISIBLE | WS_TABSTOP));
    EXPECT_TRUE(::GetWindowLongW(edit, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(::GetNextDlgTabItem(dialog.parent.m_hWnd, dialog.one, FALSE), edit);

    // An id the dialog lacks: nothing made, nothing changed.
    KeyCtrl other;
    const int before = dialog.Children();
    EXPECT_FALSE(other.CreateEditWindow(999, &dialog.parent));
    EXPECT_EQ(other.m_hWnd, HWND(NULL));
    EXPECT_EQ(dialog.Children(), before);
    control.DestroyWindow();
}

TEST(EditorCtrl, TabEnterAndEscapeReachTheControlAndEscapeItsParent) {
    Dialog dialog;
    KeyCtrl control;
    ASSERT_TRUE(control.CreateEditWindow(200, &dialog.parent));
    EXPECT_EQ(::SendMessageW(control.m_hWnd, WM_GETDLGCODE, 0, 0), LRESULT(DLGC_WANTALLKEYS));
    ::SetFocus(control.m_hWnd);
    Pump();
    for (UINT key : {UINT(VK_TAB), UINT(VK_RETURN), UINT(VK_ESCAPE)}) {
        MSG msg = {control.m_hWnd, WM_KEYDOWN, key, 1, 0, {0, 0}};
        if (!::IsDialogMessageW(dialog.parent.m_hWnd, &msg))
            ::DispatchMessageW(&msg);
    }
    EXPECT_EQ(control.keys, (std::vector<UINT>{VK_TAB, VK_RETURN, VK_ESCAPE}));
    EXPECT_EQ(::GetFocus(), control.m_hWnd) << "Tab stays in the control";
    MSG posted = {};
    ASSERT_TRUE(::PeekMessageW(&posted, dialog.parent.m_hWnd, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_EQ(posted.wParam, WPARAM(VK_ESCAPE));
    control.DestroyWindow();
}

TEST(EditorCtrl, FocusNoticesCarryTheControlsId) {
    Dialog dialog;
    KeyCtrl control;
    ASSERT_TRUE(control.CreateEditWindow(200, &dialog.parent));
    ::SetFocus(dialog.one);
    dialog.parent.commands.clear();
    ::SetFocus(control.m_hWnd);
    ::SetFocus(dialog.two);
    std::vector<std::pair<WPARAM, LPARAM>> notices;
    for (const auto& c : dialog.parent.commands)
        if (LOWORD(c.first) == 200)
            notices.push_back(c);
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0].first, MAKEWPARAM(200, EN_SETFOCUS));
    EXPECT_EQ(notices[1].first, MAKEWPARAM(200, EN_KILLFOCUS));
    EXPECT_EQ(notices[0].second, LPARAM(control.m_hWnd));
    control.DestroyWindow();
}

std::wstring ManyLines(int count) {
    std::wstring text;
    for (int i = 0; i < count; ++i)
        text += L"line number " + std::to_wstring(i) + (i + 1 < count ? L"\n" : L"");
    return text;
}

TEST(EditorCtrl, EditControlCallsWorkInCharacterOffsets) {
    Host host(300, 150);
    host.Load(L"0123456789");
    SECEditController& c = host.Controller();
    int line = 0, column = 0;

    EXPECT_EQ(c.CharToPosition(-1, &column), 0) << "no selection: the caret line";
    EXPECT_EQ(column, 0);
    c.SetSel(3, 7, FALSE);
    EXPECT_EQ(c.GetSel(), DWORD(MAKELONG(3, 7)));
    EXPECT_EQ(c.CharToPosition(-1, &column), 0);
    EXPECT_EQ(column, 3) << "the selection's start";
    c.SetSel(2, 500, FALSE);
    EXPECT_EQ(c.GetSel(), DWORD(MAKELONG(3, 7))) << "an offset past the end changes nothing";
    EXPECT_EQ(c.CharToPosition(500, nullptr), -1);
    c.SetSel(-1, 0, FALSE);
    EXPECT_FALSE(c.HasSelection());
    int start = 9, end = 9;
    c.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 0);

    // Select all without scrolling.
    host.Load(ManyLines(100).c_str());
    ::SendMessageW(host.Ctrl().m_hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 50), 0);
    const CPoint scrolled = host.Ctrl().GetLogOrigin();
    ASSERT_GT(scrolled.y, 0);
    c.SetSel(0, -1, TRUE);
    EXPECT_EQ(host.Ctrl().GetLogOrigin(), scrolled);
    int sl = 0, sc = 0, el = 0, ec = 0;
    ASSERT_TRUE(c.GetSelectionBounds(sl, sc, el, ec, FALSE));
    EXPECT_EQ(SECEditRange(sl, sc, el, ec), SECEditRange(0, 0, 99, 14));
    EXPECT_EQ(c.GetCaretPosition(), SECEditPosition(0, 0));
    c.SetSel(0, -1, FALSE);
    EXPECT_EQ(host.Ctrl().GetLogOrigin().y, 0) << "allowed to scroll: back at the caret";
    EXPECT_EQ(c.GetFirstVisibleLine(), 0);
    EXPECT_EQ(c.GetLastVisibleLine(), host.Ctrl().GetBounds().Height() / host.LineHeight());
    EXPECT_EQ(c.PositionToChar(-1, 4), 4) << "the caret line";
    EXPECT_EQ(c.CharToPosition(c.PositionToChar(42, 5), &column), 42);
    EXPECT_EQ(column, 5);
    (void)line;
}

TEST(EditorCtrl, OffsetsPastSixteenBitsKeepTheirValue) {
    Host host(300, 150);
    std::wstring text(70000, L'x');
    for (size_t i = 100; i < text.size(); i += 101)
        text[i] = L'\n';
    host.Load(text.c_str());
    SECEditController& c = host.Controller();
    c.SetSel(66000, 66010, FALSE);
    int start = 0, end = 0;
    c.GetSel(start, end);
    EXPECT_EQ(start, 66000);
    EXPECT_EQ(end, 66010);
    EXPECT_EQ(c.GetSel(), DWORD(-1)) << "16-bit words cannot hold them";
    c.SetSel(65000, 65535, FALSE);
    EXPECT_EQ(c.GetSel(), DWORD(MAKELONG(65000, 65535)));
}

TEST(EditorCtrl, CaretMovesLandWhereTheCommandsSay) {
    Host host(300, 100);
    host.Load(L"    x = 1;\nab cd\n\n  last");
    SECEditController& c = host.Controller();
    using M = SECEditController;
    struct Case {
        const char* what;
        SECEditPosition from;
        M::Move move;
        SECEditPosition to;
    } cases[] = {
        {"smart home to the indent", {0, 2}, M::moveHome, {0, 4}},
        {"smart home from the indent", {0, 4}, M::moveHome, {0, 0}},
        {"line end", {1, 1}, M::moveLineEnd, {1, 5}},
        {"right at a line end", {1, 5}, M::moveCharRight, {2, 0}},
        {"left at a line start", {1, 0}, M::moveCharLeft, {0, 10}},
        {"left at the start", {0, 0}, M::moveCharLeft, {0, 0}},
        {"right at the end", {3, 6}, M::moveCharRight, {3, 6}},
        {"word right skips the blank after", {1, 0}, M::moveWordRight, {1, 3}},
        {"word left to the word's start", {1, 5}, M::moveWordLeft, {1, 3}},
        {"word left over a blank", {1, 3}, M::moveWordLeft, {1, 0}},
        {"word left over a line break", {1, 0}, M::moveWordLeft, {0, 9}},
        {"down keeps the column", {0, 4}, M::moveLineDown, {1, 4}},
        {"up at the top", {0, 4}, M::moveLineUp, {0, 4}},
        {"document start", {2, 0}, M::moveDocStart, {0, 0}},
        {"document end", {0, 0}, M::moveDocEnd, {3, 6}},
    };
    for (const Case& k : cases) {
        // Vertical moves go back to the x of the last sideways one: step there sideways.
        c.SetCaretPosition(k.from.m_line, k.from.m_column + 1, FALSE);
        c.MoveCaret(SECEditController::moveCharLeft, FALSE);
        c.SetCaretPosition(k.from.m_line, k.from.m_column, FALSE);
        c.MoveCaret(k.move, FALSE);
        EXPECT_EQ(c.GetCaretPosition(), k.to) << k.what;
    }
    // Extending moves select from the caret.
    c.SetCaretPosition(1, 0, FALSE);
    c.MoveCaret(SECEditController::moveLineEnd, TRUE);
    int sl = 0, sc = 0, el = 0, ec = 0;
    ASSERT_TRUE(c.GetSelectionBounds(sl, sc, el, ec, FALSE));
    EXPECT_EQ(SECEditRange(sl, sc, el, ec), SECEditRange(1, 0, 1, 5));
    EXPECT_TRUE(c.DeleteSelection());
    EXPECT_EQ(host.Model().GetLineTextLength(1), 0);
}

TEST(EditorLifetime, ControlDestroyedOwningItsModel) {
    for (int round = 0; round < 3; ++round) {
        Host host(200, 100);
        host.Load(kFixture);
        EXPECT_TRUE(host.Ctrl().OwnsModel());
    }
}

TEST(EditorLifetime, ReplacingAnOwnedModelThatAnotherWindowShows) {
    Host first(200, 100);
    Host second(200, 100);
    first.Load(kFixture);
    SECEditModel* shared = first.Ctrl().GetEditModel();
    second.Ctrl().SetModel(shared, FALSE);
    second.Repaint();
    EXPECT_EQ(second.Ctrl().GetEditModel(), shared);
    first.Ctrl().SetModel(new SECEditModel, TRUE);
    // The shared model is gone: the other window shows nothing and is not hurt.
    EXPECT_EQ(second.Ctrl().GetModel(), nullptr);
    second.Repaint();
    ::SendMessageW(second.Ctrl().m_hWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    first.Ctrl().GetEditModelOrCreate()->SetText(L"new text");
    first.Repaint();
    EXPECT_EQ(first.Model().GetLineTextLength(0), 8);
}

TEST(EditorLifetime, SettingTheModelShownAgainLeavesItsOwnerAsItWas) {
    Host first(200, 100);
    first.Load(kFixture);
    SECEditModel* own = first.Ctrl().GetEditModel();
    const int lines = own->GetLineCount();
    first.Ctrl().SetModel(own, FALSE);
    EXPECT_TRUE(first.Ctrl().OwnsModel());
    {
        Host second(200, 100);
        second.Ctrl().SetModel(own, FALSE);
        // Were it to own the model now, it would take it along when it goes.
        second.Ctrl().SetModel(own, TRUE);
        EXPECT_FALSE(second.Ctrl().OwnsModel());
        second.Repaint();
    }
    ASSERT_EQ(first.Ctrl().GetEditModel(), own);
    EXPECT_EQ(own->GetLineCount(), lines);
    first.Repaint();
}

TEST(EditorLifetime, AControllerGoneWhileHoldingTheCaptureGetsNoMoreMessages) {
    Host keep(200, 100);
    keep.Load(kFixture);
    {
        Host gone(200, 100);
        gone.Load(kFixture);
        SetCaptureController(&gone.Controller());
        EXPECT_EQ(GetCaptureController(), &gone.Controller());
        EXPECT_EQ(::GetCapture(), gone.Ctrl().m_hWnd);
    }
    EXPECT_EQ(GetCaptureController(), nullptr);
    EXPECT_EQ(::GetCapture(), HWND(NULL));
    // The next mouse message goes to a live window's own controller.
    ::SendMessageW(keep.Ctrl().m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ::SendMessageW(keep.Ctrl().m_hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
    ::SendMessageW(keep.Ctrl().m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SUCCEED();
}

} // namespace
