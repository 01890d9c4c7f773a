// The source context menu as built for the line records, host lists and selections a user
// meets, read back from the menu handle; and what an item of the breakpoint submenu stands for.
#include "tests/srcwnd/menu_dump.h"
#include "tests/srcwnd/source_host.h"
#include "windows/source/src_menu.h"

namespace {

using Lines = std::vector<std::string>;

struct MenuCase {
    const char* name;
    unsigned minor; // of a 3.x host (binding admits no other major version)
    uint32_t flags; // of the caret line's record; 0: no record
    bool selection;
    std::vector<HostLineEntry> entries;
    std::vector<uint32_t> columns;
    int jumpAnswer;
    std::vector<HostBlockRecord> blocks; // empty: coverage off
    Lines expected;
};

const char kLine[] = "for (i = 0; i < n; i++)";

uint32_t Column(int column, bool set = false, int length = -1) {
    uint32_t word = static_cast<uint32_t>(column) << 1 | (set ? 1u : 0u);
    if (length >= 0)
        word |= 0x80000000u | static_cast<uint32_t>(length) << 16;
    return word;
}

const Lines kRunItems = {"32774 &Run Until Caller", "32775 Run &Until Return", "-"};
const Lines kCodeItems = {"32773 &Go Here", "32782 &Set PC", "32802 &Jump To Assembler", "-"};
const Lines kSelectionItems = {
    "32783 Set &Value",          "32776 &Evaluate",          "32777 Evaluate From &Pointer",
    "32786 Evaluate A&ddress",   "32778 &Add To Evalwindow", "32779 A&dd To Eval From Pointer",
    "32787 Add To Eval Addre&ss"};

Lines Join(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const Lines kBookmark = {"45267 Toggle B&ookmark"};

HostBlockRecord Uncovered() {
    return Block(kBlockOfLine | 1, 0, 0, 0x4020);
}
HostBlockRecord Covered() {
    return Block(kBlockOfLine | 1, 3);
}
HostBlockRecord Comment(uint32_t sub) {
    return Block(kBlockOfLine | 4 | sub << 14);
}

class SourceMenu : public ::testing::TestWithParam<MenuCase> {};

TEST_P(SourceMenu, OffersWhatTheLineAndSelectionAllow) {
    const MenuCase& c = GetParam();
    SourceHost::Bind(HostVersion(3, c.minor));
    CaptureMessageBoxes();
    SourceHost& host = SourceHost::Get();
    host.lineEntries = c.entries;
    host.columns = c.columns;
    host.jumpAnswer = c.jumpAnswer;
    host.coverageActive = !c.blocks.empty();
    host.blocks = c.blocks;
    SourceLineRecord record{12, c.flags, nullptr};
    SourceMenuContext context;
    context.record = c.flags ? &record : nullptr;
    context.line = 11;
    context.lineText = kLine;
    context.moduleName = L"main.c";
    context.hasSelection = c.selection;
    context.selection = L"count";
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    SourceMenuChoices choices;
    BuildSourceMenu(popup, context, choices);
    EXPECT_EQ(c.expected, DumpMenu(popup.GetSafeHmenu()));
}

INSTANTIATE_TEST_SUITE_P(
    Table, SourceMenu,
    ::testing::Values(
        MenuCase{"BreakpointOnCode",
                 13,
                 0x0082,
                 false,
                 {},
                 {},
                 1,
                 {},
                 Join({{"32772 Toggle &Breakpoint", "-"}, kCodeItems, kRunItems, kBookmark})},
        MenuCase{"CodeOnly",
                 13,
                 0x0080,
                 false,
                 {},
                 {},
                 1,
                 {},
                 Join({{"32771 Toggle &Breakpoint", "-"}, kCodeItems, kRunItems, kBookmark})},
        MenuCase{"LineWithoutCode", 13, 0x0020, false, {}, {}, 1, {}, Join({kRunItems, kBookmark})},
        // Entries without text or value are left out; host texts show "&" as text.
        MenuCase{"Statements",
                 13,
                 0x0180,
                 false,
                 {{1, "i = 0", 7}, {0, "i++ & j\nmore", 8}, {0, nullptr, 9}, {0, "x", 0}},
                 {},
                 1,
                 {},
                 Join({{"> Toggle &Breakpoint", "  32950 i = 0 [x]", "  32951 i++ && j"},
                       kRunItems,
                       kBookmark})},
        // Column 0 and a column past the line's end stay inside the line.
        MenuCase{"Columns",
                 13,
                 0x0280,
                 false,
                 {},
                 {Column(5, true, 3), Column(13), Column(0, false, 2), Column(40)},
                 1,
                 {},
                 Join({{"> Toggle &Breakpoint", "  32950 Break Column 5 '(i ' [x]",
                        "  32951 Break Column 13 'i < n; i++'", "  32952 Break Column 0 'fo'",
                        "  32953 Break Column 40 ''"},
                       kCodeItems,
                       kRunItems,
                       kBookmark})},
        MenuCase{"NoRecordNoSelection", 13, 0, false, {}, {}, 1, {}, kBookmark},
        MenuCase{
            "Selection",
            13,
            0,
            true,
            {},
            {},
            1,
            {},
            Join({kSelectionItems, {"32788 Jump &To Definition", "-", "57634 &Copy"}, kBookmark})},
        MenuCase{"SelectionTheHostCannotJumpFrom",
                 13,
                 0,
                 true,
                 {},
                 {},
                 0,
                 {},
                 Join({kSelectionItems, {"-", "57634 &Copy"}, kBookmark})},
        MenuCase{"SelectionOnAHostBeforeJumps",
                 4,
                 0,
                 true,
                 {},
                 {},
                 1,
                 {},
                 Join({kSelectionItems, {"-", "57634 &Copy"}, kBookmark})},
        MenuCase{"CoverageWithoutComment",
                 13,
                 0x0080,
                 false,
                 {},
                 {},
                 1,
                 {Covered(), Uncovered(), Uncovered()},
                 Join({{"32771 Toggle &Breakpoint", "-"},
                       kCodeItems,
                       kRunItems,
                       kBookmark,
                       {"> Co&verage", "  32986 Jump to &Browser", "  32994 &Add Block Comment ...",
                        "  32984 &Complex Conditions"}})},
        MenuCase{
            "CoverageWithAComment",
            13,
            0x0080,
            false,
            {},
            {},
            1,
            {Uncovered(), Comment(1)},
            Join({{"32771 Toggle &Breakpoint", "-"},
                  kCodeItems,
                  kRunItems,
                  kBookmark,
                  {"> Co&verage", "  32986 Jump to &Browser", "  32996 &Edit Block Comment ...",
                   "  32993 &Delete Block Comment ...", "  32984 &Complex Conditions"}})},
        MenuCase{
            "CoverageAllCovered",
            13,
            0x0080,
            false,
            {},
            {},
            1,
            {Covered(), Covered()},
            Join({{"32771 Toggle &Breakpoint", "-"},
                  kCodeItems,
                  kRunItems,
                  kBookmark,
                  {"> Co&verage", "  32986 Jump to &Browser", "  32984 &Complex Conditions"}})}),
    [](const ::testing::TestParamInfo<MenuCase>& info) { return std::string(info.param.name); });

SourceMenuContext CodeLine(const SourceLineRecord& record) {
    SourceMenuContext context;
    context.record = &record;
    context.line = 11;
    context.lineText = kLine;
    context.moduleName = L"main.c";
    return context;
}

TEST(SourceMenuIds, MoreColumnsThanIdsLeaveTheRestOut) {
    // Past the last choice id lie real commands: neither list may reach them.
    std::vector<std::string> texts;
    for (int k = 0; k < 40; ++k)
        texts.push_back("statement " + std::to_string(k));
    const struct {
        const char* list;
        uint32_t flags;
    } rows[] = {{"40 column words", 0x0280}, {"40 statements of the line", 0x0100}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.list);
        SourceHost::Bind(HostVersion(3, 13));
        for (int k = 0; k < 40; ++k) {
            SourceHost::Get().columns.push_back(Column(1 + k % 20));
            SourceHost::Get().lineEntries.push_back(
                {0, texts[k].c_str(), static_cast<uint32_t>(k + 1)});
        }
        SourceLineRecord record{12, row.flags, nullptr};
        CMenu popup;
        popup.CreatePopupMenu();
        SourceMenuChoices choices;
        BuildSourceMenu(popup, CodeLine(record), choices);
        HMENU sub = GetSubMenu(popup.GetSafeHmenu(), 0);
        ASSERT_NE(nullptr, sub);
        int count = GetMenuItemCount(sub);
        EXPECT_EQ(kBreakChoices, count);
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(kSourceSubmenuFirst + i, GetMenuItemID(sub, i));
        EXPECT_EQ(BreakChoiceAction::None,
                  ResolveBreakChoice(choices, kSourceSubmenuLast + 1).action);
    }
}

TEST(SourceMenuIds, CoverageNotesForSeveralRunsOrComments) {
    struct Case {
        std::vector<HostBlockRecord> blocks;
        const char* note;
    };
    const Case cases[] = {
        {{Uncovered(), Covered(), Uncovered()},
         "MessageBox(\"Code Coverage\", \"Multiple uncovered code blocks in this source line.\n"
         "\rUse Assembler Context Menu instead.\")"},
        {{Comment(0), Uncovered(), Comment(1)},
         "MessageBox(\"Code Coverage\", \"Multiple comments in this source line.\n\rUse "
         "Assembler Context Menu instead.\")"},
    };
    for (const Case& c : cases) {
        SourceHost::Bind(HostVersion(3, 13));
        CaptureMessageBoxes();
        SourceHost::Get().coverageActive = 1;
        SourceHost::Get().blocks = c.blocks;
        SourceLineRecord record{12, 0x0080, nullptr};
        CMenu popup;
        popup.CreatePopupMenu();
        SourceMenuChoices choices;
        BuildSourceMenu(popup, CodeLine(record), choices);
        std::vector<HostCall> boxes = CallLog::Get().Named("MessageBox");
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(c.note, boxes[0].Line());
        Lines menu = DumpMenu(popup.GetSafeHmenu());
        EXPECT_EQ((Lines{"> Co&verage", "  32986 Jump to &Browser", "  32984 &Complex Conditions"}),
                  Lines(menu.end() - 3, menu.end()));
    }
}

TEST(SourceMenuChoice, AnItemStandsForItsColumnOrStatement) {
    const uint32_t columnWords[] = {Column(5, true, 3), Column(13)};
    SourceMenuChoices columns;
    columns.columns = columnWords;
    columns.columnCount = 2;
    BreakChoice clear = ResolveBreakChoice(columns, kSourceSubmenuFirst);
    EXPECT_EQ(BreakChoiceAction::ClearColumn, clear.action);
    EXPECT_EQ(5, clear.column);
    BreakChoice set = ResolveBreakChoice(columns, kSourceSubmenuFirst + 1);
    EXPECT_EQ(BreakChoiceAction::SetColumn, set.action);
    EXPECT_EQ(13, set.column);
    EXPECT_EQ(BreakChoiceAction::None, ResolveBreakChoice(columns, kSourceSubmenuFirst + 2).action);

    const HostLineEntry entries[] = {{1, "a", 7}, {0, "b", 8}, {0, "c", 0}};
    SourceMenuChoices statements;
    statements.statements = entries;
    statements.statementCount = 3;
    BreakChoice clearStatement = ResolveBreakChoice(statements, kSourceSubmenuFirst);
    EXPECT_EQ(BreakChoiceAction::ClearStatement, clearStatement.action);
    EXPECT_EQ(7u, clearStatement.value);
    EXPECT_EQ(BreakChoiceAction::SetStatement,
              ResolveBreakChoice(statements, kSourceSubmenuFirst + 1).action);
    EXPECT_EQ(BreakChoiceAction::None,
              ResolveBreakChoice(statements, kSourceSubmenuFirst + 2).action);
    EXPECT_EQ(BreakChoiceAction::None,
              ResolveBreakChoice(SourceMenuChoices(), kSourceSubmenuFirst).action);
}

} // namespace
