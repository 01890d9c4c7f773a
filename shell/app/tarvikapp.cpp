// The application object: its start-up in the order the host relies on, idle time, and the
// commands that the application itself answers.
#include "shell/app/tarvikapp.h"

#include "editor/lang_ini.h"
#include "editor/lang_registry.h"
#include "shell/app/appkey.h"
#include "shell/app/module_directory.h"
#include "shell/app/open_file.h"
#include "shell/frame/mainframe.h"
#include "shell/hostlink.h"
#include "windows/common/drop_rules.h"
#include "windows/common/families.h"
#include "toolbars/drawing/themeapi.h"
#include "toolbars/drawing/toolkitcolors.h"

BYTE g_bHostCommandBusy = 0;

namespace {
CTarvikApp theApp;

bool ExtensionMode() {
    return HostVersionAtLeast(3, 3) && HostTable()->IsExtensionMode() != 0;
}
} // namespace

CTarvikApp* TarvikApp() {
    return &theApp;
}

BEGIN_MESSAGE_MAP(CTarvikApp, CWinApp)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_COMMAND_RANGE(ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, OnOpenRecentFile)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
END_MESSAGE_MAP()

CTarvikApp::CTarvikApp() : CWinApp(L"MoxGui") {}

// The theme entries are the last thing the library lets go of: the shutdown's ExitInstance is
// the pump's too, and must not free anything.
CTarvikApp::~CTarvikApp() {
    FreeThemeApi();
}

BOOL CTarvikApp::InitInstance() {
    // 1. The host's tables; every failure ends the process inside.
    ConnectHost(nullptr);
    InitThemeApi();
    UpdateToolkitColors();
    // 2. OLE (its result is not needed: drag and drop checks its own), profile settings.
    AFX_MODULE_STATE* state = AfxGetModuleState();
    state->m_bDLL = FALSE;
    AfxOleInit();
    state->m_bDLL = TRUE;
    LoadStdProfileSettings(4);
    // 3. The document templates, each with its docked-frame class.
    AddTemplates();
    // 4. The registry key from the host's root.
    SetRegistryKey(LibraryRegistryKey());
    // 5. The main frame.
    // The frame's window owns its object: a failed load has deleted it already.
    CMainFrame* pNewFrame = new CMainFrame;
    if (!pNewFrame->LoadFrame(128, 0x00CF8000, nullptr, nullptr))
        return FALSE;
    m_pMainWnd = pNewFrame;
    // 6. The library's own directory, for its language files.
    // The library's own handle: the process's file is the host's, elsewhere.
    m_strDirectory = ModuleDirectory(m_hInstance);
    // 7. Accelerators and languages, outside extension mode.
    CMainFrame* pFrame = MainFrame();
    if (!ExtensionMode()) {
        pFrame->LoadAccelTable(L"MainframeAccelerators");
        RegisterLanguages();
    }
    // 8 to 10. The menu as the host's mode wants it.
    TrimMenus(pFrame->GetMenu() ? pFrame->GetMenu()->GetSafeHmenu() : NULL);
    // 11, 12. Drag and drop.
    if (DragDropEnabled) {
        ImportDragDropService();
        if (DragDropService()) {
            RegisterDropRules();
            pFrame->RegisterDropTarget();
        }
    }
    // 13.
    OnIdle(0);
    return TRUE;
}

void CTarvikApp::RegisterDropRules() {
    IDragDrop* service = DragDropService();
    if (!service)
        return;
    DropRuleHost host;
    host.extensionMode = ExtensionMode();
    host.multiCore = HostVersionAtLeast(3, 2) && HostTable()->IsMultiCore() != 0;
    RegisterDropRuleSets(*service, host);
}

void CTarvikApp::AddTemplates() {
    const struct {
        UINT id;
        CRuntimeClass* doc;
        CRuntimeClass* frame;
        CRuntimeClass* view;
        CRuntimeClass* docked;
    } templates[] = {
        {129, RUNTIME_CLASS(CTarvikDoc), RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(CTarvikView),
         RUNTIME_CLASS(CDocChildFrame)},
        {1007, RUNTIME_CLASS(CDoc), RUNTIME_CLASS(CEvalWnd), RUNTIME_CLASS(CEvalView),
         RUNTIME_CLASS(CDocEvalWnd)},
        {131, RUNTIME_CLASS(CFileDoc), RUNTIME_CLASS(CWndFrm), RUNTIME_CLASS(CFileView),
         RUNTIME_CLASS(CDocWndFrm)},
        {1008, RUNTIME_CLASS(CDoc), RUNTIME_CLASS(CWndFrm), RUNTIME_CLASS(CDocView),
         RUNTIME_CLASS(CDocWndFrm)},
        {142, RUNTIME_CLASS(CDoc), RUNTIME_CLASS(CAsmFrame), RUNTIME_CLASS(CAsmSourceView),
         RUNTIME_CLASS(CDocAsmFrame)},
    };
    for (const auto& t : templates) {
        // The application's template list owns each template from here on.
        auto* pTemplate = new CMultiDoc(t.id, t.doc, t.frame, t.view);
        pTemplate->m_pDockingFrameClass = t.docked;
        AddDocTemplate(pTemplate);
        pTemplate->SetCaptionButtonOption(TRUE, TRUE);
        pTemplate->m_bAutoDelete = TRUE;
        if (m_pSourceTemplate == nullptr)
            m_pSourceTemplate = pTemplate;
    }
}

