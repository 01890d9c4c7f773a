// CString: the framework's UTF-16 string (Unicode build: TCHAR is wchar_t).
#pragma once

#include <windows.h>
#include <tchar.h>

#include <cstdarg>
#include <string>
#include <utility>

// The module whose resources (strings, menus, dialogs) the framework loads: the library itself.
// Defined with the application object (winapp).
HINSTANCE AfxGetResourceHandle();

class CString;

// Arguments of the formatting templates (taken by value, so bit-fields and temporaries work): a
// CString becomes its text, anything else is passed on.
template <class T> inline const T& AfxFormatArg(const T& t) noexcept {
    return t;
}
inline LPCWSTR AfxFormatArg(const CString& s) noexcept;

class CString {
public:
    CString() noexcept {}
    CString(const CString& s) : m_str(s.m_str) {}
    CString(CString&& s) noexcept : m_str(std::move(s.m_str)) {}
    // A NULL pointer gives the empty string; MAKEINTRESOURCE(id) loads string id.
    CString(LPCWSTR psz);
    CString(LPCWSTR pch, int nLength);
    // 8-bit text in the ANSI code page.
    CString(LPCSTR psz);
    CString(LPCSTR pch, int nLength);
    CString(const unsigned char* psz) : CString((LPCSTR)psz) {}
    CString(wchar_t ch, int nRepeat = 1);
    explicit CString(char ch, int nRepeat = 1);
    CString(const std::wstring& s) : m_str(s) {}

    CString& operator=(const CString& s) {
        m_str = s.m_str;
        return *this;
    }
    CString& operator=(CString&& s) noexcept {
        m_str = std::move(s.m_str);
        return *this;
    }
    CString& operator=(LPCWSTR psz);
    CString& operator=(LPCSTR psz);
    CString& operator=(const unsigned char* psz) { return *this = (LPCSTR)psz; }
    CString& operator=(wchar_t ch);
    CString& operator=(char ch);

    // Size and access.
    int GetLength() const noexcept { return (int)m_str.size(); }
    BOOL IsEmpty() const noexcept { return m_str.empty(); }
    void Empty() noexcept { m_str.clear(); }
    // Out of range: index < 0 or >= length gives 0 (reading) and does nothing (writing).
    wchar_t GetAt(int nIndex) const noexcept;
    void SetAt(int nIndex, wchar_t ch) noexcept;
    wchar_t operator[](int nIndex) const noexcept { return GetAt(nIndex); }
    operator LPCWSTR() const noexcept { return m_str.c_str(); }
    LPCWSTR GetString() const noexcept { return m_str.c_str(); }
    const std::wstring& str() const noexcept { return m_str; }

    void SetString(LPCWSTR psz);
    // Inline: copying lines out of a text sets one string again and again, reusing its room.
    void SetString(LPCWSTR pch, int nLength) {
        if (pch == NULL || nLength <= 0)
            m_str.clear();
        else
            m_str.assign(pch, (size_t)nLength);
    }
    void Append(LPCWSTR psz);
    void Append(LPCWSTR pch, int nLength);
    void Append(const CString& s) { m_str += s.m_str; }
    void AppendChar(wchar_t ch) { m_str += ch; }

