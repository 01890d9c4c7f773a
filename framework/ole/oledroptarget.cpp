#include "framework/ole/oledroptarget.h"

#include "framework/core/guard.h"

#include "framework/core/exceptions.h"
#include "framework/docview/view.h"
#include "framework/win/wnd.h"

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

int COleDropTarget::nScrollInset = DD_DEFSCROLLINSET;
UINT COleDropTarget::nScrollDelay = DD_DEFSCROLLDELAY;
UINT COleDropTarget::nScrollInterval = DD_DEFSCROLLINTERVAL;

namespace {
// The view class is found by name, so that windows without documents and views can take drops
// without bringing that layer along.
CView* AsView(CWnd* pWnd) {
    static const CRuntimeClass* pViewClass = CRuntimeClass::FromName("CView");
    if (pWnd == NULL || pViewClass == NULL || !pWnd->IsKindOf(pViewClass))
        return NULL;
    return static_cast<CView*>(pWnd);
}

// Runs one piece of an IDropTarget call as a COM entry.
template <class F> HRESULT Guarded(F call) {
    return AfxGuardComEntry([&] {
        call();
        return S_OK;
    });
}

// The calls that answer with an effect: the allowed effects come in through *pdwEffect, the
// chosen one goes out through it; a failure chooses none.
template <class F> HRESULT EffectCall(DWORD* pdwEffect, F call) {
    if (pdwEffect == NULL)
        return E_POINTER;
    const HRESULT hr = Guarded([&] { *pdwEffect = call(*pdwEffect); });
    if (FAILED(hr))
        *pdwEffect = DROPEFFECT_NONE;
    return hr;
}

// What the target chose, limited to what the source allows (scrolling is the target's own).
DROPEFFECT Allowed(DROPEFFECT effect, DWORD dwAllowed) {
    return effect & (dwAllowed | DROPEFFECT_SCROLL);
}
} // namespace

COleDropTarget::COleDropTarget() {}

COleDropTarget::~COleDropTarget() {
    Revoke();
}

BOOL COleDropTarget::Register(CWnd* pWnd) {
    HWND hWnd = pWnd != NULL ? pWnd->GetSafeHwnd() : NULL;
    if (m_hWnd != NULL || hWnd == NULL || !::IsWindow(hWnd))
        return FALSE;
    if (FAILED(::RegisterDragDrop(hWnd, &m_xDropTarget)))
        return FALSE;
    m_hWnd = hWnd;
    return TRUE;
}

void COleDropTarget::Revoke() {
    if (m_hWnd == NULL)
        return;
    // The window may be gone already; the registration went with it then.
    ::RevokeDragDrop(m_hWnd);
    m_hWnd = NULL;
    m_dataObject.Release();
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                       CPoint point) {
    CView* pView = AsView(pWnd);
    return pView != NULL ? pView->OnDragEnter(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                      CPoint point) {
    CView* pView = AsView(pWnd);
    return pView != NULL ? pView->OnDragOver(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd* pWnd) {
    if (CView* pView = AsView(pWnd))
        pView->OnDragLeave();
}

BOOL COleDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect,
                            CPoint point) {
    CView* pView = AsView(pWnd);
    return pView != NULL ? pView->OnDrop(pDataObject, dropEffect, point) : FALSE;
}

DROPEFFECT COleDropTarget::OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                    DROPEFFECT dropList, CPoint point) {
    CView* pView = AsView(pWnd);
    return pView != NULL ? pView->OnDropEx(pDataObject, dropDefault, dropList, point)
                         : (DROPEFFECT)-1;
}

DROPEFFECT COleDropTarget::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point) {
    CView* pView = AsView(pWnd);
    return pView != NULL ? pView->OnDragScroll(dwKeyState, point) : DROPEFFECT_NONE;
}

CWnd* COleDropTarget::TargetWindow(POINTL pt, CPoint* pClientPoint) const {
    *pClientPoint = CPoint(pt.x, pt.y);
    ::ScreenToClient(m_hWnd, pClientPoint);
    return CWnd::FromHandle(m_hWnd);
}

DROPEFFECT COleDropTarget::Enter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                 DWORD dwAllowed) {
    m_dataObject.Release();
    if (pDataObj == NULL || m_hWnd == NULL)
        return DROPEFFECT_NONE;
    pDataObj->AddRef();
    m_dataObject.Attach(pDataObj, TRUE);
    return Track(TRUE, grfKeyState, pt, dwAllowed);
}

