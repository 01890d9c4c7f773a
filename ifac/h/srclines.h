// The host-filled record lists of the source window's columns, handed over by SetColumnDatas:
// the line records of the source view and the line-number column, and the coverage records
// of the coverage column. The host owns both; the library only walks them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ifac/h/wire32.h"

// Flags of a source line record.
enum : uint32_t {
    kLineBreakpoint = 0x2,
    kLineCurrent = 0x20,
    kLineCode = 0x80,
    kLineStatements = 0x100,
    kLineColumnBreakpoints = 0x200,
};

struct SourceLineRecord {
    int32_t line; // 1-based
    uint32_t flags;
    SourceLineRecord* next;
};
MOX_WIRE32_ASSERT(sizeof(SourceLineRecord) == 12, "line record: three words");

struct CoverageRecord {
    static constexpr int kNameSize = 64;
    CoverageRecord* next;
    int32_t lineKey;      // compared with the line plus the column's line offset
    char name[kNameSize]; // the host's text name, asked through GetMultiLineText
    uint32_t colour;      // COLORREF; used when its top byte is 0
};
MOX_WIRE32_ASSERT(offsetof(CoverageRecord, name) == 8, "coverage name at 8");
MOX_WIRE32_ASSERT(offsetof(CoverageRecord, colour) == 72, "coverage colour at 72");

// Walks of host lists stop after this many records: a list that loops or runs on stays bounded.
constexpr int kMaxHostRecords = 1024;
