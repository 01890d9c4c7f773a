#include "host/lib/drop_matcher.h"

#include <vector>

namespace {

bool IsKeyChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// The length of the key that starts at text[from], 0 when none does.
size_t KeyLength(const std::string& text, size_t from) {
    size_t end = from;
    while (end < text.size() && IsKeyChar(text[end]))
        ++end;
    return end - from;
}

struct Term {
    bool negated = false;
    std::string key;
    bool hasValue = false; // {KEY}=value
    std::string value;
    std::vector<std::string> anyOf; // {KEY:=[A|B]}
};

bool SplitList(const std::string& list, std::vector<std::string>& values) {
    size_t start = 0;
    for (;;) {
        const size_t bar = list.find('|', start);
        std::string value = list.substr(start, bar == std::string::npos ? bar : bar - start);
        if (value.empty())
            return false;
        values.push_back(std::move(value));
        if (bar == std::string::npos)
            return true;
        start = bar + 1;
    }
}

bool ParseTerm(const std::string& text, Term& term) {
    size_t at = 0;
    if (at < text.size() && text[at] == '!') {
        term.negated = true;
        ++at;
    }
    if (at >= text.size() || text[at] != '{')
        return false;
    const size_t keyLength = KeyLength(text, at + 1);
    if (!keyLength)
        return false;
    term.key = text.substr(at + 1, keyLength);
    at += 1 + keyLength;
    if (text.compare(at, 3, ":=[") == 0) {
        const size_t close = text.find("]}", at + 3);
        if (close == std::string::npos || close + 2 != text.size())
            return false;
        return SplitList(text.substr(at + 3, close - at - 3), term.anyOf);
    }
    if (at >= text.size() || text[at] != '}')
        return false;
    ++at;
    if (at == text.size())
        return true;
    if (text[at] != '=' || at + 1 == text.size())
        return false;
    term.hasValue = true;
    term.value = text.substr(at + 1);
    return true;
}

bool TermHolds(const Term& term, const DragProperties& properties) {
    const auto found = properties.find(term.key);
    bool holds = found != properties.end();
    if (holds && term.hasValue)
        holds = found->second == term.value;
    if (holds && !term.anyOf.empty()) {
        holds = false;
        for (const std::string& value : term.anyOf)
            holds = holds || found->second == value;
    }
    return holds != term.negated;
}

} // namespace

bool PatternHolds(const std::string& pattern, const DragProperties& properties) {
    size_t terms = 0;
    size_t at = 0;
    for (;;) {
        at = pattern.find_first_not_of(' ', at);
        if (at == std::string::npos)
            return terms > 0;
        const size_t end = pattern.find(' ', at);
        Term term;
        if (!ParseTerm(pattern.substr(at, end == std::string::npos ? end : end - at), term) ||
            !TermHolds(term, properties))
            return false;
        ++terms;
        if (end == std::string::npos)
            return true;
        at = end;
    }
}

bool ExpandPlaceholders(const std::string& text, const DragProperties& properties, std::string& out,
                        std::string* missing) {
    std::string result;
    result.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        const size_t open = text.find('{', at);
        if (open == std::string::npos) {
            result.append(text, at, std::string::npos);
            break;
        }
        result.append(text, at, open - at);
        const size_t keyLength = KeyLength(text, open + 1);
        if (!keyLength || open + 1 + keyLength >= text.size() ||
            text[open + 1 + keyLength] != '}') {
            result += '{';
            at = open + 1;
            continue;
        }
        const std::string key = text.substr(open + 1, keyLength);
        const auto found = properties.find(key);
        if (found == properties.end()) {
            if (missing)
                *missing = key;
            return false;
        }
        result += found->second;
        at = open + keyLength + 2;
    }
    out = std::move(result);
    return true;
}
