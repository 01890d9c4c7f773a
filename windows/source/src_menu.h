// The source window's context menu: the breakpoint items from the host's statement list or
// column words, the run and selection items, the bookmark and the coverage submenu; and what
// an item of the breakpoint submenu (ids 32950..32970) does when it is chosen.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/afx.h"
#include "ifac/h/hostcmd.h"
#include "ifac/h/srclines.h"

class CTarvikView;

constexpr UINT kFirstBreakChoice = 32950;
constexpr UINT kLastBreakChoice = 32970;
constexpr int kBreakChoices = kLastBreakChoice - kFirstBreakChoice + 1;

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

// A statement of the host's list, as far as a choice needs it.
struct SourceStatementChoice {
    uint32_t flags;
    uint32_t value;
};

// The tables of the last build that the submenu's items stand for. Copies, bounded by the ids
// there are: the host's own tables are valid only until its next call.
struct SourceMenuChoices {
    bool columnsKept = false;
    std::vector<uint32_t> columns;
    bool statementsKept = false;
    std::vector<SourceStatementChoice> statements;
    void Reset();
};

// Fills popup for the context (the host is asked for the lists and coverage blocks it names).
void BuildSourceMenu(CMenu& popup, const SourceMenuContext& context, SourceMenuChoices& choices);

// The menu for a source view's caret, kept in the view's controller until the next build.
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
