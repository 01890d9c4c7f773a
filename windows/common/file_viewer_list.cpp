#include "windows/common/file_viewer_list.h"

#include <algorithm>

void CFileViewerList::Add(LPCTSTR lpszPath, HWND hFrame) {
    if (lpszPath == nullptr || hFrame == NULL)
        return;
    auto found = std::find_if(m_entries.begin(), m_entries.end(),
                              [&](const Entry& e) { return e.path == lpszPath; });
    if (found != m_entries.end())
        found->hFrame = hFrame;
    else
        m_entries.push_back(Entry{lpszPath, hFrame});
}

HWND CFileViewerList::Find(LPCTSTR lpszPath) const {
    if (lpszPath == nullptr)
        return NULL;
    for (const Entry& e : m_entries)
        if (e.path == lpszPath)
            return ::IsWindow(e.hFrame) ? e.hFrame : NULL;
    return NULL;
}

BOOL CFileViewerList::Remove(LPCTSTR lpszPath) {
    auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) {
        return lpszPath != nullptr && e.path == lpszPath;
    });
    if (found == m_entries.end())
        return FALSE;
    m_entries.erase(found);
    return TRUE;
}

CFileViewerList& FileViewerList() {
    static CFileViewerList list;
    return list;
}
