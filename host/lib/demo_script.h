// The demo's host-side set-up, shared by the stand-in host and the tests that check what the
// demo shows.
#pragma once

#include <windows.h>

// Through the library's exports: a host toolbar with one button, a user button, a menu item,
// the Info pane's text; the host's list windows (the simulated target's registers, call stack,
// breakpoints and modules) docked on the right; the sample's main.c with the disassembly and a
// memory window at the program's data beside it, the watch and local-variables windows below;
// then a breakpoint in the loop and two runs to it, so that every window shows the stop and the
// values it changed. An export the library lacks is left out.
void RunDemoScript(HMODULE library);
