// The edit rules: replacing the selection, new lines with indentation, tabs over lines,
// deleting backwards, forwards and by words, case changes, cutting lines, and the fill of the
// virtual space past a line's end.
#include "editor/edit_controller.h"
#include "editor/edit_model.h"
#include "editor/edit_viewport.h"

#include <algorithm>

namespace {
bool IsBlank(wchar_t ch) {
    return ch == L' ' || ch == L'\t';
}
bool IsBlockMode(int mode) {
    return mode == SECEditSelection::modeBlock || mode == SECEditSelection::modeBlockDrag;
}
} // namespace

BOOL SECEditController::ExecuteCommand(corvalis::foundation::CMvcCommand* command) {
    if (m_editModel == nullptr || command == nullptr)
        return FALSE;
    LockRedraw(FALSE);
    const BOOL result = m_editModel->Do(command);
    LockRedraw(TRUE);
    return result;
}

BOOL SECEditController::InsertText(int line, int column, const wchar_t* text, BOOL, BOOL) {
    SECEditPosition position(line, column);
    return InsertTextAt(position, text, 0);
}

BOOL SECEditController::InsertTextAt(SECEditPosition& position, const wchar_t* text, int) {
    if (m_editModel == nullptr || text == nullptr || *text == 0)
        return FALSE;
    const int length = LineLengthOf(position.m_line);
    if (position.m_column > length) {
        CString fill;
        m_editModel->MakeWhitespace(fill, position.m_column - length, position.m_line, length,
                                    TRUE);
        if (!fill.IsEmpty() && !m_editModel->InsertTextAt(position.m_line, length, fill))
            return FALSE;
        position.m_column = length + fill.GetLength();
    }
    SECEditRange range(position.m_line, position.m_column, position.m_line, position.m_column);
    if (!m_editModel->InsertText(range, text))
        return FALSE;
    position = range.m_end;
    return TRUE;
}

void SECEditController::FillVirtualSpace() {
    if (m_editModel == nullptr)
        return;
    const int length = LineLengthOf(m_caret.m_line);
    if (m_caret.m_column <= length)
        return;
    // The fill is an edit, and an edit clears the selection: keep it.
    const SECEditSelection kept = m_selection;
    const BOOL anchored = m_anchored;
    CString fill;
    m_editModel->MakeWhitespace(fill, m_caret.m_column - length, m_caret.m_line, length, TRUE);
    const int line = m_caret.m_line;
    if (!fill.IsEmpty() && m_editModel->InsertTextAt(line, length, fill))
        SetCaretPosition(line, length + fill.GetLength(), FALSE);
    m_selection = kept;
    m_anchored = anchored;
}

void SECEditController::InsertAtCaret(const wchar_t* text) {
    SECEditPosition at = m_caret;
    if (InsertTextAt(at, text, 0))
        SetCaretPosition(at.m_line, at.m_column, FALSE);
}

void SECEditController::DeleteSelectionInStep() {
    if (HasSelection())
        DeleteSelection();
    else
        ClearSelection(TRUE);
}

void SECEditController::ReplaceSelection(const wchar_t* text, BOOL column) {
    if (!CanEdit())
        return;
    m_editModel->BeginCompound(1);
    LockRedraw(FALSE);
    ShowOwnCaret(FALSE);
    DeleteSelectionInStep();
    if (text && *text) {
        if (column)
            InsertColumnText(text);
        else
            InsertAtCaret(text);
    }
    LockRedraw(TRUE);
    ShowOwnCaret(TRUE);
    m_editModel->EndCompound();
}

