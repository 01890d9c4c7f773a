// SECWorkbookWnd's painting: the background around the MDI client, the tabs and the client's
// border, drawn into one memory bitmap and copied in one transfer with the client left out.
#include "docking/workbook.h"

#include "toolbars/drawing/colors.h"

#include <algorithm>
#include <vector>

namespace {

// Selects a GDI object into a DC for the scope.
class Selected {
public:
    Selected(HDC hDC, HGDIOBJ hObject) : m_hDC(hDC), m_hOld(::SelectObject(hDC, hObject)) {}
    ~Selected() { ::SelectObject(m_hDC, m_hOld); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

void Line(HDC hDC, std::initializer_list<POINT> points) {
    auto it = points.begin();
    ::MoveToEx(hDC, it->x, it->y, NULL);
    for (++it; it != points.end(); ++it)
        ::LineTo(hDC, it->x, it->y);
}

void LineIn(HDC hDC, COLORREF color, std::initializer_list<POINT> points) {
    HPEN hPen = ::CreatePen(PS_SOLID, 1, color);
    {
        Selected pen(hDC, hPen);
        Line(hDC, points);
    }
    ::DeleteObject(hPen);
}

void Fill(HDC hDC, const RECT& rect, COLORREF color) {
    HBRUSH hBrush = ::CreateSolidBrush(color);
    ::FillRect(hDC, &rect, hBrush);
    ::DeleteObject(hBrush);
}

} // namespace

BOOL SECWorkbookWnd::OnEraseBkgnd(CDC*) {
    return FALSE;
}

COLORREF SECWorkbookWnd::LightColor() const {
    WORD wHue = 0, wLight = 0, wSat = 0;
    RgbToHls(::GetSysColor(COLOR_BTNHIGHLIGHT), wHue, wLight, wSat);
    wSat = (WORD)std::min(240, wSat + 100);
    return HlsToRgb(wHue, wLight, wSat);
}

void SECWorkbookWnd::DrawTab(CDC* pDC, SECWorksheetWnd* pSheet) {
    std::vector<POINT> p;
    GetTabPolygon(pSheet, p);
    HDC hDC = pDC->GetSafeHdc();
    // pN of the outline is p[N - 1].
    const POINT p1 = p[0], p2 = p[1], p3 = p[2], p4 = p[3], p5 = p[4], p6 = p[5];
    if (!m_bFlatTabs) {
        HRGN hRgn = ::CreatePolygonRgn(p.data(), (int)p.size(), ALTERNATE);
        if (hRgn != NULL) {
            ::FillRgn(hDC, hRgn, ::GetSysColorBrush(COLOR_BTNFACE));
            ::DeleteObject(hRgn);
        }
        {
            Selected pen(hDC, m_penShadow);
            Line(hDC, {{p2.x + 1, p2.y - 1},
                       {p3.x, p3.y - 2},
                       {p4.x, p4.y - 2},
                       {p5.x - 2, p5.y - 1},
                       {p6.x - 2, p6.y},
                       {p6.x, p6.y}});
        }
        {
            Selected pen(hDC, m_penHighlight);
            Line(hDC, {{p1.x, p1.y + 1}, {p2.x, p2.y - 1}});
        }
        Selected pen(hDC, m_penBlack);
        Line(hDC, {{p3.x + 1, p3.y - 1}, {p4.x, p4.y - 1}, {p5.x - 1, p5.y - 1}, {p6.x - 1, p6.y}});
        return;
    }
    if (IsShownAsActive(pSheet)) {
        Fill(hDC, CRect(p1.x, p1.y - 1, p5.x - 1, p5.y), ::GetSysColor(COLOR_BTNFACE));
        LineIn(hDC, ::GetSysColor(COLOR_BTNHIGHLIGHT), {{p1.x, p1.y - 1}, {p1.x, p5.y + 1}});
        LineIn(hDC, ::GetSysColor(COLOR_WINDOWFRAME),
               {{p1.x + 1, p5.y}, {p5.x - 1, p5.y}, {p5.x - 1, p1.y - 2}});
        LineIn(hDC, LightColor(), {{p1.x - 1, p1.y + 3}, {p1.x - 1, p5.y - 3}});
    } else {
        LineIn(hDC, ::GetSysColor(COLOR_BTNSHADOW), {{p5.x - 1, p1.y + 3}, {p5.x - 1, p5.y - 3}});
    }
}

void SECWorkbookWnd::DrawTabLabel(CDC* pDC, SECWorksheetWnd* pSheet) {
    HDC hDC = pDC->GetSafeHdc();
    std::vector<POINT> p;
    GetTabPolygon(pSheet, p);
    const int nIcon = m_bShowTabIcons ? 16 : 0;
    if (HICON hIcon = GetTabIcon(pSheet))
        ::DrawIconEx(hDC, p[2].x + 1, p[0].y + 4, hIcon, nIcon, nIcon, 0, NULL, DI_NORMAL);
    CRect rect;
    GetTabLabelRect(p, nIcon, rect);
    const CString strLabel = GetTabLabel(pSheet);
    if (strLabel != pSheet->m_strTabLabel || rect.Width() != pSheet->m_nTabLabelWidth) {
        pSheet->m_strTabLabelFitted = WorkbookTabs::FitLabel(
            strLabel, rect.Width(), [&](const CString& s) { return MeasureText(hDC, s); });
        pSheet->m_strTabLabel = strLabel;
        pSheet->m_nTabLabelWidth = rect.Width();
    }
    const CString& strText = pSheet->m_strTabLabelFitted;
    if (strText.IsEmpty())
        return;
    Selected font(hDC, m_fontTab.GetSafeHandle() != NULL ? m_fontTab.GetSafeHandle()
                                                         : ::GetStockObject(DEFAULT_GUI_FONT));
    const COLORREF crOld = ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNTEXT));
    const int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    ::DrawTextW(hDC, strText, strText.GetLength(), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SetBkMode(hDC, nOldMode);
    ::SetTextColor(hDC, crOld);
}

void SECWorkbookWnd::DrawClientBorder(CDC* pDC) {
    HDC hDC = pDC->GetSafeHdc();
    const CRect r = ClientWindowRect();
    if (m_bFlatTabs) {
        LineIn(hDC, ::GetSysColor(COLOR_BTNSHADOW),
               {{r.left - 1, r.top - 1},
                {r.left - 1, r.bottom},
                {r.right, r.bottom},
                {r.right, r.top - 1},
                {r.left - 1, r.top - 1}});
        return;
    }
    const int L = r.left - 5, B = r.bottom + 5, Rt = r.right + 5, T = r.top;
    {
        Selected pen(hDC, m_penShadow);
        Line(hDC, {{L + 1, B - 1}, {Rt - 1, B - 1}, {Rt - 1, T - 4}});
    }
    {
        Selected pen(hDC, m_penHighlight);
        Line(hDC, {{Rt - 1, T - 5}, {L, T - 5}, {L, B}});
    }
    {
        Selected pen(hDC, m_penBlack);
        Line(hDC, {{L, B}, {Rt, B}, {Rt, T - 5}});
    }
    int ml = 0, mr = 0, mt = 0, mb = 0;
    if (m_pClient != NULL)
        m_pClient->GetMargins(ml, mr, mt, mb);
    {
        Selected pen(hDC, m_penShadow);
        Line(hDC, {{r.left - ml, T - mt}, {r.right + mr, T - mt}});
    }
    Selected pen(hDC, m_penHighlight);
    Line(hDC, {{r.left - ml, T - mt + 1}, {r.right + mr, T - mt + 1}});
}

// Only the area to repaint is drawn and copied: a tab click repaints two tabs, not the frame.
void SECWorkbookWnd::OnPaint() {
    // The region to repaint: two tabs far apart repaint those two, not all between them.
    HRGN hUpdate = ::CreateRectRgn(0, 0, 0, 0);
    if (hUpdate != NULL && ::GetUpdateRgn(m_hWnd, hUpdate, FALSE) == ERROR) {
        ::DeleteObject(hUpdate);
        hUpdate = NULL;
    }
    m_hUpdateRgn = hUpdate;
    PAINTSTRUCT ps;
    HDC hPaint = ::BeginPaint(m_hWnd, &ps);
    if (hPaint == NULL) {
        m_hUpdateRgn = NULL;
        if (hUpdate != NULL)
            ::DeleteObject(hUpdate);
        return;
    }
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect q;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &q);
    CRect area;
    if (q.Width() > 0 && q.Height() > 0)
        area.IntersectRect(&q, &ps.rcPaint);
    if (!area.IsRectEmpty())
        PaintArea(hPaint, area, q, rectClient);
    ::EndPaint(m_hWnd, &ps);
    m_hUpdateRgn = NULL;
    if (hUpdate != NULL)
        ::DeleteObject(hUpdate);
}

