// SECToolBarManager: settings, bars of the frame, default and user bars, config mode.
#include "toolbars/toolbar_manager.h"

#include "docking/mdi_frame.h"
#include "toolbars/bmpmenu.h"
#include "toolbars/menu_bar.h"
#include "toolbars/registered_messages.h"
#include "framework/docview/dockbar.h"
#include "toolbars/settings/settings_tree.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(SECToolBarManager, SECControlBarManager)

namespace {
const wchar_t kSectionFormat[] = L"%s-ToolBarManager";
const wchar_t kToolTips[] = L"ToolTips";
const wchar_t kCoolLook[] = L"CoolLook";
const wchar_t kLargeButtons[] = L"LargeButtons";
const wchar_t kNodeName[] = L"ToolBarMgr";
const int kMaxTitle = 127;
} // namespace

SECToolBarManager::SECToolBarManager(CFrameWnd* pFrameWnd, CWnd* pOwner)
    : SECControlBarManager(pFrameWnd), m_pPressed(std::make_shared<SECPressedBtnInfo>()),
      m_pBmpMgr(new SECBmpMgr), m_pOwner(pOwner), m_pBarClass(RUNTIME_CLASS(SECCustomToolBar)) {
    // A new store is born with the manager's reference.
}

SECToolBarManager::~SECToolBarManager() {
    // The bars belong to the frame; those still alive forget this manager.
    for (SECCustomToolBar* pBar : GetToolBars())
        if (pBar->m_pManager == this)
            pBar->m_pManager = nullptr;
    m_pBmpMgr->Release();
}

std::vector<SECCustomToolBar*> SECToolBarManager::GetToolBars() const {
    std::vector<SECCustomToolBar*> bars;
    CFrameWnd* pFrame = GetFrameWnd();
    if (pFrame == nullptr)
        return bars;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
        auto* pBar = dynamic_cast<SECCustomToolBar*>(
            static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos)));
        if (pBar != nullptr && pBar->GetSafeHwnd() != NULL)
            bars.push_back(pBar);
    }
    return bars;
}

DWORD SECToolBarManager::GetBarStyle() const {
    return SEC_MANAGED_BAR_STYLE | (m_bFlyBy ? CBRS_FLYBY : 0) | (m_bToolTips ? CBRS_TOOLTIPS : 0);
}

void SECToolBarManager::ApplyImageSize(SECCustomToolBar* pBar) {
    const CSize size = m_pBmpMgr->IsSmallImages() ? m_pBmpMgr->GetSmallImageSize()
                                                  : m_pBmpMgr->GetLargeImageSize();
    pBar->RecalcButtonSizes(size.cx, size.cy);
}

BOOL SECToolBarManager::CreateManagedBar(SECCustomToolBar* pBar, UINT nID, LPCTSTR lpszTitle,
                                         BOOL bAutoDelete) {
    CFrameWnd* pFrame = GetFrameWnd();
    if (pBar == nullptr || pFrame == nullptr)
        return FALSE;
    pBar->m_bAutoDelete = bAutoDelete;
    pBar->SetManager(this);
    pBar->SetBmpMgr(m_pBmpMgr);
    if (!pBar->CreateEx(m_bCoolLook ? 0x300 : 0, pFrame, GetBarStyle(), nID, lpszTitle))
        return FALSE;
    if (m_pOwner != nullptr)
        pBar->SetOwner(m_pOwner);
    ApplyImageSize(pBar);
    return TRUE;
}

namespace {
// A new object of the class, or NULL. A window that could not be made deletes its object.
SECCustomToolBar* NewBar(CRuntimeClass* pClass) {
    CObject* pObject = pClass != nullptr ? pClass->CreateObject() : nullptr;
    auto* pBar = dynamic_cast<SECCustomToolBar*>(pObject);
    if (pBar == nullptr)
        delete pObject;
    return pBar;
}
} // namespace

