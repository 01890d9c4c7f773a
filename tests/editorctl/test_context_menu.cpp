// The context menu, looked at from inside its own loop: where it opens, which items its update
// handlers enabled, the caret hidden while it shows, and an item picked with the real keyboard
// or mouse reaching the controller.
#include "editorctl_support.h"

#include "editor/edit_commands.h"
#include "editor/edit_controller.h"

#include <gtest/gtest.h>

#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace ectest;

struct Item {
    UINT id;
    std::wstring text;
    bool enabled;
};

// What the open menu showed.
struct Seen {
    bool open = false;
    CRect rect;
    std::vector<Item> items; // separators left out
    bool caretShown = true;
};

// Runs `pick` once from inside the menu loop, after noting what the menu shows; a menu still
// up after a few seconds is closed so that a broken test fails rather than hangs.
class MenuWatch {
public:
    MenuWatch(SECEditController& controller, std::function<void(HMENU, HWND)> pick)
        : m_controller(controller), m_pick(std::move(pick)) {
        s_watch = this;
        m_start = ::GetTickCount();
        m_timer = ::SetTimer(nullptr, 0, 30, &OnTimer);
    }
    ~MenuWatch() {
        ::KillTimer(nullptr, m_timer);
        s_watch = nullptr;
    }
    Seen seen;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        if (s_watch)
            s_watch->Look();
    }
    void Look() {
        HWND window = ::FindWindowW(L"#32768", nullptr);
        if (window == NULL || !::IsWindowVisible(window))
            return;
        if (seen.open) {
            if (::GetTickCount() - m_start > 5000)
                ::EndMenu();
            return;
        }
        seen.open = true;
        ::GetWindowRect(window, &seen.rect);
        seen.caretShown = m_controller.IsCaretShown() != FALSE;
        HMENU menu = HMENU(::SendMessageW(window, MN_GETHMENU, 0, 0));
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            wchar_t text[64] = {};
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
            info.dwTypeData = text;
            info.cch = 63;
            ::GetMenuItemInfoW(menu, UINT(i), TRUE, &info);
            if (!(info.fType & MFT_SEPARATOR))
                seen.items.push_back({info.wID, text, !(info.fState & MFS_DISABLED)});
        }
        m_pick(menu, window);
    }

    static MenuWatch* s_watch;
    SECEditController& m_controller;
    std::function<void(HMENU, HWND)> m_pick;
    DWORD m_start = 0;
    UINT_PTR m_timer = 0;
};
MenuWatch* MenuWatch::s_watch = nullptr;

void SendKey(WORD vk) {
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = vk;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

void SendMouse(POINT screen, DWORD down, DWORD up) {
    INPUT inputs[3]{};
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    for (INPUT& input : inputs)
        input.type = INPUT_MOUSE;
    inputs[0].mi.dx = (screen.x * 65535 + cx / 2) / (cx - 1);
    inputs[0].mi.dy = (screen.y * 65535 + cy / 2) / (cy - 1);
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = down;
    inputs[2].mi.dwFlags = up;
    ::SendInput(3, inputs, sizeof(INPUT));
}

// Clicks the menu item with the id where it shows.
void ClickItem(HMENU menu, HWND window, UINT id) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
        if (::GetMenuItemID(menu, i) == id) {
            RECT r;
            ::GetMenuItemRect(window, menu, UINT(i), &r);
            SendMouse({(r.left + r.right) / 2, (r.top + r.bottom) / 2}, MOUSEEVENTF_LEFTDOWN,
                      MOUSEEVENTF_LEFTUP);
            return;
        }
    ADD_FAILURE() << "no item " << id;
    ::EndMenu();
}

void PumpFor(DWORD ms) {
    const DWORD start = ::GetTickCount();
    do {
        PumpTranslated();
        ::Sleep(5);
    } while (::GetTickCount() - start < ms);
}

std::vector<bool> Enabled(const Seen& seen) {
    std::vector<bool> enabled;
    for (const Item& item : seen.items)
        enabled.push_back(item.enabled);
    return enabled;
}

void PutOnClipboard(HWND owner, const wchar_t* text) {
    ASSERT_TRUE(::OpenClipboard(owner));
    ::EmptyClipboard();
    if (text) {
        const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
        memcpy(::GlobalLock(memory), text, bytes);
        ::GlobalUnlock(memory);
        ::SetClipboardData(CF_UNICODETEXT, memory);
    }
    ::CloseClipboard();
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!::OpenClipboard(nullptr))
        return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(::GlobalLock(data));
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

