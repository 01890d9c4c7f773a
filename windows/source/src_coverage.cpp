#include "windows/source/src_coverage.h"

#include <algorithm>

#include "shell/hostlink.h"

namespace {

bool OfLine(const HostBlockRecord& r) {
    return (r.word[0] & kBlockOfLine) != 0;
}

bool IsCovered(const HostBlockRecord& r) {
    switch (BlockKindOf(r.word[0])) {
    case 1:
    case 2:
        return r.word[4] != 0;
    case 3:
        return r.word[4] != 0 && r.word[5] != 0;
    default:
        return false;
    }
}

bool IsComment(const HostBlockRecord& r, bool first) {
    if (!OfLine(r) || BlockKindOf(r.word[0]) != 4)
        return false;
    uint32_t sub = BlockSubKindOf(r.word[0]);
    return sub == 1 || (first && sub == 0);
}

bool IsCommentTarget(const HostBlockRecord& r) {
    if (!OfLine(r))
        return false;
    switch (BlockKindOf(r.word[0])) {
    case 1:
    case 2:
        return r.word[4] == 0;
    case 3:
        return r.word[4] == 0 || r.word[5] == 0;
    case 4:
        return BlockSubKindOf(r.word[0]) <= 1;
    default:
        return false;
    }
}

} // namespace

LineBlockCounts CountLineBlocks(const HostBlockRecord* records, int count) {
    LineBlockCounts counts;
    if (!records)
        return counts;
    bool covered = true;
    for (int i = 0; i < count; ++i) {
        if (!OfLine(records[i]))
            continue;
        bool now = IsCovered(records[i]);
        if (covered && !now)
            ++counts.uncoveredRuns;
        covered = now;
    }
    if (counts.uncoveredRuns == 0)
        return counts;
    for (int i = 0; i < count; ++i)
        if (IsComment(records[i], i == 0))
            ++counts.comments;
    return counts;
}

const HostBlockRecord* ChooseCommentBlock(const HostBlockRecord* records, int count) {
    for (int i = 0; records && i < count; ++i)
        if (IsCommentTarget(records[i]))
            return &records[i];
    return nullptr;
}

bool EvaluateLineAddress(const char* expression, LineBlocks& blocks) {
    HostCommandTable* host = HostTable();
    return host && expression && host->EvaluateAddress(expression, &blocks.address) != 0;
}

bool ReadLineBlocks(LineBlocks& blocks) {
    HostCommandTable* host = HostTable();
    if (!host)
        return false;
    blocks.buffer = std::make_unique<HostBlockBuffer>();
    HostBlockBuffer& buffer = *blocks.buffer;
    buffer.count = 0;
    if (!host->ReadTargetMemory(&blocks.address, &buffer, kHostBlockCapacity, buffer.record))
        return false;
    blocks.count = static_cast<int>(std::min<uint32_t>(buffer.count, kHostBlockCapacity));
    return true;
}

void RunBlockComment(int mode, const char* expression) {
    HostCommandTable* host = HostTable();
    LineBlocks blocks;
    if (!host || !EvaluateLineAddress(expression, blocks))
        return;
    if (!ReadLineBlocks(blocks)) {
        host->ReportEvaluationError(mode, &blocks.address);
        return;
    }
    if (const HostBlockRecord* chosen = ChooseCommentBlock(blocks.records(), blocks.count))
        host->ReportEvaluationError(mode, &chosen->word[1]);
}
