#include <gtest/gtest.h>

#include "bmpmenu_fixture.h"
#include "shell/hostlink.h"
#include "toolbars/bmpmenu_string.h"

namespace {

// A popup with one item of every kind the conversion must tell apart, and a host window with
// the plug-in in it.
class BmpMenuConvert : public ::testing::Test {
protected:
    void SetUp() override {
        plugIn = std::make_unique<SECBmpMenuPlugIn>(TRUE);
        plugIn->SetBmpMgr(images.store);
        ASSERT_TRUE(::IsWindow(host.m_hWnd));
        plugIn->PlugInTo(&host);
        host.plugIn = plugIn.get();

        submenu = ::CreatePopupMenu();
        ::AppendMenuW(submenu, MF_STRING, 200, L"Inner");
        bitmap = ::CreateBitmap(8, 8, 1, 1, NULL);
        popup = ::CreatePopupMenu();
        ::AppendMenuW(popup, MF_STRING, 100, L"&Open...\tCtrl+O");                        // 0
        ::AppendMenuW(popup, MF_STRING, 101, L"&Save");                                   // 1
        ::AppendMenuW(popup, MF_SEPARATOR, 0, NULL);                                      // 2
        ::AppendMenuW(popup, MF_BITMAP, 103, reinterpret_cast<LPCWSTR>(bitmap));          // 3
        ::AppendMenuW(popup, MF_STRING, SC_CLOSE, L"&Close");                             // 4
        ::AppendMenuW(popup, MF_OWNERDRAW, 300, reinterpret_cast<LPCWSTR>(&foreignInfo)); // 5
        ::AppendMenuW(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), L"&Recent");  // 6
        ::AppendMenuW(popup, MF_STRING, 0xFF00, L"&1 main.c");                            // 7
        ::AppendMenuW(popup, MF_STRING, 0xFEFF, L"Last system id");                       // 8
    }
    void TearDown() override {
        host.plugIn = nullptr;
        plugIn.reset();
        ::DestroyMenu(popup);
        ::DeleteObject(bitmap);
    }
    void InitPopup(HMENU hMenu, BOOL bSysMenu = FALSE) {
        host.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu),
                         MAKELPARAM(0, bSysMenu));
    }

    TestImages images;
    MenuHost host;
    // Another component's owner-drawn item: even an info of the same class is not the plug-in's.
    SECBmpMenuItemInfo foreignInfo{300, L"Foreign"};
    std::unique_ptr<SECBmpMenuPlugIn> plugIn;
    HMENU popup = NULL;
    HMENU submenu = NULL;
    HBITMAP bitmap = NULL;
};

TEST_F(BmpMenuConvert, OwnerDrawsCommandsAndLeavesEverythingElse) {
    InitPopup(popup);
    struct {
        int pos;
        bool converted;
        const wchar_t* text;
    } cases[] = {
        {0, true, L"&Open...\tCtrl+O"},
        {1, true, L"&Save"},
        {2, false, nullptr},
        {3, false, nullptr},
        {4, false, nullptr},
        {5, false, nullptr},
        {6, true, L"&Recent"},
        {7, true, L"&1 main.c"},
        {8, false, nullptr},
    };
    std::vector<ULONG_PTR> first;
    for (const auto& c : cases) {
        const ItemState item = ReadItemState(popup, c.pos);
        const SECBmpMenuItemInfo* info = plugIn->FindInfo(popup, item.data);
        EXPECT_EQ(c.converted, (item.type & MFT_OWNERDRAW) && info != nullptr) << c.pos;
        if (c.converted && info != nullptr) {
            EXPECT_STREQ(c.text, info->m_strText.GetString()) << c.pos;
        }
        first.push_back(item.data);
    }
    EXPECT_EQ(0u, plugIn->FindInfo(popup, first[6])->m_nID); // a submenu counts as id 0
    EXPECT_EQ(L'O', plugIn->FindInfo(popup, first[0])->m_cMnemonic);
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(&foreignInfo), first[5]);
    EXPECT_TRUE(plugIn->IsForeignId(300));
    EXPECT_EQ(nullptr, plugIn->FindInfo(first[5]));

    // A second pass finds every item already done and adds nothing.
    InitPopup(popup);
    for (int pos = 0; pos < 9; ++pos)
        EXPECT_EQ(first[pos], ReadItemState(popup, pos).data) << pos;
    // The window's own handling still follows the conversion.
    EXPECT_EQ(2, std::count(host.reached.begin(), host.reached.end(), WM_INITMENUPOPUP));
}

