// List windows driven through the list-window interface as a debugger host drives them: the host
// fills a window item by item, stores its callbacks, and learns what the user does from them.
#include "tests/support/app_fixture.h"

#include "host/lib/host_lists.h"
#include "include/list.h"
#include "tests/support/screen_image.h"

#include <ole2.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace {

// What reached the host's callbacks, one line a call, and the answers it gives.
struct HostSide {
    std::vector<std::string> calls;
    int window = 0;
    int allowEdit = 1;
    int keepEdit = 1;
    std::function<void()> insideCommand; // runs inside callback 8
    std::function<void()> insideColors;  // runs inside callback 8192 (once)
    std::function<void()> insideEditEnd; // runs inside callback 1024
    std::function<void()> insideMenu;    // runs while a context menu is shown
    uint32_t boldItem = 0xFFFFFFFF;      // callback 8192 marks this item bold
    bool colourRows = false;             // callback 8192 gives each row its own background
};
HostSide* g_host = nullptr;

int DataOf(void* data) {
    return data ? *static_cast<int*>(data) : -1;
}
std::string Str(int v) {
    return std::to_string(v);
}

int __cdecl OnCommand(void* data, int command, int row, int user, int window) {
    g_host->calls.push_back("8(" + Str(DataOf(data)) + "," + Str(command) + "," + Str(row) + "," +
                            Str(user) + "," + Str(window == g_host->window) + ")");
    if (auto f = std::move(g_host->insideCommand))
        f();
    return 0;
}
int __cdecl OnScroll(int code, int amount, int flag, int perPage, int user) {
    g_host->calls.push_back("4096(" + Str(code) + "," + Str(amount) + "," + Str(flag) + "," +
                            Str(perPage > 0) + "," + Str(user) + ")");
    return 0;
}
int __cdecl OnEditStart(void* data) {
    g_host->calls.push_back("16384(" + Str(DataOf(data)) + ")");
    return g_host->allowEdit;
}
int __cdecl OnEditEnd(void* data, const char* text, int column, int user) {
    g_host->calls.push_back("1024(" + Str(DataOf(data)) + "," + text + "," + Str(column) + "," +
                            Str(user) + ")");
    if (auto f = std::move(g_host->insideEditEnd))
        f();
    return g_host->keepEdit;
}
int __cdecl OnColors(void* data, int column, uint32_t* text, uint32_t* back) {
    if (auto f = std::move(g_host->insideColors))
        f();
    const int item = DataOf(data);
    if (g_host->colourRows && column == 0)
        *back = 0x102000 + item * 0x10; // a colour of its own for each row
    if ((uint32_t)item == g_host->boldItem)
        *text = (*text & 0xFFFFFF) | 0x1000000;
    return 0;
}
int __cdecl OnAdjust(ListMenuEntry* entry, void* data, int) {
    g_host->calls.push_back(std::string("1(") + entry->text + "," + Str(DataOf(data)) + ")");
    entry->flags |= ListMenuFlag::alwaysGrey;
    return 0;
}

using Table = const ListWindowInterface*;

std::vector<WPARAM> g_keys;
LRESULT CALLBACK HostKeyProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_KEYDOWN)
        g_keys.push_back(w);
    return DefWindowProcW(h, m, w, l);
}

// The breakpoints window of the host: three columns, a menu with a default entry, a popup and
// an entry the host adjusts.
const ListMenuEntry kPopup[] = {{"&Condition ...", 0, 3101}, {nullptr, 0, 0}};
const ListMenuEntry kMenu[] = {{"&Go To Source", ListMenuFlag::defaultEntry, 3001},
                               {"&Enable", ListMenuFlag::greyIfContext1, 3002},
                               {"&Disable", ListMenuFlag::greyIfContext16, 3003},
                               {"Hidden", ListMenuFlag::leaveOut, 3004},
                               {"-", ListMenuFlag::separator, 0},
                               {"&Options", ListMenuFlag::popup | ListMenuFlag::greyIfContext1,
                                reinterpret_cast<uintptr_t>(kPopup)},
                               {"&Adjusted", ListMenuFlag::adjust, 3005},
                               {"&Kill All", ListMenuFlag::greyIfContext400, 3006},
                               {nullptr, 0, 0}};

struct MenuLine {
    std::wstring text;
    bool grey = false;
    bool isDefault = false;
    bool popup = false;
    UINT id = 0;
};
std::vector<MenuLine> ReadMenu(HMENU hMenu) {
    std::vector<MenuLine> lines;
    const int n = GetMenuItemCount(hMenu);
    const UINT nDefault = GetMenuDefaultItem(hMenu, FALSE, 0);
    for (int i = 0; i < n; ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW info = {sizeof(info)};
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_FTYPE;
        info.dwTypeData = text;
        info.cch = 127;
        GetMenuItemInfoW(hMenu, i, TRUE, &info);
        MenuLine line;
        line.text = (info.fType & MFT_SEPARATOR) ? L"--" : text;
        line.grey = (info.fState & MFS_GRAYED) != 0;
        line.popup = info.hSubMenu != nullptr;
        line.id = info.wID;
        line.isDefault = !line.popup && info.wID == nDefault && nDefault != (UINT)-1;
        lines.push_back(line);
    }
    return lines;
}

// While a context menu is open: reads it, runs what the test asks, then picks an entry by its
// command id (0 closes the menu).
struct MenuPick {
    static MenuPick* active;
    UINT pick = 0;
    std::vector<MenuLine> lines;
    bool seen = false;
    int ticks = 0;
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
        if (active == nullptr || ++active->ticks > 60) {
            KillTimer(nullptr, id);
            EndMenu();
            return;
        }
        HWND hMenuWnd = nullptr;
        do
            hMenuWnd = FindWindowExW(nullptr, hMenuWnd, L"#32768", nullptr);
        while (hMenuWnd != nullptr && !IsWindowVisible(hMenuWnd));
        if (hMenuWnd == nullptr)
            return;
        KillTimer(nullptr, id);
        HMENU hMenu = reinterpret_cast<HMENU>(SendMessageW(hMenuWnd, MN_GETHMENU, 0, 0));
        active->lines = ReadMenu(hMenu);
        active->seen = true;
        if (g_host && g_host->insideMenu)
            std::move(g_host->insideMenu)();
        int index = -1;
        for (size_t i = 0; i < active->lines.size(); ++i)
            if (active->pick != 0 && active->lines[i].id == active->pick)
                index = (int)i;
        if (index < 0) {
            EndMenu();
            return;
        }
        // Down from nothing selected to the entry, skipping separators as the menu does.
        int steps = 0;
        for (int i = 0; i <= index; ++i)
            if (active->lines[i].text != L"--")
                ++steps;
        for (int i = 0; i < steps; ++i)
            PostMessageW(hMenuWnd, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(hMenuWnd, WM_KEYDOWN, VK_RETURN, 0);
    }
};
MenuPick* MenuPick::active = nullptr;

