#include "editor/edit_measure.h"

#include <algorithm>
#include <vector>

namespace {
int NextStop(int x, int tabWidth) {
    return (x / tabWidth + 1) * tabWidth;
}

int PieceEnd(const wchar_t* text, int from, int count) {
    while (from < count && text[from] != L'\t')
        ++from;
    return from;
}
} // namespace

int SECEditTabbedWidth(HDC dc, const wchar_t* text, int count, int startX, int tabWidth) {
    tabWidth = std::max(1, tabWidth);
    int x = startX;
    int i = 0;
    while (i < count) {
        if (text[i] == L'\t') {
            x = NextStop(x, tabWidth);
            ++i;
            continue;
        }
        const int end = PieceEnd(text, i, count);
        SIZE size = {};
        ::GetTextExtentPoint32W(dc, text + i, end - i, &size);
        x += size.cx;
        i = end;
    }
    return x - startX;
}

int SECEditColumnFromX(HDC dc, const wchar_t* text, int length, int& x, int tabWidth, int flags) {
    tabWidth = std::max(1, tabWidth);
    if (x <= 0 || length <= 0) {
        x = 0;
        return 0;
    }
    std::vector<int> partial;
    int left = 0;
    int i = 0;
    while (i < length) {
        int right;
        if (text[i] == L'\t') {
            right = NextStop(left, tabWidth);
            if (x < right) {
                const bool takeRight = (flags & 1) ? right - x < 4 : x > left;
                x = takeRight ? right : left;
                return takeRight ? i + 1 : i;
            }
            left = right;
            ++i;
            continue;
        }
        const int end = PieceEnd(text, i, length);
        const int n = end - i;
        partial.assign(size_t(n), 0);
        SIZE size = {};
        int fit = 0;
        ::GetTextExtentExPointW(dc, text + i, n, 0, &fit, partial.data(), &size);
        if (x < left + size.cx) {
            int previous = left;
            for (int k = 0; k < n; ++k) {
                const int edge = left + partial[size_t(k)];
                if (x < edge) {
                    // The nearer edge; the left one on a tie.
                    const bool takeRight = edge - x < x - previous;
                    x = takeRight ? edge : previous;
                    return takeRight ? i + k + 1 : i + k;
                }
                previous = edge;
            }
        }
        left += size.cx;
        i = end;
    }
    x = left;
    return length;
}
