#include "editor/plugin/wnd_plugin.h"

namespace corvalis {
namespace foundation {

// Chained past CWnd: its entries would answer the window's scroll, owner-draw, colour and
// destruction messages on the window's behalf.
// The map is empty: its handlers are the derived classes'.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-local-typedefs"
BEGIN_MESSAGE_MAP(SECWndPlugIn, CCmdTarget)
END_MESSAGE_MAP()
#pragma GCC diagnostic pop

SECWndPlugIn::SECWndPlugIn() = default;

SECWndPlugIn::~SECWndPlugIn() {
    for (Dispatch* d = m_dispatch; d; d = d->outer) {
        d->deleted = true;
        d->final = m_flags;
    }
    m_hWnd = NULL;
}

BOOL SECWndPlugIn::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (!m_pluggedIn)
        return FALSE;
    Dispatch dispatch{m_dispatch, m_flags, {}, false};
    m_flags = MessageFlags();
    m_dispatch = &dispatch;
    LRESULT frameworkResult = 0;
    BOOL handled = CWnd::OnWndMsg(message, wParam, lParam, &frameworkResult);
    if (dispatch.deleted) {
        // A handler destroyed the plug-in: only what lives on this stack may be used.
        if (dispatch.final.resultSet) {
            frameworkResult = dispatch.final.result;
            handled = TRUE;
        }
    } else {
        m_dispatch = dispatch.outer;
        const MessageFlags done = m_flags;
        if (m_dispatch) {
            m_flags = dispatch.saved;
        } else {
            m_flags.resultSet = FALSE;
        }
        if (done.resultSet) {
            frameworkResult = done.result;
            handled = TRUE;
        }
        if (message == WM_NCDESTROY)
            UnPlug(); // the handle dies with the window
    }
    if (pResult)
        *pResult = frameworkResult;
    return handled;
}

BOOL SECWndPlugIn::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (!m_pluggedIn)
        return FALSE;
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT SECWndPlugIn::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_pluggedIn || m_dispatch == nullptr || !m_flags.callDefault)
        return 0;
    // The window's object knows its default (a subclassed control's own procedure, say).
    CWnd* host = CWnd::FromHandlePermanent(m_hWnd);
    if (host != nullptr && host != this)
        return host->DefWindowProc(message, wParam, lParam);
    return CWnd::DefWindowProc(message, wParam, lParam);
}

void SECWndPlugIn::SetHandledResult(LRESULT result) {
    m_flags.resultSet = TRUE;
    m_flags.result = result;
}

void SECWndPlugIn::PlugInTo(CWnd* host) {
    if (host == nullptr || host->GetSafeHwnd() == NULL)
        return;
    m_hWnd = host->GetSafeHwnd();
    m_pluggedIn = TRUE;
}

LRESULT SECWndPlugIn::UnPlug() {
    m_pluggedIn = FALSE;
    m_hWnd = NULL;
    return 0;
}

} // namespace foundation
} // namespace corvalis
