// The archive forms of language configurations and of the text model.
#include "editor/lang_archive.h"
#include "editor/lang_config.h"
#include "editor/text_store.h"
#include "editor_test_support.h"
#include "framework/core/archive.h"
#include "framework/core/file.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

struct Config {
    SECEditLangConfig* config = new SECEditLangConfig;
    ~Config() { config->Release(); }
    SECEditLangConfig* operator->() { return config; }
};

TEST(LangArchive, WriteThenReadGivesTheSameConfiguration) {
    edtest::TempDir dir;
    const std::wstring path = dir.Path(L"lang.bin");
    Config a;
    a->SetTabSize(2);
    a->SetFaceName(L"Consolas");
    a->SetCharClass(L"+-", SECEDIT_OPERATORS, TRUE);
    auto group = std::make_unique<SECEditColorGroup>();
    group->m_foreground = RGB(9, 8, 7);
    const int kw = a->PutColorGroup(L"Keyword", std::move(group));
    a->PutKeyword(L"loop", static_cast<uint16_t>(kw));
    auto tag = std::make_unique<SECEditTag>();
    tag->m_beginTag = L"{-";
    tag->m_endTag = L"-}";
    tag->m_multiLine = TRUE;
    a->PutTag(std::move(tag));
    auto* writer = new SECEditLangArchiveWriter(path.c_str());
    ASSERT_TRUE(writer->Write(a.config));
    writer->Release();
    Config b;
    auto* reader = new SECEditLangArchiveReader(TRUE, path.c_str());
    ASSERT_TRUE(reader->Read(b.config));
    reader->Release();
    EXPECT_EQ(b->GetTabSize(), 2);
    EXPECT_EQ(b->GetFaceName(), L"Consolas");
    EXPECT_TRUE(b->IsCharInClass(L'+', SECEDIT_OPERATORS));
    EXPECT_EQ(b->GetColorGroup(b->FindColorGroup(L"Keyword"))->m_foreground, RGB(9, 8, 7));
    int g = -1;
    EXPECT_EQ(b->ClassifyWord(L"loop", 4, g), 4);
    EXPECT_EQ(g, kw);
    ASSERT_NE(b->FindTag(L"{- x", 4, 0, 1), nullptr);
    EXPECT_EQ(b->GetDefaultGroupIndex(SECEDIT_GROUP_OPERATOR), 3);
}

TEST(LangArchive, DamagedOrMissingArchivesAreRefusedAndChangeNothing) {
    edtest::TempDir dir;
    Config c;
    c->SetTabSize(7);
    auto* missing = new SECEditLangArchiveReader(TRUE, dir.Path(L"none.bin").c_str());
    EXPECT_FALSE(missing->Read(c.config));
    missing->Release();
    const std::wstring path = dir.Path(L"bad.bin");
    edtest::WriteBytes(path, std::string("\x05\x00\x00\x00\x01", 5));
    auto* bad = new SECEditLangArchiveReader(TRUE, path.c_str());
    EXPECT_FALSE(bad->Read(c.config));
    bad->Release();
    EXPECT_EQ(c->GetTabSize(), 7);
    auto* resource = new SECEditLangResourceReader(L"NOSUCH", TRUE);
    EXPECT_FALSE(resource->Read(c.config));
    resource->Release();
}

TEST(BlockArchive, TheCharactersAndTheirNulRoundTrip) {
    SECEditTextBlock a;
    a.InsertAt(0, L"tail", 4);
    a.InsertAt(0, L"head ", 5); // the gap now sits inside the text
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        a.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
    SECEditTextBlock b;
    CArchive ar(&file, CArchive::load);
    b.Serialize(ar);
    EXPECT_EQ(CString(b.Span(0, b.GetTextLength()), b.GetTextLength()), L"head tail");
    EXPECT_EQ(b.GetSize(), 10);
}

// The character count comes from the file: one far beyond the bytes that follow it is an
// archive error, never an allocation of that size or a count that overflows into a small one.
TEST(BlockArchive, CountsBeyondTheDataAreRefused) {
    for (const uint32_t count : {1000u, 0x40000000u, 0x7FFFFFF0u, 0x80000001u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(count);
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            ar.WriteCount(count);
            ar.Write(L"abc", 3 * sizeof(wchar_t));
            ar.Close();
        }
        file.SeekToBegin();
        SECEditTextBlock block;
        block.InsertAt(0, L"kept", 4);
        bool refused = false;
        try {
            CArchive ar(&file, CArchive::load);
            block.Serialize(ar);
        } catch (CArchiveException* e) {
            refused = true;
            e->Delete();
        }
        EXPECT_TRUE(refused);
        EXPECT_EQ(CString(block.Span(0, block.GetTextLength()), block.GetTextLength()), L"kept");
    }
}

TEST(ModelArchive, TextAndLanguageRoundTrip) {
    edtest::TestModel model;
    model.ResetDocument();
    model.InsertTextAt(0, 0, L"alpha\r\nbeta\n");
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        model.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
    edtest::TestModel loaded;
    loaded.ResetDocument();
    CArchive ar(&file, CArchive::load);
    loaded.Serialize(ar);
    EXPECT_EQ(edtest::TextOf(loaded), L"alpha\r\nbeta\n");
    EXPECT_FALSE(loaded.IsModified());
    EXPECT_EQ(loaded.Undo(), nullptr);
    EXPECT_EQ(loaded.GetLangConfig()->GetName(), L"Default");
}

} // namespace
