#include "windows/source/src_menu.h"

#include <algorithm>

#include "shell/host_text.h"
#include "shell/hostlink.h"
#include "windows/source/src_coverage.h"

namespace {

constexpr int kDefaultColumnText = 10;

// A popup that the parent menu owns once it is appended.
void AppendPopup(CMenu& menu, CMenu& popup, const wchar_t* text) {
    menu.AppendMenu(MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup.GetSafeHmenu()), text);
    popup.Detach();
}

void AppendItem(CMenu& menu, UINT id, const wchar_t* text, bool checked = false) {
    menu.AppendMenu(MF_STRING | (checked ? MF_CHECKED : MF_UNCHECKED), id, text);
}

void AppendSeparator(CMenu& menu) {
    menu.AppendMenu(MF_SEPARATOR);
}

// Only ids up to the end of the range: past it lie real commands.
int ChoiceCount(int count) {
    return std::max(0, std::min(count, kBreakChoices));
}

void AppendStatementList(CMenu& menu, const SourceMenuContext& c, SourceMenuChoices& choices) {
    HostCommandTable* host = HostTable();
    if (!HostVersionAtLeast(2, 2))
        return;
    HostText module(c.moduleName);
    int count = 0;
    const HostLineEntry* table = nullptr;
    if (host->QueryLineInfo(module.get(), c.line + 1, 0, &count, &table) != 1)
        return;
    choices.statements = table;
    choices.statementCount = table ? ChoiceCount(count) : 0;
    CMenu popup;
    popup.CreatePopupMenu();
    for (int k = 0; k < choices.statementCount; ++k) {
        const HostLineEntry& entry = table[k];
        if (!entry.text || !entry.value)
            continue;
        CString text(entry.text);
        AppendItem(popup, kSourceSubmenuFirst + k, AsMenuText(text), (entry.flags & 1) != 0);
    }
    AppendPopup(menu, popup, L"Toggle &Breakpoint");
}

void AppendColumnList(CMenu& menu, const SourceMenuContext& c, SourceMenuChoices& choices) {
    const uint32_t* table = nullptr;
    int count = HostTable()->QuerySourceLine(c.contextTag, c.line + 1, &table);
    choices.columns = table;
    choices.columnCount = table ? ChoiceCount(count) : 0;
    CMenu popup;
    popup.CreatePopupMenu();
    for (int k = 0; k < choices.columnCount; ++k) {
        AppendItem(popup, kSourceSubmenuFirst + k, BreakColumnText(table[k], c.lineText),
                   (table[k] & kColumnBreakpoint) != 0);
    }
    AppendPopup(menu, popup, L"Toggle &Breakpoint");
}

void AppendLineItems(CMenu& menu, const SourceMenuContext& c, SourceMenuChoices& choices) {
    uint32_t flags = c.record->flags;
    if (flags & kLineStatements) {
        AppendStatementList(menu, c, choices);
    } else if (flags & kLineColumns) {
        AppendColumnList(menu, c, choices);
    } else if (flags & (kLineBreakpoint | kLineCode)) {
        AppendItem(menu, flags & kLineBreakpoint ? 32772 : 32771, L"Toggle &Breakpoint");
        AppendSeparator(menu);
    }
    if ((flags & kLineCode) && !(flags & kLineStatements)) {
        AppendItem(menu, 32773, L"&Go Here");
        AppendItem(menu, 32782, L"&Set PC");
        AppendItem(menu, 32802, L"&Jump To Assembler");
        AppendSeparator(menu);
    }
    AppendItem(menu, 32774, L"&Run Until Caller");
    AppendItem(menu, 32775, L"Run &Until Return");
    AppendSeparator(menu);
}

bool CanJumpToDefinition(const CString& selection) {
    if (!HostVersionAtLeast(3, 5))
        return false;
    HostText text(selection);
    int answer = 0;
    return HostTable()->CanJumpToDefinition(text.get(), &answer) != 0 && answer == 1;
}

void AppendSelectionItems(CMenu& menu, const SourceMenuContext& c) {
    AppendItem(menu, 32783, L"Set &Value");
    AppendItem(menu, 32776, L"&Evaluate");
    AppendItem(menu, 32777, L"Evaluate From &Pointer");
    AppendItem(menu, 32786, L"Evaluate A&ddress");
    AppendItem(menu, 32778, L"&Add To Evalwindow");
    AppendItem(menu, 32779, L"A&dd To Eval From Pointer");
    AppendItem(menu, 32787, L"Add To Eval Addre&ss");
    if (CanJumpToDefinition(c.selection))
        AppendItem(menu, 32788, L"Jump &To Definition");
    AppendSeparator(menu);
    AppendItem(menu, 57634, L"&Copy");
}

