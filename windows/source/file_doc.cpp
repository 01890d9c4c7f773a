#include "windows/source/file_doc.h"

#include "windows/source/file_view.h"

#include <cwctype>

IMPLEMENT_DYNCREATE(CFileDoc, CTarvikDoc)

BEGIN_MESSAGE_MAP(CFileDoc, CTarvikDoc)
ON_COMMAND(kCmdLanguageConfig, OnLanguageConfigCommand)
END_MESSAGE_MAP()

namespace {
bool AsciiText(unsigned char c) {
    return (c >= 0x20 && c <= 0x7E) || (c >= 0x09 && c <= 0x0D);
}

bool WideText(wchar_t c) {
    return std::iswprint(c) || std::iswspace(c);
}

void FileError(const CString& text) {
    ::MessageBoxW(NULL, text, L"File Error", MB_ICONEXCLAMATION);
}
} // namespace

FileTextKind SniffFileText(const unsigned char* bytes, size_t count) {
    size_t i = 0;
    while (i < count && AsciiText(bytes[i]))
        ++i;
    if (i == count)
        return FileTextKind::Ascii;
    size_t unit = 0;
    // The byte-order mark is a format character, not printable text: it only says what
    // follows.
    if (count >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
        unit = 1;
    const size_t units = count / 2;
    for (; unit < units; ++unit)
        if (!WideText(static_cast<wchar_t>(bytes[2 * unit] | (bytes[2 * unit + 1] << 8))))
            return FileTextKind::Binary;
    return FileTextKind::Utf16;
}

CFileDoc::CFileDoc() {
    m_viewerModel.ResetDocument();
}

void CFileDoc::SetTitle(LPCTSTR) {
    CFileView* view = GetFileView();
    CString title;
    title.Format(L"View File: %s", view ? view->GetFilePath().GetString() : L"");
    CDocument::SetTitle(title);
}

BOOL CFileDoc::OnOpenDocument(LPCTSTR lpszPathName) {
    if (lpszPathName == nullptr)
        return FALSE;
    CString path(lpszPathName);
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        CString text;
        text.Format(L"Unable to open file %s", path.GetString());
        FileError(text);
        return FALSE;
    }
    unsigned char bytes[kFileSniffBytes];
    DWORD got = 0;
    const BOOL read = ::ReadFile(file, bytes, sizeof bytes, &got, nullptr);
    ::CloseHandle(file);
    if (!read) {
        CString text;
        text.Format(L"Unable to open file %s", path.GetString());
        FileError(text);
        return FALSE;
    }
    if (!CDocument::OnOpenDocument(lpszPathName))
        return FALSE;
    SelectLanguage(lpszPathName);
    if (CFileView* view = GetFileView())
        view->SetFilePath(lpszPathName);
    if (SniffFileText(bytes, got) == FileTextKind::Binary) {
        CString text;
        text.Format(L"Cannot display the contents of %s,\n\rbecause it is not an ASCII or Unicode "
                    L"file",
                    path.GetString());
        FileError(text);
        return FALSE;
    }
    return LoadModel(m_viewerModel, lpszPathName);
}

BOOL CFileDoc::SaveModified() {
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CFileDoc::OnLanguageConfig() {
    CFileView* view = GetFileView();
    SECEditController* controller =
        view ? dynamic_cast<SECEditController*>(view->GetController()) : nullptr;
    RunLanguageConfig(controller, m_viewerModel);
}

CFileView* CFileDoc::GetFileView() const {
    return FirstViewOf<CFileView>(*this);
}
