// Walks over a window's children survive handlers that destroy, re-order or re-parent them.
#include "test_support.h"

#include <gtest/gtest.h>

#include <map>

namespace {
const UINT WM_TEST_WALK = WM_APP + 40;

std::map<HWND, int> g_visits;

// On the walk's message it runs its action, which may change the family of windows.
class CWalkChild : public CWnd {
public:
    enum Action { none, destroySelf, sendToBottom, destroyNext };
    Action m_action = none;
    HWND m_hWndNext = NULL;

protected:
    afx_msg LRESULT OnWalk(WPARAM, LPARAM) {
        ++g_visits[m_hWnd];
        if (m_action == destroySelf)
            DestroyWindow();
        else if (m_action == sendToBottom)
            SetWindowPos(&wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        else if (m_action == destroyNext)
            ::DestroyWindow(m_hWndNext);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CWalkChild, CWnd)
ON_MESSAGE(WM_TEST_WALK, OnWalk)
END_MESSAGE_MAP()
} // namespace

TEST(ChildWalks, EachSurvivorIsVisitedOnceWhateverTheHandlersDo) {
    struct Case {
        CWalkChild::Action first, second;
        int expected[4]; // visits of each child; -1 for a child destroyed before its turn
    };
    const Case cases[] = {
        {CWalkChild::destroySelf, CWalkChild::none, {1, 1, 1, 1}},
        {CWalkChild::sendToBottom, CWalkChild::sendToBottom, {1, 1, 1, 1}},
        {CWalkChild::destroyNext, CWalkChild::none, {1, -1, 1, 1}},
    };
    for (const Case& c : cases) {
        CWnd parent;
        ASSERT_TRUE(CreateTopLevel(parent));
        CWalkChild children[4];
        HWND handles[4];
        for (int i = 0; i < 4; ++i) {
            ASSERT_TRUE(
                children[i].Create(NULL, L"c", WS_CHILD, CRect(0, 0, 5, 5), &parent, 100 + i));
            handles[i] = children[i].m_hWnd;
        }
        children[0].m_action = c.first;
        children[0].m_hWndNext = handles[1];
        children[1].m_action = c.second;
        g_visits.clear();
        parent.SendMessageToDescendants(WM_TEST_WALK, 0, 0, TRUE, TRUE);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(c.expected[i] < 0 ? 0 : c.expected[i], g_visits[handles[i]])
                << "case " << (&c - cases) << " child " << i;
        parent.DestroyWindow();
    }
}
