#include "windows/asm/asm_frames.h"

#include "shell/frame/mainframe.h"
#include "shell/hostlink.h"
#include "windows/asm/asm_view_map.h"
#include "windows/asm/asm_views.h"
#include "windows/common/asm_frame_table.h"
#include "windows/list/list_iface.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CAsmFrame, SECMDIChildWnd)
IMPLEMENT_DYNCREATE(CDocAsmFrame, SECDockableFrame)

namespace {
constexpr UINT kAsmIcon = 145;
constexpr UINT kSplitterStyle = 0x50000000;
constexpr UINT kCloseRequest = 5;
constexpr int kCloseSlot = 4;
constexpr int kCloseValue = 5;
constexpr int kMinPaneWidth = 1;

uint32_t MainColumnOptions() {
    CMainFrame* pMain = MainFrame();
    return pMain != nullptr ? pMain->GetColumnOptions() : 0;
}
} // namespace

template <class Base>
BOOL CAsmFrameImpl<Base>::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) {
    if (HICON hIcon = static_cast<HICON>(::LoadImageW(
            AfxGetResourceHandle(), MAKEINTRESOURCEW(kAsmIcon), IMAGE_ICON, 16, 16, LR_SHARED)))
        this->SetIcon(hIcon, FALSE);
    m_columnOptions = MainColumnOptions();
    // A frame made for a window that changes form gets its panes from the old frame.
    if (pContext == nullptr || pContext->m_pNewViewClass == nullptr)
        return TRUE;
    auto splitter = std::make_unique<CSplitter>();
    if (!BuildPanes(*splitter, lpcs->cx, lpcs->cy, pContext)) {
        // The half-built row goes with its window; its panes delete themselves.
        if (splitter->GetSafeHwnd() != NULL)
            splitter->DestroyWindow();
        return FALSE;
    }
    m_pSplitter = std::move(splitter);
    AsmViewMap().Select(m_nCoreId);
    return TRUE;
}

template <class Base>
BOOL CAsmFrameImpl<Base>::BuildPanes(CSplitter& splitter, int cx, int cy,
                                     CCreateContext* pContext) {
    const uint32_t options = m_columnOptions;
    m_nPaneCount = (options & kAsmDisassemblyPane) ? 1 : 0;
    if (options & kAsmAddressPane) {
        ++m_nPaneCount;
        splitter.SetAddressPane(1);
    }
    splitter.SetCoverageColumn((options & kCoverageColumn) ? 1 : 0);
    BOOL bBuilt = m_nPaneCount > 0 &&
                  splitter.CreateStatic(this, 1, m_nPaneCount, kSplitterStyle, AFX_IDW_PANE_FIRST);
    const int height = std::max(cy, 0);
    // The option word tells each view which pane it is while it is made.
    if (bBuilt && splitter.HasAddressPane()) {
        m_columnOptions = kAsmAddressPane;
        bBuilt = splitter.CreateView(0, 0, RUNTIME_CLASS(CAsmAddrView),
                                     CSize(kAsmAddressPaneWidth, height), pContext);
    }
    if (bBuilt) {
        m_columnOptions = kAsmDisassemblyPane;
        const int width = std::max(kMinPaneWidth, cx - (m_nPaneCount - 1) * kAsmAddressPaneWidth);
        bBuilt = splitter.CreateView(0, m_nPaneCount - 1, RUNTIME_CLASS(CAsmSourceView),
                                     CSize(width, height), pContext);
    }
    m_columnOptions = options;
    return bBuilt;
}

template <class Base> int CAsmFrameImpl<Base>::OnCreate(LPCREATESTRUCT lpcs) {
    if (CMainFrame* pMain = MainFrame())
        pMain->PlaceNewFrame(this);
    if (Base::OnCreate(lpcs) == -1)
        return -1;
    if (CAsmSourceView* pView = SourceView())
        this->SetActiveView(pView, FALSE);
    return 0;
}

template <class Base> BOOL CAsmFrameImpl<Base>::ApplyColumnOptions() {
    CAsmSourceView* pView = SourceView();
    if (pView == nullptr || !m_pSplitter)
        return 1;
    const int top = pView->ListTopIndex();
    const bool bCoverage = (m_columnOptions & kCoverageColumn) != 0;
    m_pSplitter->SetCoverageColumn(bCoverage ? 1 : 0);
    pView->SetColumns(bCoverage);
    pView->FillLines(false);
    pView->ScrollToLine(top);
    return 1;
}

