// The controller's searches: the find and replace dialogs' actions, F3 and Mark All.
#include "editor/edit_controller.h"
#include "editor/edit_find_state.h"
#include "editor/edit_model.h"
#include "editor/edit_viewport.h"
#include "editor/regexp_bounded.h"
#include "editor/search_interrupt.h"
#include "editor/text_store.h"

#include <cwctype>

namespace {

enum : UINT {
    IDS_FIND_NOT_FOUND = 22601,
    IDS_FIND_FINISHED = 22602,
    IDS_REPLACE_READ_ONLY = 22603,
    IDS_REPLACE_LINE_TOO_LONG = 22604,
    IDS_REPLACED_IN_SELECTION = 22605,
    IDS_REPLACED_IN_DOCUMENT = 22606,
    IDS_FIND_STOPPED = 22607,
    IDS_FIND_INVALID = 22608,
    IDS_FIND_CANCELLED = 22609,
};
constexpr int kMarkAllFlag = 17;

// The search text goes in as an argument, never as a format: "%s" in it stays as typed.
void Tell(UINT id, const CString& text, UINT type = MB_ICONEXCLAMATION) {
    CString message;
    AfxFormatString1(message, id, text);
    AfxMessageBox(message, type);
}

void TellCount(UINT id, int value, UINT type) {
    CString format, message;
    format.LoadString(id);
    message.Format(format, value);
    AfxMessageBox(message, type);
}

// The state's engine serves the model's store for as long as one search runs, and listens
// for the running action's stop request.
class EngineLoan {
public:
    EngineLoan(SECEditModel* model, SECEditFindReplaceState* state)
        : m_store(model ? model->GetStore() : nullptr), m_engine(state->m_pRegExp.get()) {
        if (m_engine)
            m_engine->SetInterrupt(state->m_pInterrupt);
        if (m_store)
            m_store->SetRegExpEngine(m_engine);
    }
    ~EngineLoan() {
        if (m_store)
            m_store->SetRegExpEngine(nullptr);
        if (m_engine)
            m_engine->SetInterrupt(nullptr);
    }
    EngineLoan(const EngineLoan&) = delete;
    EngineLoan& operator=(const EngineLoan&) = delete;

private:
    SECEditTextStore* m_store;
    SECEditBoundedRegExp* m_engine;
};

// One stop request for a whole search action: an action that runs another (Replace runs Find)
// shares the outer one's. The state outlives any window the action's message boxes let go.
class InterruptScope {
public:
    explicit InterruptScope(SECEditFindReplaceState* state)
        : m_state(state), m_outer(state->m_pInterrupt == nullptr) {
        if (m_outer)
            m_state->m_pInterrupt = &m_interrupt;
    }
    ~InterruptScope() {
        if (m_outer)
            m_state->m_pInterrupt = nullptr;
    }
    InterruptScope(const InterruptScope&) = delete;
    InterruptScope& operator=(const InterruptScope&) = delete;
    SECEditSearchInterrupt& Get() { return *m_state->m_pInterrupt; }

private:
    SECEditFindReplaceState* m_state;
    bool m_outer;
    SECEditSearchInterrupt m_interrupt;
};

bool IsWordChar(wchar_t ch) {
    return ch == L'_' || std::iswalnum(ch);
}

} // namespace

BOOL SECEditController::FindNotify::OnFindReplace(SECEditFindReplaceDlg* dialog) {
    return m_owner->OnFindReplace(dialog);
}

BOOL SECEditController::FindNotify::HasSelection() {
    return m_owner->HasSelection() && !m_owner->IsMouseSelecting();
}

// ---- the dialogs ----

