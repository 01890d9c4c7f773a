// CWnd: a window handle and the C++ object that receives its messages through the message map.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "framework/win/cmdtarget.h"
#include "framework/core/cstring.h"
#include "framework/win/dc.h"
#include "framework/win/gdi.h"
#include "framework/core/geometry.h"
#include "framework/win/handlemap.h"
#include "framework/win/menu.h"

// winuser.h makes GetNextWindow a macro; here it is a member.
#ifdef GetNextWindow
#undef GetNextWindow
#endif

class CScrollBar;
class CListBox;
class CFrameWnd;
struct CCreateContext;

// The window procedure of every framework window (installed by creation and subclassing).
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// Runs one message through pWnd's WindowProc with the exception barrier and the current-message
// bookkeeping; the same path serves direct calls that bypass SendMessage.
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// The message being handled by the innermost window procedure on this thread.
const MSG* AfxGetCurrentMessage();

// Registers (once) a window class of this module with these attributes and returns its name;
// the name stays valid until the window-system clean-up. Throws CResourceException on failure.
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = 0, HBRUSH hbrBackground = 0,
                            HICON hIcon = 0);
// The same for a class with a fixed name (the framework's bars and frames).
LPCTSTR AfxRegisterNamedWndClass(LPCTSTR lpszName, UINT nClassStyle, HCURSOR hCursor,
                                 HBRUSH hbrBackground);
// Unregisters the classes registered above, and removes the framework's hooks. Classes still in
// use by a window stay registered (a later call retries).
void AfxWinTerm();

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    explicit CWnd(HWND hWnd);
    // A window still attached is destroyed; messages from then on reach CWnd's handlers only.
    ~CWnd() override;

    HWND m_hWnd = NULL;
    // The window that takes this one's commands and update requests when it is not the parent
    // (a control bar inside a dock bar answers to its frame); NULL: the parent.
    HWND m_hWndOwner = NULL;

    operator HWND() const { return GetSafeHwnd(); }
    HWND GetSafeHwnd() const { return AfxIsNullThis(this) ? NULL : m_hWnd; }
    BOOL operator==(const CWnd& wnd) const { return m_hWnd == wnd.m_hWnd; }
    BOOL operator!=(const CWnd& wnd) const { return m_hWnd != wnd.m_hWnd; }

    // Insert-after values for SetWindowPos.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // Handle map.
    static CWnd* PASCAL FromHandle(HWND hWnd);
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Routes an existing window's messages through this object (its old procedure becomes the
    // default). FALSE when the window is already bound to an object.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // Creation. The object is bound to the window before the first message arrives.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = NULL);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                          DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                          HMENU nIDorHMenu, LPVOID lpParam = NULL);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = NULL);
    virtual BOOL DestroyWindow();

    // Message plumbing.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = NULL);
    // Default processing of the message being handled.
    LRESULT Default();
    static const MSG* PASCAL GetCurrentMessage();
    // Offers pMsg to the PreTranslateMessage of each window from its own up to hWndStop.
    static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // bOnlyPerm: only windows bound to objects, whose WindowProc is called directly. The children
    // are taken before the first is called: a handler may destroy, re-parent or re-order them, and
    // each survivor is visited once.
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL bDeep = TRUE, BOOL bOnlyPerm = FALSE) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Updates the enabled/checked state of the child controls through pTarget's handlers.
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
    // Makes this object's window, controls and all, from a dialog template of the resources,
    // as a child of pParentWnd. FALSE (no window) when the template is missing.
    BOOL CreateDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd);
    // Applies the template's initialisation data (combo and list box strings). A template
    // without such data succeeds.
    BOOL ExecuteDlgInit(LPCTSTR lpszResourceName);
    BOOL ExecuteDlgInit(LPVOID lpResource);

    // Family.
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd);
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const;
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetTopWindow() const;
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const;
    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    BOOL IsChild(const CWnd* pWnd) const;
    CWnd* ChildWindowFromPoint(POINT point) const;
    CWnd* ChildWindowFromPoint(POINT point, UINT nFlags) const;
    static CWnd* PASCAL WindowFromPoint(POINT point);
    static CWnd* PASCAL GetDesktopWindow();
    static CWnd* PASCAL FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName);
    // The window a dialog or message box should be owned by (the top-level owner of pParent, or
    // the main window).
    static CWnd* PASCAL GetSafeOwner(CWnd* pParent = NULL, HWND* pWndTop = NULL);

    // State.
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL PASCAL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL PASCAL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    void DrawMenuBar();
    CMenu* GetSystemMenu(BOOL bRevert) const;
    void SetRedraw(BOOL bRedraw = TRUE);
    BOOL LockWindowUpdate();
    void UnlockWindowUpdate();
    void DragAcceptFiles(BOOL bAccept = TRUE);
    BOOL FlashWindow(BOOL bInvert);
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = NULL, UINT nType = MB_OK);

    // Geometry.
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);
    void BringWindowToTop();
    void CenterWindow(CWnd* pAlternateOwner = NULL);
    // The window rectangle needed for the client rectangle in lpClientRect (in place).
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0);

    // Painting.
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void ValidateRgn(CRgn* pRgn);
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = NULL, CRgn* prgnUpdate = NULL,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    CDC* GetDC();
    CDC* GetWindowDC();
    CDC* GetDCEx(CRgn* prgnClip, DWORD flags);
    int ReleaseDC(CDC* pDC);
    CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
    void EndPaint(LPPAINTSTRUCT lpPaint);

    // Input.
    CWnd* SetFocus();
    static CWnd* PASCAL GetFocus();
    CWnd* SetCapture();
    static CWnd* PASCAL GetCapture();
    static CWnd* PASCAL GetActiveWindow();
    CWnd* SetActiveWindow();
    BOOL SetForegroundWindow();
    static CWnd* PASCAL GetForegroundWindow();
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse,
                      void(CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD) = NULL);
    BOOL KillTimer(UINT_PTR nIDEvent);
    BOOL OpenClipboard();
    void CreateCaret(CBitmap* pBitmap);
    void CreateSolidCaret(int nWidth, int nHeight);
    void CreateGrayCaret(int nWidth, int nHeight);
    void ShowCaret();
    void HideCaret();
    static void PASCAL SetCaretPos(POINT point);
    static CPoint PASCAL GetCaretPos();

    // Scrolling (of the window's own bars, or of the sibling bar GetScrollBarCtrl returns).
    virtual CScrollBar* GetScrollBarCtrl(int nBar) const;
    int GetScrollPos(int nBar) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    int GetScrollLimit(int nBar);
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
    BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH);
    void EnableScrollBarCtrl(int nBar, BOOL bEnable = TRUE);
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = NULL, LPCRECT lpClipRect = NULL);
    int ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* prgnUpdate,
                       LPRECT lpRectUpdate, UINT flags);

    // Dialog-item helpers.
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton);
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = NULL, BOOL bSigned = TRUE) const;
    void MapDialogRect(LPRECT lpRect) const;

    // Tooltips: a window with tooltips enabled is asked, as the mouse moves over it, which tool
    // the point is on (OnToolHitTest) and its tip is shown by the thread's tooltip control.
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    // Whether the window shows tips now: enabled by EnableToolTips, or by a style of its own
    // (a control bar's CBRS_TOOLTIPS).
    virtual BOOL ShowsToolTips() const { return m_bToolTips; }
    // Fills pTI for the tool at point (client coordinates) and returns its id, or -1. The
    // default answers the child control under the point, its text asked for by TTN_NEEDTEXT.
    // A text other than LPSTR_TEXTCALLBACK must be allocated with malloc: it is freed here.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    // Shows, moves and hides tips for mouse messages; called by PreTranslateMessage.
    void FilterToolTipMessage(MSG* pMsg);
    // Hides the current tip and forgets its tool.
    static void PASCAL CancelToolTips(BOOL bKeys = FALSE);

    // The nearest ancestor that is a frame (IsFrameWnd), or NULL.
    CFrameWnd* GetParentFrame() const;
    // The outermost frame among this window (when a frame) and its parent frames.
    CFrameWnd* GetTopLevelFrame() const;
    virtual BOOL IsFrameWnd() const;

