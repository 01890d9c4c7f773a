// Printing a view: rows that wrap long lines, a header with the title, the body, and a footer
// with the page number.
#include "editor/edit_controller.h"
#include "editor/edit_view.h"
#include "framework/docview/document.h"

#include <algorithm>

namespace {
// Selects an object into a context for the scope.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object)
        : m_dc(dc), m_old(object ? ::SelectObject(dc, object) : NULL) {}
    ~Selected() {
        if (m_old)
            ::SelectObject(m_dc, m_old);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

void Rule(HDC dc, int left, int right, int y) {
    ::MoveToEx(dc, left, y, nullptr);
    ::LineTo(dc, right, y);
}
} // namespace

BOOL SECEditView::OnPreparePrinting(CPrintInfo* pInfo) {
    return DoPreparePrinting(pInfo);
}

void SECEditView::GetPrintMargins(CDC* pDC, CRect& rect) {
    const int x = pDC->GetDeviceCaps(LOGPIXELSX) / 2;
    const int y = pDC->GetDeviceCaps(LOGPIXELSY) / 2;
    rect.DeflateRect(x, y, x, y);
}

int SECEditView::GetHeaderHeight(CDC*) {
    return m_pPrintInfo ? 2 * m_pPrintInfo->m_lineHeight : 0;
}

int SECEditView::GetFooterHeight(CDC*) {
    return m_pPrintInfo ? 2 * m_pPrintInfo->m_lineHeight : 0;
}

void SECEditView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) {
    delete m_pPrintInfo;
    m_pPrintInfo = new SECEditPrintInfo;
    SECEditPrintInfo& info = *m_pPrintInfo;

    // The screen font's description at the printer's resolution.
    LOGFONTW lf = {};
    SECEditDisplayInfo* screen = GetDisplayInfo();
    HFONT screenFont = screen ? screen->GetFont(0) : NULL;
    if (!screenFont || !::GetObjectW(screenFont, sizeof lf, &lf))
        ::GetObjectW(::GetStockObject(ANSI_FIXED_FONT), sizeof lf, &lf);
    const int points = screen && screen->GetPointSize() > 0 ? screen->GetPointSize() : 10;
    lf.lfHeight = -::MulDiv(pDC->GetDeviceCaps(LOGPIXELSY), points, 72);
    lf.lfWidth = 0;
    info.m_font = ::CreateFontIndirectW(&lf);
    HDC dc = pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC;
    {
        Selected font(dc, info.m_font);
        TEXTMETRICW tm = {};
        ::GetTextMetricsW(dc, &tm);
        info.m_lineHeight = std::max<int>(1, tm.tmHeight + tm.tmExternalLeading);
        info.m_charWidth = std::max<int>(1, tm.tmAveCharWidth);
        SIZE space = {};
        ::GetTextExtentPoint32W(dc, L" ", 1, &space);
        info.m_spaceWidth = space.cx > 0 ? space.cx : info.m_charWidth;

        info.m_page.SetRect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
        GetPrintMargins(pDC, info.m_page);
        info.m_header = info.m_page;
        info.m_header.bottom = std::min(info.m_page.bottom, info.m_page.top + GetHeaderHeight(pDC));
        info.m_footer = info.m_page;
        info.m_footer.top =
            std::max(info.m_header.bottom, info.m_page.bottom - GetFooterHeight(pDC));
        // A body shorter than one line still prints one line a page.
        info.m_linesPerPage = std::max(1, info.GetBody().Height() / info.m_lineHeight);
        PaginatePrint(pDC);
    }
    const UINT rows = UINT(info.m_rows.size());
    const UINT pages =
        rows / UINT(info.m_linesPerPage) + (rows % UINT(info.m_linesPerPage) ? 1 : 0);
    if (pInfo)
        pInfo->SetMaxPage(std::max(1u, pages));
}

void SECEditView::PaginatePrint(CDC* pDC) {
    SECEditPrintInfo* info = m_pPrintInfo;
    SECEditModel* model = GetEditModel();
    if (info == nullptr)
        return;
    info->m_rows.clear();
    if (model == nullptr)
        return;
    const int lines = model->GetLineCount();
    info->m_rows.reserve(size_t(lines) + size_t(lines) / 4);
    HDC dc = pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC;
    Selected font(dc, info->m_font);
    SECEditLangConfig* config = GetLangConfig();
    const int tabWidth = std::max(1, (config ? config->GetTabSize() : 4) * info->m_spaceWidth);
    const int width = std::max(1, info->m_page.Width());
    std::wstring text;
    for (int line = 0; line < lines; ++line) {
        {
            CString scratch;
            const wchar_t* chars = nullptr;
            const int length = model->GetLinePointer(line, scratch, chars);
            text.assign(chars && length > 0 ? chars : L"", size_t(std::max(0, length)));
        }
        const int length = int(text.size());
        int column = 0;
        do {
            info->m_rows.emplace_back(line, column);
            int x = width;
            const int fit = SECEditController::ColumnFromX(text.c_str() + column, length - column,
                                                           x, dc, tabWidth, 0);
            // A row takes at least one character, or a line would never end.
            const int fitted = std::max(1, x > width ? fit - 1 : fit);
            column += fitted;
        } while (column < length);
    }
}

