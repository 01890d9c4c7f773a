#include "framework/core/arrays.h"
#include "framework/core/lists.h"
#include "framework/core/maps.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

TEST(Arrays, GrowByRule) {
    CDWordArray a;
    // Default grow-by 0: size/8 clamped to 4..1024.
    a.Add(1);
    EXPECT_EQ(1, a.GetSize());
    EXPECT_EQ(1, a.GetAllocSize()); // first allocation: exactly what is needed
    a.Add(2);
    EXPECT_EQ(5, a.GetAllocSize()); // +4 (minimum)
    for (int i = 0; i < 3; ++i)
        a.Add(3 + i);
    EXPECT_EQ(5, a.GetAllocSize());
    a.Add(6);
    EXPECT_EQ(9, a.GetAllocSize());

    CPtrArray p;
    p.SetSize(0, 250); // a grow-by of 250
    p.Add(NULL);
    EXPECT_EQ(250, p.GetAllocSize());
    for (int i = 0; i < 250; ++i)
        p.Add(&p);
    EXPECT_EQ(251, p.GetSize());
    EXPECT_EQ(500, p.GetAllocSize());

    CDWordArray big;
    big.SetSize(9000);
    big.Add(1);
    EXPECT_EQ(9000 + 1024, big.GetAllocSize()); // clamped to 1024

    CArray<int, int> z;
    z.SetSize(3);
    EXPECT_EQ(0, z[0]); // new elements are zero
    EXPECT_EQ(0, z[2]);
    z.SetSize(1);
    EXPECT_EQ(1, z.GetSize());
    z.SetSize(0);
    EXPECT_EQ(0, z.GetAllocSize()); // size 0 frees
    z.SetSize(10, 5);
    z.RemoveAll();
    EXPECT_TRUE(z.IsEmpty());
    EXPECT_EQ(-1, z.GetUpperBound());
}

