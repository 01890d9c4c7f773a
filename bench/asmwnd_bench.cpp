// Times the assembler window driven by the stand-in host: opened the way the host opens it (its
// core's window with the address pane and the coverage column), paged down through at least
// 100,000 lines and back up again and again, the host handing the window its lines in blocks as
// the window asks at either end (host word 19), and 1,000 steps (the current instruction moves by
// one, as after a single step, and the host hands the window its lines again). The peer, in the
// same run, size and screen: the platform's list view in virtual mode (report view, the same
// texts of the whole disassembly through LVN_GETDISPINFO), paged the same way, and for a step
// the current row moved and the two rows redrawn. Each figure is printed as its ratio to the peer
// with the target beside it (<= 1.0x); a figure over its target ends its line with OVER. Then
// the host calls per page and per step. Run under Xvfb.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_clock.h"
#include "tests/support/run_host.h"
#include "host/lib/asm_chain.h"
#include "host/lib/call_log.h"
#include "host/lib/host_asm.h"
#include "host/lib/host_sim.h"
#include "host/lib/host_source.h"
#include "host/lib/host_state.h"
#include "host/lib/source_link.h"
#include "host/lib/target_machine.h"
#include "include/list.h"

namespace {

constexpr int kSteps = 1000;
constexpr int kLinesToPage = 100000;
constexpr double kTarget = 1.0;
constexpr int kWidth = 900, kHeight = 700;
constexpr int kPaneFirst = 0xE900;
constexpr int kAddressWidth = 140, kColumnWidth = 100;
// A page that moves nothing this many times in a row ends the way down or up.
constexpr int kStuckPages = 3;

template <typename F> F Export(HMODULE m, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name)));
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The window reads a held Page Down (Page Up) as the user's wish for more lines at an end; the
// key's own messages are dropped, the bench pages by the bar's messages alone. A busy machine
// may take a while to show the key held; false when it never does.
bool HoldKey(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
    bool reached = false;
    for (int i = 0; i < 200 && !reached; ++i) {
        reached = ((GetAsyncKeyState(key) & 0x8000) != 0) == down;
        if (!reached)
            Sleep(10);
    }
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    return reached;
}

// The texts of every line of the disassembly, as the window shows them: address, coverage (up
// to its break), opcode, source.
struct Listing {
    std::vector<std::wstring> cells; // four a line
    int lines = 0;
    const wchar_t* Cell(int line, int column) const {
        return cells[static_cast<size_t>(line) * 4 + static_cast<size_t>(column)].c_str();
    }
};

std::wstring Wide(const std::string& s) {
    return std::wstring(s.begin(), s.end());
}

Listing MakeListing() {
    Listing l;
    const AsmChain chain(0, AsmLineCount(), 0);
    for (const AsmLineRecord* r = chain.Head(); r != nullptr; r = r->next) {
        std::string coverage = AsmCoverageText(chain, *r);
        coverage = coverage.substr(0, coverage.find("<NL>"));
        l.cells.push_back(Wide(r->addressText));
        l.cells.push_back(Wide(coverage));
        l.cells.push_back(Wide(r->opcodeText));
        l.cells.push_back(Wide(r->sourceText));
        ++l.lines;
    }
    return l;
}

// ---- the peer: a virtual list view ----

struct Peer {
    const Listing* listing = nullptr;
    int current = -1; // the row of the current instruction
    HWND frame = nullptr, list = nullptr;
};
Peer g_peer;

LRESULT CALLBACK PeerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == LVN_GETDISPINFOW) {
            auto* info = reinterpret_cast<NMLVDISPINFOW*>(lParam);
            if ((info->item.mask & LVIF_TEXT) && info->item.iItem < g_peer.listing->lines)
                lstrcpynW(info->item.pszText,
                          g_peer.listing->Cell(info->item.iItem, info->item.iSubItem),
                          info->item.cchTextMax);
            return 0;
        }
        if (header->code == NM_CUSTOMDRAW) {
            auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
            if (draw->nmcd.dwDrawStage == CDDS_PREPAINT)
                return CDRF_NOTIFYITEMDRAW;
            if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
                if (static_cast<int>(draw->nmcd.dwItemSpec) == g_peer.current)
                    draw->clrTextBk = kCurrentLineColor;
                return CDRF_DODEFAULT;
            }
        }
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

