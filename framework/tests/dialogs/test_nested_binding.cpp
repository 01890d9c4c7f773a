// Windows made while another window is being made each end up bound to their own object.
#include <gtest/gtest.h>

#include "dialog_ids.h"
#include "framework/afx.h"
#include "framework/dialogs/dialog.h"
#include "framework/dialogs/propsheet.h"

namespace {
// Records the window its object had when a window of its own first reached it.
struct Seen {
    HWND hWnd = NULL;
    CWnd* pBound = NULL;
    void Note(CWnd* pSelf) {
        hWnd = pSelf->m_hWnd;
        pBound = CWnd::FromHandlePermanent(hWnd);
    }
};

class CChild : public CWnd {
public:
    BOOL Make(CWnd* pParent) {
        return CreateEx(0, NULL, L"child", WS_CHILD, CRect(0, 0, 10, 10), pParent, 7);
    }
};

class COuterWnd : public CWnd {
public:
    CChild m_inner;
    Seen m_seen;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT) {
        m_seen.Note(this);
        return m_inner.Make(this) ? 0 : -1;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(COuterWnd, CWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

void ExpectBoundToItself(CWnd& wnd, const Seen& seen) {
    ASSERT_NE((HWND)NULL, seen.hWnd);
    EXPECT_EQ(&wnd, seen.pBound);
}

TEST(NestedBinding, WindowCreatedInAnothersCreationIsItsOwn) {
    COuterWnd outer;
    ASSERT_TRUE(outer.CreateEx(0, NULL, L"outer", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL));
    ExpectBoundToItself(outer, outer.m_seen);
    EXPECT_EQ(outer.m_hWnd, outer.m_seen.hWnd);
    ASSERT_NE((HWND)NULL, outer.m_inner.m_hWnd);
    EXPECT_NE(outer.m_hWnd, outer.m_inner.m_hWnd);
    EXPECT_EQ(&outer.m_inner, CWnd::FromHandlePermanent(outer.m_inner.m_hWnd));
    EXPECT_EQ(outer.m_hWnd, ::GetParent(outer.m_inner.m_hWnd));
    outer.DestroyWindow();
}

class CEndingDialog : public CDialog {
public:
    CEndingDialog() : CDialog(IDD_MODELESS) {}
    Seen m_seen;
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_seen.Note(this);
        EndDialog(IDOK);
        return TRUE;
    }
};

class COpeningDialog : public CDialog {
public:
    COpeningDialog() : CDialog(IDD_EXCHANGE) {}
    CEndingDialog m_inner;
    Seen m_seen;
    INT_PTR m_nInnerResult = 0;
    BOOL OnInitDialog() override {
        m_seen.Note(this);
        m_nInnerResult = m_inner.DoModal();
        EXPECT_EQ(this, CWnd::FromHandlePermanent(m_hWnd)); // still ours afterwards
        EndDialog(IDCANCEL);
        return TRUE;
    }
    void DoDataExchange(CDataExchange*) override {}
};

TEST(NestedBinding, ModalDialogOpenedFromInitialisationIsItsOwn) {
    COpeningDialog outer;
    EXPECT_EQ(IDCANCEL, outer.DoModal());
    EXPECT_EQ(IDOK, outer.m_nInnerResult);
    ExpectBoundToItself(outer, outer.m_seen);
    ExpectBoundToItself(outer.m_inner, outer.m_inner.m_seen);
    EXPECT_NE(outer.m_seen.hWnd, outer.m_inner.m_seen.hWnd);
}

class CChildMakingPage : public CPropertyPage {
public:
    CChildMakingPage() : CPropertyPage(IDD_PAGE_ONE) {}
    CChild m_child;
    Seen m_seen;
    BOOL OnInitDialog() override {
        CPropertyPage::OnInitDialog();
        m_seen.Note(this);
        m_child.Make(this);
        return TRUE;
    }
    void DoDataExchange(CDataExchange*) override {}
};

TEST(NestedBinding, PropertyPageThatCreatesAChildKeepsSheetPageAndChildApart) {
    CPropertySheet sheet(L"Nested");
    CChildMakingPage page;
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create(NULL, WS_POPUP | WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(&sheet, CWnd::FromHandlePermanent(sheet.m_hWnd));
    ExpectBoundToItself(page, page.m_seen);
    ASSERT_NE((HWND)NULL, page.m_child.m_hWnd);
    EXPECT_EQ(&page.m_child, CWnd::FromHandlePermanent(page.m_child.m_hWnd));
    EXPECT_EQ(page.m_hWnd, ::GetParent(page.m_child.m_hWnd));
    EXPECT_NE(sheet.m_hWnd, page.m_hWnd);
    sheet.DestroyWindow();
}
} // namespace