protected:
    // Last step of a window's life: the object no longer has a window. Self-owning windows
    // delete themselves here.
    virtual void PostNcDestroy();
    // Called before an existing window is subclassed.
    virtual void PreSubclassWindow();

    // The procedure messages go to when the map does not take them.
    WNDPROC m_pfnSuper = NULL;
    BOOL m_bToolTips = FALSE;

    // Default handlers of the ON_WM_ entries: they pass the message on to default processing.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg void OnCancelMode();
    afx_msg void OnSysColorChange();
    afx_msg void OnChildActivate();
    afx_msg void OnMouseLeave();
    afx_msg void OnNcMouseLeave();
    afx_msg void OnEnterSizeMove();
    afx_msg void OnExitSizeMove();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnSizing(UINT nSide, LPRECT lpRect);
    afx_msg void OnMoving(UINT nSide, LPRECT lpRect);
    afx_msg void OnSetFocus(CWnd* pWnd);
    afx_msg void OnKillFocus(CWnd* pWnd);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseHover(UINT nFlags, CPoint point);
    afx_msg void OnNcMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnNcRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnNcMButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnEnable(BOOL bFlag);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    afx_msg void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
    afx_msg int OnVKeyToItem(UINT nKey, CListBox* pListBox, UINT nIndex);
    afx_msg int OnCharToItem(UINT nChar, CListBox* pListBox, UINT nIndex);
    afx_msg void OnInitMenu(CMenu* pMenu);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg void OnParentNotify(UINT nID, LPARAM lParam);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg void OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg void OnEnterMenuLoop(BOOL bFlag);
    afx_msg void OnExitMenuLoop(BOOL bFlag);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnFontChange();
    afx_msg void OnNcRButtonDblClk(UINT nHitTest, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    friend LRESULT AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK AfxCbtFilterHook(int, WPARAM, LPARAM);
    // Unbinds the object from a window that is going away and lets it delete itself.
    void FinishNcDestroy();
    // The hook's half of creation: bind and subclass the new window.
    void BindCreatedWindow(HWND hWnd);

    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
};

// The children of hWndParent in z-order, taken at once: walks that call out (and so may see
// children destroyed, re-parented or re-ordered) go over this list and skip what has left.
std::vector<HWND> AfxChildWindows(HWND hWndParent);
BOOL AfxIsChildStill(HWND hWndParent, HWND hWndChild);

// Binds the object being created to its window before the window's first message.
LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam);
