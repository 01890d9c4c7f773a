// Doubly linked lists with POSITION iteration: CList<TYPE, ARG_TYPE>, CPtrList, CObList,
// CStringList and CTypedPtrList. A POSITION is the node: it stays valid while other elements are
// added or removed, so the saved-position idiom (remember pos, GetNext, RemoveAt(saved)) works.
#pragma once

#include "framework/core/arrays.h"

template <class TYPE, class ARG_TYPE = const TYPE&> class CList : public CObject {
protected:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
        explicit CNode(ARG_TYPE d) : pNext(NULL), pPrev(NULL), data(d) {}
        CNode() : pNext(NULL), pPrev(NULL), data() {}
    };

public:
    typedef TYPE BASE_TYPE;
    typedef ARG_TYPE BASE_ARG_TYPE;

    // The block size is the framework's allocation granularity; nodes here are allocated one by
    // one, so it has no observable effect.
    explicit CList(INT_PTR nBlockSize = 10) : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0) {
        (void)nBlockSize;
    }
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // Head and tail: an empty list throws CInvalidArgException.
    TYPE& GetHead() { return Head()->data; }
    const TYPE& GetHead() const { return Head()->data; }
    TYPE& GetTail() { return Tail()->data; }
    const TYPE& GetTail() const { return Tail()->data; }

    TYPE RemoveHead() {
        CNode* p = Head();
        TYPE value = p->data;
        Unlink(p);
        return value;
    }
    TYPE RemoveTail() {
        CNode* p = Tail();
        TYPE value = p->data;
        Unlink(p);
        return value;
    }

    POSITION AddHead(ARG_TYPE newElement) {
        CNode* p = new CNode(newElement);
        LinkBefore(p, m_pNodeHead);
        return (POSITION)p;
    }
    POSITION AddTail(ARG_TYPE newElement) {
        CNode* p = new CNode(newElement);
        LinkAfter(p, m_pNodeTail);
        return (POSITION)p;
    }
    // Adds copies of another list's elements, in order.
    void AddHead(CList* pNewList) {
        if (pNewList == NULL)
            AfxThrowInvalidArgException();
        std::vector<TYPE> items;
        for (CNode* p = pNewList->m_pNodeHead; p != NULL; p = p->pNext)
            items.push_back(p->data);
        for (size_t i = items.size(); i-- > 0;)
            AddHead(items[i]);
    }
    void AddTail(CList* pNewList) {
        if (pNewList == NULL)
            AfxThrowInvalidArgException();
        std::vector<TYPE> items;
        for (CNode* p = pNewList->m_pNodeHead; p != NULL; p = p->pNext)
            items.push_back(p->data);
        for (auto& item : items)
            AddTail(item);
    }

    void RemoveAll() {
        CNode* p = m_pNodeHead;
        while (p != NULL) {
            CNode* next = p->pNext;
            delete p;
            p = next;
        }
        m_pNodeHead = m_pNodeTail = NULL;
        m_nCount = 0;
    }

    POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
    POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }

    // The element at rPosition; rPosition moves to the next (NULL after the tail).
    TYPE& GetNext(POSITION& rPosition) {
        CNode* p = Node(rPosition);
        rPosition = (POSITION)p->pNext;
        return p->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const {
        CNode* p = Node(rPosition);
        rPosition = (POSITION)p->pNext;
        return p->data;
    }
    TYPE& GetPrev(POSITION& rPosition) {
        CNode* p = Node(rPosition);
        rPosition = (POSITION)p->pPrev;
        return p->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const {
        CNode* p = Node(rPosition);
        rPosition = (POSITION)p->pPrev;
        return p->data;
    }

    TYPE& GetAt(POSITION position) { return Node(position)->data; }
    const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { Node(pos)->data = newElement; }
    void RemoveAt(POSITION position) { Unlink(Node(position)); }

    // A NULL position inserts at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement) {
        if (position == NULL)
            return AddHead(newElement);
        CNode* at = Node(position);
        CNode* p = new CNode(newElement);
        LinkBefore(p, at);
        return (POSITION)p;
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement) {
        if (position == NULL)
            return AddTail(newElement);
        CNode* at = Node(position);
        CNode* p = new CNode(newElement);
        LinkAfter(p, at);
        return (POSITION)p;
    }

    // The first element equal to searchValue after startAfter (from the head when NULL).
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const {
        CNode* p = startAfter == NULL ? m_pNodeHead : Node(startAfter)->pNext;
        for (; p != NULL; p = p->pNext)
            if (CompareElements<TYPE, TYPE>(&p->data, &searchValue))
                return (POSITION)p;
        return NULL;
    }
    // The position of the nIndex-th element, or NULL when out of range.
    POSITION FindIndex(INT_PTR nIndex) const {
        if (nIndex < 0 || nIndex >= m_nCount)
            return NULL;
        CNode* p = m_pNodeHead;
        while (nIndex-- > 0)
            p = p->pNext;
        return (POSITION)p;
    }

    void Serialize(CArchive& ar) override {
        CObject::Serialize(ar);
        if (AfxArchiveIsStoring(ar)) {
            AfxArchiveWriteCount(ar, (DWORD_PTR)m_nCount);
            for (CNode* p = m_pNodeHead; p != NULL; p = p->pNext)
                SerializeElements<TYPE>(ar, &p->data, 1);
        } else {
            DWORD_PTR nNewCount = AfxArchiveReadCount(ar);
            AfxArchiveCheckCount(ar, nNewCount, AfxMinArchivedSize<TYPE>());
            while (nNewCount--) {
                CNode* p = new CNode();
                LinkAfter(p, m_pNodeTail);
                SerializeElements<TYPE>(ar, &p->data, 1);
            }
        }
    }

protected:
    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    INT_PTR m_nCount;

    CNode* Head() const {
        if (m_pNodeHead == NULL)
            AfxThrowInvalidArgException();
        return m_pNodeHead;
    }
    CNode* Tail() const {
        if (m_pNodeTail == NULL)
            AfxThrowInvalidArgException();
        return m_pNodeTail;
    }
    static CNode* Node(POSITION pos) {
        if (pos == NULL || pos == BEFORE_START_POSITION)
            AfxThrowInvalidArgException();
        return (CNode*)pos;
    }
    // Links p before 'at' (at NULL: p becomes the tail of an empty list or the head).
    void LinkBefore(CNode* p, CNode* at) {
        if (at == NULL) {
            LinkAfter(p, m_pNodeTail);
            return;
        }
        p->pNext = at;
        p->pPrev = at->pPrev;
        if (at->pPrev != NULL)
            at->pPrev->pNext = p;
        else
            m_pNodeHead = p;
        at->pPrev = p;
        ++m_nCount;
    }
    void LinkAfter(CNode* p, CNode* at) {
        if (at == NULL) {
            // Empty list, or inserting at the head of a list.
            p->pPrev = NULL;
            p->pNext = m_pNodeHead;
            if (m_pNodeHead != NULL)
                m_pNodeHead->pPrev = p;
            else
                m_pNodeTail = p;
            m_pNodeHead = p;
            ++m_nCount;
            return;
        }
        p->pPrev = at;
        p->pNext = at->pNext;
        if (at->pNext != NULL)
            at->pNext->pPrev = p;
        else
            m_pNodeTail = p;
        at->pNext = p;
        ++m_nCount;
    }
    void Unlink(CNode* p) {
        if (p->pPrev != NULL)
            p->pPrev->pNext = p->pNext;
        else
            m_pNodeHead = p->pNext;
        if (p->pNext != NULL)
            p->pNext->pPrev = p->pPrev;
        else
            m_pNodeTail = p->pPrev;
        --m_nCount;
        delete p;
    }
};

