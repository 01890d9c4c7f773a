// Regular expressions run in this process by Boost.Regex, in the ECMAScript dialect that the
// automation object also speaks. Every search has a budget of matcher steps that grows with the
// text; a pattern that backtracks past it ends the search as "stopped", never as a hang.
#pragma once

#include "editor/regexp.h"

#include <memory>

class SECEditSearchInterrupt;

class SECEditBoundedRegExp : public SECEditRegExp {
public:
    SECEditBoundedRegExp();
    ~SECEditBoundedRegExp() override;
    SECEditBoundedRegExp(const SECEditBoundedRegExp&) = delete;
    SECEditBoundedRegExp& operator=(const SECEditBoundedRegExp&) = delete;

    BOOL Create() override { return TRUE; }
    CString GetPattern() override { return m_pattern; }
    void SetPattern(const wchar_t* pattern) override;
    BOOL GetIgnoreCase() override { return m_ignoreCase; }
    void SetIgnoreCase(BOOL ignore) override;
    void SetGlobal(BOOL global) override { m_global = global; }
    BOOL Find(const CString& text, int& start, int& length, CString& matched) override;
    BOOL Find(const CString& text, int& start, int& length) override;
    BOOL Replace(CString& text, const CString& replacement, BOOL global) override;
    BOOL IsPatternInvalid() const override { return m_invalid; }
    BOOL WasStopped() const override { return m_stopped; }
    // Asked between the pieces of a search whether the user wants it stopped (null: never);
    // a search stopped that way has WasStopped set as well.
    void SetInterrupt(SECEditSearchInterrupt* interrupt) { m_interrupt = interrupt; }

    // The first match in [from, last) of the text that begins at `base` (anchors and word
    // boundaries see the characters before `from`). Its offset from `base`, or -1. The text is
    // first searched in windows of `window` characters (0: as many as the matcher's budget
    // suits for the pattern), each with a budget of its own: a pattern that backtracks without
    // end is stopped within the first window, not after a budget for the whole text.
    int Search(const wchar_t* base, const wchar_t* from, const wchar_t* last, int& length,
               int window = 0);
    // The last non-empty match that starts at or after `from` and ends at or before `before`,
    // of those a forward scan of each line meets; the text is read as if it stopped at `before`
    // (though "$" still means its real end, `last`). Windows before `before` are searched, from
    // `window` characters growing fourfold towards `from`, so dense matches cost little and
    // sparse ones a linear scan. Its offset from `base`, or -1.
    int SearchLast(const wchar_t* base, const wchar_t* from, const wchar_t* before,
                   const wchar_t* last, int& length, int window = 4096);

private:
    struct Compiled;
    bool Compile();
    // Whether the user stopped the search; it then counts as stopped.
    bool Interrupted();
    int LastIn(const wchar_t* base, const wchar_t* from, const wchar_t* before, bool textEnds,
               int& length);

    CString m_pattern;
    BOOL m_ignoreCase = FALSE;
    BOOL m_global = FALSE;
    BOOL m_invalid = FALSE;
    BOOL m_stopped = FALSE;
    std::unique_ptr<Compiled> m_compiled; // null until needed, and after a change
    SECEditSearchInterrupt* m_interrupt = nullptr;
};
