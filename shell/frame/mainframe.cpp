// The main frame's life: construction, creation with its bars and saved layout, the host's
// command message, closing and the saving of the layout.
#include "shell/frame/mainframe.h"

#include <algorithm>

#include "windows/common/asm_frame_table.h"
#include "windows/common/droptarget.h"
#include "shell/app/appearance.h"
#include "shell/app/appkey.h"
#include "shell/app/tarvikapp.h"
#include "shell/bars/tbsecstate.h"
#include "shell/bars/tbstate.h"
#include "shell/frame/frame_ids.h"
#include "framework/core/guard.h"
#include "shell/hostlink.h"
#include "toolbars/toolbar_manager.h"

IMPLEMENT_DYNAMIC(CMainFrame, SECMDIFrameWnd)

BOOL CMainFrame::s_bPreviewSavedLayout = FALSE;

namespace {
CMainFrame* g_pMainFrame = nullptr;
const wchar_t kFrameProfile[] = L"MOX Frame";

bool ExtensionMode() {
    return HostVersionAtLeast(3, 3) && HostTable()->IsExtensionMode() != 0;
}

const UINT kIndicators[] = {0, kPaneDI, kPanePC, kPaneLan, kPaneInfo};
} // namespace

CMainFrame* MainFrame() {
    return g_pMainFrame;
}

BEGIN_MESSAGE_MAP(CMainFrame, SECMDIFrameWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_WM_INITMENUPOPUP()
ON_COMMAND(57601, OnFileOpen)
ON_COMMAND(kCmdResetConfiguration, OnResetConfiguration)
ON_COMMAND(kCmdViewToolbars, OnViewToolbars)
ON_UPDATE_COMMAND_UI(kCmdViewToolbars, OnUpdateEnabled)
ON_COMMAND(kCmdUserToolbar, OnToggleUserToolbar)
ON_UPDATE_COMMAND_UI(kCmdUserToolbar, OnUpdateToggleUserToolbar)
ON_UPDATE_COMMAND_UI(kCmdMemoryMap, OnUpdateMemoryMap)
ON_UPDATE_COMMAND_UI_RANGE(kPanePC, kPaneInfo, OnUpdatePane)
ON_NOTIFY_EX_RANGE(TTN_GETDISPINFOW, 0, 0xFFFFFFFF, OnHostToolTipText)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() {
    m_pDockBarClass = RUNTIME_CLASS(SECDockBar);
    AsmFrameTable().Reset();
    m_pFloatingFrameClass = RUNTIME_CLASS(SECMiniDockFrameWnd);
    m_pManager = std::make_unique<SECToolBarManager>(this, nullptr);
    SetControlBarManager(m_pManager.get());
    const UINT bitmaps[7] = {167, 170, 169, 179, 180, 171, 172};
    for (int i = 0; i < 7; ++i)
        m_bitmaps[i].LoadBitmap(bitmaps[i]);
    EnableBitmapMenus(TRUE, TRUE);
    // Window id 0 is taken: the host's ids start at 1.
    m_handles.push_back(reinterpret_cast<HWND>(-1));
    SetHostWindowStateShown(&m_position);
    m_pToolbarState = std::make_unique<CTBState>();
    InitFontsAndColors();
    g_pMainFrame = this;
}

CMainFrame::~CMainFrame() {
    if (g_pMainFrame == this)
        g_pMainFrame = nullptr;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= WS_HSCROLL | WS_VSCROLL;
    return CMainFrameBase::PreCreateWindow(cs) ? TRUE : FALSE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs) {
    if (CMainFrameBase::OnCreate(lpcs) == -1)
        return -1;
    if (!CreateStatusBar())
        return -1;
    // The title: the host's, else the library's own.
    CString title(L"MOX Debugger");
    auto* record = HostTable() ? static_cast<HostMainWindowRecord*>(
                                     HostTable()->GetHostObject(kHostObjectMainWindow, nullptr))
                               : nullptr;
    if (record != nullptr && record->title != nullptr) {
        wchar_t* wide = nullptr;
        if (AnsiToWideHeap(record->title, &wide) && wide && *wide)
            title = wide;
        if (wide)
            ::HeapFree(::GetProcessHeap(), 0, wide);
    }
    SetTitle(title);
    SetWindowText(title);
    const BOOL bExtension = ExtensionMode();
    if (bExtension)
        for (int pane = 1; pane <= 3; ++pane)
            m_wndStatusBar.SetPaneStyle(pane, m_wndStatusBar.GetPaneStyle(pane) | SBPS_DISABLED);
    DefineDefaultToolbars();
    EnableDocking(CBRS_ALIGN_ANY);
    LoadBarState(kFrameProfile);
    m_pManager->LoadState(kFrameProfile);
    AdoptSingleToolbars(bExtension);
    LoadToolbarState(kFrameProfile);
    RestoreUserToolbarPlace();
    if (m_pUserTB != nullptr)
        ShowControlBar(m_pUserTB, FALSE, FALSE);
    RecalcLayout();
    return 0;
}

BOOL CMainFrame::CreateStatusBar() {
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, 0xE801))
        return FALSE;
    return m_wndStatusBar.SetIndicators(kIndicators, 5);
}

