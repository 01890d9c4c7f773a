// The font and colour dialog, driven from inside its modal loop: the automatic colours, the
// groups it lists and writes back, "Reset All", Cancel, the font chooser, the sample, and the
// notification that reaches every model and view of the language after OK.
#include "tests/support/dialog_test_support.h"
#include "tests/support/font_dialog_driver.h"
#include "editor/edit_model.h"
#include "editor/font_colour_dialog.h"
#include "tests/support/screenshot.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> ListedGroups(HWND hDlg) {
    HWND hList = ::GetDlgItem(hDlg, IDC_SECEDIT_GROUPS);
    std::vector<std::wstring> names;
    const int n = (int)::SendMessageW(hList, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; ++i) {
        wchar_t text[64] = L"";
        ::SendMessageW(hList, LB_GETTEXT, i, (LPARAM)text);
        names.push_back(text);
    }
    return names;
}

std::wstring ItemText(HWND hDlg, int nID) {
    wchar_t text[128] = L"";
    ::GetDlgItemTextW(hDlg, nID, text, 128);
    return text;
}

// What the window shows on the screen, as a PNG in the screens folder.
void SaveWindowPng(HWND hWnd, const wchar_t* name) {
    RECT w;
    ::GetWindowRect(hWnd, &w);
    SaveScreenPng(w, ScreenshotPath(name).c_str());
}

struct GroupState {
    COLORREF fore, back;
    BOOL foreAuto, backAuto;
    std::wstring name;
    BOOL configurable;
    bool operator==(const GroupState& o) const {
        return fore == o.fore && back == o.back && !foreAuto == !o.foreAuto &&
               !backAuto == !o.backAuto && name == o.name && !configurable == !o.configurable;
    }
};
std::ostream& operator<<(std::ostream& os, const GroupState& g) {
    return os << std::hex << "{" << g.fore << ", " << g.back << ", auto " << g.foreAuto
              << g.backAuto << "}";
}

struct ConfigState {
    std::wstring face;
    int size;
    BOOL bold, italic;
    std::vector<std::optional<GroupState>> groups;
    bool operator==(const ConfigState& o) const {
        return face == o.face && size == o.size && !bold == !o.bold && !italic == !o.italic &&
               groups == o.groups;
    }
};

std::ostream& operator<<(std::ostream& os, const ConfigState& c) {
    os << std::string(c.face.begin(), c.face.end()) << " " << std::dec << c.size << " bold "
       << c.bold << " italic " << c.italic;
    for (const auto& g : c.groups) {
        if (g)
            os << " " << *g;
        else
            os << " none";
    }
    return os;
}

ConfigState StateOf(const ISECEditLangConfig& config) {
    ConfigState state{
        config.GetFaceName().str(), config.GetSize(), config.GetBold(), config.GetItalic(), {}};
    for (const auto& g : config.GetColorGroups()) {
        if (g == nullptr)
            state.groups.push_back(std::nullopt);
        else
            state.groups.push_back(GroupState{g->m_foreground, g->m_background,
                                              g->m_foreColorAutomatic, g->m_backColorAutomatic,
                                              g->m_displayName.str(), g->m_configurable});
    }
    return state;
}

class Recorder : public corvalis::foundation::IObserver {
public:
    std::vector<uint32_t> hints;
    bool QueryGuid(const GUID&, void** out) override {
        *out = nullptr;
        return false;
    }
    int32_t AddRef() override { return 1; }
    int32_t Release() override { return 1; }
    void OnUpdate(corvalis::foundation::ISubject*, corvalis::foundation::IMessage* m) override {
        hints.push_back(m != nullptr ? m->GetTypeID() : 0);
    }
};

