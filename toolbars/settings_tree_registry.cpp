// The settings tree in the registry: a key a node, its pairs as string values, its children as
// subkeys.
#include "toolbars/registry.h"
#include "toolbars/settings/settings_tree_strategy.h"

#include <vector>

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

BOOL SECPTNStrategyRegistry::WriteChildNames(const CStringList& path, const CStringList&) {
    // The children are the subkeys their own saving makes; the node's key is made here, so that
    // a node without values (an empty child, an empty root) is saved and loads back.
    CString strKey = MakeKeyPath(path);
    SECRegistry reg;
    return !strKey.IsEmpty() && reg.Connect(m_hRoot) && reg.Create(strKey);
}

namespace {
bool EnumerateLongName(SECRegistry& reg, DWORD dwIndex, CString& strName, DWORD& dwType) {
    std::vector<wchar_t> name(16384);
    DWORD cchName = (DWORD)name.size();
    if (::RegEnumValueW(reg.GetKey(), dwIndex, name.data(), &cchName, NULL, &dwType, NULL, NULL) !=
        ERROR_SUCCESS)
        return false;
    strName = CString(name.data(), (int)cchName);
    return true;
}
} // namespace

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
    // Each value is read with its name, in one call: a second look-up a value would make a
    // large node's load cost twice as many trips to the registry.
    std::vector<BYTE> data(reg.GetLongestValueDataLength() + sizeof(wchar_t));
    for (DWORD dwIndex = 0;; dwIndex++) {
        DWORD dwType = 0;
        DWORD cbData = (DWORD)data.size();
        BOOL bHaveData = reg.EnumerateValues(dwIndex, strName, &dwType, data.data(), &cbData);
        if (!bHaveData) {
            const LONG lError = reg.GetErrorCode();
            if (lError == ERROR_NO_MORE_ITEMS)
                break;
            // A name longer than the wrapper's buffer (or data grown since the key was opened):
            // the name is read with a buffer that holds the longest one the registry takes
            // (16,383 characters) and the value on its own; a pair is never skipped.
            if (lError != ERROR_MORE_DATA || !EnumerateLongName(reg, dwIndex, strName, dwType))
                return FALSE;
        }
        // Values of other types are not the tree's: they are passed over.
        if (dwType != REG_SZ)
            continue;
        CString strValue;
        if (bHaveData) {
            const size_t nChars = cbData / sizeof(wchar_t);
            const wchar_t* pText = reinterpret_cast<const wchar_t*>(data.data());
            strValue = CString(std::wstring(pText, nChars).c_str()); // up to the terminator
        } else if (!reg.GetStringValue(strName, strValue)) {
            continue;
        }
        keys.AddTail(strName);
        values.AddTail(strValue);
    }
    return TRUE;
}
