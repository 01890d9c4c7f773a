#include "editor/text_store.h"
#include "editor/line_breaker.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

SECEditTextBlock::SECEditTextBlock() : m_buf(new wchar_t[1]{L'\0'}) {}

void SECEditTextBlock::MoveGap(int to) {
    const int gap = GapLength();
    if (gap == 0) {
        m_gapStart = m_gapEnd = to;
        return;
    }
    if (to != m_gapStart)
        ++m_moves;
    wchar_t* b = m_buf.get();
    if (to < m_gapStart)
        std::wmemmove(b + to + gap, b + to, m_gapStart - to);
    else if (to > m_gapStart)
        std::wmemmove(b + m_gapStart, b + m_gapEnd, to - m_gapStart);
    m_gapStart = to;
    m_gapEnd = to + gap;
}

const wchar_t* SECEditTextBlock::Span(int from, int to) {
    if (from < m_gapStart && to > m_gapStart) {
        // Move the gap over the shorter side of the run.
        MoveGap(to - m_gapStart <= m_gapStart - from ? to : from);
    }
    return m_buf.get() + (from < m_gapStart ? from : from + GapLength());
}

void SECEditTextBlock::CopyOut(int from, int to, wchar_t* out) const {
    const wchar_t* b = m_buf.get();
    const int beforeEnd = std::min(to, m_gapStart);
    if (from < beforeEnd) {
        std::memcpy(out, b + from, (beforeEnd - from) * sizeof(wchar_t));
        out += beforeEnd - from;
    }
    const int afterStart = std::max(from, m_gapStart);
    if (afterStart < to)
        std::memcpy(out, b + afterStart + GapLength(), (to - afterStart) * sizeof(wchar_t));
}

int SECEditTextBlock::FindChar(wchar_t ch, int from, int to) const {
    const wchar_t* b = m_buf.get();
    const int beforeEnd = std::min(to, m_gapStart);
    if (from < beforeEnd) {
        const int p = SECEditFindChar(b, from, beforeEnd, ch);
        if (p >= 0)
            return p;
    }
    const int afterStart = std::max(from, m_gapStart);
    if (afterStart < to) {
        const int gap = GapLength();
        const int p = SECEditFindChar(b, afterStart + gap, to + gap, ch);
        if (p >= 0)
            return p - gap;
    }
    return -1;
}

int SECEditTextBlock::FindText(const wchar_t* text, int n, int from, int to) const {
    if (n <= 0 || to - from < n)
        return -1;
    const wchar_t* b = m_buf.get();
    // The copies wholly inside one run of characters, [low, high) read at b + shift.
    auto inRun = [&](int low, int high, int shift) {
        for (int p = low; p + n <= high;) {
            int q = n >= 2 ? SECEditFindPair(b, p + shift, high + shift, text[0], text[1])
                           : SECEditFindChar(b, p + shift, high + shift, text[0]);
            if (q < 0)
                return -1;
            q -= shift;
            if (q + n > high)
                return -1;
            if (n <= 2 || std::wmemcmp(b + q + shift + 2, text + 2, n - 2) == 0)
                return q;
            p = q + 1;
        }
        return -1;
    };
    const int beforeEnd = std::min(to, m_gapStart);
    if (from < beforeEnd) {
        const int p = inRun(from, beforeEnd, 0);
        if (p >= 0)
            return p;
    }
    // Copies that begin before the gap and end behind it.
    for (int p = std::max(from, m_gapStart - n + 1); p < m_gapStart && p + n <= to; ++p) {
        int k = 0;
        while (k < n && At(p + k) == text[k])
            ++k;
        if (k == n)
            return p;
    }
    const int afterStart = std::max(from, m_gapStart);
    return afterStart < to ? inRun(afterStart, to, GapLength()) : -1;
}

int SECEditTextBlock::Count(wchar_t ch, int from, int to) const {
    const wchar_t* b = m_buf.get();
    const int beforeEnd = std::min(to, m_gapStart);
    const int afterStart = std::max(from, m_gapStart);
    int n = 0;
    if (from < beforeEnd)
        n += static_cast<int>(std::count(b + from, b + beforeEnd, ch));
    if (afterStart < to)
        n += static_cast<int>(std::count(b + afterStart + GapLength(), b + to + GapLength(), ch));
    return n;
}