template <class Base> void CAsmFrameImpl<Base>::AlignAddressList() {
    CAsmSourceView* pSource = SourceView();
    CAsmAddrView* pAddr = AddrView();
    if (pSource == nullptr || pAddr == nullptr)
        return;
    pSource->UpdateWindow();
    pAddr->UpdateWindow();
    pAddr->ScrollListTo(pSource->ListTopIndex());
}

template <class Base> CAsmAddrView* CAsmFrameImpl<Base>::AddrView() const {
    return m_pSplitter ? DYNAMIC_DOWNCAST(CAsmAddrView, m_pSplitter->GetAddressPane()) : nullptr;
}

template <class Base> CAsmSourceView* CAsmFrameImpl<Base>::SourceView() const {
    return m_pSplitter ? DYNAMIC_DOWNCAST(CAsmSourceView, m_pSplitter->GetDisassemblyPane())
                       : nullptr;
}

template <class Base> void CAsmFrameImpl<Base>::OnSetFocus(CWnd* pOldWnd) {
    Base::OnSetFocus(pOldWnd);
    if (CAsmSourceView* pView = SourceView())
        pView->SetFocus();
}

template <class Base> BOOL CAsmFrameImpl<Base>::OnEraseBkgnd(CDC*) {
    return TRUE;
}

template <class Base> void CAsmFrameImpl<Base>::AskHostToClose() {
    if (HostTable() == nullptr) {
        Base::OnClose();
        return;
    }
    HostRequest request{};
    request.code = kCloseRequest;
    request.param[kCloseSlot] = kCloseValue;
    HostRequest* chain = WrapRequestInCoreSwitch(m_nCoreId, &request, HostTable()->GetActiveCore());
    // The host may close this window inside the call: nothing of it is touched after.
    SendHostRequest(chain, nullptr, 0, 3, 0, 0, 0);
}

BEGIN_TEMPLATE_MESSAGE_MAP(CAsmFrameImpl, Base)
ON_WM_CREATE()
ON_WM_SETFOCUS()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

template class CAsmFrameImpl<SECMDIChildWnd>;
template class CAsmFrameImpl<SECDockableFrame>;

BEGIN_MESSAGE_MAP(CAsmFrame, CAsmFrameImpl<SECMDIChildWnd>)
ON_WM_CLOSE()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CDocAsmFrame, CAsmFrameImpl<SECDockableFrame>)
ON_WM_CLOSE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

void CAsmFrame::SetCoreId(int nCoreId) {
    m_nCoreId = HostVersionAtLeast(3, 2) && HostTable()->IsMultiCore() ? nCoreId : 0;
}

void CAsmFrame::OnClose() {
    AskHostToClose();
}

void CDocAsmFrame::OnClose() {
    AskHostToClose();
}

// The entry goes when the frame really goes: the host may refuse the close it was asked for,
// and a frame that stayed must still be found for its core.
void CDocAsmFrame::OnDestroy() {
    AsmFrameTable().ClearFrame(m_hWnd);
    SECDockableFrame::OnDestroy();
}

namespace {
template <class F> bool OnAsmFrame(CWnd* pFrame, F f) {
    if (auto* pChild = DYNAMIC_DOWNCAST(CAsmFrame, pFrame))
        return f(*pChild), true;
    if (auto* pDocked = DYNAMIC_DOWNCAST(CDocAsmFrame, pFrame))
        return f(*pDocked), true;
    return false;
}
} // namespace

uint32_t GetAsmFrameColumnOptions(CWnd* pFrame) {
    uint32_t options = 0;
    OnAsmFrame(pFrame, [&](auto& f) { options = f.GetColumnOptions(); });
    return options;
}

bool ApplyAsmFrameColumnOptions(CWnd* pFrame, uint32_t options) {
    return OnAsmFrame(pFrame, [&](auto& f) {
        f.SetColumnOptions(options);
        f.ApplyColumnOptions();
    });
}

CSplitter* AsmFrameSplitter(CWnd* pFrame) {
    CSplitter* p = nullptr;
    OnAsmFrame(pFrame, [&](auto& f) { p = f.Splitter(); });
    return p;
}

CAsmSourceView* AsmFrameSourceView(CWnd* pFrame) {
    CAsmSourceView* p = nullptr;
    OnAsmFrame(pFrame, [&](auto& f) { p = f.SourceView(); });
    return p;
}

CAsmAddrView* AsmFrameAddrView(CWnd* pFrame) {
    CAsmAddrView* p = nullptr;
    OnAsmFrame(pFrame, [&](auto& f) { p = f.AddrView(); });
    return p;
}

// ---- changing form ----

