// Caption geometry and the standard caption controls in real frames: where the caption is,
// which controls show for which styles, and how a row of them is laid out.
#include "test_msgfilter_frame.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

int Metric(int n) {
    return ::GetSystemMetrics(n);
}

struct FrameCloser {
    void operator()(FilterTestFrame* pFrame) const {
        if (FilterTestFrame::s_nAlive > 0 && ::IsWindow(pFrame->m_hWnd))
            pFrame->DestroyWindow();
    }
};
using FramePtr = std::unique_ptr<FilterTestFrame, FrameCloser>;

FramePtr OpenFrame(DWORD dwStyle, DWORD dwExStyle = 0) {
    return FramePtr(FilterTestFrame::Open(dwStyle, dwExStyle));
}

// Sets the style words of a window as they are, without the window acting on them. (Wine keeps
// a WS_MINIMIZE once set: a frame that was given one is not reused.)
void SetStyles(CWnd& wnd, DWORD dwStyle, DWORD dwExStyle) {
    ::SetWindowLongW(wnd.m_hWnd, GWL_STYLE, (LONG)dwStyle);
    ::SetWindowLongW(wnd.m_hWnd, GWL_EXSTYLE, (LONG)dwExStyle);
}

} // namespace

TEST(CaptionGeometry, CaptionRectFollowsTheFrameKind) {
    struct Case {
        DWORD dwStyle, dwExStyle;
        int nBorderX, nBorderY, nCaption; // metrics; 0: no caption
    };
    const Case cases[] = {
        {WS_OVERLAPPEDWINDOW, 0, SM_CXFRAME, SM_CYFRAME, SM_CYCAPTION},
        {WS_OVERLAPPEDWINDOW | WS_MINIMIZE, 0, SM_CXDLGFRAME, SM_CYDLGFRAME, SM_CYCAPTION},
        {WS_CAPTION | WS_SYSMENU, 0, SM_CXDLGFRAME, SM_CYDLGFRAME, SM_CYCAPTION},
        {WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_TOOLWINDOW, SM_CXFRAME, SM_CYFRAME,
         SM_CYSMCAPTION},
        {WS_POPUP | WS_BORDER, 0, 0, 0, 0},
        {WS_POPUP | WS_DLGFRAME, WS_EX_DLGMODALFRAME, 0, 0, 0},
    };
    const int nWidth = 300;
    for (const Case& c : cases) {
        const CRect rect = SECCaptionMsgFilter::CaptionRectFor(c.dwStyle, c.dwExStyle, nWidth);
        if (c.nCaption == 0) {
            EXPECT_TRUE(rect.IsRectEmpty()) << std::hex << c.dwStyle;
            continue;
        }
        const CRect expected(Metric(c.nBorderX), Metric(c.nBorderY), nWidth - Metric(c.nBorderX),
                             Metric(c.nBorderY) + Metric(c.nCaption) - Metric(SM_CYBORDER));
        EXPECT_EQ(rect, expected) << std::hex << c.dwStyle;
    }

    // A real frame: its own styles and width.
    FramePtr pFrame = OpenFrame(WS_OVERLAPPEDWINDOW);
    ASSERT_TRUE(pFrame);
    SECCaptionMsgFilter caption;
    caption.SetOwner(pFrame.get());
    CRect rect, rectWindow;
    caption.GetCaptionRect(rect);
    pFrame->GetWindowRect(&rectWindow);
    EXPECT_EQ(rect, SECCaptionMsgFilter::CaptionRectFor(pFrame->GetStyle(), pFrame->GetExStyle(),
                                                        rectWindow.Width()));
    EXPECT_EQ(rect.right, rectWindow.Width() - Metric(SM_CXFRAME));
    SECCaptionMsgFilter orphan;
    orphan.GetCaptionRect(rect);
    EXPECT_TRUE(rect.IsRectEmpty());
}

