#include "toolbars/shortcut_table.h"

#include <algorithm>
#include <string>

IMPLEMENT_DYNAMIC(SECShortcutTable, CObject)

namespace {

// The first accelerator table read from the main frame: never destroyed here.
HACCEL g_hDefaultAccel = NULL;

CFrameWnd* MainFrame() {
    return DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
}

CString ModulePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(NULL, &buffer[0], (DWORD)buffer.size());
        if (n == 0)
            return CString();
        if (n < buffer.size() || buffer.size() >= 32768)
            return CString(buffer.c_str(), (int)n);
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

SECShortcutTable::SECShortcutTable() {
    ReadFromFrame();
}

SECShortcutTable::~SECShortcutTable() {}

void SECShortcutTable::CopyFrom(HACCEL hAccel) {
    const int n = hAccel != NULL ? ::CopyAcceleratorTableW(hAccel, NULL, 0) : 0;
    SetSize(n > 0 ? n : 0);
    if (n > 0)
        ::CopyAcceleratorTableW(hAccel, GetData(), n);
}

BOOL SECShortcutTable::ReadFromFrame() {
    CFrameWnd* pFrame = MainFrame();
    HACCEL hAccel = pFrame != NULL ? pFrame->GetAccelTable() : NULL;
    if (hAccel == NULL) {
        RemoveAll();
        return FALSE;
    }
    if (g_hDefaultAccel == NULL)
        g_hDefaultAccel = hAccel;
    CopyFrom(hAccel);
    return TRUE;
}

void SECShortcutTable::ResetToDefault() {
    CopyFrom(g_hDefaultAccel);
}

BOOL SECShortcutTable::Apply() {
    CFrameWnd* pFrame = MainFrame();
    if (pFrame == NULL || GetSize() == 0)
        return FALSE;
    HACCEL hNew = ::CreateAcceleratorTableW(GetData(), (int)GetSize());
    if (hNew == NULL)
        return FALSE;
    HACCEL hOld = pFrame->GetAccelTable();
    if (hOld != NULL && hOld != g_hDefaultAccel)
        ::DestroyAcceleratorTable(hOld);
    pFrame->SetAccelTable(hNew);
    UpdateMenus();
    return TRUE;
}

INT_PTR SECShortcutTable::SetShortcut(WORD wHotKey, WORD wCommand) {
    ACCEL accel = {};
    HotKeyToAccel(wHotKey, accel);
    accel.cmd = wCommand;
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        ACCEL& entry = ElementAt(i);
        if (entry.key == accel.key && (BYTE)(entry.fVirt | FVIRTKEY | FNOINVERT) == accel.fVirt) {
            entry = accel;
            return i;
        }
    }
    return Add(accel);
}

CString SECShortcutTable::MakeFileName(LPCTSTR lpszModulePath, LPCTSTR lpszWindowsDir,
                                       BOOL bWindowsDir) {
    CString path = lpszModulePath != NULL ? lpszModulePath : L"";
    const int nSlash = std::max(path.ReverseFind(L'\\'), path.ReverseFind(L'/'));
    // The extension of the file part only: a dot in a folder name is no extension.
    const int nDot = path.ReverseFind(L'.');
    if (nDot > nSlash)
        path = path.Left(nDot + 1) + L"MAC";
    else
        path += L".MAC";
    if (!bWindowsDir)
        return path;
    const CString part = nSlash >= 0 ? path.Mid(nSlash) : CString(L"\\") + path;
    CString dir = lpszWindowsDir != NULL ? lpszWindowsDir : L"";
    while (!dir.IsEmpty() &&
           (dir[dir.GetLength() - 1] == L'\\' || dir[dir.GetLength() - 1] == L'/'))
        dir = dir.Left(dir.GetLength() - 1);
    return dir + part;
}

void SECShortcutTable::GetFileName(CString& strFileName, BOOL bWindowsDir) {
    wchar_t windows[MAX_PATH] = {};
    const UINT n = bWindowsDir ? ::GetWindowsDirectoryW(windows, MAX_PATH) : 0;
    strFileName = MakeFileName(ModulePath(), n > 0 && n < MAX_PATH ? windows : NULL, bWindowsDir);
}
