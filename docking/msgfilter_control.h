// A button drawn in a window's caption, run as a message filter: press, tracking with the mouse
// captured, release, and a press-and-hold action fired by a timer.
#pragma once

#include "docking/msgfilter_caption.h"
#include "framework/win/wnd.h"

#include <memory>

class SECCaptionControlMsgFilterTimer;

class SECCaptionControlMsgFilter : public SECCaptionMsgFilter {
    DECLARE_DYNCREATE(SECCaptionControlMsgFilter)
public:
    // What Fire is told.
    enum FireKind { fireClick = 0, fireRightPress = 1, fireHold = 2 };
    // The standard caption parts (the kinds of the controls that stand for them).
    enum { kindClose = 0, kindMinimize = 1, kindMaximize = 2, kindRestore = 3, kindHelp = 4 };

    SECCaptionControlMsgFilter();
    ~SECCaptionControlMsgFilter() override;

    SECMsgFilter* Clone() const override;
    UINT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Draws the control in the owner's caption (the standard parts; others draw themselves).
    virtual void Redraw();
    // Screen point inside the control rectangle.
    virtual BOOL HitTest(CPoint ptScreen) const;
    // The handlers take screen points. Each may end in an action that destroys the owner and
    // this filter with it: callers touch nothing of the filter afterwards.
    virtual void OnLButtonDown(int x, int y);
    virtual void OnLButtonUp(int x, int y);
    virtual void OnHold(int x, int y);
    virtual void OnMouseMove(int x, int y);
    // Carries out the control's action; the answer of the message it sent, or 0.
    virtual LRESULT Fire(int nKind, int x, int y);
    // The message that the action sends; FALSE when the control has none for this key state.
    virtual BOOL GetSysCommand(UINT nKeyState, int x, int y, CWnd*& pWnd, UINT& nMessage,
                               WPARAM& wParam, LPARAM& lParam);
    virtual void BeginTracking(BOOL bPressed, BOOL bRedraw);
    virtual void EndTracking(BOOL bClearPressed, BOOL bRedraw);
    virtual void StopTimer();
    virtual void StartHoldTimer(int x, int y);
    // Whether the control is shown for the owner's current styles, and disabled if so.
    virtual BOOL IsShown(BOOL& bDisabled) const;

    // The filter id below 4096, else -1.
    int GetKind() const;
    const CRect& GetControlRect() const { return m_rectControl; }
    void SetControlRect(const RECT& rect) { m_rectControl = rect; }
    UINT GetDrawType() const { return m_nDrawType; }
    void SetDrawType(UINT nType) { m_nDrawType = nType; }
    UINT GetState() const { return m_nState; }
    void SetState(UINT nState) { m_nState = nState; }
    BOOL IsTracking() const { return m_bTracking; }
    BOOL IsPressed() const { return (m_nState & DFCS_PUSHED) != 0; }
    BOOL IsDisabled() const { return (m_nState & DFCS_INACTIVE) != 0; }
    UINT GetHoldDelay() const { return m_nHoldDelay; }
    void SetHoldDelay(UINT nMilliseconds) { m_nHoldDelay = nMilliseconds; }
    // The hold timer window while one runs.
    SECCaptionControlMsgFilterTimer* GetTimer() const { return m_pTimer.get(); }

protected:
    CRect m_rectControl;            // window coordinates; empty while not shown
    UINT m_nDrawType = DFC_CAPTION; // for DrawFrameControl
    UINT m_nState = 0;              // DrawFrameControl state: part, DFCS_INACTIVE, DFCS_PUSHED
    BOOL m_bTracking = FALSE;
    UINT m_nHoldDelay = 0; // 0: pressing fires the hold action at once
    std::unique_ptr<SECCaptionControlMsgFilterTimer> m_pTimer;

private:
    CPoint ToScreen(LPARAM lParam) const;
};

// The hold timer: an invisible child window of the control's owner that runs timer 1 once and
// then calls the control's OnHold.
class SECCaptionControlMsgFilterTimer : public CWnd {
    DECLARE_DYNAMIC(SECCaptionControlMsgFilterTimer)
public:
    enum { timerID = 1 };

    SECCaptionControlMsgFilterTimer(SECCaptionControlMsgFilter* pControl, UINT nDelay, int x,
                                    int y);
    ~SECCaptionControlMsgFilterTimer() override;

    // FALSE when the window or its timer cannot be made.
    BOOL Create(CWnd* pOwner);
    // The control lets go of the timer, which then takes itself down: at once, or, when this
    // happens inside its own tick, by a message posted to itself.
    void Release();

    BOOL IsRunning() const { return m_bRunning; }
    BOOL HasFired() const { return m_bFired; }

protected:
    void PostNcDestroy() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnDestroyLater(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    SECCaptionControlMsgFilter* m_pControl;
    UINT m_nDelay;
    BOOL m_bRunning = FALSE;
    BOOL m_bFired = FALSE;
    int m_x; // the press point handed back to the control
    int m_y;
    BOOL m_bInTick = FALSE;
    BOOL m_bReleased = FALSE; // no control owns the object any more
};
