#include "editor/font_colour_dialog.h"

#include <algorithm>
#include <cstdlib>

BEGIN_MESSAGE_MAP(SECEditFontColorDlg, CDialog)
ON_BN_CLICKED(IDC_SECEDIT_FOREAUTO, OnAutomaticClicked)
ON_BN_CLICKED(IDC_SECEDIT_BACKAUTO, OnAutomaticClicked)
ON_LBN_SELCHANGE(IDC_SECEDIT_GROUPS, OnGroupChanged)
ON_MESSAGE(corvalis::foundation::WM_COLORWELL_CHANGED, OnWellColor)
ON_BN_CLICKED(IDC_SECEDIT_RESETALL, OnResetAll)
ON_BN_CLICKED(IDC_SECEDIT_CHOOSEFONT, OnChooseFont)
ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

int ScreenPixelsPerInchY() {
    HDC hdc = ::GetDC(NULL);
    const int nDpi = hdc != NULL ? ::GetDeviceCaps(hdc, LOGPIXELSY) : 96;
    if (hdc != NULL)
        ::ReleaseDC(NULL, hdc);
    return nDpi > 0 ? nDpi : 96;
}

} // namespace

SECEditFontColorDlg::SECEditFontColorDlg(CWnd* pParentWnd)
    : CDialog(IDD_SECEDIT_FONTCOLOR, pParentWnd), m_logFont() {}

SECEditFontColorDlg::~SECEditFontColorDlg() {
    m_groups.clear();
    if (m_pConfig != nullptr)
        m_pConfig->Release();
}

SECEditColorGroup* SECEditFontColorDlg::GetGroupCopy(int nIndex) const {
    if (nIndex < 0 || nIndex >= (int)m_groups.size())
        return nullptr;
    return m_groups[(size_t)nIndex].get();
}

SECEditColorGroup* SECEditFontColorDlg::GetSelectedGroup() const {
    if (m_groupList.GetSafeHwnd() == NULL)
        return nullptr;
    const int nSel = m_groupList.GetCurSel();
    if (nSel == LB_ERR)
        return nullptr;
    const DWORD_PTR nIndex = m_groupList.GetItemData(nSel);
    return nIndex < m_groups.size() ? m_groups[nIndex].get() : nullptr;
}

int SECEditFontColorDlg::GetPointSize() const {
    return ::MulDiv(std::abs((int)m_logFont.lfHeight), 72, ScreenPixelsPerInchY());
}

void SECEditFontColorDlg::TakeFontFrom(ISECEditLangConfig* pConfig) {
    // The face name is cut to what the LOGFONT holds, terminator included.
    ::lstrcpynW(m_logFont.lfFaceName, pConfig->GetFaceName(), LF_FACESIZE);
    m_logFont.lfHeight = -::MulDiv(pConfig->GetSize(), ScreenPixelsPerInchY(), 72);
    m_logFont.lfItalic = pConfig->GetItalic() ? TRUE : FALSE;
    m_logFont.lfWeight = pConfig->GetBold() ? FW_BOLD : FW_NORMAL;
}

void SECEditFontColorDlg::SetSettings(ISECEditLangConfig* pConfig, const LOGFONTW* pLogFont) {
    if (pConfig == nullptr || m_pConfig != nullptr || !m_groups.empty())
        return;
    pConfig->AddRef();
    m_pConfig = pConfig;
    if (pLogFont != nullptr)
        m_logFont = *pLogFont;
    TakeFontFrom(pConfig);
    for (const auto& pGroup : pConfig->GetColorGroups())
        m_groups.push_back(pGroup != nullptr ? std::make_unique<SECEditColorGroup>(*pGroup)
                                             : nullptr);
    m_pTextGroup = GetGroupCopy(pConfig->GetDefaultGroupIndex(SECEDIT_GROUP_TEXT));
    m_pSelectionGroup = GetGroupCopy(pConfig->GetDefaultGroupIndex(SECEDIT_GROUP_SELECTION));
}

