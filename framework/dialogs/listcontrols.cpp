#include "framework/dialogs/listcontrols.h"

IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)

namespace {
// Text of an item through the control's length and text messages; LB_ERR / CB_ERR (-1) for a
// missing item, with the string left empty.
int ItemText(const CWnd* pWnd, UINT lenMsg, UINT textMsg, int nIndex, CString& rString) {
    rString.Empty();
    int nLength = (int)pWnd->SendMessage(lenMsg, (WPARAM)nIndex);
    if (nLength < 0)
        return nLength;
    LPWSTR buffer = rString.GetBuffer(nLength + 1);
    buffer[0] = 0;
    int nGot = (int)pWnd->SendMessage(textMsg, (WPARAM)nIndex, (LPARAM)buffer);
    rString.ReleaseBuffer(nGot > 0 ? nGot : 0);
    return nGot;
}
} // namespace

// ---- CListBox ---------------------------------------------------------------------------------

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(L"LISTBOX", NULL, dwStyle, rect, pParentWnd, nID);
}

int CListBox::GetCount() const {
    return (int)SendMessage(LB_GETCOUNT);
}
int CListBox::GetCurSel() const {
    return (int)SendMessage(LB_GETCURSEL);
}
int CListBox::SetCurSel(int nSelect) {
    return (int)SendMessage(LB_SETCURSEL, (WPARAM)nSelect);
}
int CListBox::GetSel(int nIndex) const {
    return (int)SendMessage(LB_GETSEL, (WPARAM)nIndex);
}

int CListBox::SetSel(int nIndex, BOOL bSelect) {
    return (int)SendMessage(LB_SETSEL, (WPARAM)bSelect, (LPARAM)nIndex);
}

int CListBox::GetSelCount() const {
    return (int)SendMessage(LB_GETSELCOUNT);
}

int CListBox::GetSelItems(int nMaxItems, LPINT rgIndex) const {
    return (int)SendMessage(LB_GETSELITEMS, (WPARAM)nMaxItems, (LPARAM)rgIndex);
}

int CListBox::GetCaretIndex() const {
    return (int)SendMessage(LB_GETCARETINDEX);
}

int CListBox::SetCaretIndex(int nIndex, BOOL bScroll) {
    return (int)SendMessage(LB_SETCARETINDEX, (WPARAM)nIndex, MAKELPARAM(!bScroll, 0));
}

int CListBox::GetTopIndex() const {
    return (int)SendMessage(LB_GETTOPINDEX);
}
int CListBox::SetTopIndex(int nIndex) {
    return (int)SendMessage(LB_SETTOPINDEX, (WPARAM)nIndex);
}

int CListBox::GetText(int nIndex, CString& rString) const {
    return ItemText(this, LB_GETTEXTLEN, LB_GETTEXT, nIndex, rString);
}

int CListBox::GetTextLen(int nIndex) const {
    return (int)SendMessage(LB_GETTEXTLEN, (WPARAM)nIndex);
}

DWORD_PTR CListBox::GetItemData(int nIndex) const {
    return (DWORD_PTR)SendMessage(LB_GETITEMDATA, (WPARAM)nIndex);
}

int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
    return (int)SendMessage(LB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)dwItemData);
}

void* CListBox::GetItemDataPtr(int nIndex) const {
    return (void*)GetItemData(nIndex);
}

int CListBox::SetItemDataPtr(int nIndex, void* pData) {
    return SetItemData(nIndex, (DWORD_PTR)pData);
}

int CListBox::GetItemRect(int nIndex, LPRECT lpRect) const {
    return (int)SendMessage(LB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect);
}

int CListBox::GetItemHeight(int nIndex) const {
    return (int)SendMessage(LB_GETITEMHEIGHT, (WPARAM)nIndex);
}

int CListBox::SetItemHeight(int nIndex, UINT cyItemHeight) {
    return (int)SendMessage(LB_SETITEMHEIGHT, (WPARAM)nIndex, MAKELPARAM(cyItemHeight, 0));
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const {
    DWORD result = (DWORD)SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    bOutside = HIWORD(result) != 0;
    return LOWORD(result);
}

int CListBox::AddString(LPCTSTR lpszItem) {
    return (int)SendMessage(LB_ADDSTRING, 0, (LPARAM)lpszItem);
}

int CListBox::InsertString(int nIndex, LPCTSTR lpszItem) {
    return (int)SendMessage(LB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)lpszItem);
}

int CListBox::DeleteString(UINT nIndex) {
    return (int)SendMessage(LB_DELETESTRING, (WPARAM)nIndex);
}

void CListBox::ResetContent() {
    SendMessage(LB_RESETCONTENT);
}

int CListBox::FindString(int nStartAfter, LPCTSTR lpszItem) const {
    return (int)SendMessage(LB_FINDSTRING, (WPARAM)nStartAfter, (LPARAM)lpszItem);
}

int CListBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
    return (int)SendMessage(LB_FINDSTRINGEXACT, (WPARAM)nIndexStart, (LPARAM)lpszFind);
}

