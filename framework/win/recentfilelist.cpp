// The recent-file list: most recent first, kept in the profile.
#include "framework/win/winapp.h"

#include "framework/win/cmdui.h"
#include "framework/win/menu.h"

#include <shlwapi.h>

#include <algorithm>

namespace {
// The profile entry that keeps item nIndex; the entries are numbered from 1.
CString EntryName(const CString& strEntryFormat, int nIndex) {
    CString entry;
    entry.Format(strEntryFormat, nIndex + 1);
    return entry;
}
} // namespace

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat,
                                 int nSize, int nMaxDispLen)
    : m_nSize(nSize > 0 ? nSize : 0), m_arrNames((size_t)(nSize > 0 ? nSize : 0)),
      m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat), m_nStart(nStart),
      m_nMaxDisplayLength(nMaxDispLen) {}

CString& CRecentFileList::operator[](int nIndex) {
    static CString outside;
    if (nIndex < 0 || nIndex >= m_nSize) {
        outside.Empty();
        return outside;
    }
    return m_arrNames[(size_t)nIndex];
}

void CRecentFileList::Add(LPCTSTR lpszPathName) {
    if (lpszPathName == NULL || *lpszPathName == 0 || m_nSize == 0)
        return;
    wchar_t full[MAX_PATH * 4];
    DWORD n = ::GetFullPathNameW(lpszPathName, MAX_PATH * 4, full, NULL);
    CString path = (n > 0 && n < MAX_PATH * 4) ? CString(full) : CString(lpszPathName);
    // Slide down the entries above an earlier occurrence (or the whole list), dropping the last.
    int nFound = m_nSize - 1;
    for (int i = 0; i < m_nSize; i++) {
        if (m_arrNames[(size_t)i].CompareNoCase(path) == 0) {
            nFound = i;
            break;
        }
    }
    for (int i = nFound; i > 0; i--)
        m_arrNames[(size_t)i] = m_arrNames[(size_t)i - 1];
    m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex) {
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    for (int i = nIndex; i < m_nSize - 1; i++)
        m_arrNames[(size_t)i] = m_arrNames[(size_t)i + 1];
    m_arrNames[(size_t)m_nSize - 1].Empty();
}

void CRecentFileList::ReadList() {
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    for (int i = 0; i < m_nSize; i++)
        m_arrNames[(size_t)i] =
            pApp->GetProfileString(m_strSectionName, EntryName(m_strEntryFormat, i), L"");
}

void CRecentFileList::WriteList() {
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    for (int i = 0; i < m_nSize; i++) {
        const CString& name = m_arrNames[(size_t)i];
        pApp->WriteProfileString(m_strSectionName, EntryName(m_strEntryFormat, i),
                                 name.IsEmpty() ? NULL : (LPCTSTR)name);
    }
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR, int,
                                     BOOL bAtLeastName) const {
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[(size_t)nIndex].IsEmpty())
        return FALSE;
    const CString& path = m_arrNames[(size_t)nIndex];
    if (path.GetLength() <= m_nMaxDisplayLength || m_nMaxDisplayLength <= 0) {
        strName = path;
        return TRUE;
    }
    // Too long: the file name alone, or the path compacted with an ellipsis.
    wchar_t compact[MAX_PATH * 4] = L"";
    const UINT cchCompact = std::min<UINT>((UINT)m_nMaxDisplayLength + 1, MAX_PATH * 4);
    if (!bAtLeastName && ::PathCompactPathExW(compact, path, cchCompact, 0)) {
        strName = compact;
        return TRUE;
    }
    strName = ::PathFindFileNameW(path);
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI) {
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (m_strOriginal.IsEmpty() && pMenu != NULL)
        pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);
    if (m_nSize == 0 || m_arrNames[0].IsEmpty()) {
        if (!m_strOriginal.IsEmpty())
            pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    if (pMenu == NULL)
        return;
    for (int i = 0; i < m_nSize; i++)
        pMenu->DeleteMenu(pCmdUI->m_nID + (UINT)i, MF_BYCOMMAND);
    UINT nInsert = pCmdUI->m_nIndex;
    for (int i = 0; i < m_nSize; i++) {
        CString name;
        if (!GetDisplayName(name, i, NULL, 0))
            break;
        name.Replace(L"&", L"&&");
        CString text;
        text.Format(L"&%d %s", (i + 1 + (int)m_nStart) % 10, (LPCTSTR)name);
        pMenu->InsertMenu(nInsert++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID + (UINT)i, text);
    }
    // The loop that called us goes on after the inserted items.
    pCmdUI->m_nIndex = nInsert - 1;
    pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}