class ListWindowTest : public AppTest {
protected:
    void SetUp() override { g_host = &m_host; }
    void TearDown() override {
        AppTest::TearDown();
        g_host = nullptr;
        MenuPick::active = nullptr;
    }

    Table Iface() {
        const ListWindowInterface* table = nullptr;
        auto get = Get<const ListWindowInterface**(__cdecl*)(const ListWindowInterface**)>(
            "GetListWndIfacPtr");
        EXPECT_NE(nullptr, get);
        if (get)
            EXPECT_EQ(&table, get(&table));
        return table;
    }

    // Opens the window with three columns (the last fills) and the callbacks.
    void Open(uint32_t style = 1 | 2 | 4 | 8 | 0x100) {
        Start();
        t = Iface();
        ASSERT_NE(nullptr, t);
        ASSERT_EQ(1, t->Create("Breakpoints", &m_position, &m_id, kMenu, 0));
        m_host.window = m_id;
        ASSERT_EQ(1, t->SetColumn(m_id, 0, "Location", ListColumnFlag::editable));
        ASSERT_EQ(1, t->SetColumn(m_id, 1, "State", ListColumnFlag::inMenu));
        ASSERT_EQ(1, t->SetColumn(m_id, 2, "Condition",
                                  ListColumnFlag::fill | ListColumnFlag::inMenu |
                                      ListColumnFlag::editable));
        t->SetColumnWidth(m_id, 0, 40);
        t->SetColumnWidth(m_id, 1, 20);
        t->SetStyle(m_id, 0, style);
        t->SetCallback(m_id, ListCallback::command, reinterpret_cast<uintptr_t>(&OnCommand));
        t->SetCallback(m_id, ListCallback::colors, reinterpret_cast<uintptr_t>(&OnColors));
        t->SetUserData(m_id, 77);
        m_view = reinterpret_cast<HWND>(static_cast<intptr_t>(m_id));
        m_tree = GetWindow(m_view, GW_CHILD);
        ASSERT_NE(nullptr, m_tree);
        SetWindowPos(GetParent(m_view), nullptr, 0, 0, 480, 300, SWP_NOMOVE | SWP_NOZORDER);
        PumpAll();
    }

    int Insert(int data, int parent, const char* a, const char* b = "on", uint32_t flags = 0,
               const char* c = "") {
        m_data.push_back(data);
        const char* texts[3] = {a, b, c};
        m_texts.push_back({texts[0], texts[1], texts[2]});
        ListItemRecord r{};
        r.window = m_id;
        r.flags = flags;
        r.texts = m_texts.back().data();
        r.data = &m_data.back();
        r.dataLength = sizeof(int);
        r.parent = parent;
        r.image = 0xFFFF;
        r.stateImage = 0xFFFF;
        return t->InsertItem(&r);
    }

    // The small tree of the study: a group with two children, a root, a third child.
    void FillTree() {
        t->Reset(m_id, 8);
        EXPECT_EQ(0, Insert(0, ListParent::rememberedRoot, "main.c", "on", ListItemFlag::expanded));
        EXPECT_EQ(1, Insert(1, ListParent::childOfRemembered, "main.c:12"));
        EXPECT_EQ(2,
                  Insert(2, ListParent::childOfRemembered, "main.c:40", "off", ListItemFlag::grey));
        EXPECT_EQ(3, Insert(3, ListParent::root, "util.c", "on", ListItemFlag::bold));
        EXPECT_EQ(4, Insert(4, 3, "util.c:7"));
        t->Rebuild(m_id);
        PumpAll();
    }

    std::string Clipboard() {
        std::string out;
        if (!OpenClipboard(nullptr))
            return out;
        if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
            const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(h));
            for (; p && *p; ++p)
                out += (char)*p;
            GlobalUnlock(h);
        }
        CloseClipboard();
        return out;
    }

    // The client point of a row's first column, found by the row's own background colour.
    POINT RowPoint(int item) {
        // The selected row of the focused list wears the selection's colours: another one is.
        t->SelectItem(m_id, item == 0 ? 1 : 0, 1);
        m_host.colourRows = true;
        InvalidateRect(m_tree, nullptr, TRUE);
        UpdateWindow(m_tree);
        ScreenImage image;
        POINT found{-1, -1};
        if (!image.Read(m_tree))
            return found;
        RECT rc;
        GetWindowRect(m_tree, &rc);
        const DWORD want = Rgb(0x102000 + item * 0x10);
        for (int y = rc.top; y < rc.bottom && found.y < 0; ++y)
            for (int x = rc.left; x < rc.left + 150 && found.y < 0; ++x)
                if (image.At(x, y) == want) {
                    found = POINT{x + 30 - rc.left, y + 4 - rc.top};
                }
        return found;
    }

    // The tree of the study with the host's edit callbacks.
    void OpenForEdits() {
        Open();
        t->SetCallback(m_id, ListCallback::editStart, reinterpret_cast<uintptr_t>(&OnEditStart));
        t->SetCallback(m_id, ListCallback::editEnd, reinterpret_cast<uintptr_t>(&OnEditEnd));
        FillTree();
    }

    POINT NoItemPoint() const {
        RECT rc;
        GetClientRect(m_tree, &rc);
        return POINT{rc.right / 3, rc.bottom - 25};
    }

    void RightClick(POINT client, UINT pick) {
        MenuPick probe;
        probe.pick = pick;
        MenuPick::active = &probe;
        m_lastMenu.clear();
        SetTimer(nullptr, 0, 30, &MenuPick::OnTimer);
        POINT screen = client;
        ClientToScreen(m_tree, &screen);
        SetCursorPos(screen.x, screen.y);
        SendMessageW(m_tree, WM_CONTEXTMENU, (WPARAM)m_tree, MAKELPARAM(screen.x, screen.y));
        PumpAll();
        m_lastMenu = probe.lines;
        MenuPick::active = nullptr;
    }

    HostSide m_host;
    Table t = nullptr;
    WindowPosition m_position{};
    int m_id = 0;
    HWND m_view = nullptr;
    HWND m_tree = nullptr;
    std::deque<int> m_data;
    std::deque<std::vector<const char*>> m_texts;
    std::vector<MenuLine> m_lastMenu;
};

