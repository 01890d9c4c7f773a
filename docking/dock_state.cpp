// SECDockState: capture from a frame, the profile, tree and archive forms, and applying a
// loaded layout to a frame.
#include "docking/dock_state.h"

#include "docking/bar_manager.h"
#include "docking/dialog_bar.h"
#include "docking/dock_bar.h"
#include "docking/frame_docking.h"
#include "docking/mdi_frame.h"
#include "docking/mini_dock_frame.h"
#include "docking/sdi_frame.h"
#include "docking/status_bar.h"
#include "docking/tree_store.h"

#include <algorithm>
#include <set>
#include <vector>

IMPLEMENT_SERIAL(SECDockState, CDockState, 2)

namespace {
const DWORD kArchiveVersion = 2;

SECControlBarManager* ManagerOf(CFrameWnd* pFrame) {
    if (auto* pMDI = DYNAMIC_DOWNCAST(SECMDIFrameWnd, pFrame))
        return pMDI->GetControlBarManager();
    if (auto* pSDI = DYNAMIC_DOWNCAST(SECFrameWnd, pFrame))
        return pSDI->GetControlBarManager();
    return nullptr;
}

// A floating frame that holds a document frame's bar is not part of the layout (the bar itself
// is captured, so that the dock bars forget its place when it is dropped).
BOOL IsFrameBarHost(CControlBar* pBar) {
    if (auto* pDockBar = DYNAMIC_DOWNCAST(CDockBar, pBar)) {
        HWND hChild = ::GetWindow(pDockBar->m_hWnd, GW_CHILD);
        CWnd* pChild = hChild != NULL ? CWnd::FromHandlePermanent(hChild) : nullptr;
        return pDockBar->m_bFloating && pChild != nullptr &&
               pChild->IsKindOf(RUNTIME_CLASS(SECFrameBar));
    }
    return FALSE;
}

// A section exists when any of the values every saved bar has is there, of whatever type: a
// record whose numbers were stored as text or bytes is one damaged record (skipped by its own
// load), not the end of the list.
BOOL SectionExists(LPCTSTR lpszProfileName, int nIndex) {
    CProfileBarStore store(AfxBarSection(lpszProfileName, nIndex));
    const int kAbsentA = (int)0x80000001, kAbsentB = (int)0x80000002;
    const wchar_t kAbsentText[] = L"\x01\x02";
    CByteArray bytes;
    for (LPCTSTR key : {L"BarID", L"Visible", L"Horz", L"Floating", L"XPos", L"Style"})
        if (store.GetInt(key, kAbsentA) != kAbsentA || store.GetInt(key, kAbsentB) != kAbsentB ||
            store.GetString(key, kAbsentText) != kAbsentText || store.GetBinary(key, bytes))
            return TRUE;
    return FALSE;
}

int ClampCount(int n) {
    return n < 0 ? 0 : (n > AFX_BARINFO_MAX_ENTRIES ? AFX_BARINFO_MAX_ENTRIES : n);
}
} // namespace

SECDockState::SECDockState() = default;

SECDockState::SECDockState(SECControlBarManager* pManager) : m_pManager(pManager) {}

SECDockState::~SECDockState() {
    Clear();
}

SECControlBarInfo* SECDockState::CreateControlBarInfo() {
    return new SECControlBarInfo(m_pManager);
}

void SECDockState::MoveInfosTo(CDockState& state) {
    state.Clear();
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
        state.m_arrBarInfo.Add(m_arrBarInfo[i]);
    m_arrBarInfo.RemoveAll();
    state.SetScreenSize(m_sizeScreen);
}

