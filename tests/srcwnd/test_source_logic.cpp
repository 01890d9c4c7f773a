// The source windows' rules apart from their windows: the language a path takes, what the file
// viewer takes for text, the host's code-address forms, where GotoLine lands and what it
// highlights, the colours of a run, the middle-third scroll and the set-value answer.
#include "tests/srcwnd/source_host.h"
#include "windows/source/file_doc.h"
#include "windows/source/line_wnd.h"
#include "windows/source/set_val_dlg.h"
#include "windows/source/src_controller.h"
#include "windows/source/src_doc.h"
#include "windows/source/src_view.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#ifndef SRCWND_FIXTURES
#error "the fixture folder is given by the build"
#endif

namespace {

std::string Fixture(const char* name) {
    std::ifstream in(std::string(SRCWND_FIXTURES) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(SourceLanguage, ExtensionPicksTheConfiguration) {
    const struct {
        const wchar_t* path;
        const wchar_t* language;
    } cases[] = {
        {L"C:\\src\\start.asm", L"ASM"},
        {L"b.S", L"ASM"},
        {L"x.s", L"ASM"},
        {L"y.a51", L"ASM"},
        {L"a.c", L"CPP"},
        {L"a.h", L"CPP"},
        {L"a.cpp", L"CPP"},
        {L"C:\\dir.s1\\file", L"CPP"}, // the point is a folder's
        {L"README", L"CPP"},
        {L"trailing.", L"CPP"},
        {nullptr, L"Default"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.language, SourceLanguageOf(c.path)) << (c.path ? c.path : L"(none)");
}

TEST(FileViewerSniff, TextKindsOfTheFixturesAndTheEdges) {
    const std::string wide = Fixture("wide.c");
    ASSERT_GT(wide.size(), 4u);
    const struct {
        const char* name;
        std::string bytes;
        FileTextKind kind;
    } cases[] = {
        {"C file", Fixture("sample.c"), FileTextKind::Ascii},
        {"assembler file", Fixture("start.asm"), FileTextKind::Ascii},
        {"0-byte file", std::string(), FileTextKind::Ascii},
        {"UTF-16 with its byte-order mark", wide, FileTextKind::Utf16},
        {"UTF-16 without the mark", wide.substr(2), FileTextKind::Utf16},
        {"binary file", Fixture("binary.bin"), FileTextKind::Binary},
        {"one byte 0x00 in ASCII", std::string("int a;\0int b;", 13), FileTextKind::Binary},
        {"a byte above 0x7E", std::string("caf\xe9 = 1;\n"), FileTextKind::Binary},
        {"an odd byte left at the end", wide + "x", FileTextKind::Utf16},
    };
    for (const auto& c : cases)
        EXPECT_EQ(int(c.kind),
                  int(SniffFileText(reinterpret_cast<const unsigned char*>(c.bytes.data()),
                                    c.bytes.size())))
            << c.name;
}

const char* g_contextName = nullptr;
const char* __cdecl ContextName(int) {
    return g_contextName;
}

TEST(CodeAddress, EachHostVersionsForm) {
    const struct {
        unsigned minor;
        int column;
        const char* contextName;
        const wchar_t* expected;
    } cases[] = {
        {0, 0, nullptr, L"C(& main.c\\@LINE 12)"},
        {0, 5, nullptr, L"C(& main.c\\@LINE 12:5)"},
        {7, 0, nullptr, L"C(& \"main.c\"\\@LINE 12)"},
        {8, 5, nullptr, L"C(& \"main.c\"\\@LINE 12:5)"},
        {9, 0, "task1", L"C(& {\"task1\"}\"main.c\"\\@LINE 12)"},
        {9, 5, "task1", L"C(& {\"task1\"}\"main.c\"\\@LINE 12:5)"},
        {13, 0, nullptr, L"C(& {\".\"}\"main.c\"\\@LINE 12)"}, // the context has no name
        {9, -1, nullptr, L"C(& {\".\"}\"main.c\"\\@LINE 12)"},
    };
    for (const auto& c : cases) {
        SourceHost::Bind(HostVersion(3, c.minor));
        HostState::Get().commands.Word(62) = reinterpret_cast<void*>(&ContextName);
        g_contextName = c.contextName;
        CString out;
        FormatCodeAddress(out, L"main.c", 12, c.column, 7);
        EXPECT_STREQ(c.expected, out.GetString()) << "3." << c.minor << " column " << c.column;
        EXPECT_EQ(1, std::count(out.GetString(), out.GetString() + out.GetLength(), L'\\'));
    }
}

int LengthOfLine(void*, int line) {
    return 10 + line; // line n is 10 + n characters long
}

TEST(GotoLinePlan, SentinelsClampsAndTheHighlight) {
    const struct {
        const char* name;
        GotoLineRequest request;
        int lines;
        GotoLinePlan expected;
    } cases[] = {
        {"first line, nothing asked", {0, 0, 0, 0, TRUE}, 50, {true, 0, 0, 10, true, 0}},
        {"line 1, nothing asked", {1, 0, 0, 0, TRUE}, 50, {true, 0, 0, 10, true, 0}},
        {"whole line 5",
         {5, 1023, 1023, 63, TRUE},
         50,
         {false, 4, 0, 14, true, 4, false, true, true}},
        {"columns 3 to 7 of line 8", {8, 3, 7, 0, TRUE}, 50, {false, 7, 2, 6, true, 7}},
        {"three more lines, to the end of the last",
         {8, 2, 0, 3, TRUE},
         50,
         {false, 7, 1, 20, true, 10}},
        {"past the end", {80, 0, 0, 0, TRUE}, 50, {false, 49, 0, 59, true, 49, true}},
        {"an empty model", {7, 0, 0, 0, TRUE}, 0, {false, 0, 0, 10, true, 0, true}},
        {"count past the end", {48, 1, 0, 9, TRUE}, 50, {false, 47, 0, 59, true, 49}},
        {"no highlight",
         {9, 1023, 4, 63, FALSE},
         50,
         {false, 8, 0, 3, false, 0, false, true, true}},
    };
    for (const auto& c : cases) {
        const GotoLinePlan p = PlanGotoLine(c.request, c.lines, &LengthOfLine, nullptr);
        const GotoLinePlan& e = c.expected;
        EXPECT_EQ(e.trivial, p.trivial) << c.name;
        EXPECT_EQ(e.line, p.line) << c.name;
        EXPECT_EQ(e.startColumn, p.startColumn) << c.name;
        EXPECT_EQ(e.endColumn, p.endColumn) << c.name;
        EXPECT_EQ(e.setEndLine, p.setEndLine) << c.name;
        if (e.setEndLine) {
            EXPECT_EQ(e.endLine, p.endLine) << c.name;
        }
        EXPECT_EQ(e.illegalLine, p.illegalLine) << c.name;
        EXPECT_EQ(e.illegalStart, p.illegalStart) << c.name;
        EXPECT_EQ(e.illegalCount, p.illegalCount) << c.name;
    }
}

TEST(RunColours, HighlightHostColourAndTextContrast) {
    const struct {
        const char* name;
        bool inHighlight, asked;
        uint32_t host;
        COLORREF text;
        COLORREF back, newText;
    } cases[] = {
        {"highlight", true, false, 0, RGB(0, 0, 128), 0xB0B0B0, CLR_INVALID},
        {"highlight under grey text", true, false, 0, RGB(160, 160, 160), 0xB0B0B0, 0},
        {"host colour", false, true, RGB(255, 255, 0), RGB(0, 0, 128), RGB(255, 255, 0),
         CLR_INVALID},
        {"top byte set: none", false, true, 0x01FF0000, RGB(0, 0, 0), CLR_INVALID, CLR_INVALID},
        {"not asked", false, false, RGB(255, 0, 0), RGB(0, 0, 0), CLR_INVALID, CLR_INVALID},
        // 0xC8C8C8 - 0x808080 = 0x484848: a byte sum of 216 keeps the text.
        {"far enough", false, true, RGB(200, 200, 200), RGB(128, 128, 128), RGB(200, 200, 200),
         CLR_INVALID},
        // 0xC0C0C0 - 0x808080 = 0x404040: 192 turns it black.
        {"too close", false, true, RGB(192, 192, 192), RGB(128, 128, 128), RGB(192, 192, 192), 0},
    };
    for (const auto& c : cases) {
        const RunColours r = PickRunColours(c.inHighlight, c.asked, c.host, c.text);
        EXPECT_EQ(c.back, r.back) << c.name;
        EXPECT_EQ(c.newText, r.text) << c.name;
    }
}

TEST(SourceHighlightRange, RunsInsideAndOutside) {
    SourceHighlight h;
    h.line = 4;
    h.endLine = 6;
    h.startColumn = 3;
    h.endColumn = 8;
    EXPECT_TRUE(h.Contains(4, 3, 20)) << "starts at the first column, ends on a later line";
    EXPECT_FALSE(h.Contains(4, 2, 5)) << "before the start column";
    EXPECT_TRUE(h.Contains(5, 0, 80)) << "a line between";
    EXPECT_TRUE(h.Contains(6, 0, 8)) << "ends at the end column";
    EXPECT_FALSE(h.Contains(6, 0, 9)) << "past the end column";
    EXPECT_FALSE(h.Contains(3, 0, 1)) << "an earlier line";
}

TEST(ShowLine, MiddleThirdRule) {
    const struct {
        int line, perPage, top, count, firstStep;
    } cases[] = {
        {115, 30, 100, 1000, -1},  // inside the middle third: no scroll
        {105, 30, 100, 1000, 95},  // near the top: a third above it first
        {125, 30, 100, 1000, 135}, // near the bottom: a third below it first
        {110, 30, 100, 1000, 120}, // on the edge of the third counts as outside
        {3, 30, 0, 1000, 0},       // never above the first line
        {999, 30, 960, 1000, 999}, // never past the last line
        {0, 0, 0, 1, 0},           // a window with no room still puts the caret
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.firstStep, ShowLinePreStep(c.line, c.perPage, c.top, c.count))
            << c.line << " at top " << c.top;
}

TEST(SetValueAnswer, TheTextAfterTheFirstColon) {
    const struct {
        const char* answer;
        BOOL found;
        const wchar_t* value;
    } cases[] = {
        {"total: 45", TRUE, L" 45"},
        {"p: 0x10: *p", TRUE, L" 0x10: *p"},
        {"45", FALSE, L"unchanged"},
        {nullptr, FALSE, L"unchanged"},
    };
    for (const auto& c : cases) {
        CString value(L"unchanged");
        EXPECT_EQ(c.found, ValueOfEvaluation(c.answer, value)) << (c.answer ? c.answer : "null");
        EXPECT_STREQ(c.value, value.GetString());
    }
}

} // namespace

// The column numbers every line, and an empty file still has line 1.
TEST(LineNumberText, OneNumberALineFromOne) {
    const struct {
        int count;
        const wchar_t* head; // the text's start
        const wchar_t* tail; // and its end
        size_t lines;
    } cases[] = {{0, L"1", L"1", 1},
                 {1, L"1", L"1", 1},
                 {10, L"1\n2\n3\n", L"\n9\n10", 10},
                 {9999999, L"1\n2\n3\n", L"\n9999998\n9999999", 9999999}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        std::wstring text = L"old";
        ASSERT_TRUE(CLineWnd::BuildLineNumbers(c.count, text));
        const std::wstring head(c.head), tail(c.tail);
        ASSERT_GE(text.size(), tail.size());
        EXPECT_EQ(head, text.substr(0, head.size()));
        EXPECT_EQ(tail, text.substr(text.size() - tail.size()));
        EXPECT_EQ(c.lines, static_cast<size_t>(std::count(text.begin(), text.end(), L'\n')) + 1);
    }
}
