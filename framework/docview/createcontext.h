// What a frame needs to build its contents: which view to make, for which document and template.
#pragma once

#include "framework/core/object.h"

class CDocument;
class CDocTemplate;
class CView;
class CFrameWnd;

struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;  // the view class to create, or NULL for none
    CDocument* m_pCurrentDoc = nullptr;        // the document the new view joins
    CDocTemplate* m_pNewDocTemplate = nullptr; // the template creating the frame
    CView* m_pLastView = nullptr;              // a view of another frame on the same document
    CFrameWnd* m_pCurrentFrame = nullptr;      // the frame a new frame is modelled on
};
