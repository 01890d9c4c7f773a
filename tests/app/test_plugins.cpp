// The host shows its loaded libraries through PluginDialog, and the user writes them to a
// protocol file from the dialog's "&Protocol" button, through the system's save dialog.
#include "host/lib/plugin_tree.h"
#include "tests/support/app_fixture.h"
#include "tests/support/screen_image.h"
#include "tests/support/file_bytes.h"
#include "tests/support/modal_script.h"

#include <string>

namespace {

using PluginDialogFn = int(__cdecl*)(PluginInfoNode*);

std::wstring ControlText(HWND hWnd) {
    wchar_t text[256] = {};
    GetWindowTextW(hWnd, text, 256);
    return text;
}

// The save dialog's steps: its file types as the system lists them, then the name typed and
// confirmed.
std::function<int(HWND)> SaveAs(const std::wstring& path, std::vector<std::wstring>* types) {
    return [path, types](HWND hDlg) {
        HWND combo = GetDlgItem(hDlg, 0x470); // the file types
        const int count = combo ? static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0)) : 0;
        for (int i = 0; i < count; ++i) {
            wchar_t text[256] = {};
            SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            types->push_back(text);
        }
        for (int id : {0x47c, 0x480}) // the name's combo box, or its plain edit
            if (HWND name = GetDlgItem(hDlg, id))
                SetWindowTextW(name, path.c_str());
        return IDOK;
    };
}

TEST_F(AppTest, TheDialogShowsThePluginsAndWritesTheirProtocol) {
    Start();
    const std::wstring path = TempFilePath(L"mox_plugins_protocol.txt");
    DeleteFileW(path.c_str());
    std::vector<std::wstring> types;
    std::wstring okText, protocolText;
    bool pictured = false;
    ModalScript script;
    script
        .Then(L"Show Plug-ins",
              [&](HWND hDlg) {
                  okText = ControlText(GetDlgItem(hDlg, IDOK));
                  protocolText = ControlText(GetDlgItem(hDlg, 1010));
                  RedrawWindow(hDlg, nullptr, nullptr,
                               RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                  ScreenImage image;
                  pictured = image.Read(hDlg, L"app_plugins_dialog.png");
                  return 1010; // "&Protocol"
              })
        .Then(L"Plug-in Protocol", SaveAs(path, &types))
        .Then(L"Show Plug-ins", [](HWND) { return IDOK; });
    auto show = Get<PluginDialogFn>("PluginDialog");
    ASSERT_NE(nullptr, show);
    PluginInfoNode* root = StandInPluginTree();
    EXPECT_EQ(1, show(root));
    ASSERT_TRUE(script.Finished());
    EXPECT_TRUE(pictured);
    EXPECT_EQ(L"&OK", okText);
    EXPECT_EQ(L"&Protocol", protocolText);
    EXPECT_NE(nullptr, root->item);
    // One file type, and no empty or stray entry after it.
    EXPECT_EQ(std::vector<std::wstring>{L"Write Plug-in Protocol (*.txt)"}, types);

    const std::string text = ReadFileBytes(path).value_or("<missing>");
    const std::string title = std::string(43, ' ') + "Loaded Plug-ins:\r\n\r\n\r\n";
    ASSERT_EQ(0u, text.find(title)) << text;
    // " trace.dll*" (11) to 20, "Trace recorder" (34) to 70, "1.2" (73) to 80, "TRACE" (85) to 95.
    const std::string trace = "\r\n trace.dll*" + std::string(9, ' ') + "Trace recorder" +
                              std::string(36, ' ') + "1.2" + std::string(7, ' ') + "TRACE" +
                              std::string(10, ' ') + "C:\\mox\\plugins\\trace.dll\r\n";
    EXPECT_NE(std::string::npos, text.find(trace)) << text;
    EXPECT_NE(std::string::npos, text.find("\r\n  tracefmt.dll "));
    EXPECT_NE(std::string::npos, text.find("\r\n  flashalg.dll ")); // collapsed, still written
    EXPECT_EQ(std::string::npos, text.find("support"));             // hidden with its child
    EXPECT_EQ(text.size() - 43, text.rfind("\r\nLibraries marked with '*' are Plug-ins.\r\n"));
    DeleteFileW(path.c_str());
}

// Cancelling the save dialog writes nothing; a folder that does not exist: the user is told,
// and no file appears. Closing the dialog without OK answers 0.
TEST_F(AppTest, AProtocolThatCannotBeWrittenIsReported) {
    Start();
    const std::wstring path = TempFilePath(L"mox_no_such_folder\\protocol.txt");
    const std::wstring cancelled = TempFilePath(L"mox_cancelled_protocol.txt");
    DeleteFileW(cancelled.c_str());
    std::vector<std::wstring> types;
    ModalScript script;
    script.Then(L"Show Plug-ins", [](HWND) { return 1010; })
        .Then(L"Plug-in Protocol",
              [&](HWND hDlg) {
                  SaveAs(cancelled, &types)(hDlg);
                  return IDCANCEL;
              })
        .Then(L"Show Plug-ins", [](HWND) { return 1010; })
        .Then(L"Plug-in Protocol", SaveAs(path, &types))
        .Then(L"Show Plug-ins", [](HWND) { return IDCANCEL; });
    EXPECT_EQ(0, Get<PluginDialogFn>("PluginDialog")(StandInPluginTree()));
    ASSERT_TRUE(script.Finished());
    EXPECT_EQ(1u, Lines("MessageBox(\"Plug-in Protocol\", \"The plug-in protocol could not be "
                        "written to")
                      .size());
    EXPECT_FALSE(ReadFileBytes(path).has_value());
    EXPECT_FALSE(ReadFileBytes(cancelled).has_value());
}

} // namespace
