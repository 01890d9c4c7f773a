// The window table through which the host names windows, the host-kept placements, and the
// operations on a window the host names.
#include "shell/frame/mainframe.h"

#include <algorithm>
#include <cmath>

#include "shell/app/appearance.h"
#include "shell/hostlink.h"

void CWindowIdList::Add(HWND hWnd) {
    auto at = std::lower_bound(m_handles.begin(), m_handles.end(), hWnd);
    if (at == m_handles.end() || *at != hWnd)
        m_handles.insert(at, hWnd);
}

void CWindowIdList::Remove(HWND hWnd) {
    auto at = std::lower_bound(m_handles.begin(), m_handles.end(), hWnd);
    if (at != m_handles.end() && *at == hWnd)
        m_handles.erase(at);
}

CWindowIdList& WindowIdList() {
    static CWindowIdList list;
    return list;
}

int CMainFrame::RegisterWindowHandle(HWND hWnd) {
    auto freeEntry = std::find(m_handles.begin() + 1, m_handles.end(), static_cast<HWND>(NULL));
    if (freeEntry != m_handles.end()) {
        *freeEntry = hWnd;
        return static_cast<int>(freeEntry - m_handles.begin());
    }
    m_handles.push_back(hWnd);
    return static_cast<int>(m_handles.size()) - 1;
}

HWND CMainFrame::GetWindowHandle(int nId) const {
    if (nId < 0 || nId >= static_cast<int>(m_handles.size()))
        return reinterpret_cast<HWND>(-1);
    return m_handles[nId];
}

void CMainFrame::FreeWindowId(int nId) {
    if (nId > 0 && nId < static_cast<int>(m_handles.size()))
        m_handles[nId] = NULL;
}

HWND CMainFrame::ResolveWindowReference(intptr_t reference, BOOL bById) const {
    HWND hWnd = NULL;
    if (bById) {
        const int id = static_cast<int>(reference);
        if (id <= 0 || id >= static_cast<int>(m_handles.size()))
            return NULL;
        hWnd = m_handles[id];
    } else {
        hWnd = reinterpret_cast<HWND>(reference);
    }
    // Only a live window of this thread inside the frame: nothing goes to a dead or foreign one.
    if (hWnd == NULL || !::IsWindow(hWnd) ||
        ::GetWindowThreadProcessId(hWnd, nullptr) != ::GetCurrentThreadId() ||
        (hWnd != m_hWnd && !::IsChild(m_hWnd, hWnd) && CWnd::FromHandlePermanent(hWnd) == nullptr))
        return NULL;
    return hWnd;
}

CWnd* CMainFrame::FindFrameOfWindow(HWND hWnd) const {
    for (HWND h = hWnd; h != NULL; h = ::GetParent(h)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(h);
        if (pWnd == nullptr)
            continue;
        if (auto* pView = DYNAMIC_DOWNCAST(CView, pWnd))
            return pView->GetParentFrame();
        return pWnd;
    }
    return nullptr;
}

void CMainFrame::BroadcastMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == 0)
        return;
    // A copy: a window may close while it handles the message.
    const std::vector<HWND> handles = WindowIdList().Handles();
    for (HWND hWnd : handles)
        if (::IsWindow(hWnd))
            ::SendMessageW(hWnd, message, wParam, lParam);
}

namespace {
BOOL CALLBACK CollectChild(HWND hWnd, LPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}
} // namespace

void CMainFrame::RelayoutAllWindows() {
    const std::vector<HWND> handles = WindowIdList().Handles();
    for (HWND hWnd : handles) {
        if (!::IsWindow(hWnd))
            continue;
        std::vector<HWND> children;
        ::EnumChildWindows(hWnd, &CollectChild, reinterpret_cast<LPARAM>(&children));
        for (HWND child : children) {
            RECT rect{};
            if (::IsWindow(child) && ::GetClientRect(child, &rect))
                ::SendMessageW(child, WM_SIZE, SIZE_RESTORED,
                               MAKELPARAM(rect.right - rect.left, rect.bottom - rect.top));
        }
    }
}

// Host-kept placement.
int32_t GetHostWindowState(const void* key) {
    int32_t value = 0;
    if (HostVersionAtLeast(3, 4))
        HostTable()->GetWindowSetting(key, &value, nullptr, nullptr, nullptr, nullptr);
    return value;
}

HostPlacement GetHostWindowPlacement(const void* key) {
    HostPlacement p{};
    if (key != nullptr && HostVersionAtLeast(3, 4))
        HostTable()->GetWindowSetting(key, &p.flags, &p.x, &p.y, &p.width, &p.height);
    return p;
}

void SetHostWindowState(const void* key, int32_t value) {
    if (HostVersionAtLeast(3, 4))
        HostTable()->SetWindowSetting(key, kWindowSettingState, value, 0, 0, 0, 0);
}

void SetHostWindowStateShown(const void* key) {
    SetHostWindowState(key, 2);
}

