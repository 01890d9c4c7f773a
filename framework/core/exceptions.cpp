#include "framework/core/exceptions.h"

#include <cwchar>

// The framework's message box belongs to the application layer (framework/win), which also
// holds its hook.
int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp);

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

BOOL AfxFillErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext, UINT nHelpContext,
                         LPCWSTR lpszText) {
    if (pnHelpContext != NULL)
        *pnHelpContext = nHelpContext;
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    std::wcsncpy(lpszError, lpszText ? lpszText : L"", nMaxError - 1);
    lpszError[nMaxError - 1] = 0;
    return TRUE;
}

namespace {
// The message about a file: lpszFormat's %s names it.
BOOL FillFileMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext, int cause,
                     const CString& strFileName, LPCWSTR lpszFormat) {
    CString text;
    text.Format(lpszFormat, strFileName.IsEmpty() ? L"an unnamed file" : strFileName.GetString());
    return AfxFillErrorMessage(lpszError, nMaxError, pnHelpContext, (UINT)cause, text);
}

// The message for each file cause; %s names the file.
LPCWSTR FileMessageFormat(int cause) {
    switch (cause) {
    case CFileException::none:
        return L"No error occurred.";
    case CFileException::fileNotFound:
        return L"%s was not found.";
    case CFileException::badPath:
        return L"%s contains an incorrect path.";
    case CFileException::tooManyOpenFiles:
        return L"%s could not be opened because there are too many open files.";
    case CFileException::accessDenied:
        return L"Access to %s was denied.";
    case CFileException::invalidFile:
        return L"An invalid file handle was associated with %s.";
    case CFileException::removeCurrentDir:
        return L"%s could not be removed because it is the current directory.";
    case CFileException::directoryFull:
        return L"%s could not be created because the directory is full.";
    case CFileException::badSeek:
        return L"Seek failed on %s.";
    case CFileException::hardIO:
        return L"A hardware I/O error was reported while accessing %s.";
    case CFileException::sharingViolation:
        return L"A sharing violation occurred while accessing %s.";
    case CFileException::lockViolation:
        return L"A locking violation occurred while accessing %s.";
    case CFileException::diskFull:
        return L"Disk full while accessing %s.";
    case CFileException::endOfFile:
        return L"An attempt was made to access %s past its end.";
    default:
        return L"An unexpected error occurred while accessing %s.";
    }
}

// The message for each archive cause; %s names the file.
LPCWSTR ArchiveMessageFormat(int cause) {
    switch (cause) {
    case CArchiveException::none:
        return L"No error occurred.";
    case CArchiveException::readOnly:
        return L"Tried to write to %s, which is open for reading only.";
    case CArchiveException::endOfFile:
        return L"Reached the end of %s unexpectedly.";
    case CArchiveException::writeOnly:
        return L"Tried to read from %s, which is open for writing only.";
    case CArchiveException::badIndex:
    case CArchiveException::badClass:
        return L"%s has a bad format.";
    case CArchiveException::badSchema:
        return L"%s contains an unexpected object.";
    case CArchiveException::bufferFull:
        return L"The archive buffer of %s is full.";
    default:
        return L"An unexpected error occurred while reading or writing %s.";
    }
}
} // namespace

// ---- CException -------------------------------------------------------------------------------

CException::CException() : m_bAutoDelete(TRUE) {}
CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}
CException::~CException() {}

void CException::Delete() {
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError != NULL && nMaxError > 0)
        *lpszError = 0;
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID) {
    wchar_t text[512];
    UINT help = 0;
    if (GetErrorMessage(text, 512, &help) && text[0] != 0)
        return AfxMessageBox(text, nType, help);
    CString msg;
    if (nMessageID == 0 || !msg.LoadString(nMessageID))
        msg = L"No error message is available.";
    return AfxMessageBox(msg, nType, 0);
}

// ---- simple kinds -----------------------------------------------------------------------------

