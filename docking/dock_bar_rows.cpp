// SECDockBar: the rows of the bar array, the shares of their bars, and placing bars by row and
// column.
#include "docking/dock_bar.h"

#include <algorithm>
#include <cmath>

int SECDockBar::RowStart(int nIndex) const {
    int i = std::min<int>(std::max(nIndex, 1), (int)m_arrBars.GetSize());
    while (i > 1 && m_arrBars[i - 1] != nullptr)
        --i;
    return i;
}

int SECDockBar::RowEnd(int nFirst) const {
    int i = std::max(nFirst, 1);
    while (i < m_arrBars.GetSize() && m_arrBars[i] != nullptr)
        ++i;
    return i;
}

int SECDockBar::CountRows() const {
    int n = 0;
    for (INT_PTR i = 1; i < m_arrBars.GetSize(); ++i)
        n += m_arrBars[i] == nullptr;
    return n;
}

int SECDockBar::CountVisibleBars() const {
    int n = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (CControlBar* pBar = GetDockedControlBar((int)i))
            n += IsBarVisible(pBar) && pBar->m_hWnd != NULL;
    return n;
}

void SECDockBar::GetRowBars(std::vector<CControlBar*>& bars, CControlBar* pBar) const {
    bars.clear();
    const int nPos = FindBar(pBar);
    if (nPos < 0)
        return;
    for (int i = RowStart(nPos), e = RowEnd(nPos); i < e; ++i)
        if (CControlBar* p = GetDockedControlBar(i))
            bars.push_back(p);
}

BOOL SECDockBar::IsBarExpanded(CControlBar* pBar) const {
    std::vector<CControlBar*> bars;
    GetRowBars(bars, pBar);
    CControlBar* pLarge = nullptr;
    int nLarge = 0;
    for (CControlBar* p : bars) {
        SECControlBar* sec = AsSECBar(p);
        if (sec != nullptr && IsBarVisible(p) && sec->m_fFloatProportion > m_fMinShare) {
            ++nLarge;
            pLarge = p;
        }
    }
    return nLarge <= 1 && pLarge == pBar;
}

BOOL SECDockBar::IsOnlyVisibleBarInRow(CControlBar* pBar) const {
    std::vector<CControlBar*> bars;
    GetRowBars(bars, pBar);
    if (bars.size() <= 1)
        return TRUE;
    for (CControlBar* p : bars)
        if (p != pBar && IsBarVisible(p))
            return FALSE;
    return TRUE;
}

void SECDockBar::ComputeMinimumShare() {
    const int nLength = GetRowLength();
    const float fMin = nLength >= 1 ? (float)SEC_MIN_BAR_LENGTH / (float)nLength : 0.05f;
    m_fMinShare = std::min(std::max(fMin, 0.0f), 1.0f);
}

float SECDockBar::AddToShare(float fDelta, SECControlBar* pBar) {
    pBar->m_fFloatProportion += fDelta;
    if (pBar->m_fFloatProportion < m_fMinShare) {
        const float fShort = pBar->m_fFloatProportion - m_fMinShare;
        pBar->m_fFloatProportion = m_fMinShare;
        return fShort;
    }
    return 0.0f;
}

// Bars whose share is settled keep their part of the row; a bar being sized and bars new or
// shown again take theirs first, the settled ones share the rest; then the row sums to 1.
void SECDockBar::NormalizeRow(int nFirst, CControlBar* pSizedBar, int* pnSizable, int* pnFixed) {
    int nSizable = 0, nFixed = 0;
    ComputeMinimumShare();
    const float fMin = m_fMinShare;
    SECControlBar* pSized = AsSECBar(pSizedBar);
    if (pSized != nullptr && IsBarVisible(pSized) && pSized->m_fFloatProportion > SEC_MAX_SHARE)
        pSized = nullptr;
    float fSettled = 0.0f, fMoving = 0.0f;
    std::vector<SECControlBar*> moving, visible;
    const int nEnd = RowEnd(nFirst);
    for (int i = std::max(nFirst, 1); i < nEnd; ++i) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar == nullptr)
            continue;
        SECControlBar* sec = AsSECBar(pBar);
        if (!IsBarVisible(pBar)) {
            if (sec != nullptr)
                sec->m_bShareSettled = FALSE;
            continue;
        }
        if (sec != nullptr && (sec->m_dwExStyle & CBRS_EX_FIXEDSIZE))
            ++nFixed;
        else
            ++nSizable;
        if (sec == nullptr)
            continue;
        visible.push_back(sec);
        if (sec != pSized && sec->m_bShareSettled) {
            fSettled += sec->m_fFloatProportion;
        } else {
            sec->m_fFloatProportion =
                std::min(std::max(sec->m_fFloatProportion, fMin), SEC_MAX_SHARE);
            fMoving += sec->m_fFloatProportion;
            moving.push_back(sec);
        }
    }
    if (fMoving > 0.0f) {
        float fFactor = 1.0f;
        if (fSettled > 0.0f) {
            fMoving = std::min(fMoving, SEC_MAX_SHARE);
            const float fRest = fSettled - fMoving;
            // Equal within rounding, or the moving bars asking for all the row or more: the
            // shares are taken as they are (a negative or exploding factor would crush a group).
            if (std::fabs(fRest) >= 1e-4f && fRest > 0.0f)
                fFactor = fSettled / fRest;
        } else {
            fFactor = 1.0f / fMoving;
        }
        for (SECControlBar* sec : moving) {
            sec->m_fFloatProportion = std::max(sec->m_fFloatProportion * fFactor, fMin);
            sec->m_bShareSettled = TRUE;
            fSettled += sec->m_fFloatProportion;
        }
    }
    if (fSettled > 0.0f) {
        const float fInverse = 1.0f / fSettled;
        for (SECControlBar* sec : visible)
            sec->m_fFloatProportion = std::max(sec->m_fFloatProportion * fInverse, fMin);
    }
    if (pnSizable != nullptr)
        *pnSizable = nSizable;
    if (pnFixed != nullptr)
        *pnFixed = nFixed;
}

