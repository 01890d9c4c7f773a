// The characters of one document as UTF-16 code units, with lazily rebuilt line starts.
#pragma once

#include "editor/edit_position.h"
#include "framework/core/cstring.h"
#include "framework/core/object.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// A growable run of characters that always ends in one NUL. Inside, the characters keep a
// gap at the place of the last edit, so that edits close to each other move only the text
// between them; the gap moves out of the way whenever a run of characters is asked for.
class SECEditTextBlock : public CObject {
public:
    SECEditTextBlock();

    int GetSize() const { return GetTextLength() + 1; } // including the NUL
    int GetTextLength() const { return m_bufLength - 1 - GapLength(); }
    // The characters [from, to) as one run. It stays valid only until the next edit or the next
    // Span: asking for another run may move the gap over this one.
    const wchar_t* Span(int from, int to);
    // The characters [from, to) copied to `out`, the gap left where it is.
    void CopyOut(int from, int to, wchar_t* out) const;
    // A run wholly on one side of the gap, where it lies, or null for one that spans the gap.
    const wchar_t* RunAt(int from, int to) const {
        if (to <= m_gapStart)
            return m_buf.get() + from;
        return from >= m_gapStart ? m_buf.get() + from + GapLength() : nullptr;
    }
    // The index of the first `ch` in [from, to), or -1; the gap stays where it is.
    int FindChar(wchar_t ch, int from, int to) const;
    // The index of the first copy of text[0, n) that lies wholly in [from, to), or -1; the gap
    // stays where it is.
    int FindText(const wchar_t* text, int n, int from, int to) const;
    wchar_t At(int index) const { return m_buf[index < m_gapStart ? index : index + GapLength()]; }
    // Counts every change that may move characters in memory: a pointer from Span stays good
    // while the count stays the same.
    uint32_t GetMoves() const { return m_moves; }
    int Count(wchar_t ch, int from, int to) const;
    void InsertAt(int index, const wchar_t* text, int count);
    void RemoveAt(int index, int count);
    // Room for `count` more characters at the end without growing again.
    void Reserve(int count);
    // `count` characters appended at the end and left for the caller to fill.
    wchar_t* AppendSpace(int count);
    // Replaces the characters by `text`, whose last character is the NUL.
    void Assign(const wchar_t* text, int size);
    // The count of characters, then the characters (the NUL included).
    void Serialize(CArchive& ar) override;

    int32_t m_growBy = 32000;
    int32_t m_start = 0;

private:
    int GapLength() const { return m_gapEnd - m_gapStart; }
    void MoveGap(int to);
    void WidenGap(int count);

    // Before the gap, the gap, after the gap, the NUL. Grown without zero-filling: whatever
    // enters the gap is written before it is read.
    std::unique_ptr<wchar_t[]> m_buf;
    int m_bufLength = 1;
    int m_gapStart = 0;
    int m_gapEnd = 0;
    uint32_t m_moves = 0;
};

class SECEditLineBreaker;
class SECEditBoundedRegExp;
class CFile;

class SECEditTextStore {
public:
    SECEditTextStore();
    SECEditTextStore(const SECEditTextStore&) = delete;
    SECEditTextStore& operator=(const SECEditTextStore&) = delete;