void SECWorkbookWnd::PaintArea(HDC hPaint, const CRect& area, const CRect& q,
                               const CRect& rectClient) {
    const CRect r = ClientWindowRect();
    HDC hMem = ::CreateCompatibleDC(hPaint);
    HBITMAP hBitmap =
        hMem != NULL ? ::CreateCompatibleBitmap(hPaint, area.Width(), area.Height()) : NULL;
    if (hBitmap == NULL) {
        if (hMem != NULL)
            ::DeleteDC(hMem);
        return;
    }
    {
        Selected bitmap(hMem, hBitmap);
        // The memory DC draws in frame client coordinates.
        ::SetViewportOrgEx(hMem, -area.left, -area.top, NULL);
        if (m_hWndMDIClient != NULL && ::IsWindowVisible(m_hWndMDIClient)) {
            ::ExcludeClipRect(hMem, r.left, r.top, r.right, r.bottom);
            ::ExcludeClipRect(hPaint, r.left, r.top, r.right, r.bottom);
        }
        if (!m_bFlatTabs || !m_bWorkbookMode) {
            Fill(hMem, q, ::GetSysColor(COLOR_BTNFACE));
        } else {
            const int ySplit = std::min<int>(q.bottom, r.bottom + 3);
            Fill(hMem, CRect(q.left, q.top, q.right, ySplit), ::GetSysColor(COLOR_BTNFACE));
            Fill(hMem, CRect(q.left, ySplit, q.right, q.bottom), LightColor());
        }
        if (q.bottom != rectClient.bottom) {
            LineIn(hMem, ::GetSysColor(COLOR_BTNHIGHLIGHT),
                   {{q.left, q.bottom - 1}, {q.right, q.bottom - 1}});
            LineIn(hMem, ::GetSysColor(COLOR_BTNSHADOW),
                   {{q.left, q.bottom - 2}, {q.right, q.bottom - 2}});
        }
        if (q.right != rectClient.right) {
            LineIn(hMem, ::GetSysColor(COLOR_BTNHIGHLIGHT),
                   {{q.right - 1, q.top + 1}, {q.right - 1, q.bottom}});
            LineIn(hMem, ::GetSysColor(COLOR_BTNSHADOW),
                   {{q.right - 2, q.top}, {q.right - 2, q.bottom - 2}});
        }
        if (m_bWorkbookMode)
            PaintTabs(hMem, area, r);
        ::BitBlt(hPaint, area.left, area.top, area.Width(), area.Height(), hMem, area.left,
                 area.top, SRCCOPY);
    }
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
}

