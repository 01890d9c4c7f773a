// How the assembler panes paint a line: its image and its colours, while the host lets the
// assembler window update.
#include "windows/asm/asm_callbacks.h"

#include "framework/core/guard.h"
#include "shell/frame/window_update.h"
#include "shell/hostlink.h"
#include "windows/asm/asm_view_map.h"
#include "windows/asm/asm_views.h"

#include <optional>

namespace {
constexpr uint32_t kGreyLineBack = RGB(176, 176, 176);
constexpr uint32_t kNonCodeText = RGB(128, 128, 128);

bool UpdatesOn() {
    return (WindowUpdateMask() & kUpdateAssembler) != 0;
}

// The host's code-line text colour: the third of its five list values (0 before 3.6). It is
// asked once after each time the host hands the window lines or a line to show, not for every
// cell of every paint.
std::optional<uint32_t> g_codeLineText;
// A row painted while the host held the updates back shows the list's plain colours.
bool g_bColoursMissed = false;

uint32_t CodeLineText() {
    if (!HostVersionAtLeast(3, 6))
        return 0;
    if (!g_codeLineText) {
        HFONT_WIRE font = nullptr, bold = nullptr;
        uint32_t text = 0, back = 0, second = 0;
        HostTable()->GetFontAndColors(&font, &bold, &text, &back, &second);
        g_codeLineText = text;
    }
    return *g_codeLineText;
}
} // namespace

void ForgetAsmHostColors() {
    g_codeLineText.reset();
}

bool TakeAsmColoursMissed() {
    const bool bMissed = g_bColoursMissed;
    g_bColoursMissed = false;
    return bMissed;
}

int __cdecl AsmSourceImage(void* data, int, int) {
    return AfxGuardWndProc(L"assembler image", kAsmImageNone, [&] {
        const AsmLineRecord* record = AsmRecordOf(data);
        if (record == nullptr || !UpdatesOn())
            return kAsmImageNone;
        if (record->flags & kAsmLineBreakpoint)
            return kAsmImageBreakpoint;
        return (record->flags & kAsmLineCode) ? kAsmImageCode : kAsmImageNone;
    });
}

int __cdecl AsmAddrImage(void*, int row, int user) {
    return AfxGuardWndProc(L"assembler address image", kAsmImagePlain, [&] {
        const CAsmAddrView* pView = AsmViewMap().GetAddrView(user);
        return pView != nullptr && row == pView->GetMark() ? kAsmImageMark : kAsmImagePlain;
    });
}

int __cdecl AsmColors(void* data, int, uint32_t* text, uint32_t* back) {
    return AfxGuardWndProc(L"assembler colours", 0, [&] {
        const AsmLineRecord* record = AsmRecordOf(data);
        if (record == nullptr || text == nullptr || back == nullptr)
            return 0;
        if (!UpdatesOn()) {
            g_bColoursMissed = true;
            return 0;
        }
        const uint32_t codeText = CodeLineText();
        if (record->flags & kAsmLineGrey)
            *back = kGreyLineBack;
        else if (record->background <= 0xFFFFFF)
            *back = record->background;
        else
            *text = (record->flags & kAsmLineCode) ? codeText : kNonCodeText;
        return 1;
    });
}
