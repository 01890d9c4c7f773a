#include "windows/asm/asm_line_host.h"

#include <cstring>

#include "shell/hostlink.h"
#include "windows/asm/asm_view_map.h"
#include "windows/asm/asm_views.h"

void EnterAsmCore(std::optional<HostCoreScope>& scope, int core) {
    if (core >= 0)
        scope.emplace(core);
}

std::string AsmAddressText(const AsmLineRecord& record, int core) {
    HostCommandTable* host = HostTable();
    if (host == nullptr)
        return std::string();
    char buffer[kAsmAddressTextSize] = {};
    {
        std::optional<HostCoreScope> onCore;
        EnterAsmCore(onCore, core);
        host->GetListItemText(static_cast<int>(record.addressKey), kAsmAddressTextSize, buffer);
    }
    // A host that fills the whole buffer leaves no end: the last byte is made one.
    buffer[kAsmAddressTextSize - 1] = 0;
    return std::string(buffer, strnlen(buffer, kAsmAddressTextSize));
}

namespace {
template <class F> void ForBothPanes(int core, F&& f) {
    CAsmPaneView* panes[] = {AsmViewMap().GetAddrView(core), AsmViewMap().GetSourceView(core)};
    for (CAsmPaneView* pPane : panes)
        if (pPane != nullptr && pPane->GetSafeHwnd() != NULL)
            f(*pPane);
}
} // namespace

void RepaintAsmPanes(int core) {
    ForBothPanes(core, [](CAsmPaneView& pane) {
        ::RedrawWindow(pane.GetSafeHwnd(), nullptr, NULL,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    });
}

void SetAsmPanesRedraw(int core, bool bOn) {
    ForBothPanes(core, [bOn](CAsmPaneView& pane) { pane.SetListRedraw(bOn); });
}

bool AsmPaneHasCoverage(int core) {
    const CAsmSourceView* pView = AsmViewMap().GetSourceView(core);
    return pView != nullptr && pView->HasCoverageColumn();
}
