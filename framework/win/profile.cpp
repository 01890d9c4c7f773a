// Profile settings of the application: the registry under the application's key when a
// registry key is set, otherwise the private ini file named by m_pszProfileName.
#include "framework/win/winapp.h"
#include "framework/win/profile_text.h"

#include <algorithm>
#include <memory>
#include <type_traits>
#include <vector>

namespace {
// Closes a registry key when it goes out of scope.
struct KeyCloser {
    void operator()(HKEY hKey) const {
        if (hKey != NULL)
            ::RegCloseKey(hKey);
    }
};
using UniqueKey = std::unique_ptr<std::remove_pointer<HKEY>::type, KeyCloser>;

HKEY CreateSubKey(HKEY hParent, LPCWSTR lpszName) {
    HKEY hKey = NULL;
    DWORD dw = 0;
    if (hParent == NULL ||
        ::RegCreateKeyExW(hParent, lpszName, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                          NULL, &hKey, &dw) != ERROR_SUCCESS)
        return NULL;
    return hKey;
}

CString ReadIniString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault,
                      LPCWSTR lpszFile) {
    std::wstring text;
    if (!AfxReadWholeProfileString(lpszSection, lpszEntry, lpszDefault, lpszFile, 256, text))
        return CString(lpszDefault ? lpszDefault : L""); // too long to read: never a cut value
    return CString(text.c_str(), (int)text.size());
}
} // namespace

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey) {
    m_strRegistryKey = lpszRegistryKey ? lpszRegistryKey : L"";
    m_pszRegistryKey = m_strRegistryKey.c_str();
    m_strProfileName = m_pszAppName ? m_pszAppName : L"";
    m_pszProfileName = m_strProfileName.c_str();
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
    CString key;
    if (key.LoadString(nIDRegistryKey))
        SetRegistryKey((LPCTSTR)key);
}