// Capture.
BOOL SECDockState::CaptureFromFrame(CFrameWnd* pFrame) {
    Clear();
    if (pFrame == nullptr)
        return FALSE;
    if (m_pManager == nullptr)
        m_pManager = ManagerOf(pFrame);
    for (CControlBar* pBar : sec_docking::FrameBars(pFrame)) {
        if (pBar->m_hWnd == NULL || IsFrameBarHost(pBar))
            continue;
        if (auto* pSECBar = DYNAMIC_DOWNCAST(SECControlBar, pBar)) {
            SECControlBarInfo* pInfo = CreateControlBarInfo();
            pSECBar->GetBarInfoEx(pInfo);
            if (auto* pDockBar = DYNAMIC_DOWNCAST(SECDockBar, pSECBar->m_pDockBar))
                pInfo->m_bMDIChild = pDockBar->m_bHostedInMainWindow;
            m_arrBarInfo.Add(pInfo);
        } else if (auto* pDockBar = DYNAMIC_DOWNCAST(SECDockBar, pBar)) {
            SECControlBarInfo* pInfo = CreateControlBarInfo();
            pDockBar->GetBarInfo(pInfo);
            pInfo->m_bMDIChild = pDockBar->m_bHostedInMainWindow;
            if (pInfo->m_bMDIChild) {
                pInfo->m_pointPos = CPoint(0, 0);
                pInfo->m_wpMDIChild.length = sizeof(WINDOWPLACEMENT);
                ::GetWindowPlacement(::GetParent(pDockBar->m_hWnd), &pInfo->m_wpMDIChild);
            }
            m_arrBarInfo.Add(pInfo);
        }
    }
    m_sizeScreen = CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    return TRUE;
}

void SECDockState::DropUnsavedBars() {
    std::set<UINT> dropped;
    for (INT_PTR i = m_arrBarInfo.GetSize() - 1; i >= 0; --i) {
        SECControlBarInfo* pInfo = GetInfo(i);
        const BOOL bFrameBar = pInfo->m_pBar != nullptr && !pInfo->m_bDockBar &&
                               pInfo->m_pBar->IsKindOf(RUNTIME_CLASS(SECFrameBar));
        if (pInfo->m_nBarID == 0 || bFrameBar) {
            if (pInfo->m_nBarID != 0)
                dropped.insert(pInfo->m_nBarID);
            delete pInfo;
            m_arrBarInfo.RemoveAt(i);
        }
    }
    if (dropped.empty())
        return;
    // The dock bars forget the places of the bars that are not saved.
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        CDWordArray& ids = GetInfo(i)->m_arrBarID;
        CDWordArray kept;
        for (INT_PTR j = 0; j < ids.GetSize(); ++j) {
            const DWORD id = ids[j];
            if (id != 0 && dropped.count(LOWORD(id)) != 0)
                continue;
            if (id == 0 && kept.GetSize() > 0 && kept[kept.GetSize() - 1] == 0)
                continue; // a row emptied by the dropping
            kept.Add(id);
        }
        ids.RemoveAll();
        ids.Append(kept);
    }
}

// Profile form.
void SECDockState::SaveState(LPCTSTR lpszProfileName) {
    CDockState::SaveState(lpszProfileName);
}

void SECDockState::LoadState(LPCTSTR lpszProfileName) {
    Clear();
    CProfileBarStore summary(AfxSummarySection(lpszProfileName));
    const int nBars = ClampCount(summary.GetInt(L"Bars", 0));
    m_sizeScreen = CSize(summary.GetInt(L"ScreenCX", 0), summary.GetInt(L"ScreenCY", 0));
    // A removed section is one record lost, not the end of the list; a run of missing ones
    // means the count said more than was saved.
    const int kMissingRun = 16;
    for (int i = 0, nMissing = 0; i < nBars && nMissing < kMissingRun; ++i) {
        if (!SectionExists(lpszProfileName, i)) {
            ++nMissing;
            continue;
        }
        nMissing = 0;
        SECControlBarInfo* pInfo = CreateControlBarInfo();
        if (pInfo->LoadState(lpszProfileName, i, this))
            m_arrBarInfo.Add(pInfo);
        else
            delete pInfo; // no usable bar id: the other bars still come back
    }
    m_dwVersion = kArchiveVersion;
}

// Tree form.
BOOL SECDockState::SaveToTreeNode(SECPersistentTreeNode* pParent) {
    SECPersistentTreeNode* pNode = SECTreeChild(pParent, L"DockState", TRUE);
    if (pNode == nullptr)
        return FALSE;
    SECTreeBarStore store(pNode);
    int n = 0;
    BOOL bOK = TRUE;
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        SECControlBarInfo* pInfo = GetInfo(i);
        if (pInfo->IsDeclined())
            continue;
        CString name;
        name.Format(L"Bar-%d", n);
        SECPersistentTreeNode* pBarNode = SECTreeChild(pNode, name, TRUE);
        bOK = pInfo->SaveToTreeNode(pBarNode) && bOK;
        ++n;
    }
    store.SetInt(L"Bars", n);
    store.SetInt(L"ScreenCX", ::GetSystemMetrics(SM_CXSCREEN));
    store.SetInt(L"ScreenCY", ::GetSystemMetrics(SM_CYSCREEN));
    return bOK;
}

