// Lists of strings each ended by a null, as the registry's multi-strings and the profile's key
// lists hold them.
#pragma once

#include <string>
#include <vector>

// The strings up to the empty one that ends the list, or up to the end of the text when the
// writer left that out: nothing is read past the text.
inline std::vector<std::wstring> SplitNullSeparated(const std::wstring& text) {
    std::vector<std::wstring> strings;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\0', start);
        if (end == std::wstring::npos)
            end = text.size();
        if (end == start)
            break;
        strings.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return strings;
}
