// A custom toolbar's layout: rows for a length, their balance, the buttons' places, hit tests.
#include "toolbars/custom_toolbar.h"

#include "docking/dock_bar.h"

#include <commctrl.h>

#include <algorithm>

namespace {
bool IsSep(const SECStdBtn* pBtn) {
    return (pBtn->m_nStyle & SEC_TBBS_SEPARATOR) != 0;
}
bool IsHidden(const SECStdBtn* pBtn) {
    return (pBtn->m_nStyle & SEC_TBBS_HIDDEN) != 0;
}
} // namespace

int SECCustomToolBar::LayoutRow(int nWidth, std::vector<SECBtnRow>& rows) {
    rows.clear();
    const int nCount = GetButtonCount();
    int nStart = 0; // first button of the current row
    int nSum = 0;
    for (int i = 0; i < nCount; ++i) {
        SECStdBtn* pBtn = m_btns[i].get();
        if (nSum + pBtn->m_cx > nWidth + 2 && i > nStart) {
            int nSep = -1;
            for (int j = i; j > nStart; --j)
                if (IsSep(m_btns[j].get())) {
                    nSep = j;
                    break;
                }
            if (nSep >= 0) {
                rows.push_back({nSep, 1, 0, 0});
                nStart = nSep + 1;
            } else {
                rows.push_back({i - 1, 0, 0, 0});
                nStart = i;
            }
            nSum = 0;
            for (int j = nStart; j <= i; ++j)
                nSum += m_btns[j]->m_cx;
            continue;
        }
        nSum += pBtn->m_cx;
    }
    if (nCount > 0)
        rows.push_back({nCount - 1, 0, 0, 0});
    // Widths without the breaking separators; heights of the real buttons.
    int nFirst = 0;
    for (SECBtnRow& row : rows) {
        row.nWidth = row.nHeight = 0;
        for (int j = nFirst; j <= row.nLast; ++j) {
            const SECStdBtn* pBtn = m_btns[j].get();
            if (row.bBreak && j == row.nLast)
                continue;
            row.nWidth += pBtn->m_cx;
            if (!IsSep(pBtn))
                row.nHeight = std::max(row.nHeight, pBtn->m_cy);
        }
        if (row.nHeight == 0)
            row.nHeight = GetButtonHeight();
        nFirst = row.nLast + 1;
    }
    return static_cast<int>(rows.size());
}

void SECCustomToolBar::BalanceRows(std::vector<SECBtnRow>& rows) {
    // Moves buttons out of the widest row into the next one while that stays narrower: the
    // last button, or, when the row ends at a breaking separator, the button before it with
    // the separator, which then stands inside the next row (the break is undone).
    auto height = [this](int nFirst, int nLast) {
        int cy = 0;
        for (int j = nFirst; j <= nLast; ++j)
            if (!IsSep(m_btns[j].get()))
                cy = std::max(cy, m_btns[j]->m_cy);
        return cy > 0 ? cy : GetButtonHeight();
    };
    for (int nGuard = 0; nGuard < GetButtonCount() * 2; ++nGuard) {
        int nWidest = 0;
        for (int i = 0; i < static_cast<int>(rows.size()); ++i)
            if (rows[i].nWidth >= rows[nWidest].nWidth)
                nWidest = i;
        if (nWidest + 1 >= static_cast<int>(rows.size()))
            return;
        SECBtnRow& row = rows[nWidest];
        SECBtnRow& next = rows[nWidest + 1];
        const int nFirst = nWidest > 0 ? rows[nWidest - 1].nLast + 1 : 0;
        // A break after a single button stays: undoing it would empty the row.
        const int nMove = row.bBreak ? row.nLast - 1 : row.nLast;
        if (nMove <= nFirst || IsSep(m_btns[nMove].get()) || IsSep(m_btns[nMove - 1].get()))
            return;
        const int cx = m_btns[nMove]->m_cx;
        const int cxCarried = row.bBreak ? cx + m_btns[row.nLast]->m_cx : cx;
        if (next.nWidth + cxCarried >= row.nWidth - cx)
            return;
        row.nLast = nMove - 1;
        row.bBreak = 0;
        row.nWidth -= cx;
        next.nWidth += cxCarried;
        row.nHeight = height(nFirst, row.nLast);
        next.nHeight = height(row.nLast + 1, next.nLast);
    }
}

