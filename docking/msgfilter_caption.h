// Caption filters: the caption geometry of the owner window, from the system metrics, for the
// controls drawn in a caption.
#pragma once

#include "docking/msgfilter.h"
#include "framework/core/geometry.h"

class SECCaptionMsgFilter : public SECNcMsgFilter {
    DECLARE_DYNCREATE(SECCaptionMsgFilter)
public:
    // The caption area in window coordinates; empty without an owner or without WS_CAPTION.
    virtual void GetCaptionRect(CRect& rect) const;
    // {metric x - 2, metric y - 4}.
    virtual void GetButtonSize(CSize& size, int nMetricX, int nMetricY) const;
    // The size of one button in this caption.
    virtual void GetCaptionButtonSize(CSize& size) const;
    // Where the rightmost button of the caption goes.
    virtual void GetFirstButtonPos(CPoint& point, const CRect& rectCaption,
                                   const CSize& sizeButton) const;

    // The caption area of a window with these styles and this window width (the rule above,
    // without a window: for the owner's style words at the time of the call).
    static CRect CaptionRectFor(DWORD dwStyle, DWORD dwExStyle, int nWindowWidth);
};
