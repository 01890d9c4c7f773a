// Host-window frames keep their content window over their client area, pass moves and focus on
// to it and leave closing to it; a host window that changes form keeps its id, its content, its
// icon and its drop registration, and closes from either form without asking itself again.
#include "tests/shell/bound_host.h"

#include <ole2.h>

#include <algorithm>

#include "shell/app/tarvikapp.h"
#include "shell/frame/mainframe.h"
#include "tests/shell/bare_main_frame.h"
#include "tests/support/message_pump.h"
#include "windows/common/families.h"
#include "windows/common/file_viewer_list.h"

namespace {

// The host's own window inside a view: it notes what reaches it.
struct HostChildLog {
    std::vector<UINT> messages;
    std::vector<std::pair<WPARAM, LPARAM>> closes, moves;
};
HostChildLog* g_log = nullptr;

LRESULT CALLBACK HostChildProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (g_log != nullptr) {
        if (message == WM_CLOSE)
            g_log->closes.emplace_back(wParam, lParam);
        if (message == WM_MOVE)
            g_log->moves.emplace_back(wParam, lParam);
    }
    if (message == WM_CLOSE)
        return 0; // the host decides, later
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

HWND CreateHostChild(HWND hParent) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &HostChildProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MoxTestHostChild";
        registered = ::RegisterClassW(&wc) != 0;
    }
    return ::CreateWindowExW(0, L"MoxTestHostChild", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50,
                             hParent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

// Sizes the content window was given, in order.
std::vector<SIZE> g_sizes;
WNDPROC g_viewProc = nullptr;
LRESULT CALLBACK RecordSizes(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE)
        g_sizes.push_back(SIZE{LOWORD(lParam), HIWORD(lParam)});
    return ::CallWindowProcW(g_viewProc, hWnd, message, wParam, lParam);
}

// A docked host frame that cannot be made.
class CFailingDockedHostFrame : public CDocWndFrm {
    DECLARE_DYNCREATE(CFailingDockedHostFrame)
protected:
    afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CFailingDockedHostFrame, CDocWndFrm)
BEGIN_MESSAGE_MAP(CFailingDockedHostFrame, CDocWndFrm)
ON_WM_CREATE()
END_MESSAGE_MAP()

class HostFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        BindTestHost(HostVersion(3, 13));
        ImportDragDropService();
        m_pMain = new CBareMainFrame; // its window owns it
        ASSERT_TRUE(
            m_pMain->Create(NULL, L"Host frames", WS_OVERLAPPEDWINDOW, CRect(30, 30, 900, 700)));
        m_pMain->ShowWindow(SW_SHOWNORMAL);
        TarvikApp()->m_pMainWnd = m_pMain;
        m_template = std::make_unique<CMultiDoc>(1008, RUNTIME_CLASS(CDoc), RUNTIME_CLASS(CWndFrm),
                                                 RUNTIME_CLASS(CDocView));
        m_template->m_pDockingFrameClass = RUNTIME_CLASS(CDocWndFrm);
        g_log = &m_log;
    }
    void TearDown() override {
        g_log = nullptr;
        m_template.reset();
        TarvikApp()->m_pMainWnd = nullptr;
        if (::IsWindow(m_pMain->GetSafeHwnd()))
            m_pMain->DestroyWindow();
        PumpMessages();
        ::OleUninitialize();
    }
    // A host window as the main frame opens one: listed, with an id, the host's child in it.
    CFrameWnd* Open() {
        CDocument* pDoc = m_template->OpenDocumentFile(nullptr, TRUE);
        POSITION pos = pDoc ? pDoc->GetFirstViewPosition() : nullptr;
        CView* pView = pos ? pDoc->GetNextView(pos) : nullptr;
        CFrameWnd* pFrame = pView ? pView->GetParentFrame() : nullptr;
        EXPECT_NE(nullptr, pFrame);
        if (pFrame == nullptr)
            return nullptr;
        m_view = pView->m_hWnd;
        m_child = CreateHostChild(m_view);
        WindowIdList().Add(pFrame->m_hWnd);
        m_id = m_pMain->RegisterWindowHandle(pFrame->m_hWnd);
        PumpMessages();
        return pFrame;
    }
    static CFrameWnd* FrameOf(HWND hView) {
        return static_cast<CView*>(CWnd::FromHandlePermanent(hView))->GetParentFrame();
    }
    static bool Listed(HWND hWnd) { return WindowIdList().Contains(hWnd); }

    CBareMainFrame* m_pMain = nullptr;
    std::unique_ptr<CMultiDoc> m_template;
    HostChildLog m_log;
    HWND m_view = nullptr, m_child = nullptr;
    int m_id = -1;
};

