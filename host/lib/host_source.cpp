#include "host/lib/host_source.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <vector>

#include "host/lib/host_asm.h"
#include "host/lib/host_memory.h"
#include "host/lib/host_state.h"
#include "host/lib/target_eval.h"
#include "host/lib/target_machine.h"

namespace {

constexpr int kTagBase = 0x100;

HostState& S() {
    return HostState::Get();
}

const Statement* StatementOfCore(int core) {
    TargetMachine& m = TargetMachine::Get();
    if (core < 0 || core >= m.CoreCount() || m.Core(core).state == CoreState::exited)
        return nullptr;
    return Sample().StatementAt(m.Core(core).reg[PC]);
}

bool LineHasBreakpoint(int file, int line, const TargetBreakpoint** found = nullptr) {
    for (const TargetBreakpoint& b : TargetMachine::Get().Breakpoints()) {
        const Statement* s = Sample().StatementAt(b.address);
        if (s && s->file == file && s->line == line) {
            if (found)
                *found = &b;
            return true;
        }
    }
    return false;
}

// Keeps the last two lists of each window alive: the library may still paint from the one it
// holds until the host hands it the next.
template <typename T>
std::vector<T>& NextGeneration(std::map<int, std::deque<std::vector<T>>>& all, int key) {
    std::deque<std::vector<T>>& generations = all[key];
    generations.emplace_back();
    while (generations.size() > 2)
        generations.pop_front();
    return generations.back();
}

uint32_t BlockKind(const Statement& s) {
    const std::vector<uint8_t>& memory = TargetMemory();
    uint32_t kind = kBlockKindPlain;
    for (uint32_t a = s.address; a < s.end; a += kInstructionSize) {
        Instruction in;
        if (!DecodeInstruction(memory, a, in))
            continue;
        if (in.op == Op::call)
            kind = kBlockKindCall;
        if (IsConditionalBranch(in.op) && a + kInstructionSize == s.end)
            return kBlockKindBranch;
    }
    return kind;
}

HostBlockRecord BlockRecord(uint32_t flags, uint32_t address, uint32_t end, uint32_t a, uint32_t b,
                            int line) {
    HostBlockRecord r{};
    r.word[0] = flags;
    r.word[1] = address; // words 1 and 2: the 64-bit address
    r.word[3] = end;
    r.word[4] = a;
    r.word[5] = b;
    r.word[6] = static_cast<uint32_t>(line);
    return r;
}

// --- the command table's entries for the source windows ---

const char* __cdecl GetMultiLineText(const char* name, int zero) {
    LogHostCall("GetMultiLineText", name, zero);
    static std::string text;
    if (!AsmCoverageTextOfName(name, text))
        text = CoverageText(name);
    return text.c_str();
}

uint32_t __cdecl GetSourceColor(int line, int column, int context) {
    // Asked for every run a window paints: counted, not logged.
    ++S().colourQueries;
    int file = -1, core = 0;
    if (!DecodeContextTag(context, file, core))
        return kNoSourceColor;
    return SourceColor(file, line, column, core);
}

int __cdecl QuerySourceLine(int context, int line, const uint32_t** columns) {
    LogHostCall("QuerySourceLine", context, line);
    static std::vector<uint32_t> words;
    words.clear();
    int file = -1, core = 0;
    if (DecodeContextTag(context, file, core))
        for (const Statement* s : Sample().StatementsOfLine(file, line)) {
            if (!s->part)
                continue;
            const uint32_t length = static_cast<uint32_t>(s->text.size()) & 0x7FFF;
            const bool set = TargetMachine::Get().BreakpointAt(s->address) != nullptr;
            words.push_back((set ? kColumnBreakpoint : 0) |
                            (static_cast<uint32_t>(s->column) & 0x7FFF) << 1 | length << 16 |
                            kColumnLengthGiven);
        }
    if (columns)
        *columns = words.empty() ? nullptr : words.data();
    return static_cast<int>(words.size());
}

int __cdecl EvaluateForTooltip(const char* text, const char** result, int* mode) {
    LogHostCall("EvaluateForTooltip", text, mode ? *mode : -1);
    static std::string answer;
    if (result)
        *result = nullptr;
    if (text == nullptr || !EvaluateValue(text, S().currentCore, answer))
        return 0;
    if (result)
        *result = answer.c_str();
    return 1;
}

void __cdecl ReportEvaluationError(int mode, const void* value) {
    LogHostCall("ReportEvaluationError", mode, value);
    if (value == nullptr)
        return;
    uint64_t address = 0;
    std::memcpy(&address, value, sizeof address);
    RunBlockCommentAction(mode, static_cast<uint32_t>(address));
    RefreshAsmWindows();
}

int __cdecl IsCoverageActive() {
    return LogHostCall("IsCoverageActive"), S().coverageActive ? 1 : 0;
}

void __cdecl ShowConditionTree(const char* expression) {
    LogHostCall("ShowConditionTree", expression);
    CodeLine code;
    S().lastError.clear();
    if (!ParseCodeLine(expression, code))
        S().lastError = "no condition at that address";
}

int32_t __cdecl GetDocumentKey(int context) {
    LogHostCall("GetDocumentKey", context);
    int file = -1, core = 0;
    return DecodeContextTag(context, file, core) ? 0x5000 + file : 0;
}

int __cdecl QueryLineInfo(const char* module, int line, int zero, int* count,
                          const HostLineEntry** table) {
    LogHostCall("QueryLineInfo", module, line, zero);
    static std::vector<HostLineEntry> entries;
    entries.clear();
    const int file = module ? Sample().FileIndex(module) : -1;
    const auto statements = Sample().StatementsOfLine(file, line);
    if (statements.size() > 1)
        for (const Statement* s : statements) {
            const bool set = TargetMachine::Get().BreakpointAt(s->address) != nullptr;
            entries.push_back({set ? 1u : 0u, s->text.c_str(), s->address});
        }
    if (count)
        *count = static_cast<int>(entries.size());
    if (table)
        *table = entries.empty() ? nullptr : entries.data();
    return entries.empty() ? 0 : 1;
}

int __cdecl EvaluateAddressEntry(const char* expression, uint64_t* address) {
    LogHostCall("EvaluateAddress", expression);
    uint32_t a = 0;
    if (!EvaluateAddress(expression, S().currentCore, a))
        return 0;
    if (address)
        *address = a;
    return 1;
}

int __cdecl ReadTargetMemory(const uint64_t* address, HostBlockBuffer* buffer, int capacity,
                             HostBlockRecord* first) {
    LogHostCall("ReadTargetMemory", static_cast<const void*>(address), capacity);
    if (address == nullptr || buffer == nullptr || first == nullptr || *address >= 0x10000)
        return 0;
    return FillCodeBlocks(static_cast<uint32_t>(*address), *buffer, capacity, first) > 0 ? 1 : 0;
}

int __cdecl GetCoreName(char* buffer, int size, int core) {
    LogHostCall("GetCoreName", size, core);
    if (buffer == nullptr || size <= 0 || core < 0 || core >= S().options.cores)
        return 0;
    snprintf(buffer, size, "Core%d", core);
    return 1;
}

int __cdecl CanJumpToDefinition(const char* symbol, int* out) {
    LogHostCall("CanJumpToDefinition", symbol);
    int file = -1, line = 0;
    const bool known = symbol && FindDefinition(symbol, file, line);
    if (out)
        *out = known ? 1 : 0;
    return 1;
}

const char* __cdecl GetContextName(int value) {
    LogHostCall("GetContextName", value);
    int file = -1, core = 0;
    return DecodeContextTag(value, file, core) ? "sample" : nullptr;
}

} // namespace

