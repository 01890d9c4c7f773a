// CFrameWnd: a top-level or MDI child window that holds a view (or a splitter of views), its
// control bars, menu and accelerators, and routes commands to the active view and document.
#pragma once

#include <windows.h>

#include "framework/core/lists.h"
#include "framework/docview/controlbar.h"
#include "framework/docview/createcontext.h"
#include "framework/docview/frameids.h"
#include "framework/docview/sizeparent.h"
#include "framework/win/wnd.h"

class CView;
class CDocument;
class CDockBar;
class CMiniDockFrameWnd;
class CDockState;
struct CPrintPreviewState;

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    static const CRect rectDefault;

    // Creates the frame from resource nIDResource: its menu, icon, accelerators and title (the
    // first field of the string resource). FALSE when the window cannot be created.
    virtual BOOL LoadFrame(UINT nIDResource,
                           DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                        DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    using CWnd::Create;
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);

    // Layout: bars first (size-parent protocol), the pane gets what is left. A pending delayed
    // layout is done by it (its notify request joins bNotify).
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Asks for a layout at the next idle time (docking code changes many bars at once).
    void DelayRecalcLayout(BOOL bNotify = TRUE);
    enum IdleFlags {
        idleMenu = 1,
        idleTitle = 2,
        idleNotify = 4,
        idleLayout = 8,
        idleFloating = 16
    };
    // Asks for the title to be brought up to date at the next idle time (a child that is going
    // still counts as the active one while it goes).
    void DelayUpdateFrameTitle() { m_nIdleFlags |= idleTitle; }
    UINT m_nIdleFlags = 0;
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                        LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr,
                        BOOL bStretch = TRUE);
    enum RepositionFlags {
        reposDefault = 0,
        reposQuery = 1,
        reposExtra = 2,
        reposNoPosLeftOver = 0x8000
    };

    // Control bars. Every bar whose parent is the frame joins its list at creation (a floating
    // bar stays in its frame's list); a bar leaves it when it is destroyed.
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    CControlBar* GetControlBar(UINT nID);
    // Makes the dock bars of the sides in dwDockStyle (m_pDockBarClass) and allows floating.
    void EnableDocking(DWORD dwDockStyle);
    // Docks pBar in the dock bar nDockBarID (0: the first side the bar may dock on), at lpRect
    // (screen) when given; the dock bar decides the place.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
    // Every docking request ends here (a docking library adds its hooks).
    virtual void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = NULL);
    // Floats pBar in a mini frame with its top left at point (screen); a bar alone in a mini
    // frame of a matching orientation only moves.
    virtual void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
    virtual void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    virtual CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    // The side (CBRS_ALIGN_*) of the first dock bar that rect (screen) overlaps among the sides
    // of dwDockStyle, and that dock bar; 0 when none.
    DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = NULL);
    // The place of every bar, and the same applied (floating frames made again as needed).
    virtual void GetDockState(CDockState& state) const;
    virtual void SetDockState(const CDockState& state);
    virtual void LoadBarState(LPCTSTR lpszProfileName);
    virtual void SaveBarState(LPCTSTR lpszProfileName) const;
    // The window class of new dock bars and mini frames (a docking library puts its own here).
    CRuntimeClass* m_pDockBarClass;
    CRuntimeClass* m_pFloatingFrameClass;
    CPtrList m_listControlBars;
    // The dock bar ids and their sides, in the order EnableDocking makes them.
    static const DWORD dwDockBarMap[4][2];

    // Views and documents.
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    // The frame whose view is active: the frame itself, or the active MDI child.
    virtual CFrameWnd* GetActiveFrame() { return this; }
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    virtual void ActivateFrame(int nCmdShow = -1);
    // Gives the views their initial update, makes the first pane's view active and shows the
    // frame when bMakeVisible.
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);

    // Title and menu.
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    virtual HMENU GetDefaultMenu() { return m_hMenuDefault; }
    virtual HACCEL GetDefaultAccelerator();
    // The frame's own accelerator table; whoever installs a table made at run time destroys the
    // one it replaces.
    HACCEL GetAccelTable() const { return m_hAccelTable; }
    void SetAccelTable(HACCEL hAccel) { m_hAccelTable = hAccel; }
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }

    // Status prompts: the text of a command's string resource up to its first '\n'.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    // The window that shows prompts (the status bar child), or NULL.
    virtual CWnd* GetMessageBar();
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);

    // Print preview: entering puts the frame's pane, control bars and focus aside in *pState;
    // leaving gives them back and makes the put-aside view active again.
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);

    // Border space for an in-place server's tools: borderGet gives the client rectangle,
    // borderRequest tells whether the borders fit, borderSet lays the frame out around them.
    enum BorderCmd { borderGet = 1, borderRequest = 2, borderSet = 3 };
    virtual BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder);

    // Floating windows owned by this frame are told FS_* codes through WM_FLOATSTATUS.
    void NotifyFloatingWindows(DWORD dwFlags);
    // After WM_ACTIVATE: the top-level frame stays active while the window taking the
    // activation is itself or a floating window of its own (one answering FS_SYNCACTIVE), and
    // its floating windows show the caption state it has.
    void SyncActivation(UINT nState, CWnd* pWndOther);
    // The caption stays active while a window of this frame's (a floating frame) is active.
    BOOL m_bStayActive = FALSE;

    // Close rule: documents are asked first; the main frame closes all of them.
    virtual BOOL CanCloseFrame() { return TRUE; }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL IsFrameWnd() const override { return TRUE; }

    BOOL m_bAutoMenuEnable = TRUE; // items without a handler are disabled
    int m_nWindow = -1;            // window number shown after the title; -1 none
    UINT m_nIDHelp = 0;            // the resource id the frame was loaded from

protected:
    // What LoadFrame does before the window is made: help id, title, window class (with the
    // resource's icon) and accelerators. NULL when the class cannot be registered; the object
    // has then had its last call, as after a failed creation (NULL too, with the object kept,
    // for a frame whose window exists).
    LPCTSTR PrepareLoadFrame(UINT nIDResource);
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // The creation context a WM_CREATE carries (MDI children wrap it).
    virtual CCreateContext* GetCreateContext(LPCREATESTRUCT lpcs);
    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    void PostNcDestroy() override;
    // Frames close by asking the documents shown in them.
    void CloseDocumentsAndDestroy();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    afx_msg void OnEnable(BOOL bEnable);
    // The border the last borderSet gave (in-place tools).
    CRect m_rectBorder;
    // Idle time: delayed shows, a pending layout.
    void RunIdleLayout();
    // Puts the shown floating frames of this frame's bars that lie below it just above it.
    void RaiseFloatingFrames();
    // The frame is going: its bars no longer point at it.
    void DetachControlBars();

    HMENU m_hMenuDefault = NULL; // the frame's own menu (owned)
    HACCEL m_hAccelTable = NULL;
    CString m_strTitle;
    CView* m_pViewActive = nullptr;
    BOOL m_bInRecalcLayout = FALSE;
    UINT m_nIDTracking = 0;    // the prompt being shown
    UINT m_nIDLastMessage = 0; // the prompt shown last
    BOOL m_bEndsApp = FALSE;   // the main window is going: the message loop ends with it

    DECLARE_MESSAGE_MAP()
};

// The view a window is, when it is one.
CView* AfxViewOf(CWnd* pWnd);
