// SECShortcutListCtrl: the icon list of a shortcut bar. Items show as centred icons with their
// labels underneath (large icons) or as a plain row of small icons; two scroll buttons at the
// top and bottom edge stand in for a scroll bar and repeat while held; the wheel scrolls; items
// can be dragged between shortcut lists of this process.
#pragma once

#include "framework/afx.h"
#include "framework/ole/oledatasource.h"
#include "framework/ole/oledroptarget.h"
#include "listtree/list_ctrl.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// The drag data: the process key, then the dragged item's record as GetItem fills it with the
// text, image and parameter fields. The record carries a text pointer, so only a list of the
// same process may take it.
struct SECShortcutDragData {
    GUID key;
    LVITEM item; // the ten members every list version has
};
// The part of LVITEM the drag data carries: its first ten members, 40 bytes on i686.
constexpr SIZE_T SECSHORTCUT_DRAGITEM_SIZE = offsetof(LVITEM, iIndent) + sizeof(int);
constexpr SIZE_T SECSHORTCUT_DRAGDATA_SIZE = 16 + SECSHORTCUT_DRAGITEM_SIZE;
static_assert(sizeof(GUID) == 16, "the key is 16 bytes");
static_assert(sizeof(void*) != 4 || SECSHORTCUT_DRAGDATA_SIZE == 56, "56 bytes in all on i686");

// Hit-test answers beyond the list's: the up and the down scroll button.
constexpr int SECSHORTCUT_HIT_UP = -10;
constexpr int SECSHORTCUT_HIT_DOWN = -11;
// Drop positions besides an item index (drop after that item).
constexpr int SECSHORTCUT_DROP_END = -1;   // after the last item
constexpr int SECSHORTCUT_DROP_FRONT = -2; // before the first item
constexpr int SECSHORTCUT_DROP_NONE = -3;  // nowhere to drop

// The auto-repeat timer of the scroll buttons (and the hot item's leave check).
constexpr UINT_PTR SECSHORTCUT_REPEAT_TIMER = 0xF0F0;
constexpr UINT SECSHORTCUT_REPEAT_MS = 250;
// Item states of the list: hot under the mouse, pressed.
constexpr UINT SECSHORTCUT_STATE_HOT = 0x400;
constexpr UINT SECSHORTCUT_STATE_PRESSED = 0x800;
constexpr UINT SECSHORTCUT_STATE_MASK = 0x0C00;
// The notification sent when an item's icon or label is clicked.
constexpr UINT SECSHORTCUT_NOTIFY_CLICK = 1101;
// The context menu and its commands.
constexpr UINT SECSHORTCUT_MENU = 20620;
constexpr UINT ID_SECSHORTCUT_LARGEICON = 43054;
constexpr UINT ID_SECSHORTCUT_SMALLICON = 43055;

// The record NotifyShortcut sends.
struct SECShortcutNotify {
    NMHDR hdr;
    int iItem;
};

class SECShortcutListCtrl : public SECListCtrl {
    DECLARE_DYNCREATE(SECShortcutListCtrl)
public:
    class ListDropTarget : public COleDropTarget {
    public:
        ListDropTarget() = default;
        // Binds the target to its list and registers it for the list's window.
        BOOL Attach(SECShortcutListCtrl* pList);
        // The list forgets the target and the registration ends.
        void Detach();
        SECShortcutListCtrl* GetList() const { return m_pList; }

        DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                               CPoint point) override;
        DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                              CPoint point) override;
        void OnDragLeave(CWnd* pWnd) override;
        BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect,
                    CPoint point) override;

    protected:
        // The drag data when it is a whole block of this process; FALSE otherwise.
        BOOL ReadDragData(COleDataObject* pDataObject, SECShortcutDragData* pData) const;
        void EraseMarker();

        SECShortcutListCtrl* m_pList = NULL;
        GUID m_key = {};
        CRect m_rcMarker{0, 0, 0, 0};
    };

    class ScrollButton {
    public:
        explicit ScrollButton(BOOL bUp) : m_bUp(bUp) {}
        virtual ~ScrollButton() = default;
        BOOL IsUp() const { return m_bUp; }
        BOOL IsPressed() const { return (m_nState & 0x1) != 0; }
        void SetPressed(BOOL bPressed) {
            m_nState = bPressed ? (m_nState | 0x1) : (m_nState & ~0x1u);
        }
        CRect m_rect{0, 0, 0, 0};

    private:
        UINT m_nState = 0;
        BOOL m_bUp;
    };

    SECShortcutListCtrl();
    ~SECShortcutListCtrl() override;

    // The process key that the drag data carries (made with the first list).
    static const GUID& GetSourceKey();

    // Flat look: the list colours come from the toolkit colour table.
    void SetFlatLook(BOOL bFlat);
    BOOL IsFlatLook() const { return m_bFlatLook; }
    int GetHotItem() const { return m_nHotItem; }
    UINT_PTR GetRepeatTimer() const { return m_nRepeatTimer; }
    ListDropTarget* GetListDropTarget() const { return m_pDropTarget.get(); }
    ScrollButton* GetUpButton() const { return m_pUpButton.get(); }
    ScrollButton* GetDownButton() const { return m_pDownButton.get(); }
    BOOL IsLargeIcons() { return (GetListStyle() & 3) == 0; }
    // The drop position for a client point (an item index, or one of SECSHORTCUT_DROP_*), and
    // the rectangle its marker takes.
    int FindDropPosition(CPoint point, CRect* pMarker = NULL);
    // Takes a dropped item record at a drop position: the image falls back to 0 when the
    // current image list has no such image. Returns the new row, or -1.
    int InsertDroppedItem(const LVITEM& item, int nPosition);

    // The list's operations, overridden.
    BOOL SetTextColor(COLORREF rgb) override;
    BOOL DeleteItemObject(SECListItem* pItem) override;
    BOOL DeleteItems(int nFirst, int nCount = 1) override;
    BOOL DeleteAllItems() override;
    int HitTest(int x, int y, UINT* pFlags = NULL, int* pCol = NULL) override;
    void InvalidateAllHeights() override;
    void LayoutScrollBars() override;
    int GetRowSpacing() override;
    void DrawItems(SECListPaintContext* pContext) override;
    void DrawItemImages(SECListPaintContext* pContext) override;
    void DrawItemLabels(SECListPaintContext* pContext) override;

    // Its own, in slot order.
    virtual void InvalidateRow(int nRow);
    virtual void DrawInsertMarker(CDC* pDC, int nPosition);
    virtual void DrawScrollButtons(CDC* pDC);
    virtual void BeginItemDrag(COleDataSource* pSource, int nRow);
    virtual void CustomizeContextMenu(CMenu* pMenu);
    virtual ListDropTarget* NewDropTarget();
    virtual ScrollButton* NewUpButton();
    virtual ScrollButton* NewDownButton();
    virtual void ScrollDown();
    virtual void ScrollUp();
    virtual void GetLeftMarkerPoints(int nPosition, POINT* pPoints);
    virtual void GetRightMarkerPoints(int nPosition, POINT* pPoints);
    virtual UINT GetHotState(int nRow);
    virtual void SetHotState(int nRow, UINT nBits, BOOL bSet);
    virtual LRESULT NotifyShortcut(UINT nCode, int nRow);
    // Runs the drag of a filled data source; the effect the drop target chose.
    virtual DROPEFFECT RunItemDrag(COleDataSource* pSource);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnSysColorChange();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnLargeIcons();
    afx_msg void OnSmallIcons();
    DECLARE_MESSAGE_MAP()

    void ApplyColors();
    void StartRepeat();
    void KillRepeat();
    int MarkerY(int nPosition, const CRect& rcInside);
    void ClearAllHotBits();
    void PressAt(CPoint point);
    // Starts and finishes the drag of a row: the row is deleted by identity after a move.
    void DragItem(int nRow);
    BOOL IsOnItemPart(UINT nFlags) const {
        return (nFlags & (LVHT_ONITEMICON | LVHT_ONITEMLABEL)) != 0;
    }
    // The icon and label rectangles of a large-icon row whose top is y.
    void GetLargeRects(int nRow, int y, CRect* pIcon, CRect* pLabel);
    BOOL IsLastItemShown();

    std::unique_ptr<ListDropTarget> m_pDropTarget;
    std::unique_ptr<ScrollButton> m_pUpButton;
    std::unique_ptr<ScrollButton> m_pDownButton;
    int m_nHotItem = -1;
    UINT_PTR m_nRepeatTimer = 0;
    int m_nLastWheelDelta = 0;
    CPoint m_ptDown{-1, -1};
    BOOL m_bFlatLook = FALSE;
    // Not part of the list's described state: the row whose drag data is out, so that the
    // drop into this same list can leave it alone.
    SECListItem* m_pDragItem = NULL;

    friend class ListDropTarget;
};