int SourceContextTag(int file, int core) {
    return kTagBase + core * 0x10 + file;
}

bool DecodeContextTag(int tag, int& file, int& core) {
    if (tag < kTagBase)
        return false;
    file = (tag - kTagBase) & 0xF;
    core = (tag - kTagBase) >> 4;
    return file < static_cast<int>(Sample().files.size()) &&
           core < TargetMachine::Get().CoreCount();
}

SourcePosition CurrentPosition(int core) {
    SourcePosition p;
    if (const Statement* s = StatementOfCore(core)) {
        p.file = s->file;
        p.line = s->line;
        p.column = s->column;
        p.length = static_cast<int>(s->text.size());
    }
    return p;
}

uint32_t SourceLineFlags(int file, int line, int core) {
    const auto statements = Sample().StatementsOfLine(file, line);
    if (statements.empty())
        return 0;
    uint32_t flags = kLineCode;
    if (LineHasBreakpoint(file, line))
        flags |= kLineBreakpoint;
    const SourcePosition at = CurrentPosition(core);
    if (at.file == file && at.line == line)
        flags |= kLineCurrent;
    const bool parts = std::any_of(statements.begin(), statements.end(),
                                   [](const Statement* s) { return s->part; });
    if (parts)
        flags |= kLineColumns;
    else if (statements.size() > 1)
        flags |= kLineStatements;
    return flags;
}

uint32_t SourceColor(int file, int line, int column, int core) {
    const SourcePosition at = CurrentPosition(core);
    if (at.file == file && at.line == line)
        return kCurrentLineColor;
    for (const TargetBreakpoint& b : TargetMachine::Get().Breakpoints()) {
        const Statement* s = Sample().StatementAt(b.address);
        if (!s || s->file != file || s->line != line)
            continue;
        // A breakpoint on a part of the line colours that part only.
        const int length = static_cast<int>(s->text.size());
        if (s->part && (column < s->column || column >= s->column + length))
            continue;
        return b.enabled ? kBreakpointColor : kDisabledBreakpointColor;
    }
    return kNoSourceColor;
}