void SECEditTextBlock::WidenGap(int count) {
    if (GapLength() >= count)
        return;
    // Grow geometrically: loading appends chunk after chunk, and a fixed step would copy the
    // whole text again for every chunk.
    const int extra = std::max(count - GapLength(), std::max<int>(m_growBy, m_bufLength / 8));
    std::unique_ptr<wchar_t[]> grown(new wchar_t[static_cast<size_t>(m_bufLength) + extra]);
    std::wmemcpy(grown.get(), m_buf.get(), m_gapStart);
    std::wmemcpy(grown.get() + m_gapEnd + extra, m_buf.get() + m_gapEnd, m_bufLength - m_gapEnd);
    m_buf = std::move(grown);
    ++m_moves;
    m_bufLength += extra;
    m_gapEnd += extra;
}

void SECEditTextBlock::InsertAt(int index, const wchar_t* text, int count) {
    MoveGap(index);
    WidenGap(count);
    std::wmemcpy(m_buf.get() + m_gapStart, text, count);
    m_gapStart += count;
    ++m_moves;
}

void SECEditTextBlock::Reserve(int count) {
    MoveGap(GetTextLength());
    WidenGap(count);
}

wchar_t* SECEditTextBlock::AppendSpace(int count) {
    Reserve(count);
    wchar_t* at = m_buf.get() + m_gapStart;
    m_gapStart += count;
    return at;
}

void SECEditTextBlock::Assign(const wchar_t* text, int size) {
    std::unique_ptr<wchar_t[]> buf(new wchar_t[size]);
    std::wmemcpy(buf.get(), text, size);
    m_buf = std::move(buf);
    ++m_moves;
    m_bufLength = size;
    m_gapStart = m_gapEnd = size - 1;
}

void SECEditTextBlock::RemoveAt(int index, int count) {
    MoveGap(index);
    m_gapEnd += count;
    ++m_moves;
}

SECEditTextStore::SECEditTextStore() {
    Reset();
}

SECEditTextStore::~SECEditTextStore() = default;

BOOL SECEditTextStore::Reset() {
    m_blocks.clear();
    m_blocks.push_back(std::make_unique<SECEditTextBlock>());
    m_lines.assign(1, 0);
    m_lines.reserve(1000);
    m_shiftLine = 0;
    m_shift = 0;
    m_knownLines = 1;
    m_knownBlocks = 1;
    m_lineCount = 1;
    m_crsEndLines = true;
    ForgetLengths();
    m_lineTerminator = L'\n';
    m_altLineTerminator = L'\r';
    return TRUE;
}

SECEditTextBlock** SECEditTextStore::GetBlockSlot(int index) {
    if (index < 0 || index >= static_cast<int>(m_blocks.size()))
        return nullptr;
    GetBlock(index);
    // The slot is the address of the owning pointer's stored value.
    return reinterpret_cast<SECEditTextBlock**>(&m_blocks[index]);
}

SECEditTextBlock* SECEditTextStore::GetBlock(int index) {
    if (index < 0 || index >= static_cast<int>(m_blocks.size()))
        return nullptr;
    for (int i = std::max(1, static_cast<int>(m_knownBlocks)); i <= index; ++i)
        m_blocks[i]->m_start = m_blocks[i - 1]->m_start + m_blocks[i - 1]->GetSize() - 1;
    m_knownBlocks = std::max<int32_t>(m_knownBlocks, index + 1);
    return m_blocks[index].get();
}

int SECEditTextStore::FindBlock(int offset, BOOL preferNext) {
    const int count = static_cast<int>(m_blocks.size());
    for (int i = 0; i < count; ++i) {
        SECEditTextBlock* b = GetBlock(i);
        const int last = b->m_start + b->GetSize() - 1; // the NUL position
        if (offset >= b->m_start && offset <= last) {
            if (preferNext && offset == last && i + 1 < count)
                return i + 1;
            return i;
        }
    }
    return -1;
}

void SECEditTextStore::InvalidateBlockStarts(int fromBlock) {
    m_knownBlocks = std::max(1, fromBlock);
}

bool SECEditTextStore::ExtendLinesBehind(int line) {
    if (m_knownLines < 1)
        m_knownLines = 1;
    if (line < m_knownLines)
        return true;
    const SECEditTextBlock* block = m_blocks[0].get();
    const int length = TextLength();
    int from = LineStart(m_knownLines - 1);
    while (m_knownLines <= line) {
        const int p = block->FindChar(m_lineTerminator, from, length);
        if (p < 0)
            return false; // the line count and the text disagree
        from = p + 1;
        SetLineStart(m_knownLines, from);
        ++m_knownLines;
        ++m_linesRescanned;
    }
    return true;
}

