#include "test_support.h"

// The test program's application object, as a library has one.
static CWinApp theTestApp(L"MoxFwWinTests");

void PumpPending() {
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

BOOL CreateTopLevel(CWnd& wnd, LPCTSTR lpszTitle) {
    return wnd.CreateEx(0, NULL, lpszTitle, WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, NULL, NULL);
}

std::vector<std::wstring> MessageBoxRecorder::texts;

namespace {
int RecordBox(LPCTSTR lpszText, UINT) {
    MessageBoxRecorder::texts.push_back(lpszText);
    return IDOK;
}
} // namespace

MessageBoxRecorder::MessageBoxRecorder() : m_previous(AfxSetMessageBoxHook(&RecordBox)) {
    texts.clear();
}
MessageBoxRecorder::~MessageBoxRecorder() {
    AfxSetMessageBoxHook(m_previous);
}
