// The caret: where it stands, where it shows, and scrolling the view to keep it visible; the
// conversions between pixel points and text positions; the model's notifications.
#include "editor/edit_controller.h"
#include "editor/edit_measure.h"
#include "editor/edit_model.h"
#include "editor/edit_viewport.h"

#include <algorithm>

using namespace corvalis::foundation;

BOOL SECEditController::IsVirtualSpaceAllowed() const {
    if (m_anchored && (m_selection.m_mode == SECEditSelection::modeBlock ||
                       m_selection.m_mode == SECEditSelection::modeBlockDrag))
        return TRUE;
    SECEditLangConfig* config = GetLangConfig();
    return m_virtualCaret || (config && config->GetVirtualWhitespace());
}

void SECEditController::CreateCaret(BOOL solid) {
    if (m_hWnd == NULL)
        return;
    SECEditDisplayInfo* info = GetDisplayInfo();
    const int height = info ? std::max(1, info->GetLineHeight()) : 16;
    const int width = std::max(2, ::GetSystemMetrics(SM_CXBORDER));
    if (!::CreateCaret(m_hWnd, solid ? NULL : reinterpret_cast<HBITMAP>(1), width, height))
        return;
    m_caretExists = TRUE;
    m_caretHidden = TRUE; // a new caret starts hidden
    PlaceCaret();
    ShowOwnCaret(TRUE);
}

void SECEditController::DestroyCaret() {
    if (!m_caretExists)
        return;
    m_caretExists = FALSE;
    m_caretHidden = FALSE;
    ::DestroyCaret();
}

void SECEditController::ShowOwnCaret(BOOL show) {
    if (!m_caretExists || m_hWnd == NULL)
        return;
    if (show && m_caretHidden) {
        // A caret left of the text area stays hidden.
        if (m_editViewport && m_caretPoint.x - m_editViewport->GetLogOrigin().x < GetTextLeft())
            return;
        ::ShowCaret(m_hWnd);
        m_caretHidden = FALSE;
    } else if (!show && !m_caretHidden) {
        ::HideCaret(m_hWnd);
        m_caretHidden = TRUE;
    }
}

void SECEditController::SetCaretPosition(int line, int column, BOOL allowVirtual) {
    m_virtualCaret = allowVirtual;
    const int lines = GetLineCount();
    line = std::max(0, std::min(line, lines - 1));
    column = std::max(0, column);
    const int length = LineLengthOf(line);
    if (!IsVirtualSpaceAllowed())
        column = std::min(column, length);
    else if (m_editModel)
        column = std::min(column, length + m_editModel->GetMaxLineColumns());
    m_caret = SECEditPosition(line, column);
    PointFromPosition(m_caretPoint, m_caret);
    PlaceCaret();
}

void SECEditController::MoveCaretToPoint(int x, int y, BOOL allowVirtual) {
    CPoint point(x, y);
    if (m_editViewport)
        m_editViewport->DPtoLP(&point, 1);
    SECEditPosition position;
    PositionFromPoint(position, point, 1);
    SetCaretPosition(position.m_line, position.m_column, allowVirtual);
}

void SECEditController::PlaceCaret() {
    if (m_editModel)
        m_caretPastLineEnd = m_caret.m_column > LineLengthOf(m_caret.m_line);
    if (!m_caretExists || m_editViewport == nullptr || m_hWnd == NULL)
        return;
    CPoint device = m_caretPoint;
    m_editViewport->LPtoDP(&device, 1);
    const int textLeft = GetTextLeft();
    if (device.x != textLeft)
        --device.x;
    // Left of the text area the caret hides; it shows again when it comes back.
    if (device.x < textLeft)
        ShowOwnCaret(FALSE);
    ::SetCaretPos(device.x, device.y);
    if (device.x >= textLeft)
        ShowOwnCaret(TRUE);
    if (m_caret.m_line != m_lastCaretLine && !m_internal && !m_caretLeftPosted)
        m_caretLeftPosted =
            ::PostMessageW(m_hWnd, WM_COMMAND, SECEDIT_CMD_CARET_LEFT_LINE, 0) != FALSE;
}

void SECEditController::LockRedraw(BOOL unlock) {
    if (!unlock) {
        ++m_lockCount;
        return;
    }
    if (m_lockCount == 0)
        return;
    if (--m_lockCount == 0) {
        m_trackCaret = TRUE;
        ScrollToCaret();
    }
}

