// An 8-bit host text as a UTF-16 copy on the process heap for the length of one export call;
// null, or a text that cannot be converted, stays null.
#pragma once

#include <windows.h>

#include "shell/hostlink.h"

class WideArg {
public:
    explicit WideArg(const char* text) {
        if (text != nullptr)
            AnsiToWideHeap(text, &m_text);
    }
    ~WideArg() {
        if (m_text != nullptr)
            ::HeapFree(::GetProcessHeap(), 0, m_text);
    }
    WideArg(const WideArg&) = delete;
    WideArg& operator=(const WideArg&) = delete;
    const wchar_t* get() const { return m_text; }

private:
    wchar_t* m_text = nullptr;
};
