// Language configurations: the ini form, defaults, rejected values, keywords and tags.
#include "editor/lang_config.h"
#include "editor/lang_ini.h"
#include "editor/lang_registry.h"
#include "editor_test_support.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <memory>
#include <string>

namespace {

struct Config {
    SECEditLangConfig* config = new SECEditLangConfig;
    ~Config() { config->Release(); }
    SECEditLangConfig* operator->() { return config; }
};

BOOL ReadIni(const std::wstring& path, const std::wstring& text, SECEditLangConfig* config,
             std::vector<CString>* problems = nullptr) {
    edtest::WriteText(path, text);
    auto* reader = new SECEditLangIniReader(path.c_str());
    const BOOL ok = reader->Read(config);
    if (problems)
        *problems = reader->GetProblems();
    reader->Release();
    return ok;
}

TEST(LangIni, MissingSectionsGiveTheDefaults) {
    edtest::TempDir dir;
    Config c;
    EXPECT_TRUE(ReadIni(dir.Path(L"empty.ini"), L"", c.config));
    EXPECT_EQ(c->GetFaceName(), L"Courier");
    EXPECT_EQ(c->GetSize(), 10);
    EXPECT_FALSE(c->GetBold());
    EXPECT_FALSE(c->GetItalic());
    EXPECT_EQ(c->GetTabSize(), 4);
    EXPECT_TRUE(c->GetMatchCase());
    EXPECT_EQ(c->GetColorGroupCount(), 4);
    EXPECT_EQ(c->GetDefaultGroupIndex(SECEDIT_GROUP_NUMBER), 2);
    // A missing file reads as an empty one.
    Config d;
    auto* reader = new SECEditLangIniReader(dir.Path(L"absent.ini").c_str());
    EXPECT_TRUE(reader->Read(d.config));
    reader->Release();
    EXPECT_EQ(d->GetTabSize(), 4);
}

TEST(LangIni, GroupsKeywordsAndColours) {
    edtest::TempDir dir;
    Config c;
    ASSERT_TRUE(ReadIni(dir.Path(L"g.ini"),
                        L"[ColorGroups]\nNumGroups=3\nGroup1=Keyword\nGroup2=Text\nGroup3=\n"
                        L"[Keyword]\nForeground=255,0,300\nForeColorAutomatic=1\n"
                        L"Background=1,2,3\n"
                        L"[Text]\nDisplayName=Plain\nForeColorAutomatic=0\n"
                        L"[Keywords]\n  while =  Keyword  \nfor=Keyword\nbad=Nowhere\nnoequals\n",
                        c.config));
    const int kw = c->FindColorGroup(L"Keyword");
    ASSERT_EQ(kw, 4);
    const SECEditColorGroup* g = c->GetColorGroup(kw);
    EXPECT_EQ(g->m_foreground, RGB(255, 0, 44)); // components are taken modulo 256
    EXPECT_TRUE(g->m_foreColorAutomatic);
    EXPECT_EQ(g->m_background, RGB(1, 2, 3));
    EXPECT_FALSE(g->m_backColorAutomatic);
    // "Text" is replaced in place; without a foreground its colour is automatic.
    EXPECT_EQ(c->FindColorGroup(L"Text"), 0);
    EXPECT_EQ(c->GetColorGroup(0)->m_displayName, L"Plain");
    EXPECT_TRUE(c->GetColorGroup(0)->m_foreColorAutomatic);
    int group = -1;
    EXPECT_EQ(c->ClassifyWord(L"while", 5, group), 5);
    EXPECT_EQ(group, kw);
    EXPECT_EQ(c->ClassifyWord(L"bad", 3, group), 0);
    EXPECT_EQ(c->ClassifyWord(L"0x1F", 4, group), 4);
    EXPECT_EQ(group, 2);
    EXPECT_EQ(c->ClassifyWord(L"x1", 2, group), 0);
}

TEST(LangIni, MatchCase) {
    edtest::TempDir dir;
    const std::wstring body = L"[ColorGroups]\nNumGroups=1\nGroup1=K\n[Keywords]\nBegin=K\n";
    Config exact, blind;
    ReadIni(dir.Path(L"a.ini"), L"[Editor]\nMatchCase=1\n" + body, exact.config);
    ReadIni(dir.Path(L"b.ini"), L"[Editor]\nMatchCase=0\n" + body, blind.config);
    int group = -1;
    EXPECT_EQ(exact->ClassifyWord(L"Begin", 5, group), 5);
    EXPECT_EQ(exact->ClassifyWord(L"BEGIN", 5, group), 0);
    EXPECT_EQ(blind->ClassifyWord(L"BEGIN", 5, group), 5);
    EXPECT_EQ(blind->ClassifyWord(L"begin", 5, group), 5);
}

TEST(LangIni, TagsSharePrefixesByTheirRules) {
    edtest::TempDir dir;
    Config c;
    ReadIni(dir.Path(L"t.ini"),
            L"[Parser]\nNumTags=4\n[Tag1]\nBeginTag=/*\nEndTag=*/\nMultiLine=1\n"
            L"[Tag2]\nBeginTag=//\n[Tag3]\nBeginTag=<\nEndTag=>\n[Tag4]\nBeginTag=<!--\n"
            L"EndTag=-->\nColorGroup=Unknown\n",
            c.config);
    EXPECT_NE(c->FindTag(L"/* x", 4, 0, 2), nullptr);
    EXPECT_NE(c->FindTag(L"// x", 4, 0, 0), nullptr);
    EXPECT_EQ(c->FindTag(L"// x", 4, 0, 1), nullptr); // not a multi-line tag
    EXPECT_EQ(c->FindTag(L"/* x", 4, 0, 0), nullptr);
    EXPECT_EQ(c->FindTag(L"<b>", 3, 0, 2), nullptr); // "<" gave way to "<!--"
    SECEditTag* comment = c->FindTag(L"<!-- x", 6, 0, 2);
    ASSERT_NE(comment, nullptr);
    EXPECT_EQ(comment->m_group, 0);
    EXPECT_EQ(c->FindTag(L"<!-- x", 6, 3, 2), nullptr);
    std::vector<SECEditTag*> tags;
    c->GetTags(tags, 1);
    EXPECT_EQ(tags.size(), 1u);
}

struct Malformed {
    const char* name;
    const wchar_t* ini;
};

class LangIniMalformed : public ::testing::TestWithParam<Malformed> {};

TEST_P(LangIniMalformed, IsRejectedAndTheDefaultKept) {
    edtest::TempDir dir;
    Config c;
    std::vector<CString> problems;
    EXPECT_FALSE(ReadIni(dir.Path(L"m.ini"), GetParam().ini, c.config, &problems));
    EXPECT_FALSE(problems.empty()) << GetParam().name;
    EXPECT_EQ(c->GetTabSize(), 4);
    EXPECT_EQ(c->GetSize(), 10);
    EXPECT_EQ(c->GetFaceName(), L"Courier");
    const int k = c->FindColorGroup(L"K");
    if (k >= 0) {
        EXPECT_TRUE(c->GetColorGroup(k)->m_foreColorAutomatic) << GetParam().name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, LangIniMalformed,
    ::testing::Values(
        Malformed{"tab size zero", L"[Editor]\nTabSize=0\n"},
        Malformed{"tab size negative", L"[Editor]\nTabSize=-8\n"},
        Malformed{"tab size text", L"[Editor]\nTabSize=wide\n"},
        Malformed{"tab size huge", L"[Editor]\nTabSize=99999999999\n"},
        Malformed{"font size zero", L"[Font]\nSize=0\n"},
        Malformed{"face name too long", L"[Font]\nFaceName=ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghij\n"},
        Malformed{"flag out of range", L"[Editor]\nAutoIndent=7\n"},
        Malformed{"colour with two parts",
                  L"[ColorGroups]\nNumGroups=1\nGroup1=K\n[K]\nForeground=1,2\n"},
        Malformed{"negative colour",
                  L"[ColorGroups]\nNumGroups=1\nGroup1=K\n[K]\nForeground=-1,0,0\n"},
        Malformed{"colour words",
                  L"[ColorGroups]\nNumGroups=1\nGroup1=K\n[K]\nForeground=red,green,blue\n"},
        Malformed{"group count text", L"[ColorGroups]\nNumGroups=many\n"},
        Malformed{"tag without begin", L"[Parser]\nNumTags=1\n[Tag1]\nEndTag=*/\n"}),
    [](const ::testing::TestParamInfo<Malformed>& info) {
        return "case" + std::to_string(info.index);
    });

TEST(LangIni, WriteThenReadGivesTheSameConfiguration) {
    edtest::TempDir dir;
    const std::wstring path = dir.Path(L"rt.ini");
    // A larger earlier file: its extra sections must not survive the write.
    edtest::WriteText(path, L"[ColorGroups]\nNumGroups=9\nGroup9=Stale\n[Stale]\nDisplayName=x\n"
                            L"[Parser]\nNumTags=7\n[Tag7]\nBeginTag=@@\n");
    Config a;
    a->SetTabSize(3);
    a->SetMatchCase(FALSE);
    a->SetFaceName(L"Lucida Console");
    a->SetBold(TRUE);
    a->SetCharClass(L" +-", SECEDIT_OPERATORS, TRUE);
    a->SetCharClass(L"#", SECEDIT_KWSTART, TRUE);
    auto group = std::make_unique<SECEditColorGroup>();
    group->m_foreground = RGB(1, 2, 3);
    group->m_displayName = L"Keyword";
    const int kw = a->PutColorGroup(L"Keyword", std::move(group));
    a->PutKeyword(L"return", static_cast<uint16_t>(kw));
    a->RebuildFoldedKeywords();
    auto tag = std::make_unique<SECEditTag>();
    tag->m_beginTag = L"\"";
    tag->m_endTag = L"\"";
    tag->m_escapeChar = L"\\";
    tag->m_group = static_cast<uint16_t>(kw);
    a->PutTag(std::move(tag));
    auto* writer = new SECEditLangIniWriter(path.c_str());
    ASSERT_TRUE(writer->Write(a.config));
    writer->Release();
    Config b;
    std::vector<CString> problems;
    auto* reader = new SECEditLangIniReader(path.c_str());
    EXPECT_TRUE(reader->Read(b.config));
    reader->Release();
    EXPECT_EQ(b->GetTabSize(), 3);
    EXPECT_FALSE(b->GetMatchCase());
    EXPECT_EQ(b->GetFaceName(), L"Lucida Console");
    EXPECT_TRUE(b->GetBold());
    EXPECT_TRUE(b->IsCharInClass(L' ', SECEDIT_OPERATORS));
    EXPECT_TRUE(b->IsCharInClass(L'-', SECEDIT_OPERATORS));
    EXPECT_TRUE(b->IsCharInClass(L'#', SECEDIT_KWSTART));
    EXPECT_EQ(b->GetColorGroupCount(), 5);
    EXPECT_EQ(b->FindColorGroup(L"Stale"), -1);
    EXPECT_EQ(b->GetColorGroup(b->FindColorGroup(L"Keyword"))->m_foreground, RGB(1, 2, 3));
    int g = -1;
    EXPECT_EQ(b->ClassifyWord(L"RETURN", 6, g), 6);
    SECEditTag* t = b->FindTag(L"\"x\"", 3, 0, 2);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->m_escapeChar, L"\\");
    EXPECT_EQ(b->FindTag(L"@@", 2, 0, 2), nullptr);
}

TEST(LangRegistry, ShippedLanguageFilesReadCleanly) {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring folder(exe);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    for (const wchar_t* name : {L"cpp.ini", L"asm.ini", L"default.ini"}) {
        Config c;
        auto* reader = new SECEditLangIniReader((folder + name).c_str());
        EXPECT_TRUE(reader->Read(c.config)) << CString(name).ToMultiByte(CP_UTF8);
        for (const CString& p : reader->GetProblems())
            ADD_FAILURE() << CString(p).ToMultiByte(CP_UTF8);
        reader->Release();
        EXPECT_GE(c->GetHighlightGroup(), 0);
        EXPECT_EQ(GetFileAttributesW((folder + name).c_str()) == INVALID_FILE_ATTRIBUTES, false);
    }
}

TEST(LangRegistry, CreatesOnFirstUseAndKnowsDefault) {
    edtest::TempDir dir;
    const std::wstring path = dir.Path(L"reg.ini");
    edtest::WriteText(path, L"[Editor]\nTabSize=2\n");
    EXPECT_NE(SECEditLangConfigRegistry::GetLangConfig(L"Default"), nullptr);
    EXPECT_EQ(SECEditLangConfigRegistry::GetLangConfig(L"Nowhere"), nullptr);
    auto* reader = new SECEditLangIniReader(path.c_str());
    auto* writer = new SECEditLangIniWriter(path.c_str());
    // The registry lives as long as the process and keeps what it once created: a name of
    // its own for every run lets the test be repeated and shuffled.
    static int run = 0;
    const std::wstring id = L"Test2_" + std::to_wstring(++run);
    const wchar_t* name = id.c_str();
    SECEditLangConfigRegistry::RegisterLangConfig(name, reader, writer);
    reader->Release();
    writer->Release();
    SECEditLangConfig* c = SECEditLangConfigRegistry::GetLangConfig(name);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->GetTabSize(), 2);
    EXPECT_EQ(c->GetName(), name);
    EXPECT_EQ(SECEditLangConfigRegistry::GetLangConfig(name), c);
    c->SetTabSize(6);
    EXPECT_TRUE(SECEditLangConfigRegistry::SaveLangConfig(name));
    c->SetTabSize(5);
    EXPECT_TRUE(SECEditLangConfigRegistry::ReloadLangConfig(name));
    EXPECT_EQ(c->GetTabSize(), 6);
}

} // namespace

