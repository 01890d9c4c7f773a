// A custom toolbar's borders in cool look: a raised line on each bordered side, and an etched
// double line at the top of a bar that cannot be docked (it sits under the menu for good).
#include "toolbars/custom_toolbar.h"

void SECCustomToolBar::DrawBorders(CDC* pDC, CRect& rect) {
    if (!IsCoolLook()) {
        SECControlBar::DrawBorders(pDC, rect);
        return;
    }
    const COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    const DWORD dwStyle = m_dwStyle;
    if ((dwStyle & CBRS_BORDER_TOP) && m_pDockContext == nullptr) {
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, clrShadow);
        pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, clrHilite);
        rect.top += 2;
    } else if (dwStyle & CBRS_BORDER_TOP) {
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, clrHilite);
        rect.top++;
    }
    if (dwStyle & CBRS_BORDER_BOTTOM) {
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, clrShadow);
        rect.bottom--;
    }
    if (dwStyle & CBRS_BORDER_LEFT) {
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), clrHilite);
        rect.left++;
    }
    if (dwStyle & CBRS_BORDER_RIGHT) {
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), clrShadow);
        rect.right--;
    }
    if ((m_dwExStyle & CBRS_EX_GRIPPER) && IsDocked())
        DrawGripperEx(pDC, rect, IsHorzDocked());
}
