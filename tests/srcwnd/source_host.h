// The test program is the source window's host: what its requests and the answers it gives to
// the context menu's questions look like, set per test.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/shell/bound_host.h"

// One request as the host received it: every record of the chain (next pointers and text
// slots zeroed, so that records compare byte for byte), the slot texts, and the call's shape.
struct SentRequest {
    std::string word;                 // "ExecuteRequest" or "ExecuteRequestChain"
    std::vector<HostRequest> records; // the chain, in order
    std::vector<std::string> slot0;   // slot 0 of each record read as text ("" when 0)
    uintptr_t text = 0;               // the text argument as it came
    std::string textRead;             // and read as a text, unless the case says it is a value
    int index = 0, a = 0, b = 0;
};

// Answers of the source queries, and what the host was sent.
struct SourceHost {
    // QueryLineInfo: answer and table.
    int lineInfoAnswer = 1;
    std::vector<HostLineEntry> lineEntries;
    // QuerySourceLine: the column words.
    std::vector<uint32_t> columns;
    // CanJumpToDefinition: result and out.
    int jumpResult = 1, jumpAnswer = 1;
    int coverageActive = 0;
    // EvaluateAddress and ReadTargetMemory.
    int evaluateResult = 1;
    uint64_t address = 0x4010;
    int readResult = 1;
    uint32_t reportedCount = 0; // the buffer's count word as the host writes it
    std::vector<HostBlockRecord> blocks;
    // The text argument of word 2 is a value, not a text (operation 7).
    bool textIsValue = false;

    std::vector<SentRequest> sent;
    std::vector<std::pair<int, uint64_t>> reported; // ReportEvaluationError (mode, address)

    static SourceHost& Get();
    // Binds the test host and puts these answers into its table.
    static void Bind(const HostOptions& options);
};

HostBlockRecord Block(uint32_t flags, uint32_t count4 = 0, uint32_t count5 = 0,
                      uint64_t address = 0);
