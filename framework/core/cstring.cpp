#include "framework/core/cstring.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <vector>

namespace {

std::wstring Widen(LPCSTR pch, int nLength, UINT codePage) {
    std::wstring out;
    if (pch == NULL || nLength == 0)
        return out;
    if (nLength < 0)
        nLength = (int)std::strlen(pch);
    if (nLength == 0)
        return out;
    int n = ::MultiByteToWideChar(codePage, 0, pch, nLength, NULL, 0);
    if (n <= 0)
        return out;
    out.resize((size_t)n);
    ::MultiByteToWideChar(codePage, 0, pch, nLength, &out[0], n);
    return out;
}

std::string Narrow(LPCWSTR pch, int nLength, UINT codePage) {
    std::string out;
    if (pch == NULL || nLength == 0)
        return out;
    if (nLength < 0)
        nLength = (int)std::wcslen(pch);
    if (nLength == 0)
        return out;
    int n = ::WideCharToMultiByte(codePage, 0, pch, nLength, NULL, 0, NULL, NULL);
    if (n <= 0)
        return out;
    out.resize((size_t)n);
    ::WideCharToMultiByte(codePage, 0, pch, nLength, &out[0], n, NULL, NULL);
    return out;
}

bool LoadResourceString(HINSTANCE hInstance, UINT nID, std::wstring& out) {
    out.clear();
    // Find the string block directly: the string table stores counted UTF-16 strings, 16 a block.
    HRSRC hRes = ::FindResourceW(hInstance, MAKEINTRESOURCEW((nID >> 4) + 1), (LPCWSTR)RT_STRING);
    if (hRes == NULL)
        return false;
    HGLOBAL hGlob = ::LoadResource(hInstance, hRes);
    if (hGlob == NULL)
        return false;
    const WORD* p = (const WORD*)::LockResource(hGlob);
    DWORD size = ::SizeofResource(hInstance, hRes) / sizeof(WORD);
    if (p == NULL)
        return false;
    const WORD* end = p + size;
    for (UINT i = 0; i < (nID & 15); ++i) {
        if (p >= end)
            return false;
        p += 1 + *p;
    }
    if (p >= end)
        return false;
    UINT len = *p++;
    if (len == 0 || p + len > end)
        return false;
    out.assign((const wchar_t*)p, len);
    return true;
}

bool IsSpace(wchar_t c) {
    return std::iswspace((wint_t)c) != 0;
}

// ---- printf-family formatting --------------------------------------------------------------

struct Directive {
    bool left = false, plus = false, space = false, alt = false, zero = false;
    int width = -1;
    int prec = -1;
};

void Pad(std::wstring& out, int n, wchar_t c) {
    if (n > 0)
        out.append((size_t)n, c);
}

// Emits text with width and left/right justification.
void EmitText(std::wstring& out, const Directive& sp, const wchar_t* p, size_t n) {
    int padding = sp.width > (int)n ? sp.width - (int)n : 0;
    if (!sp.left)
        Pad(out, padding, sp.zero ? L'0' : L' ');
    out.append(p, n);
    if (sp.left)
        Pad(out, padding, L' ');
}

void EmitInteger(std::wstring& out, const Directive& sp, unsigned long long mag, bool negative,
                 bool isSigned, int base, bool upper) {
    wchar_t digits[72];
    int nd = 0;
    const wchar_t* set = upper ? L"0123456789ABCDEF" : L"0123456789abcdef";
    while (mag != 0) {
        digits[nd++] = set[mag % (unsigned)base];
        mag /= (unsigned)base;
    }
    std::wstring body;
    // Precision: the minimum number of digits; precision 0 with value 0 prints no digits.
    int minDigits = sp.prec >= 0 ? sp.prec : 1;
    if (nd < minDigits)
        body.append((size_t)(minDigits - nd), L'0');
    for (int i = nd - 1; i >= 0; --i)
        body += digits[i];
    if (sp.alt && base == 8 && (body.empty() || body[0] != L'0')) {
        body.insert(body.begin(), L'0');
    }
    std::wstring prefix;
    if (isSigned) {
        if (negative)
            prefix = L"-";
        else if (sp.plus)
            prefix = L"+";
        else if (sp.space)
            prefix = L" ";
    }
    if (sp.alt && base == 16 && nd > 0)
        prefix += upper ? L"0X" : L"0x";
    int total = (int)(prefix.size() + body.size());
    int padding = sp.width > total ? sp.width - total : 0;
    if (sp.left) {
        out += prefix;
        out += body;
        Pad(out, padding, L' ');
    } else if (sp.zero && sp.prec < 0) {
        out += prefix;
        Pad(out, padding, L'0');
        out += body;
    } else {
        Pad(out, padding, L' ');
        out += prefix;
        out += body;
    }
}

enum class Size { None, hh, h, l, ll, L, Ptr };

void FormatInto(std::wstring& out, LPCWSTR fmt, va_list args) {
    if (fmt == NULL)
        return;
    const wchar_t* p = fmt;
    while (*p) {
        if (*p != L'%') {
            const wchar_t* q = p;
            while (*q && *q != L'%')
                ++q;
            out.append(p, (size_t)(q - p));
            p = q;
            continue;
        }
        const wchar_t* directiveStart = p;
        ++p;
        if (*p == L'%') {
            out += L'%';
            ++p;
            continue;
        }
        Directive sp;
        for (;; ++p) {
            if (*p == L'-')
                sp.left = true;
            else if (*p == L'+')
                sp.plus = true;
            else if (*p == L' ')
                sp.space = true;
            else if (*p == L'#')
                sp.alt = true;
            else if (*p == L'0')
                sp.zero = true;
            else
                break;
        }
        if (*p == L'*') {
            int w = va_arg(args, int);
            if (w < 0) {
                sp.left = true;
                w = -w;
            }
            sp.width = w;
            ++p;
        } else if (*p >= L'0' && *p <= L'9') {
            sp.width = 0;
            while (*p >= L'0' && *p <= L'9')
                sp.width = sp.width * 10 + (*p++ - L'0');
        }
        if (*p == L'.') {
            ++p;
            sp.prec = 0;
            if (*p == L'*') {
                int pr = va_arg(args, int);
                sp.prec = pr < 0 ? -1 : pr;
                ++p;
            } else {
                while (*p >= L'0' && *p <= L'9')
                    sp.prec = sp.prec * 10 + (*p++ - L'0');
            }
        }
        Size size = Size::None;
        bool wide = false; // explicit l/w on s/c
        bool narrow = false;
        if (*p == L'h') {
            ++p;
            size = Size::h;
            narrow = true;
            if (*p == L'h') {
                ++p;
                size = Size::hh;
            }
        } else if (*p == L'l') {
            ++p;
            size = Size::l;
            wide = true;
            if (*p == L'l') {
                ++p;
                size = Size::ll;
            }
        } else if (*p == L'w') {
            ++p;
            wide = true;
        } else if (*p == L'L') {
            ++p;
            size = Size::L;
        } else if (*p == L'I') {
            if (p[1] == L'6' && p[2] == L'4') {
                p += 3;
                size = Size::ll;
            } else if (p[1] == L'3' && p[2] == L'2') {
                p += 3;
                size = Size::None;
            } else {
                ++p;
                size = Size::Ptr;
            }
        } else if (*p == L'z' || *p == L't' || *p == L'j') {
            size = (*p == L'j') ? Size::ll : Size::Ptr;
            ++p;
        }
        wchar_t conv = *p;
        if (conv == 0) {
            // Incomplete directive at the end: copy it as it stands.
            out.append(directiveStart);
            return;
        }
        ++p;
        switch (conv) {
        case L'd':
        case L'i': {
            long long v;
            if (size == Size::ll)
                v = va_arg(args, long long);
            else if (size == Size::h)
                v = (short)va_arg(args, int);
            else if (size == Size::hh)
                v = (signed char)va_arg(args, int);
            else if (size == Size::l)
                v = va_arg(args, long);
            else if (size == Size::Ptr)
                v = va_arg(args, intptr_t);
            else
                v = va_arg(args, int);
            bool neg = v < 0;
            unsigned long long mag = neg ? 0ULL - (unsigned long long)v : (unsigned long long)v;
            EmitInteger(out, sp, mag, neg, true, 10, false);
            break;
        }
        case L'u':
        case L'o':
        case L'x':
        case L'X': {
            unsigned long long v;
            if (size == Size::ll)
                v = va_arg(args, unsigned long long);
            else if (size == Size::h)
                v = (unsigned short)va_arg(args, unsigned int);
            else if (size == Size::hh)
                v = (unsigned char)va_arg(args, unsigned int);
            else if (size == Size::l)
                v = va_arg(args, unsigned long);
            else if (size == Size::Ptr)
                v = va_arg(args, uintptr_t);
            else
                v = va_arg(args, unsigned int);
            int base = conv == L'u' ? 10 : conv == L'o' ? 8 : 16;
            EmitInteger(out, sp, v, false, false, base, conv == L'X');
            break;
        }
        case L'p': {
            void* v = va_arg(args, void*);
            Directive ps = sp;
            ps.prec = (int)(2 * sizeof(void*));
            ps.alt = false;
            EmitInteger(out, ps, (unsigned long long)(uintptr_t)v, false, false, 16, true);
            break;
        }
        case L'c':
        case L'C': {
            int v = va_arg(args, int);
            wchar_t ch;
            bool isNarrow = (conv == L'c') ? narrow : !wide;
            if (isNarrow) {
                char c8 = (char)v;
                std::wstring w = Widen(&c8, 1, CP_ACP);
                ch = w.empty() ? L'?' : w[0];
            } else {
                ch = (wchar_t)v;
            }
            Directive cs = sp;
            cs.zero = false;
            EmitText(out, cs, &ch, 1);
            break;
        }
        case L's':
        case L'S': {
            bool isNarrow = (conv == L's') ? narrow : !wide;
            Directive cs = sp;
            cs.zero = false;
            if (isNarrow) {
                const char* s = va_arg(args, const char*);
                if (s == NULL)
                    s = "(null)";
                size_t n = std::strlen(s);
                if (sp.prec >= 0 && (size_t)sp.prec < n)
                    n = (size_t)sp.prec;
                std::wstring w = Widen(s, (int)n, CP_ACP);
                EmitText(out, cs, w.data(), w.size());
            } else {
                const wchar_t* s = va_arg(args, const wchar_t*);
                if (s == NULL)
                    s = L"(null)";
                size_t n;
                if (sp.prec >= 0) {
                    n = 0;
                    while (n < (size_t)sp.prec && s[n])
                        ++n;
                } else {
                    n = std::wcslen(s);
                }
                EmitText(out, cs, s, n);
            }
            break;
        }
        case L'f':
        case L'F':
        case L'e':
        case L'E':
        case L'g':
        case L'G':
        case L'a':
        case L'A': {
            double v = (size == Size::L) ? (double)va_arg(args, long double) : va_arg(args, double);
            char f[48];
            int k = 0;
            f[k++] = '%';
            if (sp.left)
                f[k++] = '-';
            if (sp.plus)
                f[k++] = '+';
            if (sp.space)
                f[k++] = ' ';
            if (sp.alt)
                f[k++] = '#';
            if (sp.zero)
                f[k++] = '0';
            f[k] = 0;
            char tail[32];
            if (sp.width >= 0 && sp.prec >= 0)
                std::snprintf(tail, sizeof tail, "%d.%d%c", sp.width, sp.prec, (char)conv);
            else if (sp.width >= 0)
                std::snprintf(tail, sizeof tail, "%d%c", sp.width, (char)conv);
            else if (sp.prec >= 0)
                std::snprintf(tail, sizeof tail, ".%d%c", sp.prec, (char)conv);
            else
                std::snprintf(tail, sizeof tail, "%c", (char)conv);
            std::strcat(f, tail);
            int n = std::snprintf(NULL, 0, f, v);
            if (n > 0) {
                std::vector<char> buf((size_t)n + 1);
                std::snprintf(buf.data(), buf.size(), f, v);
                for (int i = 0; i < n; ++i)
                    out += (wchar_t)(unsigned char)buf[(size_t)i];
            }
            break;
        }
        case L'n': {
            // Writing through a pointer from the argument list is refused: skip the argument.
            (void)va_arg(args, void*);
            break;
        }
        default:
            // Unknown conversion: copy the directive as it stands.
            out.append(directiveStart, (size_t)(p - directiveStart));
            break;
        }
    }
}

} // namespace