DWORD SECToolBarManager::GetBarTypeId(CControlBar* pBar) {
    if (pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(SECMenuBar)))
        return SEC_BARTYPE_MENUBAR;
    if (pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(SECCustomToolBar)))
        return SEC_BARTYPE_CUSTOMTOOLBAR;
    return SECControlBarManager::GetBarTypeId(pBar);
}

SECControlBarInfoEx* SECToolBarManager::CreateBarInfo(SECControlBarInfo* pInfo) {
    if (pInfo != nullptr && (pInfo->m_dwTypeID == SEC_BARTYPE_CUSTOMTOOLBAR ||
                             pInfo->m_dwTypeID == SEC_BARTYPE_MENUBAR))
        return new SECCustomToolBarInfoEx;
    return SECControlBarManager::CreateBarInfo(pInfo);
}

SECMenuBar* SECToolBarManager::MenuBarToCreate() const {
    CFrameWnd* pFrame = GetFrameWnd();
    SECMenuBar* pMenuBar = nullptr;
    if (auto* pMDI = DYNAMIC_DOWNCAST(SECMDIFrameWnd, pFrame))
        pMenuBar = pMDI->GetMenuBar();
    else if (auto* pSDI = DYNAMIC_DOWNCAST(SECFrameWnd, pFrame))
        pMenuBar = pSDI->GetMenuBar();
    // A bar has one window: a menu bar already made is not made again.
    return pMenuBar != nullptr && pMenuBar->GetSafeHwnd() == NULL ? pMenuBar : nullptr;
}

CControlBar* SECToolBarManager::CreateBar(SECControlBarInfo* pInfo) {
    if (pInfo != nullptr && pInfo->m_dwTypeID == SEC_BARTYPE_MENUBAR) {
        SECMenuBar* pMenuBar = MenuBarToCreate();
        if (pMenuBar == nullptr || !CreateManagedBar(pMenuBar, pInfo->m_nBarID, nullptr, FALSE))
            return nullptr;
        // Its buttons are those of the menu it shows (or the menu-bar ids), never saved ones.
        pMenuBar->ResetMenu(TRUE);
        pMenuBar->EnableDocking(CBRS_ALIGN_ANY);
        return pMenuBar;
    }
    if (pInfo == nullptr || pInfo->m_dwTypeID != SEC_BARTYPE_CUSTOMTOOLBAR)
        return SECControlBarManager::CreateBar(pInfo);
    SECCustomToolBar* pBar = NewBar(m_pBarClass);
    if (pBar == nullptr)
        return nullptr;
    if (!CreateManagedBar(pBar, pInfo->m_nBarID, nullptr)) {
        delete pBar;
        return nullptr;
    }
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    return pBar;
}

void SECToolBarManager::DefineDefaultToolBar(UINT nBarID, LPCTSTR lpszTitle, int nCount,
                                             const UINT* pIDs, DWORD dwAlignment, UINT nDockBarID,
                                             UINT nNeighbourID, BOOL bDocked, BOOL bVisible) {
    std::vector<UINT> ids;
    if (pIDs != nullptr && nCount > 0)
        ids.assign(pIDs, pIDs + nCount);
    m_defaults.push_back(std::make_unique<DefaultToolBar>(
        DefaultToolBar{nBarID, lpszTitle != nullptr ? lpszTitle : L"", std::move(ids), dwAlignment,
                       nDockBarID, nNeighbourID, bDocked, bVisible}));
}

BOOL SECToolBarManager::DefineDefaultToolBar(UINT nBarID, LPCTSTR lpszTitle, UINT nToolBarResource,
                                             DWORD dwAlignment, UINT nDockBarID, UINT nNeighbourID,
                                             BOOL bDocked, BOOL bVisible) {
    std::vector<UINT> ids;
    int cx = 0, cy = 0;
    if (!SECBmpMgr::ReadToolBarResource(MAKEINTRESOURCEW(nToolBarResource), ids, cx, cy))
        return FALSE;
    DefineDefaultToolBar(nBarID, lpszTitle, static_cast<int>(ids.size()), ids.data(), dwAlignment,
                         nDockBarID, nNeighbourID, bDocked, bVisible);
    return TRUE;
}

