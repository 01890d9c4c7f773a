// The menu bar: a dockable custom toolbar that stands in for a frame's Windows menu. Each
// top-level item of the menu is a drop-down button (SECTBMenuBtn) whose popup opens below it;
// the open popup follows the mouse and the Left and Right keys along the bar.
// SECMDIMenuBar adds, for an MDI frame with a maximised child, the child's system-menu icon at
// the left and its minimise, restore and close glyphs at the right.
#pragma once

#include "toolbars/custom_toolbar.h"
#include "toolbars/tbbtn_menu.h"

#include <memory>
#include <vector>

class SECMenuBarMessages;

// A top-level item's text as its button shows it: without the shortcut text after a tab.
CString MenuButtonText(const CString& strItem);

// The control id of the menu bar (the one past the last user toolbar).
const UINT SEC_IDW_MENUBAR = SEC_IDW_END_USERBAR;
// Every button enabled whatever the mask asks.
const DWORD SEC_MENUBTN_ALWAYS = 0xFFFFFFFF;

class SECMenuBar : public SECCustomToolBar {
    DECLARE_DYNCREATE(SECMenuBar)
public:
    DWORD GetToolBarTraits() const override {
        return SEC_BAR_TOOLBAR | SEC_BAR_WRAPS | SEC_BAR_MENU;
    }
    SECMenuBar();
    ~SECMenuBar() override;

    // Index of the first visible drop-down button whose mnemonic is c (either case), or -1.
    virtual int FindMnemonic(WCHAR c);
    // Enables each drop-down button whose flag shares a bit with the mask, disables the others;
    // with bRelayout the frame lays out again and the bar repaints at once.
    virtual void EnableMenuButtons(DWORD dwMask, BOOL bRelayout);
    // Builds the buttons again: from the manager's menu-bar ids when it has any, else from
    // the menu shown; then enables them with the current mask.
    virtual void ResetMenu(BOOL bKeepLayout);
    // One drop-down button per top-level item of hMenu (the caller keeps the menu; it must
    // live while the bar shows it). nMenuId is the menu's resource id, 0 when it has none.
    virtual BOOL SetMenu(HMENU hMenu, UINT nMenuId);

