// Expressions on the simulated target, as the host's command language reads them: the sample
// program's variables (globals, and the locals and arguments of the function a core stands
// in), registers, functions, numbers, "&" and "*", members and elements, and the code-address
// expressions the source windows build ("C(& main.c\@LINE 17:5)" and its other forms).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A code address names a line (and a column, 0 when none) of a module.
struct CodeLine {
    int file = -1;
    int line = 0;
    int column = 0;
};
// Reads "C(& mod\@LINE n)", "C(& \"mod\"\@LINE n:c)", "C(& {\"ctx\"}\"mod\"\@LINE n)" and
// "C(mod\@LINE n:c)"; also "mod\@LINE n" without the frame. False for anything else.
bool ParseCodeLine(const char* text, CodeLine& out);

// The address an expression stands for: a code address (the first statement of the line, or
// the one at its column), a function or variable ("&total" or "total"), a number, or
// "CORE:n(expression)". False when it names nothing of the target.
bool EvaluateAddress(const char* text, int core, uint32_t& address);

// The core "CORE:n(expression)" names, else core.
int ExpressionCore(const std::string& text, int core);

// The value of an expression on a core, as the host shows it ("total: 14"); false with the
// host's error text in out when the expression names nothing.
bool EvaluateValue(const std::string& expression, int core, std::string& out);

// Writes a value ("14", "0x20", "-3") to a variable, element, member, register or "*address";
// false with the error text when the target cannot take it.
bool SetTargetValue(const std::string& expression, const std::string& value, int core,
                    std::string& error);

// Whether a name is a function or variable of the program (where a jump to its definition goes).
bool FindDefinition(const std::string& name, int& file, int& line);

// The locals and arguments of the function a core stands in, in the order they are declared.
std::vector<std::string> LocalsOf(int core);

// What an evaluation window shows of an expression: its value text, whether the value can be
// edited, and for a struct or an array the suffixes of its members (".x", "[2]").
struct TargetValue {
    std::string text;
    bool editable = false;
    std::vector<std::string> members;
};
// False when the expression names nothing of the target.
bool ReadTargetValue(const std::string& expression, int core, TargetValue& out);