void SECEditController::InsertColumnText(const CString& text) {
    const SECEditPosition start = m_caret;
    const int display = DisplayColumnOfChar(start.m_line, start.m_column);
    int line = start.m_line;
    int from = 0;
    const int total = text.GetLength();
    while (from < total) {
        int end = text.Find(L'\n', from);
        const bool last = end < 0;
        if (last)
            end = total;
        CString piece = text.Mid(from, end - from);
        if (!piece.IsEmpty() && piece[piece.GetLength() - 1] == L'\r')
            piece = piece.Left(piece.GetLength() - 1);
        from = end + 1;
        // A block longer than the text below it gets lines of its own.
        if (line > m_editModel->GetLastLine())
            m_editModel->InsertTextAt(line - 1, LineLengthOf(line - 1), L"\n");
        if (!piece.IsEmpty()) {
            SECEditPosition at(line, CharColumnOfDisplay(line, display));
            InsertTextAt(at, piece, 0);
        }
        if (last)
            break;
        ++line;
    }
    SetCaretPosition(start.m_line, start.m_column, TRUE);
}

CString SECEditController::GetSelectedText() {
    CString out;
    int sl = 0, sc = 0, el = 0, ec = 0;
    if (m_editModel == nullptr || !GetSelectionBounds(sl, sc, el, ec, FALSE))
        return out;
    if (!IsBlockMode(m_selection.m_mode)) {
        m_editModel->GetText(out, sl, sc, el, ec);
        return out;
    }
    std::wstring chars;
    for (int line = sl; line <= el; ++line) {
        int first = 0, last = 0;
        GetColumnSpan(line, first, last);
        LineText(line, chars);
        const int length = int(chars.size());
        first = std::min(first, length);
        last = std::min(last, length);
        if (first < last)
            out += CString(chars.c_str() + first, last - first);
        out += L"\n";
    }
    return out;
}

void SECEditController::NewLine() {
    if (!CanEdit())
        return;
    SECEditModel* model = m_editModel;
    if (model->GetOvertype()) {
        MoveCaret(moveLineDown, FALSE);
        SetCaretPosition(m_caret.m_line, model->GetIndentLength(m_caret.m_line), FALSE);
        ScrollToCaret();
        return;
    }
    m_lastTypingSerial = 0;
    ShowOwnCaret(FALSE);
    model->BeginCompound(1);
    int keptIndent = -1;
    int virtualIndent = 0;
    if (HasSelection()) {
        ReplaceSelection(L"\n", FALSE);
    } else {
        const int length = LineLengthOf(m_caret.m_line);
        if (m_caret.m_column > length) {
            if (model->IsLineBlank(m_caret.m_line))
                keptIndent = DisplayColumnOfChar(m_caret.m_line, m_caret.m_column);
            SetCaretPosition(m_caret.m_line, length, FALSE);
        }
        InsertAtCaret(L"\n");
    }
    SECEditLangConfig* config = GetLangConfig();
    if (config && config->GetAutoIndent() && m_caret.m_line > 0) {
        const int previous = m_caret.m_line - 1;
        const int indent = keptIndent >= 0
                               ? keptIndent
                               : DisplayColumnOfChar(previous, model->GetIndentLength(previous));
        if (indent > 0 && LineLengthOf(m_caret.m_line) == 0) {
            virtualIndent = indent;
        } else if (indent > 0) {
            CString blanks;
            model->MakeWhitespace(blanks, indent, m_caret.m_line, 0, TRUE);
            InsertAtCaret(blanks);
        }
    }
    model->EndCompound();
    ScrollToCaret();
    // An empty new line gets its indentation only when text is typed there.
    if (virtualIndent > 0)
        SetCaretPosition(m_caret.m_line, virtualIndent, TRUE);
    m_rememberedX = m_caretPoint.x;
    ShowOwnCaret(TRUE);
    NotifyModel();
}

BOOL SECEditController::SpansLines() {
    if (!HasSelection() || IsBlockMode(m_selection.m_mode))
        return FALSE;
    return m_selection.m_mode == SECEditSelection::modeLine ||
           m_selection.m_start.m_line != m_selection.m_end.m_line;
}