TEST_F(HostFrameTest, TheFrameLaysItsContentOverItsClientAreaAndLeavesClosingToIt) {
    CFrameWnd* pFrame = Open();
    ASSERT_NE(nullptr, pFrame);
    auto* pWndFrm = static_cast<CWndFrm*>(pFrame);
    EXPECT_EQ(m_view, pWndFrm->ContentWindow());
    pFrame->SetWindowPos(nullptr, -20, 35, 320, 240, SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();
    CRect client, content;
    pFrame->GetClientRect(&client);
    ::GetWindowRect(m_view, &content);
    EXPECT_EQ(client.Size(), content.Size());
    // The move reaches the host's child with the frame's client origin, negative x included.
    POINT origin{0, 0};
    ::MapWindowPoints(pFrame->m_hWnd, ::GetParent(pFrame->m_hWnd), &origin, 1);
    ASSERT_LT(origin.x, 0);
    // The view hands it on in the first parameter.
    EXPECT_NE(m_log.moves.end(),
              std::find_if(m_log.moves.begin(), m_log.moves.end(), [&](const auto& move) {
                  return static_cast<short>(LOWORD(move.first)) == origin.x &&
                         static_cast<short>(HIWORD(move.first)) == origin.y && move.second == 0;
              }));
    EXPECT_EQ(1, pFrame->SendMessage(WM_ERASEBKGND, 0, 0));
    // Closing asks the content (wParam 1), which asks the host's child; the frame stays.
    pFrame->SendMessage(WM_CLOSE);
    PumpMessages();
    EXPECT_TRUE(::IsWindow(pFrame->m_hWnd));
    EXPECT_EQ(1u, m_log.closes.size());
    // The host replaces its child: the next close reaches the new one.
    ::DestroyWindow(m_child);
    m_child = CreateHostChild(m_view);
    pFrame->SendMessage(WM_CLOSE);
    EXPECT_EQ(2u, m_log.closes.size());
}

TEST_F(HostFrameTest, AWindowThatChangesFormKeepsItsIdContentIconAndRegistration) {
    CFrameWnd* pFrame = Open();
    ASSERT_NE(nullptr, pFrame);
    auto* pView = static_cast<CDocView*>(CWnd::FromHandlePermanent(m_view));
    ASSERT_EQ(1, pView->InitDropTarget("HostWnd", static_cast<int>((intptr_t)m_child)));
    HICON icon = ::LoadIcon(nullptr, IDI_WARNING);
    m_pMain->SetWndIcon((intptr_t)m_child, FALSE, ICON_SMALL, icon);
    g_viewProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(m_view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordSizes)));
    CallLog::Get().Clear();
    for (bool bDock : {true, false, true, false}) {
        SCOPED_TRACE(bDock ? "docked" : "MDI");
        const HWND hOld = pFrame->m_hWnd;
        g_sizes.clear();
        CFrameWnd* pNew =
            bDock ? m_template->DockMDIChild(pFrame) : m_template->UndockToMDIChild(pFrame);
        ASSERT_NE(nullptr, pNew);
        EXPECT_EQ(bDock, pNew->IsKindOf(RUNTIME_CLASS(CDocWndFrm)) != FALSE);
        EXPECT_EQ(pNew->m_hWnd, m_pMain->GetWindowHandle(m_id));
        EXPECT_FALSE(Listed(hOld));
        EXPECT_TRUE(Listed(pNew->m_hWnd));
        EXPECT_EQ(pNew, FrameOf(m_view));
        EXPECT_EQ(m_view, ::GetParent(m_child));
        EXPECT_EQ((LRESULT)icon, pNew->SendMessage(WM_GETICON, ICON_SMALL, 0));
        // The placement went on twice: one pixel larger, then exactly.
        bool twice = false;
        for (size_t i = 1; i < g_sizes.size(); ++i)
            twice = twice || (g_sizes[i - 1].cx == g_sizes[i].cx + 1 &&
                              g_sizes[i - 1].cy == g_sizes[i].cy + 1);
        ASSERT_GE(g_sizes.size(), 2u);
        EXPECT_TRUE(twice);
        CRect view;
        ::GetClientRect(m_view, &view);
        EXPECT_EQ(view.Width(), g_sizes.back().cx);
        EXPECT_EQ(view.Height(), g_sizes.back().cy);
        PumpMessages();
        pFrame = pNew;
    }
    // The view kept its registration all along: nothing was withdrawn or announced again.
    for (const std::string& line : CallLines())
        EXPECT_EQ(std::string::npos, line.find("DropTarget")) << line;
    ::SetWindowLongPtrW(m_view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_viewProc));
}

