// The off-screen DC: a paint in the target's logical coordinates reaches the target's pixels
// when the DC goes out of scope, whatever the target's viewport origin and the bounds' place.
#include "tests/support/drawing_test_support.h"
#include "toolbars/drawing/memdc.h"

#include <gtest/gtest.h>

namespace {
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
} // namespace

TEST(MemDC, PaintReachesTheTargetOnlyAtTheEndAndOnlyInsideTheBounds) {
    struct Case {
        CPoint viewportOrg;
        CRect bounds; // logical
    } cases[] = {
        {CPoint(0, 0), CRect(0, 0, 30, 20)},
        {CPoint(-10, -5), CRect(10, 5, 40, 25)}, // a scrolled view: bounds at the device origin
        {CPoint(5, 3), CRect(10, 10, 30, 25)},   // bounds away from the device origin
    };
    for (const Case& c : cases) {
        Canvas target(60, 40, kWhite);
        target.dc.SetViewportOrg(c.viewportOrg);
        {
            SECMemDC mem(&target.dc, c.bounds);
            mem.FillSolidRect(c.bounds, kBlue);
            mem.FillSolidRect(c.bounds.left + 2, c.bounds.top + 2, 4, 4, kRed);
            EXPECT_EQ(target.dc.GetPixel(c.bounds.left + 3, c.bounds.top + 3), kWhite);
        }
        EXPECT_EQ(target.dc.GetViewportOrg(), c.viewportOrg); // the target's mapping is kept
        target.dc.SetViewportOrg(0, 0);
        const CPoint at = c.bounds.TopLeft() + c.viewportOrg; // device corner of the bounds
        const CSize size = c.bounds.Size();
        EXPECT_EQ(target.dc.GetPixel(at.x + 3, at.y + 3), kRed) << c.bounds.left;
        EXPECT_EQ(target.dc.GetPixel(at.x + size.cx - 1, at.y + size.cy - 1), kBlue)
            << c.bounds.left;
        EXPECT_EQ(target.dc.GetPixel(at.x + size.cx, at.y + size.cy), kWhite) << c.bounds.left;
        if (at.x > 0) {
            EXPECT_EQ(target.dc.GetPixel(at.x - 1, at.y), kWhite) << c.bounds.left;
        }
    }
}

// A bitmap kept by the caller: made once, grown when the bounds outgrow it, and a larger one
// draws and copies only inside the bounds (what it held before stays out of the target).
TEST(MemDC, AKeptBitmapIsReusedGrownAndCutToTheBounds) {
    CBitmap kept;
    Canvas target(60, 40, kWhite);
    {
        SECMemDC mem(&target.dc, CRect(0, 0, 50, 30), &kept);
        mem.FillSolidRect(CRect(0, 0, 50, 30), kRed);
    }
    const HGDIOBJ hFirst = kept.GetSafeHandle();
    ASSERT_NE(nullptr, hFirst);
    EXPECT_EQ(kRed, target.dc.GetPixel(49, 29));
    target.dc.FillSolidRect(CRect(0, 0, 60, 40), kWhite);
    {
        SECMemDC mem(&target.dc, CRect(10, 5, 30, 20), &kept);
        mem.FillSolidRect(CRect(0, 0, 60, 40), kBlue); // asked for more than the bounds
    }
    EXPECT_EQ(hFirst, kept.GetSafeHandle()); // large enough: the same bitmap
    EXPECT_EQ(kBlue, target.dc.GetPixel(10, 5));
    EXPECT_EQ(kBlue, target.dc.GetPixel(29, 19));
    EXPECT_EQ(kWhite, target.dc.GetPixel(9, 5));
    EXPECT_EQ(kWhite, target.dc.GetPixel(30, 19));
    EXPECT_EQ(kWhite, target.dc.GetPixel(10, 20));
    {
        SECMemDC mem(&target.dc, CRect(0, 0, 60, 40), &kept);
        mem.FillSolidRect(CRect(0, 0, 60, 40), kRed);
    }
    BITMAP bm = {};
    ASSERT_TRUE(kept.GetBitmap(&bm));
    EXPECT_EQ(60, bm.bmWidth); // grown to the new bounds
    EXPECT_EQ(40, bm.bmHeight);
    EXPECT_EQ(kRed, target.dc.GetPixel(59, 39));
}

TEST(MemDC, NullTargetThrowsTheResourceException) {
    bool thrown = false;
    try {
        SECMemDC mem(nullptr, CRect(0, 0, 10, 10));
    } catch (CResourceException* e) {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
}
