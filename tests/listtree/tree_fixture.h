// A tree control in a visible parent that records the tree notifications it receives.
#pragma once

#include "listtree/tree_ctrl.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// One notification as the owner saw it.
struct TreeEvent {
    UINT code;
    UINT action;
    HTREEITEM hOld;
    HTREEITEM hNew;
    UINT newState;
};

class TreeParent : public CWnd {
public:
    std::vector<TreeEvent> events;
    std::function<LRESULT(NMHDR*)> answer;
    std::vector<std::pair<WPARAM, LPARAM>> endEdits;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The codes received, without focus, key and display-callback chatter.
    std::vector<UINT> Codes() const;
    void Clear() {
        events.clear();
        endEdits.clear();
    }
};

class TreeCtrlFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The nodes of the rows, in row order.
    std::vector<HTREEITEM> Rows();
    void Paint();

    TreeParent parent;
    SECTreeCtrl tree;
};
