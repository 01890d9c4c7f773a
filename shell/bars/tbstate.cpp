#include "shell/bars/tbstate.h"

#include <algorithm>
#include <memory>

#include "docking/dock_state.h"
#include "shell/bars/hosttoolbars.h"

namespace {
UINT g_nNextId = kHostToolbarFirstId;

bool IsHostId(UINT nID) {
    return nID >= kHostToolbarFirstId && nID <= kHostToolbarLastId;
}

bool ListsHostBar(const CControlBarInfo* pInfo) {
    for (INT_PTR i = 0; i < pInfo->m_arrBarID.GetSize(); ++i)
        if ((pInfo->m_arrBarID[i] & 0xFFFF) >= kHostToolbarFirstId)
            return true;
    return false;
}

bool Lists(const CControlBarInfo* pInfo, UINT nID) {
    for (INT_PTR i = 0; i < pInfo->m_arrBarID.GetSize(); ++i)
        if ((pInfo->m_arrBarID[i] & 0xFFFF) == nID)
            return true;
    return false;
}

int ProfileInt(LPCTSTR section, LPCTSTR key) {
    CWinApp* pApp = AfxGetApp();
    return pApp ? static_cast<int>(pApp->GetProfileInt(section, key, 0)) : 0;
}
} // namespace

UINT CurrentHostToolbarId() {
    return g_nNextId;
}

void ResetHostToolbarIds() {
    g_nNextId = kHostToolbarFirstId;
}

void CTBState::SaveState(LPCTSTR lpszProfileName) {
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    // The layout's own records number the sections; the title goes into the one that holds the
    // bar's id, so that a disagreement in numbering can never overwrite another bar's record.
    const int nSaved = std::clamp(ProfileInt(AfxSummarySection(lpszProfileName), L"Bars"), 0,
                                  AFX_BARINFO_MAX_ENTRIES);
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        auto* pInfo = static_cast<CControlBarInfo*>(m_arrBarInfo[i]);
        CControlBar* pBar = pInfo->m_pBar;
        if (pBar == nullptr ||
            !(pBar->IsKindOf(RUNTIME_CLASS(CUserTB)) || pBar->IsKindOf(RUNTIME_CLASS(CGuiTB))))
            continue;
        CString title;
        pBar->GetWindowText(title);
        for (int n = 0; n < nSaved; ++n) {
            const CString section = AfxBarSection(lpszProfileName, n);
            if (static_cast<UINT>(ProfileInt(section, L"BarID")) == pInfo->m_nBarID) {
                pApp->WriteProfileString(section, L"Title", title);
                break;
            }
        }
    }
}

void CTBState::LoadState(LPCTSTR lpszProfileName) {
    Clear();
    m_strProfile = lpszProfileName ? lpszProfileName : L"";
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    const CString summary = AfxSummarySection(lpszProfileName);
    const int nBars = std::clamp(ProfileInt(summary, L"Bars"), 0, AFX_BARINFO_MAX_ENTRIES);
    SetScreenSize(CSize(ProfileInt(summary, L"ScreenCX"), ProfileInt(summary, L"ScreenCY")));
    UINT nHighest = 0;
    for (int i = 0; i < nBars; ++i) {
        auto pInfo = std::make_unique<CTBBarInfo>();
        if (!pInfo->LoadState(lpszProfileName, i, this))
            continue; // an unreadable record is skipped
        pInfo->m_nSection = i;

        if (IsHostId(pInfo->m_nBarID)) {
            pInfo->m_strTitle =
                pApp->GetProfileString(AfxBarSection(lpszProfileName, i), L"Title", L"");
            nHighest = std::max(nHighest, pInfo->m_nBarID);
        } else if (!ListsHostBar(pInfo.get())) {
            continue;
        }
        m_arrBarInfo.Add(pInfo.release());
    }
    if (nHighest >= kHostToolbarFirstId + 1)
        g_nNextId = std::min(nHighest + 1, kHostToolbarLastId + 1);
    else
        ++g_nNextId;
}

