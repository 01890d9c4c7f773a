// Arrays with the framework's semantics: CArray<TYPE, ARG_TYPE>, the pointer, object, DWORD, WORD,
// BYTE, UINT and string arrays, and CTypedPtrArray. Also the element helpers the collections
// share (SerializeElements, CompareElements).
#pragma once

#include "framework/core/cstring.h"
#include "framework/core/exceptions.h"
#include "framework/core/object.h"

#include <cstring>
#include <utility>
#include <vector>

// ---- archive access for the collection templates (defined with CArchive) ------------------------

BOOL AfxArchiveIsStoring(CArchive& ar);
void AfxArchiveWriteCount(CArchive& ar, DWORD_PTR dwCount);
DWORD_PTR AfxArchiveReadCount(CArchive& ar);
void AfxArchiveWriteBytes(CArchive& ar, const void* lpBuf, UINT nBytes);
// Reads exactly nBytes, or throws CArchiveException(endOfFile).
void AfxArchiveReadBytes(CArchive& ar, void* lpBuf, UINT nBytes);
// Throws CArchiveException(endOfFile) when dwCount elements of at least nMinBytesEach bytes
// cannot be in the rest of the data.
void AfxArchiveCheckCount(CArchive& ar, DWORD_PTR dwCount, UINT nMinBytesEach);
void AfxArchiveWriteObject(CArchive& ar, const CObject* pOb);
CObject* AfxArchiveReadObject(CArchive& ar);

// ---- element helpers --------------------------------------------------------------------------

// Stores or loads nCount elements. The default is the framework's: raw bytes (for plain types).
// Specialised for CString (length-prefixed text); a caller may specialise it for its own types.
template <class TYPE> void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount) {
    if (nCount <= 0)
        return;
    const UINT chunk = 0x40000000u / (UINT)sizeof(TYPE);
    while (nCount > 0) {
        UINT n = (UINT)((INT_PTR)chunk < nCount ? (INT_PTR)chunk : nCount);
        if (AfxArchiveIsStoring(ar))
            AfxArchiveWriteBytes(ar, (const void*)pElements, n * (UINT)sizeof(TYPE));
        else
            AfxArchiveReadBytes(ar, (void*)pElements, n * (UINT)sizeof(TYPE));
        pElements += n;
        nCount -= (INT_PTR)n;
    }
}
template <>
void AFXAPI SerializeElements<CString>(CArchive& ar, CString* pElements, INT_PTR nCount);
template <>
void AFXAPI SerializeElements<CObject*>(CArchive& ar, CObject** pElements, INT_PTR nCount);

// The fewest bytes one archived element takes: 1 unless known (a caller's SerializeElements may
// store a type in fewer bytes than its size).
template <class TYPE> inline UINT AfxMinArchivedSize() {
    return 1;
}
template <> inline UINT AfxMinArchivedSize<CString>() {
    return 1;
}
template <> inline UINT AfxMinArchivedSize<CObject*>() {
    return 2;
}

template <class TYPE, class ARG_TYPE>
BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2) {
    return *pElement1 == *pElement2;
}

// ---- CArray -----------------------------------------------------------------------------------

