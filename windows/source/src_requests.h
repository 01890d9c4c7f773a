// The requests that the source window's commands send to the host. Each command is one row of
// data (code, flags, slots, text, dispatcher arguments, core wrap); one filler and one sender
// serve every row.
#pragma once

#include <cstdint>

#include "framework/afx.h"
#include "ifac/h/hostcmd.h"

enum class SourceRequest {
    SetBreakpoint,
    ClearBreakpoint,
    SetStatementBreakpoint,
    ClearStatementBreakpoint,
    GoHere,
    RunUntilCaller,
    RunUntilReturn,
    SetPcFirst,
    SetPcSecond,
    JumpToAssembler,
    JumpToDefinition,
    CoverageJump,
    Evaluate,
    EvaluateFromPointer,
    EvaluateAddress,
    AddToEval,
    AddToEvalFromPointer,
    AddToEvalAddress,
};

// What a row's text is made of.
enum class SourceRequestText {
    None,
    CodeAddress, // the code-address expression of the caret line (or the named column)
    Selection,   // the selected text as it stands
    Pointer,     // "*%s" of the selection
    Address,     // "&%s" of the selection
};

struct SourceRequestRow {
    uint32_t code;
    uint32_t flags;
    int numberSlot;     // slot that holds number, -1 for none
    uint32_t number;    // its value
    bool pcNameInSlot0; // slot 0 carries the program-counter register's name
    SourceRequestText text;
    int operation, index, context; // the dispatcher's arguments
    bool wrapped;                  // passed through the core-selection records first
};

const SourceRequestRow& SourceRequestRowOf(SourceRequest request);

// What a command knows when it sends its request.
struct SourceRequestArgs {
    int core = -1;                // the source view's core
    CString codeAddress;          // for rows of code-address text
    CString selection;            // for rows of selection text
    uint32_t entryValue = 0;      // for the statement rows: the host entry's value
    const char* pcName = nullptr; // for the first Set PC record
};

// For a 1-based line of a module (column 0: none) in the view's context, on the view's core:
// the code address of the line in the host version's form.
SourceRequestArgs LineRequestArgs(const CString& module, int line, int column, int context,
                                  int core);

// The row's record, zero-filled first; slot texts (the PC name) are pointers the caller keeps
// alive until the request has been sent.
HostRequest MakeSourceRequestRecord(const SourceRequestRow& row, const SourceRequestArgs& args);
CString SourceRequestTextOf(const SourceRequestRow& row, const SourceRequestArgs& args);

// Fills, wraps when the row says so, and sends one request; the host's result. Other windows
// send their own rows through the same filler and sender.
int SendSourceRequest(SourceRequest request, const SourceRequestArgs& args);
int SendRequestRow(const SourceRequestRow& row, const SourceRequestArgs& args);

// Set PC: the register name asked while the host is on the view's core, then both records.
int SendSetPc(const SourceRequestArgs& args);
int SendSetPcRows(const SourceRequestRow& firstRow, const SourceRequestRow& secondRow,
                  const SourceRequestArgs& args);