BOOL CTBState::BuildPartialState(LPCTSTR lpszTitle, CTBState& partial) const {
    partial.Clear();
    partial.SetScreenSize(GetScreenSize());
    if (m_arrBarInfo.GetSize() == 0 || lpszTitle == nullptr)
        return FALSE;
    auto copy = [&partial](const CControlBarInfo* pInfo) {
        auto pCopy = std::make_unique<CTBBarInfo>();
        if (auto* pTitled = dynamic_cast<const CTBBarInfo*>(pInfo))
            pCopy->m_nSection = pTitled->m_nSection;
        pCopy->m_nBarID = pInfo->m_nBarID;
        pCopy->m_bVisible = pInfo->m_bVisible;
        pCopy->m_bFloating = pInfo->m_bFloating;
        pCopy->m_bHorz = pInfo->m_bHorz;
        pCopy->m_bDockBar = pInfo->m_bDockBar;
        pCopy->m_pointPos = pInfo->m_pointPos;
        pCopy->m_nMRUWidth = pInfo->m_nMRUWidth;
        pCopy->m_bDocking = pInfo->m_bDocking;
        pCopy->m_uMRUDockID = pInfo->m_uMRUDockID;
        pCopy->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
        pCopy->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
        pCopy->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
        pCopy->m_arrBarID.Copy(pInfo->m_arrBarID);
        if (auto* pTitled = dynamic_cast<const CTBBarInfo*>(pInfo))
            pCopy->m_strTitle = pTitled->m_strTitle;
        partial.m_arrBarInfo.Add(pCopy.release());
    };
    // The last record with the title fixes the id; the dock bars that list it may come before
    // or after it (the docking layout writes dock bars first).
    UINT nID = 0;
    auto titled = [lpszTitle](const CControlBarInfo* pInfo) {
        auto* pTitled = dynamic_cast<const CTBBarInfo*>(pInfo);
        return pTitled != nullptr && IsHostId(pInfo->m_nBarID) && pTitled->m_strTitle == lpszTitle;
    };
    for (INT_PTR i = 1; i < m_arrBarInfo.GetSize(); ++i)
        if (titled(static_cast<CControlBarInfo*>(m_arrBarInfo[i])))
            nID = static_cast<CControlBarInfo*>(m_arrBarInfo[i])->m_nBarID;
    if (nID == 0)
        return FALSE;
    copy(static_cast<CControlBarInfo*>(m_arrBarInfo[0]));
    for (INT_PTR i = 1; i < m_arrBarInfo.GetSize(); ++i) {
        auto* pInfo = static_cast<CControlBarInfo*>(m_arrBarInfo[i]);
        if (titled(pInfo) || Lists(pInfo, nID))
            copy(pInfo);
    }
    return TRUE;
}

BOOL CTBState::BuildPartialState(LPCTSTR lpszTitle, SECDockState& partial) const {
    CTBState chosen;
    if (!BuildPartialState(lpszTitle, chosen))
        return FALSE;
    partial.Clear();
    partial.SetScreenSize(GetScreenSize());
    for (INT_PTR i = 0; i < chosen.m_arrBarInfo.GetSize(); ++i) {
        auto* pTitled =
            dynamic_cast<CTBBarInfo*>(static_cast<CControlBarInfo*>(chosen.m_arrBarInfo[i]));
        if (pTitled == nullptr || pTitled->m_nSection < 0)
            continue;
        SECControlBarInfo* pInfo = partial.CreateControlBarInfo();
        if (!pInfo->LoadState(m_strProfile, pTitled->m_nSection, &partial)) {
            delete pInfo;
            continue;
        }
        // The place comes back, not the buttons: the host adds those again itself.
        if (IsHostId(pInfo->m_nBarID)) {
            delete pInfo->m_pBarInfoEx;
            pInfo->m_pBarInfoEx = nullptr;
        }
        partial.m_arrBarInfo.Add(pInfo);
    }
    return partial.m_arrBarInfo.GetSize() > 1;
}

UINT CTBState::IdForTitle(LPCTSTR lpszTitle, CFrameWnd* pFrame) {
    UINT nStored = 0;
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        auto* pTitled = dynamic_cast<CTBBarInfo*>(static_cast<CControlBarInfo*>(m_arrBarInfo[i]));
        if (pTitled && lpszTitle && IsHostId(pTitled->m_nBarID) && pTitled->m_strTitle == lpszTitle)
            nStored = pTitled->m_nBarID;
    }
    auto taken = [pFrame](UINT nID) {
        return pFrame != nullptr && pFrame->GetControlBar(nID) != nullptr;
    };
    if (nStored != 0 && !taken(nStored))
        return nStored;
    // The counter's value, else (past the range, or taken) the first free id of the range.
    if (g_nNextId <= kHostToolbarLastId && !taken(g_nNextId))
        return g_nNextId++;
    for (UINT nID = kHostToolbarFirstId; nID <= kHostToolbarLastId; ++nID)
        if (!taken(nID))
            return nID;
    return 0;
}
