// The test program is the host of assembler windows: it opens them through the library's
// exports, hands them line chains (its own, or the stand-in host's disassembly) and reads what
// the panes show.
#pragma once

#include "tests/support/app_fixture.h"

#include "ifac/h/asmlines.h"
#include "ifac/h/hostwnd.h"
#include "include/list.h"

#include <string>
#include <vector>

// A chain of line records with the texts they point at.
struct TestChain {
    explicit TestChain(int count, uint32_t firstKey = kAsmLineKeyBase);
    std::vector<AsmLineRecord> records;
    std::vector<std::string> texts;
    const AsmLineRecord* Head() const { return records.empty() ? nullptr : &records[0]; }
};

class AsmWndTest : public AppTest {
protected:
    void TearDown() override;

    // The stand-in host with the library bound and its target stopped at its first
    // instruction, so that its own assembler windows have lines to show; false when it cannot
    // stop there.
    bool StartStopped(HostOptions options = HostOptions());
    int Create(int flags, int core = 0);
    intptr_t Update(int id, int line, int flags);
    int SetColumnDatas(int id, int flags, const void* data);
    HWND FrameOf(int id);
    // The frame's panes from the left, and each one's list control.
    static std::vector<HWND> Panes(HWND frame);
    static HWND ListOf(HWND pane) { return pane ? GetWindow(pane, GW_CHILD) : nullptr; }
    // The list window's rows through the list table: first visible, selected, rows per page.
    const ListWindowInterface* Lists();
    int TopIndex(HWND pane);
    int Selected(HWND pane);
    int PerPage(HWND pane);
    // Every row of a pane's list, columns joined by tabs (the list's Copy All).
    std::string AllText(HWND pane);
    void Show(HWND frame, int width = 600, int height = 300);
    // A window of both panes, 600 by 250 on the screen, that holds the chain: its id (0 when
    // it cannot be made), its frame and panes in m_frame and m_panes.
    int OpenWithChain(const TestChain& chain);
    // The host moves the window to a placement (MDI, docked or floating), as it does when the
    // user changes the window's form.
    void Place(int id, const WindowPosition* position, const HostPlacement& placement);
    // A scroll of the disassembly list past its end (down) or its start (up) while the key that
    // scrolls is really held, as the user scrolls on; false when the display takes no injected
    // input.
    bool ScrollPastTheEnd(HWND pane, bool bDown);
    // Opens for core 0 and for cores the host does not report on a host of that many cores.
    void ExpectOnlyReportedCoresOpen(int cores);
    // Docks the stand-in host's window of the core and logs the core-switching calls (words
    // 50, 51, 53, 54) the change of form makes.
    std::vector<std::string> CoreCallsOfADock(HostOptions options, int core);

    WindowPosition m_position{};
    HWND m_frame = nullptr;
    std::vector<HWND> m_panes;
};
