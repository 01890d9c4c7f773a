// A tip owner with two tool windows side by side, the input and pumping helpers the tip tests
// share, and a capture of a window's own pixels to PNG.
#pragma once

#include "tests/support/picture.h"
#include "toolbars/tooltip_holder.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

constexpr UINT kToolA = 1; // callback tool over the left child
constexpr UINT kToolB = 2; // stored text over the right child
constexpr UINT kChildIdA = 101;
constexpr UINT kChildIdB = 102;

// Answers the tip's text requests and counts its pops. Its own and its children's mouse and
// keyboard messages go to the tip before they are dispatched, as the debugger's views do.
class TipOwner : public CWnd {
public:
    ToolTipHolder* pHolder = nullptr;
    // Fills the request for a callback tool; the default answers texts[tool id] in the buffer.
    std::function<void(NMTTDISPINFOW&, UINT nIDTool)> answer;
    std::map<UINT, std::wstring> texts;
    std::function<void()> onPop;
    int nPops = 0;
    int nRequests = 0;
    UINT nLastFlags = 0;
    UINT_PTR nLastIdFrom = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class TipFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Places the owner (screen coordinates of its top-left corner).
    void PlaceOwner(int x, int y);
    // A screen point at client (x, y) of the owner.
    CPoint OwnerPoint(int x, int y) const;
    COXToolTipCtrl& Tip() { return *holder.GetToolTip(); }
    BOOL TipVisible() { return ::IsWindowVisible(Tip().m_hWnd); }
    CRect TipRect();

    TipOwner owner;
    CWnd toolA;
    CWnd toolB;
    ToolTipHolder holder;
};

// Dispatches waiting messages, each offered to the windows' pre-translation first.
void PumpPending();
// Pumps for up to nMs milliseconds or until done() holds; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD nMs);
// Real input, as the user gives it.
void MouseTo(CPoint ptScreen);
void MouseClick(CPoint ptScreen);
void KeyPress(WORD vk);
// Copies of windows' own pixels, saved side by side as one PNG file.
class WindowShots {
public:
    void Add(HWND hWnd);
    bool Save(const std::wstring& path) const;

private:
    std::vector<Picture> m_shots;
};
