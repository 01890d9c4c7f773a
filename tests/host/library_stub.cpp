#include "tests/host/library_stub.h"

#include <windows.h>

#include "host/lib/host_state.h"
#include "host/lib/source_link.h"

namespace {

std::string Join(const std::vector<std::string>& parts) {
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i)
        out += (i ? ", " : "") + parts[i];
    return out;
}

std::string Name(const char* path) {
    const std::string p = path ? path : "(null)";
    return p.substr(p.find_last_of('\\') + 1);
}

// Assembler calls carry flag 0x8.
constexpr int kAsmFlag = 0x8, kCoverageFlag = 0x4;

} // namespace

LibraryStub& Stub() {
    static LibraryStub stub;
    return stub;
}

void BindLibraryStub() {
    Stub() = LibraryStub{};
    BindSourceLibrary(GetModuleHandleW(nullptr));
}

extern "C" {
__declspec(dllexport) int __cdecl CreateSourceWindow(const char* module, const char* path,
                                                     int flags, WindowPosition* position,
                                                     int core) {
    Stub().seen.push_back("Create(" +
                          Join({module, Name(path), std::to_string(flags),
                                position ? "pos" : "null", std::to_string(core)}) +
                          ")");
    return Stub().refuseCreate ? -1 : Stub().nextId++;
}
__declspec(dllexport) int __cdecl UpdateSourceWindow(int id, const char* module, const char* path,
                                                     int line, int flags, int start, int end,
                                                     int count, int tag) {
    Stub().seen.push_back("Update(" +
                          Join({std::to_string(id), module, Name(path), std::to_string(line),
                                std::to_string(flags), std::to_string(start), std::to_string(end),
                                std::to_string(count), std::to_string(tag)}) +
                          ")");
    if (flags & kAsmFlag)
        Stub().selected[HostState::Get().activeCore] = line;
    return id;
}
__declspec(dllexport) int __cdecl SetColumnDatas(int id, int flags, const void* data, int) {
    Stub().seen.push_back("Columns(" + std::to_string(id) + ", " + std::to_string(flags) + ")");
    if (flags & kAsmFlag)
        Stub().chains[HostState::Get().activeCore] = static_cast<const AsmLineRecord*>(data);
    else if (flags & kCoverageFlag)
        Stub().coverage = static_cast<const CoverageRecord*>(data);
    else
        Stub().marks = static_cast<const SourceLineRecord*>(data);
    if (Stub().onColumns)
        Stub().onColumns(id, flags);
    return 1;
}
__declspec(dllexport) int __cdecl ActivateSourceWindow(int id) {
    Stub().seen.push_back("Activate(" + std::to_string(id) + ")");
    return 1;
}
__declspec(dllexport) int __cdecl CloseMDIWindow(int id, int byId) {
    Stub().seen.push_back("Close(" + std::to_string(id) + ", " + std::to_string(byId) + ")");
    return 1;
}
}
