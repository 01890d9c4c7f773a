// The editor's two window forms share one template: a framework window that is at the same time
// the editor's viewport. The window routes its input through the viewport's controller, sizes
// the viewport with itself and keeps its scroll bars in step with the logical origin.
#pragma once

#include "editor/edit_controller.h"
#include "editor/edit_drop_target.h"
#include "editor/edit_model.h"
#include "editor/edit_viewport.h"
#include "framework/dialogs/controls.h"
#include "framework/docview/view.h"
#include "framework/ole/oledroptarget.h"
#include "framework/win/dc.h"
#include "framework/win/wnd.h"
#include "toolbars/drawing/memdc.h"

#include <algorithm>
#include <memory>

// Scroll-bar arithmetic in whole lines and columns, from the viewport's state.
struct SECEditScrollMetrics {
    int lineHeight = 0, charWidth = 0;
    int totalLines = 0, totalColumns = 0;
    int pageLines = 0, pageColumns = 0;
    int firstLine = 0, firstColumn = 0;

    static SECEditScrollMetrics Of(SECEditViewport& viewport) {
        SECEditScrollMetrics m;
        m.lineHeight = viewport.GetLineHeight();
        m.charWidth = viewport.GetCharWidth();
        const CSize document = viewport.GetVirtualSize();
        const CRect visible = viewport.GetLogBounds();
        ISECEditPresentationState* state = viewport.GetPresentationState();
        const int textWidth = visible.Width() - (state ? state->GetTextLeft() : 0);
        auto in = [](int value, int unit) { return unit > 0 ? value / unit : value; };
        m.totalLines = in(document.cy, m.lineHeight);
        m.totalColumns = in(document.cx, m.charWidth);
        m.pageLines = std::max(0, in(visible.Height(), m.lineHeight));
        m.pageColumns = std::max(0, in(textWidth, m.charWidth));
        m.firstLine = visible.top > 0 ? in(visible.top, m.lineHeight) : 0;
        m.firstColumn = visible.left > 0 ? in(visible.left, m.charWidth) : 0;
        return m;
    }
};

// The step a scroll code asks for over a bar of total units with page units showing and first
// at the top; 0 when it moves nothing.
inline int SECEditScrollStep(UINT code, int position, int first, int total, int page) {
    const int largest = std::max(0, total - page);
    switch (code) {
    case SB_LINEUP:
        return first > 0 ? -1 : 0;
    case SB_LINEDOWN:
        return first < largest ? 1 : 0;
    case SB_PAGEUP:
        return first > 0 ? -std::min(page, first) : 0;
    case SB_PAGEDOWN:
        return first < largest ? std::min(page, largest - first) : 0;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        return std::max(0, std::min(position, largest)) - first;
    default:
        return 0;
    }
}

template <class TBase>
class SECEditCtrlWrapper_T : public TBase, public SECEditViewport, public ISECEditDropClient {
public:
    SECEditCtrlWrapper_T() = default;
    ~SECEditCtrlWrapper_T() override {
        if (m_pDropTarget && m_bAutoDeleteDropTarget)
            delete m_pDropTarget;
    }