TEST(CaptionGeometry, ButtonSizesAndFirstPositions) {
    FramePtr pFrame = OpenFrame(WS_OVERLAPPEDWINDOW);
    FramePtr pTool = OpenFrame(WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW);
    ASSERT_TRUE(pFrame && pTool);
    SECCaptionMsgFilter caption;
    SECCapConLstMDIMaxChildMsgFilter maxChild;
    CSize size;
    const CRect rectCaption(4, 4, 300, 24);
    CPoint point;

    caption.SetOwner(pFrame.get());
    caption.GetCaptionButtonSize(size);
    EXPECT_EQ(size, CSize(Metric(SM_CXSIZE) - 2, Metric(SM_CYSIZE) - 4));
    caption.GetFirstButtonPos(point, rectCaption, size);
    EXPECT_EQ(point, CPoint(300 - size.cx - 2, 6));

    caption.SetOwner(pTool.get());
    caption.GetCaptionButtonSize(size);
    EXPECT_EQ(size, CSize(Metric(SM_CXSMSIZE) - 2, Metric(SM_CYSMSIZE) - 4));

    maxChild.SetOwner(pFrame.get());
    maxChild.GetCaptionButtonSize(size);
    EXPECT_EQ(size, CSize(Metric(SM_CXMENUSIZE) - 2, Metric(SM_CYMENUSIZE) - 4));
    maxChild.GetFirstButtonPos(point, rectCaption, size);
    EXPECT_EQ(point, CPoint(300 - size.cx - 2, 6 + Metric(SM_CYCAPTION)));
}

