// The demo's host-side set-up, shared by the stand-in host and the tests that check what the
// demo shows.
#pragma once

#include <windows.h>

// Through the library's exports: a host toolbar with one button, a user button, a menu item,
// the Info pane's text and the host's list windows: the simulated target's registers,
// breakpoints, call stack and modules. An export the library lacks is left out.
void RunDemoScript(HMODULE library);