// The editor's copy and cut go through the OLE clipboard, as in the application.
class EditorContextMenu : public ::testing::Test {
protected:
    void SetUp() override { ::OleInitialize(nullptr); }
    void TearDown() override {
        ::OleFlushClipboard();
        ::OleUninitialize();
    }
};

TEST_F(EditorContextMenu, FromTheKeyboardItOpensAtFiveFiveAndAnItemRuns) {
    Editor e;
    e.Load(L"alpha beta");
    PutOnClipboard(e.Window(), nullptr);
    MenuWatch watch(e.Controller(), [](HMENU, HWND) { SendKey('A'); });
    ::PostMessageW(e.Window(), WM_CONTEXTMENU, WPARAM(e.Window()), MAKELPARAM(-1, -1));
    PumpFor(100);
    ASSERT_TRUE(watch.seen.open);
    POINT at = {5, 5};
    ::ClientToScreen(e.Window(), &at);
    EXPECT_EQ(watch.seen.rect.TopLeft(), CPoint(at));
    const std::vector<Item>& items = watch.seen.items;
    ASSERT_EQ(items.size(), 6u);
    const wchar_t* texts[] = {L"&Undo", L"&Redo", L"Cu&t", L"&Copy", L"&Paste", L"Select &All"};
    for (size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(items[i].text, texts[i]);
    // Nothing to undo or redo, nothing selected, nothing to paste; a line to copy.
    EXPECT_EQ(Enabled(watch.seen), (std::vector<bool>{false, false, false, true, false, true}));
    EXPECT_FALSE(watch.seen.caretShown) << "the caret hides while the menu shows";
    EXPECT_TRUE(e.Controller().IsCaretShown());
    SECEditRange all;
    ASSERT_TRUE(e.Controller().GetSelection(all, FALSE)) << "Select All reached the controller";
    EXPECT_TRUE(all == SECEditRange(0, 0, 0, 10));
}

TEST_F(EditorContextMenu, TheMouseOpensItWhereItClicksAndCutRuns) {
    Editor e;
    e.Load(L"alpha beta gamma");
    e.SetCaret(0, 16);
    Type(e.Window(), L"!");
    PutOnClipboard(e.Window(), L"xyz");
    e.Controller().SetSelection(SECEditRange(0, 6, 0, 10), SECEditSelection::modeStream);
    PumpTranslated();

    // A right click outside the selection: the selection goes, the caret comes to the click.
    POINT outside = e.CellPoint(0, 13);
    ::ClientToScreen(e.Window(), &outside);
    {
        MenuWatch watch(e.Controller(), [](HMENU, HWND) { SendKey(VK_ESCAPE); });
        SendMouse(outside, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        PumpFor(150);
        ASSERT_TRUE(watch.seen.open);
        EXPECT_EQ(watch.seen.rect.TopLeft(), CPoint(outside));
        EXPECT_EQ(Enabled(watch.seen), (std::vector<bool>{true, false, false, true, true, true}));
    }
    EXPECT_FALSE(e.Controller().HasSelection());
    EXPECT_EQ(e.Caret(), SECEditPosition(0, 13));
    EXPECT_EQ(Text(e.Model()), L"alpha beta gamma!") << "Escape picks nothing";

    // Inside it: the selection stays, and Cut, clicked, cuts it.
    e.Controller().SetSelection(SECEditRange(0, 6, 0, 10), SECEditSelection::modeStream);
    PumpTranslated();
    POINT inside = e.CellPoint(0, 7);
    ::ClientToScreen(e.Window(), &inside);
    {
        MenuWatch watch(e.Controller(),
                        [](HMENU menu, HWND window) { ClickItem(menu, window, SECEDIT_ID_CUT); });
        SendMouse(inside, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        PumpFor(150);
        ASSERT_TRUE(watch.seen.open);
        EXPECT_EQ(Enabled(watch.seen), (std::vector<bool>{true, false, true, true, true, true}));
    }
    EXPECT_EQ(Text(e.Model()), L"alpha  gamma!");
    EXPECT_EQ(ClipboardText(), L"beta");
    e.Model().Undo();
    EXPECT_EQ(Text(e.Model()), L"alpha beta gamma!");
}

} // namespace
