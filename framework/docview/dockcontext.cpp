// CDockContext: the drag, resize and toggle loops of a dockable bar.
#include "framework/docview/dockcontext.h"

#include "framework/docview/controlbar.h"
#include "framework/docview/dockbar.h"
#include "framework/docview/frame.h"
#include "framework/docview/miniframe.h"
#include "framework/win/dc.h"

namespace {
// The floating drag frame's dots: white and mid grey. Inverted over the grey of an MDI
// workspace, black and white dots (the halftone) give two greys a step apart, which nobody
// sees; these give black and grey there, and stand out on white and on button faces alike.
class DragBrush {
public:
    DragBrush() {
        struct {
            BITMAPINFOHEADER header;
            DWORD pixels[8 * 8];
        } dib{};
        dib.header.biSize = sizeof(BITMAPINFOHEADER);
        dib.header.biWidth = 8;
        dib.header.biHeight = 8;
        dib.header.biPlanes = 1;
        dib.header.biBitCount = 32;
        dib.header.biCompression = BI_RGB;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                dib.pixels[y * 8 + x] = ((x + y) & 1) ? 0x00FFFFFF : 0x00808080;
        m_hBrush = ::CreateDIBPatternBrushPt(&dib, DIB_RGB_COLORS);
    }
    ~DragBrush() {
        if (m_hBrush != NULL)
            ::DeleteObject(m_hBrush);
    }
    DragBrush(const DragBrush&) = delete;
    DragBrush& operator=(const DragBrush&) = delete;
    CBrush* Get() const {
        return m_hBrush != NULL ? CBrush::FromHandle(m_hBrush) : CDC::GetHalftoneBrush();
    }

private:
    HBRUSH m_hBrush = NULL;
};

CBrush* FloatingDragBrush() {
    static const DragBrush brush;
    return brush.Get();
}
} // namespace

#define HORZF(dw) (((dw)&CBRS_ORIENT_HORZ) != 0)
#define VERTF(dw) (((dw)&CBRS_ORIENT_VERT) != 0)

// What a running loop holds and must give back on every way out, an exception's too.
struct CDockContext::LoopResources {
    HWND hWndCapture = NULL;
    HDC hDC = NULL;
    BOOL bLocked = FALSE;
    CDC dc;
    // Everything the loop drew on the screen, so that it can be painted afresh afterwards.
    CRect rectTouched{0, 0, 0, 0};
    void Release() {
        if (hWndCapture != NULL && ::GetCapture() == hWndCapture)
            ::ReleaseCapture();
        hWndCapture = NULL;
        if (hDC != NULL) {
            dc.Detach();
            ::ReleaseDC(::GetDesktopWindow(), hDC);
            hDC = NULL;
        }
        if (bLocked)
            ::LockWindowUpdate(NULL);
        bLocked = FALSE;
    }
    ~LoopResources() { Release(); }
};

CDockContext::CDockContext(CControlBar* pBar)
    : m_pBar(pBar), m_pDockSite(nullptr), m_ptLast(0, 0), m_rectLast(0, 0, 0, 0), m_sizeLast(0, 0),
      m_rectDragHorz(0, 0, 0, 0), m_rectDragVert(0, 0, 0, 0), m_rectFrameDragHorz(0, 0, 0, 0),
      m_rectFrameDragVert(0, 0, 0, 0), m_rectMRUDockPos(0, 0, 0, 0), m_ptMRUFloatPos(-1, -1) {
    // No dock site known: the bar's parent frame stands in.
    m_pDockSite = pBar != nullptr ? pBar->GetDockingFrame() : nullptr;
}

CDockContext::~CDockContext() = default;

void CDockContext::ReleaseBar() {
    if (m_bInLoop) {
        m_pBar = nullptr;
        m_bDeletePending = TRUE;
        return;
    }
    delete this;
}

BOOL CDockContext::IsHorzTarget() const {
    if (m_dwOverDockStyle != 0)
        return HORZF(m_dwOverDockStyle);
    return HORZF(m_dwStyle) != (m_bFlip != FALSE);
}

