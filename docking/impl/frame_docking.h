// SECFrameImpl's members: docking, floating, showing and taking down bars, layout, the dock
// state and the own caption. Included once, by the file that instantiates the template.
#pragma once

#include "docking/frame_impl.h"

#include "docking/control_bar.h"
#include "docking/dock_state.h"
#include "docking/frame_caption.h"
#include "docking/frame_docking.h"
#include "docking/frame_menu.h"
#include "docking/mini_dock_frame.h"
#include "docking/sdi_frame.h"
#include "editor/plugin/wnd_plugin.h"
#include "framework/win/wnd_state.h"

#include <vector>

namespace sec_frame_impl {
void PreDock(CControlBar* pBar) {
    if (auto* p = DYNAMIC_DOWNCAST(SECControlBar, pBar))
        p->OnPreDock();
}
void PostDock(CControlBar* pBar) {
    if (auto* p = DYNAMIC_DOWNCAST(SECControlBar, pBar))
        p->OnPostDock();
}

CDockBar* DockBarForRedock(CFrameWnd* pFrame, CControlBar* pBar) {
    const UINT nID = (UINT)LOWORD(pBar->GetDlgCtrlID());
    for (const auto& entry : sec_docking::kDockBars)
        if (CDockBar* pDockBar = sec_docking::DockBarOf(pFrame, entry[0]))
            if (pDockBar->FindPlaceholder(nID) >= 0)
                return pDockBar;
    CDockBar* pLast = nullptr;
    for (const auto& entry : sec_docking::kDockBars)
        if (entry[1] & pBar->GetBarStyle() & CBRS_ALIGN_ANY)
            if (CDockBar* pDockBar = sec_docking::DockBarOf(pFrame, entry[0]))
                pLast = pDockBar;
    return pLast;
}

void MakeDockBar(CFrameWnd* pFrame, CDockBar* pDockBar, DWORD dwSide, DWORD dwExtra, UINT nID) {
    if (pDockBar == nullptr)
        AfxThrowResourceException();
    pDockBar->m_bAutoDelete = TRUE;
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (!pDockBar->Create(pFrame, dwSide | dwStyle | dwExtra, nID)) {
        if (pDockBar->m_hWnd == NULL)
            delete pDockBar;
        AfxThrowResourceException();
    }
}
} // namespace sec_frame_impl

template <class TBase> SECFrameImpl<TBase>::SECFrameImpl() : m_rectInside(0, 0, 0, 0) {}

template <class TBase> SECFrameImpl<TBase>::~SECFrameImpl() {
    if (m_hMenuDefaultBar != NULL)
        ::DestroyMenu(m_hMenuDefaultBar);
    // The frame owns the bars its dock state made (their windows are gone by now).
    while (!m_listCreatedBars.IsEmpty())
        delete m_listCreatedBars.RemoveHead();
    m_pMenuPlugIn.reset();
    m_pFramePlugIn.reset();
}

// Docking.
template <class TBase> CDockBar* SECFrameImpl<TBase>::CreateDockBar() {
    return new SECDockBar;
}

template <class TBase>
void SECFrameImpl<TBase>::EnableDocking(DWORD dwDockStyle, DWORD dwDockBarExtraStyle) {
    if (this->m_pFloatingFrameClass == nullptr ||
        this->m_pFloatingFrameClass == RUNTIME_CLASS(CMiniDockFrameWnd))
        this->m_pFloatingFrameClass = RUNTIME_CLASS(SECMiniDockFrameWnd);
    if (this->m_pDockBarClass == nullptr || this->m_pDockBarClass == RUNTIME_CLASS(CDockBar))
        this->m_pDockBarClass = RUNTIME_CLASS(SECDockBar);
    // The dock bars of the sides asked for that the frame lacks, each of the frame's own kind.
    for (const auto& entry : sec_docking::kDockBars) {
        if (!(entry[1] & dwDockStyle & CBRS_ALIGN_ANY) || this->GetControlBar(entry[0]) != nullptr)
            continue;
        sec_frame_impl::MakeDockBar(this, CreateDockBar(), entry[1], dwDockBarExtraStyle, entry[0]);
    }
}