TEST_F(ListWindowTest, TheTableIsTheWireTableAndUnknownIdsAnswerZero) {
    Open();
    // Two version words, 28 entries of a pointer each, two zero words.
    const auto* words = reinterpret_cast<const uint32_t*>(t);
    EXPECT_EQ(2u, words[0]);
    EXPECT_EQ(2u, words[1]);
    const auto* entries = reinterpret_cast<const uintptr_t*>(words + 2);
    for (int i = 0; i < 28; ++i)
        EXPECT_NE(0u, entries[i]) << "entry " << i;
    const auto* zero = reinterpret_cast<const uint32_t*>(entries + 28);
    EXPECT_EQ(0u, zero[0]);
    EXPECT_EQ(0u, zero[1]);
    // A window that was destroyed names no window any more, nor do 0 and a stranger.
    WindowPosition other{};
    int gone = 0;
    ASSERT_EQ(1, t->Create("Modules", &other, &gone, nullptr, 0));
    ASSERT_EQ(1, t->Destroy(gone));
    EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(static_cast<intptr_t>(gone))));
    ListItemRecord r{};
    const char* texts[1] = {"x"};
    r.texts = texts;
    uint32_t bits = 0;
    void* data = nullptr;
    int index = 0;
    WindowPosition pos{};
    for (int id : {0, 12345, gone}) {
        SCOPED_TRACE(id);
        r.window = id;
        EXPECT_EQ(0, t->Destroy(id));
        EXPECT_EQ(0, t->SetCaption(id, "x"));
        EXPECT_EQ(0, t->SetIcon(id, nullptr));
        EXPECT_EQ(0, t->QueryItem(id, 1 | 8, &data, &index));
        EXPECT_EQ(0, t->Reset(id, 1));
        EXPECT_EQ(0, t->UpdateItem(0, &r));
        EXPECT_EQ(0, t->InsertItem(&r));
        EXPECT_EQ(0, t->Rebuild(id));
        EXPECT_EQ(0, t->SetWindowPos(id, &pos));
        EXPECT_EQ(0, t->SetStyle(id, 0, 7));
        EXPECT_EQ(0, t->SetColumn(id, 0, "x", 0));
        EXPECT_EQ(0, t->SetCallback(id, 8, 1));
        EXPECT_EQ(0, t->SetImage(id, nullptr));
        EXPECT_EQ(0, t->SetItemImage(id, 0, 1, 1));
        EXPECT_EQ(0, t->GetColumnWidth(id, 0));
        EXPECT_EQ(0, t->SetColumnWidth(id, 0, 10));
        EXPECT_EQ(0, t->GetWindowPos(id, &pos));
        EXPECT_EQ(0, t->SelectItem(id, 0, 1));
        EXPECT_EQ(0, t->EnsureVisible(id, 0, 1));
        EXPECT_EQ(0, t->SetDragSource(id, nullptr, "BrkWnd"));
        EXPECT_EQ(0, t->SetUserData(id, 5));
        EXPECT_EQ(0, t->GetUserData(id));
        EXPECT_EQ(0, t->SetColumnTitle(id, 0, "x"));
        EXPECT_EQ(0, t->ShowColumn(id, 0));
        EXPECT_EQ(0, t->GetItemState(id, 0, &bits));
    }
    // The host learnt of the windows it created.
    EXPECT_TRUE(Logged("OnListWindowCreated(" + std::to_string(m_id) + ")"));
}

TEST_F(ListWindowTest, ColumnsCallbacksAndQueriesFollowTheirRules) {
    Open();
    // Items made before the later columns show blanks there.
    FillTree();
    // Only the next column, and the fill flag once.
    EXPECT_EQ(0, t->SetColumn(m_id, 5, "Far", 0));
    EXPECT_EQ(1, t->SetColumn(m_id, 3, "Hits", ListColumnFlag::fill | ListColumnFlag::hidden));
    EXPECT_GT(t->GetColumnWidth(m_id, 3), 0); // flag 4 was dropped: shown
    EXPECT_EQ(0, t->GetColumnWidth(m_id, 9));
    EXPECT_EQ(0, t->SetColumnWidth(m_id, 9, 10));
    EXPECT_EQ(0, t->SetColumnTitle(m_id, 9, "x"));
    EXPECT_EQ(0, t->ShowColumn(m_id, 9));
    // A pixel width is kept in pixels.
    EXPECT_EQ(1, t->SetColumn(m_id, 4, "Id", ListColumnFlag::pixels));
    t->SetColumnWidth(m_id, 4, 33);
    EXPECT_EQ(33, t->GetColumnWidth(m_id, 4));
    // Each callback code has its word; an unknown code is refused.
    for (int code : {1, 2, 4, 8, 32, 512, 1024, 2048, 4096, 8192, 16384})
        EXPECT_EQ(1, t->SetCallback(m_id, code,
                                    code == 8      ? (uintptr_t)&OnCommand
                                    : code == 8192 ? (uintptr_t)&OnColors
                                                   : 0))
            << code;
    EXPECT_EQ(0, t->SetCallback(m_id, 3, 1));
    EXPECT_EQ(77, t->GetUserData(m_id));
    SendMessageW(m_tree, WM_COMMAND, ListNotice::copyAll, 0);
    EXPECT_EQ(0u, Clipboard().find("main.c\ton\t \t\n"));
    // The first flag in the fixed order wins; 8 and 16 store data and index.
    void* data = nullptr;
    int index = -1;
    ASSERT_EQ(1, t->QueryItem(m_id, 1 | 2 | 8 | 16, &data, &index));
    EXPECT_EQ(0, index);
    EXPECT_EQ(0, DataOf(data));
    ASSERT_EQ(1, t->QueryItem(m_id, 4 | 16, &data, &index));
    EXPECT_EQ(4, index);
    index = 2;
    ASSERT_EQ(1, t->QueryItem(m_id, 32 | 8, &data, &index));
    EXPECT_EQ(2, DataOf(data));
    index = 99;
    EXPECT_EQ(0, t->QueryItem(m_id, 32 | 8, &data, &index));
    ASSERT_EQ(1, t->QueryItem(m_id, 128, &data, &index));
    EXPECT_GT(index, 3);
    // Selecting an item: the selected bit and query flag 2 agree.
    ASSERT_EQ(1, t->SelectItem(m_id, 3, 1));
    ASSERT_EQ(1, t->QueryItem(m_id, 2 | 16, &data, &index));
    EXPECT_EQ(3, index);
    uint32_t bits = 0;
    ASSERT_EQ(1, t->GetItemState(m_id, 3, &bits));
    EXPECT_EQ(ListItemState::shown | ListItemState::selected, bits);
    EXPECT_EQ(0, t->SelectItem(m_id, 50, 1));
    EXPECT_EQ(0, t->GetItemState(m_id, 50, &bits));
}