TEST(Arrays, InsertRemoveAtTheEnds) {
    CArray<int, int> a;
    a.InsertAt(0, 5);    // into an empty array
    a.InsertAt(0, 4);    // at the head
    a.InsertAt(2, 7);    // at the tail (== size)
    a.InsertAt(2, 6, 2); // two copies in the middle
    ASSERT_EQ(5, a.GetSize());
    int expect1[] = {4, 5, 6, 6, 7};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(expect1[i], a[i]);
    a.InsertAt(8, 9); // beyond the end: grows with zeros
    ASSERT_EQ(9, a.GetSize());
    EXPECT_EQ(0, a[5]);
    EXPECT_EQ(0, a[7]);
    EXPECT_EQ(9, a[8]);
    a.RemoveAt(8);    // tail
    a.RemoveAt(0);    // head
    a.RemoveAt(4, 3); // the zeros
    ASSERT_EQ(4, a.GetSize());
    int expect2[] = {5, 6, 6, 7};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(expect2[i], a.GetAt(i));
    a.RemoveAt(0, 4);
    EXPECT_EQ(0, a.GetSize());

    // Out-of-range access throws instead of corrupting memory.
    bool thrown = false;
    try {
        a.RemoveAt(0);
    } catch (CInvalidArgException* e) {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    thrown = false;
    try {
        a.Add(1);
        (void)a.GetAt(1);
    } catch (CException* e) {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
}

// Removing near the front leaves the elements after the run where they are; every other
// operation then still sees exactly the elements, against a plain vector as the model.
TEST(Arrays, RemovingAtTheFrontAgainstAModel) {
    CDWordArray a;
    for (DWORD i = 0; i < 1000; ++i)
        a.Add(i);
    const DWORD* pTail = a.GetData() + 3;
    a.RemoveAt(0, 3);
    EXPECT_EQ(pTail, a.GetData()); // nothing after the run moved
    a.RemoveAt(2);                 // near the front: the two before it move up
    EXPECT_EQ(pTail + 1, a.GetData());
    EXPECT_EQ(3u, a[0]);
    EXPECT_EQ(4u, a[1]);
    EXPECT_EQ(6u, a[2]);

    std::vector<CString> model;
    CStringArray s;
    unsigned seed = 12345;
    auto next = [&](unsigned n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % n;
    };
    auto check = [&](int step) {
        ASSERT_EQ((INT_PTR)model.size(), s.GetSize()) << "step " << step;
        ASSERT_GE(s.GetAllocSize(), s.GetSize()) << "step " << step;
        for (size_t i = 0; i < model.size(); ++i) {
            ASSERT_STREQ((LPCWSTR)model[i], (LPCWSTR)s[(INT_PTR)i]) << "step " << step;
            ASSERT_EQ(&s[(INT_PTR)i], s.GetData() + i) << "step " << step;
        }
    };
    for (int step = 0; step < 3000; ++step) {
        const CString text = CString(L"e") + CString(std::to_wstring(step).c_str());
        switch (next(8)) {
        case 0:
        case 1:
            s.Add(text);
            model.push_back(text);
            break;
        case 2: {
            const size_t at = model.empty() ? 0 : next((unsigned)model.size() + 1);
            s.InsertAt((INT_PTR)at, text);
            model.insert(model.begin() + at, text);
            break;
        }
        case 3:
        case 4:
            if (!model.empty()) {
                const size_t n = 1 + next(std::min<unsigned>(3, (unsigned)model.size()));
                s.RemoveAt(0, (INT_PTR)n);
                model.erase(model.begin(), model.begin() + n);
            }
            break;
        case 5:
            if (!model.empty()) {
                const size_t at = next((unsigned)model.size());
                s.RemoveAt((INT_PTR)at);
                model.erase(model.begin() + at);
            }
            break;
        case 6: {
            CStringArray copy;
            copy.Copy(s);
            if (copy.GetSize() > 0)
                copy.RemoveAt(0); // the source of an insert with room at its front
            const size_t at = model.empty() ? 0 : next((unsigned)model.size() + 1);
            const std::vector<CString> inserted(model.begin() + (model.empty() ? 0 : 1),
                                                model.end());
            s.InsertAt((INT_PTR)at, &copy);
            model.insert(model.begin() + at, inserted.begin(), inserted.end());
            if (model.size() > 200) {
                s.SetSize(100);
                model.resize(100);
            }
            break;
        }
        default:
            if (next(4) == 0) {
                s.FreeExtra();
                EXPECT_EQ(s.GetSize(), s.GetAllocSize());
            } else {
                s.Append(s);
                const std::vector<CString> twice(model);
                model.insert(model.end(), twice.begin(), twice.end());
                if (model.size() > 200) {
                    s.RemoveAt(0, (INT_PTR)model.size() - 50);
                    model.erase(model.begin(), model.end() - 50);
                }
            }
            break;
        }
        check(step);
    }
}

TEST(Arrays, SetAtGrowAppendCopyInsertArray) {
    CStringArray s;
    s.SetAtGrow(3, L"three");
    ASSERT_EQ(4, s.GetSize());
    EXPECT_TRUE(s[0].IsEmpty());
    EXPECT_STREQ(L"three", (LPCWSTR)s[3]);
    s.SetAt(0, L"zero");
    s.Add(CString(L"four"));
    s.InsertAt(1, L"one");
    EXPECT_STREQ(L"one", (LPCWSTR)s.GetAt(1));
    EXPECT_EQ(6, s.GetCount());
    // An element of the array itself as the argument while growing.
    s.Add(s[0]);
    EXPECT_STREQ(L"zero", (LPCWSTR)s[6]);

    CStringArray t;
    t.Add(L"x");
    t.Add(L"y");
    EXPECT_EQ(2, t.Append(t)); // self-append
    EXPECT_EQ(4, t.GetSize());
    EXPECT_STREQ(L"y", (LPCWSTR)t[3]);
    CStringArray u;
    u.Copy(t);
    EXPECT_EQ(4, u.GetSize());
    u.InsertAt(1, &s);
    EXPECT_EQ(11, u.GetSize());
    EXPECT_STREQ(L"x", (LPCWSTR)u[0]);
    EXPECT_STREQ(L"zero", (LPCWSTR)u[1]);
    EXPECT_STREQ(L"y", (LPCWSTR)u[8]);
    u.ElementAt(0) = L"X";
    EXPECT_STREQ(L"X", (LPCWSTR)u.GetData()[0]);
    u.FreeExtra();
    EXPECT_EQ(u.GetSize(), u.GetAllocSize());

    struct Item {
        int a;
        int b;
    };
    CTypedPtrArray<CPtrArray, Item*> items;
    Item i1{1, 2}, i2{3, 4};
    items.Add(&i1);
    items.InsertAt(0, &i2);
    EXPECT_EQ(3, items[0]->a);
    EXPECT_EQ(&i1, items.GetAt(1));
    items.SetAtGrow(3, &i1);
    EXPECT_EQ(nullptr, items[2]);
}

TEST(Lists, IterationAndRemovalWhileIterating) {
    CPtrList list;
    int v[6] = {0, 1, 2, 3, 4, 5};
    for (int i = 0; i < 6; ++i)
        list.AddTail(&v[i]);
    // Remove the odd values with the saved-position idiom.
    POSITION pos = list.GetHeadPosition();
    while (pos != NULL) {
        POSITION cur = pos;
        int* p = (int*)list.GetNext(pos);
        if (*p % 2 == 1)
            list.RemoveAt(cur);
    }
    ASSERT_EQ(3, list.GetCount());
    std::vector<int> seen;
    for (POSITION q = list.GetHeadPosition(); q != NULL;)
        seen.push_back(*(int*)list.GetNext(q));
    EXPECT_EQ((std::vector<int>{0, 2, 4}), seen);
    // Backwards, removing everything.
    seen.clear();
    pos = list.GetTailPosition();
    while (pos != NULL) {
        POSITION cur = pos;
        seen.push_back(*(int*)list.GetPrev(pos));
        list.RemoveAt(cur);
    }
    EXPECT_EQ((std::vector<int>{4, 2, 0}), seen);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    EXPECT_EQ(nullptr, list.GetTailPosition());
}

TEST(Lists, EndsInsertFind) {
    CStringList l;
    l.AddTail(L"b");
    l.AddHead(L"a");
    POSITION c = l.AddTail(L"c");
    l.InsertBefore(c, L"b2");
    l.InsertAfter(c, L"d");
    l.InsertBefore(l.GetHeadPosition(), L"first");
    l.InsertAfter(l.GetTailPosition(), L"last");
    EXPECT_STREQ(L"first", (LPCWSTR)l.GetHead());
    EXPECT_STREQ(L"last", (LPCWSTR)l.GetTail());
    EXPECT_EQ(7, l.GetCount());
    POSITION f = l.Find(L"c");
    EXPECT_EQ(c, f);
    EXPECT_EQ(nullptr, l.Find(L"c", f));
    EXPECT_EQ(nullptr, l.Find(L"zz"));
    EXPECT_STREQ(L"b2", (LPCWSTR)l.GetAt(l.FindIndex(3)));
    EXPECT_EQ(nullptr, l.FindIndex(7));
    EXPECT_EQ(nullptr, l.FindIndex(-1));
    l.SetAt(f, L"C");
    EXPECT_STREQ(L"C", (LPCWSTR)l.GetAt(c));
    EXPECT_STREQ(L"first", (LPCWSTR)l.RemoveHead());
    EXPECT_STREQ(L"last", (LPCWSTR)l.RemoveTail());
    EXPECT_EQ(5, l.GetCount());
    CStringList copy;
    copy.AddTail(&l);
    copy.AddHead(&l);
    EXPECT_EQ(10, copy.GetCount());
    EXPECT_STREQ(L"a", (LPCWSTR)copy.GetHead());
    EXPECT_STREQ(L"d", (LPCWSTR)copy.GetTail());
    l.RemoveAll();
    EXPECT_TRUE(l.IsEmpty());
    bool thrown = false;
    try {
        l.RemoveHead();
    } catch (CInvalidArgException* e) {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);

    CTypedPtrList<CObList, CObject*> obs;
    CObject* p1 = RUNTIME_CLASS(CStringArray)->CreateObject();
    obs.AddTail(p1);
    EXPECT_EQ(p1, obs.GetHead());
    EXPECT_EQ(obs.GetHeadPosition(), obs.Find(p1));
    delete obs.RemoveHead();
}

TEST(Maps, LookupSetRemoveIterate) {
    CMapStringToPtr m;
    int a = 1, b = 2;
    m.SetAt(L"alpha", &a);
    m[L"beta"] = &b;
    void* p = NULL;
    EXPECT_TRUE(m.Lookup(L"alpha", p));
    EXPECT_EQ(&a, p);
    EXPECT_FALSE(m.Lookup(L"gamma", p));
    EXPECT_EQ(2, m.GetCount());
    m.SetAt(L"alpha", &b); // replace
    EXPECT_EQ(2, m.GetCount());
    EXPECT_TRUE(m.Lookup(L"alpha", p));
    EXPECT_EQ(&b, p);
    EXPECT_TRUE(m.RemoveKey(L"alpha"));
    EXPECT_FALSE(m.RemoveKey(L"alpha"));
    EXPECT_EQ(1, m.GetCount());

    CMap<UINT, UINT, int, int> big;
    big.InitHashTable(17);
    for (UINT i = 0; i < 500; ++i)
        big[i * 16] = (int)i; // keys with equal low bits
    EXPECT_EQ(500, big.GetCount());
    // Iterate, removing every returned even key during the walk.
    std::set<UINT> seen;
    POSITION pos = big.GetStartPosition();
    while (pos != NULL) {
        UINT k;
        int v;
        big.GetNextAssoc(pos, k, v);
        EXPECT_EQ((int)(k / 16), v);
        seen.insert(k);
        if (v % 2 == 0)
            big.RemoveKey(k);
    }
    EXPECT_EQ(500u, seen.size());
    EXPECT_EQ(250, big.GetCount());
    int v = -1;
    EXPECT_FALSE(big.Lookup(0, v));
    EXPECT_TRUE(big.Lookup(16, v));
    EXPECT_EQ(1, v);
    big.RemoveAll();
    EXPECT_TRUE(big.IsEmpty());
    EXPECT_EQ(nullptr, big.GetStartPosition());

    CMapStringToString ss;
    ss[L"k"] = L"v";
    CString val;
    EXPECT_TRUE(ss.Lookup(L"k", val));
    EXPECT_STREQ(L"v", (LPCWSTR)val);

    CMapWordToPtr wp;
    wp.SetAt(7, &a);
    EXPECT_TRUE(wp.Lookup(7, p));
    CMapPtrToWord pw;
    pw.SetAt(&a, 9);
    WORD w = 0;
    EXPECT_TRUE(pw.Lookup(&a, w));
    EXPECT_EQ(9, w);
    CMapPtrToPtr pp;
    pp[&a] = &b;
    EXPECT_TRUE(pp.Lookup(&a, p));
    EXPECT_EQ(&b, p);

    struct Bar {
        int id;
    };
    CTypedPtrMap<CMapWordToPtr, WORD, Bar*> bars;
    Bar bar{5};
    bars.SetAt(5, &bar);
    Bar* got = NULL;
    EXPECT_TRUE(bars.Lookup(5, got));
    EXPECT_EQ(&bar, got);
    POSITION bp = bars.GetStartPosition();
    WORD key;
    bars.GetNextAssoc(bp, key, got);
    EXPECT_EQ(5, key);
    EXPECT_EQ(nullptr, bp);
}
