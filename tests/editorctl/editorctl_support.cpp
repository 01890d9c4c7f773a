#include "editorctl_support.h"

#include "editor/edit_controller.h"

namespace ectest {

void PumpTranslated() {
    MSG msg;
    for (int round = 0; round < 4; ++round)
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (CWnd::WalkPreTranslateTree(::GetAncestor(msg.hwnd, GA_ROOT), &msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
}

namespace {
void SetModifiers(unsigned mods) {
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    auto set = [&](int vk, bool on) { state[vk] = on ? 0x80 : 0; };
    set(VK_CONTROL, mods & kCtrl);
    set(VK_LCONTROL, mods & kCtrl);
    set(VK_SHIFT, mods & kShift);
    set(VK_LSHIFT, mods & kShift);
    set(VK_MENU, mods & kAlt);
    set(VK_LMENU, mods & kAlt);
    ::SetKeyboardState(state);
}
} // namespace

void Key(HWND window, UINT vk, unsigned mods) {
    SetModifiers(mods);
    const UINT down = (mods & kAlt) ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const UINT up = (mods & kAlt) ? WM_SYSKEYUP : WM_KEYUP;
    const LPARAM alt = (mods & kAlt) ? (1 << 29) : 0;
    ::PostMessageW(window, down, vk, 1 | alt);
    PumpTranslated();
    ::PostMessageW(window, up, vk, 1 | alt | (1u << 30) | (1u << 31));
    PumpTranslated();
    SetModifiers(kNone);
}

void Type(HWND window, const std::wstring& text) {
    for (wchar_t ch : text) {
        ::PostMessageW(window, WM_CHAR, ch, 1);
        PumpTranslated();
    }
}

std::wstring Text(SECEditModel& model) {
    CString all;
    model.GetAllText(all);
    return std::wstring(static_cast<LPCWSTR>(all), size_t(all.GetLength()));
}

Editor::Editor(int width, int height) : Host(width, height) {
    ::SetForegroundWindow(Frame().m_hWnd);
    ::SetFocus(Window());
    PumpTranslated();
}

void Editor::Load(const wchar_t* text) {
    Host::Load(text);
    Model().ClearUndo();
    if (SECEditLangConfig* config = Model().GetLangConfig()) {
        config->SetAutoIndent(TRUE);
        config->SetTabSize(4);
        config->SetReplaceTabs(FALSE);
    }
    Controller().ClearSelection(FALSE);
    SetCaret(0, 0);
    PumpTranslated();
}

void Editor::SetCaret(int line, int column) {
    const CPoint p = PointOf(line, column) + CPoint(column ? 1 : 0, LineHeight() / 2);
    ::PostMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    ::PostMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    PumpTranslated();
}

CPoint Editor::CellPoint(int line, int column) {
    CPoint p = PointOf(line, column);
    return CPoint(p.x + CharWidth() / 2 - 1, p.y + LineHeight() / 2);
}

} // namespace ectest
