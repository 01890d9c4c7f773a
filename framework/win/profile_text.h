// What profile (ini) files hold, shared by the application's profile settings and by anything
// else that keeps settings in an ini file: binary values as text, and values read whole.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/core/cstring.h"

// Binary values as text: two letters a byte, "A" plus the low half, then "A" plus the high half.
CString AfxEncodeProfileBinary(const BYTE* pData, UINT nBytes);
// False (out emptied) for text of odd length or with a letter outside "A".."P".
bool AfxDecodeProfileBinary(const CString& text, std::vector<BYTE>& out);

// A whole profile string, or with no key the section's key list (null-separated), growing the
// buffer while the result fills it; nothing is ever cut. The first size is a hint. False when
// the text would pass 16 M characters.
bool AfxReadWholeProfileString(LPCWSTR lpszSection, LPCWSTR lpszKey, LPCWSTR lpszDefault,
                               LPCWSTR lpszFile, DWORD dwFirstSize, std::wstring& text);
