#include "docking/msgfilter_caption.h"

#include "framework/win/wnd.h"

IMPLEMENT_DYNCREATE(SECCaptionMsgFilter, SECNcMsgFilter)

CRect SECCaptionMsgFilter::CaptionRectFor(DWORD dwStyle, DWORD dwExStyle, int nWindowWidth) {
    if ((dwStyle & WS_CAPTION) != WS_CAPTION)
        return CRect(0, 0, 0, 0);
    int cxBorder, cyBorder;
    if ((dwStyle & WS_THICKFRAME) != 0 && (dwStyle & WS_MINIMIZE) == 0) {
        cxBorder = ::GetSystemMetrics(SM_CXFRAME);
        cyBorder = ::GetSystemMetrics(SM_CYFRAME);
    } else if ((dwStyle & WS_DLGFRAME) != 0 || (dwExStyle & WS_EX_DLGMODALFRAME) != 0) {
        cxBorder = ::GetSystemMetrics(SM_CXDLGFRAME);
        cyBorder = ::GetSystemMetrics(SM_CYDLGFRAME);
    } else {
        cxBorder = ::GetSystemMetrics(SM_CXBORDER);
        cyBorder = ::GetSystemMetrics(SM_CYBORDER);
    }
    const int cyCaption =
        ::GetSystemMetrics((dwExStyle & WS_EX_TOOLWINDOW) != 0 ? SM_CYSMCAPTION : SM_CYCAPTION) -
        ::GetSystemMetrics(SM_CYBORDER);
    return CRect(cxBorder, cyBorder, nWindowWidth - cxBorder, cyBorder + cyCaption);
}

void SECCaptionMsgFilter::GetCaptionRect(CRect& rect) const {
    CWnd* pOwner = GetOwner();
    if (pOwner == NULL || pOwner->GetSafeHwnd() == NULL) {
        rect.SetRectEmpty();
        return;
    }
    CRect rectWindow;
    pOwner->GetWindowRect(&rectWindow);
    rect = CaptionRectFor(pOwner->GetStyle(), pOwner->GetExStyle(), rectWindow.Width());
}

void SECCaptionMsgFilter::GetButtonSize(CSize& size, int nMetricX, int nMetricY) const {
    size.cx = ::GetSystemMetrics(nMetricX) - 2;
    size.cy = ::GetSystemMetrics(nMetricY) - 4;
}

void SECCaptionMsgFilter::GetCaptionButtonSize(CSize& size) const {
    CWnd* pOwner = GetOwner();
    const bool bTool = pOwner != NULL && pOwner->GetSafeHwnd() != NULL &&
                       (pOwner->GetExStyle() & WS_EX_TOOLWINDOW) != 0;
    if (bTool)
        GetButtonSize(size, SM_CXSMSIZE, SM_CYSMSIZE);
    else
        GetButtonSize(size, SM_CXSIZE, SM_CYSIZE);
}

void SECCaptionMsgFilter::GetFirstButtonPos(CPoint& point, const CRect& rectCaption,
                                            const CSize& sizeButton) const {
    point.x = rectCaption.right - sizeButton.cx - 2;
    point.y = rectCaption.top + 2;
}
