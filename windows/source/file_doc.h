// The file viewer's document: a file the host asks to show read-only, refused when its first
// bytes are neither ASCII nor UTF-16 text.
#pragma once

#include "windows/source/src_doc.h"

#include <cstddef>

class CFileView;

// What the first bytes of a file are. A UTF-16 byte-order mark counts as UTF-16 text.
enum class FileTextKind { Ascii, Utf16, Binary };
FileTextKind SniffFileText(const unsigned char* bytes, size_t count);
// The most bytes the sniff reads.
constexpr size_t kFileSniffBytes = 2048;

class CFileDoc : public CTarvikDoc {
    DECLARE_DYNCREATE(CFileDoc)
public:
    CFileDoc();

    // "View File: %s" with the viewer's path.
    void SetTitle(LPCTSTR lpszTitle) override;
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    // The viewer never asks to save.
    BOOL SaveModified() override;
    // The file viewer's form of the language-configuration command.
    virtual void OnLanguageConfig();

    CFileView* GetFileView() const;
    SECEditModel& GetViewerModel() { return m_viewerModel; }

protected:
    afx_msg void OnLanguageConfigCommand() { OnLanguageConfig(); }
    DECLARE_MESSAGE_MAP()

    SECEditModel m_viewerModel;
};
