// The library's drop target hands each drag event to the hooks of the window under the mouse,
// chosen by the window's kind in a fixed order (trees, the memory grid, host-window views, the
// main frame), and refuses everything with drag and drop off, on a window that is gone, or on a
// view whose registration was revoked.
#include "tests/shell/bound_host.h"

#include <ole2.h>

#include "shell/frame/mainframe.h"
#include "tests/shell/bare_main_frame.h"
#include "tests/support/message_pump.h"
#include "windows/common/docview.h"
#include "windows/common/droptarget.h"
#include "windows/common/mem_drop_hooks.h"
#include "windows/common/xsec_tree_ctrl.h"

namespace {

// Each kind answers with an effect of its own and notes which of its hooks ran.
std::vector<std::string> g_hooks;

class CRecordingTree : public XSECTreeCtrl {
public:
    DROPEFFECT OnDragEnter(COleDataObject*, DWORD, CPoint) override {
        return Note("tree.enter", 1);
    }
    DROPEFFECT OnDragOver(COleDataObject*, DWORD, CPoint) override { return Note("tree.over", 1); }
    DROPEFFECT OnDrop(COleDataObject*, DROPEFFECT, CPoint) override { return Note("tree.drop", 1); }
    void OnDragLeave() override { Note("tree.leave", 0); }
    static DROPEFFECT Note(const char* hook, DROPEFFECT effect) {
        g_hooks.push_back(hook);
        return effect;
    }
};

// The memory grid's hooks on a window of any base.
template <class Base> class CGridHooks : public Base, public CMemChildDropHooks {
public:
    DROPEFFECT OnDragEnter(COleDataObject*, DWORD, CPoint) override { return Note("grid.enter"); }
    void OnDragLeave() override { Note("grid.leave"); }
    DROPEFFECT OnDragOver(COleDataObject*, DWORD, CPoint) override { return Note("grid.over"); }
    BOOL OnDrop(COleDataObject*, DROPEFFECT, CPoint) override { return Note("grid.drop"); }
    static DROPEFFECT Note(const char* hook) {
        g_hooks.push_back(hook);
        return 2;
    }
};
using CGrid = CGridHooks<CWnd>;

class DropTargetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        BindTestHost(HostVersion(3, 13));
        ImportDragDropService();
        ASSERT_NE(nullptr, DragDropService());
        m_pMain = new CBareMainFrame; // its window owns it
        ASSERT_TRUE(m_pMain->Create(NULL, L"Drops", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400)));
        m_pMain->RegisterDropTarget();
        m_pMain->ActivateDropTarget();
        g_hooks.clear();
        CallLog::Get().Clear();
    }
    void TearDown() override {
        if (::IsWindow(m_pMain->GetSafeHwnd()))
            m_pMain->DestroyWindow();
        DragDropEnabled = 1;
        ::OleUninitialize();
    }
    template <class W> W* Child(W* pWnd, int id) {
        EXPECT_TRUE(
            pWnd->Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), m_pMain, id));
        return pWnd;
    }
    // The four events in a row; the effects of enter, over and drop.
    std::vector<int> Drag(CWnd* pWnd) {
        std::vector<int> effects;
        effects.push_back(m_target.OnDragEnter(pWnd, nullptr, MK_CONTROL, CPoint(5, 5)));
        effects.push_back(m_target.OnDragOver(pWnd, nullptr, MK_CONTROL, CPoint(6, 6)));
        m_target.OnDragLeave(pWnd);
        effects.push_back(m_target.OnDrop(pWnd, nullptr, DROPEFFECT_COPY, CPoint(6, 6)));
        return effects;
    }
    static std::vector<std::string> ServiceCalls() {
        std::vector<std::string> lines;
        for (const std::string& line : CallLines())
            if (line.rfind("DD.", 0) == 0)
                lines.push_back(line);
        return lines;
    }

    CBareMainFrame* m_pMain = nullptr;
    CDropTarget m_target;
};