BOOL SECDockState::LoadFromTreeNode(SECPersistentTreeNode* pParent) {
    Clear();
    SECPersistentTreeNode* pNode = SECTreeChild(pParent, L"DockState", FALSE);
    if (pNode == nullptr)
        return FALSE;
    SECTreeBarStore store(pNode);
    const int nBars = ClampCount(store.GetInt(L"Bars", 0));
    m_sizeScreen = CSize(store.GetInt(L"ScreenCX", 0), store.GetInt(L"ScreenCY", 0));
    for (int i = 0; i < nBars; ++i) {
        CString name;
        name.Format(L"Bar-%d", i);
        SECPersistentTreeNode* pBarNode = SECTreeChild(pNode, name, FALSE);
        if (pBarNode == nullptr)
            break;
        SECControlBarInfo* pInfo = CreateControlBarInfo();
        if (pInfo->LoadFromTreeNode(pBarNode, i))
            m_arrBarInfo.Add(pInfo);
        else
            delete pInfo;
    }
    m_dwVersion = kArchiveVersion;
    return TRUE;
}

// Archive form.
void SECDockState::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << kArchiveVersion;
        ar << (SIZE)CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
        ar << (WORD)m_arrBarInfo.GetSize();
        for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
            GetInfo(i)->Serialize(ar, kArchiveVersion, m_pManager);
        return;
    }
    Clear();
    try {
        DWORD dwVersion = 0;
        ar >> dwVersion;
        if (dwVersion == 0 || dwVersion > kArchiveVersion)
            AfxThrowArchiveException(CArchiveException::badSchema);
        if (dwVersion > 1) {
            SIZE size{};
            ar >> size;
            m_sizeScreen = size;
        }
        WORD nCount = 0;
        ar >> nCount;
        for (WORD i = 0; i < nCount; ++i) {
            SECControlBarInfo* pInfo = CreateControlBarInfo();
            m_arrBarInfo.Add(pInfo);
            pInfo->Serialize(ar, dwVersion, m_pManager);
        }
        // Unusable records are dropped as in the other forms.
        for (INT_PTR i = m_arrBarInfo.GetSize() - 1; i >= 0; --i)
            if (GetInfo(i)->m_nBarID == 0 || GetInfo(i)->m_nBarID > 0xFFFF) {
                delete GetInfo(i);
                m_arrBarInfo.RemoveAt(i);
            }
        m_dwVersion = kArchiveVersion;
    } catch (...) {
        Clear(); // nothing half read is ever applied
        throw;
    }
}

// Applying.
CRuntimeClass* SECDockState::FindRuntimeClass(const CString& strClassName) {
    if (strClassName.IsEmpty())
        return nullptr;
    return CRuntimeClass::FromName((LPCWSTR)strClassName);
}

CControlBar* SECDockState::CreateBarByClassName(const CString& strClassName, CFrameWnd* pFrame,
                                                SECControlBarInfo* pInfo) {
    CRuntimeClass* pClass = FindRuntimeClass(strClassName);
    // Only bars are made by name, and never a document frame's bar (it comes back empty).
    if (pClass == nullptr || pClass->m_pfnCreateObject == nullptr || pFrame == nullptr ||
        pInfo == nullptr || pInfo->m_nBarID == 0 ||
        !pClass->IsDerivedFrom(RUNTIME_CLASS(SECControlBar)) ||
        pClass->IsDerivedFrom(RUNTIME_CLASS(SECFrameBar)) ||
        pClass->IsDerivedFrom(RUNTIME_CLASS(CDockBar)))
        return nullptr;
    std::unique_ptr<CObject> pObject(pClass->CreateObject());
    auto* pBar = DYNAMIC_DOWNCAST(SECControlBar, pObject.get());
    if (pBar == nullptr)
        return nullptr;
    const DWORD dwStyle = (pInfo->m_dwStyle != 0 ? pInfo->m_dwStyle : CBRS_TOP) & ~WS_VISIBLE;
    BOOL bCreated;
    if (auto* pDialogBar = DYNAMIC_DOWNCAST(SECDialogBar, pBar))
        bCreated = pDialogBar->Create(pFrame, pInfo->m_nResourceID, dwStyle | WS_CHILD,
                                      pInfo->m_dwExStyle, pInfo->m_nBarID);
    else
        bCreated = pBar->Create(pFrame, pInfo->m_strWindowName, dwStyle | WS_CHILD,
                                pInfo->m_dwExStyle, pInfo->m_nBarID);
    if (!bCreated) {
        if (pBar->m_hWnd != NULL)
            pBar->DestroyWindow();
        return nullptr;
    }
    pBar->SetWindowText(pInfo->m_strWindowName);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    // One owner: the frame's list when there is one, else the bar's own auto-delete.
    if (m_pCreatedBars != nullptr) {
        pBar->m_bAutoDelete = FALSE;
        m_pCreatedBars->AddTail(pObject.release());
    } else {
        pBar->m_bAutoDelete = TRUE;
        pObject.release();
    }
    return pBar;
}

