// The viewport: a logical part that draws a model into a container window and hands the
// window's messages to its controller.
#pragma once

#include "editor/mvc_logical.h"
#include "editor/mvc_model.h"
#include "framework/win/dc.h"

#include <memory>

class CWnd;
struct AFX_CMDHANDLERINFO;

namespace corvalis {
namespace foundation {

class MvcController;

// An event that happened at a point of the window (device units).
class IMouseEvent : public IQueryGuid {
public:
    virtual CPoint GetPoint() = 0;

protected:
    ~IMouseEvent() = default;
};

class MvcViewport : public CMvcLogicalPart, public IObserver, public IEventRouterImpl {
public:
    class DC;

    MvcViewport();
    // Stops observing the model and deletes a controller it owns.
    ~MvcViewport() override;

    bool QueryGuid(const GUID& guid, void** out) override;
    int32_t AddRef() override { return 1; }
    int32_t Release() override { return 1; }
    void OnUpdate(ISubject*, IMessage*) override {}
    // A point event is offered only inside the visible logical area; the controller first,
    // then the viewport's own listeners.
    bool RouteEvent(IEvent* event) override;

    virtual BOOL SetBounds(const CRect& rect);
    virtual CMvcModel* GetModel() const { return m_model; }
    virtual void SetModel(CMvcModel* model);
    // Asked by OnCreate; a viewport that makes its own controller does it here.
    virtual BOOL UsesController() { return TRUE; }
    virtual void SetController(MvcController* controller, BOOL owns);
    virtual MvcController* GetController() const { return m_controller; }

    // Device units, on the container window.
    virtual void InvalidateRect(const CRect& rect, BOOL erase);
    void ValidateRect(const CRect& rect) override;
    virtual BOOL GetUpdateRect(CRect* rect, BOOL erase);
    // rect is logical and inclusive.
    void Invalidate(const CRect& rect, BOOL erase, BOOL updateNow) override;
    // The viewport's own bounds are device units of the window: they are invalidated as they are.
    void InvalidateRect(IVisual* visual, BOOL erase, BOOL updateNow) override;

    virtual BOOL Create(CWnd* container, MvcVisualPart* parent);
    int OnCreate() override;
    CWnd* GetContainer() const;
    HWND GetContainerHwnd() const { return m_container; }
    virtual BOOL HitTest(CPoint point) const { return GetBounds().PtInRect(point); }

    // The window's messages: the capture controller first, then (for mouse messages inside the
    // bounds only) the viewport's controller. A handler may destroy the window and with it this
    // viewport: nothing here touches the viewport after handing a message on.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
    // Through a context of the container window; without one, as the logical part does.
    void ConvertPoints(POINT* points, int count, bool toDevice) override;

    CMvcModel* m_model = nullptr;
    MvcController* m_controller = nullptr;
    std::unique_ptr<MvcController> m_ownedController;
    HWND m_container = NULL;
};

// A context of the viewport's container window, optionally prepared by the viewport. Whatever
// the preparation changed is undone before the context goes back to the window, so a window
// with its own or its class's context finds it as it was.
class MvcViewport::DC : public CDC {
public:
    // Throws CResourceException when the viewport has no window or no context can be had.
    DC(MvcViewport* viewport, bool prepare);
    ~DC() override;
    DC(const DC&) = delete;
    DC& operator=(const DC&) = delete;

private:
    void Release();

    HWND m_window;
    int m_savedState = 0;
};

} // namespace foundation
} // namespace corvalis
