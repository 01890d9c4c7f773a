// The command table: moves, edits, line flags, and the update handlers of menus and panes.
#include "editor/edit_commands.h"
#include "editor/edit_controller.h"
#include "editor/edit_model.h"
#include "editor/edit_viewport.h"
#include "framework/win/cmdui.h"
#include "framework/win/winapp.h"

#include <algorithm>

namespace {
struct MoveEntry {
    UINT id;
    SECEditController::Move move;
    BOOL extend;
};
using M = SECEditController;
constexpr MoveEntry kMoves[] = {
    {SECEDIT_ID_LINE_UP, M::moveLineUp, FALSE},
    {SECEDIT_ID_LINE_DOWN, M::moveLineDown, FALSE},
    {SECEDIT_ID_CHAR_LEFT, M::moveCharLeft, FALSE},
    {SECEDIT_ID_CHAR_RIGHT, M::moveCharRight, FALSE},
    {SECEDIT_ID_HOME, M::moveHome, FALSE},
    {SECEDIT_ID_LINE_END, M::moveLineEnd, FALSE},
    {SECEDIT_ID_DOC_START, M::moveDocStart, FALSE},
    {SECEDIT_ID_DOC_END, M::moveDocEnd, FALSE},
    {SECEDIT_ID_PAGE_UP, M::movePageUp, FALSE},
    {SECEDIT_ID_PAGE_DOWN, M::movePageDown, FALSE},
    {SECEDIT_ID_WORD_LEFT, M::moveWordLeft, FALSE},
    {SECEDIT_ID_WORD_RIGHT, M::moveWordRight, FALSE},
    {SECEDIT_ID_EXTEND_LINE_UP, M::moveLineUp, TRUE},
    {SECEDIT_ID_EXTEND_LINE_DOWN, M::moveLineDown, TRUE},
    {SECEDIT_ID_EXTEND_CHAR_LEFT, M::moveCharLeft, TRUE},
    {SECEDIT_ID_EXTEND_CHAR_RIGHT, M::moveCharRight, TRUE},
    {SECEDIT_ID_EXTEND_HOME, M::moveHome, TRUE},
    {SECEDIT_ID_EXTEND_LINE_END, M::moveLineEnd, TRUE},
    {SECEDIT_ID_EXTEND_DOC_START, M::moveDocStart, TRUE},
    {SECEDIT_ID_EXTEND_DOC_END, M::moveDocEnd, TRUE},
    {SECEDIT_ID_EXTEND_PAGE_UP, M::movePageUp, TRUE},
    {SECEDIT_ID_EXTEND_PAGE_DOWN, M::movePageDown, TRUE},
    {SECEDIT_ID_EXTEND_WORD_LEFT, M::moveWordLeft, TRUE},
    {SECEDIT_ID_EXTEND_WORD_RIGHT, M::moveWordRight, TRUE},
};
} // namespace

BOOL SECEditController::OnEditCommand(UINT id) {
    if (m_editModel == nullptr)
        return FALSE;
    for (const MoveEntry& entry : kMoves)
        if (entry.id == id) {
            // Typing after a move starts a new step, even back at the run's end.
            m_lastTypingSerial = 0;
            MoveCaret(entry.move, entry.extend);
            return TRUE;
        }
    switch (id) {
    case SECEDIT_ID_SCROLL_DOWN:
        ScrollLines(1, 0);
        break;
    case SECEDIT_ID_SCROLL_UP:
        ScrollLines(-1, 0);
        break;
    case SECEDIT_ID_CLEAR_SELECTION:
        ClearSelection(TRUE);
        break;
    case SECEDIT_ID_SELECT_ALL:
        SelectAll(TRUE);
        break;
    case SECEDIT_ID_SELECT_WORD:
        SelectWordAtCaret();
        break;
    case SECEDIT_ID_NEWLINE:
        NewLine();
        break;
    case SECEDIT_ID_TAB:
        Tab();
        break;
    case SECEDIT_ID_BACK_TAB:
        BackTab();
        break;
    case SECEDIT_ID_BACKSPACE:
        Backspace();
        break;
    case SECEDIT_ID_DELETE:
        DeleteForward();
        break;
    case SECEDIT_ID_DELETE_WORD_BACK:
    case SECEDIT_ID_DELETE_WORD:
        DeleteWord(id == SECEDIT_ID_DELETE_WORD);
        break;
    case SECEDIT_ID_CUT_LINE:
    case SECEDIT_ID_DELETE_LINE:
        CutLine(id == SECEDIT_ID_CUT_LINE);
        break;
    case SECEDIT_ID_LOWER_CASE:
    case SECEDIT_ID_UPPER_CASE:
        ChangeCase(id == SECEDIT_ID_UPPER_CASE);
        break;
    case SECEDIT_ID_OVERWRITE:
        m_editModel->SetOvertype(!m_editModel->GetOvertype());
        NotifyModel();
        break;
    case SECEDIT_ID_SHOW_WHITESPACE:
        if (SECEditLangConfig* config = GetLangConfig()) {
            config->SetShowWhitespace(!config->GetShowWhitespace());
            NotifyModel();
            if (m_editViewport)
                m_editViewport->InvalidateVisual(TRUE, FALSE);
        }
        break;
    case SECEDIT_ID_LANG_DIALOG:
        DestroyCaret();
        m_editModel->ChooseFont();
        if (m_hWnd != NULL && ::GetFocus() == m_hWnd)
            CreateCaret(TRUE);
        ScrollToCaret();
        break;
    case SECEDIT_ID_COPY:
        Copy();
        break;
    case SECEDIT_ID_CUT:
        Cut();
        break;
    case SECEDIT_ID_PASTE:
        Paste();
        break;
    case SECEDIT_ID_UNDO:
    case SECEDIT_ID_REDO:
        Undo(id == SECEDIT_ID_REDO);
        break;
    case SECEDIT_ID_FIND:
    case SECEDIT_ID_REPLACE:
        ShowFindReplace(id == SECEDIT_ID_FIND);
        break;
    case SECEDIT_ID_FIND_NEXT:
    case SECEDIT_ID_FIND_NEXT_WORD:
    case SECEDIT_ID_FIND_PREVIOUS:
    case SECEDIT_ID_FIND_PREVIOUS_WORD:
        OnFindNextCommand(id);
        break;
    default:
        return FALSE;
    }
    return TRUE;
}

