#include "windows/common/multidoc.h"

#include <iterator>

#include "shell/frame/mainframe.h"
#include "windows/common/docview.h"
#include "windows/common/frame_families.h"

IMPLEMENT_DYNAMIC(CMultiDoc, SECMultiDocTemplate)

namespace {
constexpr int kFloatingSide = 4; // the dock side of a frame in a floating bar
} // namespace

void CFrameFamilySteps::CloseDocked(CFrameWnd* pDocked) {
    pDocked->DestroyWindow();
}

ISECVwDockFeedBack* CMultiDoc::QueryDockFeedBack(CObject* pObject) {
    return dynamic_cast<ISECVwDockFeedBack*>(DYNAMIC_DOWNCAST(CView, pObject));
}

bool CMultiDoc::IsOwnFrame(CFrameWnd* pFrame, bool bDocked) const {
    CRuntimeClass* pClass = bDocked ? m_pDockingFrameClass : m_pFrameClass;
    return pFrame != nullptr && pClass != nullptr && pFrame->GetSafeHwnd() != NULL &&
           pFrame->IsKindOf(pClass);
}

std::unique_ptr<CFrameFamilySteps> CMultiDoc::StepsFor(CFrameWnd* pFrame) {
    const CFrameFamily* pFamily = FrameFamilyOf(pFrame);
    return pFamily != nullptr ? pFamily->MakeSteps() : nullptr;
}

BOOL CMultiDoc::CloseDockedFrame(CFrameWnd* pDocked) {
    std::unique_ptr<CFrameFamilySteps> steps = StepsFor(pDocked);
    if (!steps)
        return FALSE;
    steps->CloseDocked(pDocked);
    return TRUE;
}

// A window docked from an MDI child and made one again gets its old size and place back, not
// the size a new MDI child gets; one that floated comes back at the size it had as its own
// window, not at the older child's. Entries of docked frames that are gone are dropped.
void CMultiDoc::KeepMdiPlace(HWND hOld, const RECT* pChildPlace, bool bFloated, CFrameWnd* pNew) {
    const auto found = m_mdiPlaces.find(hOld);
    const bool bKnown = found != m_mdiPlaces.end();
    const RECT place = bKnown ? found->second : RECT{};
    for (auto it = m_mdiPlaces.begin(); it != m_mdiPlaces.end();)
        it = ::IsWindow(it->first) ? std::next(it) : m_mdiPlaces.erase(it);
    if (pChildPlace != nullptr) {
        m_mdiPlaces[pNew->GetSafeHwnd()] = *pChildPlace;
        return;
    }
    if (!bKnown || bFloated || !pNew->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
        return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (::GetWindowPlacement(pNew->m_hWnd, &placement)) {
        placement.rcNormalPosition = place;
        placement.flags = 0;
        ::SetWindowPlacement(pNew->m_hWnd, &placement);
    }
}

// The conversion of both directions: the family is chosen before anything is touched, and a
// new frame that cannot be made leaves the old one with its place in the lists and its data.
template <class MakeFrame> CFrameWnd* CMultiDoc::Convert(CFrameWnd* pOld, MakeFrame makeFrame) {
    std::unique_ptr<CFrameFamilySteps> steps = StepsFor(pOld);
    if (!steps)
        return nullptr;
    CMainFrame* pMain = MainFrame();
    const HWND hOld = pOld->GetSafeHwnd();
    const int id = pMain != nullptr ? pMain->FindWindowId(hOld) : -1;
    if (!steps->Before(pOld))
        return nullptr;
    CWindowIdList& list = WindowIdList();
    const bool bListed = list.Contains(hOld);
    list.Remove(hOld);
    WINDOWPLACEMENT wasChild{};
    wasChild.length = sizeof(wasChild);
    const bool bFromChild = pOld->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) &&
                            ::GetWindowPlacement(hOld, &wasChild) != FALSE;
    const bool bFloated = GetDockSide(pOld) == kFloatingSide;
    CFrameWnd* pNew = makeFrame(); // the old frame is gone once this succeeds
    if (pNew == nullptr) {
        if (bListed)
            list.Add(hOld);
        steps->Undo(pOld);
        return nullptr;
    }
    KeepMdiPlace(hOld, bFromChild ? &wasChild.rcNormalPosition : nullptr, bFloated, pNew);
    steps->After(pNew);
    // The id follows the new frame in every family, host windows included: left alone it
    // would name the closed old frame, and closing or placing by id would reach nothing.
    if (id > 0 && pMain != nullptr)
        pMain->SetWindowHandle(id, pNew->GetSafeHwnd());
    list.Add(pNew->GetSafeHwnd());
    return pNew;
}

CFrameWnd* CMultiDoc::DockMDIChild(CFrameWnd* pFrame, UINT nDockBarID, const SECDockPos* pPos,
                                   const SECDockSize* pSize) {
    if (!IsOwnFrame(pFrame, false))
        return nullptr;
    return Convert(
        pFrame, [&] { return SECMultiDocTemplate::DockMDIChild(pFrame, nDockBarID, pPos, pSize); });
}

CFrameWnd* CMultiDoc::UndockToMDIChild(CFrameWnd* pDockedFrame) {
    if (!IsOwnFrame(pDockedFrame, true))
        return nullptr;
    return Convert(pDockedFrame,
                   [&] { return SECMultiDocTemplate::UndockToMDIChild(pDockedFrame); });
}

void ApplyPlacementRule(CFrameWnd* pFrame) {
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == NULL)
        return;
    // In the coordinates of the frame's own parent: the MDI client for an MDI child, the host
    // bar for a docked frame, so that the frame stays where it is.
    CRect rect;
    pFrame->GetWindowRect(&rect);
    if (HWND hParent = ::GetParent(pFrame->m_hWnd))
        ::MapWindowPoints(NULL, hParent, reinterpret_cast<POINT*>(&rect), 2);
    const UINT flags = SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW;
    pFrame->SetWindowPos(nullptr, rect.left, rect.top, rect.Width() + 1, rect.Height() + 1, flags);
    pFrame->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), flags);
}

void ResendViewIcon(CFrameWnd* pFrame) {
    auto* pView = pFrame != nullptr ? DYNAMIC_DOWNCAST(CDocView, pFrame->GetActiveView()) : nullptr;
    if (pView != nullptr)
        pView->ResendIcons(pFrame);
}
