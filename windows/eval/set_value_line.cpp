#include "windows/eval/set_value_line.h"

#include <cstdio>

namespace {
bool IsBlankOrTab(char c) {
    return c == ' ' || c == '\t';
}

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string Target(const SetValueInput& in, const std::string& text) {
    std::string target = in.dereferenceString && !text.empty() && text[0] == '"' ? "*(" : "(";
    if (in.expression != nullptr)
        target += in.expression;
    target += ")";
    if (in.suffix != nullptr)
        for (const char* p = in.suffix; *p != 0; ++p)
            if (!IsWhiteSpace(*p))
                target += *p;
    return target;
}
} // namespace

bool HasControlCharacter(const std::string& s) {
    for (unsigned char c : s)
        if (c < 0x20 || c == 0x7F)
            return true;
    return false;
}

SetValueResult BuildSetValueLine(const SetValueInput& in, size_t capacity, std::string& line) {
    size_t first = 0;
    while (first < in.text.size() && IsBlankOrTab(in.text[first]))
        ++first;
    const std::string text = in.text.substr(first);
    if (text.empty())
        return SetValueResult::empty;
    // The host's expression and suffix are its own, but a line break or another control
    // character in any part would split the command or the core wrapper around it.
    const std::string target = Target(in, text);
    if (HasControlCharacter(text) || HasControlCharacter(target))
        return SetValueResult::controlCharacter;
    const std::string assignment = "SET VALUE " + target + "=" + text;
    std::string result;
    if (in.wrapCore) {
        char head[48], tail[48];
        std::snprintf(head, sizeof head, "SET CORE /NOCAPTURE %i ; ", in.core);
        std::snprintf(tail, sizeof tail, " ; SET CORE /NOCAPTURE %i", in.activeCore);
        result = head + assignment + tail;
    } else {
        result = assignment;
    }
    if (result.size() + 1 > capacity)
        return SetValueResult::tooLong;
    line = std::move(result);
    return SetValueResult::ok;
}
