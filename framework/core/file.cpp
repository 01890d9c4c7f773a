#include "framework/core/file.h"

#include <cstdlib>
#include <cstring>
#include <string>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CMemFile, CFile)
IMPLEMENT_DYNAMIC(CStdioFile, CFile)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

// ---- CFile ------------------------------------------------------------------------------------

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags)
    : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE) {
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile() {
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete)
        ::CloseHandle(m_hFile); // errors cannot be reported from a destructor
    m_hFile = INVALID_HANDLE_VALUE;
}

void CFile::ThrowLastError() const {
    DWORD err = ::GetLastError();
    if (err == 0)
        err = ERROR_GEN_FAILURE;
    CFileException::ThrowOsError((LONG)err, m_strFileName);
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    if (pError != NULL) {
        pError->m_cause = CFileException::none;
        pError->m_lOsError = -1;
        pError->m_strFileName = lpszFileName;
    }
    if (m_hFile != INVALID_HANDLE_VALUE) {
        // Already open: the framework asserts; report it as an invalid file.
        if (pError != NULL) {
            pError->m_cause = CFileException::invalidFile;
            pError->m_lOsError = ERROR_INVALID_HANDLE;
        }
        return FALSE;
    }
    if (lpszFileName == NULL || *lpszFileName == 0) {
        if (pError != NULL) {
            pError->m_cause = CFileException::badPath;
            pError->m_lOsError = ERROR_INVALID_NAME;
        }
        return FALSE;
    }
    m_bCloseOnDelete = FALSE;

    // The full path, for GetFilePath and error reports.
    wchar_t full[MAX_PATH * 2];
    DWORD n = ::GetFullPathNameW(lpszFileName, MAX_PATH * 2, full, NULL);
    if (n > 0 && n < MAX_PATH * 2)
        m_strFileName = full;
    else
        m_strFileName = lpszFileName;

    DWORD access;
    switch (nOpenFlags & 3) {
    case modeRead:
        access = GENERIC_READ;
        break;
    case modeWrite:
        access = GENERIC_WRITE;
        break;
    case modeReadWrite:
        access = GENERIC_READ | GENERIC_WRITE;
        break;
    default:
        access = GENERIC_READ;
        break;
    }
    DWORD share;
    switch (nOpenFlags & 0x70) {
    case shareDenyWrite:
        share = FILE_SHARE_READ;
        break;
    case shareDenyRead:
        share = FILE_SHARE_WRITE;
        break;
    case shareDenyNone:
        share = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    default: // shareCompat, shareExclusive
        share = 0;
        break;
    }
    SECURITY_ATTRIBUTES sa;
    sa.nLength = sizeof(sa);
    sa.lpSecurityDescriptor = NULL;
    sa.bInheritHandle = (nOpenFlags & modeNoInherit) == 0;
    DWORD create;
    if (nOpenFlags & modeCreate)
        create = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    else
        create = OPEN_EXISTING;
    DWORD attrs = FILE_ATTRIBUTE_NORMAL;
    if (nOpenFlags & osNoBuffer)
        attrs |= FILE_FLAG_NO_BUFFERING;
    if (nOpenFlags & osWriteThrough)
        attrs |= FILE_FLAG_WRITE_THROUGH;
    if (nOpenFlags & osRandomAccess)
        attrs |= FILE_FLAG_RANDOM_ACCESS;
    if (nOpenFlags & osSequentialScan)
        attrs |= FILE_FLAG_SEQUENTIAL_SCAN;

    HANDLE h = ::CreateFileW(lpszFileName, access, share, &sa, create, attrs, NULL);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD err = ::GetLastError();
        if (pError != NULL) {
            pError->m_lOsError = (LONG)err;
            pError->m_cause = CFileException::OsErrorToException((LONG)err);
            if (pError->m_cause == CFileException::none)
                pError->m_cause = CFileException::genericException;
        }
        return FALSE;
    }
    m_hFile = h;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

ULONGLONG CFile::GetPosition() const {
    LARGE_INTEGER zero, pos;
    zero.QuadPart = 0;
    if (!::SetFilePointerEx(m_hFile, zero, &pos, FILE_CURRENT))
        ThrowLastError();
    return (ULONGLONG)pos.QuadPart;
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
    DWORD method = nFrom == begin ? FILE_BEGIN : nFrom == end ? FILE_END : FILE_CURRENT;
    LARGE_INTEGER off, pos;
    off.QuadPart = lOff;
    if (!::SetFilePointerEx(m_hFile, off, &pos, method))
        ThrowLastError();
    return (ULONGLONG)pos.QuadPart;
}

