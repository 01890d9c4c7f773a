// Keys: connecting, opening, closing, deleting, enumerating and the hive pass-throughs.
#include "toolbars/registry.h"

IMPLEMENT_DYNAMIC(SECRegistry, CObject)

namespace {

struct RootName {
    LPCWSTR name;
    HKEY key;
};

const RootName kRoots[] = {
    {L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},     {L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},   {L"HKEY_USERS", HKEY_USERS},
    {L"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG}, {L"HKEY_DYN_DATA", HKEY_DYN_DATA},
};

// Enumeration buffers in characters, the terminator included.
constexpr DWORD kKeyNameBuffer = 4095;
constexpr DWORD kValueNameBuffer = 4096;
// Registry key names are at most 255 characters.
constexpr DWORD kSubkeyNameBuffer = 256;
// The longest class name read back whole.
constexpr size_t kLongestClassName = 0x10000;

// Runs an enumeration step with buffers of cch characters, doubling them while the system says
// a name did not fit (ERROR_MORE_DATA; Wine may say ERROR_INSUFFICIENT_BUFFER for a class), so
// that a name is read whole or not at all.
template <typename Step> LONG WithBuffersThatFit(DWORD cch, Step step) {
    for (;; cch *= 2) {
        const LONG lResult = step(cch);
        if ((lResult != ERROR_MORE_DATA && lResult != ERROR_INSUFFICIENT_BUFFER) ||
            cch >= kLongestClassName)
            return lResult;
    }
}

bool IsEmptyText(LPCTSTR psz) {
    return psz == NULL || *psz == 0;
}

} // namespace

SECRegistry::SECRegistry() {
    Initialize();
}

SECRegistry::~SECRegistry() {
    if (m_hKey != NULL || m_hRoot != NULL)
        Close();
    Initialize();
}

void SECRegistry::Initialize() {
    m_lErrorCode = ERROR_SUCCESS;
    m_hKey = NULL;
    m_hRoot = NULL;
    m_dwLongestSubkeyName = 0;
    m_dwLongestClassName = 0;
    m_dwLongestValueName = 0;
    m_dwLongestValueData = 0;
    m_dwSecurityDescriptor = 0;
    m_dwSubkeys = 0;
    m_dwValues = 0;
    m_ftLastWrite = FILETIME{};
    m_timeLastWrite = CTime();
    m_strClassName.Empty();
    m_strComputerName.Empty();
    m_strKeyName.Empty();
    m_strRootName.Empty();
    m_bRemote = FALSE;
    m_bCloseRoot = TRUE;
}

BOOL SECRegistry::Result(LONG lResult) {
    m_lErrorCode = lResult;
    return lResult == ERROR_SUCCESS;
}

LONG SECRegistry::CloseCurrentKey() {
    HKEY hKey = m_hKey;
    m_hKey = NULL;
    m_strKeyName.Empty();
    if (hKey == NULL || hKey == m_hRoot)
        return ERROR_SUCCESS;
    return ::RegCloseKey(hKey);
}

CString SECRegistry::LeaveCurrentKey(LPCTSTR lpszSubkey) {
    if (m_hRoot == NULL) {
        m_hRoot = HKEY_CLASSES_ROOT;
        m_strRootName = RootNameFromKey(m_hRoot);
    }
    CloseCurrentKey();
    return NormalizeKeyPath(lpszSubkey);
}

BOOL SECRegistry::Close() {
    LONG lKey = CloseCurrentKey();
    LONG lRoot = ERROR_SUCCESS;
    if (m_bCloseRoot && m_hRoot != NULL)
        lRoot = ::RegCloseKey(m_hRoot);
    Initialize();
    return Result(lKey != ERROR_SUCCESS ? lKey : lRoot);
}

BOOL SECRegistry::Connect(HKEY hRoot, LPCTSTR lpszComputer, BOOL bCloseRoot) {
    if (m_hKey != NULL || m_hRoot != NULL)
        Close();
    const BOOL bOldCloseRoot = m_bCloseRoot;
    const bool bRemote = !IsEmptyText(lpszComputer);
    m_bCloseRoot = bCloseRoot;
    m_bRemote = bRemote;

    HKEY hConnected = NULL;
    LONG lResult = ERROR_SUCCESS;
    if (hRoot == HKEY_CLASSES_ROOT || hRoot == HKEY_CURRENT_USER) {
        // These two exist only on the local computer.
        if (bRemote)
            lResult = ERROR_INVALID_HANDLE;
        else
            hConnected = hRoot;
    } else {
        lResult = ::RegConnectRegistryW(bRemote ? lpszComputer : NULL, hRoot, &hConnected);
    }
    if (lResult != ERROR_SUCCESS) {
        m_bCloseRoot = bOldCloseRoot;
        m_bRemote = FALSE;
        return Result(lResult);
    }
    m_hRoot = hConnected;
    m_hKey = hConnected;
    if (bRemote) {
        m_strComputerName = lpszComputer;
    } else {
        wchar_t szName[260];
        DWORD cch = 260;
        m_strComputerName =
            ::GetComputerNameW(szName, &cch) ? CString(szName, (int)cch) : CString();
    }
    m_strRootName = RootNameFromKey(hRoot);
    return Result(ERROR_SUCCESS);
}

BOOL SECRegistry::Open(LPCTSTR lpszSubkey, REGSAM samDesired) {
    if (lpszSubkey == NULL)
        return Result(ERROR_INVALID_PARAMETER);
    CString strPath = LeaveCurrentKey(lpszSubkey);
    HKEY hKey = NULL;
    LONG lResult = ::RegOpenKeyExW(m_hRoot, strPath, 0, samDesired, &hKey);
    return TakeKey(lResult, hKey, strPath);
}

BOOL SECRegistry::TakeKey(LONG lResult, HKEY hKey, const CString& strPath) {
    if (lResult != ERROR_SUCCESS)
        return Result(lResult);
    m_hKey = hKey;
    m_strKeyName = strPath;
    // A key opened without query rights is still open: the details are a courtesy.
    QueryInfo();
    return Result(ERROR_SUCCESS);
}

BOOL SECRegistry::Create(LPCTSTR lpszSubkey, LPCTSTR lpszClass, DWORD dwOptions, REGSAM samDesired,
                         LPSECURITY_ATTRIBUTES pSecurity, LPDWORD pdwDisposition) {
    if (lpszSubkey == NULL)
        return Result(ERROR_INVALID_PARAMETER);
    CString strPath = LeaveCurrentKey(lpszSubkey);
    HKEY hKey = NULL;
    LONG lResult = ::RegCreateKeyExW(m_hRoot, strPath, 0, (LPWSTR)(lpszClass ? lpszClass : L""),
                                     dwOptions, samDesired, pSecurity, &hKey, pdwDisposition);
    return TakeKey(lResult, hKey, strPath);
}

BOOL SECRegistry::DeleteKey(LPCTSTR lpszSubkey, BOOL bRecursive) {
    if (lpszSubkey == NULL)
        return Result(ERROR_INVALID_PARAMETER);
    if (!bRecursive)
        return Result(::RegDeleteKeyW(m_hKey, lpszSubkey));
    CString strPath = NormalizeKeyPath(lpszSubkey, TRUE);
    // Emptying the current key when it is a root would empty a whole root.
    if (strPath.IsEmpty() && (IsPredefinedRoot(m_hRoot) || m_hKey == m_hRoot))
        return Result(ERROR_INVALID_PARAMETER);
    return DeleteTree(strPath);
}

BOOL SECRegistry::DeleteTree(const CString& strSubkey) {
    struct Level {
        HKEY hKey;
        CString strName; // relative to the level above (the current key for the first)
    };
    std::vector<Level> stack;
    HKEY hTop = NULL;
    LONG lResult = ::RegOpenKeyExW(m_hKey, strSubkey, 0, KEY_ALL_ACCESS, &hTop);
    if (lResult != ERROR_SUCCESS)
        return Result(lResult);
    stack.push_back(Level{hTop, strSubkey});
    wchar_t szName[kSubkeyNameBuffer];
    while (!stack.empty()) {
        DWORD cch = kSubkeyNameBuffer;
        lResult = ::RegEnumKeyExW(stack.back().hKey, 0, szName, &cch, NULL, NULL, NULL, NULL);
        if (lResult == ERROR_SUCCESS) {
            HKEY hChild = NULL;
            lResult = ::RegOpenKeyExW(stack.back().hKey, szName, 0, KEY_ALL_ACCESS, &hChild);
            if (lResult != ERROR_SUCCESS)
                break;
            stack.push_back(Level{hChild, CString(szName, (int)cch)});
            continue;
        }
        if (lResult != ERROR_NO_MORE_ITEMS)
            break;
        Level leaf = stack.back();
        stack.pop_back();
        ::RegCloseKey(leaf.hKey);
        lResult = ::RegDeleteKeyW(stack.empty() ? m_hKey : stack.back().hKey, leaf.strName);
        if (lResult != ERROR_SUCCESS)
            break;
    }
    for (const Level& level : stack)
        ::RegCloseKey(level.hKey);
    return Result(lResult);
}

BOOL SECRegistry::DeleteValue(LPCTSTR lpszName) {
    if (lpszName == NULL)
        return Result(ERROR_INVALID_PARAMETER);
    return Result(::RegDeleteValueW(m_hKey, lpszName));
}

LONG SECRegistry::EnumerateKeys(DWORD dwIndex, LPTSTR lpszName, LPDWORD pcchName, LPTSTR lpszClass,
                                LPDWORD pcchClass) {
    if (lpszName == NULL || pcchName == NULL || (lpszClass != NULL && pcchClass == NULL)) {
        Result(ERROR_INVALID_PARAMETER);
        return m_lErrorCode;
    }
    FILETIME ft;
    LONG lResult = ::RegEnumKeyExW(m_hKey, dwIndex, lpszName, pcchName, NULL, lpszClass,
                                   lpszClass ? pcchClass : NULL, &ft);
    if (lResult == ERROR_SUCCESS) {
        m_ftLastWrite = ft;
        m_timeLastWrite = CTime(ft);
    }
    Result(lResult);
    return lResult;
}

BOOL SECRegistry::EnumerateKeys(DWORD dwIndex, CString& strName, CString& strClass) {
    std::vector<wchar_t> name, cls;
    DWORD cchName = 0, cchClass = 0;
    strName.Empty();
    strClass.Empty();
    const LONG lResult = WithBuffersThatFit(kKeyNameBuffer, [&](DWORD cch) {
        name.assign(cch, 0);
        cls.assign(cch, 0);
        cchName = cchClass = cch;
        return EnumerateKeys(dwIndex, name.data(), &cchName, cls.data(), &cchClass);
    });
    if (lResult != ERROR_SUCCESS)
        return FALSE;
    strName = CString(name.data(), (int)cchName);
    strClass = CString(cls.data(), (int)cchClass);
    return TRUE;
}

BOOL SECRegistry::EnumerateKeys(DWORD dwIndex, CString& strName) {
    std::vector<wchar_t> name;
    DWORD cchName = 0;
    strName.Empty();
    const LONG lResult = WithBuffersThatFit(kKeyNameBuffer, [&](DWORD cch) {
        name.assign(cch, 0);
        cchName = cch;
        return EnumerateKeys(dwIndex, name.data(), &cchName, NULL, NULL);
    });
    if (lResult != ERROR_SUCCESS)
        return FALSE;
    strName = CString(name.data(), (int)cchName);
    return TRUE;
}

BOOL SECRegistry::EnumerateValues(DWORD dwIndex, CString& strName) {
    return EnumerateValues(dwIndex, strName, NULL, NULL, NULL);
}

BOOL SECRegistry::EnumerateValues(DWORD dwIndex, CString& strName, LPDWORD pdwType) {
    return EnumerateValues(dwIndex, strName, pdwType, NULL, NULL);
}

BOOL SECRegistry::EnumerateValues(DWORD dwIndex, CString& strName, LPDWORD pdwType, LPBYTE pData,
                                  LPDWORD pcbData) {
    strName.Empty();
    if (pData != NULL && pcbData == NULL)
        return Result(ERROR_INVALID_PARAMETER);
    // The name first, whole (with the data's size when only that is asked for); then the data
    // into the caller's buffer. Data that does not fit is a failure (ERROR_MORE_DATA, the size
    // needed in *pcbData), never a partial buffer reported as read.
    std::vector<wchar_t> name;
    DWORD cchName = 0;
    LONG lResult = WithBuffersThatFit(kValueNameBuffer, [&](DWORD cch) {
        name.assign(cch, 0);
        cchName = cch;
        return ::RegEnumValueW(m_hKey, dwIndex, name.data(), &cchName, NULL, pdwType, NULL,
                               pData != NULL ? NULL : pcbData);
    });
    if (lResult == ERROR_SUCCESS && pData != NULL) {
        cchName = (DWORD)name.size();
        lResult =
            ::RegEnumValueW(m_hKey, dwIndex, name.data(), &cchName, NULL, pdwType, pData, pcbData);
    }
    if (lResult != ERROR_SUCCESS)
        return Result(lResult);
    strName = CString(name.data(), (int)cchName);
    return Result(ERROR_SUCCESS);
}

BOOL SECRegistry::Flush() {
    return Result(::RegFlushKey(m_hKey));
}

BOOL SECRegistry::QueryInfo() {
    std::vector<wchar_t> cls(kKeyNameBuffer);
    DWORD cchClass = 0, dwSubkeys = 0, dwLongestSubkey = 0, dwLongestClass = 0, dwValues = 0,
          dwLongestValueName = 0, dwLongestValueData = 0, dwSecurity = 0;
    FILETIME ft = {};
    LONG lResult;
    for (;;) {
        cchClass = (DWORD)cls.size();
        lResult = ::RegQueryInfoKeyW(m_hKey, cls.data(), &cchClass, NULL, &dwSubkeys,
                                     &dwLongestSubkey, &dwLongestClass, &dwValues,
                                     &dwLongestValueName, &dwLongestValueData, &dwSecurity, &ft);
        // A class name longer than the buffer is read whole with a larger one (Windows says
        // ERROR_MORE_DATA, Wine ERROR_INSUFFICIENT_BUFFER with the length needed).
        if ((lResult != ERROR_MORE_DATA && lResult != ERROR_INSUFFICIENT_BUFFER) ||
            cls.size() >= kLongestClassName)
            break;
        cls.resize(cchClass >= cls.size() ? (size_t)cchClass + 1 : cls.size() * 2);
    }
    if (lResult != ERROR_SUCCESS)
        return Result(lResult);
    m_strClassName = CString(cls.data(), (int)cchClass);
    m_dwSubkeys = dwSubkeys;
    m_dwLongestSubkeyName = dwLongestSubkey;
    m_dwLongestClassName = dwLongestClass;
    m_dwValues = dwValues;
    m_dwLongestValueName = dwLongestValueName;
    m_dwLongestValueData = dwLongestValueData;
    m_dwSecurityDescriptor = dwSecurity;
    m_ftLastWrite = ft;
    m_timeLastWrite = CTime(ft);
    return Result(ERROR_SUCCESS);
}

BOOL SECRegistry::NotifyChange(HANDLE hEvent, DWORD dwFilter, BOOL bWatchSubtree,
                               BOOL bAsynchronous) {
    if (bAsynchronous && hEvent == NULL)
        return Result(ERROR_INVALID_PARAMETER);
    return Result(
        ::RegNotifyChangeKeyValue(m_hKey, bWatchSubtree, dwFilter, hEvent, bAsynchronous));
}

BOOL SECRegistry::GetSecurity(SECURITY_INFORMATION info, PSECURITY_DESCRIPTOR pDescriptor,
                              LPDWORD pcbDescriptor) {
    if (pcbDescriptor == NULL || (pDescriptor == NULL && *pcbDescriptor != 0))
        return Result(ERROR_INVALID_PARAMETER);
    return Result(::RegGetKeySecurity(m_hKey, info, pDescriptor, pcbDescriptor));
}

BOOL SECRegistry::SetSecurity(SECURITY_INFORMATION info, PSECURITY_DESCRIPTOR pDescriptor) {
    if (pDescriptor == NULL)
        return Result(ERROR_INVALID_PARAMETER);
    return Result(::RegSetKeySecurity(m_hKey, info, pDescriptor));
}

BOOL SECRegistry::Load(LPCTSTR lpszSubkey, LPCTSTR lpszFile) {
    if (lpszSubkey == NULL || lpszFile == NULL)
        return Result(ERROR_INVALID_PARAMETER);
    return Result(::RegLoadKeyW(m_hRoot, lpszSubkey, lpszFile));
}

BOOL SECRegistry::UnLoad(LPCTSTR lpszSubkey) {
    if (lpszSubkey == NULL)
        return Result(ERROR_INVALID_PARAMETER);
    return Result(::RegUnLoadKeyW(m_hKey, lpszSubkey));
}

BOOL SECRegistry::Save(LPCTSTR lpszFile, LPSECURITY_ATTRIBUTES pSecurity) {
    if (lpszFile == NULL)
        return Result(ERROR_INVALID_PARAMETER);
    return Result(::RegSaveKeyW(m_hKey, lpszFile, pSecurity));
}

BOOL SECRegistry::Restore(LPCTSTR lpszFile, DWORD dwFlags) {
    if (lpszFile == NULL)
        return Result(ERROR_INVALID_PARAMETER);
    return Result(::RegRestoreKeyW(m_hKey, lpszFile, dwFlags));
}

BOOL SECRegistry::Replace(LPCTSTR lpszSubkey, LPCTSTR lpszNewFile, LPCTSTR lpszOldFile) {
    if (lpszNewFile == NULL || lpszOldFile == NULL)
        return Result(ERROR_INVALID_PARAMETER);
    return Result(::RegReplaceKeyW(m_hKey, lpszSubkey, lpszNewFile, lpszOldFile));
}

HKEY SECRegistry::KeyFromRootName(LPCTSTR lpszName) {
    if (lpszName != NULL) {
        for (const RootName& root : kRoots) {
            if (::lstrcmpW(root.name, lpszName) == 0)
                return root.key;
        }
    }
    return NULL;
}

CString SECRegistry::RootNameFromKey(HKEY hKey) {
    for (const RootName& root : kRoots) {
        if (root.key == hKey)
            return CString(root.name);
    }
    return CString();
}

BOOL SECRegistry::IsPredefinedRoot(HKEY hKey) {
    return hKey == HKEY_PERFORMANCE_DATA || !RootNameFromKey(hKey).IsEmpty();
}

CString SECRegistry::NormalizeKeyPath(LPCTSTR lpszPath, BOOL bRemoveLeading) {
    CString strPath(lpszPath);
    if (!strPath.IsEmpty() && strPath[strPath.GetLength() - 1] == L'\\')
        strPath = strPath.Left(strPath.GetLength() - 1);
    if (bRemoveLeading && !strPath.IsEmpty() && strPath[0] == L'\\')
        strPath = strPath.Mid(1);
    return strPath;
}

CString SECRegistry::JoinKeyPath(LPCTSTR lpszFirst, LPCTSTR lpszSecond) {
    CString strFirst = NormalizeKeyPath(lpszFirst);
    CString strSecond = NormalizeKeyPath(lpszSecond, TRUE);
    if (strFirst.IsEmpty())
        return strSecond;
    if (strSecond.IsEmpty())
        return strFirst;
    return strFirst + L"\\" + strSecond;
}
