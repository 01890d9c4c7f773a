#include "host/lib/target_eval.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/lib/host_memory.h"
#include "host/lib/target_machine.h"

namespace {

bool ParseNumber(const std::string& text, uint32_t& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(text.c_str(), &end, 0);
    if (*end || errno || v < INT32_MIN || v > UINT32_MAX)
        return false;
    value = static_cast<uint32_t>(v);
    return true;
}

// What an expression designates.
struct Place {
    enum Kind { none, word, registerValue, number, function, aggregate } kind = none;
    uint32_t address = 0; // word, function, aggregate
    int reg = 0;
    uint32_t value = 0; // number
    const Symbol* symbol = nullptr;
};

struct Local {
    const char* function;
    const char* name;
    int offset; // from the frame's base
};
const Local kLocals[] = {{"main", "i", -4}, {"square", "n", 8}, {"square", "result", -4}};

bool IsName(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// "(x)" whose parentheses enclose everything.
bool Enclosed(const std::string& s) {
    if (s.size() < 2 || s.front() != '(' || s.back() != ')')
        return false;
    int depth = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        depth += s[i] == '(' ? 1 : s[i] == ')' ? -1 : 0;
        if (depth == 0 && i + 1 < s.size())
            return false;
    }
    return true;
}

uint32_t ValueOf(const Place& p, int core) {
    switch (p.kind) {
    case Place::word:
        return TargetMachine::ReadWord(p.address);
    case Place::registerValue:
        return TargetMachine::Get().Core(core).reg[p.reg];
    case Place::number:
        return p.value;
    default:
        return p.address;
    }
}

Place Resolve(std::string e, int core);

// Members and elements after a name: ".x", "[2]", "[i]".
bool ApplySuffix(Place& p, std::string& rest, int core) {
    const std::string name = p.symbol ? p.symbol->name : "";
    if (name == "origin" && (rest == ".x" || rest == ".y")) {
        p.kind = Place::word;
        p.address += rest == ".y" ? 4 : 0;
        p.symbol = nullptr;
        rest.clear();
        return true;
    }
    if (name == "buffer" && rest.size() > 2 && rest.front() == '[' && rest.back() == ']') {
        const Place index = Resolve(rest.substr(1, rest.size() - 2), core);
        if (index.kind != Place::word && index.kind != Place::number &&
            index.kind != Place::registerValue)
            return false;
        const uint32_t i = ValueOf(index, core);
        if (i >= 4)
            return false;
        p.kind = Place::word;
        p.address += 4 * i;
        p.symbol = nullptr;
        rest.clear();
        return true;
    }
    return false;
}

// Longer texts are no expression of the program (and "*" and "&" nest by recursion).
constexpr size_t kLongestExpression = 256;

Place Resolve(std::string e, int core) {
    e = TrimBlanks(e);
    if (e.size() > kLongestExpression)
        return Place{};
    while (Enclosed(e))
        e = TrimBlanks(e.substr(1, e.size() - 2));
    // "ASM(R1)", "SYSREG(FLAGS)": the register windows' drops name a register so.
    for (const char* wrapper : {"ASM(", "SYSREG("})
        if (_strnicmp(e.c_str(), wrapper, std::strlen(wrapper)) == 0 && e.back() == ')') {
            const std::string name =
                TrimBlanks(e.substr(std::strlen(wrapper), e.size() - std::strlen(wrapper) - 1));
            for (int r = 0; r < kRegisterCount; ++r)
                if (_stricmp(name.c_str(), RegisterName(r)) == 0) {
                    Place reg;
                    reg.kind = Place::registerValue;
                    reg.reg = r;
                    return reg;
                }
            return Place{};
        }
    // "(origin).x": the evaluation windows put the root in parentheses before its suffix.
    if (!e.empty() && e[0] == '(') {
        const size_t close = e.find(')');
        if (close != std::string::npos && close + 1 < e.size() &&
            (e[close + 1] == '.' || e[close + 1] == '['))
            e = TrimBlanks(e.substr(1, close - 1)) + e.substr(close + 1);
    }
    Place p;
    if (e.empty())
        return p;
    if (e[0] == '*') {
        const Place inner = Resolve(e.substr(1), core);
        if (inner.kind == Place::none || inner.kind == Place::aggregate)
            return p;
        p.kind = Place::word;
        p.address = ValueOf(inner, core) & (kTargetMemorySize - 1);
        return p;
    }
    if (e[0] == '&') {
        const Place inner = Resolve(e.substr(1), core);
        if (inner.kind != Place::word && inner.kind != Place::aggregate &&
            inner.kind != Place::function)
            return p;
        p.kind = Place::number;
        p.value = inner.address;
        return p;
    }
    if (ParseNumber(e, p.value)) {
        p.kind = Place::number;
        return p;
    }
    size_t n = 0;
    while (n < e.size() && IsName(e[n]))
        ++n;
    if (n == 0)
        return p;
    const std::string name = e.substr(0, n);
    std::string rest = TrimBlanks(e.substr(n));
    for (int r = 0; r < kRegisterCount; ++r)
        if (_stricmp(name.c_str(), RegisterName(r)) == 0 && rest.empty()) {
            p.kind = Place::registerValue;
            p.reg = r;
            return p;
        }
    const SampleProgram& prog = Sample();
    const TargetCore& c = TargetMachine::Get().Core(core);
    if (const Symbol* f = prog.FunctionAt(c.reg[PC]))
        for (const Local& l : kLocals)
            if (f->name == l.function && name == l.name && rest.empty()) {
                p.kind = Place::word;
                p.address =
                    (TargetMachine::CurrentFrame(c).base + l.offset) & (kTargetMemorySize - 1);
                return p;
            }
    const Symbol* s = prog.FindSymbol(name);
    if (s == nullptr)
        return p;
    p.symbol = s;
    p.address = s->address;
    p.kind = s->code ? Place::function : s->size > 4 ? Place::aggregate : Place::word;
    if (!rest.empty() && !ApplySuffix(p, rest, core))
        return Place{};
    return p;
}

std::string Format(const Place& p, int core) {
    char text[64];
    switch (p.kind) {
    case Place::registerValue:
        snprintf(text, sizeof text, "0x%08X", ValueOf(p, core));
        return text;
    case Place::function:
        snprintf(text, sizeof text, "0x%04X", p.address);
        return text;
    case Place::aggregate: {
        const uint32_t a = p.address;
        if (p.symbol->name == "origin") {
            snprintf(text, sizeof text, "{x=%d, y=%d}", (int)TargetMachine::ReadWord(a),
                     (int)TargetMachine::ReadWord(a + 4));
            return text;
        }
        std::string list = "{";
        for (uint32_t i = 0; i < p.symbol->size / 4; ++i)
            list += (i ? ", " : "") + std::to_string((int32_t)TargetMachine::ReadWord(a + 4 * i));
        return list + "}";
    }
    default:
        return std::to_string(static_cast<int32_t>(ValueOf(p, core)));
    }
}

// "CORE:n(expression)" names the core an expression is meant for.
std::string StripCore(const std::string& text, int& core) {
    const std::string t = TrimBlanks(text);
    if (_strnicmp(t.c_str(), "CORE:", 5) != 0)
        return t;
    char* end = nullptr;
    const long n = std::strtol(t.c_str() + 5, &end, 10);
    if (end == t.c_str() + 5 || *end != '(' || t.back() != ')')
        return t;
    core = static_cast<int>(n);
    return t.substr(end - t.c_str() + 1, t.size() - (end - t.c_str()) - 2);
}

} // namespace

