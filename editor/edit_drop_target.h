// The drop target of the editor's windows: hands drag events to the window's controller and
// scrolls the window while a drag is held near its edge.
#pragma once

#include "framework/ole/oledroptarget.h"

// What an editor window offers its drop target.
class ISECEditDropClient {
public:
    // Drag scrolling: the low byte asks sideways, the high byte up or down.
    virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll) = 0;
    virtual DROPEFFECT OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point) = 0;
    virtual DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState, CPoint point) = 0;
    virtual void OnDragLeave() = 0;
    virtual BOOL OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point) = 0;

protected:
    ~ISECEditDropClient() = default;
};

class SECEditDropTarget : public COleDropTarget {
public:
    static constexpr UINT kNoScroll = 65535;

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                           CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                          CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect,
                CPoint point) override;
    DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point) override;

    UINT GetScrollCode() const { return m_nScrollCode; }

private:
    static ISECEditDropClient* ClientOf(CWnd* pWnd);

    UINT m_nScrollCode = kNoScroll;
    // The client's drop feedback was taken away while the window scrolled: the next time the
    // pointer is over it, the drag enters it anew.
    bool m_bFeedbackGone = false;
    DWORD m_dwLastTick = 0;
    UINT m_nDelay = 0;
};
