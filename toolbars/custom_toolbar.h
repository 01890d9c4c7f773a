// SECCustomToolBar: a dockable toolbar that draws its own buttons (SECStdBtn objects), wraps
// them into rows, tracks a hot button in cool look, sends commands to its owner frame, and
// takes part in its toolbar manager's customize mode.
#pragma once

#include "docking/control_bar.h"
#include "framework/afx.h"
#include "toolbars/custom_toolbar_info.h"
#include "toolbars/tbbtn.h"
#include "toolbars/tbbtn_cache.h"

#include <memory>
#include <vector>

class SECToolBarManager;

// A full-length bar spans its docking side in a row of its own.
const DWORD CBRS_EX_FULLLENGTH = CBRS_EX_OWNROW;

// Bar type ids in the dock state.
const DWORD SEC_BARTYPE_CUSTOMTOOLBAR = 14946;
const DWORD SEC_BARTYPE_MENUBAR = 14947;
// The first user toolbar id, and the one past the last (the menu bar keeps 59647).
const UINT SEC_IDW_FIRST_USERBAR = 59424;
const UINT SEC_IDW_END_USERBAR = 59647;
const UINT SEC_HOT_TIMER = 0xE002;
const UINT SEC_IDS_IDLEPROMPT = 57345;

// One record of a button-class table (a NULL class ends the table).
struct SECBtnMapEntry {
    const SECButtonClass* m_pClass;
    UINT m_nID;
    DWORD m_nStyle;
    UINT_PTR m_data[5];
};

// A row of the layout: index of its last button, whether it ends at a separator that becomes
// a gap between rows, its width and height.
struct SECBtnRow {
    int nLast;
    int bBreak;
    int nWidth;
    int nHeight;
};
static_assert(sizeof(SECBtnRow) == 16, "a row record is 16 bytes");

