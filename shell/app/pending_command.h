// The command line that a window leaves for the main frame to send (command 280).
#pragma once

#include <cstdint>
#include <string>

struct PendingHostCommandBuffer {
    char line[1024];
    int32_t context;
};
extern PendingHostCommandBuffer PendingHostCommand;

// Leaves a whole line in the buffer with its context word and posts command 280 to the main
// frame, when one is up. False, with the buffer as it was, when the line does not fit: a command
// line is never cut.
bool LeavePendingHostCommand(const std::string& line, int32_t context);
