#include "tip_fixture.h"

#include "tests/support/screenshot.h"

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

WindowShots::~WindowShots() {
    for (HBITMAP hBitmap : m_bitmaps)
        ::DeleteObject(hBitmap);
}

void WindowShots::Add(HWND hWnd) {
    RECT rect;
    ::GetWindowRect(hWnd, &rect);
    SIZE size = {rect.right - rect.left, rect.bottom - rect.top};
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, size.cx, size.cy);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    HDC hWindow = ::GetWindowDC(hWnd);
    ::BitBlt(hMem, 0, 0, size.cx, size.cy, hWindow, 0, 0, SRCCOPY);
    ::ReleaseDC(hWnd, hWindow);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);
    m_bitmaps.push_back(hBitmap);
    m_sizes.push_back(size);
}

bool WindowShots::Save(const std::wstring& path) const {
    const int kGap = 8;
    int cx = kGap, cy = 0;
    for (const SIZE& size : m_sizes) {
        cx += size.cx + kGap;
        cy = std::max(cy, (int)size.cy);
    }
    cy += 2 * kGap;
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HDC hShot = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    RECT all = {0, 0, cx, cy};
    ::FillRect(hMem, &all, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    int x = kGap;
    for (size_t i = 0; i < m_bitmaps.size(); i++) {
        HGDIOBJ hOldShot = ::SelectObject(hShot, m_bitmaps[i]);
        ::BitBlt(hMem, x, kGap, m_sizes[i].cx, m_sizes[i].cy, hShot, 0, 0, SRCCOPY);
        ::SelectObject(hShot, hOldShot);
        x += m_sizes[i].cx + kGap;
    }
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hShot);
    ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);
    bool ok = WriteBitmapPng(hBitmap, path);
    ::DeleteObject(hBitmap);
    return ok;
}
