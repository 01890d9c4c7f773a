#include "framework/core/archive.h"

#include "framework/core/guard.h"

#include "framework/core/arrays.h"

#include <cstring>

namespace {
const WORD wNullTag = 0;
const WORD wNewClassTag = 0xFFFF;
const WORD wClassTag = 0x8000;
const DWORD dwBigClassTag = 0x80000000;
const WORD wBigObjectTag = 0x7FFF;
const DWORD nMaxMapCount = 0x3FFFFFFE;
const UINT nMaxClassNameLength = 64;
} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(NULL), m_bForceFlat(TRUE), m_pFile(pFile), m_nMode(nMode), m_buf(NULL),
      m_nBufSize(0), m_nCur(0), m_nMax(0), m_nMapCount(1), m_nObjectSchema((UINT)-1) {
    if (pFile == NULL)
        AfxThrowInvalidArgException();
    if (nBufSize < 128)
        nBufSize = 128;
    m_nBufSize = (UINT)nBufSize;
    if (lpBuf != NULL) {
        m_buf = (BYTE*)lpBuf;
    } else {
        m_ownBuf.resize(m_nBufSize);
        m_buf = m_ownBuf.data();
    }
    m_strFileName = pFile->GetFilePath();
    m_loadArray.push_back(LoadEntry{NULL, false, 0}); // index 0: NULL
}

CArchive::~CArchive() {
    if (m_pFile != NULL && !(m_nMode & bNoFlushOnDelete)) {
        AfxGuardCleanup(L"closing an archive", [&] { Close(); });
    }
    m_pFile = NULL;
}

void CArchive::ThrowArchive(int cause) const {
    AfxThrowArchiveException(cause, m_strFileName);
}

void CArchive::CheckLoading() {
    if (m_pFile == NULL)
        ThrowArchive(CArchiveException::genericException);
    if (!IsLoading())
        ThrowArchive(CArchiveException::writeOnly);
}

void CArchive::CheckStoring() {
    if (m_pFile == NULL)
        ThrowArchive(CArchiveException::genericException);
    if (!IsStoring())
        ThrowArchive(CArchiveException::readOnly);
}

// ---- raw data ---------------------------------------------------------------------------------

void CArchive::FlushStore() {
    if (m_nCur > 0) {
        UINT n = m_nCur;
        m_nCur = 0;
        m_pFile->Write(m_buf, n);
    }
}

void CArchive::FillBuffer(UINT nBytesNeeded) {
    // Keeps the unread bytes and reads more until nBytesNeeded are there or the file ends.
    UINT unread = m_nMax - m_nCur;
    if (unread > 0 && m_nCur > 0)
        std::memmove(m_buf, m_buf + m_nCur, unread);
    m_nCur = 0;
    m_nMax = unread;
    while (m_nMax < nBytesNeeded) {
        UINT n = m_pFile->Read(m_buf + m_nMax, m_nBufSize - m_nMax);
        if (n == 0)
            break;
        m_nMax += n;
    }
}

CArchive& CArchive::WriteRaw(const void* p, UINT n) {
    Write(p, n);
    return *this;
}

CArchive& CArchive::ReadRaw(void* p, UINT n) {
    CheckLoading();
    if (m_nMax - m_nCur >= n) {
        std::memcpy(p, m_buf + m_nCur, n);
        m_nCur += n;
    } else if (Read(p, n) != n) {
        ThrowArchive(CArchiveException::endOfFile);
    }
    return *this;
}

