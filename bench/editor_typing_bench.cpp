// Times typing into a large file: 10,000 characters posted as WM_CHAR into the middle of a
// 100,000-line file, each pumped (painting included) before the next. The floor, in the same
// run and window: the same inserts as text-model commands, each followed by one ExtTextOutW of
// the changed line. Target: at most 3x the floor.
#include "bench/bench_clock.h"
#include "editor/edit_ctrl.h"
#include "editor/edit_model.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr int kLines = 100000;
constexpr int kChars = 10000;

std::wstring File() {
    std::wstring text;
    text.reserve(size_t(kLines) * 40);
    for (int i = 0; i < kLines; ++i)
        text += L"\tint value_" + std::to_wstring(i) + L" = compute(a, b);\n";
    return text;
}

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (CWnd::WalkPreTranslateTree(::GetAncestor(msg.hwnd, GA_ROOT), &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

wchar_t CharAt(int i) {
    return (i % 7 == 6) ? L' ' : wchar_t(L'a' + i % 26);
}

} // namespace

int main() {
    CWnd frame;
    frame.CreateEx(0, nullptr, L"typing bench", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                   nullptr);
    auto ctrl = std::make_unique<SECEditCtrl>();
    CRect client;
    ::GetClientRect(frame.m_hWnd, &client);
    ctrl->Create(nullptr, L"SECEdit", WS_CHILD | WS_VISIBLE, client, &frame, 100);
    SECEditModel& model = *ctrl->GetEditModel();
    const std::wstring text = File();
    const int middle = kLines / 2;

    // Floor: the model alone, one line drawn per insert.
    model.SetText(text.c_str());
    HDC dc = ::GetDC(ctrl->m_hWnd);
    double start = Now();
    for (int i = 0; i < kChars; ++i) {
        const wchar_t ch[2] = {CharAt(i), 0};
        const int column = model.GetLineTextLength(middle);
        model.InsertTextAt(middle, column, ch);
        CString line;
        const wchar_t* p = nullptr;
        const int n = model.GetLinePointer(middle, line, p);
        ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &client, p, UINT(std::min(n, 200)), nullptr);
    }
    const double floor = Now() - start;
    ::ReleaseDC(ctrl->m_hWnd, dc);

    // The editor: real WM_CHAR through the window, pumped and painted after each.
    model.SetText(text.c_str());
    model.ClearUndo();
    ::SetForegroundWindow(frame.m_hWnd);
    ::SetFocus(ctrl->m_hWnd);
    ctrl->GetEditController()->SetCaretPosition(middle, 0, FALSE);
    ctrl->GetEditController()->ScrollToCaret();
    Pump();
    start = Now();
    for (int i = 0; i < kChars; ++i) {
        ::PostMessageW(ctrl->m_hWnd, WM_CHAR, CharAt(i), 1);
        Pump();
        ::UpdateWindow(ctrl->m_hWnd);
    }
    const double typed = Now() - start;
    std::printf("(b) 10,000 WM_CHAR into line %d of %d lines: %.3f s, floor %.3f s, ratio %.2f "
                "(target <= 3.00), %d undo steps\n",
                middle, kLines, typed, floor, floor > 0 ? typed / floor : 0.0,
                model.GetUndoCount());
    ctrl->DestroyWindow();
    frame.DestroyWindow();
    return 0;
}
