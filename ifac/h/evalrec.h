// The host's records behind the items of an evaluation window: every tree item's data word
// points to an item record, and each item record to the info record of its expression. Both
// live in host memory; the library reads them by word and writes only the item flag that marks
// children as requested.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ifac/h/wire32.h"

struct EvalInfoRecord {
    int32_t id; // word 0: the item id the host knows the expression by
    uint32_t word1to4[4];
    const char* expression; // word 5: 8-bit expression text
    uint32_t word6to20[15];
    uint32_t flags; // word 21
    uint32_t word22to25[4];
    int32_t dragKey; // word 26: -1 for an item that may be dragged
};
MOX_WIRE32_ASSERT(offsetof(EvalInfoRecord, expression) == 5 * 4, "expression at word 5");
MOX_WIRE32_ASSERT(offsetof(EvalInfoRecord, flags) == 21 * 4, "flags at word 21");
MOX_WIRE32_ASSERT(offsetof(EvalInfoRecord, dragKey) == 26 * 4, "drag key at word 26");

namespace EvalInfoFlags {
constexpr uint32_t noDoubleClickEdit = 0x80;
constexpr uint32_t readOnly = 0x200;
} // namespace EvalInfoFlags

struct EvalItemRecord {
    const char* suffix;    // word 0: access suffix appended to the parent expression
    const char* name;      // word 1: first column (null: the info record's expression)
    const char* value;     // word 2: second column
    const char* editValue; // word 3: the text offered for editing (null: not editable)
    uint32_t word4;
    uint32_t flags; // word 5
    uint32_t word6to7[2];
    uint32_t noDrag; // word 8: non-zero: no drag
    uint32_t word9;
    const EvalInfoRecord* info; // word 10
};
MOX_WIRE32_ASSERT(offsetof(EvalItemRecord, flags) == 5 * 4, "flags at word 5");
MOX_WIRE32_ASSERT(offsetof(EvalItemRecord, noDrag) == 8 * 4, "no-drag at word 8");
MOX_WIRE32_ASSERT(offsetof(EvalItemRecord, info) == 10 * 4, "info at word 10");

namespace EvalItemFlags {
constexpr uint32_t hasChildren = 0x1;
constexpr uint32_t notEditable = 0x2;
constexpr uint32_t changed = 0x8;
constexpr uint32_t notEditable2 = 0x100;
constexpr uint32_t enterRunsCommand = 0x200;
constexpr uint32_t dereferenceString = 0x800;
constexpr uint32_t childrenRequested = 0x20000;
constexpr uint32_t grey = 0x800000;
} // namespace EvalItemFlags
