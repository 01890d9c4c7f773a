// The chain of line records the host hands to an assembler window (SetColumnDatas, flag 0x8): one
// record a disassembled line, chained by the first word. The host owns the records; the window
// reads them while it fills its panes and while a callback names one.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ifac/h/wire32.h"

// Line flags of an assembler line record.
constexpr uint16_t kAsmLineCode = 0x0001;         // code line: editable, breakpoint possible
constexpr uint16_t kAsmLineBreakpoint = 0x0010;   // a breakpoint is set on the line
constexpr uint16_t kAsmLineGrey = 0x0020;         // grey background
constexpr uint16_t kAsmLineNoBreakpoint = 0x0040; // with kAsmLineCode: no breakpoint commands

// Block-comment word: the comment's presence and its kind in the low four bits.
constexpr uint32_t kAsmBlockComment = 0x2000;
constexpr uint32_t kAsmBlockCommentKindMask = 0x000F;

// The address key of a line is its line number in the host's whole disassembly; the drag
// property "ID" is the key less this base.
constexpr uint32_t kAsmLineKeyBase = 0x10000;

// A walk of an assembler chain never runs longer than this: a chain whose links loop ends here,
// and a real one (the host serves a few pages at a time) fits many times over.
constexpr int kMaxAsmLineRecords = 1 << 20;

struct AsmLineRecord {
    const AsmLineRecord* next;    // word 0; null ends the chain
    uint32_t hostWords[18];       // words 1-18: the host's own
    const char* addressText;      // word 19, shown in the address pane
    const char* opcodeText;       // word 20
    const char* sourceText;       // word 21
    uint16_t flags;               // 16-bit word 44 (kAsmLine*)
    uint16_t hostFlags;           // 16-bit word 45: the host's own
    uint32_t addressKey;          // word 23
    uint32_t hostWords2[2];       // words 24-25
    uint32_t blockComment;        // word 26; also where the coverage text's name starts
    uint32_t blockCommentArea[3]; // words 27-29: handed to the host's block-comment call
    uint32_t blockCommentQual[2]; // words 30-31: qualify a comment of kind 3
    uint32_t background;          // word 32: used when not above 0xFFFFFF
};
MOX_WIRE32_ASSERT(offsetof(AsmLineRecord, addressText) == 19 * 4, "address text at word 19");
MOX_WIRE32_ASSERT(offsetof(AsmLineRecord, opcodeText) == 20 * 4, "opcode text at word 20");
MOX_WIRE32_ASSERT(offsetof(AsmLineRecord, sourceText) == 21 * 4, "source text at word 21");
MOX_WIRE32_ASSERT(offsetof(AsmLineRecord, flags) == 44 * 2, "flags at 16-bit word 44");
MOX_WIRE32_ASSERT(offsetof(AsmLineRecord, addressKey) == 23 * 4, "address key at word 23");
MOX_WIRE32_ASSERT(offsetof(AsmLineRecord, blockComment) == 26 * 4, "block comment at word 26");
MOX_WIRE32_ASSERT(offsetof(AsmLineRecord, blockCommentArea) == 27 * 4, "comment area at 27");
MOX_WIRE32_ASSERT(offsetof(AsmLineRecord, blockCommentQual) == 30 * 4, "qualifiers at 30");
MOX_WIRE32_ASSERT(offsetof(AsmLineRecord, background) == 32 * 4, "background at word 32");
MOX_WIRE32_ASSERT(sizeof(AsmLineRecord) == 33 * 4, "AsmLineRecord is 33 words");
