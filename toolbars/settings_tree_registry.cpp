// The settings tree in the registry: a key a node, its pairs as string values, its children as
// subkeys.
#include "toolbars/registry.h"
#include "toolbars/settings_tree_strategy.h"

SECPTNStrategyRegistry::SECPTNStrategyRegistry(LPCTSTR lpszBaseKeyPath, HKEY hRoot)
    : m_strBaseKeyPath(lpszBaseKeyPath), m_hRoot(hRoot) {
    if (!m_strBaseKeyPath.IsEmpty() && m_strBaseKeyPath[m_strBaseKeyPath.GetLength() - 1] != L'\\')
        m_strBaseKeyPath += L'\\';
}

CString SECPTNStrategyRegistry::MakeKeyPath(const CStringList& path) const {
    CString strPath = m_strBaseKeyPath;
    bool bFirst = true;
    for (POSITION pos = path.GetTailPosition(); pos != NULL;) {
        const CString& strName = path.GetPrev(pos);
        if (strName.IsEmpty() || strName.Find(L'\\') >= 0)
            return CString();
        if (!bFirst)
            strPath += L'\\';
        strPath += strName;
        bFirst = false;
    }
    return strPath;
}

BOOL SECPTNStrategyRegistry::DeleteSection(const CStringList& path) {
    CString strKey = MakeKeyPath(path);
    SECRegistry reg;
    if (strKey.IsEmpty() || !reg.Connect(m_hRoot))
        return FALSE;
    // A node saved for the first time has nothing to remove.
    return reg.DeleteKey(strKey, TRUE) || reg.GetErrorCode() == ERROR_FILE_NOT_FOUND;
}

BOOL SECPTNStrategyRegistry::WriteValue(const CStringList& path, LPCTSTR lpszKey,
                                        LPCTSTR lpszValue) {
    CString strKey = MakeKeyPath(path);
    SECRegistry reg;
    return !strKey.IsEmpty() && reg.Connect(m_hRoot) && reg.Create(strKey) &&
           reg.SetStringValue(lpszKey, CString(lpszValue));
}

BOOL SECPTNStrategyRegistry::WriteChildNames(const CStringList&, const CStringList&) {
    return TRUE; // the children are the subkeys their own saving makes
}

BOOL SECPTNStrategyRegistry::ReadSection(const CStringList& path, CStringList& childNames,
                                         CStringList& keys, CStringList& values) {
    CString strKey = MakeKeyPath(path);
    SECRegistry reg;
    // Reading needs no more than read access, so read-only keys load too.
    if (strKey.IsEmpty() || !reg.Connect(m_hRoot) || !reg.Open(strKey, KEY_READ))
        return FALSE;
    CString strName;
    for (DWORD dwIndex = 0; reg.EnumerateKeys(dwIndex, strName); dwIndex++)
        childNames.AddTail(strName);
    if (reg.GetErrorCode() != ERROR_NO_MORE_ITEMS)
        return FALSE;
    for (DWORD dwIndex = 0;; dwIndex++) {
        DWORD dwType = 0;
        if (!reg.EnumerateValues(dwIndex, strName, &dwType)) {
            if (reg.GetErrorCode() == ERROR_NO_MORE_ITEMS)
                break;
            if (reg.GetErrorCode() == ERROR_MORE_DATA)
                continue; // a name too long for any pair this tree writes
            return FALSE;
        }
        // Values of other types are not the tree's: they are passed over.
        CString strValue;
        if (dwType == REG_SZ && reg.GetStringValue(strName, strValue)) {
            keys.AddTail(strName);
            values.AddTail(strValue);
        }
    }
    return TRUE;
}
