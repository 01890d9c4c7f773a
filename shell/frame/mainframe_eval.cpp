// The main frame's side of the evaluation windows: opening one for the host and handing the
// host's updates to the tree of the window an id names.
#include "shell/frame/mainframe.h"

#include "shell/app/tarvikapp.h"
#include "windows/eval/eval_frames.h"

namespace {
bool IsEvalFrame(const CWnd* pFrame) {
    return pFrame != nullptr && (pFrame->IsKindOf(RUNTIME_CLASS(CEvalWnd)) ||
                                 pFrame->IsKindOf(RUNTIME_CLASS(CDocEvalWnd)));
}
} // namespace

int CMainFrame::OpenEvalWindow(int nWindowNumber, const WindowPosition* pPos) {
    if (pPos == nullptr)
        return 0;
    m_position = *pPos;
    CDocument* pDoc = OpenFromTemplate(pPos, TarvikApp()->FindTemplateByName(L"Eval"), nullptr);
    if (pDoc == nullptr)
        return 0;
    POSITION pos = pDoc->GetFirstViewPosition();
    CView* pView = pos ? pDoc->GetNextView(pos) : nullptr;
    CFrameWnd* pFrame = pView ? pView->GetParentFrame() : nullptr;
    CEvalCtrl* pCtrl = IsEvalFrame(pFrame) ? EvalCtrlOfFrame(pFrame) : nullptr;
    if (pCtrl == nullptr)
        return 0;
    pCtrl->AttachWindow(nWindowNumber);
    return RegisterWindowHandle(pFrame->GetSafeHwnd());
}

intptr_t CMainFrame::UpdateEvalWindow(int nKind, int nId, intptr_t a, intptr_t b, int) {
    CWnd* pFrame = nId > 0 ? FrameOfId(nId) : nullptr;
    CEvalCtrl* pCtrl = IsEvalFrame(pFrame) ? EvalCtrlOfFrame(pFrame) : nullptr;
    if (pCtrl == nullptr) {
        ::MessageBoxW(m_hWnd, L"Window ID couln't be found", L"MOX Error", MB_ICONSTOP);
        return 0;
    }
    return pCtrl->Update(nKind, a, b);
}
