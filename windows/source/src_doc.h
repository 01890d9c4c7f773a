// The read-only documents of the source window and of the file viewer: an editor text model
// loaded from the file, its language chosen by the file's extension.
#pragma once

#include <cstdint>

#include "editor/edit_model.h"
#include "framework/afx.h"

class CTarvikView;
class SECEditController;

// Commands of the source documents.
enum : UINT {
    kCmdLanguageConfig = 45022, // "Invoke Language Configuration Dialog\nConfigure Language"
    kCmdSourceOptions = 32985,  // "Set The Options Of The Source Window"
};

// The language a path takes: "ASM" when its extension starts with a, A, s or S, "CPP" for any
// other path (one without an extension too), "Default" without a path.
const wchar_t* SourceLanguageOf(const wchar_t* path);

// The first of the document's views that is a V, or null.
template <class V> V* FirstViewOf(const CDocument& doc) {
    POSITION pos = doc.GetFirstViewPosition();
    while (pos != nullptr)
        if (auto* view = dynamic_cast<V*>(doc.GetNextView(pos)))
            return view;
    return nullptr;
}

// The text of a source window that shows no source.
inline constexpr wchar_t kNoSourceText[] = L"no source available";

class CTarvikDoc : public CDocument {
    DECLARE_DYNCREATE(CTarvikDoc)
public:
    CTarvikDoc();
    ~CTarvikDoc() override;

    void Serialize(CArchive& ar) override;
    // Builds the title from the source view's module, core and path; the text is not used.
    void SetTitle(LPCTSTR lpszTitle) override;
    BOOL IsModified() override;
    void SetModifiedFlag(BOOL bModified = TRUE) override;
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    // No box: a source window that cannot read its file just fails its open (the host steps
    // on through code whose source is elsewhere), and the file viewer tells of it in its own
    // words.
    void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving,
                                 UINT nIDPDefault) override;
    // The document is never written.
    BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
    void OnCloseDocument() override;
    BOOL SaveModified() override;

    CTarvikView* GetSourceView() const;
    // The model takes the language of the path (null: none); 1.
    BOOL SelectLanguage(LPCTSTR lpszPath);
    // The file again (the host's context of the window changed); FALSE when it cannot be read,
    // with the caret, the read-only flag and the path name as they were.
    BOOL ReloadFile(LPCTSTR lpszPath);
    void UpdateTitle();
    // The window shows no source: the text, the path and the view's file and tag are emptied,
    // and the title says so (kNoSourceText) until a file is read.
    void ShowNoSource();
    bool ShowsNoSource() const { return m_noSource; }

    SECEditModel& GetModel() { return m_model; }
    int GetCoreId() const { return m_coreId; }
    void SetCoreId(int coreId) { m_coreId = coreId; }

protected:
    afx_msg void OnLanguageConfig();
    afx_msg void OnSourceOptions();
    DECLARE_MESSAGE_MAP()

    // The font and colour dialog over model's configuration, for the window of controller.
    static void RunLanguageConfig(SECEditController* controller, SECEditModel& model);
    // Reads the file into model (8-bit or UTF-16 by its byte-order mark) and makes it read-only.
    static BOOL LoadModel(SECEditModel& model, LPCTSTR lpszPath);

    int m_coreId = -1;
    SECEditModel m_model;
    bool m_noSource = false;
};
