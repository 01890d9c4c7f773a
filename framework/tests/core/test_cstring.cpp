#include "framework/core/cstring.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

struct FormatCase {
    const wchar_t* expected;
    CString actual;
};

CString F(const wchar_t* fmt, ...) {
    CString s;
    va_list args;
    va_start(args, fmt);
    s.FormatV(fmt, args);
    va_end(args);
    return s;
}

} // namespace

TEST(CStringFormat, Table) {
    CString pw;
    pw.Format(L"%p", (void*)0x12AB);
    const FormatCase cases[] = {
        {L"42", F(L"%d", 42)},
        {L"-42", F(L"%i", -42)},
        {L"4294967295", F(L"%u", 0xFFFFFFFFu)},
        {L"ff", F(L"%x", 255)},
        {L"FF", F(L"%X", 255)},
        {L"000000FF", F(L"%08X", 255)},
        {L"0x1f", F(L"%#x", 31)},
        {L"   7", F(L"%4d", 7)},
        {L"7   |", F(L"%-4d|", 7)},
        {L"-007", F(L"%04d", -7)},
        {L"+5", F(L"%+d", 5)},
        {L"00042", F(L"%.5d", 42)},
        {L"wide text", F(L"%s", L"wide text")},
        {L"narrow", F(L"%hs", "narrow")},
        {L"narrow2", F(L"%S", "narrow2")},
        {L"wide2", F(L"%ls", L"wide2")},
        {L"  ab|", F(L"%4s|", L"ab")},
        {L"ab  |", F(L"%-4s|", L"ab")},
        {L"abc", F(L"%.3s", L"abcdef")},
        {L"(null)", F(L"%s", (const wchar_t*)NULL)},
        {L"x", F(L"%c", L'x')},
        {L"y", F(L"%hc", 'y')},
        {L"-2147483648", F(L"%ld", LONG_MIN)},
        {L"4000000000", F(L"%lu", 4000000000UL)},
        {L"-1234567890123", F(L"%I64d", -1234567890123LL)},
        {L"18446744073709551615", F(L"%I64u", 0xFFFFFFFFFFFFFFFFULL)},
        {L"1234567890123", F(L"%lld", 1234567890123LL)},
        {sizeof(void*) == 4 ? L"000012AB" : L"00000000000012AB", pw},
        {L"100%", F(L"%d%%", 100)},
        {L"3.14", F(L"%.2f", 3.14159)},
        {L"  2.5", F(L"%5.1f", 2.5)},
        {L"1.5e+02", F(L"%.1e", 150.0)},
        {L"C(mod@LINE 12:3)", F(L"C(%s@LINE %d:%d)", L"mod", 12, 3)},
        {L"a 1 b 2 c", F(L"a %d b %I64d c", 1, (long long)2)},
        {L"*5*", F(L"*%*d*", 1, 5)},
        {L"65535", F(L"%hu", 0xFFFFFFFFu)},
        {L"-1", F(L"%hd", 0xFFFF)},
        {L"12", F(L"%o", 10)},
        {L"%", F(L"%")},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.expected, (LPCWSTR)c.actual);
}

TEST(CStringFormat, AppendFormatAndResourceFormat) {
    CString s(L"x=");
    s.AppendFormat(L"%d,%s", 3, L"y");
    EXPECT_STREQ(L"x=3,y", (LPCWSTR)s);
    CString r;
    r.Format(101u, 7, L"seven");
    EXPECT_STREQ(L"Value 7 of seven", (LPCWSTR)r);
    // A CString argument is passed as its text, also a temporary one.
    CString name(L"file.txt");
    CString m;
    m.Format(L"%s has %d lines, %s", name, 3, CString(L"ok"));
    EXPECT_STREQ(L"file.txt has 3 lines, ok", (LPCWSTR)m);
    const CString cname(L"c");
    m.AppendFormat(L"|%s|%-3s|", cname, name.Left(2));
    EXPECT_STREQ(L"file.txt has 3 lines, ok|c|fi |", (LPCWSTR)m);
    struct {
        unsigned flag : 3;
    } bits = {5};
    CString bf;
    bf.Format(L"%u", bits.flag); // a bit-field argument
    EXPECT_STREQ(L"5", (LPCWSTR)bf);
    // The result may be the argument itself.
    CString self(L"abc");
    self.Format(L"[%s]", (LPCWSTR)self);
    EXPECT_STREQ(L"[abc]", (LPCWSTR)self);
}

TEST(CString, ConstructionAndConversion) {
    CString a("8-bit text");
    EXPECT_STREQ(L"8-bit text", (LPCWSTR)a);
    CString b(L"wide", 2);
    EXPECT_STREQ(L"wi", (LPCWSTR)b);
    CString c(L'z', 3);
    EXPECT_STREQ(L"zzz", (LPCWSTR)c);
    CString d((LPCWSTR)NULL);
    EXPECT_TRUE(d.IsEmpty());
    CString e("abc", 2);
    EXPECT_STREQ(L"ab", (LPCWSTR)e);
    EXPECT_EQ("abc", CString(L"abc").ToMultiByte());
    CString res(MAKEINTRESOURCEW(100));
    EXPECT_STREQ(L"Hello from the string table", (LPCWSTR)res);
    CString g;
    g = "assigned";
    EXPECT_EQ(8, g.GetLength());
    g.Empty();
    EXPECT_TRUE(g.IsEmpty());
    EXPECT_EQ(0, g.GetLength());
}

