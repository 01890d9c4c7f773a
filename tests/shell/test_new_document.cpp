// A document the template opened only halfway (no view, or a view outside any frame) is closed
// again; a whole one gives its frame.
#include <gtest/gtest.h>

#include "shell/frame/new_document.h"

namespace {

bool g_docGone = false;
class CCountedDoc : public CDocument {
public:
    CCountedDoc() { g_docGone = false; }
    ~CCountedDoc() override { g_docGone = true; }
};
class CPlainView : public CView {
protected:
    void OnDraw(CDC*) override {}
};

// A view window inside pParent, listed by the document.
CView* AddView(CDocument* pDoc, CWnd* pParent) {
    auto* pView = new CPlainView; // its window owns it
    EXPECT_TRUE(pView->Create(NULL, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), pParent,
                              AFX_IDW_PANE_FIRST, nullptr));
    pDoc->AddView(pView);
    return pView;
}

TEST(NewDocument, AHalfOpenedDocumentIsClosed) {
    EXPECT_EQ(nullptr, FrameOfNewDocument(nullptr));
    // No view at all.
    auto* pDoc = new CCountedDoc;
    EXPECT_EQ(nullptr, FrameOfNewDocument(pDoc));
    EXPECT_TRUE(g_docGone);
    // A view whose parent is no frame.
    CWnd holder;
    ASSERT_TRUE(holder.CreateEx(0, AfxRegisterWndClass(0), L"Holder", WS_POPUP, CRect(0, 0, 80, 80),
                                nullptr, 0));
    pDoc = new CCountedDoc;
    HWND hView = AddView(pDoc, &holder)->GetSafeHwnd();
    EXPECT_EQ(nullptr, FrameOfNewDocument(pDoc));
    EXPECT_TRUE(g_docGone);
    EXPECT_FALSE(::IsWindow(hView));
    holder.DestroyWindow();
}

TEST(NewDocument, AWholeDocumentGivesItsFrame) {
    auto* pFrame = new CFrameWnd; // its window owns it
    ASSERT_TRUE(pFrame->Create(NULL, L"Frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 150)));
    auto* pDoc = new CCountedDoc;
    AddView(pDoc, pFrame);
    EXPECT_EQ(pFrame, FrameOfNewDocument(pDoc));
    EXPECT_FALSE(g_docGone);
    pDoc->OnCloseDocument(); // takes the frame along
    EXPECT_TRUE(g_docGone);
}

} // namespace
