#include "editor/edit_command.h"
#include "editor/mvc_command.h"

#include <gtest/gtest.h>

#include <list>
#include <string>
#include <vector>

namespace {

using corvalis::foundation::CCStack_T;
using corvalis::foundation::CMvcCommand;
using corvalis::foundation::MvcTransactionModel;

// A command that writes what happens to it into a shared journal.
class Probe : public CMvcCommand {
public:
    Probe(std::string name, std::string& journal, bool ok = true)
        : m_name(std::move(name)), m_journal(journal), m_ok(ok) {}
    ~Probe() override { m_journal += "~" + m_name + " "; }
    BOOL Execute() override {
        m_journal += "do" + m_name + " ";
        return m_ok;
    }
    BOOL Unexecute() override {
        m_journal += "undo" + m_name + " ";
        return m_ok;
    }

private:
    std::string m_name;
    std::string& m_journal;
    bool m_ok;
};

TEST(CommandStack, PushPopPeekWrapAround) {
    CCStack_T<int*> stack;
    stack.SetCapacity(3);
    int v[5] = {};
    EXPECT_EQ(stack.Peek(), nullptr);
    EXPECT_EQ(stack.Pop(), nullptr);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(stack.Push(&v[i]), nullptr);
    EXPECT_EQ(stack.Push(&v[3]), &v[0]); // the oldest falls out
    EXPECT_EQ(stack.Peek(), &v[3]);
    EXPECT_EQ(stack.Pop(), &v[3]);
    EXPECT_EQ(stack.Pop(), &v[2]);
    EXPECT_EQ(stack.Pop(), &v[1]);
    EXPECT_EQ(stack.Pop(), nullptr);
    EXPECT_EQ(stack.GetCount(), 0);
}

TEST(TransactionModel, KeepsTheLast256Commands) {
    std::string journal;
    {
        MvcTransactionModel model;
        for (int i = 0; i < 257; ++i)
            model.Log(new Probe(std::to_string(i), journal));
        EXPECT_NE(journal.find("~0 "), std::string::npos); // the first fell out and was freed
        for (int i = 0; i < 256; ++i)
            EXPECT_NE(model.Undo(), nullptr);
        EXPECT_EQ(model.Undo(), nullptr);
        EXPECT_NE(journal.find("undo1 "), std::string::npos);
        EXPECT_EQ(journal.find("undo0 "), std::string::npos);
    }
}

TEST(TransactionModel, RecordingAfterUndoDropsTheRedoStack) {
    std::string journal;
    MvcTransactionModel model;
    EXPECT_EQ(model.Undo(), nullptr);
    EXPECT_EQ(model.Redo(), nullptr);
    model.Log(new Probe("a", journal));
    model.Log(new Probe("b", journal));
    model.Undo();
    EXPECT_EQ(model.GetRedoCount(), 1);
    model.Log(new Probe("c", journal));
    EXPECT_EQ(model.GetRedoCount(), 0);
    EXPECT_NE(journal.find("~b "), std::string::npos);
    journal.clear();
    model.Undo();
    model.Redo();
    EXPECT_EQ(journal, "undoc doc ");
}

TEST(TransactionModel, FailedDoRecordsNothingAndLeavesTheCommandToTheCaller) {
    std::string journal;
    MvcTransactionModel model;
    Probe failing("x", journal, false);
    EXPECT_FALSE(model.Do(&failing));
    EXPECT_EQ(model.GetUndoCount(), 0);
}

TEST(TransactionModel, SkipsCommandsThatCannotBeUndone) {
    std::string journal;
    MvcTransactionModel model;
    model.Log(new Probe("a", journal));
    auto* dead = new Probe("b", journal);
    dead->SetUndoable(FALSE);
    model.Log(dead);
    journal.clear();
    CMvcCommand* undone = model.Undo();
    EXPECT_EQ(journal, "undoa ");
    EXPECT_NE(undone, dead);
    EXPECT_EQ(model.GetRedoCount(), 2);
}

TEST(CompositeCommand, UndoesMembersInReverseAndRefusesCycles) {
    std::string journal;
    {
        SECEditCompositeCommand group;
        auto* a = new Probe("a", journal);
        EXPECT_TRUE(group.Add(a));
        EXPECT_TRUE(group.Add(new Probe("b", journal)));
        EXPECT_FALSE(group.Add(a));      // already a member
        EXPECT_FALSE(group.Add(&group)); // itself
        auto* inner = new SECEditCompositeCommand;
        EXPECT_TRUE(group.Add(inner));
        // The outer one holds the inner one: adding it there would make a cycle.
        EXPECT_FALSE(inner->Add(&group));
        journal.clear();
        EXPECT_TRUE(group.Unexecute());
        EXPECT_EQ(journal, "undob undoa ");
        journal.clear();
        EXPECT_TRUE(group.Execute());
        EXPECT_EQ(journal, "doa dob ");
        EXPECT_EQ(group.GetCount(), 3);
        EXPECT_TRUE(group.AreAllUndoable());
        CString text;
        group.GetDescription(text);
        EXPECT_EQ(text, L"SECEditCompositeCommand");
    }
    EXPECT_NE(journal.find("~a"), std::string::npos);
}

TEST(CompositeCommand, AMemberHasOneOwnerAndGroupsOfAnySizeTakeMembersInOneStep) {
    std::string journal;
    SECEditCompositeCommand first, second;
    auto* a = new Probe("a", journal);
    ASSERT_TRUE(first.Add(a));
    EXPECT_FALSE(second.Add(a)); // owned by the first group: two owners would free it twice
    // A cycle through two levels: outer holds middle holds inner.
    SECEditCompositeCommand outer;
    auto* middle = new SECEditCompositeCommand;
    auto* inner = new SECEditCompositeCommand;
    ASSERT_TRUE(outer.Add(middle));
    ASSERT_TRUE(middle->Add(inner));
    EXPECT_FALSE(inner->Add(&outer));
    EXPECT_FALSE(inner->Add(middle));
    // Members handed back belong to nobody and can join another group.
    std::list<CMvcCommand*> taken = first.TakeMembers();
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_TRUE(second.Add(taken.front()));
    // A Replace All over a large file records a member per replacement: checking a new member
    // against every earlier one made such a group cost the square of its size.
    SECEditCompositeCommand large;
    std::string quiet;
    for (int i = 0; i < 1000000; ++i)
        ASSERT_TRUE(large.Add(new Probe("", quiet)));
    EXPECT_EQ(large.GetCount(), 1000000);
}

TEST(MvcCommand, SerialsAreNeverReused) {
    uint64_t first = 0;
    {
        std::string journal;
        Probe p("p", journal);
        first = p.GetSerial();
    }
    std::string journal;
    Probe q("q", journal); // may well reuse the address of p
    EXPECT_GT(q.GetSerial(), first);
}

} // namespace