void CArchive::CheckAvailable(ULONGLONG nBytes) {
    CheckLoading();
    ULONGLONG buffered = m_nMax - m_nCur;
    if (nBytes <= buffered)
        return;
    ULONGLONG length, position;
    try {
        length = m_pFile->GetLength();
        position = m_pFile->GetPosition();
    } catch (CException* e) {
        e->Delete();
        return; // the file cannot tell: reading will find the end
    }
    ULONGLONG left = length > position ? length - position : 0;
    if (nBytes > buffered + left)
        ThrowArchive(CArchiveException::endOfFile);
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
    CheckLoading();
    if (nMax == 0)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    BYTE* out = (BYTE*)lpBuf;
    UINT total = 0;
    while (total < nMax) {
        if (m_nCur == m_nMax) {
            UINT left = nMax - total;
            if (left >= m_nBufSize) {
                // Large reads go straight to the file.
                UINT n = m_pFile->Read(out + total, left);
                if (n == 0)
                    break;
                total += n;
                continue;
            }
            FillBuffer(left);
            if (m_nCur == m_nMax)
                break;
        }
        UINT n = m_nMax - m_nCur;
        if (n > nMax - total)
            n = nMax - total;
        std::memcpy(out + total, m_buf + m_nCur, n);
        m_nCur += n;
        total += n;
    }
    return total;
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
    CheckStoring();
    if (nMax == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    const BYTE* in = (const BYTE*)lpBuf;
    while (nMax > 0) {
        if (m_nCur == m_nBufSize)
            FlushStore();
        if (m_nCur == 0 && nMax >= m_nBufSize) {
            m_pFile->Write(in, nMax);
            return;
        }
        UINT n = m_nBufSize - m_nCur;
        if (n > nMax)
            n = nMax;
        std::memcpy(m_buf + m_nCur, in, n);
        m_nCur += n;
        in += n;
        nMax -= n;
    }
}

void CArchive::Flush() {
    if (m_pFile == NULL)
        return;
    if (IsStoring()) {
        FlushStore(); // the file's own buffers are the file's business (as the framework)
    } else if (m_nMax != m_nCur) {
        // Give the unread bytes back so the file's position is the archive's.
        m_pFile->Seek(-(LONGLONG)(m_nMax - m_nCur), CFile::current);
        m_nCur = m_nMax = 0;
    }
}

void CArchive::Close() {
    if (m_pFile == NULL)
        return;
    try {
        Flush();
    } catch (...) {
        m_pFile = NULL;
        throw;
    }
    m_pFile = NULL;
}

void CArchive::Abort() {
    m_pFile = NULL;
    m_nCur = m_nMax = 0;
}

// ---- counts -----------------------------------------------------------------------------------

void CArchive::WriteCount(DWORD_PTR dwCount) {
    if (dwCount < 0xFFFF) {
        *this << (WORD)dwCount;
    } else {
        *this << (WORD)0xFFFF;
        *this << (DWORD)dwCount;
    }
}

DWORD_PTR CArchive::ReadCount() {
    WORD wCount;
    *this >> wCount;
    if (wCount != 0xFFFF)
        return wCount;
    DWORD dwCount;
    *this >> dwCount;
    if (dwCount != 0xFFFFFFFF)
        return dwCount;
    ULONGLONG qwCount;
    *this >> qwCount;
    if (qwCount > 0xFFFFFFFFULL)
        ThrowArchive(CArchiveException::badIndex); // cannot be held in this process
    return (DWORD_PTR)qwCount;
}

// ---- strings ----------------------------------------------------------------------------------

CArchive& operator<<(CArchive& ar, const CString& string) {
    DWORD n = (DWORD)string.GetLength();
    // The Unicode marker.
    ar << (BYTE)0xFF;
    ar << (WORD)0xFFFE;
    if (n < 255) {
        ar << (BYTE)n;
    } else if (n < 0xFFFE) {
        ar << (BYTE)0xFF;
        ar << (WORD)n;
    } else {
        ar << (BYTE)0xFF;
        ar << (WORD)0xFFFF;
        ar << (DWORD)n;
    }
    ar.Write((LPCWSTR)string, n * sizeof(wchar_t));
    return ar;
}

namespace {
// The framework's string length: returns the length, and sets nCharSize to 1 (8-bit) or 2.
DWORD ReadStringLength(CArchive& ar, UINT& nCharSize) {
    nCharSize = 1;
    BYTE bLen;
    ar >> bLen;
    if (bLen < 0xFF)
        return bLen;
    WORD wLen;
    ar >> wLen;
    if (wLen == 0xFFFE) {
        // Unicode string: the length follows.
        nCharSize = 2;
        ar >> bLen;
        if (bLen < 0xFF)
            return bLen;
        ar >> wLen;
        if (wLen == 0xFFFE)
            AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName);
    }
    if (wLen < 0xFFFF)
        return wLen;
    DWORD dwLen;
    ar >> dwLen;
    if (dwLen == 0xFFFFFFFF)
        AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName);
    return dwLen;
}
} // namespace

CArchive& operator>>(CArchive& ar, CString& string) {
    UINT nCharSize;
    DWORD n = ReadStringLength(ar, nCharSize);
    // Read in chunks: a corrupt length cannot make us allocate more than the data holds.
    if (nCharSize == 2) {
        std::wstring s;
        wchar_t chunk[1024];
        while (n > 0) {
            UINT k = n < 1024 ? (UINT)n : 1024;
            ar.ReadRaw(chunk, k * sizeof(wchar_t));
            s.append(chunk, k);
            n -= k;
        }
        string = CString(s);
    } else {
        std::string s;
        char chunk[2048];
        while (n > 0) {
            UINT k = n < 2048 ? (UINT)n : 2048;
            ar.ReadRaw(chunk, k);
            s.append(chunk, k);
            n -= k;
        }
        string = CString::FromMultiByte(s.data(), (int)s.size());
    }
    return ar;
}

