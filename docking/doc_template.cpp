// SECMultiDocTemplate: the two forms of a document's frame and the conversions between them.
#include "docking/doc_template.h"

#include "docking/control_bar.h"
#include "docking/dialog_bar.h"
#include "docking/dockable_frame.h"
#include "docking/mdi_child_wnd.h"
#include "docking/mdi_frame.h"
#include "framework/docview/document.h"
#include "framework/docview/mdichild.h"
#include "framework/docview/view.h"
#include "framework/win/resources.h"
#include "framework/win/winapp.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(SECMultiDocTemplate, CMultiDocTemplate)

namespace {

// Puts a template field back however the scope is left.
template <class T> class Restore {
public:
    Restore(T& ref, T value) : m_ref(ref), m_old(ref) { m_ref = value; }
    ~Restore() { m_ref = m_old; }
    Restore(const Restore&) = delete;
    Restore& operator=(const Restore&) = delete;

private:
    T& m_ref;
    T m_old;
};

SECMDIFrameWnd* DockingMainFrame() {
    return DYNAMIC_DOWNCAST(SECMDIFrameWnd, AfxGetMainWnd());
}

bool IsSideDockBar(UINT nID) {
    return nID >= AFX_IDW_DOCKBAR_TOP && nID <= AFX_IDW_DOCKBAR_BOTTOM;
}

DWORD AlignmentOf(UINT nDockBarID) {
    switch (nDockBarID) {
    case AFX_IDW_DOCKBAR_TOP:
        return 0x2800;
    case AFX_IDW_DOCKBAR_LEFT:
        return 0x1400;
    case AFX_IDW_DOCKBAR_RIGHT:
        return 0x4100;
    case AFX_IDW_DOCKBAR_BOTTOM:
        return 0x8200;
    default:
        return 0;
    }
}

// The frames showing a document, each once.
std::vector<CFrameWnd*> FramesOf(CDocument* pDoc) {
    std::vector<CFrameWnd*> frames;
    POSITION pos = pDoc->GetFirstViewPosition();
    while (pos != NULL) {
        CView* pView = pDoc->GetNextView(pos);
        CFrameWnd* pFrame = pView != NULL ? pView->GetParentFrame() : NULL;
        if (pFrame != NULL && std::find(frames.begin(), frames.end(), pFrame) == frames.end())
            frames.push_back(pFrame);
    }
    return frames;
}

CFrameWnd* FirstViewFrame(CDocument* pDoc) {
    POSITION pos = pDoc != NULL ? pDoc->GetFirstViewPosition() : NULL;
    CView* pView = pos != NULL ? pDoc->GetNextView(pos) : NULL;
    return pView != NULL ? pView->GetParentFrame() : NULL;
}

// A bar id that no bar of pMain holds, from 256 on; 0 when all are taken.
UINT FreeBarID(CFrameWnd* pMain, UINT nWanted) {
    if (nWanted > 0 && nWanted < AFX_IDW_CONTROLBAR_FIRST && pMain->GetControlBar(nWanted) == NULL)
        return nWanted;
    for (UINT nID = 256; nID < AFX_IDW_CONTROLBAR_FIRST; ++nID)
        if (pMain->GetControlBar(nID) == NULL)
            return nID;
    return 0;
}

} // namespace

SECMultiDocTemplate::SECMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                         CRuntimeClass* pMDIFrameClass, CRuntimeClass* pViewClass,
                                         UINT nIDDockedResource, CRuntimeClass* pDockingFrameClass,
                                         CRuntimeClass* pBarClass, DWORD dwOptions)
    : CMultiDocTemplate(nIDResource, pDocClass,
                        pMDIFrameClass != NULL ? pMDIFrameClass : RUNTIME_CLASS(SECMDIChildWnd),
                        pViewClass),
      m_pDockingFrameClass(pDockingFrameClass != NULL ? pDockingFrameClass
                                                      : RUNTIME_CLASS(SECDockableFrame)),
      m_pBarClass(pBarClass != NULL ? pBarClass : RUNTIME_CLASS(SECFrameBar)),
      m_nIDDockedResource(nIDDockedResource != 0 ? nIDDockedResource : nIDResource),
      m_dwMDIChildOptions(dwOptions == (DWORD)-1 ? (DWORD)optDefault : dwOptions),
      m_dwDockedFrameOptions(m_dwMDIChildOptions) {
    LoadTemplate();
}