// ---- construction and assignment --------------------------------------------------------------

CString::CString(LPCWSTR psz) {
    if (psz != NULL && IS_INTRESOURCE(psz))
        LoadString((UINT)(UINT_PTR)psz);
    else if (psz != NULL)
        m_str = psz;
}

CString::CString(LPCWSTR pch, int nLength) {
    if (pch != NULL && nLength > 0)
        m_str.assign(pch, (size_t)nLength);
}

CString::CString(LPCSTR psz) {
    if (psz != NULL && IS_INTRESOURCE(psz))
        LoadString((UINT)(UINT_PTR)psz);
    else
        m_str = Widen(psz, -1, CP_ACP);
}

CString::CString(LPCSTR pch, int nLength) {
    if (nLength > 0)
        m_str = Widen(pch, nLength, CP_ACP);
}

CString::CString(wchar_t ch, int nRepeat) {
    if (nRepeat > 0)
        m_str.assign((size_t)nRepeat, ch);
}

CString::CString(char ch, int nRepeat) {
    if (nRepeat > 0) {
        std::wstring w = Widen(&ch, 1, CP_ACP);
        if (!w.empty())
            m_str.assign((size_t)nRepeat, w[0]);
    }
}

CString& CString::operator=(LPCWSTR psz) {
    SetString(psz);
    return *this;
}

