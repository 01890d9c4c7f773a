// Hostile input for the editor's windows: a 20 MB line, odd tab sizes, fonts that cannot be
// had, colour runs that do not fit their line, and routing that must not offer twice.
#include "tests/support/editorwin_support.h"

#include <gtest/gtest.h>

namespace {

using namespace ewtest;

// A control that notes which lines each paint drew.
class LineCountingCtrl : public SECEditCtrl {
public:
    std::vector<int> lines;
    CSize DrawLineText(CDC* dc, int tabWidth, int x, int y, int textLeft, const wchar_t* text,
                       int count, int column, int line, SECEditColorGroup* colours,
                       BOOL showWhitespace, BOOL selected, int selStart, int selEnd) override {
        if (lines.empty() || lines.back() != line)
            lines.push_back(line);
        return SECEditCtrl::DrawLineText(dc, tabWidth, x, y, textLeft, text, count, column, line,
                                         colours, showWhitespace, selected, selStart, selEnd);
    }
};

TEST(EditorBadInput, ATwentyMegabyteLineOpensAndEveryStepPaintsWhatShows) {
    auto* control = new LineCountingCtrl;
    Host host(480, 240, control);
    // 20,480,000 characters in one line: 10,000 lines of 2,048 once broken.
    std::wstring text(size_t(10000) * 2048, L'x');
    for (size_t i = 0; i < text.size(); i += 7)
        text[i] = L' ';
    host.Model().SetLangConfigByName(TestLanguage());
    // Opened as a file: the reader breaks the line as it goes.
    wchar_t dir[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + L"editorwin_long_line.txt";
    {
        HANDLE file =
            ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        const wchar_t bom = 0xFEFF;
        DWORD written = 0;
        ::WriteFile(file, &bom, 2, &written, nullptr);
        ::WriteFile(file, text.data(), DWORD(text.size() * 2), &written, nullptr);
        ::CloseHandle(file);
    }
    const BOOL opened = host.Model().OpenFile(path.c_str());
    ::DeleteFileW(path.c_str());
    ASSERT_TRUE(opened);
    host.Repaint();
    SECEditModel& model = host.Model();
    ASSERT_EQ(model.GetLineCount(), 10000);
    const HWND w = control->m_hWnd;
    CRect client;
    ::GetClientRect(w, &client);
    const int lh = host.LineHeight();
    const size_t visible = size_t(client.Height() / lh + 1);
    struct Step {
        const char* what;
        UINT message, code, pos;
    } steps[] = {{"thumb to the end", WM_VSCROLL, SB_THUMBPOSITION, 9999},
                 {"thumb back", WM_VSCROLL, SB_THUMBPOSITION, 0},
                 {"page down", WM_VSCROLL, SB_PAGEDOWN, 0},
                 {"the last column", WM_HSCROLL, SB_THUMBPOSITION, 2047}};
    for (const Step& s : steps) {
        control->lines.clear();
        ::SendMessageW(w, s.message, MAKEWPARAM(s.code, s.pos), 0);
        Pump();
        EXPECT_FALSE(control->lines.empty()) << s.what;
        EXPECT_LE(control->lines.size(), visible) << s.what;
        const int first = host.Ctrl().GetLogOrigin().y / lh;
        for (int line : control->lines)
            EXPECT_TRUE(line >= first && line < first + int(visible)) << s.what << " " << line;
    }
    SCROLLINFO h = {};
    h.cbSize = sizeof h;
    h.fMask = SIF_ALL;
    ::GetScrollInfo(w, SB_HORZ, &h);
    EXPECT_EQ(h.nMax, 2047);
    EXPECT_EQ(h.nPos, host.Ctrl().GetLogOrigin().x / host.CharWidth());
    EXPECT_GT(h.nPos, 0);
}

TEST(EditorBadInput, OddTabSizesKeepPaintCaretAndClicksTogether) {
    Host host;
    host.Load(L"a\tb");
    SECEditLangConfig* config = host.Model().GetLangConfig();
    const int before = config->GetTabSize();
    for (int size : {0, 1, 1000000}) {
        config->SetTabSize(size);
        EXPECT_GE(config->GetTabSize(), 1) << size;
        EXPECT_LE(config->GetTabSize(), 64) << size;
        host.Repaint();
        const Picture p = CaptureShownClient(host.Ctrl().m_hWnd);
        SECEditController& c = host.Controller();
        const int tab = c.GetTabWidth();
        const CPoint a = host.PointOf(0, 1), b = host.PointOf(0, 2);
        const int stop = ((a.x - host.TextLeft()) / tab + 1) * tab + host.TextLeft();
        EXPECT_EQ(b.x, stop) << size;
        // The caret set after the tab stands there; a click just right of the stop lands there.
        c.SetCaretPosition(0, 2, FALSE);
        EXPECT_EQ(c.GetCaretPoint().x - host.Ctrl().GetLogOrigin().x, b.x) << size;
        SECEditPosition clicked;
        c.PositionFromPoint(clicked, CPoint(b.x + 1, 1), 0);
        EXPECT_EQ(clicked.m_column, 2) << size;
        // Between a's end and the stop nothing is drawn but the background.
        bool blank = true;
        for (int x = a.x + 1; x < std::min<int>(b.x - 1, p.cx); ++x)
            blank = blank && p.At(x, host.LineHeight() / 2) == kTextBack;
        EXPECT_TRUE(blank) << size;
    }
    config->SetTabSize(before);
}

// Display information that cannot make the font it is asked for.
class NoFontInfo : public SECEditDisplayInfo {
protected:
    HFONT MakeFont(const LOGFONTW&) override { return nullptr; }
};

class NoFontModel : public SECEditModel {
public:
    std::unique_ptr<SECEditDisplayInfo> CreateDisplayInfo() override {
        return std::make_unique<NoFontInfo>();
    }
};

TEST(EditorBadInput, FontsThatCannotBeHadFallBackToTheFixedFont) {
    Host host;
    auto* model = new NoFontModel;
    model->SetLangConfigByName(TestLanguage());
    model->SetText(kFixture);
    host.Ctrl().SetModel(model, TRUE);
    host.Repaint();
    SECEditDisplayInfo* info = model->GetDisplayInfo();
    ASSERT_NE(info, nullptr);
    EXPECT_NE(info->GetFont(0), nullptr);
    EXPECT_GT(info->GetLineHeight(), 0);
    EXPECT_GT(info->GetCharWidth(), 0);
    EXPECT_GT(info->GetSpaceWidth(), 0);
    LOGFONTW got = {}, stock = {};
    ::GetObjectW(info->GetFont(0), sizeof got, &got);
    ::GetObjectW(::GetStockObject(ANSI_FIXED_FONT), sizeof stock, &stock);
    EXPECT_STREQ(got.lfFaceName, stock.lfFaceName);

    // Faces that are missing or empty and sizes out of range still measure.
    SECEditLangConfig* config = model->GetLangConfig();
    const CString face = config->GetFaceName();
    const int size = config->GetSize();
    for (const wchar_t* name : {L"", L"No Such Face At All"})
        for (int points : {0, 10000}) {
            config->SetFaceName(name);
            config->SetSize(points);
            SECEditDisplayInfo plain;
            plain.MeasureFont(config->GetFaceName(), config->GetSize(), FALSE, FALSE);
            EXPECT_GT(plain.GetLineHeight(), 0);
            EXPECT_GT(plain.GetCharWidth(), 0);
        }
    config->SetFaceName(face);
    config->SetSize(size);
    // The controller's own "Ariel" 8 x 12 information for the gutter.
    SECEditDisplayInfo* own = host.Controller().GetOwnDisplayInfo();
    EXPECT_EQ(own->GetCharWidth(), 8);
    EXPECT_EQ(own->GetLineHeight(), 12);
    EXPECT_NE(own->GetFont(0), nullptr);
}

// Colour runs as a broken colouring could give them.
class OddRunsModel : public SECEditModel {
public:
    SECEditLineColouring* GetLineColouring(int line) override {
        m_runs = std::make_unique<SECEditLineColouring>();
        if (line == 0) {
            m_runs->Add(2, 4);      // a keyword's colours
            m_runs->Add(3, 0xFFFF); // a group past the last one
        } else if (line == 1) {
            m_runs->Add(500, 4); // longer than the line
        }
        return m_runs.get();
    }

private:
    std::unique_ptr<SECEditLineColouring> m_runs;
};

TEST(EditorBadInput, ColourRunsThatDoNotFitTheirLine) {
    Host host;
    auto* model = new OddRunsModel;
    model->SetLangConfigByName(TestLanguage());
    model->SetText(L"abcdefghij\nshort\nplain");
    host.Ctrl().SetModel(model, TRUE);
    host.Repaint();
    const Picture p = CaptureShownClient(host.Ctrl().m_hWnd);
    auto back = [&](int line, int column) {
        const CPoint at = host.PointOf(line, column);
        return Hex(p.At(at.x + 1, at.y));
    };
    EXPECT_EQ(back(0, 1), Hex(kKeywordBack));
    EXPECT_EQ(back(0, 3), Hex(kTextBack)) << "unknown group: group 0";
    EXPECT_EQ(back(0, 8), Hex(kTextBack)) << "after the runs: the default group";
    EXPECT_EQ(back(1, 4), Hex(kKeywordBack)) << "a run clamped to its line";
    EXPECT_EQ(back(1, 6), Hex(kTextBack)) << "nothing past the line's end";
}

} // namespace
