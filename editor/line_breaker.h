// Where lines wider than the editor's limit of display columns are broken, and a fast search
// for line ends; shared by loading, editing and the explicit split of long lines.
#pragma once

#include <climits>

// The index of the first `ch` in text[from, to), or -1. Several characters a step: loading
// looks at every character of a file once, and this search is most of that look.
int SECEditFindChar(const wchar_t* text, int from, int to, wchar_t ch);
// The index of the first `first` in text[from, to) that `second` follows (inside the range),
// or -1; both characters are compared a block at a time.
int SECEditFindPair(const wchar_t* text, int from, int to, wchar_t first, wchar_t second);

inline bool SECEditIsHighSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
inline bool SECEditIsLowSurrogate(wchar_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Follows the display column along one line, fed in pieces that hold no line feed, and says
// where the line must be broken so that no part is wider than the limit. A tab reaches the next
// tab stop, a carriage return takes no column (it is not drawn), every other code unit one.
// A break never falls between the two halves of a surrogate pair.
class SECEditLineBreaker {
public:
    SECEditLineBreaker(int tabSize, int maxColumns)
        : m_tab(tabSize < 1 ? 1 : tabSize), m_max(maxColumns < 2 ? 2 : maxColumns) {}
    // A breaker that never breaks: it only follows the lines.
    static SECEditLineBreaker Unlimited() { return SECEditLineBreaker(1, INT_MAX); }

    // Whether `count` more code units might carry the line past the limit.
    bool MayExceed(int count) const {
        return static_cast<long long>(count) * m_tab > static_cast<long long>(m_max) - m_column;
    }
    // The index in [from, to) before which the line has to be broken, or -1 when the piece
    // fits; then the column has moved behind the piece. A break found leaves the column where
    // it was: the caller starts a new line (NewLine) and goes on from the break.
    int NextCut(const wchar_t* text, int from, int to);
    void NewLine() { m_column = 0; }
    int Column() const { return m_column; }

private:
    int m_tab;
    int m_max;
    int m_column = 0;
};
