// The base of the main frame: the docking MDI frame.
#pragma once

#include "docking/dock_bar.h"
#include "docking/mdi_frame.h"
#include "docking/mini_dock_frame.h"
#include "framework/afx.h"

using CMainFrameBase = SECMDIFrameWnd;
