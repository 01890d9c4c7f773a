#include <gtest/gtest.h>

#include "tbbtn_fixture.h"
#include "toolbars/tbbtn_menu.h"

namespace {

class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        store = MakeButtonStore(strip);
        bar = std::make_unique<TestBar>(owner, store);
        owner.bar = bar.get();
    }
    void TearDown() override {
        owner.bar = nullptr;
        owner.onNotify = nullptr;
        bar.reset();
        store->Release();
        ::DeleteObject(strip);
    }
    NotifyOwner owner;
    HBITMAP strip = NULL;
    SECBmpMgr* store = nullptr;
    std::unique_ptr<TestBar> bar;
};

TEST_F(ButtonTest, MetricsFollowTheImageSize) {
    struct {
        bool large;
        CSize button;
        CSize separator;
    } cases[] = {
        {false, CSize(23, 22), CSize(8, 22)},
        {true, CSize(39, 37), CSize(13, 37)},
    };
    for (const auto& c : cases) {
        store->SetLargeImageSize(32, 30);
        store->SetSmallImages(!c.large);
        TestBar sized(owner, store);
        SECStdBtn* button = sized.Add(SECStdBtn::classSECStdBtn, 100, 0);
        SECStdBtn* separator = sized.Add(SECStdBtn::classSECStdBtn, 0, SEC_TBBS_SEPARATOR);
        EXPECT_EQ(c.button, button->GetRect().Size()) << c.large;
        EXPECT_EQ(c.separator, separator->GetRect().Size()) << c.large;
        EXPECT_EQ(c.button.cx, sized.GetLargestButtonWidth());
        EXPECT_EQ(c.button.cy, sized.GetLargestButtonHeight());
    }
}

TEST_F(ButtonTest, ReleaseCountsTheEdgesAsInside) {
    SECStdBtn* button = bar->Add(SECStdBtn::classSECStdBtn, 100, 0, 10, 5); // 10..33 x 5..27
    struct {
        int x, y;
        UINT command;
    } cases[] = {
        {10, 5, 100}, {33, 27, 100}, {33, 5, 100}, {20, 27, 100},
        {34, 10, 0},  {20, 28, 0},   {9, 10, 0},   {20, 4, 0},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(1, button->OnPress(c.x, c.y)) << "the bar captures and waits";
        EXPECT_TRUE(button->HasStyle(SEC_TBBS_PRESSED));
        button->OnTrack(c.x, c.y);
        EXPECT_EQ(c.command != 0, button->HasStyle(SEC_TBBS_PRESSED) != FALSE) << c.x << "," << c.y;
        EXPECT_EQ(c.command, button->OnRelease(c.x, c.y)) << c.x << "," << c.y;
        EXPECT_FALSE(button->HasStyle(SEC_TBBS_PRESSED));
    }
    button->OnPress(20, 10);
    button->OnCancel();
    EXPECT_FALSE(button->HasStyle(SEC_TBBS_PRESSED));
}

TEST_F(ButtonTest, DisabledButtonsRefuseThePress) {
    for (DWORD style : {SEC_TBBS_DISABLED, SEC_TBBS_DISABLED | SEC_TBBS_DROPDOWN}) {
        SECStdBtn* button = bar->Add(SECStdBtn::classSECStdBtn, 100, style);
        EXPECT_EQ(0, button->OnPress(5, 5));
        EXPECT_FALSE(button->HasStyle(SEC_TBBS_PRESSED));
    }
    EXPECT_TRUE(owner.seen.empty());
}

TEST_F(ButtonTest, CheckButtonsToggleEveryButtonOfTheirCommand) {
    TestBar second(owner, store, 59393);
    bar->otherBar = &second;
    struct {
        const char* name;
        DWORD before;
        DWORD after;
    } cases[] = {
        {"up", SEC_TBBS_CHECKBOX, SEC_TBBS_CHECKBOX | SEC_TBBS_CHECKED},
        {"down", SEC_TBBS_CHECKBOX | SEC_TBBS_CHECKED, SEC_TBBS_CHECKBOX},
        {"indeterminate", SEC_TBBS_CHECKBOX | SEC_TBBS_INDETERMINATE,
         SEC_TBBS_CHECKBOX | SEC_TBBS_CHECKED},
        {"down and indeterminate", SEC_TBBS_CHECKBOX | SEC_TBBS_CHECKED | SEC_TBBS_INDETERMINATE,
         SEC_TBBS_CHECKBOX},
    };
    for (const auto& c : cases) {
        bar->DeleteButtons();
        second.DeleteButtons();
        SECStdBtn* clicked = bar->Add(SECStdBtn::classSECStdBtn, 100, c.before);
        SECStdBtn* twin = second.Add(SECStdBtn::classSECStdBtn, 100, c.before);
        SECStdBtn* other = second.Add(SECStdBtn::classSECStdBtn, 101, c.before, 30);
        ASSERT_EQ(1, clicked->OnPress(5, 5));
        EXPECT_EQ(100u, clicked->OnRelease(5, 5)) << c.name;
        EXPECT_EQ(c.after, clicked->GetStyle()) << c.name;
        EXPECT_EQ(c.after, twin->GetStyle()) << c.name;
        EXPECT_EQ(c.before, other->GetStyle()) << c.name;
    }
    bar->otherBar = nullptr;
}

