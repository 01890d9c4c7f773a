// SECDockBar: the layout pass that places the rows and their bars, splitters and edges.
#include "docking/dock_bar.h"

#include "docking/workbook.h"

#include <algorithm>

namespace {
bool IsFixedBar(CControlBar* pBar);

// The mode a bar of this dock bar is measured with: floating, a bar that changes shape (or a
// sizable control bar, whose floating size the resize commits) answers its floating size.
DWORD MeasureMode(const SECDockBar* pDockBar, CControlBar* pBar) {
    if (pDockBar->m_bFloating && ((pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC) || !IsFixedBar(pBar)))
        return LM_HORZ | LM_MRUWIDTH | LM_LENGTHY;
    return pDockBar->IsHorz() ? (LM_HORZDOCK | LM_HORZ | LM_LENGTHY) : LM_VERTDOCK;
}

CSize Measure(const SECDockBar* pDockBar, CControlBar* pBar) {
    if (pDockBar->m_bFloating && !(pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC) && IsFixedBar(pBar))
        return pBar->CalcFixedLayout(FALSE, pDockBar->IsHorz());
    return pBar->CalcDynamicLayout(-1, MeasureMode(pDockBar, pBar));
}

bool IsFixedBar(CControlBar* pBar) {
    SECControlBar* sec = SECDockBar::AsSECBar(pBar);
    return sec == nullptr || (sec->m_dwExStyle & CBRS_EX_FIXEDSIZE) != 0;
}

// Whether a bar is told the row's length before it is measured. A sizable bar takes it as its
// length; a custom toolbar takes it as the length its rows must fit, and wraps only when it is
// longer than the whole row. Any other fixed bar keeps the size it has (the length would
// replace it), and a row with no room asks no toolbar to fold into it.
bool TakesRowLength(CControlBar* pBar, int nLength) {
    if (!IsFixedBar(pBar))
        return true;
    return nLength > 0 && (SECDockBar::ToolBarTraitsOf(pBar) & SEC_BAR_WRAPS);
}

// A toolbar in its own border style, whose borders its neighbours overlap.
bool IsCoolToolBar(CControlBar* pBar) {
    SECControlBar* sec = SECDockBar::AsSECBar(pBar);
    return sec != nullptr && (sec->m_dwExStyle & CBRS_EX_COOL) &&
           (sec->GetToolBarTraits() & SEC_BAR_WRAPS);
}

// Where the first bar of a row starts along it: toolbars in their own border style just past
// the dock bar's edge (further with sizable bars in the row), other bars over its border.
int RowStartOffset(const SECDockBar* pDockBar, CControlBar* pFirst, bool bSizableRow) {
    if (pDockBar->m_bFloating)
        return 0;
    const int nOffset = IsCoolToolBar(pFirst) ? (bSizableRow ? -3 : -1) : -2;
    // Three-dimensional workbook tabs take two pixels of the frame's edge.
    CFrameWnd* pFrame = pDockBar->GetParentFrame();
    const bool bTabs = SECWorkbookWnd::s_b3DTabs && pFrame != nullptr &&
                       pFrame->IsKindOf(RUNTIME_CLASS(SECWorkbookWnd));
    return nOffset + (bTabs ? 2 : 0);
}
} // namespace

int SECDockBar::GetRowThickness(int nFirst) const {
    int nThickness = 0;
    for (int i = std::max(nFirst, 1), e = RowEnd(nFirst); i < e; ++i) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar == nullptr || !IsBarVisible(pBar))
            continue;
        const CSize size = Measure(this, pBar);
        const bool bHeight = (MeasureMode(this, pBar) & LM_HORZ) != 0;
        nThickness = std::max(nThickness, (int)(bHeight ? size.cy : size.cx));
    }
    return nThickness;
}

void SECDockBar::SetRowThickness(int nFirst, int nThickness) {
    nThickness = std::max(nThickness, 0);
    for (int i = RowStart(nFirst), e = RowEnd(nFirst); i < e; ++i)
        if (CControlBar* pBar = GetDockedControlBar(i))
            pBar->CalcDynamicLayout(nThickness, IsHorz() ? (LM_HORZDOCK | LM_LENGTHY | LM_COMMIT)
                                                         : (LM_VERTDOCK | LM_COMMIT));
}

