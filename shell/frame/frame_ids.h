// Ids the main frame and its resources share.
#pragma once

#include <windows.h>

// The host's command message: wParam is a command number.
constexpr UINT kHostCommandMessage = WM_USER + 8;

// Status panes.
constexpr UINT kPanePC = 61447;
constexpr UINT kPaneDI = 61448;
constexpr UINT kPaneLan = 61449;
constexpr UINT kPaneInfo = 61450;

// Commands the frame handles itself.
constexpr UINT kCmdMemoryMap = 134;
constexpr UINT kCmdCores = 282;
constexpr UINT kCmdPendingLine = 280;
constexpr UINT kCmdStop = 32983;
constexpr UINT kCmdViewToolbars = 32929;
constexpr UINT kCmdUserToolbar = 32930;
constexpr UINT kCmdResetConfiguration = 32998;
constexpr UINT kCmdLanguageA = 32784;
constexpr UINT kCmdLanguageB = 32785;
constexpr UINT kCmdLanguageSwitch = 186; // the "Run" toolbar's default first button

// Host-added items and buttons, and user-toolbar buttons.
constexpr UINT kHostItemFirst = 1024;
constexpr UINT kHostItemLast = 1280;

// Control-bar ids of the default toolbars.
constexpr UINT kBarMain = 0xE800;
constexpr UINT kBarDebug = 0xE805;
constexpr UINT kBarDisplay = 0xE806;
constexpr UINT kBarRun = 0xE807;
constexpr UINT kBarEdit = 0xE808;
constexpr UINT kBarEval = 0xE80B;
