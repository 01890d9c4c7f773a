// Controllers: plug-ins that see a window's input and commands before the window does, and the
// one controller that holds the mouse capture.
#pragma once

#include "editor/mvc_model.h"
#include "editor/plugin/wnd_plugin.h"

namespace corvalis {
namespace foundation {

class CMvcVisualComponent;
class MvcViewport;

// The controller's event router works exactly as any router does, on listeners of its own.
class CMvcController : public IEventRouterImpl {
public:
    CMvcController() = default;
    CMvcController(const CMvcController&) = delete;
    CMvcController& operator=(const CMvcController&) = delete;

    virtual void SetModel(CMvcModel* model) { m_model = model; }
    virtual CMvcModel* GetModel() const { return m_model; }
    virtual void SetVisual(CMvcVisualComponent* visual) { m_visual = visual; }
    virtual CMvcVisualComponent* GetVisual() const { return m_visual; }

protected:
    CMvcModel* m_model = nullptr;
    CMvcVisualComponent* m_visual = nullptr;
};

class MvcController : public SECWndPlugIn, public CMvcController {
public:
    // Gives up the mouse capture when it holds it, so that the capture never names a
    // controller that is gone.
    ~MvcController() override;

    virtual BOOL Initialize(CWnd* window, MvcViewport* viewport);
    // Plugs into window (without subclassing it) and takes viewport as its visual. Hides
    // CWnd::Attach: a controller never owns a window.
    virtual BOOL Attach(CWnd* window, MvcViewport* viewport);
    // The viewport, when the visual is one.
    void SetVisual(CMvcVisualComponent* visual) override;
    MvcViewport* GetViewport() const { return m_viewport; }

    // Only input, commands, cursor, timer and context-menu messages reach the controller's map.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    LRESULT UnPlug() override;

private:
    void DropCapture();

    MvcViewport* m_viewport = nullptr;
};

// Gives the mouse capture to controller's window (null: releases it) and records controller as
// the one that gets a viewport's messages first. Returns the window that held the capture.
// A controller that is not plugged in cannot take the capture: nothing changes.
CWnd* SetCaptureController(MvcController* controller);
MvcController* GetCaptureController();

bool IsMouseMessage(UINT message);
bool IsKeyMessage(UINT message);
// The point of a mouse message, its two words read unsigned.
bool GetMousePoint(UINT message, WPARAM wParam, LPARAM lParam, CPoint& point);

} // namespace foundation
} // namespace corvalis
