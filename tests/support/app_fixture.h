// The test program is the host: it serves its tables, loads the library from its folder and
// drives it through its exports, as the real host does.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "host/lib/call_log.h"
#include "host/lib/host_sim.h"
#include "host/lib/host_state.h"

// While it lives, the stand-in service takes every drag it is shown (logging each DragOver as
// the service does), so that a test driving a drop target reaches the drop itself.
class TakeEveryDrag {
public:
    TakeEveryDrag();
    ~TakeEveryDrag();
    TakeEveryDrag(const TakeEveryDrag&) = delete;
    TakeEveryDrag& operator=(const TakeEveryDrag&) = delete;

private:
    void* m_realDragOver;
};

class AppTest : public ::testing::Test {
protected:
    void TearDown() override;

    // Loads the library for a host with these options; the registry root is one per test.
    void Load(HostOptions options = HostOptions());
    // Load, StartApp, and one turn of the pump.
    void Start(HostOptions options = HostOptions());
    void Unload();

    template <typename F> F Get(const char* name) const {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m_module, name)));
    }
    int Call(const char* name); // an export without arguments
    int Peek(int mode = 0);     // PeekMessageApp
    void PumpAll();             // turns until the queue is empty
    int Drain();                // turns until one finds no message; its answer
    void RunFor(DWORD ms);      // the host's loop, waiting for messages, for ms milliseconds
    // Options whose registry root is this test's, so that a second run finds the first one's
    // profile; and the end of a run that keeps it.
    HostOptions SharedRoot() const;
    void EndKeepingProfile();
    HWND Frame() const; // from the host's record
    HMENU Popup(const wchar_t* title) const;
    std::vector<std::string> Lines(const std::string& prefix = "") const;
    bool Logged(const std::string& line) const;
    // Index of the first log line equal to line, -1 when none.
    int IndexOf(const std::string& line) const;
    std::string RegistryRoot() const;

    HMODULE m_module = nullptr;
    bool m_started = false;
};

// A host of this version, number of cores and mode.
HostOptions Host(unsigned major, unsigned minor, int cores = 1, bool extension = false);

std::wstring MenuItemText(HMENU menu, int position);
// The command ids of a toolbar's saved "Buttons" value: records of a 32-bit command id, a
// length byte and that many bytes.
std::vector<UINT> SavedButtonIds(const std::vector<BYTE>& bytes);
// The first child window (at any depth) with this text, or null.
HWND ChildTitled(HWND parent, const wchar_t* title);
