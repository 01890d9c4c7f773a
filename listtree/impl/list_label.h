// In-place editing of a cell's label: started by F2 or a delayed second click, followed live
// while the user types, ended by Return, Escape or a focus change.
#pragma once

#include "listtree/list_base.h"

#include <algorithm>

template <class TBase> SECListEdit* SECListImpl<TBase>::GetEditControl() {
    return m_pEdit.get();
}

template <class TBase> BOOL SECListImpl<TBase>::StopEditTimer() {
    if (m_nEditTimer == 0)
        return FALSE;
    if (GetSafeHwnd() != NULL)
        ::KillTimer(m_hWnd, SECLIST_EDIT_TIMER);
    m_nEditTimer = 0;
    return TRUE;
}

template <class TBase> BOOL SECListImpl<TBase>::EditLabel(int nRow, int nCol) {
    if (m_pEdit->GetSafeHwnd() != NULL || GetSafeHwnd() == NULL)
        return FALSE;
    if (!IsValidRow(nRow))
        return FALSE;
    if (!IsValidColumn(nCol))
        nCol = 0;
    if (!IsValidColumn(nCol))
        return FALSE;
    HideTip();
    const auto token = LifeToken();
    // The cell must be on the page to be edited over.
    if (nRow < m_nTopIndex || nRow > GetLastFullyVisibleIndex(NULL))
        EnsureVisible(nRow, FALSE);
    const int nSub = std::max(0, GetColumnSubItem(nCol));
    m_nPendingEdit = -1;
    m_nCurColumn = nCol;
    CRect rcLabel;
    if (!GetSubItemRect(nRow, nCol, &rcLabel, LVIR_LABEL))
        return FALSE;
    m_nEditItem = nRow;
    CRect rcInside;
    GetInsideRect(&rcInside);
    CRect rcEdit(std::max(0, (int)rcLabel.left - 4), rcLabel.top - 1, rcLabel.right + 10,
                 rcLabel.bottom + 1);
    rcEdit.right = std::min((int)rcEdit.right, (int)rcInside.right);
    if (rcEdit.right <= rcEdit.left)
        rcEdit.right = rcEdit.left + 10;
    DWORD dwStyle = WS_CHILD | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL;
    if (HasStyle(LVS_NOLABELWRAP))
        dwStyle |= ES_AUTOHSCROLL | ES_WANTRETURN;
    if (!m_pEdit->Create(dwStyle, rcEdit, this, SECLIST_EDIT_ID)) {
        m_nEditItem = -1;
        return FALSE;
    }
    m_pEdit->SetTabStops();
    m_pEdit->LimitText(SECLIST_EDIT_LIMIT);
    m_pEdit->SetFont(GetItemFont(), TRUE);
    const CString strText = QueryItemText(nRow, nSub);
    if (!Alive(token))
        return FALSE;
    m_bEndingEdit = TRUE; // the editor's own first update is not typing
    m_pEdit->SetWindowText(strText);
    m_bEndingEdit = FALSE;
    m_pEdit->SetSel(0, -1);
    const LRESULT lAnswer = NotifyBeginLabelEdit(nRow, nSub);
    if (!Alive(token))
        return FALSE;
    if (lAnswer == 1 || m_nEditItem != nRow || !IsValidRow(nRow)) {
        if (m_pEdit->GetSafeHwnd() != NULL)
            m_pEdit->DestroyWindow();
        m_nEditItem = -1;
        m_nPendingEdit = -1;
        return FALSE;
    }
    // The whole stored text, which may be longer than the editor takes.
    m_strSavedLabel = strText;
    LVITEM stored = {};
    stored.mask = LVIF_TEXT;
    stored.iItem = nRow;
    stored.iSubItem = nSub;
    if (GetItem(&stored, FALSE, FALSE) && stored.pszText != NULL &&
        !SECListIsCallback(stored.pszText))
        m_strSavedLabel = stored.pszText;
    m_pEdit->ShowWindow(SW_SHOW);
    m_pEdit->SetFocus();
    InvalidateItem(nRow, FALSE, TRUE, TRUE, FALSE);
    m_bEndingEdit = FALSE;
    return TRUE;
}

