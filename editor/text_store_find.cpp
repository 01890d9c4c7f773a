// Plain and regular-expression search over the text store.
#include "editor/regexp_bounded.h"
#include "editor/text_store.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

namespace {

bool SameChars(const wchar_t* a, const wchar_t* b, int n, BOOL matchCase) {
    if (matchCase)
        return std::wmemcmp(a, b, n) == 0;
    for (int i = 0; i < n; ++i)
        if (a[i] != b[i] && std::towlower(a[i]) != std::towlower(b[i]))
            return false;
    return true;
}

} // namespace

int SECEditTextStore::PlainFind(int from, int to, const wchar_t* pattern, int patternLength,
                                BOOL forward, BOOL matchCase, BOOL wholeWord) {
    const int length = TextLength();
    if (forward && matchCase && !wholeWord) {
        // Searched where the characters lie, on both sides of the gap: moving the gap out of
        // the way would copy the text between the last edit and the end for every search.
        const int p =
            FindText(pattern, patternLength, from, std::min(length, to + patternLength - 1));
        return p >= 0 && p < to ? p : -1;
    }
    // Only the searched characters (and one on each side for whole words) as one run: the
    // gap moves only when it lies among them.
    const int low = std::max(0, std::min(from, to) - 1);
    const int high = std::min(length, std::max(from, to) + patternLength + 1);
    const wchar_t* text = Span(low, high) - low;
    auto hit = [&](int p) {
        return p + patternLength <= length &&
               SameChars(text + p, pattern, patternLength, matchCase) &&
               (!wholeWord || IsWholeWord(p, patternLength));
    };
    if (forward) {
        for (int p = from; p < to; ++p)
            if (hit(p))
                return p;
        return -1;
    }
    for (int p = from - 1; p >= to; --p)
        if (hit(p))
            return p;
    return -1;
}

int SECEditTextStore::RegExpFind(int from, int to, const wchar_t* pattern, BOOL forward,
                                 BOOL matchCase, int& matchLength) {
    // Matched in place; the engine's budget bounds the work.
    SECEditBoundedRegExp local;
    SECEditBoundedRegExp& engine = m_regExpEngine ? *m_regExpEngine : local;
    engine.SetPattern(pattern);
    engine.SetIgnoreCase(!matchCase);
    const int length = TextLength();
    int found;
    if (forward) {
        // Only the text from the start on: the gap stays put when the last edit lies before it.
        const wchar_t* rest = Span(from, length);
        found = engine.Search(rest, rest, rest + (length - from), matchLength);
        if (found >= 0) {
            found += from;
            if (found >= to && to < length)
                found = -1; // the match lies beyond the stop
        }
    } else {
        // The last match that lies between the stop and the start, with the text before the
        // stop as its context.
        const wchar_t* text = Data();
        found = engine.SearchLast(text, text + to, text + from, text + length, matchLength);
    }
    m_searchStopped = m_searchStopped || engine.WasStopped();
    m_patternInvalid = m_patternInvalid || engine.IsPatternInvalid();
    return found;
}

int SECEditTextStore::SearchSpan(int from, int to, const wchar_t* pattern, BOOL forward,
                                 BOOL matchCase, BOOL wholeWord, BOOL regExp, int& matchLength) {
    if (regExp)
        return RegExpFind(from, to, pattern, forward, matchCase, matchLength);
    const int n = static_cast<int>(std::wcslen(pattern));
    matchLength = n;
    return PlainFind(from, to, pattern, n, forward, matchCase, wholeWord);
}

int SECEditTextStore::Find(int startLine, int startColumn, int& outLine, int& outColumn,
                           const wchar_t* pattern, BOOL forward, BOOL wrap, BOOL matchCase,
                           BOOL wholeWord, BOOL regExp, int stopLine, int stopColumn) {
    m_searchStopped = FALSE;
    m_patternInvalid = FALSE;
    const int start = PositionToOffset(startLine, startColumn);
    if (start < 0 || !pattern || !*pattern)
        return 0;
    const int end = TextLength();
    int stop;
    if (stopLine < 0) {
        // No stop: once round the whole text. A stop line below -1 is no line either, and
        // taken as one it would put the stop before the text's first character.
        stop = start;
    } else if (stopLine >= m_lineCount) {
        stop = end;
    } else {
        stop = PositionToOffset(stopLine, 0);
        const int lineLength = GetLineLength(stopLine);
        stop += std::max(0, std::min(stopColumn, lineLength));
    }
    struct Span {
        int from, to;
    };
    Span spans[2];
    int count = 0;
    const bool wraps = forward ? start >= stop : start <= stop;
    if (!wraps) {
        spans[count++] = {start, stop};
    } else if (forward) {
        if (start < end)
            spans[count++] = {start, end};
        if (wrap && stop > 0)
            spans[count++] = {0, stop};
    } else {
        if (start > 0)
            spans[count++] = {start, 0};
        if (wrap && stop < end)
            spans[count++] = {end, stop};
    }
    for (int i = 0; i < count; ++i) {
        int matchLength = 0;
        const int at = SearchSpan(spans[i].from, spans[i].to, pattern, forward, matchCase,
                                  wholeWord, regExp, matchLength);
        if (at >= 0 && matchLength > 0 && OffsetToPosition(at, outLine, outColumn))
            return matchLength;
        if (m_searchStopped || m_patternInvalid)
            break; // the wrapped part would only give up the same way
    }
    return 0;
}
