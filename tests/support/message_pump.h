// Runs what a test's windows have queued, as the application's loop would between two calls.
#pragma once

// Every waiting message, translated and dispatched; a quit message is dropped so that one test
// cannot end the next one's loops.
void PumpMessages();
// The messages, one idle pass of the application, and what that pass queued.
void PumpIdle();
