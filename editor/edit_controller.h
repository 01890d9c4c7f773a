// The editor's controller: caret, selection, gutter layout and the edit-control calls of one
// editor window. It is plugged into the window and sees its input before the window does.
#pragma once

#include "editor/edit_find_dialog.h"
#include "editor/edit_position.h"
#include "editor/edit_presentation.h"
#include "editor/mvc_command.h"
#include "editor/mvc_controller.h"

#include "framework/ole/oledataobject.h"

#include <memory>
#include <string>

class COleDataObject;
class COleDataSource;
class CMenu;
class CCmdUI;
class SECEditDisplayInfo;
class SECEditLangConfig;
class SECEditModel;
class SECEditViewport;
class SECEditFindReplaceState;

enum : int {
    SECEDIT_GUTTER_NO_MARGIN = 45310,   // line numbers only
    SECEDIT_GUTTER_MARKS_LEFT = 45311,  // marks left of the line numbers
    SECEDIT_GUTTER_MARKS_RIGHT = 45312, // marks right of the line numbers
    SECEDIT_GUTTER_NONE = 45313,        // neither
    SECEDIT_GUTTER_MARKS_ONLY = 45314,  // the margin alone
};

enum : UINT {
    SECEDIT_CMD_CARET_LEFT_LINE = 45050, // posted when the caret moves to another line
    SECEDIT_TIMER_AUTOSCROLL = 45000,
    SECEDIT_CMD_FIND_NEXT = 45041,             // F3
    SECEDIT_CMD_FIND_NEXT_SELECTED = 45042,    // Ctrl+F3
    SECEDIT_CMD_FIND_PREVIOUS = 45043,         // Shift+F3
    SECEDIT_CMD_FIND_PREVIOUS_SELECTED = 45044 // Ctrl+Shift+F3
};

