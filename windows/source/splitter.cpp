#include "windows/source/splitter.h"

IMPLEMENT_DYNCREATE(CSplitter, CSplitterWnd)

BEGIN_MESSAGE_MAP(CSplitter, CSplitterWnd)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {
constexpr DWORD kDynamicStyle = 0x50300001; // child, visible, both bars, dynamic split
} // namespace

CSplitter::CSplitter() {
    m_cxSplitterGap = m_cySplitterGap = kGap;
}

CSplitter::~CSplitter() {
    // The line-number pane goes first, while the row it sits in is still whole; a pane whose
    // window goes deletes its own object.
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        if (CWnd* pPane = GetLineNumberPane())
            pPane->DestroyWindow();
}

BOOL CSplitter::DoScroll(CView*, UINT, BOOL) {
    return TRUE;
}

BOOL CSplitter::CreateSplitter(CWnd* pParentWnd, int nMaxRows, int nMaxCols, SIZE sizeMin,
                               CCreateContext* pContext) {
    m_cxSplitterGap = m_cySplitterGap = kGap;
    return Create(pParentWnd, nMaxRows, nMaxCols, sizeMin, pContext, kDynamicStyle,
                  AFX_IDW_PANE_FIRST);
}

BOOL CSplitter::OnEraseBkgnd(CDC*) {
    return TRUE;
}

CWnd* CSplitter::PaneIfAny(int col) const {
    if (m_hWnd == NULL || col < 0 || col >= m_nCols || m_nRows < 1)
        return nullptr;
    return GetPane(0, col);
}

CWnd* CSplitter::GetLineNumberPane() const {
    if (!m_bLineNumberColumn)
        return nullptr;
    return PaneIfAny(m_bCoverageColumn ? 1 : 0);
}

CWnd* CSplitter::GetCoveragePane() const {
    return m_bCoverageColumn ? PaneIfAny(0) : nullptr;
}

CWnd* CSplitter::GetSourcePane() const {
    const int columns = (m_bLineNumberColumn ? 1 : 0) + (m_bCoverageColumn ? 1 : 0);
    return PaneIfAny(columns);
}

CWnd* CSplitter::GetAddressPane() const {
    return m_bAddressPane ? PaneIfAny(0) : nullptr;
}

CWnd* CSplitter::GetDisassemblyPane() const {
    return PaneIfAny(m_bAddressPane ? 1 : 0);
}
