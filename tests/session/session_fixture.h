// The test program is the debugger's host for a whole session: it loads the library, opens every
// window a debugging session shows on the simulated target (source, registers, breakpoints, call
// stack, modules, memory, watch and locals), and the user's mouse and keys reach the windows as
// messages at the points where a user would click.
#pragma once

#include "tests/support/app_fixture.h"

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
    // into main; the run keys handed to the host's key window drive the target.
    void StartSession(HostOptions options = HostOptions());
    // EndApp with the layout kept in the registry, the library unloaded.
    void EndSession();

    // The host carries out a run command on the target (at once, or once FinishRun is called
    // while runs are deferred: the target runs while the host's loop goes on) and updates the
    // windows after the stop.
    void Run(const char* line);
    void FinishRun();
    bool m_deferRuns = false;

    // A key pressed in the window that has the focus (the frame when none has), then the host's
    // loop until the queue is empty.
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
    static LRESULT CALLBACK KeyProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    size_t m_mark = 0;
    std::string m_pendingRun;
    std::set<int> m_placed; // source windows put in their place, by id
    HWND m_keys = nullptr;
};
