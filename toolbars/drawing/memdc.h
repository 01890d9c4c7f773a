// SECMemDC: an off-screen DC that collects one paint and copies it to its target when it goes
// out of scope, so that a control paints without flicker. The owner draws on it in the target's
// logical coordinates.
#pragma once

#include "framework/afx.h"

namespace corvalis {
namespace foundation {

class SECMemDC : public CDC {
    DECLARE_DYNAMIC(SECMemDC)
public:
    // Throws CResourceException when pTarget is NULL or the memory DC or bitmap cannot be made.
    SECMemDC(CDC* pTarget, const CRect& bounds);
    // The same, drawing into *pKept, a bitmap the caller keeps from one paint to the next: it is
    // made (again) only while it is smaller than the bounds, so that repeated paints allocate
    // nothing. Its pixels outside the bounds are never copied.
    SECMemDC(CDC* pTarget, const CRect& bounds, CBitmap* pKept);
    ~SECMemDC() override;

    SECMemDC(const SECMemDC&) = delete;
    SECMemDC& operator=(const SECMemDC&) = delete;

private:
    void Init(CBitmap* pKept);
    void ApplyMapping();

    CDC* m_pTarget;
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap = nullptr;
    CRect m_rect;
    CPoint m_viewportOrg;
    CPoint m_windowOrg;
    CSize m_viewportExt;
    CSize m_windowExt;
};

} // namespace foundation
} // namespace corvalis

using corvalis::foundation::SECMemDC;
