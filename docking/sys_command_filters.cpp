// The caption extras that send the docking command: button, right double-click, context menu.
#include "docking/sys_command_filters.h"

#include "docking/msgfilter_chain.h"
#include "docking/msgfilter_list.h"
#include "framework/docview/mdichild.h"
#include "framework/docview/mdiframe.h"
#include "framework/win/winapp.h"

#include <windowsx.h>

#include <algorithm>

namespace nsSysCommandEx {

IMPLEMENT_DYNCREATE(ScxButtonMsgFilter, SECCaptionControlMsgFilter)
IMPLEMENT_DYNCREATE(ScxButtonMDIChildMsgFilter, ScxButtonMsgFilter)
IMPLEMENT_DYNCREATE(ScxButtonMDIMaxChildMsgFilter, ScxButtonMsgFilter)
IMPLEMENT_DYNCREATE(ScxCaptionNCRDBLClkFilter, SECCaptionMsgFilter)
IMPLEMENT_DYNCREATE(ScxNCRDBLClkMDIMaxChildMsgFilter, ScxCaptionNCRDBLClkFilter)
IMPLEMENT_DYNCREATE(ScxContextMenuFilter, SECCaptionMsgFilter)

namespace {

// The records this thread is sending now, innermost first, linked through the senders' stack
// frames. Plain data on purpose: a thread-local object with a destructor is destroyed at thread
// exit after the runtime has already freed its storage, and the fault inside the thread's exit
// leaves the runtime's key lock held, so that the process hangs when it ends.
struct LiveEntry {
    const SysCommandExRecord* pRecord;
    const LiveEntry* pOuter;
};
thread_local const LiveEntry* t_pLiveRecords = nullptr;

// The maximised MDI child of a main frame that shows it in its caption area.
CFrameWnd* ActiveMaxChild(CWnd* pOwner) {
    auto* pMain = DYNAMIC_DOWNCAST(CMDIFrameWnd, pOwner);
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pChild = pMain != NULL ? pMain->MDIGetActive(&bMaximized) : NULL;
    return bMaximized ? pChild : NULL;
}

CFrameWnd* OwnerFrame(CWnd* pOwner) {
    return DYNAMIC_DOWNCAST(CFrameWnd, pOwner);
}

// A record for a point in screen coordinates.
SysCommandExRecord PointRecord(HWND hWnd, CPoint point, int nTarget) {
    SysCommandExRecord record = {};
    record.hWnd = hWnd;
    record.x = point.x;
    record.y = point.y;
    record.nTarget = nTarget;
    return record;
}

} // namespace

LRESULT SendSysCommandEx(HWND hWnd, UINT nCode, SysCommandExRecord& record) {
    if (hWnd == NULL || !::IsWindow(hWnd))
        return 0;
    const LiveEntry live = {&record, t_pLiveRecords};
    t_pLiveRecords = &live;
    struct Pop {
        const LiveEntry* pOuter;
        ~Pop() { t_pLiveRecords = pOuter; }
    } pop = {live.pOuter};
    return ::SendMessageW(hWnd, Corvalis::WM_SYSCOMMANDEX(), nCode, (LPARAM)&record);
}

SysCommandExRecord* LiveRecord(LPARAM lParam) {
    if (lParam == 0)
        return NULL;
    auto* pRecord = reinterpret_cast<SysCommandExRecord*>(lParam);
    for (const LiveEntry* pLive = t_pLiveRecords; pLive != nullptr; pLive = pLive->pOuter) {
        if (pLive->pRecord == pRecord)
            return pRecord;
    }
    return NULL;
}

void AddDocumentFrameDescriptors(SECMsgFilterChain& chain, CRuntimeClass* pButtonClass) {
    chain.AddDescriptor(257, -1, RUNTIME_CLASS(ScxMsgFilter));
    chain.AddDescriptor(256, -1, RUNTIME_CLASS(SECCaptionControlListMsgFilter),
                        SECMsgFilter::Descriptor::flagNeverDisable);
    chain.AddDescriptor(258, 256, pButtonClass);
    chain.AddDescriptor(259, -1, RUNTIME_CLASS(ScxCaptionNCRDBLClkFilter));
    chain.AddDescriptor(262, -1, RUNTIME_CLASS(ScxContextMenuFilter));
}

void EnableDocumentFrameFilters(SECMsgFilterChain& chain, DWORD dwOptions) {
    CDWordArray record;
    CaptionButtonRecord(dwOptions, record);
    chain.Apply(record);
    SECMsgFilter* pList = chain.GetRoot()->FindFilter(256, NULL, 0);
    if (pList != NULL && pList->IsKindOf(RUNTIME_CLASS(SECCaptionControlListMsgFilter)))
        static_cast<SECCaptionControlListMsgFilter*>(pList)->LayoutControls();
}

// --- the caption button -----------------------------------------------------------------------

CFrameWnd* ScxButtonMsgFilter::GetTargetFrame() const {
    return OwnerFrame(m_pOwner);
}

CFrameWnd* ScxButtonMDIMaxChildMsgFilter::GetTargetFrame() const {
    return ActiveMaxChild(m_pOwner);
}

BOOL ScxButtonMsgFilter::IsShown(BOOL& bDisabled) const {
    bDisabled = FALSE;
    HWND hOwner = m_pOwner != NULL ? m_pOwner->GetSafeHwnd() : NULL;
    if (hOwner == NULL)
        return FALSE;
    const DWORD dwStyle = (DWORD)::GetWindowLongW(hOwner, GWL_STYLE);
    return (dwStyle & WS_SYSMENU) != 0 && (dwStyle & WS_CAPTION) == WS_CAPTION &&
           GetTargetFrame() != NULL;
}

// The list places its controls from the caption's right end, where the window's own buttons
// are: this one moves left past those the caption shows.
void ScxButtonMsgFilter::PlaceLeftOfStandardButtons() {
    if (m_rectControl.IsRectEmpty() || m_pOwner == NULL)
        return;
    SECCaptionControlMsgFilter probe;
    probe.SetOwner(m_pOwner, FALSE);
    int nShift = 0;
    static const int kinds[] = {kindClose, kindMaximize, kindRestore, kindMinimize, kindHelp};
    for (int nKind : kinds) {
        probe.SetID(nKind);
        BOOL bDisabled = FALSE;
        if (!probe.IsShown(bDisabled))
            continue;
        nShift += m_rectControl.Width();
        if (nKind == kindClose || nKind == kindMinimize)
            nShift += 2;
    }
    m_rectControl.OffsetRect(-nShift, 0);
}

UINT ScxButtonMsgFilter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    PlaceLeftOfStandardButtons();
    return SECCaptionControlMsgFilter::OnMessage(message, wParam, lParam, pResult);
}

