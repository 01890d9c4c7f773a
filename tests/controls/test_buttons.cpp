// Owner-drawn buttons: the frame's face rectangle in every look, the plain look's lines, the
// flat look under the mouse, the dialog codes, the bitmap layout and the menu button's drop.
#include "controls_test_support.h"
#include "tests/support/drawing_test_support.h"
#include "toolbars/drawing/themeapi.h"

#include <gtest/gtest.h>

namespace {

class FrameButton : public SECOwnerDrawButton {
public:
    using SECOwnerDrawButton::m_bHot;
};

// Puts the theme entries back whatever a test did.
struct RebindAtEnd {
    ~RebindAtEnd() { InitThemeApi(); }
};

CRect FaceOf(FrameButton& button, Canvas& canvas, UINT state) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.itemState = state;
    dis.hDC = canvas.dc.GetSafeHdc();
    dis.rcItem = CRect(0, 0, canvas.cx, canvas.cy);
    CRect face;
    button.DrawFrame(face, &canvas.dc, &dis);
    return face;
}

COLORREF PixelAt(const Canvas& canvas, int x, int y) {
    return canvas.Pixels()[y * canvas.cx + x];
}

} // namespace

TEST(OwnerDrawFrame, FaceRectangleInEveryLook) {
    RebindAtEnd rebind;
    struct Case {
        bool pressed, themed, flat, focus;
        CRect face;
    } cases[] = {
        {false, false, false, false, {2, 2, 37, 17}}, {false, false, false, true, {3, 3, 36, 16}},
        {false, false, true, false, {0, 0, 40, 20}},  {false, false, true, true, {0, 0, 40, 20}},
        {true, false, false, false, {3, 3, 38, 18}},  {true, false, false, true, {4, 4, 37, 17}},
        {true, false, true, false, {3, 3, 38, 18}},   {true, false, true, true, {3, 3, 38, 18}},
        {false, true, false, false, {2, 2, 38, 18}},  {false, true, false, true, {4, 4, 36, 16}},
        {false, true, true, false, {2, 2, 38, 18}},   {false, true, true, true, {2, 2, 38, 18}},
        {true, true, false, false, {2, 2, 38, 18}},   {true, true, false, true, {4, 4, 36, 16}},
        {true, true, true, false, {2, 2, 38, 18}},    {true, true, true, true, {2, 2, 38, 18}},
    };
    for (const Case& c : cases) {
        if (c.themed)
            InitThemeApi();
        else
            FreeThemeApi();
        ASSERT_EQ(IsThemed() != FALSE, c.themed) << "the test prefix must run a visual theme";
        FrameButton button;
        button.SetFlat(c.flat);
        Canvas canvas(40, 20, RGB(1, 2, 3));
        const UINT state = (c.pressed ? ODS_SELECTED : 0) | (c.focus ? ODS_FOCUS : 0);
        EXPECT_EQ(FaceOf(button, canvas, state), c.face)
            << "pressed " << c.pressed << " themed " << c.themed << " flat " << c.flat << " focus "
            << c.focus;
    }
}

TEST(OwnerDrawFrame, PlainLookDrawsItsLinesAndThemedDiffersFromAFill) {
    RebindAtEnd rebind;
    FreeThemeApi();
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE), hi = ::GetSysColor(COLOR_BTNHIGHLIGHT),
                   shadow = ::GetSysColor(COLOR_BTNSHADOW),
                   frame = ::GetSysColor(COLOR_WINDOWFRAME);
    FrameButton button;
    Canvas released(40, 20, RGB(1, 2, 3));
    FaceOf(button, released, 0);
    EXPECT_EQ(PixelAt(released, 0, 0), hi);
    EXPECT_EQ(PixelAt(released, 20, 0), hi);
    EXPECT_EQ(PixelAt(released, 39, 10), frame);
    EXPECT_EQ(PixelAt(released, 20, 19), frame);
    EXPECT_EQ(PixelAt(released, 38, 10), shadow);
    EXPECT_EQ(PixelAt(released, 20, 18), shadow);
    EXPECT_EQ(PixelAt(released, 1, 5), face);

    Canvas pressed(40, 20, RGB(1, 2, 3));
    FaceOf(button, pressed, ODS_SELECTED);
    EXPECT_EQ(PixelAt(pressed, 0, 0), frame);
    EXPECT_EQ(PixelAt(pressed, 39, 10), hi);
    EXPECT_EQ(PixelAt(pressed, 1, 5), shadow);
    EXPECT_EQ(PixelAt(pressed, 38, 10), face);

    // Flat and not hot: no frame at all.
    FrameButton flat;
    flat.SetFlat(TRUE);
    Canvas plain(40, 20, RGB(1, 2, 3));
    FaceOf(flat, plain, 0);
    for (COLORREF c : plain.Pixels())
        ASSERT_EQ(c, face);

    InitThemeApi();
    ASSERT_TRUE(IsThemed());
    Canvas themed(40, 20, RGB(1, 2, 3));
    FaceOf(button, themed, 0);
    int nOther = 0;
    for (COLORREF c : themed.Pixels())
        nOther += c != face;
    EXPECT_GT(nOther, 40);
}