TEST_F(BmpMenuConvert, SystemMenuAndForeignIdsStayPlain) {
    InitPopup(popup, TRUE);
    EXPECT_FALSE(plugIn->IsMenuRecorded(popup));
    EXPECT_EQ(0u, ReadItemState(popup, 0).type & MFT_OWNERDRAW);

    // Once an id is known to be another component's, its plain items are left to it as well.
    HMENU other = ::CreatePopupMenu();
    ::AppendMenuW(other, MF_STRING, 300, L"Plain twin of the foreign item");
    InitPopup(popup);
    InitPopup(other);
    EXPECT_EQ(0u, ReadItemState(other, 0).type & MFT_OWNERDRAW);
    ::DestroyMenu(other);
}

TEST_F(BmpMenuConvert, TextsReadTheSameAfterConversion) {
    InitPopup(popup);
    // The shell's lookup finds converted items by their text.
    EXPECT_EQ(0, FindMenuItemByText(popup, L"&Open...\tCtrl+O"));
    EXPECT_EQ(1, FindMenuItemByText(popup, L"&Save"));
    EXPECT_EQ(6, FindMenuItemByText(popup, L"&Recent"));
    EXPECT_EQ(4, FindMenuItemByText(popup, L"&Close"));
    // An item of another bitmap menu reads with the text of its own info.
    EXPECT_EQ(5, FindMenuItemByText(popup, L"Foreign"));

    struct {
        UINT item;
        UINT flags;
        int size;
        BOOL result;
        const wchar_t* text;
    } cases[] = {
        {0, MF_BYPOSITION, 128, TRUE, L"&Open...\tCtrl+O"},
        {101, MF_BYCOMMAND, 128, TRUE, L"&Save"},
        {0, MF_BYPOSITION, 6, TRUE, L"&Open"}, // cut to the buffer, terminated
        {1, MF_BYPOSITION, 1, TRUE, L""},
        {2, MF_BYPOSITION, 128, FALSE, L""},      // separator
        {3, MF_BYPOSITION, 128, FALSE, L""},      // bitmap
        {4, MF_BYPOSITION, 128, TRUE, L"&Close"}, // a plain string item
        {99, MF_BYPOSITION, 128, FALSE, L""},     // no such item
    };
    for (const auto& c : cases) {
        wchar_t buffer[128];
        std::fill(std::begin(buffer), std::end(buffer), L'#');
        EXPECT_EQ(c.result, GetBmpMenuString(popup, c.item, buffer, c.size, c.flags)) << c.item;
        EXPECT_STREQ(c.text, buffer) << c.item;
        if (c.size < 128) {
            EXPECT_EQ(L'#', buffer[c.size]) << "nothing written past the buffer";
        }
    }
}

TEST_F(BmpMenuConvert, OwnerDrawnItemsOfOthersHaveNoText) {
    HMENU menu = ::CreatePopupMenu();
    int notAnInfo = 42;
    SECBmpMenuItemInfo empty(7, L"");
    ::AppendMenuW(menu, MF_OWNERDRAW, 1, reinterpret_cast<LPCWSTR>(&notAnInfo));
    ::AppendMenuW(menu, MF_OWNERDRAW, 2, reinterpret_cast<LPCWSTR>(&empty));
    ::AppendMenuW(menu, MF_OWNERDRAW, 3, reinterpret_cast<LPCWSTR>(0x1234));
    for (int pos = 0; pos < 3; ++pos) {
        wchar_t buffer[16] = L"unchanged";
        EXPECT_FALSE(GetBmpMenuString(menu, pos, buffer, 16, MF_BYPOSITION)) << pos;
        EXPECT_STREQ(L"", buffer) << pos;
    }
    EXPECT_EQ(-1, FindMenuItemByText(menu, L""));
    ::DestroyMenu(menu);
}