TEST_F(ButtonTest, DropDownNotifiesOnThePressWithoutCapture) {
    SECStdBtn* button = bar->Add(SECStdBtn::classSECStdBtn, 100, SEC_TBBS_DROPDOWN);
    EXPECT_EQ(0, button->OnPress(5, 5)) << "no capture, no release wait";
    EXPECT_EQ(NULL, ::GetCapture());
    ASSERT_EQ(1u, owner.seen.size());
    const NotifySeen& s = owner.seen[0];
    EXPECT_EQ(SEC_TBN_DROPDOWN, s.code);
    EXPECT_EQ(bar->GetBarWnd()->m_hWnd, s.hwnd);
    EXPECT_EQ(59392u, s.id);
    EXPECT_EQ(100, s.command);
    EXPECT_EQ(0, s.index);
    EXPECT_EQ(0, s.a);
    EXPECT_EQ(0, s.b);
    EXPECT_TRUE(s.sending) << "hot tracking stays quiet while the owner shows its menu";
    EXPECT_NE(0u, s.style & SEC_TBBS_PRESSED) << "drawn pressed while the menu is up";
    EXPECT_FALSE(button->HasStyle(SEC_TBBS_PRESSED)) << "and released afterwards";
    EXPECT_FALSE(IsBtnCommandBeingSent());
}

TEST_F(ButtonTest, OwnerMayDestroyTheBarInsideTheDropDown) {
    SECStdBtn* button = bar->Add(SECStdBtn::classSECStdBtn, 100, SEC_TBBS_DROPDOWN);
    owner.onNotify = [this] {
        owner.bar = nullptr;
        bar.reset();
    };
    EXPECT_EQ(0, button->OnPress(5, 5));
    EXPECT_EQ(nullptr, bar);
    EXPECT_FALSE(IsBtnCommandBeingSent());
}

TEST_F(ButtonTest, MenuButtonsOpenTheirPopupAndNameItInTheRecord) {
    const UINT_PTR data[5] = {3000, 2, reinterpret_cast<UINT_PTR>(L"&Edit"), 0, 0};
    bar->Add(SECStdBtn::classSECStdBtn, 101, 0);
    SECStdBtn* button = bar->Add(SECTBMenuBtn::classSECTBMenuBtn, 57000, 0, 23, 0, data);
    auto* menuButton = static_cast<SECTBMenuBtn*>(button);
    EXPECT_EQ(SEC_BTNKIND_MENU, button->m_nType);
    EXPECT_EQ(L'E', menuButton->m_cMnemonic);
    EXPECT_EQ(0, button->OnPress(30, 5));
    EXPECT_EQ(NULL, ::GetCapture());
    ASSERT_EQ(1u, owner.seen.size());
    EXPECT_EQ(SEC_TBN_OPENDROPDOWN, owner.seen[0].code);
    EXPECT_EQ(57000, owner.seen[0].command);
    EXPECT_EQ(1, owner.seen[0].index);
    EXPECT_EQ(3000, owner.seen[0].a);
    EXPECT_EQ(2, owner.seen[0].b);

    // A disabled one opens nothing.
    owner.seen.clear();
    button->SetStyle(SEC_TBBS_DISABLED);
    EXPECT_EQ(0, button->OnPress(30, 5));
    EXPECT_TRUE(owner.seen.empty());
}

TEST_F(ButtonTest, MenuButtonIsSizedByItsText) {
    const UINT_PTR data[5] = {3000, 0, reinterpret_cast<UINT_PTR>(L"&File"), 0, 0};
    SECStdBtn* button = bar->Add(SECTBMenuBtn::classSECTBMenuBtn, 57000, 0, 0, 0, data);
    CWindowDC dc(NULL);
    CFont* old = dc.SelectObject(bar->GetButtonFont());
    CRect text(0, 0, 0, 0);
    dc.DrawText(L"&File", -1, &text, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
    dc.SelectObject(old);
    EXPECT_EQ(CSize(text.Width() + 10, text.Height() + 6), button->GetRect().Size());
}

TEST_F(ButtonTest, ToolHitTestNamesTheCommandForTheOwner) {
    SECStdBtn* button = bar->Add(SECStdBtn::classSECStdBtn, 100, 0, 46, 0);
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(100u, button->ToolHitTest(50, 5, &ti));
    EXPECT_EQ(owner.m_hWnd, ti.hwnd);
    EXPECT_EQ(100u, ti.uId);
    EXPECT_EQ(CRect(46, 0, 69, 22), CRect(ti.rect));
    EXPECT_EQ(LPSTR_TEXTCALLBACK, ti.lpszText);
}

} // namespace
