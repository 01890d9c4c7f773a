// Every call that reaches the stand-in host, kept for tests and written to --log as text.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ifac/h/hostcmd.h"

struct HostCall {
    std::string name;
    std::vector<std::string> args;
    std::string Line() const; // name(arg, arg, ...)
};

// Renders one argument the way the log shows it.
std::string FormatArg(int value);
std::string FormatArg(unsigned value);
std::string FormatArg(long value);
std::string FormatArg(const char* text);         // "text", or null
std::string FormatArg(const HostRequest* chain); // [code/0xflags s1=...]... or null
std::string FormatArg(const void* pointer);      // ptr or null

class CallLog {
public:
    static CallLog& Get();

    void Add(HostCall call);
    const std::vector<HostCall>& Calls() const { return m_calls; }
    std::vector<HostCall> Named(const std::string& name) const;
    void Clear() { m_calls.clear(); }
    // Also writes every later call to this file, one line a call.
    bool OpenFile(const std::wstring& path);
    // Runs during each call, while the caller's arguments are still alive.
    std::function<void(const HostCall&)> observer;

private:
    std::vector<HostCall> m_calls;
    FILE* m_file = nullptr;
};

template <typename... A> void LogHostCall(const char* name, A... args) {
    HostCall call{name, {FormatArg(args)...}};
    CallLog::Get().Add(std::move(call));
}
