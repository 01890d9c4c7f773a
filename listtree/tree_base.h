// SECTreeImpl: the tree control written once over a list base, the list control (SECTreeBaseC)
// or the list view (SECTreeBaseV). The items live in a tree of nodes; the list's rows are the
// visible nodes in pre-order, each row's item data its node. Column 0 is the tree column (indent,
// lines, button, images, text); the other columns are sub-items, kept by the sub-item text
// storage when it is enabled.
//
// Owners are told everything through WM_NOTIFY with the tree view's codes, synchronously: any
// notification may delete or insert items. Every caller re-checks the node (the live set of
// SECTreeNodes) and the window (the list's life token) after each one.
#pragma once

#include "listtree/list_base.h"
#include "listtree/subitem_text.h"
#include "listtree/tree_nodes.h"

#include <memory>
#include <unordered_map>
#include <vector>

// Tree extended styles (the tree's own word).
constexpr DWORD TVXS_MULTISEL = 0x00100000;
constexpr DWORD TVXS_WORDWRAP = 0x00200000;
constexpr DWORD TVXS_COLUMNHEADER = 0x00400000;
constexpr DWORD TVXS_LABELTIPS = 0x00800000;
constexpr DWORD TVXS_ANIMATE = 0x01000000;
constexpr DWORD TVXS_HOVEREXPAND = 0x02000000;
constexpr DWORD TVXS_SORTHEADER = 0x04000000;
constexpr DWORD TVXS_HEADERDRAG = 0x08000000;
constexpr DWORD SECTREE_STYLE_MASK = 0x417;
constexpr DWORD SECTREE_CREATE_STYLE_MASK = 0x43F;
constexpr DWORD SECTREE_CREATE_EXSTYLE_MASK = 0x03F00000;
// Tree hit flag: on a row.
constexpr UINT TVHT_ONROW = 0x4000;
// Insert-after code: descending order.
#define TVI_SORTDESCENDING ((HTREEITEM)(ULONG_PTR)0xFFFF0010)
// The hover timer has an id of its own (the type-ahead reset uses 3).
constexpr UINT_PTR SECTREE_HOVER_TIMER = 0x7E03;
// The hanging-indent marker.
constexpr const wchar_t* SECTREE_HANGING_MARKER = L"\\{HI}";
// The image index that means no image.
constexpr int SECTREE_NO_IMAGE = -12;

// The message that announces a finished column-0 edit (wParam the control id, lParam the item).
UINT SECTreeEndLabelEditMessage();
// The same message as the tree view registers it for itself (the same name, so the same value).
UINT SECTreeViewEndLabelEditMessage();

namespace sectree_detail {
struct SortState;
}

// The draw record of a tree row.
struct SECTreePaintContext : public SECListPaintContext {
    ~SECTreePaintContext() override; // closes the buttons' theme
    TVITEMW tvi = {};
    SECListItemEx tvix;
    _Node* pNode = nullptr;
    // The "TREEVIEW" theme of the buttons, asked for once a paint, by its first button.
    HTHEME hButtonTheme = NULL;
    bool bButtonThemeAsked = false;
};