void SetHostWindowPlacement(const void* key, const HostPlacement& p) {
    if (HostVersionAtLeast(3, 4))
        HostTable()->SetWindowSetting(key, kWindowSettingPlacement, p.flags, p.x, p.y, p.width,
                                      p.height);
}

void CMainFrame::ShowFrameAtHostPlacement(CWnd* pFrame, const void* key) {
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == NULL)
        return;
    const HostPlacement p = GetHostWindowPlacement(key);
    using namespace PlacementFlags;
    if (!(p.flags & stored) || !(p.flags & mdiChild)) {
        pFrame->ShowWindow((p.flags & activate) ? SW_SHOW : SW_SHOWNA);
        return;
    }
    BOOL bMaximized = FALSE;
    MDIGetActive(&bMaximized);
    if (bMaximized) {
        pFrame->ShowWindow(SW_SHOWMAXIMIZED);
    } else if (p.flags & minimized) {
        pFrame->ShowWindow(SW_SHOWMINIMIZED);
    } else {
        UINT swp = SWP_SHOWWINDOW;
        if (!(p.flags & activate))
            swp |= SWP_NOZORDER | SWP_NOACTIVATE;
        if (p.x == kDefaultPlacementCoordinate && p.y == kDefaultPlacementCoordinate)
            swp |= SWP_NOMOVE;
        pFrame->SetWindowPos(nullptr, p.x, p.y, std::max(0, p.width), std::max(0, p.height), swp);
    }
}

void CMainFrame::UpdateWndPos(intptr_t reference, BOOL bById, const WindowPosition* pPos) {
    if (pPos == nullptr)
        return; // a null record means no placement
    HWND hWnd = ResolveWindowReference(reference, bById);
    m_position = *pPos;
    CWnd* pFrame = hWnd ? FindFrameOfWindow(hWnd) : nullptr;
    const HostPlacement p = GetHostWindowPlacement(pPos);
    if (pFrame == nullptr || (p.flags & PlacementFlags::leaveAlone))
        return;
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
        ShowFrameAtHostPlacement(pFrame, pPos);
}

BOOL CMainFrame::GetWindowPos(intptr_t reference, BOOL bById, const WindowPosition* pPos) {
    if (pPos == nullptr)
        return FALSE;
    HWND hWnd = ResolveWindowReference(reference, bById);
    CWnd* pFrame = hWnd ? FindFrameOfWindow(hWnd) : nullptr;
    if (pFrame == nullptr || pFrame == this)
        return FALSE;
    HostPlacement p{};
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))) {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        pFrame->GetWindowPlacement(&wp);
        const RECT& r = wp.rcNormalPosition;
        p = {0x11, r.left, r.top, r.right - r.left, r.bottom - r.top};
        if (pFrame->IsIconic())
            p.flags |= PlacementFlags::minimized;
    } else {
        return FALSE;
    }
    SetHostWindowPlacement(pPos, p);
    return TRUE;
}

LRESULT CMainFrame::SetWndIcon(intptr_t reference, BOOL bById, WPARAM kind, HICON hIcon) {
    HWND hWnd = ResolveWindowReference(reference, bById);
    CWnd* pFrame = hWnd ? FindFrameOfWindow(hWnd) : nullptr;
    if (pFrame == nullptr || pFrame == this)
        return 0;
    return pFrame->SendMessage(WM_SETICON, kind, reinterpret_cast<LPARAM>(hIcon));
}

BOOL CMainFrame::SetWndCaption(intptr_t reference, BOOL bById, LPCTSTR lpszText) {
    HWND hWnd = ResolveWindowReference(reference, bById);
    auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, hWnd ? FindFrameOfWindow(hWnd) : nullptr);
    if (pFrame == nullptr || pFrame == this || lpszText == nullptr)
        return FALSE;
    CView* pView = pFrame->GetActiveView();
    CDocument* pDoc = pView ? pView->GetDocument() : nullptr;
    if (pDoc == nullptr)
        return FALSE;
    pDoc->SetTitle(lpszText);
    return TRUE;
}

// Drag and drop on the frame itself.
DROPEFFECT CMainFrame::OnDragEnter(COleDataObject*, DWORD dwKeyState, CPoint) {
    uint32_t effect = 0;
    if (IDragDrop* service = DragDropService())
        service->DragEnter("MainWnd", 0, "MainWnd", dwKeyState, &effect);
    return effect;
}

DROPEFFECT CMainFrame::OnDragOver(COleDataObject*, DWORD dwKeyState, CPoint) {
    uint32_t effect = 0;
    if (IDragDrop* service = DragDropService())
        service->DragOver("MainWnd", 0, "MainWnd", dwKeyState, &effect);
    return effect;
}

void CMainFrame::OnDragLeave() {
    if (IDragDrop* service = DragDropService())
        service->DragLeave("MainWnd", 0);
}

BOOL CMainFrame::OnDrop(COleDataObject*, DROPEFFECT, CPoint) {
    IDragDrop* service = DragDropService();
    return service ? service->Drop("MainWnd", 0, "MainWnd") : FALSE;
}
