// The host's bad input to the source windows: ids that name nothing, files that cannot be
// shown, lines outside the file. Each gets a clear result and leaves the library usable.
#include "tests/srcwnd/frames_fixture.h"

#include "host/lib/host_state.h"

namespace {
class SrcWndHostile : public SrcFrameTest {
protected:
    void SetUp() override {
        SrcFrameTest::SetUp();
        Start();
    }
    // The library still opens and shows a good file.
    void ExpectUsable() {
        const int id = Create(CFile(), 3);
        ASSERT_GT(id, 0);
        EXPECT_EQ(id, Update(id, CFile(), 2, 3, 99));
        EXPECT_EQ(2u, Panes(FrameOf(id)).size());
    }
};
} // namespace

TEST_F(SrcWndHostile, IdsThatNameNoWindowOpenANewOneForThePathOrFail) {
    const std::string path = CFile();
    const int id = Create(path, 3);
    ASSERT_GT(id, 0);
    HWND frame = FrameOf(id);
    using CloseFn = int(__cdecl*)(intptr_t, int);
    ASSERT_EQ(1, Get<CloseFn>("CloseMDIWindow")(id, 1));
    PumpAll();
    ASSERT_FALSE(IsWindow(frame));
    using IdFn = int(__cdecl*)(int);
    const int ids[] = {id, 0, -4, 999, 0x7FFFFFFF};
    for (int bad : ids) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(0, Get<IdFn>("ActivateSourceWindow")(bad == 0 ? 12345 : bad));
        EXPECT_EQ(0, SetColumnDatas(bad, 3, nullptr));
        // An update for an unknown id opens a window for the path: the result is its frame.
        const intptr_t opened = Update(bad, path, 1, 3, 1);
        EXPECT_TRUE(IsWindow(reinterpret_cast<HWND>(opened)));
        // Without a path there is nothing to open.
        EXPECT_EQ(0, Update(bad, "", 1, 3, 1));
    }
    ExpectUsable();
}

