#include "find_support.h"

#include "editor/edit_find_dialog.h"
#include "editor/edit_model.h"

namespace eftest {
namespace {
Messages* g_messages = nullptr;
int AnswerBox(LPCTSTR text, UINT) {
    if (g_messages)
        g_messages->texts.push_back(text ? text : L"");
    return IDOK;
}
} // namespace

Messages::Messages() {
    g_messages = this;
    AfxSetMessageBoxHook(&AnswerBox);
}

Messages::~Messages() {
    AfxSetMessageBoxHook(nullptr);
    g_messages = nullptr;
}

void ResetFindState() {
    SECEditFindReplaceState& s = SECEditGetFindReplaceState();
    s.m_bFindDialog = TRUE;
    s.m_strFind.Empty();
    s.m_strReplace.Empty();
    s.m_findHistory.clear();
    s.m_replaceHistory.clear();
    s.m_bMatchCase = FALSE;
    s.m_bSearchDown = TRUE;
    s.m_bWholeWord = FALSE;
    s.m_bReplaceInSelection = FALSE;
    s.m_bRegExp = FALSE;
}

void TypeInto(HWND dialog, int id, const wchar_t* text) {
    HWND combo = ::GetDlgItem(dialog, id);
    ::SetWindowTextW(combo, text);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_EDITCHANGE), (LPARAM)combo);
}

void SetCheck(HWND dialog, int id, bool on) {
    if (IsChecked(dialog, id) != on)
        ::SendMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

bool IsChecked(HWND dialog, int id) {
    return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

bool IsEnabled(HWND dialog, int id) {
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

std::wstring AllText(ewtest::Host& host) {
    CString text;
    host.Model().GetAllText(text);
    return std::wstring(text.GetString(), text.GetLength());
}

std::vector<int> Selection(ewtest::Host& host) {
    int l1 = -1, c1 = -1, l2 = -1, c2 = -1;
    if (!host.Controller().HasSelection())
        return {-1, -1, -1, -1};
    host.Controller().GetSelectionBounds(l1, c1, l2, c2, FALSE);
    return {l1, c1, l2, c2};
}

} // namespace eftest
