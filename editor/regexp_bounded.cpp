#include "editor/regexp_bounded.h"

#include "editor/search_interrupt.h"

#include <boost/regex.hpp>

#include <algorithm>
#include <cstddef>

struct SECEditBoundedRegExp::Compiled {
    boost::wregex expression;
    boost::match_results<const wchar_t*> match; // kept: one search after another reuses it
};

SECEditBoundedRegExp::SECEditBoundedRegExp() = default;
SECEditBoundedRegExp::~SECEditBoundedRegExp() = default;

void SECEditBoundedRegExp::SetPattern(const wchar_t* pattern) {
    const wchar_t* text = pattern ? pattern : L"";
    if (m_pattern == text && m_compiled)
        return; // the compiled form is still good
    m_pattern = text;
    m_compiled.reset();
}

void SECEditBoundedRegExp::SetIgnoreCase(BOOL ignore) {
    if (!ignore != !m_ignoreCase)
        m_compiled.reset();
    m_ignoreCase = ignore;
}

bool SECEditBoundedRegExp::Compile() {
    m_invalid = FALSE;
    m_stopped = FALSE;
    if (m_pattern.IsEmpty())
        return false;
    if (m_compiled)
        return true;
    // As the automation object reads a pattern: "^" and "$" at the ends of the searched text,
    // "." never a line end.
    auto flags = boost::regex::ECMAScript | boost::regex::no_mod_m | boost::regex::no_mod_s;
    if (m_ignoreCase)
        flags |= boost::regex::icase;
    try {
        auto compiled = std::make_unique<Compiled>();
        compiled->expression.assign(m_pattern.GetString(), flags);
        m_compiled = std::move(compiled);
        return true;
    } catch (const boost::regex_error&) {
        m_invalid = TRUE;
    } catch (const std::exception&) {
        m_stopped = TRUE; // too large to build
    }
    return false;
}

bool SECEditBoundedRegExp::Interrupted() {
    if (m_interrupt == nullptr || !m_interrupt->Requested())
        return false;
    m_stopped = TRUE;
    return true;
}

namespace {

// Runs one matcher call; false with `stopped` set when it ran out of budget or stack.
template <class Call> bool Guarded(Call call, BOOL& stopped) {
    try {
        return call();
    } catch (const std::exception&) {
        // error_complexity, error_stack or memory: the matcher gave up, which is not "no match".
        stopped = TRUE;
        return false;
    }
}

// A search that begins inside the text sees the characters before it, and its first position
// is not the text's start, which is what "^" means here.
boost::match_flag_type ContextFlags(const wchar_t* base, const wchar_t* from,
                                    boost::match_flag_type flags) {
    return from == base ? flags : flags | boost::match_prev_avail | boost::match_not_bob;
}

// The matcher's budget for a text of n characters is about n times the square of the pattern's
// length, and at least the (capped) square of n: windows of this many characters keep it near
// the cap, whatever the text's length.
int WindowFor(int patternLength) {
    const long long squared = std::max(1LL, static_cast<long long>(patternLength) * patternLength);
    const long long fits = static_cast<long long>(BOOST_REGEX_MAX_STATE_COUNT) / squared;
    return static_cast<int>(std::max(1024LL, std::min(65536LL, fits)));
}

} // namespace

