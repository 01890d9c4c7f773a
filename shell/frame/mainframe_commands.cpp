// The main frame's commands: host commands under the busy flag, the frame's own commands, the
// update handlers, the host's menu items and the status panes.
#include "shell/frame/mainframe.h"

#include <algorithm>
#include <cstring>

#include "shell/app/open_file.h"
#include "shell/app/appkey.h"
#include "shell/app/pending_command.h"
#include "shell/app/tarvikapp.h"
#include "shell/frame/frame_ids.h"
#include "shell/hostlink.h"
#include "toolbars/bmpmenu_string.h"
#include "toolbars/toolbar_manager.h"

PendingHostCommandBuffer PendingHostCommand = {};

bool LeavePendingHostCommand(const std::string& line, int32_t context) {
    if (line.size() + 1 > sizeof PendingHostCommand.line)
        return false;
    std::memcpy(PendingHostCommand.line, line.c_str(), line.size() + 1);
    PendingHostCommand.context = context;
    if (CMainFrame* pMain = MainFrame())
        pMain->PostMessage(WM_COMMAND, kCmdPendingLine, 0);
    return true;
}

namespace {
// Commands whose number goes to the host unchanged.
const UINT kHostCommands[] = {20,  21,  23,  25,  26,  27,  28,  29,  30,  31,  32,  34,  35,  38,
                              39,  40,  44,  45,  46,  48,  49,  50,  51,  52,  54,  55,  56,  57,
                              60,  61,  62,  63,  65,  67,  69,  70,  72,  73,  74,  76,  77,  78,
                              85,  86,  87,  134, 144, 164, 165, 166, 169, 171, 172, 173, 174, 181,
                              182, 185, 187, 213, 228, 229, 232, 272, 276, 279, 281};

bool ExtensionMode() {
    return HostVersionAtLeast(3, 3) && HostTable()->IsExtensionMode() != 0;
}

void SendGuarded(int command) {
    RunHostCommandGuarded([command] { HostTable()->ExecuteCommand(command); });
}

// The host command a routed id runs under the busy flag; -1 for none.
int MappedHostCommand(UINT nID) {
    if (std::binary_search(std::begin(kHostCommands), std::end(kHostCommands), nID))
        return static_cast<int>(nID);
    if (nID >= kHostItemFirst && nID <= kHostItemLast)
        return static_cast<int>(nID);
    switch (nID) {
    case 89:
    case ID_HELP_FINDER:
    case ID_CONTEXT_HELP:
    case ID_HELP:
    case ID_DEFAULT_HELP:
        return 89;
    case 194:
        return 194;
    case 32987:
        return 83;
    case kCmdLanguageA:
    case kCmdLanguageB:
        return 186;
    default:
        return -1;
    }
}
} // namespace