// Growth follows the framework: when the allocation must grow it grows by the grow-by count
// (SetSize's second argument); grow-by 0 (the default) means size/8 clamped to 4..1024; never less
// than the requested size. New elements are value-initialised (zero for plain types). An index
// outside the array throws CInvalidArgException (the framework only asserts).
template <class TYPE, class ARG_TYPE = const TYPE&> class CArray : public CObject {
public:
    typedef TYPE BASE_TYPE;
    typedef ARG_TYPE BASE_ARG_TYPE;

    CArray() : m_nGrowBy(0) {}
    ~CArray() override {}

    INT_PTR GetSize() const { return (INT_PTR)(m_v.size() - m_nFront); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return GetSize() == 0; }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    // The allocated element count (growth rule), for diagnostics and tests.
    INT_PTR GetAllocSize() const { return (INT_PTR)(m_v.capacity() - m_nFront); }

    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1) {
        if (nNewSize < 0)
            AfxThrowInvalidArgException();
        if (nGrowBy >= 0)
            m_nGrowBy = nGrowBy;
        if (nNewSize == 0) {
            std::vector<TYPE>().swap(m_v);
            m_nFront = 0;
            return;
        }
        if (m_nFront + (size_t)nNewSize > m_v.capacity())
            DropFront();
        Reserve(nNewSize);
        m_v.resize(m_nFront + (size_t)nNewSize);
    }

    void FreeExtra() {
        if (m_nFront != 0 || m_v.size() != m_v.capacity()) {
            std::vector<TYPE> v;
            v.reserve(m_v.size() - m_nFront);
            for (size_t i = m_nFront; i < m_v.size(); ++i)
                v.push_back(std::move(m_v[i]));
            m_v.swap(v);
            m_nFront = 0;
        }
    }
    void RemoveAll() { SetSize(0, -1); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_v[Check(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_v[Check(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_v[Check(nIndex)] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_v[Check(nIndex)]; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_v[Check(nIndex)]; }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    const TYPE* GetData() const { return IsEmpty() ? NULL : m_v.data() + m_nFront; }
    TYPE* GetData() { return IsEmpty() ? NULL : m_v.data() + m_nFront; }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement) {
        if (nIndex < 0)
            AfxThrowInvalidArgException();
        TYPE copy(newElement); // newElement may live in this array
        if (nIndex >= GetSize())
            SetSize(nIndex + 1, -1);
        m_v[m_nFront + (size_t)nIndex] = std::move(copy);
    }
    INT_PTR Add(ARG_TYPE newElement) {
        INT_PTR nIndex = GetSize();
        SetAtGrow(nIndex, newElement);
        return nIndex;
    }
    // Appends a copy of src; returns the index of its first element.
    INT_PTR Append(const CArray& src) {
        INT_PTR nOldSize = GetSize();
        std::vector<TYPE> copy(src.m_v.begin() + src.m_nFront, src.m_v.end());
        SetSize(nOldSize + (INT_PTR)copy.size());
        for (size_t i = 0; i < copy.size(); ++i)
            m_v[m_nFront + (size_t)nOldSize + i] = std::move(copy[i]);
        return nOldSize;
    }
    void Copy(const CArray& src) {
        if (&src == this)
            return;
        SetSize(src.GetSize());
        for (INT_PTR i = 0; i < src.GetSize(); ++i)
            m_v[m_nFront + (size_t)i] = src.m_v[src.m_nFront + (size_t)i];
    }

    // Inserts nCount copies at nIndex; an index beyond the end grows the array first.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1) {
        if (nIndex < 0 || nCount < 0)
            AfxThrowInvalidArgException();
        if (nCount == 0)
            return;
        TYPE copy(newElement);
        if (nIndex >= GetSize()) {
            SetSize(nIndex + nCount, -1);
        } else {
            INT_PTR nOldSize = GetSize();
            SetSize(nOldSize + nCount, -1);
            std::move_backward(m_v.begin() + m_nFront + nIndex, m_v.begin() + m_nFront + nOldSize,
                               m_v.end());
        }
        for (INT_PTR i = 0; i < nCount; ++i)
            m_v[m_nFront + (size_t)(nIndex + i)] = copy;
    }
    void InsertAt(INT_PTR nStartIndex, CArray* pNewArray) {
        if (pNewArray == NULL || nStartIndex < 0)
            AfxThrowInvalidArgException();
        if (pNewArray->GetSize() == 0)
            return;
        std::vector<TYPE> items(pNewArray->m_v.begin() + pNewArray->m_nFront, pNewArray->m_v.end());
        InsertAt(nStartIndex, items[0], (INT_PTR)items.size());
        for (size_t i = 0; i < items.size(); ++i)
            m_v[m_nFront + (size_t)nStartIndex + i] = items[i];
    }
    // Removing near the front moves the elements before the run, not those after it: taking
    // elements off the front one at a time costs the same at any size.
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1) {
        if (nIndex < 0 || nCount < 0 || nIndex + nCount > GetSize())
            AfxThrowInvalidArgException();
        if (nCount == 0)
            return;
        const auto first = m_v.begin() + m_nFront;
        if (nIndex < GetSize() - (nIndex + nCount)) {
            std::move_backward(first, first + nIndex, first + nIndex + nCount);
            std::fill(first, first + nCount, TYPE()); // what they held is released now
            m_nFront += (size_t)nCount;
        } else {
            m_v.erase(first + nIndex, first + nIndex + nCount);
        }
        if (IsEmpty()) {
            m_v.clear();
            m_nFront = 0;
        }
    }

    void Serialize(CArchive& ar) override {
        CObject::Serialize(ar);
        if (AfxArchiveIsStoring(ar)) {
            AfxArchiveWriteCount(ar, (DWORD_PTR)GetSize());
        } else {
            DWORD_PTR nOldSize = AfxArchiveReadCount(ar);
            AfxArchiveCheckCount(ar, nOldSize, AfxMinArchivedSize<TYPE>());
            SetSize((INT_PTR)nOldSize, -1);
        }
        SerializeElements<TYPE>(ar, GetData(), GetSize());
    }

protected:
    // The elements are m_v[m_nFront ...]; the slots before them were freed by removals at the
    // front and are given back when the array next grows.
    std::vector<TYPE> m_v;
    size_t m_nFront = 0;
    INT_PTR m_nGrowBy;

    size_t Check(INT_PTR nIndex) const {
        if (nIndex < 0 || nIndex >= GetSize())
            AfxThrowInvalidArgException();
        return m_nFront + (size_t)nIndex;
    }

    void DropFront() {
        m_v.erase(m_v.begin(), m_v.begin() + m_nFront);
        m_nFront = 0;
    }

    // Makes room for nNewSize elements by the framework's growth rule.
    void Reserve(INT_PTR nNewSize) {
        INT_PTR nMax = GetAllocSize();
        if (nNewSize <= nMax)
            return;
        INT_PTR nNewMax;
        if (nMax == 0) {
            nNewMax = nNewSize > m_nGrowBy ? nNewSize : m_nGrowBy;
        } else {
            INT_PTR nGrowBy = m_nGrowBy;
            if (nGrowBy == 0) {
                nGrowBy = GetSize() / 8;
                nGrowBy = nGrowBy < 4 ? 4 : (nGrowBy > 1024 ? 1024 : nGrowBy);
            }
            nNewMax = nNewSize < nMax + nGrowBy ? nMax + nGrowBy : nNewSize;
        }
        if (nNewMax < nNewSize)
            nNewMax = nNewSize;
        if ((size_t)nNewMax > m_v.max_size())
            AfxThrowMemoryException();
        try {
            m_v.reserve((size_t)nNewMax);
        } catch (std::bad_alloc&) {
            AfxThrowMemoryException();
        }
    }
};

