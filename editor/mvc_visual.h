// Visual parts: components with bounds in their parent's device units, and the parent chain
// through which they ask to be repainted.
#pragma once

#include "editor/mvc_interfaces.h"
#include "framework/core/geometry.h"

class CDC;

namespace corvalis {
namespace foundation {

class IVisual : public IQueryGuid {
public:
    virtual void Draw(CDC* dc) = 0;
    virtual void OnPrepareDC(CDC* dc) = 0;
    virtual void OnCleanupDC(CDC* dc) = 0;

protected:
    ~IVisual() = default;
};

class ISize2D : public IQueryGuid, public IRefCount {
public:
    virtual CSize GetSize() const = 0;
    virtual CSize SetSize(int cx, int cy) = 0;

protected:
    ~ISize2D() = default;
};

class IBounds2D : public ISize2D {
public:
    virtual CRect GetBounds() const = 0;
    virtual CPoint GetOrigin() const = 0;
    virtual CPoint SetOrigin(int x, int y) = 0;
    virtual CPoint OffsetOrigin(int dx, int dy) = 0;

protected:
    ~IBounds2D() = default;
};

// Visual components belong to their windows: the reference count is not kept.
class CMvcVisualComponent : public IVisual, public IBounds2D {
public:
    CMvcVisualComponent() = default;
    CMvcVisualComponent(const CMvcVisualComponent&) = delete;
    CMvcVisualComponent& operator=(const CMvcVisualComponent&) = delete;
    virtual ~CMvcVisualComponent() = default;

    bool QueryGuid(const GUID& guid, void** out) override;
    int32_t AddRef() override { return 1; }
    int32_t Release() override { return 1; }

    void Draw(CDC*) override {}
    void OnPrepareDC(CDC*) override {}
    void OnCleanupDC(CDC*) override {}

    virtual void MoveOrigin(int dx, int dy);
    // Width times numX / denX and height times numY / denY; a zero denominator leaves that
    // dimension alone. With center the part grows or shrinks about its middle.
    virtual void ScaleSize(int numX, int denX, int numY, int denY, bool center);
    virtual CRect GetMargins() const { return CRect(); }
    virtual void OnLayout() {}

    CSize GetSize() const override { return m_bounds.Size(); }
    CSize SetSize(int cx, int cy) override;
    CRect GetBounds() const override { return m_bounds; }
    CPoint GetOrigin() const override { return m_bounds.TopLeft(); }
    CPoint SetOrigin(int x, int y) override;
    CPoint OffsetOrigin(int dx, int dy) override;

protected:
    CRect m_bounds{0, 0, 0, 0};
};

// A component inside a parent visual, which repaints on its behalf.
class MvcVisualPart : public CMvcVisualComponent {
public:
    virtual void SetParent(MvcVisualPart* parent);
    virtual void SetParentVisual(MvcVisualPart* parent) { m_parent = parent; }
    MvcVisualPart* GetParentVisual() const { return m_parent; }

    // rect is in this part's parent's logical units.
    virtual void Invalidate(const CRect& rect, BOOL erase, BOOL updateNow);
    virtual void ValidateRect(const CRect& rect);
    virtual void InvalidateVisual(BOOL erase, BOOL updateNow) {
        InvalidateRect(this, erase, updateNow);
    }
    // The bounds of visual (this part or one that answers IBounds2D).
    virtual void InvalidateRect(IVisual* visual, BOOL erase, BOOL updateNow);
    virtual int OnCreate() { return 1; }

protected:
    MvcVisualPart* m_parent = nullptr;
};

} // namespace foundation
} // namespace corvalis