SECMultiDocTemplate::~SECMultiDocTemplate() {
    if (m_hMenuDocked != NULL)
        ::DestroyMenu(m_hMenuDocked);
    while (!m_dockedFrames.IsEmpty()) {
        HWND hWnd = m_dockedFrames.RemoveHead();
        if (::IsWindow(hWnd))
            if (CWnd* pFrame = CWnd::FromHandlePermanent(hWnd))
                pFrame->DestroyWindow();
    }
}

void SECMultiDocTemplate::LoadTemplate() {
    CMultiDocTemplate::LoadTemplate();
    if (m_nIDDockedResource != 0 && m_hMenuDocked == NULL) {
        m_hMenuDocked = AfxLoadMenu(MAKEINTRESOURCE(m_nIDDockedResource));
        m_hAccelDocked = AfxLoadAccelerators(MAKEINTRESOURCE(m_nIDDockedResource));
    }
}

CFrameWnd* SECMultiDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
    return CreateNewFrameEx(pDoc, pOther, m_bCreateDocked, m_nDockBarInCreation);
}

CFrameWnd* SECMultiDocTemplate::CreateNewFrameEx(CDocument* pDoc, CFrameWnd* pOther, BOOL bDocked,
                                                 UINT nDockBarID) {
    // Both fields hold only for this creation (and the creations it makes).
    Restore<BOOL> docked(m_bCreateDocked, FALSE);
    Restore<UINT> dockBar(m_nDockBarInCreation, 0);
    if (!bDocked)
        return CMultiDocTemplate::CreateNewFrame(pDoc, pOther);
    CFrameWnd* pFrame =
        OpenDocumentDocked(pDoc, pOther, nDockBarID, m_bPendingPlace ? &m_pendingPos : NULL,
                           m_bPendingPlace ? &m_pendingSize : NULL);
    if (pFrame != NULL)
        ActivateDocumentFrame(FirstViewFrame(pDoc) != NULL ? FirstViewFrame(pDoc) : pFrame);
    return pFrame;
}

CDocument* SECMultiDocTemplate::OpenDocumentFileEx(LPCTSTR lpszPathName, BOOL bMakeVisible,
                                                   BOOL bDocked, UINT nDockBarID) {
    if (IsSideDockBar(m_nDockBarForCreation))
        m_nDockBarForCreation = 0;
    if (!bDocked) {
        CDocument* pDoc = CMultiDocTemplate::OpenDocumentFile(lpszPathName, bMakeVisible);
        if (CFrameWnd* pFrame = FirstViewFrame(pDoc))
            SetFrameCaptionButtons(pFrame, m_dwMDIChildOptions);
        return pDoc;
    }
    // The main frame chooses the place unless a side is asked for.
    UINT nID = 0;
    m_pendingPos = SECDockPos{};
    m_pendingSize = SECDockSize{};
    if (SECMDIFrameWnd* pMain = DockingMainFrame())
        pMain->GetNextDockingPosition(nID, m_pendingPos, m_pendingSize);
    if (IsSideDockBar(nDockBarID))
        nID = nDockBarID;
    // The framework's opening makes the frame through CreateNewFrame, docked here: the document
    // is opened (or made) in it, and deleted again with it on failure.
    Restore<BOOL> docked(m_bCreateDocked, TRUE);
    Restore<UINT> dockBar(m_nDockBarInCreation, nID);
    Restore<BOOL> place(m_bPendingPlace, TRUE);
    return CMultiDocTemplate::OpenDocumentFile(lpszPathName, bMakeVisible);
}

BOOL SECMultiDocTemplate::ToggleDocking(CFrameWnd* pFrame) {
    if (pFrame == NULL)
        return FALSE;
    if (IsDockedFrame(pFrame))
        return UndockToMDIChild(pFrame) != NULL;
    return DockMDIChildDefault(pFrame) != NULL;
}