bool ParseCodeLine(const char* text, CodeLine& out) {
    if (text == nullptr)
        return false;
    std::string t = TrimBlanks(text);
    if (t.size() > 3 && (t[0] == 'C' || t[0] == 'c') && t[1] == '(' && t.back() == ')')
        t = TrimBlanks(t.substr(2, t.size() - 3));
    if (!t.empty() && t[0] == '&')
        t = TrimBlanks(t.substr(1));
    if (!t.empty() && t[0] == '{') { // the context's name
        const size_t close = t.find('}');
        if (close == std::string::npos)
            return false;
        t = t.substr(close + 1);
    }
    const size_t at = t.find("\\@LINE ");
    if (at == std::string::npos)
        return false;
    std::string module = TrimBlanks(t.substr(0, at));
    if (module.size() >= 2 && module.front() == '"' && module.back() == '"')
        module = module.substr(1, module.size() - 2);
    const char* numbers = t.c_str() + at + 7;
    char* end = nullptr;
    const long line = std::strtol(numbers, &end, 10);
    long column = 0;
    if (end == numbers || line < 1 || line > 0xFFFFF)
        return false;
    if (*end == ':') {
        const char* c = end + 1;
        column = std::strtol(c, &end, 10);
        if (end == c || column < 0 || column > 0xFFFF)
            return false;
    }
    if (*end)
        return false;
    out.file = Sample().FileIndex(module);
    out.line = static_cast<int>(line);
    out.column = static_cast<int>(column);
    return out.file >= 0;
}

