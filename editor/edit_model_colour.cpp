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
    const SECEditCharSet& delimiters = *config->GetCharSet(SECEDIT_DELIMITERS);
    const SECEditCharSet& middle = *config->GetCharSet(SECEDIT_KWMIDDLE);
    const bool word = !delimiters.Has(text[0]) || config->GetCharSet(SECEDIT_KWSTART)->Has(text[0]);
    if (word) {
        i = 1;
        while (i < remaining &&
               ((!IsBlank(text[i]) && !delimiters.Has(text[i])) || middle.Has(text[i])))
            ++i;
    } else {
        while (i < remaining && middle.Has(text[i]))
            ++i;
    }
    if (i < remaining && config->GetCharSet(SECEDIT_KWEND)->Has(text[i]))
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
    if (length <= 0 || !m_langConfig->GetCharSet(SECEDIT_OPERATORS)->Has(token[0]))
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
    const int lineStart = m_store->PositionToOffset(line, 0);
    const int from = lineStart + std::min(column, lineLength);
    const int limit = tag->m_multiLine ? m_store->TextLength() : lineStart + lineLength;
    const wchar_t* endText = tag->m_endTag;
    const int endLength = tag->m_endTag.GetLength();
    const wchar_t escape = tag->m_escapeChar.IsEmpty() ? 0 : tag->m_escapeChar[0];
    // Searched where the text lies: moving the gap out of the way could move the whole text.
    int found = -1;
    for (int p = from; (p = m_store->FindText(endText, endLength, p, limit)) >= 0;) {
        int escapes = 0;
        while (escape && p - escapes - 1 >= from && m_store->CharAt(p - escapes - 1) == escape)
            ++escapes;
        if (escapes % 2 == 0) {
            found = p + endLength;
            break;
        }
        p += endLength;
    }
    if (found < 0)
        return tag->m_multiLine ? SECEditPosition(GetLastLine(), GetLineTextLength(GetLastLine()))
                                : SECEditPosition(line, lineLength);
    const int endLine = m_store->LineOfOffset(found, line);
    return SECEditPosition(endLine, found - m_store->PositionToOffset(endLine, 0));
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
    KeepMultiLineSpan(line, column, end, tag->m_group);
    if (!m_scanning) {
        auto last = std::make_unique<SECEditLineColouring>();
        last->Add(end.m_column, tag->m_group);
        m_colourCache.Set(end.m_line, std::move(last));
    }
    // The end line is finished by ColourLine's own loop rather than by a nested call: a chain
    // of comments would otherwise nest one call per comment.
    m_continueLine = end.m_line;
    m_continueColumn = end.m_column;
    return lineLength - column;
}

void SECEditModel::KeepMultiLineSpan(int line, int column, const SECEditPosition& end, int group) {
    const SECEditSpan span(SECEditRange(SECEditPosition(line, column), end), group);
    if (m_spans.Holds(span))
        return;
    m_spans.InsertSorted(span);
    // The lines inside are coloured from the span when they are asked for; what they had was
    // coloured without it.
    InvalidateColourLines(line + 1, end.m_line);
    SECEditLineMsg msg(line, end.m_line);
    NotifyObservers(nullptr, &msg);
}

