// The customize sheet and its Toolbars page (the Commands page is in toolbar_cmd_page.h).
#pragma once

#include "framework/afx.h"
#include "toolbars/toolbars_base.h"

class SECToolBarsPage : public CPropertyPage, public SECToolBarsBase {
    DECLARE_DYNAMIC(SECToolBarsPage)
public:
    SECToolBarsPage();
    ~SECToolBarsPage() override;
    BOOL OnInitDialog() override;
    // Activating the page puts the bars in customize mode; leaving it takes them out.
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    // OK keeps the settings the boxes applied; Cancel puts back those of the start.
    void OnOK() override;
    void OnCancel() override;

protected:
    afx_msg void OnSelChange();
    afx_msg void OnCheckChanged();
    afx_msg void OnNameKillFocus();
    afx_msg void OnNew();
    afx_msg void OnReset43100();
    afx_msg void OnSettings();
    afx_msg LRESULT OnBarNotifyMsg(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

// The sheet of the toolbar pages, without an Apply button. However it ends, the frames of the
// pages' managers are enabled again afterwards.
class SECToolBarSheet : public CPropertySheet {
    DECLARE_DYNAMIC(SECToolBarSheet)
public:
    explicit SECToolBarSheet(UINT nIDCaption = SEC_IDS_CUSTOMIZE, CWnd* pParent = nullptr,
                             UINT iSelectPage = 0);
    INT_PTR DoModal() override;
};