class SECEditController : public corvalis::foundation::MvcController,
                          public ISECEditPresentationState {
public:
    // Caret moves, each plain or extending the selection.
    enum Move {
        moveLineUp,
        moveLineDown,
        moveCharLeft,
        moveCharRight,
        moveHome,
        moveLineEnd,
        movePageUp,
        movePageDown,
        moveWordLeft,
        moveWordRight,
        moveDocStart,
        moveDocEnd,
    };

    SECEditController();
    ~SECEditController() override;

    // Clears the selection first, then plugs in.
    BOOL Initialize(CWnd* window, corvalis::foundation::MvcViewport* viewport) override;
    // Focus and input-method messages reach the controller's map even though the foundation's
    // filter holds them back.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void SetModel(corvalis::foundation::CMvcModel* model) override;

    virtual void InitPosition();
    virtual void SetMarginWidth(int width);
    // The width of the line-number area.
    virtual int GetGutterWidth();
    virtual void SetLineNumberWidth(int width);
    virtual int GetGutterMode() const { return m_gutterMode; }
    virtual void SetGutterMode(int mode);
    // The width of the marker column; 0 in the modes without one.
    virtual int GetMarginWidth() const;
    virtual int GetLineNumberDigits();
    virtual void SetLineNumberDigits(int digits);
    virtual DWORD GetUserData() const { return m_userData; }
    virtual void SetUserData(DWORD value) { m_userData = value; }
    virtual SECEditDisplayInfo* GetOwnDisplayInfo() const { return m_ownDisplayInfo.get(); }
    // Gives the controller's own display information one font from its face name and cell.
    virtual void UpdateFonts();
    virtual void FormatLineNumber(CString& out, int line);
    virtual void CreateCaret(BOOL solid);
    virtual void DestroyCaret();
    // Device point.
    virtual void MoveCaretToPoint(int x, int y, BOOL allowVirtual);
    virtual void SetCaretPosition(int line, int column, BOOL allowVirtual);
    // FALSE locks, TRUE unlocks; the last unlock scrolls to the caret.
    virtual void LockRedraw(BOOL unlock);
    virtual void ScrollToCaret();
    // After a text command ran, was undone or redone: the caret follows it.
    virtual void UpdateCaretAfterEdit(corvalis::foundation::IMessage* message);

    // Drag and drop into the window.
    virtual DROPEFFECT OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point);
    virtual void OnDragLeave();
    virtual DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState, CPoint point);
    virtual BOOL OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point);

    virtual SECEditDisplayInfo* GetDisplayInfo() const;
    virtual SECEditLangConfig* GetLangConfig() const;
    virtual SECEditModel* GetEditModel() const { return m_editModel; }
    virtual SECEditViewport* GetEditViewport() const { return m_editViewport; }

    // The token (characters of one class, or a line break) that ends at (backward) or starts at
    // (forward) the position; line or column -1: the caret's. The far end goes to endLine and
    // endColumn. FALSE at the start (backward) or end (forward) of the text.
    virtual BOOL GetAdjacentToken(CString& text, int line, int column, BOOL forward, int& endLine,
                                  int& endColumn);
    virtual BOOL IsMouseSelecting() const { return m_mouseSelecting; }
    virtual BOOL IsReadOnly() const;
    virtual BOOL NotifyModel();
    virtual void PlaceCaret();
    virtual void ToggleFlag19(int line);

    // ---- find and replace ----
    // Opens the find (bFind) or replace dialog, or brings the open one forward.
    virtual void ShowFindReplace(BOOL bFind);
    // A button of the dialog: closing, find next, replace, replace all or mark all.
    virtual BOOL OnFindReplace(SECEditFindReplaceDlg* dialog);
    virtual BOOL Find(SECEditFindReplaceState* state);
    virtual BOOL Replace(SECEditFindReplaceState* state);
    virtual BOOL ReplaceAll(SECEditFindReplaceState* state);
    virtual BOOL MarkAll(SECEditFindReplaceState* state);
    virtual BOOL SelectionDiffersFromMatch(SECEditFindReplaceState* state);
    // F3 and its forms (the SECEDIT_CMD_FIND_* ids).
    void OnFindNextCommand(UINT id);
    // The find and replace dialogs run modally unless this is cleared.
    void SetModalFindDialogs(BOOL modal) { m_modalFindDialogs = modal; }
    ISECEditFindReplaceNotify* GetFindReplaceNotify() { return &m_findNotify; }

    // ---- the edit-control interface ----
    int GetLineCount() const;
    int GetFirstVisibleLine() const;
    int GetLastVisibleLine() const;
    // -1 when the offset names no place; column may be null.
    int CharToPosition(int offset, int* column);
    int PositionToChar(int line, int column);
    void SetSel(int start, int end, BOOL noScroll);
    void GetSel(int& start, int& end);
    // Start in the low word, end in the high word; -1 when either does not fit in 16 bits.
    DWORD GetSel();
    BOOL DeleteSelection();
    // A caret move as the commands do it: a plain move clears the selection first.
    void MoveCaret(Move move, BOOL extend);

    // ---- caret, selection and scrolling ----
    SECEditPosition GetCaretPosition() const { return m_caret; }
    BOOL ClearSelection(BOOL repaint);
    BOOL IsInSelection(const SECEditPosition& position);
    void RepaintSelection();
    void SetSelection(const SECEditRange& range, int mode);
    void ExtendSelectionTo(int line, int column, BOOL repaint);
    void SelectLines(int firstLine, int lastLine);
    void SelectAll(BOOL scroll);
    // line -1: the caret line.
    void CenterLine(int line);
    void ScrollLines(int lines, int columns);
    void OnLineUp() { MoveCaret(moveLineUp, FALSE); }
    void OnLineDown() { MoveCaret(moveLineDown, FALSE); }
    void OnPageUp() { MoveCaret(movePageUp, FALSE); }
    void OnPageDown() { MoveCaret(movePageDown, FALSE); }
    void MoveCharLeft() { MoveCaret(moveCharLeft, FALSE); }
    void MoveCharRight() { MoveCaret(moveCharRight, FALSE); }
    // The column of the character nearest x (pixels from the text's start) on a line of text,
    // measured on dc with tabs of tabWidth pixels; x moves to that column's edge. With flags 1
    // a tab's right side counts only within 4 pixels of its end. Never more than length.
    static int ColumnFromX(const wchar_t* text, int length, int& x, HDC dc, int tabWidth,
                           int flags);
    BOOL HasFlag19(int line) const;

    // Painting choices the viewport reads.
    COLORREF GetLineNumberColour() const;
    void SetLineNumberColour(COLORREF colour) { m_lineNumberColour = colour; }
    BOOL GetKeepSelectionVisible() const { return m_keepSelectionVisible; }
    void SetKeepSelectionVisible(BOOL keep) { m_keepSelectionVisible = keep; }
    void SetScrollByMessages(BOOL on) { m_scrollByMessages = on; }
    BOOL HasCaret() const { return m_caretExists; }
    BOOL IsCaretShown() const { return m_caretExists && !m_caretHidden; }
    // The tab width in pixels of the viewport's display information, never below 1.
    int GetTabWidth() const;

    // ---- ISECEditPresentationState ----
    BOOL IsColumnSelection() override;
    BOOL GetSelectionBounds(int& startLine, int& startColumn, int& endLine, int& endColumn,
                            BOOL noAdjust) override;
    BOOL GetSelection(SECEditRange& range, BOOL noAdjust) override;
    int GetSelectionMode() override { return m_selection.m_mode; }
    BOOL HasSelection() override;
    BOOL GetColumnDragRect(CRect& rect) override;
    BOOL IsSelectionHidden() override { return m_splitterFocus || m_hideSelection; }
    BOOL GetColumnSpan(int line, int& firstColumn, int& lastColumn) override;
    SECEditFindReplaceState* GetFindReplaceState() override;
    int GetTextLeft() override;
    void PositionFromPoint(SECEditPosition& position, CPoint point, int flags) override;
    void PositionFromPointWorker(SECEditPosition& position, CPoint& point, int flags) override;
    void PointFromPosition(CPoint& point, const SECEditPosition& position) override;
    void PointFromPositionWorker(CPoint& point, const SECEditPosition& position) override;
    void OnUpdate(corvalis::foundation::IMessage* message) override;

    // ---- keyboard, commands and edits ----
    // Keys go through the controller's accelerators before the window sees them.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The typing path of WM_CHAR.
    virtual void InsertChar(const CString& text);
    // Builds the position and inserts there; the flags go to the model unchanged.
    virtual BOOL InsertText(int line, int column, const wchar_t* text, BOOL flag1 = FALSE,
                            BOOL flag2 = FALSE);
    // A position past its line's end is reached by filling the gap first.
    virtual BOOL InsertTextAt(SECEditPosition& position, const wchar_t* text, int flags = 0);
    // Runs a command through the model with the redraw locked.
    virtual BOOL ExecuteCommand(corvalis::foundation::CMvcCommand* command);
    // The common edit step: the selection replaced by text (a column block when column is set),
    // one undo step.
    void ReplaceSelection(const wchar_t* text, BOOL column);
    // Fills the virtual space between the caret's line end and the caret.
    void FillVirtualSpace();
    // Text-changing commands do nothing while this says no.
    BOOL CanEdit() const { return !IsReadOnly() && !IsMouseSelecting(); }
    // The text of the selection: a column block line by line, each with its break.
    CString GetSelectedText();
    // The word around the position (-1: the caret's); empty on white space.
    virtual BOOL GetWordAt(CString& text, int line, int column, int& start, int& end);
    virtual BOOL GetWordAtCaret(CString& text, int& start, int& end);
    virtual BOOL GetTokenBeforeCaret(CString& text, int& line, int& column);
    virtual BOOL GetTokenAfterCaret(CString& text, int& line, int& column);
    // The status text "Ln %d, Col %d" of the caret.
    CString FormatCaretStatus();

    // ---- clipboard, drag and drop, context menu ----
    static CLIPFORMAT GetColumnClipFormat();
    virtual COleDataSource* CreateClipboardDataSource();
    virtual COleDataSource* CreateDataSource();
    // The text a data object offers, and whether it is a column block. FALSE without text.
    virtual BOOL GetTextFromDataObject(COleDataObject* data, CString& text, BOOL& column);
    virtual BOOL CanDrag() { return TRUE; }
    virtual DROPEFFECT DoDragDrop();
    // A controller that goes, or shows another model, is no longer the model's drag source:
    // a drop must not call on it.
    void ForgetDrag();
    virtual BOOL GetContextMenu(CMenu& menu, CMenu*& popup);
    virtual void UpdateContextMenu(CMenu* popup);
    void Copy();
    void Cut();
    void Paste();

    // Exposed for the windows and the tests.
    const SECEditSelection& GetSelectionObject() const { return m_selection; }
    CPoint GetCaretPoint() const { return m_caretPoint; }
    BOOL IsVirtualSpaceAllowed() const;