namespace {
CDockBar* MakeFloatingDockBar(CFrameWnd* pFrame, SECControlBarInfo* pInfo, BOOL bMDI) {
    const DWORD dwAlign = pInfo->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT;
    CDockBar* pDockBar = nullptr;
    if (pInfo->m_bMDIChild && bMDI) {
        auto* pMDI = static_cast<SECMDIFrameWnd*>(pFrame);
        if (pMDI->m_pFloatingMDIChildClass == nullptr)
            return nullptr;
        CFrameWnd* pChild = pMDI->CreateControlBarMDIChild(dwAlign, nullptr);
        if (pChild != nullptr)
            pDockBar = DYNAMIC_DOWNCAST(CDockBar, pChild->GetDlgItem(AFX_IDW_DOCKBAR_FLOAT));
    } else if (CMiniDockFrameWnd* pMini = pFrame->CreateFloatingFrame(dwAlign)) {
        pDockBar = pMini->GetDockBar();
    }
    if (pDockBar != nullptr)
        pDockBar->m_pDockBar = nullptr;
    return pDockBar;
}
} // namespace

namespace {
const std::pair<DWORD, UINT> kSides[] = {{CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP},
                                         {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM},
                                         {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
                                         {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT}};

// The status bar, in no dock bar and docking nowhere, keeps the place its frame gives it
// (its style names the bottom, which a record's placement would otherwise take for a side).
BOOL StaysUndocked(const CControlBar* pBar) {
    return pBar->m_pDockBar == nullptr && (pBar->m_dwDockStyle & CBRS_ALIGN_ANY) == 0 &&
           pBar->IsKindOf(RUNTIME_CLASS(SECStatusBar));
}

BOOL IsDockBarID(UINT nID) {
    return nID >= AFX_IDW_DOCKBAR_TOP && nID <= AFX_IDW_DOCKBAR_FLOAT;
}

// A record is applied only to a bar of its own kind: a side's record to that side's dock bar, a
// bar's record to a bar. A forged or half-written record that named a dock bar as a bar would
// empty it (and a floating one would then be destroyed under the records that still use it).
CControlBar* FindBarOfKind(CFrameWnd* pFrame, const SECControlBarInfo* pInfo) {
    CControlBar* pBar = pFrame->GetControlBar(pInfo->m_nBarID);
    if (pBar == nullptr)
        return nullptr;
    if (!pInfo->m_bDockBar)
        return pBar->IsDockBar() ? nullptr : pBar;
    auto* pDockBar = pBar->IsDockBar() ? static_cast<CDockBar*>(pBar) : nullptr;
    return pDockBar != nullptr && !pDockBar->m_bFloating ? pDockBar : nullptr;
}
} // namespace

void SECDockState::ResolveBars(CFrameWnd* pFrame, BOOL bMDI) {
    std::set<UINT> placed; // a bar id listed by one dock bar is taken by no other
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize();) {
        SECControlBarInfo* pInfo = GetInfo(i);
        pInfo->m_pBar = nullptr;
        if (pInfo->m_bDockBar) {
            CDWordArray& ids = pInfo->m_arrBarID;
            for (INT_PTR j = ids.GetSize() - 1; j >= 0; --j)
                if (ids[j] != 0 && !(ids[j] & AFX_BARINFO_PLACEHOLDER) &&
                    placed.count(LOWORD(ids[j])))
                    ids.RemoveAt(j);
            for (INT_PTR j = 0; j < ids.GetSize(); ++j)
                if (ids[j] != 0 && !(ids[j] & AFX_BARINFO_PLACEHOLDER))
                    placed.insert(LOWORD(ids[j]));
        }
        if (pInfo->m_bDockBar && pInfo->m_bFloating) {
            pInfo->m_pBar = MakeFloatingDockBar(pFrame, pInfo, bMDI);
        } else {
            CControlBar* pBar = FindBarOfKind(pFrame, pInfo);
            if (pBar == nullptr && !pInfo->m_bDockBar && !IsDockBarID(pInfo->m_nBarID)) {
                if (m_pManager != nullptr)
                    pBar = m_pManager->CreateBar(pInfo);
                else
                    pBar = CreateBarByClassName(pInfo->m_strClassName, pFrame, pInfo);
            }
            pInfo->m_pBar = pBar;
        }
        if (pInfo->m_pBar == nullptr) {
            delete pInfo;
            m_arrBarInfo.RemoveAt(i);
            continue;
        }
        ++i;
    }
}

