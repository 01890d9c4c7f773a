#include "windows/source/src_doc.h"

#include "editor/edit_command.h"
#include "editor/edit_msg.h"
#include "editor/lang_config.h"
#include "editor/lang_registry.h"
#include "shell/hostlink.h"
#include "windows/source/options_dlg.h"
#include "windows/source/src_controller.h"
#include "windows/source/src_view.h"

IMPLEMENT_DYNCREATE(CTarvikDoc, CDocument)

BEGIN_MESSAGE_MAP(CTarvikDoc, CDocument)
ON_COMMAND(kCmdLanguageConfig, OnLanguageConfig)
ON_COMMAND(kCmdSourceOptions, OnSourceOptions)
END_MESSAGE_MAP()

const wchar_t* SourceLanguageOf(const wchar_t* path) {
    if (path == nullptr)
        return L"Default";
    const wchar_t* backslash = wcsrchr(path, L'\\');
    const wchar_t* point = wcsrchr(path, L'.');
    if (point != nullptr && backslash != nullptr && point < backslash)
        point = nullptr; // the point belongs to a folder's name
    if (point != nullptr && wcschr(L"aAsS", point[1]) != nullptr && point[1] != 0)
        return L"ASM";
    return L"CPP";
}

CTarvikDoc::CTarvikDoc() {
    m_model.SetModified(FALSE);
}

CTarvikDoc::~CTarvikDoc() = default;

void CTarvikDoc::Serialize(CArchive& ar) {
    (void)ar.IsStoring(); // the text is read by the model, never through the archive
}

void CTarvikDoc::SetTitle(LPCTSTR) {
    UpdateTitle();
}

BOOL CTarvikDoc::IsModified() {
    return m_model.IsModified();
}

void CTarvikDoc::SetModifiedFlag(BOOL bModified) {
    m_bModified = bModified;
}

BOOL CTarvikDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument())
        return FALSE;
    SelectLanguage(nullptr);
    m_model.ResetDocument();
    m_model.SetReadOnly(TRUE);
    return TRUE;
}

BOOL CTarvikDoc::LoadModel(SECEditModel& model, LPCTSTR lpszPath) {
    model.IsUnicodeFile(lpszPath);
    const BOOL loaded = model.OpenFile(lpszPath);
    model.SetReadOnly(TRUE);
    return loaded;
}

BOOL CTarvikDoc::OnOpenDocument(LPCTSTR lpszPathName) {
    if (!CDocument::OnOpenDocument(lpszPathName))
        return FALSE;
    SelectLanguage(lpszPathName);
    if (CTarvikView* view = GetSourceView())
        view->SetFilePath(lpszPathName);
    const BOOL loaded = LoadModel(m_model, lpszPathName);
    m_noSource = false;
    return loaded;
}

void CTarvikDoc::ReportSaveLoadException(LPCTSTR, CException*, BOOL, UINT) {}

BOOL CTarvikDoc::OnSaveDocument(LPCTSTR) {
    return FALSE;
}

void CTarvikDoc::OnCloseDocument() {
    CDocument::OnCloseDocument();
}

BOOL CTarvikDoc::SaveModified() {
    SetModifiedFlag(m_model.IsModified());
    return CDocument::SaveModified();
}

CTarvikView* CTarvikDoc::GetSourceView() const {
    return FirstViewOf<CTarvikView>(*this);
}

BOOL CTarvikDoc::SelectLanguage(LPCTSTR lpszPath) {
    m_model.SetLanguageAndReset(SourceLanguageOf(lpszPath));
    return TRUE;
}