void CDockContext::AdjustForPointer(CRect& rect, CPoint pt, int cxBorder) {
    if (pt.x < rect.left)
        rect.OffsetRect(pt.x - rect.left, 0);
    else if (pt.x > rect.right)
        rect.OffsetRect(pt.x - rect.right + cxBorder, 0);
    if (pt.y < rect.top)
        rect.OffsetRect(0, pt.y - rect.top);
    else if (pt.y > rect.bottom)
        rect.OffsetRect(0, pt.y - rect.bottom + cxBorder);
}

void CDockContext::InitLoop() {
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_bDitherLast = FALSE;
    m_bFlip = m_bForceFrame = FALSE;
    m_loop = std::make_unique<LoopResources>();
    m_loop->bLocked = ::LockWindowUpdate(::GetDesktopWindow());
    m_loop->hDC = ::GetDCEx(::GetDesktopWindow(), NULL,
                            DCX_WINDOW | DCX_CACHE | (m_loop->bLocked ? DCX_LOCKWINDOWUPDATE : 0));
    if (m_loop->hDC != NULL) {
        m_loop->dc.Attach(m_loop->hDC);
        m_pDC = &m_loop->dc;
    }
}

void CDockContext::CancelLoop() {
    if (m_loop == nullptr)
        return;
    DrawFocusRect(TRUE);
    const CRect rectTouched = m_loop->rectTouched;
    m_loop->Release();
    m_loop.reset();
    m_pDC = nullptr;
    // Inverting the frame twice gives back what was under it only where nothing was painted in
    // between: a window that repainted under the frame during the loop would keep a scrap of
    // it. Whatever the loop drew on is painted afresh.
    if (!rectTouched.IsRectEmpty())
        ::RedrawWindow(NULL, &rectTouched, NULL,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void CDockContext::GetTrackRect(CRect& rect, BOOL& bDocked) {
    bDocked = m_dwOverDockStyle != 0;
    const BOOL bHorz = IsHorzTarget();
    if (bDocked)
        rect = bHorz ? m_rectDragHorz : m_rectDragVert;
    else
        rect = bHorz ? m_rectFrameDragHorz : m_rectFrameDragVert;
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect) {
    if (m_pDC == nullptr)
        return;
    CRect rect(0, 0, 0, 0);
    CSize size(0, 0);
    BOOL bDither = FALSE;
    if (!bRemoveRect) {
        BOOL bDocked = FALSE;
        GetTrackRect(rect, bDocked);
        bDither = !bDocked;
        size = bDocked
                   ? CSize(1, 1)
                   : CSize(::GetSystemMetrics(SM_CXFRAME) - 1, ::GetSystemMetrics(SM_CYFRAME) - 1);
    }
    if (rect == m_rectLast && size == m_sizeLast && bDither == m_bDitherLast)
        return;
    CBrush* pWhite = CBrush::FromHandle((HBRUSH)::GetStockObject(WHITE_BRUSH));
    CBrush* pNew = bDither ? FloatingDragBrush() : pWhite;
    CBrush* pOld = m_bDitherLast ? FloatingDragBrush() : pWhite;
    m_pDC->DrawDragRect(rect.IsRectEmpty() ? NULL : &rect, size,
                        m_rectLast.IsRectEmpty() ? NULL : &m_rectLast, m_sizeLast, pNew, pOld);
    if (m_loop != nullptr && !rect.IsRectEmpty())
        m_loop->rectTouched.UnionRect(&m_loop->rectTouched, &rect);
    m_rectLast = rect;
    m_sizeLast = size;
    m_bDitherLast = bDither;
}

void CDockContext::StartDrag(CPoint pt) {
    if (m_pBar == nullptr || m_pDockSite == nullptr || ::GetCapture() != NULL)
        return;
    m_bDragging = TRUE;
    m_dwStyle = m_pBar->GetBarStyle();
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    InitLoop();
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_ptLast = pt;
    const BOOL bHorz = HORZF(m_dwStyle);
    if (m_dwStyle & CBRS_SIZE_DYNAMIC) {
        const CSize sizeHorz = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
        const CSize sizeVert = m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK);
        const CSize sizeFloat = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH);
        m_rectDragHorz = CRect(rect.TopLeft(), sizeHorz);
        m_rectDragVert = CRect(rect.TopLeft(), sizeVert);
        m_rectFrameDragHorz = m_rectFrameDragVert = CRect(rect.TopLeft(), sizeFloat);
    } else if (m_dwStyle & CBRS_SIZE_FIXED) {
        m_rectDragHorz = CRect(rect.TopLeft(), m_pBar->CalcFixedLayout(FALSE, TRUE));
        m_rectDragVert = CRect(rect.TopLeft(), m_pBar->CalcFixedLayout(FALSE, FALSE));
        m_rectFrameDragHorz = m_rectDragHorz;
        m_rectFrameDragVert = m_rectDragVert;
    } else {
        // The present orientation keeps the bar's rectangle; the other is centred on the pointer.
        const CSize sizeOther = m_pBar->CalcFixedLayout(FALSE, !bHorz);
        CRect rectOther(CPoint(pt.x - sizeOther.cx / 2, pt.y - sizeOther.cy / 2), sizeOther);
        m_rectDragHorz = bHorz ? rect : rectOther;
        m_rectDragVert = bHorz ? rectOther : rect;
        m_rectFrameDragHorz = m_rectDragHorz;
        m_rectFrameDragVert = m_rectDragVert;
    }
    ::AdjustWindowRectEx(&m_rectFrameDragHorz, WS_CAPTION | WS_THICKFRAME, FALSE, WS_EX_TOOLWINDOW);
    ::AdjustWindowRectEx(&m_rectFrameDragVert, WS_CAPTION | WS_THICKFRAME, FALSE, WS_EX_TOOLWINDOW);
    const int cxBorder = 2;
    AdjustForPointer(m_rectDragHorz, pt, cxBorder);
    AdjustForPointer(m_rectDragVert, pt, cxBorder);
    AdjustForPointer(m_rectFrameDragHorz, pt, cxBorder);
    AdjustForPointer(m_rectFrameDragVert, pt, cxBorder);
    m_dwOverDockStyle = CanDock();
    DrawFocusRect();
    Track(); // may delete this: nothing after it
}