    // One override of both bases' routing entries.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        // The controller first; a handler may destroy the window, so nothing follows a TRUE.
        if (SECEditViewport::OnWndMsg(message, wParam, lParam, pResult))
            return TRUE;
        return TBase::OnWndMsg(message, wParam, lParam, pResult);
    }
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override {
        if (TBase::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        return SECEditViewport::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    BOOL PreTranslateMessage(MSG* pMsg) override {
        corvalis::foundation::MvcController* controller = GetController();
        if (controller && controller->PreTranslateMessage(pMsg))
            return TRUE;
        return TBase::PreTranslateMessage(pMsg);
    }
    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, IDC_IBEAM), NULL, NULL);
        return TBase::PreCreateWindow(cs);
    }
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override {
        SetParentVisual(nullptr);
        if (!TBase::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
            return FALSE;
        const BOOL result = SECEditViewport::Create(this, nullptr);
        if (result && GetController())
            GetController()->SetModel(GetModel());
        LayoutToClient();
        return result;
    }
    using SECEditViewport::Create;

    // The view draws in its paint handler, through the viewport.
    virtual void OnDraw(CDC*) {}

    virtual void UpdateScrollBars() {
        if (GetController() == nullptr || this->m_hWnd == NULL)
            return;
        const SECEditScrollMetrics m = SECEditScrollMetrics::Of(*this);
        const CPoint origin = GetLogOrigin();
        UpdateBar(SB_VERT, m.totalLines, m.pageLines, m.firstLine, origin.y != 0);
        UpdateBar(SB_HORZ, m.totalColumns, m.pageColumns, m.firstColumn, origin.x != 0);
    }
    virtual BOOL IsAutoHideScrollBars() { return FALSE; }
    // The editor's own target, in both forms: it scrolls while a drag is held near the edge.
    virtual COleDropTarget* CreateDropTarget(BOOL& autoDelete) {
        autoDelete = TRUE;
        return new SECEditDropTarget;
    }
    virtual void RegisterDropTarget() {
        if (m_pDropTarget == nullptr)
            m_pDropTarget = CreateDropTarget(m_bAutoDeleteDropTarget);
        if (m_pDropTarget && !m_pDropTarget->IsRegistered())
            m_pDropTarget->Register(this);
    }

    // Drag scrolling: the low byte asks sideways, the high byte up or down (0 back, 1 on).
    BOOL OnScroll(UINT nScrollCode, UINT, BOOL bDoScroll = TRUE) override {
        const SECEditScrollMetrics m = SECEditScrollMetrics::Of(*this);
        const UINT horizontal = LOBYTE(nScrollCode);
        const UINT vertical = HIBYTE(nScrollCode);
        // Sideways the page is not taken off: the last page still answers that it can go on.
        const BOOL canH = (horizontal == 0 && m.firstColumn > 0) ||
                          (horizontal == 1 && m.firstColumn < m.totalColumns);
        const BOOL canV = (vertical == 0 && m.firstLine > 0) ||
                          (vertical == 1 && m.firstLine < m.totalLines - m.pageLines);
        if (bDoScroll) {
            if (canH)
                OnHScroll(horizontal == 0 ? SB_LINELEFT : SB_LINERIGHT, 0, nullptr);
            if (canV)
                OnVScroll(vertical == 0 ? SB_LINEUP : SB_LINEDOWN, 0, nullptr);
        }
        if (vertical <= 1)
            return canV;
        if (horizontal <= 1)
            return canH;
        return FALSE;
    }

    // The controller's drag operations.
    DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override {
        SECEditController* c = GetEditController();
        return c ? c->OnDragEnter(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
    }
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override {
        SECEditController* c = GetEditController();
        return c ? c->OnDragOver(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
    }
    void OnDragLeave() override {
        if (SECEditController* c = GetEditController())
            c->OnDragLeave();
    }
    BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override {
        SECEditController* c = GetEditController();
        return c ? c->OnDrop(pDataObject, dropEffect, point) : FALSE;
    }

    // The viewport takes the client size, and the bars follow.
    void OnLayout() override { LayoutToClient(); }
    void OnLogSizeChanged(int, int) override { UpdateScrollBars(); }

    BOOL IsScrolling() const { return m_bScrolling; }
    COleDropTarget* GetDropTargetObject() const { return m_pDropTarget; }

    afx_msg void OnSize(UINT nType, int cx, int cy) {
        ::UpdateWindow(this->m_hWnd);
        TBase::OnSize(nType, cx, cy);
        if (GetModel()) {
            SetSize(cx, cy);
            SetLogSize(cx, cy);
            UpdateScrollBars();
        }
        ::ValidateRect(this->m_hWnd, nullptr);
        CRect client;
        ::GetClientRect(this->m_hWnd, &client);
        CRect last = m_lastClient;
        ::ScreenToClient(this->m_hWnd, reinterpret_cast<POINT*>(&last.left));
        ::ScreenToClient(this->m_hWnd, reinterpret_cast<POINT*>(&last.right));
        if (last.TopLeft() != client.TopLeft() || !InvalidateDifference(last, client))
            ::InvalidateRect(this->m_hWnd, nullptr, TRUE);
        ::UpdateWindow(this->m_hWnd);
        m_lastClient = client;
        ::ClientToScreen(this->m_hWnd, reinterpret_cast<POINT*>(&m_lastClient.left));
        ::ClientToScreen(this->m_hWnd, reinterpret_cast<POINT*>(&m_lastClient.right));
    }

    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
        const SECEditScrollMetrics m = SECEditScrollMetrics::Of(*this);
        if (m.lineHeight <= 0)
            return;
        const int step = SECEditScrollStep(nSBCode, TrackedPosition(SB_VERT, nSBCode, nPos),
                                           m.firstLine, m.totalLines, m.pageLines);
        if (step == 0)
            return;
        this->SetScrollPos(SB_VERT, m.firstLine + step, TRUE);
        const CPoint before = GetLogOrigin();
        m_bScrolling = TRUE;
        const CPoint after = ScrollOrigin(0, step * m.lineHeight);
        m_bScrolling = FALSE;
        ScrollContents(0, before.y - after.y);
        if (SECEditController* c = GetEditController())
            c->PlaceCaret();
        ::UpdateWindow(this->m_hWnd);
    }

    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
        const SECEditScrollMetrics m = SECEditScrollMetrics::Of(*this);
        if (m.charWidth <= 0)
            return;
        const int step = SECEditScrollStep(nSBCode, TrackedPosition(SB_HORZ, nSBCode, nPos),
                                           m.firstColumn, m.totalColumns, m.pageColumns);
        if (step == 0)
            return;
        this->SetScrollPos(SB_HORZ, m.firstColumn + step, TRUE);
        const CPoint before = GetLogOrigin();
        m_bScrolling = TRUE;
        const CPoint after = ScrollOrigin(step * m.charWidth, 0);
        m_bScrolling = FALSE;
        // The text area alone: the gutter stays.
        ScrollContents(before.x - after.x, 0);
        if (SECEditController* c = GetEditController())
            c->PlaceCaret();
        ::UpdateWindow(this->m_hWnd);
    }

    // Drawing into a context of the caller's, whole (a capture, a print of the window).
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM) {
        if (HDC dc = reinterpret_cast<HDC>(wParam))
            Draw(CDC::FromHandle(dc));
        return 0;
    }

