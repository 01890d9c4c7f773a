// The text model's line questions, tab arithmetic, long-line splitting and per-line data.
#include "editor/edit_model.h"
#include "editor/fixed_pool.h"

#include <algorithm>
#include <string>

namespace {
int TabSizeOf(const SECEditLangConfig* config) {
    return config ? std::max(1, config->GetTabSize()) : 4;
}
} // namespace

int SECEditModel::GetLineTextLength(int line) {
    return m_store ? m_store->GetLineTextLength(line) : -1;
}

int SECEditModel::GetLinePointer(int line, CString& buffer, const wchar_t*& text) {
    const int length = GetLineTextLength(line);
    if (length < 0)
        return -1;
    // The whole line with its terminators: the same characters from one position less.
    if (m_store->GetTextPointer(&text, line, 0, -1, -1) < length || !text) {
        m_store->GetText(buffer, line, 0, line, length);
        text = buffer;
    }
    return length;
}

int SECEditModel::GetIndentLength(int line) {
    const wchar_t* text = nullptr;
    CString buffer;
    const int length = GetLinePointer(line, buffer, text);
    int n = 0;
    while (n < length && (text[n] == L' ' || text[n] == L'\t'))
        ++n;
    return n;
}

BOOL SECEditModel::IsLineBlank(int line) {
    const int length = GetLineTextLength(line);
    return length <= 0 || GetIndentLength(line) == length;
}

BOOL SECEditModel::IsValidPosition(int line, int column, BOOL allowAny) {
    if (allowAny)
        return TRUE;
    if (line < 0 || line >= GetLineCount() || column < 0)
        return FALSE;
    return GetLineTextLength(line) >= column;
}

int SECEditModel::ClampColumn(int line, int column, BOOL flag) {
    return IsValidPosition(line, column, flag) ? column : -1;
}

// ---- tabs and display columns ----

int SECEditModel::DisplayColumnOf(int value, int direction, const wchar_t* text, int length,
                                  int* snapped) {
    const int tab = TabSizeOf(m_langConfig);
    if (direction == 0) {
        const int index = std::max(0, std::min(value, length));
        int column = 0;
        for (int i = 0; i < index; ++i)
            column += text[i] == L'\t' ? tab - column % tab : 1;
        return column;
    }
    int column = 0;
    for (int i = 0; i < length; ++i) {
        const int width = text[i] == L'\t' ? tab - column % tab : 1;
        if (value < column + width) {
            if (snapped)
                *snapped = column;
            return i;
        }
        column += width;
    }
    if (snapped)
        *snapped = column;
    return length;
}

int SECEditModel::CharToDisplayColumn(int value, int direction, int line, int* snapped) {
    if (GetLineCount() == 0)
        return 0;
    line = std::max(0, std::min(line, GetLastLine()));
    const wchar_t* text = nullptr;
    CString buffer;
    const int length = GetLinePointer(line, buffer, text);
    return DisplayColumnOf(value, direction, text, std::max(0, length), snapped);
}

int SECEditModel::TabSpan(int line, int column) {
    const int tab = TabSizeOf(m_langConfig);
    return tab - CharToDisplayColumn(column, 0, line, nullptr) % tab;
}

BOOL SECEditModel::InsertTab(int line, int column) {
    if (m_langConfig && m_langConfig->GetReplaceTabs())
        return InsertTextAt(line, column, CString(L' ', TabSpan(line, column)));
    return InsertTextAt(line, column, L"\t");
}

void SECEditModel::MakeWhitespace(CString& out, int count, int line, int column,
                                  BOOL spacesAllowed) {
    out.Empty();
    if (count <= 0)
        return;
    const int span = TabSpan(line, column);
    const bool replace = m_langConfig && m_langConfig->GetReplaceTabs();
    if ((spacesAllowed && replace) || count < span) {
        out = CString(L' ', count);
        return;
    }
    const int tab = TabSizeOf(m_langConfig);
    const int rest = count - span;
    out = CString(L'\t', 1 + rest / tab);
    if (rest % tab)
        out += CString(L' ', rest % tab);
}

// ---- long lines ----

int SECEditModel::LineContent(int line, const wchar_t*& text) {
    text = nullptr;
    const int n = m_store->GetTextPointer(&text, line, 0, -1, -1);
    if (n <= 0 || !text)
        return 0;
    return text[n - 1] == m_store->GetLineTerminator() ? n - 1 : n;
}

int SECEditModel::LineCut(int line) {
    const wchar_t* text = nullptr;
    const int length = LineContent(line, text);
    SECEditLineBreaker breaker = CreateLineBreaker();
    return breaker.MayExceed(length) ? breaker.NextCut(text, 0, length) : -1;
}

bool SECEditModel::SplitsPair(int line, int column) {
    const wchar_t* text = nullptr;
    const int length = LineContent(line, text);
    return column > 0 && column < length && SECEditIsHighSurrogate(text[column - 1]) &&
           SECEditIsLowSurrogate(text[column]);
}

