// The list's window: creation with its own style bits split off, the resize cursor, sizing and
// the clean-up when the window goes.
#pragma once

#include "listtree/list_base.h"

#include <type_traits>

template <class TBase>
BOOL SECListImpl<TBase>::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                                const RECT& rect, CWnd* pParentWnd, UINT nID,
                                CCreateContext* pContext) {
    return TBase::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext);
}

template <class TBase>
BOOL SECListImpl<TBase>::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                                  DWORD dwStyle, int x, int y, int nWidth, int nHeight,
                                  HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
    CREATESTRUCT cs = {};
    cs.style = dwStyle;
    cs.dwExStyle = dwExStyle;
    SplitCreateStyles(&cs);
    // The scroll bars and the label editor are child windows: the rows are never painted under
    // them, and repainting the rows does not repaint them too.
    cs.style |= WS_CLIPCHILDREN;
    return TBase::CreateEx(cs.dwExStyle, lpszClassName, lpszWindowName, cs.style, x, y, nWidth,
                           nHeight, hWndParent, nIDorHMenu, lpParam);
}

template <class TBase>
BOOL SECListImpl<TBase>::CreateEx(DWORD dwStyle, DWORD dwExStyle, const RECT& rect,
                                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW));
    return CreateEx(dwExStyle, lpszClass, L"", dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    (HMENU)(UINT_PTR)nID, (LPVOID)pContext);
}

template <class TBase>
BOOL SECListImpl<TBase>::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                                CCreateContext* pContext) {
    return CreateEx(dwStyle, 0, rect, pParentWnd, nID, pContext);
}

template <class TBase> BOOL SECListImpl<TBase>::CreateFromDlgItem(UINT nID, CWnd* pParentWnd) {
    HWND hItem = ::GetDlgItem(pParentWnd->GetSafeHwnd(), (int)nID);
    if (hItem == NULL)
        return FALSE;
    const DWORD dwStyle = (DWORD)::GetWindowLongW(hItem, GWL_STYLE) | WS_BORDER;
    const DWORD dwExStyle = (DWORD)::GetWindowLongW(hItem, GWL_EXSTYLE);
    CRect rc;
    ::GetWindowRect(hItem, &rc);
    ::MapWindowPoints(NULL, pParentWnd->m_hWnd, (LPPOINT)&rc, 2);
    ::DestroyWindow(hItem);
    return CreateEx(dwStyle, dwExStyle, rc, pParentWnd, nID, NULL);
}

template <class TBase> int SECListImpl<TBase>::OnCreate(LPCREATESTRUCT lpcs) {
    if (TBase::OnCreate(lpcs) == -1)
        return -1;
    m_hResizeCursor = ::LoadCursorW(
        AfxFindResourceHandle(MAKEINTRESOURCEW(SECLIST_RESIZE_CURSOR), RT_GROUP_CURSOR),
        MAKEINTRESOURCEW(SECLIST_RESIZE_CURSOR));
    if (m_hResizeCursor == NULL)
        m_hResizeCursor = ::LoadCursorW(NULL, IDC_SIZEWE);
    const bool bReport = (m_dwListStyle & LVS_TYPEMASK) == LVS_REPORT ||
                         (lpcs != NULL && (lpcs->style & LVS_TYPEMASK) == LVS_REPORT);
    if (!bReport) {
        m_dwListStyle |= LVS_NOCOLUMNHEADER;
        InsertColumnArgs(0, L"", LVCFMT_LEFT, 20, -1, -1, TRUE);
    }
    return 0;
}

template <class TBase> void SECListImpl<TBase>::OnDestroy() {
    StopTimer();
    StopEditTimer();
    if (m_nTypeAheadTimer != 0)
        ::KillTimer(m_hWnd, SECLIST_TYPEAHEAD_TIMER);
    m_nTypeAheadTimer = 0;
    EndLabelEdit(FALSE);
    if (m_bHeaderDrag) {
        CImageList::EndDrag();
        m_pHeaderDragImage.reset();
        m_bHeaderDrag = FALSE;
    }
    if (!(m_dwListStyle & LVS_SHAREIMAGELISTS))
        for (CImageList*& pList : m_pImageLists) {
            delete pList;
            pList = NULL;
        }
    else
        for (CImageList*& pList : m_pImageLists)
            pList = NULL;
    for (INT_PTR i = 0; i < m_arRetiredImageLists.GetSize(); ++i)
        delete static_cast<CImageList*>(m_arRetiredImageLists[i]);
    m_arRetiredImageLists.RemoveAll();
    if (m_pTip->GetSafeHwnd() != NULL)
        m_pTip->DestroyWindow();
    DeleteAllItems();
    DeleteAllColumns();
    TBase::OnDestroy();
}

template <class TBase> void SECListImpl<TBase>::OnSize(UINT nType, int cx, int cy) {
    LayoutScrollBars();
    if (GetColumnCount() > 0) {
        AutoFitColumns();
        RecalcLayout();
    }
    TBase::OnSize(nType, cx, cy);
}

template <class TBase>
BOOL SECListImpl<TBase>::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_MOUSELEAVE && m_nHotColumn >= 0) {
        const int nHot = m_nHotColumn;
        m_nHotColumn = -1;
        DrawHeaderItem(nHot, FALSE);
    }
    return TBase::OnWndMsg(message, wParam, lParam, pResult);
}
