// The source window's view: the editor's view over the source document, with the host's
// background colours per text run, breakpoint, code-line and current-line marks in the margin,
// the highlighted range the host selects, value tooltips, line and symbol drags, and drop hooks
// that hand drags to the host's drag-and-drop service.
#pragma once

#include "editor/edit_view.h"
#include "ifac/h/hostcmd.h"
#include "ifac/h/srclines.h"
#include "windows/source/src_requests.h"

#include <memory>

class CEditController;

// The record of a 1-based line in the host's list, or null.
const SourceLineRecord* FindSourceLine(const SourceLineRecord* head, int line);
class CTarvikDoc;
class COXToolTipCtrl;

// The host's code-address expression for a line (1-based) of file, with a column when column is
// 1 or more, in the form the host's version reads; context names the host's context (3.9 on).
void FormatCodeAddress(CString& out, LPCTSTR file, int line, int column, int context);

// The arithmetic of GotoLine, apart from the window: what a call asks for, given the model.
struct GotoLineRequest {
    int line = 0, startColumn = 0, endColumn = 0, lineCount = 0; // 1-based, with the sentinels
    BOOL highlight = FALSE;
};
struct GotoLinePlan {
    bool trivial = false; // the highlight stays as it was
    int line = 0;         // 0-based, inside the model
    int startColumn = 0, endColumn = 0;
    bool setEndLine = false; // the highlight's end line is endLine
    int endLine = 0;
    bool illegalLine = false, illegalStart = false, illegalCount = false; // traced
};
// lineLength gives a 0-based line's length; lineTotal is the model's line count.
GotoLinePlan PlanGotoLine(const GotoLineRequest& request, int lineTotal,
                          int (*lineLength)(void* context, int line), void* context);

// The highlighted range, 0-based, inclusive lines, the end column exclusive.
struct SourceHighlight {
    int line = 0, endLine = 0, startColumn = 0, endColumn = 0;
    bool Contains(int line, int column, int count) const;
    void Clear() { *this = SourceHighlight(); }
};

// The colours a run is drawn with: back is CLR_INVALID when the run keeps the context's.
struct RunColours {
    COLORREF back = CLR_INVALID;
    COLORREF text = CLR_INVALID; // CLR_INVALID: the text colour stays
};
// The highlight's grey, or the host's colour (its top byte 0), with black text when the text
// colour lies too close to that background.
RunColours PickRunColours(bool inHighlight, bool hostAsked, uint32_t hostColour,
                          COLORREF textColour);
constexpr COLORREF kSourceHighlightColour = 0xB0B0B0;

// Drag events over a part of a source window (target "SrcWnd" the text, "SrcWndLine" the line
// numbers), handed to the host's drag-and-drop service; 0 without the service.
DROPEFFECT SourceDragEnter(int windowId, const char* target, DWORD keyState);
DROPEFFECT SourceDragOver(int windowId, const char* target, DWORD keyState);
void SourceDragLeave(int windowId);
BOOL SourceDrop(int windowId, const char* target);

