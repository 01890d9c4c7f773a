// Opening a file for the user: the host receives the command line VIEW "path" 0.
#pragma once

#include <windows.h>

#include <string>

// The command line for path (backslashes become slashes), or empty when the path cannot be put
// into one: empty, longer than 1024 characters, or holding a quotation mark.
std::string BuildViewCommandLine(const wchar_t* path);
// Sends the line; a path that makes none beeps and sends nothing. TRUE when it was sent.
BOOL OpenFileByName(const wchar_t* path);
