// A window object that borrows another window's handle and sees that window's messages first.
#pragma once

#include "framework/win/wnd.h"

namespace corvalis {
namespace foundation {

// The borrowed handle is never entered in the permanent handle map, and the window is never
// destroyed through the plug-in: default processing and the window's life stay with the window.
class SECWndPlugIn : public CWnd {
public:
    SECWndPlugIn();
    ~SECWndPlugIn() override;

    // Runs the message through the plug-in's own map (CWnd's default entries excluded, so that
    // the window's own handling of them is not taken away). FALSE when not plugged in.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // The window's own default processing, only for a message whose handler asked for it with
    // SetCallDefault; 0 otherwise.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The message's result: the message counts as handled with it.
    virtual void SetHandledResult(LRESULT result);
    void SetResult(LRESULT result) { SetHandledResult(result); }
    virtual void PlugInTo(CWnd* host);
    virtual LRESULT UnPlug();
    virtual BOOL IsPluggedIn() const { return m_pluggedIn; }

    // Per-message flags, cleared before each message. The exit flag is the handlers' word to the
    // host that the message is done; it stays readable after the dispatch.
    void SetExitFlag(BOOL exit) { m_flags.exit = exit; }
    BOOL GetExitFlag() const { return m_flags.exit; }
    void SetCallDefault(BOOL callDefault) { m_flags.callDefault = callDefault; }
    BOOL GetCallDefault() const { return m_flags.callDefault; }

protected:
    struct MessageFlags {
        BOOL exit = FALSE;
        BOOL callDefault = FALSE;
        BOOL resultSet = FALSE;
        LRESULT result = 0;
    };
    // One per message being dispatched, on the dispatching stack: it tells the dispatch whether
    // a handler deleted the plug-in, and carries the outer message's flags across a nested one.
    struct Dispatch {
        Dispatch* outer;
        MessageFlags saved;
        MessageFlags final;
        bool deleted;
    };

    MessageFlags m_flags;
    BOOL m_pluggedIn = FALSE;

    DECLARE_MESSAGE_MAP()

private:
    Dispatch* m_dispatch = nullptr;
};

} // namespace foundation
} // namespace corvalis