template <class TBase>
void SECFrameImpl<TBase>::DockControlBarSized(CControlBar* pBar, SECDockPos* pPos, UINT nDockBarID,
                                              SECDockSize* pSize) {
    const SECDockPos pos = pPos != nullptr ? *pPos : SECDockPos{0, 0, 0};
    const SECDockSize size = pSize != nullptr ? *pSize : SECDockSize{};
    DockSized(pBar, pos, nDockBarID, size);
}

template <class TBase>
void SECFrameImpl<TBase>::FloatControlBar(CControlBar* pBar, int x, int y, DWORD dwStyle) {
    FloatInMiniFrame(pBar, x, y, dwStyle, TRUE);
}

template <class TBase>
void SECFrameImpl<TBase>::FloatControlBarAt(CControlBar* pBar, int x, int y, DWORD dwStyle) {
    FloatInMiniFrame(pBar, x, y, dwStyle, FALSE);
}

template <class TBase>
void SECFrameImpl<TBase>::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
    DockAtRect(pBar, pDockBar, lpRect, FALSE);
}

template <class TBase>
void SECFrameImpl<TBase>::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
    DockAtRect(pBar, pDockBar, lpRect, TRUE);
}

template <class TBase> void SECFrameImpl<TBase>::UnswapHosted(CControlBar* pBar) {
    if (!pBar->IsFloating())
        return;
    if (SECFrameWnd* pHosted = HostedFrameOf(pBar))
        SwapPreFloatStyle(pHosted, FALSE);
}

template <class TBase>
void SECFrameImpl<TBase>::DockSized(CControlBar* pBar, const SECDockPos& pos, UINT nDockBarID,
                                    const SECDockSize& size) {
    if (pBar == nullptr || pBar->m_hWnd == NULL)
        return;
    sec_frame_impl::PreDock(pBar);
    CDockBar* pDockBar = sec_docking::ChooseDockBar(this, pBar, nDockBarID);
    if (pDockBar == nullptr)
        return; // the frame has no dock bars
    if (auto* pSEC = DYNAMIC_DOWNCAST(SECControlBar, pBar))
        pSEC->m_fFloatProportion = size.fPctWidth;
    UnswapHosted(pBar);
    if (pBar->m_pDockSite == nullptr)
        pBar->m_pDockSite = this;
    pBar->CalcDynamicLayout(size.nHeight,
                            sec_docking::LayoutModeFor((UINT)pDockBar->GetDlgCtrlID()) | LM_COMMIT);
    if (auto* pSECDock = DYNAMIC_DOWNCAST(SECDockBar, pDockBar))
        pSECDock->DockControlBarAtPosition(pBar, pos);
    else
        pDockBar->DockControlBar(pBar, NULL);
    sec_frame_impl::PostDock(pBar);
}

template <class TBase>
void SECFrameImpl<TBase>::DockAtRect(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect,
                                     BOOL bRedock) {
    if (pBar == nullptr || pBar->m_hWnd == NULL)
        return;
    sec_frame_impl::PreDock(pBar);
    if (pDockBar == nullptr)
        pDockBar = bRedock ? sec_frame_impl::DockBarForRedock(this, pBar)
                           : sec_docking::ChooseDockBar(this, pBar, 0);
    if (pDockBar == nullptr)
        return;
    UnswapHosted(pBar);
    if (pBar->m_pDockSite == nullptr)
        pBar->m_pDockSite = this;
    auto* pSECDock = DYNAMIC_DOWNCAST(SECDockBar, pDockBar);
    if (pSECDock != nullptr && bRedock)
        pSECDock->ReDockControlBar(pBar, lpRect);
    else
        pDockBar->DockControlBar(pBar, lpRect);
    sec_frame_impl::PostDock(pBar);
}