void SECDockBar::ExpandBar(CControlBar* pBar, int nMode) {
    const int nPos = FindBar(pBar);
    if (nPos < 0)
        return;
    const int nFirst = RowStart(nPos);
    for (int i = nFirst, e = RowEnd(nFirst); i < e; ++i)
        if (SECControlBar* sec = AsSECBar(GetDockedControlBar(i))) {
            if (nMode == 1)
                sec->m_fFloatProportion = sec == pBar ? 1.0f : 0.0f;
            else
                sec->m_fFloatProportion = 0.1f;
            sec->m_bShareSettled = TRUE;
        }
    NormalizeRow(nFirst, pBar, nullptr, nullptr);
    if (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT))
        for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
            AddInvalidBar(GetDockedControlBar((int)i));
    if (CFrameWnd* pFrame = GetFrame())
        pFrame->DelayRecalcLayout(TRUE);
}

void SECDockBar::InvalidateRowsFrom(int nIndex) {
    for (INT_PTR i = RowStart(nIndex); i < m_arrBars.GetSize(); ++i)
        AddInvalidBar(GetDockedControlBar((int)i));
}

void SECDockBar::InvalidateRowsToFarSide(int nIndex) {
    // Top and left dock bars grow toward the client: the rows after change; bottom and right
    // ones the rows before.
    if (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT)) {
        InvalidateRowsFrom(nIndex);
        return;
    }
    for (int i = 0, e = RowEnd(RowStart(nIndex)); i < e; ++i)
        AddInvalidBar(GetDockedControlBar(i));
}

void SECDockBar::OnBarVisibilityChanged(CControlBar* pBar) {
    if (IsOnlyVisibleBarInRow(pBar)) {
        const int nPos = FindBar(pBar);
        if (nPos >= 0)
            InvalidateRowsToFarSide(nPos);
    }
    AddInvalidBar(pBar);
    m_pLastChangedBar = pBar;
}

void SECDockBar::InvalidateCustomToolBarsInRow(CControlBar* pBar) {
    std::vector<CControlBar*> bars;
    GetRowBars(bars, pBar);
    for (CControlBar* p : bars)
        if (ToolBarTraitsOf(p) & SEC_BAR_WRAPS)
            AddInvalidBar(p);
}

DWORD SECDockBar::ToolBarTraitsOf(CControlBar* pBar) {
    SECControlBar* pSEC = AsSECBar(pBar);
    return pSEC != nullptr ? pSEC->GetToolBarTraits() : 0;
}

int SECDockBar::InsertWithBreaks(int nIndex, CControlBar* pBar, int nBefore, int nAfter) {
    nIndex = std::min<int>(std::max(nIndex, 1), (int)m_arrBars.GetSize());
    AddInvalidBar(pBar);
    InvalidateRowsFrom(std::min<int>(nIndex, (int)m_arrBars.GetSize() - 1));
    if (nBefore > 0)
        m_arrBars.InsertAt(nIndex, nullptr, nBefore);
    const int nBar = nIndex + std::max(nBefore, 0);
    m_arrBars.InsertAt(nBar, pBar);
    if (nAfter > 0)
        m_arrBars.InsertAt(nBar + 1, nullptr, nAfter);
    if (m_arrBars[m_arrBars.GetSize() - 1] != nullptr)
        m_arrBars.Add(nullptr); // every row ends with a break
    return nBar;
}

std::vector<int> SECDockBar::RowStarts() const {
    std::vector<int> starts;
    for (int i = 0; i + 1 < m_arrBars.GetSize(); ++i)
        if (m_arrBars[i] == nullptr)
            starts.push_back(i + 1);
    return starts;
}

