// Places in the text: positions, ranges, the selection and the sorted spans of multi-line
// constructs. Lines and columns are 0-based and count UTF-16 code units.
#pragma once

#include <windows.h>

class CArchive;

#include <cstdint>
#include <deque>
#include <vector>

class SECEditPosition {
public:
    SECEditPosition() = default;
    SECEditPosition(int line, int column) : m_line(line), m_column(column) {}
    SECEditPosition(const SECEditPosition&) = default;
    SECEditPosition& operator=(const SECEditPosition&) = default;
    virtual ~SECEditPosition() = default;

    bool operator<(const SECEditPosition& o) const {
        return m_line < o.m_line || (m_line == o.m_line && m_column < o.m_column);
    }
    bool operator>(const SECEditPosition& o) const { return o < *this; }
    bool operator==(const SECEditPosition& o) const {
        return m_line == o.m_line && m_column == o.m_column;
    }
    bool operator!=(const SECEditPosition& o) const { return !(*this == o); }
    bool operator<=(const SECEditPosition& o) const { return !(o < *this); }
    bool operator>=(const SECEditPosition& o) const { return !(*this < o); }

    int32_t m_line = 0;
    int32_t m_column = 0;
};

class SECEditRange {
public:
    SECEditRange() = default;
    SECEditRange(int startLine, int startColumn, int endLine, int endColumn)
        : m_start(startLine, startColumn), m_end(endLine, endColumn) {}
    SECEditRange(const SECEditPosition& start, const SECEditPosition& end)
        : m_start(start), m_end(end) {}
    SECEditRange(const SECEditRange&) = default;
    SECEditRange& operator=(const SECEditRange&) = default;
    virtual ~SECEditRange() = default;

    void SetStart(int line, int column) { m_start = SECEditPosition(line, column); }
    void SetEnd(int line, int column) { m_end = SECEditPosition(line, column); }

    SECEditRange Normalized() const;
    BOOL IsOrdered() const { return m_start <= m_end; }
    BOOL EndsBefore(const SECEditRange& other) const;
    BOOL EndsAfter(const SECEditRange& other) const;
    bool operator==(const SECEditRange& other) const;
    bool operator!=(const SECEditRange& other) const { return !(*this == other); }
    BOOL Contains(const SECEditPosition& pos) const;
    BOOL Intersects(const SECEditRange& other) const;

    // Moves a position over an edit of `edit` (inserted: the edit's text was just inserted;
    // otherwise it was just deleted). Returns whether the position moved.
    static BOOL AdjustPosition(SECEditPosition& pos, const SECEditRange& edit, BOOL inserted);
    BOOL AdjustRange(const SECEditRange& edit, BOOL inserted);

    SECEditPosition m_start;
    SECEditPosition m_end;
};

class SECEditSelection : public SECEditRange {
public:
    enum { modeStream = 1, modeLine = 2, modeBlock = 3, modeBlockDrag = 4 };

    SECEditSelection() = default;

    void Clear();
    void SetMode(int mode) { m_mode = mode; }
    void GetStart(int& line, int& column) const;
    void GetEnd(int& line, int& column) const;
    void GetFirst(int& line, int& column) const;
    void GetLast(int& line, int& column) const;
    BOOL HasSelection() const { return m_start != m_end || m_mode == modeLine; }
    void SetCaret(int line, int column, int mode);
    void Set(int startLine, int startColumn, int endLine, int endColumn, int mode);
    // Moves the caret side; reports the lines between the old and the new end for repainting.
    BOOL ExtendTo(int line, int column, int* firstLine, int* lastLine);

    int32_t m_mode = modeStream;
};

class SECEditSpan : public SECEditRange {
public:
    SECEditSpan() = default;
    SECEditSpan(const SECEditRange& range, int group) : SECEditRange(range), m_group(group) {}

    int32_t m_group = -1;
};

// Spans kept in ascending order of their end positions.
class SECEditSpanList {
public:
    int GetSize() const { return static_cast<int>(m_spans.size()); }
    const SECEditSpan& GetAt(int index) const { return m_spans[index]; }
    SECEditSpan& operator[](int index) { return m_spans[index]; }
    void RemoveAt(int index, int count = 1);
    void RemoveAll() { m_spans.clear(); }

    void InsertSorted(const SECEditSpan& span);
    // The index of the first span whose end lies at or after the position (the list's size
    // when none does), found by halving.
    int FirstEndingAtOrAfter(const SECEditPosition& pos) const;
    // Whether an equal span is in the list.
    bool Holds(const SECEditSpan& span) const;
    void SetAt(int index, const SECEditSpan& span) { m_spans[index] = span; }
    void InsertAt(int index, const SECEditSpan& span, int count = 1);
    void FindOverlapping(const SECEditRange& range, int& first, int& last) const;
    int FindByLine(int line) const;
    void AdjustAll(const SECEditRange& edit, BOOL inserted);
    // The count, then each span's start, end and group.
    void Serialize(CArchive& ar);

private:
    // In blocks: the scan of a large file adds a span for every comment above the line asked
    // for, and a single array would copy all of them again each time it grew.
    std::deque<SECEditSpan> m_spans;
};
