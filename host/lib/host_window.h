// The stand-in host's own window inside a library view: the simulated target's registers.
#pragma once

#include <windows.h>

#include <functional>

// Creates the registers window as a child of parent (a view the library opened for the host).
// onClose runs when the window is asked to close (the library forwards its frame's close).
HWND CreateRegistersWindow(HWND parent, std::function<void(HWND)> onClose);

// GetHostObject(1): the host's record whose word 47 is the window that takes the keys the
// library's windows pass on (logged as HostKey(key)); the run keys F5, F8 and F10 run GO, STEP
// and STEP /OVER there (logged as HostCommandLine(line)).
void* HostKeyRecord();

// The command line the host runs for a run key (F5, F8, F10); null for any other key.
const char* CommandLineOfKey(WPARAM key);
