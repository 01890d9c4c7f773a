// The gutter left of the text: a background, line numbers and the marks of each line.
#include "editor/edit_controller.h"
#include "editor/edit_model.h"
#include "editor/edit_viewport.h"
#include "framework/win/dc.h"

#include <algorithm>

namespace {
// Selects GDI objects for the scope of a drawing step.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(::SelectObject(dc, object)) {}
    ~Selected() { ::SelectObject(m_dc, m_old); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};
} // namespace

void SECEditViewport::DrawGutterBackground(CDC* dc, const CRect& rect) {
    HDC hdc = dc->m_hDC;
    if (m_gutterBrush) {
        const COLORREF oldText = ::SetTextColor(hdc, RGB(255, 255, 255));
        const COLORREF oldBack = ::SetBkColor(hdc, ::GetSysColor(COLOR_SCROLLBAR));
        ::FillRect(hdc, &rect, m_gutterBrush);
        ::SetTextColor(hdc, oldText);
        ::SetBkColor(hdc, oldBack);
        return;
    }
    FillSolid(dc, rect, ::GetSysColor(COLOR_SCROLLBAR));
    const CRect edge(rect.right - 1, rect.top, rect.right, rect.bottom);
    FillSolid(dc, edge, RGB(0, 0, 0));
}

void SECEditViewport::DrawGutter(CDC* dc, const CRect& clipRect) {
    SECEditController* controller = GetEditController();
    SECEditModel* model = GetEditModel();
    const int lh = GetLineHeight();
    if (controller == nullptr || model == nullptr || lh <= 0)
        return;
    const int textLeft = controller->GetTextLeft();
    const CRect bounds = GetLogBounds();
    CRect gutter(0, 0, textLeft, bounds.Height());
    CRect area;
    if (!area.IntersectRect(gutter, clipRect))
        return;
    const int saved = ::SaveDC(dc->m_hDC);
    ::IntersectClipRect(dc->m_hDC, gutter.left, gutter.top, gutter.right, gutter.bottom);
    DrawGutterBackground(dc, gutter);

    const int first = std::max<int>(0, (bounds.top + area.top) / lh);
    const int last = std::min<int>(model->GetLastLine(), (bounds.top + area.bottom - 1) / lh);
    const int mode = controller->GetGutterMode();
    const int margin = controller->GetMarginWidth();
    const int numbers = controller->GetGutterWidth();
    for (int line = first; line <= last; ++line) {
        const int top = line * lh - bounds.top;
        CRect numberArea, markerArea;
        if (mode == SECEDIT_GUTTER_MARKS_LEFT) {
            numberArea.SetRect(margin, top, textLeft, top + lh);
            markerArea.SetRect(0, top, margin, top + lh);
        } else {
            numberArea.SetRect(0, top, numbers, top + lh);
            markerArea.SetRect(numbers, top, textLeft, top + lh);
        }
        DrawLineNumber(line, dc, numberArea);
        DrawMarkerArea(line, dc, markerArea);
    }
    ::RestoreDC(dc->m_hDC, saved);
}

void SECEditViewport::DrawMarkerArea(int line, CDC* dc, const CRect& rect) {
    if (rect.IsRectEmpty())
        return;
    DrawLineMarksFirst(line, dc, rect.left, rect.top, rect.right, rect.bottom);
    DrawLineMark17(line, dc, rect.left, rect.top, rect.right, rect.bottom);
    DrawLineMark16(line, dc, rect.left, rect.top, rect.right, rect.bottom);
    DrawLineMarks(line, dc, rect.left, rect.top, rect.right, rect.bottom);
}

void SECEditViewport::DrawLineMarksFirst(int, CDC*, int, int, int, int) {}

void SECEditViewport::DrawLineMarks(int, CDC*, int, int, int, int) {}

void SECEditViewport::DrawLineMark17(int line, CDC* dc, int left, int top, int right, int bottom) {
    SECEditModel* model = GetEditModel();
    if (model == nullptr || !model->GetLineFlag(line, 17))
        return;
    HBRUSH brush = ::CreateSolidBrush(RGB(0, 255, 255));
    {
        Selected b(dc->m_hDC, brush);
        Selected p(dc->m_hDC, ::GetStockObject(BLACK_PEN));
        ::RoundRect(dc->m_hDC, left, top, right - 1, bottom, 6, 6);
    }
    ::DeleteObject(brush);
}

void SECEditViewport::DrawLineMark16(int line, CDC* dc, int left, int top, int right, int bottom) {
    SECEditModel* model = GetEditModel();
    if (model == nullptr || !model->GetLineFlag(line, 16))
        return;
    const int width = right - left;
    const int height = bottom - top;
    int d = std::min(width, height) - 3;
    if (d % 2 == 0)
        d = std::min(width, height) - 2;
    if (d <= 0)
        return;
    CRect circle(left, top, left + d, top + d);
    if (d > 3) {
        circle.OffsetRect(2, 1);
        if (height > width)
            circle.OffsetRect(0, (height - d) / 2 - 1);
    }
    const COLORREF darkRed = RGB(128, 0, 0);
    HBRUSH brush = ::CreateSolidBrush(darkRed);
    HPEN pen = ::CreatePen(PS_SOLID, 1, darkRed);
    {
        Selected b(dc->m_hDC, brush);
        Selected p(dc->m_hDC, pen);
        ::Ellipse(dc->m_hDC, circle.left, circle.top, circle.right, circle.bottom);
    }
    ::DeleteObject(pen);
    ::DeleteObject(brush);
}

void SECEditViewport::DrawLineNumber(int line, CDC* dc, const CRect& rect) {
    SECEditController* controller = GetEditController();
    if (controller == nullptr || rect.IsRectEmpty())
        return;
    const int mode = controller->GetGutterMode();
    if (mode == SECEDIT_GUTTER_NONE || mode == SECEDIT_GUTTER_MARKS_ONLY)
        return;
    SECEditDisplayInfo* own = controller->GetOwnDisplayInfo();
    HDC hdc = dc->m_hDC;
    HGDIOBJ font =
        own && own->GetFont(0) ? HGDIOBJ(own->GetFont(0)) : ::GetStockObject(ANSI_FIXED_FONT);
    Selected f(hdc, font);
    const int oldMode = ::SetBkMode(hdc, TRANSPARENT);
    const COLORREF oldColour = ::SetTextColor(hdc, controller->GetLineNumberColour());
    CString text;
    controller->FormatLineNumber(text, line);
    const int height = own ? own->GetLineHeight() : rect.Height();
    ::TextOutW(hdc, rect.left, rect.top + (rect.Height() - height) / 2, text, text.GetLength());
    ::SetTextColor(hdc, oldColour);
    ::SetBkMode(hdc, oldMode);
}
