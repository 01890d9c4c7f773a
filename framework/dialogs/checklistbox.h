// CCheckListBox: a list box whose items carry check boxes. The list box must be owner-drawn
// with strings (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS). A click on an item's box, or the space bar
// on the selected item, changes its state (with an automatic check style) and tells the parent
// with the notification CLBN_CHKCHANGE. The item data stays the caller's: the check state is
// kept beside it.
#pragma once

#include <memory>
#include <vector>

#include "framework/dialogs/listcontrols.h"

class CCheckListBox : public CListBox {
    DECLARE_DYNAMIC(CCheckListBox)
public:
    CCheckListBox();
    ~CCheckListBox() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;

    // BS_CHECKBOX, BS_AUTOCHECKBOX (the default), BS_3STATE or BS_AUTO3STATE.
    void SetCheckStyle(UINT nStyle);
    UINT GetCheckStyle() const { return m_nStyle; }
    // 0 unchecked, 1 checked, 2 indeterminate; -1 (LB_ERR) for an index out of range.
    void SetCheck(int nIndex, int nCheck);
    int GetCheck(int nIndex) const;
    // A disabled item shows a grey box that clicks do not change.
    void Enable(int nIndex, BOOL bEnabled = TRUE);
    BOOL IsEnabled(int nIndex) const;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PreSubclassWindow() override;

private:
    struct ItemState {
        DWORD_PTR userData = 0;
        int check = 0;
        BOOL enabled = TRUE;
    };
    ItemState* StateOf(int nIndex) const;
    ItemState* AttachState(int nIndex, DWORD_PTR userData);
    void ForgetState(ItemState* pState);
    void ForgetAll();
    int CheckBoxSize() const;
    void ToggleFromUser(int nIndex);

    std::vector<std::unique_ptr<ItemState>> m_states;
    UINT m_nStyle = BS_AUTOCHECKBOX;
};
