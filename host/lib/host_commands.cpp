// The host command table's entries on the simulated target. Each records its call; the few that
// answer something answer from HostState.
#include <windows.h>

#include "host/lib/host_state.h"

namespace {

HostState& S() {
    return HostState::Get();
}

int __cdecl ExecuteRequest(HostRequest* r, const char* text, int index, int a, int b) {
    LogHostCall("ExecuteRequest", r, text, index, a, b);
    return 1;
}
int __cdecl ExecuteRequestChain(int one, HostRequest* r, int* out, int zero, int one2) {
    LogHostCall("ExecuteRequestChain", one, r, static_cast<const void*>(out), zero, one2);
    if (out)
        *out = 0;
    return 1;
}
int __cdecl GetTargetType() {
    return LogHostCall("GetTargetType"), 54;
}
void __cdecl ExecuteCommand(int command) {
    LogHostCall("ExecuteCommand", command);
}
const char* __cdecl GetPCRegisterName() {
    return LogHostCall("GetPCRegisterName"), "PC";
}
int __cdecl QueryMenuInsert() {
    return LogHostCall("QueryMenuInsert"), 0;
}
void* __cdecl GetHostObject(int kind, void** out) {
    LogHostCall("GetHostObject", kind, static_cast<const void*>(out));
    if (out)
        *out = nullptr;
    return nullptr;
}
void __cdecl ExecuteUserButton(int button) {
    LogHostCall("ExecuteUserButton", button);
}
void __cdecl ExecuteWindowCommand(void* hwnd, int command, int item) {
    LogHostCall("ExecuteWindowCommand", static_cast<const void*>(hwnd), command, item);
}
int __cdecl IsCommandClassEnabled(int commandClass) {
    return LogHostCall("IsCommandClassEnabled", commandClass), 1;
}
void __cdecl OnIdle(long count) {
    LogHostCall("OnIdle", count);
}
int __cdecl PreTranslateMessage(void* msg) {
    (void)msg; // called for every message: not logged, it would drown the log
    return 0;
}
int __cdecl ExecuteRequestEx(HostRequest* r, const char* text, int index, int a, int b) {
    LogHostCall("ExecuteRequestEx", r, text, index, a, b);
    return 1;
}
int __cdecl ExecuteCommandLine(const char* line) {
    LogHostCall("ExecuteCommandLine", line);
    return 1;
}
int __cdecl IsBusy() {
    return S().options.busy ? 1 : 0;
}
const char* __cdecl GetRegistryRoot() {
    LogHostCall("GetRegistryRoot");
    return S().registryRoot.c_str();
}
void __cdecl SetCurrentCore(int core) {
    LogHostCall("SetCurrentCore", core);
    S().currentCore = core;
}
int __cdecl GetCurrentCore() {
    return LogHostCall("GetCurrentCore"), S().currentCore;
}
int __cdecl GetActiveCore() {
    return LogHostCall("GetActiveCore"), S().activeCore;
}
void __cdecl SetCoreMode(int mode) {
    LogHostCall("SetCoreMode", mode);
    S().coreMode = mode;
}
int __cdecl GetCoreMode() {
    return LogHostCall("GetCoreMode"), S().coreMode;
}
int __cdecl IsMultiCore() {
    return LogHostCall("IsMultiCore"), S().options.cores > 1 ? 1 : 0;
}
int __cdecl IsExtensionMode() {
    return LogHostCall("IsExtensionMode"), S().options.extension ? 1 : 0;
}
int __cdecl HasAllToolbar() {
    return LogHostCall("HasAllToolbar"), 0;
}
int __cdecl SwitchContext(int context) {
    LogHostCall("SwitchContext", context);
    int previous = S().context;
    S().context = context;
    return previous;
}

} // namespace

void FillCommandTable(HostCommandTable& t) {
    auto set = [&t](unsigned word, auto fn) { t.Word(word) = reinterpret_cast<void*>(fn); };
    set(2, &ExecuteRequest);
    set(3, &ExecuteRequestChain);
    set(4, &GetTargetType);
    set(5, &ExecuteCommand);
    set(8, &GetPCRegisterName);
    set(11, &QueryMenuInsert);
    set(14, &GetHostObject);
    set(15, &ExecuteUserButton);
    set(16, &ExecuteWindowCommand);
    set(20, &IsCommandClassEnabled);
    set(30, &OnIdle);
    set(31, &PreTranslateMessage);
    set(36, &ExecuteRequestEx);
    set(37, &ExecuteCommandLine);
    set(42, &IsBusy);
    set(47, &GetRegistryRoot);
    set(50, &SetCurrentCore);
    set(51, &GetCurrentCore);
    set(52, &GetActiveCore);
    set(53, &SetCoreMode);
    set(54, &GetCoreMode);
    set(56, &IsMultiCore);
    set(57, &IsExtensionMode);
    set(63, &HasAllToolbar);
    set(64, &SwitchContext);
}

void FillMemoryTable(HostMemoryTable& t) {
    (void)t; // the memory window's entries arrive with the memory window
}