// Closing for the host destroys the frame directly, in either form, by id or by the content
// window's handle: the content is never asked again (that would bring the host back here).
TEST_F(HostFrameTest, ClosingForTheHostNeverAsksTheContentAgain) {
    for (bool bDocked : {false, true})
        for (bool bById : {false, true}) {
            SCOPED_TRACE(std::string(bDocked ? "docked" : "MDI") + (bById ? " by id" : ""));
            CFrameWnd* pFrame = Open();
            ASSERT_NE(nullptr, pFrame);
            if (bDocked)
                pFrame = m_template->DockMDIChild(pFrame);
            ASSERT_NE(nullptr, pFrame);
            PumpMessages();
            const HWND hFrame = pFrame->m_hWnd;
            m_log.closes.clear();
            CallLog::Get().Clear();
            EXPECT_EQ(1, m_pMain->CloseMDIWindow(bById ? m_id : (intptr_t)m_child, bById));
            PumpMessages();
            EXPECT_FALSE(::IsWindow(hFrame));
            EXPECT_FALSE(::IsWindow(m_child));
            EXPECT_TRUE(m_log.closes.empty());
            EXPECT_FALSE(Listed(hFrame));
            EXPECT_EQ(bById ? NULL : hFrame, m_pMain->GetWindowHandle(m_id));
            m_pMain->FreeWindowId(m_id);
        }
    // Nothing there, or no window's frame: 1 all the same, and nothing closes.
    EXPECT_EQ(1, m_pMain->CloseMDIWindow(9999, TRUE));
    CWnd bar;
    ASSERT_TRUE(bar.Create(nullptr, L"", WS_CHILD, CRect(0, 0, 10, 10), m_pMain, 5));
    EXPECT_EQ(1, m_pMain->CloseMDIWindow((intptr_t)bar.m_hWnd, FALSE));
    EXPECT_EQ(1, m_pMain->CloseMDIWindow((intptr_t)m_pMain->m_hWnd, FALSE));
    EXPECT_TRUE(::IsWindow(bar.m_hWnd));
    EXPECT_TRUE(::IsWindow(m_pMain->m_hWnd));
}

// The host's drag callback: it fills a record for the rows it lets go.
int g_dragRows = 0;
int __cdecl DragCallback(intptr_t context, int row, void** record, int user) {
    ++g_dragRows;
    static int theRecord;
    *record = row == 2 && context == 42 && user == -1 ? &theRecord : nullptr;
    return *record != nullptr;
}

