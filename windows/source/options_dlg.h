// "Set Source Options": the tab size and the whitespace display of the source languages.
#pragma once

#include "framework/afx.h"

class SECEditModel;

// The tab sizes the dialog takes; the editor divides by the size, so 0 is refused.
constexpr int kSourceTabSizeMin = 1;
constexpr int kSourceTabSizeMax = 100;

class CEditOptionsDlg : public CDialog {
public:
    enum { IDD = 102 };
    CEditOptionsDlg(SECEditModel* model, CWnd* pParent = nullptr);

    int GetTabSize() const { return m_tabSize; }
    BOOL GetShowWhitespace() const { return m_showWhitespace; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    SECEditModel* m_model;
    CEdit m_tabSizeEdit;
    CSpinButtonCtrl m_tabSizeSpin;
    int m_tabSize = 0;
    BOOL m_showWhitespace = FALSE;
};

// Writes the values on the model's current configuration, "No" and "ASM" (and so "CPP" only
// when it is the current one), then saves "ASM", "CPP" and "No".
void ApplySourceOptions(SECEditModel& model, int tabSize, BOOL showWhitespace);