BOOL SECEditModel::InsertLineBreak(int line, int column, SECEditRange* range) {
    wchar_t br[3] = {};
    const wchar_t alt = m_store->GetAltLineTerminator();
    int n = 0;
    if (alt)
        br[n++] = alt;
    br[n++] = m_store->GetLineTerminator();
    if (!range) {
        SECEditRange at(line, column, line, column);
        return InsertText(at, br, n);
    }
    SECEditRange inserted(line, column, line, column);
    if (!m_store->InsertText(inserted, br, n))
        return FALSE;
    if (inserted.m_start < range->m_start)
        range->AdjustRange(inserted, TRUE);
    else
        SECEditRange::AdjustPosition(range->m_end, inserted, TRUE);
    return TRUE;
}

std::unique_ptr<SECEditTextStore> SECEditModel::BreakForInsert(int line, int column,
                                                               const wchar_t* text, int length) {
    SECEditLineBreaker breaker = CreateLineBreaker();
    const wchar_t* prefix = nullptr;
    if (!text || column < 0 || column > LineContent(line, prefix) ||
        !breaker.MayExceed(column + length))
        return nullptr;
    if (column > 0 && breaker.NextCut(prefix, 0, column) >= 0)
        return nullptr; // the line is too wide already: it is broken where it stands
    auto broken = std::make_unique<SECEditTextStore>();
    broken->Reset();
    broken->SetLineTerminator(m_store->GetLineTerminator());
    broken->SetAltLineTerminator(m_store->GetAltLineTerminator());
    broken->Reserve(length + length / 512 + 16);
    if (broken->AppendLines(text, length, breaker) == 0)
        return nullptr;
    return broken;
}

SECEditPosition SECEditModel::SplitInsertedLines(SECEditRange& range) {
    for (int line = range.m_start.m_line; line <= range.m_end.m_line; ++line) {
        int column = LineCut(line);
        if (column < 0)
            continue;
        if (line == range.m_end.m_line) {
            const int end = range.m_end.m_column;
            // A break behind the inserted text is no part of this edit.
            if (end <= 0 || end > column || SplitsPair(line, end))
                return SECEditPosition(line, column);
            column = end;
        }
        if (!InsertLineBreak(line, column, &range))
            break;
    }
    return SECEditPosition(-1, 0);
}

BOOL SECEditModel::SplitLongLines(BOOL doIt, int firstLine, int lastLine) {
    if (!m_store)
        return FALSE;
    const int count = GetLineCount();
    if (lastLine < 0 || lastLine >= count)
        lastLine = count - 1;
    int firstWide = -1;
    for (int line = std::max(0, firstLine); line <= lastLine && firstWide < 0; ++line)
        if (LineCut(line) >= 0)
            firstWide = line;
    if (firstWide < 0)
        return FALSE;
    if (!doIt)
        return TRUE;
    // One pass that rebuilds the text with every break in place: breaking one line at a
    // time moves the whole rest of the text once per break.
    std::unique_ptr<SECEditTextStore> old = std::move(m_store);
    const int from = old->PositionToOffset(firstWide, 0);
    const int length = old->TextLength();
    const int to = lastLine + 1 < count ? old->PositionToOffset(lastLine + 1, 0) : length;
    const wchar_t* all = old->Data();
    m_store = CreateStore();
    m_store->Reset();
    m_store->SetLineTerminator(old->GetLineTerminator());
    m_store->SetAltLineTerminator(old->GetAltLineTerminator());
    m_store->Reserve(length + length / 512 + 16);
    SECEditLineBreaker keep = SECEditLineBreaker::Unlimited();
    SECEditLineBreaker breaker = CreateLineBreaker();
    m_store->AppendLines(all, from, keep);
    m_store->AppendLines(all + from, to - from, breaker);
    m_store->AppendLines(all + to, length - to, keep);
    ClearUndo();
    m_modified = TRUE;
    ResizeLineArrays(GetLineCount());
    m_spans.RemoveAll();
    m_firstDirtyLine = 0;
    NotifyObservers(nullptr, nullptr);
    return TRUE;
}

// ---- per-line data ----

using LineDataPool = SECEditFixedPool<sizeof(SECEditLineData)>;

void* SECEditLineData::operator new(size_t size) {
    return LineDataPool::Take(size);
}

void SECEditLineData::operator delete(void* p, size_t size) {
    LineDataPool::Give(p, size);
}

SECEditLineData* SECEditModel::GetOrCreateLineData(int line) {
    if (line < 0 || line >= m_lineData.GetSize())
        return nullptr;
    if (SECEditLineData* data = m_lineData.Get(line))
        return data;
    return m_lineData.Set(line, std::make_unique<SECEditLineData>());
}