// A small framed button with a docked-window glyph: a window outline with a filled bar on its
// left side, pressed when the control is.
void ScxButtonMsgFilter::Redraw() {
    HWND hOwner = m_pOwner != NULL ? m_pOwner->GetSafeHwnd() : NULL;
    if (hOwner == NULL || m_rectControl.IsRectEmpty())
        return;
    HDC hDC = ::GetWindowDC(hOwner);
    if (hDC == NULL)
        return;
    CRect rect = m_rectControl;
    ::DrawFrameControl(hDC, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (m_nState & DFCS_PUSHED));
    CRect glyph = m_rectControl;
    glyph.DeflateRect(std::max(3, glyph.Width() / 4), std::max(3, glyph.Height() / 4));
    if (IsPressed())
        glyph.OffsetRect(1, 1);
    HBRUSH hText = ::GetSysColorBrush(COLOR_BTNTEXT);
    ::FrameRect(hDC, &glyph, hText);
    CRect bar(glyph.left, glyph.top, glyph.left + std::max(2, glyph.Width() / 3), glyph.bottom);
    ::FillRect(hDC, &bar, hText);
    CRect title(glyph.left, glyph.top, glyph.right, glyph.top + 2);
    ::FillRect(hDC, &title, hText);
    ::ReleaseDC(hOwner, hDC);
}