bool EvaluateAddress(const char* text, int core, uint32_t& address) {
    if (text == nullptr)
        return false;
    CodeLine code;
    if (ParseCodeLine(text, code))
        return Sample().AddressOfLine(code.file, code.line, code.column, address);
    std::string e = TrimBlanks(text);
    // The assembler window's current-instruction forms: "(char *)CORE:n(ASM(PC))".
    if (_strnicmp(e.c_str(), "(char *)", 8) == 0)
        e = e.substr(8);
    e = StripCore(e, core);
    if (_strnicmp(e.c_str(), "ASM(", 4) == 0 && e.back() == ')')
        e = e.substr(4, e.size() - 5);
    if (core < 0 || core >= TargetMachine::Get().CoreCount())
        return false;
    const Place p = Resolve(e, core);
    if (p.kind == Place::none)
        return false;
    const uint32_t value =
        p.kind == Place::word || p.kind == Place::aggregate || p.kind == Place::function
            ? p.address
            : ValueOf(p, core);
    if (value >= kTargetMemorySize)
        return false;
    address = value;
    return true;
}

int ExpressionCore(const std::string& text, int core) {
    StripCore(text, core);
    return core;
}

bool EvaluateValue(const std::string& expression, int core, std::string& out) {
    const std::string e = StripCore(expression, core);
    if (core < 0 || core >= TargetMachine::Get().CoreCount()) {
        out = "no core " + std::to_string(core);
        return false;
    }
    const Place p = Resolve(e, core);
    if (p.kind == Place::none) {
        out = "unknown symbol: " + TrimBlanks(expression);
        return false;
    }
    out = TrimBlanks(e) + ": " + Format(p, core);
    return true;
}

bool SetTargetValue(const std::string& expression, const std::string& value, int core,
                    std::string& error) {
    const std::string e = StripCore(expression, core);
    if (core < 0 || core >= TargetMachine::Get().CoreCount()) {
        error = "no core " + std::to_string(core);
        return false;
    }
    const Place p = Resolve(e, core);
    uint32_t v = 0;
    const Place source = Resolve(value, core);
    const bool scalar = source.kind == Place::number || source.kind == Place::word ||
                        source.kind == Place::registerValue;
    if (!scalar) {
        error = "not a value: " + TrimBlanks(value);
        return false;
    }
    v = ValueOf(source, core);
    if (p.kind == Place::word)
        TargetMachine::WriteWord(p.address, v);
    else if (p.kind == Place::number) {
        // A bare address names the word there: the drop rules copy a value onto an
        // instruction this way, and every instruction of this target is one word.
        if (p.value > kTargetMemorySize - 4) {
            error = "outside the target's memory";
            return false;
        }
        TargetMachine::WriteWord(p.value, v);
    } else if (p.kind == Place::registerValue && p.reg == PC)
        return TargetMachine::Get().SetPC(core, v);
    else if (p.kind == Place::registerValue) {
        TargetCore& c = TargetMachine::Get().Core(core);
        // The edit is the last thing that changed this core: only the edited register is red.
        std::fill(std::begin(c.changed), std::end(c.changed), false);
        const uint32_t before = c.reg[p.reg];
        c.reg[p.reg] = p.reg == SP || p.reg == FP ? v & (kTargetMemorySize - 1) : v;
        c.changed[p.reg] = c.reg[p.reg] != before;
    } else {
        error = "cannot set " + TrimBlanks(expression);
        return false;
    }
    return true;
}

bool FindDefinition(const std::string& name, int& file, int& line) {
    std::string n = TrimBlanks(name);
    if (!n.empty() && n[0] == '&')
        n = TrimBlanks(n.substr(1));
    const Symbol* s = Sample().FindSymbol(n);
    if (s == nullptr || s->file < 0)
        return false;
    file = s->file;
    line = s->line;
    return true;
}

std::vector<std::string> LocalsOf(int core) {
    std::vector<std::string> names;
    const TargetMachine& m = TargetMachine::Get();
    if (core < 0 || core >= m.CoreCount())
        return names;
    if (const Symbol* f = Sample().FunctionAt(m.Core(core).reg[PC]))
        for (const Local& l : kLocals)
            if (f->name == l.function)
                names.push_back(l.name);
    return names;
}

bool ReadTargetValue(const std::string& expression, int core, TargetValue& out) {
    if (core < 0 || core >= TargetMachine::Get().CoreCount())
        return false;
    const Place p = Resolve(expression, core);
    out = TargetValue{};
    switch (p.kind) {
    case Place::none:
        return false;
    case Place::aggregate:
        if (p.symbol->name == "origin") {
            out.text = "{...}";
            out.members = {".x", ".y"};
        } else {
            const uint32_t count = p.symbol->size / 4;
            out.text = "[" + std::to_string(count) + "]";
            for (uint32_t i = 0; i < count; ++i)
                out.members.push_back("[" + std::to_string(i) + "]");
        }
        return true;
    case Place::function:
        out.text = Format(p, core);
        return true;
    default:
        out.text = Format(p, core);
        out.editable = p.kind != Place::number;
        return true;
    }
}
