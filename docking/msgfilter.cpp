#include "docking/msgfilter.h"

IMPLEMENT_DYNCREATE(SECMsgFilter, CObject)
IMPLEMENT_DYNCREATE(SECNcMsgFilter, SECMsgFilter)

// ---- descriptors -------------------------------------------------------------------------------

SECMsgFilter::Descriptor* SECMsgFilter::Descriptor::Clone() const {
    return new Descriptor(*this);
}

SECMsgFilter::DescriptorTable::~DescriptorTable() {
    DeleteAll();
}

SECMsgFilter::Descriptor* SECMsgFilter::DescriptorTable::AddDescriptor(int nID, int nParentID,
                                                                       CRuntimeClass* pClass,
                                                                       DWORD dwFlag) {
    auto pDescriptor = std::make_unique<Descriptor>(nID, nParentID, pClass, dwFlag);
    Add(pDescriptor.get());
    return pDescriptor.release();
}

void SECMsgFilter::DescriptorTable::DeleteAll() {
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    RemoveAll();
}

// ---- the tree ----------------------------------------------------------------------------------

SECMsgFilter::SECMsgFilter() : m_life(std::make_shared<char>(0)) {}

SECMsgFilter::~SECMsgFilter() {
    if (m_bOwnsChildren)
        for (INT_PTR i = 0; i < m_children.GetSize(); ++i)
            delete m_children[i];
}

SECMsgFilter* SECMsgFilter::Clone() const {
    std::unique_ptr<CObject> pObject(GetRuntimeClass()->CreateObject());
    if (pObject == NULL || !pObject->IsKindOf(RUNTIME_CLASS(SECMsgFilter)))
        return NULL;
    auto* pCopy = static_cast<SECMsgFilter*>(pObject.release());
    std::unique_ptr<SECMsgFilter> pOwned(pCopy);
    pCopy->m_nID = m_nID;
    pCopy->m_bEnabled = m_bEnabled;
    pCopy->m_pOwner = m_pOwner;
    pCopy->m_bOwnsChildren = TRUE;
    for (INT_PTR i = 0; i < m_children.GetSize(); ++i)
        if (SECMsgFilter* pChildCopy = m_children[i]->Clone())
            pCopy->AddChild(std::unique_ptr<SECMsgFilter>(pChildCopy));
    return pOwned.release();
}

CWnd* SECMsgFilter::GetOwner() const {
    return m_pOwner;
}

void SECMsgFilter::SetOwner(CWnd* pOwner, BOOL bRecursive) {
    m_pOwner = pOwner;
    if (bRecursive)
        for (INT_PTR i = 0; i < m_children.GetSize(); ++i)
            m_children[i]->SetOwner(pOwner, TRUE);
}

UINT SECMsgFilter::FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (!m_bEnabled)
        return 0;
    return OnMessage(message, wParam, lParam, pResult);
}

UINT SECMsgFilter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return FilterChildren(message, wParam, lParam, pResult);
}

UINT SECMsgFilter::FilterChildren(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (!m_bEnabled)
        return 0;
    UINT nWord = 0;
    const std::weak_ptr<void> life = m_life;
    for (INT_PTR i = 0; i < m_children.GetSize(); ++i) {
        SECMsgFilter* pChild = m_children[i];
        if (!pChild->IsEnabled())
            continue;
        nWord |= pChild->FilterMessage(message, wParam, lParam, pResult);
        // The child's action may have destroyed the owner and this tree with it.
        if (life.expired() || (nWord & resultStop) != 0)
            break;
    }
    return nWord;
}

SECMsgFilter* SECMsgFilter::AddChild(std::unique_ptr<SECMsgFilter> pChild) {
    if (pChild == NULL)
        return NULL;
    m_children.Add(pChild.get());
    return pChild.release();
}

SECMsgFilter* SECMsgFilter::FindFilter(int nID, CRuntimeClass* pClass, int nDepth) {
    for (INT_PTR i = 0; i < m_children.GetSize(); ++i)
        if (m_children[i]->GetID() == nID)
            return m_children[i];
    if (nDepth != 0) {
        // The deeper search only looks: a new filter belongs directly under this one.
        const int nNextDepth = nDepth > 0 ? nDepth - 1 : -1;
        for (INT_PTR i = 0; i < m_children.GetSize(); ++i)
            if (SECMsgFilter* pFound = m_children[i]->FindFilter(nID, NULL, nNextDepth))
                return pFound;
    }
    if (pClass == NULL || !pClass->IsDerivedFrom(RUNTIME_CLASS(SECMsgFilter)))
        return NULL;
    std::unique_ptr<CObject> pObject(pClass->CreateObject());
    if (pObject == NULL || !pObject->IsKindOf(RUNTIME_CLASS(SECMsgFilter)))
        return NULL;
    std::unique_ptr<SECMsgFilter> pNew(static_cast<SECMsgFilter*>(pObject.release()));
    pNew->SetOwner(m_pOwner, TRUE);
    pNew->SetID(nID);
    return AddChild(std::move(pNew));
}

SECMsgFilter* SECMsgFilter::EnableDescriptor(const Descriptor* pDescriptor, BOOL bEnable) {
    if (pDescriptor == NULL)
        return NULL;
    SECMsgFilter* pParent =
        pDescriptor->m_nParentID == -1 ? this : FindFilter(pDescriptor->m_nParentID, NULL, -1);
    if (pParent == NULL)
        return NULL;
    SECMsgFilter* pFilter =
        pParent->FindFilter(pDescriptor->m_nID, bEnable ? pDescriptor->m_pClass : NULL, -1);
    if (pFilter == NULL)
        return NULL;
    if (bEnable || (pDescriptor->m_dwFlag & Descriptor::flagNeverDisable) == 0)
        pFilter->Enable(bEnable);
    return pFilter;
}

void SECMsgFilter::ApplyDescriptors(const DescriptorTable& table, const CDWordArray& record) {
    for (INT_PTR i = 0; i < table.GetSize() && i < record.GetSize(); ++i)
        EnableDescriptor(table[i], record[i] != 0);
}

void SECMsgFilter::EnableAll(const DescriptorTable& table, BOOL bEnable) {
    for (INT_PTR i = 0; i < table.GetSize(); ++i)
        EnableDescriptor(table[i], bEnable);
}
