// Source windows opened, updated and closed by the host through the exports: the panes their
// column options give, the close request, the column change and the change of form.
#include "tests/srcwnd/frames_fixture.h"

#include "host/lib/host_state.h"

#include <ole2.h>

#include <functional>

namespace {
struct SeenRequest {
    uint32_t code = 0, flags = 0;
    uint64_t slot1 = 0, slot4 = 0;
    std::string text;
    int count = 0;
};
SeenRequest g_seen;
std::function<void()> g_onRequest;

int __cdecl RecordChain(int, HostRequest* r, int*, int, int) {
    ++g_seen.count;
    g_seen.code = r->code;
    g_seen.flags = r->flags;
    g_seen.slot1 = r->param[1];
    g_seen.slot4 = r->param[4];
    g_seen.text = r->Text(0) ? r->Text(0) : "";
    if (g_onRequest)
        g_onRequest();
    return 1;
}

// Fails the creation of the n-th pane of a new row in one frame (0: none).
HWND g_failFrame = nullptr;
int g_failPane = 0;

LRESULT CALLBACK FailPane(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && g_failPane > 0) {
        HWND parent = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->hwndParent;
        if (parent != nullptr && GetParent(parent) == g_failFrame &&
            GetDlgCtrlID(parent) == 0xE900 && --g_failPane == 0)
            return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int32_t __cdecl DocumentKey(int context) {
    return -context; // negative: the slot must hold it sign-extended
}

class SrcWndFrames : public SrcFrameTest {
protected:
    void SetUp() override {
        SrcFrameTest::SetUp();
        Start();
        g_seen = SeenRequest();
        g_onRequest = nullptr;
        HostState::Get().commands.Word(3) = reinterpret_cast<void*>(&RecordChain);
        HostState::Get().commands.Word(44) = reinterpret_cast<void*>(&DocumentKey);
    }
    void TearDown() override {
        g_onRequest = nullptr;
        SrcFrameTest::TearDown();
    }
    std::vector<std::wstring> Captions(HWND frame) {
        std::vector<std::wstring> captions;
        for (HWND pane : Panes(frame))
            captions.push_back(PaneCaption(pane));
        return captions;
    }
};
} // namespace

TEST_F(SrcWndFrames, TheColumnOptionsGiveThePanesFromTheLeft) {
    const std::string path = CFile();
    const struct {
        int flags;
        std::vector<std::wstring> captions;
    } cases[] = {
        {0, {L"Line", L"Source"}},      // no column bits given: line numbers only
        {1, {L"Source"}},               // given, none chosen
        {3, {L"Line", L"Source"}},      //
        {5, {L"", L"Source"}},          // coverage, no line numbers
        {6, {L"Line", L"Source"}},      // bits without 0x1 count as 3
        {7, {L"", L"Line", L"Source"}}, // coverage, line numbers, source
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        const std::string file = WriteFile("file" + std::to_string(c.flags) + ".c", "int x;\r\n");
        const int id = Create(file, c.flags);
        ASSERT_GT(id, 0);
        HWND frame = FrameOf(id);
        ASSERT_NE(nullptr, frame);
        Show(frame);
        EXPECT_EQ(c.captions, Captions(frame));
        // The columns are 60 pixels wide; the source pane takes the rest.
        const std::vector<HWND> panes = Panes(frame);
        for (size_t i = 0; i + 1 < panes.size(); ++i) {
            RECT r{};
            GetWindowRect(panes[i], &r);
            EXPECT_EQ(60, r.right - r.left) << "column " << i;
        }
        RECT source{};
        GetWindowRect(panes.back(), &source);
        EXPECT_GT(source.right - source.left, 300);
        PostMessageW(frame, WM_CLOSE, 0, 0);
        PumpAll();
    }
    (void)path;
}

TEST_F(SrcWndFrames, ANarrowFrameLeavesTheSourcePaneAtLeastOnePixelWide) {
    const int id = Create(CFile(), 7);
    HWND frame = FrameOf(id);
    ASSERT_NE(nullptr, frame);
    Show(frame, 100, 200);
    const std::vector<HWND> panes = Panes(frame);
    ASSERT_EQ(3u, panes.size());
    RECT r{};
    GetWindowRect(panes[2], &r);
    EXPECT_GE(r.right - r.left, 0);
    EXPECT_TRUE(IsWindow(PaneBody(panes[2])));
}

TEST_F(SrcWndFrames, TheUsersCloseClosesLocallyOrAsksTheHost) {
    const struct {
        const char* what;
        const char* name;
        int tag;
        bool docked;
        bool asksHost;
        uint32_t flags;
    } cases[] = {
        {"no module name", "", 5, false, false, 0},
        {"MDI, tag 0", "main", 0, false, false, 0},
        {"MDI, tag 7", "main", 7, false, true, 0xA00},
        {"docked, tag 0", "main", 0, true, true, 0x800},
        {"docked, tag 7", "main", 7, true, true, 0x800},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        g_seen = SeenRequest();
        if (c.docked)
            HostState::Get().placements[&m_position] = {0x41 | 0x80, 0, 0, 200, 150};
        else
            HostState::Get().placements.erase(&m_position);
        const int id = Create(CFile(), 3, -1, c.name);
        ASSERT_GT(id, 0);
        // The tag is kept when the update shows a line.
        Update(id, CFile(), 2, 3, c.tag, c.name);
        HWND frame = FrameOf(id);
        ASSERT_NE(nullptr, frame);
        SendMessageW(frame, WM_CLOSE, 0, 0);
        PumpAll();
        EXPECT_EQ(c.asksHost, IsWindow(frame) != FALSE);
        EXPECT_EQ(c.asksHost ? 1 : 0, g_seen.count);
        if (c.asksHost) {
            EXPECT_EQ(5u, g_seen.code);
            EXPECT_EQ(c.flags, g_seen.flags);
            EXPECT_EQ(c.flags & 0x200 ? static_cast<uint64_t>(int64_t(-c.tag)) : 0u, g_seen.slot1);
            EXPECT_EQ(4u, g_seen.slot4);
            EXPECT_EQ(std::string(c.name), g_seen.text);
            // The host closes it.
            using CloseFn = int(__cdecl*)(intptr_t, int);
            EXPECT_EQ(1, Get<CloseFn>("CloseMDIWindow")(id, 1));
            PumpAll();
            EXPECT_FALSE(IsWindow(frame));
        }
    }
}

TEST_F(SrcWndFrames, AColumnChangeRebuildsThePanesOverTheSameDocument) {
    const std::string path = CFile();
    const int id = Create(path, 3);
    HWND frame = FrameOf(id);
    ASSERT_NE(nullptr, frame);
    Show(frame);
    ASSERT_EQ(id, Update(id, path, 4, 3, 1));
    const struct {
        int flags;
        std::vector<std::wstring> captions;
    } steps[] = {{7, {L"", L"Line", L"Source"}},
                 {5, {L"", L"Source"}},
                 {3, {L"Line", L"Source"}},
                 {1, {L"Source"}},
                 {7, {L"", L"Line", L"Source"}}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.flags);
        EXPECT_EQ(id, Update(id, path, 5, s.flags, 1));
        EXPECT_EQ(frame, FrameOf(id));
        EXPECT_EQ(s.captions, Captions(frame));
        // One source view in the frame: the old row went with its views.
        int views = 0;
        for (HWND pane : Panes(frame))
            views += PaneCaption(pane) == L"Source" ? 1 : 0;
        EXPECT_EQ(1, views);
    }
    // With neither name nor path a change only lays the row out again.
    EXPECT_EQ(reinterpret_cast<intptr_t>(frame), Update(id, "", 0, 3, 1, ""));
}

