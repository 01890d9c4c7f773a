// SECFrameImpl: the docking machinery written once over its frame base. The single-document
// frame (SECFrameWnd, on CFrameWnd) and the main window (SECMDIFrameWnd, on CMDIFrameWnd) are the
// same template; each adds only what its base makes different. The template is instantiated for
// those two bases in frame_impl*.cpp.
#pragma once

#include "docking/dock_bar.h"
#include "docking/frame_menu.h"
#include "framework/afx.h"

#include <memory>

class CDockState;
class SECControlBarManager;
class SECDockState;
class SECFrameWnd;
class SECMenuBar;

// Registered message: wParam a menu id, lParam a sub-menu position; answers the sub-menu or 0.
#define SEC_WM_GETMENU_NAME L"WM_SECGETMENU"
UINT SECGetMenuMessage();

// Commands the frames answer with nothing (their menu items stay as they are).
#define ID_SEC_RESERVED_FIRST 43007
#define ID_SEC_RESERVED_RANGE_FIRST 43031
#define ID_SEC_RESERVED_RANGE_LAST 43039

template <class TBase> class SECFrameImpl : public TBase {
public:
    SECFrameImpl();
    ~SECFrameImpl() override;

    // Docking.
    virtual CDockBar* CreateDockBar();
    virtual void DockControlBarSized(CControlBar* pBar, SECDockPos* pPos, UINT nDockBarID,
                                     SECDockSize* pSize);
    virtual void FloatControlBar(CControlBar* pBar, int x, int y, DWORD dwStyle);
    using CFrameWnd::FloatControlBar;
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP) override {
        FloatControlBar(pBar, point.x, point.y, dwStyle);
    }
    // A document frame hosted by a bar takes the frame's styles while it floats (nothing on a
    // frame that hosts none).
    virtual void SwapPreFloatStyle(SECFrameWnd*, BOOL) {}
    // Docking on the sides of dwDockStyle with the library's dock bars.
    void EnableDocking(DWORD dwDockStyle, DWORD dwDockBarExtraStyle = 0);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) override;
    // The drag tracker's entries.
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = NULL) override;
    void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect);
    void FloatControlBarAt(CControlBar* pBar, int x, int y, DWORD dwStyle);
    using CFrameWnd::DockControlBar;

    // Dock state.
    void LoadBarState(LPCTSTR lpszProfileName) override;
    void SaveBarState(LPCTSTR lpszProfileName) const override;
    virtual void SetDockState(SECDockState& state);
    virtual void GetDockState(SECDockState& state) const;
    // The framework's forms: the same capture and apply as SaveBarState and LoadBarState.
    void GetDockState(CDockState& state) const override;
    void SetDockState(const CDockState& state) override;
    virtual SECControlBarManager* GetControlBarManager() const { return m_pControlBarManager; }
    virtual SECControlBarManager* SetControlBarManager(SECControlBarManager* pManager) {
        return m_pControlBarManager = pManager;
    }

    // Own caption.
    virtual BOOL CreateCaptionFontItalic(CFont& font);
    virtual BOOL CreateCaptionFont(CFont& font);
    virtual void DrawGradientCaption();
    // Returns the previous state.
    BOOL EnableOwnCaption(BOOL bEnable);
    BOOL HasOwnCaption() const { return m_bOwnCaption; }

    // Menus and plug-ins.
    HMENU GetDefaultMenu() override;
    virtual HMENU FindMenuByID(UINT nID);
    virtual CObject* CreateFramePlugIn(WPARAM w1, WPARAM w2, CRuntimeClass* pClass, WPARAM w3);
    virtual void OnIdleLayout(UINT nWhy, CWnd* pWho);
    void EnableBitmapMenus(BOOL bEnable, BOOL bSecond = TRUE);
    BOOL HasMenuBar() const { return m_pMenuBar != nullptr; }
    SECMenuBar* GetMenuBar() const { return m_pMenuBar; }
    // Gives the frame a menu bar that shows its menus in place of a Windows menu; the frame owns
    // it from then on, and its toolbar manager creates its window with the other bars. Only
    // before the window is created, and once: FALSE otherwise (the caller keeps the bar).
    template <class TMenuBar> BOOL SetMenuBar(TMenuBar* pMenuBar) {
        return AttachMenuBar(pMenuBar, pMenuBar);
    }
    BOOL AttachMenuBar(SECMenuBar* pMenuBar, CControlBar* pBar);
    corvalis::foundation::SECWndPlugIn* GetMenuPlugIn() const { return m_pMenuPlugIn.get(); }
    // The client area left after the bars, from the last layout.
    CRect GetInsideRect() const { return m_rectInside; }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnClose();
    afx_msg void OnDestroy();

    using TBase::m_hWnd;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The frame a command goes to before this one (none on a frame without children).
    virtual CFrameWnd* GetRoutingChild() { return nullptr; }
    // The document frame a bar hosts, when the frame restyles it on floating and docking.
    virtual SECFrameWnd* HostedFrameOf(CControlBar*) { return nullptr; }
    // The frame's own menu was loaded for its menu bar.
    virtual void OnMenuBarMenuLoaded(UINT nIDResource);
    // The system drew the caption (bActivating: on activation, else on a paint): the frame's
    // caption filters see it too (a frame without them has nothing to do).
    virtual void OfferCaptionPaint(BOOL) {}
    // The menu-bar side of the menu plug-in; NULL for the bitmap-menu plug-in or none.
    SECMenuBarLink* GetMenuBarLink() const;
    // The manager is a toolbar manager in customize mode.
    BOOL InConfigMode() const;

    afx_msg void OnSysColorChange();
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcPaint();
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg LRESULT OnSecGetMenu(WPARAM wParam, LPARAM lParam);
    afx_msg void OnContextHelp();
    afx_msg void OnReservedCommand(UINT nID);
    afx_msg void OnUpdateReservedCommand(CCmdUI* pCmdUI);

    CRect m_rectInside;
    BOOL m_bWin4 = TRUE;
    BOOL m_bOwnCaption = FALSE;
    BOOL m_bCaptionActive = FALSE;
    SECControlBarManager* m_pControlBarManager = nullptr;
    SECMenuBar* m_pMenuBar = nullptr;
    std::unique_ptr<CControlBar> m_pMenuBarOwned; // the menu bar above, owned
    std::unique_ptr<corvalis::foundation::SECWndPlugIn> m_pMenuPlugIn;
    std::unique_ptr<CObject> m_pFramePlugIn;
    BOOL m_bBitmapMenus = FALSE;
    BOOL m_bBitmapMenus2 = FALSE;
    HMENU m_hMenuDefaultBar = NULL;
    UINT m_nDefaultMenuID = 0;
    // Bars the dock state made while loading; the frame owns them.
    CObList m_listCreatedBars;
    // Context help: the mode runs, or waits to be entered.
    BOOL m_bHelpMode = FALSE;
    BOOL m_bHelpPending = FALSE;

