// The layout saved by one process comes back the same in a fresh one, and again after a second
// save and load. The parent test runs this program three times as children; each child builds
// the main frame with the application's default bars and writes what it sees to a file.
#include "dockframe_fixture.h"
#include "layout_dump.h"

#include "toolbars/toolbar_manager.h"

#include <fstream>
#include <memory>
#include <sstream>

namespace {
const wchar_t kProfile[] = L"MOX Frame";
const wchar_t kDumpVar[] = L"MOX_LAYOUT_DUMP";
const UINT kDefaultBars[] = {ID_BAR_OUTPUT, ID_BAR_WATCH, ID_BAR_LOCALS, ID_BAR_MEMORY,
                             ID_BAR_STACK,  ID_BAR_REGS,  ID_BAR_THREADS};

// The main frame as the application makes it: every default bar docked on top.
struct DefaultFrame {
    CTestMainFrame* pFrame = new CTestMainFrame;
    std::unique_ptr<SECToolBarManager> pManager;
    std::map<UINT, CFrameTestBar*> bars;

    bool Open() {
        AfxGetApp()->SetRegistryKey(kTestRegistryKey);
        pManager = std::make_unique<SECToolBarManager>(pFrame);
        pFrame->SetControlBarManager(pManager.get());
        if (!pFrame->Open(900, 700))
            return false;
        AfxGetApp()->m_pMainWnd = pFrame;
        for (UINT id : kDefaultBars) {
            auto* pBar = new CFrameTestBar;
            pBar->m_bAutoDelete = TRUE;
            CString name;
            name.Format(L"Bar %u", id);
            if (!pBar->Make(pFrame, id, name))
                return false;
            pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
            bars[id] = pBar;
        }
        PumpIdle();
        return true;
    }
    ~DefaultFrame() { CloseFrame(pFrame); }
};

std::wstring ExePath() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(NULL, path, MAX_PATH);
    return path;
}

