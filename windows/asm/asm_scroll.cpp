// The disassembly list's scrolling: the address list follows it, and at either end of the lines
// the host is asked for more, after which both lists stand on the same lines as before.
#include "framework/core/guard.h"
#include "shell/hostlink.h"
#include "windows/asm/asm_callbacks.h"
#include "windows/asm/asm_view_map.h"
#include "windows/asm/asm_views.h"

#include <algorithm>

namespace {
constexpr int kMoreBelow = 6;
constexpr int kMoreAbove = 5;
constexpr int kEndAmount = 100;

bool Held(int key) {
    return (::GetAsyncKeyState(key) & 0x8000) != 0;
}

void FollowTop(CAsmSourceView& source, CAsmAddrView* pAddr) {
    if (pAddr == nullptr)
        return;
    pAddr->ScrollListTo(source.ListTopIndex());
    pAddr->UpdateWindow();
}

// At an end: more lines from the host, then both lists back on the lines they showed.
void LoadMore(int core, bool bDown, int code, int flag, int perPage) {
    CAsmSourceView* pSource = AsmViewMap().GetSourceView(core);
    CAsmAddrView* pAddr = AsmViewMap().GetAddrView(core);
    if (pSource == nullptr)
        return;
    const int first = pSource->GetFirstLine();
    int top = pSource->ListTopIndex() + first;
    int mark = first + (pAddr != nullptr ? pAddr->GetMark() : 0);
    pSource->SetListRedraw(false);
    if (pAddr != nullptr)
        pAddr->SetListRedraw(false);
    if (HostVersionAtLeast(3, 2)) {
        uint32_t a = 0, b = 0, c = 0;
        HostCoreScope scope(core);
        // The host may hand the view a new chain inside the call, or close the window.
        HostTable()->GetLineColors(bDown ? kMoreBelow : kMoreAbove, &a, &b, &c);
        pSource = AsmViewMap().GetSourceView(core);
        pAddr = AsmViewMap().GetAddrView(core);
        if (pSource == nullptr)
            return;
    }
    CAsmSourceView& source = *pSource;
    const int newFirst = source.GetFirstLine();
    top = std::max(0, top - newFirst);
    mark -= newFirst;
    source.ScrollToLine(top);
    top = source.ListTopIndex();
    if (flag != 0) {
        mark = bDown ? (code == ListScroll::lineDown ? mark : top + perPage) : top;
        mark = std::max(0, std::min(mark, source.ListItemCount() - 1));
        if (pAddr != nullptr)
            pAddr->SetMark(mark);
        source.SelectListItem(mark);
        if (HWND hList = source.HostedChild())
            ::SendMessageW(hList, WM_SETFOCUS, 0, 0);
    } else if (pAddr != nullptr) {
        pAddr->SetMark(mark);
        if (mark > top && mark < top + perPage)
            source.SelectListItem(mark);
    }
    // Selecting a line can scroll the disassembly list by itself: the address list follows it,
    // and a scroll that moved no selection stays on the lines it showed.
    source.ScrollToLine(flag != 0 ? source.ListTopIndex() : top);
    source.SetListRedraw(true);
    if (pAddr != nullptr)
        pAddr->SetListRedraw(true);
}
} // namespace

int __cdecl AsmScroll(int code, int amount, int flag, int perPage, int user) {
    static bool s_bInside = false;
    if (s_bInside)
        return 0;
    s_bInside = true;
    struct Leave {
        ~Leave() { s_bInside = false; }
    } leave;
    return AfxGuardWndProc(L"AsmScroll", 1, [&]() -> int {
        if (HostTable() == nullptr)
            return 1;
        HostTable()->GetCurrentCore();
        AsmViewMap().Select(user);
        CAsmSourceView* pSource = AsmViewMap().CurrentSourceView();
        CAsmAddrView* pAddr = AsmViewMap().CurrentAddrView();
        if (pSource == nullptr)
            return 1;
        const bool bDown = code == ListScroll::lineDown || code == ListScroll::pageDown;
        const bool bUp = code == ListScroll::pageUp || code == ListScroll::lineUp;
        const bool bAtEnd =
            bDown && amount >= kEndAmount && (Held(VK_LBUTTON) || Held(VK_NEXT) || Held(VK_DOWN));
        const bool bAtStart =
            bUp && amount <= 0 && (Held(VK_LBUTTON) || Held(VK_PRIOR) || Held(VK_UP));
        if (bAtEnd || bAtStart) {
            LoadMore(user, bAtEnd, code, flag, perPage);
        } else if (bDown || bUp || code == ListScroll::thumbTrack) {
            FollowTop(*pSource, pAddr);
        } else if (code == ListScroll::selection && pAddr != nullptr) {
            pAddr->SetMark(amount);
            FollowTop(*pSource, pAddr);
        }
        return 1;
    });
}