void SECEditModel::ClearLineData(int line) {
    const SECEditLineData* data = m_lineData.Get(line);
    if (data && data->IsEmpty())
        m_lineData.Take(line);
}

void SECEditModel::SetFlagQuietly(int line, int flag, BOOL on) {
    if (flag < 0 || flag > 31 || line < 0 || line >= m_lineData.GetSize())
        return;
    if (!on && !m_lineData.Get(line))
        return;
    SECEditLineData* data = GetOrCreateLineData(line);
    const uint32_t bit = 1u << flag;
    const bool was = (data->m_flags & bit) != 0;
    data->m_flags = on ? (data->m_flags | bit) : (data->m_flags & ~bit);
    if (flag == SECEDIT_FLAG_HIGHLIGHT && was != (on != FALSE))
        InvalidateColourLines(line, line);
    ClearLineData(line);
}

BOOL SECEditModel::GetLineFlag(int line, int flag) {
    if (flag < 0 || flag > 31)
        return FALSE;
    const SECEditLineData* data = m_lineData.Get(line);
    return data && (data->m_flags >> flag & 1u);
}

void SECEditModel::SetLineFlag(int line, int flag, BOOL on) {
    if (line < 0 || line >= GetLineCount())
        return;
    SetFlagQuietly(line, flag, on);
    NotifyHint(SECEDIT_HINT_GUTTER);
}

void SECEditModel::ToggleLineFlag(int line, int flag) {
    SetLineFlag(line, flag, !GetLineFlag(line, flag));
}

void SECEditModel::ClearFlagEverywhere(int flag) {
    // Walk the lines themselves: a search for flagged lines never looks at its own start.
    bool any = false;
    for (int line = m_lineData.NextFrom(0); line >= 0; line = m_lineData.NextFrom(line + 1))
        if (GetLineFlag(line, flag)) {
            SetFlagQuietly(line, flag, FALSE);
            any = true;
        }
    if (any)
        NotifyHint(SECEDIT_HINT_GUTTER);
}

int SECEditModel::FindFlaggedLine(int from, int flag, BOOL forward) {
    const int count = std::min(GetLineCount(), m_lineData.GetSize());
    if (m_lineData.GetCount() == 0 || from >= count || count <= 0)
        return -1;
    // One pass over every other line, then the start line itself. Any start before the first
    // line searches the whole text. Only lines with data can have the flag.
    const int start = from < -1 ? -1 : from;
    if (forward) {
        for (int line = m_lineData.NextFrom(start + 1); line >= 0 && line < count;
             line = m_lineData.NextFrom(line + 1))
            if (GetLineFlag(line, flag))
                return line;
        for (int line = m_lineData.NextFrom(0, start); line >= 0;
             line = m_lineData.NextFrom(line + 1, start))
            if (GetLineFlag(line, flag))
                return line;
        return -1;
    }
    const int behind = start < 0 ? count - 1 : start - 1;
    for (int line = m_lineData.PreviousFrom(behind); line >= 0;
         line = m_lineData.PreviousFrom(line - 1))
        if (GetLineFlag(line, flag))
            return line;
    for (int line = m_lineData.PreviousFrom(count - 1); line > behind && line >= 0;
         line = m_lineData.PreviousFrom(line - 1))
        if (GetLineFlag(line, flag))
            return line;
    return -1;
}

int SECEditModel::CountFlaggedLines(int flag) {
    if (flag < 0 || flag > 31)
        return 0;
    int n = 0;
    for (int line = m_lineData.NextFrom(0); line >= 0; line = m_lineData.NextFrom(line + 1))
        if (m_lineData.Get(line)->m_flags >> flag & 1u)
            ++n;
    return n;
}

int SECEditModel::GetLineValue(int line) {
    const SECEditLineData* data = m_lineData.Get(line);
    return data ? data->m_value : 0;
}

int SECEditModel::SetLineValue(int line, int value) {
    if (line < 0 || line >= GetLineCount() || line >= m_lineData.GetSize())
        return 0;
    if (!m_lineData.Get(line) && value == 0)
        return 0;
    SECEditLineData* data = GetOrCreateLineData(line);
    const int old = data->m_value;
    data->m_value = value;
    ClearLineData(line);
    return old;
}

void SECEditModel::InsertLineEntries(int line, int count, BOOL before) {
    if (count <= 0)
        return;
    const int size = m_lineData.GetSize();
    m_lineData.Insert(std::max(0, std::min(before ? line : line + 1, size)), count);
}

void SECEditModel::RemoveLineEntries(int first, int last) {
    first = std::max(0, first);
    last = std::min(last, m_lineData.GetSize() - 1);
    if (first > last)
        return;
    for (int i = m_lineData.NextFrom(first, last); i >= 0; i = m_lineData.NextFrom(i + 1, last))
        OnDeleteLineData(m_lineData.Get(i));
    m_lineData.Erase(first, last - first + 1);
}
