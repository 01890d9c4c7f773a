#include "framework/dialogs/dataexchange.h"

#include <cerrno>
#include <climits>
#include <cwchar>
#include <cwctype>
#include <limits>

#include "framework/dialogs/dialog.h"
#include "framework/core/exceptions.h"
#include "framework/win/winapp.h"
#include "framework/win/wnd.h"

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_idLastControl(0),
      m_bEditLastControl(FALSE) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC);
    if (hWndCtrl == NULL)
        AfxThrowNotSupportedException();
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && m_idLastControl != 0) {
        HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), m_idLastControl);
        if (hWndCtrl != NULL) {
            if (CDialog* pDialog = DYNAMIC_DOWNCAST(CDialog, m_pDlgWnd))
                pDialog->GotoDlgCtrl(CWnd::FromHandle(hWndCtrl));
            else
                ::SetFocus(hWndCtrl);
            if (m_bEditLastControl)
                ::SendMessageW(hWndCtrl, EM_SETSEL, 0, -1);
        }
    }
    AfxThrowUserException();
}

namespace {
CString WindowText(HWND hWnd) {
    int nLength = ::GetWindowTextLengthW(hWnd);
    CString text;
    if (nLength > 0) {
        LPWSTR buffer = text.GetBuffer(nLength + 1);
        int nGot = ::GetWindowTextW(hWnd, buffer, nLength + 1);
        text.ReleaseBuffer(nGot > 0 ? nGot : 0);
    }
    return text;
}

[[noreturn]] void FailWith(CDataExchange* pDX, const CString& message) {
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    pDX->Fail();
}

// A whole number with optional blanks around it and, when allowed, a sign; FALSE for anything
// else (letters, fractions, an empty field, a value beyond the limits).
BOOL ParseInteger(const CString& text, long long minVal, long long maxVal, long long* pValue) {
    CString trimmed = text;
    trimmed.Trim();
    if (trimmed.IsEmpty())
        return FALSE;
    LPCWSTR start = trimmed;
    if (minVal >= 0 && start[0] == L'-')
        return FALSE;
    for (LPCWSTR p = (*start == L'-' || *start == L'+') ? start + 1 : start; *p != 0; ++p)
        if (!std::iswdigit(*p))
            return FALSE;
    errno = 0;
    wchar_t* end = NULL;
    long long value = std::wcstoll(start, &end, 10);
    if (errno == ERANGE || end == start || *end != 0 || value < minVal || value > maxVal)
        return FALSE;
    *pValue = value;
    return TRUE;
}

template <class T> void ExchangeNumber(CDataExchange* pDX, int nIDC, T& value, BOOL bSigned) {
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        if (bSigned)
            text.Format(L"%lld", (long long)value);
        else
            text.Format(L"%llu", (unsigned long long)value);
        ::SetWindowTextW(hWndCtrl, text);
        return;
    }
    const long long minVal = bSigned ? (long long)std::numeric_limits<T>::min() : 0;
    const long long maxVal = (long long)std::numeric_limits<T>::max();
    long long parsed = 0;
    if (!ParseInteger(WindowText(hWndCtrl), minVal, maxVal, &parsed))
        FailWith(pDX, bSigned ? CString(L"Please enter an integer.")
                              : CString(L"Please enter an integer of 0 or more."));
    value = (T)parsed;
}

template <class T> void CheckRange(CDataExchange* pDX, T value, T minVal, T maxVal, BOOL bSigned) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString message;
    if (bSigned)
        message.Format(L"Please enter an integer between %lld and %lld.", (long long)minVal,
                       (long long)maxVal);
    else
        message.Format(L"Please enter an integer between %llu and %llu.",
                       (unsigned long long)minVal, (unsigned long long)maxVal);
    FailWith(pDX, message);
}

BOOL IsComboBox(HWND hWnd) {
    wchar_t className[16] = L"";
    ::GetClassNameW(hWnd, className, 16);
    return ::lstrcmpiW(className, L"ComboBox") == 0;
}