TEST_F(ListWindowTest, ParentRulesBuildTheTree) {
    Open();
    t->Reset(m_id, 8);
    // -3 before any -2 is a root; -2 then -3 a child; an index past the items a root.
    EXPECT_EQ(0, Insert(0, ListParent::childOfRemembered, "orphan"));
    EXPECT_EQ(1, Insert(1, ListParent::rememberedRoot, "group", "", ListItemFlag::expanded));
    EXPECT_EQ(2, Insert(2, ListParent::childOfRemembered, "child"));
    EXPECT_EQ(3, Insert(3, 1000, "far parent"));
    EXPECT_EQ(4, Insert(4, 3, "child of 3"));
    EXPECT_EQ(5, Insert(5, ListParent::root, "root"));
    EXPECT_EQ(6, Insert(6, ListParent::childOfRemembered, "after -1"));
    t->Rebuild(m_id);
    PumpAll();
    struct Case {
        int index;
        uint32_t bits;
    } cases[] = {
        {0, ListItemState::shown}, {1, ListItemState::shown | ListItemState::expanded},
        {2, ListItemState::shown},                            // its parent is expanded
        {3, ListItemState::shown}, {4, 0},                    // under a collapsed parent
        {5, ListItemState::shown}, {6, ListItemState::shown}, // -1 cleared the remembered parent
    };
    for (const Case& c : cases) {
        uint32_t bits = 0;
        ASSERT_EQ(1, t->GetItemState(m_id, c.index, &bits));
        EXPECT_EQ(c.bits, bits & ~ListItemState::selected) << c.index;
    }
    // Copy All lists the items depth first, each text followed by a tab.
    SendMessageW(m_tree, WM_COMMAND, ListNotice::copyAll, 0);
    EXPECT_EQ("orphan\ton\t \t\ngroup\t \t \t\nchild\ton\t \t\nfar parent\ton\t \t\n"
              "child of 3\ton\t \t\nroot\ton\t \t\nafter -1\ton\t \t\n",
              Clipboard());
    // Reset flag 2 puts new items in front.
    t->Reset(m_id, 8 | 2);
    Insert(10, ListParent::root, "first");
    Insert(11, ListParent::root, "second");
    t->Rebuild(m_id);
    void* data = nullptr;
    int index = 0;
    ASSERT_EQ(1, t->QueryItem(m_id, 1 | 8, &data, &index));
    EXPECT_EQ(11, DataOf(data));
}

TEST_F(ListWindowTest, TheContextMenuActsOnTheItemItWasOpenedFor) {
    Open();
    t->SetCallback(m_id, ListCallback::adjustMenu, reinterpret_cast<uintptr_t>(&OnAdjust));
    FillTree();
    m_host.calls.clear();
    // Where no item is: every entry that names a context flag of 0x471 is grey.
    RightClick(NoItemPoint(), 0);
    ASSERT_FALSE(m_lastMenu.empty());
    std::vector<std::wstring> texts;
    for (const MenuLine& l : m_lastMenu)
        texts.push_back(l.text);
    EXPECT_EQ((std::vector<std::wstring>{L"&Go To Source", L"&Enable", L"&Disable", L"--",
                                         L"&Options", L"&Adjusted", L"&Kill All", L"--", L"&Copy",
                                         L"Copy &All", L"&Select All"}),
              texts);
    EXPECT_FALSE(m_lastMenu[0].grey);
    EXPECT_TRUE(m_lastMenu[0].isDefault);
    EXPECT_TRUE(m_lastMenu[1].grey); // 2 with context 1
    EXPECT_TRUE(m_lastMenu[2].grey); // 128 with context 16
    EXPECT_TRUE(m_lastMenu[4].grey); // a popup with 2 meets context 1
    EXPECT_TRUE(m_lastMenu[4].popup);
    EXPECT_TRUE(m_lastMenu[5].grey); // the host's adjustment made it grey
    EXPECT_TRUE(m_lastMenu[6].grey); // 0x400 with context 0x400
    EXPECT_EQ((std::vector<std::string>{"1(&Adjusted,-1)"}), m_host.calls);
    // On an item (flags 0): nothing grey but the adjusted entry; the chosen command goes to the
    // host with that item, though the menu's end cleared the selection.
    const POINT row3 = RowPoint(3);
    ASSERT_GE(row3.y, 0);
    m_host.calls.clear();
    RightClick(row3, 3003);
    EXPECT_FALSE(m_lastMenu[1].grey);
    EXPECT_FALSE(m_lastMenu[2].grey);
    ASSERT_EQ(2u, m_host.calls.size());
    EXPECT_EQ("1(&Adjusted,3)", m_host.calls[0]);
    EXPECT_EQ("8(3,3003,3,77,1)", m_host.calls[1]);
    void* data = nullptr;
    int index = 0;
    EXPECT_EQ(0, t->QueryItem(m_id, 2, &data, &index)); // the selection is gone
    // Copy from the menu copies the item it was opened for.
    RightClick(row3, ListNotice::copy);
    EXPECT_EQ("util.c\ton\t \t\n", Clipboard());
}

