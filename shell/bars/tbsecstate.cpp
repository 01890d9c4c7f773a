#include "shell/bars/tbsecstate.h"

#include <algorithm>

#include "shell/bars/tbstate.h"

bool CTBSECState::IsDropped(const CControlBarInfo& info) {
    // 59648 is the user toolbar's: the frame makes that bar itself, and one made here as well
    // would be a second one under the same id.
    if (info.m_nBarID >= kHostToolbarFirstId)
        return true;
    if (info.m_arrBarID.GetSize() == 3 && info.m_bFloating)
        for (INT_PTR i = 0; i < 3; ++i)
            if ((info.m_arrBarID[i] & 0xFFFF) >= kHostToolbarFirstId)
                return true;
    return false;
}

void CTBSECState::LoadState(LPCTSTR lpszProfileName) {
    SECDockState::LoadState(lpszProfileName);
    // Dock bars keep no entry for a dropped bar: its place would stay empty.
    for (INT_PTR i = m_arrBarInfo.GetSize() - 1; i >= 0; --i) {
        auto* pInfo = GetInfo(i);
        if (IsDropped(*pInfo)) {
            delete pInfo;
            m_arrBarInfo.RemoveAt(i);
            continue;
        }
        for (INT_PTR k = pInfo->m_arrBarID.GetSize() - 1; k >= 0; --k)
            if ((pInfo->m_arrBarID[k] & 0xFFFF) >= kHostToolbarFirstId)
                pInfo->m_arrBarID.RemoveAt(k);
        // A row that held only dropped bars goes with them.
        for (INT_PTR k = pInfo->m_arrBarID.GetSize() - 1; k > 0; --k)
            if (pInfo->m_arrBarID[k] == 0 && pInfo->m_arrBarID[k - 1] == 0)
                pInfo->m_arrBarID.RemoveAt(k);
    }
}
