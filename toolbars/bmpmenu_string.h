// The text of a menu item, read the same way whether or not a bitmap menu has made the item
// owner-drawn.
#pragma once

#include "framework/afx.h"

// Reads the item's text into lpszBuffer (nMaxCount characters, terminator included); the item
// is taken by position with MF_BYPOSITION, else by command id. A string item answers TRUE; an
// owner-drawn item that a bitmap menu converted answers with the text it keeps, TRUE when that
// is not empty; anything else answers FALSE with an empty buffer. A text longer than the
// buffer is cut and always terminated.
BOOL GetBmpMenuString(HMENU hMenu, UINT nItem, LPTSTR lpszBuffer, int nMaxCount, UINT nFlags);
// The same into a string of any length.
BOOL GetBmpMenuString(HMENU hMenu, UINT nItem, CString& text, UINT nFlags);
