// The host's command language, as far as the library speaks it: the lines of ExecuteCommandLine
// (value edits, dropped commands of the drag-and-drop rules, opcode edits and in-place
// assembly of the assembler window), several commands joined by " ; ". The host also takes a
// few commands of its own for scripts: GO, STEP, STEP /OVER, STEP /OUT, STEP /INSTRUCTION,
// RESET (the program from its start, the breakpoints kept).
//
//   SET CORE /NOCAPTURE n
//   SET VALUE [/SIZE=BYTE|WORD|LONG] target=value[,value...]
//   SET REGISTER [/SIZE=...] name = value
//   SET BREAKPOINT AT address       (a code address, "mod\@LINE n", a function, a number)
//   SET EVALUATE /WINDOW[=id] [/format] expression
//   PAGE /ASSEMBLER address         PAGE /SOURCE address
//   ASM /ADDR=address "instruction"
//   DISPLAY SOURCE module ; LINE n  SET MODULE module
//   SHOW MEMORY /WINDOW address     SET name = value
//   SET WATCHPOINT ...              (answered with an error: the target has none)
#pragma once

// Runs a line; false at the first command that fails, with the host's error text in
// HostState::lastError ("Unknown command: ..." for a line the language does not have).
bool RunHostCommandLine(const char* line);
