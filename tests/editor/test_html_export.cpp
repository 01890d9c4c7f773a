// The HTML export against a golden page, and its failure paths.
#include "editor/lang_ini.h"
#include "editor_test_support.h"

#include <gtest/gtest.h>

namespace {

const wchar_t kIni[] =
    L"[ColorGroups]\nNumGroups=5\nGroup1=Keyword\nGroup2=Comment\nGroup3=Number\nGroup4=String\n"
    L"Group5=Preprocessor\n"
    L"[Keyword]\nForeground=0,0,255\n"
    L"[Comment]\nForeground=255,0,0\nForeColorAutomatic=1\n"
    L"[Number]\nForeground=255,0,0\n"
    L"[String]\nForeground=0,128,64\n"
    L"[Keywords]\nint=Keyword\nreturn=Keyword\nc++=Keyword\n";

const wchar_t kSource[] = L"  #define TWICE(x) \\\r\n    ((x) * 2)\r\n"
                          L"int main() /* a < b && c > d */\r\n"
                          L"{\r\n"
                          L"    int printf_int = 0x1F + 42;\r\n"
                          L"    // say \"&lt;\" & more\r\n"
                          L"    return puts(\"<a & b>\") + 'x';\r\n"
                          L"}\r\n";

std::string GoldenPath() {
    std::string path = __FILE__;
    path = path.substr(0, path.find_last_of("/\\") + 1) + "golden_export.html";
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path[0] == '\\' ? "Z:" + path : path;
}

class HtmlExport : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring ini = dir.Path(L"html.ini");
        edtest::WriteText(ini, kIni);
        auto* reader = new SECEditLangIniReader(ini.c_str());
        ASSERT_TRUE(reader->Read(config));
        reader->Release();
        model.SetLangConfig(config);
        model.ResetDocument();
        model.InsertTextAt(0, 0, kSource);
    }
    void TearDown() override { config->Release(); }
    edtest::TempDir dir;
    SECEditLangConfig* config = new SECEditLangConfig;
    edtest::TestModel model;
};

TEST_F(HtmlExport, MatchesTheGoldenPage) {
    const std::wstring out = dir.Path(L"out.html");
    ASSERT_TRUE(model.ExportHtml(out.c_str(), L"Courier New"));
    const std::string page = edtest::ReadBytes(out);
    const std::string golden = edtest::ReadBytes(CString(GoldenPath().c_str()).str());
    ASSERT_FALSE(golden.empty()) << GoldenPath();
    EXPECT_EQ(page, golden);
    // The page says what its bytes are.
    EXPECT_NE(page.find("charset=utf-8"), std::string::npos);
}

TEST_F(HtmlExport, DefaultFaceWritesNoFontElement) {
    const std::wstring out = dir.Path(L"plain.html");
    model.SetLangConfig(nullptr);
    ASSERT_TRUE(model.ExportHtml(out.c_str(), L"DEFAULT"));
    const std::string page = edtest::ReadBytes(out);
    EXPECT_EQ(page.find("<font"), std::string::npos);
    EXPECT_NE(page.find("a &lt; b &amp;&amp; c &gt; d"), std::string::npos);
    EXPECT_EQ(page.find('\r'), std::string::npos);
}

// A colour from the profile may carry a palette flag in its high byte; the page shows the
// red, green and blue alone.
TEST_F(HtmlExport, AColourWithAPaletteFlagKeepsItsDigits) {
    config->GetColorGroup(config->FindColorGroup(L"Keyword"))->m_foreground = 0x02FF0000;
    const std::wstring out = dir.Path(L"palette.html");
    ASSERT_TRUE(model.ExportHtml(out.c_str(), L"DEFAULT"));
    EXPECT_NE(edtest::ReadBytes(out).find("<font color=\"#0000ff\">int</font>"), std::string::npos);
}

TEST_F(HtmlExport, AFileThatCannotBeWrittenIsAFailure) {
    EXPECT_FALSE(model.ExportHtml(dir.Path(L"no\\such\\dir\\x.html").c_str(), L"DEFAULT"));
}

} // namespace
