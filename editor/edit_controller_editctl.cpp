// The calls of a classic edit control (offsets, the selection as offsets, visible lines) and
// the caret moves that the commands and the main frame's paging use.
#include "editor/edit_controller.h"
#include "editor/edit_model.h"
#include "editor/edit_viewport.h"

#include <algorithm>

namespace {
bool IsBlock(int mode) {
    return mode == SECEditSelection::modeBlock || mode == SECEditSelection::modeBlockDrag;
}

// Blanks, the configuration's delimiters, and everything else.
int ClassOf(wchar_t ch, const SECEditLangConfig* config) {
    if (ch == L' ' || ch == L'\t')
        return 0;
    if (config && config->IsCharInClass(ch, SECEDIT_DELIMITERS))
        return 1;
    return 2;
}
} // namespace

int SECEditController::GetLineCount() const {
    return m_editModel ? m_editModel->GetLineCount() : 0;
}

int SECEditController::GetFirstVisibleLine() const {
    const int lh = m_editViewport ? m_editViewport->GetLineHeight() : 0;
    return lh > 0 ? m_editViewport->GetLogOrigin().y / lh : 0;
}

int SECEditController::GetLastVisibleLine() const {
    const int lh = m_editViewport ? m_editViewport->GetLineHeight() : 0;
    if (lh <= 0)
        return 0;
    return GetFirstVisibleLine() + m_editViewport->GetBounds().Height() / lh;
}

int SECEditController::CharToPosition(int offset, int* column) {
    if (offset == -1) {
        int sl = 0, sc = 0, el = 0, ec = 0;
        if (GetSelectionBounds(sl, sc, el, ec, FALSE)) {
            if (column)
                *column = sc;
            return sl;
        }
        if (column)
            *column = 0;
        return m_caret.m_line;
    }
    int line = 0, col = 0;
    if (m_editModel == nullptr || offset < 0 || !m_editModel->OffsetToPosition(offset, line, col))
        return -1;
    if (column)
        *column = col;
    return line;
}

int SECEditController::PositionToChar(int line, int column) {
    if (m_editModel == nullptr)
        return -1;
    if (line == -1)
        line = m_caret.m_line;
    return m_editModel->PositionToOffset(line, column);
}

void SECEditController::SetSel(int start, int end, BOOL noScroll) {
    if (start == -1) {
        ClearSelection(TRUE);
        return;
    }
    if (start == 0 && end == -1) {
        const BOOL tracking = m_trackCaret;
        m_trackCaret = !noScroll;
        SelectAll(!noScroll);
        m_trackCaret = tracking;
        return;
    }
    int startColumn = 0, endColumn = 0;
    const int startLine = CharToPosition(start, &startColumn);
    const int endLine = CharToPosition(end, &endColumn);
    if (startLine < 0 || endLine < 0)
        return;
    ClearSelection(TRUE);
    m_selection.Set(startLine, startColumn, endLine, endColumn, SECEditSelection::modeStream);
    m_anchored = TRUE;
    SetCaretPosition(endLine, endColumn, FALSE);
    if (!noScroll)
        ScrollToCaret();
    RepaintSelection();
}

void SECEditController::GetSel(int& start, int& end) {
    start = end = 0;
    SECEditRange range;
    if (!GetSelection(range, FALSE))
        return;
    start = PositionToChar(range.m_start.m_line, range.m_start.m_column);
    end = PositionToChar(range.m_end.m_line, range.m_end.m_column);
}

DWORD SECEditController::GetSel() {
    int start = 0, end = 0;
    GetSel(start, end);
    if (start < 0 || end < 0 || start > 0xFFFF || end > 0xFFFF)
        return DWORD(-1);
    return MAKELONG(start, end);
}