TEST_F(BmpMenuConvert, DestructionGivesPlainStringsBack) {
    MENUITEMINFOW mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_DATA;
    mii.dwItemData = 0xABCD; // someone's data on a plain item
    ::SetMenuItemInfoW(popup, 1, TRUE, &mii);
    InitPopup(popup);
    host.plugIn = nullptr;
    plugIn.reset();
    const wchar_t* texts[] = {L"&Open...\tCtrl+O", L"&Save"};
    for (int pos = 0; pos < 2; ++pos) {
        EXPECT_EQ(0u, ReadItemState(popup, pos).type & MFT_OWNERDRAW) << pos;
        wchar_t buffer[64] = {};
        ::GetMenuStringW(popup, pos, buffer, 64, MF_BYPOSITION);
        EXPECT_STREQ(texts[pos], buffer);
    }
    EXPECT_EQ(0xABCDu, ReadItemState(popup, 1).data);
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(&foreignInfo), ReadItemState(popup, 5).data);
    EXPECT_NE(0u, ReadItemState(popup, 5).type & MFT_OWNERDRAW);
}

TEST_F(BmpMenuConvert, PurgeFreesWhatIsGoneAndNothingElse) {
    HMENU second = ::CreatePopupMenu();
    ::AppendMenuW(second, MF_STRING, 100, L"&Open");
    InitPopup(popup);
    InitPopup(second);
    const ULONG_PTR removed = ReadItemState(popup, 1).data;
    const ULONG_PTR kept = ReadItemState(popup, 0).data;
    const ULONG_PTR inDestroyed = ReadItemState(second, 0).data;
    ASSERT_NE(nullptr, plugIn->FindInfo(removed));
    ::DeleteMenu(popup, 1, MF_BYPOSITION);
    ::DestroyMenu(second);

    host.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(nullptr, SECBmpMenuItemInfo::FromItemData(removed));
    EXPECT_EQ(nullptr, SECBmpMenuItemInfo::FromItemData(inDestroyed));
    EXPECT_FALSE(plugIn->IsMenuRecorded(second));
    EXPECT_NE(nullptr, plugIn->FindInfo(popup, kept));
    EXPECT_TRUE(plugIn->IsMenuRecorded(popup));
    // The other component's info lives on, and the frame still does its own idle work.
    EXPECT_EQ(&foreignInfo, SECBmpMenuItemInfo::FromItemData(ReadItemState(popup, 4).data));
    EXPECT_EQ(1, std::count(host.reached.begin(), host.reached.end(), WM_IDLEUPDATECMDUI));
}

TEST_F(BmpMenuConvert, ItemsMadePlainByOthersAreConvertedAgainWithTheirNewText) {
    MENUITEMINFOW mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_DATA;
    mii.dwItemData = 0x5150; // the item's own data before any conversion
    ::SetMenuItemInfoW(popup, 7, TRUE, &mii);
    InitPopup(popup);
    const ULONG_PTR first = ReadItemState(popup, 7).data;
    // The window list renames its entry; the item is a plain string again.
    ::ModifyMenuW(popup, 7, MF_BYPOSITION | MF_STRING, 0xFF00, L"&1 other.c");
    InitPopup(popup);
    const ULONG_PTR second = ReadItemState(popup, 7).data;
    ASSERT_NE(nullptr, plugIn->FindInfo(popup, second));
    EXPECT_STREQ(L"&1 other.c", plugIn->FindInfo(popup, second)->m_strText.GetString());
    EXPECT_EQ(7, FindMenuItemByText(popup, L"&1 other.c"));
    host.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    if (first != second) {
        EXPECT_EQ(nullptr, SECBmpMenuItemInfo::FromItemData(first)) << "the old info is purged";
    }
    // At the end the item gets its own data back, not a record that is gone.
    host.plugIn = nullptr;
    plugIn.reset();
    EXPECT_EQ(0x5150u, ReadItemState(popup, 7).data);
}

TEST_F(BmpMenuConvert, SettingChangeKeepsEveryItemWithItsInfo) {
    InitPopup(popup);
    std::vector<ItemState> before;
    for (int pos = 0; pos < 9; ++pos)
        before.push_back(ReadItemState(popup, pos));
    host.SendMessage(WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    for (int pos = 0; pos < 9; ++pos) {
        EXPECT_EQ(before[pos].type, ReadItemState(popup, pos).type) << pos;
        EXPECT_EQ(before[pos].data, ReadItemState(popup, pos).data) << pos;
    }
    EXPECT_EQ(0, FindMenuItemByText(popup, L"&Open...\tCtrl+O"));
}

} // namespace
