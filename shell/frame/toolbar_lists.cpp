// The button lists of the default toolbars and of the "Customize" sheet's groups.
#include "shell/frame/toolbar_lists.h"

#include "shell/frame/frame_ids.h"
#include "shell/hostlink.h"

namespace {
bool ExtensionMode() {
    return HostVersionAtLeast(3, 3) && HostTable()->IsExtensionMode() != 0;
}

ToolbarButtonList AllList() {
    if (HostVersionAtLeast(3, 11) && HostTable()->HasAllToolbar() != 0)
        return {L"All", kBarMain, {39, 272, 52, 57664}};
    return {L"All", kBarMain, {39, 272, 52, 49, 57664}};
}

ToolbarButtonList MainList() {
    return {L"Main", kBarMain, {20, 57601, 21, 0, 57634, 57607, 0, 57664}};
}

ToolbarButtonList DebugList() {
    return {L"Debug", kBarDebug, {23, 0, 181, 182, 0, 85, 86, 87, 0, 44, 57}};
}

ToolbarButtonList DisplayList() {
    if (HostVersionAtLeast(3, 2) && HostTable()->IsMultiCore() != 0)
        return {L"Display", kBarDisplay, {38, 39, 0, 40, 0, kCmdCores}};
    return {L"Display", kBarDisplay, {38, 39, 0, 40}};
}

ToolbarButtonList RunList() {
    return {
        L"Run", kBarRun, {kCmdLanguageSwitch, 0, 46, 50, 51, 48, 185, 213, kCmdStop, 0, 52, 49}};
}

ToolbarButtonList EditList() {
    return {L"Edit", kBarEdit, {57636, 45041, 0, 45267, 45333, 45300, 45366}};
}

// The "Eval" toolbar always holds "Mem&ory Map"; its group only while memory mapping is on.
ToolbarButtonList EvalList(bool bMemoryMap) {
    ToolbarButtonList list{L"Eval", kBarEval, {55, 187, 272, 279, 0, 45, kCmdMemoryMap}};
    if (!bMemoryMap)
        list.ids.pop_back();
    return list;
}
} // namespace

std::vector<ToolbarButtonList> DefaultToolbarLists() {
    if (ExtensionMode())
        return {AllList()};
    return {MainList(), EvalList(true), DebugList(), EditList(), DisplayList(), RunList()};
}

std::vector<ToolbarButtonList> CustomizeGroupLists(BOOL bMemoryMapping) {
    if (ExtensionMode())
        return {AllList()};
    return {MainList(), DebugList(), DisplayList(),
            RunList(),  EditList(),  EvalList(bMemoryMapping != 0)};
}