TEST_F(ListWindowTest, KeysActivateDeleteAndReachTheHost) {
    Open();
    FillTree();
    // The host's window for function keys logs what it gets.
    g_keys.clear();
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &HostKeyProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ListTestHostKeys";
    RegisterClassW(&wc);
    HWND host = CreateWindowW(L"ListTestHostKeys", L"", 0, 0, 0, 10, 10, nullptr, nullptr,
                              wc.hInstance, nullptr);
    HostState::Get().keyObject.SetKeyWindow(host);
    t->SelectItem(m_id, 1, 1);
    SetFocus(m_tree);
    m_host.calls.clear();
    PostMessageW(m_tree, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageW(m_tree, WM_KEYDOWN, VK_DELETE, 0);
    PostMessageW(m_tree, WM_KEYDOWN, VK_F5, 0);
    PumpAll();
    EXPECT_EQ((std::vector<std::string>{"8(1,3001,1,77,1)", "8(1,506,1,77,1)"}), m_host.calls);
    EXPECT_EQ(std::vector<WPARAM>{VK_F5}, g_keys);
    // With the input locked, keys and left clicks are swallowed; the right button still works.
    t->SetStyle(m_id, 0, 0x400000);
    m_host.calls.clear();
    PostMessageW(m_tree, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageW(m_tree, WM_LBUTTONDBLCLK, 0, MAKELPARAM(30, 30));
    PumpAll();
    EXPECT_TRUE(m_host.calls.empty());
    RightClick(NoItemPoint(), 0);
    EXPECT_FALSE(m_lastMenu.empty());
    HostState::Get().keyObject.SetKeyWindow(nullptr);
    DestroyWindow(host);
}

TEST_F(ListWindowTest, AWindowWithoutAMenuTableActivatesWith501) {
    Start();
    t = Iface();
    ASSERT_EQ(1, t->Create("Modules", &m_position, &m_id, nullptr, 0));
    m_host.window = m_id;
    t->SetColumn(m_id, 0, "Module", 0);
    t->SetCallback(m_id, ListCallback::command, reinterpret_cast<uintptr_t>(&OnCommand));
    m_tree = GetWindow(reinterpret_cast<HWND>(static_cast<intptr_t>(m_id)), GW_CHILD);
    Insert(9, ListParent::root, "kernel32.dll");
    t->Rebuild(m_id);
    t->SelectItem(m_id, 0, 1);
    SetFocus(m_tree);
    PostMessageW(m_tree, WM_KEYDOWN, VK_RETURN, 0);
    PumpAll();
    EXPECT_EQ((std::vector<std::string>{"8(9,501,0,-1,1)"}), m_host.calls);
    RightClick(NoItemPoint(), 0);
    ASSERT_EQ(3u, m_lastMenu.size()); // only the fixed part
    EXPECT_EQ(L"&Copy", m_lastMenu[0].text);
}

TEST_F(ListWindowTest, AnInPlaceEditAsksTheHostAndHoldsTheBusyFlag) {
    OpenForEdits();
    const POINT row3 = RowPoint(3);
    ASSERT_GE(row3.y, 0);
    m_host.calls.clear();
    // Refused by the host: no edit.
    m_host.allowEdit = 0;
    SendMessageW(m_tree, WM_LBUTTONDBLCLK, 0, MAKELPARAM(row3.x, row3.y));
    PumpAll();
    EXPECT_EQ(nullptr, FindWindowExW(m_tree, nullptr, L"Edit", nullptr));
    m_host.allowEdit = 1;
    SendMessageW(m_tree, WM_LBUTTONDBLCLK, 0, MAKELPARAM(row3.x, row3.y));
    PumpAll();
    HWND edit = FindWindowExW(m_tree, nullptr, L"Edit", nullptr);
    ASSERT_NE(nullptr, edit);
    // While it runs, a menu command of the main frame does not reach the host.
    CallLog::Get().Clear();
    SendMessageW(Frame(), WM_COMMAND, 20, 0);
    PumpAll();
    EXPECT_TRUE(Lines("ExecuteCommand").empty());
    SetWindowTextW(edit, L"lib.c");
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    PumpAll();
    EXPECT_EQ((std::vector<std::string>{"16384(3)", "16384(3)", "1024(3,lib.c,0,77)"}),
              m_host.calls);
    SendMessageW(m_tree, WM_COMMAND, ListNotice::copyAll, 0);
    EXPECT_NE(std::string::npos, Clipboard().find("lib.c\ton\t"));
    SendMessageW(Frame(), WM_COMMAND, 20, 0);
    PumpAll();
    EXPECT_FALSE(Lines("ExecuteCommand").empty());
    // A text the host refuses leaves the old one.
    m_host.keepEdit = 0;
    SendMessageW(m_tree, WM_LBUTTONDBLCLK, 0, MAKELPARAM(row3.x, row3.y));
    PumpAll();
    edit = FindWindowExW(m_tree, nullptr, L"Edit", nullptr);
    ASSERT_NE(nullptr, edit);
    SetWindowTextW(edit, L"nope.c");
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    PumpAll();
    SendMessageW(m_tree, WM_COMMAND, ListNotice::copyAll, 0);
    EXPECT_EQ(std::string::npos, Clipboard().find("nope.c"));
}

TEST_F(ListWindowTest, HostDrivenScrollingReportsCodesAndKeepsTheThumbAtRest) {
    Open(1 | 2 | 4 | 0x100 | 0x800000);
    t->SetCallback(m_id, ListCallback::scroll, reinterpret_cast<uintptr_t>(&OnScroll));
    FillTree();
    m_host.calls.clear();
    struct Case {
        UINT sb;
        const char* call;
    } cases[] = {
        {SB_LINEDOWN, "4096(2,100,0,1,77)"}, // the last item is already on the page
        {SB_LINEUP, "4096(32,0,0,1,77)"},    // the first row is shown
        {SB_PAGEDOWN, "4096(4,100,0,1,77)"}, {SB_PAGEUP, "4096(16,0,0,1,77)"},
        {SB_TOP, "4096(8,50,0,1,77)"},       {SB_BOTTOM, "4096(1,50,0,1,77)"},
    };
    for (const Case& c : cases) {
        m_host.calls.clear();
        SendMessageW(m_tree, WM_VSCROLL, MAKEWPARAM(c.sb, 0), 0);
        ASSERT_EQ(1u, m_host.calls.size()) << c.call;
        EXPECT_EQ(c.call, m_host.calls[0]);
    }
    // The bar keeps the range 0..500 with the thumb at 250.
    HWND bar = nullptr;
    for (HWND h = GetWindow(m_tree, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        GetClassNameW(h, cls, 32);
        if (lstrcmpiW(cls, L"ScrollBar") == 0 && (GetWindowLongW(h, GWL_STYLE) & SBS_VERT))
            bar = h;
    }
    ASSERT_NE(nullptr, bar);
    SCROLLINFO si = {sizeof(si), SIF_ALL};
    GetScrollInfo(bar, SB_CTL, &si);
    EXPECT_EQ(0, si.nMin);
    EXPECT_EQ(500, si.nMax);
    EXPECT_EQ(250, si.nPos);
    // Back at rest after a call from the wheel as from the bar; held only while dragged.
    struct Move {
        UINT message;
        WPARAM wParam;
        int pos;
    } moves[] = {
        {WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 250},
        {WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 250},
        {WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 400), 400},
    };
    for (const Move& m : moves) {
        SetScrollPos(bar, SB_CTL, 400, FALSE);
        SendMessageW(m_tree, m.message, m.wParam, 0);
        EXPECT_EQ(m.pos, GetScrollPos(bar, SB_CTL)) << m.message << " " << LOWORD(m.wParam);
    }
    // A key sends the same codes with flag 1; a change of selection reports its row.
    t->SelectItem(m_id, 0, 1);
    m_host.calls.clear();
    SetFocus(m_tree);
    SendMessageW(m_tree, WM_KEYDOWN, VK_DOWN, 0);
    ASSERT_GE(m_host.calls.size(), 2u);
    EXPECT_EQ("4096(2,100,1,1,77)", m_host.calls[0]);
    EXPECT_EQ("4096(512,1,0,1,77)", m_host.calls[1]);
}

TEST_F(ListWindowTest, ColoursMarksAndTheSelectedRowShowOnScreen) {
    Open();
    FillTree();
    t->SelectItem(m_id, 1, 1);
    SetFocus(m_tree);
    m_host.boldItem = 3;
    InvalidateRect(m_tree, nullptr, TRUE);
    UpdateWindow(m_tree);
    ScreenImage image;
    ASSERT_TRUE(image.Read(m_tree, L"list_window_breakpoints.png"));
    RECT rc;
    GetWindowRect(m_tree, &rc);
    // The selected row: yellow text on navy; the grey item's text; the host's window colours.
    EXPECT_GT(image.Count(rc, Rgb(0x00FFFF)), 5);
    EXPECT_GT(image.Count(rc, Rgb(0x800000)), 100);
    EXPECT_GT(image.Count(rc, Rgb(0xC0C0C0)), 5);
}

TEST_F(ListWindowTest, ClosingAsksTheHostWhichDestroysTheWindowInsideTheNotice) {
    Open();
    FillTree();
    m_host.insideCommand = [this] { EXPECT_EQ(1, t->Destroy(m_id)); };
    HWND frame = GetParent(m_view);
    SendMessageW(frame, WM_CLOSE, 0, 0);
    PumpAll();
    ASSERT_FALSE(m_host.calls.empty());
    EXPECT_EQ("8(-1,500,0,77,1)", m_host.calls[0]);
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_EQ(0, t->GetUserData(m_id));
}

TEST_F(ListWindowTest, TheHostDestroysTheWindowWhileItPaints) {
    Open();
    FillTree();
    m_host.insideColors = [this] { t->Destroy(m_id); };
    InvalidateRect(m_tree, nullptr, TRUE);
    UpdateWindow(m_tree);
    PumpAll();
    EXPECT_FALSE(IsWindow(m_tree));
    // The next entry lets the destroyed window go.
    EXPECT_EQ(0, t->GetUserData(m_id));
}

TEST_F(ListWindowTest, TheHostDeletesTheEditedItemDuringTheEdit) {
    OpenForEdits();
    const POINT row3 = RowPoint(3);
    ASSERT_GE(row3.y, 0);
    SendMessageW(m_tree, WM_LBUTTONDBLCLK, 0, MAKELPARAM(row3.x, row3.y));
    PumpAll();
    HWND edit = FindWindowExW(m_tree, nullptr, L"Edit", nullptr);
    ASSERT_NE(nullptr, edit);
    m_host.insideEditEnd = [this] {
        t->Reset(m_id, 8);
        t->Rebuild(m_id);
    };
    SetWindowTextW(edit, L"gone.c");
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    PumpAll();
    void* data = nullptr;
    int index = 0;
    EXPECT_EQ(0, t->QueryItem(m_id, 1, &data, &index));
    // The busy flag went with the edit: a menu command reaches the host again.
    CallLog::Get().Clear();
    SendMessageW(Frame(), WM_COMMAND, 20, 0);
    PumpAll();
    EXPECT_FALSE(Lines("ExecuteCommand").empty());
}

TEST_F(ListWindowTest, HostileRecordsAndMenusAreRefusedOrBounded) {
    Open();
    t->Reset(m_id, 8);
    // Null texts, fewer texts than columns, a null block with a length, a state image of 20.
    ListItemRecord r{};
    r.window = m_id;
    r.parent = ListParent::root;
    r.dataLength = 64;
    r.image = 0xFFFF;
    r.stateImage = 20;
    EXPECT_EQ(0, t->InsertItem(&r));
    const char* one[1] = {"only"};
    r.texts = one;
    r.dataLength = 0;
    const char* full[3] = {"a", nullptr, ""};
    r.texts = full;
    EXPECT_EQ(1, t->InsertItem(&r));
    r.parent = -4;
    EXPECT_EQ(2, t->InsertItem(&r));
    EXPECT_EQ(0, t->UpdateItem(99, &r));
    EXPECT_EQ(0, t->SetItemImage(m_id, 99, 1, 1));
    EXPECT_EQ(1, t->SetItemImage(m_id, 0, 0xFFFF, 40));
    t->Rebuild(m_id);
    PumpAll();
    // Column commands past the columns change nothing.
    SendMessageW(m_tree, WM_COMMAND, 1040, 0);
    EXPECT_GT(t->GetColumnWidth(m_id, 2), 0);
    SendMessageW(m_tree, WM_COMMAND, ListNotice::copyAll, 0);
    EXPECT_EQ(" \t \t \t\na\t \t \t\na\t \t \t\n", Clipboard());
    // A menu table that holds itself as its popup, and a kind name of 255 characters.
    static ListMenuEntry cyclic[2] = {{"&Loop", ListMenuFlag::popup, 0}, {nullptr, 0, 0}};
    cyclic[0].command = reinterpret_cast<uintptr_t>(cyclic);
    WindowPosition pos{};
    int id = 0;
    ASSERT_EQ(1, t->Create("Cyclic", &pos, &id, cyclic, 0));
    HWND tree = GetWindow(reinterpret_cast<HWND>(static_cast<intptr_t>(id)), GW_CHILD);
    const std::string kind(255, 'K');
    t->SetDragSource(id, nullptr, kind.c_str());
    std::swap(tree, m_tree);
    RightClick(NoItemPoint(), 0);
    std::swap(tree, m_tree);
    ASSERT_GE(m_lastMenu.size(), 4u);
    EXPECT_TRUE(m_lastMenu[0].popup);
    EXPECT_EQ(1, t->Destroy(id));
}

} // namespace

namespace {
bool VerticalBarShown(HWND tree) {
    for (HWND h = GetWindow(tree, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        GetClassNameW(h, cls, 32);
        if (lstrcmpiW(cls, L"ScrollBar") == 0 && (GetWindowLongW(h, GWL_STYLE) & SBS_VERT) &&
            IsWindowVisible(h))
            return true;
    }
    return false;
}

TEST_F(ListWindowTest, ARefillLeavesTheScrollBarInStepWithTheRows) {
    Open();
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass);
        t->Reset(m_id, 8);
        Insert(0, ListParent::rememberedRoot, "group", "",
               ListItemFlag::expanded | ListItemFlag::select);
        for (int i = 1; i < 40; ++i)
            Insert(i, ListParent::childOfRemembered, "register");
        t->Rebuild(m_id);
        PumpAll();
        EXPECT_TRUE(VerticalBarShown(m_tree));
    }
    t->Reset(m_id, 8);
    Insert(0, ListParent::root, "alone");
    t->Rebuild(m_id);
    PumpAll();
    EXPECT_FALSE(VerticalBarShown(m_tree));
}
} // namespace