class SECCustomToolBar : public SECControlBar, public SECBtnHost {
    DECLARE_DYNCREATE(SECCustomToolBar)
public:
    DWORD GetToolBarTraits() const override { return SEC_BAR_TOOLBAR | SEC_BAR_WRAPS; }
    SECCustomToolBar();
    ~SECCustomToolBar() override;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, LPCTSTR lpszTitle = NULL);
    virtual BOOL CreateEx(DWORD dwExStyle, CWnd* pParentWnd, DWORD dwStyle, UINT nID,
                          LPCTSTR lpszTitle = NULL);
    using SECControlBar::Create;
    using SECControlBar::CreateEx;
    virtual BOOL RemoveButton(int nIndex, BOOL bNoUpdate = FALSE);
    virtual void InsertButton(int nIndex, UINT nID, BOOL bSeparator, BOOL bNoUpdate = FALSE);
    virtual int GetButtonImage(UINT nID, UINT& nOutID);
    virtual void RecalcButtonSizes(int cx = 0, int cy = 0);
    virtual BOOL SetButtons(const UINT* pIDs, int nCount);
    virtual void ResetButtons();
    virtual BOOL IsCopyDrag() { return ::GetKeyState(VK_CONTROL) < 0; }
    virtual BOOL AcceptDrop() { return TRUE; }
    virtual int LayoutRow(int nWidth, std::vector<SECBtnRow>& rows);
    virtual int LayoutWrap(int nLength, DWORD dwMode, std::vector<SECBtnRow>& rows);
    virtual void BalanceRows(std::vector<SECBtnRow>& rows);
    virtual CSize CalcLayout(int nLength, DWORD dwMode);
    virtual void InvalidateButton(int nIndex);
    virtual int HitTest(int x, int y, CRect* pRect = NULL);
    virtual void UpdateButtonUI(int nIndex);
    // Drops a dragged button at rect (client coordinates of this bar). FALSE: nothing changed.
    virtual BOOL DropButton(const CRect& rect, SECStdBtn* pBtn, SECCustomToolBar* pSource,
                            BOOL bCopy, BOOL bNoUpdate = FALSE);
    virtual std::unique_ptr<SECStdBtn> CreateButtonForId(UINT nID, SECBtnHost* pOwner = NULL);
    // Drags button nIndex from the press at x, y (client coordinates) with the manager's
    // DragButton. TRUE when a bar changed or the move was cancelled.
    virtual BOOL DragViaManager(int nIndex, int x, int y);
    // Drags pBtn with the mouse from the press at x, y (client coordinates of pWnd, where the
    // button's rectangle lies too): onto a bar that accepts it, off every bar (a move removes
    // it, a copy makes a new floating user bar), or onto the customize dialog (nothing).
    // pSource holds the button at nIndex, or is NULL for a button of no bar. TRUE when a bar
    // changed, and for a cancelled move, which changes nothing.
    static BOOL DragButton(SECToolBarManager* pManager, SECStdBtn* pBtn, int nIndex, int x, int y,
                           SECCustomToolBar* pSource, CWnd* pWnd, BOOL bCopy);
    virtual std::unique_ptr<SECStdBtn> CreateSeparatorButton(SECBtnHost* pOwner = NULL);
    // A bar that cannot be docked (no dock context) spans its parent: its width, or its height
    // when the bar stands vertically.
    virtual void ResizeToParent();
    // A full-length bar in a rebar control: the band holding the bar takes its size as the
    // band's minimum child size.
    virtual void UpdateRebarBand(HWND hRebar, CSize size);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;
    void DrawBorders(CDC* pDC, CRect& rect) override;
    // A toolbar's gripper is a few pixels wide: its title would show as scraps of letters.
    BOOL GripperShowsTitle() const override { return FALSE; }
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
    void DelayShow(BOOL bShow) override;
    void OnGetBarInfoEx(SECControlBarInfo* pInfo) override;
    void OnSetBarInfoEx(SECControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;

    // SECBtnHost.
    CWnd* GetBarWnd() override { return this; }
    SECBmpMgr* GetBmpMgr() override { return m_pBmpMgr; }
    int IndexOfButton(const SECStdBtn* pBtn) const override;
    BOOL IsCustomizeMode() override { return m_bCustomize; }
    BOOL IsVertical() override { return m_bVertical; }
    DWORD GetExBarStyle() override { return m_dwExStyle; }
    void NotifyButtons(UINT nID, UINT nCode, void* pData, BOOL bAllBars) override;
    void ReevaluateHotButton() override { UpdateHotButton(); }

    int GetButtonCount() const { return static_cast<int>(m_btns.size()); }
    SECStdBtn* GetButton(int nIndex) const;
    void SetButtonStyle(int nIndex, DWORD dwStyle);
    DWORD GetButtonStyle(int nIndex) const;
    UINT GetButtonId(int nIndex) const;
    void GetButtonRect(int nIndex, CRect& rect) const;
    void SetBmpMgr(SECBmpMgr* pMgr);
    void SetCustomizeMode(BOOL bCustomize);
    BOOL LoadToolBar(LPCTSTR lpszResource);
    BOOL SetButtonsWithBitmap(HBITMAP hBitmap, const UINT* pIDs, int nCount);
    void HideButton(int nIndex, BOOL bHide);
    void SelectButton(int nIndex, BOOL bRepaint = TRUE);
    void ClearSelection(BOOL bRepaint = TRUE);
    int GetSelection() const { return m_bCustomize ? m_nCurBtn : -1; }
    int GetHotButton() const { return m_nHotBtn; }
    void SetManager(SECToolBarManager* pManager);
    SECToolBarManager* GetToolBarManager() const;
    BOOL IsUserBar() const;
    void SetKeepButtons(BOOL bKeep) { m_bKeepButtons = bKeep; }
    BOOL GetKeepButtons() const { return m_bKeepButtons; }

    // Drop-down tracking mode: while a drop-down (menu) button has its drop-down open, the
    // mouse or the keys move it on along the bar's drop-down buttons (kinds 3 and 4).
    // Makes the button the tracking button, then opens its drop-down.
    void DropDownButton(SECStdBtn* pBtn, UINT nMenuId, int nPopup) override;
    virtual void SwitchDropDown(int nIndex);
    virtual void SetTrackingButton(int nIndex);
    virtual void TrackButtonAt(CPoint point);
    virtual void ExitTrackingMode();
    BOOL InTrackingMode() const { return m_bTracking; }
    int GetTrackingButton() const { return m_nTrackBtn; }
    int FirstVisibleButton() const;
    int LastVisibleButton() const;
    int FirstButtonOfKind3() const;
    // From the tracking button, the next (or previous) drop-down button that is not hidden,
    // -1 past the end; without a tracking button the first (or last).
    int NextSelectableButton(BOOL bForward) const;
    // Mouse messages while a tracking button is set; TRUE when the message was used.
    virtual BOOL FilterTrackingMessage(const MSG& msg);
    virtual void CancelTracking();

    int m_nSepWidth = 8;

protected:
    void UpdateHotButton();
    void SetHotButton(int nIndex);
    void SendCommand(int nIndex, UINT nID);
    void RowExtent(int nFrom, int nStep, int& nTallest, std::vector<SECStdBtn*>& seps) const;
    void AfterLayoutChange();
    void SetStatusText(UINT nID);
    // The rebar control the bar stands in, or NULL.
    HWND RebarHost() const;
    // The length a full-length bar takes along its docking side for a layout mode; 0 for any
    // other bar or mode.
    int FullLength(DWORD dwMode) const;
    // A far-end button that ends a full-length bar of that size goes to its far end (right
    // end, or bottom), 2 pixels in.
    void PlaceFarEndButton(CSize size, BOOL bHorz);
    // The flat look's background, frame and gripper marks.
    void DrawFlatBackground(CDC* pDC);
    SECBtnDrawingCache* DrawingCache();

    // A press on an enabled button: the button's press handler decides, and an accepted press
    // makes it the current button under the bar's capture.
    void PressButton(int nIndex, CPoint point);

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnCancelMode();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnSysColorChange();
    afx_msg void OnDestroy();
    afx_msg LRESULT OnNoDelayHide(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAddButtons(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeleteButton(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDestroyIfEmpty(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    SECBmpMgr* m_pBmpMgr = nullptr;
    int m_nCurBtn = -1;
    int m_nHotBtn = -1;
    int m_nTrackBtn = -1;
    BOOL m_bCustomize = FALSE;
    std::unique_ptr<SECBtnDrawingCache> m_pOwnCache;
    BOOL m_bVertical = FALSE;
    BOOL m_bRecalcMRU = FALSE;
    BOOL m_bRecalcHorz = FALSE;
    BOOL m_bRecalcVert = FALSE;
    CSize m_szLayoutHorz{0, 0};
    CSize m_szLayoutVert{0, 0};
    CSize m_szLayoutFloat{0, 0};
    BOOL m_bKeepButtons = FALSE;
    const SECBtnMapEntry* m_pBtnMap = nullptr;
    const SECBtnMapEntry* m_pBtnMap2 = nullptr;
    BOOL m_bTracking = FALSE;
    BOOL m_bFlatPaint = FALSE;
    BOOL m_bCapturing = FALSE;
    std::vector<std::unique_ptr<SECStdBtn>> m_btns;
};

// A button drag runs (its bars must outlive it), and whether it was started with Alt (a
// dropped button is then not selected).
BOOL IsButtonDragRunning();
BOOL IsAltButtonDrag();

// The update-UI object of one button.
class SECCustomToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(LPCTSTR) override {}
    SECCustomToolBar* m_pBar = nullptr;
};