TEST(CString, AccessAndConcatenation) {
    CString s(L"abc");
    EXPECT_EQ(L'b', s.GetAt(1));
    EXPECT_EQ(L'c', s[2]);
    EXPECT_EQ(0, s.GetAt(3));
    s.SetAt(0, L'X');
    s.SetAt(5, L'Q'); // out of range: ignored
    EXPECT_STREQ(L"Xbc", (LPCWSTR)s);
    CString t = s + L"-" + CString(L"d") + L'e';
    EXPECT_STREQ(L"Xbc-de", (LPCWSTR)t);
    t += L"f";
    t += CString(L"g");
    t += L'h';
    t += "i";
    EXPECT_STREQ(L"Xbc-defghi", (LPCWSTR)t);
    EXPECT_STREQ(L"pre-Xbc", (LPCWSTR)(L"pre-" + s));
}

TEST(CString, Comparison) {
    CString a(L"apple"), b(L"Banana"), a2(L"APPLE");
    EXPECT_TRUE(a == L"apple");
    EXPECT_TRUE(L"apple" == a);
    EXPECT_TRUE(a != a2);
    EXPECT_EQ(0, a.CompareNoCase(a2));
    EXPECT_GT(a.Compare(a2), 0);
    EXPECT_LT(a2.Compare(a), 0);
    EXPECT_TRUE(b < a); // ordinal: 'B' < 'a'
    EXPECT_LT(a.CompareNoCase(b), 0);
    EXPECT_TRUE(a <= L"apple");
    EXPECT_TRUE(a >= a);
    EXPECT_FALSE(a > L"b");
    EXPECT_EQ(0, CString().Compare(NULL));
}

struct SliceCase {
    const wchar_t* expected;
    CString actual;
};

TEST(CString, SliceTable) {
    CString s(L"Hello, World");
    const SliceCase cases[] = {
        {L"Hello", s.Left(5)},
        {L"", s.Left(-1)},
        {L"Hello, World", s.Left(99)},
        {L"World", s.Right(5)},
        {L"", s.Right(-3)},
        {L"Hello, World", s.Right(50)},
        {L"World", s.Mid(7)},
        {L"lo, ", s.Mid(3, 4)},
        {L"", s.Mid(50)},
        {L"He", s.Mid(-2, 2)},
        {L"ld", s.Mid(10, 99)},
        {L"", s.Mid(3, -1)},
        {L"Hell", s.SpanIncluding(L"eHl")},
        {L"Hello", s.SpanExcluding(L", ")},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.expected, (LPCWSTR)c.actual);
}

TEST(CString, SearchTable) {
    CString s(L"a.b.c/file.txt");
    EXPECT_EQ(1, s.Find(L'.'));
    EXPECT_EQ(3, s.Find(L'.', 2));
    EXPECT_EQ(-1, s.Find(L'.', 99));
    EXPECT_EQ(-1, s.Find(L'q'));
    EXPECT_EQ(6, s.Find(L"file"));
    EXPECT_EQ(-1, s.Find(L"file", 7));
    EXPECT_EQ(0, s.Find(L""));
    EXPECT_EQ(10, s.ReverseFind(L'.'));
    EXPECT_EQ(-1, s.ReverseFind(L'#'));
    EXPECT_EQ(5, s.FindOneOf(L"/\\"));
    EXPECT_EQ(-1, s.FindOneOf(L"#"));
}

TEST(CString, TrimTable) {
    struct {
        const wchar_t* in;
        int op;
        const wchar_t* expected;
    } cases[] = {
        {L"  \t ab c \r\n", 0, L"ab c \r\n"},
        {L"  ab c \r\n", 1, L"  ab c"},
        {L"  ab c \r\n", 2, L"ab c"},
        {L"xxabxx", 3, L"abxx"},
        {L"xxabxx", 4, L"xxab"},
        {L"xyabyx", 5, L"ab"},
        {L"xyabyx", 6, L"xyab"},
        {L"   ", 2, L""},
        {L"", 1, L""},
        {L"xxxx", 4, L""},
    };
    for (const auto& c : cases) {
        CString s(c.in);
        switch (c.op) {
        case 0:
            s.TrimLeft();
            break;
        case 1:
            s.TrimRight();
            break;
        case 2:
            s.Trim();
            break;
        case 3:
            s.TrimLeft(L'x');
            break;
        case 4:
            s.TrimRight(L'x');
            break;
        case 5:
            s.Trim(L"xy");
            break;
        case 6:
            s.TrimRight(L"xy");
            break;
        }
        EXPECT_STREQ(c.expected, (LPCWSTR)s) << "case " << c.op;
    }
}