namespace {
TEST_F(ListWindowTest, TheColumnMenuHidesAndShowsColumnsAtTheirPlace) {
    Open();
    FillTree();
    // Over the header: one entry per column listed in the menu, checked while shown.
    RightClick(POINT{60, 8}, 0);
    ASSERT_EQ(2u, m_lastMenu.size());
    EXPECT_EQ(L"State", m_lastMenu[0].text);
    EXPECT_EQ(1001u, m_lastMenu[0].id);
    EXPECT_EQ(L"Condition", m_lastMenu[1].text);
    // Hiding through the menu's command, and the host's entry 26 with the plain index.
    RightClick(POINT{60, 8}, 1001);
    EXPECT_EQ(0, t->GetColumnWidth(m_id, 1));
    SendMessageW(m_tree, WM_COMMAND, ListNotice::copyAll, 0);
    EXPECT_EQ(0u, Clipboard().find("main.c\ton\t \t\n")); // the item keeps every text
    EXPECT_EQ(1, t->ShowColumn(m_id, 1));
    EXPECT_GT(t->GetColumnWidth(m_id, 1), 0);
    EXPECT_EQ(1, t->SetColumnTitle(m_id, 1, "Enabled"));
    RightClick(POINT{60, 8}, 0);
    ASSERT_EQ(2u, m_lastMenu.size());
    EXPECT_EQ(L"Enabled", m_lastMenu[0].text);
    // Select All in a list that allows several: Copy then copies every row.
    t->SetStyle(m_id, 0, 64);
    SendMessageW(m_tree, WM_COMMAND, ListNotice::selectAll, 0);
    SendMessageW(m_tree, WM_COMMAND, ListNotice::copy, 0);
    const std::string copied = Clipboard();
    EXPECT_EQ(4, std::count(copied.begin(), copied.end(), '\n'));
}
} // namespace

