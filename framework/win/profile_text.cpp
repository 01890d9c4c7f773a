#include "framework/win/profile_text.h"

namespace {
// Past this many characters a value is refused rather than read.
constexpr DWORD kLongestRead = 1u << 24;

int Nibble(wchar_t ch) {
    return ch >= L'A' && ch <= L'P' ? ch - L'A' : -1;
}
} // namespace

CString AfxEncodeProfileBinary(const BYTE* pData, UINT nBytes) {
    std::wstring text;
    text.reserve((size_t)nBytes * 2);
    for (UINT i = 0; i < nBytes; i++) {
        text.push_back((wchar_t)(L'A' + (pData[i] & 0x0F)));
        text.push_back((wchar_t)(L'A' + ((pData[i] >> 4) & 0x0F)));
    }
    return CString(text.c_str(), (int)text.size());
}

bool AfxDecodeProfileBinary(const CString& text, std::vector<BYTE>& out) {
    out.clear();
    const int n = text.GetLength();
    if (n % 2 != 0)
        return false;
    out.resize((size_t)n / 2);
    for (int i = 0; i < n; i += 2) {
        const int lo = Nibble(text[i]);
        const int hi = Nibble(text[i + 1]);
        if (lo < 0 || hi < 0) {
            out.clear();
            return false;
        }
        out[(size_t)i / 2] = (BYTE)(lo | (hi << 4));
    }
    return true;
}

bool AfxReadWholeProfileString(LPCWSTR lpszSection, LPCWSTR lpszKey, LPCWSTR lpszDefault,
                               LPCWSTR lpszFile, DWORD dwFirstSize, std::wstring& text) {
    for (DWORD dwSize = dwFirstSize < 2 ? 2 : dwFirstSize; dwSize <= kLongestRead; dwSize *= 2) {
        std::vector<wchar_t> buffer(dwSize, L'\0');
        const DWORD dwGot = ::GetPrivateProfileStringW(lpszSection, lpszKey, lpszDefault,
                                                       buffer.data(), dwSize, lpszFile);
        // A full buffer (size - 1 for a value, size - 2 for a key list) may hide more.
        if (dwGot < dwSize - 2) {
            text.assign(buffer.data(), dwGot);
            return true;
        }
    }
    return false;
}