DROPEFFECT COleDropTarget::Over(DWORD grfKeyState, POINTL pt, DWORD dwAllowed) {
    if (m_dataObject.m_lpDataObject == NULL || m_hWnd == NULL)
        return DROPEFFECT_NONE;
    return Track(FALSE, grfKeyState, pt, dwAllowed);
}

// Scrolling near the edge comes first; only when it declines does the view choose an effect.
DROPEFFECT COleDropTarget::Track(BOOL bEnter, DWORD grfKeyState, POINTL pt, DWORD dwAllowed) {
    CPoint point;
    CWnd* pWnd = TargetWindow(pt, &point);
    DROPEFFECT effect = OnDragScroll(pWnd, grfKeyState, point);
    if (effect == DROPEFFECT_NONE)
        effect = bEnter ? OnDragEnter(pWnd, &m_dataObject, grfKeyState, point)
                        : OnDragOver(pWnd, &m_dataObject, grfKeyState, point);
    return Allowed(effect, dwAllowed);
}

void COleDropTarget::Leave() {
    if (m_hWnd != NULL && m_dataObject.m_lpDataObject != NULL)
        OnDragLeave(CWnd::FromHandle(m_hWnd));
    m_dataObject.Release();
}

DROPEFFECT COleDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                DWORD dwAllowed) {
    if (pDataObj == NULL || m_hWnd == NULL) {
        m_dataObject.Release();
        return DROPEFFECT_NONE;
    }
    if (m_dataObject.m_lpDataObject != pDataObj) {
        pDataObj->AddRef();
        m_dataObject.Attach(pDataObj, TRUE);
    }
    CPoint point;
    CWnd* pWnd = TargetWindow(pt, &point);
    DROPEFFECT dropDefault =
        Allowed(OnDragOver(pWnd, &m_dataObject, grfKeyState, point), dwAllowed) &
        ~DROPEFFECT_SCROLL;
    DROPEFFECT result = OnDropEx(pWnd, &m_dataObject, dropDefault, dwAllowed, point);
    if (result == (DROPEFFECT)-1) {
        result = DROPEFFECT_NONE;
        if (dropDefault != DROPEFFECT_NONE && OnDrop(pWnd, &m_dataObject, dropDefault, point))
            result = dropDefault;
    }
    // A target that takes nothing still gets to remove its drag feedback.
    if (result == DROPEFFECT_NONE)
        OnDragLeave(pWnd);
    m_dataObject.Release();
    return result;
}

// ---- IDropTarget: nothing may leave these methods as an exception ----------------------------

STDMETHODIMP COleDropTarget::XDropTarget::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == NULL)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDropTarget) {
        *ppv = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

// The object belongs to whoever created it; the count only tells how many users OLE has.
STDMETHODIMP_(ULONG) COleDropTarget::XDropTarget::AddRef() {
    return (ULONG)::InterlockedIncrement(&m_pOwner->m_dwRef);
}

STDMETHODIMP_(ULONG) COleDropTarget::XDropTarget::Release() {
    return (ULONG)::InterlockedDecrement(&m_pOwner->m_dwRef);
}

STDMETHODIMP COleDropTarget::XDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState,
                                                    POINTL pt, DWORD* pdwEffect) {
    return EffectCall(pdwEffect, [&](DWORD dwAllowed) {
        return m_pOwner->Enter(pDataObj, grfKeyState, pt, dwAllowed);
    });
}

STDMETHODIMP COleDropTarget::XDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
    return EffectCall(pdwEffect,
                      [&](DWORD dwAllowed) { return m_pOwner->Over(grfKeyState, pt, dwAllowed); });
}

STDMETHODIMP COleDropTarget::XDropTarget::DragLeave() {
    return Guarded([&] { m_pOwner->Leave(); });
}

STDMETHODIMP COleDropTarget::XDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                               DWORD* pdwEffect) {
    HRESULT hr = EffectCall(pdwEffect, [&](DWORD dwAllowed) {
        return m_pOwner->Drop(pDataObj, grfKeyState, pt, dwAllowed);
    });
    // A drop that failed half-way must not keep the source's data.
    if (hr == E_UNEXPECTED)
        Guarded([&] { m_pOwner->m_dataObject.Release(); });
    return hr;
}
