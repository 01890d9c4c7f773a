#include "windows/source/src_frames.h"

#include "shell/app/tarvikapp.h"
#include "shell/frame/mainframe.h"
#include "shell/hostlink.h"
#include "windows/common/families.h"
#include "windows/source/line_view.h"
#include "windows/source/line_wnd.h"
#include "windows/source/src_view.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CChildFrame, SECMDIChildWnd)
IMPLEMENT_DYNCREATE(CDocChildFrame, SECDockableFrame)

namespace {
constexpr UINT kSourceIcon = 146;
constexpr UINT kEmptyDocumentMessage = 61700;
constexpr UINT kCloseRequest = 5;
constexpr uint32_t kCloseFlags = 0x800;
constexpr uint32_t kDocumentKeyFlag = 0x200;
// A pane never gets less width than this, however narrow the frame.
constexpr int kMinPaneWidth = 1;
// The id the old splitter takes while its successor is built beside it.
constexpr UINT kRetiredSplitterId = AFX_IDW_PANE_LAST;

uint32_t MainColumnOptions() {
    CMainFrame* pMain = MainFrame();
    return pMain != nullptr ? pMain->GetColumnOptions() : 0;
}
} // namespace

template <class Base>
BOOL CSourceFrame<Base>::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) {
    if (HICON hIcon = static_cast<HICON>(::LoadImageW(
            AfxGetResourceHandle(), MAKEINTRESOURCEW(kSourceIcon), IMAGE_ICON, 16, 16, LR_SHARED)))
        this->SetIcon(hIcon, FALSE);
    // A frame made for a window that changes form gets its panes from the old frame.
    if (pContext == nullptr || pContext->m_pNewViewClass == nullptr)
        return TRUE;
    return ShowLineColumns(lpcs->cx, lpcs->cy, pContext);
}

