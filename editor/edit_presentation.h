// What the editor's painter asks of its controller: the selection, its geometry and the
// conversions between pixel points and text positions.
#pragma once

#include "editor/edit_position.h"
#include "editor/mvc_interfaces.h"
#include "framework/core/geometry.h"

class SECEditFindReplaceState;

class ISECEditPresentationState {
public:
    // A selection exists and is a column block (finished or being dragged).
    virtual BOOL IsColumnSelection() = 0;
    // The selection ordered start before end; a line selection covers whole lines. Unless
    // noAdjust, columns past a line's end are clamped for selections other than blocks.
    // FALSE when nothing is selected.
    virtual BOOL GetSelectionBounds(int& startLine, int& startColumn, int& endLine, int& endColumn,
                                    BOOL noAdjust) = 0;
    virtual BOOL GetSelection(SECEditRange& range, BOOL noAdjust) = 0;
    virtual int GetSelectionMode() = 0;
    virtual BOOL HasSelection() = 0;
    // While a column block is dragged: the rectangle it covers (logical units).
    virtual BOOL GetColumnDragRect(CRect& rect) = 0;
    virtual BOOL IsSelectionHidden() = 0;
    // The character columns a finished column block covers on line; FALSE outside the block.
    virtual BOOL GetColumnSpan(int line, int& firstColumn, int& lastColumn) = 0;
    virtual SECEditFindReplaceState* GetFindReplaceState() = 0;
    // Where the text area begins: the margin and the line numbers lie left of it.
    virtual int GetTextLeft() = 0;
    // Logical points and text positions. flags 1 measures points left of the text area too
    // and takes a tab's right side only within 4 pixels of its end.
    virtual void PositionFromPoint(SECEditPosition& position, CPoint point, int flags) = 0;
    virtual void PositionFromPointWorker(SECEditPosition& position, CPoint& point, int flags) = 0;
    virtual void PointFromPosition(CPoint& point, const SECEditPosition& position) = 0;
    virtual void PointFromPositionWorker(CPoint& point, const SECEditPosition& position) = 0;
    virtual void OnUpdate(corvalis::foundation::IMessage* message) = 0;

protected:
    ~ISECEditPresentationState() = default;
};