CString SECEditController::SelectionOrWord() {
    CString text;
    SECEditRange range;
    if (HasSelection() && GetSelection(range, FALSE) && !IsColumnSelection()) {
        const SECEditRange r = range.Normalized();
        if (r.m_start.m_line == r.m_end.m_line && m_editModel)
            m_editModel->GetText(text, r.m_start.m_line, r.m_start.m_column, r.m_end.m_line,
                                 r.m_end.m_column);
        return text;
    }
    CString before, after;
    int line = 0, column = 0;
    const SECEditPosition caret = m_caret;
    const int length = LineLengthOf(caret.m_line);
    const int at = std::min(caret.m_column, length);
    if (GetAdjacentToken(before, caret.m_line, at, FALSE, line, column) &&
        (before.IsEmpty() || !IsWordChar(before[0])))
        before.Empty();
    if (GetAdjacentToken(after, caret.m_line, at, TRUE, line, column) &&
        (after.IsEmpty() || !IsWordChar(after[0])))
        after.Empty();
    return before + after;
}

void SECEditController::ShowFindReplace(BOOL bFind) {
    SECEditFindReplaceState& state = SECEditGetFindReplaceState();
    if (state.m_pDialog != nullptr) {
        state.m_pDialog->SetActiveWindow();
        state.m_pDialog->ShowWindow(SW_SHOW);
        return;
    }
    auto dialog = std::make_unique<SECEditFindReplaceDlg>(bFind, this);
    dialog->SetHistories(&state.m_findHistory, &state.m_replaceHistory);
    dialog->SetMatchCase(state.m_bMatchCase);
    dialog->SetMatchWholeWord(state.m_bWholeWord);
    dialog->SetRegularExpression(state.m_bRegExp);
    dialog->SetRegularExpressionAvailable(state.m_pRegExp != nullptr);
    dialog->SetOwner(&m_findNotify);
    dialog->SetSelectionAvailable(m_findNotify.HasSelection());
    if (bFind)
        dialog->SetSearchDown(state.m_bSearchDown);
    else
        dialog->SetReplaceScope(state.m_bReplaceInSelection);
    dialog->SetReplaceString(state.m_strReplace);
    dialog->SetFindString(SelectionOrWord());
    state.m_bFindDialog = bFind;
    state.m_pController = this;
    state.m_pViewport = m_editViewport;
    state.m_pDialog = dialog.get();
    if (m_modalFindDialogs) {
        dialog->DoModal();
        // The controller may have gone while the dialog ran; then the state forgot it.
        if (state.m_pDialog == dialog.get()) {
            state.m_pDialog = nullptr;
            state.m_pViewport = nullptr;
            state.m_pController = nullptr;
        }
        return;
    }
    if (!dialog->CreateModeless(this)) {
        state.m_pDialog = nullptr;
        state.m_pViewport = nullptr;
        state.m_pController = nullptr;
        return;
    }
    // From here the window owns the dialog: it deletes itself once destroyed.
    SECEditFindReplaceDlg* modeless = dialog.release();
    modeless->SetActiveWindow();
    modeless->ShowWindow(SW_SHOW);
}

BOOL SECEditController::OnFindReplace(SECEditFindReplaceDlg* dialog) {
    SECEditFindReplaceState& state = SECEditGetFindReplaceState();
    if (dialog->IsTerminating()) {
        if (state.m_pDialog == dialog) {
            state.m_pDialog = nullptr;
            state.m_pViewport = nullptr;
            state.m_pController = nullptr;
            if (m_editViewport)
                m_editViewport->InvalidateLines(0, GetLineCount());
        }
        return TRUE;
    }
    state.m_bSearchDown = dialog->SearchDown();
    state.m_bMatchCase = dialog->MatchCase();
    state.m_bWholeWord = dialog->MatchWholeWord();
    state.m_strFind = dialog->GetFindString();
    state.m_strReplace = dialog->GetReplaceString();
    state.m_bReplaceInSelection = dialog->ReplaceInSelection();
    state.m_bFindDialog = dialog->IsFindOnly();
    state.m_bRegExp = dialog->IsRegularExpression();
    if (dialog->FindNext()) {
        if (m_modalFindDialogs)
            m_matchFound = FALSE;
        return Find(&state);
    }
    if (dialog->ReplaceCurrent())
        return SelectionDiffersFromMatch(&state) ? Find(&state) : Replace(&state);
    if (dialog->ReplaceAll())
        return ReplaceAll(&state);
    if (dialog->MarkAll())
        return MarkAll(&state);
    return FALSE;
}

// ---- searching ----