BOOL CTarvikDoc::ReloadFile(LPCTSTR lpszPath) {
    CTarvikView* view = GetSourceView();
    CEditController* controller = view ? view->GetSourceController() : nullptr;
    if (controller != nullptr)
        controller->ClearSelection(FALSE);
    // Always read: a file rewritten in place can keep its size and its time of writing.
    const BOOL readOnly = m_model.IsReadOnly();
    m_model.ResetDocument();
    SelectLanguage(lpszPath);
    m_model.IsUnicodeFile(lpszPath);
    if (!m_model.OpenFile(lpszPath)) {
        m_model.SetReadOnly(readOnly); // the reset cleared it
        return FALSE;
    }
    if (controller != nullptr)
        controller->SetCaretPosition(0, 0, FALSE);
    if (view != nullptr && ::IsWindow(view->GetSafeHwnd()))
        view->SetFocus();
    m_model.SetReadOnly(TRUE);
    SetPathName(lpszPath, TRUE);
    m_noSource = false;
    return TRUE;
}

void CTarvikDoc::ShowNoSource() {
    CTarvikView* view = GetSourceView();
    if (CEditController* controller = view ? view->GetSourceController() : nullptr) {
        controller->ClearSelection(FALSE);
        controller->SetCaretPosition(0, 0, FALSE);
    }
    m_model.ResetDocument();
    SelectLanguage(nullptr);
    m_model.SetReadOnly(TRUE);
    // No file stands behind the window: no lookup by path finds it, and the next update that
    // names a file reads it.
    ClearPathName();
    m_noSource = true;
    if (view != nullptr) {
        view->SetFilePath(L"");
        view->SetContextTag(0);
        view->ClearHighlight();
    }
}

void CTarvikDoc::UpdateTitle() {
    CTarvikView* view = GetSourceView();
    const CString module = view ? view->GetModuleName() : CString();
    const CString path = m_noSource ? CString(kNoSourceText)
                         : view     ? view->GetFilePath()
                                    : CString();
    CString title;
    const int core = view ? view->GetCoreId() : -1;
    if (core != -1 && HostVersionAtLeast(3, 2) && HostTable()->IsMultiCore() != 0) {
        char name[10] = {};
        HostTable()->GetCoreName(name, sizeof name, core);
        name[sizeof name - 1] = 0; // the host may fill the buffer to its end
        title.Format(L"[%s %s] %s", module.GetString(), CString(name).GetString(),
                     path.GetString());
    } else {
        title.Format(L"[%s] %s", module.GetString(), path.GetString());
    }
    CDocument::SetTitle(title);
}

void CTarvikDoc::RunLanguageConfig(SECEditController* controller, SECEditModel& model) {
    if (controller != nullptr)
        controller->DestroyCaret();
    SECEditLangConfig* edited = model.GetLangConfig();
    if (edited != nullptr && model.ChooseFont()) {
        // The font the user chose, from the configuration the dialog edited, goes to every
        // source language: copying it from "CPP" would lose a change made on an ASM file.
        const wchar_t* const languages[] = {L"No", L"ASM", L"CPP"};
        for (const wchar_t* name : languages) {
            SECEditLangConfig* config = SECEditLangConfigRegistry::GetLangConfig(name);
            if (config == nullptr || config == edited)
                continue;
            config->SetFaceName(edited->GetFaceName());
            config->SetSize(edited->GetSize());
            config->SetBold(edited->GetBold());
            config->SetItalic(edited->GetItalic());
        }
        for (const wchar_t* name : languages)
            if (SECEditLangConfig* config = SECEditLangConfigRegistry::GetLangConfig(name)) {
                SECEditMsg message(SECEDIT_HINT_FONT);
                config->NotifyObservers(nullptr, &message);
            }
        for (const wchar_t* name : {L"ASM", L"CPP", L"No"})
            SECEditLangConfigRegistry::SaveLangConfig(name);
    }
    if (controller != nullptr) {
        controller->CreateCaret(FALSE);
        controller->LockRedraw(TRUE);
    }
}

void CTarvikDoc::OnLanguageConfig() {
    CTarvikView* view = GetSourceView();
    RunLanguageConfig(view ? view->GetSourceController() : nullptr, m_model);
}

void CTarvikDoc::OnSourceOptions() {
    CEditOptionsDlg dialog(&m_model);
    if (dialog.DoModal() != IDOK)
        return;
    BeginWaitCursor();
    ApplySourceOptions(m_model, dialog.GetTabSize(), dialog.GetShowWhitespace());
    EndWaitCursor();
}
