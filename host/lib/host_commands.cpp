// The host command table's entries on the simulated target. Each records its call; the few that
// answer something answer from HostState.
#include <windows.h>

#include "host/lib/command_line.h"
#include "host/lib/host_asm.h"
#include "host/lib/host_memory.h"
#include "host/lib/host_requests.h"
#include "host/lib/host_source.h"
#include "host/lib/host_state.h"
#include "host/lib/host_window.h"

namespace {

HostState& S() {
    return HostState::Get();
}

int __cdecl ExecuteRequest(HostRequest* r, const char* text, int index, int a, int b) {
    LogHostCall("ExecuteRequest", r, text, index, a, b);
    if (S().onRequest)
        S().onRequest(r, text);
    return RunRequestChain(r, text, index, a, b);
}
int __cdecl ExecuteRequestChain(int one, HostRequest* r, int* out, int zero, int one2) {
    LogHostCall("ExecuteRequestChain", one, r, static_cast<const void*>(out), zero, one2);
    if (out)
        *out = 0;
    return RunRequestChain(r, nullptr, 0, 0, 0);
}
// The simulated processor is no x86 (kind 54): its program counter is the register "PC".
constexpr int kSimulatedTargetType = 1;
int __cdecl GetTargetType() {
    return LogHostCall("GetTargetType"), kSimulatedTargetType;
}
// The Language menu's items send 186: as a debugger does, the host switches the target between
// high level and assembler and names the new language back to the library.
void SwitchLanguage() {
    S().language = !S().language;
    HMODULE library = GetModuleHandleW(S().options.library.c_str());
    using ChangeLanguageFn = int(__cdecl*)(int);
    auto change = library != nullptr ? reinterpret_cast<ChangeLanguageFn>(reinterpret_cast<void*>(
                                           GetProcAddress(library, "ChangeLanguage")))
                                     : nullptr;
    if (change != nullptr)
        change(S().language);
}

// The Run menu's and toolbar's commands drive the target through the host's own language.
const char* RunCommandLineOf(int command) {
    switch (command) {
    case 0: // Stop
        return "HALT";
    case 46:  // Go
    case 213: // Run Fast
        return "GO";
    case 50:
        return "STEP";
    case 51:
        return "STEP /OVER";
    case 48:
        return "STEP /OUT";
    case 49: // Restart
    case 52: // Reset Target
        return "RESET";
    default:
        return nullptr;
    }
}

void __cdecl ExecuteCommand(int command) {
    LogHostCall("ExecuteCommand", command);
    if (command == 37)
        S().closeRequested = true;
    if (command == 186)
        SwitchLanguage();
    if (const char* line = RunCommandLineOf(command))
        RunHostCommandLine(line);
    if (command == 155)
        ChangeAsmAddress(S().currentCore);
    if (S().onCommand)
        S().onCommand(command);
}
const char* __cdecl GetPCRegisterName() {
    return LogHostCall("GetPCRegisterName"), "PC";
}
int __cdecl QueryMenuInsert() {
    return LogHostCall("QueryMenuInsert"), S().options.menuInsertSetA ? 1 : 0;
}
void* __cdecl GetHostObject(int kind, void** out) {
    LogHostCall("GetHostObject", kind, static_cast<const void*>(out));
    void* answer = nullptr;
    if (kind == kHostObjectMainWindow && !S().options.noMainRecord)
        answer = &S().mainRecord;
    else if (kind == kHostObjectKeys)
        answer = HostKeyRecord();
    else if (kind == 5)
        answer = &S().assemblerObject;
    if (out)
        *out = answer;
    return answer;
}
int __cdecl GetPaneInfo(int pane, HostPaneInfo* out) {
    LogHostCall("GetPaneInfo", pane, static_cast<const void*>(out));
    if (!out || pane < 1 || pane > 4 || S().paneText[pane].empty())
        return 0;
    out->text = S().paneText[pane].c_str();
    out->flags = 0;
    return 1;
}
void __cdecl ExecuteUserButton(int button) {
    LogHostCall("ExecuteUserButton", button);
}
int __cdecl ExecuteWindowCommand(void* hwnd, int command, int item) {
    LogHostCall("ExecuteWindowCommand", static_cast<const void*>(hwnd), command, item);
    return S().onWindowCommand ? S().onWindowCommand(hwnd, command, item) : 0;
}
void __cdecl ShowWindowContextMenu(void* hwnd, long x, long y, const void* info, int item,
                                   int window) {
    LogHostCall("ShowWindowContextMenu", hwnd, x, y, info, item, window);
}
int __cdecl IsCommandClassEnabled(int commandClass) {
    LogHostCall("IsCommandClassEnabled", commandClass);
    return commandClass == S().options.disabledClass ? 0 : 1;
}
void __cdecl OnIdle(long count) {
    LogHostCall("OnIdle", count);
}
int __cdecl PreTranslateMessage(void* msg) {
    // Called for every message: only the messages it takes are logged.
    const MSG* m = static_cast<const MSG*>(msg);
    int taken = S().preTranslate ? S().preTranslate(msg) : 0;
    if (!taken && m && S().options.takeMessage && m->message == S().options.takeMessage)
        taken = 1;
    if (taken)
        LogHostCall("PreTranslateMessage", m ? static_cast<unsigned>(m->message) : 0u);
    return taken;
}
int __cdecl ExecuteRequestEx(HostRequest* r, const char* text, int index, int a, int b) {
    LogHostCall("ExecuteRequestEx", r, text, index, a, b);
    return RunRequestChain(r, text, index, a, b);
}
int __cdecl ExecuteCommandLine(const char* line) {
    LogHostCall("ExecuteCommandLine", line);
    if (S().onCommandLine)
        S().onCommandLine(line);
    return RunHostCommandLine(line) ? 1 : 0;
}
int __cdecl GetOption(int option) {
    LogHostCall("GetOption", option);
    auto found = S().optionAnswers.find(option);
    return found != S().optionAnswers.end() ? found->second : 0;
}
int __cdecl GetValueTypeFlags(int value, int* flags) {
    LogHostCall("GetValueTypeFlags", value);
    if (flags)
        *flags = S().valueTypeFlags;
    return S().valueTypeFlags;
}
int __cdecl IsBusy() {
    return S().options.busy ? 1 : 0;
}
const char* __cdecl GetRegistryRoot() {
    LogHostCall("GetRegistryRoot");
    return S().registryRootAnswer;
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
int __cdecl GetWindowSetting(const void* key, int32_t* o0, int32_t* o1, int32_t* o2, int32_t* o3,
                             int32_t* o4) {
    LogHostCall("GetWindowSetting", key);
    if (!o1) { // the state alone
        auto state = S().states.find(key);
        if (o0)
            *o0 = state == S().states.end() ? 0 : state->second;
        return 1;
    }
    HostPlacement p{};
    auto found = S().placements.find(key);
    if (found != S().placements.end())
        p = found->second;
    int32_t* outs[5] = {o0, o1, o2, o3, o4};
    const int32_t values[5] = {p.flags, p.x, p.y, p.width, p.height};
    for (int i = 0; i < 5; ++i)
        if (outs[i])
            *outs[i] = values[i];
    return 1;
}
void __cdecl SetWindowSetting(const void* key, int code, int32_t v0, int32_t v1, int32_t v2,
                              int32_t v3, int32_t v4) {
    LogHostCall("SetWindowSetting", key, code, v0, v1, v2, v3, v4);
    if (code == kWindowSettingState)
        S().states[key] = v0;
    else if (code == kWindowSettingPlacement)
        S().placements[key] = HostPlacement{v0, v1, v2, v3, v4};
}
int __cdecl GetFontAndColors(void** font, void** bold, uint32_t* text, uint32_t* back,
                             uint32_t* second) {
    LogHostCall("GetFontAndColors");
    if (font)
        *font = S().font;
    if (bold)
        *bold = S().boldFont;
    uint32_t* outs[3] = {text, back, second};
    for (int i = 0; i < 3; ++i)
        if (outs[i])
            *outs[i] = S().colors[i];
    return 1;
}
int __cdecl HasAllToolbar() {
    return LogHostCall("HasAllToolbar"), S().options.allToolbar ? 1 : 0;
}
int __cdecl SwitchContext(int context) {
    LogHostCall("SwitchContext", context);
    int previous = S().context;
    S().context = context;
    return previous;
}
void __cdecl OnListWindowCreated(int window) {
    LogHostCall("OnListWindowCreated", window);
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
    set(18, &GetPaneInfo);
    set(15, &ExecuteUserButton);
    set(16, &ExecuteWindowCommand);
    set(17, &ShowWindowContextMenu);
    set(20, &IsCommandClassEnabled);
    set(30, &OnIdle);
    set(31, &PreTranslateMessage);
    set(36, &ExecuteRequestEx);
    set(37, &ExecuteCommandLine);
    set(25, &GetOption);
    set(42, &IsBusy);
    set(45, &GetValueTypeFlags);
    set(47, &GetRegistryRoot);
    set(50, &SetCurrentCore);
    set(51, &GetCurrentCore);
    set(52, &GetActiveCore);
    set(53, &SetCoreMode);
    set(54, &GetCoreMode);
    set(56, &IsMultiCore);
    set(57, &IsExtensionMode);
    set(58, &GetWindowSetting);
    set(59, &SetWindowSetting);
    set(61, &GetFontAndColors);
    set(63, &HasAllToolbar);
    set(64, &SwitchContext);
    FillMemoryCommands(t);
    FillSourceCommands(t);
    FillAsmCommands(t);
    set(65, &OnListWindowCreated);
}
