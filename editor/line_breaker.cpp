#include "editor/line_breaker.h"

#include <emmintrin.h>

#if defined(__GNUC__) && !defined(__SSE2__)
#define MOX_SSE2 __attribute__((target("sse2")))
#else
#define MOX_SSE2
#endif

MOX_SSE2 int SECEditFindChar(const wchar_t* text, int from, int to, wchar_t ch) {
    static_assert(sizeof(wchar_t) == 2, "UTF-16 code units");
    int i = from;
    const __m128i wanted = _mm_set1_epi16(static_cast<short>(ch));
    for (; i + 8 <= to; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        const int mask = _mm_movemask_epi8(_mm_cmpeq_epi16(v, wanted));
        if (mask != 0)
            return i + __builtin_ctz(static_cast<unsigned>(mask)) / 2;
    }
    for (; i < to; ++i)
        if (text[i] == ch)
            return i;
    return -1;
}

MOX_SSE2 int SECEditFindPair(const wchar_t* text, int from, int to, wchar_t first, wchar_t second) {
    int i = from;
    const __m128i a = _mm_set1_epi16(static_cast<short>(first));
    const __m128i b = _mm_set1_epi16(static_cast<short>(second));
    for (; i + 9 <= to; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + 1));
        const int mask =
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi16(v, a), _mm_cmpeq_epi16(w, b)));
        if (mask != 0)
            return i + __builtin_ctz(static_cast<unsigned>(mask)) / 2;
    }
    for (; i + 1 < to; ++i)
        if (text[i] == first && text[i + 1] == second)
            return i;
    return -1;
}

int SECEditLineBreaker::NextCut(const wchar_t* text, int from, int to) {
    int column = m_column;
    for (int i = from; i < to; ++i) {
        const wchar_t c = text[i];
        const int width = c == L'\t' ? m_tab - column % m_tab : c == L'\r' ? 0 : 1;
        if (column + width > m_max) {
            if (i > from && SECEditIsLowSurrogate(c) && SECEditIsHighSurrogate(text[i - 1]))
                --i;
            return i;
        }
        column += width;
    }
    m_column = column;
    return -1;
}
