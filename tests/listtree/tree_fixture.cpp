#include "tree_fixture.h"

#include "list_fixture.h"
#include "toolbars/drawing/themeapi.h"

BOOL TreeParent::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
    auto* pHdr = reinterpret_cast<NMHDR*>(lParam);
    TreeEvent e = {pHdr->code, 0, NULL, NULL, 0};
    switch (pHdr->code) {
    case TVN_SELCHANGINGW:
    case TVN_SELCHANGEDW:
    case TVN_ITEMEXPANDINGW:
    case TVN_ITEMEXPANDEDW:
    case TVN_DELETEITEMW:
    case TVN_BEGINDRAGW: {
        auto* p = reinterpret_cast<NMTREEVIEWW*>(lParam);
        e.action = p->action;
        e.hOld = p->itemOld.hItem;
        e.hNew = p->itemNew.hItem;
        e.newState = p->itemNew.state;
        break;
    }
    case TVN_BEGINLABELEDITW:
    case TVN_ENDLABELEDITW:
        e.hNew = reinterpret_cast<NMTVDISPINFOW*>(lParam)->item.hItem;
        break;
    default:
        break;
    }
    events.push_back(e);
    *pResult = answer ? answer(pHdr) : 0;
    return TRUE;
}

LRESULT TreeParent::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == SECTreeEndLabelEditMessage() && message != 0) {
        endEdits.emplace_back(wParam, lParam);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

std::vector<UINT> TreeParent::Codes() const {
    std::vector<UINT> out;
    for (const TreeEvent& e : events)
        if (e.code != NM_KILLFOCUS && e.code != NM_SETFOCUS && e.code != TVN_KEYDOWN &&
            e.code != TVN_GETDISPINFOW && e.code != LVN_GETDISPINFOW)
            out.push_back(e.code);
    return out;
}

void TreeCtrlFixture::SetUp() {
    FreeThemeApi();
    ASSERT_TRUE(parent.CreateEx(0, NULL, L"tree parent", WS_POPUP | WS_VISIBLE, 40, 40, 400, 300,
                                NULL, NULL));
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
                            CRect(0, 0, 400, 300), &parent, 100));
    ::SetForegroundWindow(parent.m_hWnd);
    PumpPending();
}

void TreeCtrlFixture::TearDown() {
    tree.DestroyWindow();
    parent.DestroyWindow();
    PumpPending();
}

std::vector<HTREEITEM> TreeCtrlFixture::Rows() {
    std::vector<HTREEITEM> out;
    for (int i = 0; i < tree.GetItemCount(); ++i)
        out.push_back(tree.GetItemFromIndex(i));
    return out;
}

void TreeCtrlFixture::Paint() {
    tree.Invalidate();
    tree.UpdateWindow();
}
