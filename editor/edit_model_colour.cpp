// Syntax colouring: lines are split into runs of colour groups on demand and cached.
#include "editor/edit_model.h"

#include <algorithm>
#include <cwchar>

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

// The end of the token that starts at text (see the class rules of the configuration).
int NextTokenEnd(const SECEditLangConfig* config, const wchar_t* text, int remaining) {
    if (remaining <= 0)
        return 0;
    int i = 0;
    if (IsBlank(text[0])) {
        while (i < remaining && IsBlank(text[i]))
            ++i;
        return i;
    }
    auto in = [config](wchar_t c, int cls) { return config->IsCharInClass(c, cls) != FALSE; };
    const bool word = !in(text[0], SECEDIT_DELIMITERS) || in(text[0], SECEDIT_KWSTART);
    if (word) {
        i = 1;
        while (i < remaining && ((!IsBlank(text[i]) && !in(text[i], SECEDIT_DELIMITERS)) ||
                                 in(text[i], SECEDIT_KWMIDDLE)))
            ++i;
    } else {
        while (i < remaining && in(text[i], SECEDIT_KWMIDDLE))
            ++i;
    }
    if (i < remaining && in(text[i], SECEDIT_KWEND))
        ++i;
    return i;
}

} // namespace

void SECEditModel::FlushPlain() {
    if (m_pendingPlain > 0 && m_building) {
        m_building->Add(m_pendingPlain, m_langConfig->GetDefaultGroupIndex(SECEDIT_GROUP_TEXT));
    }
    m_pendingPlain = 0;
}

int SECEditModel::LookupKeyword(const wchar_t* text, int length, int& group) {
    return m_langConfig ? m_langConfig->ClassifyWord(text, length, group) : 0;
}

SECEditTag* SECEditModel::FindBeginTag(const wchar_t* text, int length) {
    return m_langConfig ? m_langConfig->FindTag(text, length, 0, 2) : nullptr;
}

int SECEditModel::ScanKeyword(const wchar_t* token, int length) {
    int group = 0;
    const int n = LookupKeyword(token, length, group);
    if (n <= 0)
        return 0;
    FlushPlain();
    m_building->Add(n, group);
    return n;
}

int SECEditModel::ScanOperator(const wchar_t* token, int length) {
    if (length <= 0 || !m_langConfig->IsCharInClass(token[0], SECEDIT_OPERATORS))
        return 0;
    FlushPlain();
    m_building->Add(1, m_langConfig->GetDefaultGroupIndex(SECEDIT_GROUP_OPERATOR));
    return 1;
}

int SECEditModel::ScanTag(int line, const wchar_t* text, int column, int lineLength) {
    SECEditTag* tag = FindBeginTag(text + column, lineLength - column);
    if (!tag)
        return 0;
    return tag->m_multiLine ? StartMultiLineTag(line, column, tag)
                            : ScanSingleLineTag(line, column, tag);
}

int SECEditModel::ScanToken(int line, const wchar_t* text, int column, int tokenEnd,
                            int lineLength) {
    int n = ScanKeyword(text + column, tokenEnd - column);
    if (n == 0)
        n = ScanTag(line, text, column, lineLength);
    if (n == 0)
        n = ScanOperator(text + column, lineLength - column);
    return n;
}

SECEditPosition SECEditModel::FindTagEnd(int line, int column, SECEditTag* tag) {
    const int lineLength = GetLineTextLength(line);
    if (tag->m_endTag.IsEmpty())
        return SECEditPosition(line, lineLength);
    const int from = m_store->PositionToOffset(line, std::min(column, lineLength));
    const int limit =
        tag->m_multiLine ? m_store->TextLength() : m_store->PositionToOffset(line, lineLength);
    const wchar_t* text = m_store->Span(from, limit) - from;
    const wchar_t* endText = tag->m_endTag;
    const int endLength = tag->m_endTag.GetLength();
    const wchar_t escape = tag->m_escapeChar.IsEmpty() ? 0 : tag->m_escapeChar[0];
    int found = -1;
    for (int p = from; p + endLength <= limit;) {
        const wchar_t* q = std::wmemchr(text + p, endText[0], limit - p);
        if (!q)
            break;
        p = static_cast<int>(q - text);
        if (p + endLength > limit)
            break;
        if (std::wmemcmp(text + p, endText, endLength) == 0) {
            int escapes = 0;
            while (escape && p - escapes - 1 >= from && text[p - escapes - 1] == escape)
                ++escapes;
            if (escapes % 2 == 0) {
                found = p + endLength;
                break;
            }
            p += endLength;
            continue;
        }
        ++p;
    }
    if (found < 0)
        return tag->m_multiLine ? SECEditPosition(GetLastLine(), GetLineTextLength(GetLastLine()))
                                : SECEditPosition(line, lineLength);
    SECEditPosition end;
    m_store->OffsetToPosition(found, end.m_line, end.m_column);
    return end;
}