void SECEditController::IndentLines(BOOL outdent) {
    SECEditModel* model = m_editModel;
    const int first = std::min(m_selection.m_start.m_line, m_selection.m_end.m_line);
    const int last = std::max(m_selection.m_start.m_line, m_selection.m_end.m_line);
    const bool caretAtStart = m_caret == std::min(m_selection.m_start, m_selection.m_end);
    const BOOL hadCaret = m_caretExists;
    DestroyCaret();
    LockRedraw(FALSE);
    model->BeginCompound(1);
    const int tab = std::max(1, GetLangConfig() ? GetLangConfig()->GetTabSize() : 4);
    std::wstring chars;
    for (int line = first; line <= last; ++line) {
        LineText(line, chars);
        if (!outdent) {
            if (!chars.empty())
                model->InsertTab(line, 0);
            continue;
        }
        int count = 0;
        if (!chars.empty() && chars[0] == L'\t')
            count = 1;
        else
            while (count < tab && size_t(count) < chars.size() && chars[size_t(count)] == L' ')
                ++count;
        if (count > 0)
            model->DeleteText(line, 0, line, count);
    }
    model->EndCompound();
    // A line selection, its caret end where the caret stood.
    m_selection.Set(caretAtStart ? last : first, 0, caretAtStart ? first : last, 0,
                    SECEditSelection::modeLine);
    m_anchored = TRUE;
    SetCaretPosition(caretAtStart ? first : last, 0, FALSE);
    LockRedraw(TRUE);
    if (hadCaret)
        CreateCaret(TRUE);
    InvalidateLineRange(first, last + 1);
    NotifyModel();
}

void SECEditController::Tab() {
    if (!CanEdit())
        return;
    m_lastTypingSerial = 0;
    if (SpansLines()) {
        IndentLines(FALSE);
        return;
    }
    SECEditModel* model = m_editModel;
    if (model->GetOvertype() && m_caret.m_column < LineLengthOf(m_caret.m_line)) {
        // Overwrite moves to the next tab stop and inserts nothing.
        ClearSelection(TRUE);
        const int tab = std::max(1, GetLangConfig() ? GetLangConfig()->GetTabSize() : 4);
        if (tab == 1) {
            MoveCaret(moveCharRight, FALSE);
            return;
        }
        const int d = DisplayColumnOfChar(m_caret.m_line, m_caret.m_column);
        const int target = d + tab - d % tab;
        SetCaretPosition(m_caret.m_line, CharColumnOfDisplay(m_caret.m_line, target), FALSE);
        ScrollToCaret();
        m_rememberedX = m_caretPoint.x;
        NotifyModel();
        return;
    }
    ShowOwnCaret(FALSE);
    model->BeginCompound(1);
    DeleteSelectionInStep();
    FillVirtualSpace();
    const int line = m_caret.m_line;
    const int column = m_caret.m_column;
    const int before = LineLengthOf(line);
    if (model->InsertTab(line, column))
        SetCaretPosition(line, column + LineLengthOf(line) - before, FALSE);
    model->EndCompound();
    ScrollToCaret();
    m_rememberedX = m_caretPoint.x;
    ShowOwnCaret(TRUE);
    NotifyModel();
}

void SECEditController::BackTab() {
    if (m_editModel == nullptr || IsColumnSelection())
        return;
    if (SpansLines() && !IsMouseSelecting()) {
        if (!IsReadOnly())
            IndentLines(TRUE);
        return;
    }
    ClearSelection(TRUE);
    if (m_caret.m_column == 0)
        return;
    const int tab = std::max(1, GetLangConfig() ? GetLangConfig()->GetTabSize() : 4);
    if (tab == 1) {
        MoveCaret(moveCharLeft, FALSE);
        return;
    }
    const int d = DisplayColumnOfChar(m_caret.m_line, m_caret.m_column);
    if (d < tab) {
        MoveCaret(moveHome, FALSE);
        return;
    }
    const int target = d % tab ? d - d % tab : d - tab;
    SetCaretPosition(m_caret.m_line, CharColumnOfDisplay(m_caret.m_line, target),
                     IsVirtualSpaceAllowed());
    ScrollToCaret();
    m_rememberedX = m_caretPoint.x;
    NotifyModel();
}

