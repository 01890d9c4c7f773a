#include "tip_fixture.h"

#include "tests/support/screenshot.h"
#include "tests/support/window_capture.h"

#include <algorithm>
#include <cwchar>
#include <memory>

BOOL TipOwner::PreTranslateMessage(MSG* pMsg) {
    bool bMine = pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd);
    bool bInput = (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST) ||
                  (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST);
    if (bMine && bInput && pHolder != nullptr)
        pHolder->RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL TipOwner::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* pHdr = reinterpret_cast<NMHDR*>(lParam);
    if (pHdr->code == TTN_POP) {
        nPops++;
        if (onPop)
            onPop();
        return TRUE;
    }
    if (pHdr->code != TTN_GETDISPINFOW)
        return CWnd::OnNotify(wParam, lParam, pResult);
    auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(lParam);
    nRequests++;
    nLastFlags = pInfo->uFlags;
    nLastIdFrom = pHdr->idFrom;
    if (answer) {
        answer(*pInfo, (UINT)wParam);
    } else {
        auto it = texts.find((UINT)wParam);
        if (it != texts.end())
            ::wcsncpy(pInfo->szText, it->second.c_str(), 79);
    }
    return TRUE;
}

void TipFixture::SetUp() {
    ASSERT_TRUE(owner.CreateEx(0, NULL, L"tip owner", WS_POPUP | WS_VISIBLE, 200, 200, 400, 200,
                               NULL, NULL));
    ASSERT_TRUE(toolA.CreateEx(0, NULL, L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 100, owner.m_hWnd,
                               (HMENU)(UINT_PTR)kChildIdA));
    ASSERT_TRUE(toolB.CreateEx(0, NULL, L"", WS_CHILD | WS_VISIBLE, 200, 0, 200, 100, owner.m_hWnd,
                               (HMENU)(UINT_PTR)kChildIdB));
    ASSERT_TRUE(holder.Create(&owner));
    ASSERT_TRUE(holder.AddTool(&toolA, LPSTR_TEXTCALLBACK, NULL, kToolA));
    ASSERT_TRUE(holder.AddTool(&toolB, L"tip B", NULL, kToolB));
    holder.Activate(TRUE);
    owner.pHolder = &holder;
    owner.texts[kToolA] = L"tip A";
    PumpPending();
}

void TipFixture::TearDown() {
    owner.pHolder = nullptr;
    owner.answer = nullptr;
    owner.onPop = nullptr;
    Tip().DestroyWindow();
    owner.DestroyWindow();
    PumpPending();
}

void TipFixture::PlaceOwner(int x, int y) {
    owner.SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpPending();
}

CPoint TipFixture::OwnerPoint(int x, int y) const {
    CPoint point(x, y);
    owner.ClientToScreen(&point);
    return point;
}

CRect TipFixture::TipRect() {
    CRect rect;
    Tip().GetWindowRect(&rect);
    return rect;
}

void PumpPending() {
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (CWnd::WalkPreTranslateTree(NULL, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD nMs) {
    DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > nMs)
            return false;
        PumpPending();
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

namespace {
void SendOne(INPUT input) {
    ::SendInput(1, &input, sizeof(INPUT));
    PumpUntil([] { return false; }, 30);
}
} // namespace

void MouseTo(CPoint ptScreen) {
    int cx = ::GetSystemMetrics(SM_CXSCREEN);
    int cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    // The centre of the pixel, on the 0..65535 scale over the screen.
    input.mi.dx = (LONG)(((LONGLONG)ptScreen.x * 65536 + 32768) / cx);
    input.mi.dy = (LONG)(((LONGLONG)ptScreen.y * 65536 + 32768) / cy);
    SendOne(input);
}

void MouseClick(CPoint ptScreen) {
    MouseTo(ptScreen);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendOne(input);
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendOne(input);
}

void KeyPress(WORD vk) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    SendOne(input);
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    SendOne(input);
}

void WindowShots::Add(HWND hWnd) {
    m_shots.push_back(CaptureShownWindow(hWnd));
}

bool WindowShots::Save(const std::wstring& path) const {
    const int kGap = 8;
    Picture sheet;
    sheet.cx = kGap;
    for (const Picture& shot : m_shots) {
        sheet.cx += shot.cx + kGap;
        sheet.cy = std::max(sheet.cy, shot.cy);
    }
    sheet.cy += 2 * kGap;
    sheet.pixels.assign((size_t)sheet.cx * sheet.cy, 0xFFFFFF);
    int x = kGap;
    for (const Picture& shot : m_shots) {
        for (int y = 0; y < shot.cy; ++y)
            for (int i = 0; i < shot.cx; ++i)
                sheet.Set(x + i, kGap + y, shot.At(i, y));
        x += shot.cx + kGap;
    }
    return SavePng(sheet, path);
}
