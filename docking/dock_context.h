// SECDockContext: the drag tracker of a SECControlBar. Over a SECDockBar the drag shows the very
// place the bar would take in its row; a floating bar must move 5 pixels before it docks; a
// floating sizable bar resizes within the floating-size limits.
#pragma once

#include "framework/docview/dockcontext.h"

#include "framework/afx.h"

#define IDS_SEC_PREVENT_DOCKING 20535

// What a frame that can host floating bars in MDI child frames offers the drag tracker.
class SECMDIFloatHost {
public:
    virtual ~SECMDIFloatHost() = default;
    virtual void FloatControlBarAsMDIChild(CControlBar* pBar, CPoint pt, DWORD dwStyle) = 0;
    // The bar lives in an MDI child frame of the main window.
    virtual BOOL IsFloatingAsMDIChild(CControlBar* pBar) = 0;
    virtual void SetToggleInProgress(BOOL bOn) = 0;
};

class SECDockContext : public CDockContext {
public:
    explicit SECDockContext(CControlBar* pBar);
    ~SECDockContext() override;

    void StartDrag(CPoint pt) override;
    void StartResize(int nHitTest, CPoint pt) override;
    void ToggleDocking() override;
    virtual void ToggleFloatInMainWindow();

    BOOL m_bSECDragging = FALSE;
    CRect m_rectDockPos;
    CPoint m_ptStart;
    CPoint m_ptLastCalc;
    int m_nTargetIndex = -1;
    BOOL m_bFloatedInMainWindow = FALSE;
    CSize m_sizeMinFloat;
    CSize m_sizeMaxFloat;

protected:
    DWORD CanDock() override;
    void GetTrackRect(CRect& rect, BOOL& bDocked) override;
    void EndDrag() override;
    void Stretch(CPoint pt) override;
    void EndResize() override;
    void CancelLoop() override;
    // A floating bar moved less than 5 pixels (|dx| + |dy|) from where the drag began.
    BOOL InDeadZone() const;
    void SendStatus(UINT nID);
    // The non-client size of the bar's floating frame.
    CSize FrameExtra() const;
};