BOOL SECToolBarManager::LoadToolBarResource(LPCTSTR lpszSmall, LPCTSTR lpszLarge) {
    return m_pBmpMgr->LoadToolBar(lpszSmall, lpszLarge, TRUE);
}

BOOL SECToolBarManager::AddToolBarBitmap(HBITMAP hSmall, HBITMAP hLarge, const UINT* pIDs,
                                         int nCount) {
    return m_pBmpMgr->AddBitmap(hSmall, hLarge, pIDs, nCount);
}

void SECToolBarManager::DelayFrameLayout() {
    if (CFrameWnd* pFrame = GetFrameWnd())
        pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
}

void SECToolBarManager::SetToolTips(BOOL bToolTips) {
    if (!bToolTips == !m_bToolTips)
        return;
    m_bToolTips = bToolTips;
    for (SECCustomToolBar* pBar : GetToolBars()) {
        const DWORD dwStyle = pBar->GetBarStyle();
        pBar->SetBarStyle(bToolTips ? (dwStyle | CBRS_TOOLTIPS) : (dwStyle & ~CBRS_TOOLTIPS));
    }
}

void SECToolBarManager::SetCoolLook(BOOL bCoolLook, DWORD dwBits) {
    if (!bCoolLook == !m_bCoolLook)
        return;
    m_bCoolLook = bCoolLook;
    for (SECCustomToolBar* pBar : GetToolBars()) {
        pBar->ModifyBarStyleEx(bCoolLook ? 0 : dwBits, bCoolLook ? dwBits : 0, FALSE);
        if (dwBits & 0x100)
            pBar->Invalidate();
    }
    DelayFrameLayout();
    // Whoever shows the settings hears of it (event 2: the look changed).
    for (HWND hWnd : std::vector<HWND>(m_notifyWnds))
        if (::IsWindow(hWnd))
            ::SendMessageW(hWnd, WM_TOOLBARSTYLECHANGING, 2, 0);
}

void SECToolBarManager::SetLargeButtons(BOOL bLarge) {
    if (!bLarge == !m_bLargeButtons)
        return;
    m_bLargeButtons = bLarge;
    ApplyButtonSettings();
}

BOOL SECToolBarManager::ApplyButtonSettings() {
    m_pBmpMgr->SetSmallImages(!m_bLargeButtons);
    bool bTouched = false;
    for (SECCustomToolBar* pBar : GetToolBars()) {
        ApplyImageSize(pBar);
        bTouched = true;
        if (pBar->IsFloating())
            if (CFrameWnd* pFloat = pBar->GetParentFrame())
                pFloat->RecalcLayout(TRUE);
    }
    if (bTouched)
        DelayFrameLayout();
    for (HWND hWnd : std::vector<HWND>(m_notifyWnds))
        if (::IsWindow(hWnd))
            ::SendMessageW(hWnd, WM_TOOLBARSTYLECHANGING, 1, 0);
    return TRUE;
}

// Bars already there are handed the manager again; a default toolbar that a saved layout left
// out (its record unusable, or written before the toolbar existed) is made again at its default
// place, so that no default toolbar is lost for good.
BOOL SECToolBarManager::RefreshToolBars() {
    std::vector<SECCustomToolBar*> bars = GetToolBars();
    if (bars.empty())
        return CreateDefaultToolBars();
    for (SECCustomToolBar* pBar : bars) {
        pBar->SetManager(this);
        pBar->SetBmpMgr(m_pBmpMgr);
        pBar->Invalidate(TRUE);
    }
    CFrameWnd* pFrame = GetFrameWnd();
    if (pFrame == nullptr)
        return TRUE;
    std::vector<const DefaultToolBar*> missing;
    for (const auto& pRec : m_defaults)
        if (pFrame->GetControlBar(pRec->nBarID) == nullptr)
            missing.push_back(pRec.get());
    for (const DefaultToolBar* pRec : missing)
        if (!CreateDefaultToolBar(*pRec))
            return FALSE;
    if (!missing.empty())
        PlaceDefaultToolBars(missing);
    return TRUE;
}