CFrameWnd* SECMultiDocTemplate::OpenDocumentDocked(CDocument* pDoc, CFrameWnd* pOther,
                                                   UINT nDockBarID, const SECDockPos* pPos,
                                                   const SECDockSize* pSize) {
    SECMDIFrameWnd* pMain = DockingMainFrame();
    if (pDoc == NULL || pMain == NULL || pMain->GetSafeHwnd() == NULL)
        return NULL;
    Restore<UINT> resource(m_nIDResource, m_nIDDockedResource);
    CCreateContext context;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    context.m_pCurrentFrame = pOther;
    context.m_pLastView = pOther != NULL ? pOther->GetActiveView() : NULL;

    SECDockPos pos = {};
    SECDockSize size;
    UINT nID = nDockBarID;
    if (nID == 0 || pPos == NULL || pSize == NULL) {
        UINT nChosen = 0;
        pMain->GetNextDockingPosition(nChosen, pos, size);
        if (nID == 0)
            nID = nChosen;
    }
    if (pPos != NULL)
        pos = *pPos;
    if (pSize != NULL)
        size = *pSize;
    const UINT nBarID = FreeBarID(pMain, m_nDockBarForCreation);
    if (nBarID == 0)
        return NULL;

    CRuntimeClass* pBarClass = m_pBarClass != NULL ? m_pBarClass : RUNTIME_CLASS(SECControlBar);
    CObject* pObject = pBarClass->CreateObject();
    if (pObject == NULL)
        return NULL;
    if (!pObject->IsKindOf(RUNTIME_CLASS(SECControlBar))) {
        delete pObject;
        return NULL;
    }
    auto* pBar = static_cast<SECControlBar*>(pObject);
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_SIZE_DYNAMIC | AlignmentOf(nID);
    if (!pBar->CreateEx(NULL, pDoc->GetTitle(), nBarID, dwStyle, 0x40, CRect(0, 0, 0, 0), pMain)) {
        if (pBar->GetSafeHwnd() != NULL)
            pBar->DestroyWindow(); // deletes itself once it has a window
        else
            delete pBar;
        return NULL;
    }
    pBar->m_bAutoDelete = TRUE;
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    pMain->DockControlBarSized(pBar, &pos, nID, &size);

    CObject* pFrameObject =
        m_pDockingFrameClass != NULL ? m_pDockingFrameClass->CreateObject() : NULL;
    CFrameWnd* pFrame = NULL;
    if (pFrameObject != NULL && pFrameObject->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        pFrame = static_cast<CFrameWnd*>(pFrameObject);
    else
        delete pFrameObject;
    // A frame that fails to load has deleted itself; its bar goes with it.
    if (pFrame == NULL ||
        !pFrame->LoadFrame(m_nIDResource, WS_CHILD | WS_CAPTION | WS_SYSMENU | FWS_ADDTOTITLE, pBar,
                           &context)) {
        pBar->DestroyWindow();
        pMain->RecalcLayout(TRUE);
        return NULL;
    }
    RegisterDockedFrame(pFrame);
    SetFrameCaptionButtons(pFrame, m_dwDockedFrameOptions);
    pMain->RecalcLayout(TRUE);
    return pFrame;
}

BOOL SECMultiDocTemplate::IsDockedFrame(CFrameWnd* pFrame) const {
    return pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(SECDockableFrame));
}

int SECMultiDocTemplate::GetDockSide(CFrameWnd* pFrame) const {
    if (!IsDockedFrame(pFrame) || pFrame->GetSafeHwnd() == NULL)
        return -1;
    auto* pBar = DYNAMIC_DOWNCAST(CControlBar, pFrame->GetParent());
    if (pBar == NULL)
        return -1;
    if (pBar->IsFloating())
        return 4;
    CWnd* pDockBar = pBar->GetParent();
    if (pDockBar == NULL || !pDockBar->IsKindOf(RUNTIME_CLASS(CDockBar)))
        return -1;
    switch (pDockBar->GetDlgCtrlID()) {
    case AFX_IDW_DOCKBAR_TOP:
        return 0;
    case AFX_IDW_DOCKBAR_LEFT:
        return 1;
    case AFX_IDW_DOCKBAR_BOTTOM:
        return 2;
    case AFX_IDW_DOCKBAR_RIGHT:
        return 3;
    default:
        return -1;
    }
}

CFrameWnd* SECMultiDocTemplate::DockMDIChild(CFrameWnd* pFrame, UINT nDockBarID,
                                             const SECDockPos* pPos, const SECDockSize* pSize) {
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL || IsDockedFrame(pFrame))
        return NULL;
    CDocument* pDoc = pFrame->GetActiveDocument();
    SECMDIFrameWnd* pMain = DockingMainFrame();
    if (pDoc == NULL || pMain == NULL)
        return NULL;
    SECDockSize size;
    SECDockPos pos = {0, 0, 0};
    UINT nID = nDockBarID;
    if (nID == 0)
        pMain->GetNextDockingPosition(nID, pos, size);
    else if (nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_LEFT)
        pos = SECDockPos{1, 0, 3};
    else if (nID == AFX_IDW_DOCKBAR_RIGHT || nID == AFX_IDW_DOCKBAR_BOTTOM)
        pos = SECDockPos{0, 0, 4};
    if (pPos != NULL)
        pos = *pPos;
    if (pSize != NULL)
        size = *pSize;
    CFrameWnd* pDocked = NULL;
    {
        // The docked frame is made without a view: the child's views move into it.
        Restore<CRuntimeClass*> viewClass(m_pViewClass, nullptr);
        pDocked = OpenDocumentDocked(pDoc, NULL, nID, &pos, &size);
    }
    if (pDocked == NULL)
        return NULL;
    HandOverViews(pFrame, pDocked, true);
    return pDocked;
}

