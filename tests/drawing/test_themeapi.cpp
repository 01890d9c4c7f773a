// The late-bound theme entries: bound under Wine's default (themed) prefix, every wrapper's
// failure value once unbound, and both paths painting in one run.
#include "tests/support/drawing_test_support.h"
#include "toolbars/drawing/themeapi.h"

#include <gtest/gtest.h>
#include <vsstyle.h>

#include <functional>
#include <string>

namespace {

const COLORREF kFace = RGB(0xC0, 0xC0, 0xC0);

// Draws a themed push button over a plain face fill; the result and the pixels.
HRESULT DrawButtonFace(Canvas& canvas) {
    HTHEME hTheme = DynOpenThemeData(NULL, L"BUTTON");
    CRect rect(0, 0, canvas.cx, canvas.cy);
    HRESULT hr = DynDrawThemeBackground(hTheme, canvas.dc, BP_PUSHBUTTON, PBS_NORMAL, &rect, NULL);
    if (hTheme != NULL)
        DynCloseThemeData(hTheme);
    return hr;
}

int CountOtherThan(const std::vector<COLORREF>& pixels, COLORREF colour) {
    int n = 0;
    for (COLORREF c : pixels)
        n += c != colour;
    return n;
}

// Puts the entries back for the next test whatever happened in this one.
struct RebindAtEnd {
    ~RebindAtEnd() { InitThemeApi(); }
};

} // namespace

TEST(ThemeApi, BindsEveryEntryOfTheTableByName) {
    ASSERT_TRUE(InitThemeApi());
    ASSERT_EQ(GetThemeApiEntryCount(), 49);
    EXPECT_STREQ(GetThemeApiEntryName(0), "OpenThemeData");
    EXPECT_STREQ(GetThemeApiEntryName(46), "EnableTheming");
    EXPECT_STREQ(GetThemeApiEntryName(47), "TransparentBlt");
    EXPECT_STREQ(GetThemeApiEntryName(48), "TrackMouseEvent");
    EXPECT_EQ(GetThemeApiEntryName(49), nullptr);
    for (int i = 0; i < GetThemeApiEntryCount(); ++i)
        EXPECT_TRUE(IsThemeApiEntryBound(i)) << GetThemeApiEntryName(i);
    // A second call loads nothing again.
    EXPECT_TRUE(InitThemeApi());
}

// The prefix the tests run in has Wine's Light theme on: an unthemed result here means the
// prefix or the binding is broken, never a reason to skip.
TEST(ThemeApi, BothPathsPaintInOneRun) {
    RebindAtEnd rebind;
    ASSERT_TRUE(InitThemeApi());
    ASSERT_TRUE(IsThemed()) << "the test prefix must run a visual theme";
    {
        Canvas canvas(40, 24, kFace);
        EXPECT_EQ(DrawButtonFace(canvas), S_OK);
        EXPECT_GT(CountOtherThan(canvas.Pixels(), kFace), 40 * 24 / 4)
            << "a themed face differs from a plain face fill";
    }

    ASSERT_TRUE(FreeThemeApi());
    EXPECT_FALSE(IsThemed());
    for (int i = 0; i < GetThemeApiEntryCount(); ++i)
        EXPECT_FALSE(IsThemeApiEntryBound(i)) << GetThemeApiEntryName(i);
    {
        Canvas canvas(40, 24, kFace);
        EXPECT_EQ(DrawButtonFace(canvas), E_FAIL);
        EXPECT_EQ(CountOtherThan(canvas.Pixels(), kFace), 0);
    }
    EXPECT_TRUE(FreeThemeApi()); // nothing left to free

    ASSERT_TRUE(InitThemeApi());
    EXPECT_TRUE(IsThemed());
    Canvas canvas(40, 24, kFace);
    EXPECT_EQ(DrawButtonFace(canvas), S_OK);
}

