// Language files that are huge, lie about their counts, or hold text beyond the 8-bit code page.
#include "editor/ini_file.h"
#include "editor/lang_config.h"
#include "editor/lang_ini.h"
#include "editor_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Config {
    SECEditLangConfig* config = new SECEditLangConfig;
    ~Config() { config->Release(); }
    SECEditLangConfig* operator->() { return config; }
};

void WriteUtf16(const std::wstring& path, const std::wstring& text) {
    std::string bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    edtest::WriteBytes(path, bytes);
}

std::vector<CString> Read(const std::wstring& path, SECEditLangConfig* config) {
    auto* reader = new SECEditLangIniReader(path.c_str());
    reader->Read(config);
    std::vector<CString> problems = reader->GetProblems();
    reader->Release();
    return problems;
}

BOOL Write(const std::wstring& path, SECEditLangConfig* config) {
    auto* writer = new SECEditLangIniWriter(path.c_str());
    const BOOL ok = writer->Write(config);
    writer->Release();
    return ok;
}

bool Mentions(const std::vector<CString>& problems, const wchar_t* text) {
    for (const CString& p : problems)
        if (p.Find(text) >= 0)
            return true;
    return false;
}

TEST(LangIniLimits, CountsFarBeyondTheEntriesReadOnlyWhatIsThere) {
    edtest::TempDir dir;
    const std::wstring path = dir.Path(L"counts.ini");
    edtest::WriteText(path, L"[ColorGroups]\nNumGroups=65535\nGroup7=Seven\nGroup65535=Last\n"
                            L"[Seven]\nForeground=1,2,3\n"
                            L"[Parser]\nNumTags=65535\n[Tag65535]\nBeginTag=//\n"
                            L"[Keywords]\nint=Seven\n");
    Config c;
    EXPECT_TRUE(Read(path, c.config).empty());
    EXPECT_EQ(c->GetColorGroupCount(), 6);
    EXPECT_EQ(c->GetColorGroup(c->FindColorGroup(L"Seven"))->m_foreground, RGB(1, 2, 3));
    EXPECT_GE(c->FindColorGroup(L"Last"), 4);
    EXPECT_NE(c->FindTag(L"//", 2, 0, 2), nullptr);
    int group = -1;
    EXPECT_EQ(c->ClassifyWord(L"int", 3, group), 3);
    EXPECT_EQ(group, c->FindColorGroup(L"Seven"));
}

TEST(LangIniLimits, MoreGroupsThanAnIndexHoldsAreReportedAndNoneWraps) {
    edtest::TempDir dir;
    const std::wstring path = dir.Path(L"many.ini");
    std::wstring text = L"[ColorGroups]\nNumGroups=70000\n";
    for (int i = 1; i <= 70000; ++i)
        text += L"Group" + std::to_wstring(i) + L"=G" + std::to_wstring(i) + L"\n";
    edtest::WriteText(path, text);
    Config c;
    const std::vector<CString> problems = Read(path, c.config);
    EXPECT_TRUE(Mentions(problems, L"NumGroups: 70000"));
    // Four built-in groups come first; the index range ends at 65535.
    EXPECT_TRUE(Mentions(problems, L"G65533"));
    EXPECT_EQ(c->GetColorGroupCount(), 65536);
    for (int i : {1, 2, 1000, 65532}) {
        const CString name = (L"G" + std::to_wstring(i)).c_str();
        const int index = c->FindColorGroup(name);
        EXPECT_EQ(index, i + 3) << i;
        EXPECT_EQ(c->GetColorGroupName(index), name);
    }
    for (int i : {65533, 65535, 70000})
        EXPECT_EQ(c->FindColorGroup((L"G" + std::to_wstring(i)).c_str()), -1) << i;
    EXPECT_EQ(c->FindColorGroup(L"Number"), 2);
}