void SECEditController::Backspace() {
    if (!CanEdit())
        return;
    if (HasSelection()) {
        ReplaceSelection(L"", FALSE);
        return;
    }
    const SECEditPosition caret = m_caret;
    if (caret.m_line == 0 && caret.m_column == 0)
        return;
    const int length = LineLengthOf(caret.m_line);
    if (caret.m_column > length) {
        SetCaretPosition(caret.m_line, length, FALSE);
        return;
    }
    ShowOwnCaret(FALSE);
    SECEditPosition from;
    if (caret.m_column == 0) {
        from = SECEditPosition(caret.m_line - 1, LineLengthOf(caret.m_line - 1));
    } else {
        std::wstring chars;
        LineText(caret.m_line, chars);
        const int c = caret.m_column;
        const bool pair = c >= 2 && IS_LOW_SURROGATE(chars[size_t(c - 1)]) &&
                          IS_HIGH_SURROGATE(chars[size_t(c - 2)]);
        from = SECEditPosition(caret.m_line, c - (pair ? 2 : 1));
    }
    m_editModel->DeleteText(from.m_line, from.m_column, caret.m_line, caret.m_column);
    SetCaretPosition(from.m_line, from.m_column, FALSE);
    ScrollToCaret();
    m_rememberedX = m_caretPoint.x;
    ShowOwnCaret(TRUE);
    NotifyModel();
}

void SECEditController::DeleteForward() {
    if (!CanEdit())
        return;
    if (HasSelection()) {
        ReplaceSelection(L"", FALSE);
        return;
    }
    const int lastLine = m_editModel->GetLastLine();
    // Checked before the fill: past the text's end there is nothing to delete, and blanks
    // added there would change the text for nothing.
    if (m_caret.m_line >= lastLine && m_caret.m_column >= LineLengthOf(m_caret.m_line))
        return;
    m_editModel->BeginCompound(1);
    FillVirtualSpace();
    const int line = m_caret.m_line;
    const int column = m_caret.m_column;
    std::wstring chars;
    LineText(line, chars);
    const int length = int(chars.size());
    if (column >= length) {
        m_editModel->DeleteText(line, length, line + 1, 0);
    } else {
        const bool pair = IS_HIGH_SURROGATE(chars[size_t(column)]) && column + 1 < length &&
                          IS_LOW_SURROGATE(chars[size_t(column + 1)]);
        m_editModel->DeleteText(line, column, line, column + (pair ? 2 : 1));
    }
    m_editModel->EndCompound();
    SetCaretPosition(line, std::min(column, LineLengthOf(line)), FALSE);
    ScrollToCaret();
    NotifyModel();
}

void SECEditController::DeleteWord(BOOL forward) {
    if (!CanEdit())
        return;
    MoveCaret(forward ? moveWordRight : moveWordLeft, TRUE);
    if (HasSelection())
        ReplaceSelection(L"", FALSE);
}

void SECEditController::ChangeCase(BOOL upper) {
    if (!CanEdit() || !HasSelection())
        return;
    const SECEditSelection kept = m_selection;
    const BOOL block = IsBlockMode(m_selection.m_mode);
    CString text = GetSelectedText();
    if (text.IsEmpty())
        return;
    // The platform's mapping knows every script's letters, not only Latin ones.
    std::wstring mapped(size_t(text.GetLength()) * 3 + 1, L'\0');
    const int n = ::LCMapStringW(LOCALE_USER_DEFAULT, upper ? LCMAP_UPPERCASE : LCMAP_LOWERCASE,
                                 text, text.GetLength(), &mapped[0], int(mapped.size()));
    if (n <= 0)
        return;
    ReplaceSelection(CString(mapped.c_str(), n), block);
    m_selection = kept;
    m_anchored = TRUE;
    SetCaretPosition(kept.m_end.m_line, kept.m_end.m_column, block);
    RepaintSelection();
}

