// Settings-tree nodes: creation, children, text pairs and their typed forms, saving and loading.
#include "toolbars/settings/settings_tree.h"

#include "toolbars/settings/settings_tree_strategy.h"

#include <cwchar>
#include <cwctype>
#include <memory>

IMPLEMENT_DYNCREATE(SECPersistentTreeNode, CObject)

namespace {
bool IsEmptyText(LPCTSTR psz) {
    return psz == NULL || *psz == 0;
}
} // namespace

SECPTNFactory::SECPTNFactory() : m_nodes(10) {}

SECPTNFactory::~SECPTNFactory() {
    while (!m_nodes.IsEmpty())
        delete (SECPersistentTreeNode*)m_nodes.RemoveHead();
}

SECPersistentTreeNode* SECPTNFactory::CreateNode(LPCTSTR lpszName, SECPersistentTreeNode* pParent,
                                                 CRuntimeClass* pClass) {
    if (pClass == NULL || !pClass->IsDerivedFrom(RUNTIME_CLASS(SECPersistentTreeNode)))
        return NULL;
    std::unique_ptr<CObject> object(pClass->CreateObject());
    if (!object)
        return NULL;
    SECPersistentTreeNode* pNode = (SECPersistentTreeNode*)object.get();
    if (pNode->Create(lpszName, pParent) != SECPersistentTreeNode::ptnOK)
        return NULL;
    m_nodes.AddTail(object.release());
    return pNode;
}

SECPersistentTreeNode::SECPersistentTreeNode() : m_pParent(NULL), m_bCreated(FALSE) {}

SECPersistentTreeNode::~SECPersistentTreeNode() {
    m_index.clear();
    while (!m_pairs.IsEmpty())
        delete m_pairs.RemoveHead();
    // The factory member deletes the children it made; those added from elsewhere stay their
    // makers'.
    m_children.RemoveAll();
}

DWORD SECPersistentTreeNode::Create(LPCTSTR lpszName, SECPersistentTreeNode* pParent) {
    if (m_bCreated)
        return ptnAlreadyCreated;
    if (IsEmptyText(lpszName))
        return ptnNoName;
    m_strName = lpszName;
    m_pParent = pParent;
    if (pParent != NULL) {
        DWORD dwResult = pParent->AddChild(this);
        if (dwResult != ptnOK) {
            m_strName.Empty();
            m_pParent = NULL;
            return dwResult == ptnChildExists ? ptnChildExists : ptnFailed;
        }
    }
    m_bCreated = TRUE;
    return ptnOK;
}

DWORD SECPersistentTreeNode::AddChild(SECPersistentTreeNode* pChild) {
    if (!m_bCreated)
        return ptnNotCreated;
    if (pChild == NULL)
        return ptnNoName;
    if (FindChildNode(pChild->m_strName) != NULL || m_children.Find(pChild) != NULL)
        return ptnChildExists;
    m_children.AddTail(pChild);
    return ptnOK;
}

SECPersistentTreeNode* SECPersistentTreeNode::FindChildNode(LPCTSTR lpszName) const {
    if (IsEmptyText(lpszName))
        return NULL;
    for (POSITION pos = m_children.GetHeadPosition(); pos != NULL;) {
        SECPersistentTreeNode* pChild = m_children.GetNext(pos);
        if (pChild->m_strName.CompareNoCase(lpszName) == 0)
            return pChild;
    }
    return NULL;
}

SECPersistentTreeNode* SECPersistentTreeNode::CreateChildNode(LPCTSTR lpszName,
                                                              SECPersistentTreeNode* pParent) {
    return m_factory.CreateNode(lpszName, pParent, RUNTIME_CLASS(SECPersistentTreeNode));
}

std::wstring SECPersistentTreeNode::FoldKey(LPCTSTR lpszKey) {
    std::wstring folded(lpszKey);
    for (wchar_t& ch : folded)
        ch = (wchar_t)std::towlower(ch); // as the comparison without case compares
    return folded;
}

