#include "editor/edit_find_dialog.h"

#include "framework/dialogs/dataexchange.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(SECEditFindReplaceDlg, CDialog)
ON_BN_CLICKED(IDC_SECEDIT_REPLACE, OnReplace)
ON_BN_CLICKED(IDC_SECEDIT_REPLACEALL, OnReplaceAll)
ON_BN_CLICKED(IDC_SECEDIT_MARKALL, OnMarkAll)
ON_BN_CLICKED(IDC_SECEDIT_UP, OnDirectionClicked)
ON_BN_CLICKED(IDC_SECEDIT_DOWN, OnDirectionClicked)
ON_BN_CLICKED(IDC_SECEDIT_REGEXP, OnRegExpClicked)
ON_CBN_EDITCHANGE(IDC_SECEDIT_FINDWHAT, OnFindTextChanged)
ON_CBN_SELCHANGE(IDC_SECEDIT_FINDWHAT, OnFindTextPicked)
ON_WM_ACTIVATE()
END_MESSAGE_MAP()

namespace {

// Moves the text to the head of the history, keeping at most its length, newest first.
void Remember(std::vector<CString>* history, const CString& text) {
    if (history == nullptr || text.IsEmpty())
        return;
    history->erase(std::remove(history->begin(), history->end(), text), history->end());
    history->insert(history->begin(), text);
    if (history->size() > static_cast<size_t>(SECEditFindReplaceDlg::kHistoryLength))
        history->resize(SECEditFindReplaceDlg::kHistoryLength);
}

void Fill(HWND combo, const std::vector<CString>* history) {
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    if (history == nullptr)
        return;
    for (const CString& entry : *history)
        ::SendMessageW(combo, CB_ADDSTRING, 0, (LPARAM)(LPCWSTR)entry);
}

} // namespace

SECEditFindReplaceDlg::SECEditFindReplaceDlg(BOOL findOnly, CWnd* parent)
    : CDialog(findOnly ? IDD_SECEDIT_FIND : IDD_SECEDIT_REPLACE, parent), m_bFindOnly(findOnly) {}

SECEditFindReplaceDlg::~SECEditFindReplaceDlg() = default;

void SECEditFindReplaceDlg::SetSearchDown(BOOL b) {
    if (m_bFindOnly)
        m_nDirection = b ? 1 : 0;
}

void SECEditFindReplaceDlg::SetReplaceScope(BOOL inSelection) {
    if (!m_bFindOnly)
        m_nDirection = inSelection && m_bSelectionAvailable ? 0 : 1;
}

INT_PTR SECEditFindReplaceDlg::DoModal() {
    m_bModal = TRUE;
    m_lpszTemplateName = MAKEINTRESOURCEW(m_bFindOnly ? IDD_SECEDIT_FIND : IDD_SECEDIT_REPLACE);
    return CDialog::DoModal();
}

BOOL SECEditFindReplaceDlg::CreateModeless(CWnd* parent) {
    m_bModal = FALSE;
    if (!Create(m_bFindOnly ? IDD_SECEDIT_FIND : IDD_SECEDIT_REPLACE, parent))
        return FALSE;
    m_bModeless = TRUE;
    return TRUE;
}

void SECEditFindReplaceDlg::PostNcDestroy() {
    CDialog::PostNcDestroy();
    if (m_bModeless)
        delete this;
}

void SECEditFindReplaceDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_CBString(pDX, IDC_SECEDIT_FINDWHAT, m_strFind);
    DDV_MaxChars(pDX, m_strFind, kMaxText);
    if (!m_bFindOnly) {
        DDX_CBString(pDX, IDC_SECEDIT_REPLACEWITH, m_strReplace);
        DDV_MaxChars(pDX, m_strReplace, kMaxText);
    }
    DDX_Check(pDX, IDC_SECEDIT_MATCHCASE, m_bMatchCase);
    DDX_Check(pDX, IDC_SECEDIT_WHOLEWORD, m_bMatchWholeWord);
    DDX_Check(pDX, IDC_SECEDIT_REGEXP, m_bRegularExpression);
    DDX_Radio(pDX, IDC_SECEDIT_UP, m_nDirection);
}

BOOL SECEditFindReplaceDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_SECEDIT_FINDWHAT, m_strFind);
    if (!m_bFindOnly) {
        Enable(IDC_SECEDIT_UP, m_bSelectionAvailable);
        SetDlgItemText(IDC_SECEDIT_REPLACEWITH, m_strReplace);
    }
    if (!m_bRegExpAvailable) {
        m_bRegularExpression = FALSE;
        if (CWnd* box = GetDlgItem(IDC_SECEDIT_REGEXP))
            box->ShowWindow(SW_HIDE);
    }
    FillHistoryCombos();
    OnRegularExpressionChanged();
    UpdateButtons();
    return TRUE;
}

void SECEditFindReplaceDlg::Enable(int id, BOOL enable) {
    if (HWND control = ::GetDlgItem(m_hWnd, id))
        ::EnableWindow(control, enable);
}

