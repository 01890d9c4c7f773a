#include "shell/dll/text_buffer.h"

#include <windows.h>

#include <cstring>

namespace {
// The bytes of text that fit in limit without splitting a character of the host's code page.
size_t CutAtCharacter(const char* text, size_t limit) {
    const size_t length = std::strlen(text);
    if (length <= limit)
        return length;
    if (::GetACP() == CP_UTF8) {
        size_t cut = limit;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
        return cut;
    }
    size_t cut = 0;
    while (cut < limit) {
        const size_t step = ::IsDBCSLeadByte(static_cast<BYTE>(text[cut])) ? 2 : 1;
        if (cut + step > limit)
            break;
        cut += step;
    }
    return cut;
}
} // namespace

char* SharedTextBuffer() {
    static char buffer[kSharedTextBufferSize] = {};
    return buffer;
}

char* EmptySharedTextBuffer() {
    char* buffer = SharedTextBuffer();
    buffer[0] = 0;
    return buffer;
}

char* CopyToSharedTextBuffer(const char* text) {
    char* buffer = EmptySharedTextBuffer();
    if (text == nullptr)
        return buffer;
    const size_t count = CutAtCharacter(text, kSharedTextBufferSize - 1);
    std::memcpy(buffer, text, count);
    buffer[count] = 0;
    return buffer;
}
