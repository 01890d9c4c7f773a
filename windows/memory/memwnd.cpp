#include "windows/memory/memwnd.h"

#include "shell/hostlink.h"
#include "windows/memory/memchildwnd.h"
#include "windows/memory/memmetrics.h"
#include "windows/memory/memstate.h"

// The frame's content window sends this when its font or layout changed.
constexpr UINT kMemRelayoutMessage = 0x040A;

CMemWnd::CMemWnd(MemWndState* pState) : m_pState(pState) {}
CMemWnd::~CMemWnd() {
    CMemChildWnd::Dispose(std::move(m_pGrid));
}

BOOL CMemWnd::CreateMemWnd(CWnd* pParent) {
    CRect client;
    pParent->GetClientRect(&client);
    CurrentMemState() = m_pState;
    return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorW(NULL, IDC_ARROW)), L"",
                    WS_CHILD | WS_VISIBLE, client, pParent, 0);
}

CMemWnd* CMemWnd::FromState(const MemWndState* pState) {
    if (!IsLiveMemState(pState))
        return nullptr;
    auto* pWnd =
        dynamic_cast<CMemWnd*>(CWnd::FromHandlePermanent(static_cast<HWND>(pState->memWnd)));
    return pWnd && pWnd->m_pState == pState ? pWnd : nullptr;
}

void CMemWnd::Detach() {
    m_pState = nullptr;
    if (m_pGrid)
        m_pGrid->Detach();
}

void CMemWnd::PostNcDestroy() {
    CWnd::PostNcDestroy();
    delete this; // the window owns its object
}

LRESULT CMemWnd::OnCreateWindow() {
    MemWndState* s = CurrentMemState();
    m_pState = s;
    if (s == nullptr)
        return 0;
    s->memWnd = m_hWnd;
    auto pGrid = std::make_unique<CMemChildWnd>();
    if (!pGrid->CreateGrid(this, s))
        return 0; // no grid and no title: the window stays empty
    m_pGrid = std::move(pGrid);
    s->grid = m_pGrid->GetSafeHwnd();
    HWND hTitle = ::CreateWindowExW(0, L"STATIC", L"", 0x5000000C, CW_USEDEFAULT, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, NULL,
                                    AfxGetInstanceHandle(), nullptr);
    if (hTitle != NULL)
        ::SendMessageW(hTitle, WM_SETFONT, reinterpret_cast<WPARAM>(MemoryTitleFont()), FALSE);
    s->title = hTitle;
    return 0;
}

void CMemWnd::OnSized(UINT nType, int cx, int cy) {
    if (nType == SIZE_MINIMIZED || m_pState == nullptr)
        return;
    const MemMetrics m = MemoryMetrics();
    const int titleHeight = m.rowPitch + m.topMargin;
    if (HWND hTitle = static_cast<HWND>(m_pState->title))
        ::MoveWindow(hTitle, 0, 0, cx, titleHeight, TRUE);
    if (m_pGrid)
        m_pGrid->MoveWindow(0, titleHeight, cx, cy - titleHeight, TRUE);
}

LRESULT CMemWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND hWnd = m_hWnd;
    switch (message) {
    case WM_CREATE:
        if (CWnd::WindowProc(message, wParam, lParam) == -1)
            return -1;
        return OnCreateWindow();
    case WM_CTLCOLORSTATIC:
        if (m_pState && reinterpret_cast<HWND>(lParam) == static_cast<HWND>(m_pState->title))
            return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
        break;
    case WM_SETFONT:
    case kMemRelayoutMessage:
        if (m_pGrid && m_pGrid->GetSafeHwnd()) {
            CRect client;
            m_pGrid->GetClientRect(&client);
            m_pGrid->Invalidate(TRUE);
            m_pGrid->SendMessage(WM_SIZE, SIZE_RESTORED,
                                 MAKELPARAM(client.Width(), client.Height()));
        }
        break;
    case WM_ACTIVATE:
        if (m_pGrid && m_pGrid->GetSafeHwnd())
            m_pGrid->SendMessage(WM_ACTIVATE, wParam, lParam);
        break;
    case WM_SETFOCUS:
        if (m_pGrid && m_pGrid->GetSafeHwnd()) {
            m_pGrid->SetFocus();
            return 0;
        }
        break;
    case WM_CLOSE:
        if (m_pState != nullptr) {
            // The host owns the window: it is asked to close it.
            HostRequest request{};
            request.code = 161;
            request.flags = 0x6000;
            request.param[1] = static_cast<uint64_t>(
                static_cast<int64_t>(reinterpret_cast<intptr_t>(m_pState->object)));
            SendHostRequest(&request, nullptr, 0, 3, 0, 0, 0);
        }
        return 0;
    case WM_SIZE:
        OnSized(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    }
    // A message that reached the host may have closed the window and deleted this object.
    if (CWnd::FromHandlePermanent(hWnd) != this)
        return 0;
    return CWnd::WindowProc(message, wParam, lParam);
}