namespace {

// Words and tags are first told apart by their first character; every table change after a
// lookup has to be seen by the next one.
TEST(LangConfig, LookupsSeeEveryChangeOfTheTables) {
    Config c;
    int group = -1;
    EXPECT_EQ(c->ClassifyWord(L"while", 5, group), 0);
    EXPECT_EQ(c->FindTag(L"/* x", 4, 0, 2), nullptr);
    c->PutKeyword(L"While", 4);
    c->RebuildFoldedKeywords();
    auto tag = std::make_unique<SECEditTag>();
    tag->m_beginTag = L"/*";
    tag->m_multiLine = TRUE;
    c->PutTag(std::move(tag));
    struct Word {
        const wchar_t* text;
        BOOL matchCase;
        int expected;
    } const words[] = {
        {L"While", TRUE, 5},  {L"while", TRUE, 0}, {L"wHILE", FALSE, 5}, {L"WHILE", FALSE, 5},
        {L"Whiles", TRUE, 0}, {L"Whil", TRUE, 0},  {L"42", TRUE, 2},     {L"x", TRUE, 0},
        {L"9While", TRUE, 6}, // a number, as every word that starts with a digit
    };
    for (const Word& w : words) {
        c->SetMatchCase(w.matchCase);
        group = -1;
        EXPECT_EQ(c->ClassifyWord(w.text, static_cast<int>(std::wcslen(w.text)), group), w.expected)
            << CString(w.text).ToMultiByte(CP_UTF8);
    }
    EXPECT_NE(c->FindTag(L"/* x", 4, 0, 2), nullptr);
    EXPECT_EQ(c->FindTag(L"/", 1, 0, 2), nullptr); // only the beginning of a begin text
    auto quote = std::make_unique<SECEditTag>();
    quote->m_beginTag = L"\"";
    c->PutTag(std::move(quote));
    EXPECT_NE(c->FindTag(L"\"a\"", 3, 0, 0), nullptr);
    c->Clear();
    EXPECT_EQ(c->FindTag(L"/* x", 4, 0, 2), nullptr);
    EXPECT_EQ(c->ClassifyWord(L"While", 5, group), 0);
}

} // namespace