namespace {
TEST_F(AppTest, EnableWindowUpdateAnswersTheMaskAsItWas) {
    Start();
    auto update = Get<uint32_t(__cdecl*)(uint32_t, int)>("EnableWindowUpdate");
    ASSERT_NE(nullptr, update);
    EXPECT_EQ(3u, update(2, 0));
    EXPECT_EQ(1u, update(1, 0));
    EXPECT_EQ(0u, update(3, 1));
    EXPECT_EQ(3u, update(0, 1));
}
} // namespace

namespace {
// The stand-in host's own lists, as the demo opens them.
class HostListsTest : public ListWindowTest {
protected:
    HWND TreeOf(int id) {
        return GetWindow(reinterpret_cast<HWND>(static_cast<intptr_t>(id)), GW_CHILD);
    }
};

TEST_F(HostListsTest, EditsAndCommandsChangeTheTargetAndTheListsAreRefilled) {
    Start();
    ListTarget::Get().ResetToDefaults();
    const HostLists lists = OpenHostLists(m_module);
    ASSERT_NE(0, lists.registers);
    ASSERT_NE(0, lists.breakpoints);
    ASSERT_NE(0, lists.callStack);
    ASSERT_NE(0, lists.modules);
    PumpAll();
    t = Iface();
    // The registers: a tree of groups, more rows than the window shows, so a scroll bar.
    m_tree = TreeOf(lists.registers);
    EXPECT_TRUE(VerticalBarShown(m_tree));
    SendMessageW(m_tree, WM_COMMAND, ListNotice::copyAll, 0);
    EXPECT_EQ(0u, Clipboard().find("Core\t \t\nEAX\t0x00401000\t\nEBX\t0x00401111\t\n"));
    // A value edit sets the register, and the refilled list shows it.
    m_id = lists.registers;
    m_host.window = lists.registers;
    const int eaxRow = 1;
    t->SelectItem(lists.registers, 0, 1);
    RECT rc;
    GetClientRect(m_tree, &rc);
    ScreenImage image;
    ASSERT_TRUE(image.Read(m_tree, L"host_lists_registers.png"));
    // The value column of EAX's row: rows follow the header, one font height each.
    const int rowHeight = 20;
    const POINT value{rc.right * 3 / 4, 20 + rowHeight * eaxRow + rowHeight / 2};
    SendMessageW(m_tree, WM_LBUTTONDBLCLK, 0, MAKELPARAM(value.x, value.y));
    PumpAll();
    HWND edit = FindWindowExW(m_tree, nullptr, L"Edit", nullptr);
    ASSERT_NE(nullptr, edit);
    SetWindowTextW(edit, L"0x1234");
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    PumpAll();
    EXPECT_EQ(0x1234u, ListTarget::Get().registers[0].value);
    SendMessageW(m_tree, WM_COMMAND, ListNotice::copyAll, 0);
    EXPECT_NE(std::string::npos, Clipboard().find("EAX\t0x00001234\t"));
    // The breakpoints: Delete on the selected one removes it from the target.
    HWND brk = TreeOf(lists.breakpoints);
    t->SelectItem(lists.breakpoints, 1, 1);
    SetFocus(brk);
    SendMessageW(brk, WM_KEYDOWN, VK_DELETE, 0);
    PumpAll();
    ASSERT_EQ(2u, ListTarget::Get().breakpoints.size());
    EXPECT_EQ(7, ListTarget::Get().breakpoints[1].line);
    SendMessageW(brk, WM_COMMAND, ListNotice::copyAll, 0);
    EXPECT_EQ("main.c:12\tenabled\t3\t\nutil.c:7\tenabled\t1\t\n", Clipboard());
    // Closing a list asks the host, which destroys it.
    SendMessageW(GetParent(reinterpret_cast<HWND>(static_cast<intptr_t>(lists.modules))), WM_CLOSE,
                 0, 0);
    PumpAll();
    EXPECT_EQ(0, CurrentHostLists().modules);
    EXPECT_EQ(0, t->GetUserData(lists.modules));
}
} // namespace

