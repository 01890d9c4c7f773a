#include "test_msgfilter_frame.h"

int FilterTestFrame::s_nAlive = 0;
int ProbeCaptionControl::s_nDestroyOnKind = -1;

FilterTestFrame::FilterTestFrame() : m_filters(this) {
    ++s_nAlive;
}

FilterTestFrame::~FilterTestFrame() {
    --s_nAlive;
}

FilterTestFrame* FilterTestFrame::Open(DWORD dwStyle, DWORD dwExStyle, const CRect& rect) {
    auto* pFrame = new FilterTestFrame;
    // On failure the frame has deleted itself.
    if (!pFrame->Create(NULL, L"Filters", dwStyle, rect, NULL, NULL, dwExStyle))
        return NULL;
    return pFrame;
}

LRESULT FilterTestFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCRBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED: {
        LRESULT lResult = 0;
        if (m_filters.RouteCurrent(&lResult))
            return lResult; // the frame may be gone
        break;
    }
    case WM_NCPAINT:
    case WM_NCACTIVATE:
    case WM_SETTEXT: {
        const LRESULT lResult = CFrameWnd::WindowProc(message, wParam, lParam);
        LRESULT lIgnored = 0;
        m_filters.Route(message, wParam, lParam, &lIgnored);
        return lResult;
    }
    case WM_SYSCOMMAND:
        m_sysCommands.emplace_back(wParam, lParam);
        return 0;
    default:
        break;
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

IMPLEMENT_DYNCREATE(ProbeCaptionControl, SECCaptionControlMsgFilter)

std::vector<FiredAction>& ProbeCaptionControl::Fired() {
    static std::vector<FiredAction> fired;
    return fired;
}

LRESULT ProbeCaptionControl::Fire(int nKind, int x, int y) {
    Fired().push_back({nKind, CPoint(x, y)});
    if (nKind == s_nDestroyOnKind) {
        ::DestroyWindow(GetOwner()->GetSafeHwnd()); // this filter goes with it
        return 0;
    }
    return SECCaptionControlMsgFilter::Fire(nKind, x, y);
}

SECCaptionControlListMsgFilter*
AddCaptionControls(FilterTestFrame& frame, std::initializer_list<int> ids, CRuntimeClass* pClass) {
    auto* pList = static_cast<SECCaptionControlListMsgFilter*>(
        frame.m_filters.GetRoot()->FindFilter(256, RUNTIME_CLASS(SECCaptionControlListMsgFilter)));
    for (int nID : ids)
        pList->FindFilter(nID, pClass);
    pList->LayoutControls();
    return pList;
}

SECCaptionControlMsgFilter* ControlOf(SECCaptionControlListMsgFilter* pList, int nID) {
    return static_cast<SECCaptionControlMsgFilter*>(pList->FindFilter(nID));
}

CPoint ScreenCentre(const SECCaptionControlMsgFilter& control) {
    CRect rectWindow;
    control.GetOwner()->GetWindowRect(&rectWindow);
    CPoint point = control.GetControlRect().CenterPoint();
    point.Offset(rectWindow.left, rectWindow.top);
    return point;
}

LPARAM ClientLParam(HWND hWnd, CPoint screen) {
    ::ScreenToClient(hWnd, &screen);
    return MAKELPARAM(screen.x, screen.y);
}

void PumpTimers(DWORD nMilliseconds) {
    const DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageW(&msg, NULL, WM_TIMER, WM_TIMER, PM_REMOVE) ||
               ::PeekMessageW(&msg, NULL, WM_USER, 0x7FFF, PM_REMOVE))
            ::DispatchMessageW(&msg);
        ::Sleep(5);
    } while (::GetTickCount() - start < nMilliseconds);
}

bool PumpTimersUntil(const std::function<bool()>& done, DWORD nTimeout) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > nTimeout)
            return done();
        PumpTimers(5);
    }
    return true;
}
