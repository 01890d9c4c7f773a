// CMiniFrameWnd: a small tool-window frame whose borders act by its MFS_* style bits.
// CMiniDockFrameWnd: the mini frame a floating bar lives in, around its own dock bar.
#pragma once

#include "framework/docview/frame.h"

// Mini-frame styles (low word of the window style, beside FWS_SNAPTOBARS).
#define MFS_SYNCACTIVE 0x00000100L
#define MFS_4THICKFRAME 0x00000200L
#define MFS_THICKFRAME 0x00000400L
#define MFS_MOVEFRAME 0x00000800L
#define MFS_BLOCKSYSMENU 0x00001000L

// Posted to a floating frame whose dock bar became empty: it goes unless a bar came back.
#define WM_FLOATFRAMEEMPTY 0x037E

class CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd = NULL, UINT nID = 0);
    using CFrameWnd::CreateEx;

    // The hit code for a point (screen) as the MFS_* bits have it: with MFS_MOVEFRAME the
    // borders move the frame, with MFS_4THICKFRAME the corners size like the side edges, and
    // without a sizing style the borders are plain borders.
    static LRESULT AdjustHitTest(DWORD dwStyle, LRESULT nHit);

protected:
    afx_msg LRESULT OnNcHitTest(CPoint point);
    // With MFS_SYNCACTIVE the caption shows its owner frame's activation, told by FS_ACTIVATE
    // and FS_DEACTIVATE, and the frame stays active while this window is.
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    BOOL m_bOwnerActive = FALSE;
    DECLARE_MESSAGE_MAP()
};

class CMiniDockFrameWnd : public CMiniFrameWnd {
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    // A floating frame owned by pParent for bars of dwBarStyle's orientation.
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
    void RecalcLayout(BOOL bNotify = TRUE) override;
    CDockBar* GetDockBar() const { return m_pWndDockBar; }
    // The first bar of its dock bar, or NULL.
    CControlBar* GetFirstBar() const;

    CDockBar* m_pWndDockBar = nullptr; // a child; deletes itself with its window

protected:
    // The object of the float dock bar (its window is made by Create).
    virtual CDockBar* NewDockBar();

    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnClose();
    afx_msg LRESULT OnFloatFrameEmpty(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
