// Helpers shared by the window tests: a top-level test window and message pumping.
#pragma once

#include "framework/afx.h"

#include <string>
#include <vector>

// Takes every waiting message off the queue and dispatches it.
void PumpPending();

// A plain top-level window of the framework's default class, hidden.
BOOL CreateTopLevel(CWnd& wnd, LPCTSTR lpszTitle = L"test");

// Records the text and type of every message box instead of showing it.
class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    static std::vector<std::wstring> texts;

private:
    AFX_MSGBOX_HOOK m_previous;
};
