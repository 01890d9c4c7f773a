// Wrappers made for unknown handles live until idle time; bound objects stay bound, and freeing a
// temporary wrapper never destroys the Win32 object it wrapped.
#include <gtest/gtest.h>

#include "framework/afx.h"
#include "test_support.h"

#include <commctrl.h>

namespace {
// One kind of wrapper: a handle the test does not bind, one it binds to `bound`, and whether a
// handle still exists.
template <class T, class H, class Alive>
void ExpectTemporaryGoesAtIdleAndBoundStays(H hLoose, H hBound, T& bound, Alive alive) {
    T* pTemp = T::FromHandle(hLoose);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(pTemp, T::FromHandle(hLoose)); // one wrapper a handle until idle
    EXPECT_EQ(nullptr, T::FromHandlePermanent(hLoose));
    ASSERT_TRUE(bound.Attach(hBound));
    EXPECT_EQ(&bound, T::FromHandle(hBound));
    EXPECT_FALSE(bound.Attach(hLoose)); // one handle an object

    EXPECT_FALSE(AfxGetApp()->OnIdle(1));

    EXPECT_TRUE(alive(hLoose)) << "a temporary wrapper destroyed its handle";
    EXPECT_EQ(nullptr, T::FromHandlePermanent(hLoose));
    EXPECT_EQ(&bound, T::FromHandlePermanent(hBound));
    EXPECT_EQ(&bound, T::FromHandle(hBound));
    EXPECT_NE(nullptr, T::FromHandle(hLoose)); // a fresh wrapper on demand
    EXPECT_EQ(hBound, bound.Detach());
    EXPECT_EQ(nullptr, T::FromHandlePermanent(hBound));
    AfxGetApp()->OnIdle(1);
}

TEST(HandleMaps, EachKindFreesTemporariesAtIdleAndKeepsBoundObjects) {
    CWnd host;
    ASSERT_TRUE(CreateTopLevel(host));
    HWND hLooseWnd =
        ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, host.m_hWnd, NULL, NULL, NULL);
    HWND hBoundWnd =
        ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, host.m_hWnd, NULL, NULL, NULL);
    CWnd wnd;
    ExpectTemporaryGoesAtIdleAndBoundStays(hLooseWnd, hBoundWnd, wnd,
                                           [](HWND h) { return ::IsWindow(h) != FALSE; });

    HDC hLooseDC = ::CreateCompatibleDC(NULL), hBoundDC = ::CreateCompatibleDC(NULL);
    CDC dc;
    ExpectTemporaryGoesAtIdleAndBoundStays(hLooseDC, hBoundDC, dc,
                                           [](HDC h) { return ::GetObjectType(h) == OBJ_MEMDC; });

    HGDIOBJ hLoosePen = ::CreatePen(PS_SOLID, 1, 0), hBoundPen = ::CreatePen(PS_SOLID, 1, 0);
    EXPECT_TRUE(CGdiObject::FromHandle(hLoosePen)->IsKindOf(RUNTIME_CLASS(CPen)));
    CGdiObject pen;
    ExpectTemporaryGoesAtIdleAndBoundStays(hLoosePen, hBoundPen, pen,
                                           [](HGDIOBJ h) { return ::GetObjectType(h) == OBJ_PEN; });

    HMENU hLooseMenu = ::CreatePopupMenu(), hBoundMenu = ::CreatePopupMenu();
    CMenu menu;
    ExpectTemporaryGoesAtIdleAndBoundStays(hLooseMenu, hBoundMenu, menu,
                                           [](HMENU h) { return ::IsMenu(h) != FALSE; });

    HIMAGELIST hLooseList = ImageList_Create(8, 8, ILC_COLOR32, 1, 1);
    HIMAGELIST hBoundList = ImageList_Create(8, 8, ILC_COLOR32, 1, 1);
    CImageList list;
    ExpectTemporaryGoesAtIdleAndBoundStays(hLooseList, hBoundList, list, [](HIMAGELIST h) {
        int cx = 0, cy = 0;
        return ImageList_GetIconSize(h, &cx, &cy) && cx == 8;
    });

    ImageList_Destroy(hLooseList);
    ImageList_Destroy(hBoundList);
    ::DestroyMenu(hLooseMenu);
    ::DestroyMenu(hBoundMenu);
    ::DeleteObject(hLoosePen);
    ::DeleteObject(hBoundPen);
    ::DeleteDC(hLooseDC);
    ::DeleteDC(hBoundDC);
    host.DestroyWindow();
}
} // namespace
