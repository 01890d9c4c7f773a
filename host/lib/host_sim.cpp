#include "host/lib/host_sim.h"

#include <windows.h>

#include <cstdlib>
#include <cwchar>

#include "host/lib/host_state.h"

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
                 {L"--demo", &HostOptions::demo}};
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
        else if ((arg == L"--log" || arg == L"--library") && hasValue && !value.empty()) {
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
    s.commands = HostCommandTable{};
    s.commands.major = options.major;
    s.commands.minor = options.minor;
    FillCommandTable(s.commands);
    s.memory = HostMemoryTable{};
    s.memory.major = options.memMajor;
    s.memory.minor = options.memMinor;
    FillMemoryTable(s.memory);
    FillDragDropComponent(s.component, s.service);
    if (options.nullService)
        s.component.word[3] = nullptr;
    if (options.noGuiConnect)
        HideHostExport("gui_Connect");
    if (options.noMemConnect)
        HideHostExport("Mem_ConnectG2C");
    if (options.noCoco)
        HideHostExport("__COCO__");
    if (!options.logPath.empty())
        CallLog::Get().OpenFile(options.logPath);
}
