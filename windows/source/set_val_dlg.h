// "Set Value": assigns a new value to an expression through the host, and stays open for
// further values until it is closed.
#pragma once

#include "framework/afx.h"

class CSetVal : public CDialog {
public:
    enum { IDD = 165 };
    explicit CSetVal(CWnd* pParent = nullptr);

    CString m_expression; // control 1001; the caller sets it before showing the dialog
    CString m_value;      // control 1002

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // "Set": sends the value and keeps the dialog open.
    void OnOK() override;
    afx_msg void OnFieldChange();
    DECLARE_MESSAGE_MAP()

private:
    bool m_showingFields = false;
};

// The value part of the host's answer: what follows its first ":"; FALSE without one.
BOOL ValueOfEvaluation(const char* answer, CString& value);