const SourceLineRecord* SourceLineRecords(int file, int core) {
    static std::map<int, std::deque<std::vector<SourceLineRecord>>> lists;
    std::vector<SourceLineRecord>& records = NextGeneration(lists, SourceContextTag(file, core));
    const int last = Sample().LastCodeLine(file);
    for (int line = 1; line <= last; ++line)
        if (const uint32_t flags = SourceLineFlags(file, line, core))
            records.push_back({line, flags, nullptr});
    for (size_t i = 0; i + 1 < records.size(); ++i)
        records[i].next = &records[i + 1];
    return records.empty() ? nullptr : records.data();
}

const CoverageRecord* CoverageRecords(int file, int core) {
    static std::map<int, std::deque<std::vector<CoverageRecord>>> lists;
    std::vector<CoverageRecord>& records = NextGeneration(lists, SourceContextTag(file, core));
    // The column shows the texts one a row: a record for every line, keyed by its row, so that
    // each text stands beside its line; a line without code has no text and no colour.
    const int last = Sample().LastCodeLine(file);
    for (int line = 1; line <= last; ++line) {
        CoverageRecord r{};
        r.lineKey = line - 1;
        r.colour = kNoSourceColor;
        const auto statements = Sample().StatementsOfLine(file, line);
        if (!statements.empty()) {
            snprintf(r.textName, sizeof r.textName, "cov %s %d",
                     Sample().files[file].module.c_str(), line);
            const bool ran = TargetMachine::Get().Executed(statements.front()->address) > 0;
            r.colour = ran ? 0xC0FFC0 : 0xC0C0FF;
        }
        records.push_back(r);
    }
    for (size_t i = 0; i + 1 < records.size(); ++i)
        records[i].next = &records[i + 1];
    return records.empty() ? nullptr : records.data();
}

std::string CoverageText(const char* name) {
    char module[32] = {};
    int line = 0;
    if (name == nullptr || sscanf(name, "cov %31s %d", module, &line) != 2)
        return "";
    const int file = Sample().FileIndex(module);
    const auto statements = Sample().StatementsOfLine(file, line);
    if (statements.empty())
        return "";
    uint32_t least = UINT32_MAX;
    for (const Statement* s : statements)
        least = std::min(least, TargetMachine::Get().Executed(s->address));
    char text[96];
    snprintf(text, sizeof text, "%ux<NL>%s line %d: every statement ran at least %u times", least,
             module, line, least);
    return text;
}

int FillCodeBlocks(uint32_t address, HostBlockBuffer& buffer, int capacity,
                   HostBlockRecord* first) {
    buffer.count = 0;
    const Statement* at = Sample().StatementAt(address);
    if (at == nullptr || capacity <= 0 || first == nullptr)
        return 0;
    const TargetMachine& m = TargetMachine::Get();
    std::vector<HostBlockRecord> blocks;
    for (const Statement& s : Sample().statements) {
        if (s.function != at->function)
            continue;
        const uint32_t ofLine = s.file == at->file && s.line == at->line ? kBlockOfLine : 0;
        const uint32_t kind = BlockKind(s);
        const uint32_t last = s.end - kInstructionSize;
        if (kind == kBlockKindBranch)
            blocks.push_back(BlockRecord(kind | ofLine, s.address, s.end, m.Taken(last),
                                         m.NotTaken(last), s.line));
        else
            blocks.push_back(
                BlockRecord(kind | ofLine, s.address, s.end, m.Executed(s.address), 0, s.line));
        if (BlockComments().count(s.address))
            blocks.push_back(
                BlockRecord(kBlockKindComment | 1u << 14 | ofLine, s.address, s.end, 0, 0, s.line));
    }
    const size_t n = std::min<size_t>(blocks.size(), static_cast<size_t>(capacity));
    std::copy_n(blocks.begin(), n, first);
    buffer.count = static_cast<uint32_t>(n);
    return static_cast<int>(n);
}

std::map<uint32_t, std::string>& BlockComments() {
    static std::map<uint32_t, std::string> comments;
    return comments;
}

void RunBlockCommentAction(int mode, uint32_t address) {
    const Statement* s = Sample().StatementAt(address);
    S().lastError.clear();
    if (s == nullptr) {
        S().lastError = "no code block at that address";
        return;
    }
    auto& comments = BlockComments();
    if (mode == 1)
        comments[s->address] = "not reached: " + s->text;
    else if (mode == -1 && comments.count(s->address))
        comments[s->address] += " (reviewed)";
    else if (mode == 0)
        comments.erase(s->address);
    else
        S().lastError = "no block comment to edit";
}

void FillSourceCommands(HostCommandTable& t) {
    auto set = [&t](unsigned word, auto fn) { t.Word(word) = reinterpret_cast<void*>(fn); };
    set(21, &GetMultiLineText);
    set(22, &GetSourceColor);
    set(23, &QuerySourceLine);
    set(24, &EvaluateForTooltip);
    set(27, &ReportEvaluationError);
    set(28, &IsCoverageActive);
    set(29, &ShowConditionTree);
    set(44, &GetDocumentKey);
    set(46, &QueryLineInfo);
    set(48, &EvaluateAddressEntry);
    set(49, &ReadTargetMemory);
    set(55, &GetCoreName);
    set(60, &CanJumpToDefinition);
    set(62, &GetContextName);
}
