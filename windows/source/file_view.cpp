#include "windows/source/file_view.h"

#include "shell/frame/mainframe.h"
#include "windows/common/file_viewer_list.h"
#include "windows/source/file_doc.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CFileView, SECEditView)

BEGIN_MESSAGE_MAP(CFileView, SECEditView)
ON_WM_SETFOCUS()
ON_WM_DESTROY()
ON_WM_CLOSE()
END_MESSAGE_MAP()

namespace {
CFileView* g_currentFileView = nullptr;
}

CFileView* CurrentFileView() {
    return g_currentFileView;
}

CFileView::CFileView() {
    g_currentFileView = this;
}

CFileView::~CFileView() {
    if (g_currentFileView == this)
        g_currentFileView = nullptr;
}

CFileDoc* CFileView::GetDocument() const {
    return DYNAMIC_DOWNCAST(CFileDoc, m_pDocument);
}

SECEditModel* CFileView::CreateModel() {
    CFileDoc* doc = GetDocument();
    return doc ? &doc->GetViewerModel() : nullptr;
}

BOOL CFileView::UsesController() {
    if (GetController() == nullptr) {
        auto controller = std::make_unique<SECEditController>();
        m_controller = controller.get();
        SetController(controller.release(), TRUE);
    }
    return GetController() != nullptr;
}

void CFileView::PostNcDestroy() {
    delete this;
}

void CFileView::OnSetFocus(CWnd* pOldWnd) {
    SECEditView::OnSetFocus(pOldWnd);
    if (m_controller != nullptr && m_savedLine >= 0 && m_savedColumn >= 0) {
        m_controller->SetCaretPosition(m_savedLine, m_savedColumn, FALSE);
        CWnd::Invalidate();
    }
}

void CFileView::OnDestroy() {
    // A viewer closed from its own frame leaves the list too: a handle left there could come
    // back as another window's.
    const HWND hFrame = FileViewerList().Find(m_filePath);
    if (hFrame != NULL && ::IsChild(hFrame, m_hWnd))
        FileViewerList().Remove(m_filePath);
    SECEditView::OnDestroy();
}

void CFileView::OnClose() {
    // The host's close destroys the viewer, and this view with it.
    const HWND self = m_hWnd;
    if (CMainFrame* frame = MainFrame())
        frame->CloseFileViewer(CString(m_filePath));
    if (!::IsWindow(self) || CWnd::FromHandlePermanent(self) != this)
        return;
    if (CWnd* parent = GetParent())
        parent->ShowWindow(SW_HIDE);
    Default();
}

void CFileView::GotoLine(int line, int lastLine) {
    SECEditModel* model = dynamic_cast<SECEditModel*>(GetModel());
    if (m_controller == nullptr || !::IsWindow(m_hWnd) || model == nullptr)
        return;
    const int count = model->GetLineCount();
    line = std::min(line, count);
    if (lastLine == -1)
        lastLine = line;
    line = std::max(0, std::min(line, lastLine) - 1);
    m_controller->SetCaretPosition(line, 0, FALSE);
    m_controller->ScrollToCaret();
    CWnd::Invalidate();
    const SECEditPosition caret = m_controller->GetCaretPosition();
    m_savedLine = caret.m_line;
    m_savedColumn = caret.m_column;
    UpdateWindow();
}