// Row r starts after the (r + 1)-th break counted from the array's start; a column counts the
// shown bars of the row. Rows and columns from a host or a profile are clamped to what can be
// meant, so no count asks for millions of entries.
int SECDockBar::GetInsertIndex(CControlBar* pBar, SECDockPos pos) {
    if (m_arrBars.GetSize() <= 1) {
        m_arrBars.RemoveAll();
        m_arrBars.Add(nullptr);
        return InsertWithBreaks(1, pBar, 0, 1);
    }
    const std::vector<int> starts = RowStarts();
    const int nRows = (int)starts.size();
    const int nLimit = (int)m_arrBars.GetSize() + 1;
    pos.nRow = std::min(std::max(pos.nRow, -(nRows + 1)), nRows + 1);
    pos.nCol = std::min(std::max(pos.nCol, -nLimit), nLimit);
    for (int nPass = 0; nPass < 3; ++nPass) {
        if (!(pos.dwFlags & SECDockPos::rowsFromEnd)) {
            if (pos.nRow < 0)
                return InsertWithBreaks(1, pBar, 0, -1 - pos.nRow);
            if (pos.nRow < nRows)
                return InsertInRow(pBar, starts[pos.nRow], pos);
            // Past the last row: counted from the end, that many rows below it.
            pos = SECDockPos{pos.nRow - nRows + 1, 0, SECDockPos::rowsFromEnd};
            continue;
        }
        if (pos.nRow > 0)
            return InsertWithBreaks((int)m_arrBars.GetSize(), pBar, pos.nRow - 1, 1);
        const int nBack = -pos.nRow;
        if (nBack < nRows)
            return InsertInRow(pBar, starts[nRows - 1 - nBack], pos);
        // Before the first row: counted from the front, that many rows above it.
        pos = SECDockPos{-1 - (nBack - nRows + 1), 0, 0};
    }
    return InsertWithBreaks((int)m_arrBars.GetSize(), pBar, 0, 1);
}

int SECDockBar::InsertInRow(CControlBar* pBar, int nStart, const SECDockPos& pos) {
    if (pos.dwFlags & SECDockPos::newRow)
        return InsertWithBreaks(nStart, pBar, 0, 1);
    const int nEnd = RowEnd(nStart);
    if (nEnd == nStart)
        return InsertWithBreaks(nStart, pBar, 0, 0); // an empty row takes it
    auto visible = [&](int i) {
        CControlBar* p = GetDockedControlBar(i);
        // The bar itself counts where it stands: docked at the place it reports, it stays.
        return p != nullptr && IsBarVisible(p);
    };
    int i;
    if (!(pos.dwFlags & SECDockPos::colsFromEnd)) {
        // Column 0 is the place before the first shown bar (hidden bars and placeholders ahead
        // of it stay ahead), which is where GetBarRowPosition says that bar is.
        if (pos.nCol < 0)
            return InsertWithBreaks(nStart, pBar, 0, 0);
        int nLeft = pos.nCol;
        for (i = nStart; i < nEnd; ++i)
            if (visible(i) && nLeft-- == 0)
                break;
    } else {
        if (pos.nCol > 0)
            return InsertWithBreaks(nEnd, pBar, 0, 0);
        int nLeft = -pos.nCol;
        for (i = nEnd; nLeft > 0 && i > nStart;)
            if (visible(--i))
                --nLeft;
    }
    return InsertWithBreaks(i, pBar, 0, 0);
}

int SECDockBar::GetInsertIndexColumnRow(CControlBar* pBar, int nCol, int nRow) {
    return GetInsertIndex(pBar, SECDockPos{nRow, nCol, 0});
}

int SECDockBar::InsertBarInNewRow(CControlBar* pBar) {
    if (pBar == nullptr)
        return -1;
    return InsertWithBreaks(1, pBar, 0, 1);
}

int SECDockBar::InsertBarAt(int nIndex, CControlBar* pBar) {
    nIndex = std::min<int>(std::max(nIndex, 1), (int)m_arrBars.GetSize());
    auto ownRow = [&](int i) {
        SECControlBar* sec = AsSECBar(GetDockedControlBar(i));
        return sec != nullptr && (sec->m_dwExStyle & CBRS_EX_OWNROW);
    };
    SECControlBar* sec = AsSECBar(pBar);
    const bool bOwn = sec != nullptr && (sec->m_dwExStyle & CBRS_EX_OWNROW);
    const bool bBreakBefore = m_arrBars[nIndex - 1] != nullptr && (bOwn || ownRow(nIndex - 1));
    const bool bBreakAfter =
        nIndex < m_arrBars.GetSize() && m_arrBars[nIndex] != nullptr && (bOwn || ownRow(nIndex));
    return InsertWithBreaks(nIndex, pBar, bBreakBefore ? 1 : 0, bBreakAfter ? 1 : 0);
}

BOOL SECDockBar::GetBarRowPosition(CControlBar* pBar, int& nRow, int& nCol, int& nThickness) const {
    nRow = nCol = nThickness = 0;
    const int nPos = FindBar(pBar);
    if (nPos < 0 || !IsBarVisible(pBar))
        return FALSE;
    // The same count GetInsertIndex uses, so that a bar docked where it says it is stays put.
    for (int i = 1; i < nPos; ++i)
        if (m_arrBars[i] == nullptr)
            ++nRow;
    for (int i = RowStart(nPos); i < nPos; ++i) {
        CControlBar* p = GetDockedControlBar(i);
        if (p != nullptr && IsBarVisible(p))
            ++nCol;
    }
    nThickness = GetRowThickness(nPos);
    return TRUE;
}
