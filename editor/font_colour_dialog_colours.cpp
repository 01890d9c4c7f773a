// The colour half of the font and colour dialog: a group shown in the wells and boxes, the
// controls read back into it, and the automatic colours worked out from "Text".
#include "editor/font_colour_dialog.h"

void ResolveAutomaticColours(const std::vector<std::unique_ptr<SECEditColorGroup>>& groups,
                             SECEditColorGroup* pChanged, SECEditColorGroup* pText,
                             SECEditColorGroup* pSelection) {
    if (pChanged == nullptr)
        return;
    if (pChanged == pText) {
        if (pText->m_foreColorAutomatic)
            pText->m_foreground = ::GetSysColor(COLOR_WINDOWTEXT);
        if (pText->m_backColorAutomatic)
            pText->m_background = ::GetSysColor(COLOR_WINDOW);
    }
    const COLORREF textFore =
        pText != nullptr ? pText->m_foreground : ::GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF textBack = pText != nullptr ? pText->m_background : ::GetSysColor(COLOR_WINDOW);
    auto resolve = [&](SECEditColorGroup* pGroup) {
        const bool bSwapped = pGroup == pSelection;
        if (pGroup->m_foreColorAutomatic)
            pGroup->m_foreground = bSwapped ? textBack : textFore;
        if (pGroup->m_backColorAutomatic)
            pGroup->m_background = bSwapped ? textFore : textBack;
    };
    if (pChanged != pText) {
        resolve(pChanged);
        return;
    }
    // "Text" changed: every group that follows it follows again.
    for (const auto& pGroup : groups)
        if (pGroup != nullptr && pGroup.get() != pText)
            resolve(pGroup.get());
}

void SECEditFontColorDlg::ShowGroup() {
    SECEditColorGroup* pGroup = GetSelectedGroup();
    const BOOL bGroup = pGroup != nullptr;
    if (m_foreWell.GetSafeHwnd() != NULL)
        m_foreWell.EnableWindow(bGroup && !pGroup->m_foreColorAutomatic);
    if (m_backWell.GetSafeHwnd() != NULL)
        m_backWell.EnableWindow(bGroup && !pGroup->m_backColorAutomatic);
    if (m_foreAutomatic.GetSafeHwnd() != NULL)
        m_foreAutomatic.EnableWindow(bGroup);
    if (m_backAutomatic.GetSafeHwnd() != NULL)
        m_backAutomatic.EnableWindow(bGroup);
    if (pGroup != nullptr) {
        if (m_foreWell.GetSafeHwnd() != NULL && !pGroup->m_foreColorAutomatic &&
            m_foreWell.GetColor() != pGroup->m_foreground)
            m_foreWell.SetColor(pGroup->m_foreground);
        if (m_backWell.GetSafeHwnd() != NULL && !pGroup->m_backColorAutomatic &&
            m_backWell.GetColor() != pGroup->m_background)
            m_backWell.SetColor(pGroup->m_background);
        m_foreColor = pGroup->m_foreground;
        m_backColor = pGroup->m_background;
        if (m_foreAutomatic.GetSafeHwnd() != NULL)
            m_foreAutomatic.SetCheck(pGroup->m_foreColorAutomatic ? BST_CHECKED : BST_UNCHECKED);
        if (m_backAutomatic.GetSafeHwnd() != NULL)
            m_backAutomatic.SetCheck(pGroup->m_backColorAutomatic ? BST_CHECKED : BST_UNCHECKED);
    }
    RedrawSample();
}

void SECEditFontColorDlg::ReadControls() {
    SECEditColorGroup* pGroup = GetSelectedGroup();
    if (pGroup == nullptr)
        return;
    pGroup->m_foreColorAutomatic = m_foreAutomatic.GetCheck() == BST_CHECKED;
    pGroup->m_backColorAutomatic = m_backAutomatic.GetCheck() == BST_CHECKED;
    if (!pGroup->m_foreColorAutomatic)
        pGroup->m_foreground = m_foreColor;
    if (!pGroup->m_backColorAutomatic)
        pGroup->m_background = m_backColor;
    ResolveAutomaticColours(m_groups, pGroup, m_pTextGroup, m_pSelectionGroup);
    ShowGroup();
}
