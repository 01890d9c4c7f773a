#include "editor/edit_ctrl.h"

using namespace corvalis::foundation;

IMPLEMENT_DYNAMIC(SECEditCtrl, CWnd)

BEGIN_MESSAGE_MAP(SECEditCtrl, CWnd)
ON_WM_GETDLGCODE()
ON_WM_MOUSEACTIVATE()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_CREATE()
ON_WM_KEYDOWN()
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_VSCROLL()
ON_WM_HSCROLL()
END_MESSAGE_MAP()

SECEditCtrl::SECEditCtrl() = default;

SECEditCtrl::~SECEditCtrl() {
    SECEditModel* model = GetEditModel();
    // The model must not tell a control that is half gone, and must not be told by one about
    // to be deleted.
    if (CMvcModel* current = GetModel())
        current->RemoveObserver(this);
    m_model = nullptr;
    if (GetController())
        GetController()->SetModel(nullptr);
    DropOwnedModel(model);
}

void SECEditCtrl::DropOwnedModel(SECEditModel* model) {
    if (model == nullptr || !m_bOwnsModel)
        return;
    // Other windows that still show the model let it go first: they show no text after.
    const std::vector<IObserver*> observers = model->GetObservers();
    for (IObserver* observer : observers)
        if (auto* viewport = dynamic_cast<SECEditViewport*>(observer))
            if (viewport->GetModel() == model)
                viewport->ForgetModel();
    delete model;
}

BOOL SECEditCtrl::CreateEditWindow(UINT nID, CWnd* pDialog, DWORD dwExStyle) {
    if (pDialog == nullptr || pDialog->GetSafeHwnd() == NULL)
        return FALSE;
    HWND dialog = pDialog->m_hWnd;
    HWND placeholder = ::GetDlgItem(dialog, int(nID));
    if (placeholder == NULL)
        return FALSE;
    CRect rect;
    ::GetWindowRect(placeholder, &rect);
    ::MapWindowPoints(NULL, dialog, reinterpret_cast<POINT*>(&rect), 2);
    if (!Create(NULL, L"SECEdit", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, pDialog, nID))
        return FALSE;
    ::SetWindowPos(m_hWnd, placeholder, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::DestroyWindow(placeholder);
    if (dwExStyle)
        ModifyStyleEx(0, dwExStyle, SWP_FRAMECHANGED);
    return TRUE;
}

SECEditModel* SECEditCtrl::GetEditModelOrCreate() {
    if (GetEditModel() == nullptr)
        CreateModel();
    return GetEditModel();
}

void SECEditCtrl::CreateModel() {
    if (GetModel() != nullptr)
        return;
    auto* model = new SECEditModel;
    model->ResetDocument();
    m_bOwnsModel = TRUE;
    SECEditViewport::SetModel(model);
}

void SECEditCtrl::SetModel(SECEditModel* model, BOOL owns) {
    SECEditModel* old = GetEditModel();
    // The model shown already: whoever owns it keeps it.
    if (model == old)
        return;
    const BOOL ownedOld = m_bOwnsModel;
    // The old model loses this observer before it can go.
    if (CMvcModel* current = GetModel())
        current->RemoveObserver(this);
    m_model = nullptr;
    SECEditViewport::SetModel(model);
    if (m_hWnd != NULL) {
        SECEditMsg reset(SECEDIT_HINT_INITIALIZE);
        OnUpdate(model, &reset);
    }
    m_bOwnsModel = ownedOld;
    if (old && old != model)
        DropOwnedModel(old);
    m_bOwnsModel = owns;
}

int SECEditCtrl::OnCreate(LPCREATESTRUCT lpcs) {
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    GetEditModelOrCreate();
    RegisterDropTarget();
    DWORD add = 0;
    if (GetScrollBarCtrl(SB_HORZ) == nullptr)
        add |= WS_HSCROLL;
    if (GetScrollBarCtrl(SB_VERT) == nullptr)
        add |= WS_VSCROLL;
    if (add)
        ModifyStyle(0, add, SWP_FRAMECHANGED);
    return 0;
}

int SECEditCtrl::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    const int result = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (result == MA_ACTIVATE || (result == MA_ACTIVATEANDEAT && ::GetFocus() != m_hWnd))
        ::SetFocus(m_hWnd);
    return result;
}

void SECEditCtrl::NotifyParent(UINT code) {
    HWND parent = ::GetParent(m_hWnd);
    if (parent)
        ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(m_hWnd), code),
                       reinterpret_cast<LPARAM>(m_hWnd));
}

void SECEditCtrl::OnSetFocus(CWnd* pOldWnd) {
    CWnd::OnSetFocus(pOldWnd);
    NotifyParent(EN_SETFOCUS);
}

void SECEditCtrl::OnKillFocus(CWnd* pNewWnd) {
    CWnd::OnKillFocus(pNewWnd);
    NotifyParent(EN_KILLFOCUS);
}

void SECEditCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar == VK_ESCAPE) {
        const MSG* msg = GetCurrentMessage();
        if (HWND parent = ::GetParent(m_hWnd))
            ::PostMessageW(parent, WM_KEYDOWN, nChar, msg ? msg->lParam : LPARAM(0));
    }
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}
