// The command line a value edit becomes: "SET VALUE target=text", wrapped in a core switch on a
// multi-core host. Built whole or not at all: a line that would not fit the pending-command
// buffer, or a text that carries a control character (a line break would end the command and
// start another), is refused rather than cut.
#pragma once

#include <cstddef>
#include <string>

struct SetValueInput {
    const char* expression = nullptr; // the info record's expression (null: none)
    const char* suffix = nullptr;     // the item's access suffix (null: none)
    bool dereferenceString = false;   // item flag 0x800
    std::string text;                 // the user's new value, 8-bit
    // Core wrapping: set only on a multi-core host with a window core.
    bool wrapCore = false;
    int core = -1;
    int activeCore = -1;
};

enum class SetValueResult { ok, empty, controlCharacter, tooLong };

// line receives the command when the result is ok; capacity counts the terminating zero.
SetValueResult BuildSetValueLine(const SetValueInput& in, size_t capacity, std::string& line);

// A line break or another control character in a part of a command line would split the
// command (or its core wrapper) and start another: such a part is refused, never sent.
bool HasControlCharacter(const std::string& s);
