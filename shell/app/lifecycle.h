// Where the library stands in the run the host drives, and the scope every export runs in.
#pragma once

#include "framework/afx.h"

enum class LibraryPhase { loaded, started, ended };
LibraryPhase CurrentPhase();

class CMainFrame;
// The main frame while the host may use it: from StartApp until EndApp. Null otherwise.
CMainFrame* ActiveFrame();

// One call from the host into the library. EndApp asked for inside another call (the host's
// answer to a command of the user) runs when the outermost call returns.
class ExportScope {
public:
    ExportScope();
    ~ExportScope();
    ExportScope(const ExportScope&) = delete;
    ExportScope& operator=(const ExportScope&) = delete;
    static bool IsNested();
};

int StartLibrary();
int EndLibrary();
