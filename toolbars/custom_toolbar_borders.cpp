// A custom toolbar's borders in cool look: a raised line on each bordered side, and an etched
// double line at the top of a bar that cannot be docked (it sits under the menu for good); and
// its background in the flat look.
#include "toolbars/custom_toolbar.h"

#include "toolbars/drawing/toolkitcolors.h"

#include <algorithm>

namespace {
// The flat look's palette entries for a bar: its background and its gripper marks.
const int kFlatBackground = 0;
const int kFlatGripper = 32;
} // namespace

void SECCustomToolBar::DrawFlatBackground(CDC* pDC) {
    CRect rect;
    GetClientRect(&rect);
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    pDC->FillSolidRect(&rect, m_bFlatPaint ? clrFace : GetToolkitColor(kFlatBackground));
    if (!m_bFlatPaint)
        pDC->Draw3dRect(&rect, clrFace, clrFace);
    if (!(m_dwExStyle & CBRS_EX_GRIPPER) || !IsDocked())
        return;
    // Marks of 3 pixels every 2 pixels, from 5 pixels in to 4 before the far edge: a column
    // down a horizontal bar's gripper, a row across a vertical bar's, in the middle of the
    // space before the buttons.
    const COLORREF clrMark = GetToolkitColor(kFlatGripper);
    const BOOL bHorz = IsHorzDocked();
    CRect inside = rect;
    CalcInsideRect(inside, bHorz);
    if (bHorz) {
        const int x = rect.left + std::max<int>(0, (inside.left - rect.left - 3) / 2);
        for (int y = rect.top + 5; y < rect.bottom - 4; y += 2)
            pDC->FillSolidRect(x, y, 3, 1, clrMark);
    } else {
        const int y = rect.top + std::max<int>(0, (inside.top - rect.top - 3) / 2);
        for (int x = rect.left + 5; x < rect.right - 4; x += 2)
            pDC->FillSolidRect(x, y, 1, 3, clrMark);
    }
}

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
