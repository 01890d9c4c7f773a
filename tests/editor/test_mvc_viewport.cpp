// Logical parts and viewports: coordinate mapping, scrolling, zoom, the window's device
// context, invalidation, interface lookup and the model a viewport observes.
#include "editor/edit_msg.h"
#include "editor/mvc_controller.h"
#include "editor/mvc_viewport.h"
#include "framework/afx.h"
#include "geometry_print.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace corvalis::foundation;

// A logical part over a document of a given size.
class DocumentPart : public CMvcLogicalPart {
public:
    CSize document{1000, 500};
    CSize GetVirtualSize() override { return document; }
};

CPoint ToDevice(ILogCoordinates& part, CPoint p) {
    part.LPtoDP(&p, 1);
    return p;
}

TEST(MvcLogicalPart, MapsLogicalToDeviceUnits) {
    struct Case {
        const char* what;
        int mode;
        CPoint origin;
        CSize windowExtents, viewportExtents;
        int zoomPercent;
        CPoint logical, device;
    } cases[] = {
        {"plain", MM_ANISOTROPIC, {0, 0}, {1, 1}, {1, 1}, 100, {3, 4}, {13, 24}},
        {"scrolled", MM_ANISOTROPIC, {100, 200}, {1, 1}, {1, 1}, 100, {103, 204}, {13, 24}},
        {"extents", MM_ANISOTROPIC, {0, 0}, {1, 2}, {3, 1}, 100, {3, 4}, {19, 22}},
        {"zoom 200%", MM_ANISOTROPIC, {0, 0}, {1, 1}, {1, 1}, 200, {3, 4}, {16, 28}},
        {"zoom 50%", MM_ANISOTROPIC, {0, 0}, {1, 1}, {1, 1}, 50, {30, 40}, {25, 40}},
        {"text mode", MM_TEXT, {5, 5}, {1, 2}, {3, 1}, 100, {8, 9}, {13, 24}},
        {"y up", MM_ANISOTROPIC, {0, 0}, {1, -1}, {1, 1}, 100, {3, 4}, {13, 16}},
    };
    for (const Case& c : cases) {
        CMvcLogicalPart part;
        part.SetOrigin(10, 20);
        part.SetSize(200, 100);
        part.SetMapMode(c.mode);
        part.SetLogOrigin(c.origin.x, c.origin.y);
        part.SetWindowExtents(c.windowExtents.cx, c.windowExtents.cy);
        part.SetViewportExtents(c.viewportExtents.cx, c.viewportExtents.cy);
        part.SetZoomPercent(c.zoomPercent, c.zoomPercent);
        EXPECT_EQ(ToDevice(part, c.logical), c.device) << c.what;
        CPoint back = c.device;
        part.DPtoLP(&back, 1);
        EXPECT_EQ(back, c.logical) << c.what;
    }
}