int SECEditController::SearchModel(SECEditFindReplaceState* state, const SECEditPosition& from,
                                   BOOL down, BOOL wrap, SECEditPosition& match,
                                   const SECEditPosition* stop, BOOL regExp) {
    if (m_editModel == nullptr || state->m_strFind.IsEmpty())
        return 0;
    if (regExp == -1)
        regExp = state->m_bRegExp;
    EngineLoan loan(m_editModel, state);
    int line = 0, column = 0;
    const int length =
        m_editModel->Find(from.m_line, from.m_column, line, column, state->m_strFind, down, wrap,
                          state->m_bMatchCase, state->m_bWholeWord && !regExp, regExp,
                          stop ? stop->m_line : -1, stop ? stop->m_column : -1);
    SECEditTextStore* store = m_editModel->GetStore();
    if (length <= 0 && store && store->WasPatternInvalid()) {
        Tell(IDS_FIND_INVALID, state->m_strFind);
        return -1;
    }
    if (length <= 0 && store && store->WasSearchStopped()) {
        const bool byUser = state->m_pInterrupt && state->m_pInterrupt->WasRequested();
        Tell(byUser ? IDS_FIND_CANCELLED : IDS_FIND_STOPPED, state->m_strFind);
        return -1;
    }
    if (length > 0)
        match = SECEditPosition(line, column);
    return std::max(length, 0);
}

SECEditPosition SECEditController::FindStart(BOOL down) {
    SECEditPosition start = m_caret;
    SECEditRange range;
    if (HasSelection() && GetSelection(range, FALSE)) {
        const SECEditRange r = range.Normalized();
        start = down ? r.m_end : r.m_start;
    }
    start.m_column = std::min(start.m_column, LineLengthOf(start.m_line));
    if (!down) {
        // Searching up from inside a token: the token itself is not a match to go back to.
        CString token;
        int line = 0, column = 0;
        if (GetAdjacentToken(token, start.m_line, start.m_column, TRUE, line, column) &&
            !token.IsEmpty() && SECEditPosition(line, column) != start &&
            GetAdjacentToken(token, start.m_line, start.m_column, FALSE, line, column) &&
            !token.IsEmpty() && token[0] != L'\r' && token[0] != L'\n' && IsWordChar(token[0]))
            start = SECEditPosition(line, column);
    }
    return start;
}

BOOL SECEditController::Find(SECEditFindReplaceState* state) {
    if (m_editModel == nullptr || state->m_strFind.IsEmpty())
        return FALSE;
    InterruptScope interrupt(state);
    const BOOL down = state->m_bSearchDown;
    const SECEditPosition start = FindStart(down);
    if (state->m_strFind != m_lastFound) {
        m_lastFound.Empty();
        m_matchFound = FALSE;
    }
    SECEditPosition at;
    const int length = SearchModel(state, start, down, TRUE, at);
    if (length < 0)
        return FALSE; // stopped or invalid: text and selection stay as they are
    BOOL cameRound = FALSE;
    SECEditRange match;
    if (length > 0) {
        match = SECEditRange(at, SECEditPosition(at.m_line, at.m_column + length));
        // A match that runs over lines ends where the text says.
        int endLine = 0, endColumn = 0;
        const int offset = PositionToChar(at.m_line, at.m_column);
        if (offset >= 0 && CharToPosition(offset + length, &endColumn) >= 0) {
            endLine = CharToPosition(offset + length, &endColumn);
            match.m_end = SECEditPosition(endLine, endColumn);
        }
        SECEditRange current;
        cameRound = m_matchFound && HasSelection() && GetSelection(current, FALSE) &&
                    current.Normalized() == match;
    }
    if (length > 0 && !cameRound) {
        SetCaretPosition(match.m_start.m_line, match.m_start.m_column, FALSE);
        ScrollToCaret();
        SetSelection(match, SECEditSelection::modeStream);
        CenterLine(match.m_start.m_line);
        m_lastFound = state->m_strFind;
        m_matchFound = TRUE;
        return TRUE;
    }
    if (!state->m_bFindDialog || cameRound)
        Tell(IDS_FIND_FINISHED, state->m_strFind);
    else
        Tell(IDS_FIND_NOT_FOUND, state->m_strFind);
    if (length == 0) {
        m_lastFound.Empty();
        m_matchFound = FALSE;
        ClearSelection(TRUE);
    }
    return FALSE;
}