    BOOL CreateEx(DWORD dwExStyle, CWnd* pParentWnd, DWORD dwStyle, UINT nID,
                  LPCTSTR lpszTitle = NULL) override;
    using SECCustomToolBar::CreateEx;
    CFont* GetButtonFont() override;
    BOOL IsCoolLook() override { return TRUE; }
    // Floating, the bar's frame has no system menu: Alt+Space is the main frame's.
    void AttachToDockBar(SECDockBar* pDockBar) override;
    // Stretched, the bar takes the whole length it is offered.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void InsertButton(int nIndex, UINT nID, BOOL bSeparator, BOOL bNoUpdate = FALSE) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // Opens the popup of a menu button below it (the menu loop runs inside).
    void DropDownButton(SECStdBtn* pBtn, UINT nMenuId, int nPopup) override;
    BOOL FilterTrackingMessage(const MSG& msg) override;
    // A restored bar keeps its saved title; its buttons come from what it shows.
    void OnSetBarInfoEx(SECControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;

    // The frame got a non-empty rectangle from its border negotiation: the next frame-border
    // query answers TRUE, once.
    void SetNegotiatedBorder() { m_bNegotiatedBorder = TRUE; }
    BOOL QueryNegotiatedBorder();

    HMENU GetMenu() const { return m_hMenu; }
    UINT GetMenuId() const { return m_nMenuId; }
    DWORD GetEnableMask() const { return m_dwEnableMask; }

    // Opens the popup of the button at nIndex; bKeyboard selects its first item. The popups
    // that the mouse or the keys move on to follow through "WM_SEC_MENUPROD".
    void TrackPopup(int nIndex, BOOL bKeyboard);
    // Whether the last popup was left with Escape (keyboard mode goes on) or otherwise.
    BOOL WasPopupEscaped() const { return m_bEscaped; }

    // Keyboard mode: a button is highlighted until Escape, a click or a popup's command.
    void SetMessages(SECMenuBarMessages* pMessages) { m_pMessages = pMessages; }
    SECMenuBarMessages* GetMessages() const { return m_pMessages; }

protected:
    // The popup of a menu button: the live submenu of the shown menu, or one built from the
    // button's menu resource (bOwned: the caller destroys it).
    HMENU PopupOf(const SECTBMenuBtn& btn, BOOL& bOwned) const;
    void ClearButtons();
    // The popup's loop reports its keys and mouse here (a thread message-filter hook).
    static LRESULT CALLBACK MenuFilterHook(int nCode, WPARAM wParam, LPARAM lParam);
    BOOL FilterMenuMessage(const MSG& msg);
    void MoveOn(int nIndex);

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg LRESULT OnMenuProd(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    HMENU m_hMenu = NULL;
    UINT m_nMenuId = 0;
    CFont m_menuFont;
    BOOL m_bNegotiatedBorder = FALSE;
    DWORD m_dwEnableMask = SEC_MENUBTN_ALWAYS;
    SECMenuBarMessages* m_pMessages = nullptr;

    // The popup being tracked, what its loop saw, and where the tracking goes on.
    HMENU m_hPopup = NULL;
    HMENU m_hSelMenu = NULL;
    UINT m_nSelFlags = 0;
    int m_nNextPopup = -1;
    BOOL m_bKeyboardPopup = FALSE;
    BOOL m_bEscaped = FALSE;
    CPoint m_ptLastMouse{-1, -1};
    HHOOK m_hFilterHook = NULL;
    static SECMenuBar* s_pTracking;
};

// The icon button of a maximised MDI child: the child's small icon, dropping down its system
// menu.
class SECCapMenuBtn : public SECTBMenuBtn {
public:
    SECCapMenuBtn();
    static const SECButtonClass classSECCapMenuBtn;
    const SECButtonClass* GetButtonClass() const override { return &classSECCapMenuBtn; }
    int OnPress(int x, int y) override;
    void RecalcSize() override;
    void DrawFace(SECBtnDrawingCache& cache, BOOL bCustomize, CRect& rcImage) override;
    // The child's icon again; TRUE when it changed.
    BOOL SetChild(HWND hChild);
    HWND GetChild() const { return m_hChild; }
    // Tracks the child's system menu below the button and posts the chosen command to it; a
    // double click sends the default item (SC_CLOSE when the menu has none).
    void TrackSystemMenu();
    void SendDefaultCommand();
    static HICON ChildIcon(HWND hChild);

    DWORD m_dwLastPress = 0;

private:
    HWND m_hChild = NULL;
    HICON m_hIcon = NULL;
};

// The minimise, restore and close glyphs of a maximised MDI child, as one button.
class SECBtnCaption : public SECStdBtn {
public:
    enum Glyph { glyphNone = -1, glyphMin = 0, glyphRestore = 1, glyphClose = 2 };
    SECBtnCaption();
    static const SECButtonClass classSECBtnCaption;
    const SECButtonClass* GetButtonClass() const override { return &classSECBtnCaption; }
    void RecalcSize() override;
    void DrawFace(SECBtnDrawingCache& cache, BOOL bCustomize, CRect& rcImage) override;
    void SelectImage(SECBtnDrawingCache&) override { m_nSourceX = -1; }
    int OnPress(int x, int y) override;
    void OnTrack(int x, int y) override;
    void OnCancel() override;
    UINT OnRelease(int x, int y) override;
    BOOL CanDrag() override { return FALSE; }

    // The glyph at a bar point, and the glyph rectangles in bar coordinates.
    Glyph GlyphAt(int x, int y) const;
    CRect GlyphRect(Glyph glyph) const;
    static CSize GlyphSize();
    void SetChild(HWND hChild) { m_hChild = hChild; }
    HWND GetChild() const { return m_hChild; }

private:
    HWND m_hChild = NULL;
    Glyph m_pressed = glyphNone;
    BOOL m_bInside = FALSE;
};

class SECMDIMenuBar : public SECMenuBar {
    DECLARE_DYNCREATE(SECMDIMenuBar)
public:
    // Brings the icon and caption buttons in line with the active child and its maximised
    // state; TRUE when anything changed.
    virtual BOOL RefreshChildButtons();
    BOOL SetMenu(HMENU hMenu, UINT nMenuId) override;
    SECCapMenuBtn* GetIconButton() const;
    SECBtnCaption* GetCaptionButton() const;

protected:
    HWND MaximizedChild();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};

// Keyboard mode and the frame side of the menu bar; see menu_bar_messages.cpp.
class SECMenuBarMessages {
public:
    SECMenuBarMessages() = default;
    virtual ~SECMenuBarMessages();
    SECMenuBarMessages(const SECMenuBarMessages&) = delete;
    SECMenuBarMessages& operator=(const SECMenuBarMessages&) = delete;

    void SetMenuBar(SECMenuBar* pMenuBar);
    SECMenuBar* GetMenuBar() const;

    // Alt or F10 alone: the bar's first button is highlighted and the keys move along the bar.
    BOOL EnterKeyboardMode(int nIndex = -1);
    void LeaveKeyboardMode();
    BOOL InKeyboardMode() const { return m_bKeyboardMode; }
    // SC_KEYMENU as the frame gets it: TRUE when the menu bar took it.
    BOOL OnKeyMenu(LPARAM lParam);
    // A key message for a window of the bar's frame, before it is dispatched (the frame's
    // PreTranslateMessage calls it): Alt or F10 alone and Alt+letter reach the menu bar
    // wherever the focus is. TRUE: the message was used.
    BOOL PreTranslateKey(const MSG& msg);

    // The frame's border negotiation got a non-empty rectangle: the bar's next frame-border
    // query answers TRUE.
    void SetNegotiatedBorder();

    // A menu of a menu bar is open (the process-wide flag the message hooks read).
    static BOOL IsTrackingMenu() { return s_bTrackingMenu; }
    static void SetTrackingMenu(BOOL bTracking) { s_bTrackingMenu = bTracking; }

protected:
    static LRESULT CALLBACK KeyboardHook(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MouseHook(int nCode, WPARAM wParam, LPARAM lParam);
    // TRUE: the key is swallowed.
    BOOL OnHookKey(UINT vk, BOOL bRelease);
    void RemoveHooks();

    HWND m_hMenuBar = NULL;
    SECMenuBar* m_pMenuBar = nullptr;
    BOOL m_bKeyboardMode = FALSE;
    BOOL m_bAltAlone = FALSE; // Alt is down and no other key came since
    HHOOK m_hKeyboardHook = NULL;
    HHOOK m_hMouseHook = NULL;
    static SECMenuBarMessages* s_pTracking;
    static BOOL s_bTrackingMenu;
};
