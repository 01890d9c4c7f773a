// The test program is the host: it serves its own tables and the library binds to them.
#pragma once

#include <gtest/gtest.h>

#include "host/lib/call_log.h"
#include "host/lib/host_sim.h"
#include "host/lib/host_state.h"
#include "shell/hostlink.h"

inline void BindTestHost(const HostOptions& options) {
    ConfigureHost(options);
    ASSERT_EQ(1, ConnectHost(nullptr));
    CallLog::Get().Clear();
    CallLog::Get().observer = nullptr;
}

inline HostOptions HostVersion(unsigned major, unsigned minor, int cores = 1) {
    HostOptions o;
    o.major = major;
    o.minor = minor;
    o.cores = cores;
    return o;
}

inline std::vector<std::string> CallLines() {
    std::vector<std::string> lines;
    for (const HostCall& call : CallLog::Get().Calls())
        lines.push_back(call.Line());
    return lines;
}