// For each style: the answer of the close, minimise, maximise, restore and help controls,
// 'S' shown, 'D' shown disabled, '-' not shown.
TEST(CaptionControls, WhichStandardControlsShow) {
    struct Case {
        DWORD dwStyle, dwExStyle;
        const char* expected;
    };
    const DWORD caption = WS_CAPTION | WS_SYSMENU;
    const Case cases[] = {
        {WS_OVERLAPPEDWINDOW, 0, "SSS--"},
        {caption | WS_MINIMIZEBOX, 0, "SSD--"},
        {caption | WS_MAXIMIZEBOX | WS_MAXIMIZE, 0, "SD-S-"},
        {WS_OVERLAPPEDWINDOW | WS_MINIMIZE, 0, "S-SS-"},
        {caption | WS_MAXIMIZEBOX | WS_MINIMIZE, 0, "S-SD-"},
        {caption, WS_EX_CONTEXTHELP, "S---S"},
        {caption | WS_MINIMIZEBOX, WS_EX_CONTEXTHELP, "SSD--"},
        {WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW, "S----"},
        {WS_CAPTION | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, WS_EX_CONTEXTHELP, "-----"},
    };
    SECCaptionControlMsgFilter controls[5];
    for (int i = 0; i < 5; ++i)
        controls[i].SetID(i);
    for (const Case& c : cases) {
        FramePtr pFrame = OpenFrame(WS_OVERLAPPEDWINDOW);
        ASSERT_TRUE(pFrame);
        SetStyles(*pFrame, c.dwStyle, c.dwExStyle);
        for (auto& control : controls)
            control.SetOwner(pFrame.get());
        std::string answers;
        for (auto& control : controls) {
            BOOL bDisabled = TRUE;
            const BOOL bShown = control.IsShown(bDisabled);
            answers += !bShown ? '-' : bDisabled ? 'D' : 'S';
        }
        EXPECT_EQ(answers, c.expected) << std::hex << c.dwStyle << " " << c.dwExStyle;
    }

    // Close greyed in the system menu: shown, disabled. Other ids are not standard controls.
    FramePtr pFrame = OpenFrame(WS_OVERLAPPEDWINDOW);
    ASSERT_TRUE(pFrame);
    controls[0].SetOwner(pFrame.get());
    ::EnableMenuItem(::GetSystemMenu(pFrame->m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    BOOL bDisabled = FALSE;
    EXPECT_TRUE(controls[0].IsShown(bDisabled));
    EXPECT_TRUE(bDisabled);
    SECCaptionControlMsgFilter other;
    other.SetID(258);
    other.SetOwner(pFrame.get());
    EXPECT_FALSE(other.IsShown(bDisabled));
    EXPECT_EQ(other.GetKind(), 258);
    other.SetID(4096);
    EXPECT_EQ(other.GetKind(), -1);
}

namespace {

struct CaptionRow : testing::Test {
    // A frame with the five standard controls in the order close, restore, maximise, minimise,
    // help, laid out for the styles given.
    void Open(DWORD dwStyle) {
        pFrame = OpenFrame(WS_OVERLAPPEDWINDOW);
        ASSERT_TRUE(pFrame);
        SetStyles(*pFrame, dwStyle, 0);
        pList = AddCaptionControls(
            *pFrame, {C::kindClose, C::kindRestore, C::kindMaximize, C::kindMinimize, C::kindHelp},
            RUNTIME_CLASS(SECCaptionControlMsgFilter));
        CRect rectWindow;
        pFrame->GetWindowRect(&rectWindow);
        rectCaption = SECCaptionMsgFilter::CaptionRectFor(dwStyle, 0, rectWindow.Width());
        first = rectCaption.right - size.cx - 2;
    }
    // x < 0: not shown.
    void ExpectAt(int nKind, int x) {
        const CRect rect = ControlOf(pList, nKind)->GetControlRect();
        if (x < 0)
            EXPECT_TRUE(rect.IsRectEmpty()) << nKind;
        else
            EXPECT_EQ(rect, CRect(CPoint(x, rectCaption.top + 2), size)) << nKind;
    }
    using C = SECCaptionControlMsgFilter;
    const CSize size{Metric(SM_CXSIZE) - 2, Metric(SM_CYSIZE) - 4};
    FramePtr pFrame;
    SECCaptionControlListMsgFilter* pList = nullptr;
    CRect rectCaption;
    int first = 0;
};

} // namespace

TEST_F(CaptionRow, LaidOutFromTheRightWithGapsAfterCloseAndMinimise) {
    Open(WS_OVERLAPPEDWINDOW);
    ExpectAt(C::kindClose, first);
    ExpectAt(C::kindRestore, -1);
    ExpectAt(C::kindMaximize, first - size.cx - 2);
    ExpectAt(C::kindMinimize, first - 2 * size.cx - 2);
    ExpectAt(C::kindHelp, -1);
}

TEST_F(CaptionRow, MinimisedRestoreTakesTheMaximisePlaceAndKeepsAGap) {
    Open(WS_OVERLAPPEDWINDOW | WS_MINIMIZE);
    ExpectAt(C::kindClose, first);
    ExpectAt(C::kindRestore, first - size.cx - 2);
    ExpectAt(C::kindMaximize, first - 2 * size.cx - 4);
    ExpectAt(C::kindMinimize, -1);
}

TEST_F(CaptionRow, DisabledControlsKeepTheirPlaceSwitchedOffOnesLeaveIt) {
    Open(WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX);
    ExpectAt(C::kindMaximize, first - size.cx - 2);
    EXPECT_TRUE(ControlOf(pList, C::kindMaximize)->IsDisabled());
    EXPECT_FALSE(ControlOf(pList, C::kindMinimize)->IsDisabled());
    ControlOf(pList, C::kindMaximize)->Enable(FALSE);
    pList->LayoutControls();
    ExpectAt(C::kindMaximize, -1);
    ExpectAt(C::kindMinimize, first - size.cx - 2);

    // The box comes back: the disabled look goes. A switched-off list lays nothing out.
    SetStyles(*pFrame, WS_OVERLAPPEDWINDOW, 0);
    ControlOf(pList, C::kindMaximize)->Enable(TRUE);
    pList->LayoutControls();
    EXPECT_FALSE(ControlOf(pList, C::kindMaximize)->IsDisabled());
    pList->Enable(FALSE);
    SetStyles(*pFrame, WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX, 0);
    pList->LayoutControls();
    EXPECT_FALSE(ControlOf(pList, C::kindMaximize)->IsDisabled());
}

TEST(CaptionControls, StandardControlsAskForTheirSystemCommand) {
    CWnd owner;
    const WPARAM commands[] = {SC_CLOSE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_CONTEXTHELP};
    SECCaptionControlMsgFilter control;
    control.SetOwner(&owner);
    for (int nKind = 0; nKind < 5; ++nKind) {
        control.SetID(nKind);
        CWnd* pWnd = NULL;
        UINT nMessage = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
        ASSERT_TRUE(control.GetSysCommand(MK_SHIFT, 30, -4, pWnd, nMessage, wParam, lParam));
        EXPECT_EQ(pWnd, &owner);
        EXPECT_EQ(nMessage, UINT(WM_SYSCOMMAND));
        EXPECT_EQ(wParam, commands[nKind]);
        EXPECT_EQ(lParam, MAKELPARAM(30, -4));
        // A mouse button still down: no command.
        for (UINT nButton : {MK_LBUTTON, MK_RBUTTON, MK_MBUTTON})
            EXPECT_FALSE(control.GetSysCommand(nButton, 30, -4, pWnd, nMessage, wParam, lParam));
    }
    for (int nID : {5, 258, 4096}) {
        control.SetID(nID);
        CWnd* pWnd = NULL;
        UINT nMessage = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
        EXPECT_FALSE(control.GetSysCommand(0, 0, 0, pWnd, nMessage, wParam, lParam)) << nID;
    }
}