TEST_F(SrcWndHostile, FilesThatCannotBeShownFailClearlyAndLeaveTheLibraryUsable) {
    const std::string big(50u * 1024 * 1024, 'x');
    std::string lines;
    for (int i = 0; lines.size() < 50u * 1024 * 1024; ++i)
        lines += "int line" + std::to_string(i) + " = 0;\r\n";
    const struct {
        const char* what;
        std::string path;
        bool unreadable = false; // nothing to show: no window, and no box either
    } cases[] = {
        {"missing", m_folder + "\\missing.c", true},
        {"directory", m_folder, true},
        {"binary", WriteFile("binary.c", std::string("\x7F"
                                                     "ELF\0\0\x01\x02\0\xFF\xFE",
                                                     12))},
        {"empty", WriteFile("empty.c", "")},
        {"50 MB of lines", WriteFile("big.c", lines)},
        {"one line of 20 MB", WriteFile("long.c", big.substr(0, 20u * 1024 * 1024))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const DWORD start = GetTickCount();
        const int id = Create(c.path, 3);
        if (id > 0) {
            HWND frame = FrameOf(id);
            ASSERT_NE(nullptr, frame);
            EXPECT_EQ(id, Update(id, c.path, 3, 3, 1));
            PumpAll();
            using CloseFn = int(__cdecl*)(intptr_t, int);
            Get<CloseFn>("CloseMDIWindow")(id, 1);
            PumpAll();
        } else {
            EXPECT_EQ(-1, id);
        }
        if (c.unreadable) {
            EXPECT_EQ(-1, id);
            EXPECT_EQ(0, Update(9999, c.path, 3, 3, 1)); // an id no window has
            PumpAll();
            EXPECT_TRUE(Lines("MessageBox").empty());
        }
        EXPECT_LT(GetTickCount() - start, 60000u);
    }
    ExpectUsable();
}

TEST_F(SrcWndHostile, LinesOutsideTheFileGoToItsEdge) {
    const std::string path = CFile();
    const int id = Create(path, 3);
    ASSERT_GT(id, 0);
    const int lines[] = {0, -1, -100000, 11, 1000000, 0x7FFFFFFF};
    for (int line : lines) {
        SCOPED_TRACE(line);
        EXPECT_EQ(id, Update(id, path, line, 3, 5));
        PumpAll();
        EXPECT_TRUE(IsWindow(FrameOf(id)));
    }
    ExpectUsable();
}

// A new context tag without a path reads the window's own file again: the text stays.
TEST_F(SrcWndHostile, AnUpdateWithoutPathKeepsTheWindowsFile) {
    const std::string path = CFile();
    const int id = Create(path, 3);
    ASSERT_GT(id, 0);
    ASSERT_EQ(id, Update(id, path, 2, 3, 1));
    EXPECT_EQ(id, Update(id, "", 3, 3, 2));
    using BlockFn = char*(__cdecl*)(int, int, int, int, int);
    char* block = Get<BlockFn>("RequestSourceBlock")(id, 0, 0, -1, -1);
    ASSERT_NE(nullptr, block);
    EXPECT_STREQ("#include <stdio.h>", block);
    HeapFree(GetProcessHeap(), 0, block);
    // and the next update with that tag finds nothing to reload
    EXPECT_EQ(id, Update(id, path, 4, 3, 2));
}

// A new context tag reads the file again, and the window then shows the new text: also a file
// rewritten with its old size and its old time of writing.
TEST_F(SrcWndHostile, ANewTagShowsTheFileAsItIsNow) {
    const std::string path = WriteFile("reload.c", "int a;\n");
    const int id = Create(path, 3);
    ASSERT_GT(id, 0);
    ASSERT_EQ(id, Update(id, path, 1, 3, 1));
    const struct {
        const char* name;
        const char* bytes;
        int minutes;       // the time of writing moved on by this much (-1: kept as it was)
        const char* first; // the block of the first line, with its line feed
    } cases[] = {{"longer", "int bb;\nint c;\n", 0, "int bb;\n"},
                 {"same size, written later", "int xx;\nint y;\n", 1, "int xx;\n"},
                 {"same size, same time of writing", "int zz;\nint w;\n", -1, "int zz;\n"},
                 {"shorter", "x\n", 0, "x\n"}};
    int tag = 1;
    using BlockFn = char*(__cdecl*)(int, int, int, int, int);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WIN32_FILE_ATTRIBUTE_DATA before{};
        ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &before));
        WriteFile("reload.c", c.bytes);
        if (c.minutes != 0) {
            HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(INVALID_HANDLE_VALUE, file);
            FILETIME written = before.ftLastWriteTime;
            if (c.minutes > 0) {
                GetSystemTimeAsFileTime(&written);
                ULARGE_INTEGER t{{written.dwLowDateTime, written.dwHighDateTime}};
                t.QuadPart += 10000000ull * 60 * c.minutes;
                written = {t.LowPart, t.HighPart};
            }
            SetFileTime(file, nullptr, nullptr, &written);
            CloseHandle(file);
        }
        EXPECT_EQ(id, Update(id, path, 1, 3, ++tag));
        char* block = Get<BlockFn>("RequestSourceBlock")(id, 0, 0, 1, 1);
        ASSERT_NE(nullptr, block);
        EXPECT_STREQ(c.first, block);
        HeapFree(GetProcessHeap(), 0, block);
    }
}

// Lines -1 to -1 ask for the first line: from column a, and to column b only when the file has
// no other line; whatever the file holds after it never reaches the answer.
TEST_F(SrcWndHostile, TheFirstLineAloneAnswersLinesMinusOneToMinusOne) {
    const struct {
        const char* what;
        std::string bytes;
        int a, b;
        const char* answer;
    } cases[] = {
        {"the C file", "#include <stdio.h>\r\nint x;\r\n", 0, 0, "#include <stdio.h>"},
        {"from a column", "#include <stdio.h>\r\nint x;\r\n", 9, 0, "<stdio.h>"},
        {"an end column past the first line", "#include <stdio.h>\r\nint x;\r\n", 0, 4,
         "#include <stdio.h>"},
        {"a one-line file to a column", "int x = 1;", 0, 3, "int"},
        {"an unterminated last line", "one\ntwo", 0, 0, "one"},
    };
    using BlockFn = char*(__cdecl*)(int, int, int, int, int);
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = WriteFile("first" + std::to_string(++n) + ".c", c.bytes);
        const int id = Create(path, 3);
        ASSERT_GT(id, 0);
        char* block = Get<BlockFn>("RequestSourceBlock")(id, c.a, c.b, -1, -1);
        ASSERT_NE(nullptr, block);
        EXPECT_STREQ(c.answer, block);
        HeapFree(GetProcessHeap(), 0, block);
    }
}