TEST_F(SrcWndFrames, AWindowThatChangesFormKeepsItsIdColumnsAndFile) {
    const std::string path = CFile();
    const int id = Create(path, 7);
    ASSERT_GT(id, 0);
    ASSERT_EQ(id, Update(id, path, 6, 7, 3));
    using PosFn = void(__cdecl*)(intptr_t, int, const WindowPosition*);
    const struct {
        const char* name;
        HostPlacement placement;
        bool newFrame; // floating keeps the docked frame in a floating bar
    } forms[] = {{"docked left", {0x41 | 0x80, 0, 0, 300, 200}, true},
                 {"floating", {0x21, 300, 200, 400, 260}, false},
                 {"MDI", {0x11, 20, 30, 500, 300}, true},
                 {"docked again", {0x41 | 0x80, 0, 0, 300, 200}, true}};
    HWND previous = FrameOf(id);
    for (const auto& form : forms) {
        SCOPED_TRACE(form.name);
        HostState::Get().placements[&m_position] = form.placement;
        Get<PosFn>("UpdateWndPos")(id, 1, &m_position);
        PumpAll();
        HWND frame = FrameOf(id);
        ASSERT_NE(nullptr, frame);
        EXPECT_EQ(form.newFrame, previous != frame);
        previous = frame;
        EXPECT_EQ(std::vector<std::wstring>({L"", L"Line", L"Source"}), Captions(frame));
        // The same tag: no reload, the same id back.
        EXPECT_EQ(id, Update(id, path, 7, 7, 3));
    }
}

