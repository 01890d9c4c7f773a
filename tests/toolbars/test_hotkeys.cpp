// Shortcuts between their forms: accelerator entries, hot-key codes and key texts; menu texts
// as command names; the commands that are never listed.
#include "toolbars/command_list.h"
#include "toolbars/hotkeys.h"

#include <gtest/gtest.h>

namespace {

// The key's name as the keyboard layout gives it.
CString Name(UINT nVirtKey, bool bExtended = false) {
    wchar_t name[65] = {};
    const LONG lParam =
        (LONG)(::MapVirtualKeyW(nVirtKey, MAPVK_VK_TO_VSC) << 16) | (bExtended ? 1L << 24 : 0);
    ::GetKeyNameTextW(lParam, name, 65);
    return name;
}

std::string Narrow(const CString& s) {
    std::string out;
    for (int i = 0; i < s.GetLength(); ++i)
        out += (char)s[i];
    return out;
}

} // namespace

TEST(HotKeys, AcceleratorsBecomeHotKeyCodesWithTheirFlagsOred) {
    struct Case {
        BYTE fVirt;
        WORD key;
        WORD expected;
    };
    const BYTE v = FVIRTKEY;
    const Case cases[] = {
        {v, 'A', 0x0041},
        {v, VK_F5, 0x0074},
        {v | FCONTROL | FSHIFT, VK_F5, 0x0374},
        {v | FALT, VK_HOME, 0x0C24}, // extended and Alt: 8 | 4
        {v | FALT | FCONTROL | FSHIFT, VK_DELETE, 0x0F2E},
        {v, VK_SPACE, 0x0020}, // 32: just below the extended keys
        {v, VK_PRIOR, 0x0821}, // 33
        {v, VK_HELP, 0x082F},  // 47
        {v, '0', 0x0030},      // 48
        {v, VK_LWIN, 0x085B},
        {v, VK_APPS, 0x085D},
        {v, VK_SLEEP, 0x005F},
        {v, VK_DIVIDE, 0x086F},
        {v, VK_MULTIPLY, 0x006A},
        {FALT, 'x', 0x0078}, // a character: no flags
        {FCONTROL | FSHIFT, 'q', 0x0071},
    };
    for (const Case& c : cases) {
        const ACCEL accel = {c.fVirt, c.key, 7};
        WORD wHotKey = 0xFFFF;
        AccelToHotKey(accel, wHotKey);
        EXPECT_EQ(wHotKey, c.expected) << std::hex << c.key;
        if ((c.fVirt & FVIRTKEY) == 0)
            continue;
        // And back: a virtual key without invert, the same modifiers, the command untouched.
        ACCEL back = {0, 0, 7};
        HotKeyToAccel(wHotKey, back);
        EXPECT_EQ(back.fVirt, c.fVirt | FNOINVERT) << std::hex << c.key;
        EXPECT_EQ(back.key, c.key);
        EXPECT_EQ(back.cmd, 7);
    }
}

TEST(HotKeys, TextsUseTheLayoutsKeyNames) {
    struct Case {
        WORD wHotKey;
        CString expected;
    };
    const Case cases[] = {
        {'A', L"A"},
        {'7', L"7"},
        // Not "t", as the character of 0x74 would read.
        {VK_F5, Name(VK_F5)},
        {VK_ESCAPE, Name(VK_ESCAPE)},
        {VK_RETURN, Name(VK_RETURN)},
        {0x0300 | VK_F5, Name(VK_CONTROL) + L"+" + Name(VK_SHIFT) + L"+" + Name(VK_F5)},
        {0x0C00 | VK_HOME, Name(VK_MENU) + L"+" + Name(VK_HOME, true)},
        {0x0200 | 'O', Name(VK_CONTROL) + L"+" + Name('O')},
        {0x0700 | 'K',
         Name(VK_CONTROL) + L"+" + Name(VK_MENU) + L"+" + Name(VK_SHIFT) + L"+" + Name('K')},
    };
    ASSERT_FALSE(Name(VK_F5).IsEmpty());
    EXPECT_NE(Name(VK_F5), CString(L"t"));
    for (const Case& c : cases) {
        CString text = L"old";
        EXPECT_TRUE(HotKeyToText(c.wHotKey, text)) << std::hex << c.wHotKey;
        EXPECT_EQ(Narrow(text), Narrow(c.expected)) << std::hex << c.wHotKey;
    }
    CString text = L"old";
    EXPECT_FALSE(HotKeyToText(0, text));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(Narrow(GetKeyName(VK_HOME, TRUE)), Narrow(Name(VK_HOME, true)));
}

TEST(CommandNames, MenuTextsCleanToNames) {
    struct Case {
        const wchar_t* text;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"&Modules\tAlt+M", L"Modules"},
        {L"&Open ...\tCtrl+O", L"Open "},
        {L"Save (&S)", L"Save "},
        {L"Print...(&P)\tCtrl+P", L"Print"},
        {L"A&&B", L"A&B"},
        {L"&File", L"File"},
        {L"No mnemonic", L"No mnemonic"},
        {L"", L""},
        {L"&", L""},
    };
    SECCommandList list;
    for (const Case& c : cases) {
        CString text = c.text;
        list.CleanText(text);
        EXPECT_EQ(Narrow(text), Narrow(c.expected)) << Narrow(c.text);
    }
}

TEST(CommandNames, SystemCommandsAtTheirEdges) {
    SECCommandList list;
    const UINT system[] = {57616, 57631, 57680, 57681, 65280, 65535};
    const UINT listed[] = {0xE10F, 57632, 57679, 57682, 65279, 65536, 1, 100};
    for (UINT nID : system)
        EXPECT_TRUE(list.IsSystemCommand(nID)) << nID;
    for (UINT nID : listed)
        EXPECT_FALSE(list.IsSystemCommand(nID)) << nID;
}
