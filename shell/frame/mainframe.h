// The library's main window: the docking MDI frame that holds every debugger window, with the
// table of window ids the host uses, its commands, menus, status bar and toolbars.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "docking/status_bar.h"
#include "framework/afx.h"
#include "ifac/h/hostwnd.h"
#include "shell/bars/hosttoolbars.h"
#include "shell/frame/host_toolbar_groups.h"
#include "shell/frame/mainframe_base.h"
#include "shell/frame/toolbar_lists.h"

class SECToolBarManager;
class CTBState;
class CDropTarget;
struct IDragDrop;
class SECDockableFrame;
class CTarvikDoc;

// The ascending list of the open windows' handles through which the frame broadcasts.
class CWindowIdList {
public:
    void Add(HWND hWnd);
    void Remove(HWND hWnd);
    bool Contains(HWND hWnd) const;
    const std::vector<HWND>& Handles() const { return m_handles; }

private:
    std::vector<HWND> m_handles;
};
CWindowIdList& WindowIdList();

class CMainFrame : public CMainFrameBase {
    DECLARE_DYNAMIC(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    // Window table: the index of an entry is the window id the host uses; entry 0 is taken.
    int RegisterWindowHandle(HWND hWnd);
    // The handle, 0 for a free id, -1 for an id outside the table.
    HWND GetWindowHandle(int nId) const;
    void FreeWindowId(int nId);
    // The id under which the table holds hWnd, -1 when none; an id's entry replaced.
    int FindWindowId(HWND hWnd) const;
    void SetWindowHandle(int nId, HWND hWnd);
    // Closes the window the host names (its id freed when named by id); 1, also when no
    // window is found.
    int CloseMDIWindow(intptr_t reference, BOOL bById);
    // The file viewer open for exactly that name leaves the list and is asked to close.
    void CloseFileViewer(LPCTSTR lpszName);
    // The window a host reference names, or NULL: a handle must be a live window of this
    // thread inside the frame; an id must name a live window.
    HWND ResolveWindowReference(intptr_t reference, BOOL bById) const;
    // The library's object of the window or its nearest ancestor that has one; a view stands
    // for its frame.
    CWnd* FindFrameOfWindow(HWND hWnd) const;
    // The frame of a window id: the one of its live window, else null (free or unknown id).
    CWnd* FrameOfId(int nId) const;
    void BroadcastMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void RelayoutAllWindows();

    // Placements kept by the host (key: the address of the window's position record).
    void UpdateWndPos(intptr_t reference, BOOL bById, const WindowPosition* pPos);
    BOOL GetWindowPos(intptr_t reference, BOOL bById, const WindowPosition* pPos);
    void ShowFrameAtHostPlacement(CWnd* pFrame, const void* key);
    // Floats the docked frame's bar (when it is not floating yet) with its floating frame at
    // the placement's rectangle, size included.
    void FloatAtHostPlacement(SECDockableFrame* pDocked, const HostPlacement& p);
    // A frame being created takes the MDI placement the host keeps for the record being
    // opened or placed.
    void PlaceNewFrame(CWnd* pFrame);
    // A newly docked window goes where the host's placement for the record being opened or
    // placed says (its side, row, column, share and thickness); else where the base puts it.
    void GetNextDockingPosition(UINT& nDockBarID, SECDockPos& pos, SECDockSize& size) override;
    CDocument* OpenFromTemplate(const WindowPosition* pPos, CDocTemplate* pTemplate,
                                LPCTSTR lpszPath);
    BOOL OpenHostWindow(LPCTSTR lpszName, const WindowPosition* pPos, HWND* phWnd);
    // An evaluation window for the host's window number: its window id, 0 on failure.
    int OpenEvalWindow(int nWindowNumber, const WindowPosition* pPos);
    // The host's update of the evaluation window with that id (kinds of the export).
    intptr_t UpdateEvalWindow(int nKind, int nId, intptr_t a, intptr_t b, int nReserved);
    static UINT GetDockBarForSide(int32_t flags);

    // Source windows and the file viewer (texts converted by the exports).
    CTarvikDoc* FindSourceDocByPath(LPCTSTR lpszPath);
    CTarvikDoc* FindSourceDocByCore(LPCTSTR lpszPath, int nCore);
    CFrameWnd* FindSourceFrame(LPCTSTR lpszPath, int nCore);
    // The source frame (either form) of a window id, or null.
    // An update with the no-source flag: the window of the id (or a new one) shows no source.
    intptr_t ShowNoSource(int nId, CWnd* pFrame, LPCTSTR lpszName, int core);
    CWnd* SourceFrameOfId(int nId) const;
    // The window id, -1 on failure.
    int OpenSourceWindow(LPCTSTR lpszName, LPCTSTR lpszPath, UINT nFlags,
                         const WindowPosition* pPos, int nCore);
    // The window id given, the handle of a frame opened for an unknown id, or 0.
    intptr_t UpdateSourceWindow(int nId, LPCTSTR lpszName, LPCTSTR lpszPath, int nLine, UINT nFlags,
                                int nStartColumn, int nEndColumn, int nLineCount, int32_t nTag);
    int ActivateSourceWindow(int nId);
    int SetColumnDatas(int nId, UINT nFlags, void* pData, int nWord);
    // The text of lines nFirst..nLast as a new 8-bit block on the process heap, or null.
    char* RequestSourceBlock(int nId, int a, int b, int nFirst, int nLast);
    // A paging action on the source window of the id (0: the active MDI child's, or the first
    // source frame after it).
    int PageWindow(int nId, int nAction, int nCount);
    int OpenFileViewer(LPCTSTR lpszPath, int nUnused, const WindowPosition* pPos);

    // Assembler windows, one a core: the window id (-1 on failure), the update of the active
    // core's views, the host's line chain, the redrawing switch of the active core's list.
    int OpenAsmWindow(UINT nFlags, const WindowPosition* pPos, int nCore);
    int UpdateAsmWindow(int nId, int nLine, UINT nFlags);
    void SetAsmColumnData(CWnd* pFrame, void* pData);
    void EnableWindowUpdate(BOOL bOn);
    // The assembler frame (either form) of a window id, or null.
    CWnd* AsmFrameOfId(int nId) const;
    // The flags of the current source- or assembler-window call, which new frames read while
    // they build their panes.
    UINT GetColumnOptions() const { return m_nColumnOptions; }
    // The caret mark of the line-number column.
    CBitmap& CaretBitmap() { return m_bitmaps[0]; }
    void SetColumnOptions(UINT nOptions) { m_nColumnOptions = nOptions; }
    LRESULT SetWndIcon(intptr_t reference, BOOL bById, WPARAM kind, HICON hIcon);
    BOOL SetWndCaption(intptr_t reference, BOOL bById, LPCTSTR lpszText);

    // Commands, menus, status bar.
    int EnableFunc(UINT nID, BOOL bEnable);
    int InsertGuiMenuItem(LPCTSTR lpszText, UINT_PTR nID, int nSelector, UINT nFlags);
    // The last item of the menu (popups not entered) whose text is exactly the text: removed,
    // or enabled (else greyed); FALSE when no item matches.
    static BOOL RemoveMenuItemByText(HMENU hMenu, LPCTSTR lpszText);
    static BOOL EnableMenuItemByText(HMENU hMenu, LPCTSTR lpszText, BOOL bEnable);
    int ChangeLanguage(int nFlag);
    BOOL SetPaneInfoText(LPCTSTR lpszText);
    int SetStatusHelpText(LPCTSTR lpszText);
    BOOL SetResetFlag(int nMode);
    BOOL EnableMemoryMapping(BOOL bFlag);
    BOOL IsResetFlagSet() const { return m_nResetFlag != 0; }
    SECStatusBar& StatusBar() { return m_wndStatusBar; }

    // Host toolbars, the user toolbar and the "Gui" toolbar.
    BOOL CreateGuiToolbar(int* pIndex, const char* pszTitle, BOOL bReuse);
    BOOL DeleteGuiToolbar(int nIndex);
    BOOL AddToolbarButton(int nIndex, UINT nBitmap, UINT nBitmap2, const char* pszTooltip,
                          UINT nID);
    int ChangeButtons(LPCTSTR lpszLabel, LPCTSTR lpszTooltip, UINT nFlags, UINT nWord, UINT nBitmap,
                      UINT nBitmap2);
    BOOL IsToolbarTitleFree(LPCTSTR lpszTitle) const;
    CUserTB* UserToolbar() const { return m_pUserTB; }
    CGuiTB* GuiToolbar() const { return m_pGuiTB; }
    const CToolbarArray& HostToolbars() const { return m_hostToolbars; }
    const std::vector<HostToolbarButtonGroup>& HostButtonGroups() const {
        return m_groups.Groups();
    }
    SECToolBarManager* ToolBarManager() const { return m_pManager.get(); }
    // The "Customize" sheet: the manager's Toolbars page and a Commands page with the frame's
    // groups, then one group per host toolbar in creation order.
    void RunCustomizeSheet();
    // "Show Plug-ins" over the host's plug-in tree; TRUE when it ended with OK.
    BOOL ShowPluginDialog(struct PluginInfoNode* pRoot);
    // Docks a bar in its neighbour's row, right after it.
    void DockControlBarLeftOf(CControlBar* pBar, CControlBar* pNeighbour);

    // Drag and drop: the frame as "MainWnd" (id 0).
    void RegisterDropTarget();
    void ActivateDropTarget();
    DROPEFFECT OnDragEnter(COleDataObject* pData, DWORD dwKeyState, CPoint point);
    DROPEFFECT OnDragOver(COleDataObject* pData, DWORD dwKeyState, CPoint point);
    void OnDragLeave();
    BOOL OnDrop(COleDataObject* pData, DROPEFFECT effect, CPoint point);
    CDropTarget* DropTarget() const { return m_pDropTarget.get(); }

    // The end of the run: the layout saved (unless a print preview did) and the window gone.
    void Close();
    void SaveFrameState();
    void LoadToolbarState(LPCTSTR lpszProfile);
    void SaveToolbarState(LPCTSTR lpszProfile);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void LoadBarState(LPCTSTR lpszProfileName) override;

    // The source margin's breakpoint images: 0 a breakpoint, 1 one on a line of several
    // statements.
    CBitmap* BreakpointBitmap(int n) { return n == 0 || n == 1 ? &m_bitmaps[1 + n] : nullptr; }

    // The print preview saved the layout already: closing does not save it again.
    static BOOL s_bPreviewSavedLayout;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnFileOpen();
    afx_msg void OnResetConfiguration();
    afx_msg void OnViewToolbars();
    afx_msg void OnToggleUserToolbar();
    afx_msg void OnUpdateToggleUserToolbar(CCmdUI* pCmdUI);
    afx_msg void OnUpdateMemoryMap(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEnabled(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePane(CCmdUI* pCmdUI);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg BOOL OnHostToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // The host's image for a command, and the bars already showing that command repainted
    // with it (a restored layout shows the host's buttons before the host names their images).
    void AddHostImage(UINT nBitmap, UINT nBitmap2, UINT nID);
    friend class CMainFrameCommands;
    BOOL CreateStatusBar();
    void DefineDefaultToolbars();
    void AdoptSingleToolbars(BOOL bExtension);
    void RestoreUserToolbarPlace();
    // Shows a bar without delay. The first time, a bar made new this run (no saved place) that
    // the docking left alone on a row moves to the end of the first other row with room for
    // it, so that a one-button bar does not take a row's height of its own.
    void ShowNewControlBar(CControlBar* pBar);
    CUserTB* CreateUserToolbar(LPCTSTR lpszTitle);
    CGuiTB* CreateHostToolbarBar(LPCTSTR lpszTitle);
    void AddHostButtonGroup(LPCTSTR lpszTitle, int nIndex);
    void UpdatePane(CCmdUI* pCmdUI, int nCode, int nMinWidth);
    BOOL SetPaneWidthAndText(int nIndex, LPCTSTR lpszText, int nMinWidth);
    // The host command behind a routed command id, or -1 when the frame handles it otherwise.
    BOOL RouteHostCommand(UINT nID);
    BOOL RouteUpdate(UINT nID, CCmdUI* pCmdUI);
    // The drag-and-drop service while the frame is announced to it, else null.
    IDragDrop* DropService() const;

    SECStatusBar m_wndStatusBar;
    std::unique_ptr<SECToolBarManager> m_pManager;
    CToolbarArray m_hostToolbars;
    CUserTB* m_pUserTB = nullptr;
    CGuiTB* m_pGuiTB = nullptr;
    HostToolbarGroups m_groups;
    std::unique_ptr<CTBState> m_pToolbarState;
    std::vector<HWND> m_handles;
    std::vector<UINT> m_disabledCommands;
    int m_nResetFlag = 0;
    BOOL m_bMemoryMapping = FALSE;
    int m_nLanguageFlag = 0;
    bool m_bLanguageNamed = false;   // the host has called ChangeLanguage
    std::vector<HWND> m_barsToPlace; // bars made this run with no saved place, not yet shown
    HMENU m_hLastPopup = NULL;
    WindowPosition m_position{};
    // The host's record of the window being opened or placed: the key of its placement.
    const WindowPosition* m_pPendingRecord = nullptr;
    HWND m_hWndFirstOpened = NULL;
    UINT m_nColumnOptions = 0;
    CBitmap m_bitmaps[7];
    std::unique_ptr<CDropTarget> m_pDropTarget;
};

// The main frame while it exists (from its construction to its destruction), else null.
CMainFrame* MainFrame();

// Host-kept placement, host 3.4 and later; an older host keeps nothing and reads 0.
int32_t GetHostWindowState(const void* key);
HostPlacement GetHostWindowPlacement(const void* key);
void SetHostWindowState(const void* key, int32_t value);
void SetHostWindowStateShown(const void* key);
void SetHostWindowPlacement(const void* key, const HostPlacement& placement);
