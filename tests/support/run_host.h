// Runs the stand-in host as a child process, for behaviour that ends the process.
#pragma once

#include <string>
#include <vector>

struct HostRun {
    unsigned long exitCode = 0;
    bool finished = false;
    std::vector<std::string> log; // the host's call log, one call a line
};

// Starts moxhost.exe from the test program's folder with these switches, waits for it (at most
// a minute) and reads its call log.
HostRun RunHost(const std::wstring& switches);

// The folder the test program runs from.
std::wstring ProgramFolder();
