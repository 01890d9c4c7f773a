// The selection: what it covers, how it is made and cleared, and the questions the painter asks
// about it.
#include "editor/edit_controller.h"
#include "editor/edit_model.h"
#include "editor/edit_viewport.h"

#include <algorithm>

namespace {
bool IsBlock(int mode) {
    return mode == SECEditSelection::modeBlock || mode == SECEditSelection::modeBlockDrag;
}
} // namespace

int SECEditController::DisplayColumnOfChar(int line, int column) {
    if (m_editModel == nullptr)
        return column;
    const int length = LineLengthOf(line);
    if (column <= length)
        return m_editModel->CharToDisplayColumn(column, 0, line, nullptr);
    return m_editModel->CharToDisplayColumn(length, 0, line, nullptr) + (column - length);
}

int SECEditController::CharColumnOfDisplay(int line, int displayColumn) {
    if (m_editModel == nullptr)
        return displayColumn;
    const int length = LineLengthOf(line);
    const int width = m_editModel->CharToDisplayColumn(length, 0, line, nullptr);
    if (displayColumn >= width)
        return length + (displayColumn - width);
    int snapped = 0;
    return m_editModel->CharToDisplayColumn(displayColumn, 1, line, &snapped);
}

BOOL SECEditController::IsColumnSelection() {
    return HasSelection() && IsBlock(m_selection.m_mode);
}

BOOL SECEditController::HasSelection() {
    if (!m_anchored || m_editModel == nullptr)
        return FALSE;
    if (m_selection.m_mode == SECEditSelection::modeLine) {
        const int first = std::min(m_selection.m_start.m_line, m_selection.m_end.m_line);
        const int last = std::max(m_selection.m_start.m_line, m_selection.m_end.m_line);
        const int lastLine = m_editModel->GetLastLine();
        if (first == last && last >= lastLine)
            return LineLengthOf(lastLine) > 0;
        return TRUE;
    }
    return m_selection.m_start != m_selection.m_end;
}

BOOL SECEditController::GetSelectionBounds(int& startLine, int& startColumn, int& endLine,
                                           int& endColumn, BOOL noAdjust) {
    if (!HasSelection())
        return FALSE;
    SECEditPosition first = std::min(m_selection.m_start, m_selection.m_end);
    SECEditPosition last = std::max(m_selection.m_start, m_selection.m_end);
    const int mode = m_selection.m_mode;
    if (mode == SECEditSelection::modeLine) {
        first.m_column = 0;
        if (last.m_line >= m_editModel->GetLastLine()) {
            last.m_line = m_editModel->GetLastLine();
            last.m_column = LineLengthOf(last.m_line);
        } else {
            last = SECEditPosition(last.m_line + 1, 0);
        }
    } else if (!IsBlock(mode) && !noAdjust) {
        first.m_column = std::min(first.m_column, LineLengthOf(first.m_line));
        last.m_column = std::min(last.m_column, LineLengthOf(last.m_line));
    }
    startLine = first.m_line;
    startColumn = first.m_column;
    endLine = last.m_line;
    endColumn = last.m_column;
    return TRUE;
}

BOOL SECEditController::GetSelection(SECEditRange& range, BOOL noAdjust) {
    int sl = 0, sc = 0, el = 0, ec = 0;
    if (!GetSelectionBounds(sl, sc, el, ec, noAdjust))
        return FALSE;
    range = SECEditRange(sl, sc, el, ec);
    return TRUE;
}

BOOL SECEditController::GetColumnDragRect(CRect& rect) {
    if (!m_anchored || m_selection.m_mode != SECEditSelection::modeBlockDrag)
        return FALSE;
    const int lh = m_editViewport ? m_editViewport->GetLineHeight() : 0;
    rect.SetRect(m_dragStart, m_dragLast);
    rect.NormalizeRect();
    rect.bottom += lh;
    return TRUE;
}

