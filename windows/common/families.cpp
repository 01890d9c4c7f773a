#include "windows/common/families.h"

#include "shell/frame/mainframe.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CMultiDoc, SECMultiDocTemplate)
IMPLEMENT_DYNCREATE(CWndFrm, SECMDIChildWnd)
IMPLEMENT_DYNCREATE(CDocWndFrm, SECDockableFrame)
IMPLEMENT_DYNCREATE(CTarvikDoc, CDocument)
IMPLEMENT_DYNCREATE(CChildFrame, SECMDIChildWnd)
IMPLEMENT_DYNCREATE(CDocChildFrame, SECDockableFrame)
IMPLEMENT_DYNCREATE(CTarvikView, CView)
IMPLEMENT_DYNCREATE(CEvalWnd, SECMDIChildWnd)
IMPLEMENT_DYNCREATE(CDocEvalWnd, SECDockableFrame)
IMPLEMENT_DYNCREATE(CEvalView, CDocView)
IMPLEMENT_DYNCREATE(CFileDoc, CDocument)
IMPLEMENT_DYNCREATE(CFileView, CView)
IMPLEMENT_DYNCREATE(CAsmFrame, SECMDIChildWnd)
IMPLEMENT_DYNCREATE(CDocAsmFrame, SECDockableFrame)
IMPLEMENT_DYNCREATE(CAsmSourceView, CDocView)

ISECVwDockFeedBack* CMultiDoc::QueryDockFeedBack(CObject* pObject) {
    return dynamic_cast<ISECVwDockFeedBack*>(DYNAMIC_DOWNCAST(CView, pObject));
}

namespace {
void MoveListEntry(HWND hWndOld, CFrameWnd* pNew) {
    if (pNew == nullptr)
        return;
    CWindowIdList& list = WindowIdList();
    if (std::find(list.Handles().begin(), list.Handles().end(), hWndOld) == list.Handles().end())
        return;
    list.Remove(hWndOld);
    list.Add(pNew->GetSafeHwnd());
}
} // namespace

bool CMultiDoc::IsOwnFrame(CFrameWnd* pFrame, bool bDocked) const {
    CRuntimeClass* pClass = bDocked ? m_pDockingFrameClass : m_pFrameClass;
    return pFrame != nullptr && pClass != nullptr && pFrame->GetSafeHwnd() != NULL &&
           pFrame->IsKindOf(pClass);
}

CFrameWnd* CMultiDoc::DockMDIChild(CFrameWnd* pFrame, UINT nDockBarID, const SECDockPos* pPos,
                                   const SECDockSize* pSize) {
    // Only this family's MDI frame turns into this family's docked frame; anything else is
    // refused before the list of open windows is touched.
    if (!IsOwnFrame(pFrame, false))
        return nullptr;
    const HWND hWndOld = pFrame->GetSafeHwnd();
    CFrameWnd* pNew = SECMultiDocTemplate::DockMDIChild(pFrame, nDockBarID, pPos, pSize);
    MoveListEntry(hWndOld, pNew);
    return pNew;
}

CFrameWnd* CMultiDoc::UndockToMDIChild(CFrameWnd* pDockedFrame) {
    if (!IsOwnFrame(pDockedFrame, true))
        return nullptr;
    const HWND hWndOld = pDockedFrame->GetSafeHwnd();
    CFrameWnd* pNew = SECMultiDocTemplate::UndockToMDIChild(pDockedFrame);
    MoveListEntry(hWndOld, pNew);
    return pNew;
}

namespace {
// The host's window decides about closing: the view passes the request to it.
void ForwardClose(CFrameWnd* pFrame) {
    CView* pView = pFrame->GetActiveView();
    if (pView == nullptr)
        pView = DYNAMIC_DOWNCAST(
            CView, CWnd::FromHandlePermanent(::GetDlgItem(pFrame->m_hWnd, AFX_IDW_PANE_FIRST)));
    if (pView != nullptr)
        pView->SendMessage(WM_CLOSE);
}
} // namespace

BEGIN_MESSAGE_MAP(CWndFrm, SECMDIChildWnd)
ON_WM_CLOSE()
END_MESSAGE_MAP()

void CWndFrm::OnClose() {
    ForwardClose(this);
}

BEGIN_MESSAGE_MAP(CDocWndFrm, SECDockableFrame)
ON_WM_CLOSE()
END_MESSAGE_MAP()

void CDocWndFrm::OnClose() {
    ForwardClose(this);
}
