#include <gtest/gtest.h>

#include "toolbars/registered_messages.h"

#include <set>

namespace {

// The ids are the system's for these names (so a peer registering the same name meets the same
// message), all set before the program's first line runs, and all different.
TEST(RegisteredMessages, AreTheSystemsIdsForTheirNames) {
    struct {
        const wchar_t* name;
        UINT id;
    } messages[] = {
        {L"WM_BARNOTIFY", WM_BARNOTIFY},
        {L"WM_NODELAYHIDE", WM_NODELAYHIDE},
        {L"WM_TOOLBARSTYLECHANGING", WM_TOOLBARSTYLECHANGING},
        {L"WM_SEC_MENUPROD", WM_SEC_MENUPROD},
    };
    std::set<UINT> seen;
    for (const auto& m : messages) {
        EXPECT_GE(m.id, 0xC000u) << m.name;
        EXPECT_EQ(::RegisterWindowMessageW(m.name), m.id) << m.name;
        seen.insert(m.id);
    }
    EXPECT_EQ(4u, seen.size());

    EXPECT_GE(SEC_CF_LISTCTRL, 0xC000u);
    EXPECT_EQ(::RegisterClipboardFormatW(L"SEC_CF_LISTCTRL"), SEC_CF_LISTCTRL);
    wchar_t name[64] = {};
    ASSERT_GT(::GetClipboardFormatNameW(SEC_CF_LISTCTRL, name, 64), 0);
    EXPECT_STREQ(L"SEC_CF_LISTCTRL", name);
}

} // namespace