int SECEditTextStore::PositionToOffset(int line, int column) {
    if (column < 0 || !ExtendLines(line))
        return -1;
    const int start = LineStart(line);
    if (column > 0 && column > LineEndWithTerminator(line) - start)
        return -1;
    return start + column;
}

BOOL SECEditTextStore::OffsetToPosition(int offset, int& line, int& column) {
    if (offset < 0 || offset > TextLength())
        return FALSE;
    if (m_lineCount == 1) {
        line = 0;
        column = offset;
        return TRUE;
    }
    // Extend the line table just far enough to cover the offset, in steps that double: an
    // offset just behind an edit needs a line or two, not a fixed stretch found again.
    for (int step = 1; m_knownLines < m_lineCount && LineStart(m_knownLines - 1) <= offset;
         step = std::min(step * 2, 4096))
        if (!ExtendLines(std::min<int>(m_lineCount - 1, m_knownLines - 1 + step)))
            return FALSE;
    line = FirstLineAfter(offset, 0, m_knownLines) - 1;
    column = offset - LineStart(line);
    return TRUE;
}

int SECEditTextStore::LineOfOffset(int offset, int fromLine) {
    if (offset < 0 || offset > TextLength())
        return -1;
    if (m_lineCount == 1)
        return 0;
    int low = std::max(0, std::min(fromLine, m_lineCount - 1));
    if (!ExtendLines(low) || LineStart(low) > offset) {
        int line = 0, column = 0;
        return OffsetToPosition(offset, line, column) ? line : -1;
    }
    // Steps that double until a line starts behind the offset, then halving between.
    int high = low + 1;
    for (int step = 1;; step *= 2) {
        high = low + step;
        if (high >= m_lineCount) {
            high = m_lineCount;
            if (!ExtendLines(m_lineCount - 1))
                return -1;
            break;
        }
        if (!ExtendLines(high))
            return -1;
        if (LineStart(high) > offset)
            break;
        low = high;
    }
    return FirstLineAfter(offset, low + 1, high) - 1;
}