void SECEditModel::ColourTokens(int line, const wchar_t* text, int column, int lineLength) {
    CString buffer;
    while (column < lineLength) {
        const int tokenEnd =
            column + NextTokenEnd(m_langConfig, text + column, lineLength - column);
        const uint32_t moves = m_store->GetTextMoves();
        const int n = ScanToken(line, text, column, tokenEnd, lineLength);
        if (n > 0) {
            column += n;
            // A scanner that looked at other text may have moved the text's gap, and the
            // rest of this line with it.
            if (m_store->GetTextMoves() != moves)
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
    return ColourLines(line, fromColumn, false);
}

SECEditLineColouring* SECEditModel::ColourLines(int line, int fromColumn, bool scan) {
    if (!m_store || !m_langConfig || line < 0 || line >= m_colourCache.GetSize())
        return nullptr;
    const bool wasScanning = m_scanning;
    m_scanning = scan;
    // Lines above this one that were looked at already stay so: colouring a line again must
    // not send the next colouring further down back here to look at them once more. A tag's
    // inner lines count as looked at.
    const bool covered = m_firstDirtyLine >= line;
    SECEditLineColouring* result = nullptr;
    while (line >= 0) {
        if (covered)
            m_firstDirtyLine = std::max(m_firstDirtyLine, line + 1);
        m_continueLine = -1;
        const wchar_t* text = nullptr;
        CString buffer;
        // A scan that starts behind the line's last character has nothing to look at.
        const int length = scan && fromColumn > 0 && fromColumn >= GetLineTextLength(line)
                               ? std::max(0, GetLineTextLength(line))
                               : std::max(0, GetLinePointer(line, buffer, text));
        SECEditLineColouring* slot = scan ? &m_scanned : m_colourCache.Get(line);
        if (scan) {
            slot->RemoveAll();
            if (length == 0)
                slot->Add(0, 0);
        } else if (length == 0) {
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
    m_scanning = wasScanning;
    return result;
}

SECEditLineColouring* SECEditModel::ColourFromSpan(int line) {
    const int i = m_spans.FirstEndingAtOrAfter(SECEditPosition(line, 0));
    if (i >= m_spans.GetSize())
        return nullptr;
    const SECEditRange span = m_spans.GetAt(i).Normalized();
    const int group = m_spans.GetAt(i).m_group;
    if (span.m_start.m_line >= line || span.m_end.m_line < line ||
        (span.m_end.m_line == line && span.m_end.m_column == 0))
        return nullptr;
    auto colouring = std::make_unique<SECEditLineColouring>();
    if (span.m_end.m_line > line) {
        colouring->Add(std::max(0, GetLineTextLength(line)), group);
        return m_colourCache.Set(line, std::move(colouring));
    }
    // The tag's last line: its end, then the rest of the line as usual.
    colouring->Add(span.m_end.m_column, group);
    m_colourCache.Set(line, std::move(colouring));
    return ColourLine(line, span.m_end.m_column);
}

SECEditLineColouring* SECEditModel::GetLineColouring(int line) {
    if (!m_colouringEnabled || !m_langConfig || line < 0 || line >= m_colourCache.GetSize())
        return nullptr;
    if (m_firstDirtyLine <= line)
        ColourRange(SECEditRange(m_firstDirtyLine, 0, line, 0));
    SECEditLineColouring* colouring = m_colourCache.Get(line);
    if (!colouring)
        colouring = ColourFromSpan(line);
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
    // Every line up to the range's end line that holds the begin text of a multi-line tag is
    // coloured, that line included: a span removed above may have covered it, and a range on
    // one line is no reason to skip that. Lines without a begin text cannot start such a tag.
    const SECEditRange r = range.Normalized();
    std::vector<SECEditTag*>& tags = m_multiLineTags; // kept: this runs for every coloured line
    tags.clear();
    m_langConfig->GetTags(tags, 1);
    const int endLine = std::min(r.m_end.m_line, GetLastLine());
    if (m_firstDirtyLine > endLine)
        return TRUE;
    const int limit =
        m_store->PositionToOffset(endLine, 0) + std::max(0, GetLineTextLength(endLine));
    // Each begin text is searched for once along the range: where it was found last stays
    // good until the scan has passed it.
    constexpr int kUnknown = -2;
    m_tagFinds.assign(tags.size(), kUnknown);
    int quick = -1; // whether lines may be scanned quickly: asked when the first one is met
    while (m_firstDirtyLine <= endLine) {
        const int from = m_store->PositionToOffset(m_firstDirtyLine, 0);
        int best = -1;
        for (size_t i = 0; i < tags.size(); ++i) {
            int& find = m_tagFinds[i];
            if (find == kUnknown || (find >= 0 && find < from)) {
                const CString& begin = tags[i]->m_beginTag;
                find =
                    begin.IsEmpty() ? -1 : m_store->FindText(begin, begin.GetLength(), from, limit);
            }
            if (find >= 0 && (best < 0 || find < best))
                best = find;
        }
        if (best < 0) {
            m_firstDirtyLine = endLine + 1;
            break;
        }
        const int line = m_store->LineOfOffset(best, m_firstDirtyLine);
        if (line < 0)
            break;
        m_firstDirtyLine = line;
        // The line asked for is coloured for keeps; the others only for the tags they start.
        if (line != endLine && quick < 0)
            quick = HasOwnScanner() ? 1 : 0;
        if (line == endLine || quick == 0 || !ScanTagLineQuickly(line, best))
            ColourLines(line, 0, line != endLine);
        if (m_firstDirtyLine <= line)
            break; // nothing moved on: never loop
    }
    return TRUE;
}

// The hooks are compared by address: a bound member function's address is the override that
// the object's class calls, the plain one is this class's own.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpmf-conversions"
namespace {
template <auto Hook> bool IsOwn(SECEditModel* model) {
    using Plain = void (*)();
    return reinterpret_cast<Plain>(model->*Hook) == reinterpret_cast<Plain>(Hook);
}
} // namespace

bool SECEditModel::HasOwnScanner() {
    return IsOwn<&SECEditModel::ScanToken>(this) && IsOwn<&SECEditModel::ScanKeyword>(this) &&
           IsOwn<&SECEditModel::LookupKeyword>(this) && IsOwn<&SECEditModel::ScanTag>(this) &&
           IsOwn<&SECEditModel::FindBeginTag>(this) && IsOwn<&SECEditModel::ScanOperator>(this) &&
           IsOwn<&SECEditModel::StartMultiLineTag>(this) &&
           IsOwn<&SECEditModel::ScanSingleLineTag>(this) &&
           IsOwn<&SECEditModel::FlushPlain>(this) && IsOwn<&SECEditModel::FindTagEnd>(this) &&
           IsOwn<&SECEditModel::GetLinePointer>(this) &&
           IsOwn<&SECEditModel::GetLineTextLength>(this);
}
#pragma GCC diagnostic pop

bool SECEditModel::ScanTagLineQuickly(int line, int offset) {
    // What ColourLines' scan of the line does, step for step, where the line begins with blanks
    // and then the begin text: the blanks are one token (no keyword, tag or operator, or the
    // full scan decides), the begin text the next, and the tag it starts ends on a later line.
    const wchar_t* text = nullptr;
    CString buffer;
    const int lineLength = GetLinePointer(line, buffer, text);
    const int column = offset - m_store->PositionToOffset(line, 0);
    // A begin text that starts with a blank would belong to the blanks' token.
    if (column < 0 || column >= lineLength || IsBlank(text[column]))
        return false;
    for (int i = 0; i < column; ++i)
        if (!IsBlank(text[i]))
            return false;
    int group = 0;
    if (column > 0 && (m_langConfig->ClassifyWord(text, column, group) != 0 ||
                       m_langConfig->FindTag(text, lineLength, 0, 2) ||
                       m_langConfig->GetCharSet(SECEDIT_OPERATORS)->Has(text[0])))
        return false;
    const wchar_t* token = text + column;
    const int remaining = lineLength - column;
    if (m_langConfig->ClassifyWord(token, NextTokenEnd(m_langConfig, token, remaining), group) != 0)
        return false;
    SECEditTag* tag = m_langConfig->FindTag(token, remaining, 0, 2);
    if (!tag || !tag->m_multiLine)
        return false;
    const SECEditPosition end = FindTagEnd(line, column + tag->m_beginTag.GetLength(), tag);
    if (end.m_line <= line)
        return false;
    KeepMultiLineSpan(line, column, end, tag->m_group);
    // The end line goes on behind the tag's end as ColourLines' own loop would take it.
    if (end.m_column < GetLineTextLength(end.m_line)) {
        m_firstDirtyLine = std::max(m_firstDirtyLine, end.m_line);
        ColourLines(end.m_line, end.m_column, true);
    }
    m_firstDirtyLine = std::max(m_firstDirtyLine, end.m_line + 1);
    return true;
}
