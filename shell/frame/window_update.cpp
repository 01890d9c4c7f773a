#include "shell/frame/window_update.h"

#include "shell/frame/mainframe.h"
#include "shell/hostlink.h"
#include "windows/list/list_admin.h"

#include <map>

namespace {
uint32_t g_mask = kUpdateAssembler | kUpdateSource;
std::map<int, intptr_t>& DisassemblyLists() {
    static std::map<int, intptr_t> lists;
    return lists;
}
} // namespace

uint32_t WindowUpdateMask() {
    return g_mask;
}

void SetCoreDisassemblyList(int core, intptr_t listId) {
    if (listId == 0)
        DisassemblyLists().erase(core);
    else
        DisassemblyLists()[core] = listId;
}

uint32_t SetWindowUpdate(uint32_t bits, bool on) {
    const uint32_t before = g_mask;
    g_mask = on ? (g_mask | bits) : (g_mask & ~bits);
    return before;
}

void CMainFrame::EnableWindowUpdate(BOOL bOn) {
    if (HostTable() == nullptr)
        return;
    // The active core's disassembly list, when that core has one; else nothing to switch.
    const int core = HostTable()->GetActiveCore();
    const auto it = DisassemblyLists().find(core);
    if (it != DisassemblyLists().end())
        if (CListAdmin* admin = ListAdmin())
            admin->EnableRedraw(it->second, bOn ? TRUE : FALSE);
}
