// SECListImpl: the owner-drawn multi-column list, written once over its window base. The control
// (SECListBaseC, on CWnd) and the view twin (SECListBaseV, on CView) are the same template; the
// tree is built over either of them.
//
// The list keeps its own rows, cells and columns, draws its own header and places its own
// scroll-bar children; it speaks the list view's vocabulary (LVITEM, LVCOLUMN, LVN_*) without
// wrapping that control. Window calls are guarded by GetSafeHwnd, so the model works without a
// window as well.
#pragma once

#include "framework/afx.h"

#include <uxtheme.h>
#include <vssym32.h>

#include "listtree/list_client.h"
#include "listtree/list_edit.h"
#include "listtree/list_hit.h"
#include "listtree/list_item.h"
#include "listtree/list_tip.h"

#include <memory>

template <class TBase> class SECListImpl : public TBase, public SECListClient {
public:
    SECListImpl();
    ~SECListImpl() override;

    // Window plumbing shared by both bases.
    using CWnd::Create;
    using CWnd::CreateEx;
    using TBase::Default;
    using TBase::GetSafeHwnd;
    using TBase::m_hWnd;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL) override;
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                  LPVOID lpParam = NULL) override;
    CScrollBar* GetScrollBarCtrl(int nBar) const override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // The list's two bases both name these: the list's own answers.
    void ClientToScreen(RECT* pRect) override;
    void ClientToScreen(LPPOINT lpPoint) const { TBase::ClientToScreen(lpPoint); }
    CWnd* SetCapture(BOOL bCapture) override;
    CWnd* SetCapture() { return TBase::SetCapture(); }

    // ---- Creation, colours, fonts, notification window.
    virtual BOOL CreateEx(DWORD dwStyle, DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd,
                          UINT nID, CCreateContext* pContext = NULL);
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = NULL);
    virtual BOOL CreateFromDlgItem(UINT nID, CWnd* pParentWnd);
    virtual COLORREF GetBkColor();
    virtual COLORREF GetTextColor();
    virtual COLORREF GetTextBkColor();
    virtual COLORREF GetDisabledTextColor();
    virtual COLORREF GetAltBkColor();
    virtual COLORREF GetSelAltBkColor();
    virtual CFont* GetHeaderFont();
    virtual CWnd* GetNotifyWnd();
    virtual BOOL SetBkColor(COLORREF rgb);
    virtual BOOL SetTextColor(COLORREF rgb);
    virtual BOOL SetTextBkColor(COLORREF rgb);
    virtual BOOL SetSelTextColor(COLORREF rgb);
    virtual BOOL SetSelTextBkColor(COLORREF rgb);
    virtual BOOL SetDisabledTextColor(COLORREF rgb);
    virtual BOOL SetAltBkColor(COLORREF rgb);
    virtual BOOL SetSelAltBkColor(COLORREF rgb);
    virtual BOOL SetTipBkColor(COLORREF rgb);
    virtual BOOL SetTipTextColor(COLORREF rgb);
    virtual BOOL SetItemFont(CFont* pFont);
    virtual BOOL SetHeaderFont(CFont* pFont);
    virtual BOOL SetNotifyWnd(CWnd* pWnd);
    virtual void SetSysColorTracking(BOOL bTrack);
    virtual BOOL GetSysColorTracking();
    virtual UINT StartTimer(UINT nMilliseconds);
    virtual BOOL StopTimer();

    // ---- Invalidation and page geometry.
    virtual BOOL InvalidateItem(int nRow, BOOL bLabelOnly = FALSE, BOOL bToBottom = FALSE,
                                BOOL bErase = TRUE, BOOL bUpdateNow = FALSE);
    virtual BOOL InvalidateItems(int nFirst, int nLast);
    virtual int GetTopIndex();
    virtual int GetCountPerPage();
    virtual int GetCountPerPageAbove();
    virtual int GetLastPageTopIndex();
    virtual int GetLastFullyVisibleIndex(SECListPaintContext* pContext = NULL);
    virtual int GetIndexBelowPage();
    virtual int GetIndexAbovePage();
    // Content coordinates: y counts from row 0, not from the top row.
    virtual int IndexFromPoint(POINT* pPoint);
    virtual int IndexFromPointStrict(POINT* pPoint);
    virtual int IndexFromPointAlias(POINT* pPoint);
    virtual BOOL SetItemHeight(int nRow, int nHeight);
    virtual int GetItemsHeight(int nFrom, int nTo, BOOL bInclusive);
    virtual int GetRowsInHeight(int nHeight, int nStartRow, BOOL bDown);
    virtual void RecalcLayout();
    virtual void ReMeasureItem(int nRow);

    // ---- Columns.
    virtual BOOL DeleteColumnByName(LPCTSTR lpszHeading);
    virtual BOOL DeleteColumn(int nCol);
    virtual BOOL DeleteAllColumns();
    virtual int AppendColumn(LVCOLUMN* pColumn);
    virtual int AppendColumnArgs(LPCTSTR lpszHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                                 int nSubItem = -1, int nImage = -1);
    virtual int AppendColumnEx(SECListColumn* pColumn);
    virtual int InsertColumn(int nCol, LVCOLUMN* pColumn, BOOL bRedraw = TRUE);
    virtual int InsertColumnArgs(int nCol, LPCTSTR lpszHeading, int nFormat = LVCFMT_LEFT,
                                 int nWidth = -1, int nSubItem = -1, int nImage = -1,
                                 BOOL bRedraw = TRUE);
    // Takes the record (it is owned by the list from then on, also when the insert fails).
    virtual int InsertColumnEx(int nCol, SECListColumn* pColumn, BOOL bRedraw = TRUE);
    virtual BOOL MoveColumn(int nFrom, int nTo, BOOL bRedraw = TRUE);
    virtual BOOL GetColumn(int nCol, LVCOLUMN* pColumn);
    virtual BOOL SetColumn(int nCol, LVCOLUMN* pColumn, BOOL bRedraw = TRUE);
    virtual int GetColumnLeft(int nCol);
    virtual int GetColumnRight(int nCol);
    virtual BOOL SetColumnWidth(int nCol, int nWidth);
    virtual int GetColumnWidth(int nCol);
    virtual void SetColumnFormat(int nCol, int nFormat);
    virtual int GetColumnFormat(int nCol);
    virtual void SetColumnText(int nCol, LPCTSTR lpszHeading);
    virtual CString GetColumnText(int nCol);
    virtual BOOL HasColumn(LPCTSTR lpszHeading);
    virtual int GetColumnCount();
    virtual BOOL FindColumn(LPCTSTR lpszHeading, int* pIndex = NULL, int* pSubItem = NULL);
    virtual SECListColumn* GetColumnAt(int nCol);

    // ---- Rows.
    virtual LPARAM GetItemParam(SECListItem* pItem);
    virtual int GetItemCount();
    virtual int GetSubItemCount();
    virtual BOOL SetItem(LVITEM* pItem, BOOL bRedraw = TRUE);
    virtual BOOL SetItemArgs(int nRow, int nSubItem, UINT nMask, LPCTSTR lpszText, int nImage,
                             UINT nState, UINT nStateMask, LPARAM lParam);
    virtual BOOL SetItemEx(LVITEM* pItem, SECListItemEx* pItemEx);
    virtual BOOL GetItem(LVITEM* pItem, BOOL bCopyText = TRUE, BOOL bNotify = TRUE);
    virtual BOOL GetItemEx(LVITEM* pItem, SECListItemEx* pItemEx, BOOL bNotify = TRUE);
    virtual BOOL SetItemText(int nRow, int nSubItem, LPCTSTR lpszText);
    virtual int GetItemText(int nRow, int nSubItem, LPTSTR lpszBuffer, int cchBuffer);
    virtual BOOL DeleteItemObject(SECListItem* pItem);
    virtual BOOL DeleteItems(int nFirst, int nCount = 1);
    virtual BOOL DeleteAllItems();
    virtual int GetSelectedCount();
    virtual BOOL GetMainItemRect(int nRow, RECT* pRect, int nCode);
    virtual int InsertRow(int nRow, SECListItem* pItem);
    virtual int InsertItemArgs(UINT nMask, int nRow, LPCTSTR lpszText, UINT nState, UINT nStateMask,
                               int nImage, LPARAM lParam);
    virtual int InsertItemImage(int nRow, LPCTSTR lpszText, int nImage);
    virtual int InsertItemText(int nRow, LPCTSTR lpszText);
    virtual int InsertItem(LVITEM* pItem);
    virtual int InsertItemAfter(SECListItem* pAfter, LVITEM* pItem);
    virtual int InsertItemBefore(SECListItem* pBefore, LVITEM* pItem);

    // ---- Selection.
    virtual BOOL FocusItem(int nRow, BOOL bSelect);
    virtual BOOL SetFocusIndex(int nRow);
    virtual BOOL DeselectAllExcept(int nRow);
    virtual BOOL SelectRange(int nFrom, int nTo, BOOL bSelect);
    virtual int GetFocusIndex();
    virtual SIZE* GetViewExtent(SIZE* pSize);
    virtual BOOL SetItemState(int nRow, UINT nState, UINT nMask);
    virtual UINT GetItemState(int nRow, UINT nMask);
    virtual BOOL SetItemData(int nRow, LPARAM lParam);
    virtual LPARAM GetItemData(int nRow);
    virtual BOOL SelectItem(int nRow, BOOL bSelect);
    virtual BOOL GetStateCallback();
    virtual BOOL SetStateCallback(BOOL bCallback);
    virtual BOOL GetExStateCallback();
    virtual BOOL SetExStateCallback(BOOL bCallback);
    virtual BOOL ItemNeedsDispInfo(int nRow);
    virtual int GetNextItem(int nStart, UINT nFlags);
    virtual BOOL SetDropHilite(int nRow);
    virtual int GetDropHilite();
    virtual CImageList* GetImageList(int nWhich);
    virtual CImageList* SetImageList(CImageList* pImageList, int nWhich);
    virtual BOOL CopyImageList(CImageList* pSrc, CImageList** ppDst);
    virtual int HitTest(int x, int y, UINT* pFlags = NULL, int* pCol = NULL);
    virtual void SetTopIndex(int nRow);
    virtual BOOL ScrollHorz(int dx);
    virtual BOOL ScrollRows(int nRows, BOOL bFromLastVisible = FALSE);
    virtual BOOL EnsureVisible(int nRow, BOOL bPartialOK = FALSE);
    virtual BOOL EnsureRangeVisible(int nFirst, int nLast, BOOL bFlag = FALSE);
    virtual BOOL EditLabel(int nRow, int nCol = 0);
    virtual SECListEdit* GetEditControl();
    virtual BOOL StopEditTimer();

    // ---- Styles.
    virtual BOOL HasStyle(DWORD dwMask);
    virtual BOOL HasExStyle(DWORD dwMask);
    virtual BOOL GetStyles(DWORD* pStyle, DWORD* pExStyle);
    virtual BOOL SetStyles(DWORD dwStyle, DWORD dwExStyle, BOOL bRedraw = TRUE);
    virtual DWORD GetListStyle();
    virtual DWORD GetListExStyle();
    virtual BOOL SetListStyle(DWORD dwStyle, BOOL bRedraw = TRUE);
    virtual BOOL SetListExStyle(DWORD dwExStyle, BOOL bRedraw = TRUE);
    virtual BOOL ModifyListStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE);
    virtual BOOL ModifyListExStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE);
    virtual BOOL ModifyStyles(DWORD dwRemove, DWORD dwAdd, DWORD dwExRemove, DWORD dwExAdd,
                              BOOL bRedraw = TRUE);
    virtual BOOL EnableWordWrap(BOOL bEnable);
    virtual BOOL EnableLabelTips(BOOL bEnable);
    virtual BOOL EnableMultiSelect(BOOL bEnable);
    virtual BOOL IsLabelTips();
    virtual BOOL IsHeaderVisible();
    virtual BOOL SetHeaderStyle(BOOL bShow, BOOL bSortable);
    virtual BOOL IsMultiSelect();
    virtual BOOL SetRedrawFlag(BOOL bRedraw);
    virtual BOOL IsRedrawOn();

    // ---- Layout.
    virtual void UpdateScrollBars();
    virtual int CalcContentWidth(SECListPaintContext* pContext = NULL);
    virtual int GetScrollItemCount();
    virtual void GetClientRect(RECT* pRect);
    virtual CDC* NewClientDC(BOOL* pOwned);
    virtual void InvalidateAllHeights();
    virtual BOOL AutoFitColumns();
    virtual BOOL CreateScrollBar(DWORD dwStyle, UINT nID);
    virtual BOOL AddSubItems(SECListItem* pItem);
    virtual BOOL RemoveSubItems(SECListItem* pItem);
    virtual int InitItem(SECListItem* pItem);
    virtual SECListItem* NewItem();
    virtual BOOL ShowScrollBarCtrl(int nBar, BOOL bShow, SCROLLINFO* pInfo);
    virtual COLORREF PickBkColor(SECListPaintContext* pContext);
    virtual COLORREF PickAltColors(SECListPaintContext* pContext);
    virtual void PickTextColors(SECListPaintContext* pContext);
    virtual CFont* PickTextFont(SECListPaintContext* pContext);
    virtual CPen** GetGridPen(CPen** ppPen);
    virtual CPen** GetGridPenAlt(CPen** ppPen);
    virtual void MeasureItemIfNeeded(SECListPaintContext* pContext);
    virtual void MeasureItem(int nRow, CDC* pDC = NULL);
    virtual int CalcItemRects(SECListPaintContext* pContext, int* pHeight);
    virtual BOOL CalcIconRect(SECListPaintContext* pContext, RECT* pRect);
    virtual void MeasureLabel(SECListPaintContext* pContext, RECT* pRect);
    virtual void LayoutScrollBars();
    virtual int FitMainColumn();
    virtual int GetRowSpacing();
    virtual int TrackColumnResize(int x, int y, int nCol);

    // ---- Painting.
    virtual void DoPaint(CDC* pDC);
    virtual BOOL LoadDrawRecord(SECListPaintContext* pContext);
    virtual SECListPaintContext* NewPaintContext(CDC* pDC);
    virtual BOOL NewMemDC(CDC* pDC, CDC** ppMemDC, RECT* pRect);
    void KeepPaintBufferFor(CDC* pDC, const RECT& rcPaint);
    virtual void DrawHeader(SECListPaintContext* pContext);
    virtual void DrawHeaderItem(int nCol, BOOL bPressed);
    virtual BOOL DrawHeaderIcon(CDC* pDC, SECListColumn* pCol, RECT* pRect, UINT* pFormat);
    virtual CImageList* CreateHeaderDragImage(int nCol);
    virtual void DrawColumnDropMarker(int x, int y, int nCol);
    virtual void OnColumnMoved(int nFrom, int nTo);
    virtual void DrawItems(SECListPaintContext* pContext);
    virtual void DrawRow(SECListPaintContext* pContext);
    virtual void DrawItem(SECListPaintContext* pContext);
    virtual void DrawItemImages(SECListPaintContext* pContext);
    virtual void DrawItemLabels(SECListPaintContext* pContext);
    virtual void DrawHorzGridLine(CDC* pDC, int nRow, RECT* pRowRect);
    virtual void DrawVertGridLines(CDC* pDC, int nRow, RECT* pRowRect);
    virtual void UpdateVScroll(int nRowCount);
    virtual BOOL UpdateHScroll(int nContentWidth);

    // ---- Key actions: (caret row, sub-item of the current column, Shift, Ctrl, repeat, flags).
    virtual BOOL OnSpaceKey(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt,
                            UINT nFlags);
    virtual BOOL OnUpKey(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt,
                         UINT nFlags);
    virtual BOOL OnDownKey(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt,
                           UINT nFlags);
    virtual BOOL OnF2Key(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt,
                         UINT nFlags);
    virtual BOOL OnReturnKey(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt,
                             UINT nFlags);
    virtual BOOL OnHomeKey(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt,
                           UINT nFlags);
    virtual BOOL OnEndKey(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt,
                          UINT nFlags);
    virtual BOOL OnLeftKey(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt,
                           UINT nFlags);
    virtual BOOL OnBackKey(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt,
                           UINT nFlags);
    virtual BOOL OnRightKey(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt,
                            UINT nFlags);
    virtual BOOL OnMultiplyKey(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt,
                               UINT nFlags);
    virtual BOOL OnPageUpKey(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt,
                             UINT nFlags);
    virtual BOOL OnPageDownKey(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt,
                               UINT nFlags);

    // ---- Notifications.
    virtual LRESULT NotifyParent(UINT nCode);
    virtual void OnBeginDrag(int nRow, int x, int y);
    virtual LRESULT NotifyBeginLabelEdit(int nRow, int nSubItem);
    virtual void OnBeginRDrag(int nRow, int x, int y);
    virtual LRESULT NotifyDeleteItem(int nRow);
    virtual BOOL NotifyEndLabelEdit(int nRow, int nSubItem, CString* pText, BOOL bAccept);
    virtual void OnEndLabelEditDone(int nRow, int nSubItem);
    virtual void NotifySelChanged(int nRow, int nOldRow, BOOL bMouse);
    virtual LRESULT NotifySelChanging(int nRow, int nOldRow, BOOL bMouse);
    virtual LRESULT NotifyGetDispInfo(LVITEM* pItem);
    virtual void NotifySetDispInfo(LVITEM* pItem);
    virtual void NotifyGetDispInfoEx(SECListItemEx* pItemEx);
    virtual void NotifySetDispInfoEx(SECListItemEx* pItemEx);
    virtual LRESULT NotifyInsertItem(int nRow);
    virtual LRESULT NotifyKeyDown(UINT nVKey);
    virtual LRESULT NotifyColumnClick(int nCol);
    virtual BOOL UpdateSelection(int nRow, UINT nHitFlags, UINT nKeyFlags, BOOL bMouse);
    virtual void OnSelectionUpdated(int nRow, BOOL bMouse);
    virtual CWnd* GetNotifyTarget();
    // Where a notification goes: the target window and the control id (no target: NULL).
    struct NotifyRoute {
        HWND hTarget = NULL;
        int nID = 0;
    };
    NotifyRoute ReadNotifyRoute();
    const NotifyRoute* FixedNotifyRoute() const { return m_pFixedRoute; }
    // While one lives, the notifications take the route read when it was made: a batch of them
    // (one per deleted item) would otherwise ask the window system for it twice each time.
    class RouteFixed {
    public:
        explicit RouteFixed(SECListImpl* pList)
            : m_pList(pList), m_token(pList->LifeToken()), m_pBefore(pList->m_pFixedRoute),
              m_route(pList->ReadNotifyRoute()) {
            pList->m_pFixedRoute = &m_route;
        }
        ~RouteFixed() {
            if (!m_token.expired())
                m_pList->m_pFixedRoute = m_pBefore;
        }
        RouteFixed(const RouteFixed&) = delete;
        RouteFixed& operator=(const RouteFixed&) = delete;

    private:
        SECListImpl* m_pList;
        std::weak_ptr<int> m_token;
        const NotifyRoute* m_pBefore;
        NotifyRoute m_route;
    };
    virtual BOOL SplitCreateStyles(CREATESTRUCT* pcs);
    virtual UINT ClickSelectRule(POINT* pPoint, int nRow, UINT nHitFlags, int* pArmDrag,
                                 int* pSelect);

    // ---- SECListClient.
    CWnd* GetListWnd() override { return this; }
    BOOL IsWordWrap() override { return !HasStyle(LVS_NOLABELWRAP); }
    BOOL EndLabelEdit(BOOL bAccept) override;
    int GetColumnSubItem(int nCol) override;
    BOOL GetScrollOffset(POINT* pOffset) override;
    void GetInsideRect(RECT* pRect) override;
    BOOL GetSubItemRect(int nRow, int nCol, RECT* pRect, int nCode) override;
    CString QueryItemText(int nRow, int nSubItem) override;
    BOOL IsItemSelected(int nRow) override;
    COLORREF GetSelTextColor() override { return m_rgbSelText; }
    COLORREF GetSelTextBkColor() override { return m_rgbSelTextBk; }
    COLORREF GetTipTextColor() override { return m_rgbTipText; }
    COLORREF GetTipBkColor() override { return m_rgbTipBk; }
    CFont* GetItemFont() override;

    // Entry points derived controls call after their own handling.
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);

    // The header height (20).
    int GetHeaderHeight() const { return m_nHeaderHeight; }
    // The state of the type-ahead search (flags 1 collecting, 2 key since tick, 4 failed,
    // 8 off) and its text.
    UINT GetTypeAheadFlags() const { return m_nTypeAheadFlags; }
    int GetAnchorIndex() const { return m_nAnchor; }
    int GetEditIndex() const { return m_nEditItem; }
    int GetPendingEditIndex() const { return m_nPendingEdit; }
    int GetCurrentColumn() const { return m_nCurColumn; }
    const CDWordArray& GetSelectedRows() const { return m_arSelected; }
    SECListItem* GetItemAt(int nRow) const;
    SECListTip* GetTipWnd() const { return m_pTip.get(); }
    int GetHorzOffset() const { return m_ptScroll.x; }

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSysColorChange();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnCancelMode();
    afx_msg void OnEditKillFocus();
    afx_msg void OnEditUpdate();

    // Helpers of one job each.
    int IndexOfItem(const SECListItem* pItem) const;
    BOOL IsValidRow(int nRow) const { return nRow >= 0 && nRow < (int)m_arItems.GetSize(); }
    BOOL IsValidColumn(int nCol) const { return nCol >= 0 && nCol < (int)m_arColumns.GetSize(); }
    int MainColumn() const;     // the first column with sub-item 0, or -1
    int LastMainColumn() const; // the last such column, or -1
    BOOL IsSelected(int nRow) const;
    // Asks the owner, then makes the row the caret and the only selected row: FALSE when the
    // owner vetoed (the veto is kept) or the row went while it was asked.
    BOOL SelectAlone(int nRow, BOOL bMouse);
    BOOL SelectedInsert(int nRow);
    BOOL SelectedRemove(int nRow);
    int RowHeight(int nRow); // spacing + height, measured when needed
    // The top row of the page whose last fully shown row is nRow.
    int TopOfPageEndingAt(int nRow);
    int PageHeight(); // the inside height, at least 1
    void EnsureMeasured(int nRow);
    void HideTip();
    void EndEditForChange();
    void FillBelow(const CRect& rcBelow);
    void Repaint(BOOL bErase = TRUE);
    void ScrollPicture(int nOldTop, int nNewTop);
    void ShiftIndicesForInsert(int nRow);
    void ShiftIndicesForDelete(int nFirst, int nCount);
    // Deletes rows without telling the owner: the bookkeeping of DeleteItems.
    void RemoveRows(int nFirst, int nCount);
    void InsertSubItemSlot(int nSlot);
    void ReadItemText(SECListItem* pItem, int nSubItem, LPTSTR* ppszSource, bool* pbFound) const;
    void DrawHeaderItemFace(CDC* pDC, SECListColumn* pCol, int nCol, const CRect& rcItem,
                            BOOL bPressed, HTHEME hTheme);
    void DrawHeaderText(CDC* pDC, SECListColumn* pCol, CRect rcText);
    void PaintDirect(CDC* pDC, const CRect& rcInside);
    int RowsBottom(const CRect& rcInside);
    void ResizeEditor();
    void ArmDelayedEdit(int nRow, UINT nHitFlags, int nCol);
    void EndHeaderDrag();
    void StepTypeAhead(UINT nChar);
    BOOL IsPrintingDC(CDC* pDC) const { return pDC != NULL && pDC->IsPrinting(); }
    // Focus and enabling, asked once per paint rather than once per cell.
    bool HasFocusNow() const;
    bool IsEnabledNow() const;
    int ClampColumnWidth(int nWidth) const;
    bool Alive(const std::weak_ptr<int>& token) const { return !token.expired(); }
    // Fills a cell with its background unless the paint has filled it with that colour already.
    void FillCellBk(CDC* pDC, const RECT& rc, COLORREF rgb) {
        if (pDC != NULL && (pDC != m_pPrefilledDC || rgb != m_rgbPrefilled))
            pDC->FillSolidRect(&rc, rgb);
    }
    std::weak_ptr<int> LifeToken() const { return m_spLife; }
    // Rows, columns or the list itself changed: paints and walks in progress stop.
    void Changed() { ++m_nGeneration; }

    // ---- Fields.
    UINT m_nTypeAheadInterval = 250;
    int m_nWheelDelta = 0;
    int m_nTopIndex = 0;
    int m_nHeaderHeight = 20;
    int m_nLastSelectEvent = -1; // reset by every selection update and button-down
    int m_nPendingEdit = -1;
    int m_nCurColumn = 0;
    int m_nEditItem = -1;
    int m_nSubItemCount = 0;
    int m_nFocusIndex = -1;
    int m_nDropHilite = -1;
    int m_nAnchor = -1;
    int m_nHotColumn = -1;
    LRESULT m_lLastNotifyResult = 0;
    BOOL m_bStateCallback = FALSE;
    BOOL m_bExStateCallback = FALSE;
    UINT_PTR m_nEditTimer = 0;
    UINT_PTR m_nScrollTimer = 0;
    UINT_PTR m_nTypeAheadTimer = 0;
    UINT m_nTypeAheadFlags = 0;
    DWORD m_dwListStyle = 0;
    DWORD m_dwListStyleEx = 0;
    DWORD m_dwScrollStyle = 0;
    COLORREF m_rgbText = 0;
    COLORREF m_rgbTextBk = 0;
    COLORREF m_rgbSelText = 0;
    COLORREF m_rgbSelTextBk = 0;
    COLORREF m_rgbDisabledText = 0;
    COLORREF m_rgbAltBk = 0;
    COLORREF m_rgbSelAltBk = 0;
    COLORREF m_rgbTipBk = 0;
    COLORREF m_rgbTipText = 0;
    COLORREF m_rgbBk = 0;
    BOOL m_bOnDivider = FALSE;
    LRESULT m_lSelectionVeto = 0;
    BOOL m_bEndingEdit = FALSE;
    BOOL m_bRedraw = FALSE;
    BOOL m_bItemDrag = FALSE;
    BOOL m_bHeaderDrag = FALSE;
    BOOL m_bArmed = FALSE;
    BOOL m_bTrackSysColors = FALSE;
    HCURSOR m_hResizeCursor = NULL;
    std::unique_ptr<wchar_t[]> m_pszBuffer;
    CFont* m_pItemFont = NULL;
    CFont* m_pHeaderFont = NULL;
    CImageList* m_pImageLists[4] = {NULL, NULL, NULL, NULL};
    std::unique_ptr<CImageList> m_pHeaderDragImage;
    std::unique_ptr<SECListTip> m_pTip;
    POINT m_ptScroll = {0, 0};
    POINT m_ptButtonDown = {0, 0};
    CString m_strSavedLabel;
    CString m_strTypeAhead;
    CPtrArray m_arColumns;
    CPtrArray m_arItems;
    CDWordArray m_arSelected;
    std::unique_ptr<SECListEdit> m_pEdit;
    CWnd* m_pNotifyWnd = NULL;
    const NotifyRoute* m_pFixedRoute = nullptr;
    int m_nPressedColumn = -1;
    int m_nDropColumn = -1;

    // Not part of the list's described state: liveness and change tracking for re-entrant
    // owners, and private image-list copies replaced while the window lived.
    std::shared_ptr<int> m_spLife = std::make_shared<int>(0);
    unsigned m_nGeneration = 0;
    CPtrArray m_arRetiredImageLists;
    CScrollBar* m_pScrollBars[2] = {NULL, NULL};
    // Measuring outside a paint: a screen-compatible DC kept for the list's life (a window DC
    // per row costs a round trip to the window system each time).
    std::unique_ptr<CDC> m_pMeasureDC;
    // The off-screen picture's bitmap, kept from one paint to the next, and whether a paint
    // holds it now.
    CBitmap m_paintBuffer;
    BOOL m_bPaintBufferTaken = FALSE;
    // The DC a paint has just filled with the background colour, while its rows are drawn:
    // cells of that colour need no fill of their own.
    CDC* m_pPrefilledDC = NULL;
    COLORREF m_rgbPrefilled = 0;
    // -1: not painting or measuring (asked each time); -2: asked once, when first needed.
    mutable int m_nPaintFocus = -1;
    int m_nPaintEnabled = -1;
    // Focus and enabled state asked once for a paint or a batch of measuring rather than once a
    // cell: each asking of the focus is a round trip to the window server, so it waits until a
    // row needs it (a batch without rows never asks). A fresh cache asks again; an inner one
    // keeps what the outer one asked (or finds it for the outer one); each puts back what it
    // found.
    class StateCache {
    public:
        StateCache(SECListImpl* p, bool bFresh)
            : m_p(p), m_nFocus(p->m_nPaintFocus), m_nEnabled(p->m_nPaintEnabled), m_bFresh(bFresh) {
            if (bFresh || m_nFocus == -1)
                p->m_nPaintFocus = -2;
            if (bFresh || m_nEnabled < 0) {
                p->m_nPaintEnabled = -1;
                p->m_nPaintEnabled = p->IsEnabledNow() ? 1 : 0;
            }
        }
        ~StateCache() {
            if (m_bFresh || m_nFocus != -2)
                m_p->m_nPaintFocus = m_nFocus;
            m_p->m_nPaintEnabled = m_nEnabled;
        }
        StateCache(const StateCache&) = delete;
        StateCache& operator=(const StateCache&) = delete;

    private:
        SECListImpl* m_p;
        const int m_nFocus, m_nEnabled;
        const bool m_bFresh;
    };
};