private:
    void DockSized(CControlBar* pBar, const SECDockPos& pos, UINT nDockBarID,
                   const SECDockSize& size);
    void DockAtRect(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect, BOOL bRedock);
    // bClamp keeps the bar on the work area and lets a bar alone in its frame only move.
    void FloatInMiniFrame(CControlBar* pBar, int x, int y, DWORD dwStyle, BOOL bClamp);
    // A bar with a hosted document frame: the frame takes its docked styles back before docking.
    void UnswapHosted(CControlBar* pBar);
    // Destroys the frame's bars, then its dock bars or their floating frames, by handle, looking
    // each up again (a destroyed bar can take its floating frame with it).
    void DestroyBars();
    // After the framework's layout: an empty client redraws the frame, else every dock bar of
    // the library refreshes its splitters.
    void AfterLayout();
    std::unique_ptr<corvalis::foundation::SECWndPlugIn>
    CreateMenuPlugIn(SECMenuPlugInFactory::Kind kind, BOOL bBindMenuBar, BOOL bShareImages);
    void RunContextHelp();
};

extern template class SECFrameImpl<CFrameWnd>;
extern template class SECFrameImpl<CMDIFrameWnd>;

// The message-map entries both docking frames answer with the template's handlers.
#define SEC_FRAME_IMPL_MESSAGES(getMenuMessage)                                                    \
    ON_WM_CREATE()                                                                                 \
    ON_WM_DESTROY()                                                                                \
    ON_WM_CLOSE()                                                                                  \
    ON_WM_SYSCOLORCHANGE()                                                                         \
    ON_WM_ENABLE()                                                                                 \
    ON_WM_NCACTIVATE()                                                                             \
    ON_WM_NCPAINT()                                                                                \
    ON_MESSAGE(WM_SETTEXT, OnSetText)                                                              \
    ON_WM_NCHITTEST()                                                                              \
    ON_WM_ENTERIDLE()                                                                              \
    ON_REGISTERED_MESSAGE(getMenuMessage, OnSecGetMenu)                                            \
    ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)                                                     \
    ON_COMMAND_RANGE(43007, 43009, OnReservedCommand)                                              \
    ON_COMMAND_RANGE(43012, 43014, OnReservedCommand)                                              \
    ON_COMMAND_RANGE(ID_SEC_RESERVED_RANGE_FIRST, ID_SEC_RESERVED_RANGE_LAST, OnReservedCommand)   \
    ON_UPDATE_COMMAND_UI_RANGE(43007, 43009, OnUpdateReservedCommand)                              \
    ON_UPDATE_COMMAND_UI_RANGE(43012, 43014, OnUpdateReservedCommand)                              \
    ON_UPDATE_COMMAND_UI(ID_SEC_RESERVED_RANGE_FIRST, OnUpdateReservedCommand)
