// The code blocks of a source line, as the host reads them for coverage and block comments: the
// count of uncovered runs and of comments that decide the coverage submenu, and the block that a
// block comment acts on.
#pragma once

#include <memory>

#include "ifac/h/hostcmd.h"

struct LineBlockCounts {
    int uncoveredRuns = 0; // changes from covered to not covered, starting covered
    int comments = 0;      // counted only when there is an uncovered run
};

// Over the records that belong to the line (bit 13), in order.
LineBlockCounts CountLineBlocks(const HostBlockRecord* records, int count);

// The first record of the line that a block comment acts on, or null.
const HostBlockRecord* ChooseCommentBlock(const HostBlockRecord* records, int count);

// The blocks at an evaluated address. count is bounded by the buffer's capacity whatever the
// host writes into the header.
struct LineBlocks {
    uint64_t address = 0;
    std::unique_ptr<HostBlockBuffer> buffer;
    int count = 0;
    const HostBlockRecord* records() const { return buffer ? buffer->record : nullptr; }
};

// EvaluateAddress of the 8-bit expression: false when the host cannot evaluate it.
bool EvaluateLineAddress(const char* expression, LineBlocks& blocks);
// ReadTargetMemory at blocks.address: false when the host reads nothing.
bool ReadLineBlocks(LineBlocks& blocks);

// Adds (1), edits (-1) or deletes (0) the block comment of the 8-bit code position: the host does
// it when it is handed the chosen block (or, when it cannot read the blocks, the address).
void RunBlockComment(int mode, const char* expression);