int SECEditModel::ScanSingleLineTag(int line, int column, SECEditTag* tag) {
    const SECEditPosition end = FindTagEnd(line, column + tag->m_beginTag.GetLength(), tag);
    const int lineLength = GetLineTextLength(line);
    const int stop = end.m_line == line ? std::min(end.m_column, lineLength) : lineLength;
    FlushPlain();
    m_building->Add(stop - column, tag->m_group);
    return stop - column;
}

int SECEditModel::StartMultiLineTag(int line, int column, SECEditTag* tag) {
    const SECEditPosition end = FindTagEnd(line, column + tag->m_beginTag.GetLength(), tag);
    if (end.m_line == line)
        return ScanSingleLineTag(line, column, tag);
    const int lineLength = GetLineTextLength(line);
    FlushPlain();
    m_building->Add(lineLength - column, tag->m_group);
    for (int l = line + 1; l < end.m_line; ++l) {
        auto whole = std::make_unique<SECEditLineColouring>();
        whole->Add(std::max(0, GetLineTextLength(l)), tag->m_group);
        m_colourCache.Set(l, std::move(whole));
    }
    const SECEditSpan span(SECEditRange(SECEditPosition(line, column), end), tag->m_group);
    if (!m_spans.Holds(span))
        m_spans.InsertSorted(span);
    SECEditLineMsg msg(line, end.m_line);
    NotifyObservers(nullptr, &msg);
    auto last = std::make_unique<SECEditLineColouring>();
    last->Add(end.m_column, tag->m_group);
    m_colourCache.Set(end.m_line, std::move(last));
    // The end line is finished by ColourLine's own loop rather than by a nested call: a chain
    // of comments would otherwise nest one call per comment.
    m_continueLine = end.m_line;
    m_continueColumn = end.m_column;
    return lineLength - column;
}

void SECEditModel::ColourTokens(int line, const wchar_t* text, int column, int lineLength) {
    CString buffer;
    while (column < lineLength) {
        const int tokenEnd =
            column + NextTokenEnd(m_langConfig, text + column, lineLength - column);
        const int n = ScanToken(line, text, column, tokenEnd, lineLength);
        if (n > 0) {
            column += n;
            // Looking for a multi-line tag's end may have moved the text's gap, and the rest
            // of this line with it.
            GetLinePointer(line, buffer, text);
            continue;
        }
        const int plain = std::max(1, tokenEnd - column);
        m_pendingPlain += plain;
        column += plain;
    }
    FlushPlain();
}

SECEditLineColouring* SECEditModel::ColourLine(int line, int fromColumn) {
    if (!m_store || !m_langConfig || line < 0 || line >= m_colourCache.GetSize())
        return nullptr;
    SECEditLineColouring* result = nullptr;
    while (line >= 0) {
        m_firstDirtyLine = line + 1;
        m_continueLine = -1;
        const wchar_t* text = nullptr;
        CString buffer;
        const int length = std::max(0, GetLinePointer(line, buffer, text));
        SECEditLineColouring* slot = m_colourCache.Get(line);
        if (length == 0) {
            slot = m_colourCache.Set(line, std::make_unique<SECEditLineColouring>());
            slot->Add(0, 0);
        } else if (fromColumn == 0 || !slot) {
            slot = m_colourCache.Set(line, std::make_unique<SECEditLineColouring>());
            if (fromColumn > 0)
                slot->Add(fromColumn, m_langConfig->GetDefaultGroupIndex(SECEDIT_GROUP_TEXT));
        }
        if (!result)
            result = slot;
        if (length > 0 && fromColumn < length) {
            m_building = slot;
            m_pendingPlain = 0;
            ColourTokens(line, text, fromColumn, length);
            m_building = nullptr;
        }
        line = m_continueLine;
        fromColumn = m_continueColumn;
    }
    return result;
}

