// The stand-in host: serves the command table, the memory table and the drag-and-drop
// component on a small simulated target, and records every call (call_log.h).
#pragma once

#include <cstdint>
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
    bool plugins = false; // --plugins: show the plug-in list once started
    // Answers of the host's switchable entries.
    bool allToolbar = false;     // HasAllToolbar
    bool menuInsertSetA = false; // QueryMenuInsert: the first anchor set
    int disabledClass = 0;       // IsCommandClassEnabled answers 0 for this class
    unsigned takeMessage = 0;    // the pre-translate hook takes messages of this number
    bool noMainRecord = false;   // GetHostObject(15) answers 0
    bool hostFonts = true;       // GetFontAndColors serves fonts (when the version has it)
    int pumpMode = 0;            // PeekMessageApp's mode in the host's loop
    int runMilliseconds = -1;    // the script's length; -1: until command 37
    bool registryRootGiven = false;
    std::string registryRoot; // --registry-root
    std::string title = "MOX Stand-in Host";
    std::wstring screenshot; // --screenshot FILE: write the frame as PNG and end
    // --refuse-rules KIND: the drag-and-drop service refuses that kind's rule set
    std::vector<std::string> refusedRuleKinds;
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
// Leaves the message boxes to the test that answers them itself.
void ReleaseMessageBoxes();
