// The frame's "&Toolbars ..." command: the toolbar manager's Toolbars dialog and, from it, the
// "Customize" sheet with the frame's command groups and one group per host toolbar.
#include "shell/frame/mainframe.h"

#include "shell/frame/frame_ids.h"
#include "shell/frame/toolbar_lists.h"
#include "toolbars/custom_toolbar.h"
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
    // The dialogs' settings (large buttons, cool look) change the bars' sizes.
    RecalcLayout();
    // The dialogs may have reset the "Run" toolbar, and with it the language button: it shows
    // the host's language again once the host has named one. Before that the bar's own
    // switch button stays, and a first button the user put there is never taken for it.
    if (!m_bLanguageNamed)
        return;
    auto* pRun = DYNAMIC_DOWNCAST(SECCustomToolBar, GetControlBar(kBarRun));
    if (pRun == nullptr || pRun->GetButtonCount() == 0)
        return;
    const UINT nFirst = pRun->GetButtonId(0);
    const UINT nWanted = m_nLanguageFlag ? kCmdLanguageB : kCmdLanguageA;
    if (nFirst != nWanted &&
        (nFirst == kCmdLanguageA || nFirst == kCmdLanguageB || nFirst == kCmdLanguageSwitch))
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
