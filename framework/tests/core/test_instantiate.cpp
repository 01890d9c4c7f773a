// Every member of the collection templates compiles for the element kinds the rest of the debugger
// uses (explicit instantiation instantiates all members).
#include "framework/core/archive.h"
#include "framework/core/arrays.h"
#include "framework/core/lists.h"
#include "framework/core/maps.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {
struct Span {
    int start = 0;
    int length = 0;
    bool operator==(const Span& o) const { return start == o.start && length == o.length; }
};
} // namespace

template class CArray<int, int>;
template class CArray<CString, const CString&>;
template class CArray<Span, Span&>;
template class CArray<ACCEL, ACCEL&>;
template class CList<CString, const CString&>;
template class CList<Span, Span&>;
template class CList<int, int>;
template class CMap<UINT, UINT, Span*, Span*>;
template class CMap<CString, LPCTSTR, WORD, WORD>;
template class CMap<CString, const CString&, CString, const CString&>;
template class CMap<HTREEITEM, HTREEITEM, CStringArray*, CStringArray*>;
template class CMap<UINT, UINT, HMENU, HMENU>;
template class CMap<CString, CString&, int, int>;
template class CMap<CString, CString, void*, void*>;
template class CTypedPtrArray<CObArray, CObject*>;
template class CTypedPtrArray<CPtrArray, Span*>;
template class CTypedPtrList<CPtrList, Span*>;
template class CTypedPtrList<CObList, CObject*>;
template class CTypedPtrMap<CMapWordToPtr, WORD, Span*>;
template class CTypedPtrMap<CMapStringToPtr, CString, Span*>;
template class CTypedPtrMap<CMapPtrToPtr, void*, Span*>;

TEST(Collections, StructElementsSerializeRaw) {
    CArray<Span, Span&> spans;
    Span s{3, 4};
    spans.Add(s);
    spans.Add(s);
    CMemFile m;
    {
        CArchive ar(&m, CArchive::store);
        spans.Serialize(ar);
    }
    EXPECT_EQ(2u + 2 * sizeof(Span), m.GetLength()); // count, then the raw elements
    m.SeekToBegin();
    CArray<Span, Span&> back;
    CArchive ar(&m, CArchive::load);
    back.Serialize(ar);
    ASSERT_EQ(2, back.GetSize());
    EXPECT_EQ(4, back[1].length);

    CMap<CString, const CString&, CString, const CString&> byRef;
    byRef[CString(L"a")] = L"b";
    CString v;
    EXPECT_TRUE(byRef.Lookup(CString(L"a"), v));
    CTypedPtrMap<CMapStringToPtr, CString, Span*> typed;
    typed.SetAt(L"s", &s);
    Span* p = nullptr;
    EXPECT_TRUE(typed.Lookup(L"s", p));
    EXPECT_EQ(&s, p);
    EXPECT_TRUE(typed.RemoveKey(L"s"));
}
