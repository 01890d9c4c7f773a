#include "editor/mvc_command.h"

#include "framework/core/cstring.h"

namespace corvalis {
namespace foundation {

namespace {
uint64_t g_nextSerial = 1;
}

CMvcCommand::CMvcCommand() : m_serial(g_nextSerial++) {}

bool CMvcCommand::QueryGuid(const GUID& guid, void** out) {
    if (SameGuid(guid, IID_IMessage)) {
        *out = static_cast<IMessage*>(this);
        return true;
    }
    *out = nullptr;
    return false;
}

void CMvcCommand::GetDescription(CString& out) const {
    out.Empty();
}

MvcTransactionModel::MvcTransactionModel() {
    m_undoStack.SetCapacity(kStackCapacity);
    m_redoStack.SetCapacity(kStackCapacity);
}

MvcTransactionModel::~MvcTransactionModel() {
    MvcTransactionModel::ClearTransactions();
}

void MvcTransactionModel::ClearTransactions() {
    while (CMvcCommand* c = m_undoStack.Pop())
        delete c;
    while (CMvcCommand* c = m_redoStack.Pop())
        delete c;
}

BOOL MvcTransactionModel::Log(CMvcCommand* command) {
    delete m_undoStack.Push(command);
    while (CMvcCommand* c = m_redoStack.Pop())
        delete c;
    return TRUE;
}

BOOL MvcTransactionModel::Do(CMvcCommand* command) {
    if (!command || !command->Execute())
        return FALSE;
    return Log(command);
}

CMvcCommand* MvcTransactionModel::Move(CCStack_T<CMvcCommand*>& from, CCStack_T<CMvcCommand*>& to,
                                       bool undo) {
    // Commands that cannot be replayed travel along but are skipped, so one call acts on the
    // next command that can.
    while (CMvcCommand* command = from.Pop()) {
        const BOOL undoable = command->IsUndoable();
        if (undoable) {
            const BOOL ok = undo ? command->Unexecute() : command->Execute();
            if (!ok)
                command->SetUndoable(FALSE);
        }
        delete to.Push(command);
        if (undoable)
            return command;
    }
    return nullptr;
}

CMvcCommand* MvcTransactionModel::Undo() {
    return Move(m_undoStack, m_redoStack, true);
}

CMvcCommand* MvcTransactionModel::Redo() {
    return Move(m_redoStack, m_undoStack, false);
}

} // namespace foundation
} // namespace corvalis
