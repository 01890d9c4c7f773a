// The foundation's observers, event routing and messages.
#include "editor/display_info.h"
#include "editor/edit_msg.h"
#include "editor/mvc_model.h"
#include "editor_test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace corvalis::foundation;

struct Listener : IEventListener {
    bool answer;
    int calls = 0, refs = 0;
    explicit Listener(bool a) : answer(a) {}
    int32_t AddRef() override { return ++refs; }
    int32_t Release() override { return --refs; }
    bool HandleEvent(IEvent*) override {
        ++calls;
        return answer;
    }
};

struct Event : IEvent {
    bool QueryGuid(const GUID&, void** out) override {
        *out = nullptr;
        return false;
    }
    int32_t AddRef() override { return 1; }
    int32_t Release() override { return 1; }
};

TEST(MvcModel, ObserversAreToldInOrderExceptTheSender) {
    CMvcModel model;
    edtest::RecordingObserver a, b;
    model.AddObserver(&a);
    model.AddObserver(&b);
    model.AddObserver(&a);
    model.AddObserver(nullptr);
    EXPECT_EQ(a.refs, 2);
    SECEditMsg msg(SECEDIT_HINT_GUTTER);
    model.NotifyObservers(&a, &msg);
    EXPECT_EQ(a.entries.size(), 0u);
    EXPECT_EQ(b.entries.size(), 1u);
    model.NotifyObservers(nullptr, &msg);
    EXPECT_EQ(a.entries.size(), 2u); // once per entry
    model.RemoveObserver(&a);        // both entries go, each released
    EXPECT_EQ(a.refs, 0);
    model.NotifyObservers(nullptr, &msg);
    EXPECT_EQ(a.entries.size(), 2u);
    EXPECT_EQ(b.entries.size(), 3u);
    model.RemoveObserver(&b);
}

// An observer that an earlier one removes while a message goes round is not told any more:
// the removal may well have been its last reference.
TEST(MvcModel, AnObserverRemovedDuringANotificationIsNotTold) {
    struct Remover : edtest::RecordingObserver {
        CMvcModel* model = nullptr;
        IObserver* victim = nullptr;
        void OnUpdate(ISubject* s, IMessage* m) override {
            RecordingObserver::OnUpdate(s, m);
            model->RemoveObserver(victim);
        }
    };
    CMvcModel model;
    Remover first;
    edtest::RecordingObserver second;
    first.model = &model;
    first.victim = &second;
    model.AddObserver(&first);
    model.AddObserver(&second);
    SECEditMsg msg(SECEDIT_HINT_GUTTER);
    model.NotifyObservers(nullptr, &msg);
    EXPECT_EQ(first.entries.size(), 1u);
    EXPECT_EQ(second.entries.size(), 0u);
    EXPECT_EQ(second.refs, 0);
    model.RemoveObserver(&first);
}

TEST(EventRouter, EveryListenerHearsTheEvent) {
    Listener first(false), second(true), third(false);
    {
        IEventRouterImpl router;
        EXPECT_FALSE(router.AddListener(nullptr));
        EXPECT_FALSE(router.RouteEvent(nullptr));
        router.AddListener(&first);
        router.AddListener(&second);
        router.AddListener(&third);
        Event e;
        EXPECT_TRUE(router.RouteEvent(&e));
        EXPECT_EQ(third.calls, 1); // the second handled it, the third still heard it
        EXPECT_TRUE(router.RemoveListener(&second));
        EXPECT_EQ(second.refs, 0);
        EXPECT_FALSE(router.RemoveListener(&second));
        EXPECT_FALSE(router.RouteEvent(&e));
    }
    EXPECT_EQ(first.refs, 0); // released when the router goes
    EXPECT_EQ(third.refs, 0);
}

TEST(EditMsg, DescriptionIsTheRawStringResource) {
    SECEditMsg lines(SECEDIT_HINT_LINES);
    CString text;
    lines.Sprint(text);
    EXPECT_EQ(text, L"Invalidate Lines %d to %d");
    EXPECT_EQ(lines.GetTypeID(), 22585u);
    void* out = nullptr;
    EXPECT_TRUE(lines.QueryGuid(IID_IMessage, &out));
    EXPECT_EQ(out, static_cast<IMessage*>(&lines));
    EXPECT_FALSE(lines.QueryGuid(IID_IObserver, &out));
    EXPECT_EQ(out, nullptr);
}

TEST(DisplayInfo, MetricsBeforeAndAfterMeasuring) {
    SECEditDisplayInfo info;
    EXPECT_EQ(info.GetCharWidth(), 8);
    EXPECT_EQ(info.GetLineHeight(), 12);
    EXPECT_EQ(SECEditDisplayInfo::FontHeight(10, 96), -13);
    ASSERT_TRUE(info.MeasureFont(L"Courier New", 10, FALSE, FALSE));
    SIZE glyph = {}, space = {};
    const wchar_t raquo = 187;
    GetTextExtentPoint32W(info.GetDC(), &raquo, 1, &glyph);
    GetTextExtentPoint32W(info.GetDC(), L" ", 1, &space);
    EXPECT_EQ(info.GetTabGlyphWidth(), glyph.cx);
    EXPECT_EQ(info.GetTabWidth(4, TRUE), 3 * space.cx + glyph.cx);
    EXPECT_EQ(info.GetTabWidth(4, FALSE), 4 * space.cx);
    EXPECT_GT(info.GetLineHeight(), 0);
}

} // namespace
