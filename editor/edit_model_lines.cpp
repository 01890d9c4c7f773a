// The text model's line questions, tab arithmetic, long-line splitting and per-line data.
#include "editor/edit_model.h"

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
    if (m_store->GetTextPointer(&text, line, 0, line, length) < 0 || !text) {
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

int SECEditModel::DisplayWidth(int line) {
    const wchar_t* text = nullptr;
    CString buffer;
    const int length = GetLinePointer(line, buffer, text);
    return length <= 0 ? 0 : DisplayColumnOf(length, 0, text, length, nullptr);
}

int SECEditModel::SplitColumn(int line) {
    return CharToDisplayColumn(m_maxLineColumns, 1, line, nullptr);
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

void SECEditModel::SplitInsertedLines(SECEditRange& range) {
    const int tab = TabSizeOf(m_langConfig);
    for (int line = range.m_start.m_line; line <= range.m_end.m_line; ++line) {
        const int length = GetLineTextLength(line);
        if (static_cast<long long>(length) * tab <= m_maxLineColumns ||
            DisplayWidth(line) <= m_maxLineColumns)
            continue;
        int column = SplitColumn(line);
        if (line == range.m_end.m_line && range.m_end.m_column <= column &&
            range.m_end.m_column > 0)
            column = range.m_end.m_column;
        if (column <= 0 || !InsertLineBreak(line, column, &range))
            break;
    }
}

BOOL SECEditModel::SplitLongLines(BOOL doIt, int firstLine, int lastLine) {
    if (!m_store)
        return FALSE;
    const int tab = TabSizeOf(m_langConfig);
    const int count = GetLineCount();
    if (lastLine < 0 || lastLine >= count)
        lastLine = count - 1;
    auto tooWide = [&](int line) {
        const int length = GetLineTextLength(line);
        return static_cast<long long>(length) * tab > m_maxLineColumns &&
               DisplayWidth(line) > m_maxLineColumns;
    };
    // One quick pass over the text tells whether any line can be too wide at all.
    if (firstLine <= 0 && lastLine >= count - 1 &&
        static_cast<long long>(m_store->LongestLine()) * tab <= m_maxLineColumns)
        return FALSE;
    int firstWide = -1;
    for (int line = std::max(0, firstLine); line <= lastLine && firstWide < 0; ++line)
        if (tooWide(line))
            firstWide = line;
    if (firstWide < 0)
        return FALSE;
    if (!doIt)
        return TRUE;
    // One pass that rebuilds the text with every break in place: breaking one line at a
    // time moves the whole rest of the text once per break.
    std::wstring br;
    if (m_store->GetAltLineTerminator())
        br.push_back(m_store->GetAltLineTerminator());
    br.push_back(m_store->GetLineTerminator());
    std::wstring text;
    text.reserve(m_store->TextLength() + m_store->TextLength() / 1000 + 16);
    const int firstOffset = m_store->PositionToOffset(firstWide, 0);
    text.append(m_store->Data(), m_store->Data() + firstOffset);
    for (int line = firstWide; line < count; ++line) {
        const wchar_t* all = m_store->Data(); // the gap stays behind the text: cheap
        const int start = m_store->PositionToOffset(line, 0);
        const int length = GetLineTextLength(line);
        const int full = GetLineLength(line);
        int done = 0;
        if (line <= lastLine && tooWide(line)) {
            while (true) {
                const wchar_t* rest = all + start + done;
                const int restLength = length - done;
                if (DisplayColumnOf(restLength, 0, rest, restLength, nullptr) <= m_maxLineColumns)
                    break;
                const int cut = DisplayColumnOf(m_maxLineColumns, 1, rest, restLength, nullptr);
                if (cut <= 0)
                    break;
                text.append(rest, rest + cut);
                text += br;
                done += cut;
            }
        }
        text.append(all + start + done, all + start + full);
    }
    m_splitting = TRUE;
    m_store = CreateStore();
    m_store->Reset();
    SECEditRange range;
    const BOOL ok = m_store->InsertText(range, text.data(), static_cast<int>(text.size()));
    m_splitting = FALSE;
    ClearUndo();
    m_modified = TRUE;
    ResizeLineArrays(GetLineCount());
    m_spans.RemoveAll();
    m_firstDirtyLine = 0;
    NotifyObservers(nullptr, nullptr);
    return ok;
}

// ---- per-line data ----

SECEditLineData* SECEditModel::GetOrCreateLineData(int line) {
    if (line < 0 || line >= static_cast<int>(m_lineData.size()))
        return nullptr;
    if (!m_lineData[line]) {
        auto data = std::make_unique<SECEditLineData>();
        m_lineData[line] = data.get();
        m_lineDataSet.emplace(data.get(), std::move(data));
    }
    return m_lineData[line];
}

void SECEditModel::ClearLineData(int line) {
    if (line < 0 || line >= static_cast<int>(m_lineData.size()))
        return;
    SECEditLineData* data = m_lineData[line];
    if (data && data->IsEmpty()) {
        m_lineData[line] = nullptr;
        m_lineDataSet.erase(data);
    }
}

void SECEditModel::SetFlagQuietly(int line, int flag, BOOL on) {
    if (flag < 0 || flag > 31 || line < 0 || line >= static_cast<int>(m_lineData.size()))
        return;
    if (!on && !m_lineData[line])
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
    if (flag < 0 || flag > 31 || line < 0 || line >= static_cast<int>(m_lineData.size()))
        return FALSE;
    const SECEditLineData* data = m_lineData[line];
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
    for (int line = 0; line < static_cast<int>(m_lineData.size()); ++line)
        if (GetLineFlag(line, flag)) {
            SetFlagQuietly(line, flag, FALSE);
            any = true;
        }
    if (any)
        NotifyHint(SECEDIT_HINT_GUTTER);
}

int SECEditModel::FindFlaggedLine(int from, int flag, BOOL forward) {
    const int count = GetLineCount();
    if (m_lineDataSet.empty() || from >= count || count <= 0)
        return -1;
    // One pass over every other line, then the start line itself. Any start before the first
    // line searches the whole text.
    int line = from < -1 ? -1 : from;
    for (int step = 0; step < count; ++step) {
        line = forward ? (line + 1 >= count ? 0 : line + 1) : (line - 1 < 0 ? count - 1 : line - 1);
        if (GetLineFlag(line, flag))
            return line;
    }
    return -1;
}

int SECEditModel::CountFlaggedLines(int flag) {
    if (flag < 0 || flag > 31)
        return 0;
    int n = 0;
    for (const auto& entry : m_lineDataSet)
        if (entry.first->m_flags >> flag & 1u)
            ++n;
    return n;
}

int SECEditModel::GetLineValue(int line) {
    if (line < 0 || line >= static_cast<int>(m_lineData.size()) || !m_lineData[line])
        return 0;
    return m_lineData[line]->m_value;
}

int SECEditModel::SetLineValue(int line, int value) {
    if (line < 0 || line >= GetLineCount() || line >= static_cast<int>(m_lineData.size()))
        return 0;
    if (!m_lineData[line] && value == 0)
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
    const int size = static_cast<int>(m_lineData.size());
    const int at = std::max(0, std::min(before ? line : line + 1, size));
    m_lineData.insert(m_lineData.begin() + at, count, nullptr);
}

void SECEditModel::RemoveLineEntries(int first, int last) {
    const int size = static_cast<int>(m_lineData.size());
    first = std::max(0, first);
    last = std::min(last, size - 1);
    if (first > last)
        return;
    for (int i = first; i <= last; ++i)
        if (SECEditLineData* data = m_lineData[i]) {
            OnDeleteLineData(data);
            m_lineDataSet.erase(data);
        }
    m_lineData.erase(m_lineData.begin() + first, m_lineData.begin() + last + 1);
}
