// Failures of OLE calls, thrown as pointers like the framework's other exceptions: a plain
// status code (COleException) or an automation server's own error (COleDispatchException).
#pragma once

#include <ole2.h>

#include "framework/core/exceptions.h"

class COleException : public CException {
    DECLARE_DYNAMIC(COleException)
public:
    explicit COleException(SCODE sc = S_OK);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

    // The status code that stands for any framework exception (E_OUTOFMEMORY for a memory
    // exception, the code itself for OLE ones, E_UNEXPECTED otherwise).
    static SCODE PASCAL Process(const CException* pAnyException);

    SCODE m_sc;
};

class COleDispatchException : public CException {
    DECLARE_DYNAMIC(COleDispatchException)
public:
    COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

    WORD m_wCode;        // the server's own error number (0 when it gave a status code)
    SCODE m_scError;     // the status code (0 when it gave m_wCode)
    CString m_strSource; // who raised it
    CString m_strDescription;
    CString m_strHelpFile;
    DWORD m_dwHelpContext;
};

[[noreturn]] void AfxThrowOleException(SCODE sc);
[[noreturn]] void AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription,
                                               UINT nHelpID = 0);
