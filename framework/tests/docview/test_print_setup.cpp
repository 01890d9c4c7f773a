// The application's printer choice: Exit and Print Setup as menu commands, the handles the
// application keeps, and a kept choice whose printer has gone.
#include "test_app.h"

#include <cstring>

#include "tests/support/dialog_test_support.h"
#include "framework/dialogs/printdialog.h"

namespace {
bool Greyed(HMENU hMenu, UINT nID) {
    return (::GetMenuState(hMenu, nID, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

// A printer choice as the print dialogs leave it, naming a printer that does not exist.
HGLOBAL MakeDevNames(const wchar_t* device) {
    const wchar_t driver[] = L"winspool", port[] = L"LPT9:";
    const size_t nDriver = wcslen(driver) + 1, nDevice = wcslen(device) + 1;
    const size_t nChars = sizeof(DEVNAMES) / sizeof(wchar_t) + nDriver + nDevice + wcslen(port) + 1;
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, nChars * sizeof(wchar_t));
    auto* names = static_cast<DEVNAMES*>(::GlobalLock(h));
    auto* text = reinterpret_cast<wchar_t*>(names);
    names->wDriverOffset = sizeof(DEVNAMES) / sizeof(wchar_t);
    names->wDeviceOffset = static_cast<WORD>(names->wDriverOffset + nDriver);
    names->wOutputOffset = static_cast<WORD>(names->wDeviceOffset + nDevice);
    wcscpy(text + names->wDriverOffset, driver);
    wcscpy(text + names->wDeviceOffset, device);
    wcscpy(text + names->wOutputOffset, port);
    ::GlobalUnlock(h);
    return h;
}

HGLOBAL MakeDevMode(const wchar_t* device) {
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEW));
    auto* mode = static_cast<DEVMODEW*>(::GlobalLock(h));
    wcsncpy(mode->dmDeviceName, device, CCHDEVICENAME - 1);
    mode->dmSize = sizeof(DEVMODEW);
    mode->dmSpecVersion = DM_SPECVERSION;
    ::GlobalUnlock(h);
    return h;
}

// The default printer's name, empty when none is installed.
CString DefaultPrinter() {
    CPrintDialog dialog(TRUE);
    return dialog.GetDefaults() ? dialog.GetDeviceName() : CString();
}

// The device named by the application's kept choice.
CString KeptDevice() {
    CWinApp& app = TestApp();
    if (app.m_hDevNames == NULL)
        return CString();
    auto* names = static_cast<const DEVNAMES*>(::GlobalLock(app.m_hDevNames));
    CString device(reinterpret_cast<const wchar_t*>(names) + names->wDeviceOffset);
    ::GlobalUnlock(app.m_hDevNames);
    return device;
}
} // namespace

TEST_F(DocViewTest, ExitAndPrintSetupAreEnabledInTheFileMenu) {
    HMENU hFile = ::GetSubMenu(::GetMenu(m_pMain->m_hWnd), 0);
    ASSERT_NE(nullptr, hFile);
    m_pMain->SendMessage(WM_INITMENUPOPUP, (WPARAM)hFile, MAKELPARAM(0, FALSE));
    EXPECT_FALSE(Greyed(hFile, ID_FILE_PRINT_SETUP));
    EXPECT_FALSE(Greyed(hFile, ID_APP_EXIT));
}

// Cancelled, the dialog leaves the kept choice as it started: the default printer, or nothing
// when there is no printer (the system tells the user, once).
TEST_F(DocViewTest, PrintSetupKeepsThePrinterChoiceConsistent) {
    const CString defaultPrinter = DefaultPrinter();
    for (int round = 0; round < 2; ++round) {
        MessageBoxAnswer answer(IDOK);
        DialogDismisser dismisser(IDCANCEL);
        m_pMain->SendMessage(WM_COMMAND, ID_FILE_PRINT_SETUP);
        if (defaultPrinter.IsEmpty()) {
            EXPECT_EQ(nullptr, TestApp().m_hDevNames);
            EXPECT_EQ(nullptr, TestApp().m_hDevMode);
        } else {
            EXPECT_EQ(defaultPrinter, KeptDevice());
        }
        EXPECT_EQ(1u, dismisser.m_titles.size());
        EXPECT_TRUE(MessageBoxAnswer::s_texts.empty());
    }
    TestApp().SelectPrinter(NULL, NULL);
}

// A kept choice naming a printer that has gone is dropped (its handles freed once) and the
// dialog starts again from the default printer.
TEST_F(DocViewTest, PrintSetupDropsAChoiceWhosePrinterHasGone) {
    const CString defaultPrinter = DefaultPrinter();
    HGLOBAL hNames = MakeDevNames(L"Gone Printer"), hMode = MakeDevMode(L"Gone Printer");
    TestApp().SelectPrinter(hNames, hMode);
    {
        MessageBoxAnswer answer(IDOK);
        DialogDismisser dismisser(IDCANCEL);
        m_pMain->SendMessage(WM_COMMAND, ID_FILE_PRINT_SETUP);
        // One dialog or report: the dropped choice is not reported on its own.
        EXPECT_EQ(1u, dismisser.m_titles.size());
    }
    EXPECT_EQ(defaultPrinter, KeptDevice());
    EXPECT_EQ(defaultPrinter.IsEmpty(), TestApp().m_hDevNames == NULL);
    TestApp().SelectPrinter(NULL, NULL);
}

// Choosing the same handles again, or swapping in new ones, frees each old handle exactly once.
TEST_F(DocViewTest, SelectingAPrinterFreesOnlyWhatItReplaces) {
    CWinApp& app = TestApp();
    HGLOBAL hNames = MakeDevNames(L"One"), hMode = MakeDevMode(L"One");
    app.SelectPrinter(hNames, hMode);
    app.SelectPrinter(hNames, hMode);
    EXPECT_NE(0u, ::GlobalSize(hNames));
    EXPECT_NE(0u, ::GlobalSize(hMode));
    HGLOBAL hOtherMode = MakeDevMode(L"One");
    app.SelectPrinter(hNames, hOtherMode);
    EXPECT_NE(0u, ::GlobalSize(hNames));
    EXPECT_EQ(hOtherMode, app.m_hDevMode);
    app.SelectPrinter(NULL, NULL);
    EXPECT_EQ(nullptr, app.m_hDevNames);
    EXPECT_EQ(nullptr, app.m_hDevMode);
}
