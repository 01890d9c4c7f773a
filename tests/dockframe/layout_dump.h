// A frame's layout written out as text, one line a bar: what a person sees of each bar (where,
// shown or not, on which side, in which row and place, with which share) and its floating frame.
#pragma once

#include "dockframe_fixture.h"

#include <map>
#include <string>

struct BarPlace {
    bool visible = false;
    UINT dockBar = 0; // the dock bar's id; 0 when none
    int host = 0;     // 0 docked, 1 mini frame, 2 floating in the main window
    int row = -1, col = -1;
    double share = 0;
    CRect rect; // screen; only compared for shown bars
    bool frameVisible = false;
    CRect frameRect; // the floating frame's, screen
};

std::map<UINT, BarPlace> CaptureLayout(CFrameWnd* pFrame);
std::string FormatLayout(const std::map<UINT, BarPlace>& layout);
std::map<UINT, BarPlace> ParseLayout(const std::string& text);
// Empty when equal (shares within 1e-5); else what differs, a line a difference.
std::string CompareLayouts(const std::map<UINT, BarPlace>& a, const std::map<UINT, BarPlace>& b);
