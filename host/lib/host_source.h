// What the stand-in host tells the source windows about the sample program: the context tag of
// a window, where each core stands, the line records (breakpoint, current line, code line,
// several statements, column breakpoints), the background colours, the coverage texts and the
// code blocks of a line with their block comments.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "ifac/h/hostcmd.h"
#include "ifac/h/srclines.h"

// A window's context tag names the file it shows and the core it shows it for.
int SourceContextTag(int file, int core);
bool DecodeContextTag(int tag, int& file, int& core);

// Where a core stands: its statement's line and column (1-based) and the statement's length;
// file -1 when the core is outside the program or has ended.
struct SourcePosition {
    int file = -1, line = 0, column = 0, length = 0;
};
SourcePosition CurrentPosition(int core);

// The line record flags of a line for a core; 0 for a line without code.
uint32_t SourceLineFlags(int file, int line, int core);

// Backgrounds of the runs of a line. Colours in the form a window draws them (0x00BBGGRR);
// kNoSourceColor (top byte set) leaves the window's own background.
constexpr uint32_t kNoSourceColor = 0x1000000;
constexpr uint32_t kCurrentLineColor = 0x80FFFF;
constexpr uint32_t kBreakpointColor = 0x9090FF;
constexpr uint32_t kDisabledBreakpointColor = 0xD0D0D0;
// column: the 1-based column where the run starts.
uint32_t SourceColor(int file, int line, int column, int core);

// The records of every code line of a file for a core, linked in line order. The list is the
// host's and stays valid until the next call for the same file and core.
const SourceLineRecord* SourceLineRecords(int file, int core);
// The coverage column's records of a file (one per line, keyed by the line's row; a code line's
// colour green when it ran, red when it did not) and the text behind a record's name.
const CoverageRecord* CoverageRecords(int file, int core);
std::string CoverageText(const char* name);

// The code blocks of the function that holds address, bit 13 set on those of its line, each
// block followed by its comment; the count is also written to buffer.count. At most capacity
// records; 0 when address is outside the program.
int FillCodeBlocks(uint32_t address, HostBlockBuffer& buffer, int capacity, HostBlockRecord* first);
constexpr uint32_t kBlockKindPlain = 1, kBlockKindCall = 2, kBlockKindBranch = 3,
                   kBlockKindComment = 4;
// The block comment action the source window hands over: 1 add, -1 edit, 0 delete.
void RunBlockCommentAction(int mode, uint32_t address);
std::map<uint32_t, std::string>& BlockComments();

// Fills the command table's entries of the source windows.
void FillSourceCommands(HostCommandTable& table);
