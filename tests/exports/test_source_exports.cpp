// The exports that read and move the active source window (GetInfo, PageActiveWindow,
// RequestSourceBlock) and the window-update switches, on real windows driven as the host does.
#include "tests/support/app_fixture.h"

#include "ifac/h/hostwnd.h"

#include <cstring>
#include <fstream>
#include <string>

namespace {

using CreateFn = int(__cdecl*)(const char*, const char*, int, const WindowPosition*, int);
using UpdateFn = intptr_t(__cdecl*)(int, const char*, const char*, int, int, int, int, int, int);
using InfoFn = int(__cdecl*)(int, char**, int*, int*, int*);
using PageFn = int(__cdecl*)(int, int);
using BlockFn = char*(__cdecl*)(int, int, int, int, int);
using MaskFn = uint32_t(__cdecl*)(uint32_t, int);
using HandleFn = HWND(__cdecl*)(int);

constexpr int kTag = 77;
constexpr UINT kSelectAll = 57642;

class SourceExports : public AppTest {
protected:
    // The window goes before the run ends: EndApp with a source window still open frees a
    // block twice, which is not what these tests look at.
    void TearDown() override {
        if (m_started && m_id > 0) {
            Get<int(__cdecl*)(intptr_t, int)>("CloseMDIWindow")(m_id, 1);
            PumpAll();
        }
        AppTest::TearDown();
    }
    // A source window over a file of these bytes, shown at line 1 with the tag; its id.
    int Open(const std::string& bytes, bool docked = false) {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        const std::wstring wide =
            std::wstring(temp) + L"exports_" + std::to_wstring(GetCurrentProcessId()) + L".c";
        m_path.assign(wide.begin(), wide.end());
        std::ofstream(m_path, std::ios::binary) << bytes;
        if (docked)
            HostState::Get().placements[&m_position] = {0x41 | 0x80, 0, 0, 200, 150};
        const int id =
            Get<CreateFn>("CreateSourceWindow")("main", m_path.c_str(), 3, &m_position, -1);
        if (id > 0)
            Update(id, 1, 0);
        PumpAll();
        m_id = id;
        return id;
    }
    intptr_t Update(int id, int line, int flags) {
        return Get<UpdateFn>("UpdateSourceWindow")(id, "main", m_path.c_str(), line, flags, 0, 0, 0,
                                                   kTag);
    }
    int Info(int flags) {
        m_text = nullptr;
        m_line = m_source = m_core = -100;
        return Get<InfoFn>("GetInfo")(flags, &m_text, &m_line, &m_source, &m_core);
    }
    int Page(int action, int count) { return Get<PageFn>("PageActiveWindow")(action, count); }
    uint32_t Mask(uint32_t bits, int on) { return Get<MaskFn>("EnableWindowUpdate")(bits, on); }
    HWND FrameOf(int id) { return Get<HandleFn>("GetWindowHandle")(id); }

    WindowPosition m_position{};
    std::string m_path;
    int m_id = 0;
    char* m_text = nullptr;
    int m_line = 0, m_source = 0, m_core = 0;
};

const char kLines[] = "int a;\r\nint b;\r\nint c;\r\nint d;\r\n";

TEST_F(SourceExports, GetInfoFillsWhatTheFlagsAskAndPageActiveWindowMovesTheCaret) {
    Start();
    ASSERT_GT(Open(kLines), 0);
    ASSERT_EQ(1, Page(5, 0)); // the caret to the start, no selection
    struct Case {
        int flags;
        int result, line, source, core;
        bool text;
    };
    const int none = -100;
    const Case cases[] = {
        {0x0, 0, none, none, none, false},
        {0x1, 0, none, none, none, false}, // no selection: nothing filled
        {0x2, 1, 1, none, none, false},
        {0x4, 1, none, kTag, none, false},
        {0x8, 1, none, none, 0, false},
        {0xF, 1, 1, kTag, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        EXPECT_EQ(c.result, Info(c.flags));
        EXPECT_EQ(c.line, m_line);
        EXPECT_EQ(c.source, m_source);
        EXPECT_EQ(c.core, m_core);
        EXPECT_EQ(c.text, m_text != nullptr);
    }
    // Paging the active window moves its caret; a count far past the text ends at the last line.
    EXPECT_EQ(1, Page(8, 2));
    Info(0x2);
    EXPECT_EQ(3, m_line);
    EXPECT_EQ(1, Page(8, INT_MAX));
    Info(0x2);
    EXPECT_EQ(5, m_line); // the empty line after the last line break
    EXPECT_EQ(1, Page(9, 1));
    Info(0x2);
    EXPECT_EQ(4, m_line);
    EXPECT_EQ(1, Page(7, 1)); // an action that does nothing
    Info(0x2);
    EXPECT_EQ(4, m_line);
}

TEST_F(SourceExports, ALongSelectionComesBackCutAndTheEmptyBlockNeverRepeatsIt) {
    Start();
    const int id = Open(std::string(2000, 'a') + "\r\n");
    ASSERT_GT(id, 0);
    SendMessageW(FrameOf(id), WM_COMMAND, kSelectAll, 0);
    ASSERT_EQ(1, Info(0x1));
    ASSERT_NE(nullptr, m_text);
    EXPECT_EQ(1023u, strlen(m_text));
    EXPECT_EQ(std::string(1023, 'a'), m_text);
    // A block of a window that is not there is the shared buffer, empty.
    char* block = Get<BlockFn>("RequestSourceBlock")(9999, 0, 0, 1, 1);
    EXPECT_EQ(m_text, block);
    EXPECT_STREQ("", block);
}

TEST_F(SourceExports, ADockedSourceWindowGivesNoInfo) {
    Start();
    ASSERT_GT(Open(kLines, true), 0);
    EXPECT_EQ(0, Info(0xF));
    EXPECT_EQ(-100, m_line);
}

TEST_F(SourceExports, TheUpdateMaskHoldsBackSourceAndAssemblerUpdates) {
    Start();
    const int id = Open(kLines);
    ASSERT_GT(id, 0);
    Page(5, 0);
    EXPECT_EQ(3u, Mask(2, 0));
    // Held back: the source window neither moves nor answers its id.
    EXPECT_EQ(0, Update(id, 3, 0));
    Info(0x2);
    EXPECT_EQ(1, m_line);
    EXPECT_EQ(1u, Mask(1, 0));
    // The assembler's update, held back, answers the id it was given.
    EXPECT_EQ(id, Update(id, 3, 0x8));
    EXPECT_EQ(0u, Mask(3, 1));
    EXPECT_EQ(id, Update(id, 3, 0));
    Info(0x2);
    EXPECT_EQ(3, m_line);
    EXPECT_EQ(3u, Mask(0, 1));
}

} // namespace
