// Dragging a toolbar button with the mouse: within its bar, onto another bar, off every bar
// (removed, or copied into a new floating user bar), or from a palette of commands.
#include "toolbars/custom_toolbar.h"

#include "framework/docview/miniframe.h"
#include "toolbars/toolbar_manager.h"
#include "toolbars/toolbar_rect_tracker.h"

#include <array>

namespace {
BOOL g_bDragRunning = FALSE;
BOOL g_bAltDrag = FALSE;
const UINT kCopyCursor = 20691;

// Marks a drag for its duration, even when it ends with an exception.
class DragMark {
public:
    explicit DragMark(BOOL bAlt) : m_bOldDrag(g_bDragRunning), m_bOldAlt(g_bAltDrag) {
        g_bDragRunning = TRUE;
        g_bAltDrag = bAlt;
    }
    ~DragMark() {
        g_bDragRunning = m_bOldDrag;
        g_bAltDrag = m_bOldAlt;
    }
    DragMark(const DragMark&) = delete;
    DragMark& operator=(const DragMark&) = delete;

private:
    BOOL m_bOldDrag;
    BOOL m_bOldAlt;
};

// The custom toolbar at a screen point: the bar under it, or the first bar of the floating
// frame under it.
SECCustomToolBar* ToolBarAtPoint(CPoint pt) {
    for (HWND hWnd = ::WindowFromPoint(pt); hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (auto* pBar = dynamic_cast<SECCustomToolBar*>(pWnd))
            return pBar;
        if (auto* pFloat = dynamic_cast<CMiniDockFrameWnd*>(pWnd))
            return dynamic_cast<SECCustomToolBar*>(pFloat->GetFirstBar());
        if (::GetWindowLongW(hWnd, GWL_STYLE) & WS_POPUP)
            break;
    }
    return nullptr;
}

// The bar a rectangle (screen) was dropped on: the manager's choice, else the bar under one of
// its corners.
SECCustomToolBar* DropTarget(SECToolBarManager* pManager, const CRect& rect) {
    if (pManager != nullptr)
        if (SECCustomToolBar* pBar = pManager->ToolBarFromRect(rect))
            return pBar;
    const std::array<CPoint, 4> corners = {
        CPoint(rect.left, rect.top), CPoint(rect.right - 1, rect.top),
        CPoint(rect.left, rect.bottom - 1), CPoint(rect.right - 1, rect.bottom - 1)};
    // The customize dialog's own palettes are no place to drop on: a drop there is a drop
    // onto the dialog.
    const HWND hDialog = pManager != nullptr ? pManager->GetCustomizeWnd() : NULL;
    for (const CPoint& pt : corners)
        if (SECCustomToolBar* pBar = ToolBarAtPoint(pt))
            if (hDialog == NULL || !::IsChild(hDialog, pBar->m_hWnd))
                return pBar;
    return nullptr;
}

// A new floating user bar holding one button for nID, its button's top-left at rect's.
BOOL CopyIntoNewBar(SECToolBarManager* pManager, UINT nID, const CRect& rect) {
    CFrameWnd* pFrame = pManager != nullptr ? pManager->GetFrameWnd() : nullptr;
    SECCustomToolBar* pBar = pFrame != nullptr ? pManager->CreateUserToolBar() : nullptr;
    if (pBar == nullptr) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return FALSE;
    }
    pBar->InsertButton(0, nID, nID == 0, TRUE);
    pFrame->FloatControlBar(pBar, rect.TopLeft(), CBRS_ALIGN_TOP);
    // The frame's borders and caption lie before the bar: move it so the button lands where
    // it was dropped.
    CFrameWnd* pFloat = pBar->GetParentFrame();
    if (pFloat != nullptr && pFloat != pFrame) {
        pFloat->RecalcLayout(TRUE);
        CRect rcButton;
        pBar->GetButtonRect(0, rcButton);
        pBar->ClientToScreen(&rcButton);
        CRect rcFloat;
        pFloat->GetWindowRect(&rcFloat);
        pFloat->SetWindowPos(NULL, rcFloat.left + rect.left - rcButton.left,
                             rcFloat.top + rect.top - rcButton.top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!g_bAltDrag)
        pBar->SelectButton(0, TRUE);
    return TRUE;
}
} // namespace

BOOL IsButtonDragRunning() {
    return g_bDragRunning;
}

BOOL IsAltButtonDrag() {
    return g_bAltDrag;
}

BOOL SECCustomToolBar::DragViaManager(int nIndex, int x, int y) {
    return DragButton(GetToolBarManager(), GetButton(nIndex), nIndex, x, y, this, this,
                      IsCopyDrag());
}

BOOL SECCustomToolBar::DragButton(SECToolBarManager* pManager, SECStdBtn* pBtn, int nIndex, int x,
                                  int y, SECCustomToolBar* pSource, CWnd* pWnd, BOOL bCopy) {
    if (pBtn == nullptr || pWnd == nullptr || pWnd->GetSafeHwnd() == NULL)
        return FALSE;
    const BOOL bAlt = ::GetKeyState(VK_MENU) < 0;
    const DragMark mark(bAlt);
    // The selection is the customize mode's; an Alt drag outside it selects nothing.
    if (pSource != nullptr && pSource->IsCustomizeMode())
        pSource->SelectButton(nIndex, TRUE);
    else if (pManager != nullptr && pManager->GetSelectionBar() != nullptr)
        pManager->GetSelectionBar()->ClearSelection(TRUE);
    // Read before anything moves: the source may lose the button, and a user bar itself.
    const UINT nID = (pBtn->m_nStyle & SEC_TBBS_SEPARATOR) ? 0 : pBtn->m_nID;
    SECToolBarRectTracker tracker(pBtn->GetRect());
    HCURSOR hOldCursor = NULL;
    if (bCopy)
        if (HCURSOR hCopy = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(kCopyCursor)))
            hOldCursor = ::SetCursor(hCopy);
    const HWND hWnd = pWnd->GetSafeHwnd();
    const BOOL bMoved = tracker.Track(pWnd, CPoint(x, y));
    if (hOldCursor != NULL)
        ::SetCursor(hOldCursor);
    if (!::IsWindow(hWnd))
        return FALSE;
    // A cancelled move is a drag that ran and ended as the user chose: it changes nothing.
    if (!bMoved)
        return TRUE;
    CRect rect = tracker.m_rect;
    ::MapWindowPoints(hWnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);

    SECCustomToolBar* pTarget = DropTarget(pManager, rect);
    const int nSource = pSource != nullptr ? pSource->IndexOfButton(pBtn) : -1;
    if (pTarget == nullptr) {
        CRect rcDialog, rcMeet;
        if (pManager != nullptr)
            pManager->GetCustomizeWndRect(rcDialog);
        if (rcMeet.IntersectRect(&rcDialog, &rect))
            return FALSE;
        if (bCopy)
            return CopyIntoNewBar(pManager, nID, rect);
        if (nSource < 0)
            return FALSE;
        pSource->RemoveButton(nSource);
        return TRUE;
    }
    if (pSource != nullptr && pSource->GetKeepButtons() && pTarget != pSource)
        return FALSE;
    if (!pTarget->AcceptDrop()) {
        if (bCopy || nSource < 0)
            return FALSE;
        pSource->RemoveButton(nSource);
        return TRUE;
    }
    pTarget->ScreenToClient(&rect);
    return pTarget->DropButton(rect, pBtn, pSource, bCopy);
}