TEST_F(DropTargetTest, EachKindOfWindowGetsItsOwnHooksInTheFixedOrder) {
    CRecordingTree tree;
    CGrid grid;
    Child(&tree, 1);
    Child(&grid, 2);
    const struct {
        CWnd* pWnd;
        std::vector<std::string> hooks;
        std::vector<int> effects;
    } cases[] = {
        {&tree, {"tree.enter", "tree.over", "tree.leave", "tree.drop"}, {1, 1, 1}},
        {&grid, {"grid.enter", "grid.over", "grid.leave", "grid.drop"}, {2, 2, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hooks.front());
        g_hooks.clear();
        EXPECT_EQ(c.effects, Drag(c.pWnd));
        EXPECT_EQ(c.hooks, g_hooks);
    }
    EXPECT_TRUE(ServiceCalls().empty()); // the hooks above keep the drags to themselves
}

TEST_F(DropTargetTest, AViewAndTheMainFrameAskTheServiceUnderTheirNames) {
    auto* pView = new CDocView; // its window owns it
    Child(pView, 1);
    ASSERT_EQ(1, pView->InitDropTarget("BrkWnd", 77));
    CallLog::Get().Clear();
    Drag(pView);
    Drag(m_pMain);
    EXPECT_EQ((std::vector<std::string>{
                  "DD.DragEnter(\"BrkWnd\", 77, \"BrkWnd\", 8)",
                  "DD.DragOver(\"BrkWnd\", 77, \"BrkWnd\", 8)",
                  "DD.DragLeave(\"BrkWnd\", 77)",
                  "DD.Drop(\"BrkWnd\", 77, \"BrkWnd\")",
                  "DD.DragEnter(\"MainWnd\", 0, \"MainWnd\", 8)",
                  "DD.DragOver(\"MainWnd\", 0, \"MainWnd\", 8)",
                  "DD.DragLeave(\"MainWnd\", 0)",
                  "DD.Drop(\"MainWnd\", 0, \"MainWnd\")",
              }),
              ServiceCalls());
    // Any other window, whatever it is, gets nothing and sends nothing.
    CWnd plain;
    Child(&plain, 2);
    CallLog::Get().Clear();
    EXPECT_EQ((std::vector<int>{0, 0, 0}), Drag(&plain));
    EXPECT_EQ((std::vector<int>{0, 0, 0}), Drag(nullptr));
    EXPECT_TRUE(ServiceCalls().empty());
    // A drag never scrolls, wherever it is.
    for (CPoint point : {CPoint(0, 0), CPoint(1, 99), CPoint(-5, 400)})
        EXPECT_EQ(DROPEFFECT_NONE, m_target.OnDragScroll(pView, 0, point));
}

TEST_F(DropTargetTest, NothingIsAskedWithDragAndDropOffOrOfAWindowThatIsGone) {
    CRecordingTree tree;
    CGrid grid;
    auto* pView = new CDocView; // its window owns it
    Child(&tree, 1);
    Child(&grid, 2);
    Child(pView, 3);
    ASSERT_EQ(1, pView->InitDropTarget("SysRegWnd", 3));
    CallLog::Get().Clear();
    DragDropEnabled = 0;
    for (CWnd* pWnd : {static_cast<CWnd*>(&tree), static_cast<CWnd*>(&grid),
                       static_cast<CWnd*>(pView), static_cast<CWnd*>(m_pMain)})
        EXPECT_EQ((std::vector<int>{0, 0, 0}), Drag(pWnd));
    EXPECT_EQ(0, pView->InitDropTarget("SysRegWnd", 3));
    DragDropEnabled = 1;
    tree.DestroyWindow();
    grid.DestroyWindow();
    EXPECT_EQ((std::vector<int>{0, 0, 0}), Drag(&tree));
    EXPECT_EQ((std::vector<int>{0, 0, 0}), Drag(&grid));
    EXPECT_TRUE(g_hooks.empty());
    EXPECT_TRUE(ServiceCalls().empty());
}

// Through the system's interface, as a real drag reaches it.
TEST_F(DropTargetTest, ATargetRevokedOrOnAWindowThatIsGoneRefusesTheDrag) {
    auto* pSource = new COleDataSource;
    pSource->DelayRenderData(CF_TEXT);
    IDataObject* pData = pSource->GetDataObject();
    auto enter = [&](IDropTarget* pTarget) {
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        pTarget->DragEnter(pData, MK_LBUTTON, POINTL{10, 10}, &effect);
        pTarget->DragLeave();
        return effect;
    };
    CGrid grid, gone;
    Child(&grid, 1);
    Child(&gone, 2);
    ASSERT_TRUE(m_target.Register(&grid));
    EXPECT_EQ(DWORD(DROPEFFECT_MOVE), enter(m_target.GetDropTarget()));
    EXPECT_EQ((std::vector<std::string>{"grid.enter", "grid.leave"}), g_hooks);
    // A second target cannot take a window that has one, and revoking it leaves the first.
    CDropTarget second;
    EXPECT_FALSE(second.Register(&grid));
    second.Revoke();
    EXPECT_EQ(DRAGDROP_E_ALREADYREGISTERED,
              ::RegisterDragDrop(grid.m_hWnd, second.GetDropTarget()));
    g_hooks.clear();
    m_target.Revoke();
    m_target.Revoke(); // only once
    EXPECT_EQ(DWORD(DROPEFFECT_NONE), enter(m_target.GetDropTarget()));
    // Registered on a window that went without revoking.
    CDropTarget stale;
    ASSERT_TRUE(stale.Register(&gone));
    gone.DestroyWindow();
    EXPECT_EQ(DWORD(DROPEFFECT_NONE), enter(stale.GetDropTarget()));
    // The main frame's own target: its hooks ask the service.
    ASSERT_NE(nullptr, m_pMain->DropTarget());
    EXPECT_EQ(DWORD(DROPEFFECT_NONE), enter(m_pMain->DropTarget()->GetDropTarget()));
    EXPECT_TRUE(g_hooks.empty());
    EXPECT_EQ((std::vector<std::string>{"DD.DragEnter(\"MainWnd\", 0, \"MainWnd\", 1)",
                                        "DD.DragLeave(\"MainWnd\", 0)"}),
              ServiceCalls());
    pSource->ExternalRelease();
}

TEST_F(DropTargetTest, AViewIsRegisteredOnceAndWithdrawnWithItsWindow) {
    auto* pView = new CDocView; // its window owns it
    Child(pView, 1);
    ASSERT_EQ(1, pView->InitDropTarget("EvalWnd", 5));
    ASSERT_EQ(1, pView->InitDropTarget("EvalWnd", 6)); // the second replaces the first
    EXPECT_EQ(DRAGDROP_E_ALREADYREGISTERED,
              ::RegisterDragDrop(pView->m_hWnd, m_target.GetDropTarget()));
    pView->DestroyWindow();
    EXPECT_EQ((std::vector<std::string>{"DD.RegisterDropTarget(\"EvalWnd\", 5)",
                                        "DD.UnregisterDropTarget(\"EvalWnd\", 5)",
                                        "DD.RegisterDropTarget(\"EvalWnd\", 6)",
                                        "DD.UnregisterDropTarget(\"EvalWnd\", 6)"}),
              ServiceCalls());
}

int __cdecl NoDrag(intptr_t, int, void**, int) {
    return 0;
}

// The service keeps a drop target and a drag source apart: each is withdrawn under the name and
// id it was announced with, and a name reaches the service whole, however long.
TEST_F(DropTargetTest, AViewWithdrawsItsTargetAndItsSourceUnderTheirOwnNames) {
    const std::string longName(300, 'K');
    const struct {
        const char* name;
        std::string target, source;
        int targetId, sourceId;
    } cases[] = {
        {"other source", "EvalWnd", "CallWnd", 5, 9},
        {"same source", "MemWnd", "MemWnd", 7, 7},
        {"long names", longName, longName + "S", 3, 4},
    };
    for (const auto& c : cases) {
        auto* pView = new CDocView; // its window owns it
        Child(pView, 1);
        CallLog::Get().Clear();
        ASSERT_EQ(1, pView->InitDropTarget(c.target.c_str(), c.targetId)) << c.name;
        ASSERT_EQ(1, pView->InitDragSource(c.source.c_str(), c.sourceId, 1, &NoDrag)) << c.name;
        m_target.OnDragEnter(pView, nullptr, 0, CPoint(5, 5));
        pView->DestroyWindow();
        const std::string t = "\"" + c.target + "\", " + std::to_string(c.targetId);
        const std::string s = "\"" + c.source + "\", " + std::to_string(c.sourceId);
        EXPECT_EQ((std::vector<std::string>{
                      "DD.RegisterDropTarget(" + t + ")", "DD.RegisterDragSource(" + s + ")",
                      "DD.DragEnter(" + t + ", \"" + c.target + "\", 0)",
                      "DD.UnregisterDropTarget(" + t + ")", "DD.UnregisterDragSource(" + s + ")"}),
                  ServiceCalls())
            << c.name;
    }
}

TEST_F(DropTargetTest, TheMainFrameIsAnnouncedOnceAndWithdrawnWithItsWindow) {
    m_pMain->RegisterDropTarget(); // a second time: nothing more
    m_pMain->ActivateDropTarget();
    EXPECT_TRUE(ServiceCalls().empty());
    const HWND hMain = m_pMain->m_hWnd;
    CallLog::Get().Clear();
    m_pMain->DestroyWindow();
    EXPECT_FALSE(::IsWindow(hMain));
    EXPECT_EQ((std::vector<std::string>{"DD.UnregisterDropTarget(\"MainWnd\", 0)"}),
              ServiceCalls());
}

} // namespace
