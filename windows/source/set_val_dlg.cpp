#include "windows/source/set_val_dlg.h"

#include "shell/hostlink.h"

namespace {
enum : int {
    kIdExpression = 1001,
    kIdValue = 1002,
};
constexpr uint32_t kSetValueCode = 115;
constexpr uint32_t kSetValueFlags = 0x2000;
} // namespace

BEGIN_MESSAGE_MAP(CSetVal, CDialog)
ON_EN_CHANGE(kIdExpression, OnFieldChange)
ON_EN_CHANGE(kIdValue, OnFieldChange)
END_MESSAGE_MAP()

BOOL ValueOfEvaluation(const char* answer, CString& value) {
    const char* colon = answer ? strchr(answer, ':') : nullptr;
    if (colon == nullptr)
        return FALSE;
    value = CString(colon + 1);
    return TRUE;
}

CSetVal::CSetVal(CWnd* pParent) : CDialog(IDD, pParent) {}

void CSetVal::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, kIdValue, m_value);
    DDX_Text(pDX, kIdExpression, m_expression);
}

BOOL CSetVal::OnInitDialog() {
    // Showing a field changes it: read back then, the other field, not shown yet, would be
    // taken as empty.
    m_showingFields = true;
    CDialog::OnInitDialog();
    char* expression = nullptr;
    if (HostTable() != nullptr && WideToAnsiHeap(m_expression, &expression) && expression) {
        int mode = 0;
        const char* answer = nullptr;
        if (HostTable()->EvaluateForTooltip(expression, &answer, &mode) != 0)
            ValueOfEvaluation(answer, m_value);
    }
    if (expression)
        ::HeapFree(::GetProcessHeap(), 0, expression);
    UpdateData(FALSE);
    m_showingFields = false;
    OnFieldChange();
    return TRUE;
}

void CSetVal::OnOK() {
    if (!UpdateData(TRUE))
        return;
    HostRequest request = {};
    request.code = kSetValueCode;
    request.flags = kSetValueFlags;
    request.param[3] = 1;
    char* expression = nullptr;
    WideToAnsiHeap(m_expression, &expression);
    const int sent =
        SendHostRequest(&request, m_value, 1, 4, reinterpret_cast<intptr_t>(expression), 0, 0);
    if (sent != 0)
        if (CWnd* set = GetDlgItem(IDOK))
            set->EnableWindow(FALSE);
    if (expression)
        ::HeapFree(::GetProcessHeap(), 0, expression);
}

void CSetVal::OnFieldChange() {
    if (m_showingFields)
        return;
    UpdateData(TRUE);
    if (CWnd* set = GetDlgItem(IDOK))
        set->EnableWindow(!m_expression.IsEmpty() && !m_value.IsEmpty());
}
