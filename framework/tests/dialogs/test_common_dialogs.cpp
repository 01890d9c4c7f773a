// The system's common dialogs, answered by the test.
#include <gtest/gtest.h>

#include <cwchar>

#include "tests/support/dialog_test_support.h"
#include "framework/dialogs/colordialog.h"
#include "framework/dialogs/filedialog.h"
#include "framework/dialogs/fontdialog.h"
#include "framework/dialogs/printdialog.h"

namespace {
TEST(FileDialog, FilterSeparatorsBecomeTheSystemsList) {
    struct Case {
        LPCWSTR filter;
        std::wstring expected; // up to and including the terminating empty entry
    } cases[] = {
        {L"Text (*.txt)|*.txt|All (*.*)|*.*||",
         std::wstring(L"Text (*.txt)\0*.txt\0All (*.*)\0*.*\0\0", 34)},
        // Without the final "||" the list still ends properly.
        {L"Write Plug-in Protocol (*.txt)|*.txt|",
         std::wstring(L"Write Plug-in Protocol (*.txt)\0*.txt\0\0", 38)},
        {L"Log|*.log", std::wstring(L"Log\0*.log\0\0", 11)},
    };
    for (const auto& c : cases) {
        CFileDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY, c.filter);
        std::wstring got(dlg.m_ofn.lpstrFilter, c.expected.size());
        EXPECT_EQ(c.expected, got) << std::wstring(c.filter).c_str();
    }
}

TEST(FileDialog, CancelledOpenDialogReturnsCancelAndNoName) {
    CFileDialog dlg(TRUE, L"txt", NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                    L"Text Files (*.txt)|*.txt||");
    dlg.m_ofn.lpstrTitle = L"Open for the test";
    INT_PTR result = 0;
    {
        DialogDismisser dismisser(IDCANCEL);
        result = dlg.DoModal();
        ASSERT_EQ(1u, dismisser.m_titles.size());
        EXPECT_EQ(L"Open for the test", dismisser.m_titles[0]);
    }
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(0u, ::CommDlgExtendedError());
    EXPECT_TRUE(dlg.GetPathName().IsEmpty());
}

TEST(FileDialog, ConfirmedSaveDialogGivesThePathAndItsParts) {
    wchar_t folder[MAX_PATH] = L"";
    ::GetTempPathW(MAX_PATH, folder);
    CString path = CString(folder) + L"mox_protocol.txt";
    ::DeleteFileW(path);
    CFileDialog dlg(FALSE, L"txt", path, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    L"Write Plug-in Protocol (*.txt)|*.txt|");
    INT_PTR result = 0;
    {
        DialogDismisser dismisser(IDOK);
        result = dlg.DoModal();
    }
    ASSERT_EQ(IDOK, result);
    EXPECT_EQ(0, dlg.GetPathName().CompareNoCase(path));
    EXPECT_EQ(CString(L"mox_protocol.txt"), dlg.GetFileName());
    EXPECT_EQ(CString(L"txt"), dlg.GetFileExt());
    EXPECT_EQ(CString(L"mox_protocol"), dlg.GetFileTitle());
}

TEST(FontDialog, ConfirmedChoiceComesBackAsALogFont) {
    LOGFONTW initial = {};
    initial.lfHeight = -13;
    initial.lfWeight = FW_NORMAL;
    std::wcscpy(initial.lfFaceName, L"Tahoma");
    CFontDialog dlg(&initial, CF_SCREENFONTS | CF_FORCEFONTEXIST | CF_NOVERTFONTS);
    INT_PTR result = 0;
    {
        DialogDismisser dismisser(IDOK);
        result = dlg.DoModal();
    }
    ASSERT_EQ(IDOK, result);
    LOGFONTW chosen = {};
    dlg.GetCurrentFont(&chosen);
    EXPECT_NE(L'\0', chosen.lfFaceName[0]);
    EXPECT_EQ(dlg.GetFaceName(), CString(chosen.lfFaceName));
    EXPECT_GT(dlg.GetSize(), 0);
    EXPECT_FALSE(dlg.IsItalic());
}

TEST(ColorDialog, ConfirmedColourAndSharedCustomColours) {
    COLORREF* custom = CColorDialog::GetSavedCustomColors();
    custom[3] = RGB(1, 2, 3);
    CColorDialog dlg(RGB(10, 20, 30), CC_FULLOPEN);
    EXPECT_EQ(custom, dlg.m_cc.lpCustColors);
    INT_PTR result = 0;
    {
        DialogDismisser dismisser(IDOK);
        result = dlg.DoModal();
    }
    ASSERT_EQ(IDOK, result);
    EXPECT_EQ(RGB(10, 20, 30), dlg.GetColor());
    EXPECT_EQ(RGB(1, 2, 3), CColorDialog::GetSavedCustomColors()[3]);
}

// Without a printer the dialog ends at once; with one the test cancels it. Either way nothing
// is printed and no handle is left behind.
TEST(PrintDialog, EndsWithoutAPrinterOrWhenCancelled) {
    CPrintDialog dlg(FALSE);
    INT_PTR result = 0;
    {
        DialogDismisser dismisser(IDCANCEL);
        result = dlg.DoModal();
    }
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(NULL, dlg.GetPrinterDC());
}
} // namespace