template <class TBase>
void SECFrameImpl<TBase>::FloatInMiniFrame(CControlBar* pBar, int x, int y, DWORD dwStyle,
                                           BOOL bClamp) {
    if (pBar == nullptr || pBar->m_hWnd == NULL)
        return;
    if (bClamp) {
        const CRect work = sec_docking::WorkArea();
        CRect rectBar;
        pBar->GetWindowRect(&rectBar);
        x = sec_docking::ClampToWorkArea(x, rectBar.Width(), work.left, work.right);
        y = sec_docking::ClampToWorkArea(y, rectBar.Height(), work.top, work.bottom);
        CDockBar* pOld = pBar->m_pDockBar;
        if (pOld != nullptr && pOld->m_bFloating && pOld->GetDockedCount() == 1 &&
            (dwStyle & pOld->GetBarStyle() & CBRS_ALIGN_ANY)) {
            CWnd* pMini = pOld->GetParent();
            pMini->SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            if (SECFrameWnd* pHosted = HostedFrameOf(pBar))
                sec_docking::FitToParent(pHosted);
            pMini->UpdateWindow();
            return;
        }
    }
    auto* pSEC = DYNAMIC_DOWNCAST(SECControlBar, pBar);
    if (pSEC != nullptr)
        pSEC->OnPreFloat();
    dwStyle = sec_docking::FloatStyleFor(pBar, dwStyle);
    CMiniDockFrameWnd* pMini = this->CreateFloatingFrame(dwStyle);
    if (pMini == nullptr)
        return;
    const HWND hMini = pMini->m_hWnd;
    if (pMini->GetOwner() == nullptr || pMini->GetOwner() == this)
        pMini->SetOwner(pBar);
    if (pBar->m_pDockSite == nullptr)
        pBar->m_pDockSite = this;
    CDockBar* pFloatDock = pMini->GetDockBar();
    auto* pSECDock = DYNAMIC_DOWNCAST(SECDockBar, pFloatDock);
    if (pSECDock != nullptr && !bClamp)
        pSECDock->ReDockControlBar(pBar, NULL);
    else
        pFloatDock->DockControlBar(pBar, NULL);
    if (!::IsWindow(hMini))
        return;
    if (pSEC != nullptr && !(pSEC->GetExBarStyle() & CBRS_EX_FIXEDSIZE)) {
        pMini->ModifyStyle(MFS_4THICKFRAME, WS_THICKFRAME | MFS_THICKFRAME, 0);
        pMini->SetWindowPos(NULL, 0, 0, 0, 0,
                            SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                                SWP_FRAMECHANGED);
    }
    SECFrameWnd* pHosted = HostedFrameOf(pBar);
    if (pHosted != nullptr)
        SwapPreFloatStyle(pHosted, TRUE);
    pMini->RecalcLayout(TRUE);
    pMini->SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if ((pBar->GetStyle() & WS_VISIBLE) || !bClamp) {
        pMini->ShowWindow(SW_SHOWNA);
        pMini->UpdateWindow();
    }
    if (pHosted != nullptr)
        sec_docking::FitToParent(pHosted);
    if (pSEC != nullptr)
        pSEC->OnPostFloat();
}

template <class TBase>
void SECFrameImpl<TBase>::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
    if (pBar == nullptr || pBar->m_hWnd == NULL)
        return;
    CFrameWnd* pDockFrame = pBar->m_pDockSite != nullptr ? pBar->m_pDockSite : this;
    const HWND hDockFrame = pDockFrame->m_hWnd;
    pDockFrame->CFrameWnd::ShowControlBar(pBar, bShow, bDelay);
    // Shown or hidden at once: laid out at once too, unless only a floating bar went away.
    if (!bDelay && ::IsWindow(hDockFrame) && (bShow || !pBar->IsFloating()))
        pDockFrame->RecalcLayout(FALSE);
}

