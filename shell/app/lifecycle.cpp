#include "shell/app/lifecycle.h"

#include "shell/app/appearance.h"
#include "shell/app/tarvikapp.h"
#include "shell/frame/mainframe.h"
#include "framework/core/guard.h"
#include "shell/hostlink.h"
#include "windows/list/list_admin.h"

namespace {
LibraryPhase g_phase = LibraryPhase::loaded;
int g_depth = 0;
bool g_endPending = false;

void FinishEnd() {
    g_endPending = false;
    g_phase = LibraryPhase::ended;
    AfxWinTerm();
    DeleteListAdmin();
    if (CMainFrame* pFrame = MainFrame())
        pFrame->Close();
    TarvikApp()->m_pMainWnd = nullptr;
    FreeSharedAppearance();
}
} // namespace

LibraryPhase CurrentPhase() {
    return g_phase;
}

CMainFrame* ActiveFrame() {
    if (g_phase != LibraryPhase::started || g_endPending)
        return nullptr;
    CMainFrame* pFrame = MainFrame();
    return pFrame != nullptr && ::IsWindow(pFrame->GetSafeHwnd()) ? pFrame : nullptr;
}

ExportScope::ExportScope() {
    ++g_depth;
}

ExportScope::~ExportScope() {
    if (--g_depth == 0 && g_endPending)
        AfxGuardCleanup(L"EndApp", [] { FinishEnd(); });
}

bool ExportScope::IsNested() {
    return g_depth > 1;
}

int StartLibrary() {
    if (g_phase != LibraryPhase::loaded)
        return g_phase == LibraryPhase::started ? 1 : 0;
    CMainFrame* pFrame = MainFrame();
    if (pFrame == nullptr || !::IsWindow(pFrame->GetSafeHwnd()))
        return 0;
    CreateListAdmin();
    InitWindowFonts();
    auto* record = static_cast<HostMainWindowRecord*>(
        HostTable()->GetHostObject(kHostObjectMainWindow, nullptr));
    if (record != nullptr) {
        record->frameWindow = pFrame->GetSafeHwnd();
        record->mdiClientWindow = pFrame->m_hWndMDIClient;
    }
    pFrame->ActivateDropTarget();
    g_phase = LibraryPhase::started;
    TarvikApp()->OnIdle(0);
    pFrame->ShowWindow(SW_SHOW);
    pFrame->UpdateWindow();
    return 1;
}

int EndLibrary() {
    if (g_phase != LibraryPhase::started || g_endPending)
        return 0;
    g_endPending = true;
    if (!ExportScope::IsNested())
        FinishEnd();
    return 1;
}