// A dialog whose font chooser answers from the test, and which records how it was asked.
class TestDialog : public SECEditFontColorDlg {
public:
    std::function<INT_PTR(CFontDialog&)> fontAnswer; // empty: the real dialog
    std::vector<DWORD> fontFlags;
    std::vector<LPCWSTR> fontTemplates;
    std::vector<INT_PTR> fontResults;
    void UseFontTemplate(UINT nID) { m_nFontTemplate = nID; }

protected:
    INT_PTR RunFontDialog(CFontDialog& dialog) override {
        fontFlags.push_back(dialog.m_cf.Flags);
        fontTemplates.push_back(dialog.m_cf.hInstance != NULL ? dialog.m_cf.lpTemplateName : NULL);
        const INT_PTR nResult =
            fontAnswer ? fontAnswer(dialog) : SECEditFontColorDlg::RunFontDialog(dialog);
        fontResults.push_back(nResult);
        return nResult;
    }
};

// Groups: 0 "Text", 1 "Text Selection", 2 "Number" and 3 "Operator" (both not configurable),
// 4 missing, 5 "Comment". No colour is automatic but "Number"'s two and "Comment"'s background.
class FontColourTest : public ::testing::Test {
protected:
    SECEditLangConfig* config = nullptr;
    LOGFONTW start = {};

    void SetUp() override {
        config = new SECEditLangConfig();
        const struct {
            COLORREF fore, back;
            BOOL foreAuto, backAuto;
        } colours[] = {{RGB(10, 20, 30), RGB(250, 240, 230), FALSE, FALSE},
                       {RGB(1, 2, 3), RGB(4, 5, 6), FALSE, FALSE},
                       {RGB(7, 7, 7), RGB(8, 8, 8), TRUE, TRUE},
                       {RGB(9, 9, 9), RGB(11, 11, 11), FALSE, FALSE}};
        for (int i = 0; i < 4; ++i) {
            SECEditColorGroup* g = config->GetColorGroup(i);
            g->m_foreground = colours[i].fore;
            g->m_background = colours[i].back;
            g->m_foreColorAutomatic = colours[i].foreAuto;
            g->m_backColorAutomatic = colours[i].backAuto;
        }
        config->PutColorGroup(L"Gap", nullptr);
        auto comment = std::make_unique<SECEditColorGroup>();
        comment->m_displayName = L"Comment";
        comment->m_foreground = RGB(0, 128, 0);
        comment->m_background = RGB(99, 99, 99);
        comment->m_backColorAutomatic = TRUE;
        config->PutColorGroup(L"Comment", std::move(comment));
        config->SetFaceName(L"Courier");
        config->SetSize(10);
        std::wcscpy(start.lfFaceName, L"Courier");
    }
    void TearDown() override { config->Release(); }

    // Runs the dialog over the configuration with the script; writes back after OK.
    INT_PTR Run(TestDialog& dialog, std::function<int(HWND)> script) {
        dialog.SetSettings(config, &start);
        INT_PTR nResult;
        {
            ModalDriver driver(kCaption, std::move(script));
            nResult = dialog.DoModal();
            EXPECT_TRUE(driver.ran);
        }
        if (nResult == IDOK)
            dialog.GetSettings(config);
        return nResult;
    }
};

enum Action { kSelect, kForeAuto, kBackAuto, kForeWell, kBackWell };
struct Step {
    Action action;
    const wchar_t* group = nullptr; // kSelect
    COLORREF colour = 0;            // the wells
};