struct CAsmFamilySteps::Taken {
    std::unique_ptr<CSplitter> pSplitter;
    uint32_t columnOptions = 0;
    int paneCount = -1;
    int core = 0;
    intptr_t tag = 0;
    bool bEdgeDocked = false;
    bool bAddressColumnHidden = false;
    std::unique_ptr<HostCoreScope> pCoreScope;
};

bool CAsmFamilySteps::Before(CFrameWnd* pOld) {
    m_pTaken = std::make_shared<Taken>();
    Taken& t = *m_pTaken;
    if (auto* pDocked = DYNAMIC_DOWNCAST(CDocAsmFrame, pOld)) {
        CAsmSourceView* pView = pDocked->SourceView();
        CDocument* pDoc = pView != nullptr ? pView->GetDocument() : nullptr;
        auto* pTemplate = pDoc != nullptr
                              ? DYNAMIC_DOWNCAST(SECMultiDocTemplate, pDoc->GetDocTemplate())
                              : nullptr;
        const int side = pTemplate != nullptr ? pTemplate->GetDockSide(pDocked) : 4;
        t.bEdgeDocked = side >= 0 && side <= 3;
    }
    return OnAsmFrame(pOld, [&](auto& f) {
        t.core = f.GetCoreId();
        t.columnOptions = f.GetColumnOptions();
        for (int i = 0; i < AsmFrameTable().GetSize(); ++i) {
            const CAsmFrameTable::Entry* e = AsmFrameTable().GetEntry(i);
            if (e != nullptr && (e->hMdiFrame == pOld->m_hWnd || e->hDockedFrame == pOld->m_hWnd))
                t.tag = e->tag;
        }
        if (CAsmAddrView* pAddr = f.AddrView())
            t.bAddressColumnHidden =
                ListWindowTable()->GetColumnWidth(static_cast<int>(pAddr->ListId()), 1) == 0;
        t.pCoreScope = std::make_unique<HostCoreScope>(t.core);
        t.pSplitter = f.TakeSplitter();
    });
}

void CAsmFamilySteps::After(CFrameWnd* pNew) {
    if (!m_pTaken)
        return;
    Taken& t = *m_pTaken;
    OnAsmFrame(pNew, [&](auto& f) {
        f.SetCoreId(t.core);
        f.SetColumnOptions(t.columnOptions);
        f.AdoptSplitter(std::move(t.pSplitter));
    });
    const intptr_t tag = t.tag != 0 ? t.tag : 0;
    if (pNew->IsKindOf(RUNTIME_CLASS(CDocAsmFrame)))
        AsmFrameTable().SetDockedFrame(pNew, t.core, tag);
    else
        AsmFrameTable().SetMdiFrame(pNew, t.core, tag);
    CAsmAddrView* pAddr = AsmFrameAddrView(pNew);
    CAsmSourceView* pSource = AsmFrameSourceView(pNew);
    if (pAddr != nullptr)
        pAddr->SetCoreId(t.core);
    if (pSource != nullptr)
        pSource->SetCoreId(t.core);
    AsmViewMap().SetAddrView(t.core, pAddr);
    AsmViewMap().SetSourceView(t.core, pSource);
    AsmViewMap().ResetCache();
    if (t.bAddressColumnHidden && pAddr != nullptr)
        ListWindowTable()->ShowColumn(static_cast<int>(pAddr->ListId()), 0);
    CRect rect;
    pNew->GetWindowRect(&rect);
    if (t.bEdgeDocked || rect.Width() < kUndockedWidth) {
        pNew->SetWindowPos(nullptr, 0, 0, kUndockedWidth, rect.Height(),
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        pNew->RecalcLayout();
    }
    if (pAddr != nullptr)
        pNew->SetActiveView(pAddr, TRUE);
    else if (pSource != nullptr)
        pNew->SetActiveView(pSource, TRUE);
    if (pSource != nullptr)
        pSource->Invalidate();
    if (pAddr != nullptr)
        pAddr->Invalidate();
    ResendViewIcon(pNew);
    t.pCoreScope.reset();
}

void CAsmFamilySteps::Undo(CFrameWnd* pOld) {
    if (!m_pTaken)
        return;
    OnAsmFrame(pOld, [&](auto& f) { f.AdoptSplitter(std::move(m_pTaken->pSplitter)); });
    m_pTaken->pCoreScope.reset();
}

void CAsmFamilySteps::CloseDocked(CFrameWnd* pDocked) {
    if (auto* pFrame = DYNAMIC_DOWNCAST(CDocAsmFrame, pDocked))
        pFrame->CloseFrame();
    else
        CFrameFamilySteps::CloseDocked(pDocked);
}