void SECDockBar::ShrinkRowThickness(int nFirst, int nDelta) {
    for (int i = RowStart(nFirst), e = RowEnd(nFirst); i < e; ++i) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar == nullptr)
            continue;
        const CSize size = Measure(this, pBar);
        const int nNow = IsHorz() ? size.cy : size.cx;
        pBar->CalcDynamicLayout(std::max(nNow - nDelta, 0),
                                IsHorz() ? (LM_HORZDOCK | LM_LENGTHY | LM_COMMIT)
                                         : (LM_VERTDOCK | LM_COMMIT));
    }
}

int SECDockBar::SizeBarInRow(SECControlBar* pBar, int nDelta, int nRowSize) {
    const int nNow = IsHorz() ? pBar->m_szHorzDock.cx : pBar->m_szVertDock.cy;
    const int nNew = std::max(nNow + nDelta, SEC_MIN_BAR_LENGTH);
    if (nRowSize <= 0)
        return nDelta; // a row of no length has no shares to move
    pBar->m_fFloatProportion = std::max((float)nNew / (float)nRowSize, m_fMinShare);
    const int nLength = (int)(pBar->m_fFloatProportion * (float)nRowSize);
    pBar->CalcDynamicLayout(nLength, IsHorz() ? (LM_HORZDOCK | LM_COMMIT)
                                              : (LM_VERTDOCK | LM_LENGTHY | LM_COMMIT));
    return nDelta - (nLength - nNow);
}

SECDockBar::Splitter* SECDockBar::AddSplitter(int nKind, int nOrientation, const CRect& rect,
                                              int nIndex) {
    for (const auto& s : m_splitters)
        if (s->m_rect == rect) {
            s->m_nKind = nKind;
            s->m_nOrientation = nOrientation;
            s->m_nIndex = nIndex;
            s->m_bLive = TRUE;
            return s.get();
        }
    auto s = std::make_unique<Splitter>();
    s->m_nKind = nKind;
    s->m_nOrientation = nOrientation;
    s->m_rect = rect;
    s->m_nIndex = nIndex;
    s->m_bLive = TRUE;
    m_splitters.push_back(std::move(s));
    return m_splitters.back().get();
}

SECDockBar::ClientEdge* SECDockBar::AddClientEdge(int nOrientation, const CRect& rect) {
    for (const auto& e : m_edges)
        if (e->m_rect == rect) {
            e->m_nOrientation = nOrientation;
            e->m_bLive = TRUE;
            return e.get();
        }
    auto e = std::make_unique<ClientEdge>();
    e->m_nOrientation = nOrientation;
    e->m_rect = rect;
    e->m_bLive = TRUE;
    m_edges.push_back(std::move(e));
    return m_edges.back().get();
}

// Neighbouring toolbars in their own border style share their border lines.
int SECDockBar::BorderOverlap(const std::vector<CControlBar*>& bars, size_t k) const {
    return k > 0 && !m_bFloating && IsCoolToolBar(bars[k]) && IsCoolToolBar(bars[k - 1]) ? 2 : 0;
}

// The first bar after the row's first that would end past the row's length, where the layout
// places bars side by side; bars.size() when all of them fit.
size_t SECDockBar::FirstBarPastRowEnd(const std::vector<CControlBar*>& bars,
                                      const std::vector<CSize>& sizes, int nLength) const {
    if (bars.empty())
        return 0;
    int nAlong = RowStartOffset(this, bars.front(), false);
    for (size_t k = 0; k < bars.size(); ++k) {
        nAlong += (IsHorz() ? sizes[k].cx : sizes[k].cy) - BorderOverlap(bars, k);
        if (k > 0 && nAlong > nLength)
            return k;
    }
    return bars.size();
}