int CListBox::SelectString(int nStartAfter, LPCTSTR lpszItem) {
    return (int)SendMessage(LB_SELECTSTRING, (WPARAM)nStartAfter, (LPARAM)lpszItem);
}

void CListBox::SetHorizontalExtent(int cxExtent) {
    SendMessage(LB_SETHORIZONTALEXTENT, (WPARAM)cxExtent);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) {
    return 0;
}
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}
int CListBox::VKeyToItem(UINT, UINT) {
    return -1;
}
int CListBox::CharToItem(UINT, UINT) {
    return -1;
}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_VKEYTOITEM || message == WM_CHARTOITEM) {
        const UINT nKey = LOWORD(wParam), nIndex = HIWORD(wParam);
        const int nResult =
            message == WM_VKEYTOITEM ? VKeyToItem(nKey, nIndex) : CharToItem(nKey, nIndex);
        if (pResult != NULL)
            *pResult = nResult;
        return TRUE;
    }
    if (AfxOwnerDrawNotify(this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---- CComboBox --------------------------------------------------------------------------------

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(L"COMBOBOX", NULL, dwStyle, rect, pParentWnd, nID);
}

int CComboBox::GetCount() const {
    return (int)SendMessage(CB_GETCOUNT);
}
int CComboBox::GetCurSel() const {
    return (int)SendMessage(CB_GETCURSEL);
}
int CComboBox::SetCurSel(int nSelect) {
    return (int)SendMessage(CB_SETCURSEL, (WPARAM)nSelect);
}
DWORD CComboBox::GetEditSel() const {
    return (DWORD)SendMessage(CB_GETEDITSEL);
}

BOOL CComboBox::SetEditSel(int nStartChar, int nEndChar) {
    return (BOOL)SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(nStartChar, nEndChar));
}

BOOL CComboBox::LimitText(int nMaxChars) {
    return (BOOL)SendMessage(CB_LIMITTEXT, (WPARAM)nMaxChars);
}

void CComboBox::ShowDropDown(BOOL bShowIt) {
    SendMessage(CB_SHOWDROPDOWN, (WPARAM)bShowIt);
}
BOOL CComboBox::GetDroppedState() const {
    return (BOOL)SendMessage(CB_GETDROPPEDSTATE);
}
int CComboBox::GetTopIndex() const {
    return (int)SendMessage(CB_GETTOPINDEX);
}
int CComboBox::SetTopIndex(int nIndex) {
    return (int)SendMessage(CB_SETTOPINDEX, (WPARAM)nIndex);
}

int CComboBox::GetLBText(int nIndex, CString& rString) const {
    return ItemText(this, CB_GETLBTEXTLEN, CB_GETLBTEXT, nIndex, rString);
}

int CComboBox::GetLBTextLen(int nIndex) const {
    return (int)SendMessage(CB_GETLBTEXTLEN, (WPARAM)nIndex);
}

DWORD_PTR CComboBox::GetItemData(int nIndex) const {
    return (DWORD_PTR)SendMessage(CB_GETITEMDATA, (WPARAM)nIndex);
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
    return (int)SendMessage(CB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)dwItemData);
}

void* CComboBox::GetItemDataPtr(int nIndex) const {
    return (void*)GetItemData(nIndex);
}

int CComboBox::SetItemDataPtr(int nIndex, void* pData) {
    return SetItemData(nIndex, (DWORD_PTR)pData);
}

int CComboBox::GetItemHeight(int nIndex) const {
    return (int)SendMessage(CB_GETITEMHEIGHT, (WPARAM)nIndex);
}

int CComboBox::SetItemHeight(int nIndex, UINT cyItemHeight) {
    return (int)SendMessage(CB_SETITEMHEIGHT, (WPARAM)nIndex, (LPARAM)cyItemHeight);
}

int CComboBox::AddString(LPCTSTR lpszString) {
    return (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)lpszString);
}

int CComboBox::InsertString(int nIndex, LPCTSTR lpszString) {
    return (int)SendMessage(CB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)lpszString);
}

int CComboBox::DeleteString(UINT nIndex) {
    return (int)SendMessage(CB_DELETESTRING, (WPARAM)nIndex);
}

void CComboBox::ResetContent() {
    SendMessage(CB_RESETCONTENT);
}

int CComboBox::FindString(int nStartAfter, LPCTSTR lpszString) const {
    return (int)SendMessage(CB_FINDSTRING, (WPARAM)nStartAfter, (LPARAM)lpszString);
}

int CComboBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
    return (int)SendMessage(CB_FINDSTRINGEXACT, (WPARAM)nIndexStart, (LPARAM)lpszFind);
}

int CComboBox::SelectString(int nStartAfter, LPCTSTR lpszString) {
    return (int)SendMessage(CB_SELECTSTRING, (WPARAM)nStartAfter, (LPARAM)lpszString);
}

void CComboBox::Clear() {
    SendMessage(WM_CLEAR);
}
void CComboBox::Copy() {
    SendMessage(WM_COPY);
}
void CComboBox::Cut() {
    SendMessage(WM_CUT);
}
void CComboBox::Paste() {
    SendMessage(WM_PASTE);
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) {
    return 0;
}
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (AfxOwnerDrawNotify(this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
