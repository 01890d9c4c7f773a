#include "toolbars/hotkeys.h"

namespace {

bool IsExtendedKey(UINT nKey) {
    return (nKey >= VK_PRIOR && nKey <= VK_HELP) || (nKey >= VK_LWIN && nKey <= VK_APPS) ||
           nKey == VK_DIVIDE;
}

} // namespace

void AccelToHotKey(const ACCEL& accel, WORD& wHotKey) {
    BYTE flags = 0;
    if ((accel.fVirt & FVIRTKEY) != 0) {
        if (IsExtendedKey(accel.key))
            flags |= HOTKEYF_EXT;
        if ((accel.fVirt & FALT) != 0)
            flags |= HOTKEYF_ALT;
        if ((accel.fVirt & FCONTROL) != 0)
            flags |= HOTKEYF_CONTROL;
        if ((accel.fVirt & FSHIFT) != 0)
            flags |= HOTKEYF_SHIFT;
    }
    wHotKey = (WORD)((flags << 8) | (accel.key & 0xFF));
}

void HotKeyToAccel(WORD wHotKey, ACCEL& accel) {
    const BYTE flags = HIBYTE(wHotKey);
    accel.key = LOBYTE(wHotKey);
    accel.fVirt = FVIRTKEY | FNOINVERT;
    if ((flags & HOTKEYF_SHIFT) != 0)
        accel.fVirt |= FSHIFT;
    if ((flags & HOTKEYF_CONTROL) != 0)
        accel.fVirt |= FCONTROL;
    if ((flags & HOTKEYF_ALT) != 0)
        accel.fVirt |= FALT;
}

CString GetKeyName(UINT nVirtKey, BOOL bExtended) {
    const UINT nScan = ::MapVirtualKeyW(nVirtKey, MAPVK_VK_TO_VSC);
    LONG lParam = (LONG)(nScan << 16);
    if (bExtended)
        lParam |= 1L << 24;
    wchar_t name[65] = {};
    const int n = ::GetKeyNameTextW(lParam, name, 65);
    return CString(name, n > 0 ? (n < 64 ? n : 64) : 0);
}

BOOL HotKeyToText(WORD wHotKey, CString& text) {
    text.Empty();
    if (wHotKey == 0)
        return FALSE;
    const BYTE flags = HIBYTE(wHotKey);
    const UINT nKey = LOBYTE(wHotKey);
    const bool bPlain =
        (flags & (HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_SHIFT | HOTKEYF_EXT)) == 0;
    // Only digits and letters are their own text: F5 (0x74) would read "t".
    if (bPlain && ((nKey >= '0' && nKey <= '9') || (nKey >= 'A' && nKey <= 'Z'))) {
        text = CString((wchar_t)nKey, 1);
        return TRUE;
    }
    if ((flags & HOTKEYF_CONTROL) != 0)
        text += GetKeyName(VK_CONTROL, FALSE) + L"+";
    if ((flags & HOTKEYF_ALT) != 0)
        text += GetKeyName(VK_MENU, FALSE) + L"+";
    if ((flags & HOTKEYF_SHIFT) != 0)
        text += GetKeyName(VK_SHIFT, FALSE) + L"+";
    text += GetKeyName(nKey, (flags & HOTKEYF_EXT) != 0);
    return !text.IsEmpty();
}