// Whether bars[nFrom...] fit at the start of the row after the one that ends at nEnd, before its
// own shown bars, all of fixed size; false where there is no next row.
bool SECDockBar::FitsAtNextRowStart(int nEnd, const std::vector<CControlBar*>& bars,
                                    const std::vector<CSize>& sizes, size_t nFrom,
                                    int nLength) const {
    if (nEnd + 1 >= m_arrBars.GetSize())
        return false;
    std::vector<CControlBar*> joined(bars.begin() + nFrom, bars.end());
    std::vector<CSize> joinedSizes(sizes.begin() + nFrom, sizes.end());
    for (int i = nEnd + 1, e = RowEnd(nEnd + 1); i < e; ++i) {
        CControlBar* p = GetDockedControlBar(i);
        if (p == nullptr || !IsBarVisible(p) || p->m_hWnd == NULL)
            continue;
        if (!IsFixedBar(p))
            return false;
        joined.push_back(p);
        joinedSizes.push_back(Measure(this, p));
    }
    return FirstBarPastRowEnd(joined, joinedSizes, nLength) >= joined.size();
}

// One pass: rows one after another across the dock bar, bars side by side along each row. Only
// bars whose rectangle changes are moved, all in one deferred batch.
CSize SECDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    const bool bQuery = m_pLayout == nullptr || m_pLayout->hDWP == NULL;
    const CRect rectLayout = m_pLayout != nullptr ? CRect(m_pLayout->rect) : [&] {
        CRect r(0, 0, 0, 0);
        if (CWnd* pParent = GetParent())
            pParent->GetClientRect(&r);
        return r;
    }();
    const bool bHorzBar = IsHorz();
    const int nLength = std::max(0, (int)(bHorzBar ? rectLayout.Width() : rectLayout.Height()));
    HDWP hDWP = NULL;
    if (!bQuery) {
        hDWP = ::BeginDeferWindowPos((int)m_arrBars.GetSize());
        for (auto& s : m_splitters)
            s->m_bLive = FALSE;
        for (auto& e : m_edges)
            e->m_bLive = FALSE;
    }
    const bool bTopOrLeft = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT)) != 0;
    const UINT nMoveFlags =
        SWP_NOZORDER | SWP_NOACTIVATE | (SECControlBar::GetLayoutNoRedraw() > 0 ? SWP_NOREDRAW : 0);
    auto across = [&](int a0, int a1, int c0, int c1) {
        return bHorzBar ? CRect(a0, c0, a1, c1) : CRect(c0, a0, c1, a1);
    };
    int nPos = 0;    // across the rows
    int nMaxRow = 0; // the longest row
    // The rows nearest to and farthest from the frame's edge whose thickness changed.
    int nThickFirst = -1, nThickLast = -1;
    for (int nFirst = 1; nFirst < m_arrBars.GetSize();) {
        int nEnd = RowEnd(nFirst);
        int nSizable = 0, nFixed = 0;
        std::vector<CControlBar*> bars;
        std::vector<CSize> sizes;
        int nThickness = 0;
        // Measures the row's bars; true when one of them had to start a row of its own.
        auto measureRow = [&]() {
            NormalizeRow(nFirst, m_pLastChangedBar, &nSizable, &nFixed);
            bars.clear();
            sizes.clear();
            nThickness = 0;
            for (int i = nFirst; i < nEnd; ++i)
                if (CControlBar* p = GetDockedControlBar(i))
                    if (IsBarVisible(p) && p->m_hWnd != NULL)
                        bars.push_back(p);
            const int nCommit =
                std::max(0, nLength - SEC_SPLITTER_SIZE * (int)bars.size() + SEC_SPLITTER_SIZE);
            for (CControlBar* p : bars) {
                if (!m_bFloating && TakesRowLength(p, nCommit))
                    p->CalcDynamicLayout(nCommit,
                                         (bHorzBar ? LM_HORZDOCK : (LM_VERTDOCK | LM_LENGTHY)) |
                                             LM_COMMIT | (nSizable > 0 ? LM_STRETCH : 0));
                sizes.push_back(Measure(this, p));
            }
            // Bars of fixed size that run past the row's end go on in the next row, at its
            // start, where they fit there beside its own bars, and in a row of their own after
            // it otherwise: none is drawn beyond the frame's edge. Sizable bars share the row's
            // length and always fit; a floating dock bar takes the size its bars need.
            if (bQuery || m_bFloating || nSizable > 0 || nLength <= 0)
                return false;
            const size_t nWrap = FirstBarPastRowEnd(bars, sizes, nLength);
            if (nWrap >= bars.size())
                return false;
            const int nAt = FindBar(bars[nWrap]);
            if (FitsAtNextRowStart(nEnd, bars, sizes, nWrap, nLength))
                m_arrBars.RemoveAt(nEnd); // the row's end moves back: the next row takes them
            m_arrBars.InsertAt(nAt, static_cast<void*>(nullptr));
            InvalidateRowsFrom(nAt);
            m_bRowsChanged = TRUE;
            nEnd = nAt;
            return true;
        };
        while (measureRow()) {
        }
        for (const CSize& size : sizes)
            nThickness = std::max(nThickness, (int)(bHorzBar ? size.cy : size.cx));
        const int nRowFirst = nFirst;
        nFirst = nEnd + 1;
        if (bars.empty())
            continue;
        const bool bSizableRow = nSizable > 0 && !m_bFloating;
        if (nThickness <= 0)
            continue; // a row of no thickness takes no space
        if (bSizableRow && bTopOrLeft) {
            if (!bQuery)
                AddClientEdge(bHorzBar ? 0 : 1, across(0, nLength, nPos, nPos + SEC_CLIENT_EDGE));
            nPos += SEC_CLIENT_EDGE;
        } else if (bSizableRow) {
            if (!bQuery)
                AddSplitter(0, bHorzBar ? 0 : 1, across(0, nLength, nPos, nPos + SEC_SPLITTER_SIZE),
                            nRowFirst);
            nPos += SEC_SPLITTER_SIZE;
        }
        int nAlong = RowStartOffset(this, bars.front(), bSizableRow);
        for (size_t k = 0; k < bars.size(); ++k) {
            CControlBar* p = bars[k];
            const int nBarLength = bHorzBar ? sizes[k].cx : sizes[k].cy;
            nAlong -= BorderOverlap(bars, k);
            CRect rect = across(nAlong, nAlong + nBarLength, nPos, nPos + nThickness);
            const bool bLast = k + 1 == bars.size();
            if (bLast && !IsFixedBar(p) && !m_bFloating)
                (bHorzBar ? rect.right : rect.bottom) = std::max(nLength, nAlong);
            if (!bQuery) {
                CRect now;
                p->GetWindowRect(&now);
                ScreenToClient(&now);
                if (now != rect) {
                    const bool bResized = now.Size() != rect.Size();
                    if ((bHorzBar ? now.Height() : now.Width()) != nThickness) {
                        nThickLast = nRowFirst;
                        if (nThickFirst < 0)
                            nThickFirst = nRowFirst;
                    }
                    hDWP = hDWP != NULL ? ::DeferWindowPos(hDWP, p->m_hWnd, NULL, rect.left,
                                                           rect.top, rect.Width(), rect.Height(),
                                                           nMoveFlags | (bResized ? 0 : SWP_NOSIZE))
                                        : NULL;
                    if (bResized)
                        AddInvalidBar(p);
                }
                if (!m_bFloating && p->m_pDockContext != nullptr) {
                    p->m_pDockContext->m_rectMRUDockPos = rect;
                    p->m_pDockContext->m_uMRUDockID = (UINT)GetDlgCtrlID();
                }
            }
            nAlong += nBarLength;
            if (!bLast && bSizableRow) {
                if (!bQuery)
                    AddSplitter(1, bHorzBar ? 1 : 0,
                                across(nAlong, nAlong + SEC_SPLITTER_SIZE, nPos, nPos + nThickness),
                                FindBar(p));
                nAlong += SEC_SPLITTER_SIZE;
            }
        }
        nMaxRow = std::max(nMaxRow, nAlong);
        nPos += nThickness;
        if (bSizableRow && bTopOrLeft) {
            if (!bQuery)
                AddSplitter(0, bHorzBar ? 0 : 1, across(0, nLength, nPos, nPos + SEC_SPLITTER_SIZE),
                            nRowFirst);
            nPos += SEC_SPLITTER_SIZE;
        } else if (bSizableRow) {
            if (!bQuery)
                AddClientEdge(bHorzBar ? 0 : 1, across(0, nLength, nPos, nPos + SEC_CLIENT_EDGE));
            nPos += SEC_CLIENT_EDGE;
        }
    }
    if (!bQuery) {
        if (hDWP != NULL)
            ::EndDeferWindowPos(hDWP);
        m_splitters.erase(
            std::remove_if(m_splitters.begin(), m_splitters.end(),
                           [](const std::unique_ptr<Splitter>& s) { return !s->m_bLive; }),
            m_splitters.end());
        m_edges.erase(
            std::remove_if(m_edges.begin(), m_edges.end(),
                           [](const std::unique_ptr<ClientEdge>& e) { return !e->m_bLive; }),
            m_edges.end());
        m_pLastChangedBar = nullptr;
        // A row that grew or shrank moves every row beyond it: those repaint too.
        if (nThickFirst >= 0)
            InvalidateRowsToFarSide(bTopOrLeft ? nThickFirst : nThickLast);
    }
    CSize size = bHorzBar ? CSize(nMaxRow, nPos) : CSize(nPos, nMaxRow);
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, bHorz);
    size.cx -= inside.Width();
    size.cy -= inside.Height();
    if (bStretch) {
        if (bHorzBar)
            size.cx = rectLayout.Width();
        else
            size.cy = rectLayout.Height();
    }
    return size;
}