CString& CString::operator=(LPCSTR psz) {
    m_str = Widen(psz, -1, CP_ACP);
    return *this;
}

CString& CString::operator=(wchar_t ch) {
    m_str.assign(1, ch);
    return *this;
}

CString& CString::operator=(char ch) {
    *this = CString(ch);
    return *this;
}

wchar_t CString::GetAt(int nIndex) const noexcept {
    if (nIndex < 0 || nIndex >= GetLength())
        return 0;
    return m_str[(size_t)nIndex];
}

void CString::SetAt(int nIndex, wchar_t ch) noexcept {
    if (nIndex < 0 || nIndex >= GetLength())
        return;
    m_str[(size_t)nIndex] = ch;
}

// assign and append keep the buffer when it has room (copying lines out one after another
// into the same string allocates nothing) and are safe when the source lies in the string.
void CString::SetString(LPCWSTR psz) {
    if (psz == NULL)
        m_str.clear();
    else
        m_str.assign(psz);
}

void CString::Append(LPCWSTR psz) {
    if (psz != NULL)
        m_str.append(psz);
}

void CString::Append(LPCWSTR pch, int nLength) {
    if (pch != NULL && nLength > 0)
        m_str.append(pch, (size_t)nLength);
}

CString& CString::operator+=(LPCWSTR psz) {
    Append(psz);
    return *this;
}

