#include "shell/app/appkey.h"

#include "shell/hostlink.h"

CString RegistryKeyFromRoot(const wchar_t* root) {
    CString key(root ? root : L"");
    key.Trim();
    key.TrimLeft(L'\\');
    // The framework puts "Software\" in front of the key itself.
    const CString prefix(L"Software\\");
    if (key.GetLength() >= prefix.GetLength() &&
        key.Left(prefix.GetLength()).CompareNoCase(prefix) == 0)
        key = key.Mid(prefix.GetLength());
    key.Trim(L'\\');
    return key.IsEmpty() ? CString(L"Orvex") : key;
}

CString LibraryRegistryKey() {
    wchar_t* wide = nullptr;
    if (HostVersionAtLeast(2, 3))
        AnsiToWideHeap(HostTable()->GetRegistryRoot(), &wide);
    CString key = RegistryKeyFromRoot(wide);
    if (wide)
        ::HeapFree(::GetProcessHeap(), 0, wide);
    return key;
}

CString LibraryProfilePath() {
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || pApp->m_pszRegistryKey == nullptr || *pApp->m_pszRegistryKey == 0)
        return CString();
    return CString(L"Software\\") + pApp->m_pszRegistryKey + L"\\" + pApp->m_pszProfileName;
}

void DeleteLibraryProfile() {
    CString path = LibraryProfilePath();
    if (!path.IsEmpty())
        ::RegDeleteTreeW(HKEY_CURRENT_USER, path);
}