void OpenPeer(const Listing& listing, int width, int height) {
    g_peer.listing = &listing;
    WNDCLASSW wc{};
    wc.lpfnWndProc = PeerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"AsmWndBenchPeer";
    RegisterClassW(&wc);
    g_peer.frame = CreateWindowExW(0, wc.lpszClassName, L"peer", WS_POPUP | WS_VISIBLE, 0, 0, width,
                                   height, nullptr, nullptr, wc.hInstance, nullptr);
    g_peer.list = CreateWindowExW(
        0, WC_LISTVIEWW, L"",
        WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0,
        0, width, height, g_peer.frame, nullptr, wc.hInstance, nullptr);
    SendMessageW(g_peer.list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                 LVS_EX_FULLROWSELECT);
    const wchar_t* titles[] = {L"Address", L"Coverage", L"Opcode", L"Source"};
    for (int c = 0; c < 4; ++c) {
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.cx = c == 0   ? kAddressWidth
                 : c == 3 ? width - kAddressWidth - 2 * kColumnWidth
                          : kColumnWidth;
        col.pszText = const_cast<wchar_t*>(titles[c]);
        SendMessageW(g_peer.list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&col));
    }
    SendMessageW(g_peer.list, LVM_SETITEMCOUNT, listing.lines, 0);
    RedrawWindow(g_peer.frame, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void ClosePeer() {
    DestroyWindow(g_peer.frame);
    g_peer = Peer{};
    Pump();
}

int PeerTop() {
    return static_cast<int>(SendMessageW(g_peer.list, LVM_GETTOPINDEX, 0, 0));
}

// ---- the assembler window ----

struct Ours {
    HMODULE library = nullptr;
    const ListWindowInterface* lists = nullptr;
    int id = -1;
    HWND frame = nullptr, splitter = nullptr, addr = nullptr, source = nullptr;

    HWND List() const { return GetWindow(source, GW_CHILD); }
    int Query(uint32_t flags) const {
        int value = -1;
        lists->QueryItem(static_cast<int>(reinterpret_cast<intptr_t>(source)), flags, nullptr,
                         &value);
        return value;
    }
    int Top() const { return Query(64 | 16); }
    int PerPage() const { return Query(128); }
    // The top line in the whole disassembly: the chain's first line and the list's top.
    int AbsoluteTop() const {
        const HostAsmWindow* w = AsmWindowOfCore(0);
        return (w && w->Chain() ? w->Chain()->First() : 0) + Top();
    }
    void Paint() const { RedrawWindow(frame, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }
};

bool OpenOurs(Ours& o) {
    o.id = OpenAsmWindow(0);
    if (o.id < 0)
        return false;
    const HostAsmWindow* w = AsmWindowOfCore(0);
    using PlaceFn = void(__cdecl*)(intptr_t, int, const WindowPosition*);
    HostState::Get().placements[&w->position] = HostPlacement{0x11, 0, 0, kWidth, kHeight};
    Export<PlaceFn>(o.library, "UpdateWndPos")(o.id, 1, &w->position);
    o.frame = Export<HWND(__cdecl*)(int)>(o.library, "GetWindowHandle")(o.id);
    o.splitter = GetDlgItem(o.frame, kPaneFirst);
    o.addr = GetDlgItem(o.splitter, kPaneFirst);
    o.source = GetDlgItem(o.splitter, kPaneFirst + 1);
    Pump();
    RedrawWindow(o.frame, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return o.source != nullptr && o.List() != nullptr;
}

// ---- paging ----

struct Walk {
    double seconds = 0;
    int pages = 0;
    long lines = 0;
    size_t calls = 0;
    bool stuck = false;
};

// Pages down to the end and back up to the start until kLinesToPage lines went by downwards;
// top() reads the top line in the whole disassembly, page(code) pages once and paints.
template <class Top, class Page> Walk PageThrough(int lineCount, int perPage, Top top, Page page) {
    Walk w;
    const size_t callsBefore = CallLog::Get().Calls().size();
    const double start = Now();
    long down = 0;
    while (down < kLinesToPage && !w.stuck) {
        for (const bool bDown : {true, false}) {
            if (!HoldKey(bDown ? VK_NEXT : VK_PRIOR, true))
                std::printf("paging: the display never showed %s held\n",
                            bDown ? "Page Down" : "Page Up");
            int still = 0;
            for (;;) {
                const int before = top();
                if (bDown ? before + perPage >= lineCount : before <= 0)
                    break;
                page(bDown ? SB_PAGEDOWN : SB_PAGEUP);
                ++w.pages;
                const int moved = std::abs(top() - before);
                w.lines += moved;
                if (bDown)
                    down += moved;
                still = moved == 0 ? still + 1 : 0;
                // Rows that stand still near the end are its partly shown last row; anywhere
                // else the window is stuck.
                if (still >= kStuckPages) {
                    w.stuck = bDown ? before + 2 * perPage < lineCount : before > 0;
                    break;
                }
            }
            HoldKey(bDown ? VK_NEXT : VK_PRIOR, false);
            if (w.stuck)
                break;
        }
    }
    GdiFlush();
    w.seconds = Now() - start;
    w.calls = CallLog::Get().Calls().size() - callsBefore;
    return w;
}

// ---- steps ----

// The instruction of step i: a walk up and down the middle third of the page the window shows,
// one instruction at a time, so that no step scrolls and each changes two lines.
uint32_t StepAddress(uint32_t first, int i, int span) {
    const int phase = i % (2 * span);
    return first +
           static_cast<uint32_t>(phase < span ? phase : 2 * span - phase) * kInstructionSize;
}

void Print(const char* what, double value, double peer) {
    const double ratio = peer > 0 ? value / peer : 0;
    std::printf("%-40s %9.1f ms  peer %9.1f ms  %5.2fx (target <= %.1fx)%s\n", what, value * 1000,
                peer * 1000, ratio, kTarget, ratio > kTarget ? " OVER" : "");
}

} // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    HostOptions options;
    options.registryRoot = "Software\\Orvex\\Bench\\asmwnd";
    options.registryRootGiven = true;
    ConfigureHost(options);
    CaptureMessageBoxes();
    Ours o;
    o.library = LoadLibraryW((ProgramFolder() + L"\\moxguiu.dll").c_str());
    if (o.library == nullptr || Export<int(__cdecl*)()>(o.library, "StartApp")() != 1) {
        std::fprintf(stderr, "asmwnd_bench: the library did not start\n");
        return 1;
    }
    using TableFn = const ListWindowInterface**(__cdecl*)(const ListWindowInterface**);
    Export<TableFn>(o.library, "GetListWndIfacPtr")(&o.lists);
    HWND mainFrame = static_cast<HWND>(HostState::Get().mainRecord.frameWindow);
    SetWindowPos(mainFrame, HWND_TOP, 0, 0, kWidth + 100, kHeight + 200, SWP_SHOWWINDOW);
    BindSourceLibrary(o.library);
    TargetMachine::Get().Reset(1);
    Pump();
    if (!OpenOurs(o)) {
        std::fprintf(stderr, "asmwnd_bench: no assembler window\n");
        return 1;
    }
    const Listing listing = MakeListing();
    const int lineCount = listing.lines;

    ShowAsmAddress(0, 0);
    o.Paint();
    const int perPage = std::max(1, o.PerPage());
    RECT panes{};
    GetClientRect(o.splitter, &panes);
    OpenPeer(listing, panes.right, panes.bottom);
    const int peerPerPage =
        std::max(1, static_cast<int>(SendMessageW(g_peer.list, LVM_GETCOUNTPERPAGE, 0, 0)));
    std::printf("assembler window %dx%d, %d lines of disassembly, %d lines a page (peer %d)\n",
                kWidth, kHeight, lineCount, perPage, peerPerPage);

    // Steps first, as they are quick: the current instruction walks over the middle third of
    // the page in view.
    const uint32_t pageStart = 0x400;
    const int span = std::max(1, perPage / 4);
    const uint32_t first = pageStart + static_cast<uint32_t>(perPage / 3) * kInstructionSize;
    TargetCore& core = TargetMachine::Get().Core(0);
    core.reg[PC] = StepAddress(first, 0, span);
    PublishAsmStop();
    o.Paint();
    CallLog::Get().Clear();
    double start = Now();
    for (int i = 1; i <= kSteps; ++i) {
        core.reg[PC] = StepAddress(first, i, span);
        PublishAsmStop();
        o.Paint();
    }
    GdiFlush();
    const double ourSteps = Now() - start;
    const size_t stepCalls = CallLog::Get().Calls().size();
    std::map<std::string, size_t> stepCallNames;
    for (const HostCall& call : CallLog::Get().Calls())
        ++stepCallNames[call.name];

    const int firstRow = AsmLineOfAddress(first);
    g_peer.current = firstRow;
    SendMessageW(g_peer.list, LVM_ENSUREVISIBLE, firstRow + perPage, FALSE);
    SendMessageW(g_peer.list, LVM_ENSUREVISIBLE, firstRow - perPage / 3, FALSE);
    UpdateWindow(g_peer.list);
    start = Now();
    for (int i = 1; i <= kSteps; ++i) {
        const int from = g_peer.current;
        g_peer.current = AsmLineOfAddress(StepAddress(first, i, span));
        SendMessageW(g_peer.list, LVM_REDRAWITEMS, std::min(from, g_peer.current),
                     std::max(from, g_peer.current));
        UpdateWindow(g_peer.list);
    }
    GdiFlush();
    const double peerSteps = Now() - start;
    char label[96];
    std::snprintf(label, sizeof label, "a step (%d steps)", kSteps);
    Print(label, ourSteps, peerSteps);
    std::printf("host calls per step: %.1f\n", static_cast<double>(stepCalls) / kSteps);
    for (const auto& [name, count] : stepCallNames)
        std::printf("  %-28s %.1f a step\n", name.c_str(), static_cast<double>(count) / kSteps);

    // Paging, from the top of the disassembly in both.
    ShowAsmAddress(0, 0);
    o.Paint();
    auto ourPage = [&](UINT code) {
        SendMessageW(o.List(), WM_VSCROLL, MAKEWPARAM(code, 0), 0);
        o.Paint();
    };
    const Walk ours = PageThrough(
        lineCount, perPage, [&] { return o.AbsoluteTop(); }, ourPage);
    SendMessageW(g_peer.list, LVM_ENSUREVISIBLE, 0, FALSE);
    UpdateWindow(g_peer.list);
    auto peerPage = [&](UINT code) {
        SendMessageW(g_peer.list, WM_VSCROLL, MAKEWPARAM(code, 0), 0);
        UpdateWindow(g_peer.list);
    };
    const Walk peer = PageThrough(lineCount, peerPerPage, PeerTop, peerPage);
    ClosePeer();

    std::snprintf(label, sizeof label, "paging (%ld lines in %d pages)", ours.lines, ours.pages);
    Print(label, ours.seconds,
          peer.seconds * (peer.lines > 0 ? double(ours.lines) / peer.lines : 1));
    if (ours.stuck || peer.stuck)
        std::printf("paging stopped: the %s stood still for %d pages\n",
                    ours.stuck ? "assembler window" : "peer", kStuckPages);
    std::printf("host calls per page: %.1f\n",
                ours.pages > 0 ? double(ours.calls) / ours.pages : 0.0);

    Export<int(__cdecl*)()>(o.library, "EndApp")();
    BindSourceLibrary(nullptr);
    FreeLibrary(o.library);
    RegDeleteTreeA(HKEY_CURRENT_USER, options.registryRoot.c_str());
    return 0;
}
