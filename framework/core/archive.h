// CArchive: the framework's binary store/load over a CFile, with its formats for counts, strings
// and objects by run-time class. Loading never reads past the data: a truncated or malformed
// archive throws CArchiveException.
#pragma once

#include "framework/core/cstring.h"
#include "framework/core/exceptions.h"
#include "framework/core/file.h"
#include "framework/core/geometry.h"
#include "framework/core/object.h"

#include <unordered_map>
#include <utility>
#include <vector>

class CDocument;

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    // nBufSize: the size of the archive's buffer (4096 by default); lpBuf: an optional caller
    // buffer of that size.
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    // Closes the archive (flushing a store) unless bNoFlushOnDelete; errors are swallowed.
    ~CArchive();

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    // Loading: no buffered bytes left.
    BOOL IsBufferEmpty() const { return m_nCur == m_nMax; }
    CFile* GetFile() const { return m_pFile; }

    // Reads up to nMax bytes; returns the count read (less only at the end of the data).
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Writes buffered bytes to the file (storing; the file itself is not flushed), or gives
    // unread buffered bytes back to the file's position (loading).
    void Flush();
    void Close();
    // Detaches from the file without flushing.
    void Abort();

    // Counts: a WORD below 0xFFFF, else 0xFFFF and a DWORD (and beyond, a 64-bit value).
    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    // Objects by run-time class: the framework's class-tag/schema protocol with back-references,
    // so an object stored twice loads as one object.
    void WriteObject(const CObject* pOb);
    // pClassRefRequested: the loaded object must be of that kind (else badClass); NULL: any.
    // Objects nest at most nMaxObjectDepth deep (deeper data throws genericException, long
    // before the stack would run out); a failed load deletes the object it was building.
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    static constexpr UINT nMaxObjectDepth = 500;
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = NULL, UINT* pSchema = NULL,
                             DWORD* pObTag = NULL);
    void SerializeClass(const CRuntimeClass* pClassRef);
    // Records an object as already stored / loaded, so later references write / read a tag.
    void MapObject(const CObject* pOb);
    // The schema of the object being loaded (versionable classes); -1 once read or when unknown.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Primitive types, little-endian.
    CArchive& operator<<(BYTE by) { return WriteRaw(&by, sizeof by); }
    CArchive& operator<<(WORD w) { return WriteRaw(&w, sizeof w); }
    CArchive& operator<<(LONG l) { return WriteRaw(&l, sizeof l); }
    CArchive& operator<<(DWORD dw) { return WriteRaw(&dw, sizeof dw); }
    CArchive& operator<<(float f) { return WriteRaw(&f, sizeof f); }
    CArchive& operator<<(double d) { return WriteRaw(&d, sizeof d); }
    CArchive& operator<<(LONGLONG dwdw) { return WriteRaw(&dwdw, sizeof dwdw); }
    CArchive& operator<<(ULONGLONG dwdw) { return WriteRaw(&dwdw, sizeof dwdw); }
    CArchive& operator<<(int i) { return *this << (LONG)i; }
    CArchive& operator<<(short w) { return *this << (WORD)w; }
    CArchive& operator<<(char ch) { return *this << (BYTE)ch; }
    CArchive& operator<<(wchar_t ch) { return *this << (WORD)ch; }
    CArchive& operator<<(unsigned u) { return *this << (LONG)u; }

    CArchive& operator>>(BYTE& by) { return ReadRaw(&by, sizeof by); }
    CArchive& operator>>(WORD& w) { return ReadRaw(&w, sizeof w); }
    CArchive& operator>>(DWORD& dw) { return ReadRaw(&dw, sizeof dw); }
    CArchive& operator>>(LONG& l) { return ReadRaw(&l, sizeof l); }
    CArchive& operator>>(float& f) { return ReadRaw(&f, sizeof f); }
    CArchive& operator>>(double& d) { return ReadRaw(&d, sizeof d); }
    CArchive& operator>>(LONGLONG& dwdw) { return ReadRaw(&dwdw, sizeof dwdw); }
    CArchive& operator>>(ULONGLONG& dwdw) { return ReadRaw(&dwdw, sizeof dwdw); }
    CArchive& operator>>(int& i) { return ReadRaw(&i, sizeof i); }
    CArchive& operator>>(short& w) { return ReadRaw(&w, sizeof w); }
    CArchive& operator>>(char& ch) { return ReadRaw(&ch, sizeof ch); }
    CArchive& operator>>(wchar_t& ch) { return ReadRaw(&ch, sizeof ch); }
    CArchive& operator>>(unsigned& u) { return ReadRaw(&u, sizeof u); }

    // The document being loaded or stored (set by the document; the archive does not use it).
    CDocument* m_pDocument;
    BOOL m_bForceFlat;
    // The name used in exceptions (the file's path).
    CString m_strFileName;

    // Internal: writes / reads exactly n bytes (reading past the end throws endOfFile).
    CArchive& WriteRaw(const void* p, UINT n);
    CArchive& ReadRaw(void* p, UINT n);
    // Loading: throws CArchiveException(endOfFile) when fewer than nBytes are left in the data
    // (when the file can tell its length), so a corrupt count cannot make a huge allocation.
    void CheckAvailable(ULONGLONG nBytes);

private:
    void FillBuffer(UINT nBytesNeeded);
    void FlushStore();
    void CheckLoading();
    void CheckStoring();
    void ThrowArchive(int cause) const;

    CFile* m_pFile;
    UINT m_nMode;
    std::vector<BYTE> m_ownBuf;
    BYTE* m_buf;
    UINT m_nBufSize;
    UINT m_nCur; // next byte in the buffer
    UINT m_nMax; // end of valid bytes (loading) / of written bytes (storing: m_nCur)

    // Object and class maps: index 0 is NULL, then classes and objects in the order met.
    struct LoadEntry {
        void* p;
        bool isClass;
        UINT nSchema; // a class: the schema it was stored with
    };
    std::unordered_map<const void*, DWORD> m_storeMap;
    std::vector<LoadEntry> m_loadArray;
    DWORD m_nMapCount;
    UINT m_nObjectSchema;
    UINT m_nDepth = 0; // objects being loaded, one inside the other
};

// Strings: the framework's length-prefixed form. A UTF-16 string is 0xFF, 0xFFFE, then the
// length (a BYTE below 0xFF, else 0xFF and a WORD below 0xFFFE, else 0xFFFF and a DWORD) and the
// characters. 8-bit strings (without the 0xFFFE marker) load through the ANSI code page.
CArchive& operator<<(CArchive& ar, const CString& string);
CArchive& operator>>(CArchive& ar, CString& string);
// Objects.
CArchive& operator<<(CArchive& ar, const CObject* pOb);
CArchive& operator>>(CArchive& ar, CObject*& pOb);
CArchive& operator>>(CArchive& ar, const CObject*& pOb);
// Geometry.
CArchive& operator<<(CArchive& ar, SIZE size);
CArchive& operator<<(CArchive& ar, POINT point);
CArchive& operator<<(CArchive& ar, const RECT& rect);
CArchive& operator>>(CArchive& ar, SIZE& size);
CArchive& operator>>(CArchive& ar, POINT& point);
CArchive& operator>>(CArchive& ar, RECT& rect);
