// The shortcut file: read whole or not at all, written to a mirror that replaces the old file
// only once it is complete.
#include "toolbars/shortcut_table.h"

BOOL SECShortcutTable::ReadFile(CFile& file, CArray<ACCEL, ACCEL&>& entries) {
    CArchive ar(&file, CArchive::load, 4096);
    ar.m_strFileName = file.GetFilePath();
    DWORD dwSignature = 0;
    WORD wVersion = 0;
    ar >> dwSignature;
    if (dwSignature != fileSignature)
        AfxThrowArchiveException(CArchiveException::badSchema, ar.m_strFileName);
    ar >> wVersion;
    if (wVersion != fileVersion)
        AfxThrowArchiveException(CArchiveException::badSchema, ar.m_strFileName);
    WORD wCount = 0;
    ar >> wCount;
    DWORD dwCount = wCount;
    if (wCount == 0xFFFF)
        ar >> dwCount;
    // A count beyond the data is refused before anything is allocated for it.
    ar.CheckAvailable((ULONGLONG)dwCount * sizeof(ACCEL));
    entries.SetSize((INT_PTR)dwCount);
    if (dwCount > 0)
        AfxArchiveReadBytes(ar, entries.GetData(), dwCount * (UINT)sizeof(ACCEL));
    return TRUE;
}

void SECShortcutTable::WriteFile(CFile& file) const {
    CArchive ar(&file, CArchive::store, 4096);
    ar.m_strFileName = file.GetFilePath();
    ar << fileSignature << fileVersion;
    const DWORD dwCount = (DWORD)GetSize();
    if (dwCount < 0xFFFF)
        ar << (WORD)dwCount;
    else
        ar << (WORD)0xFFFF << dwCount;
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        const ACCEL& entry = GetAt(i);
        ar << (BYTE)entry.fVirt << (BYTE)0 << (WORD)entry.key << (WORD)entry.cmd;
    }
    ar.Close();
}

BOOL SECShortcutTable::Load() {
    CString names[2];
    GetFileName(names[0], FALSE);
    GetFileName(names[1], TRUE);
    CFile file;
    bool bOpen = false;
    for (const CString& name : names) {
        CFileException error;
        if (file.Open(name, CFile::modeRead | CFile::shareDenyWrite, &error)) {
            bOpen = true;
            break;
        }
    }
    if (!bOpen)
        return FALSE;
    CArray<ACCEL, ACCEL&> entries;
    try {
        ReadFile(file, entries);
    } catch (CArchiveException* e) {
        e->Delete();
        ResetToDefault();
        return FALSE;
    } catch (CFileException* e) {
        e->Delete();
        return FALSE;
    }
    Copy(entries);
    return TRUE;
}

BOOL SECShortcutTable::Save() {
    CString names[2];
    GetFileName(names[0], FALSE);
    GetFileName(names[1], TRUE);
    const UINT nFlags = CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive;
    CMirrorFile file;
    CFileException error;
    if (!file.Open(names[0], nFlags, &error) && !file.Open(names[1], nFlags, &error))
        return FALSE;
    try {
        WriteFile(file);
        file.Close(); // puts the complete file in place of the old one
    } catch (CArchiveException* e) {
        e->Delete();
        file.Abort();
        return FALSE;
    } catch (CFileException* e) {
        e->Delete();
        file.Abort();
        return FALSE;
    }
    return TRUE;
}