void ShowCoverageNote(HWND owner, const wchar_t* text) {
    MessageBoxW(owner, text, L"Code Coverage", MB_ICONINFORMATION);
}

void AppendBlockCommentItems(CMenu& popup, const SourceMenuContext& c, const char* expression) {
    LineBlocks blocks;
    if (!HostVersionAtLeast(2, 4) || !EvaluateLineAddress(expression, blocks) ||
        !ReadLineBlocks(blocks))
        return;
    LineBlockCounts counts = CountLineBlocks(blocks.records(), blocks.count);
    if (counts.uncoveredRuns > 1) {
        ShowCoverageNote(c.owner, L"Multiple uncovered code blocks in this source line.\n\r"
                                  L"Use Assembler Context Menu instead.");
    } else if (counts.uncoveredRuns == 1) {
        if (counts.comments == 0) {
            AppendItem(popup, 32994, L"&Add Block Comment ...");
        } else if (counts.comments == 1) {
            AppendItem(popup, 32996, L"&Edit Block Comment ...");
            AppendItem(popup, 32993, L"&Delete Block Comment ...");
        } else {
            ShowCoverageNote(c.owner, L"Multiple comments in this source line.\n\r"
                                      L"Use Assembler Context Menu instead.");
        }
    }
}

void AppendCoverageItems(CMenu& menu, const SourceMenuContext& c) {
    if (!(c.record->flags & kLineCode) || !HostTable()->IsCoverageActive())
        return;
    CMenu popup;
    popup.CreatePopupMenu();
    AppendItem(popup, 32986, L"Jump to &Browser");
    CString position;
    position.Format(L"C(%s\\@LINE %d:%d)", c.moduleName.GetString(), c.line + 1, c.column + 1);
    {
        HostText expression(position);
        AppendBlockCommentItems(popup, c, expression.get());
    }
    AppendItem(popup, 32984, L"&Complex Conditions");
    AppendPopup(menu, popup, L"Co&verage");
}

} // namespace

CString AsMenuText(const CString& text) {
    CString shown = text;
    int lineFeed = shown.Find(L'\n');
    if (lineFeed >= 0)
        shown = shown.Left(lineFeed);
    shown.Replace(L"&", L"&&");
    return shown;
}

CString BreakColumnText(uint32_t word, const CString& line) {
    int length = line.GetLength();
    int wanted = kDefaultColumnText;
    if (word & kColumnLengthGiven)
        wanted = std::min<int>(ColumnLengthOf(word), kDefaultColumnText);
    int column = static_cast<int>(ColumnOf(word));
    // Column 0 or one past the line would start outside it.
    int start = std::max(0, std::min(column - 1, length));
    int count = std::min(wanted, length - start);
    CString text;
    text.Format(L"Break Column %d '%s'", column, AsMenuText(line.Mid(start, count)).GetString());
    return text;
}

void BuildSourceMenu(CMenu& popup, const SourceMenuContext& context, SourceMenuChoices& choices) {
    choices = SourceMenuChoices();
    if (!HostTable())
        return;
    if (context.record)
        AppendLineItems(popup, context, choices);
    if (context.hasSelection)
        AppendSelectionItems(popup, context);
    AppendItem(popup, 45267, L"Toggle B&ookmark");
    if (context.record)
        AppendCoverageItems(popup, context);
}

BreakChoice ResolveBreakChoice(const SourceMenuChoices& choices, UINT id) {
    BreakChoice choice;
    if (id < kSourceSubmenuFirst || id > kSourceSubmenuLast)
        return choice;
    int k = static_cast<int>(id - kSourceSubmenuFirst);
    if (choices.columns) {
        if (k < choices.columnCount) {
            uint32_t word = choices.columns[k];
            choice.action = word & kColumnBreakpoint ? BreakChoiceAction::ClearColumn
                                                     : BreakChoiceAction::SetColumn;
            choice.column = static_cast<int>(ColumnOf(word));
        }
    } else if (choices.statements) {
        if (k < choices.statementCount && choices.statements[k].value != 0) {
            const HostLineEntry& s = choices.statements[k];
            choice.action =
                s.flags & 1 ? BreakChoiceAction::ClearStatement : BreakChoiceAction::SetStatement;
            choice.value = s.value;
        }
    }
    return choice;
}
