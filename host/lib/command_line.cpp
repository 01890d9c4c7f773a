#include "host/lib/command_line.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/lib/host_asm.h"
#include "host/lib/host_memory.h"
#include "host/lib/host_requests.h"
#include "host/lib/host_state.h"
#include "host/lib/source_link.h"
#include "host/lib/target_eval.h"
#include "host/lib/target_machine.h"

namespace {

HostState& S() {
    return HostState::Get();
}

// The commands of a line: split at ';' outside double quotes.
std::vector<std::string> Commands(const std::string& line) {
    std::vector<std::string> out;
    std::string current;
    bool quoted = false;
    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        if (c == ';' && !quoted) {
            out.push_back(TrimBlanks(current));
            current.clear();
        } else
            current += c;
    }
    out.push_back(TrimBlanks(current));
    return out;
}

// When text starts with the keyword (case ignored, then a blank or the end), rest is what
// follows it.
bool Starts(const std::string& text, const char* keyword, std::string& rest) {
    const size_t n = std::strlen(keyword);
    if (text.size() < n || _strnicmp(text.c_str(), keyword, n) != 0)
        return false;
    if (text.size() > n && text[n] != ' ' && text[n] != '\t' && keyword[n - 1] != '=')
        return false;
    rest = TrimBlanks(text.substr(n));
    return true;
}

bool Address(const std::string& text, uint32_t& address) {
    return EvaluateAddress(text.c_str(), S().currentCore, address) ||
           ReportHostError("not an address: " + text);
}

