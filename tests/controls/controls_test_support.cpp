#include "controls_test_support.h"
#include "tests/support/dialog_test_support.h"

#include "tests/support/screenshot.h"
#include "toolbars/drawing/themeapi.h"

#include <gtest/gtest.h>

BEGIN_MESSAGE_MAP(ControlsDialog, CDialog)
ON_MESSAGE(WM_COLORWELL_CHANGED, OnColorChanged)
END_MESSAGE_MAP()

ControlsDialog::~ControlsDialog() {
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL ControlsDialog::Open(int x, int y) {
    if (!Create(IDD_CONTROLS))
        return FALSE;
    SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(SW_SHOW);
    SetForegroundWindow();
    UpdateWindow();
    PumpFor(50);
    return TRUE;
}

BOOL ControlsDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    BOOL bOk = m_wellButton.AttachButton(IDC_WELL_BUTTON, this) &&
               m_wellButton2.AttachButton(IDC_WELL_BUTTON2, this) &&
               m_wellFlat.AttachButton(IDC_WELL_FLAT, this) &&
               m_wellPressed.AttachButton(IDC_WELL_PRESSED, this);
    m_wellFlat.SetFlat(TRUE);
    bOk = bOk && m_well.Create(WS_VISIBLE | WS_TABSTOP, 120, 40, this, IDC_COLOR_WELL, TRUE, TRUE);
    bOk = bOk && m_plainWell.Create(WS_VISIBLE | WS_TABSTOP | CWS_RAISEDBORDER, 190, 40, this,
                                    IDC_COLOR_WELL_PLAIN, TRUE, FALSE);
    for (int i = 0; i < 5; ++i)
        bOk =
            bOk && m_bitmapButtons[i].AttachButton(IDC_BITMAP_BUTTON0 + i, i, IDB_TEST_GLYPH, this);
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_MENU_FIRST, L"First");
    menu.AppendMenu(MF_STRING, ID_MENU_SECOND, L"Second");
    bOk = bOk && m_menuButton.AttachMenuButton(IDC_MENU_BUTTON, this, menu.Detach(), FALSE);
    if (!bOk)
        m_bInitFailed = TRUE;
    return TRUE;
}

BOOL ControlsDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == IDC_TARGET && HIWORD(wParam) == BN_CLICKED)
        ++m_nTargetClicks;
    if (lParam == 0 && LOWORD(wParam) >= ID_MENU_FIRST && LOWORD(wParam) <= ID_MENU_SECOND)
        m_commands.push_back(LOWORD(wParam));
    return CDialog::OnCommand(wParam, lParam);
}

LRESULT ControlsDialog::OnColorChanged(WPARAM wParam, LPARAM lParam) {
    m_colorMessages.emplace_back(wParam, lParam);
    return 0;
}

void AnswerColorDialog(DialogDismisser& answer, COLORREF color) {
    answer.m_beforePress = [color](HWND hColorDialog) {
        // The colour dialog's red, green and blue fields.
        ::SetDlgItemInt(hColorDialog, 706, GetRValue(color), FALSE);
        ::SetDlgItemInt(hColorDialog, 707, GetGValue(color), FALSE);
        ::SetDlgItemInt(hColorDialog, 708, GetBValue(color), FALSE);
    };
}

void PumpFor(DWORD nMilliseconds) {
    const DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    } while (::GetTickCount() - start < nMilliseconds);
}

bool PumpUntil(const std::function<bool()>& done, DWORD nTimeout) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > nTimeout)
            return done();
        PumpFor(10);
    }
    return true;
}

void MoveMouseTo(POINT screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = (screen.x * 65535 + cx / 2) / (cx - 1);
    input.mi.dy = (screen.y * 65535 + cy / 2) / (cy - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(input));
    PumpUntil(
        [&] {
            POINT now;
            ::GetCursorPos(&now);
            return now.x == screen.x && now.y == screen.y;
        },
        500);
    PumpFor(30);
}

void ClickAt(POINT screen) {
    MoveMouseTo(screen);
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &inputs[0], sizeof(INPUT));
    PumpFor(30);
    ::SendInput(1, &inputs[1], sizeof(INPUT));
    PumpFor(50);
}

void PressKey(WORD vk) {
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = vk;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
    PumpFor(50);
}

POINT CentreOf(HWND hWnd) {
    RECT rect;
    ::GetWindowRect(hWnd, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT ClientToScreenPoint(HWND hWnd, POINT client) {
    ::ClientToScreen(hWnd, &client);
    return client;
}

namespace {
// The library's start-up binds the theme entries; this program has none, so it binds them
// itself before the first test.
struct ThemeEnvironment : testing::Environment {
    void SetUp() override { InitThemeApi(); }
    void TearDown() override { FreeThemeApi(); }
};
testing::Environment* const g_themeEnvironment =
    testing::AddGlobalTestEnvironment(new ThemeEnvironment);
} // namespace