protected:
    // Focus: the caret lives while the window has the focus. The window's own handling of the
    // message follows.
    virtual void OnSetFocus(HWND oldWnd);
    virtual void OnKillFocus(HWND newWnd);
    afx_msg void OnCaretLeftLine();
    afx_msg BOOL OnEditCommand(UINT id);
    afx_msg void OnFlagCommand(UINT id);
    afx_msg void OnUpdateFlagCommand(CCmdUI* ui);
    afx_msg void OnUpdateUndo(CCmdUI* ui);
    afx_msg void OnUpdateRedo(CCmdUI* ui);
    afx_msg void OnUpdateCopy(CCmdUI* ui);
    afx_msg void OnUpdateCut(CCmdUI* ui);
    afx_msg void OnUpdatePaste(CCmdUI* ui);
    afx_msg void OnUpdateOverwrite(CCmdUI* ui);
    afx_msg void OnUpdatePosition(CCmdUI* ui);
    afx_msg void OnUpdateShowWhitespace(CCmdUI* ui);
    DECLARE_MESSAGE_MAP()

    // Mouse, wheel, timer, typing, cursor, context menu and input method; TRUE when handled.
    BOOL OnInputMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnMouseWheel(int delta);
    BOOL OnAutoScrollTimer(UINT_PTR id);
    void OnContextMenu(CPoint screen);
    BOOL OnSetCursor(UINT hitTest);
    void OnImeStartComposition();
    void EndMouseSelection();
    void OnChar(UINT ch);

    // The edit rules behind the commands.
    void NewLine();
    void Tab();
    void BackTab();
    void Backspace();
    void DeleteForward();
    void DeleteWord(BOOL forward);
    void ChangeCase(BOOL upper);
    void CutLine(BOOL copy);
    void Undo(BOOL redo);
    // The selection widened to whole lines (or the caret line); TRUE when it takes the last.
    BOOL SelectWholeLines();
    // Deletes the selection inside the running step, the caret at its start.
    void DeleteSelectionInStep();
    void InsertColumnText(const CString& text);
    // The model inserts text at the caret; the caret goes behind it.
    void InsertAtCaret(const wchar_t* text);
    BOOL SpansLines();
    void IndentLines(BOOL outdent);
    void SelectWordAtCaret();

    // The line's characters, copied: the store's pointers last only until its next access.
    void LineText(int line, std::wstring& out) const;

    // The character columns between a line's display columns left and right (virtual space
    // past its end counts one column a character width).
    int CharColumnOfDisplay(int line, int displayColumn);
    int DisplayColumnOfChar(int line, int column);
    // Scrolls the viewport by whole lines and columns and the window's contents with it.
    void ScrollView(int lines, int columns);
    void InvalidateLineRange(int first, int last);
    void MoveTo(const SECEditPosition& position, BOOL extend, BOOL rememberX);
    SECEditPosition TargetOf(Move move);
    int PageLines() const;
    int LineLengthOf(int line) const;
    void ShowOwnCaret(BOOL show);

    SECEditModel* m_editModel = nullptr;
    SECEditViewport* m_editViewport = nullptr;

    HACCEL m_accelerators = NULL;
    HCURSOR m_marginCursor = NULL;
    SECEditPosition m_caret;
    CPoint m_caretPoint{0, 0};
    int m_rememberedX = 0;
    BOOL m_useRememberedX = TRUE;
    BOOL m_caretPastLineEnd = FALSE;
    SECEditSelection m_selection;
    BOOL m_anchored = FALSE; // a selection exists (possibly still empty while it is made)
    int m_lockCount = 0;
    BOOL m_trackCaret = TRUE;
    BOOL m_mouseSelecting = FALSE;
    uint64_t m_lastTypingSerial = 0; // the undo step typing joins, by its serial
    int m_lastCaretLine = -1;
    // The caret-left-line notice is in the queue: the handler reads the caret as it then is,
    // so one notice serves every move before it runs.
    bool m_caretLeftPosted = false;
    BOOL m_internal = FALSE;
    int m_lineNumberBase = 1;
    BOOL m_scrollByMessages = FALSE;
    int m_marginWidth = 20;
    int m_gutterMode = SECEDIT_GUTTER_MARKS_ONLY;
    int m_lineNumberWidth = -1;
    int m_lineNumberDigits = -1;
    std::unique_ptr<SECEditDisplayInfo> m_ownDisplayInfo;
    DWORD m_userData = 0;
    COLORREF m_lineNumberColour = CLR_INVALID; // CLR_INVALID: the system's window text
    BOOL m_keepSelectionVisible = FALSE;
    BOOL m_splitterFocus = FALSE;
    BOOL m_hideSelection = FALSE;
    BOOL m_caretExists = FALSE;
    BOOL m_caretHidden = FALSE;
    BOOL m_virtualCaret = FALSE; // the last SetCaretPosition allowed virtual space
    UINT_PTR m_timer = 0;
    CPoint m_dragStart{0, 0};
    CPoint m_dragLast{0, 0};
    BOOL m_ignoreNextMove = FALSE;
    int m_typingClass = -1;      // the class of the typing run's first character
    wchar_t m_highSurrogate = 0; // the first half of a pair typed as two WM_CHAR
    int m_wheelRemainder = 0;    // wheel delta below one notch, kept for the next message
    BOOL m_dropAccepted = FALSE;
    BOOL m_dropCaretShown = FALSE;

    // The find dialogs' view of the controller.
    class FindNotify : public ISECEditFindReplaceNotify {
    public:
        explicit FindNotify(SECEditController* owner) : m_owner(owner) {}
        BOOL OnFindReplace(SECEditFindReplaceDlg* dialog) override;
        BOOL HasSelection() override;

    private:
        SECEditController* m_owner;
    };
    FindNotify m_findNotify{this};
    CString m_lastFound;       // the text the last search found
    BOOL m_matchFound = FALSE; // the selection is a match of the last search
    BOOL m_modalFindDialogs = TRUE;

private:
    // The search of the model from a position, with the state's options; the match's length,
    // 0 when none, -1 when the search failed (the user has been told why).
    int SearchModel(SECEditFindReplaceState* state, const SECEditPosition& from, BOOL down,
                    BOOL wrap, SECEditPosition& match, const SECEditPosition* stop = nullptr,
                    BOOL regExp = -1);
    SECEditPosition FindStart(BOOL down);
    // The selection on one line, else the word at the caret; empty when neither.
    CString SelectionOrWord();
    // The text that replaces a match (with expressions, the expression's replacement).
    CString Replacement(SECEditFindReplaceState* state, const CString& matched);
    // Whether a line would stay within the model's length with the match replaced; tells the
    // user when not.
    BOOL LineStaysShort(const SECEditRange& match, const CString& matched,
                        const CString& replacement);
    // One edit step of the model: the range's text becomes `text`; the end of the new text.
    SECEditPosition ReplaceRange(const SECEditRange& range, const CString& text);
};