BOOL SECEditController::GetColumnSpan(int line, int& firstColumn, int& lastColumn) {
    firstColumn = lastColumn = 0;
    if (!m_anchored || m_selection.m_mode != SECEditSelection::modeBlock)
        return FALSE;
    const SECEditPosition& a = m_selection.m_start;
    const SECEditPosition& b = m_selection.m_end;
    if (line < std::min(a.m_line, b.m_line) || line > std::max(a.m_line, b.m_line))
        return FALSE;
    const int da = DisplayColumnOfChar(a.m_line, a.m_column);
    const int db = DisplayColumnOfChar(b.m_line, b.m_column);
    firstColumn = CharColumnOfDisplay(line, std::min(da, db));
    lastColumn = CharColumnOfDisplay(line, std::max(da, db));
    return TRUE;
}

BOOL SECEditController::ClearSelection(BOOL repaint) {
    if (!m_anchored)
        return FALSE;
    const BOOL had = HasSelection();
    if (repaint)
        RepaintSelection();
    m_anchored = FALSE;
    m_selection.Clear();
    return had;
}

BOOL SECEditController::IsInSelection(const SECEditPosition& position) {
    if (!HasSelection() || m_selection.m_mode == SECEditSelection::modeBlockDrag)
        return FALSE;
    if (m_selection.m_mode == SECEditSelection::modeBlock) {
        int first = 0, last = 0;
        return GetColumnSpan(position.m_line, first, last) && position.m_column >= first &&
               position.m_column <= last;
    }
    int sl = 0, sc = 0, el = 0, ec = 0;
    GetSelectionBounds(sl, sc, el, ec, TRUE);
    return SECEditRange(sl, sc, el, ec).Contains(position);
}

void SECEditController::RepaintSelection() {
    if (!m_anchored || m_editViewport == nullptr)
        return;
    const int first = std::min(m_selection.m_start.m_line, m_selection.m_end.m_line);
    int last = std::max(m_selection.m_start.m_line, m_selection.m_end.m_line);
    m_editViewport->InvalidateLines(first, last);
}

void SECEditController::InvalidateLineRange(int first, int last) {
    if (m_editViewport)
        m_editViewport->InvalidateLines(std::min(first, last), std::max(first, last));
}

void SECEditController::SetSelection(const SECEditRange& range, int mode) {
    ClearSelection(TRUE);
    if (mode == SECEditSelection::modeBlockDrag)
        mode = SECEditSelection::modeBlock;
    m_selection.Set(range.m_start.m_line, range.m_start.m_column, range.m_end.m_line,
                    range.m_end.m_column, mode);
    m_anchored = TRUE;
    SetCaretPosition(range.m_end.m_line, range.m_end.m_column, IsBlock(mode));
    ScrollToCaret();
    RepaintSelection();
}

void SECEditController::ExtendSelectionTo(int line, int column, BOOL repaint) {
    if (!m_anchored) {
        m_selection.SetCaret(m_caret.m_line, m_caret.m_column, SECEditSelection::modeStream);
        m_anchored = TRUE;
    }
    SetCaretPosition(line, column, m_virtualCaret);
    int first = 0, last = 0;
    m_selection.ExtendTo(m_caret.m_line, m_caret.m_column, &first, &last);
    if (repaint) {
        InvalidateLineRange(first, last);
        ScrollToCaret();
    }
}

void SECEditController::SelectLines(int firstLine, int lastLine) {
    ClearSelection(TRUE);
    if (lastLine == -1)
        lastLine = firstLine;
    m_selection.Set(firstLine, 0, lastLine, 0, SECEditSelection::modeLine);
    m_anchored = TRUE;
    SetCaretPosition(lastLine, 0, FALSE);
    RepaintSelection();
}

void SECEditController::SelectAll(BOOL scroll) {
    if (m_editModel == nullptr)
        return;
    const int last = m_editModel->GetLastLine();
    const int length = LineLengthOf(last);
    if (last <= 0 && length == 0)
        return;
    ClearSelection(TRUE);
    m_selection.Set(last, length, 0, 0, SECEditSelection::modeStream);
    m_anchored = TRUE;
    SetCaretPosition(0, 0, FALSE);
    if (scroll)
        ScrollToCaret();
    RepaintSelection();
}
