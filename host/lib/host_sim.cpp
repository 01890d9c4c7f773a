#include "host/lib/host_sim.h"

#include <windows.h>

#include <cstdlib>
#include <cwchar>

#include "host/lib/host_asm.h"
#include "host/lib/host_source.h"
#include "host/lib/host_state.h"
#include "host/lib/target_machine.h"

HostState& HostState::Get() {
    static HostState state;
    return state;
}

const HostOptions& CurrentHostOptions() {
    return HostState::Get().options;
}

namespace {

bool ParseVersion(const std::wstring& text, unsigned& major, unsigned& minor) {
    wchar_t* end = nullptr;
    unsigned long a = wcstoul(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != L'.')
        return false;
    const wchar_t* rest = end + 1;
    unsigned long b = wcstoul(rest, &end, 10);
    if (end == rest || *end)
        return false;
    major = static_cast<unsigned>(a);
    minor = static_cast<unsigned>(b);
    return true;
}

bool ParseCount(const std::wstring& text, int& value) {
    wchar_t* end = nullptr;
    long v = wcstol(text.c_str(), &end, 10);
    if (end == text.c_str() || *end || v < 1 || v > 64)
        return false;
    value = static_cast<int>(v);
    return true;
}

bool ParseNumber(const std::wstring& text, int& value) {
    wchar_t* end = nullptr;
    long v = wcstol(text.c_str(), &end, 0);
    if (end == text.c_str() || *end)
        return false;
    value = static_cast<int>(v);
    return true;
}

std::string Narrow(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1)
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, &out[0], n, nullptr, nullptr);
    return out;
}

} // namespace

bool ParseHostOptions(const std::vector<std::wstring>& args, HostOptions& o, std::wstring& error) {
    const struct {
        const wchar_t* name;
        bool HostOptions::*flag;
    } flags[] = {{L"--extension", &HostOptions::extension},
                 {L"--busy", &HostOptions::busy},
                 {L"--null-table", &HostOptions::nullTable},
                 {L"--null-mem-table", &HostOptions::nullMemTable},
                 {L"--no-gui-connect", &HostOptions::noGuiConnect},
                 {L"--no-mem-connect", &HostOptions::noMemConnect},
                 {L"--no-coco", &HostOptions::noCoco},
                 {L"--null-service", &HostOptions::nullService},
                 {L"--demo", &HostOptions::demo},
                 {L"--plugins", &HostOptions::plugins},
                 {L"--all-toolbar", &HostOptions::allToolbar},
                 {L"--menu-insert-a", &HostOptions::menuInsertSetA},
                 {L"--no-main-record", &HostOptions::noMainRecord}};
    int takeMessage = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        bool matched = false;
        for (const auto& f : flags)
            if (arg == f.name)
                matched = o.*(f.flag) = true;
        if (matched)
            continue;
        const bool hasValue = i + 1 < args.size();
        const std::wstring value = hasValue ? args[i + 1] : L"";
        if (arg == L"--host-version" && hasValue && ParseVersion(value, o.major, o.minor))
            ++i;
        else if (arg == L"--mem-version" && hasValue && ParseVersion(value, o.memMajor, o.memMinor))
            ++i;
        else if (arg == L"--cores" && hasValue && ParseCount(value, o.cores))
            ++i;
        else if (arg == L"--disable-class" && hasValue && ParseNumber(value, o.disabledClass))
            ++i;
        else if (arg == L"--take-message" && hasValue && ParseNumber(value, takeMessage)) {
            o.takeMessage = static_cast<unsigned>(takeMessage);
            ++i;
        } else if (arg == L"--pump-mode" && hasValue && ParseNumber(value, o.pumpMode))
            ++i;
        else if (arg == L"--run-ms" && hasValue && ParseNumber(value, o.runMilliseconds))
            ++i;
        else if ((arg == L"--registry-root" || arg == L"--title") && hasValue) {
            std::string narrow = Narrow(value);
            if (arg == L"--title")
                o.title = narrow;
            else {
                o.registryRoot = narrow;
                o.registryRootGiven = true;
            }
            ++i;
        } else if (arg == L"--refuse-rules" && hasValue && !value.empty()) {
            o.refusedRuleKinds.push_back(Narrow(value));
            ++i;
        } else if (arg == L"--screenshot" && hasValue && !value.empty()) {
            o.screenshot = value;
            ++i;
        } else if ((arg == L"--log" || arg == L"--library") && hasValue && !value.empty()) {
            (arg == L"--log" ? o.logPath : o.library) = value;
            ++i;
        } else {
            error = L"bad or incomplete switch: " + arg;
            return false;
        }
    }
    return true;
}

void ConfigureHost(const HostOptions& options) {
    HostState& s = HostState::Get();
    s.options = options;
    s.language = 0;
    s.commands = HostCommandTable{};
    s.commands.major = options.major;
    s.commands.minor = options.minor;
    FillCommandTable(s.commands);
    s.memory = HostMemoryTable{};
    s.memory.major = options.memMajor;
    s.memory.minor = options.memMinor;
    FillMemoryTable(s.memory);
    FillDragDropComponent(s.component, s.service);
    s.dragDrop = HostDragDrop{};
    s.dragDrop.refusedKinds.insert(options.refusedRuleKinds.begin(),
                                   options.refusedRuleKinds.end());
    if (options.registryRootGiven)
        s.registryRoot = options.registryRoot;
    // "(null)" makes the host answer a null root.
    s.registryRootAnswer = s.registryRoot == "(null)" ? nullptr : s.registryRoot.c_str();
    s.title = options.title;
    s.mainRecord = HostMainWindowRecord{};
    s.mainRecord.title = s.title.empty() ? nullptr : s.title.c_str();
    s.placements.clear();
    s.states.clear();
    // The disassembly starts with its source annotations on (option 0).
    s.optionAnswers[0] = 1;
    s.closeRequested = false;
    // The target starts the program again: every core at its entry, no breakpoints, no
    // coverage, the host's error and watch lists empty.
    TargetMachine::Get().Reset(options.cores);
    BlockComments().clear();
    AsmChangeAddressAnswer() = "main";
    s.lastError.clear();
    s.lastEvaluation.clear();
    s.watchExpressions.clear();
    s.assemblerAddress = 0;
    s.colourQueries = 0;
    if (!s.font && options.hostFonts) {
        LOGFONTW plain{};
        plain.lfHeight = -13;
        plain.lfWeight = FW_NORMAL;
        plain.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        wcscpy(plain.lfFaceName, L"Courier New");
        s.font = CreateFontIndirectW(&plain);
        plain.lfWeight = FW_BOLD;
        s.boldFont = CreateFontIndirectW(&plain);
    }
    if (options.nullService)
        s.component.word[3] = nullptr;
    const struct {
        const char* name;
        bool hidden;
    } exports[] = {{"gui_Connect", options.noGuiConnect},
                   {"Mem_ConnectG2C", options.noMemConnect},
                   {"__COCO__", options.noCoco}};
    for (const auto& e : exports)
        e.hidden ? HideHostExport(e.name) : ShowHostExport(e.name);
    if (!options.logPath.empty())
        CallLog::Get().OpenFile(options.logPath);
}
