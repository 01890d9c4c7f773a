#include "windows/source/line_wnd.h"

#include "windows/source/line_ctrl.h"
#include "windows/source/src_controller.h"
#include "windows/source/src_frames.h"

#include <algorithm>
#include <new>

IMPLEMENT_DYNCREATE(CLineWnd, CWnd)

BEGIN_MESSAGE_MAP(CLineWnd, CWnd)
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {
int CaptionHeight() {
    return ::GetSystemMetrics(SM_CYCAPTION);
}

// The column kind the frame asks for while it builds this pane.
uint32_t ColumnKindOfFrame(CWnd* pFrame) {
    return GetSourceFrameColumnOptions(pFrame);
}
} // namespace

CLineWnd::CLineWnd() = default;
CLineWnd::~CLineWnd() = default;

BOOL CLineWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                      const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    if (!CWnd::Create(lpszClassName, lpszWindowName, dwStyle | WS_CLIPCHILDREN, rect, pParentWnd,
                      nID, pContext))
        return FALSE;
    const int cx = std::max<int>(0, rect.right - rect.left);
    const int cy = std::max<int>(0, rect.bottom - rect.top);
    const int caption = CaptionHeight();
    // A pane that cannot be finished goes with its window, and its object with it.
    if (!m_header.Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, cx, caption), this,
                         0) ||
        !m_bottomButton.Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                               CRect(0, std::max(cy - caption, 0), cx, cy), this,
                               kBottomButtonId)) {
        DestroyWindow();
        return FALSE;
    }
    m_header.EnableWindow(FALSE);
    m_bottomButton.EnableWindow(FALSE);
    const uint32_t kind = ColumnKindOfFrame(GetParentFrame());
    CLineCtrl* pCtrl = nullptr;
    if (kind == kLineNumberColumn)
        pCtrl = new CLineNumber;
    else if (kind == kCoverageColumn)
        pCtrl = new CLineCov;
    if (pCtrl != nullptr) {
        const CRect inner(0, caption, cx, std::max(caption, cy - caption));
        // The control owns itself from here: it goes with its window, or when it gets none.
        if (!pCtrl->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, inner, this, kLineCtrlId,
                           pContext)) {
            DestroyWindow();
            return FALSE;
        }
        m_pLineCtrl = pCtrl;
        m_hLineCtrl = pCtrl->GetSafeHwnd();
    }
    return TRUE;
}

CLineCtrl* CLineWnd::LineCtrl() const {
    if (m_hLineCtrl == NULL || CWnd::FromHandlePermanent(m_hLineCtrl) != m_pLineCtrl)
        return nullptr;
    return m_pLineCtrl;
}

void CLineWnd::PostNcDestroy() {
    delete this;
}

void CLineWnd::SetHeaderText(LPCTSTR lpszText) {
    if (m_header.GetSafeHwnd() != NULL)
        m_header.SetWindowText(lpszText != nullptr ? lpszText : L"");
}

size_t CLineWnd::ReserveFor(int count) {
    if (count < 100)
        return 300;
    if (count < 1000)
        return 4000;
    if (count < 10000)
        return 50000;
    if (count < 100000)
        return 600000;
    if (count < 1000000)
        return 7000000;
    return 80000000;
}

bool CLineWnd::BuildLineNumbers(int count, std::wstring& text) {
    const int last = std::max(count, 1);
    try {
        std::wstring out;
        out.reserve(ReserveFor(last));
        wchar_t digits[16];
        for (int n = 1; n <= last; ++n) {
            int length = 0;
            for (int v = n; v > 0; v /= 10)
                digits[length++] = static_cast<wchar_t>(L'0' + v % 10);
            while (length > 0)
                out.push_back(digits[--length]);
            if (n != last)
                out.push_back(L'\n');
        }
        text.swap(out);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

BOOL CLineWnd::SetLineCount(int count) {
    // The column that numbers these lines already keeps its text: only its caret goes home.
    CLineCtrl* pShown = LineCtrl();
    SECEditModel* pShownModel = pShown != nullptr ? pShown->GetEditModel() : nullptr;
    if (pShownModel != nullptr && count == m_nNumbered && count < kMaxNumberedLines &&
        pShownModel->GetLineCount() == std::max(count, 1)) {
        if (CEditController* pController = pShown->Controller())
            pController->SetCaretPosition(0, 0, FALSE);
        pShown->CWnd::Invalidate(FALSE);
        return TRUE;
    }
    std::wstring text;
    if (count >= kMaxNumberedLines || !BuildLineNumbers(count, text)) {
        ::MessageBoxW(GetSafeHwnd(), L"Show file without linenumbers", L"Message",
                      MB_ICONINFORMATION);
        return FALSE;
    }
    CLineCtrl* pCtrl = LineCtrl();
    if (pCtrl == nullptr)
        return FALSE;
    pCtrl->ReplaceText(text.data(), text.size(), true);
    m_nNumbered = count;
    return TRUE;
}

void CLineWnd::ScrollToLine(int line) {
    CLineCtrl* pCtrl = LineCtrl();
    if (pCtrl == nullptr || pCtrl->GetEditModel() == nullptr ||
        pCtrl->GetEditModel()->GetLineCount() <= 0)
        return;
    const int lineHeight = pCtrl->GetLineHeight();
    CRect client;
    pCtrl->GetClientRect(&client);
    const int perPage = lineHeight > 0 ? client.Height() / lineHeight : 0;
    CEditController* pController = pCtrl->Controller();
    const CPoint origin = pCtrl->GetLogOrigin();
    const int before = pController != nullptr ? pController->GetCaretPosition().m_line : -1;
    if (pController != nullptr)
        pController->ShowLine(line, perPage);
    // The caret mark moves from the old row to the new one (a mark stands only on a row with
    // a line record): that is all a step changes. Only a scroll changes every row, and then the
    // column, the splitter and this pane are redrawn (the splitter's own parts only: the source
    // view invalidates its changed lines itself).
    if (pController != nullptr && pCtrl->GetLogOrigin() == origin) {
        for (const int row : {before, pController->GetCaretPosition().m_line})
            if (row >= 0 && pCtrl->FindLineRecord(row) != nullptr)
                pCtrl->InvalidateLines(row, row);
        return;
    }
    pCtrl->CWnd::Invalidate();
    const UINT own = RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN;
    if (CWnd* pParent = GetParent())
        pParent->RedrawWindow(nullptr, nullptr, own);
    RedrawWindow(nullptr, nullptr, own);
}

void CLineWnd::Layout(int cx, int cy) {
    const int caption = CaptionHeight();
    const bool bBottom = m_bottomButton.GetSafeHwnd() != NULL;
    if (m_header.GetSafeHwnd() != NULL)
        m_header.MoveWindow(0, 0, std::max(cx, 0), caption, FALSE);
    const int ctrlHeight = std::max(0, cy - caption - (bBottom ? caption : 0));
    if (CLineCtrl* pCtrl = LineCtrl())
        pCtrl->MoveWindow(0, caption, std::max(cx, 0), ctrlHeight, FALSE);
    if (bBottom)
        m_bottomButton.MoveWindow(0, caption + ctrlHeight, std::max(cx, 0), caption, FALSE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CLineWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    Layout(cx, cy);
}

void CLineWnd::OnSetFocus(CWnd*) {
    if (CLineCtrl* pCtrl = LineCtrl())
        pCtrl->SetFocus();
}

BOOL CLineWnd::OnEraseBkgnd(CDC*) {
    return TRUE;
}
