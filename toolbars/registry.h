// SECRegistry: one open key of the registry, local or on another computer. Every operation
// answers TRUE or FALSE and leaves the system's error code (0 after success) in the object.
#pragma once

#include "framework/core/arrays.h"
#include "framework/core/cstring.h"
#include "framework/core/ctime.h"
#include "framework/core/object.h"

#include <vector>

class SECRegistry : public CObject {
    DECLARE_DYNAMIC(SECRegistry)
public:
    SECRegistry();
    ~SECRegistry() override;

    virtual void Initialize();
    virtual BOOL Create(LPCTSTR lpszSubkey, LPCTSTR lpszClass = NULL,
                        DWORD dwOptions = REG_OPTION_NON_VOLATILE,
                        REGSAM samDesired = KEY_ALL_ACCESS, LPSECURITY_ATTRIBUTES pSecurity = NULL,
                        LPDWORD pdwDisposition = NULL);
    virtual BOOL Close();
    virtual BOOL Connect(HKEY hRoot = HKEY_CURRENT_USER, LPCTSTR lpszComputer = NULL,
                         BOOL bCloseRoot = TRUE);
    // The subkey is resolved against the current key. Recursively, the whole subtree goes; an
    // empty subkey on a predefined root is refused, so a root is never emptied.
    virtual BOOL DeleteKey(LPCTSTR lpszSubkey, BOOL bRecursive = FALSE);
    virtual BOOL DeleteValue(LPCTSTR lpszName);

    // The raw form answers the system's code (ERROR_MORE_DATA when a buffer was too small).
    virtual LONG EnumerateKeys(DWORD dwIndex, LPTSTR lpszName, LPDWORD pcchName, LPTSTR lpszClass,
                               LPDWORD pcchClass);
    // FALSE with ERROR_MORE_DATA when a name does not fit the buffer: a cut name is no answer.
    virtual BOOL EnumerateKeys(DWORD dwIndex, CString& strName, CString& strClass);
    virtual BOOL EnumerateKeys(DWORD dwIndex, CString& strName);
    virtual BOOL EnumerateValues(DWORD dwIndex, CString& strName);
    virtual BOOL EnumerateValues(DWORD dwIndex, CString& strName, LPDWORD pdwType);
    // With data: FALSE with ERROR_MORE_DATA when the name or the data did not fit (the data
    // length then holds the size needed).
    virtual BOOL EnumerateValues(DWORD dwIndex, CString& strName, LPDWORD pdwType, LPBYTE pData,
                                 LPDWORD pcbData);

    virtual BOOL Flush();

    // The getters ask the value's size first and read it whole. A value of another type gives
    // FALSE with ERROR_INVALID_DATATYPE; on any failure the output is emptied.
    virtual BOOL GetBinaryValue(LPCTSTR lpszName, CByteArray& data);
    virtual BOOL GetDoubleWordValue(LPCTSTR lpszName, DWORD& dwValue);
    virtual BOOL GetStringValue(LPCTSTR lpszName, CString& strValue);
    virtual BOOL GetStringArrayValue(LPCTSTR lpszName, CStringArray& values);
    virtual BOOL GetValue(LPCTSTR lpszName, CString& strValue);
    virtual BOOL GetValue(LPCTSTR lpszName, CStringArray& values);
    virtual BOOL GetValue(LPCTSTR lpszName, DWORD& dwValue);
    virtual BOOL GetValue(LPCTSTR lpszName, CByteArray& data);

    virtual BOOL GetSecurity(SECURITY_INFORMATION info, PSECURITY_DESCRIPTOR pDescriptor,
                             LPDWORD pcbDescriptor);
    virtual BOOL SetSecurity(SECURITY_INFORMATION info, PSECURITY_DESCRIPTOR pDescriptor);
    virtual BOOL NotifyChange(HANDLE hEvent, DWORD dwFilter, BOOL bWatchSubtree,
                              BOOL bAsynchronous);

    // Hives.
    virtual BOOL Load(LPCTSTR lpszSubkey, LPCTSTR lpszFile);
    virtual BOOL UnLoad(LPCTSTR lpszSubkey);
    virtual BOOL Save(LPCTSTR lpszFile, LPSECURITY_ATTRIBUTES pSecurity = NULL);
    virtual BOOL Restore(LPCTSTR lpszFile, DWORD dwFlags = 0);
    virtual BOOL Replace(LPCTSTR lpszSubkey, LPCTSTR lpszNewFile, LPCTSTR lpszOldFile);