void SECDockState::FitFloatingToScreen() {
    const CRect work = sec_docking::WorkArea();
    const CSize screen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    const BOOL bScale = m_sizeScreen.cx > 0 && m_sizeScreen.cy > 0 && m_sizeScreen != screen;
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        SECControlBarInfo* pInfo = GetInfo(i);
        if (!(pInfo->m_bDockBar && pInfo->m_bFloating) || pInfo->m_bMDIChild)
            continue;
        CPoint& pt = pInfo->m_pointPos;
        if (bScale) {
            pt.x = MulDiv(pt.x, screen.cx, m_sizeScreen.cx);
            pt.y = MulDiv(pt.y, screen.cy, m_sizeScreen.cy);
        }
        CRect rect;
        CWnd* pMini = pInfo->m_pBar != nullptr ? pInfo->m_pBar->GetParent() : nullptr;
        if (pMini != nullptr)
            pMini->GetWindowRect(&rect);
        pt.x = sec_docking::ClampToWorkArea(pt.x, rect.Width(), work.left, work.right);
        pt.y = sec_docking::ClampToWorkArea(pt.y, rect.Height(), work.top, work.bottom);
    }
}

void SECDockState::FixDockBars() {
    FitFloatingToScreen();
    std::vector<CDockBar*> empty;
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        SECControlBarInfo* pInfo = GetInfo(i);
        CControlBar* pBar = pInfo->m_pBar;
        if (pBar == nullptr || pBar->m_hWnd == NULL)
            continue;
        if (auto* pSECBar = DYNAMIC_DOWNCAST(SECControlBar, pBar))
            if (!pBar->IsDockBar())
                pSECBar->SetExBarStyle(pSECBar->GetExBarStyle(), FALSE);
        if (!(pInfo->m_bDockBar && pInfo->m_bFloating)) {
            if (auto* pDockBar =
                    DYNAMIC_DOWNCAST(SECDockBar, pBar->IsDockBar() ? nullptr : pBar->m_pDockBar))
                pDockBar->AddInvalidBar(pBar);
            continue;
        }
        auto* pDockBar = static_cast<CDockBar*>(pBar);
        auto* pHost = DYNAMIC_DOWNCAST(CFrameWnd, pDockBar->GetParent());
        if (pHost == nullptr)
            continue;
        if (pDockBar->GetDockedCount() == 0) {
            empty.push_back(pDockBar); // every bar it was to hold is gone: no empty frame stays
            continue;
        }
        // The saved position is the floating frame's own (its window, not its client area), so
        // it is applied as it stands; a frame in the main window is placed by its placement.
        if (!pInfo->m_bMDIChild)
            pHost->SetWindowPos(NULL, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0,
                                SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (pDockBar->GetDockedVisibleCount() > 0) {
            pHost->RecalcLayout();
            pHost->ShowWindow(SW_SHOWNA);
        } else {
            pHost->ShowWindow(SW_HIDE); // made shown by its creation, it holds no shown bar
        }
    }
    // Destroyed only once every record is through: no record is left pointing at a freed host.
    for (CDockBar* pDockBar : empty) {
        for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
            if (GetInfo(i)->m_pBar == pDockBar)
                GetInfo(i)->m_pBar = nullptr;
        if (::GetWindow(pDockBar->m_hWnd, GW_CHILD) == NULL)
            pDockBar->GetParent()->DestroyWindow();
    }
}

