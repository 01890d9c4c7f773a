// The open file viewers by file name: a viewer is opened once per path, and closed by it.
#pragma once

#include <vector>

#include "framework/afx.h"

class CFileViewerList {
public:
    // Enters the viewer's frame under the path; a path already listed takes the new frame.
    void Add(LPCTSTR lpszPath, HWND hFrame);
    // The frame listed for exactly that path (case counts), while it exists; NULL otherwise.
    HWND Find(LPCTSTR lpszPath) const;
    // Removes the entry of that path; FALSE when there is none.
    BOOL Remove(LPCTSTR lpszPath);
    int GetCount() const { return static_cast<int>(m_entries.size()); }

private:
    struct Entry {
        CString path;
        HWND hFrame;
    };
    std::vector<Entry> m_entries;
};
CFileViewerList& FileViewerList();