BOOL SECEditController::SelectionDiffersFromMatch(SECEditFindReplaceState* state) {
    SECEditRange range;
    if (!HasSelection() || !GetSelection(range, FALSE) || IsColumnSelection())
        return TRUE;
    const SECEditRange r = range.Normalized();
    if (r.m_start.m_line != r.m_end.m_line)
        return TRUE;
    // Only the selection itself is searched: a stop at its end.
    const SECEditPosition stop = r.m_end;
    SECEditPosition at;
    const int length = SearchModel(state, r.m_start, TRUE, FALSE, at, &stop);
    return !(length > 0 && at == r.m_start && r.m_start.m_column + length == r.m_end.m_column);
}

void SECEditController::OnFindNextCommand(UINT id) {
    SECEditFindReplaceState& state = SECEditGetFindReplaceState();
    if (state.m_pDialog != nullptr) {
        state.m_pDialog->SetActiveWindow();
        return;
    }
    const BOOL down = id == SECEDIT_CMD_FIND_NEXT || id == SECEDIT_CMD_FIND_NEXT_SELECTED;
    const BOOL takeSelection =
        id == SECEDIT_CMD_FIND_NEXT_SELECTED || id == SECEDIT_CMD_FIND_PREVIOUS_SELECTED;
    if (takeSelection || state.m_strFind.IsEmpty()) {
        const CString text = SelectionOrWord();
        if (text.IsEmpty()) {
            if (takeSelection)
                ShowFindReplace(TRUE);
            return;
        }
        state.m_strFind = text;
    }
    state.m_bSearchDown = down;
    m_lastFound.Empty();
    Find(&state);
}

// ---- replacing ----

CString SECEditController::Replacement(SECEditFindReplaceState* state, const CString& matched) {
    if (!state->m_bRegExp || !state->m_pRegExp)
        return state->m_strReplace;
    SECEditBoundedRegExp& engine = *state->m_pRegExp;
    engine.SetPattern(state->m_strFind);
    engine.SetIgnoreCase(!state->m_bMatchCase);
    CString text = matched;
    engine.Replace(text, state->m_strReplace, FALSE);
    return text;
}

BOOL SECEditController::LineStaysShort(const SECEditRange& match, const CString& matched,
                                       const CString& replacement) {
    if (replacement.GetLength() <= matched.GetLength() && matched.Find(L'\t') >= 0 &&
        replacement.Find(L'\t') >= 0)
        return TRUE;
    const int maximum = m_editModel->GetMaxLineColumns();
    if (maximum <= 0)
        return TRUE;
    // A character takes a tab's width at the most: a line that is short even so needs no
    // measuring, which would copy it for every replacement of a Replace All.
    const SECEditLangConfig* config = m_editModel->GetLangConfig();
    const int64_t widest = config ? std::max(1, config->GetTabSize()) : 8;
    if (match.m_start.m_line == match.m_end.m_line && replacement.FindOneOf(L"\r\n") < 0) {
        const int64_t length = int64_t(LineLengthOf(match.m_start.m_line)) -
                               (match.m_end.m_column - match.m_start.m_column) +
                               replacement.GetLength();
        if (length * widest <= maximum)
            return TRUE;
    }
    std::wstring before, after;
    LineText(match.m_start.m_line, before);
    LineText(match.m_end.m_line, after);
    std::wstring line = before.substr(0, std::min<size_t>(match.m_start.m_column, before.size()));
    line.append(replacement.GetString(), replacement.GetLength());
    if (static_cast<size_t>(match.m_end.m_column) < after.size())
        line.append(after, match.m_end.m_column, std::wstring::npos);
    // Only the part after the last break inserted is the line measured.
    const size_t lastBreak = line.find_last_of(L"\r\n");
    const wchar_t* text = line.c_str() + (lastBreak == std::wstring::npos ? 0 : lastBreak + 1);
    const int length = static_cast<int>(line.size() - (text - line.c_str()));
    const int columns = m_editModel->DisplayColumnOf(length, 0, text, length, nullptr);
    if (columns <= maximum)
        return TRUE;
    TellCount(IDS_REPLACE_LINE_TOO_LONG, maximum, MB_ICONEXCLAMATION);
    return FALSE;
}

