// Drag and drop: the selection dragged out with OLE, and text dropped in from this or any
// other window. The text model names the controller whose selection is being dragged, so a
// target can tell a move inside one text from a drop from elsewhere.
#include "editor/edit_controller.h"
#include "editor/edit_model.h"
#include "editor/edit_viewport.h"
#include "framework/core/exceptions.h"
#include "framework/ole/oledatasource.h"

namespace {
constexpr DWORD kDragEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_SCROLL;
static_assert(kDragEffects == 0x80000003, "copy, move and scroll");
} // namespace

DROPEFFECT SECEditController::DoDragDrop() {
    if (m_editModel == nullptr)
        return DROPEFFECT_NONE;
    COleDataSource* source = CreateDataSource();
    if (source == nullptr)
        return DROPEFFECT_NONE;
    SECEditModel* model = m_editModel;
    const HWND self = m_hWnd;
    const SECEditPosition savedCaret = m_caret;
    DestroyCaret();
    model->SetDragSource(this);
    DROPEFFECT effect = DROPEFFECT_NONE;
    try {
        effect = source->DoDragDrop(kDragEffects);
    } catch (CException* e) {
        e->Delete();
    }
    source->InternalRelease();
    // A target may have closed this window while the drag ran: this controller, and a model
    // the window owned, may be gone with it (the window's end cleared the model's marker).
    if (!::IsWindow(self))
        return effect;
    void* marker = model->GetDragSource();
    if ((effect & DROPEFFECT_MOVE) == DROPEFFECT_MOVE) {
        if (marker == this) {
            // The text went to another model or program.
            if (!IsReadOnly())
                ReplaceSelection(L"", FALSE);
        } else if (marker != nullptr) {
            // Another view of this model took it: the caret goes to where the text was.
            SECEditRange range;
            if (GetSelection(range, FALSE)) {
                ClearSelection(TRUE);
                SetCaretPosition(range.m_start.m_line, range.m_start.m_column, FALSE);
            }
        }
    } else if ((effect & DROPEFFECT_COPY) == DROPEFFECT_COPY) {
        if (marker != nullptr)
            SetCaretPosition(m_selection.m_start.m_line, m_selection.m_start.m_column, FALSE);
    } else {
        ClearSelection(FALSE);
        SetCaretPosition(savedCaret.m_line, savedCaret.m_column, FALSE);
    }
    model->SetDragSource(nullptr);
    if (::GetFocus() == m_hWnd) {
        CreateCaret(TRUE);
        PlaceCaret();
    }
    return effect;
}

void SECEditController::ForgetDrag() {
    if (m_editModel != nullptr && m_editModel->GetDragSource() == this)
        m_editModel->SetDragSource(nullptr);
}

DROPEFFECT SECEditController::OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point) {
    m_dropAccepted = FALSE;
    if (m_editModel == nullptr || IsReadOnly() || data == nullptr)
        return DROPEFFECT_NONE;
    // Only data that really holds text: an offer with an empty global gives nothing.
    CString text;
    BOOL column = FALSE;
    if (!GetTextFromDataObject(data, text, column))
        return DROPEFFECT_NONE;
    m_dropAccepted = TRUE;
    DestroyCaret();
    CreateCaret(FALSE);
    return OnDragOver(data, keyState, point);
}

void SECEditController::OnDragLeave() {
    if (m_dropAccepted)
        DestroyCaret();
    m_dropAccepted = FALSE;
}

DROPEFFECT SECEditController::OnDragOver(COleDataObject*, DWORD keyState, CPoint point) {
    if (!m_dropAccepted || m_editModel == nullptr)
        return DROPEFFECT_NONE;
    MoveCaretToPoint(point.x, point.y, FALSE);
    ScrollToCaret();
    void* source = m_editModel->GetDragSource();
    if (source != nullptr && HasSelection() && IsInSelection(m_caret)) {
        SECEditRange range;
        GetSelection(range, TRUE);
        if (m_caret != range.m_start && m_caret != range.m_end) {
            ShowOwnCaret(FALSE);
            if (source != this)
                return DROPEFFECT_NONE;
            return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
        }
    }
    ShowOwnCaret(TRUE);
    return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

BOOL SECEditController::OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point) {
    if (effect == DROPEFFECT_NONE || m_editModel == nullptr || IsReadOnly()) {
        OnDragLeave();
        return FALSE;
    }
    SECEditModel* model = m_editModel;
    MoveCaretToPoint(point.x, point.y, FALSE);
    OnDragLeave();
    auto* source = static_cast<SECEditController*>(model->GetDragSource());
    const BOOL fromHere = source != nullptr;
    if (fromHere && source == this && HasSelection() && IsInSelection(m_caret)) {
        SECEditRange range;
        GetSelection(range, TRUE);
        if (m_caret != range.m_start && m_caret != range.m_end) {
            // Into the dragged text itself: nothing moves.
            ClearSelection(TRUE);
            model->SetDragSource(nullptr);
            return FALSE;
        }
    }
    CString text;
    BOOL column = FALSE;
    if (!GetTextFromDataObject(data, text, column))
        return FALSE;
    model->BeginCompound(1);
    FillVirtualSpace();
    if (fromHere && (effect & DROPEFFECT_MOVE) == DROPEFFECT_MOVE) {
        // The drop caret is gone by now, so the stored drop position follows the deletion
        // of the dragged text, wherever in this model it was.
        SECEditPosition at = m_caret;
        SECEditRange dragged;
        const BOOL had = source->GetSelection(dragged, FALSE);
        source->ReplaceSelection(L"", FALSE);
        if (had) {
            SECEditRange::AdjustPosition(at, dragged.Normalized(), FALSE);
            SetCaretPosition(at.m_line, at.m_column, FALSE);
        }
    }
    ClearSelection(FALSE);
    const SECEditPosition start = m_caret;
    if (column) {
        InsertColumnText(text);
    } else {
        SECEditPosition end = start;
        if (InsertTextAt(end, text, 0)) {
            m_selection.Set(start.m_line, start.m_column, end.m_line, end.m_column,
                            SECEditSelection::modeStream);
            m_anchored = TRUE;
            SetCaretPosition(end.m_line, end.m_column, FALSE);
        }
    }
    model->EndCompound();
    if (fromHere)
        model->SetDragSource(source == this ? nullptr : this);
    RepaintSelection();
    if (!fromHere && m_hWnd != NULL && ::GetFocus() == m_hWnd)
        CreateCaret(TRUE);
    NotifyModel();
    return TRUE;
}