BOOL SECToolBarManager::CreateDefaultMenuBar() {
    SECMenuBar* pMenuBar = MenuBarToCreate();
    if (pMenuBar == nullptr)
        return TRUE;
    CString strTitle;
    if (!strTitle.LoadString(SEC_IDS_MENUBAR_TITLE))
        strTitle = L"Menu bar";
    if (!CreateManagedBar(pMenuBar, SEC_IDW_MENUBAR, strTitle, FALSE))
        return FALSE;
    // The menu-bar ids when the application set them, else the top-level items of the menu the
    // frame shows.
    pMenuBar->ResetMenu(TRUE);
    pMenuBar->EnableDocking(CBRS_ALIGN_ANY);
    GetFrameWnd()->DockControlBar(pMenuBar, AFX_IDW_DOCKBAR_TOP, nullptr);
    return TRUE;
}

BOOL SECToolBarManager::CreateDefaultToolBars() {
    if (GetFrameWnd() == nullptr || !CreateDefaultMenuBar())
        return FALSE;
    std::vector<const DefaultToolBar*> made;
    for (const auto& pRec : m_defaults) {
        if (!CreateDefaultToolBar(*pRec))
            return FALSE;
        made.push_back(pRec.get());
    }
    PlaceDefaultToolBars(made);
    return TRUE;
}

BOOL SECToolBarManager::CreateDefaultToolBar(const DefaultToolBar& rec) {
    CFrameWnd* pFrame = GetFrameWnd();
    SECCustomToolBar* pBar = NewBar(m_pBarClass);
    if (pFrame == nullptr || pBar == nullptr)
        return FALSE;
    if (!CreateManagedBar(pBar, rec.nBarID, rec.strTitle)) {
        delete pBar;
        return FALSE;
    }
    pBar->SetButtons(rec.ids.data(), static_cast<int>(rec.ids.size()));
    pBar->EnableDocking(rec.dwAlignment);
    const DefaultToolBar* pNeighbour = nullptr;
    if (rec.nNeighbourID != 0)
        for (const auto& pOther : m_defaults)
            if (pOther->nBarID == rec.nNeighbourID) {
                pNeighbour = pOther.get();
                break;
            }
    CControlBar* pBeside =
        pNeighbour != nullptr ? pFrame->GetControlBar(pNeighbour->nBarID) : nullptr;
    if (pBeside != nullptr && pBeside->GetSafeHwnd() != NULL && pBeside->m_pDockBar != nullptr &&
        !pBeside->IsFloating()) {
        pFrame->RecalcLayout(TRUE);
        CRect rect;
        pBeside->GetWindowRect(&rect);
        // Just past the neighbour's far edge: a dock bar puts a bar whose leading edge lies
        // before a neighbour's middle ahead of that neighbour, so one pixel past the
        // neighbour's own place would build the row backwards.
        if (rec.nDockBarID == AFX_IDW_DOCKBAR_TOP || rec.nDockBarID == AFX_IDW_DOCKBAR_BOTTOM)
            rect.OffsetRect(rect.Width() + 1, 0);
        else
            rect.OffsetRect(0, rect.Height() + 1);
        pFrame->DockControlBar(pBar, rec.nDockBarID, &rect);
    } else {
        // No neighbour docked: docked without a place.
        pFrame->DockControlBar(pBar, rec.nDockBarID, nullptr);
    }
    return TRUE;
}

