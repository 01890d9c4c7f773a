#include "shortcut_test_app.h"

#include <gtest/gtest.h>

namespace {

class ShortcutTestApp : public CWinApp {
public:
    ShortcutTestApp() : CWinApp(L"ToolbarsTests") {}
};
ShortcutTestApp theApp;

CFrameWnd* g_pFrame = nullptr;
HACCEL g_hDefault = NULL;
CMultiDocTemplate* g_pTemplate = nullptr;

struct MainFrameEnvironment : testing::Environment {
    void SetUp() override {
        g_pFrame = new CFrameWnd;
        ASSERT_TRUE(g_pFrame->Create(NULL, L"Shortcuts", WS_OVERLAPPEDWINDOW,
                                     CRect(40, 40, 440, 300), NULL,
                                     MAKEINTRESOURCE(IDR_TEST_MAIN)));
        ASSERT_TRUE(g_pFrame->LoadAccelTable(MAKEINTRESOURCE(IDR_TEST_MAIN)));
        g_hDefault = g_pFrame->GetAccelTable();
        theApp.m_pMainWnd = g_pFrame;
        g_pTemplate = new CMultiDocTemplate(IDR_TEST_TEMPLATE, RUNTIME_CLASS(CDocument),
                                            RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CView));
        theApp.AddDocTemplate(g_pTemplate);
        ASSERT_NE(g_pTemplate->m_hMenuShared, (HMENU)NULL);
    }
    void TearDown() override {
        theApp.m_pMainWnd = nullptr;
        g_pFrame->DestroyWindow();
    }
};
testing::Environment* const g_environment =
    testing::AddGlobalTestEnvironment(new MainFrameEnvironment);

} // namespace

CFrameWnd* TestMainFrame() {
    return g_pFrame;
}
HACCEL TestDefaultAccel() {
    return g_hDefault;
}
CMultiDocTemplate* TestTemplate() {
    return g_pTemplate;
}

std::vector<ACCEL> EntriesOf(HACCEL hAccel) {
    std::vector<ACCEL> entries((size_t)std::max(0, ::CopyAcceleratorTableW(hAccel, NULL, 0)));
    if (!entries.empty())
        ::CopyAcceleratorTableW(hAccel, entries.data(), (int)entries.size());
    return entries;
}

std::vector<ACCEL> EntriesOf(const CArray<ACCEL, ACCEL&>& table) {
    std::vector<ACCEL> entries;
    for (INT_PTR i = 0; i < table.GetSize(); ++i)
        entries.push_back(table[i]);
    return entries;
}

bool SameEntries(const std::vector<ACCEL>& a, const std::vector<ACCEL>& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].fVirt != b[i].fVirt || a[i].key != b[i].key || a[i].cmd != b[i].cmd)
            return false;
    return true;
}

CString ItemText(HMENU hMenu, UINT nPos) {
    wchar_t text[256] = {};
    ::GetMenuStringW(hMenu, nPos, text, 256, MF_BYPOSITION);
    return text;
}
