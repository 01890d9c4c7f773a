// The callbacks of the assembler window's two list panes, in the shapes the list machinery
// calls them (include/list.h). The views register them when they create their lists:
// - the user word of both lists is the view's core id;
// - the data block of every item of both panes is an AsmItemData: the address of the host's
//   line record, which the host owns and replaces with the next chain it hands over.
#pragma once

#include <cstdint>
#include <string>

#include "ifac/h/asmlines.h"
#include "include/list.h"

// The data block each pane item carries.
struct AsmItemData {
    AsmLineRecord* record;
};

// The record an item's data block names; null for none.
AsmLineRecord* AsmRecordOf(void* data);

// The window kind name of both panes, as list name and drag-source kind.
constexpr const char* kAsmWindowKind = "AsmWnd";

// Context-menu commands of the panes.
namespace AsmCommand {
constexpr int setBreakpoint = 32771;
constexpr int clearBreakpoint = 32772;
constexpr int goHere = 32773;
constexpr int changeAddress = 32780;
constexpr int home = 32781;
constexpr int setPc = 32782;
constexpr int findSource = 32803;
constexpr int jumpToBrowser = 32990;
constexpr int deleteBlockComment = 32991;
constexpr int addBlockComment = 32992;
constexpr int editBlockComment = 32995;
constexpr int showMemory = 32999;
constexpr int sourceAnnotations = 61451;
} // namespace AsmCommand

// The menu table both panes are created with: the full table, or outside-extension-mode
// entries left out when the host runs in extension mode (host 3.3 or later and word 57).
const ListMenuEntry* AsmMenuTable();

// Image indices of the disassembly pane (icons 182, 185, 184 in this order) and of the address
// pane (182, 183).
constexpr int kAsmImageNone = -1;
constexpr int kAsmImageCode = 1;
constexpr int kAsmImageBreakpoint = 2;
constexpr int kAsmImageMark = 1;
constexpr int kAsmImagePlain = 0;

// The breakpoint command a line takes (clear on a breakpoint line, set on a code line), 0 for
// none: not a code line, or a code line marked as taking no breakpoint commands.
int AsmBreakpointCommand(const AsmLineRecord* record);

// Column index of the opcode text: 1 with the coverage column, else 0; the source text follows.
int AsmOpcodeColumn(bool bCoverageColumn);

// The callbacks. Each is a boundary: nothing thrown inside leaves it.
int __cdecl AsmAdjustMenu(ListMenuEntry* entry, void* data, int window);            // code 1
int __cdecl AsmListCommand(void* data, int command, int row, int user, int window); // code 8
int __cdecl AsmImageClick(void* data, int row, int user);                           // code 512
int __cdecl AsmEditEnd(void* data, const char* text, int column, int user);         // code 1024
int __cdecl AsmSourceImage(void* data, int row, int user); // code 2048, disassembly pane
int __cdecl AsmAddrImage(void* data, int row, int user);   // code 2048, address pane
int __cdecl AsmScroll(int code, int amount, int flag, int perPage, int user);  // code 4096
int __cdecl AsmColors(void* data, int column, uint32_t* text, uint32_t* back); // code 8192
int __cdecl AsmEditStart(void* data);                                          // code 16384
int __cdecl AsmDragSource(void* data, int row, void** record, int user);       // drag source

// The colours callback keeps the host's code-line colour until the host next hands the window
// lines or a line to show; this forgets it.
void ForgetAsmHostColors();
// Whether a row was painted without its colours (the host held the window's updates back) since
// the last call; the call forgets it.
bool TakeAsmColoursMissed();

// ---- The pure parts, for the callbacks and their tests.

// The expression of the current instruction for the Home command: from the target type (54 the
// x86 forms), the program-counter register name (null or empty: none) and the core (with the
// core form when multiCore).
std::string AsmCurrentInstruction(int targetType, const char* pcName, bool bMultiCore, int core);

// The byte list an opcode edit writes: "34,0x12,0x56" for "1234 56" (the caller puts "0x" in
// front). Each blank-separated group is written from its end, two digits a byte, an odd leading
// digit standing alone. False (out untouched) unless the text holds only hex digits and blanks
// and at least one digit.
bool AsmOpcodeBytes(const char* text, std::string& out);

// The command lines of an edit. core < 0: the plain form. False when the line would not fit the
// pending-command buffer or the typed text cannot be sent as it stands.
bool AsmSetValueLine(const char* address, const char* typed, int core, std::string& line);
bool AsmAssembleLine(const char* address, const char* typed, int core, std::string& line);