CString& CString::operator+=(LPCSTR psz) {
    m_str += Widen(psz, -1, CP_ACP);
    return *this;
}

CString& CString::operator+=(char ch) {
    m_str += CString(ch).m_str;
    return *this;
}

CString operator+(const CString& a, const CString& b) {
    return CString(a.m_str + b.m_str);
}
CString operator+(const CString& a, LPCWSTR b) {
    CString r(a);
    r.Append(b);
    return r;
}
CString operator+(LPCWSTR a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}
CString operator+(const CString& a, wchar_t b) {
    return CString(a.m_str + b);
}
CString operator+(wchar_t a, const CString& b) {
    return CString(a + b.m_str);
}
CString operator+(const CString& a, char b) {
    CString r(a);
    r += b;
    return r;
}
CString operator+(char a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}

// ---- comparison -------------------------------------------------------------------------------

int CString::Compare(LPCWSTR psz) const noexcept {
    return std::wcscmp(m_str.c_str(), psz ? psz : L"");
}

int CString::CompareNoCase(LPCWSTR psz) const noexcept {
    return ::_wcsicmp(m_str.c_str(), psz ? psz : L"");
}

bool operator==(const CString& a, const CString& b) noexcept {
    return a.str() == b.str();
}
bool operator==(const CString& a, LPCWSTR b) noexcept {
    return a.Compare(b) == 0;
}
bool operator==(LPCWSTR a, const CString& b) noexcept {
    return b.Compare(a) == 0;
}
bool operator!=(const CString& a, const CString& b) noexcept {
    return !(a == b);
}
bool operator!=(const CString& a, LPCWSTR b) noexcept {
    return !(a == b);
}
bool operator!=(LPCWSTR a, const CString& b) noexcept {
    return !(a == b);
}
bool operator<(const CString& a, const CString& b) noexcept {
    return a.Compare(b) < 0;
}
bool operator<(const CString& a, LPCWSTR b) noexcept {
    return a.Compare(b) < 0;
}
bool operator<(LPCWSTR a, const CString& b) noexcept {
    return b.Compare(a) > 0;
}
bool operator>(const CString& a, const CString& b) noexcept {
    return a.Compare(b) > 0;
}
bool operator>(const CString& a, LPCWSTR b) noexcept {
    return a.Compare(b) > 0;
}
bool operator>(LPCWSTR a, const CString& b) noexcept {
    return b.Compare(a) < 0;
}
bool operator<=(const CString& a, const CString& b) noexcept {
    return a.Compare(b) <= 0;
}
bool operator<=(const CString& a, LPCWSTR b) noexcept {
    return a.Compare(b) <= 0;
}
bool operator<=(LPCWSTR a, const CString& b) noexcept {
    return b.Compare(a) >= 0;
}
bool operator>=(const CString& a, const CString& b) noexcept {
    return a.Compare(b) >= 0;
}
bool operator>=(const CString& a, LPCWSTR b) noexcept {
    return a.Compare(b) >= 0;
}
bool operator>=(LPCWSTR a, const CString& b) noexcept {
    return b.Compare(a) <= 0;
}

