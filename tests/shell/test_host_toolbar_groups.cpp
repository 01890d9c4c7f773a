// The host toolbars' groups of the "Customize" sheet: each group follows its own toolbar when
// an earlier one is deleted, a deleted toolbar's group stays and takes nothing more, and a group
// keeps at most 256 command ids.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "shell/frame/host_toolbar_groups.h"

namespace {

using Listed = std::vector<std::pair<std::wstring, std::vector<UINT>>>;

Listed ListedOf(const HostToolbarGroups& groups) {
    Listed listed;
    for (const HostToolbarButtonGroup& group : groups.Groups())
        listed.emplace_back(group.title.GetString(),
                            std::vector<UINT>(group.ids, group.ids + group.count));
    return listed;
}

TEST(HostToolbarGroups, ButtonsGoToTheirOwnToolbarsGroupAfterADeletion) {
    HostToolbarGroups groups;
    groups.Add(L"Keep", 0);
    groups.Add(L"Gone", 1);
    groups.Add(L"Trace", 2);
    groups.Add(L"Watch", 3);
    groups.NoteButton(1, 1001);
    groups.ToolbarRemoved(1); // "Trace" is index 1 now, "Watch" 2
    groups.NoteButton(1, 1030);
    groups.NoteButton(2, 1040);
    groups.NoteButton(0, 1000);
    groups.Add(L"Next", 3); // the next toolbar takes the index after the last
    groups.NoteButton(3, 1050);
    groups.ToolbarRemoved(2); // "Watch": "Next" is index 2 now
    groups.NoteButton(2, 1051);
    groups.NoteButton(-1, 1099); // a deleted toolbar's index names no group
    EXPECT_EQ((Listed{{L"Keep", {1000}},
                      {L"Gone", {1001}},
                      {L"Trace", {1030}},
                      {L"Watch", {1040}},
                      {L"Next", {1050, 1051}}}),
              ListedOf(groups));
}

TEST(HostToolbarGroups, AGroupKeeps256IdsAndNoneBeyond) {
    HostToolbarGroups groups;
    groups.Add(L"Many", 0);
    for (UINT id = 1; id <= 300; ++id)
        groups.NoteButton(0, id);
    const HostToolbarButtonGroup& group = groups.Groups().front();
    ASSERT_EQ(256, group.count);
    EXPECT_EQ(1u, group.ids[0]);
    EXPECT_EQ(256u, group.ids[255]);
}

} // namespace
