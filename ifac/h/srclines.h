// The records the host hands to a source window through SetColumnDatas: the line marks of the
// source view and the line-number column, and the texts of the coverage column. The host owns
// them; the library only reads them, at its next painting.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ifac/h/wire32.h"

// Flags of a source line record.
constexpr uint32_t kLineBreakpoint = 0x0002; // a breakpoint is set on the line
constexpr uint32_t kLineCurrent = 0x0020;    // the current execution line
constexpr uint32_t kLineCode = 0x0080;       // the line has code
constexpr uint32_t kLineStatements = 0x0100; // several statements stand on the line
constexpr uint32_t kLineColumns = 0x0200;    // breakpoints can be set on columns of the line

// A walk of a host list never runs longer than this: a list whose links loop ends here, and a
// real one (a record per code line of the largest file) fits.
constexpr int kMaxSourceLineRecords = 1 << 20;

struct SourceLineRecord {
    int32_t line; // 1-based
    uint32_t flags;
    const SourceLineRecord* next; // null ends the list
};
MOX_WIRE32_ASSERT(sizeof(SourceLineRecord) == 12, "SourceLineRecord is 12 bytes");
MOX_WIRE32_ASSERT(offsetof(SourceLineRecord, next) == 8, "next at 8");

// One text of the coverage column: the host's name of a multi-line text (GetMultiLineText) and
// the colour of the line (used when its top byte is 0).
constexpr unsigned kCoverageNameSize = 32;
struct CoverageRecord {
    const CoverageRecord* next; // null ends the list
    int32_t lineKey;            // compared with the control's line + its line offset
    char textName[kCoverageNameSize];
    uint32_t colour;
};
MOX_WIRE32_ASSERT(sizeof(CoverageRecord) == 44, "CoverageRecord is 44 bytes");
MOX_WIRE32_ASSERT(offsetof(CoverageRecord, textName) == 8, "name at 8");
MOX_WIRE32_ASSERT(offsetof(CoverageRecord, colour) == 40, "colour at 40");