int SECEditTextStore::FirstLineAfter(int offset, int low, int high) const {
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (LineStart(middle) > offset)
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

void SECEditTextStore::ShiftLinesBehind(int line, int delta) {
    const int lastKnown = m_knownLines - 1;
    if (delta == 0 || line >= lastKnown)
        return; // no known line behind it
    if (m_shift == 0 || m_shiftLine >= lastKnown) {
        m_shiftLine = line;
        m_shift = delta;
        return;
    }
    if (line >= m_shiftLine) {
        // Settle what the lines up to this one were owed; the rest owe the sum.
        for (int i = m_shiftLine + 1; i <= line; ++i)
            m_lines[i] += m_shift;
        m_linesShifted += line - m_shiftLine;
        m_shiftLine = line;
    } else {
        // The owed shift moves back to this line: the lines between owe it now as well, and
        // the next edit further up costs only the lines between the two.
        for (int i = line + 1; i <= m_shiftLine; ++i)
            m_lines[i] -= m_shift;
        m_linesShifted += m_shiftLine - line;
        m_shiftLine = line;
    }
    m_shift += delta;
}

int SECEditTextStore::GetLineLength(int line) {
    if (!ExtendLines(line))
        return -1;
    return LineEndWithTerminator(line) - LineStart(line);
}

int SECEditTextStore::GetLineTextLength(int line) {
    for (const KnownLength& known : m_lengths)
        if (known.line == line)
            return known.length;
    if (!ExtendLines(line))
        return -1;
    const int start = LineStart(line);
    int end = LineEndWithTerminator(line);
    if (line + 1 < m_lineCount)
        --end; // the line feed that ends it
    const SECEditTextBlock* block = m_blocks[0].get();
    if (m_altLineTerminator == L'\r' && m_lineTerminator == L'\n' && m_crsEndLines) {
        if (end > start && block->At(end - 1) == L'\r')
            --end;
    } else if (m_altLineTerminator) {
        const int alt = block->FindChar(m_altLineTerminator, start, end);
        if (alt >= 0)
            end = alt;
    }
    m_nextLength ^= 1;
    m_lengths[m_nextLength] = KnownLength{line, end - start};
    return end - start;
}

bool SECEditTextStore::RangeOffsets(int line1, int col1, int line2, int col2, int& from, int& to) {
    if (col1 == 0 && (line2 == -1 || col2 == -1)) {
        // A whole line, as copying lines out asks again and again: no column to check.
        if (!ExtendLines(line1))
            return false;
        from = LineStart(line1);
        to = LineEndWithTerminator(line1);
        return true;
    }
    from = PositionToOffset(line1, col1);
    to = line2 == -1 || col2 == -1 ? LineEndWithTerminator(line1) : PositionToOffset(line2, col2);
    if (from < 0 || to < 0)
        return false;
    if (to < from)
        std::swap(from, to);
    return true;
}

BOOL SECEditTextStore::GetText(CString& out, int line1, int col1, int line2, int col2) {
    int from = 0, to = 0;
    if (!RangeOffsets(line1, col1, line2, col2, from, to)) {
        out.Empty();
        return FALSE;
    }
    // Copied from where the characters lie: a run across the gap is copied in its two parts
    // rather than moving the gap (and with it perhaps much of the text) out of its way.
    const SECEditTextBlock* block = m_blocks[0].get();
    if (const wchar_t* run = block->RunAt(from, to))
        out.SetString(run, to - from);
    else
        block->CopyOut(from, to, out.GetBufferSetLength(to - from));
    return TRUE;
}

int SECEditTextStore::GetTextPointer(const wchar_t** out, int line1, int col1, int line2,
                                     int col2) {
    *out = nullptr;
    int from = 0, to = 0;
    if (!RangeOffsets(line1, col1, line2, col2, from, to))
        return -1;
    *out = Span(from, to);
    return to - from;
}

void SECEditTextStore::NoteCarriageReturns(int from, int to) {
    const SECEditTextBlock* block = m_blocks[0].get();
    const int length = TextLength();
    from = std::max(0, from);
    to = std::min(to, length);
    while (m_crsEndLines && from < to) {
        const int p = block->FindChar(L'\r', from, to);
        if (p < 0)
            break;
        if (p + 1 < length && block->At(p + 1) != L'\n')
            m_crsEndLines = false;
        from = p + 1;
    }
}

void SECEditTextStore::MarkEdited(int line) {
    // Lines behind the edited one are rebuilt on demand; the edited line starts where it did.
    m_knownLines = std::max(1, std::min<int>(m_knownLines, line + 1));
    if (m_shiftLine >= m_knownLines - 1)
        m_shift = 0; // nothing known is owed a shift any more
    ForgetLengths();
}

int SECEditTextStore::InsertTextAt(SECEditRange& range, const wchar_t* text, int length) {
    int line = range.m_start.m_line;
    int column = range.m_start.m_column;
    const int offset = PositionToOffset(line, column);
    if (offset < 0)
        return -1;
    // A column just behind a line's terminator names the next line's start.
    if (column > 0 && line + 1 < m_lineCount && offset == LineStart(line + 1)) {
        ++line;
        column = 0;
    }
    range.m_start = SECEditPosition(line, column);
    if (length < 0)
        length = text ? static_cast<int>(std::wcslen(text)) : 0;
    if (length == 0 || !text) {
        range.m_end = range.m_start;
        return 1;
    }
    const int block = FindBlock(offset, TRUE);
    SECEditTextBlock* b = GetBlock(block);
    b->InsertAt(offset - b->m_start, text, length);
    NoteCarriageReturns(offset - 1, offset + length);

    const int breaks = static_cast<int>(std::count(text, text + length, m_lineTerminator));
    int behindLast = 0;
    if (breaks > 0) {
        int last = length - 1;
        while (text[last] != m_lineTerminator)
            --last;
        behindLast = length - last - 1;
    }
    if (breaks > 0) {
        m_lineCount += breaks;
        if (static_cast<int>(m_lines.size()) < m_lineCount)
            m_lines.resize(m_lineCount + m_lineCount / 8 + 1000, 0);
        MarkEdited(line);
    } else {
        ShiftLinesBehind(line, length);
        ForgetLengths();
    }
    range.m_end = breaks == 0 ? SECEditPosition(line, column + length)
                              : SECEditPosition(line + breaks, behindLast);
    InvalidateBlockStarts(block);
    return 1;
}

void SECEditTextStore::Append(const wchar_t* text, int count) {
    if (count > 0)
        std::wmemcpy(m_blocks.back()->AppendSpace(count), text, count);
}

void SECEditTextStore::AppendLineStart(int start) {
    if (static_cast<int>(m_lines.size()) <= m_lineCount)
        m_lines.push_back(0);
    SetLineStart(m_lineCount, start);
    m_knownLines = ++m_lineCount;
}

void SECEditTextStore::ReserveLines(int count) {
    if (count > static_cast<int>(m_lines.capacity()))
        m_lines.reserve(count);
}

int SECEditTextStore::AppendLines(const wchar_t* text, int length, SECEditLineBreaker& breaker) {
    if (length <= 0)
        return 0;
    // New line starts go behind the last one, so every earlier one has to be known.
    ExtendLines(m_lineCount - 1);
    const int oldLength = TextLength();
    m_knownBlocks = 1;
    MarkEdited(m_lineCount - 1);
    m_knownLines = m_lineCount;
    wchar_t lineBreak[2] = {m_altLineTerminator, m_lineTerminator};
    const int breakLength = m_altLineTerminator ? 2 : 1;
    const wchar_t* br = lineBreak + 2 - breakLength;
    // Text goes into the block in as few pieces as the breaks allow; line starts are counted
    // from where the text will stand.
    int added = TextLength(); // where text[0] lands, moved on by every break
    int pending = 0;          // the first character not yet in the block
    int breaks = 0;
    for (int from = 0; from < length;) {
        const int feed = SECEditFindChar(text, from, length, m_lineTerminator);
        const int end = feed < 0 ? length : feed;
        // A piece that cannot reach the limit is not measured, unless the line goes on in
        // the next text appended and its column is needed there.
        if (feed < 0 || breaker.MayExceed(end - from)) {
            for (int cut; (cut = breaker.NextCut(text, from, end)) >= 0; from = cut) {
                Append(text + pending, cut - pending);
                Append(br, breakLength);
                pending = cut;
                added += breakLength;
                AppendLineStart(added + cut);
                breaker.NewLine();
                ++breaks;
            }
        }
        if (feed < 0)
            break;
        AppendLineStart(added + feed + 1);
        breaker.NewLine();
        from = feed + 1;
    }
    Append(text + pending, length - pending);
    NoteCarriageReturns(oldLength - 1, TextLength());
    return breaks;
}

int SECEditTextStore::InsertText(SECEditRange& range, const wchar_t* text, int length) {
    const int result = InsertTextAt(range, text, length);
    if (result != 1)
        return FALSE; // nothing was inserted: never report it as done
    return range.IsOrdered();
}

BOOL SECEditTextStore::DeleteText(const SECEditRange& range) {
    const SECEditRange r = range.Normalized();
    const int from = PositionToOffset(r.m_start.m_line, r.m_start.m_column);
    const int to = PositionToOffset(r.m_end.m_line, r.m_end.m_column);
    if (from < 0 || to < 0)
        return FALSE;
    if (from == to)
        return TRUE;
    const int block = FindBlock(from, FALSE);
    SECEditTextBlock* b = GetBlock(block);
    // Count the breaks that go rather than trusting the range's lines: a column just behind a
    // terminator names the same place as the next line's start.
    const int breaks = b->Count(m_lineTerminator, from - b->m_start, to - b->m_start);
    int startLine = 0, startColumn = 0;
    OffsetToPosition(from, startLine, startColumn);
    b->RemoveAt(from - b->m_start, to - from);
    NoteCarriageReturns(from - 1, from);
    if (b->GetSize() == 1 && (block != 0 || m_blocks.size() >= 2))
        m_blocks.erase(m_blocks.begin() + block);
    InvalidateBlockStarts(block);
    m_lineCount -= breaks;
    if (breaks > 0) {
        MarkEdited(startLine);
    } else {
        ShiftLinesBehind(startLine, from - to);
        ForgetLengths();
    }
    return TRUE;
}

BOOL SECEditTextStore::IsWholeWord(int offset, int length) {
    static const wchar_t kDelimiters[] = L"\t \\\"'`~-=!@#$%^&*()_+[]{}|;:.,<>/?";
    auto isDelimiter = [](wchar_t c) { return c != 0 && std::wcschr(kDelimiters, c) != nullptr; };
    int line = 0, column = 0;
    if (!OffsetToPosition(offset, line, column))
        return FALSE;
    // Single characters: a search holding a run of the text keeps it valid.
    const int lineLength = GetLineTextLength(line);
    const bool left = column == 0 || isDelimiter(CharAt(offset - 1));
    const bool right = column + length >= lineLength || isDelimiter(CharAt(offset + length));
    return left && right;
}