HKEY CWinApp::GetAppRegistryKey() {
    if (!UsesRegistry() || m_pszProfileName == NULL || *m_pszProfileName == 0)
        return NULL;
    UniqueKey software(CreateSubKey(HKEY_CURRENT_USER, L"Software"));
    UniqueKey company(CreateSubKey(software.get(), m_pszRegistryKey));
    return CreateSubKey(company.get(), m_pszProfileName);
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection) {
    if (lpszSection == NULL)
        return NULL;
    UniqueKey app(GetAppRegistryKey());
    return CreateSubKey(app.get(), lpszSection);
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) {
    if (lpszSection == NULL || lpszEntry == NULL)
        return (UINT)nDefault;
    if (!UsesRegistry())
        return ::GetPrivateProfileIntW(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    UniqueKey key(GetSectionKey(lpszSection));
    DWORD dwValue = 0;
    DWORD dwType = 0;
    DWORD dwSize = sizeof(dwValue);
    if (!key ||
        ::RegQueryValueExW(key.get(), lpszEntry, NULL, &dwType, (LPBYTE)&dwValue, &dwSize) !=
            ERROR_SUCCESS ||
        dwType != REG_DWORD || dwSize != sizeof(dwValue))
        return (UINT)nDefault;
    return (UINT)dwValue;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue) {
    if (lpszSection == NULL || lpszEntry == NULL)
        return FALSE;
    if (!UsesRegistry()) {
        wchar_t text[16];
        wsprintfW(text, L"%d", nValue);
        return ::WritePrivateProfileStringW(lpszSection, lpszEntry, text, m_pszProfileName);
    }
    UniqueKey key(GetSectionKey(lpszSection));
    DWORD dwValue = (DWORD)nValue;
    return key && ::RegSetValueExW(key.get(), lpszEntry, 0, REG_DWORD, (const BYTE*)&dwValue,
                                   sizeof(dwValue)) == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) {
    const CString strDefault(lpszDefault);
    if (lpszSection == NULL || lpszEntry == NULL)
        return strDefault;
    if (!UsesRegistry())
        return ReadIniString(lpszSection, lpszEntry, strDefault, m_pszProfileName);
    UniqueKey key(GetSectionKey(lpszSection));
    DWORD dwType = 0;
    DWORD dwSize = 0;
    if (!key ||
        ::RegQueryValueExW(key.get(), lpszEntry, NULL, &dwType, NULL, &dwSize) != ERROR_SUCCESS ||
        (dwType != REG_SZ && dwType != REG_EXPAND_SZ))
        return strDefault;
    std::vector<wchar_t> buffer(dwSize / sizeof(wchar_t) + 1, L'\0');
    DWORD dwGot = (DWORD)(buffer.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key.get(), lpszEntry, NULL, &dwType, (LPBYTE)buffer.data(), &dwGot) !=
        ERROR_SUCCESS)
        return strDefault;
    return CString(buffer.data());
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) {
    if (lpszSection == NULL)
        return FALSE;
    if (!UsesRegistry())
        return ::WritePrivateProfileStringW(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
    if (lpszEntry == NULL) {
        UniqueKey app(GetAppRegistryKey());
        if (!app)
            return FALSE;
        LSTATUS status = ::RegDeleteTreeW(app.get(), lpszSection);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    UniqueKey key(GetSectionKey(lpszSection));
    if (!key)
        return FALSE;
    if (lpszValue == NULL) {
        LSTATUS status = ::RegDeleteValueW(key.get(), lpszEntry);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    DWORD dwBytes = (DWORD)((lstrlenW(lpszValue) + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key.get(), lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue, dwBytes) ==
           ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData,
                               UINT* pBytes) {
    if (ppData == NULL || pBytes == NULL)
        return FALSE;
    *ppData = NULL;
    *pBytes = 0;
    if (lpszSection == NULL || lpszEntry == NULL)
        return FALSE;
    std::vector<BYTE> data;
    if (!UsesRegistry()) {
        CString text = ReadIniString(lpszSection, lpszEntry, L"", m_pszProfileName);
        if (text.IsEmpty() || !AfxDecodeProfileBinary(text, data))
            return FALSE;
    } else {
        UniqueKey key(GetSectionKey(lpszSection));
        DWORD dwType = 0;
        DWORD dwSize = 0;
        if (!key ||
            ::RegQueryValueExW(key.get(), lpszEntry, NULL, &dwType, NULL, &dwSize) !=
                ERROR_SUCCESS ||
            dwType != REG_BINARY)
            return FALSE;
        data.resize(dwSize);
        if (dwSize > 0 && ::RegQueryValueExW(key.get(), lpszEntry, NULL, &dwType, data.data(),
                                             &dwSize) != ERROR_SUCCESS)
            return FALSE;
        data.resize(dwSize);
    }
    // The caller owns the copy (delete[]), as every user of this call expects.
    *ppData = new BYTE[data.empty() ? 1 : data.size()];
    std::copy(data.begin(), data.end(), *ppData);
    *pBytes = (UINT)data.size();
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData,
                                 UINT nBytes) {
    if (lpszSection == NULL || lpszEntry == NULL || (pData == NULL && nBytes != 0))
        return FALSE;
    if (!UsesRegistry()) {
        CString text = AfxEncodeProfileBinary(pData, nBytes);
        return ::WritePrivateProfileStringW(lpszSection, lpszEntry, text, m_pszProfileName);
    }
    UniqueKey key(GetSectionKey(lpszSection));
    return key &&
           ::RegSetValueExW(key.get(), lpszEntry, 0, REG_BINARY, pData, nBytes) == ERROR_SUCCESS;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
    if (nMaxMRU == 0)
        return;
    if (nMaxMRU > ID_FILE_MRU_LAST - ID_FILE_MRU_FIRST + 1)
        nMaxMRU = ID_FILE_MRU_LAST - ID_FILE_MRU_FIRST + 1;
    delete m_pRecentFileList;
    m_pRecentFileList = new CRecentFileList(0, L"Recent File List", L"File%d", (int)nMaxMRU);
    m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings() {
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->WriteList();
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName) {
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->Add(lpszPathName);
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
    if (m_pRecentFileList == NULL)
        pCmdUI->Enable(FALSE);
    else
        m_pRecentFileList->UpdateMenu(pCmdUI);
}