// ---- run-time classes -------------------------------------------------------------------------

void CRuntimeClass::Store(CArchive& ar) const {
    WORD nLen = (WORD)std::strlen(m_lpszClassName);
    ar << (WORD)m_wSchema << nLen;
    ar.Write(m_lpszClassName, nLen * sizeof(char));
}

CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum) {
    WORD nLen;
    char szClassName[nMaxClassNameLength + 1];
    WORD wTemp;
    ar >> wTemp;
    if (pwSchemaNum != NULL)
        *pwSchemaNum = wTemp;
    ar >> nLen;
    if (nLen >= nMaxClassNameLength || ar.Read(szClassName, nLen) != nLen)
        return NULL;
    szClassName[nLen] = 0;
    return FromName(szClassName);
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef) {
    CheckStoring();
    if (pClassRef == NULL)
        AfxThrowInvalidArgException();
    if (pClassRef->m_wSchema == 0xFFFF)
        AfxThrowNotSupportedException(); // not a serializable class
    auto it = m_storeMap.find(pClassRef);
    if (it != m_storeMap.end()) {
        DWORD nClassIndex = it->second;
        if (nClassIndex < wBigObjectTag) {
            *this << (WORD)(wClassTag | nClassIndex);
        } else {
            *this << wBigObjectTag;
            *this << (DWORD)(dwBigClassTag | nClassIndex);
        }
        return;
    }
    *this << wNewClassTag;
    pClassRef->Store(*this);
    if (m_nMapCount >= nMaxMapCount)
        ThrowArchive(CArchiveException::badIndex);
    m_storeMap[pClassRef] = m_nMapCount++;
}

void CArchive::WriteObject(const CObject* pOb) {
    CheckStoring();
    if (pOb == NULL) {
        *this << wNullTag;
        return;
    }
    auto it = m_storeMap.find(pOb);
    if (it != m_storeMap.end()) {
        DWORD nObIndex = it->second;
        if (nObIndex < wBigObjectTag) {
            *this << (WORD)nObIndex;
        } else {
            *this << wBigObjectTag;
            *this << nObIndex;
        }
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    if (m_nMapCount >= nMaxMapCount)
        ThrowArchive(CArchiveException::badIndex);
    m_storeMap[pOb] = m_nMapCount++;
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema,
                                   DWORD* pObTag) {
    CheckLoading();
    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == wBigObjectTag) {
        *this >> obTag;
    } else {
        obTag = ((DWORD)(wTag & wClassTag) << 16) | (wTag & ~wClassTag);
    }
    if (!(obTag & dwBigClassTag)) {
        // An object tag (a back-reference or NULL).
        if (pObTag == NULL)
            ThrowArchive(CArchiveException::badIndex);
        *pObTag = obTag;
        return NULL;
    }
    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == wNewClassTag) {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (pClassRef == NULL)
            ThrowArchive(CArchiveException::badClass);
        if (pClassRef->m_wSchema == 0xFFFF)
            ThrowArchive(CArchiveException::badClass); // not serializable
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema) {
            if (!(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
                ThrowArchive(CArchiveException::badSchema);
        }
        if (m_nMapCount >= nMaxMapCount)
            ThrowArchive(CArchiveException::badIndex);
        m_loadArray.push_back(LoadEntry{pClassRef, true, nSchema});
        ++m_nMapCount;
    } else {
        DWORD nClassIndex = obTag & ~dwBigClassTag;
        if (nClassIndex == 0 || nClassIndex >= m_loadArray.size() ||
            !m_loadArray[nClassIndex].isClass)
            ThrowArchive(CArchiveException::badIndex);
        pClassRef = (CRuntimeClass*)m_loadArray[nClassIndex].p;
        nSchema = m_loadArray[nClassIndex].nSchema; // as met with the class the first time
    }
    if (pClassRefRequested != NULL && !pClassRef->IsDerivedFrom(pClassRefRequested))
        ThrowArchive(CArchiveException::badClass);
    if (pSchema != NULL)
        *pSchema = nSchema;
    else
        m_nObjectSchema = nSchema;
    return pClassRef;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef) {
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested) {
    CheckLoading();
    UINT nSchema;
    DWORD obTag;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);
    if (pClassRef == NULL) {
        if (obTag >= m_loadArray.size() || m_loadArray[obTag].isClass)
            ThrowArchive(CArchiveException::badIndex);
        CObject* pOb = (CObject*)m_loadArray[obTag].p;
        if (pOb != NULL && pClassRefRequested != NULL && !pOb->IsKindOf(pClassRefRequested))
            ThrowArchive(CArchiveException::badClass);
        return pOb;
    }
    if (m_nDepth >= nMaxObjectDepth)
        ThrowArchive(CArchiveException::genericException);
    CObject* pOb = pClassRef->CreateObject();
    if (pOb == NULL)
        AfxThrowMemoryException();
    if (m_nMapCount >= nMaxMapCount) {
        delete pOb;
        ThrowArchive(CArchiveException::badIndex);
    }
    const size_t index = m_loadArray.size();
    m_loadArray.push_back(LoadEntry{pOb, false, 0});
    ++m_nMapCount;
    UINT nSchemaSave = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    ++m_nDepth;
    try {
        AfxGuardArchiveRead(m_strFileName, [&] { pOb->Serialize(*this); });
    } catch (...) {
        // The half-loaded object is not handed out: forget it and delete it.
        --m_nDepth;
        m_loadArray[index].p = NULL;
        m_nObjectSchema = nSchemaSave;
        delete pOb;
        throw;
    }
    --m_nDepth;
    m_nObjectSchema = nSchemaSave;
    return pOb;
}

