// The editor's drawing part: paints a text model's visible lines with their colours, tabs,
// whitespace marks and selection, and the gutter of line numbers and line marks left of them.
#pragma once

#include "editor/mvc_viewport.h"

#include <vector>

class ISECEditPresentationState;
class SECEditColorGroup;
class SECEditController;
class SECEditDisplayInfo;
class SECEditLangConfig;
class SECEditModel;

enum : UINT {
    SECEDIT_BITMAP_GUTTER = 22500, // the gutter's 8 x 8 checkerboard
};

class SECEditViewport : public corvalis::foundation::MvcViewport {
public:
    SECEditViewport();
    ~SECEditViewport() override;

    // Moves the origin by a delta (snapped to the character grid); returns the new origin.
    virtual CPoint ScrollOrigin(int dx, int dy);
    virtual SECEditDisplayInfo* GetDisplayInfo() const;
    virtual SECEditModel* GetEditModel() const;
    virtual SECEditController* GetEditController() const;
    virtual SECEditLangConfig* GetLangConfig() const;
    virtual void DrawGutterBackground(CDC* dc, const CRect& rect);
    // Paints the gutter of every visible line on dc, whose device origin is the client's.
    virtual void DrawGutter(CDC* dc, const CRect& clipRect);
    virtual void DrawLineMark16(int line, CDC* dc, int left, int top, int right, int bottom);
    virtual void DrawLineMark17(int line, CDC* dc, int left, int top, int right, int bottom);
    virtual void DrawLineMarksFirst(int line, CDC* dc, int left, int top, int right, int bottom);
    virtual void DrawMarkerArea(int line, CDC* dc, const CRect& rect);
    virtual void DrawLineNumber(int line, CDC* dc, const CRect& rect);
    virtual void DrawLineMarks(int line, CDC* dc, int left, int top, int right, int bottom);
    // Draws count characters of a colour run at x (from the text area's left edge, y the row's
    // top); returns the extent drawn.
    virtual CSize DrawLineText(CDC* dc, int tabWidth, int x, int y, int textLeft,
                               const wchar_t* text, int count, int column, int line,
                               SECEditColorGroup* colours, BOOL showWhitespace, BOOL selected,
                               int selStart, int selEnd);
    virtual CSize DrawTextSegment(CDC* dc, int tabWidth, int x, int y, int textLeft,
                                  const wchar_t* text, int count, int column, int line,
                                  SECEditColorGroup* colours, BOOL selected);
    virtual void FillSolid(CDC* dc, const CRect& rect, COLORREF colour);
    virtual void InvertSelection(CDC* dc);
    virtual ISECEditPresentationState* GetPresentationState() const;

    void Draw(CDC* dc) override;
    int OnCreate() override;
    BOOL UsesController() override;
    void OnUpdate(corvalis::foundation::ISubject* subject,
                  corvalis::foundation::IMessage* message) override;
    CSize GetVirtualSize() override;
    CPoint SetLogOrigin(int x, int y) override;
    // A mouse message outside the bounds still reaches the controller once.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Moves the window's contents by pixels: vertically all of it, sideways the text area
    // alone, so that the gutter stays where it is.
    void ScrollContents(int dx, int dy);
    // Repaints whole lines (last -1: to the end), clamped to what shows.
    void InvalidateLines(int first, int last);
    // Line height and character width of the display information, 0 without one.
    int GetLineHeight() const;
    int GetCharWidth() const;
    // The colours of a group index; an index past the last group is group 0.
    SECEditColorGroup* ColourGroupOf(int index) const;
    BOOL ContainerExists() const;
    // The model is going: the viewport stops observing it and shows no text.
    void ForgetModel();
    // The widest line's display columns: measured over the whole text when the text or the
    // font is new, then only raised by the lines that edits leave wider. A line that narrows
    // leaves the width where it was: finding the next widest would measure every line of the
    // file for one keystroke.
    int GetLongestLine();

protected:
    // The editor's coordinates are plain shifts by the logical origin.
    void ConvertPoints(POINT* points, int count, bool toDevice) override;
    // One line of text and its blank area; returns the x where the text ended.
    void DrawLine(CDC* dc, int line, int y, int textLeft, int tabWidth, int right, BOOL showSel);

    int DisplayWidthOf(int line);
    // The lines [first, last] as an edit left them.
    void LinesWidthChanged(int first, int last);

    HBRUSH m_gutterBrush = NULL;
    int m_longest = -1; // -1: to be measured
    // The line being painted, copied out of the store: hooks may call the model.
    std::vector<wchar_t> m_lineBuffer;
    std::vector<uint32_t> m_runBuffer;
    struct Paint {
        int mode = 0;
        int startLine = 0, startColumn = 0, endLine = 0, endColumn = 0;
        int defaultGroup = 0;
        BOOL showWhitespace = FALSE;
        BOOL virtualWhitespace = FALSE;
        int spaceWidth = 0;
    } m_paint;
};
