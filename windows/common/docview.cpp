#include "windows/common/docview.h"

#include "windows/common/droptarget.h"
#include "shell/hostlink.h"

IMPLEMENT_DYNCREATE(CDoc, CDocument)
IMPLEMENT_DYNCREATE(CDocView, CView)

BEGIN_MESSAGE_MAP(CDocView, CView)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_MOVE()
ON_WM_SETFOCUS()
ON_WM_CLOSE()
ON_WM_LBUTTONDOWN()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CDocView::CDocView() = default;
CDocView::~CDocView() = default;

HWND CDocView::HostedChild() {
    return m_hosted.Get(m_hWnd);
}

int CDocView::OnCreate(LPCREATESTRUCT lpcs) {
    return CView::OnCreate(lpcs) == -1 ? -1 : 0;
}

void CDocView::OnSize(UINT nType, int cx, int cy) {
    CView::OnSize(nType, cx, cy);
    if (HWND hChild = HostedChild()) {
        ::SetWindowPos(hChild, NULL, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::InvalidateRect(hChild, NULL, FALSE);
    }
}

void CDocView::OnMove(int x, int y) {
    CView::OnMove(x, y);
    // Packed as two 16-bit halves, as the system packs a move: a sum x + y * 65536 would take
    // one off y for every negative x.
    if (HWND hChild = HostedChild())
        ::SendMessageW(hChild, WM_MOVE, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)), 0);
}

void CDocView::OnSetFocus(CWnd* pOldWnd) {
    if (HWND hChild = HostedChild())
        ::SendMessageW(hChild, WM_SETFOCUS, (WPARAM)pOldWnd->GetSafeHwnd(), 0);
}

void CDocView::OnClose() {
    if (HWND hChild = HostedChild())
        ::SendMessageW(hChild, WM_CLOSE, 0, 0);
}

int CDocView::InitDropTarget(const char* name, int id) {
    IDragDrop* service = DragDropService();
    if (name == nullptr || *name == 0 || service == nullptr)
        return 0;
    UnregisterFromService(); // a second registration replaces the first
    m_dropName = name;
    m_nDropId = id;
    // A window another target holds is refused, not announced for drops it would never get.
    auto pTarget = std::make_unique<CDropTarget>();
    if (!pTarget->Register(this))
        return 0;
    m_pDropTarget = std::move(pTarget);
    service->RegisterDropTarget(m_dropName.c_str(), m_nDropId);
    m_bDropRegistered = true;
    return 1;
}

int CDocView::InitDragSource(const char* name, int id, intptr_t context,
                             DocViewDragCallback callback) {
    IDragDrop* service = DragDropService();
    if (name == nullptr || *name == 0 || context == 0 || callback == nullptr || service == nullptr)
        return 0;
    if (m_pfnDrag != nullptr)
        service->UnregisterDragSource(m_dragName.c_str(), m_nServiceId);
    m_dragName = name;
    m_pfnDrag = callback;
    m_context = context;
    m_hWndDragList = reinterpret_cast<HWND>(static_cast<intptr_t>(id));
    m_nServiceId = id;
    service->RegisterDragSource(m_dragName.c_str(), m_nServiceId);
    return 1;
}

void CDocView::OnLButtonDown(UINT nFlags, CPoint point) {
    CView::OnLButtonDown(nFlags, point);
    IDragDrop* service = DragDropService();
    if (service == nullptr || m_pfnDrag == nullptr || !::IsWindow(m_hWndDragList))
        return;
    const int row = static_cast<int>(::SendMessageW(m_hWndDragList, LB_GETCURSEL, 0, 0));
    if (row < 0)
        return;
    void* record = nullptr;
    if (m_pfnDrag(m_context, row, &record, m_nUserWord) && record != nullptr)
        service->StartDrag(m_dragName.c_str(), m_nServiceId, m_dragName.c_str(), record);
}

DROPEFFECT CDocView::OnDragEnter(COleDataObject*, DWORD dwKeyState, CPoint) {
    uint32_t effect = 0;
    if (IDragDrop* service = DragDropService(); service && m_bDropRegistered)
        service->DragEnter(m_dropName.c_str(), m_nDropId, m_dropName.c_str(), dwKeyState, &effect);
    return effect;
}

DROPEFFECT CDocView::OnDragOver(COleDataObject*, DWORD dwKeyState, CPoint) {
    uint32_t effect = 0;
    if (IDragDrop* service = DragDropService(); service && m_bDropRegistered)
        service->DragOver(m_dropName.c_str(), m_nDropId, m_dropName.c_str(), dwKeyState, &effect);
    return effect;
}

void CDocView::OnDragLeave() {
    if (IDragDrop* service = DragDropService(); service && m_bDropRegistered)
        service->DragLeave(m_dropName.c_str(), m_nDropId);
}

BOOL CDocView::OnDrop(COleDataObject*, DROPEFFECT, CPoint) {
    IDragDrop* service = DragDropService();
    if (service == nullptr || !m_bDropRegistered)
        return FALSE;
    return service->Drop(m_dropName.c_str(), m_nDropId, m_dropName.c_str());
}

void CDocView::UnregisterFromService() {
    IDragDrop* service = DragDropService();
    if (m_pDropTarget) {
        m_pDropTarget->Revoke();
        m_pDropTarget.reset();
    }
    if (service != nullptr && m_bDropRegistered)
        service->UnregisterDropTarget(m_dropName.c_str(), m_nDropId);
    m_bDropRegistered = false;
}

void CDocView::OnDestroy() {
    UnregisterFromService();
    if (IDragDrop* service = DragDropService(); service && m_pfnDrag != nullptr)
        service->UnregisterDragSource(m_dragName.c_str(), m_nServiceId);
    m_pfnDrag = nullptr;
    CView::OnDestroy();
}

void CDocView::NoteIcon(WPARAM kind, LPARAM icon) {
    m_iconKind = kind;
    m_icon = icon;
    if (kind <= ICON_SMALL2)
        m_icons[kind] = icon;
}

void CDocView::ResendIcons(CWnd* pFrame) const {
    for (WPARAM kind = 0; kind <= ICON_SMALL2; ++kind)
        if (m_icons[kind] != 0)
            pFrame->SendMessage(WM_SETICON, kind, m_icons[kind]);
}

CDocView* DocViewOf(HWND hWnd) {
    for (HWND h = hWnd; h != NULL; h = ::GetParent(h))
        if (auto* pView = DYNAMIC_DOWNCAST(CDocView, CWnd::FromHandlePermanent(h)))
            return pView;
    return nullptr;
}

HWND OutermostDocViewAround(HWND hWnd) {
    HWND current = hWnd;
    while (current != NULL) {
        HWND parent = ::GetParent(current);
        if (parent == NULL)
            return NULL;
        if (DocViewOf(parent) == nullptr)
            return current;
        current = parent;
    }
    return NULL;
}
