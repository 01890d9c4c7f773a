// The editor's undoable commands: one inserted or deleted span, and a group of commands that
// undoes and redoes as one step.
#pragma once

#include "editor/edit_position.h"
#include "editor/mvc_command.h"
#include "framework/core/cstring.h"

#include <list>

class SECEditModel;

enum : uint32_t {
    SECEDIT_HINT_FONT = 22575,
    SECEDIT_HINT_SPLITTER = 22576,
    SECEDIT_HINT_LINECOUNT = 22581,
    SECEDIT_HINT_INITIALIZE = 22582,
    SECEDIT_HINT_RECOLOUR = 22583,
    SECEDIT_HINT_GUTTER = 22584,
    SECEDIT_HINT_LINES = 22585,
    SECEDIT_HINT_COMMAND = 22586,
    SECEDIT_HINT_COMPOSITE = 22587,
};

class SECEditCommand : public corvalis::foundation::CMvcCommand {
public:
    SECEditCommand(SECEditModel* model, BOOL insert);

    uint32_t GetType() const override { return SECEDIT_HINT_COMMAND; }
    void GetDescription(CString& out) const override;
    BOOL IsUndoable() const override { return m_ok; }
    static void* operator new(size_t size);
    static void operator delete(void* p, size_t size);
    BOOL Execute() override;
    BOOL Unexecute() override;
    virtual BOOL DoDelete();
    virtual BOOL DoInsert();

    SECEditRange m_range;
    CString m_text;
    SECEditModel* m_model;
    BOOL m_insert;
    BOOL m_executed;
    BOOL m_ok = TRUE;

private:
    BOOL Run(bool insert);
};

class SECEditCompositeCommand : public corvalis::foundation::CMvcCommand {
public:
    using CMvcCommand = corvalis::foundation::CMvcCommand;
    class IVisitor {
    public:
        virtual void Visit(void* argument, CMvcCommand* member) = 0;

    protected:
        ~IVisitor() = default;
    };

    SECEditCompositeCommand() = default;
    ~SECEditCompositeCommand() override;

    uint32_t GetType() const override { return SECEDIT_HINT_COMPOSITE; }
    void GetDescription(CString& out) const override { out = L"SECEditCompositeCommand"; }
    BOOL Execute() override;
    BOOL Unexecute() override;

    virtual int GetCount() const { return static_cast<int>(m_commands.size()); }
    virtual BOOL AreAllUndoable() const;
    virtual void ForEach(void* argument, IVisitor& visitor);
    // Takes ownership of the command when it is accepted.
    virtual BOOL Add(CMvcCommand* command);
    virtual BOOL CanAdd(CMvcCommand* command) const;

    const std::list<CMvcCommand*>& Members() const { return m_commands; }
    // Hands the members to the caller, leaving the composite empty.
    std::list<CMvcCommand*> TakeMembers();

private:
    std::list<CMvcCommand*> m_commands;
};