LRESULT SECDockBar::OnSizeParent(WPARAM, LPARAM lParam) {
    auto* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (lpLayout == nullptr)
        return 0;
    const int nOldNoRedraw = SECControlBar::GetLayoutNoRedraw();
    if (nOldNoRedraw > 0)
        SECControlBar::SetLayoutNoRedraw(m_bRowsChanged ? 1 : 0);
    m_pLayout = lpLayout;
    const bool bHorz = IsHorz();
    CRect rect(lpLayout->rect);
    const CPoint origin = rect.TopLeft();
    const CSize avail = rect.Size();
    CSize size = CalcFixedLayout(lpLayout->bStretch || !m_bFloating, bHorz);
    m_pLayout = nullptr;
    SECControlBar::SetLayoutNoRedraw(nOldNoRedraw);
    size.cx = std::max(0L, std::min(size.cx, avail.cx));
    size.cy = std::max(0L, std::min(size.cy, avail.cy));
    if (bHorz) {
        lpLayout->sizeTotal.cy += size.cy;
        lpLayout->sizeTotal.cx = std::max(lpLayout->sizeTotal.cx, size.cx);
    } else {
        lpLayout->sizeTotal.cx += size.cx;
        lpLayout->sizeTotal.cy = std::max(lpLayout->sizeTotal.cy, size.cy);
    }
    if (m_dwStyle & CBRS_ALIGN_TOP) {
        rect.bottom = rect.top + size.cy;
        lpLayout->rect.top += size.cy;
    } else if (m_dwStyle & CBRS_ALIGN_BOTTOM) {
        rect.top = rect.bottom - size.cy;
        lpLayout->rect.bottom -= size.cy;
    } else if (m_dwStyle & CBRS_ALIGN_LEFT) {
        rect.right = rect.left + size.cx;
        lpLayout->rect.left += size.cx;
    } else if (m_dwStyle & CBRS_ALIGN_RIGHT) {
        rect.left = rect.right - size.cx;
        lpLayout->rect.right -= size.cx;
    }
    // A floating frame's dock bar fills its client area from the corner: where the layout
    // rectangle was, not where it is now that the bar's own height has been taken from it.
    if (m_bFloating)
        rect = CRect(origin, size);
    AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    if (lpLayout->hDWP != NULL && m_arrInvalidBars.GetSize() > 0)
        ::InvalidateRect(m_hWnd, NULL, TRUE);
    return 0;
}