SECEditPosition SECEditController::ReplaceRange(const SECEditRange& range, const CString& text) {
    m_editModel->BeginCompound(1);
    if (range.m_start != range.m_end)
        m_editModel->DeleteText(range.m_start.m_line, range.m_start.m_column, range.m_end.m_line,
                                range.m_end.m_column);
    SECEditRange inserted(range.m_start, range.m_start);
    if (!text.IsEmpty())
        m_editModel->InsertText(inserted, text, text.GetLength());
    m_editModel->EndCompound();
    return text.IsEmpty() ? range.m_start : inserted.m_end;
}

BOOL SECEditController::Replace(SECEditFindReplaceState* state) {
    if (m_editModel == nullptr)
        return FALSE;
    if (m_editModel->IsReadOnly()) {
        AfxMessageBox(IDS_REPLACE_READ_ONLY, MB_ICONEXCLAMATION);
        return FALSE;
    }
    InterruptScope interrupt(state);
    SECEditPosition from = m_caret;
    SECEditRange range;
    if (HasSelection() && GetSelection(range, FALSE))
        from = range.Normalized().m_start;
    from.m_column = std::min(from.m_column, LineLengthOf(from.m_line));
    SECEditPosition at;
    const int length = SearchModel(state, from, TRUE, TRUE, at);
    if (length < 0)
        return FALSE;
    if (length == 0) {
        Tell(IDS_FIND_FINISHED, state->m_strFind);
        return FALSE;
    }
    int endColumn = 0;
    const int endLine = CharToPosition(PositionToChar(at.m_line, at.m_column) + length, &endColumn);
    const SECEditRange match(at, SECEditPosition(endLine, endColumn));
    SetSelection(match, SECEditSelection::modeStream);
    CString matched;
    m_editModel->GetText(matched, match.m_start.m_line, match.m_start.m_column, match.m_end.m_line,
                         match.m_end.m_column);
    const CString replacement = Replacement(state, matched);
    if (!LineStaysShort(match, matched, replacement))
        return FALSE;
    ClearSelection(FALSE);
    const SECEditPosition end = ReplaceRange(match, replacement);
    SetCaretPosition(end.m_line, end.m_column, FALSE);
    m_matchFound = FALSE;
    Find(state);
    return TRUE;
}