BOOL SECEditController::SelectWholeLines() {
    int first = m_caret.m_line, last = m_caret.m_line;
    if (HasSelection()) {
        int sl = 0, sc = 0, el = 0, ec = 0;
        GetSelectionBounds(sl, sc, el, ec, TRUE);
        first = sl;
        last = el;
        // A stream selection ending at a line's start does not take that line.
        if (m_selection.m_mode != SECEditSelection::modeLine && ec == 0 && el > sl)
            last = el - 1;
    }
    const int lastLine = m_editModel->GetLastLine();
    SECEditPosition end(last + 1, 0);
    if (last >= lastLine)
        end = SECEditPosition(lastLine, LineLengthOf(lastLine));
    ClearSelection(TRUE);
    m_selection.Set(first, 0, end.m_line, end.m_column, SECEditSelection::modeStream);
    m_anchored = TRUE;
    return last >= lastLine;
}

void SECEditController::CutLine(BOOL copy) {
    if (!CanEdit())
        return;
    const BOOL toTheEnd = SelectWholeLines();
    if (copy)
        Copy();
    // The last line has no break of its own: the one before it goes with it.
    const int first = m_selection.m_start.m_line;
    if (toTheEnd && first > 0)
        m_selection.Set(first - 1, LineLengthOf(first - 1), m_selection.m_end.m_line,
                        m_selection.m_end.m_column, SECEditSelection::modeStream);
    if (HasSelection())
        ReplaceSelection(L"", FALSE);
    else
        ClearSelection(TRUE);
}

BOOL SECEditController::GetWordAt(CString& text, int line, int column, int& start, int& end) {
    text.Empty();
    if (m_editModel == nullptr)
        return FALSE;
    if (line < 0 || column < 0) {
        line = m_caret.m_line;
        column = m_caret.m_column;
    }
    std::wstring chars;
    LineText(line, chars);
    const int length = int(chars.size());
    if (length == 0)
        return FALSE;
    column = std::min(column, length);
    SECEditLangConfig* config = GetLangConfig();
    auto isDelimiter = [&](wchar_t ch) {
        return config && config->IsCharInClass(ch, SECEDIT_DELIMITERS);
    };
    CString back, forward;
    int bl = 0, bc = column, fl = 0, fc = column;
    const bool haveBack = column > 0 && !IsBlank(chars[size_t(column - 1)]) &&
                          GetAdjacentToken(back, line, column, FALSE, bl, bc);
    const bool haveForward = column < length && !IsBlank(chars[size_t(column)]) &&
                             GetAdjacentToken(forward, line, column, TRUE, fl, fc);
    if (!haveBack && !haveForward)
        return FALSE;
    start = end = column;
    if (haveBack && haveForward && isDelimiter(back[0]) != isDelimiter(forward[0])) {
        // Between a word and a delimiter the word is meant.
        if (isDelimiter(back[0]))
            end = fc;
        else
            start = bc;
    } else {
        if (haveBack)
            start = bc;
        if (haveForward)
            end = fc;
    }
    text = CString(chars.c_str() + start, end - start);
    return TRUE;
}

BOOL SECEditController::GetWordAtCaret(CString& text, int& start, int& end) {
    return GetWordAt(text, -1, -1, start, end);
}

BOOL SECEditController::GetTokenBeforeCaret(CString& text, int& line, int& column) {
    return GetAdjacentToken(text, -1, -1, FALSE, line, column);
}

BOOL SECEditController::GetTokenAfterCaret(CString& text, int& line, int& column) {
    return GetAdjacentToken(text, -1, -1, TRUE, line, column);
}

void SECEditController::SelectWordAtCaret() {
    CString word;
    int start = 0, end = 0;
    if (!GetWordAtCaret(word, start, end) || word.IsEmpty())
        return;
    const int line = m_caret.m_line;
    ClearSelection(TRUE);
    SetSelection(SECEditRange(line, start, line, end), SECEditSelection::modeStream);
    m_rememberedX = m_caretPoint.x;
    NotifyModel();
}