TEST(ThemeApi, UnboundWrappersAnswerTheirFailureValues) {
    RebindAtEnd rebind;
    ASSERT_TRUE(FreeThemeApi());
    Canvas canvas(4, 4, kFace);
    HDC hdc = canvas.dc;
    HTHEME t = reinterpret_cast<HTHEME>(1); // never reaches a system function
    RECT r = {0, 0, 4, 4};
    RECT out = {};
    SIZE size = {};
    int n = 0;
    BOOL b = FALSE;
    COLORREF c = 0;
    WCHAR buf[8] = {};
    LOGFONTW lf = {};
    TEXTMETRICW tm = {};
    HRGN rgn = NULL;
    WORD code = 0;
    POINT pt = {};
    MARGINS margins = {};
    INTLIST list = {};
    PROPERTYORIGIN origin = PO_STATE;
    TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, NULL, 0};

    const LONG_PTR kFail = static_cast<LONG_PTR>(E_FAIL);
    struct Case {
        const char* name;
        std::function<LONG_PTR()> call;
        LONG_PTR expected;
    };
    const Case cases[] = {
        {"OpenThemeData", [&] { return (LONG_PTR)DynOpenThemeData(NULL, L"BUTTON"); }, 0},
        {"IsThemePartDefined", [&] { return (LONG_PTR)DynIsThemePartDefined(t, 1, 1); }, 0},
        {"IsThemeBackgroundPartiallyTransparent",
         [&] { return (LONG_PTR)DynIsThemeBackgroundPartiallyTransparent(t, 1, 1); }, 0},
        {"GetThemeSysColor", [&] { return (LONG_PTR)DynGetThemeSysColor(t, COLOR_WINDOW); }, 0},
        {"GetThemeSysColorBrush",
         [&] { return (LONG_PTR)DynGetThemeSysColorBrush(t, COLOR_WINDOW); }, 0},
        {"GetThemeSysBool", [&] { return (LONG_PTR)DynGetThemeSysBool(t, 1); }, 0},
        {"IsThemeActive", [&] { return (LONG_PTR)DynIsThemeActive(); }, 0},
        {"IsAppThemed", [&] { return (LONG_PTR)DynIsAppThemed(); }, 0},
        {"GetWindowTheme", [&] { return (LONG_PTR)DynGetWindowTheme(NULL); }, 0},
        {"IsThemeDialogTextureEnabled",
         [&] { return (LONG_PTR)DynIsThemeDialogTextureEnabled(NULL); }, 0},
        {"GetThemeAppProperties", [&] { return (LONG_PTR)DynGetThemeAppProperties(); }, 0},
        {"TrackMouseEvent", [&] { return (LONG_PTR)DynTrackMouseEvent(&tme); }, 0},
        {"GetThemeSysSize", [&] { return (LONG_PTR)DynGetThemeSysSize(t, SM_CXBORDER); }, -1},
        {"SetThemeAppProperties",
         [&] {
             DynSetThemeAppProperties(0);
             return LONG_PTR(0);
         },
         0},
        {"CloseThemeData", [&] { return (LONG_PTR)DynCloseThemeData(t); }, kFail},
        {"DrawThemeBackground",
         [&] { return (LONG_PTR)DynDrawThemeBackground(t, hdc, 1, 1, &r, NULL); }, kFail},
        {"DrawThemeText",
         [&] { return (LONG_PTR)DynDrawThemeText(t, hdc, 1, 1, L"a", 1, 0, 0, &r); }, kFail},
        {"GetThemeBackgroundContentRect",
         [&] { return (LONG_PTR)DynGetThemeBackgroundContentRect(t, hdc, 1, 1, &r, &out); }, kFail},
        {"GetThemeBackgroundExtent",
         [&] { return (LONG_PTR)DynGetThemeBackgroundExtent(t, hdc, 1, 1, &r, &out); }, kFail},
        {"GetThemePartSize",
         [&] { return (LONG_PTR)DynGetThemePartSize(t, hdc, 1, 1, &r, TS_TRUE, &size); }, kFail},
        {"GetThemeTextExtent",
         [&] { return (LONG_PTR)DynGetThemeTextExtent(t, hdc, 1, 1, L"a", 1, 0, &r, &out); },
         kFail},
        {"GetThemeTextMetrics", [&] { return (LONG_PTR)DynGetThemeTextMetrics(t, hdc, 1, 1, &tm); },
         kFail},
        {"GetThemeBackgroundRegion",
         [&] { return (LONG_PTR)DynGetThemeBackgroundRegion(t, hdc, 1, 1, &r, &rgn); }, kFail},
        {"HitTestThemeBackground",
         [&] { return (LONG_PTR)DynHitTestThemeBackground(t, hdc, 1, 1, 0, &r, NULL, pt, &code); },
         kFail},
        {"DrawThemeEdge",
         [&] { return (LONG_PTR)DynDrawThemeEdge(t, hdc, 1, 1, &r, EDGE_RAISED, BF_RECT, &out); },
         kFail},
        {"DrawThemeIcon", [&] { return (LONG_PTR)DynDrawThemeIcon(t, hdc, 1, 1, &r, NULL, 0); },
         kFail},
        {"GetThemeColor", [&] { return (LONG_PTR)DynGetThemeColor(t, 1, 1, 1, &c); }, kFail},
        {"GetThemeMetric", [&] { return (LONG_PTR)DynGetThemeMetric(t, hdc, 1, 1, 1, &n); }, kFail},
        {"GetThemeString", [&] { return (LONG_PTR)DynGetThemeString(t, 1, 1, 1, buf, 8); }, kFail},
        {"GetThemeBool", [&] { return (LONG_PTR)DynGetThemeBool(t, 1, 1, 1, &b); }, kFail},
        {"GetThemeInt", [&] { return (LONG_PTR)DynGetThemeInt(t, 1, 1, 1, &n); }, kFail},
        {"GetThemeEnumValue", [&] { return (LONG_PTR)DynGetThemeEnumValue(t, 1, 1, 1, &n); },
         kFail},
        {"GetThemePosition", [&] { return (LONG_PTR)DynGetThemePosition(t, 1, 1, 1, &pt); }, kFail},
        {"GetThemeFont", [&] { return (LONG_PTR)DynGetThemeFont(t, hdc, 1, 1, 1, &lf); }, kFail},
        {"GetThemeRect", [&] { return (LONG_PTR)DynGetThemeRect(t, 1, 1, 1, &out); }, kFail},
        {"GetThemeMargins",
         [&] { return (LONG_PTR)DynGetThemeMargins(t, hdc, 1, 1, 1, &r, &margins); }, kFail},
        {"GetThemeIntList", [&] { return (LONG_PTR)DynGetThemeIntList(t, 1, 1, 1, &list); }, kFail},
        {"GetThemePropertyOrigin",
         [&] { return (LONG_PTR)DynGetThemePropertyOrigin(t, 1, 1, 1, &origin); }, kFail},
        {"SetWindowTheme", [&] { return (LONG_PTR)DynSetWindowTheme(NULL, L"", L""); }, kFail},
        {"GetThemeFilename", [&] { return (LONG_PTR)DynGetThemeFilename(t, 1, 1, 1, buf, 8); },
         kFail},
        {"GetThemeSysFont", [&] { return (LONG_PTR)DynGetThemeSysFont(t, 1, &lf); }, kFail},
        {"GetThemeSysString", [&] { return (LONG_PTR)DynGetThemeSysString(t, 1, buf, 8); }, kFail},
        {"GetThemeSysInt", [&] { return (LONG_PTR)DynGetThemeSysInt(t, 1, &n); }, kFail},
        {"EnableThemeDialogTexture",
         [&] { return (LONG_PTR)DynEnableThemeDialogTexture(NULL, ETDT_ENABLE); }, kFail},
        {"GetCurrentThemeName",
         [&] { return (LONG_PTR)DynGetCurrentThemeName(buf, 8, buf, 8, buf, 8); }, kFail},
        {"GetThemeDocumentationProperty",
         [&] { return (LONG_PTR)DynGetThemeDocumentationProperty(L"", L"", buf, 8); }, kFail},
        {"DrawThemeParentBackground",
         [&] { return (LONG_PTR)DynDrawThemeParentBackground(NULL, hdc, &r); }, kFail},
        {"EnableTheming", [&] { return (LONG_PTR)DynEnableTheming(TRUE); }, kFail},
    };
    EXPECT_EQ(std::size(cases), 48u); // every entry but TransparentBlt has a wrapper
    for (const Case& test : cases)
        EXPECT_EQ(test.call(), test.expected) << test.name;
    EXPECT_EQ(size.cx, 0); // nothing was written through the out parameters
    EXPECT_EQ(buf[0], L'\0');
}
