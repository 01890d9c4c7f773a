// Every boundary stops every kind of exception with its own policy, and frees what it caught.
#include <gtest/gtest.h>

#include "framework/afx.h"
#include "framework/core/guard.h"
#include "test_support.h"

#include <functional>
#include <new>
#include <stdexcept>

namespace {
int g_nExceptionsFreed = 0;

class CCountedException : public CException {
public:
    ~CCountedException() override { ++g_nExceptionsFreed; }
};

enum Thrown { framework, memory, frameworkMemory, standard, unknown };

[[noreturn]] void Throw(Thrown kind) {
    switch (kind) {
    case framework:
        throw new CCountedException;
    case memory:
        throw std::bad_alloc();
    case frameworkMemory:
        AfxThrowMemoryException();
    case standard:
        throw std::runtime_error("broken");
    default:
        throw 42;
    }
}

const UINT WM_THROW = WM_APP + 1;

class CThrowingWnd : public CWnd {
public:
    Thrown m_kind = unknown;
    bool m_bThrowOnCreate = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_THROW || (message == WM_CREATE && m_bThrowOnCreate))
            Throw(m_kind);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// What leaves an archive reader: the exception as it was, a CMemoryException, or a
// CArchiveException.
enum Read { asThrown, asMemory, asArchive };

struct Case {
    Thrown kind;
    HRESULT com; // what a COM method answers
    Read read;
};

class Guard : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override { g_nExceptionsFreed = 0; }
    int Freed() const { return GetParam().kind == framework ? 1 : 0; }
};

TEST_P(Guard, WindowProcedureAnswersTheDefaultAndRefusesCreation) {
    CThrowingWnd wnd;
    wnd.m_kind = GetParam().kind;
    ASSERT_TRUE(CreateTopLevel(wnd));
    EXPECT_EQ(0, wnd.SendMessage(WM_THROW, 1, 2));
    EXPECT_EQ(Freed(), g_nExceptionsFreed);
    wnd.DestroyWindow();

    CThrowingWnd refused;
    refused.m_kind = GetParam().kind;
    refused.m_bThrowOnCreate = true;
    EXPECT_FALSE(CreateTopLevel(refused));
    EXPECT_EQ(NULL, refused.m_hWnd);
}

TEST_P(Guard, LibraryEntryAnswersItsFailureValue) {
    EXPECT_EQ(FALSE, AfxGuardLibraryEntry(L"test entry", FALSE,
                                          [&]() -> BOOL { Throw(GetParam().kind); }));
    EXPECT_EQ(Freed(), g_nExceptionsFreed);
    EXPECT_EQ(7, AfxGuardLibraryEntry(L"test entry", -1, [] { return 7; }));
}

TEST_P(Guard, ComEntryAnswersOutOfMemoryOrUnexpected) {
    EXPECT_EQ(GetParam().com, AfxGuardComEntry([&]() -> HRESULT { Throw(GetParam().kind); }));
    EXPECT_EQ(Freed(), g_nExceptionsFreed);
    EXPECT_EQ(S_FALSE, AfxGuardComEntry([] { return S_FALSE; }));
}

TEST_P(Guard, ArchiveReaderHandsOnFrameworkExceptionsOnly) {
    CException* pCaught = NULL;
    try {
        AfxGuardArchiveRead(L"data.bin", [&] { Throw(GetParam().kind); });
    } catch (CException* e) {
        pCaught = e;
    }
    ASSERT_NE(nullptr, pCaught);
    switch (GetParam().read) {
    case asThrown:
        EXPECT_NE(nullptr, dynamic_cast<CCountedException*>(pCaught));
        break;
    case asMemory:
        EXPECT_TRUE(pCaught->IsKindOf(RUNTIME_CLASS(CMemoryException)));
        break;
    case asArchive: {
        auto* pArchive = DYNAMIC_DOWNCAST(CArchiveException, pCaught);
        ASSERT_NE(nullptr, pArchive);
        EXPECT_EQ(CArchiveException::genericException, pArchive->m_cause);
        EXPECT_EQ(CString(L"data.bin"), pArchive->m_strFileName);
    }
    }
    pCaught->Delete();
    EXPECT_EQ(Freed(), g_nExceptionsFreed);
}

INSTANTIATE_TEST_SUITE_P(EachKind, Guard,
                         ::testing::Values(Case{framework, E_UNEXPECTED, asThrown},
                                           Case{frameworkMemory, E_OUTOFMEMORY, asMemory},
                                           Case{memory, E_OUTOFMEMORY, asMemory},
                                           Case{standard, E_UNEXPECTED, asArchive},
                                           Case{unknown, E_UNEXPECTED, asArchive}));
} // namespace