namespace {
int g_dragRecord = 0;
int __cdecl OnDragSource(void* data, int row, void** record, int user) {
    g_host->calls.push_back("drag(" + Str(DataOf(data)) + "," + Str(row) + "," + Str(user) + ")");
    *record = &g_dragRecord;
    return 1;
}

TEST_F(ListWindowTest, ADragStartsWithTheKindNameAndTheColumnUnderThePoint) {
    Open();
    FillTree();
    const POINT row3 = RowPoint(3);
    ASSERT_GE(row3.y, 0);
    // The kind name is kept to 255 characters; the column's title follows it.
    const std::string kind(300, 'K');
    ASSERT_EQ(1, t->SetDragSource(m_id, &OnDragSource, kind.c_str()));
    const std::string kept(255, 'K');
    EXPECT_TRUE(Logged("DD.RegisterDragSource(\"" + kept + "\", " + std::to_string(m_id) + ")"));
    CallLog::Get().Clear();
    m_host.calls.clear();
    SendMessageW(m_tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(row3.x, row3.y));
    SendMessageW(m_tree, WM_LBUTTONUP, 0, MAKELPARAM(row3.x, row3.y));
    PumpAll();
    EXPECT_EQ((std::vector<std::string>{"drag(3,3,77)"}), m_host.calls);
    EXPECT_TRUE(Logged("DD.StartDrag(\"" + kept + "\", " + std::to_string(m_id) + ", \"" + kept +
                       "Location\")"));
    // The rule entries reach the service.
    const DropRule rules[] = {{"{LINE}", "BREAK {LINE}", 1, "Break"}, {}};
    EXPECT_EQ(1, t->AddDropRules("BrkWnd", rules));
    EXPECT_TRUE(Logged("DD.CommitRules(\"BrkWnd\")"));
    EXPECT_EQ(1, t->DropServiceCall(7, 9));
    EXPECT_TRUE(Logged("DD.CallEntry16(7, 9)"));
}

// Through the system's interface, as a real drag reaches the list: the tree holds the drop
// target, and the service hears the kind, the id and the column under each point.
TEST_F(ListWindowTest, ADropOverTheListNamesTheColumnUnderThePoint) {
    Open();
    FillTree();
    const POINT row3 = RowPoint(3);
    ASSERT_GE(row3.y, 0);
    ASSERT_EQ(1, t->SetDragSource(m_id, &OnDragSource, "BrkWnd"));
    const std::string id = std::to_string(m_id);
    EXPECT_TRUE(Logged("DD.RegisterDropTarget(\"BrkWnd\", " + id + ")"));
    auto* target = static_cast<IDropTarget*>(GetPropW(m_tree, L"OleDropTargetInterface"));
    ASSERT_NE(nullptr, target) << "the tree holds no drop target";
    EXPECT_EQ(nullptr, GetPropW(m_view, L"OleDropTargetInterface")); // the tree's, not the view's
    auto screen = [&](int x, int y) {
        POINT p{x, y};
        ClientToScreen(m_tree, &p);
        return POINTL{p.x, p.y};
    };
    const POINTL onLocation = screen(row3.x, row3.y);
    const POINTL onState = screen(t->GetColumnWidth(m_id, 0) + 8, row3.y);
    IDataObject* data = nullptr; // any data: the service decides from the drag's properties
    ASSERT_EQ(S_OK, OleGetClipboard(&data));
    CallLog::Get().Clear();
    DWORD effect = DROPEFFECT_COPY;
    target->DragEnter(data, MK_LBUTTON, onLocation, &effect);
    target->DragOver(MK_LBUTTON, onState, &effect);
    target->DragLeave();
    {
        TakeEveryDrag take;
        target->DragEnter(data, MK_LBUTTON, onState, &effect);
        effect = DROPEFFECT_COPY;
        target->Drop(data, 0, onLocation, &effect);
    }
    data->Release();
    EXPECT_EQ((std::vector<std::string>{
                  "DD.DragEnter(\"BrkWnd\", " + id + ", \"BrkWndLocation\", 1)",
                  "DD.DragOver(\"BrkWnd\", " + id + ", \"BrkWndState\", 1)",
                  "DD.DragLeave(\"BrkWnd\", " + id + ")",
                  "DD.DragEnter(\"BrkWnd\", " + id + ", \"BrkWndState\", 1)",
                  "DD.DragOver(\"BrkWnd\", " + id + ", \"BrkWndLocation\", 0)",
                  "DD.Drop(\"BrkWnd\", " + id + ", \"BrkWndLocation\")",
                  "DD.DragLeave(\"BrkWnd\", " + id + ")",
              }),
              Lines("DD."));
    // The window goes: its registrations go with it, and the tree's target with its window.
    CallLog::Get().Clear();
    const HWND tree = m_tree;
    EXPECT_EQ(1, t->Destroy(m_id));
    PumpAll();
    EXPECT_FALSE(IsWindow(tree));
    EXPECT_TRUE(Logged("DD.UnregisterDropTarget(\"BrkWnd\", " + id + ")"));
    EXPECT_TRUE(Logged("DD.UnregisterDragSource(\"BrkWnd\", " + id + ")"));
}
} // namespace

namespace {
// The same list docked, floating and as an MDI child, turned from each form into the next: the
// host's window, its tree and everything the host put in it come along.
TEST_F(ListWindowTest, AListThatChangesFormKeepsItsItemsColumnsSelectionAndId) {
    Open();
    FillTree();
    ASSERT_EQ(1, t->SetDragSource(m_id, &OnDragSource, "BrkWnd"));
    SendMessageW(m_tree, WM_COMMAND, 1001, 0); // the host's "State" column hidden
    t->SelectItem(m_id, 3, 1);
    PumpAll();
    SendMessageW(m_tree, WM_COMMAND, ListNotice::copyAll, 0);
    const std::string items = Clipboard();
    ASSERT_FALSE(items.empty());
    const HWND tree = m_tree;
    using PosFn = int(__cdecl*)(intptr_t, int, const WindowPosition*);
    const struct {
        const char* name;
        HostPlacement placement;
        int32_t reported;
    } forms[] = {{"docked left", {0x41 | 0x80, 0, 0, 100, 150}, 0x41},
                 {"floating", {0x21, 300, 200, 260, 180}, 0x21},
                 {"MDI", {0x11, 20, 30, 240, 160}, 0x11},
                 {"floating again", {0x21, 320, 210, 260, 180}, 0x21},
                 {"docked again", {0x41 | 0x80, 0, 0, 100, 150}, 0x41},
                 {"MDI again", {0x11, 20, 30, 300, 200}, 0x11}};
    for (const auto& form : forms) {
        SCOPED_TRACE(form.name);
        HostState::Get().placements[&m_position] = form.placement;
        ASSERT_EQ(1, t->SetWindowPos(m_id, &m_position));
        PumpAll();
        ASSERT_EQ(1, Get<PosFn>("GetWindowPos")(m_id, 0, &m_position));
        EXPECT_EQ(form.reported, HostState::Get().placements[&m_position].flags & 0x71);
        // The id still names the window, with the same tree in it.
        ASSERT_TRUE(IsWindow(m_view));
        EXPECT_EQ(tree, GetWindow(m_view, GW_CHILD));
        EXPECT_NE(nullptr, GetPropW(tree, L"OleDropTargetInterface"));
        int index = -1;
        ASSERT_EQ(1, t->QueryItem(m_id, 2 | 16, nullptr, &index));
        EXPECT_EQ(3, index);
        index = -1;
        ASSERT_EQ(1, t->QueryItem(m_id, 4 | 16, nullptr, &index));
        EXPECT_EQ(4, index);
        EXPECT_GT(t->GetColumnWidth(m_id, 0), 0);
        EXPECT_EQ(0, t->GetColumnWidth(m_id, 1));
        EXPECT_GT(t->GetColumnWidth(m_id, 2), 0);
        SendMessageW(m_tree, WM_COMMAND, ListNotice::copyAll, 0);
        EXPECT_EQ(items, Clipboard());
        // The rows fill the frame the list is in now.
        RECT view{}, client{};
        GetClientRect(m_view, &view);
        GetClientRect(tree, &client);
        EXPECT_EQ(view.right, client.right);
        EXPECT_EQ(view.bottom, client.bottom);
    }
    CallLog::Get().Clear();
    EXPECT_EQ(1, t->Destroy(m_id));
    PumpAll();
    EXPECT_FALSE(IsWindow(tree));
    EXPECT_TRUE(Logged("DD.UnregisterDropTarget(\"BrkWnd\", " + std::to_string(m_id) + ")"));
}
} // namespace