BOOL SECEditController::DeleteSelection() {
    if (IsReadOnly() || IsMouseSelecting() || !HasSelection())
        return FALSE;
    const int mode = m_selection.m_mode;
    int sl = 0, sc = 0, el = 0, ec = 0;
    GetSelectionBounds(sl, sc, el, ec, FALSE);
    if (!IsBlock(mode)) {
        ClearSelection(TRUE);
        const BOOL done = m_editModel->DeleteText(sl, sc, el, ec);
        SetCaretPosition(sl, sc, FALSE);
        ScrollToCaret();
        return done;
    }
    // A block goes line by line, each clipped to its line; the caret goes to its top-left.
    std::vector<std::pair<int, int>> spans;
    for (int line = sl; line <= el; ++line) {
        int first = 0, last = 0;
        GetColumnSpan(line, first, last);
        spans.emplace_back(first, last);
    }
    const int left = spans.empty() ? 0 : spans.front().first;
    ClearSelection(TRUE);
    m_editModel->BeginCompound(1);
    for (int line = sl; line <= el; ++line) {
        const int length = LineLengthOf(line);
        const int first = spans[size_t(line - sl)].first;
        const int last = std::min(spans[size_t(line - sl)].second, length);
        if (first < last)
            m_editModel->DeleteText(line, first, line, last);
    }
    m_editModel->EndCompound();
    SetCaretPosition(sl, left, TRUE);
    ScrollToCaret();
    return TRUE;
}

BOOL SECEditController::GetAdjacentToken(CString& text, int line, int column, BOOL forward,
                                         int& endLine, int& endColumn) {
    text.Empty();
    if (m_editModel == nullptr)
        return FALSE;
    if (line < 0 || column < 0) {
        line = m_caret.m_line;
        column = m_caret.m_column;
    }
    const int lastLine = m_editModel->GetLastLine();
    std::wstring chars;
    LineText(line, chars);
    const int length = int(chars.size());
    column = std::min(column, length);
    SECEditLangConfig* config = GetLangConfig();
    if (!forward) {
        if (column == 0) {
            if (line == 0)
                return FALSE;
            endLine = line - 1;
            endColumn = LineLengthOf(endLine);
            text = L"\n";
            return TRUE;
        }
        const int cls = ClassOf(chars[size_t(column - 1)], config);
        int start = column - 1;
        while (start > 0 && ClassOf(chars[size_t(start - 1)], config) == cls)
            --start;
        text.SetString(chars.c_str() + start, column - start);
        endLine = line;
        endColumn = start;
        return TRUE;
    }
    if (column >= length) {
        if (line >= lastLine)
            return FALSE;
        endLine = line + 1;
        endColumn = 0;
        text = L"\n";
        return TRUE;
    }
    const int cls = ClassOf(chars[size_t(column)], config);
    int end = column + 1;
    while (end < length && ClassOf(chars[size_t(end)], config) == cls)
        ++end;
    text.SetString(chars.c_str() + column, end - column);
    endLine = line;
    endColumn = end;
    return TRUE;
}

int SECEditController::PageLines() const {
    const int lh = m_editViewport ? m_editViewport->GetLineHeight() : 0;
    if (lh <= 0 || m_hWnd == NULL)
        return 0;
    CRect client;
    ::GetClientRect(m_hWnd, &client);
    return client.Height() / lh;
}