class CTarvikView : public SECEditView {
    DECLARE_DYNCREATE(CTarvikView)
public:
    CTarvikView();
    ~CTarvikView() override;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave() override;
    BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CView* pView) override;
    // The document's text model.
    SECEditModel* CreateModel() override;

    // Starts a drag of the line (selected null) or of the selected symbol; 1 without the
    // service or the record, else the service's result.
    int GetDragData(const SourceLineRecord* record, const char* selected);

    // Viewport operations.
    BOOL UsesController() override;
    void DrawLineMarks(int line, CDC* dc, int left, int top, int right, int bottom) override;
    CSize DrawTextSegment(CDC* dc, int tabWidth, int x, int y, int textLeft, const wchar_t* text,
                          int count, int column, int line, SECEditColorGroup* colours,
                          BOOL selected) override;
    CPoint SetLogOrigin(int x, int y) override;

    // Shows a 1-based line with the sentinels 1023 (columns) and 63 (line count), highlighting
    // it when highlight is set.
    void GotoLine(int line, int startColumn, int endColumn, int lineCount, BOOL highlight);

    // The tooltip of the pane asks for its text (request kind 1 or 2 of its get-text
    // notification) at a client point; FALSE shows an empty tip.
    BOOL GetTipText(int requestKind, CPoint point, CString& text);
    // The tip went: the next mouse-button message adds the view to the tooltip again.
    void OnTipPop() { m_tipRegistered = FALSE; }

    CTarvikDoc* GetDocument() const;
    CEditController* GetSourceController() const { return m_controller; }
    void SetFilePath(LPCTSTR lpszPath) { m_filePath = lpszPath; }
    const CString& GetFilePath() const { return m_filePath; }
    void SetModuleName(LPCTSTR lpszName) { m_moduleName = lpszName; }
    const CString& GetModuleName() const { return m_moduleName; }
    // The context tag the window was last updated with.
    uint32_t GetUpdateTag() const { return m_contextTag; }
    void SetContextTag(uint32_t tag) { m_contextTag = tag; }
    int GetCoreId() const { return m_coreId; }
    void SetCoreId(int coreId) { m_coreId = coreId; }
    int GetWindowId() const { return m_windowId; }
    // The id Create registers with; -1 keeps the previous one.
    void SetWindowId(int windowId) {
        if (windowId != -1)
            m_windowId = windowId;
    }
    // The host's line-mark list (null: none).
    void SetColumnData(const SourceLineRecord* head) { m_lineMarks = head; }
    const SourceLineRecord* GetLineMarks() const { return m_lineMarks; }
    const SourceLineRecord* FindLineRecord(int line) const {
        return FindSourceLine(m_lineMarks, line);
    }
    const SourceHighlight& GetHighlight() const { return m_highlight; }
    // Forgets the highlight and repaints the view and its line-number column.
    void ClearHighlight();
    CMenu& GetContextMenu() { return m_contextMenu; }
    // The line control of the line-number column beside the view in its splitter, or null.
    CWnd* GetLineNumberWindow() const;
    // The line numbers take the view's vertical origin, so that each stands beside its line.
    void SyncLineNumbers();

    // A breakpoint request for a 1-based line (column 0: none) or, for the statement requests,
    // the host's statement value; the view repaints unless the host closed it inside the request.
    void SendBreakpointRequest(SourceRequest request, int line, int column, uint32_t value);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnDestroy();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    // The context menu's commands (src_commands.cpp).
    afx_msg void OnSetBreakpoint();
    afx_msg void OnClearBreakpoint();
    // The commands whose request needs only the caret line or the selection.
    afx_msg BOOL OnCaretRequest(UINT id);
    afx_msg void OnSetPc();
    afx_msg void OnSetValue();
    afx_msg void OnBreakChoice(UINT id);
    afx_msg void OnAddBlockComment();
    afx_msg void OnEditBlockComment();
    afx_msg void OnDeleteBlockComment();
    afx_msg void OnComplexConditions();
    afx_msg void OnCopy();
    afx_msg void OnToggleBookmark();
    afx_msg void OnSourcePrintPreview();
    DECLARE_MESSAGE_MAP()

    // What a request of the caret line carries: the view's core, the code address of the caret
    // line (with column when it is 1 or more) and the selection.
    SourceRequestArgs CaretRequestArgs(int column = 0);
    void RunBlockCommentCommand(int mode);

    // The tooltip control of the pane the view sits in, or null.
    COXToolTipCtrl* PaneToolTip() const;
    void RegisterDragDrop();
    void UnregisterDragDrop();
    // The background (and text colour) of a run, set on dc; blanksOnly asks for leading blanks.
    // The colours of a run (the host asked unless the highlight holds it; blanks only with a
    // context tag), against the text colour in use.
    RunColours RunColoursOf(int line, int column, int count, bool blanksOnly, COLORREF textColour);
    // The leading blanks on their own background, then the rest (when given its colours).
    CSize DrawBlanksThenRest(CDC* dc, int tabWidth, int x, int y, int textLeft, const wchar_t* text,
                             int count, int blanks, int column, int line,
                             SECEditColorGroup* colours, const RunColours* rest);

    CString m_moduleName;
    CString m_filePath;
    CMenu m_contextMenu;
    uint32_t m_contextTag = 0;
    SourceHighlight m_highlight;
    int m_coreId = -1;
    int m_windowId = 0;
    bool m_dragDropRegistered = false;
    CEditController* m_controller = nullptr; // the viewport owns it
    CString m_tipExpression;
    CString m_tipText; // the text the tip shows, copied from the host's answer
    BOOL m_tipRegistered = TRUE;
    const SourceLineRecord* m_lineMarks = nullptr;
    // What the title was last set from, so that a repaint does not set it again.
    bool m_titleSet = false;
    int m_titleCore = -1;
    CString m_titleModule, m_titlePath;
};

// The source view that last drew the current-execution-line mark, or null.
CTarvikView* CurrentLineView();
