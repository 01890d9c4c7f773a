#include "windows/source/line_ctrl.h"

#include "editor/edit_controller.h"
#include "editor/edit_model.h"
#include "editor/lang_config.h"
#include "shell/frame/mainframe.h"
#include "shell/hostlink.h"
#include "windows/source/line_view.h"
#include "windows/source/splitter.h"
#include "windows/source/src_controller.h"
#include "windows/source/src_view.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNCREATE(CLineCtrl, SECEditCtrl)
IMPLEMENT_DYNCREATE(CLineNumber, CLineCtrl)
IMPLEMENT_DYNCREATE(CLineCov, CLineCtrl)

BEGIN_MESSAGE_MAP(CLineCtrl, SECEditCtrl)
ON_WM_SIZE()
END_MESSAGE_MAP()

// The source commands of the line-number column are the source view's.
BEGIN_MESSAGE_MAP(CLineNumber, CLineCtrl)
ON_WM_DESTROY()
ON_COMMAND_RANGE(32771, 32775, OnSourceCommand)
ON_COMMAND_RANGE(32782, 32782, OnSourceCommand)
ON_COMMAND_RANGE(32802, 32802, OnSourceCommand)
ON_COMMAND_RANGE(32950, 32970, OnSourceCommand)
END_MESSAGE_MAP()

namespace {
constexpr int kLineCtrlKind = 2;
constexpr int kCoverageCtrlKind = 4;
const wchar_t kNewLineMark[] = L"<NL>";
constexpr COLORREF kCoverageDot = 0xFF0000;
} // namespace

CLineCtrl::CLineCtrl() = default;

CLineCtrl::~CLineCtrl() {
    // The viewport holds the controller without owning it: it lets go before the control does.
    if (m_pOwnedController) {
        SetController(nullptr, FALSE);
        m_pOwnedController.reset();
    }
}

BOOL CLineCtrl::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    if (!SECEditCtrl::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID,
                             pContext))
        return FALSE;
    ModifyStyle(WS_HSCROLL | WS_VSCROLL, 0, SWP_FRAMECHANGED);
    if (SECEditModel* pModel = GetEditModel()) {
        pModel->SetLanguageAndReset(L"No");
        pModel->SetReadOnly(TRUE);
    }
    return TRUE;
}

void CLineCtrl::PostNcDestroy() {
    delete this;
}

const void* CLineCtrl::FindLineRecord(int) const {
    return nullptr;
}

void CLineCtrl::UpdateScrollBars() {
    if (m_hWnd == NULL)
        return;
    ShowScrollBar(SB_VERT, m_bScrollBarsVisible);
    ShowScrollBar(SB_HORZ, m_bScrollBarsVisible);
}

BOOL CLineCtrl::UsesController() {
    return FALSE;
}

BOOL CLineCtrl::MakeController(int kind) {
    if (!m_pOwnedController) {
        m_pOwnedController = std::make_unique<CEditController>(kind, this);
        m_pOwnedController->SetMarginWidth(GetMarkWidth());
    }
    m_pController = m_pOwnedController.get();
    SetController(m_pController, FALSE);
    return m_pController != nullptr;
}

void CLineCtrl::ReplaceText(const wchar_t* text, size_t length, bool bReset) {
    SECEditModel* pModel = GetEditModel();
    if (pModel == nullptr)
        return;
    if (m_pController != nullptr)
        m_pController->SetCaretPosition(0, 0, FALSE);
    const int count = static_cast<int>(std::min<size_t>(length, INT_MAX));
    // The model takes text at its own level: the read-only switch guards the user's edits. A
    // reset model takes the whole text in one pass, as it reads a file: a million numbers
    // would otherwise go through an edit and its undo copy.
    if (bReset) {
        pModel->LoadText(text, count);
    } else {
        if (pModel->GetLineCount() > 0) {
            const int last = pModel->GetLastLine();
            pModel->DeleteText(0, 0, last, std::max(0, pModel->GetLineLength(last)));
        }
        pModel->InsertTextAt(0, 0, text, count);
    }
    pModel->ClearUndo();
    pModel->SetModified(FALSE);
    pModel->SetReadOnly(TRUE);
    if (m_hWnd != NULL)
        CWnd::Invalidate(FALSE);
}