void CTarvikApp::RegisterLanguages() {
    if (m_strDirectory.IsEmpty())
        return; // no directory known: the built-in defaults serve
    const struct {
        const wchar_t* name;
        const wchar_t* file;
    } languages[] = {{L"CPP", L"cpp.ini"}, {L"ASM", L"asm.ini"}, {L"No", L"default.ini"}};
    for (const auto& language : languages) {
        CString path = m_strDirectory + language.file;
        auto* reader = new SECEditLangIniReader(path);
        auto* writer = new SECEditLangIniWriter(path);
        SECEditLangConfigRegistry::RegisterLangConfig(language.name, reader, writer);
        reader->Release();
        writer->Release();
    }
}

namespace {
void RemoveByCommand(HMENU hMenu, UINT nID) {
    ::DeleteMenu(hMenu, nID, MF_BYCOMMAND);
}
} // namespace

void CTarvikApp::TrimMenus(HMENU hMenu) {
    if (hMenu == NULL)
        return;
    RemoveByCommand(hMenu, 194);
    RemoveByCommand(hMenu, 32987);
    if (ExtensionMode()) {
        int file = FindMenuItemByText(hMenu, L"&File");
        HMENU hFile = file >= 0 ? ::GetSubMenu(hMenu, file) : NULL;
        int exit = hFile ? FindMenuItemByText(hFile, L"E&xit") : -1;
        // From the item above "E&xit" up to the first: removing upward keeps the positions.
        for (int i = exit - 1; i >= 0; --i)
            ::DeleteMenu(hFile, i, MF_BYPOSITION);
        for (UINT id : {38u, 40u, 45u, 134u, 282u, 279u, 32929u, 32930u})
            RemoveByCommand(hMenu, id);
        for (const wchar_t* name : {L"&Options", L"&Run", L"&Debug", L"&Language"}) {
            int position = FindMenuItemByText(hMenu, name);
            if (position >= 0)
                ::DeleteMenu(hMenu, position, MF_BYPOSITION);
        }
    }
    if (HostVersionAtLeast(3, 2) && HostTable()->IsMultiCore() == 0)
        RemoveByCommand(hMenu, 282);
    if (CWnd* pFrame = m_pMainWnd)
        pFrame->DrawMenuBar();
}

BOOL CTarvikApp::OnIdle(LONG lCount) {
    BOOL more = TRUE;
    const DWORD now = ::GetTickCount();
    if (lCount > 0 || m_bIdleUpdateDue || now - m_dwLastIdleUpdate >= kIdleUpdateInterval) {
        more = CWinApp::OnIdle(lCount);
        if (lCount <= 0) {
            m_bIdleUpdateDue = FALSE;
            m_dwLastIdleUpdate = now;
        }
    }
    if (HostTable())
        HostTable()->OnIdle(lCount);
    return more;
}

int CTarvikApp::ExitInstance() {
    return CWinThread::ExitInstance();
}

CDocTemplate* CTarvikApp::FindTemplateByName(LPCTSTR lpszName) {
    if (lpszName == nullptr)
        return nullptr;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CString name;
        if (pTemplate->GetDocString(name, CDocTemplate::docName) && name == lpszName)
            return pTemplate;
    }
    return nullptr;
}

void CTarvikApp::OnAppAbout() {
    if (HostTable())
        HostTable()->ExecuteCommand(84);
}

void CTarvikApp::OnOpenRecentFile(UINT nID) {
    int index = static_cast<int>(nID) - 57616;
    CString name;
    if (m_pRecentFileList != nullptr && index >= 0 && index < m_pRecentFileList->GetSize())
        name = (*m_pRecentFileList)[index];
    // An empty entry opens nothing: OpenFileByName beeps for it.
    OpenFileByName(name);
}
