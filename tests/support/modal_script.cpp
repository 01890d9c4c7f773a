#include "tests/support/modal_script.h"

#include <functional>
#include <iterator>
#include <vector>

namespace {
ModalScript* g_pActive = nullptr;

struct Search {
    const std::wstring* caption;
    HWND hFound;
};

BOOL CALLBACK FindCaption(HWND hWnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    wchar_t text[128] = L"", cls[32] = L"";
    ::GetWindowTextW(hWnd, text, 128);
    ::GetClassNameW(hWnd, cls, 32);
    // Dialogs and sheets only: a frame may carry the same caption.
    if (::IsWindowVisible(hWnd) && *search->caption == text && std::wstring(cls) == L"#32770") {
        search->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

INPUT MouseAt(POINT pt, DWORD flags) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>((pt.x * 65535LL) / (::GetSystemMetrics(SM_CXSCREEN) - 1));
    in.mi.dy = static_cast<LONG>((pt.y * 65535LL) / (::GetSystemMetrics(SM_CYSCREEN) - 1));
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    return in;
}

INPUT Key(WORD vk, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}
} // namespace

HWND FindThreadWindow(const wchar_t* caption) {
    const std::wstring text(caption);
    Search search{&text, NULL};
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindCaption, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

ModalScript::ModalScript() : m_lastTime(::GetTickCount()) {
    g_pActive = this;
    m_timer = ::SetTimer(NULL, 0, 30, &ModalScript::OnTimer);
}

ModalScript::~ModalScript() {
    ::KillTimer(NULL, m_timer);
    g_pActive = nullptr;
}

ModalScript& ModalScript::Then(const wchar_t* caption, std::function<int(HWND)> step) {
    m_steps.push_back({caption, std::move(step)});
    return *this;
}

void CALLBACK ModalScript::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    ModalScript* self = g_pActive;
    if (self == nullptr || self->m_running)
        return;
    if (self->m_steps.empty()) {
        if (self->m_lastCaption.empty() || ::GetTickCount() - self->m_lastTime < 20000)
            return;
        if (HWND hLeft = FindThreadWindow(self->m_lastCaption.c_str()))
            ::PostMessageW(hLeft, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    HWND hWnd = FindThreadWindow(self->m_steps.front().caption.c_str());
    if (hWnd == NULL)
        return;
    Step step = std::move(self->m_steps.front());
    self->m_steps.pop_front();
    self->m_running = true;
    const int nCommand = step.run(hWnd);
    self->m_running = false;
    self->m_lastCaption = step.caption;
    self->m_lastTime = ::GetTickCount();
    if (nCommand != 0 && ::IsWindow(hWnd))
        ::PostMessageW(hWnd, WM_COMMAND, MAKEWPARAM(nCommand, BN_CLICKED), 0);
}

void PumpFor(DWORD ms) {
    const DWORD start = ::GetTickCount();
    MSG msg;
    do {
        while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    } while (::GetTickCount() - start < ms);
}

namespace {
// The press and the moves of a drag from one point to another.
std::vector<INPUT> PressAndMove(POINT from, POINT to) {
    ::SetCursorPos(from.x, from.y);
    // Two presses in one place would make a double click.
    PumpFor(::GetDoubleClickTime() + 50);
    std::vector<INPUT> inputs;
    inputs.push_back(MouseAt(from, 0));
    inputs.push_back(MouseAt(from, MOUSEEVENTF_LEFTDOWN));
    const int nSteps = 6;
    for (int i = 1; i <= nSteps; ++i) {
        POINT pt = {from.x + (to.x - from.x) * i / nSteps, from.y + (to.y - from.y) * i / nSteps};
        inputs.push_back(MouseAt(pt, 0));
    }
    return inputs;
}

const std::function<void()>* g_pWhileHeld = nullptr;
POINT g_releaseAt{};

void CALLBACK ReleaseHeldButton(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(NULL, id);
    if (g_pWhileHeld != nullptr)
        (*g_pWhileHeld)();
    g_pWhileHeld = nullptr;
    INPUT up = MouseAt(g_releaseAt, MOUSEEVENTF_LEFTUP);
    ::SendInput(1, &up, sizeof(INPUT));
}
} // namespace

void DragWithMouseHolding(POINT from, POINT to, const std::function<void()>& whileHeld) {
    std::vector<INPUT> inputs = PressAndMove(from, to);
    g_pWhileHeld = &whileHeld;
    g_releaseAt = to;
    ::SetTimer(NULL, 0, 400, &ReleaseHeldButton);
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpFor(1000);
    g_pWhileHeld = nullptr;
}

void DragWithMouse(POINT from, POINT to, bool bCtrl) {
    std::vector<INPUT> inputs;
    if (bCtrl)
        inputs.push_back(Key(VK_CONTROL, false));
    const std::vector<INPUT> moves = PressAndMove(from, to);
    inputs.insert(inputs.end(), moves.begin(), moves.end());
    inputs.push_back(MouseAt(to, MOUSEEVENTF_LEFTUP));
    if (bCtrl)
        inputs.push_back(Key(VK_CONTROL, true));
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpFor(400);
}

void DoubleClickWithMouse(POINT at) {
    ::SetCursorPos(at.x, at.y);
    // An earlier press here must not pair with the first of these two.
    PumpFor(::GetDoubleClickTime() + 50);
    const INPUT inputs[] = {MouseAt(at, 0), MouseAt(at, MOUSEEVENTF_LEFTDOWN),
                            MouseAt(at, MOUSEEVENTF_LEFTUP), MouseAt(at, MOUSEEVENTF_LEFTDOWN),
                            MouseAt(at, MOUSEEVENTF_LEFTUP)};
    ::SendInput(static_cast<UINT>(std::size(inputs)), const_cast<INPUT*>(inputs), sizeof(INPUT));
    PumpFor(400);
}
