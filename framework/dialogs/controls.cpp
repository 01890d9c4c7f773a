#include "framework/dialogs/controls.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

// ---- CStatic ----------------------------------------------------------------------------------

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                     UINT nID) {
    return CWnd::Create(L"STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

HICON CStatic::SetIcon(HICON hIcon) {
    return (HICON)SendMessage(STM_SETICON, (WPARAM)hIcon);
}
HICON CStatic::GetIcon() const {
    return (HICON)SendMessage(STM_GETICON);
}

HBITMAP CStatic::SetBitmap(HBITMAP hBitmap) {
    return (HBITMAP)SendMessage(STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap);
}

HBITMAP CStatic::GetBitmap() const {
    return (HBITMAP)SendMessage(STM_GETIMAGE, IMAGE_BITMAP);
}

// ---- CButton ----------------------------------------------------------------------------------

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                     UINT nID) {
    return CWnd::Create(L"BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

UINT CButton::GetState() const {
    return (UINT)SendMessage(BM_GETSTATE);
}
void CButton::SetState(BOOL bHighlight) {
    SendMessage(BM_SETSTATE, (WPARAM)bHighlight);
}
int CButton::GetCheck() const {
    return (int)SendMessage(BM_GETCHECK);
}
void CButton::SetCheck(int nCheck) {
    SendMessage(BM_SETCHECK, (WPARAM)nCheck);
}
UINT CButton::GetButtonStyle() const {
    return (UINT)GetStyle() & 0xFFFF;
}

void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) {
    SendMessage(BM_SETSTYLE, (WPARAM)nStyle, (LPARAM)bRedraw);
}

HICON CButton::SetIcon(HICON hIcon) {
    return (HICON)SendMessage(BM_SETIMAGE, IMAGE_ICON, (LPARAM)hIcon);
}

HBITMAP CButton::SetBitmap(HBITMAP hBitmap) {
    return (HBITMAP)SendMessage(BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != NULL)
        *pResult = TRUE;
    return TRUE;
}

// ---- CEdit ------------------------------------------------------------------------------------

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(L"EDIT", NULL, dwStyle, rect, pParentWnd, nID);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll) {
    SendMessage(EM_SETSEL, (WPARAM)nStartChar, (LPARAM)nEndChar);
    if (!bNoScroll)
        SendMessage(EM_SCROLLCARET);
}

void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll) {
    SetSel((int)(short)LOWORD(dwSelection), (int)(short)HIWORD(dwSelection), bNoScroll);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const {
    DWORD start = 0, end = 0;
    SendMessage(EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    nStartChar = (int)start;
    nEndChar = (int)end;
}

DWORD CEdit::GetSel() const {
    return (DWORD)SendMessage(EM_GETSEL);
}

void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) {
    SendMessage(EM_REPLACESEL, (WPARAM)bCanUndo, (LPARAM)(lpszNewText ? lpszNewText : L""));
}

void CEdit::LimitText(int nChars) {
    SendMessage(EM_LIMITTEXT, (WPARAM)nChars);
}
UINT CEdit::GetLimitText() const {
    return (UINT)SendMessage(EM_GETLIMITTEXT);
}
BOOL CEdit::GetModify() const {
    return (BOOL)SendMessage(EM_GETMODIFY);
}
void CEdit::SetModify(BOOL bModified) {
    SendMessage(EM_SETMODIFY, (WPARAM)bModified);
}
BOOL CEdit::SetReadOnly(BOOL bReadOnly) {
    return (BOOL)SendMessage(EM_SETREADONLY, bReadOnly);
}
void CEdit::SetTabStops() {
    SendMessage(EM_SETTABSTOPS);
}

BOOL CEdit::SetTabStops(const int& cxEachStop) {
    return (BOOL)SendMessage(EM_SETTABSTOPS, 1, (LPARAM)&cxEachStop);
}

BOOL CEdit::SetTabStops(int nTabStops, LPINT rgTabStops) {
    return (BOOL)SendMessage(EM_SETTABSTOPS, (WPARAM)nTabStops, (LPARAM)rgTabStops);
}

int CEdit::GetLineCount() const {
    return (int)SendMessage(EM_GETLINECOUNT);
}

// EM_GETLINE takes the buffer size in its first word and does not terminate the text.
int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const {
    if (lpszBuffer == NULL || nMaxLength <= 0)
        return 0;
    if (nMaxLength == 1) {
        lpszBuffer[0] = 0;
        return 0;
    }
    *reinterpret_cast<WORD*>(lpszBuffer) =
        (WORD)(nMaxLength - 1 > 0xFFFF ? 0xFFFF : nMaxLength - 1);
    int n = (int)SendMessage(EM_GETLINE, (WPARAM)nIndex, (LPARAM)lpszBuffer);
    if (n < 0)
        n = 0;
    lpszBuffer[n < nMaxLength ? n : nMaxLength - 1] = 0;
    return n;
}

int CEdit::LineIndex(int nLine) const {
    return (int)SendMessage(EM_LINEINDEX, (WPARAM)nLine);
}

int CEdit::LineFromChar(int nIndex) const {
    return (int)SendMessage(EM_LINEFROMCHAR, (WPARAM)nIndex);
}

int CEdit::LineLength(int nLine) const {
    return (int)SendMessage(EM_LINELENGTH, (WPARAM)nLine);
}

void CEdit::LineScroll(int nLines, int nChars) {
    SendMessage(EM_LINESCROLL, (WPARAM)nChars, (LPARAM)nLines);
}

BOOL CEdit::CanUndo() const {
    return (BOOL)SendMessage(EM_CANUNDO);
}
BOOL CEdit::Undo() {
    return (BOOL)SendMessage(EM_UNDO);
}
void CEdit::EmptyUndoBuffer() {
    SendMessage(EM_EMPTYUNDOBUFFER);
}
void CEdit::Clear() {
    SendMessage(WM_CLEAR);
}
void CEdit::Copy() {
    SendMessage(WM_COPY);
}
void CEdit::Cut() {
    SendMessage(WM_CUT);
}
void CEdit::Paste() {
    SendMessage(WM_PASTE);
}

// ---- CScrollBar -------------------------------------------------------------------------------

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(L"SCROLLBAR", NULL, dwStyle, rect, pParentWnd, nID);
}

