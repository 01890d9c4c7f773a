// The settings tree in a private profile (ini) file.
#include "toolbars/settings/settings_tree_strategy.h"

#include "toolbars/settings/settings_tree.h"

#include "toolbars/null_separated.h"
#include "framework/win/profile_text.h"

#include <cwctype>
#include <string>
#include <unordered_map>
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

// The section's lines ("key=value") in one read, the buffer growing while the result fills it.
bool ReadWholeSection(LPCWSTR lpszSection, LPCWSTR lpszFile, std::wstring& text) {
    const DWORD kLongest = 16u * 1024u * 1024u;
    for (DWORD dwSize = 4096; dwSize <= kLongest; dwSize *= 2) {
        std::vector<wchar_t> buffer(dwSize, L'\0');
        const DWORD dwGot =
            ::GetPrivateProfileSectionW(lpszSection, buffer.data(), dwSize, lpszFile);
        if (dwGot < dwSize - 2) {
            text.assign(buffer.data(), dwGot);
            return true;
        }
    }
    return false;
}

// Text the ANSI code page holds as it stands.
bool FitsCodePage(const CString& strText) {
    if (strText.IsEmpty())
        return true;
    BOOL bLossy = FALSE;
    const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, strText, strText.GetLength(),
                                        NULL, 0, NULL, &bLossy);
    return n > 0 && !bLossy;
}

bool IsUnicodeFile(LPCWSTR lpszFile) {
    HANDLE hFile = ::CreateFileW(lpszFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    BYTE bom[2] = {};
    DWORD dwRead = 0;
    const BOOL bRead = ::ReadFile(hFile, bom, 2, &dwRead, NULL);
    ::CloseHandle(hFile);
    return bRead && dwRead == 2 && bom[0] == 0xFF && bom[1] == 0xFE;
}

// Makes the file UTF-16 (the profile functions then keep that encoding): a new file is started
// with the byte-order mark, an ANSI one is rewritten in UTF-16 with what it held.
bool MakeUnicodeFile(LPCWSTR lpszFile) {
    if (IsUnicodeFile(lpszFile))
        return true;
    ::WritePrivateProfileStringW(NULL, NULL, NULL, lpszFile); // what is cached reaches the file
    std::string bytes;
    HANDLE hFile = ::CreateFileW(lpszFile, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile != INVALID_HANDLE_VALUE) {
        char chunk[65536];
        DWORD dwRead = 0;
        while (::ReadFile(hFile, chunk, sizeof chunk, &dwRead, NULL) && dwRead > 0)
            bytes.append(chunk, dwRead);
        ::CloseHandle(hFile);
    } else if (::GetLastError() != ERROR_FILE_NOT_FOUND) {
        return false;
    }
    std::wstring text;
    if (!bytes.empty()) {
        const int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), (int)bytes.size(), NULL, 0);
        if (n <= 0)
            return false;
        text.resize((size_t)n);
        ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), (int)bytes.size(), &text[0], n);
    }
    text.insert(text.begin(), L'\xFEFF');
    hFile =
        ::CreateFileW(lpszFile, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD dwWritten = 0;
    const DWORD dwBytes = (DWORD)(text.size() * sizeof(wchar_t));
    const BOOL bOk = ::WriteFile(hFile, text.data(), dwBytes, &dwWritten, NULL);
    ::CloseHandle(hFile);
    return bOk && dwWritten == dwBytes;
}

} // namespace

// What the ANSI code page cannot hold would be written as "?": before such text goes in, the
// file becomes UTF-16; when it cannot, the write fails rather than save a changed text.
BOOL SECPTNStrategyProfile::WriteText(LPCTSTR lpszSection, LPCTSTR lpszKey, LPCTSTR lpszValue) {
    if ((!FitsCodePage(lpszSection) || !FitsCodePage(lpszKey) || !FitsCodePage(lpszValue)) &&
        !MakeUnicodeFile(m_strFileName))
        return FALSE;
    return ::WritePrivateProfileStringW(lpszSection, lpszKey, lpszValue, m_strFileName);
}

