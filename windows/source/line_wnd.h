// A column pane of the source (and assembler) splitter: a header on top, a read-only line
// control (line numbers or coverage texts) and a bottom strip. The pane deletes itself when its
// window goes.
#pragma once

#include <string>

#include "framework/afx.h"
#include "windows/common/header.h"

class CLineCtrl;

class CLineWnd : public CWnd {
    DECLARE_DYNCREATE(CLineWnd)
public:
    // Counts from this on get no line numbers.
    static constexpr int kMaxNumberedLines = 10000000;
    static constexpr UINT kLineCtrlId = 1;
    static constexpr UINT kBottomButtonId = 2;

    CLineWnd();
    ~CLineWnd() override;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;

    // The line control while its window lives, else null.
    CLineCtrl* LineCtrl() const;
    CHeader& Header() { return m_header; }
    CButton& BottomButton() { return m_bottomButton; }
    void SetHeaderText(LPCTSTR lpszText);

    // Numbers the lines 1..count (at least line 1); FALSE (column unchanged) for counts from
    // kMaxNumberedLines on, after telling the user, or when the text cannot be built.
    BOOL SetLineCount(int count);
    // Brings the line into the column's middle third.
    void ScrollToLine(int line);

    // The text of the numbers 1..count (at least 1), one a line; false when it cannot be held.
    static bool BuildLineNumbers(int count, std::wstring& text);
    // The characters reserved for count numbers.
    static size_t ReserveFor(int count);

protected:
    void PostNcDestroy() override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    void Layout(int cx, int cy);

    // A window of its own that deletes itself when its window goes.
    CLineCtrl* m_pLineCtrl = nullptr;
    int m_nNumbered = -1; // the count the column numbers, -1 before the first
    HWND m_hLineCtrl = NULL;
    CHeader m_header;
    CButton m_bottomButton;
};
