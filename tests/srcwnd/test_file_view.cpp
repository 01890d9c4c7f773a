// The file viewer's view: where GotoLine puts the caret for lines in and out of the file, the
// caret place it gets back with the focus, and the closes that take the viewer out of the host's
// list, so that the path opens a new viewer afterwards.
#include "tests/srcwnd/frames_fixture.h"
#include "tests/srcwnd/source_docs_fixture.h"

#include "windows/source/file_doc.h"
#include "windows/source/file_view.h"

#include <string>

namespace {

CFileView* ViewOf(CDocument* doc) {
    POSITION pos = doc != nullptr ? doc->GetFirstViewPosition() : NULL;
    return pos != NULL ? DYNAMIC_DOWNCAST(CFileView, doc->GetNextView(pos)) : nullptr;
}

TEST_F(SourceDocs, FileViewerGotoLineStaysInsideTheFileAndTheCaretComesBackWithTheFocus) {
    CFileView* view = ViewOf(s_viewer->OpenDocumentFile(FixturePath("sample.c"))); // 16 lines
    ASSERT_NE(view, nullptr);
    Pump();
    SECEditController* controller = view->GetEditController();
    ASSERT_NE(controller, nullptr);
    const struct {
        int line, lastLine; // 1-based
        int caret;          // 0-based
    } cases[] = {{5, -1, 4},    {16, -1, 15}, {100, -1, 15}, {10, 3, 2}, {3, 10, 2},
                 {100, 12, 11}, {0, -1, 0},   {-7, -1, 0},   {1, 1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.line) + ", " + std::to_string(c.lastLine));
        controller->SetCaretPosition(7, 3, FALSE);
        view->GotoLine(c.line, c.lastLine);
        EXPECT_EQ(c.caret, controller->GetCaretPosition().m_line);
        EXPECT_EQ(0, controller->GetCaretPosition().m_column);
        EXPECT_EQ(c.caret, view->GetSavedLine());
        EXPECT_EQ(0, view->GetSavedColumn());
    }
    view->GotoLine(9, -1);
    view->SetFocus();
    controller->SetCaretPosition(2, 5, FALSE); // the user's clicks while it has the focus
    m_main->SetFocus();
    view->SetFocus();
    Pump();
    EXPECT_EQ(8, controller->GetCaretPosition().m_line) << "the saved place, not the last one";
    EXPECT_EQ(0, controller->GetCaretPosition().m_column);
}

// A close reaches the host's close of the viewer, which closes its frame, which asks the view
// again: the view goes inside its own close and leaves its frame hidden. Run under the heap
// checks too.
class SrcWndLifetimeFileViewer : public SrcFrameTest {
protected:
    void SetUp() override {
        SrcFrameTest::SetUp();
        Start();
        ShowWindow(Frame(), SW_SHOW); // the viewers' visibility is theirs alone
    }
    int Open(const std::string& path) {
        using OpenFn = int(__cdecl*)(const char*, int, const WindowPosition*);
        return Get<OpenFn>("CreateFileViewer")(path.c_str(), 0, &m_position);
    }
    struct Search {
        std::wstring path;
        std::vector<HWND> found;
    };
    static BOOL CALLBACK CollectViewer(HWND window, LPARAM lParam) {
        auto* s = reinterpret_cast<Search*>(lParam);
        wchar_t title[MAX_PATH + 32] = {};
        GetWindowTextW(window, title, MAX_PATH + 32);
        if (IsWindowVisible(window) && std::wstring(title).find(L"View File: " + s->path) == 0)
            s->found.push_back(window);
        return TRUE;
    }
    // The viewer frames on the screen whose title names the path.
    std::vector<HWND> Viewers(const std::string& path) {
        Search search{std::wstring(path.begin(), path.end()), {}};
        EnumChildWindows(Frame(), &CollectViewer, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
};

TEST_F(SrcWndLifetimeFileViewer, AClosedViewerLeavesTheListAndItsPathOpensANewOne) {
    const std::string path = WriteFile("notes.txt", "one\r\ntwo\r\nthree\r\n");
    const struct {
        const char* how;
        bool fromView; // WM_CLOSE to the view (through the host's close), else to the frame
    } cases[] = {{"the view's close", true}, {"the frame's own close", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        ASSERT_EQ(1, Open(path));
        PumpAll();
        const std::vector<HWND> opened = Viewers(path);
        ASSERT_EQ(1u, opened.size());
        ASSERT_EQ(1, Open(path)) << "a second call raises the same viewer";
        EXPECT_EQ(opened, Viewers(path));
        HWND frame = opened[0];
        HWND view = GetDlgItem(frame, AFX_IDW_PANE_FIRST);
        ASSERT_NE(nullptr, view);
        SendMessageW(c.fromView ? view : frame, WM_CLOSE, 0, 0);
        PumpAll();
        EXPECT_FALSE(IsWindow(view)) << "the view goes";
        EXPECT_FALSE(IsWindowVisible(frame)) << "and its frame is hidden";
        EXPECT_TRUE(Viewers(path).empty());
        ASSERT_EQ(1, Open(path));
        PumpAll();
        const std::vector<HWND> again = Viewers(path);
        ASSERT_EQ(1u, again.size()) << "a new viewer for the path";
        EXPECT_NE(frame, again[0]);
        SendMessageW(again[0], WM_CLOSE, 0, 0);
        PumpAll();
        ASSERT_TRUE(Viewers(path).empty());
    }
}

} // namespace
