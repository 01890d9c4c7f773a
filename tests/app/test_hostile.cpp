// Every export called when it must fail: before the frame exists, after EndApp, and with
// arguments that name nothing.
#include "tests/support/app_fixture.h"

#include "ifac/h/hostwnd.h"

namespace {

// Each export called with harmless arguments; the answer it gave.
struct Probe {
    const char* name;
    intptr_t (*run)(const AppTest&, HMODULE);
    intptr_t failure;
};

template <typename F> F Fn(HMODULE m, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name)));
}

WindowPosition g_position{};
int g_index = 0;

const Probe kProbes[] = {
    {"PeekMessageApp",
     [](const AppTest&, HMODULE m) -> intptr_t {
         return Fn<int(__cdecl*)(int)>(m, "PeekMessageApp")(0);
     },
     0},
    {"GetLastMessageOwner",
     [](const AppTest&, HMODULE m) -> intptr_t {
         return (intptr_t)Fn<HWND(__cdecl*)()>(m, "GetLastMessageOwner")();
     },
     0},
    {"GetWindowHandle",
     [](const AppTest&, HMODULE m) -> intptr_t {
         return (intptr_t)Fn<HWND(__cdecl*)(int)>(m, "GetWindowHandle")(1);
     },
     -1},
    {"CloseMDIWindow",
     [](const AppTest&, HMODULE m) -> intptr_t {
         return Fn<int(__cdecl*)(intptr_t, int)>(m, "CloseMDIWindow")(1, 1);
     },
     0},
    {"SetWndCaption",
     [](const AppTest&, HMODULE m) -> intptr_t {
         return Fn<int(__cdecl*)(intptr_t, int, const char*)>(m, "SetWndCaption")(1, 1, "x");
     },
     0},
    {"SetWndIcon",
     [](const AppTest&, HMODULE m) -> intptr_t {
         return Fn<LRESULT(__cdecl*)(intptr_t, int, HICON, int)>(m, "SetWndIcon")(1, 1, nullptr, 1);
     },
     0},
    {"GetWindowPos",
     [](const AppTest&, HMODULE m) -> intptr_t {
         return Fn<int(__cdecl*)(intptr_t, int, const WindowPosition*)>(m, "GetWindowPos")(
             1, 1, &g_position);
     },
     0},
    {"CheckMDIMaximizedState",
     [](const AppTest&, HMODULE m) -> intptr_t {
         return Fn<int(__cdecl*)()>(m, "CheckMDIMaximizedState")();
     },
     0},
    {"GUIEnableMemoryMapping",
     [](const AppTest&, HMODULE m) -> intptr_t {
         return Fn<int(__cdecl*)(int)>(m, "GUIEnableMemoryMapping")(1);
     },
     0},
    {"InitDragOle",
     [](const AppTest&, HMODULE m) -> intptr_t { return Fn<int(__cdecl*)()>(m, "InitDragOle")(); },
     0},
    {"CreateGuiToolbar",
     [](const AppTest&, HMODULE m) -> intptr_t {
         return Fn<int(__cdecl*)(int*, const char*, int)>(m, "CreateGuiToolbar")(&g_index, "T", 0);
     },
     0},
    {"DeleteGuiToolbar",
     [](const AppTest&, HMODULE m) -> intptr_t {
         return Fn<int(__cdecl*)(int)>(m, "DeleteGuiToolbar")(1);
     },
     0},
    {"AddTBButton",
     [](const AppTest&, HMODULE m) -> intptr_t {
         return Fn<int(__cdecl*)(int, unsigned, unsigned, const char*, unsigned)>(m, "AddTBButton")(
             0, 0, 0, "t", 1030);
     },
     0},
    {"ChangeButtons",
     [](const AppTest&, HMODULE m) -> intptr_t {
         return Fn<int(__cdecl*)(const char*, const char*, unsigned, unsigned, unsigned, unsigned)>(
             m, "ChangeButtons")("a", "b", 3, 0, 0, 0);
     },
     -1},
    {"EnableFunc",
     [](const AppTest&, HMODULE m) -> intptr_t {
         return Fn<int(__cdecl*)(unsigned, int)>(m, "EnableFunc")(1100, 0);
     },
     0},
    {"InsertGuiMenuItem",
     [](const AppTest&, HMODULE m) -> intptr_t {
         return Fn<int(__cdecl*)(const char*, UINT_PTR, int, unsigned)>(m, "InsertGuiMenuItem")(
             "x", 1100, -1, 0);
     },
     0},
    {"ChangeLanguage",
     [](const AppTest&, HMODULE m) -> intptr_t {
         return Fn<int(__cdecl*)(int)>(m, "ChangeLanguage")(1);
     },
     0},
    {"SetPaneInfoText",
     [](const AppTest&, HMODULE m) -> intptr_t {
         return Fn<int(__cdecl*)(const char*)>(m, "SetPaneInfoText")("x");
     },
     0},
    {"SetStatusHelpText",
     [](const AppTest&, HMODULE m) -> intptr_t {
         return Fn<int(__cdecl*)(const char*)>(m, "SetStatusHelpText")(nullptr);
     },
     0},
    {"GUIChangeColor",
     [](const AppTest&, HMODULE m) -> intptr_t {
         return Fn<int(__cdecl*)(COLORREF, COLORREF, COLORREF)>(m, "GUIChangeColor")(1, 2, 3);
     },
     0},
    {"EndApp",
     [](const AppTest&, HMODULE m) -> intptr_t { return Fn<int(__cdecl*)()>(m, "EndApp")(); }, 0},
};

