// The settings tree in a private profile (ini) file.
#include "toolbars/settings_tree_strategy.h"

#include "toolbars/null_separated.h"
#include "framework/win/profile_text.h"

#include <cwctype>
#include <string>
#include <vector>

namespace {

bool HasLineBreak(const CString& strText) {
    return strText.FindOneOf(L"\r\n") >= 0;
}

// The profile functions drop white space around keys and values.
bool IsPadded(const CString& strText) {
    return !strText.IsEmpty() &&
           (std::iswspace(strText[0]) || std::iswspace(strText[strText.GetLength() - 1]));
}

// And the quotes around a value.
bool IsQuoted(const CString& strText) {
    const int n = strText.GetLength();
    return n >= 2 && (strText[0] == L'"' || strText[0] == L'\'') && strText[n - 1] == strText[0];
}

bool StartsWithNoCase(const CString& strText, const CString& strPrefix) {
    return strText.GetLength() >= strPrefix.GetLength() &&
           strText.Left(strPrefix.GetLength()).CompareNoCase(strPrefix) == 0;
}

} // namespace

SECPTNStrategyProfile::SECPTNStrategyProfile(LPCTSTR lpszFileName)
    : m_strFileName(lpszFileName), m_strChildPrefix(L"ptn_Child"), m_strSeparator(L"."),
      m_dwLargestBuffer(8192) {}

bool SECPTNStrategyProfile::IsNodeNameStorable(const CString& strName) const {
    // A name that holds the separator or ends a section header would name another section.
    return !strName.IsEmpty() && !HasLineBreak(strName) && strName.Find(m_strSeparator) < 0 &&
           strName.Find(L']') < 0;
}

CString SECPTNStrategyProfile::MakeSectionName(const CStringList& path) const {
    CString strSection;
    for (POSITION pos = path.GetTailPosition(); pos != NULL;) {
        const CString& strName = path.GetPrev(pos);
        if (!IsNodeNameStorable(strName))
            return CString();
        if (!strSection.IsEmpty())
            strSection += m_strSeparator;
        strSection += strName;
    }
    return strSection;
}

BOOL SECPTNStrategyProfile::DeleteSection(const CStringList& path) {
    CString strSection = MakeSectionName(path);
    if (strSection.IsEmpty())
        return FALSE;
    if (::WritePrivateProfileStringW(strSection, NULL, NULL, m_strFileName))
        return TRUE;
    // No file yet: nothing to remove.
    return ::GetFileAttributesW(m_strFileName) == INVALID_FILE_ATTRIBUTES;
}

BOOL SECPTNStrategyProfile::WriteValue(const CStringList& path, LPCTSTR lpszKey,
                                       LPCTSTR lpszValue) {
    CString strSection = MakeSectionName(path);
    CString strKey(lpszKey), strValue(lpszValue);
    // Such a key would read back as another key, a comment, a section or a child; such a
    // value would read back trimmed or without its quotes.
    if (strSection.IsEmpty() || strKey.IsEmpty() || HasLineBreak(strKey) || IsPadded(strKey) ||
        strKey.Find(L'=') >= 0 || strKey[0] == L';' || strKey[0] == L'[' ||
        StartsWithNoCase(strKey, m_strChildPrefix) || HasLineBreak(strValue) ||
        IsPadded(strValue) || IsQuoted(strValue))
        return FALSE;
    return ::WritePrivateProfileStringW(strSection, strKey, strValue, m_strFileName);
}

BOOL SECPTNStrategyProfile::WriteChildNames(const CStringList& path, const CStringList& names) {
    CString strSection = MakeSectionName(path);
    if (strSection.IsEmpty())
        return FALSE;
    BOOL bOk = TRUE;
    int nIndex = 1;
    for (POSITION pos = names.GetHeadPosition(); pos != NULL;) {
        const CString& strName = names.GetNext(pos);
        CString strKey;
        strKey.Format(L"%s%d", (LPCTSTR)m_strChildPrefix, nIndex++);
        if (!IsNodeNameStorable(strName) ||
            !::WritePrivateProfileStringW(strSection, strKey, strName, m_strFileName))
            bOk = FALSE;
    }
    return bOk;
}

BOOL SECPTNStrategyProfile::GetSectionKeys(LPCTSTR lpszSection, CStringList& keys) {
    keys.RemoveAll();
    if (lpszSection == NULL || *lpszSection == 0)
        return FALSE;
    std::wstring list;
    DWORD dwFirst = m_dwLargestBuffer < 512 ? m_dwLargestBuffer : 512;
    if (!AfxReadWholeProfileString(lpszSection, NULL, L"", m_strFileName, dwFirst, list))
        return FALSE;
    for (const std::wstring& key : SplitNullSeparated(list))
        keys.AddTail(CString(key));
    return TRUE;
}

BOOL SECPTNStrategyProfile::ReadSection(const CStringList& path, CStringList& childNames,
                                        CStringList& keys, CStringList& values) {
    CString strSection = MakeSectionName(path);
    CStringList sectionKeys;
    if (!GetSectionKeys(strSection, sectionKeys))
        return FALSE;
    for (POSITION pos = sectionKeys.GetHeadPosition(); pos != NULL;) {
        const CString& strKey = sectionKeys.GetNext(pos);
        std::wstring value;
        if (!AfxReadWholeProfileString(strSection, strKey, L"", m_strFileName, 256, value))
            return FALSE;
        if (StartsWithNoCase(strKey, m_strChildPrefix)) {
            childNames.AddTail(CString(value));
        } else {
            keys.AddTail(strKey);
            values.AddTail(CString(value));
        }
    }
    return TRUE;
}
