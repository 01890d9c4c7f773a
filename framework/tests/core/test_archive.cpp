#include "framework/core/archive.h"
#include "framework/core/arrays.h"
#include "framework/core/lists.h"
#include "framework/core/maps.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// The cause of the archive exception f throws; -1 when it throws none.
template <class F> int ArchiveCause(F f) {
    try {
        f();
    } catch (CArchiveException* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

int g_liveNodes = 0;

class CNodeObj : public CObject {
    DECLARE_SERIAL(CNodeObj)
public:
    CNodeObj() { ++g_liveNodes; }
    ~CNodeObj() override { --g_liveNodes; }
    CString m_name;
    int m_value = 0;
    CNodeObj* m_pShared = nullptr; // not owned
    void Serialize(CArchive& ar) override {
        CObject::Serialize(ar);
        if (ar.IsStoring()) {
            ar << m_name << m_value << m_pShared;
        } else {
            ar >> m_name >> m_value >> m_pShared;
        }
    }
};
IMPLEMENT_SERIAL(CNodeObj, CObject, 1)

class CVersioned : public CObject {
    DECLARE_SERIAL(CVersioned)
public:
    UINT m_schemaSeen = 0;
    void Serialize(CArchive& ar) override {
        if (!ar.IsStoring())
            m_schemaSeen = ar.GetObjectSchema();
    }
};
IMPLEMENT_SERIAL(CVersioned, CObject, VERSIONABLE_SCHEMA | 2)

class CNotSerial : public CObject {
    DECLARE_DYNCREATE(CNotSerial)
};
IMPLEMENT_DYNCREATE(CNotSerial, CObject)

std::vector<BYTE> Bytes(CMemFile& m) {
    std::vector<BYTE> v((size_t)m.GetLength());
    m.SeekToBegin();
    if (!v.empty())
        m.Read(v.data(), (UINT)v.size());
    m.SeekToBegin();
    return v;
}

} // namespace

TEST(Archive, PrimitivesAndCounts) {
    CMemFile m;
    {
        CArchive ar(&m, CArchive::store);
        EXPECT_TRUE(ar.IsStoring());
        EXPECT_FALSE(ar.IsLoading());
        EXPECT_EQ(&m, ar.GetFile());
        ar << (BYTE)0xAB << (WORD)0x1234 << (LONG)-5 << (DWORD)0xDEADBEEF << (int)-7 << (UINT)9
           << (short)-3 << 'c' << L'\x263A' << 1.5f << 2.25 << (LONGLONG)-1234567890123LL
           << (ULONGLONG)0xFEDCBA9876543210ULL << (int)TRUE;
        ar << CPoint(1, -2) << CSize(3, 4) << CRect(5, 6, 7, 8);
        ar.WriteCount(5);
        ar.WriteCount(0xFFFF);
        ar.WriteCount(70000);
        ar.Write("raw", 3);
        ar.Close();
    }
    std::vector<BYTE> bytes = Bytes(m);
    ASSERT_GE(bytes.size(), 3u);
    EXPECT_EQ(0xAB, bytes[0]);
    EXPECT_EQ(0x34, bytes[1]); // little-endian
    CArchive ar(&m, CArchive::load);
    BYTE by;
    WORD w;
    LONG l;
    DWORD dw;
    int i;
    UINT u;
    short sh;
    char ch;
    wchar_t wc;
    float f;
    double d;
    LONGLONG ll;
    ULONGLONG ull;
    int b;
    ar >> by >> w >> l >> dw >> i >> u >> sh >> ch >> wc >> f >> d >> ll >> ull >> b;
    EXPECT_EQ(0xAB, by);
    EXPECT_EQ(0x1234, w);
    EXPECT_EQ(-5, l);
    EXPECT_EQ(0xDEADBEEFu, dw);
    EXPECT_EQ(-7, i);
    EXPECT_EQ(9u, u);
    EXPECT_EQ(-3, sh);
    EXPECT_EQ('c', ch);
    EXPECT_EQ(L'\x263A', wc);
    EXPECT_EQ(1.5f, f);
    EXPECT_EQ(2.25, d);
    EXPECT_EQ(-1234567890123LL, ll);
    EXPECT_EQ(0xFEDCBA9876543210ULL, ull);
    EXPECT_EQ(TRUE, b);
    CPoint pt;
    CSize sz;
    CRect rc;
    ar >> pt >> sz >> rc;
    EXPECT_EQ(CPoint(1, -2), pt);
    EXPECT_EQ(CSize(3, 4), sz);
    EXPECT_EQ(CRect(5, 6, 7, 8), rc);
    EXPECT_EQ(5u, ar.ReadCount());
    EXPECT_EQ(0xFFFFu, ar.ReadCount());
    EXPECT_EQ(70000u, ar.ReadCount());
    char raw[8] = {};
    EXPECT_EQ(3u, ar.Read(raw, 8)); // fewer at the end: no exception
    EXPECT_STREQ("raw", raw);
    EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { ar >> dw; }));
}