void SECToolBarManager::PlaceDefaultToolBars(const std::vector<const DefaultToolBar*>& bars) {
    CFrameWnd* pFrame = GetFrameWnd();
    pFrame->RecalcLayout(TRUE);
    for (const DefaultToolBar* pRec : bars) {
        CControlBar* pBar = pFrame->GetControlBar(pRec->nBarID);
        if (pBar == nullptr)
            continue;
        if (!pRec->bVisible)
            pFrame->ShowControlBar(pBar, FALSE, FALSE);
        if (!pRec->bDocked && pBar->m_pDockContext != nullptr)
            pBar->m_pDockContext->ToggleDocking();
    }
}

SECCustomToolBar* SECToolBarManager::FindToolBar(UINT nID) {
    for (SECCustomToolBar* pBar : GetToolBars())
        if (static_cast<UINT>(pBar->GetDlgCtrlID()) == nID)
            return pBar;
    return nullptr;
}

SECCustomToolBar* SECToolBarManager::CreateUserToolBar(LPCTSTR lpszTitle) {
    std::vector<SECCustomToolBar*> bars = GetToolBars();
    UINT nID = SEC_IDW_FIRST_USERBAR;
    for (;; ++nID) {
        if (nID >= SEC_IDW_END_USERBAR)
            return nullptr;
        const bool bTaken = std::any_of(bars.begin(), bars.end(), [nID](SECCustomToolBar* p) {
            return static_cast<UINT>(p->GetDlgCtrlID()) == nID;
        });
        if (!bTaken)
            break;
    }
    SECCustomToolBar* pBar = NewBar(m_pBarClass);
    if (pBar == nullptr)
        return nullptr;
    CString strTitle;
    if (lpszTitle != nullptr && *lpszTitle != 0) {
        strTitle = lpszTitle;
    } else {
        CString strFormat;
        if (!strFormat.LoadString(SEC_IDS_USERBAR_TITLE))
            strFormat = L"ToolBar%d";
        strTitle.Format(strFormat, static_cast<int>(nID - (SEC_IDW_FIRST_USERBAR - 1)));
    }
    strTitle = strTitle.Left(kMaxTitle);
    if (!CreateManagedBar(pBar, nID, strTitle)) {
        delete pBar;
        return nullptr;
    }
    pBar->SetCustomizeMode(m_bCustomizeMode);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    return pBar;
}