void CLineCtrl::DrawCoverageDot(CDC* dc, int top, int rowHeight) {
    const int diameter = rowHeight - 8;
    if (dc == nullptr || diameter <= 0)
        return;
    const int y = top + (rowHeight - diameter) / 2;
    HBRUSH brush = ::CreateSolidBrush(kCoverageDot);
    HGDIOBJ oldBrush = ::SelectObject(dc->m_hDC, brush);
    HGDIOBJ oldPen = ::SelectObject(dc->m_hDC, ::GetStockObject(BLACK_PEN));
    ::Ellipse(dc->m_hDC, 5, y, 5 + diameter, y + diameter);
    ::SelectObject(dc->m_hDC, oldPen);
    ::SelectObject(dc->m_hDC, oldBrush);
    ::DeleteObject(brush);
}

void CLineCtrl::OnSize(UINT nType, int cx, int cy) {
    SECEditCtrl::OnSize(nType, cx, cy);
}

// ---- line numbers ----

CLineNumber::CLineNumber() = default;
CLineNumber::~CLineNumber() = default;

BOOL CLineNumber::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                         const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    if (!CLineCtrl::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
        return FALSE;
    // The pane's splitter holds the source pane beside this column.
    CWnd* pPane = GetParent();
    auto* pSplitter = pPane != nullptr ? DYNAMIC_DOWNCAST(CSplitter, pPane->GetParent()) : nullptr;
    auto* pSource =
        pSplitter != nullptr ? DYNAMIC_DOWNCAST(CLineView, pSplitter->GetSourcePane()) : nullptr;
    m_pSourceView = pSource != nullptr ? pSource->SourceView() : nullptr;
    if (m_pSourceView != nullptr)
        m_hSourceView = m_pSourceView->GetSafeHwnd();
    if (IDragDrop* pService = DragDropService()) {
        m_nWindowId = static_cast<int>(nID);
        pService->RegisterDropTarget("SrcWnd", m_nWindowId);
        pService->RegisterDragSource("SrcWnd", m_nWindowId);
        m_bRegistered = TRUE;
    }
    return TRUE;
}

CTarvikView* CLineNumber::SourceView() const {
    if (m_hSourceView == NULL || CWnd::FromHandlePermanent(m_hSourceView) != m_pSourceView)
        return nullptr;
    return m_pSourceView;
}

void CLineNumber::OnDestroy() {
    if (m_bRegistered) {
        if (IDragDrop* pService = DragDropService()) {
            pService->UnregisterDropTarget("SrcWnd", m_nWindowId);
            pService->UnregisterDragSource("SrcWnd", m_nWindowId);
        }
        m_bRegistered = FALSE;
    }
    CLineCtrl::OnDestroy();
}

BOOL CLineNumber::UsesController() {
    return MakeController(kLineCtrlKind);
}

const void* CLineNumber::FindLineRecord(int line) const {
    return FindSourceLine(static_cast<const SourceLineRecord*>(m_pLineRecords), line + 1);
}

void CLineNumber::DrawLineMarks(int line, CDC* dc, int left, int top, int, int) {
    if (FindLineRecord(line) == nullptr)
        return;
    CTarvikView* pView = SourceView();
    SECEditController* pController = pView != nullptr ? pView->GetEditController() : nullptr;
    CMainFrame* pMain = MainFrame();
    if (pController == nullptr || pMain == nullptr ||
        pController->GetCaretPosition().m_line != line)
        return;
    HBITMAP hCaret = static_cast<HBITMAP>(pMain->CaretBitmap().GetSafeHandle());
    BITMAP bm{};
    if (hCaret == NULL || !::GetObjectW(hCaret, sizeof(bm), &bm))
        return;
    HDC hMem = ::CreateCompatibleDC(dc->m_hDC);
    HGDIOBJ old = ::SelectObject(hMem, hCaret);
    ::BitBlt(dc->m_hDC, left, top, bm.bmWidth, bm.bmHeight, hMem, 0, 0, SRCCOPY);
    ::SelectObject(hMem, old);
    ::DeleteDC(hMem);
}

BOOL CLineNumber::OnScroll(UINT, UINT, BOOL) {
    return FALSE;
}

