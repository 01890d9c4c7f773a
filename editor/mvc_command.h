// Commands and the transaction model that keeps them on bounded undo and redo stacks.
#pragma once

#include "editor/command_stack.h"
#include "editor/mvc_model.h"

#include <cstdint>

namespace corvalis {
namespace foundation {

class CMvcCommand : public CRefCountImpl<IMessage> {
public:
    CMvcCommand();
    CMvcCommand(const CMvcCommand&) = delete;
    CMvcCommand& operator=(const CMvcCommand&) = delete;

    bool QueryGuid(const GUID& guid, void** out) override;
    virtual uint32_t GetType() const { return 0; }
    virtual void GetDescription(CString& out) const;
    virtual ~CMvcCommand() = default;
    virtual BOOL IsUndoable() const { return m_undoable; }
    virtual void SetUndoable(BOOL undoable) { m_undoable = undoable; }
    virtual BOOL Execute() { return TRUE; }
    virtual BOOL Unexecute() { return TRUE; }

    uint32_t GetTypeID() const override { return GetType(); }
    void Sprint(CString& out) override { GetDescription(out); }

    // A number that no other command of the process ever had. Unlike the command's address,
    // which the allocator hands out again once the command is deleted, it identifies a
    // command for as long as anybody remembers it.
    uint64_t GetSerial() const { return m_serial; }

    // The group command that owns this one as a member, or null. Kept by the group: asking
    // whether a command already belongs somewhere costs a step, not a walk over every member.
    CMvcCommand* GetGroup() const { return m_group; }
    void SetGroup(CMvcCommand* group) { m_group = group; }

protected:
    BOOL m_undoable = TRUE;

private:
    uint64_t m_serial;
    CMvcCommand* m_group = nullptr;
};

class MvcTransactionModel : public CMvcModel {
public:
    MvcTransactionModel();
    ~MvcTransactionModel() override;

    BOOL IsModified() override { return TRUE; }
    void ClearTransactions() override;

    virtual BOOL Log(CMvcCommand* command);
    // Runs and records the command. On failure nothing is recorded and the caller keeps it.
    virtual BOOL Do(CMvcCommand* command);
    virtual CMvcCommand* Undo();
    virtual CMvcCommand* Redo();

    CMvcCommand* PeekUndo() const { return m_undoStack.Peek(); }
    CMvcCommand* PeekRedo() const { return m_redoStack.Peek(); }
    int GetUndoCount() const { return m_undoStack.GetCount(); }
    int GetRedoCount() const { return m_redoStack.GetCount(); }

    static constexpr int kStackCapacity = 256;

protected:
    CCStack_T<CMvcCommand*> m_undoStack;
    CCStack_T<CMvcCommand*> m_redoStack;

private:
    CMvcCommand* Move(CCStack_T<CMvcCommand*>& from, CCStack_T<CMvcCommand*>& to, bool undo);
};

} // namespace foundation
} // namespace corvalis