BOOL CMainFrame::RouteHostCommand(UINT nID) {
    if (HostTable() == nullptr)
        return FALSE;
    const int mapped = MappedHostCommand(nID);
    if (mapped >= 0) {
        SendGuarded(mapped);
        return TRUE;
    }
    if (nID >= kUserButtonFirstId && nID <= kUserButtonLastId) {
        const int button = static_cast<int>(nID - kUserButtonFirstId);
        RunHostCommandGuarded([button] { HostTable()->ExecuteUserButton(button); });
        return TRUE;
    }
    switch (nID) {
    case kCmdCores:
        if (HostVersionAtLeast(3, 2) && HostTable()->IsMultiCore() != 0)
            SendGuarded(kCmdCores);
        else
            ::MessageBeep((UINT)-1);
        return TRUE;
    case kCmdStop:
        if (!ExtensionMode())
            HostTable()->ExecuteCommand(0);
        return TRUE;
    case 33: {
        HostRequest request{};
        request.code = 122;
        request.flags = 0x4000;
        request.param[0] = ~0ull;
        SendHostRequest(&request, nullptr, 0, 3, 0, 0, 0);
        return TRUE;
    }
    case kCmdPendingLine:
        RunHostCommandGuarded([] {
            PendingHostCommand.line[sizeof PendingHostCommand.line - 1] = 0;
            SendHostRequest(nullptr, nullptr, 0, 6,
                            reinterpret_cast<intptr_t>(PendingHostCommand.line), 0,
                            PendingHostCommand.context);
        });
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CMainFrame::RouteUpdate(UINT nID, CCmdUI* pCmdUI) {
    if (HostTable() == nullptr)
        return FALSE;
    switch (nID) {
    case 34:
    case 35:
        if (HostTable()->IsCommandClassEnabled(1) == 0)
            pCmdUI->Enable(FALSE);
        return TRUE;
    case 25:
    case 33:
        if (HostTable()->IsCommandClassEnabled(3) == 0)
            pCmdUI->Enable(FALSE);
        return TRUE;
    case 194:
        return TRUE;
    default:
        break;
    }
    if (nID >= kHostItemFirst && nID <= kHostItemLast) {
        pCmdUI->Enable(std::find(m_disabledCommands.begin(), m_disabledCommands.end(), nID) ==
                       m_disabledCommands.end());
        return TRUE;
    }
    if (nID >= kUserButtonFirstId && nID <= kUserButtonLastId) {
        pCmdUI->Enable(TRUE);
        return TRUE;
    }
    return FALSE;
}

BOOL CMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // A tip asks the frame's own map before the active window: a tip the host gave its button
    // wins over the library's own text for the same command, which any frame would answer.
    if (nCode == static_cast<int>(MAKELONG(TTN_GETDISPINFOW, WM_NOTIFY)) &&
        CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (pHandlerInfo == nullptr) {
        if (nCode == CN_COMMAND && RouteHostCommand(nID))
            return TRUE;
        if (nCode == static_cast<int>(CN_UPDATE_COMMAND_UI) &&
            RouteUpdate(nID, static_cast<CCmdUI*>(pExtra)))
            return TRUE;
    } else if ((nCode == CN_COMMAND || nCode == static_cast<int>(CN_UPDATE_COMMAND_UI)) &&
               (MappedHostCommand(nID) >= 0 ||
                (nID >= kUserButtonFirstId && nID <= kUserButtonLastId) || nID == kCmdCores ||
                nID == kCmdStop || nID == 33 || nID == kCmdPendingLine)) {
        return TRUE; // a handler exists: the item stays enabled
    }
    return CMainFrameBase::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CMainFrame::OnUpdateEnabled(CCmdUI* pCmdUI) {
    pCmdUI->Enable(TRUE);
}

void CMainFrame::OnUpdateMemoryMap(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_bMemoryMapping);
}

void CMainFrame::OnUpdateToggleUserToolbar(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_pUserTB != nullptr && m_pUserTB->IsWindowVisible());
}

void CMainFrame::OnToggleUserToolbar() {
    if (m_pUserTB == nullptr)
        return;
    if (m_pUserTB->IsWindowVisible())
        ShowControlBar(m_pUserTB, FALSE, FALSE);
    else
        ShowNewControlBar(m_pUserTB);
}

void CMainFrame::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
    m_hLastPopup = pPopupMenu ? pPopupMenu->GetSafeHmenu() : NULL;
    CMainFrameBase::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
}

BOOL CMainFrame::EnableMemoryMapping(BOOL bFlag) {
    m_bMemoryMapping = bFlag != 0;
    TarvikApp()->RequestIdleUpdate();
    return m_bMemoryMapping;
}

int CMainFrame::EnableFunc(UINT nID, BOOL bEnable) {
    if (!bEnable)
        m_disabledCommands.push_back(nID);
    else
        m_disabledCommands.erase(
            std::remove(m_disabledCommands.begin(), m_disabledCommands.end(), nID),
            m_disabledCommands.end());
    TarvikApp()->RequestIdleUpdate();
    return 1;
}

void CMainFrame::OnFileOpen() {
    RunHostCommandGuarded([this] {
        CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                           L"All Files (*.*) |*.*||", this);
        if (dialog.DoModal() == IDOK)
            OpenFileByName(dialog.GetPathName());
    });
}

BOOL CMainFrame::SetResetFlag(int nMode) {
    if (nMode > 0)
        m_nResetFlag = 1;
    else if (nMode < 0)
        m_nResetFlag = 0;
    else
        m_nResetFlag = !m_nResetFlag;
    BOOL bWritten = FALSE;
    const CString path = LibraryProfilePath();
    HKEY key = NULL;
    if (!path.IsEmpty() &&
        ::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        const DWORD value = static_cast<DWORD>(m_nResetFlag);
        bWritten =
            ::RegSetValueExW(key, L"Reset", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                             sizeof value) == ERROR_SUCCESS;
        ::RegCloseKey(key);
    }
    if (CMenu* pMenu = GetMenu())
        ::CheckMenuItem(pMenu->GetSafeHmenu(), kCmdResetConfiguration,
                        MF_BYCOMMAND | (m_nResetFlag ? MF_CHECKED : MF_UNCHECKED));
    return bWritten;
}