SECEditLineColouring* SECEditModel::GetLineColouring(int line) {
    if (!m_colouringEnabled || !m_langConfig || line < 0 ||
        line >= m_colourCache.GetSize())
        return nullptr;
    if (m_firstDirtyLine <= line)
        ColourRange(SECEditRange(m_firstDirtyLine, 0, line, 0));
    SECEditLineColouring* colouring = m_colourCache.Get(line);
    if (!colouring)
        colouring = ColourLine(line, 0);
    if (GetLineFlag(line, SECEDIT_FLAG_HIGHLIGHT)) {
        const int group = m_langConfig->GetHighlightGroup();
        if (group >= 0) {
            // A separate colouring: the cached one stays for when the mark goes.
            m_highlight = std::make_unique<SECEditLineColouring>();
            m_highlight->Add(std::max(0, GetLineTextLength(line)), group);
            return m_highlight.get();
        }
    }
    return colouring;
}

BOOL SECEditModel::NextColouredRun(int line, int fromColumn, int& start, int& end) {
    if (!m_langConfig)
        return FALSE;
    const wchar_t* text = nullptr;
    CString buffer;
    const int length = GetLinePointer(line, buffer, text);
    for (int column = std::max(0, fromColumn); column < length;) {
        if (SECEditTag* tag = FindBeginTag(text + column, length - column)) {
            const SECEditPosition e = FindTagEnd(line, column + tag->m_beginTag.GetLength(), tag);
            start = column;
            end = e.m_line == line ? e.m_column : length;
            return TRUE;
        }
        column += std::max(1, NextTokenEnd(m_langConfig, text + column, length - column));
    }
    return FALSE;
}

BOOL SECEditModel::GetColouredRunAt(const SECEditPosition& pos, int& start, int& end) {
    if (pos.m_column <= 0)
        return FALSE;
    int column = 0, s = 0, e = 0;
    while (NextColouredRun(pos.m_line, column, s, e) && s < pos.m_column) {
        if (pos.m_column < e) {
            start = s;
            end = e;
            return TRUE;
        }
        column = std::max(e, s + 1);
    }
    return FALSE;
}

BOOL SECEditModel::ColourRange(const SECEditRange& range) {
    if (!m_store || !m_langConfig)
        return FALSE;
    DropSpansFrom(m_firstDirtyLine);
    // Every line up to the range's end line is searched for the begin texts of multi-line
    // tags, that line included: a span removed above may have covered it, and a range on one
    // line is no reason to skip that.
    const SECEditRange r = range.Normalized();
    std::vector<SECEditTag*>& tags = m_multiLineTags; // kept: this runs for every coloured line
    tags.clear();
    m_langConfig->GetTags(tags, 1);
    const int endLine = std::min(r.m_end.m_line, GetLastLine());
    const int limit =
        m_store->PositionToOffset(endLine, 0) + std::max(0, GetLineTextLength(endLine));
    while (m_firstDirtyLine <= endLine) {
        const int from = m_store->PositionToOffset(m_firstDirtyLine, 0);
        int best = -1;
        for (SECEditTag* tag : tags) {
            const wchar_t* begin = tag->m_beginTag;
            const int n = tag->m_beginTag.GetLength();
            for (int p = from; n > 0 && p < limit && (best < 0 || p < best);) {
                // Fetched on every round: colouring a line on the way may move the text's gap.
                const wchar_t* text = m_store->Span(from, limit) - from;
                const wchar_t* q = std::wmemchr(text + p, begin[0], limit - p);
                if (!q)
                    break;
                p = static_cast<int>(q - text);
                if (best >= 0 && p >= best)
                    break;
                // Only [from, limit) is one run: behind it may lie the gap's stale characters.
                if (p + n <= limit && std::wmemcmp(text + p, begin, n) == 0) {
                    SECEditPosition at;
                    m_store->OffsetToPosition(p, at.m_line, at.m_column);
                    int s = 0, e = 0;
                    if (!GetColouredRunAt(at, s, e)) {
                        best = p;
                        break;
                    }
                }
                ++p; // search on behind a begin text that stands inside another tag
            }
        }
        if (best < 0) {
            m_firstDirtyLine = endLine + 1;
            break;
        }
        SECEditPosition at;
        m_store->OffsetToPosition(best, at.m_line, at.m_column);
        ColourLine(at.m_line, 0);
    }
    return TRUE;
}
