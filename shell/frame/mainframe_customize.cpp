// The frame's "&Toolbars ..." command: the toolbar manager's Toolbars dialog and, from it, the
// "Customize" sheet with the frame's command groups and one group per host toolbar.
#include "shell/frame/mainframe.h"

#include "shell/frame/toolbar_lists.h"
#include "shell/hostlink.h"
#include "toolbars/toolbar_cmd_page.h"
#include "toolbars/toolbar_manager.h"
#include "toolbars/toolbar_sheet.h"

namespace {
bool ExtensionMode() {
    return HostVersionAtLeast(3, 3) && HostTable()->IsExtensionMode() != 0;
}
} // namespace

void CMainFrame::OnViewToolbars() {
    if (m_pManager->RunToolBarsDialog() == SEC_IDC_CUSTOMIZE && MainFrame() == this)
        RunCustomizeSheet();
    // The host may have ended the run while a dialog was up: the frame is gone with it.
    if (MainFrame() != this || m_hWnd == NULL)
        return;
    const BOOL bToolTips = m_pManager->GetToolTips();
    for (int i = 0; i < m_hostToolbars.GetSize(); ++i)
        if (CGuiTB* pBar = m_hostToolbars.GetAt(i))
            pBar->m_bToolTipsOn = bToolTips;
    if (m_pUserTB != nullptr && !ExtensionMode())
        m_pUserTB->m_bToolTipsOn = bToolTips;
    // The dialogs may have reset the "Run" toolbar, and with it the language button.
    ChangeLanguage(m_nLanguageFlag);
}

void CMainFrame::RunCustomizeSheet() {
    SECToolBarSheet sheet(SEC_IDS_CUSTOMIZE, nullptr);
    SECToolBarsPage toolbarsPage;
    toolbarsPage.SetManager(m_pManager.get());
    sheet.AddPage(&toolbarsPage);
    SECToolBarCmdPage commandsPage(SEC_IDD_COMMANDS_PAGE, SEC_IDS_COMMANDS);
    commandsPage.SetManager(m_pManager.get());
    for (const ToolbarButtonList& group : CustomizeGroupLists(m_bMemoryMapping))
        commandsPage.DefineBtnGroup(group.title, static_cast<int>(group.ids.size()),
                                    group.ids.data());
    for (const HostToolbarButtonGroup& group : m_groups.Groups())
        commandsPage.DefineBtnGroup(group.title, group.count, group.ids);
    sheet.AddPage(&commandsPage);
    sheet.DoModal();
}
