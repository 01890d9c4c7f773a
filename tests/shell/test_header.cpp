// The line column's header button takes its fixed control id whatever it is given, and its own
// font; its clicks reach the parent with the low word of that id and its handle.
#include <gtest/gtest.h>

#include "windows/common/header.h"

namespace {

std::vector<std::pair<WPARAM, LPARAM>> g_commands;
LRESULT CALLBACK ParentProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND)
        g_commands.emplace_back(wParam, lParam);
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

TEST(Header, TakesItsOwnIdAndFont) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &ParentProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"MoxTestHeaderParent";
    ::RegisterClassW(&wc);
    HWND hParent = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200,
                                     nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, hParent);
    CHeader header;
    ASSERT_TRUE(header.Create(L"Line", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 60, 18),
                              CWnd::FromHandle(hParent), 7));
    EXPECT_EQ(4567890, ::GetDlgCtrlID(header.m_hWnd));
    ASSERT_NE(nullptr, header.Font().GetSafeHandle());
    EXPECT_EQ((LRESULT)header.Font().GetSafeHandle(), header.SendMessage(WM_GETFONT));
    g_commands.clear();
    header.SendMessage(BM_CLICK);
    ASSERT_EQ(1u, g_commands.size());
    EXPECT_EQ(4567890u & 0xFFFF, LOWORD(g_commands[0].first));
    EXPECT_EQ(BN_CLICKED, HIWORD(g_commands[0].first));
    EXPECT_EQ((LPARAM)header.m_hWnd, g_commands[0].second);
    header.DestroyWindow();
    ::DestroyWindow(hParent);
}

} // namespace
