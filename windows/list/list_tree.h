// The control of a host-filled list window: a tree list whose rows show the window's items, that
// asks the host for images, colours and permission through the window's callbacks and tells it
// what the user does.
#pragma once

#include "framework/afx.h"
#include "include/list.h"
#include "windows/common/xsec_tree_ctrl.h"

#include <memory>
#include <string>
#include <vector>

class CDropTarget;
class CListWindow;
class CListItem;

namespace ListTreeOption {
constexpr DWORD pairA1 = 1, pairA2 = 2, pairB4 = 4, pairB8 = 8;
constexpr DWORD inputLocked = 16;
constexpr DWORD hostScrolling = 32;
constexpr DWORD rememberedWidths = 64;
} // namespace ListTreeOption

// The colours of the selected row of the list that has the focus.
constexpr COLORREF kListSelectedText = 0x00FFFF;
constexpr COLORREF kListSelectedBack = 0x800000;
constexpr COLORREF kListGreyText = 0xC0C0C0;
// The host-driven scroll bar: its range and the thumb's rest.
constexpr int kListHostScrollRange = 500;
constexpr int kListHostScrollRest = 250;

class CListTree : public XSECTreeCtrl {
    DECLARE_DYNAMIC(CListTree)
public:
    explicit CListTree(CListWindow* pWindow);
    ~CListTree() override;

    // The control inside the host's view, filling it.
    BOOL CreateIn(HWND hWndView);

    // Painting suspended while any of the flags is set; clearing the last repaints if asked.
    // Flags 1 and 2 are the host's, 0x200 its update switch; kHeld is the library's own, for a
    // batch painted once.
    static constexpr DWORD kHeld = 0x100;
    void SuspendRedraw(DWORD dwFlags);
    void ResumeRedraw(DWORD dwFlags, BOOL bRepaint);
    BOOL IsRedrawSuspended() const { return m_dwRedraw != 0; }
    void UpdateScrollBars() override;

    // Column widths from the window's column flags and the client width.
    void LayoutColumns();
    // Shows or hides host column n (commands 1000 + n); FALSE when there is no such column.
    BOOL ToggleColumn(int nColumn);

    // The text of the selected items, or of every item depth first, one line an item.
    CString CopyText(BOOL bAll);
    // Runs a context command with the item it was chosen for (null: none).
    void RunCommand(UINT nID, CListItem* pItem);
    // The context menu where the user clicked (screen point): the column menu over the header,
    // else the item menu; tracked, and its command run with the item it was opened for.
    void OpenContextMenu(CPoint ptScreen);
    // The context menu for an item (null: where no item is), built but not shown.
    HMENU BuildContextMenu(CListItem* pItem);
    // The column menu, null when no column is listed in it.
    HMENU BuildColumnMenu();

    // Host callbacks run through these: they count as one call into the host, during which the
    // host may destroy the window.
    int Notify(CListItem* pItem, int nCommand, int nRow);
    void Activate(CListItem* pItem, int nRow);
    CListItem* ItemOfRow(int nRow);
    CListItem* SelectedListItem();
    int RowOfItem(CListItem* pItem);
    BOOL InCallback() const { return m_nCallbackDepth > 0; }
    // The window is gone from the administrator: nothing more reaches the host.
    void Detach() { m_pWindow = nullptr; }
    CListWindow* Window() const { return m_pWindow; }

    // Adds an icon to the normal image list; its index, -1 when it cannot.
    int AddImage(HICON hIcon);