void SECEditFontColorDlg::GetSettings(ISECEditLangConfig* pConfig) {
    if (pConfig == nullptr)
        return;
    wchar_t face[LF_FACESIZE] = L"";
    ::lstrcpynW(face, m_logFont.lfFaceName, LF_FACESIZE);
    pConfig->SetFaceName(face);
    pConfig->SetSize(GetPointSize());
    pConfig->SetItalic(m_logFont.lfItalic != 0);
    pConfig->SetBold(m_logFont.lfWeight >= FW_BOLD);
    const auto& groups = pConfig->GetColorGroups();
    const size_t nCount = std::min(groups.size(), m_groups.size());
    for (size_t i = 0; i < nCount; ++i)
        if (groups[i] != nullptr && m_groups[i] != nullptr)
            *groups[i] = *m_groups[i];
}

void SECEditFontColorDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SECEDIT_FOREAUTO, m_foreAutomatic);
    DDX_Control(pDX, IDC_SECEDIT_BACKAUTO, m_backAutomatic);
    DDX_Control(pDX, IDC_SECEDIT_RESETALL, m_resetAll);
    DDX_Control(pDX, IDC_SECEDIT_SAMPLE, m_sample);
    DDX_Control(pDX, IDC_SECEDIT_GROUPS, m_groupList);
    DDX_Control(pDX, IDC_SECEDIT_CHOOSEFONT, m_chooseFont);
    DDX_LBString(pDX, IDC_SECEDIT_GROUPS, m_strSelected);
}

BOOL SECEditFontColorDlg::OnInitDialog() {
    if (m_pConfig == nullptr) {
        // Nothing to edit: the dialog ends as cancelled.
        EndDialog(IDCANCEL);
        return FALSE;
    }
    CDialog::OnInitDialog();
    for (size_t i = 0; i < m_groups.size(); ++i) {
        const SECEditColorGroup* pGroup = m_groups[i].get();
        if (pGroup == nullptr || !pGroup->m_configurable)
            continue;
        const int nItem = m_groupList.AddString(pGroup->m_displayName);
        if (nItem >= 0)
            m_groupList.SetItemData(nItem, (DWORD_PTR)i);
    }
    for (auto* pWell : {&m_foreWell, &m_backWell}) {
        pWell->AttachButton(pWell == &m_foreWell ? IDC_SECEDIT_FOREWELL : IDC_SECEDIT_BACKWELL,
                            this);
        pWell->SetPopupColors(FALSE);
        pWell->SetPopupStyle(0);
    }
    if (m_groupList.GetCount() > 0)
        m_groupList.SetCurSel(0);
    ShowGroup();
    UpdateFontLabels();
    return TRUE;
}

void SECEditFontColorDlg::OnGroupChanged() {
    ShowGroup();
}

void SECEditFontColorDlg::OnAutomaticClicked() {
    ReadControls();
}

LRESULT SECEditFontColorDlg::OnWellColor(WPARAM wParam, LPARAM lParam) {
    if (wParam == IDC_SECEDIT_FOREWELL)
        m_foreColor = (COLORREF)lParam;
    else if (wParam == IDC_SECEDIT_BACKWELL)
        m_backColor = (COLORREF)lParam;
    else
        return 0;
    ReadControls();
    return 0;
}

void SECEditFontColorDlg::OnResetAll() {
    if (m_pConfig == nullptr)
        return;
    TakeFontFrom(m_pConfig);
    const auto& groups = m_pConfig->GetColorGroups();
    const size_t nCount = std::min(groups.size(), m_groups.size());
    for (size_t i = 0; i < nCount; ++i)
        if (groups[i] != nullptr && m_groups[i] != nullptr)
            *m_groups[i] = *groups[i];
    if (m_groupList.GetCount() > 0)
        m_groupList.SetCurSel(0);
    ShowGroup();
    UpdateFontLabels();
    RedrawSample();
}
