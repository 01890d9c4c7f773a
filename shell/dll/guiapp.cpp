// The library's application object: the framework's entry point starts it when the host loads
// the library, and its start-up binds the host before anything else runs.
#include "framework/afx.h"

#include "shell/hostlink.h"
#include "toolbars/drawing/themeapi.h"
#include "toolbars/drawing/toolkitcolors.h"

namespace {
class CMoxGuiApp : public CWinApp {
public:
    // Every binding failure has shown "MOX Fatal" and ended the process inside ConnectHost; a
    // host without drag and drop still gets a working library. The visual-theme entries are
    // bound and the toolkit colours derived before anything paints.
    BOOL InitInstance() override {
        ConnectHost(nullptr);
        ImportDragDropService();
        InitThemeApi();
        UpdateToolkitColors();
        return TRUE;
    }
    int ExitInstance() override {
        FreeThemeApi();
        return CWinApp::ExitInstance();
    }
};

CMoxGuiApp theApp;
} // namespace