int SECEditBoundedRegExp::Search(const wchar_t* base, const wchar_t* from, const wchar_t* last,
                                 int& length, int window) {
    if (!Compile())
        return -1;
    boost::match_results<const wchar_t*>& m = m_compiled->match;
    const std::ptrdiff_t span = window > 0 ? window : WindowFor(m_pattern.GetLength());
    auto search = [&](const wchar_t* p, const wchar_t* end, boost::match_flag_type flags) {
        return Guarded(
            [&] {
                return boost::regex_search(p, end, m, m_compiled->expression,
                                           ContextFlags(base, p, flags));
            },
            m_stopped);
    };
    // Window by window, each within a budget of its own, up to the first place where a match
    // begins or may begin (one that reaches the window's end). The search from there on then
    // sees the whole rest of the text, for the match's true extent.
    const wchar_t* p = from;
    while (last - p > span) {
        const wchar_t* end = p + span;
        const auto edge = boost::match_partial | boost::match_not_eob | boost::match_not_eol |
                          boost::match_not_eow;
        if (search(p, end, edge)) {
            p = m[0].first;
            break;
        }
        if (m_stopped || Interrupted())
            return -1;
        p = end; // nothing begins in the window, not even a match that goes on behind it
    }
    if (!search(p, last, boost::match_default))
        return -1;
    length = static_cast<int>(m.length(0));
    return static_cast<int>(m[0].first - base);
}

// The matches a forward scan of each line meets, the scan of a line starting at its beginning
// (or at `from`), so the answer does not depend on where the window began. A match that runs
// over a line end ends its line's scan; a scan that finds nothing until a later line has found
// that line's first match.
int SECEditBoundedRegExp::LastIn(const wchar_t* base, const wchar_t* from, const wchar_t* before,
                                 bool textEnds, int& length) {
    boost::match_results<const wchar_t*>& m = m_compiled->match;
    auto flags = boost::match_not_null;
    if (!textEnds)
        flags |= boost::match_not_eob | boost::match_not_eol;
    int best = -1;
    for (const wchar_t* p = from; p < before;) {
        if (Interrupted())
            return -1;
        if (!Guarded(
                [&] {
                    return boost::regex_search(p, before, m, m_compiled->expression,
                                               ContextFlags(base, p, flags));
                },
                m_stopped))
            break;
        const wchar_t* first = m[0].first;
        const wchar_t* second = m[0].second;
        best = static_cast<int>(first - base);
        length = static_cast<int>(second - first);
        const wchar_t* lineEnd = std::find(first, second, L'\n');
        p = lineEnd != second ? lineEnd + 1 : second;
    }
    return m_stopped ? -1 : best;
}

int SECEditBoundedRegExp::SearchLast(const wchar_t* base, const wchar_t* from,
                                     const wchar_t* before, const wchar_t* last, int& length,
                                     int window) {
    if (!Compile() || before <= from)
        return -1;
    // Each wider window repeats the narrower one's scan, which found nothing: growing fourfold
    // keeps the whole search within 4/3 of one scan of [from, before).
    std::ptrdiff_t span = std::max(window, 1);
    for (;;) {
        const wchar_t* low = before - from > span ? before - span : from;
        while (low > from && low[-1] != L'\n')
            --low; // a window begins where a line does
        const int at = LastIn(base, low, before, before == last, length);
        if (at >= 0 || m_stopped || low == from)
            return at;
        span *= 4;
    }
}

BOOL SECEditBoundedRegExp::Find(const CString& text, int& start, int& length, CString& matched) {
    const wchar_t* base = text.GetString();
    int len = 0;
    const int at = Search(base, base, base + text.GetLength(), len);
    if (at < 0)
        return FALSE;
    start = at;
    length = len;
    matched = text.Mid(at, len);
    return TRUE;
}

BOOL SECEditBoundedRegExp::Find(const CString& text, int& start, int& length) {
    CString matched;
    return Find(text, start, length, matched);
}

BOOL SECEditBoundedRegExp::Replace(CString& text, const CString& replacement, BOOL global) {
    if (!Compile())
        return FALSE;
    const auto flags = global ? boost::format_default : boost::format_first_only;
    std::wstring replaced;
    if (!Guarded(
            [&] {
                replaced = boost::regex_replace(text.str(), m_compiled->expression,
                                                replacement.str(), flags);
                return true;
            },
            m_stopped))
        return FALSE;
    if (replaced == text.str())
        return FALSE;
    text = CString(replaced.c_str(), static_cast<int>(replaced.size()));
    return TRUE;
}
