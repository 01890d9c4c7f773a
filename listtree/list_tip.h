// SECListTip: a borderless pop-up that shows the whole text of a clipped cell over it while the
// pointer rests there; clicks on it go to the list below.
#pragma once

#include "framework/afx.h"

#include "listtree/list_client.h"

// The tip's check whether the cursor has left the list.
constexpr UINT_PTR SECLIST_TIP_TIMER = 0xF001;
// The most characters a tip shows.
constexpr int SECLIST_TIP_MAX = 259;

class SECListTip : public CWnd {
public:
    explicit SECListTip(SECListClient* pClient) : m_pClient(pClient) {}

    virtual void Hide();
    // TRUE when the tip shows (or keeps showing) the cell under the pointer.
    virtual BOOL ShowTip(UINT nHitFlags, int nRow, int nCol, int x, int y);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    int m_nRow = -1;
    int m_nCol = -1;
    SECListClient* m_pClient;
    CString m_strText;
    CRect m_rect; // in the list's client coordinates

protected:
    BOOL CreateTip();
    // Whether the label (list client coordinates) is cut by the cell or the inside rectangle.
    BOOL IsClipped(const CRect& rcCell, const CRect& rcLabel) const;

    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
