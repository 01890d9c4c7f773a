#include "editor/mvc_visual.h"

#include <climits>
#include <cstdint>

namespace corvalis {
namespace foundation {

namespace {
// value * num / den without overflow on the way; results beyond int saturate.
int ScaleDimension(int value, int num, int den) {
    const int64_t scaled = static_cast<int64_t>(value) * num / den;
    if (scaled > INT_MAX)
        return INT_MAX;
    if (scaled < INT_MIN)
        return INT_MIN;
    return static_cast<int>(scaled);
}
} // namespace

bool CMvcVisualComponent::QueryGuid(const GUID& guid, void** out) {
    if (SameGuid(guid, IID_IVisual)) {
        *out = static_cast<IVisual*>(this);
        return true;
    }
    if (SameGuid(guid, IID_IBounds2D) || SameGuid(guid, IID_ISize2D) ||
        SameGuid(guid, IID_IRefCount) || SameGuid(guid, IID_IQueryGuid)) {
        *out = static_cast<IBounds2D*>(this);
        return true;
    }
    *out = nullptr;
    return false;
}

void CMvcVisualComponent::MoveOrigin(int dx, int dy) {
    SetOrigin(m_bounds.left + dx, m_bounds.top + dy);
}

void CMvcVisualComponent::ScaleSize(int numX, int denX, int numY, int denY, bool center) {
    const CSize old = GetSize();
    const int cx = denX == 0 ? old.cx : ScaleDimension(old.cx, numX, denX);
    const int cy = denY == 0 ? old.cy : ScaleDimension(old.cy, numY, denY);
    if (center)
        OffsetOrigin(-(cx - old.cx) / 2, -(cy - old.cy) / 2);
    SetSize(cx, cy);
}

CSize CMvcVisualComponent::SetSize(int cx, int cy) {
    const CSize old = GetSize();
    m_bounds.right = m_bounds.left + cx;
    m_bounds.bottom = m_bounds.top + cy;
    return old;
}

CPoint CMvcVisualComponent::SetOrigin(int x, int y) {
    const CPoint old = GetOrigin();
    m_bounds.left = x;
    m_bounds.top = y;
    return old;
}

CPoint CMvcVisualComponent::OffsetOrigin(int dx, int dy) {
    m_bounds.OffsetRect(dx, dy);
    return GetOrigin();
}

void MvcVisualPart::SetParent(MvcVisualPart* parent) {
    SetParentVisual(parent);
    OnCreate();
}

void MvcVisualPart::Invalidate(const CRect& rect, BOOL erase, BOOL updateNow) {
    if (m_parent)
        m_parent->Invalidate(rect, erase, updateNow);
}

void MvcVisualPart::ValidateRect(const CRect& rect) {
    if (m_parent)
        m_parent->ValidateRect(rect);
}

void MvcVisualPart::InvalidateRect(IVisual* visual, BOOL erase, BOOL updateNow) {
    if (visual == static_cast<IVisual*>(this)) {
        Invalidate(m_bounds, erase, updateNow);
        return;
    }
    void* bounds = nullptr;
    if (visual && visual->QueryGuid(IID_IBounds2D, &bounds) && bounds)
        Invalidate(static_cast<IBounds2D*>(bounds)->GetBounds(), erase, updateNow);
}

} // namespace foundation
} // namespace corvalis