template <class Base>
BOOL CSourceFrame<Base>::BuildPanes(CSplitter& splitter, int cx, int cy, CCreateContext* pContext) {
    const uint32_t options = m_columnOptions;
    int n = 1;
    splitter.SetLineNumberColumn((options & kLineNumberColumn) ? 1 : 0);
    splitter.SetCoverageColumn((options & kCoverageColumn) ? 1 : 0);
    n += splitter.HasLineNumberColumn() ? 1 : 0;
    n += splitter.HasCoverageColumn() ? 1 : 0;
    if (!splitter.CreateStatic(this, 1, n, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    const int height = std::max(cy, 0);
    if (splitter.HasCoverageColumn()) {
        m_columnOptions = kCoverageColumn;
        if (!splitter.CreateView(0, 0, RUNTIME_CLASS(CLineWnd), CSize(kColumnPaneWidth, height),
                                 pContext))
            return FALSE;
    }
    const int sourceWidth = std::max(kMinPaneWidth, cx - n * kColumnPaneWidth);
    if (!splitter.CreateView(0, n - 1, RUNTIME_CLASS(CLineView), CSize(sourceWidth, height),
                             pContext))
        return FALSE;
    if (splitter.HasLineNumberColumn()) {
        m_columnOptions = kLineNumberColumn;
        if (!splitter.CreateView(0, n - 2, RUNTIME_CLASS(CLineWnd), CSize(kColumnPaneWidth, height),
                                 pContext))
            return FALSE;
    }
    return TRUE;
}

template <class Base>
BOOL CSourceFrame<Base>::ShowLineColumns(int cx, int cy, CCreateContext* pContext) {
    const uint32_t word = MainColumnOptions();
    m_columnOptions = (word & kColumnsGiven) ? word : (kColumnsGiven | kLineNumberColumn);
    auto splitter = std::make_unique<CSplitter>();
    const BOOL bBuilt = BuildPanes(*splitter, cx, cy, pContext);
    m_columnOptions = word;
    if (!bBuilt) {
        // The half-built row goes with its window; its panes delete themselves.
        if (splitter->GetSafeHwnd() != NULL)
            splitter->DestroyWindow();
        return FALSE;
    }
    m_pSplitter = std::move(splitter);
    if (CLineWnd* pLines = LineNumberPane()) {
        CTarvikView* pView = SourceView();
        SECEditModel* pModel = pView != nullptr ? pView->GetEditModel() : nullptr;
        pLines->SetLineCount(pModel != nullptr ? pModel->GetLineCount() : 0);
        pLines->SetHeaderText(L"Line");
    }
    return TRUE;
}

// The panes are rebuilt over the frame's own document: a second document for the same path
// would be found by path in place of the shown one, and the old one would stay without views.
// The old row stays until the new one stands, so that a failure leaves the frame working.
template <class Base> BOOL CSourceFrame<Base>::RelayoutColumns(LPCTSTR lpszPath) {
    CTarvikView* pOldView = SourceView();
    CDocument* pDoc = pOldView != nullptr ? pOldView->GetDocument() : nullptr;
    CDocTemplate* pTemplate = pDoc != nullptr ? pDoc->GetDocTemplate() : nullptr;
    if (pTemplate == nullptr)
        pTemplate = TarvikApp() != nullptr ? TarvikApp()->SourceTemplate() : nullptr;
    // On a failure the frame shows what it showed: a document made here closes again, and the
    // frame's own document reads its old file back.
    bool bCreatedHere = false;
    CString oldPath;
    auto undoDocument = [&] {
        if (bCreatedHere)
            pDoc->OnCloseDocument();
        else if (!oldPath.IsEmpty() && pDoc->OnOpenDocument(oldPath))
            pDoc->SetPathName(oldPath);
    };
    if (pDoc != nullptr && lpszPath != nullptr && *lpszPath != 0 &&
        pDoc->GetPathName().CompareNoCase(lpszPath) != 0) {
        // Another file: the same document takes it.
        oldPath = pDoc->GetPathName();
        if (!pDoc->OnOpenDocument(lpszPath)) {
            undoDocument();
            return FALSE;
        }
        pDoc->SetPathName(lpszPath);
    }
    if (pDoc == nullptr) {
        pDoc = pTemplate != nullptr ? pTemplate->CreateNewDocument() : nullptr;
        if (pDoc == nullptr) {
            AfxMessageBox(kEmptyDocumentMessage);
            return FALSE;
        }
        bCreatedHere = true;
        if (lpszPath == nullptr || !pDoc->OnOpenDocument(lpszPath)) {
            undoDocument();
            return FALSE;
        }
        pDoc->SetPathName(lpszPath);
    }
    std::unique_ptr<CSplitter> pOld = std::move(m_pSplitter);
    if (pOld && pOld->GetSafeHwnd() != NULL)
        pOld->SetDlgCtrlID(kRetiredSplitterId);
    // The document stays while its old views go: it must not close with its last view.
    const BOOL bAutoDelete = pDoc->m_bAutoDelete;
    pDoc->m_bAutoDelete = FALSE;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CTarvikView);
    context.m_pCurrentDoc = pDoc;
    context.m_pNewDocTemplate = pTemplate;
    CRect client;
    this->GetClientRect(&client);
    const BOOL bShown = ShowLineColumns(client.Width(), client.Height(), &context);
    if (!bShown) {
        m_pSplitter = std::move(pOld);
        if (m_pSplitter && m_pSplitter->GetSafeHwnd() != NULL)
            m_pSplitter->SetDlgCtrlID(AFX_IDW_PANE_FIRST);
        pDoc->m_bAutoDelete = bAutoDelete;
        undoDocument();
        return FALSE;
    }
    this->SetActiveView(SourceView(), FALSE);
    pOld.reset(); // the old row and its views go; the document keeps the new ones
    pDoc->m_bAutoDelete = bAutoDelete;
    if (pTemplate != nullptr)
        pTemplate->InitialUpdateFrame(this, pDoc, TRUE);
    CRect rect;
    this->GetWindowRect(&rect);
    if (HWND hParent = ::GetParent(this->m_hWnd))
        ::MapWindowPoints(NULL, hParent, reinterpret_cast<POINT*>(&rect), 2);
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW;
    this->SetWindowPos(nullptr, rect.left, rect.top, rect.Width() + 1, rect.Height(), flags);
    this->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), flags);
    return bShown;
}