void SECEditController::Undo(BOOL redo) {
    if (!CanEdit())
        return;
    m_lastTypingSerial = 0;
    LockRedraw(FALSE);
    if (redo)
        m_editModel->Redo();
    else
        m_editModel->Undo();
    LockRedraw(TRUE);
}

void SECEditController::OnFlagCommand(UINT id) {
    if (m_editModel == nullptr)
        return;
    if (id == SECEDIT_ID_TOGGLE_HIGHLIGHT) {
        ToggleFlag19(-1);
        return;
    }
    const int line = m_caret.m_line;
    if (id < SECEDIT_ID_FLAG_NEXT) {
        const int flag = int(id - SECEDIT_ID_FLAG_TOGGLE);
        m_editModel->ToggleLineFlag(line, flag);
        if (m_editViewport)
            m_editViewport->InvalidateLines(line, line);
        NotifyModel();
    } else if (id < SECEDIT_ID_FLAG_CLEAR) {
        const BOOL forward = id < SECEDIT_ID_FLAG_PREVIOUS;
        const int flag = int(id - (forward ? SECEDIT_ID_FLAG_NEXT : SECEDIT_ID_FLAG_PREVIOUS));
        const int found = m_editModel->FindFlaggedLine(line, flag, forward);
        if (found < 0)
            return;
        ClearSelection(TRUE);
        SetCaretPosition(found, 0, FALSE);
        ScrollToCaret();
        m_rememberedX = m_caretPoint.x;
        NotifyModel();
    } else {
        m_editModel->ClearFlagEverywhere(int(id - SECEDIT_ID_FLAG_CLEAR));
        if (m_editViewport)
            m_editViewport->InvalidateVisual(TRUE, FALSE);
        NotifyModel();
    }
}

void SECEditController::OnUpdateFlagCommand(CCmdUI* ui) {
    if (ui->m_nID < SECEDIT_ID_FLAG_NEXT || m_editModel == nullptr) {
        ui->Enable(m_editModel != nullptr);
        return;
    }
    UINT base = SECEDIT_ID_FLAG_CLEAR;
    if (ui->m_nID < SECEDIT_ID_FLAG_PREVIOUS)
        base = SECEDIT_ID_FLAG_NEXT;
    else if (ui->m_nID < SECEDIT_ID_FLAG_CLEAR)
        base = SECEDIT_ID_FLAG_PREVIOUS;
    ui->Enable(m_editModel->CountFlaggedLines(int(ui->m_nID - base)) > 0);
}

void SECEditController::OnUpdateUndo(CCmdUI* ui) {
    ui->Enable(m_editModel && m_editModel->GetUndoCount() > 0);
}

void SECEditController::OnUpdateRedo(CCmdUI* ui) {
    ui->Enable(m_editModel && m_editModel->GetRedoCount() > 0);
}

void SECEditController::OnUpdateOverwrite(CCmdUI* ui) {
    ui->Enable(m_editModel && m_editModel->GetOvertype());
}

CString SECEditController::FormatCaretStatus() {
    CString format;
    if (!format.LoadString(SECEDIT_ID_STATUS_POSITION))
        format = L"Ln %d, Col %d";
    const int column = m_editModel ? DisplayColumnOfChar(m_caret.m_line, m_caret.m_column) : 0;
    CString text;
    text.Format(format, m_caret.m_line + m_lineNumberBase, column + m_lineNumberBase);
    return text;
}

void SECEditController::OnUpdatePosition(CCmdUI* ui) {
    ui->Enable(TRUE);
    ui->SetText(FormatCaretStatus());
}

void SECEditController::OnUpdateShowWhitespace(CCmdUI* ui) {
    SECEditLangConfig* config = GetLangConfig();
    ui->Enable(config != nullptr);
    ui->SetCheck(config && config->GetShowWhitespace() ? 1 : 0);
}
