// The editor's controller: caret, selection, gutter layout and the edit-control calls of one
// editor window. It is plugged into the window and sees its input before the window does.
#pragma once

#include "editor/edit_position.h"
#include "editor/edit_presentation.h"
#include "editor/mvc_controller.h"

#include "framework/ole/oledataobject.h"

#include <memory>
#include <string>

class COleDataObject;
class SECEditDisplayInfo;
class SECEditLangConfig;
class SECEditModel;
class SECEditViewport;

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

    // Drag and drop into the window. Until the editor moves text by dragging they refuse.
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
    DECLARE_MESSAGE_MAP()

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
};