using SECListBaseC = SECListImpl<CWnd>;
using SECListBaseV = SECListImpl<CView>;
// Both are instantiated once, in list_impl.cpp.
extern template class SECListImpl<CWnd>;
extern template class SECListImpl<CView>;

// The list's message entries, the same for the control and the view (handlers of the class
// whose map holds them).
#define SEC_LIST_MESSAGE_ENTRIES()                                                                 \
    ON_WM_CREATE()                                                                                 \
    ON_WM_DESTROY()                                                                                \
    ON_WM_SIZE()                                                                                   \
    ON_WM_PAINT()                                                                                  \
    ON_WM_ERASEBKGND()                                                                             \
    ON_WM_SYSCOLORCHANGE()                                                                         \
    ON_WM_SETCURSOR()                                                                              \
    ON_WM_MOUSEMOVE()                                                                              \
    ON_WM_LBUTTONDOWN()                                                                            \
    ON_WM_LBUTTONUP()                                                                              \
    ON_WM_LBUTTONDBLCLK()                                                                          \
    ON_WM_RBUTTONDOWN()                                                                            \
    ON_WM_RBUTTONUP()                                                                              \
    ON_WM_MOUSEWHEEL()                                                                             \
    ON_WM_HSCROLL()                                                                                \
    ON_WM_VSCROLL()                                                                                \
    ON_WM_TIMER()                                                                                  \
    ON_WM_KEYDOWN()                                                                                \
    ON_WM_SYSKEYDOWN()                                                                             \
    ON_WM_CHAR()                                                                                   \
    ON_WM_GETDLGCODE()                                                                             \
    ON_WM_SETFOCUS()                                                                               \
    ON_WM_KILLFOCUS()                                                                              \
    ON_WM_ENABLE()                                                                                 \
    ON_WM_CANCELMODE()                                                                             \
    ON_EN_KILLFOCUS(SECLIST_EDIT_ID, OnEditKillFocus)                                              \
    ON_EN_UPDATE(SECLIST_EDIT_ID, OnEditUpdate)