    virtual int InsertText(SECEditRange& range, const wchar_t* text, int length);
    virtual BOOL DeleteText(const SECEditRange& range);
    virtual int GetLineCount() const { return m_lineCount; }
    virtual int GetLineLength(int line);
    virtual int GetLineTextLength(int line);
    virtual void SetLineTerminator(wchar_t ch) {
        m_lineTerminator = ch;
        ForgetLengths();
    }
    virtual wchar_t GetLineTerminator() const { return m_lineTerminator; }
    virtual void SetAltLineTerminator(wchar_t ch) {
        m_altLineTerminator = ch;
        ForgetLengths();
    }
    virtual wchar_t GetAltLineTerminator() const { return m_altLineTerminator; }
    virtual BOOL GetText(CString& out, int line1, int col1, int line2, int col2);
    // Like a Span of the block: the pointer lasts until the next edit or text access.
    virtual int GetTextPointer(const wchar_t** out, int line1, int col1, int line2, int col2);
    virtual BOOL Reset();
    virtual int PositionToOffset(int line, int column);
    virtual BOOL OffsetToPosition(int offset, int& line, int& column);
    virtual ~SECEditTextStore();
    virtual int Find(int startLine, int startColumn, int& outLine, int& outColumn,
                     const wchar_t* pattern, BOOL forward, BOOL wrap, BOOL matchCase,
                     BOOL wholeWord, BOOL regExp, int stopLine, int stopColumn);
    // Writes the text to an open file handle: UTF-16 with its byte-order mark, or 8-bit text
    // in the thread's ANSI code page. FALSE when a write or a conversion fails.
    virtual BOOL Save(HANDLE file, BOOL unicode);
    // The same into a framework file (a memory file, say); FALSE when writing fails.
    virtual BOOL Save(CFile* file, BOOL unicode);
    // Whether the last Save failed because the text holds characters that the 8-bit code
    // page cannot represent.
    BOOL WasLossy() const { return m_lossy; }
    virtual SECEditTextBlock** GetBlockSlot(int index);
    virtual SECEditTextBlock* GetBlock(int index);
    virtual int FindBlock(int offset, BOOL preferNext);
    virtual void InvalidateBlockStarts(int fromBlock);
    virtual BOOL IsWholeWord(int offset, int length);
    virtual BOOL WriteChunk(HANDLE file, int offset, int count, BOOL unicode);
    virtual BOOL WriteChunk(CFile* file, int offset, int count, BOOL unicode);
    virtual int InsertTextAt(SECEditRange& range, const wchar_t* text, int length);

    // The whole text as one run (the store keeps a single block) and its length.
    const wchar_t* Data() { return m_blocks[0]->Span(0, TextLength()); }
    // The characters [from, to) as one run; valid until the text or the next run is asked for.
    const wchar_t* Span(int from, int to) { return m_blocks[0]->Span(from, to); }
    int TextLength() const { return m_blocks[0]->GetTextLength(); }
    // Searches and single characters that leave the text where it is (no Span).
    int FindText(const wchar_t* text, int n, int from, int to) const {
        return m_blocks[0]->FindText(text, n, from, to);
    }
    wchar_t CharAt(int offset) const { return m_blocks[0]->At(offset); }
    // See SECEditTextBlock::GetMoves: whether a pointer into the text is still good.
    uint32_t GetTextMoves() const { return m_blocks[0]->GetMoves(); }
    // The line that holds the offset, searched forward from a line that starts at or before it:
    // a walk along the text asks for nearby lines again and again. -1 for an offset outside.
    int LineOfOffset(int offset, int fromLine);
    // Room for `count` more characters, asked for before a large file is read in.
    void Reserve(int count) { m_blocks[0]->Reserve(count); }
    // Room for `count` lines in all, asked for once a file's first part shows how long its
    // lines are: the line table then grows in one step instead of doubling its way there.
    void ReserveLines(int count);
    // Appends text at the end, as loading does: the line table grows as the line terminators
    // go by, and lines are broken where the breaker says, with `lineBreak` (the alternate
    // terminator, when there is one, and the terminator). Returns how many breaks were made.
    virtual int AppendLines(const wchar_t* text, int length, SECEditLineBreaker& breaker);
    // Whether the last Find gave up on a regular expression that needed more work than the text
    // justifies (its 0 then means "stopped", not "not found"), or was refused as invalid.
    BOOL WasSearchStopped() const { return m_searchStopped; }
    BOOL WasPatternInvalid() const { return m_patternInvalid; }
    // The engine regular-expression searches run on (null: one of their own each time), so
    // that every search of the editor compiles its pattern once.
    void SetRegExpEngine(SECEditBoundedRegExp* engine) { m_regExpEngine = engine; }
    // How many line starts were found by scanning the text again behind an edit, since the
    // store was made. An edit should cost the lines around it, not every line behind it once
    // more: this shows whether something asks for far lines after each edit.
    int64_t GetLinesRescanned() const { return m_linesRescanned; }
    // How many line starts were moved one by one behind edits inside a line: the lines
    // between one edit and the next, not the lines behind them.
    int64_t GetLinesShifted() const { return m_linesShifted; }