void SECEditController::ScrollView(int lines, int columns) {
    SECEditViewport* viewport = m_editViewport;
    if (viewport == nullptr || (lines == 0 && columns == 0))
        return;
    const int lh = viewport->GetLineHeight();
    const int cw = viewport->GetCharWidth();
    if (lh <= 0 || cw <= 0)
        return;
    if (m_scrollByMessages && m_hWnd != NULL) {
        for (int i = 0; i < std::abs(lines); ++i)
            ::SendMessageW(m_hWnd, WM_VSCROLL, lines < 0 ? SB_LINEUP : SB_LINEDOWN, 0);
        for (int i = 0; i < std::abs(columns); ++i)
            ::SendMessageW(m_hWnd, WM_HSCROLL, columns < 0 ? SB_LINELEFT : SB_LINERIGHT, 0);
        PlaceCaret();
        return;
    }
    auto pixels = [](int64_t steps, int unit) {
        return int(std::max<int64_t>(INT_MIN / 2, std::min<int64_t>(INT_MAX / 2, steps * unit)));
    };
    const CPoint before = viewport->GetLogOrigin();
    const CPoint after = viewport->ScrollOrigin(pixels(columns, cw), pixels(lines, lh));
    viewport->ScrollContents(before.x - after.x, before.y - after.y);
    if (after != before)
        viewport->OnLogSizeChanged(0, 0);
    PlaceCaret();
}

void SECEditController::ScrollToCaret() {
    if (!m_trackCaret || m_lockCount > 0 || m_editViewport == nullptr)
        return;
    SECEditViewport* viewport = m_editViewport;
    const int lh = viewport->GetLineHeight();
    const int cw = viewport->GetCharWidth();
    if (lh <= 0 || cw <= 0)
        return;
    CRect visible = viewport->GetLogBounds();
    visible.left += GetTextLeft();
    visible.bottom -= lh;
    const CPoint caret = m_caretPoint;
    int lines = 0, columns = 0;
    if (caret.y < visible.top)
        lines = -((visible.top - caret.y) / lh);
    else if (caret.y > visible.bottom)
        lines = (caret.y - visible.bottom) / lh + 1;
    // Sideways the view jumps 8 characters further than it must.
    if (caret.x < visible.left)
        columns = -8 - (visible.left - caret.x) / cw;
    else if (caret.x > visible.right)
        columns = (caret.x - visible.right) / cw + 8;
    if (lines != 0 || columns != 0) {
        ScrollView(lines, columns);
        // The paint may reach code that closes the window and deletes this controller.
        const HWND self = m_hWnd;
        if (self != NULL) {
            ::UpdateWindow(self);
            if (!::IsWindow(self))
                return;
        }
    }
    SetCaretPosition(m_caret.m_line, m_caret.m_column, FALSE);
}

void SECEditController::ScrollLines(int lines, int columns) {
    ScrollView(lines, columns);
}

void SECEditController::CenterLine(int line) {
    SECEditViewport* viewport = m_editViewport;
    if (viewport == nullptr)
        return;
    const int lh = viewport->GetLineHeight();
    if (lh <= 0)
        return;
    if (line < 0)
        line = m_caret.m_line;
    const int visibleLines = viewport->GetLogBounds().Height() / lh;
    const int top = viewport->GetLogOrigin().y / lh;
    ScrollLines(line - visibleLines / 2 - top, 0);
}

void SECEditController::InitPosition() {
    if (m_timer != 0 && m_hWnd != NULL && ::IsWindow(m_hWnd))
        ::KillTimer(m_hWnd, m_timer);
    m_timer = 0;
    ClearSelection(FALSE);
    m_lockCount = 0;
    m_rememberedX = 0;
    m_caretPastLineEnd = FALSE;
    m_mouseSelecting = FALSE;
    m_lastTypingSerial = 0;
    m_lastCaretLine = -1;
    m_caretLeftPosted = false;
    m_internal = FALSE;
    m_trackCaret = TRUE;
    m_virtualCaret = FALSE;
    if (m_hWnd != NULL && ::IsWindow(m_hWnd)) {
        SetCaretPosition(0, 0, FALSE);
    } else {
        m_caret = SECEditPosition(0, 0);
        m_caretPoint = CPoint(GetTextLeft(), 0);
    }
}

// ---- points and positions ----

void SECEditController::PointFromPosition(CPoint& point, const SECEditPosition& position) {
    PointFromPositionWorker(point, position);
}

