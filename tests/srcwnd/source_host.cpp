#include "tests/srcwnd/source_host.h"

#include <algorithm>
#include <cstring>

namespace {

SourceHost& H() {
    return SourceHost::Get();
}

SentRequest Capture(const char* word, HostRequest* r) {
    SentRequest s;
    s.word = word;
    for (int i = 0; r && i < 16; ++i, r = r->next) {
        HostRequest copy = *r;
        copy.next = nullptr;
        // Set PC's first record carries the register name's address: compared as text.
        std::string pcName;
        if (r->code == 115 && copy.param[0]) {
            pcName = copy.Text(0);
            copy.param[0] = 0;
        }
        s.slot0.push_back(pcName);
        s.records.push_back(copy);
    }
    return s;
}

int __cdecl Request(HostRequest* r, const char* text, int index, int a, int b) {
    LogHostCall("ExecuteRequest", r, H().textIsValue ? "(value)" : text, index, a, b);
    SentRequest s = Capture("ExecuteRequest", r);
    s.text = reinterpret_cast<uintptr_t>(text);
    if (text && !H().textIsValue)
        s.textRead = text;
    s.index = index;
    s.a = a;
    s.b = b;
    H().sent.push_back(s);
    return 1;
}

int __cdecl RequestChain(int one, HostRequest* r, int* out, int zero, int one2) {
    LogHostCall("ExecuteRequestChain", one, r, static_cast<const void*>(out), zero, one2);
    SentRequest s = Capture("ExecuteRequestChain", r);
    s.index = one;
    s.a = zero;
    s.b = one2;
    H().sent.push_back(s);
    return 1;
}

int __cdecl QueryLineInfo(const char* module, int line, int zero, int* count,
                          const HostLineEntry** table) {
    LogHostCall("QueryLineInfo", module, line, zero);
    *count = static_cast<int>(H().lineEntries.size());
    *table = H().lineEntries.empty() ? nullptr : H().lineEntries.data();
    return H().lineInfoAnswer;
}

int __cdecl QuerySourceLine(int context, int line, const uint32_t** columns) {
    LogHostCall("QuerySourceLine", context, line);
    *columns = H().columns.empty() ? nullptr : H().columns.data();
    return static_cast<int>(H().columns.size());
}

int __cdecl CanJump(const char* symbol, int* out) {
    LogHostCall("CanJumpToDefinition", symbol);
    *out = H().jumpAnswer;
    return H().jumpResult;
}

int __cdecl CoverageActive() {
    return LogHostCall("IsCoverageActive"), H().coverageActive;
}

int __cdecl EvaluateAddress(const char* expression, uint64_t* address) {
    LogHostCall("EvaluateAddress", expression);
    *address = H().address;
    return H().evaluateResult;
}

int __cdecl ReadBlocks(const uint64_t* address, HostBlockBuffer* buffer, int capacity,
                       HostBlockRecord* first) {
    LogHostCall("ReadTargetMemory", static_cast<unsigned>(*address), capacity);
    size_t n = std::min<size_t>(H().blocks.size(), kHostBlockCapacity);
    std::copy(H().blocks.begin(), H().blocks.begin() + n, first);
    buffer->count = H().reportedCount ? H().reportedCount : static_cast<uint32_t>(n);
    return H().readResult;
}

void __cdecl Report(int mode, const void* value) {
    uint64_t address = 0;
    std::memcpy(&address, value, sizeof address);
    LogHostCall("ReportEvaluationError", mode);
    H().reported.push_back({mode, address});
}

} // namespace

SourceHost& SourceHost::Get() {
    static SourceHost host;
    return host;
}

void SourceHost::Bind(const HostOptions& options) {
    Get() = SourceHost();
    BindTestHost(options);
    HostCommandTable& t = HostState::Get().commands;
    t.Word(2) = reinterpret_cast<void*>(&Request);
    t.Word(3) = reinterpret_cast<void*>(&RequestChain);
    t.Word(23) = reinterpret_cast<void*>(&QuerySourceLine);
    t.Word(27) = reinterpret_cast<void*>(&Report);
    t.Word(28) = reinterpret_cast<void*>(&CoverageActive);
    t.Word(46) = reinterpret_cast<void*>(&QueryLineInfo);
    t.Word(48) = reinterpret_cast<void*>(&EvaluateAddress);
    t.Word(49) = reinterpret_cast<void*>(&ReadBlocks);
    t.Word(60) = reinterpret_cast<void*>(&CanJump);
}

HostBlockRecord Block(uint32_t flags, uint32_t count4, uint32_t count5, uint64_t address) {
    HostBlockRecord r{};
    r.word[0] = flags;
    r.word[1] = static_cast<uint32_t>(address);
    r.word[2] = static_cast<uint32_t>(address >> 32);
    r.word[4] = count4;
    r.word[5] = count5;
    return r;
}