// Runs this program with one child test; its exit code.
DWORD RunChild(const wchar_t* test, const std::wstring& dump) {
    ::SetEnvironmentVariableW(kDumpVar, dump.c_str());
    std::wstring cmd =
        L"\"" + ExePath() + L"\" --gtest_also_run_disabled_tests --gtest_filter=" + test;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(NULL, cmd.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return (DWORD)-1;
    const DWORD wait = ::WaitForSingleObject(pi.hProcess, 120000);
    DWORD code = (DWORD)-2;
    if (wait == WAIT_OBJECT_0)
        ::GetExitCodeProcess(pi.hProcess, &code);
    else
        ::TerminateProcess(pi.hProcess, 3);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    ::SetEnvironmentVariableW(kDumpVar, NULL);
    return code;
}

std::string ReadFile(const std::wstring& path) {
    std::ifstream in(path.c_str());
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteDump(CFrameWnd* pFrame) {
    wchar_t path[MAX_PATH] = {};
    ASSERT_NE(::GetEnvironmentVariableW(kDumpVar, path, MAX_PATH), 0u);
    std::ofstream out(path);
    out << FormatLayout(CaptureLayout(pFrame));
}

std::wstring TempPath(const wchar_t* name) {
    wchar_t dir[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}
} // namespace

// Child: builds the layout by hand, saves it and writes what it shows.
TEST(LayoutProcess, DISABLED_Save) {
    ClearTestProfile();
    DefaultFrame f;
    ASSERT_TRUE(f.Open());
    CTestMainFrame* pFrame = f.pFrame;
    // Top: two rows, the first shared 3 : 7.
    pFrame->DockControlBarAt(f.bars[ID_BAR_OUTPUT], AFX_IDW_DOCKBAR_TOP, 0, 0, 0.3f, 60);
    pFrame->DockControlBarAt(f.bars[ID_BAR_WATCH], AFX_IDW_DOCKBAR_TOP, 1, 0, 0.7f, 60);
    pFrame->DockControlBarAt(f.bars[ID_BAR_LOCALS], AFX_IDW_DOCKBAR_TOP, 0, 1, 1.0f, 80);
    // Left: two rows.
    pFrame->DockControlBarAt(f.bars[ID_BAR_MEMORY], AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, 120);
    pFrame->DockControlBarAt(f.bars[ID_BAR_STACK], AFX_IDW_DOCKBAR_LEFT, 0, 1, 1.0f, 150);
    // A hidden bar on the right, a floating one, one floated in the main window.
    pFrame->DockControlBarAt(f.bars[ID_BAR_REGS], AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 100);
    pFrame->ShowControlBar(f.bars[ID_BAR_REGS], FALSE, FALSE);
    pFrame->FloatControlBar(f.bars[ID_BAR_THREADS], CPoint(650, 520));
    auto* pInMain = new CFrameTestBar;
    pInMain->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pInMain->Make(pFrame, ID_BAR_MEMORY + 0x10, L"In main"));
    pFrame->DockControlBar(pInMain, AFX_IDW_DOCKBAR_BOTTOM);
    pFrame->FloatControlBarAsMDIChild(pInMain, -1, -1, CBRS_ALIGN_TOP);
    // A toolbar of the manager's own type on the bottom.
    SECCustomToolBar* pToolBar = f.pManager->CreateUserToolBar(L"Mine");
    ASSERT_NE(pToolBar, nullptr);
    pToolBar->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(pToolBar, AFX_IDW_DOCKBAR_BOTTOM);
    PumpIdle();
    pFrame->SaveBarState(kProfile);
    WriteDump(pFrame);
}

// Child: the default bars, then the saved layout; writes what it shows and saves again.
TEST(LayoutProcess, DISABLED_Load) {
    DefaultFrame f;
    ASSERT_TRUE(f.Open());
    auto* pInMain = new CFrameTestBar; // a default bar too, docked at first
    pInMain->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pInMain->Make(f.pFrame, ID_BAR_MEMORY + 0x10, L"In main"));
    f.pFrame->DockControlBar(pInMain, AFX_IDW_DOCKBAR_TOP);
    PumpIdle();
    f.pFrame->LoadBarState(kProfile);
    PumpIdle();
    // The manager made the toolbar of its own type again, with its own saved values.
    SECCustomToolBar* pToolBar = f.pManager->FindToolBar(SEC_IDW_FIRST_USERBAR);
    ASSERT_NE(pToolBar, nullptr);
    CString title;
    pToolBar->GetWindowText(title);
    EXPECT_STREQ((LPCTSTR)title, L"Mine");
    WriteDump(f.pFrame);
    f.pFrame->SaveBarState(kProfile);
}

TEST(LayoutAcrossProcesses, ComesBackTheSameAfterEachSaveAndLoad) {
    ClearTestProfile();
    const std::wstring dumps[] = {TempPath(L"mox_layout_0.txt"), TempPath(L"mox_layout_1.txt"),
                                  TempPath(L"mox_layout_2.txt")};
    for (const auto& d : dumps)
        ::DeleteFileW(d.c_str());
    ASSERT_EQ(RunChild(L"LayoutProcess.DISABLED_Save", dumps[0]), 0u);
    ASSERT_EQ(RunChild(L"LayoutProcess.DISABLED_Load", dumps[1]), 0u);
    ASSERT_EQ(RunChild(L"LayoutProcess.DISABLED_Load", dumps[2]), 0u);
    const auto saved = ParseLayout(ReadFile(dumps[0]));
    ASSERT_EQ(saved.size(), 9u) << ReadFile(dumps[0]);
    // What was built is what the tests mean to check: the places the layout has.
    EXPECT_EQ(saved.at(ID_BAR_REGS).visible, false);
    EXPECT_EQ(saved.at(ID_BAR_THREADS).host, 1);
    EXPECT_EQ(saved.at(ID_BAR_MEMORY + 0x10).host, 2);
    EXPECT_EQ(saved.at(ID_BAR_WATCH).col, 1);
    EXPECT_EQ(saved.at(ID_BAR_LOCALS).row, 1);
    EXPECT_EQ(CompareLayouts(saved, ParseLayout(ReadFile(dumps[1]))), "");
    EXPECT_EQ(CompareLayouts(saved, ParseLayout(ReadFile(dumps[2]))), "");
    ClearTestProfile();
}