// ---- extraction -------------------------------------------------------------------------------

CString CString::Mid(int nFirst) const {
    return Mid(nFirst, GetLength() - nFirst);
}

CString CString::Mid(int nFirst, int nCount) const {
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    int len = GetLength();
    if (nFirst > len)
        nFirst = len;
    if (nCount > len - nFirst)
        nCount = len - nFirst;
    return CString(m_str.substr((size_t)nFirst, (size_t)nCount));
}

CString CString::Left(int nCount) const {
    if (nCount < 0)
        nCount = 0;
    if (nCount > GetLength())
        nCount = GetLength();
    return CString(m_str.substr(0, (size_t)nCount));
}

CString CString::Right(int nCount) const {
    if (nCount < 0)
        nCount = 0;
    int len = GetLength();
    if (nCount > len)
        nCount = len;
    return CString(m_str.substr((size_t)(len - nCount)));
}

CString CString::SpanIncluding(LPCWSTR pszCharSet) const {
    if (pszCharSet == NULL)
        return CString();
    size_t n = m_str.find_first_not_of(pszCharSet);
    return CString(m_str.substr(0, n));
}

CString CString::SpanExcluding(LPCWSTR pszCharSet) const {
    if (pszCharSet == NULL)
        return *this;
    size_t n = m_str.find_first_of(pszCharSet);
    return CString(m_str.substr(0, n));
}

CString CString::Tokenize(LPCWSTR pszTokens, int& iStart) const {
    if (iStart < 0) {
        return CString();
    }
    if (pszTokens == NULL || *pszTokens == 0) {
        if (iStart < GetLength())
            return Mid(iStart);
        iStart = -1;
        return CString();
    }
    if (iStart <= GetLength()) {
        size_t from = m_str.find_first_not_of(pszTokens, (size_t)iStart);
        if (from != std::wstring::npos) {
            size_t to = m_str.find_first_of(pszTokens, from);
            if (to == std::wstring::npos)
                to = m_str.size();
            iStart = (int)to + 1;
            return CString(m_str.substr(from, to - from));
        }
    }
    iStart = -1;
    return CString();
}

// ---- case, trimming, editing ------------------------------------------------------------------

CString& CString::MakeUpper() {
    if (!m_str.empty())
        ::CharUpperBuffW(&m_str[0], (DWORD)m_str.size());
    return *this;
}

CString& CString::MakeLower() {
    if (!m_str.empty())
        ::CharLowerBuffW(&m_str[0], (DWORD)m_str.size());
    return *this;
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}
CString& CString::Trim(wchar_t chTarget) {
    return TrimRight(chTarget).TrimLeft(chTarget);
}
CString& CString::Trim(LPCWSTR pszTargets) {
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}