    // With no root yet the classes root is assumed.
    virtual BOOL Open(LPCTSTR lpszSubkey, REGSAM samDesired = KEY_ALL_ACCESS);
    virtual BOOL QueryInfo();
    // The type is written back only on success.
    virtual BOOL QueryValue(LPCTSTR lpszName, LPDWORD pdwType, LPBYTE pData, LPDWORD pcbData);

    virtual BOOL SetBinaryValue(LPCTSTR lpszName, const CByteArray& data);
    virtual BOOL SetDoubleWordValue(LPCTSTR lpszName, DWORD dwValue);
    virtual BOOL SetStringValue(LPCTSTR lpszName, const CString& strValue);
    virtual BOOL SetStringArrayValue(LPCTSTR lpszName, const CStringArray& values);
    virtual BOOL SetValue(LPCTSTR lpszName, DWORD dwType, const BYTE* pData, DWORD cbData);
    virtual BOOL SetValue(LPCTSTR lpszName, const CString& strValue);
    virtual BOOL SetValue(LPCTSTR lpszName, const CStringArray& values);
    virtual BOOL SetValue(LPCTSTR lpszName, DWORD dwValue);
    virtual BOOL SetValue(LPCTSTR lpszName, const CByteArray& data);

    // Root names ("HKEY_CURRENT_USER" ...): 0 / empty when not in the table.
    static HKEY KeyFromRootName(LPCTSTR lpszName);
    static CString RootNameFromKey(HKEY hKey);
    static BOOL IsPredefinedRoot(HKEY hKey);
    // A trailing backslash goes, and on request a leading one too.
    static CString NormalizeKeyPath(LPCTSTR lpszPath, BOOL bRemoveLeading = FALSE);
    static CString JoinKeyPath(LPCTSTR lpszFirst, LPCTSTR lpszSecond);

    LONG GetErrorCode() const { return m_lErrorCode; }
    HKEY GetKey() const { return m_hKey; }
    HKEY GetRootKey() const { return m_hRoot; }
    const CString& GetKeyName() const { return m_strKeyName; }
    const CString& GetClassName() const { return m_strClassName; }
    const CString& GetComputerName() const { return m_strComputerName; }
    const CString& GetRootName() const { return m_strRootName; }
    BOOL IsRemote() const { return m_bRemote; }
    DWORD GetNumberOfSubkeys() const { return m_dwSubkeys; }
    DWORD GetNumberOfValues() const { return m_dwValues; }
    DWORD GetLongestValueDataLength() const { return m_dwLongestValueData; }
    const FILETIME& GetLastWriteFileTime() const { return m_ftLastWrite; }
    CTime GetLastWriteTime() const { return m_timeLastWrite; }

protected:
    // Records a result; TRUE for ERROR_SUCCESS.
    BOOL Result(LONG lResult);
    // Closes the current key unless it is the root; the field is cleared either way, so a
    // failed open that follows leaves no handle behind.
    LONG CloseCurrentKey();
    // Reads a value whole: its size first, then the bytes (again while it keeps growing).
    // Fails with ERROR_INVALID_DATATYPE when the type is not dwType.
    BOOL ReadWhole(LPCTSTR lpszName, DWORD dwType, std::vector<BYTE>& bytes);
    // Depth first without recursion, so no depth of tree can exhaust the stack.
    BOOL DeleteTree(const CString& strSubkey);
    // The key an open or create gave, on success.
    BOOL TakeKey(LONG lResult, HKEY hKey, const CString& strPath);
    // The first step of Open and Create: the classes root is assumed when none was connected,
    // the current key is closed, and the subkey's path normalised.
    CString LeaveCurrentKey(LPCTSTR lpszSubkey);

    LONG m_lErrorCode;
    HKEY m_hKey;
    HKEY m_hRoot;
    DWORD m_dwLongestSubkeyName;
    DWORD m_dwLongestClassName;
    DWORD m_dwLongestValueName;
    DWORD m_dwLongestValueData;
    DWORD m_dwSecurityDescriptor;
    DWORD m_dwSubkeys;
    DWORD m_dwValues;
    FILETIME m_ftLastWrite;
    CTime m_timeLastWrite;
    CString m_strClassName;
    CString m_strComputerName;
    CString m_strKeyName;
    CString m_strRootName;
    BOOL m_bRemote;
    BOOL m_bCloseRoot;
};