TEST(CString, Editing) {
    CString s(L"one two one");
    EXPECT_EQ(2, s.Replace(L"one", L"three"));
    EXPECT_STREQ(L"three two three", (LPCWSTR)s);
    EXPECT_EQ(0, s.Replace(L"", L"x"));
    EXPECT_EQ(2, s.Replace(L"three", L""));
    EXPECT_STREQ(L" two ", (LPCWSTR)s);
    EXPECT_EQ(2, s.Replace(L' ', L'_'));
    EXPECT_STREQ(L"_two_", (LPCWSTR)s);
    EXPECT_EQ(2, s.Remove(L'_'));
    EXPECT_STREQ(L"two", (LPCWSTR)s);
    EXPECT_EQ(4, s.Insert(0, L'['));
    EXPECT_EQ(5, s.Insert(99, L"]"));
    EXPECT_STREQ(L"[two]", (LPCWSTR)s);
    EXPECT_EQ(3, s.Delete(1, 2));
    EXPECT_STREQ(L"[o]", (LPCWSTR)s);
    EXPECT_EQ(3, s.Delete(5));
    EXPECT_EQ(0, s.Delete(0, 99));
    CString u(L"MiXeD ÄÖ");
    u.MakeUpper();
    EXPECT_STREQ(L"MIXED ÄÖ", (LPCWSTR)u);
    u.MakeLower();
    EXPECT_STREQ(L"mixed äö", (LPCWSTR)u);
}

TEST(CString, Tokenize) {
    CString s(L"  a,b;;c ");
    int pos = 0;
    std::vector<std::wstring> toks;
    for (CString t = s.Tokenize(L",; ", pos); pos != -1; t = s.Tokenize(L",; ", pos))
        toks.push_back((LPCWSTR)t);
    ASSERT_EQ(3u, toks.size());
    EXPECT_EQ(L"a", toks[0]);
    EXPECT_EQ(L"b", toks[1]);
    EXPECT_EQ(L"c", toks[2]);
}

TEST(CString, Buffers) {
    CString s;
    LPWSTR p = s.GetBuffer(10);
    wcscpy(p, L"buffer");
    s.ReleaseBuffer();
    EXPECT_EQ(6, s.GetLength());
    EXPECT_STREQ(L"buffer", (LPCWSTR)s);
    p = s.GetBuffer(3);
    p[0] = L'B';
    s.ReleaseBuffer(3);
    EXPECT_STREQ(L"Buf", (LPCWSTR)s);
    p = s.GetBufferSetLength(5);
    p[3] = L'f';
    p[4] = L'y';
    s.ReleaseBuffer();
    EXPECT_STREQ(L"Buffy", (LPCWSTR)s);
    EXPECT_EQ(5, s.GetLength());
    // Win32 fills a buffer, ReleaseBuffer takes the length up to the terminator.
    CString dir;
    DWORD n = ::GetWindowsDirectoryW(dir.GetBuffer(MAX_PATH), MAX_PATH);
    dir.ReleaseBuffer();
    EXPECT_EQ((int)n, dir.GetLength());
}

// Copying one line after another into the same string: the buffer stays while it has room,
// and a source inside the string itself is read before it is overwritten.
TEST(CString, SetStringKeepsItsBufferAndTakesPartsOfItself) {
    CString s;
    s.SetString(L"a long first line of text", 25);
    const wchar_t* buffer = s.GetString();
    s.SetString(L"short", 5);
    EXPECT_EQ(s, L"short");
    EXPECT_EQ(s.GetString(), buffer);
    s.SetString(L"another line", 12);
    EXPECT_EQ(s.GetString(), buffer);
    s.SetString(s.GetString() + 8);
    EXPECT_EQ(s, L"line");
    s.SetString(s.GetString() + 1, 2);
    EXPECT_EQ(s, L"in");
    s.Append(s.GetString(), 2);
    s.Append(s.GetString());
    EXPECT_EQ(s, L"inininin");
}

TEST(CString, LoadStringAndHelpers) {
    CString s;
    EXPECT_TRUE(s.LoadString(100));
    EXPECT_STREQ(L"Hello from the string table", (LPCWSTR)s);
    EXPECT_FALSE(s.LoadString(9999));
    EXPECT_TRUE(s.IsEmpty());
    CString f;
    AfxFormatString2(f, 102, L"a.txt", L"reading");
    EXPECT_STREQ(L"Cannot open a.txt for reading.", (LPCWSTR)f);
    CString all;
    all.LoadString(117);
    CString part;
    EXPECT_TRUE(AfxExtractSubString(part, all, 1));
    EXPECT_STREQ(L"Line two", (LPCWSTR)part);
    EXPECT_TRUE(AfxExtractSubString(part, all, 2));
    EXPECT_STREQ(L"Three", (LPCWSTR)part);
    EXPECT_FALSE(AfxExtractSubString(part, all, 3));
    EXPECT_TRUE(part.IsEmpty());
}