protected:
    // The paint area drawn off screen and copied to the window in one piece.
    void PaintWindow() {
        CPaintDC dc(this);
        CRect area = dc.m_ps.rcPaint;
        if (area.IsRectEmpty())
            return;
        SECMemDC memory(&dc, area);
        Draw(&memory);
    }

    // The viewport over the client area, the bars in step.
    void LayoutToClient() {
        if (this->m_hWnd == NULL)
            return;
        CRect client;
        ::GetClientRect(this->m_hWnd, &client);
        SetBounds(client);
        SetLogSize(client.Width(), client.Height());
        UpdateScrollBars();
    }

    // Where a thumb message asks to go. The message's position is 16 bits wide: the bar's own
    // 32-bit track position counts while a drag is on, and for a thumb released on a bar longer
    // than 16 bits when the message carries the low word of it.
    int TrackedPosition(int bar, UINT code, UINT nPos) {
        SCROLLINFO info = {};
        if (!this->GetScrollInfo(bar, &info, SIF_ALL))
            return int(nPos);
        if (code == SB_THUMBTRACK)
            return info.nTrackPos;
        if (code == SB_THUMBPOSITION && info.nMax > 0xFFFF && UINT(info.nTrackPos & 0xFFFF) == nPos)
            return info.nTrackPos;
        return code == SB_THUMBPOSITION ? int(nPos) : info.nPos;
    }

    void UpdateBar(int bar, int total, int page, int first, bool originAway) {
        CScrollBar* control = this->GetScrollBarCtrl(bar);
        const DWORD style = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
        if (control == nullptr && !(this->GetStyle() & style))
            return;
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        if (!(control && IsAutoHideScrollBars()))
            info.fMask |= SIF_DISABLENOSCROLL;
        info.nMin = 0;
        if (page < total) {
            info.nMax = total - 1;
            info.nPage = UINT(page);
            info.nPos = first;
        } else {
            info.nMax = page;
            info.nPage = UINT(page + 1);
            info.nPos = 0;
            if (!IsAutoHideScrollBars() && originAway) {
                this->SetScrollPos(bar, 0, FALSE);
                if (bar == SB_VERT)
                    OnVScroll(SB_THUMBPOSITION, 0, nullptr);
                else
                    OnHScroll(SB_THUMBPOSITION, 0, nullptr);
            }
        }
        this->SetScrollInfo(bar, &info, TRUE);
        if (control && !IsAutoHideScrollBars())
            ::EnableScrollBar(control->m_hWnd, SB_CTL,
                              info.nMax - info.nMin < int(info.nPage) ? ESB_DISABLE_BOTH
                                                                      : ESB_ENABLE_BOTH);
    }

    // Invalidates the strips where two client rectangles differ; FALSE when regions fail.
    BOOL InvalidateDifference(const CRect& before, const CRect& after) {
        HRGN a = ::CreateRectRgnIndirect(&before);
        HRGN b = ::CreateRectRgnIndirect(&after);
        HRGN x = ::CreateRectRgn(0, 0, 0, 0);
        BOOL ok = a && b && x && ::CombineRgn(x, a, b, RGN_XOR) != ERROR;
        if (ok)
            ::InvalidateRgn(this->m_hWnd, x, TRUE);
        for (HRGN r : {a, b, x})
            if (r)
                ::DeleteObject(r);
        return ok;
    }

    COleDropTarget* m_pDropTarget = nullptr;
    BOOL m_bAutoDeleteDropTarget = FALSE;
    CRect m_lastClient{0, 0, 0, 0}; // screen coordinates
    BOOL m_bScrolling = FALSE;
};

// The view form adds the scroll entry the framework calls while a drag scrolls the view.
template <class TBase> class SECEditViewWrapper_T : public SECEditCtrlWrapper_T<TBase> {
public:
    BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE) override {
        return SECEditCtrlWrapper_T<TBase>::OnScroll(nScrollCode, nPos, bDoScroll);
    }
};
