#include "framework/docview/preview_bar.h"

#include "framework/docview/sizeparent.h"

namespace {
const struct {
    UINT nID;
    const wchar_t* text;
    int cx;
} kButtons[] = {
    {AFX_ID_PREVIEW_PRINT, L"&Print...", 64}, {AFX_ID_PREVIEW_NEXT, L"&Next Page", 76},
    {AFX_ID_PREVIEW_PREV, L"Pre&v Page", 76}, {AFX_ID_PREVIEW_NUMPAGE, L"&Two Page", 76},
    {AFX_ID_PREVIEW_ZOOMIN, L"Zoom &In", 64}, {AFX_ID_PREVIEW_ZOOMOUT, L"Zoom &Out", 64},
    {AFX_ID_PREVIEW_CLOSE, L"&Close", 56}};
const UINT kPagesText = 1;
} // namespace

BEGIN_MESSAGE_MAP(CPreviewBar, CWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CPreviewBar::Create(CWnd* pFrame, HWND hWndTarget) {
    m_hWndTarget = hWndTarget;
    LPCTSTR lpszClass =
        AfxRegisterWndClass(0, ::LoadCursorW(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    if (!CWnd::Create(lpszClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                      CRect(0, 0, 0, nHeight), pFrame, AFX_IDW_PREVIEW_BAR))
        return FALSE;
    m_hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    for (const auto& button : kButtons) {
        HWND h = ::CreateWindowExW(0, L"BUTTON", button.text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                   0, 0, button.cx, nHeight - 6, m_hWnd,
                                   (HMENU)(UINT_PTR)button.nID, NULL, NULL);
        ::SendMessageW(h, WM_SETFONT, (WPARAM)m_hFont, FALSE);
    }
    HWND hText = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 120,
                                   nHeight - 12, m_hWnd, (HMENU)(UINT_PTR)kPagesText, NULL, NULL);
    ::SendMessageW(hText, WM_SETFONT, (WPARAM)m_hFont, FALSE);
    return TRUE;
}

void CPreviewBar::Update(BOOL bPrev, BOOL bNext, BOOL bTwoPages, BOOL bCanTwo, BOOL bZoomIn,
                         BOOL bZoomOut, LPCTSTR lpszPages) {
    ::EnableWindow(::GetDlgItem(m_hWnd, AFX_ID_PREVIEW_PREV), bPrev);
    ::EnableWindow(::GetDlgItem(m_hWnd, AFX_ID_PREVIEW_NEXT), bNext);
    HWND hNumPage = ::GetDlgItem(m_hWnd, AFX_ID_PREVIEW_NUMPAGE);
    ::SetWindowTextW(hNumPage, bTwoPages ? L"&One Page" : L"&Two Page");
    ::EnableWindow(hNumPage, bCanTwo || bTwoPages);
    ::EnableWindow(::GetDlgItem(m_hWnd, AFX_ID_PREVIEW_ZOOMIN), bZoomIn);
    ::EnableWindow(::GetDlgItem(m_hWnd, AFX_ID_PREVIEW_ZOOMOUT), bZoomOut);
    ::SetDlgItemTextW(m_hWnd, kPagesText, lpszPages);
}

// A clicked button would keep the focus; the preview takes it back so that keys still work.
BOOL CPreviewBar::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0 || HIWORD(wParam) != BN_CLICKED)
        return CWnd::OnCommand(wParam, lParam);
    HWND hTarget = m_hWndTarget;
    if (::GetFocus() == (HWND)lParam)
        ::SetFocus(hTarget);
    // The command may close the preview, and this bar with it.
    ::SendMessageW(hTarget, WM_COMMAND, LOWORD(wParam), 0);
    return TRUE;
}

LRESULT CPreviewBar::OnSizeParent(WPARAM, LPARAM lParam) {
    auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    CRect rect(pLayout->rect.left, pLayout->rect.top, pLayout->rect.right,
               pLayout->rect.top + nHeight);
    AfxRepositionWindow(pLayout, m_hWnd, &rect);
    pLayout->rect.top += nHeight;
    return 0;
}

void CPreviewBar::OnSize(UINT, int, int cy) {
    int x = 4;
    for (const auto& button : kButtons) {
        ::MoveWindow(::GetDlgItem(m_hWnd, button.nID), x, 3, button.cx, cy - 6, TRUE);
        x += button.cx + 4;
    }
    ::MoveWindow(::GetDlgItem(m_hWnd, kPagesText), x + 8, 8, 120, cy - 12, TRUE);
}
