// A frame's keyboard shortcuts as accelerator entries: read from the main frame's accelerator
// table and put back as a new one, kept in a shortcut file, and written as key texts behind the
// menu items they start.
#pragma once

#include "framework/afx.h"
#include "toolbars/hotkeys.h"

class SECShortcutTable : public CArray<ACCEL, ACCEL&> {
    DECLARE_DYNAMIC(SECShortcutTable)
public:
    // The shortcut file: signature (the bytes "MACR"), version, count, entries.
    static const DWORD fileSignature = 0x5243414D;
    static const WORD fileVersion = 1;
    // The string resource of the prefix of character shortcuts with Alt.
    static const UINT idsAltPrefix = 20677;

    // Reads the main frame's table.
    SECShortcutTable();
    ~SECShortcutTable() override;

    // Rewrites the key texts of the main frame's menu and of every document template's menu.
    virtual BOOL UpdateMenus();
    // The file next to the host executable, or (bWindowsDir) the same name in the Windows
    // directory.
    virtual void GetFileName(CString& strFileName, BOOL bWindowsDir);
    // FALSE when no file could be read: the table keeps what it held when no file opens, and
    // holds the default shortcuts when a file is malformed.
    virtual BOOL Load();
    // FALSE when the file could not be written; an old file is replaced only by a complete one.
    virtual BOOL Save();
    // Installs the entries as the main frame's accelerator table.
    virtual BOOL Apply();
    // Copies the main frame's accelerator table (the first one read becomes the default).
    virtual BOOL ReadFromFrame();
    // Cuts the text at its first tab, then (not on a menu bar) appends a tab and the key text.
    virtual void FormatMenuText(CString& strText, const CString& strKeyText, BOOL bTopLevel);
    virtual void RewriteMenu(HMENU hMenu, BOOL bTopLevel);

    // The default shortcuts again.
    void ResetToDefault();
    // Assigns the hot-key code to the command: an entry with the same key and modifiers is
    // taken over, else one is appended. The entry's index.
    INT_PTR SetShortcut(WORD wHotKey, WORD wCommand);
    // The key text of an entry ("Ctrl+O", "Alt + x").
    static CString KeyText(const ACCEL& accel);

    // The file-name rule: the module path with the extension "MAC" in its file part; with a
    // Windows directory, that directory and the file part (a NULL or empty directory: the file
    // part alone, from its backslash).
    static CString MakeFileName(LPCTSTR lpszModulePath, LPCTSTR lpszWindowsDir, BOOL bWindowsDir);

private:
    void CopyFrom(HACCEL hAccel);
    static BOOL ReadFile(CFile& file, CArray<ACCEL, ACCEL&>& entries);
    void WriteFile(CFile& file) const;
    void RewriteItem(HMENU hMenu, UINT nPos, const CString& strText);
};