void CDockContext::Move(CPoint pt) {
    const CPoint delta = pt - m_ptLast;
    m_rectDragHorz.OffsetRect(delta);
    m_rectDragVert.OffsetRect(delta);
    m_rectFrameDragHorz.OffsetRect(delta);
    m_rectFrameDragVert.OffsetRect(delta);
    m_ptLast = pt;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

void CDockContext::OnKey(int nChar, BOOL bDown) {
    if (nChar == VK_CONTROL)
        m_bForceFrame = bDown;
    else if (nChar == VK_SHIFT)
        m_bFlip = bDown;
    else
        return;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

DWORD CDockContext::CanDock() {
    if (m_bForceFrame || m_pDockSite == nullptr)
        return 0;
    const BOOL bHorzFirst = HORZF(m_dwStyle) != (m_bFlip != FALSE);
    for (int pass = 0; pass < 2; ++pass) {
        const BOOL bHorz = (pass == 0) == (bHorzFirst != FALSE);
        const DWORD dwSides = m_dwDockStyle & (bHorz ? CBRS_ORIENT_HORZ : CBRS_ORIENT_VERT);
        if (dwSides == 0)
            continue;
        CDockBar* pDockBar = nullptr;
        const DWORD dw =
            m_pDockSite->CanDock(bHorz ? m_rectDragHorz : m_rectDragVert, dwSides, &pDockBar);
        if (dw == 0)
            continue;
        if (!bHorz && pDockBar != nullptr) {
            // A side bar takes the drag only with the pointer over it (or, empty, beside it).
            const CRect rectBar = pDockBar->GetDropTargetRect();
            if (!rectBar.PtInRect(m_ptLast))
                continue;
        }
        return dw;
    }
    return 0;
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle) {
    if (m_pDockSite == nullptr)
        return nullptr;
    for (const auto& entry : CFrameWnd::dwDockBarMap)
        if (entry[1] & dwOverDockStyle & CBRS_ALIGN_ANY) {
            CControlBar* pBar = m_pDockSite->GetControlBar(entry[0]);
            if (pBar != nullptr && pBar->IsDockBar())
                return static_cast<CDockBar*>(pBar);
        }
    return nullptr;
}

void CDockContext::RememberDockPlace(CDockBar* pDockBar, const CRect& rect) {
    const UINT uID = (UINT)pDockBar->GetDlgCtrlID();
    if (uID >= AFX_IDW_DOCKBAR_TOP && uID <= AFX_IDW_DOCKBAR_BOTTOM) {
        m_uMRUDockID = uID;
        m_rectMRUDockPos = rect;
        pDockBar->ScreenToClient(&m_rectMRUDockPos);
    }
}

void CDockContext::EndDrag() {
    CancelLoop();
    if (m_pBar == nullptr || m_pDockSite == nullptr)
        return;
    if (m_dwOverDockStyle != 0) {
        CDockBar* pDockBar = GetDockBar(m_dwOverDockStyle);
        if (pDockBar == nullptr)
            return;
        CRect rect = IsHorzTarget() ? m_rectDragHorz : m_rectDragVert;
        RememberDockPlace(pDockBar, rect);
        m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
        m_pDockSite->RecalcLayout();
        return;
    }
    const BOOL bVert = !(m_dwStyle & CBRS_SIZE_DYNAMIC) && (HORZF(m_dwStyle) == (m_bFlip != FALSE));
    m_dwMRUFloatStyle =
        (bVert ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP) | (m_dwDockStyle & CBRS_FLOAT_MULTI);
    m_ptMRUFloatPos = bVert ? m_rectFrameDragVert.TopLeft() : m_rectFrameDragHorz.TopLeft();
    m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
}

void CDockContext::StartResize(int nHitTest, CPoint pt) {
    if (m_pBar == nullptr || m_pDockSite == nullptr || ::GetCapture() != NULL)
        return;
    CWnd* pFrame = m_pBar->GetParentFrame();
    if (pFrame == nullptr)
        return;
    m_bDragging = FALSE;
    m_nHitTest = nHitTest;
    m_dwStyle = m_pBar->GetBarStyle();
    m_dwOverDockStyle = 0;
    InitLoop();
    pFrame->GetWindowRect(&m_rectFrameDragHorz);
    m_rectFrameDragVert = m_rectFrameDragHorz;
    m_rectDragHorz = m_rectDragVert = m_rectFrameDragHorz;
    m_ptLast = pt;
    DrawFocusRect();
    Track(); // may delete this: nothing after it
}

void CDockContext::Stretch(CPoint pt) {
    const CPoint delta = pt - m_ptLast;
    CRect& rect = m_rectFrameDragHorz;
    if (m_nHitTest == HTLEFT || m_nHitTest == HTTOPLEFT || m_nHitTest == HTBOTTOMLEFT)
        rect.left += delta.x;
    if (m_nHitTest == HTRIGHT || m_nHitTest == HTTOPRIGHT || m_nHitTest == HTBOTTOMRIGHT)
        rect.right += delta.x;
    if (m_nHitTest == HTTOP || m_nHitTest == HTTOPLEFT || m_nHitTest == HTTOPRIGHT)
        rect.top += delta.y;
    if (m_nHitTest == HTBOTTOM || m_nHitTest == HTBOTTOMLEFT || m_nHitTest == HTBOTTOMRIGHT)
        rect.bottom += delta.y;
    m_rectFrameDragVert = rect;
    m_ptLast = pt;
    DrawFocusRect();
}

void CDockContext::EndResize() {
    CancelLoop();
    if (m_pBar == nullptr || m_pDockSite == nullptr)
        return;
    CRect client = m_rectFrameDragHorz;
    CRect frame(0, 0, 0, 0);
    ::AdjustWindowRectEx(&frame, WS_CAPTION | WS_THICKFRAME, FALSE, WS_EX_TOOLWINDOW);
    const int cx = client.Width() - frame.Width();
    const int cy = client.Height() - frame.Height();
    m_pBar->CalcDynamicLayout(cx, LM_HORZ | LM_COMMIT);
    m_pBar->CalcDynamicLayout(cy, LM_HORZ | LM_LENGTHY | LM_COMMIT);
    m_pDockSite->FloatControlBar(m_pBar, m_rectFrameDragHorz.TopLeft(),
                                 CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC |
                                     (m_pBar->GetBarStyle() & CBRS_FLOAT_MULTI));
}

void CDockContext::ToggleDocking() {
    if (m_pBar == nullptr || m_pDockSite == nullptr)
        return;
    if (m_pBar->IsFloating()) {
        if ((m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY) == 0)
            return;
        CControlBar* pTarget =
            m_uMRUDockID != 0 ? m_pDockSite->GetControlBar(m_uMRUDockID) : nullptr;
        CDockBar* pDockBar =
            pTarget != nullptr && pTarget->IsDockBar() ? static_cast<CDockBar*>(pTarget) : nullptr;
        if (pDockBar != nullptr &&
            (pDockBar->GetBarStyle() & m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY)) {
            CRect rect = m_rectMRUDockPos;
            pDockBar->ClientToScreen(&rect);
            m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
        } else {
            // Never docked: the first side it may take, in a row of its own.
            m_pDockSite->DockControlBar(m_pBar, (UINT)0, NULL);
        }
        m_pDockSite->RecalcLayout();
        return;
    }
    CPoint pt = m_ptMRUFloatPos;
    if (pt.x < 0 || pt.y < 0) {
        CRect rect;
        m_pBar->GetWindowRect(&rect);
        pt = rect.TopLeft();
    }
    const DWORD dwStyle = m_dwMRUFloatStyle != 0 ? m_dwMRUFloatStyle : CBRS_ALIGN_TOP;
    m_pDockSite->FloatControlBar(m_pBar, pt, dwStyle);
}

BOOL CDockContext::Track() {
    if (m_pBar == nullptr || m_loop == nullptr) {
        CancelLoop();
        return FALSE;
    }
    // Another window's capture means another mouse operation runs: not ours to interrupt.
    if (::GetCapture() != NULL) {
        CancelLoop();
        return FALSE;
    }
    m_pBar->SetCapture();
    m_loop->hWndCapture = m_pBar->m_hWnd;
    m_bInLoop = TRUE;
    BOOL bResult = FALSE;
    try {
        bResult = RunMessages();
    } catch (...) {
        m_bInLoop = FALSE;
        CancelLoop();
        if (m_bDeletePending)
            delete this;
        throw;
    }
    m_bInLoop = FALSE;
    CancelLoop();
    if (m_bDeletePending) {
        delete this;
        return FALSE;
    }
    return bResult;
}

BOOL CDockContext::RunMessages() {
    const HWND hWndBar = m_pBar->m_hWnd;
    for (;;) {
        if (m_pBar == nullptr || ::GetCapture() != hWndBar)
            return FALSE;
        MSG msg;
        const BOOL bGot = ::GetMessageW(&msg, NULL, 0, 0);
        if (bGot == 0) {
            ::PostQuitMessage((int)msg.wParam); // the host's loop must still see it
            return FALSE;
        }
        if (bGot == -1)
            return FALSE;
        CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
        switch (msg.message) {
        case WM_MOUSEMOVE:
            ::ClientToScreen(msg.hwnd, &pt);
            if (m_bDragging)
                Move(pt);
            else
                Stretch(pt);
            break;
        case WM_LBUTTONUP:
            ::ClientToScreen(msg.hwnd, &pt);
            if (m_bDragging)
                Move(pt);
            else
                Stretch(pt);
            if (m_bDragging)
                EndDrag();
            else
                EndResize();
            return TRUE;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                return FALSE;
            if (m_bDragging)
                OnKey((int)msg.wParam, TRUE);
            break;
        case WM_KEYUP:
            if (m_bDragging)
                OnKey((int)msg.wParam, FALSE);
            break;
        case WM_RBUTTONDOWN:
            return FALSE;
        default:
            ::DispatchMessageW(&msg);
            break;
        }
    }
}