    static constexpr int kSliceLength = 256000;

private:
    using Sink = std::function<bool(const void*, DWORD)>;
    BOOL SaveTo(const Sink& write, BOOL unicode);
    BOOL WriteChunkTo(const Sink& write, int offset, int count, BOOL unicode);
    // Makes the starts of the lines up to `line` known; false for a line outside.
    bool ExtendLines(int line) {
        return line >= 0 && line < m_lineCount && (line < m_knownLines || ExtendLinesBehind(line));
    }
    bool ExtendLinesBehind(int line);
    int LineStart(int line) const {
        return line > m_shiftLine ? m_lines[line] + m_shift : m_lines[line];
    }
    // Stores a line's start as the table holds it, the shift owed behind m_shiftLine taken off.
    void SetLineStart(int line, int start) {
        m_lines[line] = line > m_shiftLine ? start - m_shift : start;
    }
    // An edit inside one line moved every known line behind it by `delta` characters.
    void ShiftLinesBehind(int line, int delta);
    // The first line in [low, high) that starts behind the offset, or high.
    int FirstLineAfter(int offset, int low, int high) const;
    // The offsets of a text range as GetText takes it: a line2 or col2 of -1 means to the end
    // of line1 with its terminators. False for a position outside the text.
    bool RangeOffsets(int line1, int col1, int line2, int col2, int& from, int& to);
    int LineEndWithTerminator(int line) {
        return line + 1 < m_lineCount && ExtendLines(line + 1) ? LineStart(line + 1) : TextLength();
    }
    int PlainFind(int from, int to, const wchar_t* pattern, int patternLength, BOOL forward,
                  BOOL matchCase, BOOL wholeWord);
    int RegExpFind(int from, int to, const wchar_t* pattern, BOOL forward, BOOL matchCase,
                   int& matchLength);
    int SearchSpan(int from, int to, const wchar_t* pattern, BOOL forward, BOOL matchCase,
                   BOOL wholeWord, BOOL regExp, int& matchLength);
    void MarkEdited(int line);
    void ForgetLengths() { m_lengths[0].line = m_lengths[1].line = -1; }
    // After a change of the characters [from, to): whether a carriage return there now stands
    // before something other than a line feed.
    void NoteCarriageReturns(int from, int to);
    void AppendLineStart(int start);
    void Append(const wchar_t* text, int count);

    std::vector<std::unique_ptr<SECEditTextBlock>> m_blocks;
    // The offset of each line's first character; entries from m_knownLines on are stale. A
    // line's length without terminators is measured when asked for: lines are short, and a
    // cached length would double what every line of a large file costs.
    std::vector<int32_t> m_lines;
    // Edits inside one line move the starts of all the lines behind it: the move is owed to
    // the known entries behind m_shiftLine as one amount, and settled only for the entries
    // between one edit and the next. Typing or a Replace All then costs the lines between
    // edits, and the lines behind need no search for their ends again.
    int32_t m_shiftLine = 0;
    int32_t m_shift = 0;
    // The last two lines measured: colouring asks for the length of a line again and again.
    struct KnownLength {
        int32_t line = -1;
        int32_t length = 0;
    };
    KnownLength m_lengths[2];
    int32_t m_nextLength = 0;
    // Every carriage return stands just before a line feed or at the very end: a line's
    // length without terminators then needs no search. Cleared for good by the first one
    // that does not, until Reset.
    bool m_crsEndLines = true;
    int32_t m_knownLines = 1;
    int32_t m_knownBlocks = 1;
    int32_t m_lineCount = 1;
    wchar_t m_lineTerminator = L'\n';
    wchar_t m_altLineTerminator = L'\r';
    BOOL m_searchStopped = FALSE;
    BOOL m_patternInvalid = FALSE;
    SECEditBoundedRegExp* m_regExpEngine = nullptr;
    BOOL m_lossy = FALSE;
    int64_t m_linesRescanned = 0;
    int64_t m_linesShifted = 0;
};