void CFile::SetLength(ULONGLONG dwNewLen) {
    Seek((LONGLONG)dwNewLen, begin);
    if (!::SetEndOfFile(m_hFile))
        ThrowLastError();
}

ULONGLONG CFile::GetLength() const {
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_hFile, &size))
        ThrowLastError();
    return (ULONGLONG)size.QuadPart;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
    if (nCount == 0)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    DWORD nRead = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &nRead, NULL))
        ThrowLastError();
    return (UINT)nRead;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
    if (nCount == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    DWORD nWritten = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &nWritten, NULL))
        ThrowLastError();
    if (nWritten != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

void CFile::Close() {
    BOOL bError = FALSE;
    DWORD err = 0;
    if (m_hFile != INVALID_HANDLE_VALUE) {
        bError = !::CloseHandle(m_hFile);
        if (bError)
            err = ::GetLastError();
    }
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    CString name = m_strFileName;
    m_strFileName.Empty();
    if (bError)
        CFileException::ThrowOsError((LONG)(err ? err : ERROR_GEN_FAILURE), name);
}

void CFile::Abort() {
    if (m_hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

void CFile::Flush() {
    if (m_hFile == INVALID_HANDLE_VALUE)
        return;
    if (!::FlushFileBuffers(m_hFile))
        ThrowLastError();
}

CString CFile::GetFileName() const {
    int i = m_strFileName.GetLength();
    while (i > 0) {
        wchar_t c = m_strFileName[i - 1];
        if (c == L'\\' || c == L'/' || c == L':')
            break;
        --i;
    }
    return m_strFileName.Mid(i);
}

CString CFile::GetFileTitle() const {
    CString name = GetFileName();
    int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const {
    std::memset(&rStatus, 0, sizeof(rStatus));
    std::wcsncpy(rStatus.m_szFullName, m_strFileName, MAX_PATH - 1);
    if (m_hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(m_hFile, &info))
        return FALSE;
    rStatus.m_ctime = info.ftCreationTime;
    rStatus.m_atime = info.ftLastAccessTime;
    rStatus.m_mtime = info.ftLastWriteTime;
    rStatus.m_size = ((ULONGLONG)info.nFileSizeHigh << 32) | info.nFileSizeLow;
    rStatus.m_attribute = (BYTE)info.dwFileAttributes;
    return TRUE;
}

BOOL PASCAL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus) {
    std::memset(&rStatus, 0, sizeof(rStatus));
    if (lpszFileName == NULL)
        return FALSE;
    DWORD n = ::GetFullPathNameW(lpszFileName, MAX_PATH, rStatus.m_szFullName, NULL);
    if (n == 0 || n >= MAX_PATH) {
        rStatus.m_szFullName[0] = 0;
        return FALSE;
    }
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(lpszFileName, GetFileExInfoStandard, &data))
        return FALSE;
    rStatus.m_ctime = data.ftCreationTime;
    rStatus.m_atime = data.ftLastAccessTime;
    rStatus.m_mtime = data.ftLastWriteTime;
    rStatus.m_size = ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
    rStatus.m_attribute = (BYTE)data.dwFileAttributes;
    return TRUE;
}

void PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName) {
    if (!::MoveFileW(lpszOldName, lpszNewName))
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszOldName);
}

void PASCAL CFile::Remove(LPCTSTR lpszFileName) {
    if (!::DeleteFileW(lpszFileName))
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
}

