// The mouse: clicks, drag selection, the wheel and the cursor over the margin.
#include "editor/edit_commands.h"
#include "editor/edit_controller.h"
#include "editor/edit_model.h"
#include "editor/edit_viewport.h"

#include <algorithm>

void SECEditController::OnLButtonDown(UINT flags, CPoint point) {
    if (m_editModel == nullptr || m_editViewport == nullptr)
        return;
    if (m_hWnd != NULL && ::GetFocus() != m_hWnd)
        ::SetFocus(m_hWnd);
    const HWND self = m_hWnd;
    m_lastTypingSerial = 0;
    if (point.x < GetTextLeft()) {
        ClearSelection(TRUE);
        if (flags & MK_CONTROL) {
            const int last = m_editModel->GetLastLine();
            SetSelection(SECEditRange(0, 0, last, LineLengthOf(last)),
                         SECEditSelection::modeStream);
            return;
        }
        CPoint logical = point;
        m_editViewport->DPtoLP(&logical, 1);
        SECEditPosition position;
        PositionFromPoint(position, logical, 0);
        SetCaretPosition(position.m_line, 0, FALSE);
        m_selection.Set(position.m_line, 0, position.m_line, 0, SECEditSelection::modeLine);
        m_anchored = TRUE;
        m_mouseSelecting = TRUE;
        m_timer = ::SetTimer(m_hWnd, SECEDIT_TIMER_AUTOSCROLL, 100, nullptr);
        corvalis::foundation::SetCaptureController(this);
        RepaintSelection();
        return;
    }
    CPoint logical = point;
    m_editViewport->DPtoLP(&logical, 1);
    SECEditPosition at;
    PositionFromPoint(at, logical, 1);
    if (HasSelection() && !m_mouseSelecting && IsInSelection(at) && CanDrag()) {
        SetCaretPosition(at.m_line, at.m_column, FALSE);
        DoDragDrop();
        if (::IsWindow(self))
            ::InvalidateRect(self, nullptr, FALSE);
        return;
    }
    const BOOL shift = (flags & MK_SHIFT) != 0;
    const SECEditPosition old = m_caret;
    if (!shift)
        ClearSelection(TRUE);
    MoveCaretToPoint(point.x, point.y, IsVirtualSpaceAllowed());
    ScrollToCaret();
    m_rememberedX = m_caretPoint.x;
    if (shift) {
        const SECEditPosition target = m_caret;
        if (!m_anchored) {
            m_selection.SetCaret(old.m_line, old.m_column, SECEditSelection::modeStream);
            m_anchored = TRUE;
        }
        ExtendSelectionTo(target.m_line, target.m_column, TRUE);
    } else if (flags & MK_CONTROL) {
        SelectWordAtCaret();
    } else {
        const int mode = ::GetKeyState(VK_MENU) < 0 ? SECEditSelection::modeBlockDrag
                                                    : SECEditSelection::modeStream;
        m_selection.SetCaret(m_caret.m_line, m_caret.m_column, mode);
        m_anchored = TRUE;
        m_dragStart = m_dragLast = m_caretPoint;
        m_mouseSelecting = TRUE;
        m_ignoreNextMove = TRUE;
        m_timer = ::SetTimer(m_hWnd, SECEDIT_TIMER_AUTOSCROLL, 100, nullptr);
        corvalis::foundation::SetCaptureController(this);
    }
    NotifyModel();
}

