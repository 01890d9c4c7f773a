#include "editor/edit_command.h"

#include "editor/edit_model.h"
#include "editor/fixed_pool.h"

#include <algorithm>

SECEditCommand::SECEditCommand(SECEditModel* model, BOOL insert)
    : m_model(model), m_insert(insert), m_executed(insert) {}

using CommandPool = SECEditFixedPool<sizeof(SECEditCommand)>;

void* SECEditCommand::operator new(size_t size) {
    return CommandPool::Take(size);
}

void SECEditCommand::operator delete(void* p, size_t size) {
    CommandPool::Give(p, size);
}

void SECEditCommand::GetDescription(CString& out) const {
    if (m_insert)
        out.Format(L"Insert text having length %d at line %d, column %d", m_text.GetLength(),
                   m_range.m_start.m_line, m_range.m_start.m_column);
    else
        out.Format(L"Delete text from line %d, column %d to line %d, column %d",
                   m_range.m_start.m_line, m_range.m_start.m_column, m_range.m_end.m_line,
                   m_range.m_end.m_column);
}

BOOL SECEditCommand::Run(bool insert) {
    SECEditCommand* previous = m_model->SetCurrentCommand(this);
    const BOOL ok = insert ? DoInsert() : DoDelete();
    m_model->SetCurrentCommand(previous);
    return ok;
}

BOOL SECEditCommand::Execute() {
    return Run(m_insert != FALSE);
}

BOOL SECEditCommand::Unexecute() {
    return Run(m_insert == FALSE);
}

BOOL SECEditCommand::DoDelete() {
    m_executed = FALSE;
    if (m_text.IsEmpty()) {
        const SECEditRange r = m_range.Normalized();
        if (!m_model->GetText(m_text, r.m_start.m_line, r.m_start.m_column, r.m_end.m_line,
                              r.m_end.m_column))
            m_ok = FALSE;
    }
    const SECEditRange r = m_range.Normalized();
    const BOOL ok =
        m_model->DeleteText(r.m_start.m_line, r.m_start.m_column, r.m_end.m_line, r.m_end.m_column);
    if (!ok)
        m_ok = FALSE;
    return ok;
}

BOOL SECEditCommand::DoInsert() {
    m_executed = TRUE;
    const SECEditRange before = m_range;
    const BOOL ok = m_model->InsertText(m_range, m_text, m_text.GetLength());
    if (!ok) {
        m_ok = FALSE;
        return FALSE;
    }
    if (m_range != before) {
        const SECEditRange r = m_range.Normalized();
        if (!m_model->GetText(m_text, r.m_start.m_line, r.m_start.m_column, r.m_end.m_line,
                              r.m_end.m_column))
            m_ok = FALSE;
    }
    return ok;
}

SECEditCompositeCommand::~SECEditCompositeCommand() {
    for (CMvcCommand* c : m_commands)
        delete c;
}

BOOL SECEditCompositeCommand::Execute() {
    for (CMvcCommand* c : m_commands)
        if (!c->Execute())
            return FALSE;
    return TRUE;
}

BOOL SECEditCompositeCommand::Unexecute() {
    for (auto it = m_commands.rbegin(); it != m_commands.rend(); ++it)
        if (!(*it)->Unexecute())
            return FALSE;
    return TRUE;
}

BOOL SECEditCompositeCommand::AreAllUndoable() const {
    return std::all_of(m_commands.begin(), m_commands.end(),
                       [](CMvcCommand* c) { return c->IsUndoable() != FALSE; });
}

void SECEditCompositeCommand::ForEach(void* argument, IVisitor& visitor) {
    for (CMvcCommand* c : m_commands)
        visitor.Visit(argument, c);
}

BOOL SECEditCompositeCommand::CanAdd(CMvcCommand* command) const {
    // A member of any group already has its owner. A group that this one belongs to, at any
    // depth, would make a cycle: the chain of owners above this one is short, while a group
    // of a Replace All holds a member for every replacement.
    if (!command || command->GetGroup())
        return FALSE;
    for (const CMvcCommand* owner = this; owner; owner = owner->GetGroup())
        if (owner == command)
            return FALSE;
    return TRUE;
}

BOOL SECEditCompositeCommand::Add(CMvcCommand* command) {
    if (!CanAdd(command))
        return FALSE;
    m_commands.push_back(command);
    command->SetGroup(this);
    return TRUE;
}

std::list<corvalis::foundation::CMvcCommand*> SECEditCompositeCommand::TakeMembers() {
    std::list<CMvcCommand*> members;
    members.swap(m_commands);
    for (CMvcCommand* c : members)
        c->SetGroup(nullptr);
    return members;
}