TEST_F(FontColourTest, AutomaticColoursFollowText) {
    const COLORREF sysText = ::GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF sysWindow = ::GetSysColor(COLOR_WINDOW);
    const COLORREF red = RGB(200, 0, 0), blue = RGB(0, 0, 200);
    struct Change {
        int group;
        COLORREF fore, back;
        BOOL foreAuto, backAuto;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        std::vector<Change> expect; // the groups that change, as they end up
    } cases[] = {
        {"Text's background automatic: the window colour, passed on",
         {{kSelect, L"Text"}, {kBackAuto}},
         {{0, RGB(10, 20, 30), sysWindow, FALSE, TRUE},
          {2, RGB(10, 20, 30), sysWindow, TRUE, TRUE},
          {5, RGB(0, 128, 0), sysWindow, FALSE, TRUE}}},
        {"Text's foreground automatic",
         {{kSelect, L"Text"}, {kForeAuto}},
         {{0, sysText, RGB(250, 240, 230), TRUE, FALSE},
          {2, sysText, RGB(250, 240, 230), TRUE, TRUE},
          {5, RGB(0, 128, 0), RGB(250, 240, 230), FALSE, TRUE}}},
        {"Text Selection automatic takes Text swapped",
         {{kSelect, L"Text Selection"}, {kForeAuto}, {kBackAuto}},
         {{1, RGB(250, 240, 230), RGB(10, 20, 30), TRUE, TRUE}}},
        {"a new Text colour reaches the swapped selection",
         {{kSelect, L"Text Selection"}, {kForeAuto}, {kSelect, L"Text"}, {kBackWell, 0, blue}},
         {{0, RGB(10, 20, 30), blue, FALSE, FALSE},
          {1, blue, RGB(4, 5, 6), TRUE, FALSE},
          {2, RGB(10, 20, 30), blue, TRUE, TRUE},
          {5, RGB(0, 128, 0), blue, FALSE, TRUE}}},
        {"another group's automatic colours are Text's",
         {{kSelect, L"Comment"}, {kForeAuto}},
         {{5, RGB(10, 20, 30), RGB(250, 240, 230), TRUE, TRUE}}},
        {"a picked colour where the flag is clear",
         {{kSelect, L"Comment"}, {kForeWell, 0, red}},
         {{5, red, RGB(250, 240, 230), FALSE, TRUE}}},
        {"a picked colour is kept once the flag clears",
         {{kSelect, L"Comment"}, {kBackAuto}, {kBackWell, 0, blue}},
         {{5, RGB(0, 128, 0), blue, FALSE, FALSE}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        ConfigState expected = StateOf(*config);
        for (const Change& change : c.expect) {
            GroupState& g = *expected.groups[change.group];
            g.fore = change.fore;
            g.back = change.back;
            g.foreAuto = change.foreAuto;
            g.backAuto = change.backAuto;
        }
        TestDialog dialog;
        bool wellsFollowFlags = true;
        ASSERT_EQ(IDOK, Run(dialog, [&](HWND hDlg) {
                      for (const Step& step : c.steps) {
                          switch (step.action) {
                          case kSelect:
                              EXPECT_TRUE(SelectGroup(hDlg, step.group));
                              break;
                          case kForeAuto:
                              Click(hDlg, IDC_SECEDIT_FOREAUTO);
                              break;
                          case kBackAuto:
                              Click(hDlg, IDC_SECEDIT_BACKAUTO);
                              break;
                          case kForeWell:
                              PickColour(hDlg, IDC_SECEDIT_FOREWELL, step.colour);
                              break;
                          case kBackWell:
                              PickColour(hDlg, IDC_SECEDIT_BACKWELL, step.colour);
                              break;
                          }
                          const SECEditColorGroup* g = dialog.GetSelectedGroup();
                          if (g != nullptr)
                              wellsFollowFlags =
                                  wellsFollowFlags &&
                                  !::IsWindowEnabled(::GetDlgItem(hDlg, IDC_SECEDIT_FOREWELL)) ==
                                      !!g->m_foreColorAutomatic &&
                                  !::IsWindowEnabled(::GetDlgItem(hDlg, IDC_SECEDIT_BACKWELL)) ==
                                      !!g->m_backColorAutomatic;
                      }
                      return IDOK;
                  }));
        EXPECT_TRUE(wellsFollowFlags)
            << "a well is enabled exactly when its colour is not automatic";
        const ConfigState after = StateOf(*config);
        for (size_t i = 0; i < expected.groups.size(); ++i)
            EXPECT_EQ(after.groups[i], expected.groups[i]) << "group " << i;
    }
}

// Groups that cannot be configured are not listed, yet written back; a missing group keeps its
// place, so that every copy goes back over its own group.
TEST_F(FontColourTest, ListsConfigurableGroupsAndWritesEachBackInItsPlace) {
    ConfigState expected = StateOf(*config);
    expected.groups[5]->fore = RGB(5, 5, 5);
    expected.groups[5]->back = RGB(250, 240, 230); // automatic: from "Text"
    TestDialog dialog;
    std::vector<std::wstring> listed;
    ASSERT_EQ(IDOK, Run(dialog, [&](HWND hDlg) {
                  listed = ListedGroups(hDlg);
                  SelectGroup(hDlg, L"Comment");
                  PickColour(hDlg, IDC_SECEDIT_FOREWELL, RGB(5, 5, 5));
                  return IDOK;
              }));
    EXPECT_EQ(listed, (std::vector<std::wstring>{L"Text", L"Text Selection", L"Comment"}));
    EXPECT_EQ(dialog.GetGroupCopy(4), nullptr);
    EXPECT_EQ(StateOf(*config), expected);
}

TEST_F(FontColourTest, ResetAllThenOkWritesNothingNew) {
    const ConfigState before = StateOf(*config);
    TestDialog dialog;
    dialog.fontAnswer = [](CFontDialog& font) {
        std::wcscpy(font.m_lf.lfFaceName, L"Other Face");
        font.m_lf.lfHeight = -40;
        font.m_lf.lfWeight = FW_BOLD;
        font.m_lf.lfItalic = TRUE;
        return (INT_PTR)IDOK;
    };
    std::wstring faceAfterChoice, sizeAfterReset;
    ASSERT_EQ(IDOK, Run(dialog, [&](HWND hDlg) {
                  SelectGroup(hDlg, L"Text");
                  Click(hDlg, IDC_SECEDIT_BACKAUTO);
                  PickColour(hDlg, IDC_SECEDIT_FOREWELL, RGB(1, 1, 1));
                  SelectGroup(hDlg, L"Comment");
                  Click(hDlg, IDC_SECEDIT_FOREAUTO);
                  Click(hDlg, IDC_SECEDIT_CHOOSEFONT);
                  faceAfterChoice = ItemText(hDlg, IDC_SECEDIT_FACENAME);
                  Click(hDlg, IDC_SECEDIT_RESETALL);
                  sizeAfterReset = ItemText(hDlg, IDC_SECEDIT_FONTSIZE);
                  EXPECT_EQ(dialog.GetSelectedGroup(), dialog.GetGroupCopy(0)) << "first entry";
                  return IDOK;
              }));
    EXPECT_EQ(faceAfterChoice, L"Other Face");
    EXPECT_EQ(sizeAfterReset, L"10 pt");
    EXPECT_EQ(StateOf(*config), before);
}

// A model of the language, and the views it tells, stand by while the dialog runs.
struct LanguageUsers {
    explicit LanguageUsers(SECEditLangConfig* config) {
        for (int i = 0; i < 2; ++i) {
            models[i].SetLangConfig(config);
            models[i].CreateDisplayInfoFont();
            models[i].AddObserver(&views[i]);
        }
        config->AddObserver(&direct);
    }
    SECEditModel models[2];
    Recorder views[2];
    Recorder direct;
};

TEST_F(FontColourTest, CancelLeavesTheConfigurationAlone) {
    LanguageUsers users(config);
    const ConfigState before = StateOf(*config);
    BOOL bChosen = TRUE;
    {
        ModalDriver driver(kCaption, [](HWND hDlg) {
            SelectGroup(hDlg, L"Text");
            Click(hDlg, IDC_SECEDIT_FOREAUTO);
            PickColour(hDlg, IDC_SECEDIT_BACKWELL, RGB(3, 3, 3));
            Click(hDlg, IDC_SECEDIT_RESETALL);
            SelectGroup(hDlg, L"Comment");
            PickColour(hDlg, IDC_SECEDIT_FOREWELL, RGB(3, 3, 3));
            return IDCANCEL;
        });
        bChosen = users.models[0].ChooseFont();
        EXPECT_TRUE(driver.ran);
    }
    EXPECT_FALSE(bChosen);
    EXPECT_EQ(StateOf(*config), before);
    EXPECT_TRUE(users.direct.hints.empty());
    EXPECT_TRUE(users.views[0].hints.empty());
    config->RemoveObserver(&users.direct);
}

// OK through the model: the font chosen in the real font dialog (the library's template, a
// different face where there is one) goes into the configuration, and 22575 reaches the
// configuration's observers, every model of the language rebuilds its font and tells its views.
TEST_F(FontColourTest, OkReachesEveryModelAndViewOfTheLanguage) {
    LanguageUsers users(config);
    std::wstring chosenFace;
    bool ourTemplate = false;
    BOOL bChosen = FALSE;
    {
        ModalDriver driver(kCaption, [&](HWND hDlg) {
            DialogDismisser answer(IDOK, hDlg);
            answer.m_beforePress = [&](HWND hFont) {
                ourTemplate = ::FindWindowExW(hFont, NULL, L"Static",
                                              L"Only fixed-pitch fonts are listed.") != NULL;
                HWND hFaces = ::GetDlgItem(hFont, cmb1);
                const int nFaces = (int)::SendMessageW(hFaces, CB_GETCOUNT, 0, 0);
                const int nCurrent = (int)::SendMessageW(hFaces, CB_GETCURSEL, 0, 0);
                const int nPick = nFaces > 1 && nCurrent == 0 ? 1 : 0;
                ::SendMessageW(hFaces, CB_SETCURSEL, nPick, 0);
                ::SendMessageW(hFont, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), (LPARAM)hFaces);
                wchar_t face[LF_FACESIZE] = L"";
                ::SendMessageW(hFaces, CB_GETLBTEXT, nPick, (LPARAM)face);
                chosenFace = face;
                SaveWindowPng(hFont, L"editor_font_picker.png");
            };
            Click(hDlg, IDC_SECEDIT_CHOOSEFONT);
            EXPECT_EQ(answer.m_titles.size(), 1u) << "the font dialog was shown";
            EXPECT_EQ(ItemText(hDlg, IDC_SECEDIT_FACENAME), chosenFace);
            return IDOK;
        });
        bChosen = users.models[0].ChooseFont();
        EXPECT_TRUE(driver.ran);
    }
    EXPECT_TRUE(bChosen);
    EXPECT_TRUE(ourTemplate) << "the font dialog of the library's template";
    ASSERT_FALSE(chosenFace.empty());
    EXPECT_EQ(config->GetFaceName().str(), chosenFace);
    EXPECT_EQ(users.direct.hints, (std::vector<uint32_t>{SECEDIT_HINT_FONT}));
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(users.views[i].hints, (std::vector<uint32_t>{SECEDIT_HINT_FONT}));
        LOGFONTW built = {};
        ASSERT_NE(users.models[i].GetDisplayInfo(), nullptr);
        ::GetObjectW(users.models[i].GetDisplayInfo()->GetFont(0), sizeof(built), &built);
        EXPECT_EQ(std::wstring(built.lfFaceName), chosenFace) << "font rebuilt from the choice";
    }
    config->RemoveObserver(&users.direct);
}

