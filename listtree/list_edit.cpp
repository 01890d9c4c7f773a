#include "listtree/list_edit.h"

BEGIN_MESSAGE_MAP(SECListEdit, CEdit)
ON_WM_GETDLGCODE()
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

UINT SECListEdit::OnGetDlgCode() {
    return DLGC_WANTALLKEYS;
}

void SECListEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    // Ending destroys this window: nothing of it is touched afterwards.
    if (nChar == VK_RETURN && !m_pClient->IsWordWrap()) {
        m_pClient->EndLabelEdit(TRUE);
        return;
    }
    if (nChar == VK_ESCAPE) {
        m_pClient->EndLabelEdit(FALSE);
        return;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}