TEST(Archive, StringFormat) {
    CMemFile m;
    CString longer(L'x', 300);
    CString huge(L'y', 70000);
    {
        CArchive ar(&m, CArchive::store);
        ar << CString(L"Hi") << CString() << longer << huge;
    }
    std::vector<BYTE> bytes = Bytes(m);
    // 0xFF, 0xFFFE marker, then the BYTE length 2 and the UTF-16 characters.
    const BYTE expectHi[] = {0xFF, 0xFE, 0xFF, 0x02, 'H', 0, 'i', 0};
    ASSERT_GE(bytes.size(), sizeof expectHi);
    EXPECT_EQ(0, std::memcmp(bytes.data(), expectHi, sizeof expectHi));
    const BYTE expectEmpty[] = {0xFF, 0xFE, 0xFF, 0x00};
    EXPECT_EQ(0, std::memcmp(bytes.data() + 8, expectEmpty, 4));
    const BYTE expect300[] = {0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01};
    EXPECT_EQ(0, std::memcmp(bytes.data() + 12, expect300, 6));
    {
        CArchive ar(&m, CArchive::load);
        CString a, b, c, d;
        ar >> a >> b >> c >> d;
        EXPECT_STREQ(L"Hi", (LPCWSTR)a);
        EXPECT_TRUE(b.IsEmpty());
        EXPECT_EQ(longer, c);
        EXPECT_EQ(huge, d);
    }
    // An 8-bit string (the framework's non-Unicode form) loads too.
    BYTE ansi[] = {3, 'a', 'b', 'c'};
    CMemFile a8(ansi, sizeof ansi);
    CArchive ar8(&a8, CArchive::load);
    CString s;
    ar8 >> s;
    EXPECT_STREQ(L"abc", (LPCWSTR)s);
}

TEST(Archive, ObjectsByRuntimeClassWithSharedObject) {
    CMemFile m;
    g_liveNodes = 0;
    {
        CNodeObj shared;
        shared.m_name = L"shared";
        shared.m_value = 42;
        CNodeObj a, b;
        a.m_name = L"a";
        a.m_value = 1;
        a.m_pShared = &shared;
        b.m_name = L"b";
        b.m_value = 2;
        b.m_pShared = &shared;
        CArchive ar(&m, CArchive::store);
        ar << &a << &b << (CObject*)NULL << &shared;
        ar.Close();
    }
    EXPECT_EQ(0, g_liveNodes);
    m.SeekToBegin();
    CArchive ar(&m, CArchive::load);
    CNodeObj* a = nullptr;
    CNodeObj* b = nullptr;
    CObject* n = reinterpret_cast<CObject*>(1);
    CObject* s = nullptr;
    ar >> a >> b >> n >> s;
    ASSERT_NE(nullptr, a);
    ASSERT_NE(nullptr, b);
    EXPECT_TRUE(a->IsKindOf(RUNTIME_CLASS(CNodeObj)));
    EXPECT_STREQ(L"a", (LPCWSTR)a->m_name);
    EXPECT_EQ(2, b->m_value);
    ASSERT_NE(nullptr, a->m_pShared);
    EXPECT_EQ(a->m_pShared, b->m_pShared); // stored twice, loaded once
    EXPECT_EQ(a->m_pShared, s);
    EXPECT_EQ(42, a->m_pShared->m_value);
    EXPECT_EQ(nullptr, n);
    EXPECT_EQ(3, g_liveNodes);
    delete a;
    delete b;
    delete s;
    EXPECT_EQ(0, g_liveNodes);
}

