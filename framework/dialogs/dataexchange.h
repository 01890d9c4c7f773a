// Dialog data exchange: DoDataExchange lists DDX_ calls that move a value between a control and
// a member (in the direction UpdateData asks for) and DDV_ calls that check the value just
// read. A value that cannot be read or fails a check is reported to the user; the exchange then
// stops with the focus on the control at fault (CDataExchange::Fail).
#pragma once

#include <windows.h>

#include "framework/core/cstring.h"
#include "framework/core/object.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate; // TRUE: controls to members and validate
    CWnd* m_pDlgWnd;
    int m_idLastControl;     // the control the next DDV_ call checks
    BOOL m_bEditLastControl; // it is an edit control (its text is selected on failure)

    // The control's window; a missing control is a programming error (CNotSupportedException).
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Focuses the last prepared control and ends the exchange (throws CUserException).
    [[noreturn]] void Fail();
};

// Binds a control object to the dialog's control nIDC the first time (subclassing it).
void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Window text. Numbers must be whole numbers within the type's range (blanks around allowed).
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);

// Check box state: 0, 1 or 2 (indeterminate).
void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// Index of the checked button of the radio group that starts at nIDC; -1 for none.
void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);

// Combo boxes: the selected index (-1: none); the text; the text with an exact match. Loading
// text into a combo box with an edit field shows the text as it is (selecting an equal entry);
// a drop-down list selects the first entry that starts with it (DDX_CBString) or equals it.
void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
// List boxes: the selected index; the selected entry's text (loading selects the first entry
// that starts with it, or none); the same with an exact match.
void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);

// Checks of the value exchanged just before. DDV_MaxChars also limits what the control takes.
void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
