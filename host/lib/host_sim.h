// The stand-in host: serves the command table, the memory table and the drag-and-drop
// component on a small simulated target, and records every call (call_log.h).
#pragma once

#include <string>
#include <vector>

struct HostOptions {
    unsigned major = 3, minor = 13;       // command table version
    unsigned memMajor = 3, memMinor = 13; // memory table version
    int cores = 1;
    bool extension = false;
    bool busy = false;
    bool nullTable = false, nullMemTable = false;
    bool noGuiConnect = false, noMemConnect = false, noCoco = false;
    bool nullService = false;
    bool demo = false;
    std::wstring logPath;
    std::wstring library = L"moxguiu.dll";
};

// Parses the host's command line (argv without the program name). On a bad switch returns false
// and says why in error.
bool ParseHostOptions(const std::vector<std::wstring>& args, HostOptions& options,
                      std::wstring& error);

// Builds the tables for these options and hides the exports that the options leave out. Must run
// before the library binds.
void ConfigureHost(const HostOptions& options);
const HostOptions& CurrentHostOptions();

// Message boxes on this thread are logged as MessageBox(caption, text) and answered at once.
void CaptureMessageBoxes();
