#include <gtest/gtest.h>

#include "bmpmenu_fixture.h"
#include "tests/support/screenshot.h"

namespace {

// Ends a menu loop that never goes idle, so that the test cannot hang in it.
void CALLBACK EndStuckMenu(HWND, UINT, UINT_PTR, DWORD) {
    ::EndMenu();
}

int CountColour(HDC hdc, const RECT& area, COLORREF colour) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            n += ::GetPixel(hdc, x, y) == colour;
    return n;
}

// A real popup, opened by TrackPopupMenu and captured from inside its loop.
TEST(BmpMenuScreen, PopupShowsImagesBesideCommands) {
    TestImages images;
    MenuHost host;
    SECBmpMenuPlugIn plugIn(TRUE);
    plugIn.SetBmpMgr(images.store);
    plugIn.PlugInTo(&host);
    host.plugIn = &plugIn;
    host.ShowWindow(SW_SHOW);
    ::SetForegroundWindow(host.m_hWnd);

    HMENU popup = ::CreatePopupMenu();
    ::AppendMenuW(popup, MF_STRING, 100, L"&Open...\tCtrl+O");
    ::AppendMenuW(popup, MF_STRING | MF_CHECKED, 101, L"&Save\tCtrl+S");
    ::AppendMenuW(popup, MF_STRING | MF_CHECKED, 150, L"&Word wrap");
    ::AppendMenuW(popup, MF_STRING | MF_GRAYED, 102, L"&Print...\tCtrl+P");
    ::AppendMenuW(popup, MF_SEPARATOR, 0, NULL);
    ::AppendMenuW(popup, MF_STRING, 151, L"E&xit");

    HBITMAP shot = NULL;
    CRect popupRect;
    host.onMenuIdle = [&](HWND hPopup) {
        if (shot != NULL)
            return;
        HWND hWnd = hPopup != NULL ? hPopup : ::FindWindowW(L"#32768", NULL);
        ::RedrawWindow(hWnd, NULL, NULL, RDW_UPDATENOW);
        ::GetWindowRect(hWnd, &popupRect);
        shot = CaptureScreen(popupRect);
        ::EndMenu();
    };
    const UINT_PTR timer = ::SetTimer(NULL, 0, 5000, &EndStuckMenu);
    ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, 120, 120, 0, host.m_hWnd,
                     NULL);
    ::KillTimer(NULL, timer);
    host.onMenuIdle = nullptr;
    ASSERT_NE(nullptr, shot) << "the menu loop never went idle";
    EXPECT_TRUE(WriteBitmapPng(shot, ScreenshotPath(L"bitmap-menu.png")));

    // Every command went through the plug-in, and the image column holds the images: the
    // enabled ones in their colours, the disabled one embossed (none of its blue).
    for (int pos : {0, 1, 2, 3, 5})
        EXPECT_NE(nullptr, plugIn.FindInfo(popup, ReadItemState(popup, pos).data)) << pos;
    HDC mem = ::CreateCompatibleDC(NULL);
    HGDIOBJ old = ::SelectObject(mem, shot);
    const RECT column = {0, 0, 26, popupRect.Height()};
    EXPECT_GT(CountColour(mem, column, kImageColors[0]), 40);
    EXPECT_GT(CountColour(mem, column, kImageColors[1]), 40);
    EXPECT_EQ(0, CountColour(mem, column, kImageColors[2]));
    const RECT text = {26, 0, popupRect.Width(), popupRect.Height()};
    EXPECT_EQ(0, CountColour(mem, text, kImageColors[0])) << "images stay in their column";
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ::DeleteObject(shot);
    host.plugIn = nullptr;
    ::DestroyMenu(popup);
}

} // namespace