TEST(LangIniLimits, AnOverLongBeginTagIsRejectedAndTheOthersKept) {
    edtest::TempDir dir;
    const std::wstring path = dir.Path(L"tag.ini");
    const std::wstring longTag(100000, L'<');
    edtest::WriteText(path,
                      L"[Parser]\nNumTags=3\n[Tag1]\nBeginTag=/*\nEndTag=*/\n[Tag2]\nBeginTag=" +
                          longTag + L"\n[Tag3]\nBeginTag=" +
                          std::wstring(SECEditLangIniReader::kMaxTagLength, L'#') + L"\n");
    Config c;
    const std::vector<CString> problems = Read(path, c.config);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_TRUE(Mentions(problems, L"Tag2/BeginTag"));
    EXPECT_NE(c->FindTag(L"/*", 2, 0, 2), nullptr);
    EXPECT_EQ(c->FindTag(longTag.c_str(), 100000, 0, 2), nullptr);
    std::vector<SECEditTag*> tags;
    c->GetTags(tags, 2);
    EXPECT_EQ(tags.size(), 2u);
}

// Keywords and classes outside the ANSI code page, and the C1 controls, in a UTF-16 file.
TEST(LangIniLimits, AUtf16FileRoundTripsExactly) {
    edtest::TempDir dir;
    const std::wstring path = dir.Path(L"wide.ini");
    std::wstring c1;
    for (wchar_t ch = 0x80; ch <= 0x9F; ++ch)
        c1 += ch;
    WriteUtf16(path, L"; kept by hand\r\n[ColorGroups]\r\nNumGroups=1\r\nGroup1=Ключ\r\n"
                     L"[Ключ]\r\nDisplayName=键字\r\n[Keywords]\r\nфункция=Ключ\r\n変数=Ключ\r\n"
                     L"[Parser]\r\nKWStartChars=" +
                         c1 +
                         L"Жж\r\nNumTags=1\r\n[Tag1]\r\nBeginTag=«\r\nEndTag=»\r\n"
                         L"[Mine]\r\nAnything=at all\r\n");
    Config a;
    EXPECT_TRUE(Read(path, a.config).empty());
    ASSERT_TRUE(Write(path, a.config));
    const std::string bytes = edtest::ReadBytes(path);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE", 2));
    Config b;
    EXPECT_TRUE(Read(path, b.config).empty());
    const int index = b->FindColorGroup(L"Ключ");
    ASSERT_EQ(index, 4);
    EXPECT_EQ(b->GetColorGroup(index)->m_displayName, L"键字");
    for (const wchar_t* word : {L"функция", L"変数"}) {
        int group = -1;
        EXPECT_GT(b->ClassifyWord(word, static_cast<int>(wcslen(word)), group), 0);
        EXPECT_EQ(group, index);
    }
    for (wchar_t ch = 1; ch < 0xFFFF; ++ch)
        ASSERT_EQ(a->IsCharInClass(ch, SECEDIT_KWSTART), b->IsCharInClass(ch, SECEDIT_KWSTART))
            << static_cast<int>(ch);
    EXPECT_TRUE(b->IsCharInClass(0x85, SECEDIT_KWSTART));
    SECEditTag* tag = b->FindTag(L"«x»", 3, 0, 2);
    ASSERT_NE(tag, nullptr);
    EXPECT_EQ(tag->m_endTag, L"»");
    // What the writer does not own stays.
    SECEditIniFile file;
    ASSERT_TRUE(file.Load(path.c_str()));
    ASSERT_NE(file.Find(L"mine", L"ANYTHING"), nullptr);
    EXPECT_EQ(*file.Find(L"mine", L"ANYTHING"), L"at all");
    EXPECT_NE(file.Text().find(L"; kept by hand"), std::wstring::npos);
}

TEST(LangIniLimits, An8BitFileThatCannotHoldTheTextBecomesUtf16) {
    edtest::TempDir dir;
    const std::wstring path = dir.Path(L"narrow.ini");
    edtest::WriteText(path, L"[Editor]\nTabSize=2\n");
    Config a;
    Read(path, a.config);
    const int g = a->PutColorGroup(L"Ω", std::make_unique<SECEditColorGroup>());
    a->PutKeyword(L"λ", static_cast<uint16_t>(g));
    ASSERT_TRUE(Write(path, a.config));
    Config b;
    EXPECT_TRUE(Read(path, b.config).empty());
    EXPECT_EQ(b->GetTabSize(), 2);
    int group = -1;
    EXPECT_EQ(b->ClassifyWord(L"λ", 1, group), 1);
    EXPECT_EQ(group, b->FindColorGroup(L"Ω"));
}