// ---- the framework's named arrays -------------------------------------------------------------

class CPtrArray : public CArray<void*, void*> {
    DECLARE_DYNAMIC(CPtrArray)
public:
    CPtrArray() {}
    void Serialize(CArchive&) override {} // pointers are not serializable
};

class CObArray : public CArray<CObject*, CObject*> {
    DECLARE_SERIAL(CObArray)
public:
    CObArray() {}
};

class CDWordArray : public CArray<DWORD, DWORD> {
    DECLARE_SERIAL(CDWordArray)
public:
    CDWordArray() {}
};

class CWordArray : public CArray<WORD, WORD> {
    DECLARE_SERIAL(CWordArray)
public:
    CWordArray() {}
};

class CByteArray : public CArray<BYTE, BYTE> {
    DECLARE_SERIAL(CByteArray)
public:
    CByteArray() {}
};

class CUIntArray : public CArray<UINT, UINT> {
    DECLARE_DYNAMIC(CUIntArray)
public:
    CUIntArray() {}
};

class CStringArray : public CArray<CString, const CString&> {
    DECLARE_SERIAL(CStringArray)
public:
    CStringArray() {}
    // The framework's LPCTSTR forms.
    using CArray<CString, const CString&>::SetAt;
    using CArray<CString, const CString&>::SetAtGrow;
    using CArray<CString, const CString&>::Add;
    using CArray<CString, const CString&>::InsertAt;
    void SetAt(INT_PTR nIndex, LPCTSTR newElement) { SetAt(nIndex, CString(newElement)); }
    void SetAtGrow(INT_PTR nIndex, LPCTSTR newElement) { SetAtGrow(nIndex, CString(newElement)); }
    INT_PTR Add(LPCTSTR newElement) { return Add(CString(newElement)); }
    void InsertAt(INT_PTR nIndex, LPCTSTR newElement, INT_PTR nCount = 1) {
        InsertAt(nIndex, CString(newElement), nCount);
    }
};

// ---- CTypedPtrArray ---------------------------------------------------------------------------

template <class BASE_CLASS, class TYPE> class CTypedPtrArray : public BASE_CLASS {
public:
    typedef typename BASE_CLASS::BASE_TYPE BASE_TYPE;

    TYPE GetAt(INT_PTR nIndex) const { return (TYPE)BASE_CLASS::GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return (TYPE&)BASE_CLASS::ElementAt(nIndex); }
    void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, (BASE_TYPE)ptr); }
    void SetAtGrow(INT_PTR nIndex, TYPE newElement) {
        BASE_CLASS::SetAtGrow(nIndex, (BASE_TYPE)newElement);
    }
    INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add((BASE_TYPE)newElement); }
    INT_PTR Append(const CTypedPtrArray& src) { return BASE_CLASS::Append(src); }
    void Copy(const CTypedPtrArray& src) { BASE_CLASS::Copy(src); }
    void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1) {
        BASE_CLASS::InsertAt(nIndex, (BASE_TYPE)newElement, nCount);
    }
    void InsertAt(INT_PTR nStartIndex, CTypedPtrArray* pNewArray) {
        BASE_CLASS::InsertAt(nStartIndex, pNewArray);
    }
    TYPE operator[](INT_PTR nIndex) const { return (TYPE)BASE_CLASS::operator[](nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return (TYPE&)BASE_CLASS::operator[](nIndex); }
    TYPE* GetData() { return (TYPE*)BASE_CLASS::GetData(); }
    const TYPE* GetData() const { return (const TYPE*)BASE_CLASS::GetData(); }
};