void CArchive::MapObject(const CObject* pOb) {
    if (IsStoring()) {
        if (pOb != NULL && m_storeMap.find(pOb) == m_storeMap.end()) {
            if (m_nMapCount >= nMaxMapCount)
                ThrowArchive(CArchiveException::badIndex);
            m_storeMap[pOb] = m_nMapCount++;
        }
    } else {
        if (m_nMapCount >= nMaxMapCount)
            ThrowArchive(CArchiveException::badIndex);
        m_loadArray.push_back(LoadEntry{(void*)pOb, false, 0});
        ++m_nMapCount;
    }
}

UINT CArchive::GetObjectSchema() {
    UINT n = m_nObjectSchema;
    m_nObjectSchema = (UINT)-1;
    return n;
}

// ---- free operators ---------------------------------------------------------------------------

CArchive& operator<<(CArchive& ar, const CObject* pOb) {
    ar.WriteObject(pOb);
    return ar;
}

CArchive& operator>>(CArchive& ar, CObject*& pOb) {
    pOb = ar.ReadObject(NULL);
    return ar;
}

CArchive& operator>>(CArchive& ar, const CObject*& pOb) {
    pOb = ar.ReadObject(NULL);
    return ar;
}

CObject* AfxReadObjectFromArchive(CArchive& ar, const CRuntimeClass* pClassRequested) {
    return ar.ReadObject(pClassRequested);
}

CArchive& operator<<(CArchive& ar, SIZE size) {
    return ar << (LONG)size.cx << (LONG)size.cy;
}
CArchive& operator<<(CArchive& ar, POINT point) {
    return ar << (LONG)point.x << (LONG)point.y;
}
CArchive& operator<<(CArchive& ar, const RECT& rect) {
    return ar << (LONG)rect.left << (LONG)rect.top << (LONG)rect.right << (LONG)rect.bottom;
}
CArchive& operator>>(CArchive& ar, SIZE& size) {
    return ar >> size.cx >> size.cy;
}
CArchive& operator>>(CArchive& ar, POINT& point) {
    return ar >> point.x >> point.y;
}
CArchive& operator>>(CArchive& ar, RECT& rect) {
    return ar >> rect.left >> rect.top >> rect.right >> rect.bottom;
}

// ---- helpers for the collection templates -----------------------------------------------------

BOOL AfxArchiveIsStoring(CArchive& ar) {
    return ar.IsStoring();
}
void AfxArchiveWriteCount(CArchive& ar, DWORD_PTR dwCount) {
    ar.WriteCount(dwCount);
}
DWORD_PTR AfxArchiveReadCount(CArchive& ar) {
    return ar.ReadCount();
}
void AfxArchiveWriteBytes(CArchive& ar, const void* lpBuf, UINT nBytes) {
    ar.Write(lpBuf, nBytes);
}
void AfxArchiveReadBytes(CArchive& ar, void* lpBuf, UINT nBytes) {
    // In pieces, so a bad count fails at the end of the data rather than in one huge read.
    BYTE* p = (BYTE*)lpBuf;
    while (nBytes > 0) {
        UINT k = nBytes < 65536 ? nBytes : 65536;
        ar.ReadRaw(p, k);
        p += k;
        nBytes -= k;
    }
}
void AfxArchiveCheckCount(CArchive& ar, DWORD_PTR dwCount, UINT nMinBytesEach) {
    ar.CheckAvailable((ULONGLONG)dwCount * nMinBytesEach);
}
void AfxArchiveWriteObject(CArchive& ar, const CObject* pOb) {
    ar.WriteObject(pOb);
}
CObject* AfxArchiveReadObject(CArchive& ar) {
    return ar.ReadObject(NULL);
}