SECEditPosition SECEditController::TargetOf(Move move) {
    SECEditPosition target = m_caret;
    const int lastLine = std::max(0, GetLineCount() - 1);
    const int length = LineLengthOf(m_caret.m_line);
    const int lh = m_editViewport ? m_editViewport->GetLineHeight() : 0;
    auto fromRow = [&](int line) {
        const int x = m_useRememberedX ? m_rememberedX : m_caretPoint.x;
        SECEditPosition p;
        PositionFromPoint(p, CPoint(std::max(x, GetTextLeft()), line * lh), 0);
        return p;
    };
    switch (move) {
    case moveLineUp:
        if (m_caret.m_line > 0 && lh > 0)
            target = fromRow(m_caret.m_line - 1);
        break;
    case moveLineDown:
        if (m_caret.m_line < lastLine && lh > 0)
            target = fromRow(m_caret.m_line + 1);
        break;
    case moveCharLeft:
        if (m_caret.m_column > 0)
            target.m_column = m_caret.m_column - 1;
        else if (m_caret.m_line > 0)
            target = SECEditPosition(m_caret.m_line - 1, LineLengthOf(m_caret.m_line - 1));
        break;
    case moveCharRight:
        if (m_caret.m_column < length || IsVirtualSpaceAllowed())
            target.m_column = m_caret.m_column + 1;
        else if (m_caret.m_line < lastLine)
            target = SECEditPosition(m_caret.m_line + 1, 0);
        break;
    case moveHome: {
        const int indent = m_editModel ? m_editModel->GetIndentLength(m_caret.m_line) : 0;
        target.m_column = (indent >= length || m_caret.m_column == indent) ? 0 : indent;
        break;
    }
    case moveLineEnd:
        target.m_column = length;
        break;
    case movePageUp:
    case movePageDown: {
        const int page = PageLines();
        if (page < 1)
            break;
        const int step = std::max(1, page - 1);
        const int line = move == movePageUp ? std::max(0, m_caret.m_line - step)
                                            : std::min(lastLine, m_caret.m_line + step);
        if (line == m_caret.m_line)
            break;
        // The view moves as far as the caret, so the caret keeps its row.
        const int first = GetFirstVisibleLine();
        const int maxFirst = std::max(0, GetLineCount() - page);
        const int newFirst = std::max(0, std::min(maxFirst, first + (line - m_caret.m_line)));
        ScrollView(newFirst - first, 0);
        target = fromRow(line);
        break;
    }
    case moveWordLeft:
    case moveWordRight: {
        const BOOL forward = move == moveWordRight;
        CString token;
        int l = 0, c = 0;
        if (!GetAdjacentToken(token, m_caret.m_line, m_caret.m_column, forward, l, c))
            break;
        const bool blankOrBreak = token == L"\n" || token[0] == L' ' || token[0] == L'\t';
        if (!forward) {
            int l2 = l, c2 = c;
            if (blankOrBreak && GetAdjacentToken(token, l, c, FALSE, l2, c2)) {
                l = l2;
                c = c2;
            }
        } else if (token != L"\n" && c < LineLengthOf(l)) {
            CString next;
            int l2 = l, c2 = c;
            if (GetAdjacentToken(next, l, c, TRUE, l2, c2) && next != L"\n" &&
                (next[0] == L' ' || next[0] == L'\t')) {
                l = l2;
                c = c2;
            }
        }
        target = SECEditPosition(l, c);
        break;
    }
    case moveDocStart:
        target = SECEditPosition(0, 0);
        break;
    case moveDocEnd:
        target = SECEditPosition(lastLine, LineLengthOf(lastLine));
        break;
    }
    return target;
}

void SECEditController::MoveCaret(Move move, BOOL extend) {
    if (m_editModel == nullptr)
        return;
    const bool vertical =
        move == moveLineUp || move == moveLineDown || move == movePageUp || move == movePageDown;
    if (!extend) {
        ClearSelection(TRUE);
        const SECEditPosition target = TargetOf(move);
        if (target != m_caret || move == moveDocStart || move == moveDocEnd) {
            SetCaretPosition(target.m_line, target.m_column, IsVirtualSpaceAllowed());
            // The scroll paints at once, and the paint may close the window.
            const HWND self = m_hWnd;
            ScrollToCaret();
            if (self != NULL && !::IsWindow(self))
                return;
        }
    } else {
        if (!m_anchored) {
            m_selection.SetCaret(m_caret.m_line, m_caret.m_column, SECEditSelection::modeStream);
            m_anchored = TRUE;
        }
        ShowOwnCaret(FALSE);
        const SECEditPosition target = TargetOf(move);
        ExtendSelectionTo(target.m_line, target.m_column, TRUE);
        ShowOwnCaret(TRUE);
    }
    if (!vertical)
        m_rememberedX = m_caretPoint.x;
    NotifyModel();
}