CFrameWnd* SECMultiDocTemplate::UndockToMDIChild(CFrameWnd* pDockedFrame) {
    if (!IsDockedFrame(pDockedFrame) || pDockedFrame->GetSafeHwnd() == NULL)
        return NULL;
    CDocument* pDoc = pDockedFrame->GetActiveDocument();
    if (pDoc == NULL)
        return NULL;
    CFrameWnd* pChild = NULL;
    {
        Restore<CRuntimeClass*> viewClass(m_pViewClass, nullptr);
        Restore<BOOL> docked(m_bCreateDocked, FALSE);
        pChild = CreateNewFrame(pDoc, NULL);
    }
    if (pChild == NULL)
        return NULL;
    SetFrameCaptionButtons(pChild, m_dwMDIChildOptions);
    HandOverViews(pDockedFrame, pChild, false);
    pChild->SendMessage(WM_SIZE, 0, 0);
    pChild->RecalcLayout();
    return pChild;
}

// Views, window number and activation go from one form to the other; the old frame goes.
void SECMultiDocTemplate::HandOverViews(CFrameWnd* pFrom, CFrameWnd* pTo, bool bDocking) {
    CView* pView = pFrom->GetActiveView();
    ISECVwDockFeedBack* pFeedBack = pView != NULL ? QueryDockFeedBack(pView) : NULL;
    pTo->m_nWindow = pFrom->m_nWindow;
    MoveFrameChildren(pFrom, pTo);
    if (pFeedBack != NULL) {
        if (bDocking)
            pFeedBack->OnBeforeDocking(pFrom, pTo);
        else
            pFeedBack->OnBeforeUndocking(pFrom, pTo);
    }
    // The old frame must not name a view it no longer holds while it goes.
    pFrom->SetActiveView(NULL, FALSE);
    CloseDocumentFrame(pFrom);
    if (pTo->GetActiveView() == NULL) {
        CView* pFirst = pView;
        for (CWnd* pChild = pTo->GetWindow(GW_CHILD); pFirst == NULL && pChild != NULL;
             pChild = pChild->GetWindow(GW_HWNDNEXT))
            pFirst = AfxViewOf(pChild);
        if (pFirst != NULL)
            pTo->SetActiveView(pFirst, FALSE);
    }
    pTo->RecalcLayout();
    ActivateDocumentFrame(pTo);
    if (pFeedBack != NULL) {
        if (bDocking)
            pFeedBack->OnAfterDocking(pTo);
        else
            pFeedBack->OnAfterUndocking(pTo);
    }
}

void SECMultiDocTemplate::MoveFrameChildren(CFrameWnd* pOldFrame, CFrameWnd* pNewFrame) {
    if (pOldFrame == NULL || pNewFrame == NULL || pNewFrame->GetSafeHwnd() == NULL)
        return;
    std::vector<HWND> children;
    for (HWND hChild = ::GetWindow(pOldFrame->m_hWnd, GW_CHILD); hChild != NULL;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        children.push_back(hChild);
    for (HWND hChild : children) {
        CWnd* pChild = CWnd::FromHandle(hChild);
        if (AfxViewOf(pChild) != NULL && (pChild->GetExStyle() & WS_EX_CLIENTEDGE))
            pNewFrame->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
        ::SetParent(hChild, pNewFrame->m_hWnd);
    }
}

BOOL SECMultiDocTemplate::ActivateDocumentFrame(CFrameWnd* pFrame) {
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
        return FALSE;
    pFrame->SendMessage(WM_ACTIVATE, WA_ACTIVE, 0);
    int nCmdShow = -1;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pFrame == AfxGetMainWnd()) {
        nCmdShow = pApp->m_nCmdShow;
        pApp->m_nCmdShow = -1;
    }
    pFrame->ActivateFrame(nCmdShow);
    pFrame->OnUpdateFrameTitle(TRUE);
    return TRUE;
}

