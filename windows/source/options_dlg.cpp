#include "windows/source/options_dlg.h"

#include "editor/edit_model.h"
#include "editor/lang_config.h"
#include "editor/lang_registry.h"

namespace {
enum : int {
    kIdShowWhitespace = 1000,
    kIdTabSize = 1004,
    kIdTabSpin = 1006,
};
} // namespace

CEditOptionsDlg::CEditOptionsDlg(SECEditModel* model, CWnd* pParent)
    : CDialog(IDD, pParent), m_model(model) {}

void CEditOptionsDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kIdTabSize, m_tabSizeEdit);
    DDX_Control(pDX, kIdTabSpin, m_tabSizeSpin);
    DDX_Text(pDX, kIdTabSize, m_tabSize);
    // The editor divides by the tab size: 0 is refused with the range message.
    DDV_MinMaxInt(pDX, m_tabSize, kSourceTabSizeMin, kSourceTabSizeMax);
    DDX_Check(pDX, kIdShowWhitespace, m_showWhitespace);
}

BOOL CEditOptionsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (SECEditLangConfig* config = m_model ? m_model->GetLangConfig() : nullptr) {
        m_tabSize = config->GetTabSize();
        m_showWhitespace = config->GetShowWhitespace();
    }
    m_tabSizeSpin.SetBuddy(&m_tabSizeEdit);
    m_tabSizeSpin.SetRange(kSourceTabSizeMin, kSourceTabSizeMax);
    UpdateData(FALSE);
    return TRUE;
}

void ApplySourceOptions(SECEditModel& model, int tabSize, BOOL showWhitespace) {
    auto apply = [&](SECEditLangConfig* config) {
        if (config == nullptr)
            return;
        config->SetTabSize(tabSize);
        config->SetShowWhitespace(showWhitespace);
    };
    apply(model.GetLangConfig());
    apply(SECEditLangConfigRegistry::GetLangConfig(L"No"));
    apply(SECEditLangConfigRegistry::GetLangConfig(L"ASM"));
    for (const wchar_t* name : {L"ASM", L"CPP", L"No"})
        SECEditLangConfigRegistry::SaveLangConfig(name);
}
