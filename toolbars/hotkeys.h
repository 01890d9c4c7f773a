// Keyboard shortcuts in their three forms: accelerator entries, the hot-key codes of the
// Windows hot-key control (key in the low byte, HOTKEYF_* flags in the next), and key texts.
#pragma once

#include "framework/afx.h"

static_assert(sizeof(ACCEL) == 6, "an accelerator entry is 6 bytes in memory and in files");

// The hot-key code of an accelerator entry. A virtual-key entry gets HOTKEYF_EXT for the keys
// that sit on the extended part of the keyboard, and one flag per modifier; a character entry
// gets no flags.
void AccelToHotKey(const ACCEL& accel, WORD& wHotKey);
// The accelerator entry of a hot-key code: a virtual key, no invert, the modifiers; the command
// is left as it is.
void HotKeyToAccel(WORD wHotKey, ACCEL& accel);
// The key's name from the keyboard layout (at most 64 characters); empty when it has none.
CString GetKeyName(UINT nVirtKey, BOOL bExtended);
// The text of a hot-key code: the modifier names, each followed by "+", then the key's name. A
// plain digit or letter is the character itself. FALSE with an empty text for code 0.
BOOL HotKeyToText(WORD wHotKey, CString& text);