void SECMultiDocTemplate::SetFrameCaptionButtons(CFrameWnd* pFrame, DWORD dwOptions) {
    if (auto* pDocked = DYNAMIC_DOWNCAST(SECDockableFrame, pFrame))
        pDocked->EnableCaptionButtons(dwOptions);
    else if (auto* pChild = DYNAMIC_DOWNCAST(SECMDIChildWnd, pFrame))
        pChild->EnableCaptionButtons(dwOptions);
}

void SECMultiDocTemplate::SetCaptionButtonOption(BOOL bOn, BOOL bRefresh) {
    if (!IsCaptionButtonOn() == !bOn)
        return;
    if (bOn)
        ModifyOptions(optNoButton, optOn, bRefresh);
    else
        ModifyOptions(0, optNoButton, bRefresh);
}

// The right double-click and the context menu exclude each other.
void SECMultiDocTemplate::SetDblClickOption(BOOL bOn, BOOL bRefresh) {
    if (!IsDblClickOn() == !bOn)
        return;
    if (bOn)
        ModifyOptions(optNoDblClick, optOn | optNoContextMenu, bRefresh);
    else
        ModifyOptions(0, optNoDblClick, bRefresh);
}

void SECMultiDocTemplate::SetContextMenuOption(BOOL bOn, BOOL bRefresh) {
    if (!IsContextMenuOn() == !bOn)
        return;
    if (bOn)
        ModifyOptions(optNoContextMenu, optOn | optNoDblClick, bRefresh);
    else
        ModifyOptions(0, optNoContextMenu, bRefresh);
}

void SECMultiDocTemplate::ModifyOptions(DWORD dwRemove, DWORD dwAdd, BOOL bRefresh) {
    const DWORD dwOldChild = m_dwMDIChildOptions;
    const DWORD dwOldDocked = m_dwDockedFrameOptions;
    m_dwMDIChildOptions = (m_dwMDIChildOptions & ~dwRemove) | dwAdd;
    m_dwDockedFrameOptions = (m_dwDockedFrameOptions & ~dwRemove) | dwAdd;
    if (bRefresh && (dwOldChild != m_dwMDIChildOptions || dwOldDocked != m_dwDockedFrameOptions))
        RefreshFrames();
}

void SECMultiDocTemplate::RefreshFrames() {
    bool bMaximized = false;
    POSITION pos = GetFirstDocPosition();
    while (pos != NULL) {
        CDocument* pDoc = GetNextDoc(pos);
        for (CFrameWnd* pFrame : FramesOf(pDoc)) {
            if (pFrame->IsKindOf(RUNTIME_CLASS(SECDockableFrame)))
                SetFrameCaptionButtons(pFrame, m_dwDockedFrameOptions);
            else if (pFrame->IsKindOf(RUNTIME_CLASS(SECMDIChildWnd)))
                SetFrameCaptionButtons(pFrame, m_dwMDIChildOptions);
            if (pFrame->GetSafeHwnd() == NULL)
                continue;
            pFrame->SetWindowPos(NULL, 0, 0, 0, 0,
                                 SWP_FRAMECHANGED | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
            bMaximized = bMaximized || pFrame->IsZoomed();
        }
    }
    CWnd* pMain = AfxGetMainWnd();
    if (bMaximized && pMain != NULL && pMain->GetSafeHwnd() != NULL)
        ::DrawMenuBar(pMain->m_hWnd);
}

ISECVwDockFeedBack* SECMultiDocTemplate::QueryDockFeedBack(CObject* pObject) {
    return dynamic_cast<ISECVwDockFeedBack*>(pObject);
}

void SECMultiDocTemplate::RegisterDockedFrame(CFrameWnd* pFrame) {
    if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL &&
        m_dockedFrames.Find(pFrame->m_hWnd) == NULL)
        m_dockedFrames.AddTail(pFrame->m_hWnd);
}

void SECMultiDocTemplate::CloseDocumentFrame(CFrameWnd* pFrame) {
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
        return;
    // Forget frames that have gone.
    for (POSITION pos = m_dockedFrames.GetHeadPosition(); pos != NULL;) {
        const POSITION here = pos;
        if (!::IsWindow(m_dockedFrames.GetNext(pos)))
            m_dockedFrames.RemoveAt(here);
    }
    if (m_bKeepDockedFrames && m_dockedFrames.Find(pFrame->m_hWnd) != NULL) {
        pFrame->ShowWindow(SW_HIDE);
        pFrame->SetActiveView(NULL, FALSE);
        return;
    }
    pFrame->DestroyWindow();
}
