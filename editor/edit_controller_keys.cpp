// The keyboard: accelerators before the window sees a key, and typed characters joined into
// one undo step per run of one character class.
#include "editor/edit_controller.h"
#include "editor/edit_model.h"
#include "editor/edit_viewport.h"

#include <algorithm>

namespace {
// Blanks, tabs and delimiters are one class, everything else the other.
int TypingClassOf(wchar_t ch, const SECEditLangConfig* config) {
    if (ch == L' ' || ch == L'\t')
        return 0;
    if (config && config->IsCharInClass(ch, SECEDIT_DELIMITERS))
        return 0;
    return 1;
}
} // namespace

BOOL SECEditController::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_accelerators &&
        m_hWnd != NULL && IsPluggedIn())
        return ::TranslateAcceleratorW(m_hWnd, m_accelerators, pMsg) != 0;
    return CWnd::PreTranslateMessage(pMsg);
}

void SECEditController::OnChar(UINT ch) {
    if (!CanEdit())
        return;
    // A pair typed as two messages is one character.
    if (IS_HIGH_SURROGATE(ch)) {
        m_highSurrogate = wchar_t(ch);
        return;
    }
    wchar_t text[3] = {};
    if (IS_LOW_SURROGATE(ch)) {
        if (m_highSurrogate == 0)
            return;
        text[0] = m_highSurrogate;
        text[1] = wchar_t(ch);
    } else if (ch < 0x20 || ch == 0x7F) {
        m_highSurrogate = 0;
        return;
    } else {
        text[0] = wchar_t(ch);
    }
    m_highSurrogate = 0;
    InsertChar(CString(text));
}

void SECEditController::InsertChar(const CString& text) {
    if (!CanEdit() || text.IsEmpty())
        return;
    SECEditModel* model = m_editModel;
    ShowOwnCaret(FALSE);
    if (m_caret.m_column > LineLengthOf(m_caret.m_line)) {
        m_lastTypingSerial = 0;
        FillVirtualSpace();
    }
    const BOOL overwrite = model->GetOvertype();
    if (HasSelection()) {
        m_lastTypingSerial = 0;
        ReplaceSelection(text, FALSE);
    } else if (overwrite && m_caret.m_column < LineLengthOf(m_caret.m_line)) {
        m_lastTypingSerial = 0;
        model->BeginCompound(1);
        LockRedraw(FALSE);
        std::wstring line;
        LineText(m_caret.m_line, line);
        const int c = m_caret.m_column;
        const int width =
            (IS_HIGH_SURROGATE(line[size_t(c)]) && size_t(c) + 1 < line.size()) ? 2 : 1;
        model->DeleteText(m_caret.m_line, c, m_caret.m_line, c + width);
        SetCaretPosition(m_caret.m_line, c, FALSE);
        InsertAtCaret(text);
        LockRedraw(TRUE);
        model->EndCompound();
    } else {
        const uint64_t top = model->GetUndoTopSerial();
        const BOOL joinable = model->CanJoinTyping() && m_lastTypingSerial != 0 &&
                              top == m_lastTypingSerial &&
                              TypingClassOf(text[0], GetLangConfig()) == m_typingClass;
        const int lines = model->GetLineCount();
        model->SetTyping(TRUE);
        InsertAtCaret(text);
        model->SetTyping(FALSE);
        if (model->GetLineCount() != lines) {
            // The model broke an over-long line: that edit is no typing run.
            m_lastTypingSerial = 0;
        } else if (!(joinable && model->JoinTyping(m_lastTypingSerial))) {
            m_lastTypingSerial = model->GetUndoTopSerial();
            m_typingClass = TypingClassOf(text[0], GetLangConfig());
            model->AllowTypingJoin();
        }
    }
    ScrollToCaret();
    m_rememberedX = m_caretPoint.x;
    ShowOwnCaret(TRUE);
    NotifyModel();
}