CPoint CLineNumber::SetLogOrigin(int x, int y) {
    if (CTarvikView* pView = SourceView())
        y = pView->GetLogOrigin().y;
    return CLineCtrl::SetLogOrigin(x, y);
}

namespace {
const char kLineTarget[] = "SrcWndLine";
} // namespace

DROPEFFECT CLineNumber::OnDragEnter(COleDataObject*, DWORD dwKeyState, CPoint) {
    return SourceDragEnter(m_nWindowId, kLineTarget, dwKeyState);
}

DROPEFFECT CLineNumber::OnDragOver(COleDataObject*, DWORD dwKeyState, CPoint) {
    return SourceDragOver(m_nWindowId, kLineTarget, dwKeyState);
}

void CLineNumber::OnDragLeave() {
    SourceDragLeave(m_nWindowId);
}

BOOL CLineNumber::OnDrop(COleDataObject*, DROPEFFECT, CPoint) {
    return SourceDrop(m_nWindowId, kLineTarget);
}

void CLineNumber::OnSourceCommand(UINT nID) {
    // The view may go inside the command: nothing of this column is touched after.
    if (CTarvikView* pView = SourceView())
        pView->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0);
}

// ---- coverage ----

BOOL CLineCov::UsesController() {
    return MakeController(kCoverageCtrlKind);
}

const void* CLineCov::FindLineRecord(int line) const {
    const auto* p = static_cast<const CoverageRecord*>(m_pLineRecords);
    for (int n = 0; p != nullptr && n < kMaxSourceLineRecords; p = p->next, ++n)
        if (p->lineKey == line + m_nLineOffset)
            return p;
    return nullptr;
}

CSize CLineCov::DrawLineText(CDC* dc, int tabWidth, int x, int y, int textLeft, const wchar_t* text,
                             int count, int column, int line, SECEditColorGroup* colours,
                             BOOL showWhitespace, BOOL selected, int selStart, int selEnd) {
    const auto* pRecord = static_cast<const CoverageRecord*>(FindLineRecord(line));
    if (pRecord == nullptr || colours == nullptr || (pRecord->colour & 0xFF000000u) != 0)
        return CLineCtrl::DrawLineText(dc, tabWidth, x, y, textLeft, text, count, column, line,
                                       colours, showWhitespace, selected, selStart, selEnd);
    const COLORREF previous = colours->m_foreground;
    colours->m_foreground = pRecord->colour;
    const CSize size =
        CLineCtrl::DrawLineText(dc, tabWidth, x, y, textLeft, text, count, column, line, colours,
                                showWhitespace, selected, selStart, selEnd);
    colours->m_foreground = previous;
    return size;
}

bool CLineCov::JoinHostTexts(std::wstring& text) const {
    const auto* p = static_cast<const CoverageRecord*>(m_pLineRecords);
    if (p == nullptr)
        return false;
    HostCommandTable* pHost = HostTable();
    std::wstring out;
    for (int n = 0; p != nullptr && n < kMaxSourceLineRecords; p = p->next, ++n) {
        if (n > 0)
            out.push_back(L'\n');
        // The name is the record's own: terminated here whatever the host left in it.
        char name[kCoverageNameSize + 1] = {};
        std::memcpy(name, p->textName, kCoverageNameSize);
        const char* answer = pHost != nullptr ? pHost->GetMultiLineText(name, 0) : nullptr;
        if (answer == nullptr)
            continue;
        wchar_t* wide = nullptr;
        AnsiToWideHeap(answer, &wide);
        if (wide == nullptr)
            continue;
        std::wstring part(wide);
        ::HeapFree(::GetProcessHeap(), 0, wide);
        const size_t cut = part.find(kNewLineMark);
        out.append(part, 0, cut);
    }
    text.swap(out);
    return true;
}

int CLineCov::LoadHostText(bool bReset) {
    std::wstring text;
    if (!JoinHostTexts(text))
        return 0;
    ReplaceText(text.data(), text.size(), bReset);
    return 1;
}

int CLineCov::LoadHostTextReset() {
    return LoadHostText(true);
}

int CLineCov::LoadHostText() {
    return LoadHostText(false);
}
