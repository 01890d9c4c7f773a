// Hash maps with the framework's semantics: CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>, the named
// maps (string, pointer and WORD keys) and CTypedPtrMap. Iteration order is the hash order (not
// insertion order). During iteration the association just returned by GetNextAssoc may be removed.
#pragma once

#include "framework/core/arrays.h"

#include <type_traits>

// Hash of a key: the framework's (integral and pointer keys: value >> 4). A caller may specialise
// it for its own key type.
template <class ARG_KEY> inline UINT AFXAPI HashKey(ARG_KEY key) {
    return (UINT)(((DWORD_PTR)key) >> 4);
}
template <> inline UINT AFXAPI HashKey<LPCWSTR>(LPCWSTR key) {
    UINT nHash = 0;
    if (key != NULL)
        while (*key)
            nHash = (nHash << 5) + nHash + (UINT)*key++;
    return nHash;
}
template <> inline UINT AFXAPI HashKey<LPWSTR>(LPWSTR key) {
    return HashKey<LPCWSTR>(key);
}
template <> inline UINT AFXAPI HashKey<const CString&>(const CString& key) {
    return HashKey<LPCWSTR>((LPCWSTR)key);
}
template <> inline UINT AFXAPI HashKey<CString&>(CString& key) {
    return HashKey<LPCWSTR>((LPCWSTR)key);
}
template <> inline UINT AFXAPI HashKey<CString>(CString key) {
    return HashKey<LPCWSTR>((LPCWSTR)key);
}
template <> inline UINT AFXAPI HashKey<ULONGLONG>(ULONGLONG key) {
    return (UINT)((key >> 4) ^ (key >> 32));
}
template <> inline UINT AFXAPI HashKey<LONGLONG>(LONGLONG key) {
    return HashKey<ULONGLONG>((ULONGLONG)key);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE> class CMap : public CObject {
protected:
    struct CAssoc {
        CAssoc* pNext;
        UINT nHashValue; // the full hash of the key
        KEY key;
        VALUE value;
        CAssoc() : pNext(NULL), nHashValue(0), key(), value() {}
    };

public:
    typedef KEY BASE_KEY;
    typedef ARG_KEY BASE_ARG_KEY;
    typedef VALUE BASE_VALUE;
    typedef ARG_VALUE BASE_ARG_VALUE;

    // The block size is the framework's allocation granularity; it has no observable effect here.
    explicit CMap(INT_PTR nBlockSize = 10) : m_nHashTableSize(17), m_nCount(0) { (void)nBlockSize; }
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const {
        UINT nHash;
        CAssoc* p = GetAssocAt(key, nHash);
        if (p == NULL)
            return FALSE;
        rValue = p->value;
        return TRUE;
    }
    // The value for key, added (value-initialised) when the key is new.
    VALUE& operator[](ARG_KEY key) {
        UINT nHash;
        CAssoc* p = GetAssocAt(key, nHash);
        if (p == NULL) {
            if (m_table.empty())
                m_table.assign(m_nHashTableSize, (CAssoc*)NULL);
            p = new CAssoc();
            p->nHashValue = nHash;
            p->key = key;
            UINT b = nHash % m_nHashTableSize;
            p->pNext = m_table[b];
            m_table[b] = p;
            ++m_nCount;
        }
        return p->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    BOOL RemoveKey(ARG_KEY key) {
        if (m_table.empty())
            return FALSE;
        UINT nHash = HashKey<ARG_KEY>(key);
        CAssoc** pp = &m_table[nHash % m_nHashTableSize];
        for (CAssoc* p = *pp; p != NULL; pp = &p->pNext, p = p->pNext) {
            if (p->nHashValue == nHash && CompareElements(&p->key, &key)) {
                *pp = p->pNext;
                delete p;
                --m_nCount;
                return TRUE;
            }
        }
        return FALSE;
    }
    void RemoveAll() {
        for (CAssoc* head : m_table) {
            while (head != NULL) {
                CAssoc* next = head->pNext;
                delete head;
                head = next;
            }
        }
        m_table.clear();
        m_nCount = 0;
    }

    POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : BEFORE_START_POSITION; }
    // The association at rNextPosition; rNextPosition moves to the next one (NULL at the end).
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const {
        CAssoc* p = (CAssoc*)rNextPosition;
        if (p == NULL || m_table.empty())
            AfxThrowInvalidArgException();
        if (p == (CAssoc*)BEFORE_START_POSITION) {
            p = NULL;
            for (UINT b = 0; b < m_nHashTableSize && p == NULL; ++b)
                p = m_table[b];
            if (p == NULL)
                AfxThrowInvalidArgException();
        }
        CAssoc* next = p->pNext;
        if (next == NULL) {
            for (UINT b = p->nHashValue % m_nHashTableSize + 1;
                 b < m_nHashTableSize && next == NULL; ++b)
                next = m_table[b];
        }
        rNextPosition = (POSITION)next;
        rKey = p->key;
        rValue = p->value;
    }

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Sets the bucket count (used before the first insertion; a filled map is re-hashed).
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE) {
        if (hashSize == 0)
            hashSize = 17;
        std::vector<CAssoc*> old;
        old.swap(m_table);
        m_nHashTableSize = hashSize;
        if (bAllocNow || !old.empty())
            m_table.assign(m_nHashTableSize, (CAssoc*)NULL);
        for (CAssoc* head : old) {
            while (head != NULL) {
                CAssoc* next = head->pNext;
                UINT b = head->nHashValue % m_nHashTableSize;
                head->pNext = m_table[b];
                m_table[b] = head;
                head = next;
            }
        }
    }

    void Serialize(CArchive& ar) override {
        CObject::Serialize(ar);
        if (AfxArchiveIsStoring(ar)) {
            AfxArchiveWriteCount(ar, (DWORD_PTR)m_nCount);
            for (CAssoc* head : m_table)
                for (CAssoc* p = head; p != NULL; p = p->pNext) {
                    SerializeElements<KEY>(ar, &p->key, 1);
                    SerializeElements<VALUE>(ar, &p->value, 1);
                }
        } else {
            DWORD_PTR nNewCount = AfxArchiveReadCount(ar);
            AfxArchiveCheckCount(ar, nNewCount,
                                 AfxMinArchivedSize<KEY>() + AfxMinArchivedSize<VALUE>());
            while (nNewCount--) {
                KEY newKey = KEY();
                VALUE newValue = VALUE();
                SerializeElements<KEY>(ar, &newKey, 1);
                SerializeElements<VALUE>(ar, &newValue, 1);
                SetAt(newKey, newValue);
            }
        }
    }

protected:
    std::vector<CAssoc*> m_table; // empty until the first insertion
    UINT m_nHashTableSize;
    INT_PTR m_nCount;

    static BOOL CompareElements(const KEY* pKey,
                                const typename std::remove_reference<ARG_KEY>::type* pArg) {
        return ::CompareElements<KEY, typename std::remove_reference<ARG_KEY>::type>(pKey, pArg);
    }

    CAssoc* GetAssocAt(ARG_KEY key, UINT& nHash) const {
        nHash = HashKey<ARG_KEY>(key);
        if (m_table.empty())
            return NULL;
        for (CAssoc* p = m_table[nHash % m_nHashTableSize]; p != NULL; p = p->pNext)
            if (p->nHashValue == nHash && CompareElements(&p->key, &key))
                return p;
        return NULL;
    }
};

