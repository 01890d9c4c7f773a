#include "framework/core/exceptions.h"
#include "framework/core/geometry.h"
#include "framework/core/object.h"

#include <gtest/gtest.h>

namespace {

class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
public:
    int m_sides = 0;
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CSquare : public CShape {
    DECLARE_DYNCREATE(CSquare)
public:
    CSquare() { m_sides = 4; }
};
IMPLEMENT_DYNCREATE(CSquare, CShape)

class CTriangle : public CShape {
    DECLARE_DYNCREATE(CTriangle)
public:
    CTriangle() { m_sides = 3; }
};
IMPLEMENT_DYNCREATE(CTriangle, CShape)

class CThrowing : public CObject {
    DECLARE_DYNCREATE(CThrowing)
public:
    CThrowing() { AfxThrowMemoryException(); }
};
IMPLEMENT_DYNCREATE(CThrowing, CObject)

} // namespace

TEST(RuntimeClass, IsKindOfAndNames) {
    CSquare sq;
    EXPECT_TRUE(sq.IsKindOf(RUNTIME_CLASS(CSquare)));
    EXPECT_TRUE(sq.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(sq.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(sq.IsKindOf(RUNTIME_CLASS(CTriangle)));
    EXPECT_FALSE(sq.IsKindOf(NULL));
    EXPECT_STREQ("CSquare", sq.GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ((int)sizeof(CSquare), RUNTIME_CLASS(CSquare)->m_nObjectSize);
    EXPECT_EQ(0xFFFFu, RUNTIME_CLASS(CSquare)->m_wSchema);
    EXPECT_TRUE(RUNTIME_CLASS(CSquare)->IsDerivedFrom(RUNTIME_CLASS(CShape)));
    EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDerivedFrom(RUNTIME_CLASS(CSquare)));
    EXPECT_FALSE(sq.IsSerializable());
    CShape* p = &sq;
    EXPECT_EQ(&sq, DYNAMIC_DOWNCAST(CSquare, p));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CTriangle, p));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CTriangle, (CObject*)NULL));
}

TEST(RuntimeClass, CreateByClassAndByName) {
    CObject* a = RUNTIME_CLASS(CTriangle)->CreateObject();
    ASSERT_NE(nullptr, a);
    EXPECT_TRUE(a->IsKindOf(RUNTIME_CLASS(CTriangle)));
    EXPECT_EQ(3, static_cast<CShape*>(a)->m_sides);
    delete a;

    EXPECT_EQ(RUNTIME_CLASS(CSquare), CRuntimeClass::FromName("CSquare"));
    EXPECT_EQ(RUNTIME_CLASS(CSquare), CRuntimeClass::FromName(L"CSquare"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(L"CSquar"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(L"CSquareX"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName((LPCSTR)NULL));
    EXPECT_EQ(RUNTIME_CLASS(CException), CRuntimeClass::FromName("CException"));

    CObject* b = CRuntimeClass::CreateObject(L"CSquare");
    ASSERT_NE(nullptr, b);
    EXPECT_EQ(4, static_cast<CShape*>(b)->m_sides);
    delete b;
    // Not creatable (DYNAMIC only), unknown, or failing in its constructor: NULL.
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CShape)->CreateObject());
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("NoSuchClass"));
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CThrowing)->CreateObject());
}