BOOL SECEditController::ReplaceAll(SECEditFindReplaceState* state) {
    if (m_editModel == nullptr || state->m_strFind.IsEmpty())
        return FALSE;
    if (m_editModel->IsReadOnly()) {
        AfxMessageBox(IDS_REPLACE_READ_ONLY, MB_ICONEXCLAMATION);
        return FALSE;
    }
    InterruptScope interrupt(state);
    const BOOL inSelection = state->m_bReplaceInSelection && HasSelection();
    // A stopped run puts back what the user had, selection and caret with the text.
    const SECEditSelection savedSelection = m_selection;
    const BOOL savedAnchored = m_anchored;
    const SECEditPosition savedCaret = m_caret;
    const BOOL savedVirtual = m_virtualCaret;
    SECEditPosition position = m_caret;
    SECEditRange range;
    if (HasSelection() && GetSelection(range, FALSE))
        position = range.Normalized().m_start;
    position.m_column = std::min(position.m_column, LineLengthOf(position.m_line));
    SECEditPosition bound = inSelection ? range.Normalized().m_end : position;
    ClearSelection(TRUE);
    LockRedraw(FALSE);
    m_editModel->BeginCompound(1);
    int count = 0;
    BOOL failed = FALSE;
    BOOL wrapped = FALSE;
    for (;;) {
        if (interrupt.Get().Requested()) {
            Tell(IDS_FIND_CANCELLED, state->m_strFind);
            failed = TRUE;
            break;
        }
        SECEditPosition at;
        const int length = SearchModel(state, position, TRUE, !inSelection, at, &bound);
        if (length < 0) {
            failed = TRUE;
            break;
        }
        if (length == 0)
            break;
        int endColumn = 0;
        const int endLine =
            CharToPosition(PositionToChar(at.m_line, at.m_column) + length, &endColumn);
        const SECEditRange match(at, SECEditPosition(endLine, endColumn));
        if (!inSelection && at < position)
            wrapped = TRUE;
        // Past the bound: in a selection its end, after wrapping the place it all began.
        if ((inSelection || wrapped) && match.m_end > bound)
            break;
        CString matched;
        m_editModel->GetText(matched, match.m_start.m_line, match.m_start.m_column,
                             match.m_end.m_line, match.m_end.m_column);
        const CString replacement = Replacement(state, matched);
        if (!LineStaysShort(match, matched, replacement))
            break;
        const SECEditPosition end = ReplaceRange(match, replacement);
        ++count;
        // The bound moves with the text before it.
        if (!(bound < match.m_end)) {
            SECEditRange::AdjustPosition(bound, match, FALSE);
            SECEditRange::AdjustPosition(bound, SECEditRange(match.m_start, end), TRUE);
        }
        position = end;
        if (inSelection && bound < position)
            break;
    }
    m_editModel->EndCompound();
    if (failed) {
        // A stopped search leaves the text as it found it, and what it did is never redone.
        if (count > 0)
            if (corvalis::foundation::CMvcCommand* undone = m_editModel->Undo())
                undone->SetUndoable(FALSE);
        LockRedraw(TRUE);
        ClearSelection(FALSE);
        m_selection = savedSelection;
        m_anchored = savedAnchored;
        SetCaretPosition(savedCaret.m_line, savedCaret.m_column, savedVirtual);
        RepaintSelection();
        return FALSE;
    }
    LockRedraw(TRUE);
    if (count == 0) {
        Tell(IDS_FIND_FINISHED, state->m_strFind);
        return FALSE;
    }
    SetCaretPosition(position.m_line, position.m_column, FALSE);
    ClearSelection(TRUE);
    ScrollToCaret();
    TellCount(inSelection ? IDS_REPLACED_IN_SELECTION : IDS_REPLACED_IN_DOCUMENT, count, MB_OK);
    return TRUE;
}

// ---- marking ----

BOOL SECEditController::MarkAll(SECEditFindReplaceState* state) {
    if (m_editModel == nullptr || state->m_strFind.IsEmpty())
        return FALSE;
    const BOOL down = state->m_bSearchDown;
    SECEditPosition position = m_caret;
    SECEditRange range;
    if (HasSelection() && GetSelection(range, FALSE)) {
        const SECEditRange r = range.Normalized();
        position = down ? r.m_start : r.m_end;
    }
    position.m_column = std::min(position.m_column, LineLengthOf(position.m_line));
    const int lines = GetLineCount();
    int first = -1;
    for (;;) {
        SECEditPosition at;
        const int length = SearchModel(state, position, down, TRUE, at, nullptr, FALSE);
        if (length < 0)
            return FALSE;
        if (length == 0 || at.m_line == first)
            break;
        if (first < 0)
            first = at.m_line;
        if (!m_editModel->GetLineFlag(at.m_line, kMarkAllFlag))
            m_editModel->ToggleLineFlag(at.m_line, kMarkAllFlag);
        if (down) {
            const int next = at.m_line + 1 < lines ? at.m_line + 1 : 0;
            position = SECEditPosition(next, 0);
        } else {
            const int previous = at.m_line > 0 ? at.m_line - 1 : lines - 1;
            position = SECEditPosition(previous, LineLengthOf(previous));
        }
    }
    if (first < 0) {
        CString message;
        message.Format(L"Cannot find the string '%s'.", (LPCWSTR)state->m_strFind);
        AfxMessageBox(message, MB_ICONEXCLAMATION);
        return FALSE;
    }
    ClearSelection(TRUE);
    SetCaretPosition(first, 0, FALSE);
    ScrollToCaret();
    if (m_editViewport)
        m_editViewport->InvalidateLines(0, lines);
    return TRUE;
}
