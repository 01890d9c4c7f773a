// The main frame's toolbars: the default bars, host toolbars made by title, the user toolbar
// and the "Gui" toolbar that the host fills.
#include "shell/frame/mainframe.h"

#include <algorithm>

#include "shell/app/tarvikapp.h"
#include "docking/dock_bar.h"
#include "docking/dock_state.h"
#include "shell/bars/tbstate.h"
#include "shell/frame/dock_beside.h"
#include "shell/frame/frame_ids.h"
#include "shell/frame/toolbar_lists.h"
#include "shell/hostlink.h"
#include "toolbars/custom_toolbar.h"
#include "toolbars/drawing/bmpmgr.h"
#include "toolbars/tbbtn.h"
#include "toolbars/toolbar_manager.h"

namespace {
bool ExtensionMode() {
    return HostVersionAtLeast(3, 3) && HostTable()->IsExtensionMode() != 0;
}

// The index of the last host toolbar made outside extension mode whose title an older one
// bore; -1 while none did.
int LastHostToolbarIndex = -1;

// Toolbar resources: small images and their 32 x 30 twins.
const UINT kToolbarResources[][2] = {{200, 201}, {202, 203}};
} // namespace

void CMainFrame::DefineDefaultToolbars() {
    m_pManager->GetBmpMgr()->SetLargeImageSize(32, 30);
    for (const auto& pair : kToolbarResources)
        m_pManager->LoadToolBarResource(MAKEINTRESOURCE(pair[0]), MAKEINTRESOURCE(pair[1]));
    m_pManager->NoOp();
    UINT previous = 0;
    for (const ToolbarButtonList& list : DefaultToolbarLists()) {
        m_pManager->DefineDefaultToolBar(list.barId, list.title, static_cast<int>(list.ids.size()),
                                         list.ids.data(), CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP,
                                         previous, TRUE, TRUE);
        previous = list.barId;
    }
}

CUserTB* CMainFrame::CreateUserToolbar(LPCTSTR lpszTitle) {
    if (ExtensionMode())
        return nullptr;
    auto pBar = std::make_unique<CUserTB>();
    if (!pBar->Create(this, 0x50002834, CurrentHostToolbarId()))
        return nullptr;
    pBar->m_bAutoDelete = TRUE; // the bar's window owns it from now on
    CUserTB* pUser = pBar.release();
    pUser->EnableToolTips(m_pManager->GetToolTips());
    pUser->EnableDocking(CBRS_ALIGN_ANY);
    pUser->SetWindowText(lpszTitle);
    return pUser;
}

CGuiTB* CMainFrame::CreateHostToolbarBar(LPCTSTR lpszTitle) {
    CRuntimeClass* pPrevious = m_pManager->GetBarClass();
    m_pManager->SetBarClass(RUNTIME_CLASS(CGuiTB));
    SECCustomToolBar* pMade = m_pManager->CreateUserToolBar(lpszTitle);
    m_pManager->SetBarClass(pPrevious);
    auto* pBar = DYNAMIC_DOWNCAST(CGuiTB, pMade);
    if (pBar == nullptr) {
        if (pMade != nullptr)
            pMade->DestroyWindow();
        return nullptr;
    }
    const UINT nID = m_pToolbarState->IdForTitle(lpszTitle, this);
    if (nID == 0) {
        pBar->DestroyWindow();
        return nullptr;
    }
    pBar->SetDlgCtrlID(static_cast<int>(nID));
    pBar->EnableToolTips(m_pManager->GetToolTips());
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    return pBar;
}

BOOL CMainFrame::IsToolbarTitleFree(LPCTSTR lpszTitle) const {
    for (SECCustomToolBar* pBar : m_pManager->GetToolBars()) {
        CString text;
        pBar->GetWindowText(text);
        if (text == lpszTitle)
            return FALSE;
    }
    return TRUE;
}

BOOL CMainFrame::CreateGuiToolbar(int* pIndex, const char* pszTitle, BOOL bReuse) {
    if (pIndex == nullptr || pszTitle == nullptr || *pszTitle == 0)
        return FALSE;
    wchar_t* wide = nullptr;
    AnsiToWideHeap(pszTitle, &wide);
    const CString given(wide ? wide : L"");
    if (wide)
        ::HeapFree(::GetProcessHeap(), 0, wide);
    if (given.IsEmpty())
        return FALSE;
    CString candidate = given;
    while (!IsToolbarTitleFree(candidate)) {
        if (bReuse) {
            *pIndex = m_hostToolbars.FindByTitle(given);
            return TRUE;
        }
        candidate += L"1";
    }
    CGuiTB* pBar = CreateHostToolbarBar(candidate);
    if (pBar == nullptr)
        return FALSE;
    // A new toolbar docks at the top, after the others; one whose title an older host toolbar
    // bore docks the same way (that index names no dock bar).
    if (ExtensionMode()) {
        DockControlBarAt(pBar, 0, 2, 0, 1.0f, 150);
    } else {
        DockControlBarAt(pBar, 0, 0, 2, 1.0f, 150);
        LastHostToolbarIndex = m_hostToolbars.FindByTitle(given);
    }
    SECDockState partial(m_pManager.get());
    if (m_pToolbarState->BuildPartialState(candidate, partial)) {
        SetDockState(partial);
        pBar->KeepRestoredWidth();
    } else if (!ExtensionMode()) {
        m_barsToPlace.push_back(pBar->GetSafeHwnd());
    }
    *pIndex = m_hostToolbars.Add(pBar);
    AddHostButtonGroup(candidate, *pIndex);
    RecalcLayout();
    return TRUE;
}

