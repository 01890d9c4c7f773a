// CSplitterWnd: creation and panes.
#include "framework/docview/splitter.h"

#include "framework/docview/document.h"
#include "framework/core/exceptions.h"
#include "framework/docview/frame.h"
#include "framework/docview/sizeparent.h"
#include "framework/docview/view.h"
#include "framework/win/winapp.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_SETCURSOR()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CANCELMODE()
ON_WM_CAPTURECHANGED()
ON_WM_KEYDOWN()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
END_MESSAGE_MAP()

namespace {
const int kMaxStatic = 16; // pane ids leave room for 16 rows and columns
const int kMaxDynamic = 2;
} // namespace

CSplitterWnd::CSplitterWnd() {}

CSplitterWnd::~CSplitterWnd() {}

BOOL CSplitterWnd::CreateCommon(CWnd* pParentWnd, SIZE sizeMin, DWORD dwStyle, UINT nID) {
    if (pParentWnd == nullptr || pParentWnd->GetSafeHwnd() == NULL || m_hWnd != NULL)
        return FALSE;
    m_dwScrollStyle = dwStyle & (WS_HSCROLL | WS_VSCROLL);
    m_bHasHScroll = (m_dwScrollStyle & WS_HSCROLL) != 0;
    m_bHasVScroll = (m_dwScrollStyle & WS_VSCROLL) != 0;
    for (CRowColInfo& info : m_rowInfo)
        info.nMinSize = sizeMin.cy;
    for (CRowColInfo& info : m_colInfo)
        info.nMinSize = sizeMin.cx;
    LPCTSTR lpszClass = NULL;
    try {
        lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, IDC_ARROW), NULL);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    // The shared bars are controls of their own; the window keeps no bars.
    DWORD dwWndStyle = (dwStyle & ~(WS_HSCROLL | WS_VSCROLL)) | WS_CHILD | WS_CLIPCHILDREN;
    if (!CreateEx(0, lpszClass, NULL, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SyncScrollBars();
    return TRUE;
}

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID) {
    if (nRows < 1 || nCols < 1 || nRows > kMaxStatic || nCols > kMaxStatic)
        return FALSE;
    m_nRows = m_nMaxRows = nRows;
    m_nCols = m_nMaxCols = nCols;
    m_rowInfo.assign(nRows, CRowColInfo());
    m_colInfo.assign(nCols, CRowColInfo());
    return CreateCommon(pParentWnd, CSize(0, 0), dwStyle & ~SPLS_DYNAMIC_SPLIT, nID);
}

