// The simulated target from a fresh start, and where its cores stand as readable text.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "host/lib/call_log.h"
#include "host/lib/host_sim.h"
#include "host/lib/host_source.h"
#include "host/lib/host_state.h"
#include "host/lib/target_machine.h"

class TargetTest : public ::testing::Test {
protected:
    void SetUp() override { Configure(1); }
    void Configure(int cores) {
        HostOptions options;
        options.cores = cores;
        ConfigureHost(options);
        HostState::Get().currentCore = HostState::Get().activeCore = 0;
        CallLog::Get().Clear();
    }
    static TargetMachine& M() { return TargetMachine::Get(); }
    static HostState& S() { return HostState::Get(); }
    static const HostCommandTable& T() { return HostState::Get().commands; }
    // "main.c:19:9", or "-" outside the program.
    static std::string At(int core = 0) {
        const SourcePosition p = CurrentPosition(core);
        if (p.file < 0)
            return "-";
        return Sample().files[p.file].module + ":" + std::to_string(p.line) + ":" +
               std::to_string(p.column);
    }
    static int32_t Word(const char* symbol, uint32_t offset = 0) {
        return static_cast<int32_t>(
            TargetMachine::ReadWord(Sample().FindSymbol(symbol)->address + offset));
    }
    static int File(const char* module) { return Sample().FileIndex(module); }
};
