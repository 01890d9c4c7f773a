#include "framework/ole/oleexceptions.h"

IMPLEMENT_DYNAMIC(COleException, CException)
IMPLEMENT_DYNAMIC(COleDispatchException, CException)

namespace {
// The system's text for a status code, or its number when the system has none.
CString TextOfStatus(SCODE sc) {
    LPWSTR buffer = NULL;
    DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                   FORMAT_MESSAGE_IGNORE_INSERTS,
                               NULL, (DWORD)sc, 0, reinterpret_cast<LPWSTR>(&buffer), 0, NULL);
    CString text;
    if (n != 0 && buffer != NULL)
        text = CString(buffer, (int)n).TrimRight();
    if (buffer != NULL)
        ::LocalFree(buffer);
    if (text.IsEmpty())
        text.Format(L"OLE error 0x%08lX.", (unsigned long)sc);
    return text;
}
} // namespace

COleException::COleException(SCODE sc) : m_sc(sc) {}

BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
    return AfxFillErrorMessage(lpszError, nMaxError, pnHelpContext, 0, TextOfStatus(m_sc));
}

SCODE PASCAL COleException::Process(const CException* pAnyException) {
    if (pAnyException == NULL)
        return E_UNEXPECTED;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(COleException)))
        return static_cast<const COleException*>(pAnyException)->m_sc;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CMemoryException)))
        return E_OUTOFMEMORY;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CNotSupportedException)))
        return E_NOTIMPL;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(COleDispatchException))) {
        auto* p = static_cast<const COleDispatchException*>(pAnyException);
        return p->m_scError != 0 ? p->m_scError : DISP_E_EXCEPTION;
    }
    return E_UNEXPECTED;
}

COleDispatchException::COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode)
    : m_wCode(wCode), m_scError(0), m_strDescription(lpszDescription), m_dwHelpContext(nHelpID) {}

BOOL COleDispatchException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
    CString text = m_strDescription;
    if (text.IsEmpty())
        text = m_scError != 0 ? TextOfStatus(m_scError) : CString(L"Automation error.");
    return AfxFillErrorMessage(lpszError, nMaxError, pnHelpContext, m_dwHelpContext, text);
}

void AfxThrowOleException(SCODE sc) {
    throw new COleException(sc);
}

void AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription, UINT nHelpID) {
    throw new COleDispatchException(lpszDescription, nHelpID, wCode);
}