TEST(MvcLogicalPart, ExtentsZoomAndDirection) {
    CMvcLogicalPart part;
    part.SetSize(200, 100);
    EXPECT_EQ(part.GetYDirection(), 1);
    EXPECT_EQ(part.GetLogSize(), CSize(200, 100));

    part.SetZoomPercent(200, 400);
    float sx = 0, sy = 0;
    part.GetScale(sx, sy);
    EXPECT_FLOAT_EQ(sx, 0.5f);
    EXPECT_FLOAT_EQ(sy, 0.25f);
    EXPECT_EQ(part.GetZoomPercent(), CSize(200, 400));
    EXPECT_EQ(part.GetLogSize(), CSize(100, 25));
    part.SetZoomPercent(0, 50); // refused as a whole
    part.SetZoomPercent(-5, 50);
    EXPECT_EQ(part.GetZoomPercent(), CSize(200, 400));
    part.ZoomOut(100, 300);
    EXPECT_EQ(part.GetZoomPercent(), CSize(100, 100));

    // However small the zoom, no extent of the mapping becomes zero.
    part.SetZoom(1e-7f, 1e-7f);
    CSize window(1, -1), viewport(1, 1);
    part.ApplyZoom(window, viewport);
    EXPECT_GE(window.cx, 1);
    EXPECT_LE(window.cy, -1);
    EXPECT_GE(viewport.cx, 1);
    EXPECT_GE(viewport.cy, 1);
    part.SetZoom(1.0f, 1.0f);

    part.SetWindowExtents(4, -2);
    EXPECT_EQ(part.GetYDirection(), -1);
    EXPECT_EQ(part.GetLogSize(), CSize(800, -200));
    EXPECT_EQ(part.GetLogBounds(), CRect(0, -200, 800, 0));
    part.SetAxisExtents(1, 3, 6);
    EXPECT_EQ(part.GetWindowExtents(), CSize(4, 3));
    EXPECT_EQ(part.GetViewportExtents(), CSize(1, 6));
    EXPECT_EQ(part.GetYDirection(), 1);

    // Fixed modes keep their extents.
    EXPECT_EQ(part.SetMapMode(MM_TEXT), MM_ANISOTROPIC);
    EXPECT_TRUE(part.IsFixedMapMode());
    part.SetViewportExtents(9, 9);
    part.SetWindowExtents(9, 9);
    EXPECT_EQ(part.GetViewportExtents(), CSize(1, 6));
    EXPECT_EQ(part.GetWindowExtents(), CSize(4, 3));
    part.SetMapMode(MM_LOMETRIC);
    EXPECT_EQ(part.GetYDirection(), -1);
    EXPECT_EQ(part.SetMapMode(99), 0);
    EXPECT_EQ(part.GetMapMode(), MM_LOMETRIC);
}

TEST(MvcLogicalPart, ScrollingStaysInsideTheDocument) {
    struct Case {
        const char* what;
        CSize document;
        void (*scroll)(DocumentPart&);
        CPoint origin;
    } cases[] = {
        {"by", {1000, 500}, [](DocumentPart& p) { p.ScrollBy(50, 30); }, {50, 30}},
        {"past the end", {1000, 500}, [](DocumentPart& p) { p.ScrollBy(5000, 5000); }, {900, 450}},
        {"before the start", {1000, 500}, [](DocumentPart& p) { p.ScrollBy(-5, -5); }, {0, 0}},
        {"document smaller than the view",
         {60, 20},
         [](DocumentPart& p) { p.ScrollBy(30, 30); },
         {0, 0}},
        {"line right", {1000, 500}, [](DocumentPart& p) { p.LineDown(0); }, {2, 0}},
        {"line down", {1000, 500}, [](DocumentPart& p) { p.LineDown(1); }, {0, 2}},
        {"page down", {1000, 500}, [](DocumentPart& p) { p.PageDown(1); }, {0, 50}},
        {"page down and line up",
         {1000, 500},
         [](DocumentPart& p) {
             p.PageDown(1);
             p.LineUp(1);
         },
         {0, 48}},
        {"centre", {1000, 500}, [](DocumentPart& p) { p.CenterOn(500, 250); }, {450, 225}},
        {"centre near the end",
         {1000, 500},
         [](DocumentPart& p) { p.CenterOn(990, 490); },
         {900, 450}},
    };
    for (const Case& c : cases) {
        DocumentPart part;
        part.SetSize(100, 50);
        part.document = c.document;
        c.scroll(part);
        EXPECT_EQ(part.GetLogOrigin(), c.origin) << c.what;
    }
}

// A hidden top-level window; with ownDC its class keeps one device context for good.
class TestWindow : public CWnd {
public:
    explicit TestWindow(bool ownDC) {
        LPCTSTR cls = AfxRegisterWndClass(ownDC ? CS_OWNDC : 0);
        // Shown, without activation: a hidden window collects no update region.
        if (CreateEx(0, cls, L"viewport", WS_POPUP, 0, 0, 300, 200, NULL, NULL))
            ShowWindow(SW_SHOWNOACTIVATE);
    }
    ~TestWindow() override { DestroyWindow(); }
};