    // Drag and drop.
    BOOL SetDragSource(ListDragSourceFn pfn, const char* lpszKind, int nId);
    // The source or target type under the point: the kind name and the column's title.
    std::string DragType(CPoint point);
    // The drop hooks the library's drop target calls, with the point in the tree's client
    // coordinates: the service hears the kind, the id and the type under the point.
    DROPEFFECT OnDragEnter(COleDataObject* pData, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(COleDataObject* pData, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDrop(COleDataObject* pData, DROPEFFECT effect, CPoint point) override;
    void OnDragLeave() override;

    // Expands or collapses, recording the item's state (tree mode only).
    BOOL Expand(HTREEITEM hItem, UINT nCode, BOOL bRedraw = TRUE, BOOL bForce = FALSE) override;

    DWORD m_dwOptions = 0;
    BYTE m_bTreeMode = 0;
    int m_nUser = -1;
    int m_nLastColumn = 0;
    std::vector<WORD> m_columnShares; // remembered widths in percent, by host column

protected:
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DoPaint(CDC* pDC) override;
    void UpdateVScroll(int nRowCount) override;
    void PickTextColors(SECListPaintContext* pContext) override;
    CFont* PickTextFont(SECListPaintContext* pContext) override;
    LRESULT NotifyGetDispInfo(TVITEMW* pItem) override;
    LRESULT NotifyGetDispInfo(LVITEM* pItem) override;
    LRESULT NotifyBeginLabelEdit(int nRow, int nSubItem) override;
    BOOL NotifyEndLabelEdit(int nRow, int nSubItem, CString* pText, BOOL bAccept) override;
    void OnEndLabelEditDone(int nRow, int nSubItem) override;
    void NotifySelChanged(int nRow, int nOldRow, BOOL bHow) override;
    BOOL OnReturnKey(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt,
                     UINT nFlags) override;
    int TrackColumnResize(int x, int y, int nCol) override;
    LRESULT NotifyColumnClick(int nCol) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    DECLARE_MESSAGE_MAP()

private:
    friend class CListCallScope;
    // The host column of a column of the control, -1 when none.
    int HostColumnOfControl(int nControlColumn);
    int HostColumnOfSubItem(int nSubItem);
    int ControlColumnOfHost(int nColumn);
    void ApplyColors(SECListPaintContext* pContext, CListItem* pItem, int nColumn);
    // The host's scroll callback with the list's position in percent: 100 for a step down with
    // the last item already on the page, 0 for a step up with the first row shown, else 50.
    int HostScrollPercent(int nCode);
    void HostScroll(int nCode, int nFlag);
    void HostScroll(int nCode, int nFlag, int nPercent);
    template <class Scroll> void ScrollSelfThenHost(int nCode, int nFlag, Scroll scroll);
    void ResetHostScrollBar();
    void ColumnMenuAt(CPoint ptScreen);
    // The item of the row under the point (in any column), its control column and tree hit.
    HTREEITEM ItemAtPoint(CPoint point, int* pControlColumn, UINT* pTreeHit);
    UINT TrackMenu(HMENU hMenu, CPoint ptScreen);
    void StartDrag(CPoint point, int nRow);
    void ClearEditBusy();
    BOOL PutOnClipboard(const CString& text);
    void AppendCopyLines(HTREEITEM hParent, CString& text);
    void UnregisterDrag();

    CListWindow* m_pWindow;
    DWORD m_dwRedraw = 0;
    BOOL m_bBarsPendingWhileSuspended = FALSE;
    BOOL m_bControlRedrawWasOn = FALSE;
    BOOL m_bPainting = FALSE;
    ListDragSourceFn m_pfnDrag = nullptr;
    std::string m_kindName;
    int m_nId = 0;
    bool m_bDragRegistered = false;
    std::unique_ptr<CDropTarget> m_pDropTarget; // registered on the tree while it lives
    int m_nCallbackDepth = 0;
    bool m_bEditBusy = false;
    int m_nEditColumnHost = -1;
    CImageList m_images;
    CImageList m_stateImages;
    CFont m_fonts[4]; // the shared list fonts: plain, bold, italic, bold italic
};

// Holds the tree's painting through a batch of changes (its selection and scrolling paint
// nothing); released, the bars are laid out and the rows painted once, when asked and nothing
// else suspends them.
class CListPaintHold {
public:
    explicit CListPaintHold(CListTree* pTree) : m_pTree(pTree) {
        pTree->SuspendRedraw(CListTree::kHeld);
    }
    ~CListPaintHold() { Release(FALSE); }
    void Release(BOOL bRepaint) {
        if (CListTree* pTree = m_pTree) {
            m_pTree = nullptr;
            pTree->ResumeRedraw(CListTree::kHeld, bRepaint);
        }
    }
    CListPaintHold(const CListPaintHold&) = delete;
    CListPaintHold& operator=(const CListPaintHold&) = delete;

private:
    CListTree* m_pTree;
};

// One call into the host from the tree: while any is running, the administrator keeps the
// tree and its window alive even when the host destroys the window.
class CListCallScope {
public:
    explicit CListCallScope(CListTree* pTree) : m_pTree(pTree) { ++pTree->m_nCallbackDepth; }
    ~CListCallScope() { --m_pTree->m_nCallbackDepth; }
    CListCallScope(const CListCallScope&) = delete;
    CListCallScope& operator=(const CListCallScope&) = delete;

private:
    CListTree* m_pTree;
};
