#include "editor/edit_drop_target.h"

#include "framework/win/wnd.h"

ISECEditDropClient* SECEditDropTarget::ClientOf(CWnd* pWnd) {
    return dynamic_cast<ISECEditDropClient*>(pWnd);
}

DROPEFFECT SECEditDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                          CPoint point) {
    m_bFeedbackGone = false;
    ISECEditDropClient* client = ClientOf(pWnd);
    return client ? client->OnDragEnter(pDataObject, dwKeyState, point)
                  : COleDropTarget::OnDragEnter(pWnd, pDataObject, dwKeyState, point);
}

DROPEFFECT SECEditDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                         CPoint point) {
    ISECEditDropClient* client = ClientOf(pWnd);
    if (client == nullptr)
        return COleDropTarget::OnDragOver(pWnd, pDataObject, dwKeyState, point);
    if (m_bFeedbackGone) {
        m_bFeedbackGone = false;
        return client->OnDragEnter(pDataObject, dwKeyState, point);
    }
    return client->OnDragOver(pDataObject, dwKeyState, point);
}

void SECEditDropTarget::OnDragLeave(CWnd* pWnd) {
    m_nScrollCode = kNoScroll;
    m_bFeedbackGone = false;
    if (ISECEditDropClient* client = ClientOf(pWnd))
        client->OnDragLeave();
    else
        COleDropTarget::OnDragLeave(pWnd);
}

BOOL SECEditDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect,
                               CPoint point) {
    m_nScrollCode = kNoScroll;
    m_bFeedbackGone = false;
    ISECEditDropClient* client = ClientOf(pWnd);
    return client ? client->OnDrop(pDataObject, dropEffect, point)
                  : COleDropTarget::OnDrop(pWnd, pDataObject, dropEffect, point);
}

DROPEFFECT SECEditDropTarget::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point) {
    ISECEditDropClient* client = ClientOf(pWnd);
    if (client == nullptr || pWnd->GetSafeHwnd() == NULL)
        return DROPEFFECT_NONE;
    CRect client_rect;
    ::GetClientRect(pWnd->m_hWnd, &client_rect);
    CRect inner = client_rect;
    inner.InflateRect(-nScrollInset, -nScrollInset);
    UINT code = kNoScroll;
    if (client_rect.PtInRect(point) && !inner.PtInRect(point)) {
        const UINT h = point.x < inner.left     ? SB_LINEUP
                       : point.x >= inner.right ? SB_LINEDOWN
                                                : 0xFF;
        const UINT v = point.y < inner.top       ? SB_LINEUP
                       : point.y >= inner.bottom ? SB_LINEDOWN
                                                 : 0xFF;
        code = MAKEWORD(h, v);
        if (!client->OnScroll(code, 0, FALSE))
            code = kNoScroll;
    }
    if (code == kNoScroll) {
        // Out of the zone: the drag goes on as over any other point.
        m_nScrollCode = kNoScroll;
        return DROPEFFECT_NONE;
    }
    const DWORD now = ::GetTickCount();
    if (code != m_nScrollCode) {
        if (m_nScrollCode == kNoScroll && !m_bFeedbackGone) {
            client->OnDragLeave(); // the drop feedback goes while the window scrolls
            m_bFeedbackGone = true;
        }
        m_nScrollCode = code;
        m_dwLastTick = now;
        m_nDelay = nScrollDelay;
    } else if (now - m_dwLastTick >= m_nDelay) {
        client->OnScroll(code, 0, TRUE);
        m_dwLastTick = now;
        m_nDelay = nScrollInterval;
    }
    DROPEFFECT effect = DROPEFFECT_SCROLL;
    if ((dwKeyState & MK_CONTROL) && (dwKeyState & MK_SHIFT))
        effect |= DROPEFFECT_LINK;
    else if (dwKeyState & MK_CONTROL)
        effect |= DROPEFFECT_COPY;
    else
        effect |= DROPEFFECT_MOVE;
    return effect;
}