void SECEditFindReplaceDlg::UpdateButtons() {
    const BOOL hasText = !m_strFind.IsEmpty();
    Enable(IDOK, hasText && (m_bFindOnly || m_nDirection != 0));
    Enable(IDC_SECEDIT_MARKALL, hasText);
    Enable(IDC_SECEDIT_REPLACEALL, hasText);
    Enable(IDC_SECEDIT_REPLACE, hasText && !m_bFindOnly && m_nDirection == 1);
}

void SECEditFindReplaceDlg::OnRegularExpressionChanged() {
    if (!m_bRegExpAvailable)
        return;
    if (m_bRegularExpression) {
        // Expressions run forward only and know no whole words.
        if (m_bFindOnly) {
            m_nDirection = 1;
            Enable(IDC_SECEDIT_UP, FALSE);
        }
        m_bMatchWholeWord = FALSE;
        Enable(IDC_SECEDIT_WHOLEWORD, FALSE);
        CheckDlgButton(IDC_SECEDIT_WHOLEWORD, BST_UNCHECKED);
        if (m_bFindOnly)
            CheckRadioButton(IDC_SECEDIT_UP, IDC_SECEDIT_DOWN, IDC_SECEDIT_DOWN);
    } else {
        if (m_bFindOnly)
            Enable(IDC_SECEDIT_UP, TRUE);
        Enable(IDC_SECEDIT_WHOLEWORD, TRUE);
    }
}

void SECEditFindReplaceDlg::SaveHistory() {
    Remember(m_pFindHistory, m_strFind);
    if (!m_bFindOnly)
        Remember(m_pReplaceHistory, m_strReplace);
}

void SECEditFindReplaceDlg::FillHistoryCombos() {
    HWND find = ::GetDlgItem(m_hWnd, IDC_SECEDIT_FINDWHAT);
    // Refilling the list empties the edit box: the text typed stays.
    CString typed;
    GetDlgItemText(IDC_SECEDIT_FINDWHAT, typed);
    Fill(find, m_pFindHistory);
    if (m_strFind.IsEmpty() && m_pFindHistory && !m_pFindHistory->empty()) {
        m_strFind = m_pFindHistory->front();
        typed = m_strFind;
    }
    ::SetWindowTextW(find, typed);
    if (!m_bFindOnly) {
        CString replaceTyped;
        GetDlgItemText(IDC_SECEDIT_REPLACEWITH, replaceTyped);
        HWND replace = ::GetDlgItem(m_hWnd, IDC_SECEDIT_REPLACEWITH);
        Fill(replace, m_pReplaceHistory);
        ::SetWindowTextW(replace, replaceTyped);
    }
    UpdateButtons();
}

BOOL SECEditFindReplaceDlg::Report(Action action) {
    if (!UpdateData(TRUE))
        return FALSE;
    SaveHistory();
    FillHistoryCombos();
    m_nModalResult = action;
    return m_pOwner != nullptr && m_pOwner->OnFindReplace(this);
}

void SECEditFindReplaceDlg::OnOK() {
    if (Report(actionFindNext) && m_bModal && m_bFindOnly)
        EndDialog(IDOK);
}

void SECEditFindReplaceDlg::OnReplace() {
    Report(actionReplace);
}

void SECEditFindReplaceDlg::OnReplaceAll() {
    if (Report(actionReplaceAll) && m_bModal)
        EndDialog(IDOK);
}

void SECEditFindReplaceDlg::OnMarkAll() {
    if (Report(actionMarkAll)) {
        if (m_bModal)
            EndDialog(IDOK);
        else
            OnCancel();
    }
}

void SECEditFindReplaceDlg::OnCancel() {
    if (m_bModal) {
        EndDialog(IDCANCEL);
        return;
    }
    m_nModalResult = actionClose;
    if (m_pOwner)
        m_pOwner->OnFindReplace(this);
    DestroyWindow();
}

void SECEditFindReplaceDlg::OnDirectionClicked() {
    UpdateData(TRUE);
    UpdateButtons();
}

void SECEditFindReplaceDlg::OnRegExpClicked() {
    UpdateData(TRUE);
    OnRegularExpressionChanged();
    UpdateButtons();
}

void SECEditFindReplaceDlg::OnFindTextChanged() {
    GetDlgItemText(IDC_SECEDIT_FINDWHAT, m_strFind);
    UpdateButtons();
}

void SECEditFindReplaceDlg::OnFindTextPicked() {
    HWND combo = ::GetDlgItem(m_hWnd, IDC_SECEDIT_FINDWHAT);
    const LRESULT index = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index != CB_ERR && m_pFindHistory && index < (LRESULT)m_pFindHistory->size())
        m_strFind = (*m_pFindHistory)[index];
    UpdateButtons();
}

void SECEditFindReplaceDlg::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CDialog::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE || m_bFindOnly)
        return;
    if (m_pOwner && m_pOwner->HasSelection() && m_bSelectionAvailable) {
        Enable(IDC_SECEDIT_UP, TRUE);
        return;
    }
    Enable(IDC_SECEDIT_UP, FALSE);
    m_nDirection = 1;
    CheckRadioButton(IDC_SECEDIT_UP, IDC_SECEDIT_DOWN, IDC_SECEDIT_DOWN);
    UpdateButtons();
}
