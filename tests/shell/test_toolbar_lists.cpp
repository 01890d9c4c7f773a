// The button lists of the default toolbars and of the "Customize" sheet's built-in groups, by
// host mode, host version and abilities, and memory mapping.
#include "tests/shell/bound_host.h"

#include "shell/frame/toolbar_lists.h"

#include <string>
#include <utility>

namespace {

using Lists = std::vector<std::pair<std::wstring, std::vector<UINT>>>;

Lists Plain(const std::vector<ToolbarButtonList>& lists) {
    Lists plain;
    for (const ToolbarButtonList& list : lists)
        plain.emplace_back(list.title, list.ids);
    return plain;
}

HostOptions Options(unsigned major, unsigned minor, int cores, bool extension, bool all) {
    HostOptions o = HostVersion(major, minor, cores);
    o.extension = extension;
    o.allToolbar = all;
    return o;
}

const std::vector<UINT> kMain = {20, 57601, 21, 0, 57634, 57607, 0, 57664};
const std::vector<UINT> kDebug = {23, 0, 181, 182, 0, 85, 86, 87, 0, 44, 57};
const std::vector<UINT> kRun = {186, 0, 46, 50, 51, 48, 185, 213, 32983, 0, 52, 49};
const std::vector<UINT> kEdit = {57636, 45041, 0, 45267, 45333, 45300, 45366};
const std::vector<UINT> kDisplay = {38, 39, 0, 40};
const std::vector<UINT> kDisplayCores = {38, 39, 0, 40, 0, 282};
const std::vector<UINT> kEval = {55, 187, 272, 279, 0, 45};
const std::vector<UINT> kEvalMap = {55, 187, 272, 279, 0, 45, 134};

TEST(CustomizeGroups, FollowTheHostAndMemoryMapping) {
    struct Case {
        const char* name;
        HostOptions host;
        BOOL memoryMapping;
        Lists groups;
    };
    const Case cases[] = {
        {"normal, multi-core, memory mapping",
         Options(3, 13, 2, false, false),
         TRUE,
         {{L"Main", kMain},
          {L"Debug", kDebug},
          {L"Display", kDisplayCores},
          {L"Run", kRun},
          {L"Edit", kEdit},
          {L"Eval", kEvalMap}}},
        {"normal, one core, no memory mapping",
         Options(3, 13, 1, false, false),
         FALSE,
         {{L"Main", kMain},
          {L"Debug", kDebug},
          {L"Display", kDisplay},
          {L"Run", kRun},
          {L"Edit", kEdit},
          {L"Eval", kEval}}},
        // Before 3.2 the host is not asked about its cores.
        {"normal, host 3.1 with cores",
         Options(3, 1, 4, false, false),
         FALSE,
         {{L"Main", kMain},
          {L"Debug", kDebug},
          {L"Display", kDisplay},
          {L"Run", kRun},
          {L"Edit", kEdit},
          {L"Eval", kEval}}},
        {"extension, all toolbar",
         Options(3, 13, 2, true, true),
         TRUE,
         {{L"All", {39, 272, 52, 57664}}}},
        {"extension, no all toolbar",
         Options(3, 13, 1, true, false),
         FALSE,
         {{L"All", {39, 272, 52, 49, 57664}}}},
        // Before 3.11 the host is not asked for the all toolbar.
        {"extension, host 3.10",
         Options(3, 10, 1, true, true),
         FALSE,
         {{L"All", {39, 272, 52, 49, 57664}}}},
        // Before 3.3 there is no extension mode.
        {"host 3.2 asking for extension mode",
         Options(3, 2, 1, true, true),
         FALSE,
         {{L"Main", kMain},
          {L"Debug", kDebug},
          {L"Display", kDisplay},
          {L"Run", kRun},
          {L"Edit", kEdit},
          {L"Eval", kEval}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BindTestHost(c.host);
        EXPECT_EQ(c.groups, Plain(CustomizeGroupLists(c.memoryMapping)));
    }
}

TEST(DefaultToolbars, TheEvalBarHoldsTheMemoryMapAlwaysAndTheBarsKeepTheirIds) {
    BindTestHost(Options(3, 13, 2, false, false));
    const std::vector<ToolbarButtonList> bars = DefaultToolbarLists();
    EXPECT_EQ((Lists{{L"Main", kMain},
                     {L"Eval", kEvalMap},
                     {L"Debug", kDebug},
                     {L"Edit", kEdit},
                     {L"Display", kDisplayCores},
                     {L"Run", kRun}}),
              Plain(bars));
    std::vector<UINT> ids;
    for (const ToolbarButtonList& bar : bars)
        ids.push_back(bar.barId);
    EXPECT_EQ((std::vector<UINT>{0xE800, 0xE80B, 0xE805, 0xE808, 0xE806, 0xE807}), ids);
    BindTestHost(Options(3, 13, 1, true, false));
    ASSERT_EQ(1u, DefaultToolbarLists().size());
    EXPECT_EQ(0xE800u, DefaultToolbarLists()[0].barId);
}

} // namespace
