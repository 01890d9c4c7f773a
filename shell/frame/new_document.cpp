#include "shell/frame/new_document.h"

CFrameWnd* FrameOfNewDocument(CDocument* pDoc) {
    if (pDoc == nullptr)
        return nullptr;
    POSITION pos = pDoc->GetFirstViewPosition();
    CView* pView = pos ? pDoc->GetNextView(pos) : nullptr;
    CFrameWnd* pFrame = pView && pView->GetSafeHwnd() ? pView->GetParentFrame() : nullptr;
    if (pFrame == nullptr)
        pDoc->OnCloseDocument(); // a half-opened document goes again
    return pFrame;
}
