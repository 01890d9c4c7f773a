#include "host/lib/call_log.h"

#include <cstdio>
#include <windows.h>

std::string HostCall::Line() const {
    std::string line = name + "(";
    for (size_t i = 0; i < args.size(); ++i)
        line += (i ? ", " : "") + args[i];
    return line + ")";
}

std::string FormatArg(int value) {
    return std::to_string(value);
}
std::string FormatArg(unsigned value) {
    return std::to_string(value);
}
std::string FormatArg(long value) {
    return std::to_string(value);
}
std::string FormatArg(const char* text) {
    // A request may carry a number where a text goes (a statement's value): the first 64 KB of
    // an address space are never mapped, so such a "text" is shown as the number it is.
    const uintptr_t value = reinterpret_cast<uintptr_t>(text);
    if (value != 0 && value < 0x10000)
        return "#" + std::to_string(value);
    return text ? "\"" + std::string(text) + "\"" : "null";
}
std::string FormatArg(const void* pointer) {
    return pointer ? "ptr" : "null";
}

std::string FormatArg(const HostRequest* chain) {
    if (!chain)
        return "null";
    std::string out;
    // A chain that loops must not hang the host.
    for (int i = 0; chain && i < 64; ++i, chain = chain->next) {
        char head[40];
        snprintf(head, sizeof head, "[%u/0x%x", static_cast<unsigned>(chain->code),
                 static_cast<unsigned>(chain->flags));
        out += head;
        for (int slot = 0; slot < 10; ++slot)
            if (chain->param[slot])
                out += " s" + std::to_string(slot) + "=" + std::to_string(chain->param[slot]);
        out += "]";
    }
    return out;
}

CallLog& CallLog::Get() {
    static CallLog log;
    return log;
}

void CallLog::Add(HostCall call) {
    if (observer)
        observer(call);
    if (m_file) {
        fprintf(m_file, "%s\n", call.Line().c_str());
        fflush(m_file);
    }
    m_calls.push_back(std::move(call));
}

std::vector<HostCall> CallLog::Named(const std::string& name) const {
    std::vector<HostCall> out;
    for (const HostCall& call : m_calls)
        if (call.name == name)
            out.push_back(call);
    return out;
}

bool CallLog::OpenFile(const std::wstring& path) {
    if (m_file)
        fclose(m_file);
    m_file = _wfopen(path.c_str(), L"w");
    return m_file != nullptr;
}
