// A frame that routes its messages through its filters the way the docking frames do: mouse
// messages to the filters first, the caption refreshes after its own painting. It records the
// system commands it is sent instead of carrying them out.
#pragma once

#include "docking/msgfilter_chain.h"
#include "docking/msgfilter_list.h"
#include "framework/docview/frame.h"

#include <functional>
#include <ostream>
#include <vector>

struct FiredAction {
    int nKind;
    CPoint point;
    bool operator==(const FiredAction& o) const { return nKind == o.nKind && point == o.point; }
};

class FilterTestFrame : public CFrameWnd {
public:
    FilterTestFrame();
    ~FilterTestFrame() override;

    // A new frame (it deletes itself with its window), or NULL.
    static FilterTestFrame* Open(DWORD dwStyle, DWORD dwExStyle = 0,
                                 const CRect& rect = CRect(120, 100, 520, 340));

    SECMsgFilterChain m_filters;
    std::vector<std::pair<WPARAM, LPARAM>> m_sysCommands;
    static int s_nAlive;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A caption control that notes each action; it can be told to destroy its owner instead.
class ProbeCaptionControl : public SECCaptionControlMsgFilter {
    DECLARE_DYNCREATE(ProbeCaptionControl)
public:
    LRESULT Fire(int nKind, int x, int y) override;

    static std::vector<FiredAction>& Fired();
    // The kind whose action destroys the owner; -1: none.
    static int s_nDestroyOnKind;
};

// Adds a caption-control list (id 256) to the frame's root and a control of the class under it
// per id, in order; returns the list.
SECCaptionControlListMsgFilter*
AddCaptionControls(FilterTestFrame& frame, std::initializer_list<int> ids, CRuntimeClass* pClass);
SECCaptionControlMsgFilter* ControlOf(SECCaptionControlListMsgFilter* pList, int nID);

// The centre of the control in screen coordinates.
CPoint ScreenCentre(const SECCaptionControlMsgFilter& control);
// A screen point as the frame's client-coordinate lParam.
LPARAM ClientLParam(HWND hWnd, CPoint screen);

// Dispatches the waiting timer messages and the timer window's own posted messages, and no
// mouse input, for about nMilliseconds.
void PumpTimers(DWORD nMilliseconds);
// The same until done() holds (true) or nTimeout milliseconds have passed (false): a loaded
// machine may run timers late.
bool PumpTimersUntil(const std::function<bool()>& done, DWORD nTimeout = 5000);

// Readable failures.
inline void PrintTo(const CRect& r, std::ostream* os) {
    *os << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}
inline void PrintTo(const CPoint& p, std::ostream* os) {
    *os << "(" << p.x << "," << p.y << ")";
}
inline void PrintTo(const CSize& s, std::ostream* os) {
    *os << "[" << s.cx << "x" << s.cy << "]";
}
inline void PrintTo(const FiredAction& a, std::ostream* os) {
    *os << "fire " << a.nKind << " at ";
    PrintTo(a.point, os);
}