TEST_F(HostFrameTest, AClickStartsADragOnlyForASelectedRowTheHostLetsGo) {
    ASSERT_NE(nullptr, Open());
    auto* pView = static_cast<CDocView*>(CWnd::FromHandlePermanent(m_view));
    HWND list = ::CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE, 0, 0, 80, 80, m_view,
                                  nullptr, nullptr, nullptr);
    for (const wchar_t* row : {L"EAX", L"EBX", L"ECX"})
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
    const int id = static_cast<int>((intptr_t)list);
    EXPECT_EQ(0, pView->InitDragSource("SysRegWnd", id, 0, &DragCallback)); // no context
    EXPECT_EQ(0, pView->InitDragSource(nullptr, id, 42, &DragCallback));
    ASSERT_EQ(1, pView->InitDragSource("SysRegWnd", id, 42, &DragCallback));
    g_dragRows = 0;
    CallLog::Get().Clear();
    const int rows[] = {-1, 0, 2}; // none selected, a row the host refuses, one it lets go
    for (int row : rows) {
        ::SendMessageW(list, LB_SETCURSEL, row, 0);
        pView->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
        pView->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
    }
    EXPECT_EQ(2, g_dragRows);
    const std::string name = "\"SysRegWnd\"";
    EXPECT_EQ((std::vector<std::string>{"DD.StartDrag(" + name + ", " + std::to_string(id) + ", " +
                                        name + ")"}),
              CallLines());
    // Going, the view withdraws the drag source it announced (and no drop target: none was).
    CallLog::Get().Clear();
    m_pMain->CloseMDIWindow((intptr_t)m_child, FALSE);
    PumpMessages();
    EXPECT_EQ((std::vector<std::string>{"DD.UnregisterDragSource(" + name + ", " +
                                        std::to_string(id) + ")"}),
              CallLines());
}

TEST_F(HostFrameTest, AViewWithoutItsHostsChildForwardsNothing) {
    CFrameWnd* pFrame = Open();
    ASSERT_NE(nullptr, pFrame);
    ::DestroyWindow(m_child);
    pFrame->SetWindowPos(nullptr, 5, 5, 260, 190, SWP_NOZORDER | SWP_NOACTIVATE);
    pFrame->SendMessage(WM_CLOSE);
    ::SendMessageW(m_view, WM_SETFOCUS, 0, 0);
    ::SendMessageW(m_view, WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_TRUE(::IsWindow(pFrame->m_hWnd));
    EXPECT_TRUE(::IsWindow(m_view));
    EXPECT_EQ(NULL, ::GetWindow(m_view, GW_CHILD));
    EXPECT_TRUE(m_log.closes.empty());
}

TEST_F(HostFrameTest, AFileViewerClosesByItsExactName) {
    CFrameWnd* pFrame = Open();
    ASSERT_NE(nullptr, pFrame);
    FileViewerList().Add(L"C:/src/main.c", pFrame->m_hWnd);
    m_pMain->CloseFileViewer(L"C:/src/Main.c"); // another name: nothing
    EXPECT_TRUE(m_log.closes.empty());
    m_pMain->CloseFileViewer(L"C:/src/main.c");
    ASSERT_EQ(1u, m_log.closes.size()); // asked through its frame and view
    EXPECT_EQ(NULL, FileViewerList().Find(L"C:/src/main.c"));
    m_pMain->CloseFileViewer(L"C:/src/main.c"); // gone from the list: asked no more
    EXPECT_EQ(1u, m_log.closes.size());
}

TEST_F(HostFrameTest, AFailedConversionOfAHostWindowLeavesItAsItWas) {
    CFrameWnd* pFrame = Open();
    ASSERT_NE(nullptr, pFrame);
    auto* pView = static_cast<CDocView*>(CWnd::FromHandlePermanent(m_view));
    ASSERT_EQ(1, pView->InitDropTarget("HostWnd", 12));
    m_template->m_pDockingFrameClass = RUNTIME_CLASS(CFailingDockedHostFrame);
    const HWND hFrame = pFrame->m_hWnd;
    CallLog::Get().Clear();
    EXPECT_EQ(nullptr, m_template->DockMDIChild(pFrame));
    PumpMessages();
    ASSERT_TRUE(::IsWindow(hFrame));
    EXPECT_TRUE(Listed(hFrame));
    EXPECT_EQ(hFrame, m_pMain->GetWindowHandle(m_id));
    EXPECT_EQ(m_view, ::GetParent(m_child));
    EXPECT_EQ(hFrame, ::GetParent(m_view));
    EXPECT_TRUE(CallLines().empty()); // the registration stands
}

} // namespace
