#include "framework/dialogs/filedialog.h"

#include <algorithm>
#include <cstring>

#include "framework/core/guard.h"
#include "framework/win/resources.h"

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

namespace {
// Room for the longest path the system can name (and a multiple selection of shorter ones).
const size_t kFileBufferLength = 32768;

// Left to itself the system puts the dialog at the screen's top left, over its owner's menu:
// once it is laid out, it goes over the middle of its owner as every other dialog does.
UINT_PTR CALLBACK CentringHook(HWND hHook, UINT message, WPARAM, LPARAM lParam) {
    return AfxGuardWndProc(L"file dialog hook", (UINT_PTR)0, [&]() -> UINT_PTR {
        if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_INITDONE)
            CWnd::FromHandle(::GetParent(hHook))->CenterWindow();
        return 0;
    });
}
} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName,
                         DWORD dwFlags, LPCTSTR lpszFilter, CWnd* pParentWnd, DWORD)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog),
      m_fileBuffer(kFileBufferLength, L'\0') {
    std::memset(&m_ofn, 0, sizeof(m_ofn));
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING | OFN_ENABLEHOOK;
    m_ofn.lpfnHook = &CentringHook;
    if (lpszFileName != NULL) {
        size_t n = std::min(std::wcslen(lpszFileName), kFileBufferLength - 1);
        std::copy(lpszFileName, lpszFileName + n, m_fileBuffer.begin());
    }
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = (DWORD)m_fileBuffer.size();
    if (lpszDefExt != NULL) {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt.c_str();
    }
    if (lpszFilter != NULL) {
        m_strFilter = lpszFilter;
        std::replace(m_strFilter.begin(), m_strFilter.end(), L'|', L'\0');
        // The list ends with an empty entry even when the caller left out the final "||".
        m_strFilter.append(2, L'\0');
        m_ofn.lpstrFilter = m_strFilter.c_str();
    }
}

INT_PTR CFileDialog::DoModal() {
    m_ofn.hwndOwner = OwnerHwnd();
    m_ofn.hInstance = AfxGetResourceHandle();
    BOOL bOK = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    return ResultOf(bOK);
}

CString CFileDialog::GetPathName() const {
    return m_ofn.lpstrFile != NULL ? CString(m_ofn.lpstrFile) : CString();
}

CString CFileDialog::GetFileName() const {
    CString path = GetPathName();
    int nSlash = std::max(path.ReverseFind(L'\\'), path.ReverseFind(L'/'));
    return path.Mid(nSlash + 1);
}

CString CFileDialog::GetFileExt() const {
    CString name = GetFileName();
    int nDot = name.ReverseFind(L'.');
    return nDot < 0 ? CString() : name.Mid(nDot + 1);
}

CString CFileDialog::GetFileTitle() const {
    CString name = GetFileName();
    int nDot = name.ReverseFind(L'.');
    return nDot < 0 ? name : name.Left(nDot);
}