void SECEditController::PointFromPositionWorker(CPoint& point, const SECEditPosition& position) {
    SECEditDisplayInfo* info = GetDisplayInfo();
    const int lh = info ? info->GetLineHeight() : 0;
    const int cw = info ? info->GetCharWidth() : 0;
    point.y = position.m_line * lh;
    point.x = GetTextLeft();
    if (info == nullptr || m_editModel == nullptr)
        return;
    std::wstring text;
    LineText(position.m_line, text);
    const int length = int(text.size());
    const int column = std::max(0, position.m_column);
    point.x +=
        SECEditTabbedWidth(info->GetDC(), text.c_str(), std::min(column, length), 0, GetTabWidth());
    if (column > length)
        point.x += (column - length) * cw;
}

void SECEditController::PositionFromPoint(SECEditPosition& position, CPoint point, int flags) {
    PositionFromPointWorker(position, point, flags);
}

void SECEditController::PositionFromPointWorker(SECEditPosition& position, CPoint& point,
                                                int flags) {
    SECEditDisplayInfo* info = GetDisplayInfo();
    const int lh = info ? info->GetLineHeight() : 0;
    const int cw = info ? info->GetCharWidth() : 0;
    position = SECEditPosition(0, 0);
    if (info == nullptr || m_editModel == nullptr || lh <= 0 || cw <= 0)
        return;
    const int line = std::max(0, std::min<int>(point.y / lh, GetLineCount() - 1));
    point.y = line * lh;
    position.m_line = line;
    const int textLeft = GetTextLeft();
    if (point.x < textLeft && !(flags & 1) && !m_internal) {
        point.x = textLeft;
        return;
    }
    int offset = point.x - textLeft;
    if (offset <= 0) {
        point.x = textLeft;
        return;
    }
    std::wstring text;
    LineText(line, text);
    const int length = int(text.size());
    const int tabWidth = GetTabWidth();
    const int extent = SECEditTabbedWidth(info->GetDC(), text.c_str(), length, 0, tabWidth);
    if (extent < offset) {
        position.m_column = length;
        if (IsVirtualSpaceAllowed()) {
            const int extra = std::min((offset - extent) / cw, m_editModel->GetMaxLineColumns());
            position.m_column += extra;
            point.x = textLeft + extent + extra * cw;
        } else {
            point.x = textLeft + extent;
        }
        return;
    }
    position.m_column = ColumnFromX(text.c_str(), length, offset, info->GetDC(), tabWidth, flags);
    point.x = textLeft + offset;
}

int SECEditController::ColumnFromX(const wchar_t* text, int length, int& x, HDC dc, int tabWidth,
                                   int flags) {
    return SECEditColumnFromX(dc, text, length, x, tabWidth, flags);
}

// ---- notifications ----

void SECEditController::OnUpdate(IMessage* message) {
    if (message == nullptr)
        return;
    switch (message->GetTypeID()) {
    case SECEDIT_HINT_INITIALIZE:
        InitPosition();
        break;
    case SECEDIT_HINT_FONT:
    case SECEDIT_HINT_RECOLOUR:
        if (m_editViewport) {
            const CRect bounds = m_editViewport->GetLogBounds();
            m_editViewport->SetLogOrigin(bounds.left, bounds.top);
            if (m_caretExists) {
                // The caret takes the new line height.
                DestroyCaret();
                CreateCaret(TRUE);
            }
            SetCaretPosition(m_caret.m_line, m_caret.m_column, m_virtualCaret);
            m_editViewport->InvalidateVisual(TRUE, FALSE);
        }
        break;
    case SECEDIT_HINT_COMMAND: {
        UpdateCaretAfterEdit(message);
        auto* command = dynamic_cast<SECEditCommand*>(message);
        if (command && m_anchored && !m_mouseSelecting) {
            const BOOL inserted = (command->m_insert != FALSE) == (command->m_executed != FALSE);
            m_selection.AdjustRange(command->m_range.Normalized(), inserted);
        }
        if (m_caretExists) {
            ClearSelection(FALSE);
            ScrollToCaret();
        }
        break;
    }
    default:
        break;
    }
}

void SECEditController::UpdateCaretAfterEdit(IMessage* message) {
    auto* command = dynamic_cast<SECEditCommand*>(message);
    if (command == nullptr)
        return;
    const SECEditRange range = command->m_range.Normalized();
    const BOOL inserted = (command->m_insert != FALSE) == (command->m_executed != FALSE);
    SECEditPosition caret = m_caret;
    if (m_caretExists)
        caret = inserted ? range.m_end : range.m_start;
    else
        SECEditRange::AdjustPosition(caret, range, inserted);
    if (caret == m_caret)
        return;
    m_caret = caret;
    PointFromPosition(m_caretPoint, m_caret);
    m_rememberedX = m_caretPoint.x;
    PlaceCaret();
    NotifyModel();
}