int SECCustomToolBar::LayoutWrap(int nLength, DWORD dwMode, std::vector<SECBtnRow>& rows) {
    if (m_dwStyle & CBRS_SIZE_FIXED)
        nLength = 32767;
    // From the docking side: left and right dock bars stack the buttons.
    m_bVertical =
        (dwMode & LM_VERTDOCK) != 0 || (!(dwMode & (LM_HORZ | LM_HORZDOCK)) && !IsFloating() &&
                                        (m_dwStyle & CBRS_ORIENT_ANY) == CBRS_ORIENT_VERT);
    if (nLength < 0)
        nLength = m_bVertical ? 0 : 32767;
    int nRows = 0;
    if (!(m_dwStyle & CBRS_SIZE_DYNAMIC)) {
        nRows = LayoutRow(m_bVertical ? 0 : 32767, rows);
    } else if (dwMode & LM_MRUWIDTH) {
        nRows = LayoutRow(m_nMRUWidth, rows);
    } else if ((dwMode & LM_LENGTHY) && !(dwMode & LM_HORZDOCK)) {
        // The narrowest width whose rows fit the height: floating, or docked on a side that
        // gives the bar no more than that height.
        int nWidth = 0;
        for (; nWidth < 32767; nWidth += 4) {
            LayoutRow(nWidth, rows);
            int cy = 0;
            for (const SECBtnRow& row : rows)
                cy += row.nHeight + (row.bBreak ? 2 * GetSeparatorWidth() / 3 : 0);
            if (cy <= nLength || rows.size() <= 1)
                break;
        }
        nRows = static_cast<int>(rows.size());
    } else {
        nRows = LayoutRow(nLength, rows);
        if (nRows > 1 && !m_bVertical)
            BalanceRows(rows);
    }
    for (auto& pBtn : m_btns)
        pBtn->m_nStyle &= ~SEC_TBBS_WRAPPED;
    for (int i = 0; i + 1 < nRows; ++i)
        m_btns[rows[i].nLast]->m_nStyle |= SEC_TBBS_WRAPPED;
    return nRows;
}

CSize SECCustomToolBar::CalcLayout(int nLength, DWORD dwMode) {
    // Hidden buttons sit out the layout.
    std::vector<std::pair<int, std::unique_ptr<SECStdBtn>>> hidden;
    for (int i = GetButtonCount() - 1; i >= 0; --i)
        if (IsHidden(m_btns[i].get())) {
            hidden.emplace_back(i, std::move(m_btns[i]));
            m_btns.erase(m_btns.begin() + i);
        }
    const BOOL bHorz = (dwMode & LM_HORZ) != 0;
    CRect rcBorder(0, 0, 0, 0);
    CalcInsideRect(rcBorder, bHorz);
    const CSize border(-rcBorder.Width(), -rcBorder.Height());
    const CPoint origin(rcBorder.left, rcBorder.top);
    const HWND hRebar = RebarHost();
    // A full-length bar spans its docking side: a horizontal one wraps its rows at that
    // length; a vertical one keeps a button a row and only grows to it.
    const int nFull = FullLength(dwMode);
    if (nFull > 0 && (dwMode & LM_HORZDOCK))
        nLength = nFull;
    CSize size;
    if (m_btns.empty()) {
        size = CSize(GetButtonWidth(), GetButtonHeight()) + border;
    } else {
        std::vector<SECBtnRow> rows;
        if (dwMode & LM_COMMIT || hRebar != NULL || m_bRecalcHorz || m_bRecalcVert || m_bRecalcMRU)
            LayoutWrap(nLength > 0 && nLength < 32767
                           ? nLength - ((dwMode & LM_LENGTHY) ? border.cy : border.cx)
                           : nLength,
                       dwMode, rows);
        // Places, row by row.
        const int nSep = GetSeparatorWidth();
        int x = origin.x, y = origin.y, cxMax = 0, nRowStart = 0;
        const int nCount = GetButtonCount();
        for (int i = 0; i < nCount; ++i) {
            SECStdBtn* pBtn = m_btns[i].get();
            const bool bEnd = (pBtn->m_nStyle & SEC_TBBS_WRAPPED) || i == nCount - 1;
            if (!bEnd || !IsSep(pBtn) || i == nCount - 1) {
                pBtn->SetPos(x, y);
                x += pBtn->m_cx;
            }
            if (!bEnd)
                continue;
            int cyRow = 0;
            for (int j = nRowStart; j <= i; ++j)
                if (!IsSep(m_btns[j].get()))
                    cyRow = std::max(cyRow, m_btns[j]->m_cy);
            if (cyRow == 0)
                cyRow = GetButtonHeight();
            for (int j = nRowStart; j <= i; ++j)
                if (IsSep(m_btns[j].get()))
                    m_btns[j]->m_cy = cyRow;
            cxMax = std::max<int>(cxMax, x - origin.x);
            y += cyRow;
            if (IsSep(pBtn) && i != nCount - 1) {
                // A breaking separator becomes the gap between the rows.
                pBtn->SetPos(origin.x, y + 2 * nSep / 6);
                y += 2 * nSep / 3;
            }
            x = origin.x;
            nRowStart = i + 1;
        }
        size = CSize(cxMax, y - origin.y) + border;
    }
    if (nFull > 0) {
        LONG& extent = (dwMode & LM_HORZDOCK) ? size.cx : size.cy;
        extent = std::max<LONG>(extent, nFull);
        PlaceFarEndButton(size, (dwMode & LM_HORZDOCK) != 0);
    }
    for (auto it = hidden.rbegin(); it != hidden.rend(); ++it)
        m_btns.insert(m_btns.begin() + it->first, std::move(it->second));
    if (dwMode & LM_HORZDOCK) {
        m_szLayoutHorz = size;
        m_bRecalcHorz = FALSE;
    } else if (dwMode & LM_VERTDOCK) {
        m_szLayoutVert = size;
        m_bRecalcVert = FALSE;
    } else {
        m_szLayoutFloat = size;
        m_bRecalcMRU = FALSE;
    }
    const bool bFloating = !(dwMode & (LM_HORZDOCK | LM_VERTDOCK));
    if ((dwMode & LM_COMMIT) && !(dwMode & LM_LENGTHY) && bFloating)
        m_nMRUWidth = size.cx;
    // A floating frame draws its own border, where the bar's outermost pixels would be.
    if (bFloating)
        size -= CSize(2, 2);
    UpdateRebarBand(hRebar, size);
    return size;
}

