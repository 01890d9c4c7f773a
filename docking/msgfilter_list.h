// A row of caption controls: the list lays its child controls out from the right end of the
// owner's caption before every message it passes on to them.
#pragma once

#include "docking/msgfilter_control.h"

class SECCaptionControlListMsgFilter : public SECCaptionMsgFilter {
    DECLARE_DYNCREATE(SECCaptionControlListMsgFilter)
public:
    UINT OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Places each child control for the owner's current styles and size: a control that is
    // not shown (or is switched off) gets an empty rectangle.
    virtual void LayoutControls();

    SECMsgFilter::DescriptorTable& GetDescriptorTable() { return m_descriptors; }

protected:
    SECMsgFilter::DescriptorTable m_descriptors;
};

// The same list for the caption area of a maximised MDI child, shown in the main frame's menu
// bar: menu-button metrics, one caption lower.
class SECCapConLstMDIMaxChildMsgFilter : public SECCaptionControlListMsgFilter {
    DECLARE_DYNCREATE(SECCapConLstMDIMaxChildMsgFilter)
public:
    void GetCaptionButtonSize(CSize& size) const override;
    void GetFirstButtonPos(CPoint& point, const CRect& rectCaption,
                           const CSize& sizeButton) const override;
};
