// SECListEdit: the in-place editor a list creates over a cell while a label is edited.
#pragma once

#include "framework/afx.h"

#include "listtree/list_client.h"

// The editor's child id inside the list.
constexpr UINT SECLIST_EDIT_ID = 1;
// The longest text the editor takes: the list's cell buffer less its terminator.
constexpr int SECLIST_EDIT_LIMIT = 2047;

class SECListEdit : public CEdit {
public:
    explicit SECListEdit(SECListClient* pClient) : m_pClient(pClient) {}

    SECListClient* m_pClient;

protected:
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()
};