int CScrollBar::GetScrollPos() const {
    return ::GetScrollPos(m_hWnd, SB_CTL);
}

int CScrollBar::SetScrollPos(int nPos, BOOL bRedraw) {
    return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw);
}

void CScrollBar::GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const {
    ::GetScrollRange(m_hWnd, SB_CTL, lpMinPos, lpMaxPos);
}

void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw) {
    ::SetScrollRange(m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw);
}

void CScrollBar::ShowScrollBar(BOOL bShow) {
    ::ShowScrollBar(m_hWnd, SB_CTL, bShow);
}

BOOL CScrollBar::EnableScrollBar(UINT nArrowFlags) {
    return ::EnableScrollBar(m_hWnd, SB_CTL, nArrowFlags);
}

BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw) {
    if (lpScrollInfo == NULL)
        return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask) {
    if (lpScrollInfo == NULL)
        return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo);
}

// The highest position the thumb can reach: the range's end less the page.
int CScrollBar::GetScrollLimit() {
    SCROLLINFO info = {};
    if (!GetScrollInfo(&info, SIF_RANGE | SIF_PAGE))
        return 0;
    int nPage = info.nPage > 0 ? (int)info.nPage - 1 : 0;
    int nLimit = info.nMax - nPage;
    return nLimit > info.nMin ? nLimit : info.nMin;
}

// ---- CSpinButtonCtrl --------------------------------------------------------------------------

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(UPDOWN_CLASSW, NULL, dwStyle, rect, pParentWnd, nID);
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy) {
    return CWnd::FromHandle((HWND)SendMessage(UDM_SETBUDDY, (WPARAM)pWndBuddy->GetSafeHwnd()));
}

CWnd* CSpinButtonCtrl::GetBuddy() const {
    return CWnd::FromHandle((HWND)SendMessage(UDM_GETBUDDY));
}

void CSpinButtonCtrl::SetRange(short nLower, short nUpper) {
    SendMessage(UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower));
}

void CSpinButtonCtrl::SetRange32(int nLower, int nUpper) {
    SendMessage(UDM_SETRANGE32, (WPARAM)nLower, (LPARAM)nUpper);
}

DWORD CSpinButtonCtrl::GetRange() const {
    return (DWORD)SendMessage(UDM_GETRANGE);
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
    DWORD range = GetRange();
    lower = (short)HIWORD(range);
    upper = (short)LOWORD(range);
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const {
    SendMessage(UDM_GETRANGE32, (WPARAM)&lower, (LPARAM)&upper);
}

int CSpinButtonCtrl::SetPos(int nPos) {
    return (short)LOWORD(SendMessage(UDM_SETPOS, 0, MAKELPARAM(nPos, 0)));
}

// The low word is the position; a set high word reports an error.
int CSpinButtonCtrl::GetPos() const {
    return (int)SendMessage(UDM_GETPOS);
}

int CSpinButtonCtrl::SetPos32(int nPos) {
    return (int)SendMessage(UDM_SETPOS32, 0, nPos);
}

int CSpinButtonCtrl::GetPos32(LPBOOL lpbError) const {
    BOOL bError = FALSE;
    int nPos = (int)SendMessage(UDM_GETPOS32, 0, (LPARAM)&bError);
    if (lpbError != NULL)
        *lpbError = bError;
    return nPos;
}

int CSpinButtonCtrl::SetBase(int nBase) {
    return (int)SendMessage(UDM_SETBASE, (WPARAM)nBase);
}
UINT CSpinButtonCtrl::GetBase() const {
    return (UINT)SendMessage(UDM_GETBASE);
}

BOOL CSpinButtonCtrl::SetAccel(int nAccel, UDACCEL* pAccel) {
    return (BOOL)SendMessage(UDM_SETACCEL, (WPARAM)nAccel, (LPARAM)pAccel);
}
