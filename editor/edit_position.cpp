#include "editor/edit_position.h"

#include <algorithm>

SECEditRange SECEditRange::Normalized() const {
    return m_end < m_start ? SECEditRange(m_end, m_start) : *this;
}

BOOL SECEditRange::EndsBefore(const SECEditRange& other) const {
    return Normalized().m_end < other.Normalized().m_start;
}

BOOL SECEditRange::EndsAfter(const SECEditRange& other) const {
    return Normalized().m_end > other.Normalized().m_end;
}

bool SECEditRange::operator==(const SECEditRange& other) const {
    SECEditRange a = Normalized(), b = other.Normalized();
    return a.m_start == b.m_start && a.m_end == b.m_end;
}

BOOL SECEditRange::Contains(const SECEditPosition& pos) const {
    SECEditRange n = Normalized();
    return n.m_start <= pos && pos <= n.m_end;
}

BOOL SECEditRange::Intersects(const SECEditRange& other) const {
    if (other.m_end.m_line < 1 && other.m_end.m_column < 1)
        return Contains(other.m_start);
    return Contains(other.m_start) || Contains(other.m_end) || other.Contains(m_start) ||
           other.Contains(m_end);
}

BOOL SECEditRange::AdjustPosition(SECEditPosition& pos, const SECEditRange& edit, BOOL inserted) {
    const SECEditRange n = edit.Normalized();
    const SECEditPosition& s = n.m_start;
    const SECEditPosition& e = n.m_end;
    if (pos < s)
        return FALSE;
    if (inserted) {
        if (pos.m_line == s.m_line)
            pos.m_column += e.m_column - s.m_column;
        pos.m_line = pos.m_line - s.m_line + e.m_line;
        return TRUE;
    }
    if (pos == s)
        return FALSE;
    if (pos <= e) {
        pos = s;
        return TRUE;
    }
    if (pos.m_line == e.m_line)
        pos.m_column = pos.m_column - e.m_column + s.m_column;
    pos.m_line = pos.m_line - e.m_line + s.m_line;
    return TRUE;
}

BOOL SECEditRange::AdjustRange(const SECEditRange& edit, BOOL inserted) {
    BOOL a = AdjustPosition(m_start, edit, inserted);
    BOOL b = AdjustPosition(m_end, edit, inserted);
    return a || b;
}

void SECEditSelection::Clear() {
    m_start = m_end = SECEditPosition();
    m_mode = modeStream;
}

void SECEditSelection::GetStart(int& line, int& column) const {
    line = m_start.m_line;
    column = m_start.m_column;
}

void SECEditSelection::GetEnd(int& line, int& column) const {
    line = m_end.m_line;
    column = m_end.m_column;
}

void SECEditSelection::GetFirst(int& line, int& column) const {
    const SECEditPosition& p = std::min(m_start, m_end);
    line = p.m_line;
    column = p.m_column;
}

void SECEditSelection::GetLast(int& line, int& column) const {
    const SECEditPosition& p = std::max(m_start, m_end);
    line = p.m_line;
    column = p.m_column;
}

void SECEditSelection::SetCaret(int line, int column, int mode) {
    Set(line, column, line, column, mode);
}

void SECEditSelection::Set(int startLine, int startColumn, int endLine, int endColumn, int mode) {
    Clear();
    m_start = SECEditPosition(startLine, startColumn);
    m_end = SECEditPosition(endLine, endColumn);
    m_mode = mode;
}

BOOL SECEditSelection::ExtendTo(int line, int column, int* firstLine, int* lastLine) {
    const int oldLine = m_end.m_line;
    m_end = SECEditPosition(line, column);
    if (firstLine && lastLine) {
        *firstLine = std::min(oldLine, line);
        *lastLine = std::max(oldLine, line);
    }
    return m_start != m_end;
}

void SECEditSpanList::RemoveAt(int index, int count) {
    m_spans.erase(m_spans.begin() + index, m_spans.begin() + index + count);
}

void SECEditSpanList::InsertSorted(const SECEditSpan& span) {
    int i = GetSize() - 1;
    while (i >= 0 && !(m_spans[i].m_end < span.m_end))
        --i;
    m_spans.insert(m_spans.begin() + (i + 1), span);
}

int SECEditSpanList::FirstEndingAtOrAfter(const SECEditPosition& pos) const {
    // Colouring line after line asks about lines behind every span found so far.
    if (m_spans.empty() || m_spans.back().m_end < pos)
        return GetSize();
    auto it = std::lower_bound(
        m_spans.begin(), m_spans.end(), pos,
        [](const SECEditSpan& s, const SECEditPosition& p) { return s.m_end < p; });
    return static_cast<int>(it - m_spans.begin());
}

bool SECEditSpanList::Holds(const SECEditSpan& span) const {
    if (m_spans.empty() || m_spans.back().m_end < span.m_end)
        return false; // the usual case: a span found behind every known one
    for (int i = FirstEndingAtOrAfter(span.m_end); i < GetSize() && m_spans[i].m_end == span.m_end;
         ++i)
        if (m_spans[i].m_start == span.m_start && m_spans[i].m_group == span.m_group)
            return true;
    return false;
}

void SECEditSpanList::InsertAt(int index, const SECEditSpan& span, int count) {
    m_spans.insert(m_spans.begin() + index, count, span);
}

void SECEditSpanList::FindOverlapping(const SECEditRange& range, int& first, int& last) const {
    const SECEditRange r = range.Normalized();
    first = last = -1;
    for (int i = 0; i < GetSize(); ++i) {
        const SECEditRange s = m_spans[i].Normalized();
        if (s.m_start <= r.m_end && s.m_end >= r.m_start) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
}

int SECEditSpanList::FindByLine(int line) const {
    for (int i = 0; i < GetSize(); ++i)
        if (m_spans[i].m_start.m_line == line || m_spans[i].m_end.m_line == line)
            return i;
    return -1;
}

void SECEditSpanList::AdjustAll(const SECEditRange& edit, BOOL inserted) {
    for (SECEditSpan& s : m_spans)
        s.AdjustRange(edit, inserted);
}