template <class TBase> void SECListImpl<TBase>::ResizeEditor() {
    CRect rcLabel;
    if (!GetSubItemRect(m_nEditItem, m_nCurColumn, &rcLabel, LVIR_LABEL))
        return;
    CRect rcInside;
    GetInsideRect(&rcInside);
    const int left = std::max(0, (int)rcLabel.left - 4);
    int right = rcLabel.right + 10;
    right =
        std::min(right, GetColumnCount() > 1 ? GetColumnRight(m_nCurColumn) : (int)rcInside.right);
    m_pEdit->SetWindowPos(NULL, 0, 0, std::max(right - left, 10), rcLabel.Height() + 2,
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

template <class TBase> void SECListImpl<TBase>::OnEditUpdate() {
    if (m_bEndingEdit || m_pEdit->GetSafeHwnd() == NULL || !IsValidRow(m_nEditItem))
        return;
    const int nRow = m_nEditItem;
    const int nSub = std::max(0, GetColumnSubItem(m_nCurColumn));
    CString strText;
    m_pEdit->GetWindowText(strText);
    SECListItem* pRow = GetItemAt(nRow);
    const int nOldHeight = pRow->cy;
    const int nOldLabel = pRow->rcText.bottom - pRow->rcText.top;
    SetItemText(nRow, nSub, strText);
    MeasureItem(nRow, NULL);
    pRow = GetItemAt(nRow);
    if (pRow == NULL || m_nEditItem != nRow)
        return;
    if (pRow->cy != nOldHeight || pRow->rcText.bottom - pRow->rcText.top != nOldLabel) {
        UpdateScrollBars();
        InvalidateItem(nRow, FALSE, TRUE, TRUE, FALSE);
    }
    ResizeEditor();
}

template <class TBase> void SECListImpl<TBase>::OnEditKillFocus() {
    EndLabelEdit(TRUE);
}

template <class TBase> BOOL SECListImpl<TBase>::EndLabelEdit(BOOL bAccept) {
    if (m_pEdit->GetSafeHwnd() == NULL || m_bEndingEdit)
        return FALSE;
    m_bEndingEdit = TRUE;
    const auto token = LifeToken();
    const int nRow = m_nEditItem;
    const int nSub = std::max(0, GetColumnSubItem(m_nCurColumn));
    CString strText;
    m_pEdit->GetWindowText(strText);
    const BOOL bStore = IsValidRow(nRow) && NotifyEndLabelEdit(nRow, nSub, &strText, bAccept);
    if (token.expired())
        return TRUE;
    if (IsValidRow(nRow) && nRow == m_nEditItem) {
        if (bStore) {
            // An untouched text too long for the editor keeps its whole length.
            if (m_strSavedLabel.GetLength() > SECLIST_EDIT_LIMIT &&
                strText == m_strSavedLabel.Left(SECLIST_EDIT_LIMIT))
                strText = m_strSavedLabel;
            SetItemText(nRow, nSub, strText);
            OnEndLabelEditDone(nRow, nSub);
            if (token.expired())
                return TRUE;
        } else {
            SetItemText(nRow, nSub, m_strSavedLabel);
        }
    }
    const bool bHadFocus = ::GetFocus() == m_pEdit->GetSafeHwnd();
    m_nEditItem = -1;
    if (m_pEdit->GetSafeHwnd() != NULL)
        m_pEdit->DestroyWindow();
    if (token.expired())
        return TRUE;
    if (bHadFocus && GetSafeHwnd() != NULL)
        ::SetFocus(m_hWnd);
    m_bEndingEdit = FALSE;
    RecalcLayout();
    Repaint(TRUE);
    return TRUE;
}

template <class TBase> void SECListImpl<TBase>::ArmDelayedEdit(int nRow, UINT nHit, int nCol) {
    const bool bFullRow = HasExStyle(LVXS_FULLROWSELECT);
    const bool bOnCell =
        (nHit & (LVHT_ONITEMICON | LVHT_ONITEMLABEL)) || (bFullRow && (nHit & SECLVHT_ONROW));
    bool bLeftOfLabel = false;
    if (nHit & SECLVHT_LEFTOFLABEL) {
        CRect rcIcon;
        POINT pt = m_ptButtonDown;
        bLeftOfLabel = GetMainItemRect(nRow, &rcIcon, LVIR_ICON) && pt.x >= rcIcon.right;
    }
    if (m_nPendingEdit == nRow && (bOnCell || bLeftOfLabel) && GetSafeHwnd() != NULL) {
        StopEditTimer();
        m_nEditTimer = ::SetTimer(m_hWnd, SECLIST_EDIT_TIMER, 500, NULL);
    }
    const bool bSelected = IsSelected(nRow);
    if (bSelected && (nHit & LVHT_ONITEMLABEL))
        m_nPendingEdit = nRow;
    else if (bSelected && bFullRow && (nHit & SECLVHT_ONROW) && nCol > 0)
        m_nPendingEdit = nRow;
    else
        m_nPendingEdit = -1;
}
