#include "editor/mvc_controller.h"

#include "editor/mvc_viewport.h"

namespace corvalis {
namespace foundation {

namespace {
// The controller that holds the mouse capture, or null.
MvcController* g_captureController = nullptr;

// The 16-bit control-colour message, still sent to some windows.
constexpr UINT kCtlColorMessage = 0x0019;

bool ReachesController(UINT message) {
    return IsMouseMessage(message) || IsKeyMessage(message) || message == WM_COMMAND ||
           message == WM_SETCURSOR || message == WM_TIMER || message == WM_CONTEXTMENU ||
           message == kCtlColorMessage;
}
} // namespace

MvcController::~MvcController() {
    DropCapture();
}

void MvcController::DropCapture() {
    if (g_captureController != this)
        return;
    g_captureController = nullptr;
    if (m_hWnd != NULL && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

BOOL MvcController::Initialize(CWnd* window, MvcViewport* viewport) {
    return Attach(window, viewport);
}

BOOL MvcController::Attach(CWnd* window, MvcViewport* viewport) {
    SetVisual(viewport);
    UnPlug();
    PlugInTo(window);
    return IsPluggedIn();
}

void MvcController::SetVisual(CMvcVisualComponent* visual) {
    CMvcController::SetVisual(visual);
    m_viewport = dynamic_cast<MvcViewport*>(visual);
}

BOOL MvcController::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (!ReachesController(message))
        return FALSE;
    return SECWndPlugIn::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL MvcController::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    return SECWndPlugIn::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT MvcController::UnPlug() {
    DropCapture();
    return SECWndPlugIn::UnPlug();
}

CWnd* SetCaptureController(MvcController* controller) {
    if (controller == g_captureController)
        return nullptr;
    if (controller != nullptr && !controller->IsPluggedIn())
        return nullptr;
    const HWND previous = ::GetCapture();
    ::ReleaseCapture();
    if (controller != nullptr)
        ::SetCapture(controller->m_hWnd);
    g_captureController = controller;
    return CWnd::FromHandle(previous);
}

MvcController* GetCaptureController() {
    return g_captureController;
}

bool IsMouseMessage(UINT message) {
    return message >= WM_MOUSEMOVE && message <= WM_MOUSEWHEEL;
}

bool IsKeyMessage(UINT message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR;
}

bool GetMousePoint(UINT message, WPARAM, LPARAM lParam, CPoint& point) {
    if (!IsMouseMessage(message))
        return false;
    point.x = LOWORD(lParam);
    point.y = HIWORD(lParam);
    return true;
}

} // namespace foundation
} // namespace corvalis
