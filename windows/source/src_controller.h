// The controller of the source view and of its line-number and coverage columns: the editor's
// keyboard and mouse handling plus the source context menu, margin double clicks that set and
// clear breakpoints, line and symbol drags, function keys handed to the host, and the coupling
// of the columns to the source view.
#pragma once

#include "editor/edit_controller.h"
#include "framework/afx.h"
#include "ifac/h/hostcmd.h"
#include "ifac/h/srclines.h"
#include "windows/source/src_menu.h"

#include <cstdint>

class CTarvikView;

// The context menu's resource and the placeholder item it starts with.
constexpr UINT kSourceMenuResource = 146;
constexpr UINT kSourceMenuPlaceholder = 32997;
// The most statements of one line a margin double click walks.
constexpr int kMaxLineEntries = 1024;

// The middle-third scroll of ShowLine, apart from the window: where the caret goes first
// (-1: nowhere, the line shows already) for a 0-based line.
int ShowLinePreStep(int line, int linesPerPage, int topLine, int lineCount);

class CEditController : public SECEditController {
public:
    enum Kind : int32_t { kindSource = 1, kindLineNumbers = 2, kindCoverage = 4 };

    // The source view's controller.
    CEditController(int kind, CTarvikView* ownerView);
    // A column's controller: the control is not kept.
    CEditController(int kind, CWnd* control);
    ~CEditController() override;

    // Answers the event-router id with the controller.
    bool QueryGuid(const GUID& guid, void** out) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void SetMarginWidth(int width) override;
    BOOL GetContextMenu(CMenu& menu, CMenu*& popup) override;

    // Scrolls so that a 0-based line lands about a third from the nearer edge when it lies
    // outside the middle third of the page, then puts the caret on it.
    void ShowLine(int line, int linesPerPage);
    // A line drag (fromColumn: pressed in the line-number column) or, inside the selection, a
    // symbol drag, at a client point of the source view.
    void StartDrag(int x, int y, BOOL fromColumn = FALSE);

    int GetKind() const { return m_kind; }
    CTarvikView* GetOwnerView() const { return m_ownerView; }

    // What the last menu build kept for the submenu's commands.
    SourceMenuChoices& MenuChoices() { return m_menuChoices; }

protected:
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    // The message of a column's controller, in the source view's terms; TRUE when handled.
    BOOL OnColumnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // A double click in the margin: the breakpoint of a 0-based line set or cleared, or every
    // statement breakpoint of a line of several statements cleared.
    void ToggleMarginBreakpoint(int line);
    // The point lies left of the text area.
    BOOL InMargin(CPoint point);

    int m_kind = kindSource;
    CTarvikView* m_ownerView = nullptr;
    CMenu m_contextMenu;
    SourceMenuChoices m_menuChoices;
    // Drag bookkeeping.
    int m_dragLine = -1;
    int m_dragColumn = -1;
    BOOL m_dragArmed = TRUE;
    int m_dragX = 0;
    int m_dragY = 0;
};