TEST_F(FontColourTest, FontChooserFlagsAndTemplate) {
    for (BYTE charset : {(BYTE)0, (BYTE)SHIFTJIS_CHARSET}) {
        SCOPED_TRACE(charset);
        start.lfCharSet = charset;
        TestDialog dialog;
        dialog.fontAnswer = [](CFontDialog&) { return (INT_PTR)IDCANCEL; };
        ASSERT_EQ(IDCANCEL, Run(dialog, [](HWND hDlg) {
                      Click(hDlg, IDC_SECEDIT_CHOOSEFONT);
                      return IDCANCEL;
                  }));
        ASSERT_EQ(dialog.fontFlags.size(), 1u);
        DWORD expected = 0x1014001 | CF_ENABLETEMPLATE | CF_INITTOLOGFONTSTRUCT;
        if (charset != 0)
            expected |= CF_SELECTSCRIPT;
        EXPECT_EQ(dialog.fontFlags[0], expected);
        EXPECT_EQ(dialog.fontTemplates[0], MAKEINTRESOURCEW(22703));
    }
}

// A template the system cannot use gives way to the standard one.
TEST_F(FontColourTest, FailingFontTemplateFallsBackToTheStandardOne) {
    TestDialog dialog;
    dialog.UseFontTemplate(22799); // no such template
    bool standard = false;
    ASSERT_EQ(IDOK, Run(dialog, [&](HWND hDlg) {
                  DialogDismisser answer(IDOK, hDlg);
                  answer.m_beforePress = [&](HWND hFont) {
                      standard = ::GetDlgItem(hFont, cmb1) != NULL;
                  };
                  Click(hDlg, IDC_SECEDIT_CHOOSEFONT);
                  return IDOK;
              }));
    EXPECT_EQ(dialog.fontResults, (std::vector<INT_PTR>{-1, IDOK}));
    ASSERT_EQ(dialog.fontFlags.size(), 2u);
    EXPECT_EQ(dialog.fontFlags[1] & CF_ENABLETEMPLATE, 0u);
    EXPECT_TRUE(standard);
}