SECPTNStrategyProfile::SECPTNStrategyProfile(LPCTSTR lpszFileName)
    : m_strFileName(lpszFileName), m_strChildPrefix(L"ptn_Child"), m_strSeparator(L"."),
      m_dwLargestBuffer(8192) {}

SECPTNStrategyProfile::~SECPTNStrategyProfile() {
    FlushPending();
}

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
    const BOOL bFlushed = FlushPending();
    CString strSection = MakeSectionName(path);
    if (strSection.IsEmpty())
        return FALSE;
    // No file yet: nothing to remove.
    if (!::WritePrivateProfileStringW(strSection, NULL, NULL, m_strFileName) &&
        ::GetFileAttributesW(m_strFileName) != INVALID_FILE_ATTRIBUTES)
        return FALSE;
    m_strPending = strSection; // empty now: what is written next is gathered for one write
    return bFlushed;
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
    if (strSection == m_strPending &&
        m_pendingKeys.insert(SECPersistentTreeNode::FoldKey(strKey)).second) {
        AddPendingLine(strKey, strValue);
        return TRUE;
    }
    const BOOL bFlushed = FlushPending();
    return WriteText(strSection, strKey, strValue) && bFlushed;
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
        if (!IsNodeNameStorable(strName))
            bOk = FALSE;
        else if (strSection == m_strPending &&
                 m_pendingKeys.insert(SECPersistentTreeNode::FoldKey(strKey)).second)
            AddPendingLine(strKey, strName);
        else if (!FlushPending() || !WriteText(strSection, strKey, strName))
            bOk = FALSE;
    }
    // The child names end a node's section: what was gathered for it is written now, and its
    // failure is this call's.
    return FlushPending() && bOk;
}

void SECPTNStrategyProfile::AddPendingLine(const CString& strKey, const CString& strValue) {
    m_bPendingWide = m_bPendingWide || !FitsCodePage(strKey) || !FitsCodePage(strValue);
    m_pendingLines += strKey.str();
    m_pendingLines += L'=';
    m_pendingLines += strValue.str();
    m_pendingLines += L'\0';
}

BOOL SECPTNStrategyProfile::FlushPending() {
    const CString strSection = m_strPending;
    std::wstring lines;
    lines.swap(m_pendingLines);
    const bool bWide = m_bPendingWide || !FitsCodePage(strSection);
    m_strPending.Empty();
    m_pendingKeys.clear();
    m_bPendingWide = false;
    if (lines.empty())
        return TRUE;
    if (bWide && !MakeUnicodeFile(m_strFileName))
        return FALSE;
    lines += L'\0';
    return ::WritePrivateProfileSectionW(strSection, lines.c_str(), m_strFileName);
}

BOOL SECPTNStrategyProfile::GetSectionKeys(LPCTSTR lpszSection, CStringList& keys) {
    keys.RemoveAll();
    if (!FlushPending())
        return FALSE;
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
    if (!FlushPending())
        return FALSE;
    CString strSection = MakeSectionName(path);
    CStringList sectionKeys;
    if (!GetSectionKeys(strSection, sectionKeys))
        return FALSE;
    // The values come from one read of the whole section (a read a key would cost a search of
    // the section each); a key the lines do not show plainly is read on its own.
    std::wstring lines;
    std::unordered_map<std::wstring, std::wstring> byKey;
    if (ReadWholeSection(strSection, m_strFileName, lines))
        for (const std::wstring& line : SplitNullSeparated(lines)) {
            const size_t eq = line.find(L'=');
            if (eq != std::wstring::npos)
                byKey.emplace(line.substr(0, eq), line.substr(eq + 1));
        }
    for (POSITION pos = sectionKeys.GetHeadPosition(); pos != NULL;) {
        const CString& strKey = sectionKeys.GetNext(pos);
        std::wstring value;
        auto it = byKey.find(strKey.str());
        if (it != byKey.end() && !it->second.empty() && !std::iswspace(it->second[0]) &&
            !std::iswspace(it->second.back()) && it->second[0] != L'"' && it->second[0] != L'\'')
            value = it->second;
        else if (!AfxReadWholeProfileString(strSection, strKey, L"", m_strFileName, 256, value))
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
