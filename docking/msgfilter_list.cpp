#include "docking/msgfilter_list.h"

IMPLEMENT_DYNCREATE(SECCaptionControlListMsgFilter, SECCaptionMsgFilter)
IMPLEMENT_DYNCREATE(SECCapConLstMDIMaxChildMsgFilter, SECCaptionControlListMsgFilter)

UINT SECCaptionControlListMsgFilter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                               LRESULT* pResult) {
    LayoutControls();
    return FilterChildren(message, wParam, lParam, pResult);
}

void SECCaptionControlListMsgFilter::LayoutControls() {
    if (!IsEnabled() || m_pOwner == NULL || m_pOwner->GetSafeHwnd() == NULL)
        return;
    CSize sizeButton;
    GetCaptionButtonSize(sizeButton);
    CRect rectCaption;
    GetCaptionRect(rectCaption);
    CPoint point;
    GetFirstButtonPos(point, rectCaption, sizeButton);
    const BOOL bIconic = m_pOwner->IsIconic();
    for (INT_PTR i = 0; i < m_children.GetSize(); ++i) {
        if (!m_children[i]->IsKindOf(RUNTIME_CLASS(SECCaptionControlMsgFilter)))
            continue;
        auto* pControl = static_cast<SECCaptionControlMsgFilter*>(m_children[i]);
        BOOL bDisabled = FALSE;
        if (!pControl->IsEnabled() || !pControl->IsShown(bDisabled)) {
            pControl->SetControlRect(CRect(0, 0, 0, 0));
            continue;
        }
        pControl->SetControlRect(CRect(point, sizeButton));
        const UINT nState = pControl->GetState() & ~(UINT)DFCS_INACTIVE;
        pControl->SetState(bDisabled ? nState | DFCS_INACTIVE : nState);
        point.x -= sizeButton.cx;
        const int nKind = pControl->GetKind();
        if (nKind == SECCaptionControlMsgFilter::kindClose ||
            nKind == SECCaptionControlMsgFilter::kindMinimize ||
            (nKind == SECCaptionControlMsgFilter::kindRestore && bIconic))
            point.x -= 2;
    }
}

void SECCapConLstMDIMaxChildMsgFilter::GetCaptionButtonSize(CSize& size) const {
    GetButtonSize(size, SM_CXMENUSIZE, SM_CYMENUSIZE);
}

void SECCapConLstMDIMaxChildMsgFilter::GetFirstButtonPos(CPoint& point, const CRect& rectCaption,
                                                         const CSize& sizeButton) const {
    SECCaptionControlListMsgFilter::GetFirstButtonPos(point, rectCaption, sizeButton);
    point.y += ::GetSystemMetrics(SM_CYCAPTION);
}