// A face name that fills the LOGFONT without a terminator is read no further than it.
TEST_F(FontColourTest, FaceNameStaysInsideTheLogFont) {
    TestDialog dialog;
    dialog.fontAnswer = [](CFontDialog& font) {
        for (wchar_t& ch : font.m_lf.lfFaceName)
            ch = L'W';
        return (INT_PTR)IDOK;
    };
    std::wstring label;
    ASSERT_EQ(IDOK, Run(dialog, [&](HWND hDlg) {
                  Click(hDlg, IDC_SECEDIT_CHOOSEFONT);
                  label = ItemText(hDlg, IDC_SECEDIT_FACENAME);
                  return IDOK;
              }));
    EXPECT_EQ(label, std::wstring(LF_FACESIZE - 1, L'W'));
    EXPECT_EQ(config->GetFaceName().str(), std::wstring(LF_FACESIZE - 1, L'W'));
}

TEST_F(FontColourTest, WithoutConfigurationTheDialogEndsCancelled) {
    SECEditFontColorDlg dialog;
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
}

// The sample shows the selected group's colours in its frame, and is saved for a person to see.
TEST_F(FontColourTest, SampleShowsTheSelectedGroup) {
    TestDialog dialog;
    struct Seen {
        COLORREF back = CLR_INVALID;
        bool foreInside = false;
    } seen[2];
    ASSERT_EQ(IDCANCEL, Run(dialog, [&](HWND hDlg) {
                  const wchar_t* groups[] = {L"Text Selection", L"Text"};
                  for (int i = 0; i < 2; ++i) {
                      SelectGroup(hDlg, groups[i]);
                      PumpPendingMessages();
                      HWND hSample = ::GetDlgItem(hDlg, IDC_SECEDIT_SAMPLE);
                      RECT r;
                      ::GetClientRect(hSample, &r);
                      ::MapWindowPoints(hSample, hDlg, (POINT*)&r, 2);
                      HDC hdc = ::GetDC(hDlg);
                      seen[i].back = ::GetPixel(hdc, r.left + 9, r.top + 19);
                      const COLORREF fore = dialog.GetSelectedGroup()->m_foreground;
                      for (int y = r.top + 18; y < r.bottom - 7 && !seen[i].foreInside; ++y)
                          for (int x = r.left + 8; x < r.right - 8; ++x)
                              if (::GetPixel(hdc, x, y) == fore) {
                                  seen[i].foreInside = true;
                                  break;
                              }
                      ::ReleaseDC(hDlg, hdc);
                  }
                  SaveWindowPng(hDlg, L"editor_font_colour.png");
                  return IDCANCEL;
              }));
    EXPECT_EQ(seen[0].back, RGB(4, 5, 6));
    EXPECT_TRUE(seen[0].foreInside) << "the sample text in the group's foreground";
    EXPECT_EQ(seen[1].back, RGB(250, 240, 230));
    EXPECT_TRUE(seen[1].foreInside);
}

} // namespace
