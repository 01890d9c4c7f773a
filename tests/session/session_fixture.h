// The test program is the debugger's host for a whole session: it loads the library, opens every
// window a debugging session shows on the simulated target (source, registers, breakpoints, call
// stack, modules, memory, watch and locals), and the user's mouse and keys reach the windows as
// messages at the points where a user would click.
#pragma once

#include "tests/support/app_fixture.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "host/lib/host_eval.h"
#include "host/lib/host_lists.h"
#include "host/lib/host_memory.h"

class SessionTest : public AppTest {
protected:
    void TearDown() override;

    // The host starts the library and opens the session's windows, the sample program stepped
    // into main; the run keys reach the host's own key window, which drives the target.
    void StartSession(HostOptions options = HostOptions());
    // The host keeps the layout (the library's placements of the session's windows, asked
    // before the end), EndApp keeps the library's own in the registry; the library unloaded.
    // The next StartSession places the windows as they were kept.
    void EndSession();

    // The host carries out a command line on the target and updates the windows after the stop.
    void Run(const char* line);

    // A key pressed in the window that has the focus (the frame when none has), then the host's
    // loop until the queue is empty and the host's script after the stop.
    void PressKey(UINT key);
    // A left click (or a double click) at a client point of a window, through the host's loop.
    void Click(HWND window, POINT client, bool twice = false);
    // Characters typed into a window.
    void Type(HWND window, const std::wstring& text);

    // The source frame of a file of the sample, its line-number column and its source view.
    HWND SourceFrame(int file);
    HWND LineColumn(int file);
    HWND SourceView(int file);
    // The view's rows painted in the host's colour: the top row (screen y) and the rows' height;
    // top -1 when no row is.
    struct Band {
        int top = -1, height = 0;
    };
    static Band ColourBand(HWND view, COLORREF colour, const wchar_t* screenshot = nullptr);
    // Pixels of the window (as the screen shows it) in 0x00RRGGBB.
    static int Pixels(HWND window, DWORD colour);
    // The breakpoint list's tree.
    HWND BreakpointTree() const;
    HWND ListTree(int id) const;
    // The log lines since the last Mark() that start with one of the prefixes.
    void Mark() { m_mark = CallLog::Get().Calls().size(); }
    std::vector<std::string> Since(const std::vector<std::string>& prefixes) const;

    HostLists m_lists;
    HostMemView* m_memory = nullptr;
    std::unique_ptr<HostEvalWindow> m_watch, m_locals;
    int m_mainFile = -1, m_utilFile = -1;

private:
    void AfterStop();
    void KeepLayout();
    // Where a window of the session goes: as it was kept at the last end, else where given.
    HostPlacement PlaceOf(const std::string& window, const HostPlacement& given) const;
    std::map<std::string, HostPlacement> m_kept;
    size_t m_mark = 0;
    std::set<int> m_placed; // source windows put in their place, by id
};
