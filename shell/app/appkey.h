// The library's one registry key. The framework's profile, the "Reset" value and the deletion
// before the layout is saved all use HKEY_CURRENT_USER\Software\<key>\MoxGui, where <key> comes
// from the host's registry root.
#pragma once

#include "framework/afx.h"

// The key for the framework's SetRegistryKey: the host's root (host 2.3 and later) with
// "Software\" taken off its front, so that the framework's own "Software\" is not doubled. A
// missing or empty root gives "Orvex", so that the profile still lives in the registry.
CString LibraryRegistryKey();
// The pure rule behind it, for a root already read (null allowed).
CString RegistryKeyFromRoot(const wchar_t* root);
// The path under HKEY_CURRENT_USER of the profile key the application uses, "" before the key
// is set.
CString LibraryProfilePath();
// Deletes the library's profile key with its sub-keys, depth first; other keys stay.
void DeleteLibraryProfile();