// "/SIZE=BYTE addr=0x34,0x12": units of the size, from addr upward.
bool SetMemory(const std::string& size, const std::string& target, const std::string& values) {
    const int unit = _stricmp(size.c_str(), "BYTE") == 0   ? 1
                     : _stricmp(size.c_str(), "WORD") == 0 ? 2
                     : _stricmp(size.c_str(), "LONG") == 0 ? 4
                                                           : 0;
    if (unit == 0)
        return ReportHostError("unknown size: " + size);
    uint32_t address = 0;
    if (!Address(target, address))
        return false;
    std::vector<uint32_t> units;
    for (size_t start = 0;;) {
        const size_t comma = values.find(',', start);
        const std::string v = TrimBlanks(values.substr(start, comma - start));
        char* end = nullptr;
        const unsigned long value = std::strtoul(v.c_str(), &end, 0);
        if (v.empty() || *end || (unit < 4 && value >> (8 * unit)))
            return ReportHostError("not a value: " + v);
        units.push_back(static_cast<uint32_t>(value));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    if (address + units.size() * unit > kTargetMemorySize)
        return ReportHostError("outside the target's memory");
    std::vector<uint8_t>& memory = TargetMemory();
    for (uint32_t v : units)
        for (int i = 0; i < unit; ++i)
            memory[address++] = static_cast<uint8_t>(v >> (8 * i));
    return true;
}

bool SetValue(std::string rest, bool& changed) {
    std::string size;
    if (_strnicmp(rest.c_str(), "/SIZE=", 6) == 0) {
        const size_t blank = rest.find(' ');
        size = rest.substr(6, blank == std::string::npos ? std::string::npos : blank - 6);
        rest = blank == std::string::npos ? "" : TrimBlanks(rest.substr(blank));
    }
    const size_t equals = rest.find('=');
    if (equals == std::string::npos)
        return ReportHostError("SET VALUE without a value: " + rest);
    const std::string target = TrimBlanks(rest.substr(0, equals));
    const std::string value = TrimBlanks(rest.substr(equals + 1));
    changed = true;
    if (!size.empty())
        return SetMemory(size, target, value);
    std::string error;
    return SetTargetValue(target, value, S().currentCore, error) || ReportHostError(error);
}

bool SetBreakpoint(const std::string& where) {
    TargetMachine& m = TargetMachine::Get();
    CodeLine code;
    if (ParseCodeLine(where.c_str(), code))
        return m.SetLineBreakpoint(code.file, code.line, code.column) || ReportHostError(m.Error());
    uint32_t address = 0;
    return Address(where, address) &&
           (m.SetAddressBreakpoint(address) || ReportHostError(m.Error()));
}

// ASM /ADDR=address "instruction"
bool Assemble(const std::string& rest) {
    const size_t quote = rest.find('"');
    const size_t last = rest.rfind('"');
    if (quote == std::string::npos || last == quote)
        return ReportHostError("ASM without an instruction");
    uint32_t address = 0;
    if (!Address(TrimBlanks(rest.substr(0, quote)), address))
        return false;
    Instruction in;
    const std::string text = rest.substr(quote + 1, last - quote - 1);
    if (!AssembleInstruction(text, in))
        return ReportHostError("not an instruction: " + text);
    if (address % kInstructionSize || address > kTargetMemorySize - kInstructionSize)
        return ReportHostError("not an instruction address");
    EncodeInstruction(in, TargetMemory(), address);
    return true;
}

// The file the last "DISPLAY SOURCE" showed, which a following "LINE n" goes to.
int g_displayedFile = -1;

bool DisplaySource(const std::string& module) {
    const int file = Sample().FileIndex(module);
    if (file < 0)
        return ReportHostError("no such module: " + module);
    g_displayedFile = file;
    ShowSourceLine(file, 1, S().currentCore);
    return true;
}

bool DisplayLine(const std::string& number) {
    char* end = nullptr;
    const long line = std::strtol(number.c_str(), &end, 10);
    if (number.empty() || *end || line < 1)
        return ReportHostError("not a line: " + number);
    if (g_displayedFile < 0)
        return ReportHostError("LINE without a module");
    ShowSourceLine(g_displayedFile, static_cast<int>(line), S().currentCore);
    return true;
}

bool RunControl(const std::string& command, bool& matched) {
    TargetMachine& m = TargetMachine::Get();
    const int core = S().currentCore;
    const struct {
        const char* name;
        bool (TargetMachine::*run)(int);
    } commands[] = {{"GO", &TargetMachine::Run},
                    {"STEP", &TargetMachine::StepInto},
                    {"STEP /OVER", &TargetMachine::StepOver},
                    {"STEP /OUT", &TargetMachine::StepOut},
                    {"STEP /INSTRUCTION", &TargetMachine::StepInstruction},
                    {"HALT", &TargetMachine::Halt}};
    for (const auto& c : commands)
        if (_stricmp(command.c_str(), c.name) == 0) {
            matched = true;
            if (!(m.*c.run)(core))
                return ReportHostError(m.Error());
            S().activeCore = core;
            return true;
        }
    if (_stricmp(command.c_str(), "RESET") == 0) {
        matched = true;
        // The program starts again; the user's breakpoints stay, their hits counted anew.
        std::vector<TargetBreakpoint> kept = m.Breakpoints();
        m.Reset(S().options.cores);
        for (TargetBreakpoint& b : kept)
            b.hits = 0;
        m.Breakpoints() = kept;
        S().activeCore = S().currentCore;
        return true;
    }
    return false;
}

bool RunCommand(const std::string& command, bool& changed) {
    std::string rest;
    uint32_t address = 0;
    if (command.empty())
        return true;
    bool matched = false;
    const bool ran = RunControl(command, matched);
    if (matched)
        return changed = true, ran;
    if (Starts(command, "SET CORE /NOCAPTURE", rest)) {
        char* end = nullptr;
        const long core = std::strtol(rest.c_str(), &end, 10);
        if (rest.empty() || *end || core < 0 || core >= TargetMachine::Get().CoreCount())
            return ReportHostError("no core " + rest);
        S().currentCore = static_cast<int>(core);
        return true;
    }
    if (Starts(command, "SET VALUE", rest))
        return SetValue(rest, changed);
    if (Starts(command, "SET REGISTER", rest)) {
        if (_strnicmp(rest.c_str(), "/SIZE=", 6) == 0)
            rest = TrimBlanks(
                rest.substr(rest.find(' ') == std::string::npos ? rest.size() : rest.find(' ')));
        const size_t equals = rest.find('=');
        std::string error;
        changed = true;
        return (equals != std::string::npos &&
                SetTargetValue(rest.substr(0, equals), rest.substr(equals + 1), S().currentCore,
                               error)) ||
               ReportHostError(error.empty() ? "SET REGISTER without a value" : error);
    }
    if (Starts(command, "SET BREAKPOINT AT", rest))
        return changed = true, SetBreakpoint(rest);
    if (Starts(command, "SET EVALUATE", rest)) {
        while (!rest.empty() && rest[0] == '/') // the window and format switches
            rest = TrimBlanks(rest.substr(std::min(rest.find(' '), rest.size())));
        if (rest.empty())
            return ReportHostError("SET EVALUATE without an expression");
        S().watchExpressions.push_back(rest);
        return changed = true; // the watch window shows it at once
    }
    if (Starts(command, "SET WATCHPOINT", rest))
        return ReportHostError("the target has no watchpoints");
    if (Starts(command, "DISPLAY SOURCE", rest) || Starts(command, "SET MODULE", rest))
        return DisplaySource(rest);
    if (Starts(command, "LINE", rest))
        return DisplayLine(rest);
    if (Starts(command, "SHOW MEMORY /WINDOW", rest))
        return Address(rest, address) &&
               (ShowMemoryAt(address) || ReportHostError("no memory window"));
    if (Starts(command, "PAGE /ASSEMBLER", rest))
        return Address(rest, address) &&
               (S().assemblerAddress = address,
                ShowAsmAddress(ExpressionCore(rest, S().currentCore), address));
    if (Starts(command, "PAGE /SOURCE", rest)) {
        if (!Address(rest, address))
            return false;
        const Statement* s = Sample().StatementAt(address);
        if (s == nullptr)
            return ReportHostError("no source at " + rest);
        ShowSourceLine(s->file, s->line, S().currentCore);
        return true;
    }
    if (Starts(command, "ASM /ADDR=", rest))
        return changed = true, Assemble(rest);
    // "SET name = value": the drop rules' form of a value edit (the name one word).
    size_t equals = 0;
    if (Starts(command, "SET", rest) && (equals = rest.find('=')) != std::string::npos &&
        TrimBlanks(rest.substr(0, equals)).find_first_of(" \t") == std::string::npos) {
        std::string error;
        changed = true;
        return SetTargetValue(rest.substr(0, equals), rest.substr(equals + 1), S().currentCore,
                              error) ||
               ReportHostError(error);
    }
    return ReportHostError("Unknown command: " + command);
}

} // namespace

bool RunHostCommandLine(const char* line) {
    S().lastError.clear();
    g_displayedFile = -1;
    if (line == nullptr)
        return ReportHostError("no command line");
    bool changed = false, ok = true;
    for (const std::string& command : Commands(line)) {
        // After a failure only the core selection still runs: a line that switched cores
        // switches back.
        std::string rest;
        if (ok || Starts(command, "SET CORE /NOCAPTURE", rest))
            ok = RunCommand(command, changed) && ok;
    }
    if (changed)
        PublishStop();
    return ok;
}
