// Language configurations in the application's profile.
#include "editor/lang_config.h"
#include "editor/lang_profile.h"
#include "framework/win/winapp.h"

#include <gtest/gtest.h>

namespace {

TEST(LangProfile, WithoutAnApplicationNothingIsReadOrWritten) {
    ASSERT_EQ(AfxGetApp(), nullptr);
    SECEditLangConfig* c = new SECEditLangConfig;
    c->SetTabSize(5);
    auto* reader = new SECEditLangProfileReader(L"Lang", TRUE);
    EXPECT_FALSE(reader->Read(c));
    EXPECT_EQ(c->GetTabSize(), 5);
    reader->Release();
    auto* writer = new SECEditLangProfileWriter(L"Lang");
    EXPECT_FALSE(writer->Write(c));
    writer->Release();
    c->Release();
}

// The test's own key, removed before and after, so that nothing a crashed earlier run left
// behind can be read back as if this run had written it.
class ScratchKey {
public:
    ScratchKey() { Remove(); }
    ~ScratchKey() { Remove(); }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

private:
    static void Remove() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\MoxEditorTests"); }
};

TEST(LangProfile, WriteThenReadThroughTheRegistry) {
    ScratchKey key;
    CWinApp app(L"EditorProfileTest");
    app.SetRegistryKey(L"MoxEditorTests");
    SECEditLangConfig* a = new SECEditLangConfig;
    a->SetTabSize(6);
    a->SetFaceName(L"Fixedsys");
    a->SetSize(12);
    a->SetReplaceTabs(TRUE);
    a->SetMatchCase(FALSE);
    a->SetBold(TRUE);
    a->GetColorGroup(2)->m_foreground = RGB(10, 20, 30);
    a->GetColorGroup(2)->m_foreColorAutomatic = FALSE;
    auto* writer = new SECEditLangProfileWriter(L"Test");
    EXPECT_TRUE(writer->Write(a));
    writer->Release();
    SECEditLangConfig* b = new SECEditLangConfig;
    auto* reader = new SECEditLangProfileReader(L"Test", TRUE);
    EXPECT_TRUE(reader->Read(b));
    reader->Release();
    EXPECT_EQ(b->GetTabSize(), 6);
    EXPECT_EQ(b->GetFaceName(), L"Fixedsys");
    EXPECT_EQ(b->GetSize(), 12);
    EXPECT_TRUE(b->GetReplaceTabs());
    EXPECT_FALSE(b->GetMatchCase());
    EXPECT_FALSE(b->GetAutoIndent());
    EXPECT_EQ(b->GetBold(), a->GetBold());
    EXPECT_EQ(b->GetColorGroup(2)->m_foreground, RGB(10, 20, 30));
    EXPECT_FALSE(b->GetColorGroup(2)->m_foreColorAutomatic);
    a->Release();
    b->Release();
}

} // namespace