class CountingViewport : public MvcViewport {
public:
    int updates = 0;
    void OnUpdate(ISubject*, IMessage*) override { ++updates; }
};

TEST(MvcViewport, ConvertsThroughItsWindowAndLeavesTheContextAsItWas) {
    TestWindow window(true);
    ASSERT_NE(window.m_hWnd, nullptr);
    MvcViewport viewport;
    viewport.SetBounds(CRect(10, 20, 210, 120));
    viewport.SetController(nullptr, FALSE);
    viewport.Create(&window, nullptr);
    viewport.SetLogOrigin(100, 200);
    viewport.SetWindowExtents(1, 1);
    viewport.SetViewportExtents(2, 2);
    EXPECT_EQ(ToDevice(viewport, CPoint(103, 204)), CPoint(16, 28));
    EXPECT_EQ(viewport.GetLogSize(), CSize(100, 50));
    EXPECT_EQ(viewport.GetLogBounds(), CRect(100, 200, 200, 250));

    HDC own = ::GetDC(window.m_hWnd);
    {
        MvcViewport::DC dc(&viewport, true);
        EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
        EXPECT_EQ(dc.GetWindowOrg(), CPoint(100, 200));
        EXPECT_EQ(dc.GetViewportOrg(), CPoint(10, 20));
        CPoint p(103, 204);
        dc.LPtoDP(&p);
        EXPECT_EQ(p, CPoint(16, 28));
    }
    EXPECT_EQ(::GetMapMode(own), MM_TEXT);
    POINT org = {-1, -1};
    ::GetWindowOrgEx(own, &org);
    EXPECT_EQ(CPoint(org), CPoint(0, 0));
    ::GetViewportOrgEx(own, &org);
    EXPECT_EQ(CPoint(org), CPoint(0, 0));
    ::ReleaseDC(window.m_hWnd, own);

    // Without a window there is no context (not the screen's), but conversions still work.
    MvcViewport loose;
    loose.SetOrigin(5, 5);
    bool thrown = false;
    try {
        MvcViewport::DC dc(&loose, false);
    } catch (CResourceException* e) {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(ToDevice(loose, CPoint(1, 1)), CPoint(6, 6));
}

TEST(MvcViewport, InvalidatesLogicalRectanglesAndItsWholeBounds) {
    TestWindow window(false);
    ASSERT_NE(window.m_hWnd, nullptr);
    MvcViewport viewport;
    viewport.SetBounds(CRect(0, 0, 100, 100));
    viewport.Create(&window, nullptr);
    viewport.SetLogOrigin(0, 500);

    ::ValidateRect(window.m_hWnd, NULL);
    viewport.Invalidate(CRect(0, 500, 9, 509), FALSE, FALSE); // inclusive
    CRect update;
    EXPECT_TRUE(viewport.GetUpdateRect(&update, FALSE));
    EXPECT_EQ(update, CRect(0, 0, 10, 10));

    // Its own bounds are device units: scrolled or not, all of it is repainted.
    ::ValidateRect(window.m_hWnd, NULL);
    viewport.InvalidateVisual(FALSE, FALSE);
    EXPECT_TRUE(viewport.GetUpdateRect(&update, FALSE));
    EXPECT_EQ(update, CRect(0, 0, 100, 100));
    ::ValidateRect(window.m_hWnd, NULL);
}

TEST(MvcViewport, AnswersEachInterfaceWithItsPart) {
    MvcViewport viewport;
    struct Case {
        GUID guid;
        void* expected;
    } cases[] = {
        {IID_IEventRouter, static_cast<IEventRouter*>(&viewport)},
        {IID_IObserver, static_cast<IObserver*>(&viewport)},
        {IID_IZoom, static_cast<IZoom*>(&viewport)},
        {IID_ILogCoordinates, static_cast<ILogCoordinates*>(&viewport)},
        {IID_IVisual, static_cast<IVisual*>(&viewport)},
        {IID_IBounds2D, static_cast<IBounds2D*>(&viewport)},
        {IID_ISize2D, static_cast<IBounds2D*>(&viewport)},
        {IID_IRefCount, static_cast<IBounds2D*>(&viewport)},
        {IID_IQueryGuid, static_cast<IBounds2D*>(&viewport)},
        {IID_IMessage, nullptr},
    };
    for (const Case& c : cases) {
        void* out = &viewport;
        EXPECT_EQ(viewport.QueryGuid(c.guid, &out), c.expected != nullptr);
        EXPECT_EQ(out, c.expected) << std::hex << c.guid.Data1;
    }
    // The controller answers as an event router.
    MvcController controller;
    void* out = nullptr;
    EXPECT_TRUE(controller.QueryGuid(IID_IEventRouter, &out));
    EXPECT_EQ(out, static_cast<IEventRouter*>(&controller));
}

struct PointEvent : IEvent, IMouseEvent {
    CPoint point;
    explicit PointEvent(CPoint p) : point(p) {}
    bool QueryGuid(const GUID& guid, void** out) override {
        *out = SameGuid(guid, IID_IMouseEvent) ? static_cast<IMouseEvent*>(this) : nullptr;
        return *out != nullptr;
    }
    int32_t AddRef() override { return 1; }
    int32_t Release() override { return 1; }
    CPoint GetPoint() override { return point; }
};

struct CountingListener : IEventListener {
    bool answer;
    int calls = 0;
    explicit CountingListener(bool a) : answer(a) {}
    int32_t AddRef() override { return 1; }
    int32_t Release() override { return 1; }
    bool HandleEvent(IEvent*) override {
        ++calls;
        return answer;
    }
};

// An event at a point outside the visible area is nobody's; inside, the controller's listeners
// come before the viewport's.
TEST(MvcViewport, RoutesEventsToItsControllerThenItsListeners) {
    CountingListener mine(true), controllers(false); // outlive the routers that release them
    MvcViewport viewport;
    viewport.SetBounds(CRect(0, 0, 100, 100));
    viewport.SetLogOrigin(1000, 0);
    auto* controller = new MvcController;
    viewport.SetController(controller, TRUE);
    viewport.AddListener(&mine);
    controller->AddListener(&controllers);

    PointEvent outside(CPoint(120, 10)), inside(CPoint(10, 10));
    EXPECT_FALSE(viewport.RouteEvent(&outside));
    EXPECT_EQ(mine.calls + controllers.calls, 0);
    EXPECT_TRUE(viewport.RouteEvent(&inside));
    EXPECT_EQ(controllers.calls, 1);
    EXPECT_EQ(mine.calls, 1);
    controllers.answer = true;
    EXPECT_TRUE(viewport.RouteEvent(&inside));
    EXPECT_EQ(controllers.calls, 2);
    EXPECT_EQ(mine.calls, 1);
    EXPECT_FALSE(viewport.RouteEvent(nullptr));
}

// A model replaced by another stops telling the viewport: it would otherwise go on telling it
// after the viewport is gone.
TEST(MvcViewport, ObservesOnlyItsCurrentModel) {
    CMvcModel first, second;
    SECEditMsg message(SECEDIT_HINT_GUTTER);
    auto viewport = std::make_unique<CountingViewport>();
    MvcController* controller = new MvcController;
    viewport->SetController(controller, TRUE);
    viewport->SetModel(&first);
    viewport->SetModel(&first);
    viewport->SetModel(&second);
    EXPECT_EQ(controller->GetModel(), &second);
    first.NotifyObservers(nullptr, &message);
    second.NotifyObservers(nullptr, &message);
    EXPECT_EQ(viewport->updates, 1);
    viewport.reset();
    first.NotifyObservers(nullptr, &message);
    second.NotifyObservers(nullptr, &message);
}

} // namespace
