#include "tests/srcwnd/source_docs_fixture.h"

#include "editor/lang_ini.h"
#include "editor/lang_registry.h"
#include "tests/srcwnd/source_host.h"
#include "tests/support/dialog_test_support.h"
#include "tests/support/file_bytes.h"
#include "windows/source/file_doc.h"
#include "windows/source/file_view.h"
#include "windows/source/src_frames.h"

CString FixturePath(const char* name) {
    std::string path = std::string("Z:") + SRCWND_FIXTURES + "/" + name;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return CString(path.c_str());
}

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        // As the library's pump does: the windows see their keys before they are dispatched.
        if (AfxGetThread() && AfxGetThread()->PreTranslateMessage(&msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

std::wstring LineText(SECEditModel& model, int line) {
    CString text;
    model.GetText(text, line, 0, line, model.GetLineTextLength(line));
    return text.GetString();
}

std::wstring ModelText(SECEditModel& model) {
    std::wstring text;
    for (int line = 0; line < model.GetLineCount(); ++line)
        text += (line > 0 ? L"\n" : L"") + LineText(model, line);
    return text;
}

CDocTemplate* SourceDocs::s_source = nullptr;
CDocTemplate* SourceDocs::s_viewer = nullptr;
CDocTemplate* SourceDocs::s_framed = nullptr;

void SourceDocs::SetUpTestSuite() {
    // The source languages, saved into files of their own.
    const struct {
        const wchar_t* name;
        const wchar_t* file;
    } languages[] = {
        {L"CPP", L"srcwnd_cpp.ini"}, {L"ASM", L"srcwnd_asm.ini"}, {L"No", L"srcwnd_no.ini"}};
    for (const auto& l : languages) {
        const std::wstring path = TempFilePath(l.file);
        ::DeleteFileW(path.c_str());
        auto* reader = new SECEditLangIniReader(path.c_str());
        auto* writer = new SECEditLangIniWriter(path.c_str());
        SECEditLangConfigRegistry::RegisterLangConfig(l.name, reader, writer);
        reader->Release();
        writer->Release();
    }
    s_source = new CMultiDocTemplate(129, RUNTIME_CLASS(CTarvikDoc), RUNTIME_CLASS(CMDIChildWnd),
                                     RUNTIME_CLASS(CTarvikView));
    s_viewer = new CMultiDocTemplate(131, RUNTIME_CLASS(CFileDoc), RUNTIME_CLASS(CMDIChildWnd),
                                     RUNTIME_CLASS(CFileView));
    s_framed = new CMultiDocTemplate(129, RUNTIME_CLASS(CTarvikDoc), RUNTIME_CLASS(CChildFrame),
                                     RUNTIME_CLASS(CTarvikView));
    AfxGetApp()->AddDocTemplate(s_source);
    AfxGetApp()->AddDocTemplate(s_viewer);
    AfxGetApp()->AddDocTemplate(s_framed);
}

void SourceDocs::SetUp() {
    HostOptions options = HostVersion(3, 13);
    SourceHost::Bind(options);
    // These tests answer their dialogs and message boxes themselves: a box that the host's
    // capture (left by an earlier test of the program) answered first would leave them
    // waiting for it.
    ReleaseMessageBoxes();
    m_main = new CMDIFrameWnd;
    ASSERT_TRUE(m_main->LoadFrame(9100, WS_OVERLAPPEDWINDOW));
    AfxGetApp()->m_pMainWnd = m_main;
    m_main->SetWindowPos(nullptr, 0, 0, 800, 600, SWP_NOZORDER | SWP_SHOWWINDOW);
}

void SourceDocs::TearDown() {
    AfxGetDocManager()->CloseAllDocuments(FALSE);
    if (CWnd* main = AfxGetApp()->m_pMainWnd)
        main->DestroyWindow();
    AfxGetApp()->m_pMainWnd = nullptr;
    Pump();
}

CTarvikDoc* SourceDocs::OpenSource(const char* name, CTarvikView** view) {
    auto* doc = dynamic_cast<CTarvikDoc*>(s_source->OpenDocumentFile(FixturePath(name)));
    *view = doc ? doc->GetSourceView() : nullptr;
    Pump();
    return doc;
}
