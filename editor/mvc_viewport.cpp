#include "editor/mvc_viewport.h"

#include "editor/mvc_controller.h"
#include "framework/core/exceptions.h"
#include "framework/win/wnd.h"

namespace corvalis {
namespace foundation {

MvcViewport::MvcViewport() = default;

MvcViewport::~MvcViewport() {
    if (m_model)
        m_model->RemoveObserver(this);
    // Messages the controller's end causes (capture release) must find no controller here.
    std::unique_ptr<MvcController> owned = std::move(m_ownedController);
    m_controller = nullptr;
}

bool MvcViewport::QueryGuid(const GUID& guid, void** out) {
    if (SameGuid(guid, IID_IEventRouter)) {
        *out = static_cast<IEventRouter*>(this);
        return true;
    }
    if (SameGuid(guid, IID_IObserver)) {
        *out = static_cast<IObserver*>(this);
        return true;
    }
    return CMvcLogicalPart::QueryGuid(guid, out);
}

bool MvcViewport::RouteEvent(IEvent* event) {
    if (event == nullptr)
        return false;
    void* mouse = nullptr;
    if (event->QueryGuid(IID_IMouseEvent, &mouse) && mouse) {
        CPoint point = static_cast<IMouseEvent*>(mouse)->GetPoint();
        DPtoLP(&point, 1);
        if (!GetLogBounds().PtInRect(point))
            return false;
    }
    if (m_controller && m_controller->RouteEvent(event))
        return true;
    return m_listeners.Route(event);
}

BOOL MvcViewport::SetBounds(const CRect& rect) {
    SetOrigin(rect.left, rect.top);
    SetSize(rect.Width(), rect.Height());
    return TRUE;
}

void MvcViewport::SetModel(CMvcModel* model) {
    // A model left behind would go on telling an observer that may soon be gone.
    if (model != m_model) {
        if (m_model)
            m_model->RemoveObserver(this);
        m_model = model;
        if (m_model)
            m_model->AddObserver(this);
    }
    if (m_controller)
        m_controller->SetModel(model);
}

void MvcViewport::SetController(MvcController* controller, BOOL owns) {
    if (controller == m_controller) {
        if (owns && !m_ownedController)
            m_ownedController.reset(controller);
        else if (!owns)
            (void)m_ownedController.release();
        return;
    }
    // The controller replaced goes when it was owned.
    std::unique_ptr<MvcController> previous = std::move(m_ownedController);
    m_controller = controller;
    if (owns)
        m_ownedController.reset(controller);
}

void MvcViewport::InvalidateRect(const CRect& rect, BOOL erase) {
    if (m_container)
        ::InvalidateRect(m_container, &rect, erase);
}

void MvcViewport::ValidateRect(const CRect& rect) {
    if (m_container)
        ::ValidateRect(m_container, &rect);
}

BOOL MvcViewport::GetUpdateRect(CRect* rect, BOOL erase) {
    return m_container ? ::GetUpdateRect(m_container, rect, erase) : FALSE;
}

void MvcViewport::Invalidate(const CRect& rect, BOOL erase, BOOL updateNow) {
    CRect device(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
    RectLPtoDP(&device);
    device.NormalizeRect();
    InvalidateRect(device, erase);
    if (updateNow && m_container)
        ::UpdateWindow(m_container);
}

void MvcViewport::InvalidateRect(IVisual* visual, BOOL erase, BOOL updateNow) {
    if (visual != static_cast<IVisual*>(this)) {
        CMvcLogicalPart::InvalidateRect(visual, erase, updateNow);
        return;
    }
    InvalidateRect(m_bounds, erase);
    if (updateNow && m_container)
        ::UpdateWindow(m_container);
}

BOOL MvcViewport::Create(CWnd* container, MvcVisualPart* parent) {
    m_container = container ? container->GetSafeHwnd() : NULL;
    SetParentVisual(parent);
    return OnCreate();
}

int MvcViewport::OnCreate() {
    BOOL result = UsesController();
    if (m_controller)
        result &= m_controller->Initialize(GetContainer(), this);
    return result;
}

CWnd* MvcViewport::GetContainer() const {
    return CWnd::FromHandle(m_container);
}

BOOL MvcViewport::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    MvcController* capture = GetCaptureController();
    if (capture && capture->OnWndMsg(message, wParam, lParam, pResult))
        return TRUE;
    // The capture controller had its offer: a second one would run its handlers twice.
    MvcController* controller = m_controller;
    if (controller == nullptr || controller == capture)
        return FALSE;
    CPoint point;
    if (GetMousePoint(message, wParam, lParam, point) && !HitTest(point))
        return FALSE;
    return controller->OnWndMsg(message, wParam, lParam, pResult);
}

BOOL MvcViewport::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    return m_controller ? m_controller->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) : FALSE;
}

void MvcViewport::ConvertPoints(POINT* points, int count, bool toDevice) {
    if (m_container == NULL || !::IsWindow(m_container) || count <= 0) {
        CMvcLogicalPart::ConvertPoints(points, count, toDevice);
        return;
    }
    DC dc(this, true);
    if (toDevice)
        dc.LPtoDP(points, count);
    else
        dc.DPtoLP(points, count);
}

MvcViewport::DC::DC(MvcViewport* viewport, bool prepare)
    : m_window(viewport ? viewport->m_container : NULL) {
    if (m_window == NULL)
        AfxThrowResourceException();
    HDC hdc = ::GetDC(m_window);
    if (hdc == NULL)
        AfxThrowResourceException();
    if (!Attach(hdc)) {
        ::ReleaseDC(m_window, hdc);
        AfxThrowResourceException();
    }
    m_savedState = SaveDC();
    if (prepare) {
        try {
            viewport->OnPrepareDC(this);
        } catch (...) {
            Release();
            throw;
        }
    }
}

MvcViewport::DC::~DC() {
    Release();
}

void MvcViewport::DC::Release() {
    if (m_hDC == NULL)
        return;
    if (m_savedState != 0)
        RestoreDC(m_savedState);
    ::ReleaseDC(m_window, Detach());
}

} // namespace foundation
} // namespace corvalis