TEST(Archive, TruncatedAndMalformedThrowArchiveException) {
    CMemFile m;
    {
        CNodeObj x;
        x.m_name = L"some name";
        x.m_value = 5;
        CArchive ar(&m, CArchive::store);
        ar << &x;
    }
    std::vector<BYTE> full = Bytes(m);
    g_liveNodes = 0;
    // Every truncation of the data throws CArchiveException and leaks nothing.
    for (size_t len = 0; len < full.size(); ++len) {
        std::vector<BYTE> part(full.begin(), full.begin() + len);
        CMemFile t(part.empty() ? nullptr : part.data(), (UINT)part.size());
        CArchive ar(&t, CArchive::load);
        bool thrown = false;
        try {
            CObject* p = nullptr;
            ar >> p;
            delete p;
        } catch (CArchiveException* e) {
            thrown = true;
            e->Delete();
        } catch (CException* e) {
            e->Delete();
        }
        EXPECT_TRUE(thrown) << "length " << len;
    }
    EXPECT_EQ(0, g_liveNodes);

    struct Bad {
        std::vector<BYTE> data;
        int cause;
    };
    const Bad bad[] = {
        // An unknown class name.
        {{0xFF, 0xFF, 1, 0, 3, 0, 'X', 'y', 'z'}, CArchiveException::badClass},
        // A class name too long.
        {{0xFF, 0xFF, 1, 0, 200, 0, 'X'}, CArchiveException::badClass},
        // A wrong schema for a non-versionable class.
        {{0xFF, 0xFF, 7, 0, 8, 0, 'C', 'N', 'o', 'd', 'e', 'O', 'b', 'j'},
         CArchiveException::badSchema},
        // A back-reference to an object never loaded.
        {{0x05, 0x00}, CArchiveException::badIndex},
        // A class tag that was never defined.
        {{0x01, 0x80}, CArchiveException::badIndex},
        // A class that is not serializable.
        {{0xFF, 0xFF, 0, 0, 10, 0, 'C', 'N', 'o', 't', 'S', 'e', 'r', 'i', 'a', 'l'},
         CArchiveException::badClass},
    };
    for (const auto& c : bad) {
        CMemFile t(const_cast<BYTE*>(c.data.data()), (UINT)c.data.size());
        CArchive ar(&t, CArchive::load);
        EXPECT_EQ(c.cause, ArchiveCause([&] { delete ar.ReadObject(NULL); }));
    }
    // The object is of another class than requested.
    {
        CMemFile t(full.data(), (UINT)full.size());
        CArchive ar(&t, CArchive::load);
        EXPECT_EQ(CArchiveException::badClass,
                  ArchiveCause([&] { delete ar.ReadObject(RUNTIME_CLASS(CStringArray)); }));
    }
    EXPECT_EQ(0, g_liveNodes);
    // A huge string length or count with little data: endOfFile, no huge allocation.
    {
        BYTE data[] = {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F, 'a', 0};
        CMemFile t(data, sizeof data);
        CArchive ar(&t, CArchive::load);
        CString s;
        EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { ar >> s; }));
    }
    {
        BYTE data[] = {0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F, 1, 2, 3, 4};
        CMemFile t(data, sizeof data);
        CArchive ar(&t, CArchive::load);
        CDWordArray arr;
        EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { arr.Serialize(ar); }));
    }
    // Storing a class that is not serializable is refused.
    {
        CMemFile t;
        CArchive ar(&t, CArchive::store);
        CNotSerial ns;
        bool thrown = false;
        try {
            ar << &ns;
        } catch (CNotSupportedException* e) {
            thrown = true;
            e->Delete();
        }
        EXPECT_TRUE(thrown);
        // Reading a storing archive is refused too.
        BYTE by = 0;
        EXPECT_EQ(CArchiveException::writeOnly, ArchiveCause([&] { ar >> by; }));
    }
}

TEST(Archive, VersionableSchema) {
    CMemFile m;
    {
        CVersioned v, w;
        CArchive ar(&m, CArchive::store);
        ar << &v << &w; // the second refers to the class by its tag
    }
    std::vector<BYTE> bytes = Bytes(m);
    // New class tag, the schema as a WORD (2), the name length and name.
    ASSERT_GE(bytes.size(), 6u);
    EXPECT_EQ(0xFF, bytes[0]);
    EXPECT_EQ(0xFF, bytes[1]);
    EXPECT_EQ(2, bytes[2]);
    EXPECT_EQ(0, bytes[3]);
    EXPECT_EQ(10, bytes[4]);
    // Written by an older version (schema 1): still loads, and the object sees schema 1.
    bytes[2] = 1;
    CMemFile t(bytes.data(), (UINT)bytes.size());
    CArchive ar(&t, CArchive::load);
    CVersioned* v = nullptr;
    CVersioned* w = nullptr;
    ar >> v >> w;
    ASSERT_NE(nullptr, v);
    ASSERT_NE(nullptr, w);
    EXPECT_NE(v, w);
    EXPECT_EQ(1u, v->m_schemaSeen);
    EXPECT_EQ(1u, w->m_schemaSeen);
    delete v;
    delete w;
}

