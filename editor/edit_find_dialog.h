// "Find" and "Replace": what to search for and how, each button press reported to the owner.
// One class serves both forms; the owner keeps the histories and the options between openings.
#pragma once

#include "framework/afx.h"

#include <vector>

enum {
    IDD_SECEDIT_FIND = 22701,
    IDD_SECEDIT_REPLACE = 22702,
    IDC_SECEDIT_FINDWHAT = 1000,
    IDC_SECEDIT_REPLACEWITH = 1001,
    IDC_SECEDIT_MATCHCASE = 1002,
    IDC_SECEDIT_REGEXP = 1003,
    IDC_SECEDIT_UP = 1004,   // "&Selection" on the replace form
    IDC_SECEDIT_DOWN = 1005, // "Wh&ole file" on the replace form
    IDC_SECEDIT_MARKALL = 1008,
    IDC_SECEDIT_REPLACE = 1024,
    IDC_SECEDIT_REPLACEALL = 1025,
    IDC_SECEDIT_WHOLEWORD = 1040,
};

class SECEditFindReplaceDlg;

class ISECEditFindReplaceNotify {
public:
    // Non-zero when the action succeeded.
    virtual BOOL OnFindReplace(SECEditFindReplaceDlg* dialog) = 0;
    // Whether the owner has a selection to replace in.
    virtual BOOL HasSelection() = 0;

protected:
    ~ISECEditFindReplaceNotify() = default;
};

class SECEditFindReplaceDlg : public CDialog {
public:
    enum Action {
        actionClose = 0,
        actionFindNext = 1,
        actionMarkAll = 2,
        actionReplace = 3,
        actionReplaceAll = 4
    };
    static constexpr int kMaxText = 128;
    static constexpr int kHistoryLength = 16;

    explicit SECEditFindReplaceDlg(BOOL findOnly, CWnd* parent = NULL);
    ~SECEditFindReplaceDlg() override;

    // The current action.
    BOOL IsTerminating() const { return m_nModalResult == actionClose; }
    BOOL FindNext() const { return m_nModalResult == actionFindNext; }
    BOOL MarkAll() const { return m_nModalResult == actionMarkAll; }
    BOOL ReplaceCurrent() const { return m_nModalResult == actionReplace; }
    BOOL ReplaceAll() const { return m_nModalResult == actionReplaceAll; }
    BOOL SearchDown() const { return !m_bFindOnly || m_nDirection == 1; }
    BOOL ReplaceInSelection() const { return !m_bFindOnly && m_nDirection == 0; }
    BOOL MatchCase() const { return m_bMatchCase; }
    BOOL MatchWholeWord() const { return m_bMatchWholeWord; }
    BOOL IsFindOnly() const { return m_bFindOnly; }
    BOOL IsRegularExpression() const { return m_bRegularExpression; }
    const CString& GetFindString() const { return m_strFind; }
    const CString& GetReplaceString() const { return m_strReplace; }
    BOOL IsModal() const { return m_bModal; }

    // Set up before the window is made.
    void SetMatchCase(BOOL b) { m_bMatchCase = b; }
    void SetMatchWholeWord(BOOL b) { m_bMatchWholeWord = b; }
    void SetSearchDown(BOOL b);
    void SetSelectionAvailable(BOOL b) { m_bSelectionAvailable = b; }
    void SetReplaceScope(BOOL inSelection);
    void SetFindString(const CString& s) { m_strFind = s; }
    void SetReplaceString(const CString& s) { m_strReplace = s; }
    void SetRegularExpression(BOOL b) { m_bRegularExpression = b; }
    void SetRegularExpressionAvailable(BOOL b) { m_bRegExpAvailable = b; }
    void SetOwner(ISECEditFindReplaceNotify* owner) { m_pOwner = owner; }
    void SetHistories(std::vector<CString>* find, std::vector<CString>* replace) {
        m_pFindHistory = find;
        m_pReplaceHistory = replace;
    }

    INT_PTR DoModal() override;
    // Modeless, from the form's template; the object deletes itself once its window is gone.
    BOOL CreateModeless(CWnd* parent);

    virtual void OnRegularExpressionChanged();
    virtual void SaveHistory();
    virtual void FillHistoryCombos();
    virtual void UpdateButtons();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void PostNcDestroy() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnReplace();
    afx_msg void OnReplaceAll();
    afx_msg void OnMarkAll();
    afx_msg void OnDirectionClicked();
    afx_msg void OnRegExpClicked();
    afx_msg void OnFindTextChanged();
    afx_msg void OnFindTextPicked();
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    DECLARE_MESSAGE_MAP()

private:
    // Takes the controls' values, keeps the texts and reports the action; FALSE when the
    // values fail their checks or the owner reports failure.
    BOOL Report(Action action);
    void Enable(int id, BOOL enable);

    CString m_strFind;
    CString m_strReplace;
    BOOL m_bMatchCase = FALSE;
    BOOL m_bMatchWholeWord = FALSE;
    BOOL m_bRegularExpression = FALSE;
    int m_nDirection = -1;
    BOOL m_bFindOnly;
    BOOL m_bRegExpAvailable = FALSE;
    ISECEditFindReplaceNotify* m_pOwner = nullptr;
    std::vector<CString>* m_pFindHistory = nullptr;
    std::vector<CString>* m_pReplaceHistory = nullptr;
    BOOL m_bModal = FALSE;
    BOOL m_bSelectionAvailable = FALSE;
    BOOL m_bModeless = FALSE;
};