TEST(OwnerDrawButton, DisabledFaceIsEmbossed) {
    RebindAtEnd rebind;
    FreeThemeApi();
    ControlsDialog dlg;
    ASSERT_TRUE(dlg.Open());
    dlg.m_wellButton2.SetColor(RGB(255, 0, 0));
    dlg.m_wellButton2.EnableWindow(FALSE);
    dlg.m_wellButton2.UpdateWindow();
    CRect client;
    dlg.m_wellButton2.GetClientRect(&client);
    CClientDC dc(&dlg.m_wellButton2);
    // The swatch is gone; the arrow is drawn in the shadow colour with a highlight beside it.
    int nRed = 0, nShadow = 0, nHighlight = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) {
            const COLORREF c = dc.GetPixel(x, y);
            nRed += c == RGB(255, 0, 0);
            nShadow += c == ::GetSysColor(COLOR_BTNSHADOW);
            nHighlight += c == ::GetSysColor(COLOR_BTNHIGHLIGHT);
        }
    EXPECT_EQ(nRed, 0);
    EXPECT_GT(nShadow, 0);
    EXPECT_GT(nHighlight, 0);
}

TEST(OwnerDrawButton, FlatButtonShowsAFrameOnlyUnderTheMouse) {
    RebindAtEnd rebind;
    FreeThemeApi();
    ControlsDialog dlg;
    ASSERT_TRUE(dlg.Open());
    MoveMouseTo(POINT{2, 2});
    dlg.m_wellFlat.RedrawWindow();
    CClientDC dc(&dlg.m_wellFlat);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(dc.GetPixel(0, 0), face);
    EXPECT_FALSE(dlg.m_wellFlat.IsHot());

    MoveMouseTo(CentreOf(dlg.m_wellFlat.m_hWnd));
    EXPECT_TRUE(PumpUntil([&] { return dlg.m_wellFlat.IsHot() != FALSE; }));
    EXPECT_EQ(::GetCapture(), dlg.m_wellFlat.m_hWnd);
    EXPECT_EQ(dc.GetPixel(0, 0), ::GetSysColor(COLOR_BTNHIGHLIGHT));

    MoveMouseTo(POINT{2, 2});
    EXPECT_TRUE(PumpUntil([&] { return !dlg.m_wellFlat.IsHot(); }));
    EXPECT_NE(::GetCapture(), dlg.m_wellFlat.m_hWnd);
    EXPECT_EQ(dc.GetPixel(0, 0), face);
}

TEST(OwnerDrawButton, AnswersAsDefaultButtonOnlyWithItsFlagAndTheFocus) {
    ControlsDialog dlg;
    ASSERT_TRUE(dlg.Open());
    SECWellButton button;
    ASSERT_TRUE(button.CreateButton(L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 20), &dlg, 1200,
                                    ODB_DEFAULTWHENFOCUSED));
    EXPECT_EQ(button.SendMessage(WM_GETDLGCODE), LRESULT(DLGC_BUTTON));
    button.SetFocus();
    EXPECT_EQ(button.SendMessage(WM_GETDLGCODE), LRESULT(DLGC_BUTTON | DLGC_DEFPUSHBUTTON));
    dlg.m_wellButton.SetFocus();
    EXPECT_EQ(dlg.m_wellButton.SendMessage(WM_GETDLGCODE), LRESULT(DLGC_BUTTON));
    // A style change keeps the button owner-drawn.
    button.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, DWORD(BS_OWNERDRAW));
}