TEST_F(AppTest, EveryExportFailsBeforeStartApp) {
    Load();
    for (const Probe& p : kProbes)
        EXPECT_EQ(p.failure, p.run(*this, m_module)) << p.name;
}

TEST_F(AppTest, EveryExportFailsAfterEndApp) {
    Start();
    EXPECT_EQ(1, Call("EndApp"));
    m_started = false;
    EXPECT_FALSE(IsWindow(Frame()));
    for (const Probe& p : kProbes)
        EXPECT_EQ(p.failure, p.run(*this, m_module)) << p.name;
}

TEST_F(AppTest, WindowReferencesThatNameNothing) {
    Start();
    auto handle = Get<HWND(__cdecl*)(int)>("GetWindowHandle");
    const HWND none = reinterpret_cast<HWND>(-1);
    EXPECT_EQ(none, handle(-1));
    EXPECT_EQ(none, handle(0)); // taken at construction, never a window
    EXPECT_EQ(none, handle(1)); // beyond the table
    EXPECT_EQ(none, handle(INT_MIN));
    auto icon = Get<LRESULT(__cdecl*)(intptr_t, int, HICON, int)>("SetWndIcon");
    HWND foreign = GetDesktopWindow();
    EXPECT_EQ(0, icon((intptr_t)foreign, 0, LoadIcon(nullptr, IDI_APPLICATION), ICON_SMALL));
    EXPECT_EQ(0, icon(12345, 1, nullptr, ICON_SMALL));
    auto pos = Get<int(__cdecl*)(intptr_t, int, const WindowPosition*)>("GetWindowPos");
    EXPECT_EQ(0, pos((intptr_t)Frame(), 0, &g_position)); // the frame is no debugger window
    EXPECT_EQ(0, pos((intptr_t)Frame(), 0, nullptr));
    auto caption = Get<int(__cdecl*)(intptr_t, int, const char*)>("SetWndCaption");
    EXPECT_EQ(0, caption((intptr_t)Frame(), 0, nullptr));
    auto close = Get<int(__cdecl*)(intptr_t, int)>("CloseMDIWindow");
    EXPECT_EQ(1, close((intptr_t)foreign, 0));
    EXPECT_TRUE(IsWindow(foreign));
    EXPECT_TRUE(IsWindow(Frame()));
}

TEST_F(AppTest, ColoursWithATopByteAreRefused) {
    Start();
    auto color = Get<int(__cdecl*)(COLORREF, COLORREF, COLORREF)>("GUIChangeColor");
    EXPECT_EQ(1, color(RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9)));
    EXPECT_EQ(0, color(0x01000000, RGB(4, 5, 6), RGB(7, 8, 9)));
    auto font = Get<void(__cdecl*)(HFONT, HFONT)>("GUIChangeFont");
    font(reinterpret_cast<HFONT>(GetStockObject(WHITE_BRUSH)), nullptr); // no font: no change
    font(nullptr, nullptr);
    EXPECT_TRUE(IsWindow(Frame()));
}

} // namespace