BOOL IsDropList(HWND hWndCombo) {
    return (::GetWindowLongW(hWndCombo, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST;
}

void LoadComboText(HWND hWndCtrl, const CString& value, BOOL bExact) {
    if (value.IsEmpty()) {
        ::SendMessageW(hWndCtrl, CB_SETCURSEL, (WPARAM)-1, 0);
        ::SetWindowTextW(hWndCtrl, L"");
        return;
    }
    const BOOL bList = IsDropList(hWndCtrl);
    UINT message = (bExact || !bList) ? CB_FINDSTRINGEXACT : CB_FINDSTRING;
    LRESULT index = ::SendMessageW(hWndCtrl, message, (WPARAM)-1, (LPARAM)(LPCWSTR)value);
    ::SendMessageW(hWndCtrl, CB_SETCURSEL, index == CB_ERR ? (WPARAM)-1 : (WPARAM)index, 0);
    // An edit field shows the value itself (an equal entry may differ in case).
    if (!bList)
        ::SetWindowTextW(hWndCtrl, value);
}

void LoadListText(HWND hWndCtrl, const CString& value, BOOL bExact) {
    LRESULT index = LB_ERR;
    if (!value.IsEmpty())
        index = ::SendMessageW(hWndCtrl, bExact ? LB_FINDSTRINGEXACT : LB_FINDSTRING, (WPARAM)-1,
                               (LPARAM)(LPCWSTR)value);
    ::SendMessageW(hWndCtrl, LB_SETCURSEL, index == LB_ERR ? (WPARAM)-1 : (WPARAM)index, 0);
}

CString SelectedListText(HWND hWndCtrl) {
    LRESULT index = ::SendMessageW(hWndCtrl, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR)
        return CString();
    LRESULT nLength = ::SendMessageW(hWndCtrl, LB_GETTEXTLEN, (WPARAM)index, 0);
    if (nLength == LB_ERR || nLength <= 0)
        return CString();
    CString text;
    LPWSTR buffer = text.GetBuffer((int)nLength + 1);
    LRESULT nGot = ::SendMessageW(hWndCtrl, LB_GETTEXT, (WPARAM)index, (LPARAM)buffer);
    text.ReleaseBuffer(nGot > 0 ? (int)nGot : 0);
    return text;
}

// List and combo boxes exchange their selection and text alike; they differ in the messages
// and in how the text is read and shown.
struct BoxKind {
    UINT nGetSel;
    UINT nSetSel;
    CString (*pfnRead)(HWND);
    void (*pfnLoad)(HWND, const CString&, BOOL);
};
const BoxKind kComboBox = {CB_GETCURSEL, CB_SETCURSEL, &WindowText, &LoadComboText};
const BoxKind kListBox = {LB_GETCURSEL, LB_SETCURSEL, &SelectedListText, &LoadListText};

void ExchangeIndex(CDataExchange* pDX, int nIDC, int& index, const BoxKind& box) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageW(hWndCtrl, box.nGetSel, 0, 0);
    else
        ::SendMessageW(hWndCtrl, box.nSetSel, (WPARAM)index, 0);
}

void ExchangeText(CDataExchange* pDX, int nIDC, CString& value, const BoxKind& box, BOOL bExact) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = box.pfnRead(hWndCtrl);
    else
        box.pfnLoad(hWndCtrl, value, bExact);
}
} // namespace

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd != NULL)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        AfxThrowNotSupportedException();
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = WindowText(hWndCtrl);
    else
        ::SetWindowTextW(hWndCtrl, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    ExchangeNumber(pDX, nIDC, value, TRUE);
}
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
    ExchangeNumber(pDX, nIDC, value, FALSE);
}
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value) {
    ExchangeNumber(pDX, nIDC, value, TRUE);
}
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value) {
    ExchangeNumber(pDX, nIDC, value, FALSE);
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = (int)::SendMessageW(hWndCtrl, BM_GETCHECK, 0, 0);
        return;
    }
    int state = (value >= 0 && value <= 2) ? value : 0;
    ::SendMessageW(hWndCtrl, BM_SETCHECK, (WPARAM)state, 0);
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    // The group runs from nIDC up to the next control that starts a group.
    for (HWND hWnd = hWndCtrl; hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (hWnd != hWndCtrl && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_GROUP))
            break;
        if ((::SendMessageW(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) == 0)
            continue;
        if (pDX->m_bSaveAndValidate) {
            if (::SendMessageW(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        } else {
            ::SendMessageW(hWnd, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
    ExchangeIndex(pDX, nIDC, index, kComboBox);
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
    ExchangeText(pDX, nIDC, value, kComboBox, FALSE);
}

void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value) {
    ExchangeText(pDX, nIDC, value, kComboBox, TRUE);
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
    ExchangeIndex(pDX, nIDC, index, kListBox);
}

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) {
    ExchangeText(pDX, nIDC, value, kListBox, FALSE);
}

void AFXAPI DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value) {
    ExchangeText(pDX, nIDC, value, kListBox, TRUE);
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars) {
            CString message;
            message.Format(L"Please enter no more than %d characters.", nChars);
            FailWith(pDX, message);
        }
        return;
    }
    HWND hWndCtrl = ::GetDlgItem(pDX->m_pDlgWnd->GetSafeHwnd(), pDX->m_idLastControl);
    if (hWndCtrl != NULL && nChars >= 0)
        ::SendMessageW(hWndCtrl, IsComboBox(hWndCtrl) ? CB_LIMITTEXT : EM_LIMITTEXT, (WPARAM)nChars,
                       0);
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
    CheckRange(pDX, value, minVal, maxVal, TRUE);
}
void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
    CheckRange(pDX, value, minVal, maxVal, FALSE);
}
void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) {
    CheckRange(pDX, value, minVal, maxVal, TRUE);
}
void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) {
    CheckRange(pDX, value, minVal, maxVal, FALSE);
}