// Drags over the line-number column reach the host's service as drags over the source window's
// line, and drags over the text as drags over the source window.
TEST_F(SrcWndFrames, DragsOverTheColumnAndTheTextNameTheirPartToTheHost) {
    const std::string path = CFile();
    const int id = Create(path, 3);
    ASSERT_GT(id, 0);
    HWND frame = FrameOf(id);
    Show(frame);
    const std::vector<HWND> panes = Panes(frame);
    ASSERT_EQ(2u, panes.size());
    IDataObject* data = nullptr; // any data: the service decides from the drag's properties
    ASSERT_EQ(S_OK, OleGetClipboard(&data));
    const struct {
        HWND window;
        const char* target; // each half by its own window id: the column 1, the text 2
    } parts[] = {{PaneBody(panes[0]), "\"SrcWnd\", 1, \"SrcWndLine\""},
                 {PaneBody(panes[1]), "\"SrcWnd\", 2, \"SrcWnd\", 1)"}};
    for (const auto& part : parts) {
        SCOPED_TRACE(part.target);
        auto* target = static_cast<IDropTarget*>(GetPropW(part.window, L"OleDropTargetInterface"));
        ASSERT_NE(nullptr, target);
        CallLog::Get().Clear();
        RECT r{};
        GetWindowRect(part.window, &r);
        const POINTL point{r.left + 20, r.top + 10};
        DWORD effect = DROPEFFECT_COPY;
        target->DragEnter(data, MK_LBUTTON, point, &effect);
        target->DragOver(MK_LBUTTON, point, &effect);
        target->DragLeave();
        const std::vector<std::string> events = Lines("DD.");
        ASSERT_EQ(3u, events.size());
        EXPECT_EQ(0u, events[0].find("DD.DragEnter(\"SrcWnd\", "));
        EXPECT_NE(std::string::npos, events[0].find(part.target));
        EXPECT_EQ(0u, events[1].find("DD.DragOver(\"SrcWnd\", "));
        EXPECT_NE(std::string::npos, events[1].find(part.target));
        EXPECT_EQ(0u, events[2].find("DD.DragLeave(\"SrcWnd\", "));
    }
    data->Release();
}

// A window without source: the host opens it with no file, fills it later, and empties it
// again; the window keeps its id and panes throughout, and a lookup by path never finds it
// while it shows no source.
TEST_F(SrcWndFrames, AWindowWithoutSourceShowsNoneUntilTheHostNamesAFile) {
    using BlockFn = char*(__cdecl*)(int, int, int, int, int);
    const auto firstLine = [&](int id) {
        char* block = Get<BlockFn>("RequestSourceBlock")(id, 0, 0, 1, 1);
        const std::string text = block != nullptr ? block : "";
        if (block != nullptr)
            HeapFree(GetProcessHeap(), 0, block);
        return text;
    };
    const auto saysNoSource = [&](HWND frame) {
        wchar_t text[MAX_PATH] = {};
        GetWindowTextW(frame, text, MAX_PATH);
        return std::wstring(text).find(L"no source available") != std::wstring::npos;
    };
    const std::string path = CFile();
    const int id = Create("", 0x203);
    ASSERT_GT(id, 0);
    HWND frame = FrameOf(id);
    ASSERT_TRUE(IsWindow(frame));
    EXPECT_TRUE(saysNoSource(frame));
    EXPECT_EQ(std::vector<std::wstring>({L"Line", L"Source"}), Captions(frame));
    EXPECT_EQ("", firstLine(id));

    EXPECT_EQ(id, Update(id, path, 2, 3, 5));
    EXPECT_EQ(frame, FrameOf(id));
    EXPECT_EQ("#include <stdio.h>\r\n", firstLine(id));
    EXPECT_FALSE(saysNoSource(frame));

    EXPECT_EQ(id, Update(id, "", 0, 0x203, 6));
    EXPECT_EQ("", firstLine(id));
    EXPECT_TRUE(saysNoSource(frame));
    // The file is not open anywhere now: the host's next window for it reads it.
    const int other = Create(path, 3);
    ASSERT_GT(other, 0);
    EXPECT_NE(frame, FrameOf(other));
    EXPECT_EQ("#include <stdio.h>\r\n", firstLine(other));

    // An id that names no window opens a window without source: the result is its frame.
    const intptr_t opened = Update(999, "", 0, 0x203, 1);
    EXPECT_TRUE(IsWindow(reinterpret_cast<HWND>(opened)));
    EXPECT_NE(reinterpret_cast<intptr_t>(frame), opened);
}