void SECWorkbookWnd::PaintTabs(HDC hMem, const CRect& area, const CRect& r) {
    if (m_bFlatTabs)
        LineIn(hMem, ::GetSysColor(COLOR_WINDOWFRAME),
               {{r.left, r.bottom + 3}, {r.right + 1, r.bottom + 3}});
    CRect rectMDI(0, 0, 0, 0);
    if (m_hWndMDIClient != NULL)
        ::GetClientRect(m_hWndMDIClient, &rectMDI);
    if (rectMDI.IsRectEmpty())
        return;
    CDC* pDC = CDC::FromHandle(hMem);
    ::SetBkMode(hMem, TRANSPARENT);
    // Tabs outside the area are not drawn at all; the columns are counted on the way.
    const auto inArea = [&](int nColumn) {
        const int nLeft = r.left + nColumn * m_nTabWidth - WorkbookTabs::bevel * 2;
        const int nRight =
            nLeft + m_nTabWidth + WorkbookTabs::activeWidening + WorkbookTabs::bevel * 2;
        const CRect rectTab(nLeft, r.bottom, nRight, r.bottom + 8 + WorkbookTabs::tabHeight);
        return nLeft < area.right && nRight > area.left &&
               (m_hUpdateRgn == NULL || ::RectInRegion(m_hUpdateRgn, &rectTab));
    };
    // Raised tabs (the active one, and one being pressed) lie on top of their neighbours.
    SECWorksheetWnd* pActive = ActiveSheet();
    std::vector<SECWorksheetWnd*> raised;
    int nColumn = 0;
    for (int i = 0; i < GetSheetCount(); ++i) {
        SECWorksheetWnd* pSheet = GetSheet(i);
        if (!(pSheet->GetStyle() & WS_VISIBLE))
            continue;
        if (inArea(nColumn)) {
            DrawTab(pDC, pSheet);
            DrawTabLabel(pDC, pSheet);
            if (pSheet == pActive || pSheet->m_bPressed)
                raised.push_back(pSheet);
        }
        ++nColumn;
    }
    DrawClientBorder(pDC);
    for (SECWorksheetWnd* pSheet : raised) {
        DrawTab(pDC, pSheet);
        DrawTabLabel(pDC, pSheet);
    }
}