void CMainFrame::AddHostButtonGroup(LPCTSTR lpszTitle, int nIndex) {
    m_groups.Add(lpszTitle, nIndex);
}

BOOL CMainFrame::DeleteGuiToolbar(int nIndex) {
    CGuiTB* pBar = nIndex >= 1 ? m_hostToolbars.GetAt(nIndex) : nullptr;
    if (pBar == nullptr)
        return FALSE;
    m_hostToolbars.RemoveAt(nIndex);
    m_groups.ToolbarRemoved(nIndex);
    if (::IsWindow(pBar->GetSafeHwnd()))
        pBar->DestroyWindow();
    RecalcLayout();
    return TRUE;
}

void CMainFrame::AddHostImage(UINT nBitmap, UINT nBitmap2, UINT nID) {
    if (nBitmap == 0)
        return;
    m_pManager->GetBmpMgr()->AddResource(MAKEINTRESOURCE(nBitmap),
                                         MAKEINTRESOURCE(nBitmap2 ? nBitmap2 : nBitmap), &nID, 1);
    for (SECCustomToolBar* pBar : m_pManager->GetToolBars()) {
        for (int i = 0; pBar->GetSafeHwnd() != NULL && i < pBar->GetButtonCount(); ++i)
            if (SECStdBtn* pBtn = pBar->GetButton(i); pBtn != nullptr && pBtn->m_nID == nID)
                pBar->InvalidateButton(i);
    }
}

BOOL CMainFrame::AddToolbarButton(int nIndex, UINT nBitmap, UINT nBitmap2, const char* pszTooltip,
                                  UINT nID) {
    CGuiTB* pBar = m_hostToolbars.GetAt(nIndex);
    if (pBar == nullptr || nID == 0 || nID > 0xFFFF)
        return FALSE;
    AddHostImage(nBitmap, nBitmap2, nID);
    wchar_t* tooltip = nullptr;
    AnsiToWideHeap(pszTooltip, &tooltip);
    const int number = pBar->AddButton(tooltip, nID);
    if (tooltip)
        ::HeapFree(::GetProcessHeap(), 0, tooltip);
    if (number < 0)
        return FALSE;
    ShowNewControlBar(pBar);
    m_groups.NoteButton(nIndex, nID);
    RecalcLayout();
    return TRUE;
}

int CMainFrame::ChangeButtons(LPCTSTR lpszLabel, LPCTSTR lpszTooltip, UINT nFlags, UINT nWord,
                              UINT nBitmap, UINT nBitmap2) {
    int result = -1;
    const bool user = (nFlags & 0x1) != 0;
    const bool extension = ExtensionMode();
    if (!(nFlags & 0x8) && user && m_pUserTB == nullptr && !extension) {
        m_pUserTB = CreateUserToolbar(L"User");
        if (m_pUserTB != nullptr) {
            DockControlBar(m_pUserTB);
            m_barsToPlace.push_back(m_pUserTB->GetSafeHwnd());
        }
    }
    if (nFlags & 0x2) {
        if (user && !extension && m_pUserTB != nullptr) {
            result = m_pUserTB->AddButton(lpszLabel, lpszTooltip, nWord);
            ShowNewControlBar(m_pUserTB);
        } else if (!user && m_pGuiTB != nullptr && nWord != 0 && nWord <= 0xFFFF) {
            AddHostImage(nBitmap, nBitmap2, nWord);
            result = m_pGuiTB->AddButton(lpszTooltip, nWord);
            ShowControlBar(m_pGuiTB, TRUE, FALSE);
        }
    }
    if (nFlags & 0x4) {
        if (user && !extension && m_pUserTB != nullptr) {
            result = m_pUserTB->RemoveButton(static_cast<int>(nWord));
            if (m_pUserTB->SendMessage(TB_BUTTONCOUNT) <= 0)
                ShowControlBar(m_pUserTB, FALSE, FALSE);
        } else if (!user && m_pGuiTB != nullptr) {
            result = m_pGuiTB->RemoveButton(static_cast<int>(nWord));
        }
    }
    CFrameWnd::RecalcLayout();
    return result;
}

void CMainFrame::ShowNewControlBar(CControlBar* pBar) {
    ShowControlBar(pBar, TRUE, FALSE);
    const auto it = std::find(m_barsToPlace.begin(), m_barsToPlace.end(), pBar->GetSafeHwnd());
    if (it == m_barsToPlace.end())
        return;
    m_barsToPlace.erase(it);
    RecalcLayout();
    const int nRow = RowWithRoom(pBar);
    if (nRow < 0)
        return;
    SECDockPos pos{nRow, 1, SECDockPos::colsFromEnd};
    SECDockSize size{1.0f, 150};
    DockControlBarSized(pBar, &pos, static_cast<UINT>(pBar->m_pDockBar->GetDlgCtrlID()), &size);
    RecalcLayout();
}

void CMainFrame::DockControlBarLeftOf(CControlBar* pBar, CControlBar* pNeighbour) {
    ::DockControlBarLeftOf(this, pBar, pNeighbour);
}
