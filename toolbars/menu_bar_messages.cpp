// SECMenuBarMessages: the menu bar's keyboard mode. Alt or F10 alone highlights a button; a
// thread keyboard hook then moves the highlight (Left, Right), opens the popup (Down, Enter),
// takes mnemonics and leaves (Escape); a thread mouse hook leaves at any click.
#include "toolbars/menu_bar.h"
#include "toolbars/menu_bar_feature.h"

#include "framework/core/guard.h"
#include "toolbars/registered_messages.h"

// The docking frames make their menu-bar feature through the maker registered here, beside the
// keyboard mode that every menu bar links, so that a program that has a menu bar always has the
// feature too.
IMPLEMENT_DYNCREATE(SECMenuBarFeature, SECBmpMenuPlugIn)
namespace {
const SECMenuPlugInFactoryOf<SECMenuBarFeature>
    kMenuBarFeatureMaker(SECMenuPlugInFactory::kindMenuBarFeature);
}

SECMenuBarMessages* SECMenuBarMessages::s_pTracking = nullptr;
BOOL SECMenuBarMessages::s_bTrackingMenu = FALSE;

SECMenuBarMessages::~SECMenuBarMessages() {
    RemoveHooks();
    if (SECMenuBar* pBar = GetMenuBar())
        pBar->SetMessages(nullptr);
}

void SECMenuBarMessages::SetMenuBar(SECMenuBar* pMenuBar) {
    if (pMenuBar == m_pMenuBar)
        return;
    LeaveKeyboardMode();
    if (SECMenuBar* pOld = GetMenuBar())
        if (pOld->GetMessages() == this)
            pOld->SetMessages(nullptr);
    m_pMenuBar = pMenuBar;
    m_hMenuBar = pMenuBar != nullptr ? pMenuBar->GetSafeHwnd() : NULL;
    if (pMenuBar != nullptr)
        pMenuBar->SetMessages(this);
}

SECMenuBar* SECMenuBarMessages::GetMenuBar() const {
    // A bar made after the binding, or one that has gone, is looked up by its window.
    if (m_pMenuBar == nullptr)
        return nullptr;
    if (m_hMenuBar == NULL)
        return m_pMenuBar;
    return ::IsWindow(m_hMenuBar) && CWnd::FromHandlePermanent(m_hMenuBar) == m_pMenuBar
               ? m_pMenuBar
               : nullptr;
}

void SECMenuBarMessages::SetNegotiatedBorder() {
    if (SECMenuBar* pBar = GetMenuBar())
        pBar->SetNegotiatedBorder();
}

BOOL SECMenuBarMessages::EnterKeyboardMode(int nIndex) {
    SECMenuBar* pBar = GetMenuBar();
    if (pBar == nullptr || pBar->GetSafeHwnd() == NULL || !pBar->IsWindowVisible())
        return FALSE;
    m_hMenuBar = pBar->GetSafeHwnd();
    if (nIndex < 0)
        nIndex = pBar->FirstVisibleButton();
    if (nIndex < 0)
        return FALSE;
    if (s_pTracking != nullptr && s_pTracking != this)
        s_pTracking->LeaveKeyboardMode();
    pBar->SetTrackingButton(nIndex);
    m_bKeyboardMode = TRUE;
    s_pTracking = this;
    const DWORD dwThread = ::GetCurrentThreadId();
    if (m_hKeyboardHook == NULL)
        m_hKeyboardHook =
            ::SetWindowsHookExW(WH_KEYBOARD, &SECMenuBarMessages::KeyboardHook, NULL, dwThread);
    if (m_hMouseHook == NULL)
        m_hMouseHook =
            ::SetWindowsHookExW(WH_MOUSE, &SECMenuBarMessages::MouseHook, NULL, dwThread);
    return TRUE;
}

void SECMenuBarMessages::RemoveHooks() {
    if (m_hKeyboardHook != NULL)
        ::UnhookWindowsHookEx(m_hKeyboardHook);
    if (m_hMouseHook != NULL)
        ::UnhookWindowsHookEx(m_hMouseHook);
    m_hKeyboardHook = m_hMouseHook = NULL;
    if (s_pTracking == this)
        s_pTracking = nullptr;
}

void SECMenuBarMessages::LeaveKeyboardMode() {
    RemoveHooks();
    if (!m_bKeyboardMode)
        return;
    m_bKeyboardMode = FALSE;
    // A popup that is open keeps its button until it closes.
    SECMenuBar* pBar = GetMenuBar();
    if (pBar != nullptr && !s_bTrackingMenu)
        pBar->ExitTrackingMode();
}