// ---- the framework's named maps ---------------------------------------------------------------

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*> {
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
    void Serialize(CArchive&) override {} // pointers are not serializable
};

class CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*> {
    DECLARE_SERIAL(CMapStringToOb)
public:
    explicit CMapStringToOb(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR> {
    DECLARE_SERIAL(CMapStringToString)
public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
    void Serialize(CArchive&) override {}
};

class CMapPtrToWord : public CMap<void*, void*, WORD, WORD> {
    DECLARE_DYNAMIC(CMapPtrToWord)
public:
    explicit CMapPtrToWord(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
    void Serialize(CArchive&) override {}
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
    void Serialize(CArchive&) override {}
};

class CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*> {
    DECLARE_SERIAL(CMapWordToOb)
public:
    explicit CMapWordToOb(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

// ---- CTypedPtrMap -----------------------------------------------------------------------------

template <class BASE_CLASS, class KEY, class VALUE> class CTypedPtrMap : public BASE_CLASS {
public:
    typedef typename BASE_CLASS::BASE_KEY BASE_KEY;
    typedef typename BASE_CLASS::BASE_ARG_KEY BASE_ARG_KEY;
    typedef typename BASE_CLASS::BASE_VALUE BASE_VALUE;

    explicit CTypedPtrMap(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    BOOL Lookup(BASE_ARG_KEY key, VALUE& rValue) const {
        BASE_VALUE v = BASE_VALUE();
        BOOL ok = BASE_CLASS::Lookup(key, v);
        rValue = ok ? (VALUE)v : rValue;
        return ok;
    }
    VALUE& operator[](BASE_ARG_KEY key) { return (VALUE&)BASE_CLASS::operator[](key); }
    void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, (BASE_VALUE)newValue); }
    BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }
    void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const {
        BASE_KEY k = BASE_KEY();
        BASE_VALUE v = BASE_VALUE();
        BASE_CLASS::GetNextAssoc(rPosition, k, v);
        rKey = (KEY)k;
        rValue = (VALUE)v;
    }
};