TEST(BitmapButton, LayoutForEachPosition) {
    ControlsDialog dlg;
    ASSERT_TRUE(dlg.Open());
    for (int pos = 0; pos <= 4; ++pos) {
        SECBitmapButton& button = dlg.m_bitmapButtons[pos];
        CRect area;
        button.GetClientRect(&area);
        area.right -= 3;
        area.bottom -= 3;
        const int midX = (area.Width() - 16) / 2, midY = (area.Height() - 15) / 2;
        struct Expected {
            CRect bitmap, text;
        } expected[] = {
            {{5, midY, 21, midY + 15}, {22, 0, area.right, area.bottom}},
            {{area.right - 21, midY, area.right - 5, midY + 15},
             {0, 0, area.right - 22, area.bottom}},
            {{midX, 5, midX + 16, 20}, {0, 21, area.right, area.bottom}},
            {{midX, area.bottom - 20, midX + 16, area.bottom - 5},
             {0, 0, area.right, area.bottom - 21}},
            {{midX, midY, midX + 16, midY + 15}, {0, 0, 0, 0}},
        };
        EXPECT_EQ(button.GetBitmapRect(), expected[pos].bitmap) << "position " << pos;
        EXPECT_EQ(button.GetTextRect(), expected[pos].text) << "position " << pos;
    }
    // Centred without text: bitmap and spacing only.
    dlg.m_bitmapButtons[4].SizeToContent();
    CRect window;
    dlg.m_bitmapButtons[4].GetWindowRect(&window);
    EXPECT_EQ(window.Size(), CSize(16 + 10 + 3, 15 + 5 + 10 + 3));
    // A bitmap that cannot be loaded leaves the old one.
    EXPECT_FALSE(dlg.m_bitmapButtons[0].SetBitmap(9999));
    EXPECT_EQ(dlg.m_bitmapButtons[0].GetBitmapRect().Width(), 16);
}

namespace {
struct MenuProbe {
    static MenuProbe* active;
    CRect menu;
    int nTicks = 0;
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
        if (active == nullptr || ++active->nTicks > 40) {
            // Never leave a menu up: the test fails on its missing command instead.
            ::KillTimer(NULL, id);
            ::EndMenu();
            return;
        }
        HWND hMenu = NULL;
        do
            hMenu = ::FindWindowExW(NULL, hMenu, L"#32768", NULL);
        while (hMenu != NULL && !::IsWindowVisible(hMenu));
        if (hMenu == NULL)
            return;
        ::KillTimer(NULL, id);
        ::GetWindowRect(hMenu, &active->menu);
        // Choose the first item as the keyboard would.
        ::PostMessageW(hMenu, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageW(hMenu, WM_KEYDOWN, VK_RETURN, 0);
    }
};
MenuProbe* MenuProbe::active = nullptr;
} // namespace

TEST(MenuButton, DropsAtItsCornerAndSendsTheChosenCommand) {
    ControlsDialog dlg;
    ASSERT_TRUE(dlg.Open());
    for (BOOL bRight : {FALSE, TRUE}) {
        dlg.m_menuButton.SetDirection(bRight);
        MenuProbe probe;
        MenuProbe::active = &probe;
        ::SetTimer(NULL, 0, 50, &MenuProbe::OnTimer);
        dlg.m_commands.clear();
        MoveMouseTo(POINT{2, 2});
        ClickAt(CentreOf(dlg.m_menuButton.m_hWnd));
        PumpUntil([&] { return !dlg.m_commands.empty(); }, 3000);
        MenuProbe::active = nullptr;
        CRect button;
        dlg.m_menuButton.GetWindowRect(&button);
        const CPoint corner =
            bRight ? CPoint(button.right, button.top) : CPoint(button.left, button.bottom);
        EXPECT_EQ(probe.menu.TopLeft(), corner) << "drop right " << bRight;
        ASSERT_EQ(dlg.m_commands.size(), 1u) << "drop right " << bRight;
        EXPECT_EQ(dlg.m_commands[0], UINT(ID_MENU_FIRST));
    }
    MoveMouseTo(POINT{2, 2});
}