SECPersistentTreeNode::SECPersTreeNodeKeyValuePair*
SECPersistentTreeNode::FindPair(LPCTSTR lpszKey) const {
    if (IsEmptyText(lpszKey))
        return NULL;
    auto it = m_index.find(FoldKey(lpszKey));
    if (it == m_index.end())
        return NULL;
    SECPersTreeNodeKeyValuePair* pPair = m_pairs.GetAt(it->second);
    return pPair->m_strKey.CompareNoCase(lpszKey) == 0 ? pPair : NULL;
}

void SECPersistentTreeNode::AddPair(LPCTSTR lpszKey, LPCTSTR lpszValue) {
    std::unique_ptr<SECPersTreeNodeKeyValuePair> pair(
        new SECPersTreeNodeKeyValuePair(lpszKey, lpszValue));
    const POSITION pos = m_pairs.AddTail(pair.get());
    pair.release();
    m_index[FoldKey(lpszKey)] = pos;
}

void SECPersistentTreeNode::RemovePairAt(POSITION pos) {
    SECPersTreeNodeKeyValuePair* pPair = m_pairs.GetAt(pos);
    auto it = m_index.find(FoldKey(pPair->m_strKey));
    if (it != m_index.end() && it->second == pos)
        m_index.erase(it);
    m_pairs.RemoveAt(pos);
    delete pPair;
}

void SECPersistentTreeNode::GetNodePath(CStringList& path) const {
    path.RemoveAll();
    for (const SECPersistentTreeNode* pNode = this; pNode != NULL; pNode = pNode->m_pParent)
        path.AddTail(pNode->m_strName);
}

void SECPersistentTreeNode::GetChildNames(CStringList& names) const {
    names.RemoveAll();
    for (POSITION pos = m_children.GetHeadPosition(); pos != NULL;)
        names.AddTail(m_children.GetNext(pos)->m_strName);
}

DWORD SECPersistentTreeNode::SetStringValue(LPCTSTR lpszKey, LPCTSTR lpszValue, BOOL bOverwrite) {
    if (!m_bCreated)
        return ptnNotCreated;
    if (IsEmptyText(lpszKey))
        return ptnNoKey;
    if (SECPersTreeNodeKeyValuePair* pPair = FindPair(lpszKey)) {
        if (!bOverwrite)
            return ptnKeyExists;
        pPair->m_strValue = lpszValue;
        return ptnOK;
    }
    AddPair(lpszKey, lpszValue);
    return ptnOK;
}

DWORD SECPersistentTreeNode::SetIntValue(LPCTSTR lpszKey, int nValue, BOOL bOverwrite) {
    CString strText;
    strText.Format(L"%d", nValue);
    return SetStringValue(lpszKey, strText, bOverwrite);
}

DWORD SECPersistentTreeNode::SetBoolValue(LPCTSTR lpszKey, BOOL bValue, BOOL bOverwrite) {
    return SetStringValue(lpszKey, bValue ? L"True" : L"False", bOverwrite);
}

DWORD SECPersistentTreeNode::DeleteValue(LPCTSTR lpszKey) {
    if (FindPair(lpszKey) == NULL)
        return ptnNoSuchKey;
    RemovePairs(lpszKey);
    return ptnOK;
}

void SECPersistentTreeNode::RemovePairs(LPCTSTR lpszKey) {
    if (IsEmptyText(lpszKey))
        return;
    auto it = m_index.find(FoldKey(lpszKey));
    if (it != m_index.end())
        RemovePairAt(it->second);
}

DWORD SECPersistentTreeNode::GetStringValue(LPCTSTR lpszKey, CString& strValue,
                                            LPCTSTR lpszDefault) {
    strValue = lpszDefault;
    SECPersTreeNodeKeyValuePair* pPair = FindPair(lpszKey);
    if (pPair == NULL)
        return ptnNoSuchKey;
    strValue = pPair->m_strValue;
    return ptnOK;
}

namespace {
// The C library's conversions: signed text to a signed type, and to an unsigned one with
// negative text wrapping as a cast would.
void ConvertText(LPCTSTR psz, int* p) {
    *p = (int)std::wcstol(psz, NULL, 10);
}
void ConvertText(LPCTSTR psz, long* p) {
    *p = std::wcstol(psz, NULL, 10);
}
void ConvertText(LPCTSTR psz, UINT* p) {
    *p = (UINT)std::wcstoul(psz, NULL, 10);
}
void ConvertText(LPCTSTR psz, DWORD* p) {
    *p = (DWORD)std::wcstoul(psz, NULL, 10);
}
} // namespace

