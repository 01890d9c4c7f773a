// The library's application object: the framework's entry point starts it when the host loads
// the library, and its start-up binds the host before anything else runs.
#include "framework/afx.h"

#include "shell/hostlink.h"

namespace {
class CMoxGuiApp : public CWinApp {
public:
    // Every binding failure has shown "MOX Fatal" and ended the process inside ConnectHost; a
    // host without drag and drop still gets a working library.
    BOOL InitInstance() override {
        ConnectHost(nullptr);
        ImportDragDropService();
        return TRUE;
    }
};

CMoxGuiApp theApp;
} // namespace
