// SECToolBarRectTracker: the rubber band of a toolbar button being dragged.
#pragma once

#include "framework/afx.h"

class SECToolBarRectTracker : public CRectTracker {
public:
    // The band's border is the handle size less one pixel; Track moves the whole rectangle,
    // kept on the desktop, and answers FALSE when the move is cancelled.
    explicit SECToolBarRectTracker(const CRect& rect) : CRectTracker(&rect, resizeInside) {}
};