void CMainFrame::OnResetConfiguration() {
    if (SetResetFlag(0) && m_nResetFlag)
        ::MessageBoxW(m_hWnd, L"Change will take effect\nafter next restart of mox.", L"ATTENTION:",
                      MB_ICONEXCLAMATION);
}

int CMainFrame::ChangeLanguage(int nFlag) {
    m_nLanguageFlag = nFlag;
    m_bLanguageNamed = true;
    if (ExtensionMode())
        return nFlag;
    auto* pRun = DYNAMIC_DOWNCAST(SECCustomToolBar, GetControlBar(kBarRun));
    if (pRun == nullptr)
        return nFlag;
    if (pRun->GetButtonCount() > 0)
        pRun->RemoveButton(0, TRUE);
    pRun->InsertButton(0, nFlag ? kCmdLanguageB : kCmdLanguageA, FALSE, TRUE);
    pRun->InsertButton(1, 0, TRUE, FALSE);
    RecalcLayout();
    return nFlag;
}

// Status bar.
BOOL CMainFrame::SetPaneWidthAndText(int nIndex, LPCTSTR lpszText, int nMinWidth) {
    CClientDC dc(&m_wndStatusBar);
    HFONT font = reinterpret_cast<HFONT>(m_wndStatusBar.SendMessage(WM_GETFONT));
    HGDIOBJ old = font ? ::SelectObject(dc.GetSafeHdc(), font) : NULL;
    SIZE size{};
    const CString text(lpszText ? lpszText : L"");
    ::GetTextExtentPoint32W(dc.GetSafeHdc(), text, text.GetLength(), &size);
    if (old)
        ::SelectObject(dc.GetSafeHdc(), old);
    UINT nID = 0, nStyle = 0;
    int cx = 0;
    m_wndStatusBar.GetPaneInfo(nIndex, nID, nStyle, cx);
    const int width = std::max<int>(size.cx, nMinWidth);
    if (width != cx)
        m_wndStatusBar.SetPaneInfo(nIndex, nID, nStyle, width);
    return m_wndStatusBar.SetPaneText(nIndex, text, TRUE);
}

void CMainFrame::UpdatePane(CCmdUI* pCmdUI, int nCode, int nMinWidth) {
    // In extension mode the panes 1 to 3 keep the disabled style creation gave them.
    if (ExtensionMode() && nCode != 4)
        return;
    pCmdUI->Enable(TRUE);
    if (HostTable() == nullptr)
        return;
    HostPaneInfo info{};
    if (!HostTable()->GetPaneInfo(nCode, &info) || info.text == nullptr)
        return;
    wchar_t* wide = nullptr;
    AnsiToWideHeap(info.text, &wide);
    SetPaneWidthAndText(static_cast<int>(pCmdUI->m_nIndex), wide ? wide : L"", nMinWidth);
    if (wide)
        ::HeapFree(::GetProcessHeap(), 0, wide);
}

void CMainFrame::OnUpdatePane(CCmdUI* pCmdUI) {
    switch (pCmdUI->m_nID) {
    case kPaneDI:
        UpdatePane(pCmdUI, 1, 180);
        break;
    case kPanePC:
        UpdatePane(pCmdUI, 2, 180);
        break;
    case kPaneLan:
        UpdatePane(pCmdUI, 3, 10);
        break;
    default:
        UpdatePane(pCmdUI, 4, 100);
        break;
    }
}

BOOL CMainFrame::SetPaneInfoText(LPCTSTR lpszText) {
    const int index = m_wndStatusBar.CommandToIndex(kPaneInfo);
    if (index < 0)
        return FALSE;
    return SetPaneWidthAndText(index, lpszText, 100);
}

int CMainFrame::SetStatusHelpText(LPCTSTR lpszText) {
    if (lpszText != nullptr) {
        m_wndStatusBar.SetWindowText(lpszText);
    } else {
        CString prompt;
        prompt.LoadString(AFX_IDS_IDLEMESSAGE);
        m_wndStatusBar.SetWindowText(prompt);
    }
    return 1;
}
