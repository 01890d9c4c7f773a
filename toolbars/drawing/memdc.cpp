#include "toolbars/drawing/memdc.h"

namespace corvalis {
namespace foundation {

IMPLEMENT_DYNAMIC(SECMemDC, CDC)

SECMemDC::SECMemDC(CDC* pTarget, const CRect& bounds) : m_pTarget(pTarget), m_rect(bounds) {
    if (pTarget == NULL || pTarget->GetSafeHdc() == NULL)
        AfxThrowResourceException();
    CDC* pAttrib = CDC::FromHandle(pTarget->m_hAttribDC ? pTarget->m_hAttribDC : pTarget->m_hDC);
    m_viewportOrg = pAttrib->GetViewportOrg();
    m_windowOrg = pAttrib->GetWindowOrg();
    m_viewportExt = pAttrib->GetViewportExt();
    m_windowExt = pAttrib->GetWindowExt();

    // The bitmap holds the bounds alone; its origin is the device point of the bounds' top-left
    // corner, so the memory DC's viewport is shifted by that point (the target's own viewport
    // origin whenever the bounds start at the device origin).
    CPoint corner = bounds.TopLeft();
    pAttrib->LPtoDP(&corner);
    m_viewportOrg.x -= corner.x;
    m_viewportOrg.y -= corner.y;

    if (!CreateCompatibleDC(pTarget) ||
        !m_bitmap.CreateCompatibleBitmap(pTarget, bounds.Width(), bounds.Height())) {
        AfxThrowResourceException();
    }
    m_pOldBitmap = SelectObject(&m_bitmap);
    ApplyMapping();
}

SECMemDC::~SECMemDC() {
    ApplyMapping();
    m_pTarget->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left,
                      m_rect.top, SRCCOPY);
    SelectObject(m_pOldBitmap);
}

void SECMemDC::ApplyMapping() {
    SetViewportOrg(m_viewportOrg);
    SetWindowOrg(m_windowOrg);
    SetViewportExt(m_viewportExt);
    SetWindowExt(m_windowExt);
}

} // namespace foundation
} // namespace corvalis