HWND SECCustomToolBar::RebarHost() const {
    HWND hParent = m_hWnd != NULL ? ::GetParent(m_hWnd) : NULL;
    wchar_t szClass[32] = {};
    if (hParent == NULL || !::GetClassNameW(hParent, szClass, 32) ||
        ::lstrcmpiW(szClass, REBARCLASSNAMEW) != 0)
        return NULL;
    return hParent;
}

int SECCustomToolBar::FullLength(DWORD dwMode) const {
    if (!(m_dwExStyle & CBRS_EX_FULLLENGTH) || m_hWnd == NULL)
        return 0;
    if (dwMode & LM_HORZDOCK) {
        const HWND hRebar = RebarHost();
        const CWnd* pOwner = GetOwner();
        const HWND hOwner = hRebar != NULL ? hRebar : pOwner != nullptr ? pOwner->m_hWnd : NULL;
        RECT rc = {};
        if (hOwner == NULL || !::GetClientRect(hOwner, &rc))
            return 0;
        return rc.right - rc.left - (hRebar != NULL ? 12 : 0);
    }
    if (dwMode & LM_VERTDOCK) {
        const UINT nDockBar = m_pDockBar != nullptr ? m_pDockBar->GetDlgCtrlID() : 0;
        CFrameWnd* pFrame = GetDockingFrame();
        CWnd* pSide = nDockBar == AFX_IDW_DOCKBAR_LEFT || nDockBar == AFX_IDW_DOCKBAR_RIGHT
                          ? static_cast<CWnd*>(m_pDockBar)
                      : pFrame != nullptr ? pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT)
                                          : nullptr;
        if (pSide == nullptr || pSide->m_hWnd == NULL)
            return 0;
        CRect rect;
        pSide->GetWindowRect(&rect);
        return rect.Height();
    }
    return 0;
}

void SECCustomToolBar::PlaceFarEndButton(CSize size, BOOL bHorz) {
    const int nCount = GetButtonCount();
    SECStdBtn* pLast = nCount > 0 ? m_btns.back().get() : nullptr;
    if (pLast == nullptr || pLast->m_nType != SEC_BTNKIND_FAREND || m_hWnd == NULL ||
        !(m_dwExStyle & CBRS_EX_FULLLENGTH))
        return;
    // Along one row only: a wrapped horizontal bar keeps the button in its row. Never over
    // the button before it.
    const SECStdBtn* pBefore = nCount > 1 ? m_btns[nCount - 2].get() : nullptr;
    CPoint pt(pLast->m_x, pLast->m_y);
    if (bHorz) {
        for (int i = 0; i + 1 < nCount; ++i)
            if (m_btns[i]->m_nStyle & SEC_TBBS_WRAPPED)
                return;
        pt.x = size.cx - 2 - pLast->m_cx;
        if (pBefore != nullptr)
            pt.x = std::max<LONG>(pt.x, pBefore->m_x + pBefore->m_cx);
    } else {
        pt.y = size.cy - 2 - pLast->m_cy;
        if (pBefore != nullptr)
            pt.y = std::max<LONG>(pt.y, pBefore->m_y + pBefore->m_cy);
    }
    if (pt == CPoint(pLast->m_x, pLast->m_y))
        return;
    InvalidateButton(nCount - 1);
    pLast->SetPos(pt.x, pt.y);
    InvalidateButton(nCount - 1);
}