TEST(Exceptions, ThrowCatchDeleteStyle) {
    bool caught = false;
    try {
        AfxThrowFileException(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, L"x.txt");
    } catch (CFileException* e) {
        caught = true;
        EXPECT_EQ(CFileException::fileNotFound, e->m_cause);
        EXPECT_EQ(ERROR_FILE_NOT_FOUND, e->m_lOsError);
        EXPECT_STREQ(L"x.txt", (LPCWSTR)e->m_strFileName);
        wchar_t msg[200];
        EXPECT_TRUE(e->GetErrorMessage(msg, 200));
        EXPECT_STREQ(L"x.txt was not found.", msg);
        wchar_t small[6];
        EXPECT_TRUE(e->GetErrorMessage(small, 6));
        EXPECT_STREQ(L"x.txt", small);
        e->Delete();
    }
    EXPECT_TRUE(caught);

    caught = false;
    try {
        AfxThrowArchiveException(CArchiveException::endOfFile);
    } catch (CException* e) {
        caught = true;
        ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CArchiveException)));
        EXPECT_EQ(CArchiveException::endOfFile, static_cast<CArchiveException*>(e)->m_cause);
        e->Delete();
    }
    EXPECT_TRUE(caught);

    // The memory exception is static: Delete leaves it alive for the next throw.
    for (int i = 0; i < 2; ++i) {
        caught = false;
        try {
            AfxThrowMemoryException();
        } catch (CMemoryException* e) {
            caught = true;
            e->Delete();
        }
        EXPECT_TRUE(caught);
    }
    for (int kind = 0; kind < 3; ++kind) {
        caught = false;
        try {
            if (kind == 0)
                AfxThrowResourceException();
            else if (kind == 1)
                AfxThrowUserException();
            else
                AfxThrowNotSupportedException();
        } catch (CException* e) {
            caught = true;
            EXPECT_TRUE(kind != 0 || e->IsKindOf(RUNTIME_CLASS(CResourceException)));
            EXPECT_TRUE(kind != 1 || e->IsKindOf(RUNTIME_CLASS(CUserException)));
            EXPECT_TRUE(kind != 2 || e->IsKindOf(RUNTIME_CLASS(CNotSupportedException)));
            e->Delete();
        }
        EXPECT_TRUE(caught);
    }
    EXPECT_EQ(CFileException::accessDenied,
              CFileException::OsErrorToException(ERROR_ACCESS_DENIED));
    EXPECT_EQ(CFileException::sharingViolation,
              CFileException::OsErrorToException(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(CFileException::badPath, CFileException::OsErrorToException(ERROR_PATH_NOT_FOUND));
}

TEST(Geometry, PointSizeRect) {
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(100, r.Width());
    EXPECT_EQ(50, r.Height());
    EXPECT_EQ(CSize(100, 50), r.Size());
    EXPECT_EQ(CPoint(10, 20), r.TopLeft());
    EXPECT_EQ(CPoint(110, 70), r.BottomRight());
    EXPECT_EQ(CPoint(60, 45), r.CenterPoint());
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(110, 20)));
    EXPECT_FALSE(r.IsRectEmpty());
    EXPECT_FALSE(r.IsRectNull());
    CRect e;
    EXPECT_TRUE(e.IsRectEmpty());
    EXPECT_TRUE(e.IsRectNull());
    e.SetRect(5, 5, 5, 9);
    EXPECT_TRUE(e.IsRectEmpty());
    EXPECT_FALSE(e.IsRectNull());
    e.SetRectEmpty();
    EXPECT_TRUE(e.IsRectNull());

    CRect g = r;
    g.InflateRect(2, 3);
    EXPECT_EQ(CRect(8, 17, 112, 73), g);
    g.DeflateRect(2, 3);
    EXPECT_EQ(r, g);
    g.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(CRect(11, 22, 107, 66), g);
    g.OffsetRect(-11, -22);
    EXPECT_EQ(CRect(0, 0, 96, 44), g);
    g.OffsetRect(CPoint(1, 1));
    EXPECT_EQ(CRect(1, 1, 97, 45), g);

    CRect n(50, 60, 10, 20);
    n.NormalizeRect();
    EXPECT_EQ(CRect(10, 20, 50, 60), n);

    CRect i;
    EXPECT_TRUE(i.IntersectRect(&r, CRect(100, 60, 200, 200)));
    EXPECT_EQ(CRect(100, 60, 110, 70), i);
    EXPECT_FALSE(i.IntersectRect(&r, CRect(200, 200, 300, 300)));
    EXPECT_TRUE(i.IsRectNull());
    CRect u;
    u.UnionRect(CRect(0, 0, 1, 1), CRect(5, 5, 6, 7));
    EXPECT_EQ(CRect(0, 0, 6, 7), u);
    EXPECT_EQ(CRect(0, 0, 6, 7), CRect(0, 0, 1, 1) | CRect(5, 5, 6, 7));
    EXPECT_EQ(CRect(5, 5, 6, 6), CRect(0, 0, 6, 6) & CRect(5, 5, 7, 7));
    EXPECT_EQ(CRect(11, 22, 111, 72), r + CPoint(1, 2));
    EXPECT_EQ(CRect(9, 18, 109, 68), r - CSize(1, 2));

    CPoint p(3, 4);
    p += CSize(1, 1);
    EXPECT_EQ(CPoint(4, 5), p);
    EXPECT_EQ(CSize(1, 2), CPoint(4, 5) - CPoint(3, 3));
    EXPECT_EQ(CPoint(-4, -5), -p);
    CPoint m(MAKELPARAM(-5 & 0xFFFF, 7));
    EXPECT_EQ(CPoint(-5, 7), m); // message coordinates are signed
    CSize s(3, 4);
    s += CSize(1, 1);
    EXPECT_EQ(CSize(4, 5), s);
    LPCRECT pr = r;
    EXPECT_EQ(10, pr->left);
    RECT raw = {1, 2, 3, 4};
    CRect fromRaw(raw);
    EXPECT_EQ(raw.right, fromRaw.right);
    EXPECT_TRUE(::EqualRect(&fromRaw, &raw));
}
