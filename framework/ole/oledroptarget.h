// COleDropTarget: makes a window accept OLE drops. Register binds it to a window; each drag event
// then reaches the virtual handlers below with the window and a COleDataObject for the dragged
// data. The default handlers forward to the window's own drag handlers when it is a view, and
// refuse the drop otherwise.
#pragma once

#include <ole2.h>

#include "framework/win/cmdtarget.h"
#include "framework/core/geometry.h"
#include "framework/ole/oledataobject.h"

class CWnd;

class COleDropTarget : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    // Revokes a registration that is still active.
    ~COleDropTarget() override;

    // Makes pWnd a drop target served by this object. FALSE when this object is already
    // registered (also for the same window), when pWnd has no window, or when OLE refuses
    // (for instance because another target is registered on the window).
    BOOL Register(CWnd* pWnd);
    // Ends the registration; nothing when there is none.
    void Revoke();
    BOOL IsRegistered() const { return m_hWnd != NULL; }
    HWND GetRegisteredWindow() const { return m_hWnd; }

    // The drag events, with points in the window's client coordinates.
    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                   CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                  CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect,
                        CPoint point);
    // (DROPEFFECT)-1 lets OnDrop handle the drop.
    virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                DROPEFFECT dropList, CPoint point);
    // Asked before enter and over: an effect with DROPEFFECT_SCROLL means the window scrolled
    // and that effect stands; DROPEFFECT_NONE lets OnDragEnter / OnDragOver decide.
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

    // The OLE interface that Register hands to the system, for callers that drive a drop
    // themselves.
    IDropTarget* GetDropTarget() { return &m_xDropTarget; }

    // Drag-scroll settings shared by all targets: the band along the client edge (pixels) in
    // which a drag scrolls, the wait before the first scroll and between scrolls (ms).
    static int nScrollInset;
    static UINT nScrollDelay;
    static UINT nScrollInterval;

private:
    class XDropTarget : public IDropTarget {
    public:
        explicit XDropTarget(COleDropTarget* pOwner) : m_pOwner(pOwner) {}
        STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;
        STDMETHOD(DragEnter)
        (IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        STDMETHOD(DragOver)(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        STDMETHOD(DragLeave)() override;
        STDMETHOD(Drop)
        (IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

    private:
        COleDropTarget* m_pOwner;
    };
    friend class XDropTarget;

    DROPEFFECT Enter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD dwAllowed);
    DROPEFFECT Over(DWORD grfKeyState, POINTL pt, DWORD dwAllowed);
    // The answer while the data moves over the window, on entering or after.
    DROPEFFECT Track(BOOL bEnter, DWORD grfKeyState, POINTL pt, DWORD dwAllowed);
    void Leave();
    DROPEFFECT Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD dwAllowed);
    CWnd* TargetWindow(POINTL pt, CPoint* pClientPoint) const;

    HWND m_hWnd = NULL;
    COleDataObject m_dataObject; // the data of the drag in progress
    XDropTarget m_xDropTarget{this};
    LONG m_dwRef = 0;
};
