// Owners that destroy the list from inside its own handlers: the list touches nothing of
// itself afterwards (run again under Wine's heap checks).
#include "scbar_fixture.h"

#include <memory>

namespace {
struct Owned {
    std::unique_ptr<TestShortcutList> list;
    void Make(CWnd* pParent, CImageList* pLarge) {
        list = std::make_unique<TestShortcutList>();
        ASSERT_TRUE(
            list->Create(WS_CHILD | WS_VISIBLE | LVS_ICON, CRect(0, 0, 160, 300), pParent, 300));
        list->SetImageList(pLarge, LVSIL_NORMAL);
        for (int i = 0; i < 3; ++i)
            list->InsertItemImage(i, L"Doomed", i);
        list->RecalcLayout();
    }
    void Kill() {
        list->DestroyWindow();
        list.reset();
    }
};
} // namespace

TEST_F(ShortcutFixture, OwnerDestroysTheListInsideItsHandlers) {
    for (UINT code : {(UINT)NM_CLICK, SECSHORTCUT_NOTIFY_CLICK}) {
        SCOPED_TRACE(code);
        Owned owned;
        owned.Make(&parent, &large);
        const CPoint pt = IconPoint(*owned.list, 1);
        parent.onNote = [&](UINT c) {
            if (c == code && owned.list)
                owned.Kill();
        };
        const HWND hWnd = owned.list->m_hWnd;
        Send(*owned.list, WM_LBUTTONDOWN, MK_LBUTTON, pt);
        ::SendMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        EXPECT_FALSE(owned.list);
        EXPECT_FALSE(::IsWindow(hWnd));
        parent.onNote = nullptr;
    }

    // The list goes while its drag runs: the move finds nothing to delete.
    Owned owned;
    owned.Make(&parent, &large);
    owned.list->duringDrag = [&]() { owned.Kill(); };
    const CPoint pt = IconPoint(*owned.list, 0);
    const HWND hWnd = owned.list->m_hWnd;
    Send(*owned.list, WM_LBUTTONDOWN, MK_LBUTTON, pt);
    ::SendMessageW(hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x + 20, pt.y));
    EXPECT_FALSE(owned.list);
    EXPECT_FALSE(::IsWindow(hWnd));
}