LRESULT ScxButtonMsgFilter::Fire(int nKind, int x, int y) {
    // The button that is still down tells the command what the action was.
    const UINT nKeyState = nKind == fireRightPress ? MK_RBUTTON
                           : nKind == fireHold     ? MK_LBUTTON
                                                   : 0;
    CWnd* pWnd = NULL;
    UINT nMessage = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    if (!GetSysCommand(nKeyState, x, y, pWnd, nMessage, wParam, lParam) || pWnd == NULL)
        return 0;
    // A copy on the stack: the send may end in the owner's, and so this filter's, destruction.
    SysCommandExRecord record = m_record;
    return SendSysCommandEx(pWnd->GetSafeHwnd(), (UINT)wParam, record);
}

// A release (no button down) toggles the form; a right press or a hold (a button still down)
// asks for the menu.
BOOL ScxButtonMsgFilter::GetSysCommand(UINT nKeyState, int x, int y, CWnd*& pWnd, UINT& nMessage,
                                       WPARAM& wParam, LPARAM& lParam) {
    CFrameWnd* pFrame = GetTargetFrame();
    HWND hOwner = m_pOwner != NULL ? m_pOwner->GetSafeHwnd() : NULL;
    if (pFrame == NULL || hOwner == NULL)
        return FALSE;
    CRect rectWindow;
    ::GetWindowRect(hOwner, &rectWindow);
    m_record = SysCommandExRecord{};
    m_record.hWnd = pFrame->GetSafeHwnd();
    m_record.rectButton = m_rectControl;
    ::OffsetRect(&m_record.rectButton, rectWindow.left, rectWindow.top);
    if ((nKeyState & (MK_LBUTTON | MK_RBUTTON)) == 0) {
        wParam = cmdExecute;
        m_record.x = x;
        m_record.y = y;
        m_record.nTarget = stateToggle;
    } else {
        // The menu opens below the button, moved by the frame's non-client border.
        CPoint ptClient(0, 0);
        ::ClientToScreen(hOwner, &ptClient);
        const CSize border = ptClient - rectWindow.TopLeft();
        wParam = cmdMenu;
        m_record.x = m_record.rectButton.left - border.cx;
        m_record.y = m_record.rectButton.bottom - border.cy;
        if (nKeyState & MK_LBUTTON)
            m_record.dwFlags |= flagPosition; // a hold
    }
    pWnd = pFrame;
    nMessage = Corvalis::WM_SYSCOMMANDEX();
    lParam = (LPARAM)&m_record;
    return TRUE;
}

// --- right double-click and context menu ----------------------------------------------------

CFrameWnd* ScxCaptionNCRDBLClkFilter::GetTargetFrame() const {
    return OwnerFrame(m_pOwner);
}

CFrameWnd* ScxNCRDBLClkMDIMaxChildMsgFilter::GetTargetFrame() const {
    return ActiveMaxChild(m_pOwner);
}

UINT ScxCaptionNCRDBLClkFilter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                          LRESULT* pResult) {
    if (message != WM_NCRBUTTONDBLCLK || wParam != HTCAPTION)
        return FilterChildren(message, wParam, lParam, pResult);
    CFrameWnd* pFrame = GetTargetFrame();
    if (pFrame == NULL)
        return FilterChildren(message, wParam, lParam, pResult);
    SysCommandExRecord record = PointRecord(
        pFrame->GetSafeHwnd(), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), stateToggle);
    if (pResult != NULL)
        *pResult = 0;
    SendSysCommandEx(record.hWnd, cmdExecute, record);
    return resultHandled | resultConsumed | resultControl | resultStop;
}

UINT ScxContextMenuFilter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    CFrameWnd* pFrame = OwnerFrame(m_pOwner);
    // The system's own handling of the press on a caption follows the right button itself and
    // eats its release, which the menu comes with: the press is taken here.
    if (message == WM_NCRBUTTONDOWN && wParam == HTCAPTION && pFrame != NULL) {
        if (pResult != NULL)
            *pResult = 0;
        return resultHandled | resultConsumed | resultControl | resultStop;
    }
    if (message != WM_NCRBUTTONUP || wParam != HTCAPTION || pFrame == NULL)
        return FilterChildren(message, wParam, lParam, pResult);
    SysCommandExRecord record = PointRecord(
        pFrame->GetSafeHwnd(), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), stateNone);
    if (pResult != NULL)
        *pResult = 0;
    SendSysCommandEx(record.hWnd, cmdMenu, record);
    return resultHandled | resultConsumed | resultControl | resultStop;
}

} // namespace nsSysCommandEx
