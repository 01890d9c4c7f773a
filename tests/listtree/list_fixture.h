// A five-column list in a visible parent that records every notification it receives.
#pragma once

#include "listtree/list_ctrl.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// Records WM_NOTIFY codes; an optional answer decides the result of each.
class RecordingParent : public CWnd {
public:
    std::vector<UINT> codes;
    std::function<LRESULT(NMHDR*)> answer;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // Codes other than the focus and key chatter, in order.
    std::vector<UINT> Interesting() const;
};

class ListFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Rows "row N" with sub-items "N.k".
    void Fill(int nRows);
    void Click(int x, int y, UINT nFlags = 0);
    void PressKey(UINT vk, bool bShift = false, bool bCtrl = false);
    // The client point of the middle of row nRow's label in column nCol.
    CPoint CellPoint(int nRow, int nCol);
    std::vector<int> SelectedRows() const;

    RecordingParent parent;
    SECListCtrl list;
    static constexpr int kColumns = 5;
};

void PumpPending();