CString& CString::TrimLeft() {
    size_t i = 0;
    while (i < m_str.size() && IsSpace(m_str[i]))
        ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimLeft(wchar_t chTarget) {
    size_t i = 0;
    while (i < m_str.size() && m_str[i] == chTarget)
        ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimLeft(LPCWSTR pszTargets) {
    if (pszTargets == NULL || *pszTargets == 0)
        return *this;
    size_t i = m_str.find_first_not_of(pszTargets);
    m_str.erase(0, i == std::wstring::npos ? m_str.size() : i);
    return *this;
}

CString& CString::TrimRight() {
    size_t n = m_str.size();
    while (n > 0 && IsSpace(m_str[n - 1]))
        --n;
    m_str.resize(n);
    return *this;
}

CString& CString::TrimRight(wchar_t chTarget) {
    size_t n = m_str.size();
    while (n > 0 && m_str[n - 1] == chTarget)
        --n;
    m_str.resize(n);
    return *this;
}

CString& CString::TrimRight(LPCWSTR pszTargets) {
    if (pszTargets == NULL || *pszTargets == 0)
        return *this;
    size_t i = m_str.find_last_not_of(pszTargets);
    m_str.resize(i == std::wstring::npos ? 0 : i + 1);
    return *this;
}

int CString::Replace(wchar_t chOld, wchar_t chNew) {
    int n = 0;
    if (chOld == chNew)
        return (int)std::count(m_str.begin(), m_str.end(), chOld);
    for (wchar_t& c : m_str)
        if (c == chOld) {
            c = chNew;
            ++n;
        }
    return n;
}

int CString::Replace(LPCWSTR pszOld, LPCWSTR pszNew) {
    if (pszOld == NULL || *pszOld == 0)
        return 0;
    std::wstring oldS(pszOld), newS(pszNew ? pszNew : L"");
    std::wstring out;
    int n = 0;
    size_t pos = 0;
    for (;;) {
        size_t hit = m_str.find(oldS, pos);
        if (hit == std::wstring::npos)
            break;
        out.append(m_str, pos, hit - pos);
        out += newS;
        pos = hit + oldS.size();
        ++n;
    }
    if (n > 0) {
        out.append(m_str, pos, std::wstring::npos);
        m_str.swap(out);
    }
    return n;
}

int CString::Remove(wchar_t chRemove) {
    size_t before = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), chRemove), m_str.end());
    return (int)(before - m_str.size());
}

int CString::Insert(int nIndex, wchar_t ch) {
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > GetLength())
        nIndex = GetLength();
    m_str.insert((size_t)nIndex, 1, ch);
    return GetLength();
}

int CString::Insert(int nIndex, LPCWSTR psz) {
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > GetLength())
        nIndex = GetLength();
    if (psz != NULL)
        m_str.insert((size_t)nIndex, std::wstring(psz));
    return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
    if (nIndex < 0)
        nIndex = 0;
    if (nCount > 0 && nIndex < GetLength()) {
        if (nCount > GetLength() - nIndex)
            nCount = GetLength() - nIndex;
        m_str.erase((size_t)nIndex, (size_t)nCount);
    }
    return GetLength();
}

// ---- searching --------------------------------------------------------------------------------

int CString::Find(wchar_t ch, int nStart) const noexcept {
    if (nStart < 0)
        nStart = 0;
    if (nStart >= GetLength())
        return -1;
    size_t i = m_str.find(ch, (size_t)nStart);
    return i == std::wstring::npos ? -1 : (int)i;
}

int CString::Find(LPCWSTR pszSub, int nStart) const noexcept {
    if (pszSub == NULL)
        return -1;
    if (nStart < 0)
        nStart = 0;
    if (nStart > GetLength())
        return -1;
    size_t i = m_str.find(pszSub, (size_t)nStart);
    return i == std::wstring::npos ? -1 : (int)i;
}

int CString::ReverseFind(wchar_t ch) const noexcept {
    size_t i = m_str.rfind(ch);
    return i == std::wstring::npos ? -1 : (int)i;
}

int CString::FindOneOf(LPCWSTR pszCharSet) const noexcept {
    if (pszCharSet == NULL || *pszCharSet == 0)
        return -1;
    size_t i = m_str.find_first_of(pszCharSet);
    return i == std::wstring::npos ? -1 : (int)i;
}