// A column change whose new row cannot be built leaves the window as it was: its panes, its
// file, and one document that lookups by path find.
TEST_F(SrcWndFrames, AColumnChangeThatFailsHalfWayLeavesTheWindowAsItWas) {
    const std::string path = CFile();
    const std::string other = WriteFile("other.c", "int other;\r\n");
    const struct {
        const char* what;
        std::string path;
        int failPane; // the third pane of the new row is the line-number column
    } rows[] = {{"same file, the last pane fails", path, 3},
                {"another file, the last pane fails", other, 3},
                {"another file that cannot be read", m_folder, 0}};
    using BlockFn = char*(__cdecl*)(int, int, int, int, int);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const int id = Create(path, 3);
        ASSERT_GT(id, 0);
        HWND frame = FrameOf(id);
        Show(frame);
        ASSERT_EQ(id, Update(id, path, 4, 3, 1));
        g_failFrame = frame;
        g_failPane = row.failPane;
        HHOOK hook = SetWindowsHookExW(WH_CBT, &FailPane, nullptr, GetCurrentThreadId());
        Update(id, row.path, 4, 7, 1); // the same tag: nothing to read again
        UnhookWindowsHookEx(hook);
        g_failPane = 0;
        PumpAll();
        EXPECT_EQ(frame, FrameOf(id));
        EXPECT_EQ((std::vector<std::wstring>{L"Line", L"Source"}), Captions(frame));
        char* block = Get<BlockFn>("RequestSourceBlock")(id, 0, 0, 1, 1);
        ASSERT_NE(nullptr, block);
        EXPECT_STREQ("#include <stdio.h>\r\n", block);
        HeapFree(GetProcessHeap(), 0, block);
        // The window is still the one of its file, and the other file gets a window of its own.
        EXPECT_EQ(frame, FrameOf(Create(path, 3)));
        const int second = Create(other, 3);
        ASSERT_GT(second, 0);
        EXPECT_NE(frame, FrameOf(second));
        EXPECT_TRUE(Lines("MessageBox").empty());
        using CloseFn = int(__cdecl*)(intptr_t, int);
        Get<CloseFn>("CloseMDIWindow")(second, 1);
        Get<CloseFn>("CloseMDIWindow")(id, 1);
        PumpAll();
    }
}

// The frame's small icon is the library's own source-window icon; the box of a frame that
// cannot make its document has its text in the library.
TEST_F(SrcWndFrames, TheFrameShowsTheSourceIconAndTheLibraryHoldsItsTexts) {
    const int id = Create(CFile(), 3);
    ASSERT_GT(id, 0);
    const auto icon = reinterpret_cast<HICON>(
        LoadImageW(m_module, MAKEINTRESOURCEW(146), IMAGE_ICON, 16, 16, LR_SHARED));
    ASSERT_NE(nullptr, icon);
    EXPECT_EQ(reinterpret_cast<LRESULT>(icon),
              SendMessageW(FrameOf(id), WM_GETICON, ICON_SMALL, 0));
    wchar_t text[64] = {};
    LoadStringW(m_module, 61700, text, 64);
    EXPECT_STREQ(L"Failed to create empty document.", text);
}