template <class T>
DWORD SECPersistentTreeNode::GetNumber(LPCTSTR lpszKey, T* pValue, T defaultValue) {
    if (pValue == NULL)
        return ptnNoData;
    *pValue = defaultValue;
    SECPersTreeNodeKeyValuePair* pPair = FindPair(lpszKey);
    if (pPair == NULL)
        return ptnNoSuchKey;
    ConvertText(pPair->m_strValue, pValue);
    return ptnOK;
}

DWORD SECPersistentTreeNode::GetIntValue(LPCTSTR lpszKey, int* pnValue, int nDefault) {
    return GetNumber(lpszKey, pnValue, nDefault);
}

DWORD SECPersistentTreeNode::GetIntValue(LPCTSTR lpszKey, UINT* pnValue, UINT nDefault) {
    return GetNumber(lpszKey, pnValue, nDefault);
}

DWORD SECPersistentTreeNode::GetIntValue(LPCTSTR lpszKey, long* plValue, long lDefault) {
    return GetNumber(lpszKey, plValue, lDefault);
}

DWORD SECPersistentTreeNode::GetIntValue(LPCTSTR lpszKey, DWORD* pdwValue, DWORD dwDefault) {
    return GetNumber(lpszKey, pdwValue, dwDefault);
}

DWORD SECPersistentTreeNode::GetBoolValue(LPCTSTR lpszKey, BOOL* pbValue, BOOL bDefault) {
    if (pbValue == NULL)
        return ptnNoData;
    *pbValue = bDefault;
    SECPersTreeNodeKeyValuePair* pPair = FindPair(lpszKey);
    if (pPair == NULL)
        return ptnNoSuchKey;
    CString strText = pPair->m_strValue;
    *pbValue = strText.MakeUpper() == L"TRUE";
    return ptnOK;
}

BOOL SECPersistentTreeNode::SaveNode(SECPTNStrategy* pStrategy) {
    if (!m_bCreated || pStrategy == NULL)
        return FALSE;
    CStringList path, names;
    GetNodePath(path);
    GetChildNames(names);
    // Every step runs even after one failed, so one bad value loses nothing else.
    bool ok = pStrategy->DeleteSection(path) != FALSE;
    for (POSITION pos = m_pairs.GetHeadPosition(); pos != NULL;) {
        SECPersTreeNodeKeyValuePair* pPair = m_pairs.GetNext(pos);
        ok &= pStrategy->WriteValue(path, pPair->m_strKey, pPair->m_strValue) != FALSE;
    }
    ok &= pStrategy->WriteChildNames(path, names) != FALSE;
    for (POSITION pos = m_children.GetHeadPosition(); pos != NULL;)
        ok &= m_children.GetNext(pos)->SaveNode(pStrategy) != FALSE;
    return ok;
}

BOOL SECPersistentTreeNode::LoadNode(SECPTNStrategy* pStrategy) {
    if (!m_bCreated || pStrategy == NULL)
        return FALSE;
    CStringList path, childNames, keys, values;
    GetNodePath(path);
    if (!pStrategy->ReadSection(path, childNames, keys, values))
        return FALSE;
    POSITION posValue = values.GetHeadPosition();
    for (POSITION posKey = keys.GetHeadPosition(); posKey != NULL && posValue != NULL;)
        SetStringValue(keys.GetNext(posKey), values.GetNext(posValue), TRUE);
    bool ok = true;
    for (POSITION pos = childNames.GetHeadPosition(); pos != NULL;) {
        const CString& strName = childNames.GetNext(pos);
        // Loading into a tree that already has the child fills that child.
        SECPersistentTreeNode* pChild = FindChildNode(strName);
        if (pChild == NULL)
            pChild = CreateChildNode(strName, this);
        ok &= pChild != NULL && pChild->LoadNode(pStrategy) != FALSE;
    }
    return ok;
}