// ---- formatting -------------------------------------------------------------------------------

void CString::FormatV(LPCWSTR pszFormat, va_list args) {
    std::wstring out;
    va_list copy;
    va_copy(copy, args);
    FormatInto(out, pszFormat, copy);
    va_end(copy);
    m_str.swap(out);
}

void CString::AppendFormatV(LPCWSTR pszFormat, va_list args) {
    std::wstring out;
    va_list copy;
    va_copy(copy, args);
    FormatInto(out, pszFormat, copy);
    va_end(copy);
    m_str += out;
}

void CString::FormatC(LPCWSTR pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::AppendFormatC(LPCWSTR pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

// ---- resources, buffers, conversions ----------------------------------------------------------

BOOL CString::LoadString(UINT nID) {
    return LoadString(AfxGetResourceHandle(), nID);
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID) {
    std::wstring s;
    if (!LoadResourceString(hInstance, nID, s)) {
        m_str.clear();
        return FALSE;
    }
    m_str.swap(s);
    return TRUE;
}

LPWSTR CString::GetBuffer() {
    return &m_str[0];
}

LPWSTR CString::GetBuffer(int nMinBufLength) {
    if (nMinBufLength > GetLength())
        m_str.resize((size_t)nMinBufLength, L'\0');
    return &m_str[0];
}

LPWSTR CString::GetBufferSetLength(int nNewLength) {
    if (nNewLength < 0)
        nNewLength = 0;
    m_str.resize((size_t)nNewLength, L'\0');
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength) {
    if (nNewLength < 0) {
        // The text ends at the first 0 within the buffer.
        size_t n = m_str.find(L'\0');
        if (n != std::wstring::npos)
            m_str.resize(n);
    } else if ((size_t)nNewLength <= m_str.size()) {
        m_str.resize((size_t)nNewLength);
    } else {
        m_str.resize((size_t)nNewLength, L'\0');
    }
}

std::string CString::ToMultiByte(UINT codePage) const {
    return Narrow(m_str.c_str(), (int)m_str.size(), codePage);
}

CString CString::FromMultiByte(LPCSTR pch, int nLength, UINT codePage) {
    return CString(Widen(pch, nLength, codePage));
}

// ---- helpers ----------------------------------------------------------------------------------

BOOL AfxExtractSubString(CString& rString, LPCWSTR lpszFullString, int iSubString, wchar_t chSep) {
    rString.Empty();
    if (lpszFullString == NULL || iSubString < 0)
        return FALSE;
    while (iSubString--) {
        lpszFullString = std::wcschr(lpszFullString, chSep);
        if (lpszFullString == NULL)
            return FALSE;
        ++lpszFullString; // past the separator
    }
    const wchar_t* end = std::wcschr(lpszFullString, chSep);
    int n = end == NULL ? (int)std::wcslen(lpszFullString) : (int)(end - lpszFullString);
    rString.SetString(lpszFullString, n);
    return TRUE;
}

void AfxFormatStrings(CString& rString, LPCWSTR lpszFormat, LPCWSTR const* rglpsz, int nString) {
    CString out;
    if (lpszFormat != NULL) {
        for (const wchar_t* p = lpszFormat; *p; ++p) {
            if (p[0] == L'%' && p[1] >= L'1' && p[1] <= L'9') {
                int i = p[1] - L'1';
                if (i < nString && rglpsz != NULL && rglpsz[i] != NULL)
                    out += rglpsz[i];
                else if (i >= nString)
                    out += L'?';
                ++p;
            } else {
                out += *p;
            }
        }
    }
    rString = out;
}

void AfxFormatString1(CString& rString, UINT nIDS, LPCWSTR lpsz1) {
    CString fmt;
    fmt.LoadString(nIDS);
    AfxFormatStrings(rString, fmt, &lpsz1, 1);
}

void AfxFormatString2(CString& rString, UINT nIDS, LPCWSTR lpsz1, LPCWSTR lpsz2) {
    CString fmt;
    fmt.LoadString(nIDS);
    LPCWSTR a[2] = {lpsz1, lpsz2};
    AfxFormatStrings(rString, fmt, a, 2);
}