SECCustomToolBar* SECToolBarManager::ToolBarFromRect(const CRect& rect) {
    struct Hit {
        SECCustomToolBar* pBar;
        HWND hFloat; // the floating frame, NULL when docked
    };
    std::vector<Hit> hits;
    for (SECCustomToolBar* pBar : GetToolBars()) {
        if (!pBar->IsWindowVisible())
            continue;
        HWND hFloat = NULL;
        CRect rcBar;
        if (pBar->IsFloating()) {
            CFrameWnd* pFloat = pBar->GetParentFrame();
            hFloat = pFloat != nullptr ? pFloat->GetSafeHwnd() : NULL;
            ::GetWindowRect(hFloat != NULL ? hFloat : pBar->m_hWnd, &rcBar);
        } else {
            pBar->GetWindowRect(&rcBar);
        }
        CRect rcMeet;
        if (rcMeet.IntersectRect(&rcBar, &rect))
            hits.push_back({pBar, hFloat});
    }
    if (hits.empty())
        return nullptr;
    if (hits.size() == 1)
        return hits[0].pBar;
    std::vector<Hit> floating;
    for (const Hit& h : hits)
        if (h.hFloat != NULL)
            floating.push_back(h);
    if (floating.size() >= 2)
        hits = floating;
    else if (floating.size() == 1)
        return floating[0].pBar; // the docked ones drop out while one floating bar stays
    for (HWND hWnd = ::GetTopWindow(NULL); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        for (const Hit& h : hits)
            if (h.hFloat == hWnd)
                return h.pBar;
    return nullptr;
}

void SECToolBarManager::EnterConfigMode() {
    if (m_bConfigMode)
        return;
    m_bConfigMode = TRUE;
    CFrameWnd* pFrame = GetFrameWnd();
    if (pFrame == nullptr)
        return;
    pFrame->EnableWindow(TRUE);
    for (HWND hChild = ::GetWindow(pFrame->m_hWnd, GW_CHILD); hChild != NULL;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CWnd* pChild = CWnd::FromHandlePermanent(hChild);
        if (pChild != nullptr && pChild->IsKindOf(RUNTIME_CLASS(CDockBar)))
            continue;
        if (::IsWindowEnabled(hChild)) {
            m_disabledWnds.push_back(hChild);
            ::EnableWindow(hChild, FALSE);
        }
    }
}

void SECToolBarManager::ExitConfigMode() {
    if (!m_bConfigMode)
        return;
    m_bConfigMode = FALSE;
    if (CFrameWnd* pFrame = GetFrameWnd())
        pFrame->EnableWindow(FALSE);
    for (HWND hWnd : m_disabledWnds)
        if (::IsWindow(hWnd))
            ::EnableWindow(hWnd, TRUE);
    m_disabledWnds.clear();
}

void SECToolBarManager::SetCustomizeMode(BOOL bCustomize) {
    if (!bCustomize == !m_bCustomizeMode)
        return;
    m_bCustomizeMode = bCustomize;
    for (SECCustomToolBar* pBar : GetToolBars())
        pBar->SetCustomizeMode(bCustomize);
}

void SECToolBarManager::GetCustomizeWndRect(CRect& rect) const {
    rect.SetRectEmpty();
    if (m_hCustomizeWnd != NULL && ::IsWindow(m_hCustomizeWnd))
        ::GetWindowRect(m_hCustomizeWnd, &rect);
}

void SECToolBarManager::AddNotifyWnd(CWnd* pWnd) {
    const HWND hWnd = pWnd != nullptr ? pWnd->GetSafeHwnd() : NULL;
    if (hWnd != NULL &&
        std::find(m_notifyWnds.begin(), m_notifyWnds.end(), hWnd) == m_notifyWnds.end())
        m_notifyWnds.push_back(hWnd);
}

void SECToolBarManager::RemoveNotifyWnd(CWnd* pWnd) {
    const HWND hWnd = pWnd != nullptr ? pWnd->GetSafeHwnd() : NULL;
    m_notifyWnds.erase(std::remove(m_notifyWnds.begin(), m_notifyWnds.end(), hWnd),
                       m_notifyWnds.end());
}

void SECToolBarManager::BroadcastBarNotify(WPARAM wParam, LPARAM lParam) {
    // Windows kept by handle: one destroyed meanwhile is skipped, never called.
    for (HWND hWnd : std::vector<HWND>(m_notifyWnds))
        if (::IsWindow(hWnd))
            ::SendMessageW(hWnd, WM_BARNOTIFY, wParam, lParam);
}

void SECToolBarManager::NotifyButtons(UINT nID, UINT nCode, void* pData) {
    for (SECCustomToolBar* pBar : GetToolBars())
        pBar->NotifyButtons(nID, nCode, pData, FALSE);
}

BOOL SECToolBarManager::GetDefaultToolBarButtons(UINT nBarID, int& nCount,
                                                 const UINT*& pIDs) const {
    for (const auto& pRec : m_defaults)
        if (pRec->nBarID == nBarID) {
            nCount = static_cast<int>(pRec->ids.size());
            pIDs = pRec->ids.empty() ? nullptr : pRec->ids.data();
            return TRUE;
        }
    return FALSE;
}

void SECToolBarManager::SetMenuBarIds(const UINT* pIDs, int nCount) {
    m_menuBarIds.assign(pIDs, pIDs != nullptr && nCount > 0 ? pIDs + nCount : pIDs);
}

void SECToolBarManager::GetMenuBarIds(const UINT*& pIDs, int& nCount) const {
    pIDs = m_menuBarIds.empty() ? nullptr : m_menuBarIds.data();
    nCount = static_cast<int>(m_menuBarIds.size());
}

void SECToolBarManager::ApplySettings(BOOL bToolTips, BOOL bCoolLook, BOOL bLarge) {
    SetToolTips(bToolTips);
    SetCoolLook(bCoolLook, 0x300);
    SetLargeButtons(bLarge);
}

void SECToolBarManager::SaveState(LPCTSTR lpszProfileName) {
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || lpszProfileName == nullptr)
        return;
    CString strSection;
    strSection.Format(kSectionFormat, lpszProfileName);
    pApp->WriteProfileInt(strSection, kToolTips, m_bToolTips ? 1 : 0);
    pApp->WriteProfileInt(strSection, kCoolLook, m_bCoolLook ? 1 : 0);
    pApp->WriteProfileInt(strSection, kLargeButtons, m_bLargeButtons ? 1 : 0);
}