void SECEditController::OnMouseMove(UINT, CPoint point) {
    if (!m_mouseSelecting || m_editViewport == nullptr)
        return;
    if (m_ignoreNextMove) {
        m_ignoreNextMove = FALSE;
        return;
    }
    const SECEditPosition old = m_caret;
    const BOOL block = m_selection.m_mode == SECEditSelection::modeBlockDrag;
    MoveCaretToPoint(point.x, point.y, block);
    ScrollToCaret();
    if (m_selection.m_mode == SECEditSelection::modeLine && point.x >= GetTextLeft()) {
        // Dragged from the margin into the text: a stream selection from the line's start.
        m_selection.m_mode = SECEditSelection::modeStream;
        ::SetCursor(::LoadCursorW(nullptr, IDC_IBEAM));
    }
    if (m_selection.m_mode == SECEditSelection::modeLine) {
        int first = 0, last = 0;
        m_selection.ExtendTo(m_caret.m_line, 0, &first, &last);
        InvalidateLineRange(first, last + 1);
    } else if (block) {
        // The block is drawn by inverting what changed between the old and the new rectangle.
        CRect before, after;
        GetColumnDragRect(before);
        m_selection.m_end = m_caret;
        m_dragLast = m_caretPoint;
        GetColumnDragRect(after);
        const int left = GetTextLeft();
        auto toDevice = [&](CRect r) {
            CPoint corners[2] = {r.TopLeft(), r.BottomRight()};
            m_editViewport->LPtoDP(corners, 2);
            CRect d(corners[0], corners[1]);
            d.left = std::max<LONG>(d.left, left);
            return d;
        };
        const CRect a = toDevice(before), b = toDevice(after);
        HRGN ra = ::CreateRectRgnIndirect(&a);
        HRGN rb = ::CreateRectRgnIndirect(&b);
        ::CombineRgn(ra, ra, rb, RGN_XOR);
        if (HDC dc = ::GetDC(m_hWnd)) {
            ::InvertRgn(dc, ra);
            ::ReleaseDC(m_hWnd, dc);
        }
        ::DeleteObject(ra);
        ::DeleteObject(rb);
    } else {
        int first = 0, last = 0;
        if (m_selection.ExtendTo(m_caret.m_line, m_caret.m_column, &first, &last))
            InvalidateLineRange(first, last);
    }
    if (m_caret != old)
        NotifyModel();
}

void SECEditController::EndMouseSelection() {
    m_mouseSelecting = FALSE;
    m_ignoreNextMove = FALSE;
    if (corvalis::foundation::GetCaptureController() == this)
        corvalis::foundation::SetCaptureController(nullptr);
    else if (m_hWnd != NULL && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (m_timer != 0 && m_hWnd != NULL) {
        ::KillTimer(m_hWnd, m_timer);
        m_timer = 0;
    }
}

void SECEditController::OnLButtonUp(UINT, CPoint) {
    if (!m_mouseSelecting)
        return;
    EndMouseSelection();
    if (m_selection.m_mode == SECEditSelection::modeLine) {
        // A line selection counts whole lines: a click already holds its line and break.
        RepaintSelection();
    } else if (m_selection.m_mode == SECEditSelection::modeBlockDrag) {
        m_selection.m_mode = SECEditSelection::modeBlock;
        m_selection.m_end = m_caret;
        const int a = DisplayColumnOfChar(m_selection.m_start.m_line, m_selection.m_start.m_column);
        const int b = DisplayColumnOfChar(m_selection.m_end.m_line, m_selection.m_end.m_column);
        InvalidateLineRange(m_selection.m_start.m_line, m_selection.m_end.m_line);
        if (a == b)
            ClearSelection(TRUE);
    } else if (m_anchored && !HasSelection()) {
        ClearSelection(FALSE);
    }
    NotifyModel();
}

void SECEditController::OnLButtonDblClk(UINT flags, CPoint point) {
    if (m_editModel == nullptr)
        return;
    if (point.x < GetTextLeft()) {
        if (!(flags & MK_CONTROL))
            ClearSelection(TRUE);
        return;
    }
    if (m_mouseSelecting)
        EndMouseSelection();
    SelectWordAtCaret();
}

void SECEditController::OnMouseWheel(int delta) {
    if (m_editViewport == nullptr || m_editModel == nullptr)
        return;
    const int lh = m_editViewport->GetLineHeight();
    if (lh <= 0)
        return;
    // Steps below a notch (precise wheels) add up until they make one.
    const long long sum = (long long)m_wheelRemainder + delta;
    const long long notches = sum / WHEEL_DELTA;
    m_wheelRemainder = int(sum % WHEEL_DELTA);
    if (notches == 0)
        return;
    long long lines = notches * -3;
    const int first = GetFirstVisibleLine();
    const int page = PageLines();
    if (lines > 0) {
        // Not past the point where the last line reaches the bottom.
        const long long room = std::max(0LL, (long long)GetLineCount() - (first + page));
        lines = std::min(lines, room);
    } else {
        lines = std::max(lines, -(long long)first);
    }
    if (lines != 0)
        ScrollLines(int(lines), 0);
}

BOOL SECEditController::OnSetCursor(UINT hitTest) {
    if (hitTest != HTCLIENT || m_hWnd == NULL)
        return FALSE;
    POINT cursor;
    if (!::GetCursorPos(&cursor) || !::ScreenToClient(m_hWnd, &cursor))
        return FALSE;
    if (cursor.x >= GetTextLeft() || m_marginCursor == NULL)
        return FALSE;
    ::SetCursor(m_marginCursor);
    return TRUE;
}