    CString& operator+=(const CString& s) {
        m_str += s.m_str;
        return *this;
    }
    CString& operator+=(LPCWSTR psz);
    CString& operator+=(LPCSTR psz);
    CString& operator+=(wchar_t ch) {
        m_str += ch;
        return *this;
    }
    CString& operator+=(char ch);

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, LPCWSTR b);
    friend CString operator+(LPCWSTR a, const CString& b);
    friend CString operator+(const CString& a, wchar_t b);
    friend CString operator+(wchar_t a, const CString& b);
    friend CString operator+(const CString& a, char b);
    friend CString operator+(char a, const CString& b);

    // Comparison: ordinal (Compare) and case-insensitive (CompareNoCase); <0, 0 or >0.
    int Compare(LPCWSTR psz) const noexcept;
    int CompareNoCase(LPCWSTR psz) const noexcept;

    // Extraction; counts and positions are clamped to the string.
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCWSTR pszCharSet) const;
    CString SpanExcluding(LPCWSTR pszCharSet) const;
    // The next token after iStart, skipping leading delimiters; iStart becomes the position after
    // the token, or -1 (with an empty result) when no token is left.
    CString Tokenize(LPCWSTR pszTokens, int& iStart) const;

    // Case and order.
    CString& MakeUpper();
    CString& MakeLower();

    // Trimming: white space (no argument), one character, or any of a set of characters.
    CString& Trim();
    CString& Trim(wchar_t chTarget);
    CString& Trim(LPCWSTR pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(wchar_t chTarget);
    CString& TrimLeft(LPCWSTR pszTargets);
    CString& TrimRight();
    CString& TrimRight(wchar_t chTarget);
    CString& TrimRight(LPCWSTR pszTargets);

    // Editing; the return value is the number of replacements / removals, or the new length.
    int Replace(wchar_t chOld, wchar_t chNew);
    int Replace(LPCWSTR pszOld, LPCWSTR pszNew);
    int Remove(wchar_t chRemove);
    int Insert(int nIndex, wchar_t ch);
    int Insert(int nIndex, LPCWSTR psz);
    int Delete(int nIndex, int nCount = 1);

    // Searching: the zero-based index, or -1.
    int Find(wchar_t ch, int nStart = 0) const noexcept;
    int Find(LPCWSTR pszSub, int nStart = 0) const noexcept;
    int ReverseFind(wchar_t ch) const noexcept;
    int FindOneOf(LPCWSTR pszCharSet) const noexcept;

    // printf-style formatting, with the framework's Unicode-build meanings: %s and %c take wide
    // text, %hs/%S and %hc/%C 8-bit text; l, h, hh, ll, I64, I32 and I size modifiers; %p prints
    // 8 upper-case hex digits. A CString argument is passed as its text (as the framework's
    // string layout allows), so `Format(L"%s", str)` works as callers expect.
    template <class... Args> void Format(LPCWSTR pszFormat, Args... args) {
        FormatC(pszFormat, AfxFormatArg(args)...);
    }
    template <class... Args> void Format(UINT nFormatID, Args... args) {
        CString fmt;
        fmt.LoadString(nFormatID);
        FormatC(fmt.GetString(), AfxFormatArg(args)...);
    }
    void FormatV(LPCWSTR pszFormat, va_list args);
    template <class... Args> void AppendFormat(LPCWSTR pszFormat, Args... args) {
        AppendFormatC(pszFormat, AfxFormatArg(args)...);
    }
    template <class... Args> void AppendFormat(UINT nFormatID, Args... args) {
        CString fmt;
        fmt.LoadString(nFormatID);
        AppendFormatC(fmt.GetString(), AfxFormatArg(args)...);
    }
    void AppendFormatV(LPCWSTR pszFormat, va_list args);
    // The C-variadic forms behind the templates.
    void FormatC(LPCWSTR pszFormat, ...);
    void AppendFormatC(LPCWSTR pszFormat, ...);

    // Loads string nID from the resource module (AfxGetResourceHandle); FALSE when missing (the
    // string is then left empty).
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // Buffer access: a writable buffer of at least nMinBufLength characters (plus terminator);
    // ReleaseBuffer(-1) takes the length up to the first 0, otherwise nNewLength.
    LPWSTR GetBuffer();
    LPWSTR GetBuffer(int nMinBufLength);
    LPWSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);
    void ReleaseBufferSetLength(int nNewLength) { ReleaseBuffer(nNewLength); }
    void FreeExtra() { m_str.shrink_to_fit(); }

    // 8-bit form in a code page (default ANSI).
    std::string ToMultiByte(UINT codePage = CP_ACP) const;
    static CString FromMultiByte(LPCSTR pch, int nLength = -1, UINT codePage = CP_ACP);

private:
    std::wstring m_str;
};

inline LPCWSTR AfxFormatArg(const CString& s) noexcept {
    return s.GetString();
}

// Comparisons (ordinal).
bool operator==(const CString& a, const CString& b) noexcept;
bool operator==(const CString& a, LPCWSTR b) noexcept;
bool operator==(LPCWSTR a, const CString& b) noexcept;
bool operator!=(const CString& a, const CString& b) noexcept;
bool operator!=(const CString& a, LPCWSTR b) noexcept;
bool operator!=(LPCWSTR a, const CString& b) noexcept;
bool operator<(const CString& a, const CString& b) noexcept;
bool operator<(const CString& a, LPCWSTR b) noexcept;
bool operator<(LPCWSTR a, const CString& b) noexcept;
bool operator>(const CString& a, const CString& b) noexcept;
bool operator>(const CString& a, LPCWSTR b) noexcept;
bool operator>(LPCWSTR a, const CString& b) noexcept;
bool operator<=(const CString& a, const CString& b) noexcept;
bool operator<=(const CString& a, LPCWSTR b) noexcept;
bool operator<=(LPCWSTR a, const CString& b) noexcept;
bool operator>=(const CString& a, const CString& b) noexcept;
bool operator>=(const CString& a, LPCWSTR b) noexcept;
bool operator>=(LPCWSTR a, const CString& b) noexcept;

// Sub-string iSubString of a string of fields separated by chSep; FALSE when there are fewer
// fields (rString is then empty).
BOOL AfxExtractSubString(CString& rString, LPCWSTR lpszFullString, int iSubString,
                         wchar_t chSep = L'\n');
// Loads string nIDS and replaces "%1" (and "%2") by the given texts.
void AfxFormatString1(CString& rString, UINT nIDS, LPCWSTR lpsz1);
void AfxFormatString2(CString& rString, UINT nIDS, LPCWSTR lpsz1, LPCWSTR lpsz2);
// Replaces %1..%9 in lpszFormat by rglpsz[0..nString-1].
void AfxFormatStrings(CString& rString, LPCWSTR lpszFormat, LPCWSTR const* rglpsz, int nString);