void SECToolBarManager::LoadState(LPCTSTR lpszProfileName) {
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && lpszProfileName != nullptr) {
        CString strSection;
        strSection.Format(kSectionFormat, lpszProfileName);
        ApplySettings(pApp->GetProfileInt(strSection, kToolTips, m_bToolTips) != 0,
                      pApp->GetProfileInt(strSection, kCoolLook, m_bCoolLook) != 0,
                      pApp->GetProfileInt(strSection, kLargeButtons, m_bLargeButtons) != 0);
    }
    RefreshToolBars();
}

BOOL SECToolBarManager::SaveStateToNode(SECPersistentTreeNode* pNode,
                                        SECPersistentTreeNode* pParent) {
    if (!SECControlBarManager::SaveStateToNode(pNode, pParent))
        return FALSE;
    // The settings go where LoadStateFromNode looks for them: under the node, or under the
    // parent when the caller gives no node of its own.
    SECPersistentTreeNode* pHolder = pNode != nullptr ? pNode : pParent;
    SECPersistentTreeNode* pChild = pHolder->FindChildNode(kNodeName);
    if (pChild == nullptr)
        pChild = pHolder->CreateChildNode(kNodeName, pHolder);
    if (pChild == nullptr)
        return FALSE;
    pChild->SetIntValue(kToolTips, m_bToolTips ? 1 : 0);
    pChild->SetIntValue(kCoolLook, m_bCoolLook ? 1 : 0);
    pChild->SetIntValue(kLargeButtons, m_bLargeButtons ? 1 : 0);
    return TRUE;
}

BOOL SECToolBarManager::LoadStateFromNode(SECPersistentTreeNode* pNode) {
    const BOOL bBase = SECControlBarManager::LoadStateFromNode(pNode);
    SECPersistentTreeNode* pChild = pNode != nullptr ? pNode->FindChildNode(kNodeName) : nullptr;
    if (pChild != nullptr) {
        int nTips = m_bToolTips, nCool = m_bCoolLook, nLarge = m_bLargeButtons;
        pChild->GetIntValue(kToolTips, &nTips, m_bToolTips);
        pChild->GetIntValue(kCoolLook, &nCool, m_bCoolLook);
        pChild->GetIntValue(kLargeButtons, &nLarge, m_bLargeButtons);
        ApplySettings(nTips != 0, nCool != 0, nLarge != 0);
    } else {
        ApplySettings(TRUE, TRUE, FALSE);
    }
    RefreshToolBars();
    return bBase;
}

void SECToolBarManager::ShareMenuImages(CWnd* pMenuPlugIn) {
    if (auto* pPlugIn = dynamic_cast<SECBmpMenuPlugIn*>(pMenuPlugIn))
        if (m_pBmpMgr != nullptr)
            pPlugIn->SetBmpMgr(m_pBmpMgr);
}