template <class TList> class SECTreeImpl : public TList {
public:
    using List = TList;

    SECTreeImpl();
    ~SECTreeImpl() override;

    // The list's overloads stay visible beside the tree's (GetNextItem deliberately not: the
    // tree's takes an item, and GetNextItem(NULL, TVGN_CHILD) must reach it).
    using TList::Create;
    using TList::CreateEx;
    using TList::EditLabel;
    using TList::EnsureVisible;
    using TList::GetItem;
    using TList::GetItemData;
    using TList::GetItemEx;
    using TList::GetItemState;
    using TList::GetItemText;
    using TList::GetSafeHwnd;
    using TList::HitTest;
    using TList::InsertItem;
    using TList::m_hWnd;
    using TList::NotifyDeleteItem;
    using TList::NotifyGetDispInfo;
    using TList::NotifySetDispInfo;
    using TList::SelectItem;
    using TList::SelectRange;
    using TList::SetItem;
    using TList::SetItemData;
    using TList::SetItemEx;
    using TList::SetItemState;
    using TList::SetItemText;

    // ---- Virtual operations the tree adds.
    virtual BOOL SetItemEx(TVITEMW* pItem, SECListItemEx* pItemEx);
    virtual BOOL GetItem(TVITEMW* pItem, BOOL bCopyText = TRUE, BOOL bCallbacks = TRUE);
    virtual BOOL GetItemEx(TVITEMW* pItem, SECListItemEx* pItemEx, BOOL bCallbacks = TRUE);
    virtual BOOL EnableSubItemTextStorage(BOOL bEnable);
    virtual BOOL HasSubItemTextStorage();
    virtual BOOL SetItemText(HTREEITEM hItem, int nCol, LPCTSTR lpszText);
    virtual BOOL SetItemText(HTREEITEM hItem, LPCTSTR lpszText);
    virtual BOOL Expand(HTREEITEM hItem, UINT nCode, BOOL bRedraw = TRUE, BOOL bForce = FALSE);
    virtual int CompareItems(HTREEITEM hItem1, HTREEITEM hItem2);
    virtual BOOL GetTreeStyles(DWORD* pStyle, DWORD* pExStyle);
    virtual BOOL SetTreeStyles(DWORD dwStyle, DWORD dwExStyle, BOOL bRedraw = TRUE);
    virtual DWORD GetTreeStyle();
    virtual DWORD GetTreeExStyle();
    virtual BOOL SetTreeStyle(DWORD dwStyle, BOOL bRedraw = TRUE);
    virtual BOOL SetTreeExStyle(DWORD dwExStyle, BOOL bRedraw = TRUE);
    virtual BOOL ModifyTreeStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE);
    virtual BOOL ModifyTreeExStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE);
    virtual BOOL ModifyTreeStyles(DWORD dwRemove, DWORD dwAdd, DWORD dwExRemove, DWORD dwExAdd,
                                  BOOL bRedraw = TRUE);
    virtual BOOL RedrawItem(HTREEITEM hItem, BOOL bLabelOnly = FALSE, BOOL bToBottom = FALSE,
                            BOOL bErase = TRUE, BOOL bUpdateNow = FALSE);
    virtual CImageList* CreateDragImage(HTREEITEM hItem);
    virtual void DrawDragImages(CDC* pDC, int dx, int dy);
    virtual int CalcLabelRect(CDC* pDC, _Node* pNode, LPCTSTR lpszText, RECT* pRect);
    virtual void DrawLines(SECListPaintContext* pContext);
    virtual void DrawButton(SECListPaintContext* pContext);
    virtual void DrawDottedHLine(CDC* pDC, BOOL bSelected, int x1, int x2, int y);
    virtual void DrawDottedVLine(CDC* pDC, BOOL bSelected, int x, int y1, int y2);
    virtual LRESULT NotifyGetDispInfo(TVITEMW* pItem);
    virtual void NotifyItemExpanded(HTREEITEM hItem, UINT nCode);
    virtual LRESULT NotifyItemExpanding(HTREEITEM hItem, UINT nCode);
    virtual void NotifySetDispInfo(TVITEMW* pItem);
    virtual void OnGetItemEx(SECListItemEx*) {}
    virtual void OnSetItemEx(SECListItemEx*) {}
    virtual HBITMAP CreateTextBitmap(CDC* pDC, LPCTSTR lpszText, SIZE* pSize);
    virtual CImageList* CreateTextDragImage(CDC* pDC, LPCTSTR lpszText);
    virtual CImageList* CreateIconDragImage(int nImage);
    virtual CImageList* MergeImageLists(CImageList* pIcon, CImageList* pText);
    virtual BOOL DeleteItemTree(HTREEITEM hItem);
    virtual int GetButtonRect(SECListPaintContext* pContext, int nRow, RECT* pRect);
    virtual void NotifyDeleteItem(HTREEITEM hItem);
    virtual _Node* NewNode();

    // ---- Overrides of the list.
    BOOL CreateEx(DWORD dwStyle, DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                  CCreateContext* pContext = NULL) override;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                CCreateContext* pContext = NULL) override;
    BOOL CreateFromDlgItem(UINT nID, CWnd* pParentWnd) override;
    BOOL DeleteColumnByName(LPCTSTR lpszHeading) override;
    BOOL DeleteColumn(int nCol) override;
    int InsertColumnArgs(int nCol, LPCTSTR lpszHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                         int nSubItem = -1, int nImage = -1, BOOL bRedraw = TRUE) override;
    LPARAM GetItemParam(SECListItem* pItem) override;
    BOOL SetItem(LVITEM* pItem, BOOL bRedraw = TRUE) override;
    BOOL SetItemEx(LVITEM* pItem, SECListItemEx* pItemEx) override;
    BOOL GetItem(LVITEM* pItem, BOOL bCopyText = TRUE, BOOL bNotify = TRUE) override;
    BOOL GetItemEx(LVITEM* pItem, SECListItemEx* pItemEx, BOOL bNotify = TRUE) override;
    BOOL DeleteAllItems() override;
    BOOL ItemNeedsDispInfo(int nRow) override;
    CImageList* GetImageList(int nWhich) override;
    CImageList* SetImageList(CImageList* pImageList, int nWhich) override;
    BOOL EnableWordWrap(BOOL bEnable) override;
    BOOL EnableLabelTips(BOOL bEnable) override;
    BOOL EnableMultiSelect(BOOL bEnable) override;
    BOOL SetHeaderStyle(BOOL bShow, BOOL bSortable) override;
    CFont* PickTextFont(SECListPaintContext* pContext) override;
    int CalcItemRects(SECListPaintContext* pContext, int* pHeight) override;
    BOOL LoadDrawRecord(SECListPaintContext* pContext) override;
    SECListPaintContext* NewPaintContext(CDC* pDC) override;
    void DrawItem(SECListPaintContext* pContext) override;
    int CalcContentWidth(SECListPaintContext* pContext = NULL) override;
    void InvalidateAllHeights() override;
    BOOL SplitCreateStyles(CREATESTRUCT* pcs) override;
    void UpdateScrollBars() override;
    void OnColumnMoved(int nFrom, int nTo) override;
    BOOL OnReturnKey(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt,
                     UINT nFlags) override;
    BOOL OnLeftKey(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt,
                   UINT nFlags) override;
    BOOL OnBackKey(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt,
                   UINT nFlags) override;
    BOOL OnRightKey(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt,
                    UINT nFlags) override;
    BOOL OnMultiplyKey(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt,
                       UINT nFlags) override;
    void OnBeginDrag(int nRow, int x, int y) override;
    LRESULT NotifyBeginLabelEdit(int nRow, int nSubItem) override;
    void OnBeginRDrag(int nRow, int x, int y) override;
    BOOL NotifyEndLabelEdit(int nRow, int nSubItem, CString* pText, BOOL bAccept) override;
    void OnEndLabelEditDone(int nRow, int nSubItem) override;
    void NotifySelChanged(int nRow, int nOldRow, BOOL bHow) override;
    LRESULT NotifySelChanging(int nRow, int nOldRow, BOOL bHow) override;
    LRESULT NotifyGetDispInfo(LVITEM* pItem) override;
    void NotifySetDispInfo(LVITEM* pItem) override;
    LRESULT NotifyKeyDown(UINT nVKey) override;

    // ---- Items.
    HTREEITEM InsertItem(LPTVINSERTSTRUCTW pInsert);
    HTREEITEM InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                         UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
    HTREEITEM InsertItem(LPCTSTR lpszItem, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage,
                         HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    BOOL InsertItems(TVITEMW** ppItems, HTREEITEM hParent, int nCount, BOOL bRedraw = TRUE);
    BOOL DeleteItem(HTREEITEM hItem);
    BOOL SetItem(TVITEMW* pItem);
    BOOL SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage,
                 UINT nState, UINT nStateMask, LPARAM lParam);
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask);
    DWORD_PTR GetItemData(HTREEITEM hItem);
    CString GetItemText(HTREEITEM hItem, int nCol = 0);
    BOOL CopyItemText(HTREEITEM hItem, int nCol, CString* pText);
    HTREEITEM GetItemFromIndex(int nRow);
    int FindItemIndex(HTREEITEM hItem, int nStart = 0);
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode);
    HTREEITEM GetSelectedItem();
    HTREEITEM GetFirstVisibleItem();
    HTREEITEM GetFirstSelectedItem();
    HTREEITEM GetNextSelectedItem(HTREEITEM hItem);
    HTREEITEM GetPrevSelectedItem(HTREEITEM hItem);
    HTREEITEM GetNextVisibleItem(HTREEITEM hItem);
    HTREEITEM GetPrevVisibleItem(HTREEITEM hItem);
    HTREEITEM GetDropHilightItem();
    BOOL Select(HTREEITEM hItem, UINT nCode);
    BOOL SelectItem(HTREEITEM hItem);
    BOOL SetFocusItem(HTREEITEM hItem);
    BOOL SelectRange(HTREEITEM hItem1, HTREEITEM hItem2, BOOL bSelect);
    BOOL SelectSetFirstVisible(HTREEITEM hItem);
    BOOL SelectDropTarget(HTREEITEM hItem, BOOL bMakeVisible = TRUE);
    BOOL EnsureVisible(HTREEITEM hItem, BOOL bShowRange = FALSE);
    BOOL ExpandAll(HTREEITEM hItem = TVI_ROOT, BOOL bRedraw = TRUE);
    BOOL CollapseAll(HTREEITEM hItem = TVI_ROOT, BOOL bRedraw = TRUE);
    BOOL EditLabel(HTREEITEM hItem, int nCol = 0);
    HTREEITEM HitTest(CPoint pt, UINT* pFlags = NULL);
    HTREEITEM HitTest(TVHITTESTINFO* pInfo);
    BOOL GetItemRect(HTREEITEM hItem, RECT* pRect, BOOL bTextOnly);
    void ReMeasureItem(HTREEITEM hItem);
    BOOL SetItemDisabled(HTREEITEM hItem, BOOL bDisable);
    BOOL HideItem(HTREEITEM hItem, BOOL bHide);
    BOOL SetHideDisabled(BOOL bMode);
    BOOL GetHideDisabled() const { return m_bHideDisabled; }
    BOOL MoveItem(HTREEITEM hItem, HTREEITEM hNewParent, BOOL bRedraw = TRUE,
                  HTREEITEM hInsertAfter = TVI_LAST);
    BOOL SortChildren(HTREEITEM hItem, BOOL bRecursive = FALSE, BOOL bAscending = TRUE);
    BOOL SortChildrenCB(LPTVSORTCB pSort, BOOL bRecursive = FALSE);
    BOOL SetSkippedLevel(WORD wLevel);
    WORD GetSkippedLevel() const;
    // Makes the rows match the nodes: visible nodes get their rows, others lose them, rows out of
    // their pre-order place are made again.
    void RebuildRows();

    // ---- Node queries.
    _Node* ItemFromHandle(HTREEITEM hItem) const { return m_nodes.ItemFromHandle(hItem); }
    HTREEITEM GetChildItem(HTREEITEM hItem) const { return m_nodes.GetChildItem(hItem); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetParentItem(HTREEITEM hItem) const { return m_nodes.GetParentItem(hItem); }
    HTREEITEM GetRootItem(HTREEITEM hItem = NULL) const { return m_nodes.GetRootItem(hItem); }
    BOOL IsItemExpanded(HTREEITEM hItem) const { return m_nodes.IsItemExpanded(hItem); }
    BOOL ItemHasChildren(HTREEITEM hItem) const { return m_nodes.ItemHasChildren(hItem); }
    BOOL ItemClaimsChildren(HTREEITEM hItem);
    int GetChildCount(HTREEITEM hItem, BOOL bRecursive = FALSE, BOOL bExpandedOnly = FALSE) const {
        return m_nodes.GetChildCount(hItem, bRecursive, bExpandedOnly);
    }
    BOOL IsItemHidden(HTREEITEM hItem) const { return m_nodes.IsItemHidden(hItem); }
    BOOL IsItemDisabled(HTREEITEM hItem) const { return m_nodes.IsItemDisabled(hItem); }
    BOOL IsItemVisible(HTREEITEM hItem) const { return m_nodes.IsItemVisible(hItem); }
    std::unique_ptr<HTREEITEM[]> GetChildArray(HTREEITEM hItem, int& nCount) const {
        return m_nodes.GetChildArray(hItem, nCount);
    }
    int GetItemCountInTree() const { return m_nodes.GetItemCount(); }
    int GetIndent() const { return m_nIndent; }
    BOOL SetIndent(int nIndent);
    SECSubItemTextStorage* GetSubItemTextStorage() const { return m_pStorage.get(); }
    void SetAnimationSteps(int nSteps) { m_nAnimSteps = std::max(1, nSteps); }
    void SetScrollOnExpand(BOOL bScroll) { m_bScrollOnExpand = bScroll; }
    void SetHoverDelay(UINT nMilliseconds) { m_nHoverDelay = nMilliseconds; }
    UINT_PTR GetHoverTimer() const { return m_nHoverTimer; }

    // Message handlers (the concrete classes' maps name them).
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);