void SECDockState::RestoreMDIChildPlacements(CFrameWnd*) {
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        SECControlBarInfo* pInfo = GetInfo(i);
        // Only a whole placement is applied: a record without one (or with a damaged one)
        // leaves the frame where its creation put it.
        if (!pInfo->m_bMDIChild || pInfo->m_pBar == nullptr || pInfo->m_pBar->m_hWnd == NULL ||
            pInfo->m_wpMDIChild.length != sizeof(WINDOWPLACEMENT))
            continue;
        CFrameWnd* pHost = pInfo->m_pBar->GetParentFrame();
        if (pHost == nullptr || pHost->m_hWnd == NULL)
            continue;
        WINDOWPLACEMENT wp = pInfo->m_wpMDIChild;
        CRect rect(wp.rcNormalPosition);
        rect.NormalizeRect();
        wp.rcNormalPosition = rect;
        auto* pDockBar = pInfo->m_pBar->IsDockBar() ? static_cast<CDockBar*>(pInfo->m_pBar)
                                                    : pInfo->m_pBar->m_pDockBar;
        if (pDockBar != nullptr && pDockBar->GetDockedVisibleCount() == 0)
            wp.showCmd = SW_HIDE; // a frame whose bars are all hidden is never shown empty
        else if (wp.showCmd != SW_SHOWMINIMIZED && wp.showCmd != SW_SHOWMAXIMIZED)
            wp.showCmd = SW_SHOWNOACTIVATE; // a load never takes the activation from the user
        pHost->SetWindowPlacement(&wp);
        // Made without its bar, the child now takes from it what a floated bar's child has from
        // the start: in a workbook, the bar's icon on its tab.
        pHost->OnUpdateFrameTitle(TRUE);
    }
}

// A bar whose own record survived while no dock bar's list names it (that list's record was
// unusable) goes back to the kind of place its record gives: floating (in the main window when
// it floated there) or docked on the side its style names. Shown or hidden as it was.
void SECDockState::PlaceUnlistedBars(CFrameWnd* pFrame, BOOL bMDI) {
    std::set<UINT> listed;
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        const SECControlBarInfo* pInfo = GetInfo(i);
        if (pInfo->m_bDockBar && pInfo->m_pBar != nullptr)
            for (INT_PTR j = 0; j < pInfo->m_arrBarID.GetSize(); ++j)
                if (!(pInfo->m_arrBarID[j] & AFX_BARINFO_PLACEHOLDER))
                    listed.insert(LOWORD(pInfo->m_arrBarID[j]));
    }
    std::vector<std::pair<HWND, const SECControlBarInfo*>> unlisted;
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        const SECControlBarInfo* pInfo = GetInfo(i);
        if (!pInfo->m_bDockBar && pInfo->m_pBar != nullptr && pInfo->m_pBar->m_hWnd != NULL &&
            listed.count(pInfo->m_nBarID) == 0)
            unlisted.emplace_back(pInfo->m_pBar->m_hWnd, pInfo);
    }
    for (const auto& [hBar, pInfo] : unlisted) {
        auto* pBar = DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(hBar));
        if (pBar == nullptr)
            continue;
        const BOOL bVisible = (pBar->GetStyle() & WS_VISIBLE) != 0;
        auto* pMDI = bMDI ? static_cast<SECMDIFrameWnd*>(pFrame) : nullptr;
        if (pInfo->m_bFloating && pInfo->m_bMDIChild && pMDI != nullptr &&
            pMDI->m_pFloatingMDIChildClass != nullptr) {
            pMDI->FloatControlBarAsMDIChild(pBar, -1, -1,
                                            pInfo->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
        } else if (pInfo->m_bFloating) {
            const CPoint at = pInfo->m_bDocking ? pInfo->m_ptMRUFloatPos : CPoint(100, 100);
            pFrame->FloatControlBar(pBar, at, pInfo->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
        } else {
            UINT nSide = 0;
            for (const auto& side : kSides)
                if (nSide == 0 && (pInfo->m_dwStyle & side.first))
                    nSide = side.second;
            const CDockBar* pNow = pBar->m_pDockBar;
            if (nSide != 0 && !StaysUndocked(pBar) &&
                (pNow == nullptr || pNow->m_bFloating || (UINT)pNow->GetDlgCtrlID() != nSide))
                pFrame->DockControlBar(pBar, nSide);
        }
        if (((pBar->GetStyle() & WS_VISIBLE) != 0) != (bVisible != 0))
            pFrame->ShowControlBar(pBar, bVisible, FALSE);
    }
}