void SECCustomToolBar::UpdateRebarBand(HWND hRebar, CSize size) {
    if (hRebar == NULL || !(m_dwExStyle & CBRS_EX_FULLLENGTH))
        return;
    const int nBands = static_cast<int>(::SendMessageW(hRebar, RB_GETBANDCOUNT, 0, 0));
    for (int i = 0; i < nBands; ++i) {
        REBARBANDINFOW band = {};
        band.cbSize = sizeof band;
        band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE;
        if (!::SendMessageW(hRebar, RB_GETBANDINFOW, i, reinterpret_cast<LPARAM>(&band)) ||
            band.hwndChild != m_hWnd)
            continue;
        const bool bHeight = band.cyMinChild != static_cast<UINT>(size.cy);
        const bool bWidth = size.cx > 0 && band.cxMinChild != static_cast<UINT>(size.cx);
        if (!bHeight && !bWidth)
            return;
        band.fMask = RBBIM_CHILDSIZE;
        band.cyMinChild = size.cy;
        if (bWidth)
            band.cxMinChild = size.cx;
        ::SendMessageW(hRebar, RB_SETBANDINFOW, i, reinterpret_cast<LPARAM>(&band));
        return;
    }
}

void SECCustomToolBar::ResizeToParent() {
    CWnd* pParent = m_hWnd != NULL ? GetParent() : nullptr;
    if (m_pDockContext != nullptr || pParent == nullptr)
        return;
    CRect rcParent, rcBar;
    pParent->GetClientRect(&rcParent);
    GetWindowRect(&rcBar);
    const bool bVert = !(m_dwStyle & CBRS_ORIENT_HORZ) && (m_dwStyle & CBRS_ORIENT_VERT);
    const CSize size =
        bVert ? CSize(rcBar.Width(), rcParent.Height()) : CSize(rcParent.Width(), rcBar.Height());
    if (size != rcBar.Size())
        SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT SECCustomToolBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
    ResizeToParent();
    return SECControlBar::OnSizeParent(wParam, lParam);
}

int SECCustomToolBar::HitTest(int x, int y, CRect* pRect) {
    const int nCount = GetButtonCount();
    int nRowStart = 0;
    while (nRowStart < nCount) {
        int nEnd = nRowStart;
        while (nEnd < nCount - 1 && !(m_btns[nEnd]->m_nStyle & SEC_TBBS_WRAPPED))
            ++nEnd;
        int top = INT_MAX, bottom = INT_MIN;
        for (int i = nRowStart; i <= nEnd; ++i) {
            const SECStdBtn* pBtn = m_btns[i].get();
            if (IsHidden(pBtn) || IsSep(pBtn))
                continue;
            top = std::min(top, pBtn->m_y);
            bottom = std::max(bottom, pBtn->m_y + pBtn->m_cy);
        }
        if (y >= top && y < bottom) {
            for (int i = nRowStart; i <= nEnd; ++i) {
                const SECStdBtn* pBtn = m_btns[i].get();
                if (IsHidden(pBtn) || !pBtn->GetRect().PtInRect(CPoint(x, y)))
                    continue;
                if (IsSep(pBtn))
                    return -1;
                if (pRect != nullptr)
                    pBtn->GetRect(*pRect);
                return i;
            }
            return -1;
        }
        nRowStart = nEnd + 1;
    }
    return -1;
}

CSize SECCustomToolBar::CalcFixedLayout(BOOL, BOOL bHorz) {
    return CalcLayout(-1, bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK);
}

CSize SECCustomToolBar::CalcDynamicLayout(int nLength, DWORD nMode) {
    if (!(nMode & LM_COMMIT)) {
        if (((nMode & LM_HORZDOCK) && m_bRecalcHorz) || ((nMode & LM_VERTDOCK) && m_bRecalcVert) ||
            ((nMode & LM_MRUWIDTH) && m_bRecalcMRU))
            // The docked shapes are one row, or one column: the height asked for plays no part.
            CalcLayout((nMode & LM_VERTDOCK) ? 0 : 32767,
                       (nMode & (LM_HORZDOCK | LM_VERTDOCK) ? nMode & ~LM_LENGTHY : nMode) |
                           LM_COMMIT);
        if (nMode & LM_HORZDOCK)
            return m_szLayoutHorz;
        if (nMode & LM_VERTDOCK)
            return m_szLayoutVert;
        if (nMode & LM_MRUWIDTH)
            return CalcLayout(m_nMRUWidth, nMode | LM_COMMIT);
        return CalcLayout(nLength, nMode | LM_COMMIT);
    }
    if (((nMode & LM_HORZDOCK) && (nMode & LM_LENGTHY)) ||
        ((nMode & LM_VERTDOCK) && !(nMode & LM_LENGTHY)))
        return (nMode & LM_HORZDOCK) ? m_szLayoutHorz : m_szLayoutVert;
    return CalcLayout(nLength, nMode);
}
