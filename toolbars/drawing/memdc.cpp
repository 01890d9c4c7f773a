#include "toolbars/drawing/memdc.h"

namespace corvalis {
namespace foundation {

IMPLEMENT_DYNAMIC(SECMemDC, CDC)

SECMemDC::SECMemDC(CDC* pTarget, const CRect& bounds) : m_pTarget(pTarget), m_rect(bounds) {
    Init(NULL);
}

SECMemDC::SECMemDC(CDC* pTarget, const CRect& bounds, CBitmap* pKept)
    : m_pTarget(pTarget), m_rect(bounds) {
    Init(pKept);
}

void SECMemDC::Init(CBitmap* pKept) {
    CDC* pTarget = m_pTarget;
    const CRect& bounds = m_rect;
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

    if (!CreateCompatibleDC(pTarget))
        AfxThrowResourceException();
    CBitmap* pBitmap = pKept != NULL ? pKept : &m_bitmap;
    BITMAP bm = {};
    if (pBitmap->GetSafeHandle() == NULL || !pBitmap->GetBitmap(&bm) ||
        bm.bmWidth < bounds.Width() || bm.bmHeight < bounds.Height()) {
        pBitmap->DeleteObject();
        if (!pBitmap->CreateCompatibleBitmap(pTarget, bounds.Width(), bounds.Height()))
            AfxThrowResourceException();
    }
    m_pOldBitmap = SelectObject(pBitmap);
    ApplyMapping();
    if (pKept != NULL)
        IntersectClipRect(&m_rect); // a larger kept bitmap: drawing stops at the bounds
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