BOOL CSplitterWnd::Create(CWnd* pParentWnd, int nMaxRows, int nMaxCols, SIZE sizeMin,
                          CCreateContext* pContext, DWORD dwStyle, UINT nID) {
    if (nMaxRows < 1 || nMaxCols < 1 || nMaxRows > kMaxDynamic || nMaxCols > kMaxDynamic ||
        pContext == nullptr || pContext->m_pNewViewClass == nullptr)
        return FALSE;
    m_nMaxRows = nMaxRows;
    m_nMaxCols = nMaxCols;
    m_nRows = m_nCols = 1;
    m_rowInfo.assign(nMaxRows, CRowColInfo());
    m_colInfo.assign(nMaxCols, CRowColInfo());
    m_pDynamicViewClass = pContext->m_pNewViewClass;
    if (!CreateCommon(pParentWnd, sizeMin, dwStyle | SPLS_DYNAMIC_SPLIT, nID))
        return FALSE;
    if (!CreateView(0, 0, m_pDynamicViewClass, CSize(0, 0), pContext)) {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

// Panes.
CWnd* CSplitterWnd::CreatePaneWindow(int row, int col, CRuntimeClass* pViewClass,
                                     CCreateContext* pContext) {
    CCreateContext contextT;
    if (pContext == nullptr) {
        // A pane made without a context shows the document of the pane that is active.
        if (CView* pOld = AfxViewOf(GetActivePane())) {
            contextT.m_pLastView = pOld;
            contextT.m_pCurrentDoc = pOld->GetDocument();
            if (contextT.m_pCurrentDoc != nullptr)
                contextT.m_pNewDocTemplate = contextT.m_pCurrentDoc->GetDocTemplate();
        }
        pContext = &contextT;
    }
    CObject* pObject = pViewClass ? pViewClass->CreateObject() : nullptr;
    if (pObject == nullptr)
        return nullptr;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CWnd))) {
        delete pObject;
        return nullptr;
    }
    auto* pWnd = static_cast<CWnd*>(pObject);
    // A pane that fails to be created has deleted itself.
    if (!pWnd->Create(NULL, NULL, WS_CHILD | WS_VISIBLE | WS_BORDER, PaneRect(row, col), this,
                      IdFromRowCol(row, col), pContext))
        return nullptr;
    return pWnd;
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit,
                              CCreateContext* pContext) {
    if (m_hWnd == NULL || row < 0 || col < 0 || row >= m_nRows || col >= m_nCols ||
        GetPane(row, col) != nullptr)
        return FALSE;
    if (sizeInit.cx > 0)
        m_colInfo[col].nIdealSize = sizeInit.cx;
    if (sizeInit.cy > 0)
        m_rowInfo[row].nIdealSize = sizeInit.cy;
    // Before the first layout the pane is made at its initial size (the layout places it), so
    // that what it builds while it is created has a width to measure.
    const int cxLaidOut = m_colInfo[col].nCurSize, cyLaidOut = m_rowInfo[row].nCurSize;
    const int cxMade = cxLaidOut > 0 ? cxLaidOut : std::max(0, static_cast<int>(sizeInit.cx));
    const int cyMade = cyLaidOut > 0 ? cyLaidOut : std::max(0, static_cast<int>(sizeInit.cy));
    m_colInfo[col].nCurSize = cxMade;
    m_rowInfo[row].nCurSize = cyMade;
    const bool bCreated = CreatePaneWindow(row, col, pViewClass, pContext) != nullptr;
    // A layout run meanwhile keeps its sizes.
    if (m_hWnd != NULL && row < (int)m_rowInfo.size() && col < (int)m_colInfo.size()) {
        if (m_colInfo[col].nCurSize == cxMade)
            m_colInfo[col].nCurSize = cxLaidOut;
        if (m_rowInfo[row].nCurSize == cyMade)
            m_rowInfo[row].nCurSize = cyLaidOut;
    }
    return bCreated ? TRUE : FALSE;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
    if (m_hWnd == NULL || row < 0 || col < 0 || row >= m_nRows || col >= m_nCols)
        return nullptr;
    HWND hPane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
    CWnd* pPane = CWnd::FromHandlePermanent(hPane);
    return pPane ? pPane : CWnd::FromHandle(hPane);
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol) {
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == NULL || ::GetParent(pWnd->m_hWnd) != m_hWnd)
        return FALSE;
    const int nID = ::GetDlgCtrlID(pWnd->m_hWnd) - AFX_IDW_PANE_FIRST;
    const int row = nID / 16, col = nID % 16;
    if (nID < 0 || row >= m_nRows || col >= m_nCols)
        return FALSE;
    if (pRow != nullptr)
        *pRow = row;
    if (pCol != nullptr)
        *pCol = col;
    return TRUE;
}

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol) {
    CWnd* pPane = nullptr;
    if (CFrameWnd* pFrame = GetParentFrame())
        pPane = pFrame->GetActiveView();
    if (pPane == nullptr || !IsChildPane(pPane, pRow, pCol)) {
        pPane = CWnd::GetFocus();
        if (pPane == nullptr || !IsChildPane(pPane, pRow, pCol))
            return nullptr;
    }
    return pPane;
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd) {
    CWnd* pPane = pWnd ? pWnd : GetPane(row, col);
    if (pPane == nullptr)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (CView* pView = AfxViewOf(pPane); pView != nullptr && pFrame != nullptr)
        pFrame->SetActiveView(pView);
    else
        pPane->SetFocus();
}

void CSplitterWnd::DeleteView(int row, int col) {
    CWnd* pPane = GetPane(row, col);
    if (pPane == nullptr)
        return;
    // The frame must not keep the going pane as its active view.
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->GetActiveView() == pPane) {
        CView* pOther = nullptr;
        for (int r = 0; r < m_nRows && pOther == nullptr; ++r)
            for (int c = 0; c < m_nCols && pOther == nullptr; ++c)
                if (r != row || c != col)
                    pOther = AfxViewOf(GetPane(r, c));
        pFrame->SetActiveView(pOther);
    }
    pPane->DestroyWindow();
}
