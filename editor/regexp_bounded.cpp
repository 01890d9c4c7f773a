#include "editor/regexp_bounded.h"

#include <boost/regex.hpp>

struct SECEditBoundedRegExp::Compiled {
    boost::wregex expression;
    boost::match_results<const wchar_t*> match; // kept: one search after another reuses it
};

SECEditBoundedRegExp::SECEditBoundedRegExp() = default;
SECEditBoundedRegExp::~SECEditBoundedRegExp() = default;

void SECEditBoundedRegExp::SetPattern(const wchar_t* pattern) {
    m_pattern = pattern ? pattern : L"";
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

} // namespace

int SECEditBoundedRegExp::Search(const wchar_t* base, const wchar_t* from, const wchar_t* last,
                                 int& length) {
    if (!Compile())
        return -1;
    boost::match_results<const wchar_t*>& m = m_compiled->match;
    const auto flags = from == base ? boost::match_default : boost::match_prev_avail;
    if (!Guarded([&] { return boost::regex_search(from, last, m, m_compiled->expression, flags); },
                 m_stopped))
        return -1;
    length = static_cast<int>(m.length(0));
    return static_cast<int>(m[0].first - base);
}

int SECEditBoundedRegExp::SearchLast(const wchar_t* base, const wchar_t* from,
                                     const wchar_t* before, const wchar_t* last, int& length) {
    int best = -1;
    const wchar_t* p = from;
    while (p < before) {
        int len = 0;
        const int at = Search(base, p, last, len);
        if (at < 0 || base + at >= before)
            break;
        best = at;
        length = len;
        // The next match that a forward scan would find.
        p = base + at + (len > 0 ? len : 1);
    }
    if (m_stopped)
        return -1;
    return best;
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