template <class TBase> void SECFrameImpl<TBase>::DestroyBars() {
    std::vector<HWND> dockBars, others;
    for (CControlBar* pBar : sec_docking::FrameBars(this))
        if (pBar->m_hWnd != NULL)
            (pBar->IsDockBar() ? dockBars : others).push_back(pBar->m_hWnd);
    for (HWND h : others)
        if (::IsWindow(h))
            ::DestroyWindow(h);
    for (HWND h : dockBars) {
        if (!::IsWindow(h))
            continue;
        auto* pDockBar = DYNAMIC_DOWNCAST(CDockBar, CWnd::FromHandlePermanent(h));
        HWND hParent = ::GetParent(h);
        if (pDockBar != nullptr && pDockBar->m_bFloating && hParent != m_hWnd && hParent != NULL)
            ::DestroyWindow(hParent);
        else
            ::DestroyWindow(h);
    }
}

// Layout.
template <class TBase> void SECFrameImpl<TBase>::AfterLayout() {
    CRect rect;
    this->GetClientRect(&rect);
    if (rect.IsRectEmpty()) {
        this->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return;
    }
    for (HWND h = ::GetWindow(m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        if (auto* pDockBar = DYNAMIC_DOWNCAST(SECDockBar, CWnd::FromHandlePermanent(h)))
            for (auto& pSplitter : pDockBar->m_splitters)
                pDockBar->GetSplitterBounds(pSplitter.get());
}

template <class TBase> void SECFrameImpl<TBase>::RecalcLayout(BOOL bNotify) {
    TBase::RecalcLayout(bNotify);
    AfterLayout();
    this->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CFrameWnd::reposQuery, &m_rectInside);
}

template <class TBase>
void SECFrameImpl<TBase>::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
    TBase::OnSetPreviewMode(bPreview, pState);
    if (!bPreview)
        this->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// New system colours: the shared drawing colours, then every bar of the frame (custom toolbars
// reload their button images).
template <class TBase> void SECFrameImpl<TBase>::OnSysColorChange() {
    SECDockAuxData::Get().UpdateSysColors();
    this->Default();
    std::vector<HWND> bars;
    for (CControlBar* pBar : sec_docking::FrameBars(this))
        if (pBar->m_hWnd != NULL && !pBar->IsDockBar())
            bars.push_back(pBar->m_hWnd);
    for (HWND h : bars)
        if (::IsWindow(h))
            ::SendMessageW(h, WM_SYSCOLORCHANGE, 0, 0);
}

// Dock state.
template <class TBase> void SECFrameImpl<TBase>::LoadBarState(LPCTSTR lpszProfileName) {
    SECDockState state(m_pControlBarManager);
    state.SetCreatedBarsList(&m_listCreatedBars);
    // A frame loading its layout with no main window set becomes the main window first, so the
    // bars it makes find their home.
    if (CWinApp* pApp = AfxGetApp())
        if (pApp->m_pMainWnd == nullptr)
            pApp->m_pMainWnd = this;
    state.LoadState(lpszProfileName);
    state.ApplyToFrame(this);
}

template <class TBase> void SECFrameImpl<TBase>::SaveBarState(LPCTSTR lpszProfileName) const {
    SECDockState state(m_pControlBarManager);
    if (state.CaptureFromFrame(const_cast<SECFrameImpl*>(this))) {
        state.DropUnsavedBars();
        state.SaveState(lpszProfileName);
    }
}

template <class TBase> void SECFrameImpl<TBase>::SetDockState(SECDockState& state) {
    state.ApplyToFrame(this);
}

// Exactly the bars SaveBarState saves, in its order, whoever asks.
template <class TBase> void SECFrameImpl<TBase>::GetDockState(SECDockState& state) const {
    if (state.CaptureFromFrame(const_cast<SECFrameImpl*>(this)))
        state.DropUnsavedBars();
}

// Whatever form the caller keeps, it holds exactly the bars SaveBarState saves; a state of the
// library's kind goes through the frame's own (overridable) capture.
template <class TBase> void SECFrameImpl<TBase>::GetDockState(CDockState& state) const {
    if (auto* pSEC = dynamic_cast<SECDockState*>(&state)) {
        GetDockState(*pSEC);
        return;
    }
    SECDockState captured(m_pControlBarManager);
    captured.CaptureFromFrame(const_cast<SECFrameImpl*>(this));
    captured.DropUnsavedBars();
    captured.MoveInfosTo(state);
}

// A state of the library's kind is applied as the library's; another goes to the framework.
template <class TBase> void SECFrameImpl<TBase>::SetDockState(const CDockState& state) {
    if (auto* pSEC = dynamic_cast<const SECDockState*>(&state))
        const_cast<SECDockState*>(pSEC)->ApplyToFrame(this);
    else
        this->CFrameWnd::SetDockState(state);
}

// Own caption.
template <class TBase> BOOL SECFrameImpl<TBase>::CreateCaptionFontItalic(CFont& font) {
    return sec_caption::CreateCaptionFont(font, TRUE);
}

template <class TBase> BOOL SECFrameImpl<TBase>::CreateCaptionFont(CFont& font) {
    return sec_caption::CreateCaptionFont(font, FALSE);
}

template <class TBase> void SECFrameImpl<TBase>::DrawGradientCaption() {
    CFont font, fontItalic;
    CreateCaptionFont(font);
    CreateCaptionFontItalic(fontItalic);
    if (!sec_caption::DrawGradientCaption(this, m_bCaptionActive, m_bWin4, font, fontItalic))
        EnableOwnCaption(FALSE);
}

template <class TBase> BOOL SECFrameImpl<TBase>::EnableOwnCaption(BOOL bEnable) {
    return sec_caption::EnableOwnCaption(this, m_bOwnCaption, m_bWin4, bEnable);
}

template <class TBase> BOOL SECFrameImpl<TBase>::OnNcActivate(BOOL bActive) {
    if (!m_bOwnCaption) {
        const BOOL bResult = TBase::OnNcActivate(bActive);
        OfferCaptionPaint(TRUE);
        return bResult;
    }
    if (this->m_bStayActive)
        bActive = TRUE;
    if (!this->IsWindowEnabled())
        bActive = FALSE;
    m_bCaptionActive = bActive;
    // A frame with children shows the active one's caption in the same state.
    CFrameWnd* pActive = this->GetActiveFrame();
    if (pActive != nullptr && pActive != this && pActive->m_hWnd != NULL)
        pActive->SendMessage(WM_NCACTIVATE, bActive, 0);
    const BOOL bResult = (BOOL)sec_caption::DefaultHidden(this, WM_NCACTIVATE, bActive, 0);
    this->SendMessage(WM_NCPAINT, 1, 0);
    return bResult;
}

template <class TBase> void SECFrameImpl<TBase>::OnNcPaint() {
    if (!m_bOwnCaption) {
        this->Default();
        OfferCaptionPaint(FALSE);
        return;
    }
    sec_caption::PaintFrameAroundCaption(this, m_bWin4);
    DrawGradientCaption();
}

template <class TBase> LRESULT SECFrameImpl<TBase>::OnSetText(WPARAM wParam, LPARAM lParam) {
    if (!m_bOwnCaption)
        return this->Default();
    const LRESULT result = sec_caption::DefaultHidden(this, WM_SETTEXT, wParam, lParam);
    DrawGradientCaption();
    return result;
}

// Creation and destruction.
template <class TBase> int SECFrameImpl<TBase>::OnCreate(LPCREATESTRUCT lpcs) {
    if (TBase::OnCreate(lpcs) == -1)
        return -1;
    if (m_pMenuBar != nullptr)
        m_pMenuPlugIn =
            CreateMenuPlugIn(SECMenuPlugInFactory::kindMenuBarFeature, TRUE, m_bBitmapMenus);
    else if (m_bBitmapMenus)
        m_pMenuPlugIn = CreateMenuPlugIn(SECMenuPlugInFactory::kindBitmapMenus, FALSE, TRUE);
    return 0;
}

// The framework's close sequence (documents asked, the window destroyed); the menu plug-in goes
// with the window in OnDestroy, before the bars.
template <class TBase> void SECFrameImpl<TBase>::OnClose() {
    TBase::OnClose();
}

template <class TBase> void SECFrameImpl<TBase>::OnDestroy() {
    m_pMenuPlugIn.reset();
    DestroyBars();
    TBase::OnDestroy();
}