void SECEditView::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
    if (m_pPrintInfo == nullptr)
        OnBeginPrinting(pDC, pInfo);
    SECEditPrintInfo* info = m_pPrintInfo;
    HDC dc = pDC->m_hDC;
    Selected font(dc, info->m_font);
    const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = ::SetBkColor(dc, RGB(255, 255, 255));
    const UINT page = pInfo ? pInfo->m_nCurPage : 1;
    if (info->m_header.Height() > 0)
        PrintHeader(pDC, info, info->m_header);
    PrintBody(pDC, info, info->GetBody(), page);
    if (info->m_footer.Height() > 0)
        PrintFooter(pDC, info, info->m_footer, page);
    ::SetTextColor(dc, oldText);
    ::SetBkColor(dc, oldBack);
}

void SECEditView::PrintHeader(CDC* pDC, SECEditPrintInfo* info, const CRect& rect) {
    CString title;
    if (CDocument* doc = GetDocument())
        title = doc->GetTitle();
    if (title.IsEmpty())
        title = L"Untitled";
    HDC dc = pDC->m_hDC;
    const int lh = info->m_lineHeight;
    if (rect.Height() >= lh) {
        CRect strip(rect.left, rect.top, rect.right, rect.top + lh);
        ::DrawTextW(dc, title, title.GetLength(), &strip, DT_SINGLELINE | DT_PATH_ELLIPSIS);
    }
    const int y = rect.top + lh * 3 / 2;
    if (y < rect.bottom)
        Rule(dc, rect.left, rect.right, y);
}

void SECEditView::PrintBody(CDC* pDC, SECEditPrintInfo* info, const CRect& rect, UINT nPage) {
    SECEditModel* model = GetEditModel();
    if (model == nullptr || info->m_rows.empty() || nPage == 0)
        return;
    const size_t perPage = size_t(info->m_linesPerPage);
    const size_t first = size_t(nPage - 1) * perPage;
    if (first >= info->m_rows.size())
        return;
    const size_t last = std::min(first + perPage, info->m_rows.size()) - 1;
    SECEditLangConfig* config = GetLangConfig();
    int tabWidth = std::max(1, (config ? config->GetTabSize() : 4) * info->m_spaceWidth);
    HDC dc = pDC->m_hDC;
    std::wstring text;
    int y = rect.top;
    for (size_t row = first; row <= last; ++row) {
        const SECEditPosition start = info->m_rows[row];
        {
            CString scratch;
            const wchar_t* chars = nullptr;
            const int length = model->GetLinePointer(start.m_line, scratch, chars);
            text.assign(chars && length > 0 ? chars : L"", size_t(std::max(0, length)));
        }
        int end = int(text.size());
        if (row + 1 < info->m_rows.size() && info->m_rows[row + 1].m_line == start.m_line)
            end = info->m_rows[row + 1].m_column;
        const int count = std::max(0, end - start.m_column);
        if (count > 0)
            ::TabbedTextOutW(dc, rect.left, y, text.c_str() + start.m_column, count, 1, &tabWidth,
                             rect.left);
        y += info->m_lineHeight;
    }
}

void SECEditView::PrintFooter(CDC* pDC, SECEditPrintInfo* info, const CRect& rect, UINT nPage) {
    HDC dc = pDC->m_hDC;
    const int lh = info->m_lineHeight;
    const int ruleY = rect.top + lh / 2;
    if (ruleY < rect.bottom)
        Rule(dc, rect.left, rect.right, ruleY);
    const int textY = ruleY + lh / 2;
    if (textY + lh <= rect.bottom) {
        CString text;
        text.Format(L"Page: %d", int(nPage));
        ::TextOutW(dc, rect.left, textY, text, text.GetLength());
    }
}

void SECEditView::OnEndPrinting(CDC*, CPrintInfo*) {
    delete m_pPrintInfo;
    m_pPrintInfo = nullptr;
}
