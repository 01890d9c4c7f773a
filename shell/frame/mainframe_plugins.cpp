// The host's list of its loaded libraries, shown modally over the frame.
#include "shell/frame/mainframe.h"

#include "shell/plugins/plugin_dialog.h"

BOOL CMainFrame::ShowPluginDialog(PluginInfoNode* pRoot) {
    CPlugin dialog(this);
    dialog.m_pRoot = pRoot;
    return dialog.DoModal() == IDOK;
}