TEST(LangIniLimits, AFailedWriteLeavesTheFileAsItWas) {
    edtest::TempDir dir;
    Config a;
    EXPECT_FALSE(Write(dir.Path(L"no such folder\\x.ini"), a.config));
    const std::wstring path = dir.Path(L"locked.ini");
    edtest::WriteText(path, L"[Editor]\nTabSize=7\n");
    // Held open without sharing: the replacement cannot take its place.
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(Write(path, a.config));
    CloseHandle(held);
    EXPECT_EQ(edtest::ReadBytes(path), "[Editor]\nTabSize=7\n");
}

TEST(IniFile, FollowsTheProfileRules) {
    edtest::TempDir dir;
    const std::wstring path = dir.Path(L"rules.ini");
    edtest::WriteText(path, L"top=1\n[ Sec ]\n  Key  =  spaced value  \nq=\"  kept  \"\n"
                            L";c=comment\nbare line\n[sec]\nKey=second\n[Other]\r\nk='x'\r\n");
    SECEditIniFile file;
    ASSERT_TRUE(file.Load(path.c_str()));
    ASSERT_NE(file.Find(L"SEC", L"key"), nullptr);
    EXPECT_EQ(*file.Find(L"SEC", L"key"), L"spaced value"); // the first section of the name
    EXPECT_EQ(*file.Find(L"sec", L"q"), L"  kept  ");
    EXPECT_EQ(file.Find(L"sec", L";c"), nullptr);
    EXPECT_EQ(*file.Find(L"other", L"k"), L"x");
    EXPECT_EQ(file.Find(L"missing", L"k"), nullptr);
    EXPECT_EQ(file.Entries(L"Sec").size(), 2u);
    // Values that reading would change are written so that they read back as they were.
    file.Set(L"Sec", L"q", L" 'lead");
    file.Set(L"New", L"v", L"\"");
    file.RemoveSection(L"other");
    // A section given as text reads as its entries, changed or not.
    std::wstring lines;
    SECEditIniFile::AppendEntry(lines, L"w1", L" padded ");
    SECEditIniFile::AppendEntry(lines, L"w2", L"two");
    file.SetSectionText(L"Words", lines);
    file.SetSectionText(L"Listed", lines);
    EXPECT_EQ(file.Entries(L"listed").size(), 2u);
    EXPECT_EQ(*file.Find(L"words", L"W1"), L" padded ");
    file.Set(L"Words", L"w3", L"three");
    ASSERT_TRUE(file.Save(path.c_str()));
    SECEditIniFile again;
    ASSERT_TRUE(again.Load(path.c_str()));
    EXPECT_EQ(*again.Find(L"sec", L"q"), L" 'lead");
    EXPECT_EQ(*again.Find(L"new", L"v"), L"\"");
    EXPECT_EQ(again.Find(L"other", L"k"), nullptr);
    EXPECT_EQ(*again.Find(L"sec", L"key"), L"spaced value");
    EXPECT_EQ(*again.Find(L"words", L"w1"), L" padded ");
    EXPECT_EQ(*again.Find(L"words", L"w3"), L"three");
    EXPECT_EQ(*again.Find(L"listed", L"w2"), L"two");
}

} // namespace

// A keyword the file format cannot hold as a key ("=" inside, "[" or ";" first) is not written:
// the write says FALSE, and everything else is saved and reads back.
TEST(LangIniLimits, KeywordsTheFormatCannotHoldMakeTheWriteSayFalse) {
    edtest::TempDir dir;
    const std::wstring path = dir.Path(L"keywords.ini");
    Config c;
    const int group = c->FindColorGroup(L"Number");
    ASSERT_GE(group, 0);
    c->PutKeyword(L"int", (uint16_t)group);
    EXPECT_TRUE(Write(path, c.config));
    for (const wchar_t* bad : {L"[a-z", L"a=b", L";note"}) {
        Config d;
        d->PutKeyword(L"int", (uint16_t)group);
        d->PutKeyword(bad, (uint16_t)group);
        d->RebuildFoldedKeywords();
        EXPECT_FALSE(Write(path, d.config)) << CString(bad).GetString();
        Config back;
        Read(path, back.config);
        int found = -1;
        EXPECT_EQ(back->ClassifyWord(L"int", 3, found), 3);
        EXPECT_EQ(found, group);
    }
}
