// The host's plug-in list, shown in the "Show Plug-ins" dialog.
#include "framework/afx.h"
#include "ifac/h/plugininfo.h"
#include "shell/app/lifecycle.h"
#include "shell/dll/export_guard.h"
#include "shell/frame/mainframe.h"

extern "C" {

__declspec(dllexport) int __cdecl PluginDialog(PluginInfoNode* root) {
    return GuardExport(L"PluginDialog", 0, [root] {
        CMainFrame* pFrame = ActiveFrame();
        return pFrame != nullptr && pFrame->ShowPluginDialog(root) ? 1 : 0;
    });
}
}
