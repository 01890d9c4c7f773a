// When a tip shows and hides: relayed messages and timer ticks driven one by one, with the real
// cursor placed where each step needs it.
#include "tip_fixture.h"

#include <vector>

namespace {

enum class Act { Move, Cursor, Relay, Timer, Activate };
enum Spot { A1, A2, B1, Off, InTip };

struct Step {
    Act act;
    int arg; // spot, message, timer id or flag
    int repeat;
    bool visible;
    const wchar_t* text; // null: not checked
    int pops;
};

struct Scenario {
    const char* name;
    std::vector<Step> steps;
};

class TipTimerTest : public TipFixture {
protected:
    CPoint SpotPoint(int spot) {
        switch (spot) {
        case A1:
            return OwnerPoint(50, 30);
        case A2:
            return OwnerPoint(120, 60);
        case B1:
            return OwnerPoint(300, 30);
        case InTip:
            return TipRect().CenterPoint();
        default:
            return OwnerPoint(-50, -50);
        }
    }
    // The message the owner would pass on, at the cursor.
    void Relay(UINT message) {
        CPoint ptScreen;
        ::GetCursorPos(&ptScreen);
        HWND hWnd = ::WindowFromPoint(ptScreen);
        if (hWnd != owner.m_hWnd && !::IsChild(owner.m_hWnd, hWnd))
            hWnd = owner.m_hWnd;
        CPoint point = ptScreen;
        ::ScreenToClient(hWnd, &point);
        MSG msg{hWnd, message, 0, MAKELPARAM(point.x, point.y), ::GetTickCount(), ptScreen};
        holder.RelayEvent(&msg);
    }
    void Run(const Step& step) {
        for (int i = 0; i < step.repeat; i++) {
            switch (step.act) {
            case Act::Move:
                ::SetCursorPos(SpotPoint(step.arg).x, SpotPoint(step.arg).y);
                Relay(WM_MOUSEMOVE);
                break;
            case Act::Cursor:
                ::SetCursorPos(SpotPoint(step.arg).x, SpotPoint(step.arg).y);
                break;
            case Act::Relay:
                Relay((UINT)step.arg);
                break;
            case Act::Timer:
                Tip().SendMessage(WM_TIMER, (WPARAM)step.arg);
                break;
            case Act::Activate:
                holder.Activate(step.arg);
                break;
            }
        }
    }
};

Step Move(int spot, bool visible, int pops = 0) {
    return {Act::Move, spot, 1, visible, nullptr, pops};
}
Step Cursor(int spot) {
    return {Act::Cursor, spot, 1, false, nullptr, -1};
}
Step Relay(UINT message, bool visible, int pops) {
    return {Act::Relay, (int)message, 1, visible, nullptr, pops};
}
Step Tick(int id, int times, bool visible, const wchar_t* text, int pops) {
    return {Act::Timer, id, times, visible, text, pops};
}
Step Activate(BOOL bActive) {
    return {Act::Activate, bActive, 1, false, nullptr, -1};
}

const Scenario kScenarios[] = {
    {"shows after the delay, stays on its tool, pops at the tenth poll",
     {Move(A1, false), Tick(1, 1, true, L"tip A", 0), Move(A2, true), Tick(2, 9, true, L"tip A", 0),
      Tick(2, 1, false, nullptr, 1)}},
    {"another tool re-arms with the delay",
     {Move(A1, false), Tick(1, 1, true, L"tip A", 0), Move(B1, false, 1),
      Tick(1, 1, true, L"tip B", 1)}},
    {"a key hides, and the dismissed tip forgets its tool",
     {Move(A1, false), Tick(1, 1, true, nullptr, 0), Relay(WM_KEYDOWN, false, 1),
      Move(A2, false, 1), Tick(1, 1, true, L"tip A", 1)}},
    {"a left click inside the tip keeps it, outside hides it",
     {Move(A1, false), Tick(1, 1, true, nullptr, 0), Cursor(InTip), Relay(WM_LBUTTONDOWN, true, 0),
      Cursor(A1), Relay(WM_LBUTTONDOWN, false, 1)}},
    {"the cursor inside the tip keeps it past the auto-pop time",
     {Move(A1, false), Tick(1, 1, true, nullptr, 0), Cursor(InTip), Tick(2, 12, true, nullptr, 0),
      Cursor(Off), Tick(2, 1, false, nullptr, 1)}},
    {"leaving hides at the next poll, coming back re-arms",
     {Move(A1, false), Tick(1, 1, true, nullptr, 0), Move(Off, true), Tick(2, 1, false, nullptr, 1),
      Move(A1, false, 1), Tick(1, 1, true, L"tip A", 1)}},
    {"off the tool when the delay ends: nothing shows",
     {Move(A1, false), Cursor(Off), Tick(1, 1, false, nullptr, 0)}},
    {"ticks after a hide change nothing",
     {Move(A1, false), Tick(1, 1, true, nullptr, 0), Relay(WM_RBUTTONDOWN, false, 1),
      Tick(2, 1, false, nullptr, 1), Tick(1, 1, false, nullptr, 1), Tick(7, 1, false, nullptr, 1)}},
    {"an inactive control shows nothing",
     {Move(A1, false), Activate(FALSE), Tick(1, 1, false, nullptr, 0)}},
};

TEST_F(TipTimerTest, Scenarios) {
    for (const Scenario& scenario : kScenarios) {
        SCOPED_TRACE(scenario.name);
        holder.Activate(TRUE);
        owner.nPops = 0;
        int nStep = 0;
        for (const Step& step : scenario.steps) {
            SCOPED_TRACE(nStep++);
            Run(step);
            if (step.pops < 0)
                continue;
            EXPECT_EQ(TipVisible(), step.visible);
            EXPECT_EQ(owner.nPops, step.pops);
            if (step.text != nullptr) {
                EXPECT_STREQ(Tip().GetCurrentText().GetString(), step.text);
            }
        }
        // Leave the control idle for the next scenario.
        Relay(WM_KEYDOWN);
    }
}

// Which relayed messages hide a shown tip and which leave it.
TEST_F(TipTimerTest, RelayedMessagesThatHide) {
    const struct {
        UINT message;
        bool hides;
    } kRows[] = {
        {WM_KEYDOWN, true},       {WM_KEYUP, true},         {WM_CHAR, true},
        {WM_SYSKEYDOWN, true},    {WM_LBUTTONDBLCLK, true}, {WM_RBUTTONDOWN, true},
        {WM_RBUTTONDBLCLK, true}, {WM_MBUTTONDOWN, true},   {WM_MBUTTONDBLCLK, true},
        {WM_NCLBUTTONDOWN, true}, {WM_NCRBUTTONDOWN, true}, {WM_NCMBUTTONDBLCLK, true},
        {WM_LBUTTONUP, false},    {WM_RBUTTONUP, false},    {WM_MBUTTONUP, false},
        {WM_MOUSEWHEEL, false},   {WM_NCMOUSEMOVE, false},  {WM_TIMER, false},
    };
    for (const auto& row : kRows) {
        SCOPED_TRACE(row.message);
        Run(Move(A1, false));
        Run(Tick(1, 1, true, nullptr, 0));
        ASSERT_TRUE(TipVisible());
        Relay(row.message);
        EXPECT_EQ(!TipVisible(), row.hides);
        Relay(WM_KEYDOWN);
        Run(Move(Off, false));
    }
}

} // namespace