CMemoryException::CMemoryException() {}
CMemoryException::CMemoryException(BOOL bAutoDelete) : CException(bAutoDelete) {}
BOOL CMemoryException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
    return AfxFillErrorMessage(lpszError, nMaxError, pnHelpContext, 0, L"Out of memory.");
}

CNotSupportedException::CNotSupportedException() {}
CNotSupportedException::CNotSupportedException(BOOL bAutoDelete) : CException(bAutoDelete) {}
BOOL CNotSupportedException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError,
                                             PUINT pnHelpContext) {
    return AfxFillErrorMessage(lpszError, nMaxError, pnHelpContext, 0,
                               L"An unsupported operation was attempted.");
}

CInvalidArgException::CInvalidArgException() {}
CInvalidArgException::CInvalidArgException(BOOL bAutoDelete) : CException(bAutoDelete) {}
BOOL CInvalidArgException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
    return AfxFillErrorMessage(lpszError, nMaxError, pnHelpContext, 0,
                               L"An invalid argument was encountered.");
}

CResourceException::CResourceException() {}
CResourceException::CResourceException(BOOL bAutoDelete) : CException(bAutoDelete) {}
BOOL CResourceException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
    return AfxFillErrorMessage(lpszError, nMaxError, pnHelpContext, 0,
                               L"A required resource was unavailable.");
}

CUserException::CUserException() {}
CUserException::CUserException(BOOL bAutoDelete) : CException(bAutoDelete) {}

// ---- CFileException ---------------------------------------------------------------------------

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName) {}

CFileException::~CFileException() {}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
    return FillFileMessage(lpszError, nMaxError, pnHelpContext, m_cause, m_strFileName,
                           FileMessageFormat(m_cause));
}

int PASCAL CFileException::OsErrorToException(LONG lOsError) {
    switch ((DWORD)lOsError) {
    case NO_ERROR:
        return none;
    case ERROR_FILE_NOT_FOUND:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_CANNOT_MAKE:
    case ERROR_NETWORK_ACCESS_DENIED:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
        return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return removeCurrentDir;
    case ERROR_NO_MORE_FILES:
        return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE:
        return badSeek;
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_NOT_READY:
        return hardIO;
    case ERROR_SHARING_VIOLATION:
    case ERROR_SHARING_BUFFER_EXCEEDED:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_LOCK_FAILED:
        return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    default:
        return genericException;
    }
}

int PASCAL CFileException::ErrnoToException(int nErrno) {
    switch (nErrno) {
    case 2: // ENOENT
        return fileNotFound;
    case 13: // EACCES
    case 17: // EEXIST
        return accessDenied;
    case 9: // EBADF
        return invalidFile;
    case 24: // EMFILE
        return tooManyOpenFiles;
    case 28: // ENOSPC
        return diskFull;
    default:
        return genericException;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName) {
    if (lOsError != 0)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

// ---- CArchiveException ------------------------------------------------------------------------

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName) {}

CArchiveException::~CArchiveException() {}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
    return FillFileMessage(lpszError, nMaxError, pnHelpContext, m_cause, m_strFileName,
                           ArchiveMessageFormat(m_cause));
}

// ---- throw helpers ----------------------------------------------------------------------------

// Out of memory there may be no memory for a new exception: a static one, not deleted.
void AfxThrowMemoryException() {
    static CMemoryException s_memoryException(FALSE);
    throw &s_memoryException;
}
void AfxThrowNotSupportedException() {
    throw new CNotSupportedException();
}
void AfxThrowResourceException() {
    throw new CResourceException();
}
void AfxThrowInvalidArgException() {
    throw new CInvalidArgException();
}
void AfxThrowUserException() {
    throw new CUserException();
}
void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName) {
    throw new CFileException(cause, lOsError, lpszFileName);
}
void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName) {
    throw new CArchiveException(cause, lpszArchiveName);
}
