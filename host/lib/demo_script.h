// The demo's host-side set-up, shared by the stand-in host and the tests that check what the
// demo shows.
#pragma once

#include <windows.h>

// Through the library's exports: a host toolbar with one button, a user button, a menu item,
// the Info pane's text and a window of the host's own showing the simulated target's
// registers. An export the library lacks is left out.
void RunDemoScript(HMODULE library);
