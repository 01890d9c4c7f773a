// The frame of a document a template has just opened.
#pragma once

#include "framework/afx.h"

// The parent frame of the document's first view. A document without a view, or whose view has
// no frame, was only half opened: it is closed (its view with it) and null is returned.
CFrameWnd* FrameOfNewDocument(CDocument* pDoc);
