// Painting the text area: lines, colour runs, whitespace marks, the selection and the blank
// area right of each line.
#include "editor/edit_controller.h"
#include "editor/edit_find_state.h"
#include "editor/edit_measure.h"
#include "editor/edit_model.h"
#include "editor/edit_viewport.h"
#include "framework/win/dc.h"
#include "framework/win/wnd.h"

#include <algorithm>

using namespace corvalis::foundation;

namespace {
bool IsBlank(wchar_t ch) {
    return ch == L' ' || ch == L'\t';
}

COLORREF ForegroundOf(const SECEditColorGroup* group, const SECEditColorGroup* base) {
    return group->m_foreColorAutomatic && base ? base->m_foreground : group->m_foreground;
}

COLORREF BackgroundOf(const SECEditColorGroup* group, const SECEditColorGroup* base) {
    return group->m_backColorAutomatic && base ? base->m_background : group->m_background;
}
} // namespace

void SECEditViewport::FillSolid(CDC* dc, const CRect& rect, COLORREF colour) {
    const COLORREF old = ::SetBkColor(dc->m_hDC, colour);
    ::ExtTextOutW(dc->m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(dc->m_hDC, old);
}

void SECEditViewport::Draw(CDC* dc) {
    HDC hdc = dc->m_hDC;
    // Window pixels: the device origin stays as the context's maker set it (an off-screen
    // context over part of the window shifts it so that window pixels keep their places).
    ::SetMapMode(hdc, MM_TEXT);
    ::SetWindowOrgEx(hdc, 0, 0, nullptr);

    const CRect bounds = GetLogBounds();
    const CRect device(0, 0, bounds.Width(), bounds.Height());
    ISECEditPresentationState* state = GetPresentationState();
    SECEditModel* model = GetEditModel();
    SECEditDisplayInfo* info = GetDisplayInfo();
    SECEditLangConfig* config = GetLangConfig();
    const int textLeft = state ? std::max(0, state->GetTextLeft()) : 0;

    CRect gutterClip;
    dc->GetClipBox(&gutterClip);
    SECEditColorGroup* text = config ? config->GetDefaultColorGroup(SECEDIT_GROUP_TEXT) : nullptr;
    const COLORREF background = text ? text->m_background : ::GetSysColor(COLOR_WINDOW);
    const int lh = info ? info->GetLineHeight() : 0;
    if (model == nullptr || info == nullptr || config == nullptr || state == nullptr || lh <= 0 ||
        info->GetSpaceWidth() <= 0) {
        FillSolid(dc, gutterClip, background);
        return;
    }

    const int saved = ::SaveDC(hdc);
    ::ExcludeClipRect(hdc, 0, 0, textLeft, device.bottom);
    CRect clip;
    const int region = ::GetClipBox(hdc, &clip);
    clip.OffsetRect(bounds.left, bounds.top);

    const int lastLine = model->GetLastLine();
    const int first = std::max<int>(0, clip.top / lh);
    const int last = std::min<int>(lastLine, (clip.bottom - 1) / lh);
    HGDIOBJ oldFont = ::SelectObject(hdc, info->GetFont(0) ? info->GetFont(0)
                                                           : ::GetStockObject(ANSI_FIXED_FONT));
    ::SetBkMode(hdc, OPAQUE);
    const int tabWidth =
        std::max(1, info->GetTabWidth(config->GetTabSize(), config->GetShowWhitespace()));

    BOOL showSelection = FALSE;
    if (state->HasSelection()) {
        SECEditController* controller = GetEditController();
        SECEditFindReplaceState* find = SECEditPeekFindReplaceState();
        showSelection = (controller && controller->GetKeepSelectionVisible()) ||
                        (m_container != NULL && ::GetFocus() == m_container) ||
                        (find && find->m_pViewport == this);
    }
    m_paint = Paint();
    m_paint.mode = state->GetSelectionMode();
    if (showSelection)
        state->GetSelectionBounds(m_paint.startLine, m_paint.startColumn, m_paint.endLine,
                                  m_paint.endColumn, FALSE);
    m_paint.defaultGroup = config->GetDefaultGroupIndex(SECEDIT_GROUP_TEXT);
    m_paint.showWhitespace = config->GetShowWhitespace();
    m_paint.virtualWhitespace = config->GetVirtualWhitespace();
    m_paint.spaceWidth = info->GetSpaceWidth();

    if (region != NULLREGION && region != ERROR) {
        for (int line = first; line <= last; ++line)
            DrawLine(dc, line, line * lh - bounds.top, textLeft, tabWidth, device.right,
                     showSelection);
        const int64_t below = (int64_t(lastLine) + 1) * lh;
        if (below < bounds.bottom)
            FillSolid(dc, CRect(textLeft, int(below - bounds.top), device.right, device.bottom),
                      background);
    }
    if (showSelection && m_paint.mode == SECEditSelection::modeBlockDrag)
        InvertSelection(dc);
    ::SelectObject(hdc, oldFont);
    ::RestoreDC(hdc, saved);
    if (textLeft > 0)
        DrawGutter(dc, gutterClip);
}

void SECEditViewport::DrawLine(CDC* dc, int line, int y, int textLeft, int tabWidth, int right,
                               BOOL showSel) {
    SECEditModel* model = GetEditModel();
    ISECEditPresentationState* state = GetPresentationState();
    const int length = std::max(0, model->GetLineTextLength(line));

    // The selected columns of this line.
    int selStart = 0, selEnd = 0;
    BOOL lineSelected = FALSE;
    const Paint& p = m_paint;
    if (showSel) {
        if ((p.mode == SECEditSelection::modeStream || p.mode == SECEditSelection::modeLine) &&
            line >= p.startLine && line <= p.endLine) {
            selStart = line == p.startLine ? p.startColumn : 0;
            selEnd = line == p.endLine ? p.endColumn : length;
            lineSelected = !(line == p.endLine && p.endColumn == 0 && p.endLine > p.startLine) &&
                           !(line == p.endLine && line == p.startLine && selStart == selEnd);
        } else if (p.mode == SECEditSelection::modeBlock) {
            lineSelected = state->GetColumnSpan(line, selStart, selEnd);
        }
    }

    // Colour runs first: colouring reads the text, and the copy below must be the last access.
    m_runBuffer.clear();
    if (SECEditLineColouring* runs = model->GetLineColouring(line))
        for (int i = 0; i < runs->GetSize(); ++i)
            m_runBuffer.push_back(runs->GetAt(i));
    const BOOL mark19 = model->GetLineFlag(line, SECEDIT_FLAG_HIGHLIGHT);
    {
        CString scratch;
        const wchar_t* chars = nullptr;
        const int got = model->GetLinePointer(line, scratch, chars);
        // An empty line has no characters to copy (and no end pointer to copy them up to).
        if (chars != nullptr && got > 0)
            m_lineBuffer.assign(chars, chars + got);
        else
            m_lineBuffer.clear();
    }
    const int textLength = std::min<int>(length, int(m_lineBuffer.size()));
    const wchar_t* chars = m_lineBuffer.data();

    int x = -GetLogOrigin().x;
    int column = 0;
    size_t run = 0;
    while (column < textLength && x + textLeft < right) {
        int count = textLength - column;
        int group = p.defaultGroup;
        if (run < m_runBuffer.size()) {
            const int runLength = SegmentLength(m_runBuffer[run]);
            group = SegmentGroup(m_runBuffer[run]);
            ++run;
            if (runLength > 0 && runLength < count)
                count = runLength;
        }
        SECEditColorGroup* colours = ColourGroupOf(group);
        const BOOL runSelected = lineSelected && column < selEnd && column + count > selStart;
        const CSize extent =
            DrawLineText(dc, tabWidth, x, y, textLeft, chars + column, count, column, line, colours,
                         p.showWhitespace, runSelected, selStart, selEnd);
        x += extent.cx;
        column += count;
    }
    if (x + textLeft >= right)
        return;

    // The blank area: pre (virtual space before a block), eol (mark 19), sel, post.
    const int cells = (right - (x + textLeft)) / p.spaceWidth + 1;
    int pre = 0, eol = 0, sel = 0, post = 0;
    if (mark19)
        eol = cells;
    if (lineSelected) {
        if (p.mode == SECEditSelection::modeStream || p.mode == SECEditSelection::modeLine) {
            if (line < p.endLine) {
                sel = p.virtualWhitespace ? cells : 1;
            } else {
                int sl = 0, sc = 0, el = 0, ec = 0;
                state->GetSelectionBounds(sl, sc, el, ec, TRUE);
                if (ec > length) {
                    sel = ec - length;
                    if (sl == line && sc > length) {
                        pre = sc - length;
                        sel = ec - sc;
                    }
                }
            }
        } else if (p.mode == SECEditSelection::modeBlock) {
            if (selStart > length) {
                pre = selStart - length;
                sel = selEnd - selStart;
            } else if (selEnd > length) {
                sel = selEnd - length;
            }
        }
    }
    pre = std::max(0, pre);
    sel = std::max(0, sel);
    if (pre + sel < cells)
        post = std::max(0, cells - eol - sel - pre);

    const int widest = std::max({pre, eol, sel, post});
    if (widest <= 0)
        return;
    const std::wstring spaces(size_t(std::min(widest, cells + 1)), L' ');
    auto blank = [&](int n, SECEditColorGroup* colours, BOOL selected, int at) {
        if (n <= 0 || colours == nullptr)
            return;
        n = std::min<int>(n, int(spaces.size()));
        x += DrawLineText(dc, 1, x, y, textLeft, spaces.c_str(), n, at, line, colours, FALSE,
                          selected, at, at + n)
                 .cx;
    };
    SECEditLangConfig* config = GetLangConfig();
    SECEditColorGroup* textGroup = config->GetDefaultColorGroup(SECEDIT_GROUP_TEXT);
    const int firstGroup = m_runBuffer.empty() ? p.defaultGroup : SegmentGroup(m_runBuffer[0]);
    blank(pre, textGroup, FALSE, length);
    blank(eol, ColourGroupOf(firstGroup), FALSE, length + pre);
    blank(sel, config->GetDefaultColorGroup(SECEDIT_GROUP_SELECTION), TRUE, length + pre);
    blank(post, textGroup, FALSE, length + pre + sel);
}

CSize SECEditViewport::DrawLineText(CDC* dc, int tabWidth, int x, int y, int textLeft,
                                    const wchar_t* text, int count, int column, int line,
                                    SECEditColorGroup* colours, BOOL showWhitespace, BOOL selected,
                                    int selStart, int selEnd) {
    CSize total(0, 0);
    if (count <= 0 || colours == nullptr)
        return total;
    if (showWhitespace) {
        // Piece by piece: the text between blanks, then each blank with its mark over the
        // start of its cell.
        SECEditModel* model = GetEditModel();
        int i = 0;
        while (i < count) {
            int j = i;
            while (j < count && !IsBlank(text[j]))
                ++j;
            if (j > i) {
                const CSize piece =
                    DrawLineText(dc, tabWidth, x + total.cx, y, textLeft, text + i, j - i,
                                 column + i, line, colours, FALSE, selected, selStart, selEnd);
                total.cx += piece.cx;
                total.cy = std::max(total.cy, piece.cy);
            }
            if (j == count)
                break;
            const CSize blank =
                DrawLineText(dc, tabWidth, x + total.cx, y, textLeft, text + j, 1, column + j, line,
                             colours, FALSE, selected, selStart, selEnd);
            const wchar_t glyph = model ? model->GetWhitespaceGlyph(text[j] == L'\t')
                                        : (text[j] == L'\t' ? 187 : 183);
            DrawLineText(dc, tabWidth, x + total.cx, y, textLeft, &glyph, 1, column + j, line,
                         colours, FALSE, selected, selStart, selEnd);
            total.cx += blank.cx;
            total.cy = std::max(total.cy, blank.cy);
            i = j + 1;
        }
        return total;
    }
    if (selected && selStart <= column + count && column < selEnd) {
        const int head = std::min(count, std::max(0, selStart - column));
        const int tail = std::min(count, std::max(0, selEnd - column));
        if (head > 0 || tail < count) {
            if (head > 0)
                total.cx += DrawLineText(dc, tabWidth, x, y, textLeft, text, head, column, line,
                                         colours, FALSE, FALSE, selStart, selEnd)
                                .cx;
            if (tail > head)
                total.cx +=
                    DrawLineText(dc, tabWidth, x + total.cx, y, textLeft, text + head, tail - head,
                                 column + head, line, colours, FALSE, TRUE, selStart, selEnd)
                        .cx;
            if (tail < count)
                total.cx +=
                    DrawLineText(dc, tabWidth, x + total.cx, y, textLeft, text + tail, count - tail,
                                 column + tail, line, colours, FALSE, FALSE, selStart, selEnd)
                        .cx;
            total.cy = GetLineHeight();
            return total;
        }
        SECEditLangConfig* config = GetLangConfig();
        SECEditColorGroup* selection =
            config ? config->GetDefaultColorGroup(SECEDIT_GROUP_SELECTION) : colours;
        ::SetTextColor(dc->m_hDC, selection->m_foreground);
        ::SetBkColor(dc->m_hDC, selection->m_background);
        return DrawTextSegment(dc, tabWidth, x, y, textLeft, text, count, column, line, colours,
                               TRUE);
    }
    const SECEditColorGroup* base = ColourGroupOf(0);
    ::SetTextColor(dc->m_hDC, ForegroundOf(colours, base));
    ::SetBkColor(dc->m_hDC, BackgroundOf(colours, base));
    return DrawTextSegment(dc, tabWidth, x, y, textLeft, text, count, column, line, colours, FALSE);
}

CSize SECEditViewport::DrawTextSegment(CDC* dc, int tabWidth, int x, int y, int textLeft,
                                       const wchar_t* text, int count, int, int, SECEditColorGroup*,
                                       BOOL) {
    HDC hdc = dc->m_hDC;
    const int lh = GetLineHeight();
    const int left = x + textLeft;
    const int originX = GetLogOrigin().x;
    if (std::find(text, text + count, L'\t') == text + count) {
        SIZE size = {};
        ::GetTextExtentPoint32W(hdc, text, count, &size);
        const CRect cell(left, y, left + size.cx, y + lh);
        ::ExtTextOutW(hdc, left, y, ETO_OPAQUE, &cell, text, UINT(count), nullptr);
        return CSize(size.cx, lh);
    }
    // Tab stops stay on the document's column grid while the view scrolls sideways: each
    // piece between tabs is placed where the measuring puts it.
    const int width = SECEditTabbedWidth(hdc, text, count, x + originX, tabWidth);
    const CRect cell(left, y, left + width, y + lh);
    ::ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, &cell, nullptr, 0, nullptr);
    const int start = x + originX;
    int at = start;
    int i = 0;
    while (i < count) {
        if (text[i] == L'\t') {
            at += SECEditTabbedWidth(hdc, text + i, 1, at, tabWidth);
            ++i;
            continue;
        }
        int end = i;
        while (end < count && text[end] != L'\t')
            ++end;
        SIZE size = {};
        ::GetTextExtentPoint32W(hdc, text + i, end - i, &size);
        ::ExtTextOutW(hdc, left + (at - start), y, 0, nullptr, text + i, UINT(end - i), nullptr);
        at += size.cx;
        i = end;
    }
    return CSize(width, lh);
}

void SECEditViewport::InvertSelection(CDC* dc) {
    ISECEditPresentationState* state = GetPresentationState();
    CRect rect;
    if (state == nullptr || !state->GetColumnDragRect(rect))
        return;
    RectLPtoDP(&rect);
    rect.NormalizeRect();
    ::InvertRect(dc->m_hDC, &rect);
}
