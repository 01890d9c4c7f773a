#include "editor/edit_view.h"

#include "framework/docview/frameids.h"
#include "framework/docview/splitter.h"

using namespace corvalis::foundation;

IMPLEMENT_DYNCREATE(SECEditView, CView)

BEGIN_MESSAGE_MAP(SECEditView, CView)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_VSCROLL()
ON_WM_HSCROLL()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
END_MESSAGE_MAP()

SECEditPrintInfo::~SECEditPrintInfo() {
    if (m_font)
        ::DeleteObject(m_font);
}

SECEditView::SECEditView() = default;

SECEditView::~SECEditView() {
    delete m_pPrintInfo;
}

int SECEditView::OnCreate(LPCREATESTRUCT lpcs) {
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    if (SECEditModel* model = CreateModel())
        SetModel(model);
    RegisterDropTarget();
    // A splitter's panes use its shared bars.
    DWORD add = 0;
    if (GetScrollBarCtrl(SB_HORZ) == nullptr)
        add |= WS_HSCROLL;
    if (GetScrollBarCtrl(SB_VERT) == nullptr)
        add |= WS_VSCROLL;
    if (add)
        ModifyStyle(0, add, SWP_FRAMECHANGED);
    return 0;
}

void SECEditView::OnInitialUpdate() {
    CView::OnInitialUpdate();
    LayoutToClient();
    CSplitterWnd* splitter = DYNAMIC_DOWNCAST(CSplitterWnd, GetParent());
    if (splitter == nullptr || !(splitter->GetStyle() & SPLS_DYNAMIC_SPLIT))
        return;
    int row = 0, col = 0;
    if (!splitter->IsChildPane(this, &row, &col))
        return;
    m_pSplitter = splitter;
    m_nRow = row;
    m_nCol = col;
    if (row == 0 && col == 0)
        return;
    if (DYNAMIC_DOWNCAST(SECEditView, splitter->GetPane(0, 0)) == nullptr)
        return;
    CPoint origin = GetLogOrigin();
    if (row > 0)
        if (auto* above = DYNAMIC_DOWNCAST(SECEditView, splitter->GetPane(0, col)))
            origin.x = above->GetLogOrigin().x;
    if (col > 0)
        if (auto* left = DYNAMIC_DOWNCAST(SECEditView, splitter->GetPane(row, 0)))
            origin.y = left->GetLogOrigin().y;
    SECEditViewport::SetLogOrigin(origin.x, origin.y);
    UpdateScrollBars();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

SECEditView* SECEditView::ActivePaneOfSplitter(int* row, int* col) const {
    if (m_pSplitter == nullptr || !::IsWindow(m_pSplitter->GetSafeHwnd()))
        return nullptr;
    return DYNAMIC_DOWNCAST(SECEditView, m_pSplitter->GetActivePane(row, col));
}

CPoint SECEditView::SetLogOrigin(int x, int y) {
    const CPoint old = SECEditViewport::SetLogOrigin(x, y);
    if (m_pSplitter && !IsScrolling() && GetLogOrigin() != old &&
        ActivePaneOfSplitter(nullptr, nullptr) == this)
        if (CMvcModel* model = GetModel()) {
            SECEditMsg sync(SECEDIT_HINT_SPLITTER);
            model->NotifyObservers(this, &sync);
        }
    return old;
}

void SECEditView::OnUpdate(ISubject* subject, IMessage* message) {
    if (message == nullptr || message->GetTypeID() != SECEDIT_HINT_SPLITTER) {
        SECEditViewport::OnUpdate(subject, message);
        return;
    }
    int row = 0, col = 0;
    SECEditView* active = ActivePaneOfSplitter(&row, &col);
    if (active == nullptr || active == this)
        return;
    CPoint origin = GetLogOrigin();
    const CPoint theirs = active->GetLogOrigin();
    if (col == m_nCol)
        origin.x = theirs.x;
    if (row == m_nRow)
        origin.y = theirs.y;
    if (origin == GetLogOrigin())
        return;
    SECEditViewport::SetLogOrigin(origin.x, origin.y);
    UpdateScrollBars();
    if (SECEditController* controller = GetEditController())
        controller->PlaceCaret();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}
