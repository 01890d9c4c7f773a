#include "toolbars/registered_messages.h"

const UINT WM_BARNOTIFY = ::RegisterWindowMessageW(L"WM_BARNOTIFY");
const UINT WM_NODELAYHIDE = ::RegisterWindowMessageW(L"WM_NODELAYHIDE");
const UINT WM_TOOLBARSTYLECHANGING = ::RegisterWindowMessageW(L"WM_TOOLBARSTYLECHANGING");
const UINT WM_SEC_MENUPROD = ::RegisterWindowMessageW(L"WM_SEC_MENUPROD");
const UINT SEC_CF_LISTCTRL = ::RegisterClipboardFormatW(L"SEC_CF_LISTCTRL");
