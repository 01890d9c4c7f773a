// Typed values: each read asks the value's size first and parses only the bytes it got, so
// neither a long value nor one written without its terminators can be cut or overrun.
#include "toolbars/registry.h"

#include "toolbars/null_separated.h"

#include <cstring>
#include <new>
#include <string>

namespace {

// How often a read is retried when the value keeps growing between the size and the read.
constexpr int kReadAttempts = 8;

// The UTF-16 text of a value's bytes: an odd last byte is no character.
std::wstring TextOf(const std::vector<BYTE>& bytes) {
    std::wstring text(bytes.size() / 2, L'\0');
    if (!text.empty())
        std::memcpy(&text[0], bytes.data(), text.size() * sizeof(wchar_t));
    return text;
}

} // namespace

BOOL SECRegistry::ReadWhole(LPCTSTR lpszName, DWORD dwType, std::vector<BYTE>& bytes) {
    bytes.clear();
    if (lpszName == NULL)
        return Result(ERROR_INVALID_PARAMETER);
    try {
        for (int attempt = 0; attempt < kReadAttempts; attempt++) {
            DWORD dwGotType = 0, cbSize = 0;
            LONG lResult = ::RegQueryValueExW(m_hKey, lpszName, NULL, &dwGotType, NULL, &cbSize);
            if (lResult != ERROR_SUCCESS)
                return Result(lResult);
            if (dwGotType != dwType)
                return Result(ERROR_INVALID_DATATYPE);
            std::vector<BYTE> buffer(cbSize == 0 ? 1 : cbSize);
            DWORD cbGot = (DWORD)buffer.size();
            lResult = ::RegQueryValueExW(m_hKey, lpszName, NULL, &dwGotType, buffer.data(), &cbGot);
            if (lResult == ERROR_MORE_DATA)
                continue;
            if (lResult != ERROR_SUCCESS)
                return Result(lResult);
            if (dwGotType != dwType)
                return Result(ERROR_INVALID_DATATYPE);
            buffer.resize(cbGot < buffer.size() ? cbGot : buffer.size());
            bytes.swap(buffer);
            return Result(ERROR_SUCCESS);
        }
        return Result(ERROR_MORE_DATA);
    } catch (const std::bad_alloc&) {
        return Result(ERROR_NOT_ENOUGH_MEMORY);
    }
}

BOOL SECRegistry::GetStringValue(LPCTSTR lpszName, CString& strValue) {
    strValue.Empty();
    std::vector<BYTE> bytes;
    if (!ReadWhole(lpszName, REG_SZ, bytes))
        return FALSE;
    std::wstring text = TextOf(bytes);
    strValue = CString(text.c_str()); // up to the first terminator, if any
    return TRUE;
}

BOOL SECRegistry::GetStringArrayValue(LPCTSTR lpszName, CStringArray& values) {
    values.RemoveAll();
    std::vector<BYTE> bytes;
    if (!ReadWhole(lpszName, REG_MULTI_SZ, bytes))
        return FALSE;
    for (const std::wstring& value : SplitNullSeparated(TextOf(bytes)))
        values.Add(CString(value));
    return TRUE;
}

BOOL SECRegistry::GetDoubleWordValue(LPCTSTR lpszName, DWORD& dwValue) {
    dwValue = 0;
    std::vector<BYTE> bytes;
    if (!ReadWhole(lpszName, REG_DWORD, bytes))
        return FALSE;
    if (bytes.size() != sizeof(DWORD))
        return Result(ERROR_INVALID_DATA);
    std::memcpy(&dwValue, bytes.data(), sizeof(DWORD));
    return TRUE;
}

BOOL SECRegistry::GetBinaryValue(LPCTSTR lpszName, CByteArray& data) {
    data.RemoveAll();
    std::vector<BYTE> bytes;
    if (!ReadWhole(lpszName, REG_BINARY, bytes))
        return FALSE;
    data.SetSize((INT_PTR)bytes.size());
    if (!bytes.empty())
        std::memcpy(data.GetData(), bytes.data(), bytes.size());
    return TRUE;
}

BOOL SECRegistry::GetValue(LPCTSTR lpszName, CString& strValue) {
    return GetStringValue(lpszName, strValue);
}

BOOL SECRegistry::GetValue(LPCTSTR lpszName, CStringArray& values) {
    return GetStringArrayValue(lpszName, values);
}

BOOL SECRegistry::GetValue(LPCTSTR lpszName, DWORD& dwValue) {
    return GetDoubleWordValue(lpszName, dwValue);
}

BOOL SECRegistry::GetValue(LPCTSTR lpszName, CByteArray& data) {
    return GetBinaryValue(lpszName, data);
}

BOOL SECRegistry::QueryValue(LPCTSTR lpszName, LPDWORD pdwType, LPBYTE pData, LPDWORD pcbData) {
    if (lpszName == NULL || (pData != NULL && pcbData == NULL))
        return Result(ERROR_INVALID_PARAMETER);
    DWORD dwType = 0;
    LONG lResult = ::RegQueryValueExW(m_hKey, lpszName, NULL, &dwType, pData, pcbData);
    if (lResult == ERROR_SUCCESS && pdwType != NULL)
        *pdwType = dwType;
    return Result(lResult);
}

BOOL SECRegistry::SetValue(LPCTSTR lpszName, DWORD dwType, const BYTE* pData, DWORD cbData) {
    if (lpszName == NULL || (pData == NULL && cbData != 0))
        return Result(ERROR_INVALID_PARAMETER);
    static const BYTE kNothing = 0;
    return Result(::RegSetValueExW(m_hKey, lpszName, 0, dwType, pData ? pData : &kNothing, cbData));
}

BOOL SECRegistry::SetStringValue(LPCTSTR lpszName, const CString& strValue) {
    return SetValue(lpszName, REG_SZ, (const BYTE*)strValue.GetString(),
                    (DWORD)(strValue.GetLength() + 1) * sizeof(wchar_t));
}

BOOL SECRegistry::SetStringArrayValue(LPCTSTR lpszName, const CStringArray& values) {
    std::wstring text;
    for (INT_PTR i = 0; i < values.GetSize(); i++) {
        // An empty string would end the list early and lose the strings after it.
        if (values[i].IsEmpty())
            return Result(ERROR_INVALID_PARAMETER);
        text += values[i].str();
        text += L'\0';
    }
    text += L'\0';
    return SetValue(lpszName, REG_MULTI_SZ, (const BYTE*)text.data(),
                    (DWORD)(text.size() * sizeof(wchar_t)));
}

BOOL SECRegistry::SetDoubleWordValue(LPCTSTR lpszName, DWORD dwValue) {
    return SetValue(lpszName, REG_DWORD, (const BYTE*)&dwValue, sizeof(DWORD));
}

BOOL SECRegistry::SetBinaryValue(LPCTSTR lpszName, const CByteArray& data) {
    return SetValue(lpszName, REG_BINARY, data.GetData(), (DWORD)data.GetSize());
}

BOOL SECRegistry::SetValue(LPCTSTR lpszName, const CString& strValue) {
    return SetStringValue(lpszName, strValue);
}

BOOL SECRegistry::SetValue(LPCTSTR lpszName, const CStringArray& values) {
    return SetStringArrayValue(lpszName, values);
}

BOOL SECRegistry::SetValue(LPCTSTR lpszName, DWORD dwValue) {
    return SetDoubleWordValue(lpszName, dwValue);
}

BOOL SECRegistry::SetValue(LPCTSTR lpszName, const CByteArray& data) {
    return SetBinaryValue(lpszName, data);
}
