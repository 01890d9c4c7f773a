// The image store's owners: a bar or a manager that makes a store holds its only reference, so
// the store (and the bitmaps it loaded) goes with its last owner.
#include "toolbar_test_frame.h"

namespace {
// The owners of a store besides the caller's probe.
LONG OwnersOf(SECBmpMgr* pStore) {
    const LONG nWithProbe = pStore->AddRef();
    pStore->Release();
    return nWithProbe - 1;
}

class BmpStoreRefsTest : public ToolBarFrameTest {};
} // namespace

TEST_F(BmpStoreRefsTest, EachOwnerHoldsOneReference) {
    {
        SECCustomToolBar bar;
        EXPECT_EQ(1, OwnersOf(bar.GetBmpMgr())) << "a bar's own store";
    }
    SECToolBarManager& manager = m_pFrame->Manager();
    EXPECT_EQ(1, OwnersOf(manager.GetBmpMgr())) << "the manager's store, no bars yet";
    auto* pBar = new SECCustomToolBar;
    ASSERT_TRUE(manager.CreateManagedBar(pBar, 59392, L"Bar"));
    EXPECT_EQ(manager.GetBmpMgr(), pBar->GetBmpMgr());
    EXPECT_EQ(2, OwnersOf(manager.GetBmpMgr())) << "the manager and its bar";
    pBar->DestroyWindow();
    PumpToolBarMessages();
}
