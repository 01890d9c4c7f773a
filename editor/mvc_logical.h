// Logical parts: a visual part with its own coordinate system (mapping mode, logical origin,
// extents and zoom) that scrolls over a virtual logical area.
#pragma once

#include "editor/mvc_visual.h"

namespace corvalis {
namespace foundation {

class ILogCoordinates : public IQueryGuid {
public:
    virtual CPoint GetLogOrigin() const = 0;
    // The part's size in logical units; y takes the sign of GetYDirection.
    virtual CSize GetLogSize() = 0;
    virtual CPoint GetVirtualOrigin() = 0;
    virtual CSize GetVirtualSize() = 0;
    virtual int GetMapMode() const = 0;
    virtual CSize GetViewportExtents() const = 0;
    virtual CSize GetWindowExtents() const = 0;
    virtual int GetYDirection() const = 0;
    // Sizes convert as distances (never negative); rectangles and points as positions.
    virtual void SizeLPtoDP(SIZE* size) = 0;
    virtual void RectLPtoDP(RECT* rect) = 0;
    virtual void PointsLPtoDP(POINT* points, int count) = 0;
    virtual void SizeDPtoLP(SIZE* size) = 0;
    virtual void RectDPtoLP(RECT* rect) = 0;
    virtual void PointsDPtoLP(POINT* points, int count) = 0;
    virtual CPoint SetLogOrigin(int x, int y) = 0;
    virtual CSize SetLogSize(int cx, int cy) = 0;
    // Called when the size of the logical area may have changed.
    virtual void OnLogSizeChanged(int cx, int cy) = 0;
    virtual int SetMapMode(int mode) = 0;
    virtual CSize SetViewportExtents(int cx, int cy) = 0;
    virtual CSize SetWindowExtents(int cx, int cy) = 0;
    virtual bool IsFixedMapMode() const = 0;
    virtual void GetScale(float& sx, float& sy) const = 0;

    void LPtoDP(SIZE* size) { SizeLPtoDP(size); }
    void LPtoDP(RECT* rect) { RectLPtoDP(rect); }
    void LPtoDP(POINT* points, int count) { PointsLPtoDP(points, count); }
    void DPtoLP(SIZE* size) { SizeDPtoLP(size); }
    void DPtoLP(RECT* rect) { RectDPtoLP(rect); }
    void DPtoLP(POINT* points, int count) { PointsDPtoLP(points, count); }

    // The visible logical rectangle, normalised.
    CRect GetLogBounds();

protected:
    ~ILogCoordinates() = default;
};

class IZoom : public IQueryGuid {
public:
    // Percent p shows p logical units where 100 were shown; 0 or less is refused.
    virtual void SetZoomPercent(int px, int py) = 0;
    virtual CSize GetZoomPercent() const = 0;
    virtual void ZoomIn(int dx, int dy) = 0;
    virtual void ZoomOut(int dx, int dy) = 0;
    // The extents with the zoom applied; each stays at least 1 in size and keeps its sign.
    virtual void ApplyZoom(CSize& windowExtents, CSize& viewportExtents) const = 0;

protected:
    ~IZoom() = default;
};

class CMvcLogicalPart : public MvcVisualPart, public ILogCoordinates, public IZoom {
public:
    bool QueryGuid(const GUID& guid, void** out) override;
    void OnPrepareDC(CDC* dc) override;

    virtual void CenterOn(int x, int y);
    virtual void SetAxisExtents(int axis, int windowExtent, int viewportExtent);
    virtual void GetAxisExtents(int axis, int& windowExtent, int& viewportExtent) const;
    // Factors of logical units per device unit; values that are not positive are refused.
    virtual CSize SetZoom(float zx, float zy);
    virtual CSize ZoomBy(float zx, float zy);
    virtual CRect ScrollBy(int dx, int dy);
    virtual void LineUp(int axis);
    virtual void LineDown(int axis);
    virtual void PageUp(int axis);
    virtual void PageDown(int axis);
    // Scales size from screen to printer resolution in the modes that measure in pixels.
    virtual bool AdjustForPrinterDC(CDC* dc, CSize& size);

    CPoint GetLogOrigin() const override { return m_logOrigin; }
    CSize GetLogSize() override;
    CPoint GetVirtualOrigin() override { return CPoint(0, 0); }
    CSize GetVirtualSize() override { return GetLogSize(); }
    int GetMapMode() const override { return m_mapMode; }
    CSize GetViewportExtents() const override { return m_viewportExtents; }
    CSize GetWindowExtents() const override { return m_windowExtents; }
    int GetYDirection() const override;
    void SizeLPtoDP(SIZE* size) override { ConvertSize(size, true); }
    void RectLPtoDP(RECT* rect) override { ConvertPoints(reinterpret_cast<POINT*>(rect), 2, true); }
    void PointsLPtoDP(POINT* points, int count) override { ConvertPoints(points, count, true); }
    void SizeDPtoLP(SIZE* size) override { ConvertSize(size, false); }
    void RectDPtoLP(RECT* rect) override {
        ConvertPoints(reinterpret_cast<POINT*>(rect), 2, false);
    }
    void PointsDPtoLP(POINT* points, int count) override { ConvertPoints(points, count, false); }
    CPoint SetLogOrigin(int x, int y) override;
    CSize SetLogSize(int cx, int cy) override;
    void OnLogSizeChanged(int, int) override {}
    int SetMapMode(int mode) override;
    CSize SetViewportExtents(int cx, int cy) override;
    CSize SetWindowExtents(int cx, int cy) override;
    bool IsFixedMapMode() const override;
    void GetScale(float& sx, float& sy) const override;

    void SetZoomPercent(int px, int py) override;
    CSize GetZoomPercent() const override;
    void ZoomIn(int dx, int dy) override;
    void ZoomOut(int dx, int dy) override;
    void ApplyZoom(CSize& windowExtents, CSize& viewportExtents) const override;

    using MvcVisualPart::InvalidateRect;
    using MvcVisualPart::ValidateRect;

protected:
    // Converts in place on a device context prepared by OnPrepareDC, so that every mapping
    // mode converts exactly as drawing will. The part alone uses a memory context of the
    // screen; a viewport uses its window's.
    virtual void ConvertPoints(POINT* points, int count, bool toDevice);

    int m_mapMode = MM_ANISOTROPIC;
    CPoint m_logOrigin{0, 0};
    CSize m_windowExtents{1, 1};
    CSize m_viewportExtents{1, 1};
    float m_zoomX = 1.0f;
    float m_zoomY = 1.0f;

private:
    void ConvertSize(SIZE* size, bool toDevice);
};

} // namespace foundation
} // namespace corvalis
