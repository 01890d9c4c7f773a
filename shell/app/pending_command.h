// The command line that a window leaves for the main frame to send (command 280).
#pragma once

#include <cstdint>

struct PendingHostCommandBuffer {
    char line[1024];
    int32_t context;
};
extern PendingHostCommandBuffer PendingHostCommand;
