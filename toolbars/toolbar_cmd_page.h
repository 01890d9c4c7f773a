// The customize sheet's Commands page: command categories, each shown as a palette of buttons
// (or a list of menu texts) to drag onto the frame's toolbars, and the selected command's
// description.
#pragma once

#include "framework/afx.h"
#include "toolbars/btn_groups.h"
#include "toolbars/toolbars_base.h"

#include <memory>
#include <vector>

const UINT SEC_IDC_BUTTONS_BOX = 43093;
const UINT SEC_IDC_DESCRIPTION = 43095;
const UINT SEC_IDC_CATEGORIES = 43094;

class SECToolBarCmdPage : public CPropertyPage {
    DECLARE_DYNAMIC(SECToolBarCmdPage)
public:
    explicit SECToolBarCmdPage(UINT nIDTemplate = SEC_IDD_COMMANDS_PAGE,
                               UINT nIDCaption = SEC_IDS_COMMANDS);
    ~SECToolBarCmdPage() override;

    // Keeps the manager; the page hears of every bar's changes through it.
    void SetManager(SECToolBarManager* pManager);
    SECToolBarManager* GetManager() const { return m_pManager; }
    // Categories in call order. The ids are copied; 0 is a separator.
    void DefineBtnGroup(LPCTSTR lpszTitle, int nCount, const UINT* pIDs);
    void DefineMenuBtnGroup(LPCTSTR lpszTitle, int nCount, const UINT* pIDs);
    // The commands of the frame's menu, in menu order, as menu texts.
    void DefineMenuGroup(LPCTSTR lpszTitle);

    int GetGroupCount() const { return static_cast<int>(m_groups.size()); }
    SECBtnGroup* GetGroup(int nIndex) const;
    void ShowDescription(UINT nID);

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void OnOK() override;
    void OnCancel() override;

protected:
    void SelectGroup(int nIndex);
    void Leave();
    void RefitGroups();

    afx_msg void OnCategoryChange();
    afx_msg LRESULT OnBarNotifyMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnStyleChanging(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    std::vector<std::unique_ptr<SECBtnGroup>> m_groups;
    SECToolBarManager* m_pManager = nullptr;
    CRect m_rcButtons;
    CSize m_charSize;
    int m_nCurGroup = -1;
    CListBox m_categories;
};
