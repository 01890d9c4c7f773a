// An 8-bit copy of a UTF-16 text for one host call, freed on the process heap when it goes.
#pragma once

#include <windows.h>

#include "shell/hostlink.h"

class HostText {
public:
    explicit HostText(const wchar_t* text) {
        if (text)
            WideToAnsiHeap(text, &m_text);
    }
    ~HostText() {
        if (m_text)
            HeapFree(GetProcessHeap(), 0, m_text);
    }
    HostText(const HostText&) = delete;
    HostText& operator=(const HostText&) = delete;

    // Null when there was no text or the conversion failed.
    const char* get() const { return m_text; }

private:
    char* m_text = nullptr;
};