// ---- CMemFile ---------------------------------------------------------------------------------

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(NULL),
      m_bAutoDelete(TRUE) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
    : m_nGrowBytes(0), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(NULL),
      m_bAutoDelete(TRUE) {
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile() {
    FreeBuffer();
}

void CMemFile::FreeBuffer() {
    if (m_lpBuffer != NULL && m_bAutoDelete)
        std::free(m_lpBuffer);
    m_lpBuffer = NULL;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
    FreeBuffer();
    if (lpBuffer == NULL)
        nBufferSize = 0;
    m_nGrowBytes = nGrowBytes;
    m_nPosition = 0;
    m_nBufferSize = nBufferSize;
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_lpBuffer = lpBuffer;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach() {
    BYTE* p = m_lpBuffer;
    m_lpBuffer = NULL;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return p;
}

void CMemFile::GrowFile(SIZE_T dwNewLen) {
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException(); // a fixed-size attached buffer
    SIZE_T newSize = m_nBufferSize;
    while (newSize < dwNewLen) {
        SIZE_T next = newSize + m_nGrowBytes;
        if (next < newSize)
            AfxThrowMemoryException(); // overflow
        newSize = next;
    }
    BYTE* p;
    if (m_bAutoDelete) {
        p = (BYTE*)std::realloc(m_lpBuffer, newSize);
    } else {
        // The caller's buffer: copy into our own memory, never reallocate or free theirs.
        p = (BYTE*)std::malloc(newSize);
        if (p != NULL && m_lpBuffer != NULL && m_nFileSize > 0)
            std::memcpy(p, m_lpBuffer, m_nFileSize);
    }
    if (p == NULL)
        AfxThrowMemoryException();
    // Bytes between the old end and the new size read as zeros (a gap made by a seek).
    std::memset(p + m_nFileSize, 0, newSize - m_nFileSize);
    m_lpBuffer = p;
    m_nBufferSize = newSize;
    m_bAutoDelete = TRUE;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom) {
    LONGLONG base = nFrom == begin ? 0
                    : nFrom == end ? (LONGLONG)m_nFileSize
                                   : (LONGLONG)m_nPosition;
    LONGLONG pos = base + lOff;
    if (pos < 0 || pos > 0x7FFFFFFFLL)
        AfxThrowFileException(CFileException::badSeek);
    m_nPosition = (SIZE_T)pos;
    return (ULONGLONG)m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen) {
    if (dwNewLen > 0x7FFFFFFFULL)
        AfxThrowMemoryException();
    SIZE_T n = (SIZE_T)dwNewLen;
    if (n > m_nBufferSize)
        GrowFile(n);
    else if (n > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, n - m_nFileSize);
    if (n < m_nPosition)
        m_nPosition = n;
    m_nFileSize = n;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
    if (nCount == 0 || m_nPosition >= m_nFileSize)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    SIZE_T n = m_nFileSize - m_nPosition;
    if (n > nCount)
        n = nCount;
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
    m_nPosition += n;
    return (UINT)n;
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
    if (nCount == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    SIZE_T end = m_nPosition + nCount;
    if (end < m_nPosition)
        AfxThrowMemoryException();
    if (end > m_nBufferSize)
        GrowFile(end);
    if (m_nPosition > m_nFileSize) // a gap after a seek past the end reads as zeros
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memmove(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = end;
    if (m_nPosition > m_nFileSize)
        m_nFileSize = m_nPosition;
}

void CMemFile::Close() {
    FreeBuffer();
    m_bAutoDelete = TRUE;
}

// ---- CStdioFile -------------------------------------------------------------------------------

CStdioFile::CStdioFile() : m_bText(TRUE), m_nBufPos(0), m_nBufLen(0) {}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags)
    : m_bText(TRUE), m_nBufPos(0), m_nBufLen(0) {
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CStdioFile::~CStdioFile() {}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    m_bText = (nOpenFlags & typeBinary) == 0;
    m_nBufPos = m_nBufLen = 0;
    return CFile::Open(lpszFileName, nOpenFlags & ~(UINT)(typeText | typeBinary), pError);
}

void CStdioFile::DropReadAhead() {
    if (m_nBufPos < m_nBufLen && m_hFile != INVALID_HANDLE_VALUE)
        CFile::Seek(-(LONGLONG)(m_nBufLen - m_nBufPos), current);
    m_nBufPos = m_nBufLen = 0;
}

int CStdioFile::GetByte() {
    if (m_nBufPos >= m_nBufLen) {
        m_nBufPos = 0;
        m_nBufLen = CFile::Read(m_buf, sizeof m_buf);
        if (m_nBufLen == 0)
            return -1;
    }
    return m_buf[m_nBufPos++];
}

BOOL CStdioFile::ReadString(CString& rString) {
    std::string line;
    bool any = false;
    for (;;) {
        int c = GetByte();
        if (c < 0)
            break;
        any = true;
        if (c == '\n')
            break;
        line += (char)c;
    }
    if (m_bText && !line.empty() && line.back() == '\r')
        line.pop_back();
    rString = CString::FromMultiByte(line.data(), (int)line.size());
    return any;
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax) {
    if (lpsz == NULL || nMax == 0)
        AfxThrowInvalidArgException();
    // Reads at most nMax - 1 characters; the "\n" is kept (as "\n" in text mode).
    std::string line;
    bool any = false;
    // Bytes bound the characters (a character takes one byte or more).
    for (;;) {
        if (line.size() >= nMax - 1)
            break;
        int c = GetByte();
        if (c < 0)
            break;
        any = true;
        line += (char)c;
        if (c == '\n')
            break;
    }
    if (!any) {
        *lpsz = 0;
        return NULL;
    }
    if (m_bText && line.size() >= 2 && line[line.size() - 1] == '\n' &&
        line[line.size() - 2] == '\r')
        line.erase(line.size() - 2, 1);
    CString s = CString::FromMultiByte(line.data(), (int)line.size());
    UINT n = (UINT)s.GetLength() < nMax - 1 ? (UINT)s.GetLength() : nMax - 1;
    std::wmemcpy(lpsz, (LPCWSTR)s, n);
    lpsz[n] = 0;
    return lpsz;
}

void CStdioFile::WriteString(LPCTSTR lpsz) {
    if (lpsz == NULL)
        AfxThrowInvalidArgException();
    CString s(lpsz);
    if (m_bText)
        s.Replace(L"\n", L"\r\n");
    std::string bytes = s.ToMultiByte();
    Write(bytes.data(), (UINT)bytes.size());
}

ULONGLONG CStdioFile::GetPosition() const {
    return CFile::GetPosition() - (m_nBufLen - m_nBufPos);
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom) {
    DropReadAhead();
    return CFile::Seek(lOff, nFrom);
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount) {
    UINT n = 0;
    BYTE* out = (BYTE*)lpBuf;
    while (n < nCount && m_nBufPos < m_nBufLen)
        out[n++] = m_buf[m_nBufPos++];
    if (n < nCount)
        n += CFile::Read(out + n, nCount - n);
    return n;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount) {
    DropReadAhead();
    CFile::Write(lpBuf, nCount);
}

void CStdioFile::Close() {
    m_nBufPos = m_nBufLen = 0;
    CFile::Close();
}

void CStdioFile::Abort() {
    m_nBufPos = m_nBufLen = 0;
    CFile::Abort();
}

void CStdioFile::Flush() {
    DropReadAhead();
    CFile::Flush();
}

// ---- CMirrorFile ------------------------------------------------------------------------------

CMirrorFile::~CMirrorFile() {
    if (m_hFile != INVALID_HANDLE_VALUE && !m_strMirrorName.IsEmpty()) {
        ::CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
        ::DeleteFileW(m_strMirrorName);
    }
}

BOOL CMirrorFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    // Open already: refused below, and the mirror being written must stay known so that Close
    // still puts it in place.
    if (m_hFile != INVALID_HANDLE_VALUE)
        return CFile::Open(lpszFileName, nOpenFlags, pError);
    m_strMirrorName.Empty();
    if ((nOpenFlags & modeCreate) == 0 || (nOpenFlags & modeNoTruncate) != 0)
        return CFile::Open(lpszFileName, nOpenFlags, pError);
    // A temporary file in the target's folder, so that the final rename stays on one volume.
    wchar_t full[MAX_PATH];
    LPWSTR namePart = NULL;
    DWORD n = ::GetFullPathNameW(lpszFileName, MAX_PATH, full, &namePart);
    if (n == 0 || n >= MAX_PATH || namePart == NULL)
        return CFile::Open(lpszFileName, nOpenFlags, pError);
    *namePart = 0;
    wchar_t temp[MAX_PATH];
    if (::GetTempFileNameW(full, L"MIR", 0, temp) == 0)
        return CFile::Open(lpszFileName, nOpenFlags, pError);
    if (!CFile::Open(temp, nOpenFlags, pError)) {
        ::DeleteFileW(temp);
        return FALSE;
    }
    m_strMirrorName = temp;
    // Report the target's name, not the temporary one.
    n = ::GetFullPathNameW(lpszFileName, MAX_PATH, full, NULL);
    m_strFileName = (n > 0 && n < MAX_PATH) ? CString(full) : CString(lpszFileName);
    return TRUE;
}

void CMirrorFile::Close() {
    CString target = m_strFileName;
    CString mirror = m_strMirrorName;
    m_strMirrorName.Empty();
    CFile::Close();
    if (!mirror.IsEmpty()) {
        if (!::MoveFileExW(mirror, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
            DWORD err = ::GetLastError();
            ::DeleteFileW(mirror);
            CFileException::ThrowOsError((LONG)(err ? err : ERROR_GEN_FAILURE), target);
        }
    }
}

void CMirrorFile::Abort() {
    CString mirror = m_strMirrorName;
    m_strMirrorName.Empty();
    CFile::Abort();
    if (!mirror.IsEmpty())
        ::DeleteFileW(mirror);
}