// After a load every bar that was docked, or that a record named, is in exactly one dock bar or
// floating: a bar that no applied list took (its side's record was unusable, or it was made for
// a record that no dock bar lists) docks at its side's default place, shown or hidden as before.
void SECDockState::DockUnplacedBars(CFrameWnd* pFrame, const std::vector<HWND>& bars) {
    std::set<CDockBar*> dockBars;
    for (CControlBar* pBar : sec_docking::FrameBars(pFrame))
        if (pBar->IsDockBar() && pBar->m_hWnd != NULL)
            dockBars.insert(static_cast<CDockBar*>(pBar));
    for (HWND hBar : bars) {
        auto* pBar = DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(hBar));
        if (pBar == nullptr || pBar->IsDockBar())
            continue;
        if (StaysUndocked(pBar))
            continue;
        CDockBar* pDockBar = pBar->m_pDockBar;
        if (dockBars.count(pDockBar) != 0 && pDockBar->FindBar(pBar) >= 0)
            continue;
        pBar->m_pDockBar = nullptr;
        const BOOL bVisible = (pBar->GetStyle() & WS_VISIBLE) != 0;
        UINT nSide = 0;
        for (const auto& side : kSides)
            if (nSide == 0 && (pBar->GetBarStyle() & side.first) &&
                (pBar->m_dwDockStyle & side.first))
                nSide = side.second;
        pFrame->DockControlBar(pBar, nSide);
        if (pBar->m_pDockBar == nullptr) // a bar that allows no side still needs a place
            pFrame->DockControlBar(pBar, (UINT)AFX_IDW_DOCKBAR_TOP);
        if (((pBar->GetStyle() & WS_VISIBLE) != 0) != (bVisible != 0))
            pFrame->ShowControlBar(pBar, bVisible, FALSE);
    }
}

BOOL SECDockState::ApplyToFrame(CFrameWnd* pFrame) {
    if (pFrame == nullptr || pFrame->m_hWnd == NULL)
        return FALSE;
    if (m_pManager == nullptr)
        m_pManager = ManagerOf(pFrame);
    const BOOL bMDI = pFrame->IsKindOf(RUNTIME_CLASS(SECMDIFrameWnd));
    std::vector<HWND> bars; // handles: the apply may destroy a bar or a floating frame
    for (CControlBar* pBar : sec_docking::FrameBars(pFrame))
        if (!pBar->IsDockBar() && pBar->m_pDockBar != nullptr && pBar->m_hWnd != NULL)
            bars.push_back(pBar->m_hWnd);
    ResolveBars(pFrame, bMDI);
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        SECControlBarInfo* pInfo = GetInfo(i);
        CControlBar* pBar = pInfo->m_pBar;
        if (pBar == nullptr || pBar->m_hWnd == NULL)
            continue;
        if (!pBar->IsDockBar() && std::find(bars.begin(), bars.end(), pBar->m_hWnd) == bars.end())
            bars.push_back(pBar->m_hWnd);
        auto* pSECBar = DYNAMIC_DOWNCAST(SECControlBar, pBar);
        if (pSECBar != nullptr && !pBar->IsDockBar()) {
            if (pInfo->m_dwStyle == 0)
                pInfo->m_dwStyle = pBar->GetBarStyle(); // a record without styles keeps the bar's
            pSECBar->SetBarInfoEx(pInfo, pFrame);
        } else {
            pBar->SetBarInfo(pInfo, pFrame);
        }
    }
    PlaceUnlistedBars(pFrame, bMDI);
    DockUnplacedBars(pFrame, bars);
    FixDockBars();
    pFrame->RecalcLayout();
    if (bMDI) {
        RestoreMDIChildPlacements(pFrame);
        pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
    }
    return TRUE;
}
