// The docking frames' context-help mode.
#include "docking/frame_help.h"

#include "docking/sdi_frame.h"
#include "framework/win/winapp.h"

namespace sec_frame_help {

namespace {
const DWORD kHidScMinimize = 0x1EF02;
const DWORD kHidScRestore = 0x1EF12;
const DWORD kHidScClose = 0x1EF06;
const DWORD kHidBaseNcArea = 0x40000;
const DWORD kHidBaseCommand = 0x10000;

// What a click on hWnd at ptScreen asks help for: -1 the default topic, 0 nothing known.
DWORD HelpIdAt(HWND hWnd, CPoint ptScreen) {
    const LRESULT nHit = ::SendMessageW(hWnd, WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
    if (nHit != HTCLIENT && nHit != HTNOWHERE && nHit != HTERROR)
        return HelpIdOfHit(nHit);
    // A window that knows its help answers WM_HELPHITTEST; else its control id names it.
    for (HWND h = hWnd; h != NULL; h = ::GetParent(h)) {
        CPoint pt = ptScreen;
        ::ScreenToClient(h, &pt);
        const LRESULT id = ::SendMessageW(h, WM_HELPHITTEST, 0, MAKELPARAM(pt.x, pt.y));
        if (id != 0)
            return (DWORD)id;
    }
    const int nID = ::GetDlgCtrlID(hWnd);
    return nID > 0 ? kHidBaseCommand + (DWORD)nID : (DWORD)-1;
}
} // namespace

DWORD HelpIdOfHit(LRESULT nHit) {
    switch (nHit) {
    case 0:
        return 0;
    case HTMINBUTTON:
        return kHidScMinimize;
    case HTMAXBUTTON:
        return kHidScRestore;
    case HTCLOSE:
        return kHidScClose;
    default:
        return kHidBaseNcArea + (DWORD)nHit;
    }
}

void RunContextHelp(CFrameWnd* pFrame, BOOL& bHelpMode, BOOL& bPending) {
    if (bHelpMode || pFrame == nullptr || pFrame->m_hWnd == NULL)
        return;
    MSG msg;
    if (::PeekMessageW(&msg, NULL, WM_EXITHELPMODE, WM_EXITHELPMODE, PM_NOREMOVE))
        return;
    const HWND hFrame = pFrame->m_hWnd;
    if (::GetCapture() != NULL || !::IsWindowEnabled(hFrame)) {
        // Not now: once more when the frame can take it, and only once while that waits.
        if (!bPending) {
            bPending = TRUE;
            ::PostMessageW(hFrame, WM_COMMAND, ID_CONTEXT_HELP, 0);
        }
        return;
    }
    bPending = FALSE;
    bHelpMode = TRUE;
    if (::SendMessageW(hFrame, WM_SETMESSAGESTRING, 57346, 0) == 0)
        ::SendMessageW(hFrame, WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
    ::SetCursor(::LoadCursorW(NULL, IDC_HELP));
    ::SetCapture(hFrame);
    DWORD dwHelp = 0;
    bool bDone = false;
    while (!bDone && ::IsWindow(hFrame)) {
        if (!::PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            if (CWinApp* pApp = AfxGetApp())
                pApp->OnIdle(0);
            ::WaitMessage();
            continue;
        }
        if (!::GetMessageW(&msg, NULL, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_EXITHELPMODE ||
            (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)) {
            bDone = true;
        } else if (msg.message == WM_LBUTTONDOWN || msg.message == WM_NCLBUTTONDOWN) {
            CPoint pt;
            ::GetCursorPos(&pt);
            HWND hHit = ::WindowFromPoint(pt);
            dwHelp = hHit != NULL ? HelpIdAt(hHit, pt) : (DWORD)-1;
            bDone = true;
        } else if ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
                   (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK)) {
            ::SetCursor(::LoadCursorW(NULL, IDC_HELP)); // moves only keep the help cursor
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (::GetCapture() == hFrame)
        ::ReleaseCapture();
    bHelpMode = FALSE;
    if (!::IsWindow(hFrame))
        return;
    ::SendMessageW(hFrame, WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
    if (dwHelp != 0)
        if (CWinApp* pApp = AfxGetApp())
            pApp->WinHelp(dwHelp == (DWORD)-1 ? ID_DEFAULT_HELP : dwHelp, HELP_CONTEXT);
    ::PostMessageW(hFrame, WM_IDLEUPDATECMDUI, 0, 0);
}

} // namespace sec_frame_help
