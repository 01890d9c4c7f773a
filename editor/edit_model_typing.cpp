// Typed characters joined into one undo step.
#include "editor/edit_model.h"

using corvalis::foundation::CMvcCommand;

BOOL SECEditModel::JoinTyping(uint64_t serial) {
    if (m_compound || serial == 0)
        return FALSE;
    CMvcCommand* newest = m_undoStack.Pop();
    if (newest == nullptr)
        return FALSE;
    auto* added = dynamic_cast<SECEditCommand*>(newest);
    auto* run = dynamic_cast<SECEditCommand*>(m_undoStack.Peek());
    if (added == nullptr || run == nullptr || run->GetSerial() != serial || !added->m_insert ||
        !run->m_insert || run->m_range.m_end != added->m_range.m_start) {
        m_undoStack.Push(newest);
        return FALSE;
    }
    run->m_range.m_end = added->m_range.m_end;
    delete added;
    return TRUE;
}