void CMainFrame::AdoptSingleToolbars(BOOL bExtension) {
    for (SECCustomToolBar* pBar : m_pManager->GetToolBars()) {
        CString text;
        pBar->GetWindowText(text);
        // Only host-toolbar objects can carry the "Gui" buttons.
        if (text == L"Gui" && m_pGuiTB == nullptr)
            m_pGuiTB = DYNAMIC_DOWNCAST(CGuiTB, pBar);
    }
    if (!bExtension) {
        // A user toolbar the saved layout made again is adopted, not made twice.
        for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;) {
            auto* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
            if (m_pUserTB == nullptr && pBar->IsKindOf(RUNTIME_CLASS(CUserTB)))
                m_pUserTB = static_cast<CUserTB*>(pBar);
        }
        if (m_pUserTB == nullptr) {
            m_pUserTB = CreateUserToolbar(L"User");
            if (m_pUserTB != nullptr) {
                DockControlBar(m_pUserTB);
                m_barsToPlace.push_back(m_pUserTB->GetSafeHwnd());
            }
        }
    }
}

void CMainFrame::RestoreUserToolbarPlace() {
    SECDockState partial(m_pManager.get());
    if (m_pUserTB != nullptr && m_pToolbarState->BuildPartialState(L"User", partial)) {
        SetDockState(partial);
        // Its saved place holds.
        m_barsToPlace.erase(
            std::remove(m_barsToPlace.begin(), m_barsToPlace.end(), m_pUserTB->GetSafeHwnd()),
            m_barsToPlace.end());
    }
}

void CMainFrame::OnDestroy() {
    if (m_pDropTarget) {
        m_pDropTarget->Revoke();
        m_pDropTarget.reset();
        if (IDragDrop* service = DragDropService())
            service->UnregisterDropTarget("MainWnd", 0);
    }
    // Bars go with the window: nothing may point at them afterwards.
    m_pUserTB = nullptr;
    m_pGuiTB = nullptr;
    while (m_hostToolbars.GetSize() > 0)
        m_hostToolbars.RemoveAt(0);
    CMainFrameBase::OnDestroy();
}

// The user closing the main window asks the host, which decides.
void CMainFrame::OnClose() {
    RunHostCommandGuarded([] { HostTable()->ExecuteCommand(37); });
}

// The host's command message is taken before anything else sees it, the menu plug-in the base
// offers every message to included: its number is a plain user message that other handlers of
// the frame could read as one of their own.
LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kHostCommandMessage) {
        const int command = static_cast<int>(wParam);
        // The host sends itself commands 0 and 195 through this message, also while one of its
        // commands is still running: the busy guard would turn them into a beep, so they go to
        // the host as they come.
        if (command == 0 || command == 195)
            HostTable()->ExecuteCommand(command);
        else
            RunHostCommandGuarded([command] { HostTable()->ExecuteCommand(command); });
        return 0;
    }
    return CMainFrameBase::WindowProc(message, wParam, lParam);
}

// The host's toolbars, the "Gui" toolbar and the user toolbar answer the tips of their buttons;
// the built-in bars' tips come from the commands' strings, as in every frame.
BOOL CMainFrame::OnHostToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult) {
    auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
    bool bAnswered = false;
    for (int i = 0; i < m_hostToolbars.GetSize() && !bAnswered; ++i)
        if (CGuiTB* pBar = m_hostToolbars.GetAt(i))
            bAnswered = pBar->GetTooltip(pInfo);
    bAnswered = bAnswered || (m_pGuiTB != nullptr && m_pGuiTB->GetTooltip(pInfo));
    bAnswered = bAnswered || (m_pUserTB != nullptr && m_pUserTB->GetTooltip(pInfo));
    if (!bAnswered)
        return OnToolTipText(nID, pNMHDR, pResult);
    if (pResult != nullptr)
        *pResult = 1;
    return TRUE;
}

void CMainFrame::RegisterDropTarget() {
    if (!DragDropService() || m_pDropTarget)
        return;
    m_pDropTarget = std::make_unique<CDropTarget>();
    DragDropService()->RegisterDropTarget("MainWnd", 0);
}

// The system's drop-target registration waits for StartApp: under the loader's lock, which
// start-up runs in, it never returns.
void CMainFrame::ActivateDropTarget() {
    if (m_pDropTarget && !m_pDropTarget->IsRegistered())
        m_pDropTarget->Register(this);
}

void CMainFrame::Close() {
    if (!s_bPreviewSavedLayout)
        AfxGuardCleanup(L"saving the layout", [this] { SaveFrameState(); });
    AfxGuardCleanup(L"closing the main frame", [this] { DestroyWindow(); });
}

void CMainFrame::SaveFrameState() {
    DeleteLibraryProfile();
    SaveBarState(kFrameProfile);
    m_pManager->SaveState(kFrameProfile);
    SaveToolbarState(kFrameProfile);
    if (m_nResetFlag)
        SetResetFlag(1);
}

void CMainFrame::LoadBarState(LPCTSTR lpszProfileName) {
    CTBSECState state(m_pManager.get(), this);
    state.SetCreatedBarsList(&m_listCreatedBars);
    if (CWinApp* pApp = AfxGetApp(); pApp != nullptr && pApp->m_pMainWnd == nullptr)
        pApp->m_pMainWnd = this;
    state.LoadState(lpszProfileName);
    state.ApplyToFrame(this);
}

void CMainFrame::LoadToolbarState(LPCTSTR lpszProfile) {
    m_pToolbarState->LoadState(lpszProfile);
}

void CMainFrame::SaveToolbarState(LPCTSTR lpszProfile) {
    CTBState state;
    GetDockState(state);
    state.SaveState(lpszProfile);
}
