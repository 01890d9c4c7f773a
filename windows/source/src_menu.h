// The source window's context menu: the breakpoint items from the host's statement list or
// column words, the run and selection items, the bookmark and the coverage submenu; and what
// an item of the breakpoint submenu (ids 32950..32970) does when it is chosen.
#pragma once

#include <cstdint>

#include "framework/afx.h"
#include "ifac/h/hostcmd.h"
#include "ifac/h/srclines.h"

class CTarvikView;

// The first and last id of the breakpoint submenu: past them lie real commands.
constexpr UINT kSourceSubmenuFirst = 32950;
constexpr UINT kSourceSubmenuLast = 32970;
constexpr int kBreakChoices = kSourceSubmenuLast - kSourceSubmenuFirst + 1;

// What the menu is built for: the caret's line and what the view knows of it.
struct SourceMenuContext {
    const SourceLineRecord* record = nullptr; // the caret line's record, or null
    int line = 0;                             // caret line, 0-based
    int column = 0;                           // caret column, 0-based
    CString lineText;                         // the caret line's text
    CString moduleName;
    int contextTag = 0;
    bool hasSelection = false;
    CString selection;
    HWND owner = NULL; // of the coverage message boxes
};

// The host's tables of the last build that the submenu's items stand for (the controller keeps
// them until the next build, MenuChoices); the counts never pass the ids there are.
struct SourceMenuChoices {
    const uint32_t* columns = nullptr;
    int columnCount = 0;
    const HostLineEntry* statements = nullptr;
    int statementCount = 0;
};

// Fills popup for the context (the host is asked for the lists and coverage blocks it names).
void BuildSourceMenu(CMenu& popup, const SourceMenuContext& context, SourceMenuChoices& choices);

// The menu for the caret of a source view; its controller keeps the tables.
void BuildSourceContextMenu(CMenu* popup, CTarvikView* view);

// The item text of a column word for a line ("Break Column %d '%s'"), "&" shown as text.
CString BreakColumnText(uint32_t word, const CString& line);
// A host or line text as a menu shows it: up to its first line feed, "&" shown as text.
CString AsMenuText(const CString& text);

// What choosing id does with the tables of the last build.
enum class BreakChoiceAction { None, SetColumn, ClearColumn, SetStatement, ClearStatement };
struct BreakChoice {
    BreakChoiceAction action = BreakChoiceAction::None;
    int column = 0;     // 1-based, for the column actions
    uint32_t value = 0; // the host's value, for the statement actions
};
BreakChoice ResolveBreakChoice(const SourceMenuChoices& choices, UINT id);