template <class Base> CTarvikView* CSourceFrame<Base>::SourceView() const {
    auto* pPane = m_pSplitter ? DYNAMIC_DOWNCAST(CLineView, m_pSplitter->GetSourcePane()) : nullptr;
    return pPane != nullptr ? pPane->SourceView() : nullptr;
}

template <class Base> CLineWnd* CSourceFrame<Base>::LineNumberPane() const {
    return m_pSplitter ? DYNAMIC_DOWNCAST(CLineWnd, m_pSplitter->GetLineNumberPane()) : nullptr;
}

template <class Base> CLineWnd* CSourceFrame<Base>::CoveragePane() const {
    return m_pSplitter ? DYNAMIC_DOWNCAST(CLineWnd, m_pSplitter->GetCoveragePane()) : nullptr;
}

template <class Base> BOOL CSourceFrame<Base>::OnEraseBkgnd(CDC*) {
    return TRUE;
}

template <class Base> void CSourceFrame<Base>::OnSetFocus(CWnd* pOldWnd) {
    Base::OnSetFocus(pOldWnd);
    if (m_pSplitter && m_pSplitter->GetSafeHwnd() != NULL)
        if (CWnd* pPane = m_pSplitter->GetSourcePane())
            pPane->SetFocus();
}

template <class Base>
void CSourceFrame<Base>::CloseOrAskHost(bool bCloseOnZeroTag, bool bDocumentKey) {
    CTarvikView* pView = SourceView();
    const CString module = pView != nullptr ? pView->GetModuleName() : CString();
    const int32_t tag = pView != nullptr ? static_cast<int32_t>(pView->GetUpdateTag()) : 0;
    if (module.IsEmpty() || (bCloseOnZeroTag && tag == 0) || HostTable() == nullptr) {
        Base::OnClose();
        return;
    }
    HostRequest request{};
    request.code = kCloseRequest;
    request.flags = kCloseFlags;
    if (bDocumentKey && HostTable()->major >= 1 && HostTable()->minor >= 1) {
        request.flags |= kDocumentKeyFlag;
        request.param[1] = static_cast<uint64_t>(
            static_cast<int64_t>(HostTable()->GetDocumentKey(static_cast<int>(tag))));
    }
    request.param[4] = 4;
    // The host may close this window inside the call: nothing of it is touched after.
    SendHostRequest(&request, module, 0, 2, 0, 0, 0);
}

BEGIN_TEMPLATE_MESSAGE_MAP(CSourceFrame, Base)
ON_WM_ERASEBKGND()
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

template class CSourceFrame<SECMDIChildWnd>;
template class CSourceFrame<SECDockableFrame>;

BEGIN_MESSAGE_MAP(CChildFrame, CSourceFrame<SECMDIChildWnd>)
ON_WM_CREATE()
ON_WM_CLOSE()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CDocChildFrame, CSourceFrame<SECDockableFrame>)
ON_WM_CLOSE()
END_MESSAGE_MAP()

int CChildFrame::OnCreate(LPCREATESTRUCT lpcs) {
    if (CMainFrame* pMain = MainFrame())
        pMain->PlaceNewFrame(this);
    return SECMDIChildWnd::OnCreate(lpcs) == -1 ? -1 : 0;
}

void CChildFrame::OnClose() {
    CloseOrAskHost(true, true);
}

void CDocChildFrame::OnClose() {
    CloseOrAskHost(false, false);
}

uint32_t GetSourceFrameColumnOptions(CWnd* pFrame) {
    if (auto* pChild = DYNAMIC_DOWNCAST(CChildFrame, pFrame))
        return pChild->GetColumnOptions();
    if (auto* pDocked = DYNAMIC_DOWNCAST(CDocChildFrame, pFrame))
        return pDocked->GetColumnOptions();
    return 0;
}