protected:
    // Nodes and rows.
    _Node* RootNode() const { return m_nodes.GetRootNode(); }
    _Node* LiveItem(HTREEITEM hItem) const; // a live item, never the root
    _Node* NodeOfRow(int nRow) const;
    int RowOf(const _Node* pNode);
    BOOL HasRow(const _Node* pNode) { return RowOf(pNode) >= 0; }
    int MakeRow(_Node* pNode, int nRow);
    int MakeRowInPlace(_Node* pNode);
    _Node* PrevVisibleNode(_Node* pNode) const;
    _Node* LastVisibleDescendant(_Node* pNode) const;
    int CountVisibleDescendants(_Node* pNode) const;
    void AddDescendantRows(_Node* pNode, int nRow);
    void RemoveDescendantRows(_Node* pNode, int nRow);
    BOOL ReopenBranch(_Node* pParent);
    void RemoveRowOf(_Node* pNode);
    void DeleteRowRange(int nFirst, int nCount);
    void FinishRowRemoval();
    void ForgetRow(const _Node* pNode) { m_rowHint.erase(pNode); }
    UINT_PTR ResolveInsertAfter(_Node* pParent, HTREEITEM hInsertAfter, BOOL* pbSort, BOOL* pbDesc);
    UINT_PTR SortedPosition(_Node* pParent, _Node* pNew, BOOL bDescending);
    void ApplyToNode(_Node* pNode, const TVITEMW* pItem, BOOL bNotify);
    BOOL AliveNode(const _Node* pNode) const { return m_nodes.IsItem(pNode); }
    CString NodeText(_Node* pNode);
    LRESULT SendTree(NMHDR* pHdr, UINT nCode);
    void FillNotifyItem(TVITEMW* pDest, int nRow);
    void ScrollAfterExpand(_Node* pNode);
    void HideBranch(_Node* pNode, BOOL bHide);
    BOOL SortNodes(_Node* pParent, BOOL bRecursive, int (*compare)(const void*, const void*),
                   const void* pContext);
    void RewriteSortedRows(_Node* pParent);
    BOOL SortAndRestore(_Node* pParent, BOOL bRecursive, sectree_detail::SortState& state);
    void RestoreSelection(const std::vector<_Node*>& selected, _Node* pCaret);
    int Level(const _Node* pNode) const;
    int LevelOffset() const;
    BOOL LinesAtRoot() const;

    // Fields, in the order the tree keeps them.
    std::unique_ptr<SECSubItemTextStorage> m_pStorage;
    SECTreeNodes m_nodes;
    int m_nIndent = 20;
    BOOL m_bHideDisabled = FALSE;
    DWORD m_dwTreeStyle = 0;
    DWORD m_dwTreeExStyle = 0;
    UINT_PTR m_nHoverTimer = 0;
    UINT m_nHoverDelay = 1000;
    int m_nAnimSteps = 5;
    int m_nAnimCounter = 0;
    BOOL m_bScrollOnExpand = TRUE;

    // Not part of the described state: where each node's row was last seen (only nodes that
    // have a row are keys), the column of the running edit, the widest measured label and the
    // depth of the sort in progress.
    struct RowHint {
        int nRow;        // where the row was seen
        int nInsertedAt; // m_nRowsInserted and m_nRowsRemoved then
        int nRemovedAt;
    };
    std::unordered_map<const _Node*, RowHint> m_rowHint;
    struct Known {
        int nDepth = 0;
        bool bDisabled = false; // the node or an ancestor
        bool bHidden = false;
    };
    mutable std::unordered_map<const _Node*, Known> m_known;
    const Known& KnownOf(const _Node* pNode) const;
    void ForgetKnown() { m_known.clear(); }
    // Scroll bars are brought up to date once, when the outermost batch of row changes ends.
    int m_nDeferBars = 0;
    BOOL m_bBarsPending = FALSE;
    class BarsDeferred {
    public:
        explicit BarsDeferred(SECTreeImpl* pTree) : m_pTree(pTree), m_token(pTree->LifeToken()) {
            ++pTree->m_nDeferBars;
        }
        ~BarsDeferred() {
            if (m_token.expired() || --m_pTree->m_nDeferBars > 0 || !m_pTree->m_bBarsPending)
                return;
            m_pTree->m_bBarsPending = FALSE;
            m_pTree->UpdateScrollBars();
        }
        BarsDeferred(const BarsDeferred&) = delete;
        BarsDeferred& operator=(const BarsDeferred&) = delete;

    private:
        SECTreeImpl* m_pTree;
        std::weak_ptr<int> m_token;
    };
    int m_nEditColumn = 0;
    int m_nContentWidth = 0;
    int m_nSortDepth = 0;
    BOOL m_bNestedSort = FALSE;
    int m_nRowsRemoved = 0;
    int m_nRowsInserted = 0;
    unsigned m_nExpandCalls = 0; // expansions that went as far as asking the owner
};