BOOL SECMenuBarMessages::OnKeyMenu(LPARAM lParam) {
    SECMenuBar* pBar = GetMenuBar();
    if (pBar == nullptr || pBar->GetSafeHwnd() == NULL)
        return FALSE;
    if (lParam == 0) {
        // Alt or F10 alone switches keyboard mode on and off.
        if (m_bKeyboardMode)
            LeaveKeyboardMode();
        else
            EnterKeyboardMode();
        return TRUE;
    }
    if (lParam == ' ')
        return FALSE; // the frame's system menu
    const int nIndex = pBar->FindMnemonic(static_cast<WCHAR>(lParam));
    if (nIndex < 0)
        return FALSE;
    pBar->PostMessage(WM_SEC_MENUPROD, static_cast<WPARAM>(nIndex), TRUE);
    return TRUE;
}

BOOL SECMenuBarMessages::PreTranslateKey(const MSG& msg) {
    SECMenuBar* pBar = GetMenuBar();
    if (pBar == nullptr || pBar->GetSafeHwnd() == NULL || !pBar->IsWindowVisible() ||
        msg.hwnd == NULL ||
        ::GetAncestor(msg.hwnd, GA_ROOT) != ::GetAncestor(pBar->m_hWnd, GA_ROOT))
        return FALSE;
    switch (msg.message) {
    case WM_SYSKEYDOWN:
        if (msg.wParam == VK_MENU) {
            if (!(msg.lParam & 0x40000000)) // not a repeat
                m_bAltAlone = TRUE;
            return FALSE;
        }
        m_bAltAlone = FALSE;
        // F10 acts on its release; Shift+F10 is the context menu's.
        return msg.wParam == VK_F10 && ::GetKeyState(VK_SHIFT) >= 0;
    case WM_KEYDOWN:
        m_bAltAlone = FALSE;
        return FALSE;
    case WM_SYSKEYUP: {
        const bool bAlone = (msg.wParam == VK_MENU && m_bAltAlone) ||
                            (msg.wParam == VK_F10 && ::GetKeyState(VK_SHIFT) >= 0);
        m_bAltAlone = FALSE;
        return bAlone && OnKeyMenu(0);
    }
    case WM_SYSCHAR:
        return msg.wParam != ' ' && OnKeyMenu(static_cast<LPARAM>(msg.wParam));
    default:
        return FALSE;
    }
}

BOOL SECMenuBarMessages::OnHookKey(UINT vk, BOOL bRelease) {
    SECMenuBar* pBar = GetMenuBar();
    if (pBar == nullptr) {
        LeaveKeyboardMode();
        return FALSE;
    }
    if (bRelease)
        return vk != VK_MENU;
    switch (vk) {
    case VK_MENU:
    case VK_SHIFT:
    case VK_CONTROL:
        return FALSE; // Alt's release toggles keyboard mode off through SC_KEYMENU
    case VK_RETURN:
    case VK_DOWN:
        pBar->PostMessage(WM_SEC_MENUPROD, static_cast<WPARAM>(pBar->GetTrackingButton()), TRUE);
        return TRUE;
    case VK_ESCAPE:
    case VK_F10:
        LeaveKeyboardMode();
        return TRUE;
    case VK_LEFT:
    case VK_RIGHT: {
        const BOOL bForward = vk == VK_RIGHT;
        int nNext = pBar->NextSelectableButton(bForward);
        if (nNext < 0)
            nNext = bForward ? pBar->FirstVisibleButton() : pBar->LastVisibleButton();
        if (nNext >= 0)
            pBar->SetTrackingButton(nNext);
        return TRUE;
    }
    default: {
        const UINT c = ::MapVirtualKeyW(vk, MAPVK_VK_TO_CHAR) & 0xFFFF;
        pBar->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, c);
        return TRUE;
    }
    }
}

LRESULT CALLBACK SECMenuBarMessages::KeyboardHook(int nCode, WPARAM wParam, LPARAM lParam) {
    SECMenuBarMessages* pThis = s_pTracking;
    const HHOOK hHook = pThis != nullptr ? pThis->m_hKeyboardHook : NULL;
    // While a popup is open its own loop has the keys.
    const BOOL bTaken = AfxGuardWndProc(L"menu bar keyboard hook", FALSE, [&]() -> BOOL {
        return nCode == HC_ACTION && pThis != nullptr && !s_bTrackingMenu &&
               pThis->OnHookKey(static_cast<UINT>(wParam), (lParam & 0x80000000) != 0);
    });
    if (bTaken)
        return 1;
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

LRESULT CALLBACK SECMenuBarMessages::MouseHook(int nCode, WPARAM wParam, LPARAM lParam) {
    SECMenuBarMessages* pThis = s_pTracking;
    const LRESULT result =
        ::CallNextHookEx(pThis != nullptr ? pThis->m_hMouseHook : NULL, nCode, wParam, lParam);
    if (nCode != HC_ACTION || pThis == nullptr || s_bTrackingMenu)
        return result;
    switch (wParam) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        // The click itself goes on to its window.
        AfxGuardWndProc(L"menu bar mouse hook", 0, [&] {
            pThis->LeaveKeyboardMode();
            return 0;
        });
        break;
    default:
        break;
    }
    return result;
}
