// Files: CFile over a Win32 handle, CMemFile (memory, growing), CStdioFile (lines of text) and
// CMirrorFile (writes a temporary file that replaces the target on Close).
#pragma once

#include "framework/core/cstring.h"
#include "framework/core/exceptions.h"
#include "framework/core/object.h"

// The state of a file (CFile::GetStatus). The times are the file system's FILETIMEs.
struct CFileStatus {
    FILETIME m_ctime; // creation
    FILETIME m_mtime; // last write
    FILETIME m_atime; // last access
    ULONGLONG m_size; // bytes
    BYTE m_attribute; // CFile::Attribute bits (the low byte of the Win32 attributes)
    TCHAR m_szFullName[MAX_PATH];
};

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000,
    };
    enum Attribute {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    static const HANDLE hFileNull;

    CFile();
    // Takes over an open handle (not closed by the destructor unless m_bCloseOnDelete is set).
    explicit CFile(HANDLE hFile);
    // Opens the file or throws CFileException.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    operator HANDLE() const { return m_hFile; }

    // Opens the file. On failure: FALSE, and *pError (when given) says why (m_cause, m_lOsError,
    // m_strFileName); nothing is thrown.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);

    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual ULONGLONG GetLength() const;

    // Reads up to nCount bytes; returns the count read (0 at the end). Errors throw CFileException.
    virtual UINT Read(void* lpBuf, UINT nCount);
    // Writes all nCount bytes or throws CFileException.
    virtual void Write(const void* lpBuf, UINT nCount);

    // Closes the file; an error throws (after the handle is released).
    virtual void Close();
    // Closes the file ignoring errors.
    virtual void Abort();
    virtual void Flush();

    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    virtual CString GetFilePath() const { return m_strFileName; }
    virtual void SetFilePath(LPCTSTR lpszNewName) { m_strFileName = lpszNewName; }

    BOOL GetStatus(CFileStatus& rStatus) const;
    static BOOL PASCAL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);
    static void PASCAL Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
    static void PASCAL Remove(LPCTSTR lpszFileName);

    HANDLE m_hFile;
    BOOL m_bCloseOnDelete;
    CString m_strFileName;

protected:
    void ThrowLastError() const;
};

// A file in memory. Constructed empty it grows by nGrowBytes; over an attached buffer with
// nGrowBytes 0 it is fixed-size (writing past the end throws CMemoryException) and its length is
// the buffer's size; with nGrowBytes > 0 it starts empty and moves to its own memory when it
// must grow (the caller's buffer is never freed or reallocated).
class CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Hands the buffer to the caller (to be freed with free() when the file allocated it) and
    // leaves the file empty.
    BYTE* Detach();

    ULONGLONG GetPosition() const override { return m_nPosition; }
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    void SetLength(ULONGLONG dwNewLen) override;
    ULONGLONG GetLength() const override { return m_nFileSize; }
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Close() override;
    void Abort() override { Close(); }
    void Flush() override {}

protected:
    void GrowFile(SIZE_T dwNewLen);
    void FreeBuffer();

    UINT m_nGrowBytes;
    SIZE_T m_nPosition;
    SIZE_T m_nBufferSize;
    SIZE_T m_nFileSize;
    BYTE* m_lpBuffer;
    BOOL m_bAutoDelete; // the buffer is ours (malloc)
};

// Lines of text: 8-bit text in the ANSI code page. In text mode (the default) "\n" is written as
// "\r\n" and "\r\n" reads as "\n"; typeBinary turns that translation off. ReadString(CString&)
// drops the line end; ReadString(LPTSTR, n) keeps the "\n".
class CStdioFile : public CFile {
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile();
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CStdioFile() override;

    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;

    // FALSE at the end of the file (nothing read).
    virtual BOOL ReadString(CString& rString);
    // NULL at the end of the file.
    virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    virtual void WriteString(LPCTSTR lpsz);

    ULONGLONG GetPosition() const override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Close() override;
    void Abort() override;
    void Flush() override;

protected:
    // -1 at the end of the file.
    int GetByte();
    void DropReadAhead();

    BOOL m_bText;
    BYTE m_buf[4096];
    UINT m_nBufPos;
    UINT m_nBufLen;
};

// Writes to a temporary file next to the target; Close replaces the target with it, Abort (and
// destruction without Close) deletes it. Reading opens the target itself.
class CMirrorFile : public CFile {
public:
    CMirrorFile() {}
    ~CMirrorFile() override;
    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;
    void Close() override;
    void Abort() override;

protected:
    CString m_strMirrorName;
};