namespace {
template <class F>
auto OnSourceFrame(CWnd* pFrame, F f) -> decltype(f(std::declval<CChildFrame&>())) {
    if (auto* pChild = DYNAMIC_DOWNCAST(CChildFrame, pFrame))
        return f(*pChild);
    if (auto* pDocked = DYNAMIC_DOWNCAST(CDocChildFrame, pFrame))
        return f(*pDocked);
    return {};
}
} // namespace

CSplitter* SourceFrameSplitter(CWnd* pFrame) {
    return OnSourceFrame(pFrame, [](auto& f) -> CSplitter* { return f.Splitter(); });
}

CTarvikView* SourceFrameView(CWnd* pFrame) {
    return OnSourceFrame(pFrame, [](auto& f) -> CTarvikView* { return f.SourceView(); });
}

CLineWnd* SourceFrameCoverage(CWnd* pFrame) {
    return OnSourceFrame(pFrame, [](auto& f) -> CLineWnd* { return f.CoveragePane(); });
}

CLineWnd* SourceFrameLineNumbers(CWnd* pFrame) {
    return OnSourceFrame(pFrame, [](auto& f) -> CLineWnd* { return f.LineNumberPane(); });
}

bool RelayoutSourceFrame(CWnd* pFrame, LPCTSTR lpszPath) {
    return OnSourceFrame(pFrame, [&](auto& f) -> bool { return f.RelayoutColumns(lpszPath) != 0; });
}

// ---- changing form ----

// The base moves the old frame's children, the splitter with its panes and views, into the new
// frame: the views keep their host data, window id and drag-and-drop registration as they are.
// What the frame object itself holds passes here.
struct CSourceFamilySteps::Taken {
    std::unique_ptr<CSplitter> pSplitter;
    uint32_t columnOptions = 0;
    int32_t frameTag = -1;
};

namespace {
template <class F> bool OnSourceFrameDo(CWnd* pFrame, F f) {
    if (auto* pChild = DYNAMIC_DOWNCAST(CChildFrame, pFrame))
        return f(*pChild), true;
    if (auto* pDocked = DYNAMIC_DOWNCAST(CDocChildFrame, pFrame))
        return f(*pDocked), true;
    return false;
}
} // namespace

bool CSourceFamilySteps::Before(CFrameWnd* pOld) {
    m_pTaken = std::make_shared<Taken>();
    return OnSourceFrameDo(pOld, [&](auto& f) {
        m_pTaken->columnOptions = f.GetColumnOptions();
        m_pTaken->frameTag = f.GetFrameTag();
        m_pTaken->pSplitter = f.TakeSplitter();
    });
}

void CSourceFamilySteps::After(CFrameWnd* pNew) {
    if (!m_pTaken)
        return;
    OnSourceFrameDo(pNew, [&](auto& f) {
        f.SetColumnOptions(m_pTaken->columnOptions);
        f.SetFrameTag(m_pTaken->frameTag);
        f.AdoptSplitter(std::move(m_pTaken->pSplitter));
        if (CTarvikView* pView = f.SourceView()) {
            f.SetActiveView(pView, TRUE);
            pView->CWnd::Invalidate();
        }
    });
    ApplyPlacementRule(pNew);
}

void CSourceFamilySteps::Undo(CFrameWnd* pOld) {
    if (!m_pTaken)
        return;
    OnSourceFrameDo(pOld, [&](auto& f) { f.AdoptSplitter(std::move(m_pTaken->pSplitter)); });
}

void CSourceFamilySteps::CloseDocked(CFrameWnd* pDocked) {
    if (auto* pFrame = DYNAMIC_DOWNCAST(CDocChildFrame, pDocked))
        pFrame->CloseFrame();
    else
        CFrameFamilySteps::CloseDocked(pDocked);
}