TEST(Archive, CollectionsSerialize) {
    CMemFile m;
    {
        CDWordArray dw;
        dw.Add(1);
        dw.Add(0xFFFFFFFF);
        CStringArray sa;
        sa.Add(L"one");
        sa.Add(L"two");
        CStringList sl;
        sl.AddTail(L"x");
        CMapStringToString ms;
        ms[L"k1"] = L"v1";
        ms[L"k2"] = L"v2";
        CMap<CString, LPCTSTR, WORD, WORD> sw;
        sw[L"w"] = 7;
        CObArray oa;
        CNodeObj n1;
        n1.m_value = 11;
        oa.Add(&n1);
        oa.Add(&n1);
        oa.Add(NULL);
        CArchive ar(&m, CArchive::store);
        dw.Serialize(ar);
        sa.Serialize(ar);
        sl.Serialize(ar);
        ms.Serialize(ar);
        sw.Serialize(ar);
        oa.Serialize(ar);
        ar << &sa; // a collection as an object
    }
    m.SeekToBegin();
    CArchive ar(&m, CArchive::load);
    CDWordArray dw;
    CStringArray sa;
    CStringList sl;
    CMapStringToString ms;
    CMap<CString, LPCTSTR, WORD, WORD> sw;
    CObArray oa;
    dw.Serialize(ar);
    sa.Serialize(ar);
    sl.Serialize(ar);
    ms.Serialize(ar);
    sw.Serialize(ar);
    oa.Serialize(ar);
    CStringArray* psa = nullptr;
    ar >> psa;
    ASSERT_EQ(2, dw.GetSize());
    EXPECT_EQ(0xFFFFFFFFu, dw[1]);
    ASSERT_EQ(2, sa.GetSize());
    EXPECT_STREQ(L"two", (LPCWSTR)sa[1]);
    ASSERT_EQ(1, sl.GetCount());
    EXPECT_STREQ(L"x", (LPCWSTR)sl.GetHead());
    CString v;
    EXPECT_TRUE(ms.Lookup(L"k2", v));
    EXPECT_STREQ(L"v2", (LPCWSTR)v);
    WORD w = 0;
    EXPECT_TRUE(sw.Lookup(L"w", w));
    EXPECT_EQ(7, w);
    ASSERT_EQ(3, oa.GetSize());
    EXPECT_EQ(oa[0], oa[1]);
    EXPECT_EQ(nullptr, oa[2]);
    EXPECT_EQ(11, static_cast<CNodeObj*>(oa[0])->m_value);
    delete oa[0];
    ASSERT_NE(nullptr, psa);
    EXPECT_STREQ(L"one", (LPCWSTR)psa->GetAt(0));
    delete psa;
}

TEST(Archive, DiskFileRoundTripAndSmallBuffer) {
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    CString path;
    path.Format(L"%sfwcore_%lu_archive.bin", dir, ::GetCurrentProcessId());
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
        CArchive ar(&f, CArchive::store, 128); // many buffer refills
        for (DWORD i = 0; i < 1000; ++i)
            ar << i;
        CString s(L'q', 500);
        ar << s;
        ar.Close();
        f.Close();
    }
    {
        CFile f(path, CFile::modeRead);
        CArchive ar(&f, CArchive::load, 128);
        for (DWORD i = 0; i < 1000; ++i) {
            DWORD v;
            ar >> v;
            ASSERT_EQ(i, v);
        }
        // Flushing a loading archive gives the unread buffered bytes back to the file.
        ar.Flush();
        EXPECT_EQ(4000u, f.GetPosition());
        CString s;
        ar >> s;
        EXPECT_EQ(500, s.GetLength());
        ar.Close();
        EXPECT_EQ(f.GetLength(), f.GetPosition());
    }
    CFile::Remove(path);
}

TEST(Archive, ManyObjectsUseBigIndexTags) {
    // More than 0x7FFF objects: later back-references need the 32-bit tag form.
    const int kCount = 0x8100;
    std::vector<CNodeObj*> nodes;
    g_liveNodes = 0;
    for (int i = 0; i < kCount; ++i) {
        nodes.push_back(new CNodeObj);
        nodes.back()->m_value = i;
    }
    CMemFile m;
    {
        CArchive ar(&m, CArchive::store);
        for (CNodeObj* p : nodes)
            ar << p;
        // Back-references: an early object (small index) and the last one (big index).
        ar << nodes[3] << nodes[kCount - 1];
    }
    for (CNodeObj* p : nodes)
        delete p;
    nodes.clear();
    m.SeekToBegin();
    CArchive ar(&m, CArchive::load);
    for (int i = 0; i < kCount; ++i) {
        CNodeObj* p = nullptr;
        ar >> p;
        ASSERT_NE(nullptr, p);
        ASSERT_EQ(i, p->m_value);
        nodes.push_back(p);
    }
    CNodeObj* early = nullptr;
    CNodeObj* last = nullptr;
    ar >> early >> last;
    EXPECT_EQ(nodes[3], early);
    EXPECT_EQ(nodes[kCount - 1], last);
    for (CNodeObj* p : nodes)
        delete p;
    EXPECT_EQ(0, g_liveNodes);
}