class CPtrList : public CList<void*, void*> {
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList<void*, void*>(nBlockSize) {}
    void Serialize(CArchive&) override {} // pointers are not serializable
};

class CObList : public CList<CObject*, CObject*> {
    DECLARE_SERIAL(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10) : CList<CObject*, CObject*>(nBlockSize) {}
};

class CStringList : public CList<CString, const CString&> {
    DECLARE_SERIAL(CStringList)
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList<CString, const CString&>(nBlockSize) {}
    using CList<CString, const CString&>::AddHead;
    using CList<CString, const CString&>::AddTail;
    POSITION AddHead(LPCTSTR newElement) { return AddHead(CString(newElement)); }
    POSITION AddTail(LPCTSTR newElement) { return AddTail(CString(newElement)); }
};

template <class BASE_CLASS, class TYPE> class CTypedPtrList : public BASE_CLASS {
public:
    typedef typename BASE_CLASS::BASE_TYPE BASE_TYPE;

    explicit CTypedPtrList(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    TYPE& GetHead() { return (TYPE&)BASE_CLASS::GetHead(); }
    TYPE GetHead() const { return (TYPE)BASE_CLASS::GetHead(); }
    TYPE& GetTail() { return (TYPE&)BASE_CLASS::GetTail(); }
    TYPE GetTail() const { return (TYPE)BASE_CLASS::GetTail(); }
    TYPE RemoveHead() { return (TYPE)BASE_CLASS::RemoveHead(); }
    TYPE RemoveTail() { return (TYPE)BASE_CLASS::RemoveTail(); }
    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead((BASE_TYPE)newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail((BASE_TYPE)newElement); }
    void AddHead(CTypedPtrList* pNewList) { BASE_CLASS::AddHead(pNewList); }
    void AddTail(CTypedPtrList* pNewList) { BASE_CLASS::AddTail(pNewList); }
    TYPE& GetNext(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetNext(rPosition); }
    TYPE GetNext(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetNext(rPosition); }
    TYPE& GetPrev(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetPrev(rPosition); }
    TYPE GetPrev(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetPrev(rPosition); }
    TYPE& GetAt(POSITION position) { return (TYPE&)BASE_CLASS::GetAt(position); }
    TYPE GetAt(POSITION position) const { return (TYPE)BASE_CLASS::GetAt(position); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, (BASE_TYPE)newElement); }
    POSITION InsertBefore(POSITION position, TYPE newElement) {
        return BASE_CLASS::InsertBefore(position, (BASE_TYPE)newElement);
    }
    POSITION InsertAfter(POSITION position, TYPE newElement) {
        return BASE_CLASS::InsertAfter(position, (BASE_TYPE)newElement);
    }
    POSITION Find(TYPE searchValue, POSITION startAfter = NULL) const {
        return BASE_CLASS::Find((BASE_TYPE)searchValue, startAfter);
    }
};
