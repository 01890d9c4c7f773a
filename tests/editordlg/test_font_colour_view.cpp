// After OK in the font and colour dialog, an edit control showing the language repaints in the
// colours and the font chosen.
#include "tests/support/editorwin_support.h"
#include "tests/support/font_dialog_driver.h"

#include "editor/font_colour_dialog.h"

#include <gtest/gtest.h>

TEST(FontColourView, OkRepaintsTheViewsOfTheLanguage) {
    ewtest::Host host;
    host.Load(ewtest::kFixture);
    SECEditLangConfig* pConfig = host.Model().GetLangConfig();
    ASSERT_NE(pConfig, nullptr);
    SECEditColorGroup* pText = pConfig->GetDefaultColorGroup(SECEDIT_GROUP_TEXT);
    const SECEditColorGroup saved = *pText;
    const int nLineHeight = host.LineHeight();

    // Past the end of the last line: the text group's background.
    const CPoint probe = host.PointOf(6, 30) + CPoint(2, 2);
    EXPECT_EQ(ewtest::Hex(CaptureShownClient(host.Ctrl().m_hWnd).At(probe.x, probe.y)),
              ewtest::Hex(ewtest::kTextBack));

    const COLORREF chosen = RGB(255, 255, 200);
    BOOL bChosen = FALSE;
    {
        ModalDriver driver(kCaption, [&](HWND hDlg) {
            SelectGroup(hDlg, L"Text");
            PickColour(hDlg, IDC_SECEDIT_BACKWELL, chosen);
            return IDOK;
        });
        bChosen = host.Model().ChooseFont();
    }
    ASSERT_TRUE(bChosen);
    ewtest::Pump();
    const Picture after = CaptureShownClient(host.Ctrl().m_hWnd);
    SavePng(after, ScreenshotPath(L"editor_font_colour_view.png"));
    EXPECT_EQ(ewtest::Hex(after.At(probe.x, probe.y)), ewtest::Hex(chosen));
    EXPECT_EQ(host.LineHeight(), nLineHeight) << "same font, same lines";

    *pText = saved;
}
