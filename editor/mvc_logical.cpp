#include "editor/mvc_logical.h"

#include "framework/win/dc.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numeric>

namespace corvalis {
namespace foundation {

namespace {
constexpr int64_t kZoomPrecision = 10000;

int64_t Magnitude(int64_t v) {
    return v < 0 ? -v : v;
}

// At least one unit, with the sign kept: a zero extent would make the mapping singular.
LONG AtLeastOne(int64_t v) {
    if (v == 0)
        return 1;
    return static_cast<LONG>(v);
}

// Window extent times zoom over the viewport extent, as a ratio of two ints.
void ZoomExtentPair(LONG& windowExtent, LONG& viewportExtent, float zoom) {
    int64_t num = std::llround(static_cast<double>(zoom) * kZoomPrecision);
    if (num < 1)
        num = 1;
    int64_t w = static_cast<int64_t>(windowExtent) * num;
    int64_t v = static_cast<int64_t>(viewportExtent) * kZoomPrecision;
    const int64_t g = std::gcd(Magnitude(w), Magnitude(v));
    if (g > 1) {
        w /= g;
        v /= g;
    }
    while (Magnitude(w) > INT_MAX || Magnitude(v) > INT_MAX) {
        w /= 2;
        v /= 2;
    }
    windowExtent = AtLeastOne(w);
    viewportExtent = AtLeastOne(v);
}

int Clamp(int64_t v) {
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

// The delta that keeps [low, high] inside [virtualLow, virtualHigh]; the low edge wins when the
// area is smaller than the span.
int ClampDelta(int64_t delta, int64_t low, int64_t high, int64_t virtualLow, int64_t virtualHigh) {
    if (high + delta > virtualHigh)
        delta = virtualHigh - high;
    if (low + delta < virtualLow)
        delta = virtualLow - low;
    return Clamp(delta);
}

bool ValidZoom(float z) {
    return std::isfinite(z) && z > 0.0f;
}
} // namespace

CRect ILogCoordinates::GetLogBounds() {
    const CPoint origin = GetLogOrigin();
    const CSize size = GetLogSize();
    CRect r(origin.x, origin.y, origin.x + size.cx, origin.y + size.cy);
    r.NormalizeRect();
    return r;
}

bool CMvcLogicalPart::QueryGuid(const GUID& guid, void** out) {
    if (SameGuid(guid, IID_IZoom)) {
        *out = static_cast<IZoom*>(this);
        return true;
    }
    if (SameGuid(guid, IID_ILogCoordinates)) {
        *out = static_cast<ILogCoordinates*>(this);
        return true;
    }
    return MvcVisualPart::QueryGuid(guid, out);
}

void CMvcLogicalPart::OnPrepareDC(CDC* dc) {
    dc->SetViewportOrg(m_bounds.left, m_bounds.top);
    dc->SetMapMode(m_mapMode);
    dc->SetWindowOrg(m_logOrigin);
    dc->SetWindowExt(m_windowExtents);
    dc->SetViewportExt(m_viewportExtents);
    CSize windowExtents = dc->GetWindowExt();
    CSize viewportExtents = dc->GetViewportExt();
    dc->SetMapMode(MM_ANISOTROPIC);
    ApplyZoom(windowExtents, viewportExtents);
    dc->SetWindowExt(windowExtents);
    dc->SetViewportExt(viewportExtents);
}

void CMvcLogicalPart::ConvertPoints(POINT* points, int count, bool toDevice) {
    CDC dc;
    if (count <= 0 || !dc.CreateCompatibleDC(nullptr))
        return;
    OnPrepareDC(&dc);
    if (toDevice)
        dc.LPtoDP(points, count);
    else
        dc.DPtoLP(points, count);
}

void CMvcLogicalPart::ConvertSize(SIZE* size, bool toDevice) {
    POINT points[2] = {{0, 0}, {size->cx, size->cy}};
    ConvertPoints(points, 2, toDevice);
    size->cx = std::abs(points[1].x - points[0].x);
    size->cy = std::abs(points[1].y - points[0].y);
}

CSize CMvcLogicalPart::GetLogSize() {
    CSize size = GetSize();
    SizeDPtoLP(&size);
    size.cy *= GetYDirection();
    return size;
}

int CMvcLogicalPart::GetYDirection() const {
    if (m_mapMode >= MM_LOMETRIC && m_mapMode <= MM_HIENGLISH)
        return -1;
    if ((m_windowExtents.cy < 0) != (m_viewportExtents.cy < 0))
        return -1;
    return 1;
}

CPoint CMvcLogicalPart::SetLogOrigin(int x, int y) {
    const CPoint old = m_logOrigin;
    m_logOrigin = CPoint(x, y);
    return old;
}

CSize CMvcLogicalPart::SetLogSize(int cx, int cy) {
    const CSize old = GetLogSize();
    CSize size(cx, cy);
    SizeLPtoDP(&size);
    SetSize(size.cx, size.cy);
    return old;
}

int CMvcLogicalPart::SetMapMode(int mode) {
    if (mode < MM_TEXT || mode > MM_ANISOTROPIC)
        return 0;
    const int old = m_mapMode;
    m_mapMode = mode;
    return old;
}

CSize CMvcLogicalPart::SetViewportExtents(int cx, int cy) {
    const CSize old = m_viewportExtents;
    if (!IsFixedMapMode() && cx != 0 && cy != 0)
        m_viewportExtents = CSize(cx, cy);
    return old;
}

CSize CMvcLogicalPart::SetWindowExtents(int cx, int cy) {
    const CSize old = m_windowExtents;
    if (!IsFixedMapMode() && cx != 0 && cy != 0)
        m_windowExtents = CSize(cx, cy);
    return old;
}

bool CMvcLogicalPart::IsFixedMapMode() const {
    return m_mapMode != MM_ISOTROPIC && m_mapMode != MM_ANISOTROPIC;
}

void CMvcLogicalPart::GetScale(float& sx, float& sy) const {
    CSize windowExtents = m_windowExtents;
    CSize viewportExtents = m_viewportExtents;
    ApplyZoom(windowExtents, viewportExtents);
    sx = viewportExtents.cx == 0 ? 1.0f : float(windowExtents.cx) / float(viewportExtents.cx);
    sy = viewportExtents.cy == 0 ? 1.0f : float(windowExtents.cy) / float(viewportExtents.cy);
}

void CMvcLogicalPart::SetZoomPercent(int px, int py) {
    if (px > 0 && py > 0)
        SetZoom(100.0f / float(px), 100.0f / float(py));
}

CSize CMvcLogicalPart::GetZoomPercent() const {
    return CSize(Clamp(std::llround(100.0 / m_zoomX)), Clamp(std::llround(100.0 / m_zoomY)));
}

void CMvcLogicalPart::ZoomIn(int dx, int dy) {
    const CSize percent = GetZoomPercent();
    SetZoomPercent(Clamp(int64_t(percent.cx) + dx), Clamp(int64_t(percent.cy) + dy));
}

void CMvcLogicalPart::ZoomOut(int dx, int dy) {
    const CSize percent = GetZoomPercent();
    SetZoomPercent(Clamp(int64_t(percent.cx) - dx), Clamp(int64_t(percent.cy) - dy));
}

void CMvcLogicalPart::ApplyZoom(CSize& windowExtents, CSize& viewportExtents) const {
    ZoomExtentPair(windowExtents.cx, viewportExtents.cx, m_zoomX);
    ZoomExtentPair(windowExtents.cy, viewportExtents.cy, m_zoomY);
}

CSize CMvcLogicalPart::SetZoom(float zx, float zy) {
    if (ValidZoom(zx) && ValidZoom(zy)) {
        m_zoomX = zx;
        m_zoomY = zy;
    }
    return GetLogSize();
}

CSize CMvcLogicalPart::ZoomBy(float zx, float zy) {
    return SetZoom(m_zoomX * zx, m_zoomY * zy);
}

void CMvcLogicalPart::SetAxisExtents(int axis, int windowExtent, int viewportExtent) {
    if (axis == 0) {
        SetWindowExtents(windowExtent, m_windowExtents.cy);
        SetViewportExtents(viewportExtent, m_viewportExtents.cy);
    } else if (axis == 1) {
        SetWindowExtents(m_windowExtents.cx, windowExtent);
        SetViewportExtents(m_viewportExtents.cx, viewportExtent);
    }
}

void CMvcLogicalPart::GetAxisExtents(int axis, int& windowExtent, int& viewportExtent) const {
    windowExtent = axis == 0 ? m_windowExtents.cx : m_windowExtents.cy;
    viewportExtent = axis == 0 ? m_viewportExtents.cx : m_viewportExtents.cy;
}

CRect CMvcLogicalPart::ScrollBy(int dx, int dy) {
    const CRect visible = GetLogBounds();
    const CPoint virtualOrigin = GetVirtualOrigin();
    const CSize virtualSize = GetVirtualSize();
    dx = ClampDelta(dx, visible.left, visible.right, virtualOrigin.x,
                    int64_t(virtualOrigin.x) + virtualSize.cx);
    dy = ClampDelta(dy, visible.top, visible.bottom, virtualOrigin.y,
                    int64_t(virtualOrigin.y) + virtualSize.cy);
    if (dx != 0 || dy != 0) {
        const CPoint origin = GetLogOrigin();
        SetLogOrigin(Clamp(int64_t(origin.x) + dx), Clamp(int64_t(origin.y) + dy));
    }
    return GetLogBounds();
}

void CMvcLogicalPart::LineUp(int axis) {
    const CRect visible = GetLogBounds();
    if (axis == 0)
        ScrollBy(-(visible.Width() / 45), 0);
    else
        ScrollBy(0, -(visible.Height() / 25));
}

void CMvcLogicalPart::LineDown(int axis) {
    const CRect visible = GetLogBounds();
    if (axis == 0)
        ScrollBy(visible.Width() / 45, 0);
    else
        ScrollBy(0, visible.Height() / 25);
}

void CMvcLogicalPart::PageUp(int axis) {
    const CRect visible = GetLogBounds();
    if (axis == 0)
        ScrollBy(-visible.Width(), 0);
    else
        ScrollBy(0, -visible.Height());
}

void CMvcLogicalPart::PageDown(int axis) {
    const CRect visible = GetLogBounds();
    if (axis == 0)
        ScrollBy(visible.Width(), 0);
    else
        ScrollBy(0, visible.Height());
}

void CMvcLogicalPart::CenterOn(int x, int y) {
    const CRect visible = GetLogBounds();
    const CPoint origin = GetLogOrigin();
    ScrollBy(Clamp(int64_t(x) - visible.Width() / 2 - origin.x),
             Clamp(int64_t(y) - visible.Height() / 2 - origin.y));
}

bool CMvcLogicalPart::AdjustForPrinterDC(CDC* dc, CSize& size) {
    if (dc == nullptr ||
        (m_mapMode != MM_TEXT && m_mapMode != MM_ISOTROPIC && m_mapMode != MM_ANISOTROPIC))
        return false;
    HDC screen = ::GetDC(NULL);
    const int screenX = ::GetDeviceCaps(screen, LOGPIXELSX);
    const int screenY = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(NULL, screen);
    const int printerX = dc->GetDeviceCaps(LOGPIXELSX);
    const int printerY = dc->GetDeviceCaps(LOGPIXELSY);
    if (screenX <= 0 || screenY <= 0 || printerX <= 0 || printerY <= 0)
        return false;
    if (screenX == printerX && screenY == printerY)
        return false;
    size.cx = ::MulDiv(size.cx, printerX, screenX);
    size.cy = ::MulDiv(size.cy, printerY, screenY);
    return true;
}

} // namespace foundation
} // namespace corvalis
